#pragma once

namespace qnetica {

// The drawing area of a network's scheme, in pixels: the editor's surface has this size, and the
// random fill places the symbols inside it.
inline constexpr int SchemeAreaWidth = 1858;
inline constexpr int SchemeAreaHeight = 1334;

}  // namespace qnetica
