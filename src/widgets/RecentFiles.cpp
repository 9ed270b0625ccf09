#include "widgets/RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace qnetica {
namespace {

const QString SettingsKey = QStringLiteral("recentFiles");

}  // namespace

RecentFiles::RecentFiles(QObject* parent) : QObject(parent) {}

QStringList RecentFiles::Files() const {
    return QSettings().value(SettingsKey).toStringList().mid(0, MaxCount);
}

void RecentFiles::Add(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    QStringList files = Files();
    files.removeAll(full);
    files.prepend(full);
    Store(files.mid(0, MaxCount));
}

void RecentFiles::Remove(const QString& path) {
    QStringList files = Files();
    files.removeAll(QFileInfo(path).absoluteFilePath());
    Store(files);
}

void RecentFiles::ForgetIfGone(const QString& path) {
    if (!QFileInfo::exists(path)) Remove(path);
}

void RecentFiles::Clear() {
    Store({});
}

void RecentFiles::Store(const QStringList& files) {
    QSettings().setValue(SettingsKey, files);
    emit Changed();
}

QMenu* RecentFiles::CreateMenu(QWidget* parent, std::function<bool(const QString&)> open) {
    auto* menu = new QMenu(QStringLiteral("Последние &файлы"), parent);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [this, menu, open] {
        menu->clear();
        const QStringList files = Files();
        for (int i = 0; i < files.size(); ++i) {
            // "&1 сеть.qnf" with the folder as a hint: the name is what a user looks for.
            const QString text =
                QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName());
            QAction* item = menu->addAction(text);
            item->setToolTip(QDir::toNativeSeparators(files[i]));
            item->setStatusTip(QDir::toNativeSeparators(files[i]));
            const QString path = files[i];
            QObject::connect(item, &QAction::triggered, menu, [this, open, path] {
                if (!open(path)) ForgetIfGone(path);
            });
        }
        if (files.isEmpty()) menu->addAction(QStringLiteral("(пусто)"))->setEnabled(false);
        menu->addSeparator();
        QAction* clear = menu->addAction(QStringLiteral("Очистить список"));
        clear->setEnabled(!files.isEmpty());
        QObject::connect(clear, &QAction::triggered, this, [this] { Clear(); });
    });
    // The menu's own list is built when it opens; an empty list still shows that it is empty.
    emit menu->aboutToShow();
    return menu;
}

}  // namespace qnetica
