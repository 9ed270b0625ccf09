#include "editor/GeneratorDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qnetica {

GeneratorDialog::GeneratorDialog(NetworkDocument& document, PlatformDialogs& dialogs,
                                 QWidget* parent)
    : QDialog(parent), document_(document), dialogs_(dialogs) {
    setWindowTitle(QStringLiteral("Автоматическая генерация модели"));
    CreateControls();
    connect(okButton_, &QPushButton::clicked, this, &GeneratorDialog::Generate);
    connect(cancelButton_, &QPushButton::clicked, this, &GeneratorDialog::Cancel);
}

void GeneratorDialog::CreateControls() {
    auto* layout = new QVBoxLayout(this);
    intensityEdit_ =
        AddField(layout, QStringLiteral("Введите интенсивность входящего потока:"), {});
    serviceTimeEdit_ =
        AddField(layout, QStringLiteral("Введите время обслуживания для всех СМО:"), {});
    channelsEdit_ = AddField(layout, QStringLiteral("Введите число каналов для каждой СМО: "),
                             QStringLiteral("1"));
    qsCountEdit_ = AddField(layout, QStringLiteral("Введите количество СМО:"), {});
    cancelButton_ = new QPushButton(QStringLiteral("Отмена"), this);
    okButton_ = new QPushButton(QStringLiteral("ОК"), this);
    okButton_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cancelButton_);
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setMinimumWidth(sizeHint().width() + 40);
}

QLineEdit* GeneratorDialog::AddField(QVBoxLayout* layout, const QString& label,
                                     const QString& text) {
    auto* edit = new QLineEdit(text, this);
    auto* caption = new QLabel(label, this);
    caption->setBuddy(edit);
    layout->addWidget(caption);
    layout->addWidget(edit);
    return edit;
}

void GeneratorDialog::Generate() {
    GenerationRequest request;
    request.IntensityText = intensityEdit_->text().toStdString();
    request.ServiceTimeText = serviceTimeEdit_->text().toStdString();
    request.ChannelsText = channelsEdit_->text().toStdString();
    request.QsCountText = qsCountEdit_->text().toStdString();
    const QSize area = imageArea_ ? imageArea_() : QSize();
    request.AreaWidth = area.width();
    request.AreaHeight = area.height();
    const GenerationOutcome outcome = document_.Generate(request, [this](const std::string& text) {
        if (showIntensity_) showIntensity_(QString::fromStdString(text));
    });
    const QString message = QString::fromStdString(outcome.Message);
    switch (outcome.End) {
        case GenerationEnd::Generated:
            accept();
            return;
        case GenerationEnd::NotANumber:
            dialogs_.ShowError(this, message);
            return;
        case GenerationEnd::QsCountOutOfRange:
            dialogs_.ShowPlain(this, message);
            return;
    }
}

}  // namespace qnetica
