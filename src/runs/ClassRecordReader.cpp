#include "runs/ClassRecordReader.h"

#include <array>
#include <cerrno>

#include "runs/LittleEndian.h"
#include "runs/OutputFile.h"

namespace qnetica {

ClassResults DecodeClassResults(std::string_view bytes) {
    ClassResults record;
    const std::array<ClassResults::Array*, 8> arrays = {
        &record.ClassWaitTime,    &record.ClassScratch,     &record.ClassQueueLength,
        &record.ClassInSystem,    &record.ClassSojournTime, &record.ClassArrivalRate,
        &record.ClassServiceTime, &record.ClassLoad};
    std::size_t offset = 0;
    for (auto* array : arrays) {
        for (double& value : *array) {
            value = little_endian::ReadDouble(bytes, offset);
            offset += 8;
        }
    }
    return record;
}

FileResult ClassRecordReader::Open(const std::string& fileName) {
    fileName_ = fileName;
    errno = 0;
    file_.reset(std::fopen(fileName.c_str(), "rb"));
    if (!file_) return SystemFileFailure("открыть", fileName, errno);
    return {};
}

FileResult ClassRecordReader::Next(ClassResults& record) {
    if (!file_) return SystemFileFailure("прочитать", fileName_, EBADF);
    std::string bytes(ClassRecordSize, '\0');
    errno = 0;
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file_.get());
    if (got != bytes.size()) {
        if (std::ferror(file_.get())) return SystemFileFailure("прочитать", fileName_, errno);
        return FileFailure("прочитать", fileName_, "неожиданный конец файла");
    }
    record = DecodeClassResults(bytes);
    return {};
}

}  // namespace qnetica
