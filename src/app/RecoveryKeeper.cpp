#include "app/RecoveryKeeper.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUuid>

#include "model/NetworkFile.h"

namespace qnetica {
namespace {

const QString CopyPrefix = QStringLiteral("recovery-");

QString ReadText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace

RecoveryKeeper::RecoveryKeeper(NetworkDocument& document, QString folder, QObject* parent)
    : QObject(parent),
      document_(document),
      folder_(folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                               : std::move(folder)),
      id_(QUuid::createUuid().toString(QUuid::WithoutBraces)) {
    QDir().mkpath(folder_);
    lock_ = std::make_unique<QLockFile>(QDir(folder_).filePath(CopyPrefix + id_ + ".lock"));
    lock_->setStaleLockTime(0);  // a lock of a dead program is stale at once, whatever its age
    lock_->tryLock();
    document_.AddListener(this);
    timer_.setInterval(IntervalMs);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::SaveNow);
    timer_.start();
}

RecoveryKeeper::~RecoveryKeeper() {
    document_.RemoveListener(this);
}

QString RecoveryKeeper::CopyPath() const {
    return QDir(folder_).filePath(CopyPrefix + id_ + ".qnf");
}

QString RecoveryKeeper::OwnPathFile() const {
    return QDir(folder_).filePath(CopyPrefix + id_ + ".path");
}

void RecoveryKeeper::SaveNow() {
    if (!document_.Model().Modified()) {
        RemoveCopy();
        return;
    }
    if (!WriteNetworkCopy(document_.Model(), CopyPath().toStdString()).Ok) return;
    QFile own(OwnPathFile());
    if (own.open(QIODevice::WriteOnly | QIODevice::Truncate))
        own.write(QString::fromStdString(document_.FilePath()).toUtf8());
}

void RecoveryKeeper::Finish() {
    timer_.stop();
    RemoveCopy();
}

void RecoveryKeeper::Saved() {
    RemoveCopy();
}

void RecoveryKeeper::RemoveCopy() const {
    QFile::remove(CopyPath());
    QFile::remove(OwnPathFile());
}

// The newest copy whose program is gone: its lock can be taken.
std::optional<RecoveryKeeper::Leftover> RecoveryKeeper::FindLeftover() const {
    const QDir folder(folder_);
    const QFileInfoList copies =
        folder.entryInfoList({CopyPrefix + "*.qnf"}, QDir::Files, QDir::Time);
    for (const QFileInfo& copy : copies) {
        const QString base = copy.completeBaseName();
        if (base == CopyPrefix + id_) continue;
        QLockFile lock(folder.filePath(base + ".lock"));
        lock.setStaleLockTime(0);
        if (!lock.tryLock()) continue;  // its program still runs
        lock.unlock();
        return Leftover{copy.absoluteFilePath(), ReadText(folder.filePath(base + ".path"))};
    }
    return std::nullopt;
}

void RecoveryKeeper::Discard(const Leftover& leftover) const {
    const QFileInfo copy(leftover.CopyPath);
    const QString base = copy.dir().filePath(copy.completeBaseName());
    for (const QString& suffix :
         {QStringLiteral(".qnf"), QStringLiteral(".path"), QStringLiteral(".lock")})
        QFile::remove(base + suffix);
}

}  // namespace qnetica
