#pragma once

#include <QRgb>
#include <cstdint>

#include "model/TransferMatrix.h"

namespace qnetica::SchemePartNumbers {

// Every part of the drawn scheme gets a number that grows in the order the full drawing paints
// the parts: link (0, 0), (0, 1), ... each as its thin line and then its red mark, then every
// symbol as its circle and then its label. Of two parts on one pixel the one painted later has
// the larger number, so the colour a full drawing leaves on a pixel is that of the largest number
// painted there. The two lowest bits hold that colour; the circle's outline and interior share
// one place in the order.
enum Colour : std::uint32_t { NoPart = 0, Black = 1, Red = 2, White = 3 };

inline constexpr int ColourBits = 2;
inline constexpr int NodeSlots = TransferMatrix::Size;
inline constexpr std::uint32_t PartMask = 0xFFFFFF;  // a number as it sits in an RGB32 pixel

constexpr std::uint32_t Number(std::uint32_t place, Colour colour) {
    return place << ColourBits | colour;
}
constexpr std::uint32_t LinkPlace(int from, int to) {
    return 1 + 2 * static_cast<std::uint32_t>(from * NodeSlots + to);
}
inline constexpr std::uint32_t SymbolsStart = LinkPlace(NodeSlots, 0);
constexpr std::uint32_t SymbolPlace(int node) {
    return SymbolsStart + 2 * static_cast<std::uint32_t>(node);
}

// The thin line of a link, or its loop circle.
constexpr std::uint32_t LinkLine(int from, int to) {
    return Number(LinkPlace(from, to), Black);
}
constexpr std::uint32_t LinkMark(int from, int to) {
    return Number(LinkPlace(from, to) + 1, Red);
}
constexpr std::uint32_t SymbolOutline(int node) {
    return Number(SymbolPlace(node), Black);
}
constexpr std::uint32_t SymbolInterior(int node) {
    return Number(SymbolPlace(node), White);
}
constexpr std::uint32_t Label(int node) {
    return Number(SymbolPlace(node) + 1, Black);
}

// A number as the pixel value that carries it, and the scheme's colour that it stands for.
constexpr QRgb AsPixel(std::uint32_t number) {
    return 0xFF000000u | number;
}
constexpr QRgb ColourOf(std::uint32_t number) {
    constexpr QRgb colours[] = {0xFFFFFFFFu, 0xFF000000u, 0xFFFF0000u, 0xFFFFFFFFu};
    return colours[number & 3u];
}

static_assert(Label(NodeSlots - 1) <= PartMask, "part numbers fit in a pixel");

}  // namespace qnetica::SchemePartNumbers
