#pragma once

#include <cstdint>

#include "model/NetworkModel.h"

namespace qnetica {

// The program's own 32-bit linear congruential generator. It starts at 0 and is never seeded
// from the clock, so every run of the program makes the same sequence of random fills.
class RandomGenerator {
  public:
    std::uint32_t State() const { return state_; }
    std::int32_t NextInt(std::int32_t below);  // 0..below-1
    double NextReal();                         // [0, 1)

  private:
    void Advance() { state_ = state_ * 134775813u + 1u; }
    std::uint32_t state_ = 0;
};

// Fills the input rate, the matrix rows of the used nodes, the service times, positions and
// channels of the QS slots and the first free slot; every row then sums to 1.
void RandomFill(NetworkModel& model, RandomGenerator& random, int areaWidth, int areaHeight);

}  // namespace qnetica
