#pragma once

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "engine/EngineTypes.h"
#include "model/NetworkModel.h"

namespace qnetica::test {

inline void AddQs(NetworkModel& model, int count) {
    for (int i = 0; i < count; ++i) model.AddNode();
}

inline std::string Underscores(std::size_t n) {
    return std::string(n, '_');
}
inline std::string Hyphens(std::size_t n) {
    return std::string(n, '-');
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Windows-1251 of ASCII and the Cyrillic letters А..я (the only characters of the reports),
// worked out here on its own so that a fault of the program's codec shows.
inline std::string Cp1251Of(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            out += static_cast<char>(byte);
            continue;
        }
        const unsigned code = ((byte & 0x1F) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F);
        out += static_cast<char>(0xC0 + (code - 0x410));
    }
    return out;
}

inline std::string ReportBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) bytes += Cp1251Of(line) + "\r\n";
    return bytes;
}

// The class-results file as the engine leaves it: whole records, host byte order (x86).
inline void WriteClassFile(const std::string& path, const std::vector<ClassResults>& records) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    for (const auto& record : records) std::fwrite(&record, sizeof record, 1, file);
    std::fclose(file);
}

}  // namespace qnetica::test
