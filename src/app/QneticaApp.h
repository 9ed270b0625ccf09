#pragma once

namespace qnetica {

// Creates the program's windows and runs the event loop; returns the exit code.
int RunQnetica(int argc, char** argv);

}  // namespace qnetica
