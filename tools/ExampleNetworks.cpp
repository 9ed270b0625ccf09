// Writes the example networks of models/ through the model API, so that their numbers are
// written once, here, with what each one is meant to show:
//   qnetica_example_networks MODELS_FOLDER
// single-qs.qnf and three-kinds.qnf are older and are kept as they are.
#include <cstdio>
#include <string>
#include <vector>

#include "model/GenerateModel.h"
#include "model/NetworkFile.h"
#include "model/NetworkModel.h"
#include "model/NumberText.h"

namespace {

using namespace qnetica;

struct QsSketch {
    std::string Name;
    double ServiceTime = 0;
    int Channels = 1;
    int Places = 0;              // a bounded QS: its whole capacity, in service and waiting
    std::vector<double> Shares;  // a relative-priority QS: class 1 first, the last most urgent
    int X = 0;
    int Y = 0;
};

struct Link {
    int From = 0;
    int To = 0;
    double Probability = 0;
};

struct Example {
    std::string File;
    double InputRate = 0;
    int SourceX = 0;
    int SourceY = 0;
    std::vector<QsSketch> Qs;
    std::vector<Link> Links;
};

void AddQs(NetworkModel& model, const QsSketch& sketch) {
    model.AddNode();
    QsParams& qs = model.Qs(model.QsCount());
    qs = QsParams{};  // a cleared network keeps the kinds and places of its old slots
    qs.Name = sketch.Name;
    qs.ServiceTime = sketch.ServiceTime;
    qs.Channels = sketch.Channels;
    qs.PosX = sketch.X;
    qs.PosY = sketch.Y;
    if (sketch.Places > 0) {
        qs.BoundedQueue = true;
        qs.QueuePlaces = sketch.Places;
    }
    if (!sketch.Shares.empty()) {
        qs.RelativePriority = true;
        qs.PriorityClasses = static_cast<int>(sketch.Shares.size());
        for (std::size_t k = 0; k < sketch.Shares.size(); ++k) qs.ClassShares[k] = sketch.Shares[k];
    }
}

void Fill(NetworkModel& model, const Example& example) {
    model.SetInputRate(example.InputRate);
    model.SetInputRateText(FormatFixed(example.InputRate));
    model.SetSourcePos(example.SourceX, example.SourceY);
    for (const QsSketch& sketch : example.Qs) AddQs(model, sketch);
    for (const Link& link : example.Links)
        model.Matrix().SetCell(link.From, link.To, FormatFixed(link.Probability));
}

// Patients of a clinic per hour: registration, a therapist who sends some to the laboratory or
// the X-ray room and sees them again with the results. The feedback doubles the doctors' flow.
Example Clinic() {
    return {"clinic.qnf",
            10,
            100,
            470,
            {{"Регистр.", 0.05, 1, 0, {}, 200, 260},
             {"Терапевт", 0.15, 4, 0, {}, 420, 260},
             {"Анализы", 0.1, 2, 0, {}, 640, 120},
             {"Рентген", 0.12, 1, 0, {}, 640, 400}},
            {{0, 1, 1},
             {1, 2, 1},
             {2, 3, 0.3},
             {2, 4, 0.2},
             {2, 0, 0.5},
             {3, 2, 1},
             {4, 2, 0.8},
             {4, 0, 0.2}}};
}

// Parts per minute through five stages in a row; the milling stage, loaded at 0.85, queues most.
Example ProductionLine() {
    return {"production-line.qnf",
            1,
            450,
            450,
            {{"Заготовка", 0.8, 1, 0, {}, 130, 250},
             {"Токарный", 1.5, 2, 0, {}, 290, 250},
             {"Фрезерный", 1.7, 2, 0, {}, 450, 250},
             {"Сборка", 0.7, 1, 0, {}, 610, 250},
             {"Упаковка", 0.5, 1, 0, {}, 770, 250}},
            {{0, 1, 1}, {1, 2, 1}, {2, 3, 1}, {3, 4, 1}, {4, 5, 1}, {5, 0, 1}}};
}

// Calls per minute: an answering machine settles 30 %, the rest wait for one of 5 operators
// with 5 more places on hold (10 in all); a call that finds them full is lost.
Example CallCentre() {
    return {"call-centre.qnf",
            2,
            100,
            450,
            {{"Автоответ", 0.5, 2, 0, {}, 220, 250},
             {"Операторы", 3, 5, 10, {}, 420, 250},
             {"Эксперты", 5, 2, 4, {}, 620, 380}},
            {{0, 1, 1}, {1, 0, 0.3}, {1, 2, 0.7}, {2, 3, 0.2}, {2, 0, 0.8}, {3, 0, 1}}};
}

// Patients per minute: triage, then doctors who take the emergencies (class 3) before the
// urgent (class 2) and the planned ones (class 1); diagnostics sends patients back to them.
Example EmergencyRoom() {
    return {"emergency.qnf",
            0.1,
            80,
            470,
            {{"Сортировка", 5, 2, 0, {}, 200, 260},
             {"Врачи", 12, 3, 0, {0.6, 0.3, 0.1}, 400, 260},
             {"Диагност.", 8, 1, 0, {}, 600, 120},
             {"Госпитал.", 10, 1, 0, {}, 600, 400}},
            {{0, 1, 1}, {1, 2, 1}, {2, 3, 0.4}, {2, 4, 0.2}, {2, 0, 0.4}, {3, 2, 1}, {4, 0, 1}}};
}

// Documents per hour: the check, loaded at 0.948, makes most of the waiting of the whole office.
Example Bottleneck() {
    return {"bottleneck.qnf",
            1,
            80,
            470,
            {{"Прием", 0.4, 1, 0, {}, 220, 260},
             {"Проверка", 1.58, 1, 0, {}, 420, 120},
             {"Расчет", 1, 2, 0, {}, 420, 400},
             {"Подпись", 0.5, 1, 0, {}, 620, 260}},
            {{0, 1, 1}, {1, 2, 0.6}, {1, 3, 0.4}, {2, 4, 1}, {3, 4, 1}, {4, 0, 1}}};
}

// A machine and a quality check that sends one part in five back: small enough to solve by hand.
Example Rework() {
    return {"rework.qnf",
            2,
            240,
            380,
            {{"Станок", 0.2, 1, 0, {}, 240, 200}, {"Контроль", 0.1, 1, 0, {}, 440, 200}},
            {{0, 1, 1}, {1, 2, 1}, {2, 1, 0.2}, {2, 0, 0.8}}};
}

bool Save(NetworkModel& model, const std::string& folder, const std::string& file) {
    const FileResult saved = SaveNetworkFile(model, folder + "/" + file);
    if (!saved.Ok) std::fprintf(stderr, "%s: %s\n", file.c_str(), saved.Message.c_str());
    return saved.Ok;
}

// The generator's network of 7 base QS (127 QS in all): a base QS keeps a request for about 70
// visits, so with 1 request per unit of time and a service time of 0.05 each base QS is loaded
// at 0.5.
bool SaveGenerated(NetworkModel& model, const std::string& folder) {
    GenerationRequest request{"1", "0.05", "1", "7", 1000, 640};
    const GenerationOutcome outcome = GenerateModel(model, request, [](const std::string&) {});
    if (outcome.End != GenerationEnd::Generated) {
        std::fprintf(stderr, "generation: %s\n", outcome.Message.c_str());
        return false;
    }
    model.SetGenerated(false);
    return Save(model, folder, "large-generated.qnf");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s MODELS_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    bool ok = true;
    for (const Example& example :
         {Clinic(), ProductionLine(), CallCentre(), EmergencyRoom(), Bottleneck(), Rework()}) {
        NetworkModel model;
        Fill(model, example);
        ok = Save(model, folder, example.File) && ok;
    }
    NetworkModel generated;
    ok = SaveGenerated(generated, folder) && ok;
    return ok ? 0 : 1;
}
