#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "runs/QuietRunPresenter.h"

namespace qnetica::fuzz {

// A varied run writes its report, and the targets their networks, into the current folder, so
// each fuzzing process works in a fresh folder of its own: in memory where there is one, since
// every saved network is synced to its disk.
inline void EnterScratchFolder() {
    char inMemory[] = "/dev/shm/qnetica-fuzz-XXXXXX";
    char onDisk[] = "/tmp/qnetica-fuzz-XXXXXX";
    char* name = ::mkdtemp(inMemory);
    if (name == nullptr) name = ::mkdtemp(onDisk);
    if (name == nullptr || ::chdir(name) != 0) {
        std::perror("qnetica fuzz: scratch folder");
        std::abort();
    }
    static const std::string folder = name;
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    });
}

// Stands for the user: the run's parameters come from the input, every message is answered
// at once, nothing is shown.
class SilentPresenter : public QuietRunPresenter {
  public:
    using PlanSetter = void (*)(VariationPlan& plan, const NetworkModel& model, void* data);

    SilentPresenter(const NetworkModel& model, PlanSetter setter, void* data)
        : model_(model), setter_(setter), data_(data) {}

    void ShowMessage(MessageKind, const std::string& text) override {
        messageBytes_ += text.size();
    }
    void AskRunParameters(VariationPlan& plan) override { setter_(plan, model_, data_); }
    char DecimalSeparator() const override { return ','; }

  private:
    const NetworkModel& model_;
    PlanSetter setter_;
    void* data_;
    std::size_t messageBytes_ = 0;
};

// A property of the program that the input broke: a crash the fuzzer keeps the input of.
inline void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "qnetica fuzz: %s\n", what);
    std::abort();
}

}  // namespace qnetica::fuzz
