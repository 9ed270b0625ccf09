#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "engine/EngineTypes.h"
#include "model/NetworkFile.h"

namespace qnetica {

inline constexpr std::size_t ClassRecordSize = 3200;

// Eight arrays of 50 little-endian doubles, in the order of ClassResults.
ClassResults DecodeClassResults(std::string_view bytes);

// Reads the class records of one step back from the class-results file, one after another in
// the order of the QS that wrote them.
class ClassRecordReader {
  public:
    [[nodiscard]] FileResult Open(const std::string& fileName);
    [[nodiscard]] FileResult Next(ClassResults& record);

  private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
    std::string fileName_;
};

}  // namespace qnetica
