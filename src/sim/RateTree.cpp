#include "sim/RateTree.h"

namespace qnetica::sim {

RateTree::RateTree(std::size_t leaves) : width_(1) {
    while (width_ < leaves) width_ *= 2;
    nodes_.assign(2 * width_, 0.0);
}

}  // namespace qnetica::sim
