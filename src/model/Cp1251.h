#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qnetica {

// Windows-1251 exists only at the file boundaries; in memory every text is UTF-8.
// A character that Windows-1251 cannot hold becomes "?", as does a byte it leaves undefined.
std::string Utf8ToCp1251(std::string_view utf8);
std::string Cp1251ToUtf8(std::string_view cp1251);

// Characters, not bytes: a Cyrillic name of 10 letters is 20 UTF-8 bytes.
std::size_t Utf8Length(std::string_view utf8);
std::string Utf8Prefix(std::string_view utf8, std::size_t characters);

}  // namespace qnetica
