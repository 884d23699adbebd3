#include "fuzz_checks.h"

// Input format: see CheckGraphInput in fuzz_checks.h.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return RunFuzzCheck(CheckGraphInput, data, size);
}
