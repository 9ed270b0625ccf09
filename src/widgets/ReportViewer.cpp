#include "widgets/ReportViewer.h"

#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>
#include <string>
#include <string_view>

#include "model/Cp1251.h"
#include "widgets/ModelessWindow.h"
#include "widgets/PlatformDialogs.h"
#include "widgets/ReportFileRequest.h"

namespace qnetica {
namespace {

// The report's text as it reads: decoded from Windows-1251, one "\n" for each CR LF.
QString DecodeReport(const QByteArray& bytes) {
    const std::string utf8 =
        Cp1251ToUtf8(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    QString text = QString::fromStdString(utf8);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

}  // namespace

ReportViewer::ReportViewer(PlatformDialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), dialogs_(dialogs) {
    setWindowTitle(QStringLiteral("Отчет"));
    view_ = new QPlainTextEdit(this);
    view_->setReadOnly(true);
    view_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setStyleHint(QFont::TypeWriter);  // where the system names no fixed font of its own
    fixed.setFixedPitch(true);
    view_->setFont(fixed);
    saveButton_ = new QPushButton(QStringLiteral("Сохранить копию..."), this);
    copyButton_ = new QPushButton(QStringLiteral("Копировать"), this);
    closeButton_ = new QPushButton(QStringLiteral("Закрыть"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveButton_);
    buttons->addWidget(copyButton_);
    buttons->addStretch(1);
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);
    connect(saveButton_, &QPushButton::clicked, this, [this] { SaveCopy(); });
    connect(copyButton_, &QPushButton::clicked, this, &ReportViewer::CopyToClipboard);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(960, 640);
}

bool ReportViewer::Open(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs_.ShowError(
            this,
            QStringLiteral("Не удалось открыть отчет \"%1\": %2").arg(path, file.errorString()));
        return false;
    }
    bytes_ = file.readAll();
    path_ = path;
    view_->setPlainText(DecodeReport(bytes_));
    setWindowTitle(QStringLiteral("Отчет %1").arg(QFileInfo(path).fileName()));
    return true;
}

bool ReportViewer::ShowReport(const QString& path) {
    if (!Open(path)) return false;
    ShowModeless(*this);
    return true;
}

bool ReportViewer::SaveCopy() {
    FileDialogRequest request = ReportFileRequest();
    request.Title = QStringLiteral("Сохранить копию отчета");
    request.FileName = QFileInfo(path_).fileName();
    const std::optional<FileDialogAnswer> answer = dialogs_.AskSaveFile(this, request);
    if (!answer) return false;
    QSaveFile copy(answer->Path);
    if (copy.open(QIODevice::WriteOnly) && copy.write(bytes_) == bytes_.size() && copy.commit())
        return true;
    dialogs_.ShowError(this, QStringLiteral("Не удалось сохранить отчет в файл \"%1\": %2")
                                 .arg(answer->Path, copy.errorString()));
    return false;
}

void ReportViewer::CopyToClipboard() {
    const QString selected = view_->textCursor().selectedText();
    // A selection spanning lines holds U+2029 where the lines meet.
    QString text = selected.isEmpty() ? Text() : selected;
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    QGuiApplication::clipboard()->setText(text);
}

QString ReportViewer::Text() const {
    return view_->toPlainText();
}

}  // namespace qnetica
