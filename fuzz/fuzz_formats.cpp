#include "fuzz_checks.h"

// Input format: see CheckFormatInput in fuzz_checks.h.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return RunFuzzCheck(CheckFormatInput, data, size);
}
