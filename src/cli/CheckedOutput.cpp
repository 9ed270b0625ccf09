#include "cli/CheckedOutput.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "runs/OutputFile.h"

namespace qnetica {

void CheckedOutput::Write(std::string_view text) {
    if (error_ != 0) return;
    errno = 0;
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    Check();
}

bool CheckedOutput::Finish() {
    if (error_ == 0) {
        errno = 0;
        out_.flush();
        Check();
    }
    return error_ == 0;
}

void CheckedOutput::Check() {
    if (!out_) error_ = errno != 0 ? errno : EIO;
}

FileResult CopyFileTo(const std::string& path, CheckedOutput& out) {
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    errno = 0;
    const std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "rb"));
    if (!file) return SystemFileFailure("открыть", path, errno);
    std::string buffer(1 << 16, '\0');
    for (;;) {
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file.get());
        out.Write(std::string_view(buffer.data(), got));
        if (got < buffer.size()) break;
    }
    if (std::ferror(file.get())) return SystemFileFailure("прочитать", path, errno);
    return {};
}

}  // namespace qnetica
