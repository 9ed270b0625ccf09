#pragma once

#include <cstdint>

#include "engine/QueueFigures.h"

namespace qnetica {

// The n-channel QS that holds at most m requests (M/M/n/m): a request that finds it full is
// lost. Stable at any load; with m < n it is m channels without waiting places.
QueueFigures BoundedQueue(const QsLoad& load, std::int32_t places);

}  // namespace qnetica
