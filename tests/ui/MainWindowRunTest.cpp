// Calculations started from the main window, with the parameters dialog, the progress window,
// the results window, the network chart and the editor as the program connects them.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <functional>
#include <ostream>
#include <vector>

#include "app/ProgramWindows.h"
#include "charts/NetworkChartDialog.h"
#include "editor/SchemeEditorWindow.h"
#include "model/Cp1251.h"
#include "model/NumberText.h"
#include "model/TextConcat.h"
#include "runs/ReportText.h"
#include "runs/ResultsReport.h"
#include "runs/StepResultsFile.h"
#include "support/ScriptedDialogs.h"
#include "ui/MainWindow.h"
#include "ui/ProgressWindow.h"
#include "ui/ResultsDialog.h"
#include "ui/RunParametersDialog.h"
#include "widgets/ProgressGauge.h"
#include "widgets/ReportViewer.h"

namespace qnetica {
namespace {

const QString ParametersCaption = QString::fromUtf8("Параметры расчета сети");
const QString ResultsCaption = QString::fromUtf8("Результат");
const QString ChartCaption = QString::fromUtf8("Диаграмма");

class MainWindowRunTest : public ::testing::Test {
  protected:
    NetworkModel& Model() { return form.Document().Model(); }

    // A chain S0 -> S1 -> .. -> Sn -> S0 of plain QS, each well below its load.
    void MakeChain(int qsCount) {
        for (int k = 1; k <= qsCount; ++k) {
            form.AddQs();
            Model().Qs(k).Name = Concat({"Q", std::to_string(k)});
            Model().Qs(k).ServiceTime = 0.1 * k;
            Model().Qs(k).Channels = 1;
        }
        for (int k = 0; k <= qsCount; ++k)
            Model().Matrix().SetCell(k, k == qsCount ? 0 : k + 1, "1");
        form.InputRateEdit()->setText("1");
    }

    // The user's answer in the parameters dialog, given when the dialog is shown.
    void AnswerParameters(const std::function<void(RunParametersDialog&)>& answer) {
        dialogs.QueueWindowAction([answer](QWidget& window) {
            auto* dialog = qobject_cast<RunParametersDialog*>(&window);
            ASSERT_NE(dialog, nullptr) << window.windowTitle().toStdString();
            answer(*dialog);
        });
    }
    void AnswerFixedRun() {
        AnswerParameters([](RunParametersDialog& dialog) {
            dialog.FixedRunButton()->setChecked(true);
            EXPECT_TRUE(dialog.Continue());
        });
    }
    void InResultsWindow(const std::function<void(ResultsDialog&)>& action) {
        dialogs.QueueWindowAction([action](QWidget& window) {
            auto* results = qobject_cast<ResultsDialog*>(&window);
            ASSERT_NE(results, nullptr) << window.windowTitle().toStdString();
            action(*results);
        });
    }

    QStringList ModalCaptions() const {
        QStringList captions;
        for (const auto& request : dialogs.Log())
            if (request.Kind == ScriptedDialogs::RequestKind::Modal) captions << request.Text;
        return captions;
    }
    // "qnrep.tmp" of the main window's runs, in their work folder.
    QString RunResultsFile() {
        return QString::fromStdString(form.Document().Work().StepResultsPath());
    }
    bool RunResultsFileExists() { return QFile::exists(RunResultsFile()); }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    // The windows as the program wires them at start.
    ProgramWindows program{dialogs};
    MainWindow& form = program.Main();
    ResultsDialog& resultsDialog = program.Results();
    SchemeEditorWindow& editorWindow = program.Editor();
    RunParametersDialog& parametersDialog = program.RunParameters();
    ProgressWindow& progressWindow = program.Progress();
};

TEST_F(MainWindowRunTest, CalculateControlsAreEnabledAndEachRunsTheCalculation) {
    for (int trigger = 0; trigger < 3; ++trigger) {
        dialogs.ClearLog();
        switch (trigger) {
            case 0:
                ASSERT_TRUE(form.CalculateButton()->isEnabled());
                form.CalculateButton()->click();
                break;
            case 1:
                ASSERT_TRUE(form.CalculateToolButton()->isEnabled());
                form.CalculateToolButton()->trigger();
                break;
            default:
                ASSERT_TRUE(form.CalculateMenuItem()->isEnabled());
                form.CalculateMenuItem()->trigger();
        }
        EXPECT_EQ(ModalCaptions(), QStringList({ParametersCaption})) << trigger;
    }
}

TEST_F(MainWindowRunTest, FixedRunOfThreeQsShowsTheResultsWindow) {
    MakeChain(3);
    AnswerFixedRun();
    std::vector<int> rows;
    bool progressHidden = false;
    InResultsWindow([&](ResultsDialog& results) {
        for (const QTableWidget* grid :
             {results.SourceGrid(), results.QsGrid(), results.NetworkGrid()})
            rows.push_back(results.RowCount(grid));
        progressHidden = !progressWindow.isVisible();
        EXPECT_EQ(results.SourceGrid()->item(2, 1)->text(), "Q3");
        EXPECT_EQ(results.QsGrid()->horizontalHeaderItem(2)->text(),
                  "Интенсивность входного потока");
        EXPECT_EQ(results.QsGrid()->item(0, 2)->text(), "1.0000000000");
        EXPECT_EQ(results.NetworkGrid()->item(0, 1)->text(), "1.0000000000");
    });
    form.Calculate();
    EXPECT_EQ(rows, (std::vector<int>{4, 4, 5}));
    EXPECT_TRUE(progressHidden);
    EXPECT_EQ(ModalCaptions(), QStringList({ParametersCaption, ResultsCaption}));
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(progressWindow.Gauge()->Maximum(), 4);  // NodeCount of a fixed run
    EXPECT_EQ(progressWindow.Gauge()->Progress(), 4);
    EXPECT_FALSE(RunResultsFileExists());  // a fixed run leaves it alone
}

TEST_F(MainWindowRunTest, ResultsWindowReportWritesTheTwentySixLinesOfTwoQs) {
    MakeChain(2);
    AnswerFixedRun();
    const QString path = folder.filePath("fixed.txt");
    bool written = false;
    InResultsWindow([&](ResultsDialog& results) {
        dialogs.QueueFile(path);
        written = results.SaveReport();
    });
    form.Calculate();
    ASSERT_TRUE(written);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.count("\r\n"), 26);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    // The results window's own header variant: the QS table's rules are 223 characters long.
    const ReportLines lines = BuildResultsReport(form.Document().Tables(), 3);
    ASSERT_EQ(lines.size(), 26u);
    EXPECT_EQ(bytes.toStdString(), EncodeReport(lines));
    EXPECT_NE(bytes.indexOf(QByteArray(223, '-')), -1);
    EXPECT_EQ(bytes.indexOf(QByteArray(224, '-')), -1);
}

TEST_F(MainWindowRunTest, ReportThatCannotBeWrittenShowsTheCoreMessageAndStays) {
    MakeChain(2);
    AnswerFixedRun();
    const QString path = folder.filePath("missing-folder/fixed.txt");
    bool written = true;
    InResultsWindow([&](ResultsDialog& results) {
        dialogs.QueueFile(path);
        written = results.SaveReport();
        dialogs.QueueFileCancel();
        EXPECT_FALSE(results.SaveReport());  // cancelled: nothing at all
    });
    form.Calculate();
    EXPECT_FALSE(written);
    const FileResult expected = WriteResultsReport(path.toStdString(), form.Document().Tables(), 3);
    ASSERT_FALSE(expected.Ok);
    const auto messages = dialogs.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].BoxKind, MessageBoxKind::Error);
    EXPECT_EQ(messages[0].Text, QString::fromStdString(expected.Message));
}

struct EndCase {
    const char* name;
    bool viewReport;
    bool chart;
};

const EndCase EndCases[] = {
    {"Nothing", false, false},
    {"ViewReport", true, false},
    {"Chart", false, true},
    {"Both", true, true},
};

class VariedRunTest : public MainWindowRunTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(VariedRunTest, AnnouncesTheReportAndShowsWhatWasTicked) {
    const EndCase& c = GetParam();
    MakeChain(2);
    const QString report = folder.filePath("varied.txt");
    AnswerParameters([&](RunParametersDialog& dialog) {
        dialog.VariedRunButton()->setChecked(true);
        dialog.VaryInputRateBox()->setChecked(true);
        dialog.InputRateFromField()->setText("1");
        dialog.InputRateToField()->setText("2");
        dialog.StepCountField()->setText("3");
        dialog.ViewReportBox()->setChecked(c.viewReport);
        dialog.ChartBox()->setChecked(c.chart);
        dialogs.QueueFile(report);
        dialog.ChooseReportFile();
        EXPECT_TRUE(dialog.Continue());
    });
    form.Calculate();

    const auto messages = dialogs.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].BoxKind, MessageBoxKind::Information);
    EXPECT_EQ(messages[0].Text, "Отчет сохранен в файл \"" + report + "\".");
    QStringList documents;
    // The report in the program's own viewer, decoded.
    if (program.Reports().isVisible()) documents << program.Reports().Path();
    EXPECT_EQ(documents, c.viewReport ? QStringList({report}) : QStringList());
    if (c.viewReport) {
        EXPECT_TRUE(program.Reports().Text().contains(QString::fromUtf8("СМО")));
    }
    EXPECT_EQ(ModalCaptions(), c.chart ? QStringList({ParametersCaption, ChartCaption})
                                       : QStringList({ParametersCaption}));

    EXPECT_TRUE(QFileInfo::exists(report));
    EXPECT_EQ(QFileInfo(RunResultsFile()).size(), 3 * static_cast<qint64>(StepSnapshotSize));
    // Given back as it was when the dialog opened: the field is read only after the dialog, so
    // a network never calculated before had 0.
    EXPECT_EQ(Model().InputRate(), 0);
    EXPECT_GT(form.Document().Totals().InNetworkTotal[2],
              form.Document().Totals().InNetworkTotal[0]);
    EXPECT_FALSE(progressWindow.isVisible());
    EXPECT_EQ(progressWindow.Gauge()->Maximum(), 9);  // NodeCount x StepCount
    EXPECT_TRUE(editorWindow.ReportButton()->isEnabled());
    EXPECT_TRUE(editorWindow.NetworkChartButton()->isEnabled());
    EXPECT_TRUE(editorWindow.QsChartButton()->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Ends, VariedRunTest, ::testing::ValuesIn(EndCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowRunTest, CancelledDialogStillReadsTheInputRateAndRunsNothing) {
    MakeChain(1);
    form.InputRateEdit()->setText("0.75");
    AnswerParameters([](RunParametersDialog& dialog) { dialog.Cancel(); });
    form.Calculate();
    EXPECT_EQ(Model().InputRate(), 0.75);
    EXPECT_EQ(ModalCaptions(), QStringList({ParametersCaption}));
    EXPECT_FALSE(progressWindow.isVisible());
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(MainWindowRunTest, RefusedNumberOfStepsKeepsTheDialogOpenUntilFixed) {
    MakeChain(1);
    AnswerParameters([](RunParametersDialog& dialog) {
        dialog.VariedRunButton()->setChecked(true);
        dialog.StepCountField()->setText("1");
        EXPECT_FALSE(dialog.Continue());
        dialog.StepCountField()->setText("2");
        EXPECT_TRUE(dialog.Continue());
    });
    form.Calculate();
    const auto messages = dialogs.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].Text, "Количество циклов должно лежать в пределах от 2 до 100.");
    EXPECT_EQ(messages[1].BoxKind, MessageBoxKind::Information);  // the run went ahead
}

// The records of a varied run are the window's own: a "qnrep.tmp" of the current folder
// (another program's) is neither written nor removed; the window's folder goes with the window.
TEST_F(MainWindowRunTest, RunAndExitLeaveTheCurrentFolderAlone) {
    QFile other(QDir::current().filePath("qnrep.tmp"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("another program's");
    other.close();
    MakeChain(1);
    AnswerParameters([](RunParametersDialog& dialog) {
        dialog.VariedRunButton()->setChecked(true);
        EXPECT_TRUE(dialog.Continue());
    });
    form.Calculate();
    ASSERT_TRUE(RunResultsFileExists());
    form.show();
    dialogs.QueueAnswer(MessageBoxAnswer::No);  // the network was changed: do not save
    EXPECT_TRUE(form.ExitProgram());
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    EXPECT_EQ(other.readAll(), "another program's");
}

TEST_F(MainWindowRunTest, NewNetworkResetsThePlanOfTheDiscardedNetwork) {
    MakeChain(2);
    VariationPlan& plan = form.Document().Plan();
    plan.StepCount = 7;
    plan.InputRateFrom = 3;
    plan.Qs(1).ServiceTo = 4;
    plan.Qs(2).ChannelsFrom = 5;
    plan.Qs(3).PlacesFrom = 6;  // slots up to the node count go
    plan.Qs(4).PlacesFrom = 8;  // those beyond it stay
    plan.ReportFileName = "kept.txt";
    dialogs.QueueAnswer(MessageBoxAnswer::No);
    ASSERT_TRUE(form.NewNetwork());
    EXPECT_EQ(plan.StepCount, 2);
    EXPECT_EQ(plan.InputRateFrom, 0);
    EXPECT_EQ(plan.Qs(1).ServiceTo, 0);
    EXPECT_EQ(plan.Qs(2).ChannelsFrom, 0);
    EXPECT_EQ(plan.Qs(3).PlacesFrom, 0);
    EXPECT_EQ(plan.Qs(4).PlacesFrom, 8);
    EXPECT_EQ(plan.ReportFileName, "kept.txt");
}

constexpr int QsCount = 150;
constexpr int Steps = 100;

// The largest network and the longest run, as a user would start it from the main window.
class StressRunTest : public MainWindowRunTest {
  protected:
    // The random fill's network with every kind of QS: bounded, relative priority and plain.
    void MakeMixedNetwork() {
        for (int k = 1; k <= QsCount; ++k) ASSERT_TRUE(form.AddQs());
        form.RandomFillNetwork();
        NetworkModel& model = form.Document().Model();
        for (int k = 1; k <= QsCount; ++k) {
            QsParams& qs = model.Qs(k);
            if (k % 3 == 1) {
                qs.BoundedQueue = true;
                qs.QueuePlaces = 3;
            } else if (k % 3 == 2) {
                qs.RelativePriority = true;
                qs.PriorityClasses = 3;
                for (int c = 1; c <= 3; ++c) qs.ClassShare(c) = 1.0 / 3;
            }
        }
    }

    // Every kind varied for every QS, typed row by row with the row's OK as a user would.
    void AnswerVaryEverything(const QString& report) {
        dialogs.QueueWindowAction([this, report](QWidget& window) {
            auto* dialog = qobject_cast<RunParametersDialog*>(&window);
            ASSERT_NE(dialog, nullptr);
            dialog->VariedRunButton()->setChecked(true);
            for (QCheckBox* box : {dialog->VaryInputRateBox(), dialog->VaryServiceTimeBox(),
                                   dialog->VaryChannelsBox(), dialog->VaryPlacesBox()})
                box->setChecked(true);
            dialog->InputRateFromField()->setText("0.1");
            dialog->InputRateToField()->setText("1");
            dialog->StepCountField()->setText(QString::number(Steps));
            for (int k = 1; k <= QsCount; ++k) {
                const double time = form.Document().Model().Qs(k).ServiceTime;
                for (QComboBox* list :
                     {dialog->ServiceQsList(), dialog->ChannelsQsList(), dialog->PlacesQsList()})
                    list->setCurrentIndex(k - 1);
                dialog->ServiceFromField()->setText(QString::fromStdString(FormatFixed(time)));
                dialog->ServiceToField()->setText(QString::fromStdString(FormatFixed(2 * time)));
                dialog->StoreServiceRange();
                dialog->ChannelsFromField()->setText("1");
                dialog->ChannelsToField()->setText("5");
                dialog->StoreChannelsRange();
                dialog->PlacesFromField()->setText("1");
                dialog->PlacesToField()->setText("10");
                dialog->StorePlacesRange();
            }
            dialogs.QueueFile(report);
            dialog->ChooseReportFile();
            EXPECT_TRUE(dialog->Continue());
        });
    }
};

TEST_F(StressRunTest, HundredStepsOfHundredFiftyQsWithEveryKindVaried) {
    MakeMixedNetwork();
    std::vector<QsParams> before;
    for (int k = 1; k <= QsCount; ++k) before.push_back(form.Document().Model().Qs(k));
    const QString report = folder.filePath("stress.txt");
    AnswerVaryEverything(report);

    form.Calculate();

    // One message: the report was written; the run was neither refused nor aborted.
    const auto messages = dialogs.Messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().Text, "Отчет сохранен в файл \"" + report + "\".");
    for (const auto& message : messages)
        EXPECT_NE(message.BoxKind, MessageBoxKind::Error) << message.Text.toStdString();

    EXPECT_EQ(QFile(RunResultsFile()).size(), static_cast<qint64>(Steps) * StepSnapshotSize);
    QFile file(report);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    for (int step : {1, Steps}) {
        const std::string heading =
            Utf8ToCp1251("Расчет по варьируемым параметрам шаг " + std::to_string(step) + " :");
        EXPECT_TRUE(bytes.contains(heading.c_str())) << step;
    }

    // The network keeps the values it had before the run, not those of the last step.
    for (int k = 1; k <= QsCount; ++k) {
        const QsParams& qs = form.Document().Model().Qs(k);
        EXPECT_EQ(qs.ServiceTime, before[k - 1].ServiceTime) << k;
        EXPECT_EQ(qs.Channels, before[k - 1].Channels) << k;
        EXPECT_EQ(qs.QueuePlaces, before[k - 1].QueuePlaces) << k;
    }
    EXPECT_FALSE(progressWindow.isVisible());
}

}  // namespace
}  // namespace qnetica
