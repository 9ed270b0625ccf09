#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

#include "document/NetworkDocument.h"

namespace qnetica {

// Keeps a copy of a changed network in the user's data folder, written every two minutes, so that
// a crash or a kill loses at most that much work. Each running program has a copy of its own,
// guarded by a lock; a copy whose lock nobody holds was left by a program that ended abnormally,
// and the next start offers it. A normal end or a save removes the copy.
class RecoveryKeeper : public QObject, private DocumentListener {
    Q_OBJECT

  public:
    static constexpr int IntervalMs = 2 * 60 * 1000;

    // folder: where the copies live; empty: the program's data folder (AppDataLocation).
    explicit RecoveryKeeper(NetworkDocument& document, QString folder = {},
                            QObject* parent = nullptr);
    ~RecoveryKeeper() override;

    // A copy left by a program that ended abnormally, and the file its network belonged to.
    struct Leftover {
        QString CopyPath;
        QString OwnPath;  // empty for a network never saved
    };
    std::optional<Leftover> FindLeftover() const;
    void Discard(const Leftover& leftover) const;

    void SaveNow();  // writes the copy if the network has changes, removes it otherwise
    // The program ends normally: its copy goes.
    void Finish();

  private:
    void Saved() override;
    QString CopyPath() const;
    QString OwnPathFile() const;
    void RemoveCopy() const;

    NetworkDocument& document_;
    QString folder_;
    QString id_;
    std::unique_ptr<QLockFile> lock_;
    QTimer timer_;
};

}  // namespace qnetica
