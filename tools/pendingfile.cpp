// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/pendingfile.h"

#include "tools/textinput.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <filesystem>
#include <system_error>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace databuilder {

PendingFile::PendingFile(const QString& folder, const QString& target)
    : m_file(QDir(folder).filePath(QStringLiteral(".") + target + QStringLiteral(".XXXXXX"))),
      m_target(QDir(folder).filePath(target)) {
    errno = 0;
    if (!m_file.open())
        throw BuildError(QStringLiteral("Në dosjen %1 nuk mund të krijohet skedari %2: %3")
                             .arg(QDir::toNativeSeparators(folder), target, fileCause(errno ? errno : EIO)));
    m_file.setAutoRemove(false);
    m_path = m_file.fileName();
}

PendingFile::~PendingFile() {
    if (!m_replaced)
        QFile::remove(m_path);
}

void PendingFile::write(const QByteArray& bytes) {
    errno = 0;
    if (m_file.write(bytes) != bytes.size() || !m_file.flush() || ::fsync(m_file.handle()) != 0) {
        const int error = errno ? errno : EIO;
        throw BuildError(QStringLiteral("Skedari %1 nuk mund të shkruhet: %2")
                             .arg(QDir::toNativeSeparators(m_target), fileCause(error)),
                         fileCause(error));
    }
    m_file.close();
}

void PendingFile::copyFrom(const QString& source) {
    QFile from(source);
    if (!from.open(QIODevice::ReadOnly))
        throw BuildError(QStringLiteral("Skedari %1 nuk mund të lexohet: %2")
                             .arg(QDir::toNativeSeparators(source), from.errorString()));
    errno = 0;
    bool written = true;
    for (QByteArray piece; written && !(piece = from.read(1 << 20)).isEmpty();)
        written = m_file.write(piece) == piece.size();
    if (from.error() != QFileDevice::NoError)
        throw BuildError(QStringLiteral("Skedari %1 nuk mund të lexohet: %2")
                             .arg(QDir::toNativeSeparators(source), from.errorString()));
    if (!written || !m_file.flush() || ::fsync(m_file.handle()) != 0) {
        const int error = errno ? errno : EIO;
        throw BuildError(QStringLiteral("Skedari %1 nuk mund të shkruhet: %2")
                             .arg(QDir::toNativeSeparators(m_target), fileCause(error)),
                         fileCause(error));
    }
    m_file.close();
}

FolderLock::FolderLock(const QString& folder, int waitMs) {
    m_fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0)
        throw BuildError(
            QStringLiteral("Dosja %1 nuk mund të hapet: %2").arg(QDir::toNativeSeparators(folder), fileCause(errno)));
    const QDeadlineTimer deadline(waitMs);
    bool held = ::flock(m_fd, LOCK_EX | LOCK_NB) == 0;
    for (; !held && !deadline.hasExpired(); held = ::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
        QThread::msleep(20);
    if (!held) {
        ::close(m_fd);
        throw BuildError(QStringLiteral("Në dosjen %1 po bëhet një import tjetër; provoni sërish pasi ai të mbarojë.")
                             .arg(QDir::toNativeSeparators(folder)));
    }
}

FolderLock::~FolderLock() {
    ::close(m_fd); // lets go of the lock
}

QStringList pendingFiles(const QString& folder, const QString& target) {
    QStringList found;
    const QDir dir(folder);
    const QString prefix = u'.' + target + u'.';
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        if (name.startsWith(prefix) && name.size() == prefix.size() + 6)
            found.append(dir.filePath(name));
    return found;
}

void PendingFile::replaceTarget() {
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(m_path).toStdString(), QFile::encodeName(m_target).toStdString(), ec);
    if (ec)
        throw BuildError(QStringLiteral("Skedari %1 nuk mund të zëvendësohet: %2")
                             .arg(QDir::toNativeSeparators(m_target), fileCause(ec.value())));
    m_replaced = true;
}

} // namespace databuilder
