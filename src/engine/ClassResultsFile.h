#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>

#include "engine/EngineTypes.h"

namespace qnetica {

// "swap.tmp": the class records of the relative-priority QS of one step, 3200 bytes each,
// little-endian doubles in the order of ClassResults. Every operation is checked and a failure
// throws qnetica::Error naming the file and the system's reason.
class ClassResultsFile {
  public:
    explicit ClassResultsFile(std::string fileName = ClassResultsFileName)
        : fileName_(std::move(fileName)) {}

    // Starts the file anew: when it is closed, it holds just the records appended from here on.
    void Create();
    void Append(const ClassResults& record);
    void Close();
    // Closes without a report, for a command that ends early.
    void Abandon();
    bool IsOpen() const { return file_ != nullptr; }

  private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    bool CutToLength();

    std::string fileName_;
    std::unique_ptr<std::FILE, Closer> file_;
    std::size_t length_ = 0;  // bytes appended since Create
};

}  // namespace qnetica
