#include "engine/ClassResultsFile.h"

#include <sys/types.h>
#include <unistd.h>

#include <array>
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

using RecordBytes = std::array<char, RecordSize>;

// Writes the values as little-endian doubles from `out` on; returns the end.
char* PutDoubles(char* out, const ClassResults::Array& values) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, values.data(), sizeof values);
        return out + sizeof values;
    }
    for (double value : values) {
        const auto bits = std::bit_cast<std::uint64_t>(value);
        for (int i = 0; i < 8; ++i) *out++ = static_cast<char>((bits >> (8 * i)) & 0xFF);
    }
    return out;
}

RecordBytes EncodeRecord(const ClassResults& record) {
    RecordBytes bytes;
    char* out = bytes.data();
    for (const ClassResults::Array* values :
         {&record.ClassWaitTime, &record.ClassScratch, &record.ClassQueueLength,
          &record.ClassInSystem, &record.ClassSojournTime, &record.ClassArrivalRate,
          &record.ClassServiceTime, &record.ClassLoad})
        out = PutDoubles(out, *values);
    return bytes;
}

}  // namespace

// The file of the step before is written over and cut to its new length when closed. Emptying
// it when it is opened would have the file system write it out to the disk at every step, and
// make the step wait for the disk while other programs use it.
void ClassResultsFile::Create() {
    file_.reset();
    length_ = 0;
    errno = 0;
    file_.reset(std::fopen(fileName_.c_str(), "r+b"));
    if (!file_) {
        errno = 0;
        file_.reset(std::fopen(fileName_.c_str(), "wb"));
    }
    if (!file_) Fail("создать", fileName_, errno);
}

void ClassResultsFile::Append(const ClassResults& record) {
    if (!file_) Fail("записать", fileName_, EBADF);
    const RecordBytes bytes = EncodeRecord(record);
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size())
        Fail("записать", fileName_, errno);
    length_ += bytes.size();
}

bool ClassResultsFile::CutToLength() {
    errno = 0;
    return std::fflush(file_.get()) == 0 &&
           ::ftruncate(::fileno(file_.get()), static_cast<off_t>(length_)) == 0;
}

void ClassResultsFile::Close() {
    if (!file_) return;
    if (!CutToLength()) {
        const int error = errno;
        file_.reset();
        Fail("записать", fileName_, error);
    }
    errno = 0;
    if (std::fclose(file_.release()) != 0) Fail("закрыть", fileName_, errno);
}

void ClassResultsFile::Abandon() {
    if (!file_) return;
    CutToLength();  // what the step wrote, and nothing of the step before
    file_.reset();
}

}  // namespace qnetica
