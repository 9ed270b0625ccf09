#include "runs/StepResultsReader.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "runs/OutputFile.h"
#include "runs/StepResultsFile.h"

namespace qnetica {
namespace {

struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

StepResultsReadout ReadStepResults(const std::string& fileName) {
    StepResultsReadout readout;
    errno = 0;
    const std::unique_ptr<std::FILE, Closer> file(std::fopen(fileName.c_str(), "rb"));
    if (!file) {
        readout.Result = SystemFileFailure("открыть", fileName, errno);
        return readout;
    }
    std::string record(StepSnapshotSize, '\0');
    for (;;) {
        errno = 0;
        const std::size_t got = std::fread(record.data(), 1, record.size(), file.get());
        if (std::ferror(file.get())) {
            readout.Steps.clear();
            readout.Result = SystemFileFailure("прочитать", fileName, errno);
            return readout;
        }
        if (got != record.size()) break;
        readout.Steps.push_back(DecodeStepSnapshot(record));
    }
    if (readout.Steps.empty())
        readout.Result = FileFailure("прочитать", fileName, "в файле нет ни одной записи");
    return readout;
}

}  // namespace qnetica
