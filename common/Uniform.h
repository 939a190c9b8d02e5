#pragma once
// The one uniform generator of the simulation: data sources, scrambler and noise all draw
// from it, in that order within a run, and its sequence continues from run to run.
//
// It is xoshiro256++ (Blackman and Vigna): 256 bits of state, period 2^256 - 1, passes
// BigCrush and PractRand, and needs four 64-bit operations per draw, so the noise of a run
// (several thousand draws) costs little. The seed is a fixed constant, expanded with
// splitmix64; the clock is never used, so every start replays the same sequence.

#include <array>
#include <cstdint>

namespace linelab {

class Uniform {
  public:
    static constexpr uint64_t kSeed = 0x4c696e654c6162ULL;

    explicit Uniform(uint64_t seed = kSeed) { Seed(seed); }

    void Seed(uint64_t seed) {
        for (auto& word : s_) {
            seed += 0x9e3779b97f4a7c15ULL;
            uint64_t z = seed;
            z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
            z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
            word = z ^ (z >> 31);
        }
    }

    uint64_t NextBits() {
        const uint64_t result = Rotl(s_[0] + s_[3], 23) + s_[0];
        const uint64_t t = s_[1] << 17;
        s_[2] ^= s_[0];
        s_[3] ^= s_[1];
        s_[1] ^= s_[2];
        s_[0] ^= s_[3];
        s_[2] ^= t;
        s_[3] = Rotl(s_[3], 45);
        return result;
    }

    // A double in [0, 1) with 53 random bits.
    double Next() { return static_cast<double>(NextBits() >> 11) * 0x1.0p-53; }

    // A single-precision value in [0, 1) with 24 random bits (the noise draws these).
    float NextSingle() { return static_cast<float>(NextBits() >> 40) * 0x1.0p-24f; }

  private:
    static uint64_t Rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::array<uint64_t, 4> s_{};
};

}  // namespace linelab
