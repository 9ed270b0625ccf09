#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "cli/CheckedOutput.h"
#include "engine/AnalysisEngine.h"
#include "model/NetworkFile.h"
#include "runs/OutputFile.h"

namespace qnetica {

// One step of the calculator's JSON document: the input rate, whether some QS was overloaded and
// which ("overloaded", "overloaded_qs"), the totals and every QS with the classes of its record
// in classFile.
nlohmann::json StepJson(const NetworkModel& model, const CalculationContext& context,
                        const AnalysisEngine& engine, const std::string& classFile);

// The steps of the JSON document, written to a working file as each is computed, so that a
// long run of a large network never holds the document: "input_rate" and "messages" come
// before "steps" and are known only when the run has ended.
class JsonSteps {
  public:
    [[nodiscard]] FileResult Start(const std::string& path) { return file_.Create(path); }
    void Add(const nlohmann::json& step);
    // The whole document: the keys of head, then "steps" with every step added, laid out as
    // one dump with an indent of 2 would lay it out.
    [[nodiscard]] FileResult Print(const nlohmann::json& head, CheckedOutput& out);

  private:
    OutputFile file_;
    FileResult result_;  // the first failure of Add
    int count_ = 0;
};

}  // namespace qnetica
