#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "model/NetworkFile.h"

namespace qnetica {

// A file written in pieces (the report and the per-step results of a varied run). Every
// operation is checked; a failure names the file and the system's reason. Destroying an open
// file closes it without a report, so an aborted run leaves nothing open.
class OutputFile {
  public:
    // Creates the file or empties an existing one.
    [[nodiscard]] FileResult Create(const std::string& fileName);
    // Appends the bytes and hands them to the system at once.
    [[nodiscard]] FileResult Append(std::string_view bytes);
    [[nodiscard]] FileResult Close();
    bool IsOpen() const { return file_ != nullptr; }
    const std::string& FileName() const { return fileName_; }

  private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
    std::string fileName_;
};

// Creates or overwrites a file with the given bytes, in one go.
[[nodiscard]] FileResult WriteWholeFile(const std::string& fileName, std::string_view bytes);

// "Не удалось <action> файл "NAME": <reason>", the form of every file message of a run.
FileResult FileFailure(const std::string& action, const std::string& fileName,
                       const std::string& reason);
// The same with the system's text for an errno value (EIO when the system left none).
FileResult SystemFileFailure(const std::string& action, const std::string& fileName, int error);

}  // namespace qnetica
