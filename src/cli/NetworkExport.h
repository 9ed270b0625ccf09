#pragma once

#include <iosfwd>
#include <string>

namespace qnetica {

// --export-network: reads the network file, of either form, and writes it into `target` in the
// other form: JSON from a .qnf image, a .qnf image from JSON, each through a temporary file
// renamed over the target. Returns the calculator's exit code; messages go to err.
int ExportNetwork(const std::string& modelFile, const std::string& target, std::ostream& err);

}  // namespace qnetica
