#include "model/RandomFill.h"

#include "model/NumberText.h"

namespace qnetica {

std::int32_t RandomGenerator::NextInt(std::int32_t below) {
    Advance();
    return static_cast<std::int32_t>(
        (static_cast<std::uint64_t>(state_) * static_cast<std::uint64_t>(below)) >> 32);
}

double RandomGenerator::NextReal() {
    Advance();
    return static_cast<double>(state_) / 4294967296.0;
}

namespace {

// Row `from`: every destination but the last gets a random share (half of them none), the last
// takes the remainder.
void FillRow(NetworkModel& model, RandomGenerator& random, int from) {
    const int n = model.NodeCount();
    double sum = 0;
    for (int to = 0; to <= n - 2; ++to) {
        double share = 0;
        do {
            share = static_cast<double>(static_cast<long double>(random.NextReal()) / n * 1.5L);
        } while (static_cast<long double>(sum) + share >= 1.0L);
        if (random.NextReal() < 0.5) share = 0;
        sum += share;
        model.Matrix().SetCell(from, to, FormatFixed(share));
    }
    model.Matrix().SetCell(from, n - 1, FormatFixed(1.0 - sum));
}

std::int32_t DrawChannels(RandomGenerator& random) {
    std::int32_t channels = 0;
    do {
        const std::int32_t up = random.NextInt(15);
        channels = up - random.NextInt(17) + 1;
    } while (channels < 1);
    return channels;
}

}  // namespace

void RandomFill(NetworkModel& model, RandomGenerator& random, int areaWidth, int areaHeight) {
    model.SetInputRate(random.NextInt(50000) + 1);
    model.SetInputRateText(FormatFixed(model.InputRate()));
    const int n = model.NodeCount();
    for (int from = 0; from < n; ++from) FillRow(model, random, from);
    for (int k = 1; k <= n && k <= SlotCount; ++k) {
        QsParams& slot = model.Qs(k);
        slot.ServiceTime = random.NextReal() / model.InputRate();
        slot.PosX = random.NextInt(areaWidth);
        slot.PosY = random.NextInt(areaHeight);
        slot.Channels = DrawChannels(random);
    }
    model.NotifyMatrixReplaced();
}

}  // namespace qnetica
