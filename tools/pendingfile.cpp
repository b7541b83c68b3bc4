#include "tools/pendingfile.h"

#include "tools/textinput.h"

#include <QDir>
#include <QFile>

#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace databuilder {

PendingFile::PendingFile(const QString& folder, const QString& target)
    : m_file(QDir(folder).filePath(QStringLiteral(".") + target + QStringLiteral(".XXXXXX"))),
      m_target(QDir(folder).filePath(target)) {
    if (!m_file.open())
        throw BuildError(QStringLiteral("Në dosjen %1 nuk mund të krijohet skedari %2: %3.")
                             .arg(QDir::toNativeSeparators(folder), target, m_file.errorString()));
    m_file.setAutoRemove(false);
    m_path = m_file.fileName();
}

PendingFile::~PendingFile() {
    if (!m_replaced)
        QFile::remove(m_path);
}

void PendingFile::write(const QByteArray& bytes) {
    if (m_file.write(bytes) != bytes.size() || !m_file.flush() || ::fsync(m_file.handle()) != 0)
        throw BuildError(QStringLiteral("Skedari %1 nuk mund të shkruhet: %2.")
                             .arg(QDir::toNativeSeparators(m_target), m_file.errorString()));
    m_file.close();
}

void PendingFile::replaceTarget() {
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(m_path).toStdString(), QFile::encodeName(m_target).toStdString(), ec);
    if (ec)
        throw BuildError(QStringLiteral("Skedari %1 nuk mund të zëvendësohet: %2.")
                             .arg(QDir::toNativeSeparators(m_target), QString::fromLocal8Bit(ec.message())));
    m_replaced = true;
}

} // namespace databuilder
