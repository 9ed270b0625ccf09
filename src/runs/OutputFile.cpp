#include "runs/OutputFile.h"

#include <cerrno>
#include <cstring>

namespace qnetica {

FileResult FileFailure(const std::string& action, const std::string& fileName,
                       const std::string& reason) {
    return {false, "Не удалось " + action + " файл \"" + fileName + "\": " + reason};
}

FileResult SystemFileFailure(const std::string& action, const std::string& fileName, int error) {
    return FileFailure(action, fileName, std::strerror(error != 0 ? error : EIO));
}

FileResult OutputFile::Create(const std::string& fileName) {
    file_.reset();
    fileName_ = fileName;
    errno = 0;
    file_.reset(std::fopen(fileName.c_str(), "wb"));
    if (!file_) return SystemFileFailure("создать", fileName, errno);
    return {};
}

FileResult OutputFile::Append(std::string_view bytes) {
    if (!file_) return SystemFileFailure("записать", fileName_, EBADF);
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size() ||
        std::fflush(file_.get()) != 0)
        return SystemFileFailure("записать", fileName_, errno);
    return {};
}

FileResult OutputFile::Close() {
    if (!file_) return {};
    errno = 0;
    const int status = std::fclose(file_.release());
    if (status != 0) return SystemFileFailure("закрыть", fileName_, errno);
    return {};
}

FileResult WriteWholeFile(const std::string& fileName, std::string_view bytes) {
    OutputFile file;
    if (auto created = file.Create(fileName); !created.Ok) return created;
    if (auto written = file.Append(bytes); !written.Ok) return written;
    return file.Close();
}

}  // namespace qnetica
