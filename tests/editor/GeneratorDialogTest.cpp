#include "editor/GeneratorDialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>

#include "support/ScriptedDialogs.h"
#include "ui/ValueInputDialog.h"
#include "widgets/DocumentDialogs.h"

namespace qnetica {
namespace {

class GeneratorDialogTest : public ::testing::Test {
  protected:
    GeneratorDialogTest() {
        form.SetIntensityShown([this](const QString& text) { valueDialog.SetValueText(text); });
        form.SetImageAreaSource([] { return QSize(1000, 700); });
    }

    void Fill(const QString& intensity, const QString& serviceTime, const QString& channels,
              const QString& qsCount) {
        form.IntensityEdit()->setText(intensity);
        form.ServiceTimeEdit()->setText(serviceTime);
        form.ChannelsEdit()->setText(channels);
        form.QsCountEdit()->setText(qsCount);
    }
    bool Closed() const { return form.result() == QDialog::Accepted; }

    ScriptedDialogs dialogs;
    DocumentDialogs questions{dialogs};
    NetworkDocument document{questions};
    NetworkModel& model = document.Model();
    ValueInputDialog valueDialog{model, dialogs};
    GeneratorDialog form{document, dialogs};
};

TEST_F(GeneratorDialogTest, ShowsItsLabelsFieldsAndButtons) {
    EXPECT_EQ(form.windowTitle(), "Автоматическая генерация модели");
    QStringList labels;
    for (const QLabel* label : form.findChildren<QLabel*>()) labels << label->text();
    EXPECT_EQ(labels,
              QStringList({"Введите интенсивность входящего потока:",
                           "Введите время обслуживания для всех СМО:",
                           "Введите число каналов для каждой СМО: ", "Введите количество СМО:"}));
    EXPECT_EQ(form.IntensityEdit()->text(), "");
    EXPECT_EQ(form.ServiceTimeEdit()->text(), "");
    EXPECT_EQ(form.ChannelsEdit()->text(), "1");
    EXPECT_EQ(form.QsCountEdit()->text(), "");
    EXPECT_EQ(form.CancelButton()->text(), "Отмена");
    EXPECT_EQ(form.OkButton()->text(), "ОК");
    form.layout()->activate();
    EXPECT_LT(form.CancelButton()->x(), form.OkButton()->x());
}

TEST_F(GeneratorDialogTest, OkGeneratesTheNetworkAndCloses) {
    Fill("4", "0.1", "2", "3");
    form.OkButton()->click();
    EXPECT_TRUE(Closed());
    EXPECT_EQ(model.NodeCount(), 8);
    EXPECT_EQ(model.Qs(7).Name, "s123");
    EXPECT_EQ(model.Qs(7).Channels, 2);
    EXPECT_EQ(model.SourcePosY(), 350);  // half the image area's height
    EXPECT_EQ(model.InputRate(), 4);
    EXPECT_EQ(valueDialog.ValueText(), "4");
    EXPECT_TRUE(dialogs.Log().empty());
    EXPECT_EQ(form.QsCountEdit()->text(), "3");  // the texts stay for the next opening
}

// Whatever the locale, a comma and a point both stand before the decimals; the model keeps ".".
TEST_F(GeneratorDialogTest, TheIntensityTakesACommaAndAPoint) {
    for (const char* intensity : {"2,5", "2.5"}) {
        Fill(intensity, "0,5", "1", "2");
        form.Generate();
        EXPECT_TRUE(Closed());
        EXPECT_EQ(model.InputRate(), 2.5);
        EXPECT_EQ(model.InputRateText(), "2.5");
        EXPECT_EQ(model.Qs(1).ServiceTime, 0.5);
        model.Clear();
    }
}

struct Refusal {
    const char* Case;
    const char* Intensity;
    const char* Channels;
    const char* QsCount;
    MessageBoxKind Kind;
    const char* Message;
};

void PrintTo(const Refusal& refusal, std::ostream* out) {
    *out << refusal.Case;
}

class GeneratorDialogRefusalTest : public GeneratorDialogTest,
                                   public ::testing::WithParamInterface<Refusal> {};

TEST_P(GeneratorDialogRefusalTest, ShowsTheMessageAndStaysOpen) {
    const Refusal& refusal = GetParam();
    Fill(refusal.Intensity, "1", refusal.Channels, refusal.QsCount);
    form.Generate();
    EXPECT_FALSE(Closed());
    const auto messages = dialogs.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].BoxKind, refusal.Kind);
    EXPECT_EQ(messages[0].Text, QString::fromUtf8(refusal.Message));
    EXPECT_EQ(model.NodeCount(), 1);
    EXPECT_TRUE(model.Generated());
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, GeneratorDialogRefusalTest,
    ::testing::Values(Refusal{"Intensity", "x1", "1", "3", MessageBoxKind::Error,
                              "Интенсивность входящего потока: \"x1\" не является числом"},
                      Refusal{"QsCountText", "1", "1", "три", MessageBoxKind::Error,
                              "Количество СМО: \"три\" не является целым числом"},
                      Refusal{"QsCountBelowTwo", "1", "1", "1", MessageBoxKind::Plain,
                              "Количество СМО должно лежать в пределах от 2 до 7 включительно."},
                      Refusal{"QsCountAboveSeven", "1", "1", "8", MessageBoxKind::Plain,
                              "Количество СМО должно лежать в пределах от 2 до 7 включительно."},
                      Refusal{"Channels", "1", "", "3", MessageBoxKind::Error,
                              "Число каналов: значение не указано"}),
    [](const auto& info) { return std::string(info.param.Case); });

TEST_F(GeneratorDialogTest, ARefusedNumberOfQsChangesNothing) {
    model.SetModified(false);
    Fill("7", "1", "1", "9");
    form.Generate();
    EXPECT_EQ(model.InputRate(), 0);
    EXPECT_EQ(model.InputRateText(), "");
    EXPECT_EQ(valueDialog.ValueText(), "");
    EXPECT_FALSE(model.Modified());
}

TEST_F(GeneratorDialogTest, CancelChangesNothing) {
    Fill("4", "0.1", "2", "3");
    form.CancelButton()->click();
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(model.NodeCount(), 1);
    EXPECT_FALSE(model.Generated());
    EXPECT_FALSE(model.Modified());
}

}  // namespace
}  // namespace qnetica
