#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qnetica::little_endian {

// The record files hold 8-byte IEEE doubles least significant byte first, whatever the host.
inline void AppendDouble(std::string& bytes, double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i) bytes += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

inline double ReadDouble(std::string_view bytes, std::size_t offset) {
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[offset + i]))
                << (8 * i);
    return std::bit_cast<double>(bits);
}

}  // namespace qnetica::little_endian
