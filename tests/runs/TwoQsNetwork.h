#pragma once

#include "RunsTestSupport.h"
#include "engine/CalculationContext.h"
#include "engine/EngineTypes.h"
#include "model/NetworkModel.h"

namespace qnetica::test {

// The network of the report tests: S0 -> QS 1 (two channels) -> QS 2 (one channel, relative
// priority with two equal classes) -> S0, with the results a calculation leaves in it. The
// engine is not needed: each step's results are put in place as it would leave them.
struct TwoQsNetwork {
    NetworkModel model;
    CalculationContext context;
    NetworkTotals totals;

    TwoQsNetwork() {
        AddQs(model, 2);
        model.Qs(1).Name = "Вход";
        model.Qs(1).ServiceTime = 1;
        model.Qs(1).Channels = 2;
        QsParams& priority = model.Qs(2);
        priority.Name = "Приоритет";
        priority.ServiceTime = 1;
        priority.Channels = 1;
        priority.RelativePriority = true;
        priority.PriorityClasses = 2;
        priority.ClassShare(1) = priority.ClassShare(2) = 0.5;
    }

    // Input rate 0.5: both QS computed, QS 2 leaves one class record.
    void LoadStep1() {
        context.StartStep(1);
        context.ClassFileStarted = true;
        model.SetInputRate(0.5);
        SetResults(1,
                   {0.5, 0, 0.5, 1.0 / 30, 0.5 + 1.0 / 30, 1.0 / 15, 1 + 1.0 / 15, 0.25, 0.6, 1});
        SetResults(2, {0.5, 0, 0.5, 0.5, 1, 2, 4, 0.5, 0.5, 1});
        totals = {0.5 + 1.0 / 30, 1.5 + 1.0 / 30, 2 + 1.0 / 15, 5 + 1.0 / 15};
    }

    // Input rate 1: QS 2 is overloaded and keeps its step-1 values beyond flow and load.
    void LoadStep2() {
        context.StartStep(2);
        model.SetInputRate(1);
        SetResults(1, {1, 0, 1, 1.0 / 3, 4.0 / 3, 1.0 / 3, 4.0 / 3, 0.5, 1.0 / 3, 1});
        QsResults& overloaded = model.Qs(2).Results;
        overloaded.ArrivalRate = overloaded.OfferedLoad = overloaded.LoadFactor = 1;
        context.Overloaded = context.QsOverloaded[2] = true;
        totals = {1.0 / 3 + 0.5, 4.0 / 3 + 1, 1.0 / 3 + 2, 4.0 / 3 + 4};
    }

    // The record of QS 2 in step 1, classes in class order.
    static ClassResults Step1ClassRecord() {
        ClassResults record;
        record.ClassWaitTime[0] = 4.0 / 3;
        record.ClassWaitTime[1] = 2.0 / 3;
        record.ClassQueueLength[0] = 1.0 / 3;
        record.ClassQueueLength[1] = 1.0 / 6;
        record.ClassInSystem[0] = 7.0 / 12;
        record.ClassInSystem[1] = 5.0 / 12;
        record.ClassSojournTime[0] = 7.0 / 3;
        record.ClassSojournTime[1] = 5.0 / 3;
        record.ClassArrivalRate[0] = record.ClassArrivalRate[1] = 0.25;
        record.ClassServiceTime[0] = record.ClassServiceTime[1] = 1;
        record.ClassLoad[0] = record.ClassLoad[1] = 0.25;
        return record;
    }

  private:
    void SetResults(int k, const QsResults& results) { model.Qs(k).Results = results; }
};

}  // namespace qnetica::test
