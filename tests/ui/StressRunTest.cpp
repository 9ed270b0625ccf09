// The largest network and the longest run through the main window, as a user would start it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <vector>

#include "charts/TForm9.h"
#include "editor/TForm5.h"
#include "model/Cp1251.h"
#include "model/NumberText.h"
#include "runs/StepResultsFile.h"
#include "ui/ScriptedDialogs.h"
#include "ui/TForm1.h"
#include "ui/TForm3.h"
#include "ui/TForm7.h"
#include "ui/TForm8.h"

namespace qnetica {
namespace {

constexpr int QsCount = 150;
constexpr int Steps = 100;

class StressRunTest : public ::testing::Test {
  protected:
    StressRunTest() {
        windows.Form1 = &form;
        windows.Form3 = &form3;
        windows.Form5 = &form5;
        windows.Form7 = &form7;
        windows.Form8 = &form8;
        windows.Form9 = &form9;
        form.SetWindows(windows);
        form5.SetWindows(windows);
    }

    // The random fill's network with every kind of QS: bounded, relative priority and plain.
    void MakeMixedNetwork() {
        for (int k = 1; k <= QsCount; ++k) ASSERT_TRUE(form.AddQs());
        form.RandomFillNetwork();
        NetworkModel& model = form.Model();
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
            auto* dialog = qobject_cast<TForm7*>(&window);
            ASSERT_NE(dialog, nullptr);
            dialog->RadioButton2()->setChecked(true);
            for (int box : {1, 2, 3, 6}) dialog->CheckBox(box)->setChecked(true);
            dialog->Edit(1)->setText("0.1");
            dialog->Edit(4)->setText("1");
            dialog->Edit(7)->setText(QString::number(Steps));
            for (int k = 1; k <= QsCount; ++k) {
                const double time = form.Model().Qs(k).ServiceTime;
                for (int row = 1; row <= 3; ++row) dialog->ComboBox(row)->setCurrentIndex(k - 1);
                dialog->Edit(2)->setText(QString::fromStdString(FormatFixed(time)));
                dialog->Edit(5)->setText(QString::fromStdString(FormatFixed(2 * time)));
                dialog->ServiceOkClick();
                dialog->Edit(3)->setText("1");
                dialog->Edit(6)->setText("5");
                dialog->ChannelsOkClick();
                dialog->Edit(8)->setText("1");
                dialog->Edit(9)->setText("10");
                dialog->PlacesOkClick();
            }
            dialogs.QueueFile(report);
            dialog->ReportFileClick();
            EXPECT_TRUE(dialog->ContinueClick());
        });
    }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    TForm1 form{dialogs};
    TForm3 form3{dialogs};
    TForm5 form5{form.Model(), dialogs};
    TForm7 form7{form.Model(), dialogs};
    TForm8 form8;
    TForm9 form9{ChartDialogs{dialogs, form5.ImageDialog()}};
    ProgramWindows windows;
};

TEST_F(StressRunTest, HundredStepsOfHundredFiftyQsWithEveryKindVaried) {
    MakeMixedNetwork();
    std::vector<QsParams> before;
    for (int k = 1; k <= QsCount; ++k) before.push_back(form.Model().Qs(k));
    const QString report = folder.filePath("stress.txt");
    AnswerVaryEverything(report);

    form.RunCalculation();

    // One message: the report was written; the run was neither refused nor aborted.
    const auto messages = dialogs.Messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().Text, "Отчет сохранен в файл \"" + report + "\".");
    for (const auto& message : messages)
        EXPECT_NE(message.BoxKind, MessageBoxKind::Error) << message.Text.toStdString();

    EXPECT_EQ(QFile(QDir::current().filePath("qnrep.tmp")).size(),
              static_cast<qint64>(Steps) * StepSnapshotSize);
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
        const QsParams& qs = form.Model().Qs(k);
        EXPECT_EQ(qs.ServiceTime, before[k - 1].ServiceTime) << k;
        EXPECT_EQ(qs.Channels, before[k - 1].Channels) << k;
        EXPECT_EQ(qs.QueuePlaces, before[k - 1].QueuePlaces) << k;
    }
    EXPECT_FALSE(form8.isVisible());
}

}  // namespace
}  // namespace qnetica
