#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace qnetica {

// Joins texts into one string with a single allocation. Messages are built with it rather than
// with `"text" + std::string(...)`, which inserts at the front of a temporary and which GCC 12
// at -O3 takes for an overlapping copy (a false -Wrestrict warning).
inline std::string Concat(std::initializer_list<std::string_view> parts) {
    std::size_t length = 0;
    for (std::string_view part : parts) length += part.size();
    std::string joined;
    joined.reserve(length);
    for (std::string_view part : parts) joined.append(part);
    return joined;
}

}  // namespace qnetica
