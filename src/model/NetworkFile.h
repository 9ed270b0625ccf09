#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "model/NetworkModel.h"

namespace qnetica {

// A network file is one fixed-size little-endian image of the model; no header, no version.
namespace file_layout {
inline constexpr std::size_t SlotSize = 544;
inline constexpr std::size_t MatrixOffset = 82144;
inline constexpr std::size_t CellSize = 21;
inline constexpr std::size_t MatrixColumnSize = 3171;
inline constexpr std::size_t InputRateOffset = 564136;
inline constexpr std::size_t NodeCountOffset = 564144;
inline constexpr std::size_t SourcePosXOffset = 564148;
inline constexpr std::size_t SourcePosYOffset = 564152;
inline constexpr std::size_t ImageSize = 564160;
inline constexpr std::size_t MaxCellLength = 20;

constexpr std::size_t SlotOffset(int k) {
    return (k - 1) * SlotSize;
}
constexpr std::size_t CellOffset(int from, int to) {
    return MatrixOffset + to * MatrixColumnSize + from * CellSize;
}
}  // namespace file_layout

using NetworkImage = std::vector<std::uint8_t>;

// Why a file was refused, in words to show the user.
struct ImageFault {
    std::string Reason;
};

NetworkImage BuildNetworkImage(const NetworkModel& model);
// Checks the whole image before anything is taken from it.
std::variant<NetworkContent, ImageFault> ReadNetworkImage(const NetworkImage& image);

struct FileResult {
    bool Ok = true;
    std::string Message;  // what to show when !Ok
};

// Writes through a temporary file in the target's folder; clears Modified only on success.
FileResult SaveNetworkFile(NetworkModel& model, const std::string& path);
// The same file, written without making it the network's own: the network stays as changed as it
// was (the recovery copies of a changed network).
FileResult WriteNetworkCopy(const NetworkModel& model, const std::string& path);
// Replaces the model only when the whole file was read and found sound.
FileResult OpenNetworkFile(NetworkModel& model, const std::string& path);

}  // namespace qnetica
