#pragma once

#include <string_view>
#include <variant>

#include <nlohmann/json.hpp>

#include "formats/NetworkJson.h"

namespace qnetica {

// Parses a JSON text as the standard has it, but refuses an object that names a key twice
// (which the library would take silently, keeping the last): a document means one thing only.
std::variant<nlohmann::json, JsonFault> ParseStrictJson(std::string_view text);

}  // namespace qnetica
