#pragma once

#include <string>
#include <vector>

#include "model/NetworkModel.h"

namespace qnetica {

// The networks the budgets are stated for.

// The random fill's network with 151 nodes, as the program makes it right after start-up.
void FillRandomNetwork(NetworkModel& model);

// The random network with every kind of QS: every third QS keeps a bounded queue, every third
// another has three relative priority classes.
void FillMixedNetwork(NetworkModel& model);

// The generator's network of 7 base QS (127 QS).
void FillGeneratedNetwork(NetworkModel& model);

// Options of qnetica-calc for a 100-step run of a 150-QS network with every kind varied.
std::vector<std::string> VaryEverythingOptions(const NetworkModel& model);

}  // namespace qnetica
