#include "runs/StepResultsFile.h"

#include <array>

#include "runs/LittleEndian.h"

namespace qnetica {
namespace {

// The one place that knows the order of the nine doubles of a block.
template <typename Snapshot>
auto BlockFields(Snapshot& s) {
    return std::array{&s.ArrivalRate, &s.ReservedResult, &s.OfferedLoad,
                      &s.QueueLength, &s.InSystem,       &s.WaitTime,
                      &s.SojournTime, &s.LoadFactor,     &s.TransferCoefficient};
}

}  // namespace

std::string EncodeStepSnapshot(const StepSnapshot& snapshot) {
    std::string bytes;
    bytes.reserve(StepSnapshotSize);
    for (const auto& block : snapshot)
        for (const double* field : BlockFields(block)) little_endian::AppendDouble(bytes, *field);
    return bytes;
}

StepSnapshot DecodeStepSnapshot(std::string_view bytes) {
    StepSnapshot snapshot{};
    std::size_t offset = 0;
    for (auto& block : snapshot) {
        for (double* field : BlockFields(block)) {
            *field = little_endian::ReadDouble(bytes, offset);
            offset += 8;
        }
    }
    return snapshot;
}

}  // namespace qnetica
