#pragma once

#include <cmath>
#include <cstdint>

namespace qnetica::sim {

// SplitMix64's output function: a bijection of 64-bit words that spreads every input bit.
inline std::uint64_t MixBits(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// xoshiro256**: a fast generator with a period of 2^256 - 1 whose every output bit is usable.
// Stream `index` of a seed starts from a key that mixes both, expanded by SplitMix64, so that
// the replications of one run draw unrelated sequences whatever thread runs them.
class RandomStream {
  public:
    RandomStream(std::uint64_t seed, std::uint64_t index) {
        std::uint64_t key = MixBits(seed ^ MixBits(index + 0x632BE59BD9B4E019ull));
        for (std::uint64_t& word : state_) {
            key += 0x9E3779B97F4A7C15ull;
            word = MixBits(key);
        }
    }

    std::uint64_t Next() {
        const std::uint64_t result = RotateLeft(state_[1] * 5, 7) * 9;
        const std::uint64_t shifted = state_[1] << 17;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= shifted;
        state_[3] = RotateLeft(state_[3], 45);
        return result;
    }

    // Uniform on [0, 1), in steps of 2^-53.
    double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

    // Exponential with mean 1; the uniform is taken from (0, 1] so that the logarithm is finite.
    double Exponential() {
        const double u = static_cast<double>((Next() >> 11) + 1) * 0x1.0p-53;
        return -std::log(u);
    }

  private:
    static std::uint64_t RotateLeft(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::uint64_t state_[4];
};

}  // namespace qnetica::sim
