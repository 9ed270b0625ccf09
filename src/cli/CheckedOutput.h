#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "model/NetworkFile.h"

namespace qnetica {

// Standard output whose every write is checked; the first failure keeps the system's reason
// and later writes are dropped.
class CheckedOutput {
  public:
    explicit CheckedOutput(std::ostream& out) : out_(out) {}
    void Write(std::string_view text);
    // Flushes; false (with the reason in Error) when anything was lost.
    bool Finish();
    int Error() const { return error_; }

  private:
    void Check();

    std::ostream& out_;
    int error_ = 0;
};

// The bytes of a file, as they are; a file that cannot be read is a failure naming it.
FileResult CopyFileTo(const std::string& path, CheckedOutput& out);

}  // namespace qnetica
