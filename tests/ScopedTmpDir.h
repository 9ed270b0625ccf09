#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace qnetica::test {

// TMPDIR of this process as a test sets it (unset for none), given back afterwards.
class ScopedTmpDir {
  public:
    explicit ScopedTmpDir(const std::optional<std::string>& value) {
        if (const char* old = std::getenv("TMPDIR")) saved_ = old;
        Set(value);
    }
    ~ScopedTmpDir() { Set(saved_); }

  private:
    static void Set(const std::optional<std::string>& value) {
        if (value)
            ::setenv("TMPDIR", value->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }
    std::optional<std::string> saved_;
};

}  // namespace qnetica::test
