#pragma once

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <variant>
#include <vector>

#include "formats/NetworkJson.h"
#include "model/NetworkFile.h"

namespace qnetica::test {

// The example networks shipped in models/.
inline std::string ModelPath(const std::string& name) {
    return std::string(QNETICA_SOURCE_DIR) + "/models/" + name;
}

inline std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

inline NetworkImage ImageOf(const std::string& bytes) {
    return NetworkImage(bytes.begin(), bytes.end());
}

// A byte range of the image that carries the network.
struct Piece {
    std::size_t Offset;
    std::size_t Size;
};

// The bytes of a .qnf image that the JSON form keeps, found from the file's own layout: the
// input fields of the slots in use (service time 0, flags 96 and 97, channels, positions and
// places 100..115, class count 120, the shares of the classes counted, the name at 528 with
// its length byte), the cells among the nodes in use (length byte and text, 21 bytes each,
// column by column from 82144), the input rate, node count and source position (564136..564155).
// Results, reserved fields, padding, cell tails and the slots and cells beyond the network are
// left out.
inline std::vector<Piece> MeaningfulPieces(const NetworkImage& image) {
    std::int32_t nodes = 0;
    std::memcpy(&nodes, &image[564144], 4);
    std::vector<Piece> pieces;
    for (int k = 1; k < nodes; ++k) {
        const std::size_t slot = (k - 1) * 544u;
        std::int32_t classes = 0;
        std::memcpy(&classes, &image[slot + 120], 4);
        pieces.insert(pieces.end(), {{slot, 8}, {slot + 96, 2}, {slot + 100, 16}, {slot + 120, 4}});
        pieces.push_back({slot + 128, 8u * static_cast<std::size_t>(classes)});
        pieces.push_back({slot + 528, 1u + image[slot + 528]});
    }
    for (int to = 0; to < nodes; ++to)
        for (int from = 0; from < nodes; ++from) {
            const std::size_t cell = 82144 + to * 3171u + from * 21u;
            pieces.push_back({cell, 1u + image[cell]});
        }
    pieces.push_back({564136, 20});
    return pieces;
}

inline std::string MeaningfulBytes(const NetworkImage& image) {
    std::string bytes;
    for (const Piece& piece : MeaningfulPieces(image))
        bytes.append(reinterpret_cast<const char*>(&image[piece.Offset]), piece.Size);
    return bytes;
}

inline std::string WrittenJson(const NetworkContent& content) {
    auto written = WriteNetworkJson(content);
    if (auto* fault = std::get_if<JsonFault>(&written)) return "refused: " + fault->Text();
    return std::get<std::string>(written);
}

inline NetworkImage ImageOfContent(NetworkContent content) {
    NetworkModel model;
    model.Restore(std::move(content));
    return BuildNetworkImage(model);
}

}  // namespace qnetica::test
