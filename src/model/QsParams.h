#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qnetica {

inline constexpr int MaxPriorityClasses = 50;
inline constexpr int MaxNameLength = 10;  // characters, not bytes

// The nine result fields of one QS, written by a calculation and saved with the network.
struct QsResults {
    double ArrivalRate = 0;
    double ReservedResult = 0;  // never computed; travels with the results and stays 0
    double OfferedLoad = 0;
    double QueueLength = 0;
    double InSystem = 0;
    double WaitTime = 0;
    double SojournTime = 0;
    double LoadFactor = 0;
    double IdleProbability = 0;
    double TransferCoefficient = 0;
};

// Bytes of a slot that carry no meaning but are kept so that an opened file saves back unchanged.
struct SlotReservedBytes {
    double ReservedDouble = 0;  // between SojournTime and LoadFactor
    std::array<std::uint8_t, 2> PadAfterFlags{};
    std::int32_t ReservedInt = 0;  // between QueuePlaces and PriorityClasses
    std::array<std::uint8_t, 4> PadAfterClasses{};
    std::array<std::uint8_t, 5> PadAfterName{};
};

// One QS slot: parameters, editor position and the results of the last calculation.
struct QsParams {
    double ServiceTime = 0;
    QsResults Results;
    bool BoundedQueue = false;
    bool RelativePriority = false;
    std::int32_t Channels = 1;
    std::int32_t PosX = 0;
    std::int32_t PosY = 0;
    std::int32_t QueuePlaces = 0;
    std::int32_t PriorityClasses = 0;
    std::array<double, MaxPriorityClasses> ClassShares{};  // [0] is class 1
    std::string Name;                                      // UTF-8, at most 10 characters
    SlotReservedBytes Reserved;

    double& ClassShare(int k) { return ClassShares[k - 1]; }
    double ClassShare(int k) const { return ClassShares[k - 1]; }
};

}  // namespace qnetica
