#include "engine/ClassResultsFile.h"

#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "model/Error.h"

namespace qnetica {
namespace {

constexpr std::size_t RecordSize = sizeof(ClassResults);

[[noreturn]] void Fail(const char* action, const std::string& fileName, int error) {
    throw Error("Не удалось " + std::string(action) + " файл \"" + fileName +
                "\": " + std::strerror(error != 0 ? error : EIO));
}

void AppendDoubles(std::string& bytes, const ClassResults::Array& values) {
    for (double value : values) {
        const auto bits = std::bit_cast<std::uint64_t>(value);
        for (int i = 0; i < 8; ++i) bytes += static_cast<char>((bits >> (8 * i)) & 0xFF);
    }
}

std::string EncodeRecord(const ClassResults& record) {
    std::string bytes;
    bytes.reserve(RecordSize);
    for (const ClassResults::Array* values :
         {&record.ClassWaitTime, &record.ClassScratch, &record.ClassQueueLength,
          &record.ClassInSystem, &record.ClassSojournTime, &record.ClassArrivalRate,
          &record.ClassServiceTime, &record.ClassLoad})
        AppendDoubles(bytes, *values);
    return bytes;
}

}  // namespace

void ClassResultsFile::Create() {
    file_.reset();
    errno = 0;
    file_.reset(std::fopen(fileName_.c_str(), "wb"));
    if (!file_) Fail("создать", fileName_, errno);
}

void ClassResultsFile::Append(const ClassResults& record) {
    if (!file_) Fail("записать", fileName_, EBADF);
    const std::string bytes = EncodeRecord(record);
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size())
        Fail("записать", fileName_, errno);
}

void ClassResultsFile::Close() {
    if (!file_) return;
    errno = 0;
    if (std::fclose(file_.release()) != 0) Fail("закрыть", fileName_, errno);
}

}  // namespace qnetica
