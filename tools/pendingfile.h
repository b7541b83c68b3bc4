// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryFile>

namespace databuilder {

// A new file under a temporary name in the output folder; removed unless it replaced its target. Readers
// of the target see the old file or the new one, never a part of either.
class PendingFile {
public:
    PendingFile(const QString& folder, const QString& target);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    const QString& path() const { return m_path; }

    // Writes the whole content and makes it durable. Throws BuildError.
    void write(const QByteArray& bytes);
    // The same with the content of the file `source`, read a piece at a time. Throws BuildError.
    void copyFrom(const QString& source);
    // Closes our handle, so that another writer (SQLite) has the file to itself.
    void release() { m_file.close(); }
    // Puts the file in place of its target in one step. Throws BuildError.
    // (The target may be another pending file's: see recovery in the builder.)
    void replaceTarget();

private:
    QTemporaryFile m_file;
    QString m_path;
    QString m_target;
    bool m_replaced = false;
};

// One import at a time in a folder: held for the whole import (an advisory lock on the folder, let go by
// the system when the process ends, however it ends). Refuses with BuildError while another import holds it,
// after waiting up to `waitMs` for it to end.
class FolderLock {
public:
    explicit FolderLock(const QString& folder, int waitMs = 0);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int m_fd = -1;
};

// The temporary files an import leaves in `folder` when it is killed: `.NAME.XXXXXX` for each target name.
QStringList pendingFiles(const QString& folder, const QString& target);

} // namespace databuilder
