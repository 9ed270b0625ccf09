// CTest runs the cases of one test program as parallel processes in one folder, and the
// program's temporary files ("swap.tmp", "qnrep.tmp", reports) have fixed names. So every
// test process works in a fresh folder of its own, removed when it ends.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class IsolatedWorkDir {
  public:
    IsolatedWorkDir() : parent_(std::filesystem::current_path()) {
        std::string name = (parent_ / "run-XXXXXX").string();
        if (::mkdtemp(name.data()) == nullptr) return;
        folder_ = name;
        std::filesystem::current_path(folder_);
    }
    ~IsolatedWorkDir() {
        if (folder_.empty()) return;
        std::error_code ignored;
        std::filesystem::current_path(parent_, ignored);
        std::filesystem::remove_all(folder_, ignored);
    }

  private:
    std::filesystem::path parent_;
    std::filesystem::path folder_;
};

const IsolatedWorkDir workDir;

}  // namespace
