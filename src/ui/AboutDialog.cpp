#include "ui/AboutDialog.h"

#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QtGlobal>

namespace qnetica {
namespace {

constexpr int TitlePixelSize = 12;
const QColor TitleBackground(0, 0, 128);  // dark, so that the white title reads well
const QSize InitialSize(520, 460);

QLabel* MakeTitle(QWidget* parent) {
    auto* title = new QLabel(AboutDialog::Title(), parent);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(TitlePixelSize);
    font.setBold(true);
    title->setFont(font);
    title->setAlignment(Qt::AlignCenter);
    title->setAutoFillBackground(true);
    QPalette colours = title->palette();
    colours.setColor(QPalette::Window, TitleBackground);
    colours.setColor(QPalette::WindowText, Qt::white);
    title->setPalette(colours);
    title->setMargin(title->fontMetrics().height() / 2);
    return title;
}

}  // namespace

QString AboutDialog::Version() {
    return QStringLiteral(QNETICA_VERSION);
}

QString AboutDialog::Title() {
    return QStringLiteral("Qnetica v ") + Version();
}

QString AboutDialog::Description() {
    return QStringLiteral(
        "Расчет открытых стохастических сетей массового обслуживания: интенсивности потоков, "
        "загрузка, длины очередей, времена ожидания и пребывания каждой СМО и сети в целом.");
}

QString AboutDialog::DetailsHtml() {
    return QStringLiteral(
               "<p>Программа распространяется по лицензии MIT (файл LICENSE в её исходных "
               "текстах): её можно свободно использовать, изменять и распространять, сохраняя "
               "уведомление об авторском праве и текст лицензии.</p>"
               "<p><b>Используемые библиотеки</b></p><ul>"
               "<li><b>Qt %1</b> (окна, диаграммы, рисунки SVG) — GNU Lesser General Public "
               "License версии 3 (LGPL v3). Программа связана с Qt динамически: библиотеки Qt "
               "можно заменить своей сборкой. Исходные тексты Qt: "
               "<a href=\"https://download.qt.io/official_releases/qt/\">"
               "https://download.qt.io/official_releases/qt/</a>; в Debian — командой "
               "<code>apt-get source qt6-base qt6-charts qt6-svg</code>.</li>"
               "<li><b>CLI11</b> (параметры командной строки калькулятора) — лицензия BSD "
               "с тремя пунктами (BSD-3-Clause).</li>"
               "<li><b>nlohmann/json</b> (JSON калькулятора) — лицензия MIT.</li>"
               "</ul><p>GoogleTest и Google Benchmark используются только для тестов и в "
               "программу не входят.</p>")
        .arg(QString::fromLatin1(qVersion()));
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("о программе"));
    auto* group = new QGroupBox(this);
    titleLabel_ = MakeTitle(group);
    descriptionLabel_ = new QLabel(Description(), group);
    descriptionLabel_->setWordWrap(true);
    details_ = new QTextBrowser(group);
    details_->setOpenExternalLinks(true);
    details_->setHtml(DetailsHtml());
    okButton_ = new QPushButton(QStringLiteral("ОК"), group);
    okButton_->setDefault(true);
    okButton_->setMinimumWidth(okButton_->sizeHint().width() * 2);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    auto* inner = new QVBoxLayout(group);
    inner->addWidget(titleLabel_);
    inner->addWidget(descriptionLabel_);
    inner->addWidget(details_, 1);
    inner->addWidget(okButton_, 0, Qt::AlignHCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    resize(InitialSize);
}

}  // namespace qnetica
