#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/EngineTypes.h"

namespace qnetica {

// The per-step QS results of the last varied run, one StepSnapshot record per step, no header.
inline constexpr const char* StepResultsFileName = "qnrep.tmp";
inline constexpr std::size_t StepSnapshotSize = 10800;

// 150 blocks of nine little-endian doubles, block k-1 for QS k, in the order of the snapshot.
std::string EncodeStepSnapshot(const StepSnapshot& snapshot);
// bytes must hold StepSnapshotSize bytes.
StepSnapshot DecodeStepSnapshot(std::string_view bytes);

}  // namespace qnetica
