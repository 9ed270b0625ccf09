#pragma once

#include <QObject>
#include <QStringList>

class QMenu;

namespace qnetica {

// The network files opened or saved last, newest first, at most eight, kept between sessions in
// the user's settings. Each window's File menu shows them through a submenu of its own.
class RecentFiles : public QObject {
    Q_OBJECT

  public:
    static constexpr int MaxCount = 8;

    explicit RecentFiles(QObject* parent = nullptr);

    QStringList Files() const;
    void Add(const QString& path);
    void Remove(const QString& path);
    // After a file of the list failed to open: it leaves the list when it is no longer there.
    void ForgetIfGone(const QString& path);
    void Clear();

    // A submenu "Последние файлы" that lists the files each time it opens; choosing one calls
    // open with its path, and a file that open could not open leaves the list if it is gone.
    QMenu* CreateMenu(QWidget* parent, std::function<bool(const QString&)> open);

  signals:
    void Changed();

  private:
    void Store(const QStringList& files);
};

}  // namespace qnetica
