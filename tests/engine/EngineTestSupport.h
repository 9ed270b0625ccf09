#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "engine/AnalysisEngine.h"
#include "engine/CalculationObserver.h"
#include "engine/QueueFigures.h"
#include "model/NetworkModel.h"

namespace qnetica::test {

struct RecordedMessage {
    MessageKind Kind;
    std::string Text;
    bool operator==(const RecordedMessage&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const RecordedMessage& message) {
    return out << static_cast<int>(message.Kind) << ": " << message.Text;
}

// Stands for the user: answers every message at once and remembers what it was shown.
class RecordingObserver : public CalculationObserver {
  public:
    void ShowMessage(MessageKind kind, const std::string& text) override {
        Messages.push_back({kind, text});
    }
    void SetProgress(int value) override { Progress.push_back(value); }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& message : Messages) texts.push_back(message.Text);
        return texts;
    }

    std::vector<RecordedMessage> Messages;
    std::vector<int> Progress;
};

// The exact decimal text of a double, so that the matrix reader gets the double back.
inline std::string ExactText(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

// Builds networks for the tests: QS are added with their service time and channels.
class NetworkSketch {
  public:
    explicit NetworkSketch(NetworkModel& model, double inputRate = 1.0) : model_(model) {
        model_.SetInputRate(inputRate);
    }
    QsParams& AddQs(double serviceTime, int channels = 1) {
        model_.AddNode();
        QsParams& qs = model_.Qs(model_.QsCount());
        qs.ServiceTime = serviceTime;
        qs.Channels = channels;
        return qs;
    }
    NetworkSketch& Link(int from, int to, double probability) {
        model_.Matrix().SetCell(from, to, ExactText(probability));
        return *this;
    }

  private:
    NetworkModel& model_;
};

// One QS fed from the outside and leaving to it: its arrival rate is the input rate.
inline QsParams& SingleQsNetwork(NetworkModel& model, double inputRate, double serviceTime,
                                 int channels = 1) {
    NetworkSketch sketch(model, inputRate);
    QsParams& qs = sketch.AddQs(serviceTime, channels);
    sketch.Link(0, 1, 1).Link(1, 0, 1);
    return qs;
}

// One calculation command: the engine, its context and the recording user.
struct CommandRun {
    AnalysisEngine Engine;
    CalculationContext Context;
    RecordingObserver Observer;

    explicit CommandRun(bool varied = false) {
        Context.VariedRun = varied;
        Engine.StartRun();
    }
    StepOutcome Step(NetworkModel& model, int step = 1) {
        Context.StartStep(step);
        return Engine.CalculateStep(model, Context, Observer);
    }
};

// What the queue formulas start from, rounded as the engine stores a and rho.
inline QsLoad MakeLoad(double arrivalRate, double serviceTime, int channels) {
    QsLoad load;
    load.ArrivalRate = arrivalRate;
    load.ServiceTime = serviceTime;
    load.Channels = channels;
    load.OfferedLoad = static_cast<double>(static_cast<long double>(arrivalRate) * serviceTime);
    load.LoadFactor = static_cast<double>(static_cast<long double>(load.OfferedLoad) / channels);
    return load;
}

// Tests that write "swap.tmp" work in a scratch folder of their own, whatever folder the test
// program was started in.
class ScratchFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::string pattern =
            (std::filesystem::temp_directory_path() / "qnetica-engine-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        scratch_ = pattern;
        std::filesystem::current_path(scratch_);
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(scratch_);
    }

  private:
    std::filesystem::path previous_;
    std::filesystem::path scratch_;
};

// Relative difference, with an absolute floor for values at or near zero.
inline double RelativeError(long double actual, long double expected) {
    const long double scale = std::max(std::fabs(expected), 1e-300L);
    return static_cast<double>(std::fabs(actual - expected) / scale);
}

// Quadruple precision (113-bit significand, the exponent range of long double) for reference
// values that the engine's extended precision cannot be checked against.
using Quad = __float128;

inline Quad Abs(Quad x) {
    return x < 0 ? -x : x;
}

// Relative difference from a reference in quadruple precision. A difference within the
// smallest subnormal double counts as none: a reference below the range of doubles can only
// come out as 0 or a subnormal.
inline double QuadRelativeError(double actual, Quad expected) {
    const Quad difference = Abs(static_cast<Quad>(actual) - expected);
    if (difference <= static_cast<Quad>(std::numeric_limits<double>::denorm_min())) return 0;
    return static_cast<double>(difference / Abs(expected));
}

}  // namespace qnetica::test
