#include "ui/AboutDialog.h"

#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qnetica {
namespace {

constexpr int TitlePixelSize = 12;
const QColor TitleBackground(0, 0, 128);  // dark, so that the white title reads well

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("о программе"));
    auto* group = new QGroupBox(this);
    titleLabel_ = new QLabel(QStringLiteral("Qnetica v 1.2.3.24"), group);
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(TitlePixelSize);
    titleFont.setBold(true);
    titleLabel_->setFont(titleFont);
    titleLabel_->setAlignment(Qt::AlignCenter);
    titleLabel_->setAutoFillBackground(true);
    QPalette titleColours = titleLabel_->palette();
    titleColours.setColor(QPalette::Window, TitleBackground);
    titleColours.setColor(QPalette::WindowText, Qt::white);
    titleLabel_->setPalette(titleColours);
    titleLabel_->setMargin(titleLabel_->fontMetrics().height() / 2);
    okButton_ = new QPushButton(QStringLiteral("ОК"), group);
    okButton_->setDefault(true);
    okButton_->setMinimumWidth(okButton_->sizeHint().width() * 2);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    // The title in the upper part of the group, the button below the middle, both centred.
    auto* inner = new QVBoxLayout(group);
    inner->addWidget(titleLabel_);
    inner->addStretch(3);
    inner->addWidget(okButton_, 0, Qt::AlignHCenter);
    inner->addStretch(2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    setMinimumSize(
        QSize(titleLabel_->sizeHint().width() * 2, titleLabel_->sizeHint().height() * 6));
    resize(minimumSize());
}

}  // namespace qnetica
