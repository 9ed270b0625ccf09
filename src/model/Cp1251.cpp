#include "model/Cp1251.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <unordered_map>

namespace qnetica {
namespace {

constexpr char32_t NoCharacter = 0;

// The code page's upper half, read once from iconv: byte 0x80 + i -> code point.
struct CodePage {
    std::array<char32_t, 128> upper{};
    std::unordered_map<char32_t, unsigned char> reverse;

    CodePage() {
        iconv_t cd = iconv_open("UTF-32LE", "WINDOWS-1251");
        for (int i = 0; i < 128; ++i) upper[i] = cd == (iconv_t)-1 ? NoCharacter : Decode(cd, i);
        if (cd != (iconv_t)-1) iconv_close(cd);
        for (int i = 0; i < 128; ++i)
            if (upper[i] != NoCharacter)
                reverse.emplace(upper[i], static_cast<unsigned char>(0x80 + i));
    }

    static char32_t Decode(iconv_t cd, int index) {
        char in = static_cast<char>(0x80 + index);
        std::array<unsigned char, 4> out{};
        char* inPtr = &in;
        char* outPtr = reinterpret_cast<char*>(out.data());
        std::size_t inLeft = 1, outLeft = out.size();
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
            return NoCharacter;
        return out[0] | (out[1] << 8) | (out[2] << 16) | (static_cast<char32_t>(out[3]) << 24);
    }
};

const CodePage& Page() {
    static const CodePage page;
    return page;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at pos; an invalid one counts as one character of one byte.
char32_t NextCodePoint(std::string_view text, std::size_t& pos, bool& valid) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    int length = lead < 0x80         ? 1
                 : (lead >> 5) == 6  ? 2
                 : (lead >> 4) == 14 ? 3
                 : (lead >> 3) == 30 ? 4
                                     : 0;
    valid = length > 0 && pos + length <= text.size();
    if (!valid) {
        ++pos;
        return NoCharacter;
    }
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            valid = false;
            ++pos;
            return NoCharacter;
        }
        c = (c << 6) | (next & 0x3F);
    }
    pos += length;
    return c;
}

}  // namespace

std::string Utf8ToCp1251(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        bool valid = false;
        const char32_t c = NextCodePoint(utf8, pos, valid);
        if (valid && c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        const auto& reverse = Page().reverse;
        auto found = valid ? reverse.find(c) : reverse.end();
        out += found == reverse.end() ? '?' : static_cast<char>(found->second);
    }
    return out;
}

std::string Cp1251ToUtf8(std::string_view cp1251) {
    std::string out;
    out.reserve(cp1251.size() * 2);
    for (char byte : cp1251) {
        const auto b = static_cast<unsigned char>(byte);
        if (b < 0x80) {
            out += byte;
        } else {
            const char32_t c = Page().upper[b - 0x80];
            AppendUtf8(out, c == NoCharacter ? U'?' : c);
        }
    }
    return out;
}

std::size_t Utf8Length(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++count) {
        bool valid = false;
        NextCodePoint(utf8, pos, valid);
    }
    return count;
}

std::string Utf8Prefix(std::string_view utf8, std::size_t characters) {
    std::size_t pos = 0;
    for (std::size_t count = 0; count < characters && pos < utf8.size(); ++count) {
        bool valid = false;
        NextCodePoint(utf8, pos, valid);
    }
    return std::string(utf8.substr(0, pos));
}

}  // namespace qnetica
