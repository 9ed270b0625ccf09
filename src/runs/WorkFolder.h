#pragma once

#include <string>
#include <string_view>

#include "model/NetworkFile.h"

namespace qnetica {

// The private folder of one program's runs: the per-step records ("qnrep.tmp"), the class
// records ("swap.tmp") and any other working file live there, so that two programs started in
// one folder never share a file and no working file is opened through a name another user
// could plant. Made by mkdtemp (mode 0700) when a run first needs it, under TMPDIR when that is
// a writable folder, else (or when that fails) under /tmp; removed with everything in it when
// the object is destroyed.
class WorkFolder {
  public:
    // lastResort: the base folder tried after TMPDIR ("/tmp"; another one only for tests).
    explicit WorkFolder(std::string lastResort = "/tmp");
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    // Makes the folder unless it is there and still this user's own; a failure gives the
    // message a run shows, naming the last base folder tried and the system's reason.
    [[nodiscard]] FileResult Prepare();
    bool Exists() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }  // empty until Prepare succeeded

    // Paths of files in the folder; empty until the folder exists.
    std::string FilePath(std::string_view name) const;
    std::string StepResultsPath() const;
    std::string ClassResultsPath() const;

    // True when path leads (through any links) into this folder: a file the runs own.
    bool Holds(const std::string& path) const;
    // True when path is (through any links) "qnrep.tmp" or "swap.tmp" of this folder.
    bool IsRecordFile(const std::string& path) const;

    // Removes the folders of every WorkFolder of this process that are still there, and keeps
    // any from being made or written to afterwards: for a program stopped by a signal, which
    // ends without running the destructors. Not for a signal handler itself (it takes a lock).
    static void RemoveAllOfProcess();

  private:
    bool StillOwn() const;
    void Remove();

    std::string lastResort_;
    std::string path_;
};

}  // namespace qnetica
