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
    // Closes our handle, so that another writer (SQLite) has the file to itself.
    void release() { m_file.close(); }
    // Puts the file in place of its target in one step. Throws BuildError.
    void replaceTarget();

private:
    QTemporaryFile m_file;
    QString m_path;
    QString m_target;
    bool m_replaced = false;
};

} // namespace databuilder
