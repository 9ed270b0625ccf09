#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "cli/Calculator.h"
#include "cli/InterruptCleanup.h"

int main(int argc, char** argv) {
    // The class lines of a varied-run report use the user's decimal separator.
    std::setlocale(LC_ALL, "");
    // Beyond a file-size limit a write fails with EFBIG, which is reported, instead of the
    // signal ending the process with a report half written.
    std::signal(SIGXFSZ, SIG_IGN);
    qnetica::RemoveWorkFoldersOnInterrupt();
    int code = qnetica::RunCalculator(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                      std::cerr, ::isatty(STDERR_FILENO) == 1);
    // What stdio still held goes out now, and the descriptor is closed, which is where some file
    // systems report a failed write; stdout itself stays open for the library's exit flush.
    // A failure is reported unless the run failed already.
    errno = 0;
    const bool written = std::fflush(stdout) == 0 && ::close(STDOUT_FILENO) == 0;
    if (!written && code == qnetica::ExitCompleted) {
        std::cerr << "qnetica-calc: cannot write to standard output: "
                  << std::strerror(errno != 0 ? errno : EIO) << '\n';
        code = qnetica::ExitFailed;
    }
    return code;
}
