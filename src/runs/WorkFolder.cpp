#include "runs/WorkFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <optional>
#include <vector>

#include "engine/EngineTypes.h"
#include "runs/StepResultsFile.h"

namespace qnetica {
namespace {

namespace fs = std::filesystem;

// The folders of this process's WorkFolders that exist, for RemoveAllOfProcess. Once that has
// run the process is ending: the lock stays taken so no folder is made or removed after it.
std::mutex liveLock;
std::vector<std::string> live;

void ForgetLive(const std::string& path) {
    live.erase(std::remove(live.begin(), live.end(), path), live.end());
}

bool IsWritableFolder(const char* path) {
    struct stat status {};
    return ::stat(path, &status) == 0 && S_ISDIR(status.st_mode) &&
           ::access(path, W_OK | X_OK) == 0;
}

// TMPDIR when it is set to a folder this user may write in, then the last resort.
std::vector<std::string> BaseFolders(const std::string& lastResort) {
    std::vector<std::string> bases;
    const char* tmpDir = std::getenv("TMPDIR");
    if (tmpDir != nullptr && *tmpDir != '\0' && IsWritableFolder(tmpDir) && tmpDir != lastResort)
        bases.emplace_back(tmpDir);
    bases.push_back(lastResort);
    return bases;
}

bool IsLink(const fs::path& path) {
    std::error_code missing;  // not there at all: no link
    return fs::is_symlink(fs::symlink_status(path, missing));
}

// The path with every link followed, also a last one that leads to a file not made yet (which
// opening the path would create); none for an empty or bad path.
std::optional<fs::path> Resolved(const std::string& path) {
    if (path.empty()) return std::nullopt;
    std::error_code error;
    fs::path resolved = fs::absolute(path, error);
    for (int hops = 0; !error && IsLink(resolved); ++hops) {
        if (hops == 40) return std::nullopt;  // a loop, which no one can open
        const fs::path target = fs::read_symlink(resolved, error);
        resolved = target.is_absolute() ? target : resolved.parent_path() / target;
    }
    if (!error) resolved = fs::weakly_canonical(resolved, error);
    if (error) return std::nullopt;
    return resolved;
}

std::string Template(std::string base) {
    if (base.size() > 1 && base.back() == '/') base.pop_back();
    return (base == "/" ? "" : base) + "/qnetica-XXXXXX";
}

}  // namespace

WorkFolder::WorkFolder(std::string lastResort) : lastResort_(std::move(lastResort)) {}

WorkFolder::~WorkFolder() {
    Remove();
}

FileResult WorkFolder::Prepare() {
    if (StillOwn()) return {};
    if (Exists()) {
        // Gone (a cleaner of old temporary files) or taken over: no longer ours to remove.
        const std::lock_guard guard(liveLock);
        ForgetLive(path_);
        path_.clear();
    }
    int error = 0;
    std::string base;
    for (const std::string& candidate : BaseFolders(lastResort_)) {
        std::string name = Template(candidate);
        const std::lock_guard guard(liveLock);
        if (::mkdtemp(name.data()) != nullptr) {
            path_ = name;
            live.push_back(path_);
            return {};
        }
        error = errno;
        base = candidate;
    }
    return {false, "Не удалось создать рабочую папку в \"" + base +
                       "\": " + std::strerror(error != 0 ? error : EIO)};
}

// The folder is still there as this user's own private folder, not a name someone took over
// after it went away.
bool WorkFolder::StillOwn() const {
    struct stat status {};
    return Exists() && ::lstat(path_.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid() && (status.st_mode & 077) == 0;
}

void WorkFolder::Remove() {
    if (!Exists()) return;
    const std::lock_guard guard(liveLock);
    std::error_code ignored;
    fs::remove_all(path_, ignored);  // removes links, never what they lead to
    ForgetLive(path_);
    path_.clear();
}

void WorkFolder::RemoveAllOfProcess() {
    liveLock.lock();  // never released: see liveLock
    for (const std::string& path : live) {
        // A file the run was still writing may appear while the folder is emptied; a second
        // pass takes it too.
        std::error_code ignored;
        for (int pass = 0; pass < 2 && fs::exists(fs::symlink_status(path, ignored)); ++pass)
            fs::remove_all(path, ignored);
    }
    live.clear();
}

std::string WorkFolder::FilePath(std::string_view name) const {
    if (!Exists()) return {};
    return path_ + "/" + std::string(name);
}

std::string WorkFolder::StepResultsPath() const {
    return FilePath(StepResultsFileName);
}

std::string WorkFolder::ClassResultsPath() const {
    return FilePath(ClassResultsFileName);
}

bool WorkFolder::Holds(const std::string& path) const {
    const auto folder = Resolved(path_);
    const auto file = Resolved(path);
    if (!Exists() || !folder || !file) return false;
    return std::mismatch(folder->begin(), folder->end(), file->begin(), file->end()).first ==
           folder->end();
}

bool WorkFolder::IsRecordFile(const std::string& path) const {
    const auto file = Resolved(path);
    if (!Exists() || !file) return false;
    return file == Resolved(StepResultsPath()) || file == Resolved(ClassResultsPath());
}

}  // namespace qnetica
