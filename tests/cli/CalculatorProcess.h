#pragma once

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace qnetica::test {

// qnetica-calc started as a user starts it: a process of its own, with its own environment,
// standard output and file-size limit.
struct CalculatorProcess {
    std::vector<std::string> Args;
    std::string Stdout = "/dev/null";
    std::string Stderr = "/dev/null";
    std::optional<std::string> TmpDir;  // replaces this process's TMPDIR
    bool WithoutTmpDir = false;         // TMPDIR removed from the environment
    rlim_t FileSizeLimit = RLIM_INFINITY;

    std::vector<std::string> Environment() const {
        std::vector<std::string> words;
        for (char** entry = environ; *entry != nullptr; ++entry)
            if (!(TmpDir || WithoutTmpDir) || std::string(*entry).rfind("TMPDIR=", 0) != 0)
                words.emplace_back(*entry);
        if (TmpDir) words.push_back("TMPDIR=" + *TmpDir);
        return words;
    }

    // The child's process id; -1 when it could not be started.
    pid_t Start() const {
        std::vector<std::string> words{QNETICA_CALC_PATH};
        words.insert(words.end(), Args.begin(), Args.end());
        std::vector<std::string> environment = Environment();
        std::vector<char*> argv, envp;
        for (auto& word : words) argv.push_back(word.data());
        for (auto& entry : environment) envp.push_back(entry.data());
        argv.push_back(nullptr);
        envp.push_back(nullptr);
        const pid_t pid = ::fork();
        if (pid != 0) return pid;
        // The child: only async-signal-safe calls up to the exec.
        const int out = ::open(Stdout.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(Stderr.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) ::_exit(126);
        const rlimit limit{FileSizeLimit, FileSizeLimit};
        if (FileSizeLimit != RLIM_INFINITY && ::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(126);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
};

// The exit status of a started process; 128 + the signal for one that a signal ended.
inline int WaitForExit(pid_t pid) {
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

inline int RunToEnd(const CalculatorProcess& process) {
    return WaitForExit(process.Start());
}

inline std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace qnetica::test
