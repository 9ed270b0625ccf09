#pragma once

#include <cstdint>
#include <vector>

namespace qnetica::sim {

// A first-in first-out queue of request numbers in a ring that doubles when full; it never
// shrinks, so a run allocates only while its queues reach new lengths.
class RequestQueue {
  public:
    bool Empty() const { return head_ == tail_; }
    std::uint32_t Size() const { return tail_ - head_; }

    void Push(std::uint32_t request) {
        if (Size() == ring_.size()) Grow();
        ring_[tail_++ & mask_] = request;
    }
    std::uint32_t Pop() { return ring_[head_++ & mask_]; }

  private:
    void Grow() {
        std::vector<std::uint32_t> wider(ring_.empty() ? 8 : 2 * ring_.size());
        for (std::uint32_t i = 0; i < Size(); ++i) wider[i] = ring_[(head_ + i) & mask_];
        tail_ = Size();
        head_ = 0;
        ring_.swap(wider);
        mask_ = static_cast<std::uint32_t>(ring_.size() - 1);
    }

    std::vector<std::uint32_t> ring_;
    std::uint32_t mask_ = 0;
    std::uint32_t head_ = 0;  // both count up and wrap; their difference is the size
    std::uint32_t tail_ = 0;
};

}  // namespace qnetica::sim
