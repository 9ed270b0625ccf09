#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qnetica {

// Reads the file from its start, at most `limit` bytes; a longer file is not an error. Returns 0
// or the errno of the failed open or read.
int ReadFileStart(const std::string& path, std::size_t limit, std::string& bytes);

// Writes the bytes into a temporary file beside the target, with the target's mode (or the
// umask's for a new file), flushes it to the disk and renames it over the target: the target is
// either the old file or the whole new one. Returns 0 or the errno of the failed step.
int WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace qnetica
