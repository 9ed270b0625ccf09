#pragma once

#include <string>
#include <vector>

#include "engine/EngineTypes.h"
#include "model/QsKind.h"

namespace qnetica {

// One QS after one step, as the calculation left it. An overloaded QS was computed only up to
// its load: its other figures are those of an earlier step.
struct QsFigures {
    int Number = 0;
    std::string Name;
    QsKind Kind = QsKind::Plain;
    double ServiceTime = 0;
    int Channels = 0;
    int Places = 0;
    double ArrivalRate = 0;
    double OfferedLoad = 0;
    double LoadFactor = 0;
    double IdleProbability = 0;
    double QueueLength = 0;
    double InSystem = 0;
    double WaitTime = 0;
    double SojournTime = 0;
    double TransferCoefficient = 0;
    bool Overloaded = false;
    double LossProbability = 0;  // a bounded QS
    double ServedRate = 0;       // a bounded QS: the flow it serves and passes on

    // The load per channel as the overload test sees it (the results table's load factor).
    double LoadPerChannel() const { return Channels != 0 ? OfferedLoad / Channels : 0; }
};

// One step of a run: the input rate applied, the totals, every QS.
struct StepFigures {
    int Step = 1;
    double InputRate = 0;
    bool Overloaded = false;  // some QS was overloaded
    NetworkTotals Totals;
    std::vector<QsFigures> Qs;  // [k-1] for QS k

    std::vector<int> OverloadedQs() const {
        std::vector<int> numbers;
        for (const QsFigures& qs : Qs)
            if (qs.Overloaded) numbers.push_back(qs.Number);
        return numbers;
    }
};

}  // namespace qnetica
