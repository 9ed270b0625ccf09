#include <cstdio>
#include <cstring>

namespace {

void PrintUsage(std::FILE* out) {
    std::fputs(
        "Usage: qnetica-calc NETWORK.qnf [options]\n"
        "Computes an open network of queueing systems stored in a .qnf file.\n"
        "The calculation itself is not available in this build yet.\n",
        out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        PrintUsage(stdout);
        return 0;
    }
    PrintUsage(stderr);
    return 2;
}
