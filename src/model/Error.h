#pragma once

#include <stdexcept>
#include <string>

namespace qnetica {

// The one error type of the core: its message is the text to show to the user as it stands.
class Error : public std::runtime_error {
  public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace qnetica
