#pragma once

#include <cstdint>

// xoshiro256** (Blackman and Vigna): 256 bits of state, fast, and passes the
// usual statistical test batteries. Seeds are spread over the state with
// splitmix64, so that nearby seeds give unrelated sequences.
class RandomGenerator {
public:
    explicit RandomGenerator(std::uint64_t seed = 5489u) { reseed(seed); }

    void reseed(std::uint64_t seed) {
        for (std::uint64_t& word : m_state) {
            seed += 0x9e3779b97f4a7c15u;
            std::uint64_t z = seed;
            z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
            z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
            word = z ^ (z >> 31);
        }
    }

    std::uint64_t next() {
        const std::uint64_t result = rotateLeft(m_state[1] * 5, 7) * 9;
        const std::uint64_t shifted = m_state[1] << 17;
        m_state[2] ^= m_state[0];
        m_state[3] ^= m_state[1];
        m_state[1] ^= m_state[2];
        m_state[0] ^= m_state[3];
        m_state[2] ^= shifted;
        m_state[3] = rotateLeft(m_state[3], 45);
        return result;
    }

    // A uniform integer from 0 to n - 1, for n >= 1, without bias (Lemire's
    // method): the upper 32 bits of a draw times n, with the rare draws
    // rejected that would favour some results. Costs no division but in those
    // rare cases.
    std::uint32_t below(std::uint32_t n) {
        std::uint64_t product = (next() >> 32) * n;
        if (std::uint32_t(product) < n) {
            const std::uint32_t threshold = (0u - n) % n; // 2^32 mod n
            while (std::uint32_t(product) < threshold)
                product = (next() >> 32) * n;
        }
        return std::uint32_t(product >> 32);
    }

    bool operator==(const RandomGenerator&) const = default;

private:
    static std::uint64_t rotateLeft(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

    std::uint64_t m_state[4];
};

// The program's one generator. It is seeded from the clock when the main and
// the heuristic window are created; tests seed it themselves.
RandomGenerator& randomEngine();
void seedRandomFromClock();
void seedRandom(std::uint64_t seed);
// A uniform integer from 0 to n - 1, for n >= 1, from the program's generator.
int randomBelow(int n);
