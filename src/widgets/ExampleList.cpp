#include "widgets/ExampleList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include "widgets/DataFolder.h"

namespace qnetica {

QList<ExampleNetwork> ReadExampleList(const QString& modelsFolder) {
    const QDir folder(modelsFolder);
    QFile index(folder.filePath(QStringLiteral("examples.tsv")));
    if (!index.open(QIODevice::ReadOnly)) return {};
    const QStringList lines = QString::fromUtf8(index.readAll()).split(QLatin1Char('\n'));
    QList<ExampleNetwork> examples;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList fields = lines[i].trimmed().split(QLatin1Char('\t'));
        if (fields.size() != 3) continue;
        const QString path = folder.absoluteFilePath(fields[0]);
        if (QFileInfo(path).isFile()) examples.append({path, fields[1], fields[2]});
    }
    return examples;
}

QList<ExampleNetwork> ExampleNetworks() {
    return ReadExampleList(DataPath(QStringLiteral("models")));
}

QMenu* CreateExamplesMenu(QWidget* parent, const std::function<void(const QString&)>& open) {
    auto* menu = new QMenu(QStringLiteral("&Примеры"), parent);
    for (const ExampleNetwork& example : ExampleNetworks()) {
        QAction* item = menu->addAction(example.Title);
        item->setToolTip(example.Description);
        item->setStatusTip(example.Description);
        const QString path = example.Path;
        QObject::connect(item, &QAction::triggered, menu, [open, path] { open(path); });
    }
    menu->setToolTipsVisible(true);
    if (menu->isEmpty()) menu->addAction(QStringLiteral("(примеры не найдены)"))->setEnabled(false);
    return menu;
}

}  // namespace qnetica
