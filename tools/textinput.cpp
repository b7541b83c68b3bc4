// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/textinput.h"

#include "platform/database.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace databuilder {

BuildError::BuildError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}

BuildError databaseError(const QString& path, const platform::DbError& e) {
    return BuildError(QStringLiteral("Baza e të dhënave %1 nuk mund të shkruhet: %2.\n(%3)")
                          .arg(QDir::toNativeSeparators(path), platform::albanianCause(e), e.message()));
}

QString fileCause(int error) {
    QString cause;
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        cause = QStringLiteral("disku është plot");
        break;
    case EACCES:
    case EPERM:
        cause = QStringLiteral("nuk ka leje");
        break;
    case EROFS:
        cause = QStringLiteral("disku lejon vetëm leximin");
        break;
    case EFBIG:
        cause = QStringLiteral("skedari kalon madhësinë që lejon sistemi");
        break;
    default:
        cause = QStringLiteral("gabim gjatë shkrimit në disk");
    }
    return cause + QStringLiteral(".\n(") + QString::fromLocal8Bit(std::strerror(error)) + u')';
}

QByteArray readWholeFile(const QString& path) {
    const QString name = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists())
        throw BuildError(QStringLiteral("Skedari %1 nuk ekziston.").arg(name));
    // A device or a pipe would be read for ever, or until memory runs out.
    if (!info.isFile())
        throw BuildError(QStringLiteral("%1 nuk është skedar i zakonshëm.").arg(name));
    if (info.size() > kMaxInputBytes)
        throw BuildError(QStringLiteral("Skedari %1 është shumë i madh (%2 MB); pranohen deri në %3 MB.")
                             .arg(name)
                             .arg(info.size() / (1024 * 1024))
                             .arg(kMaxInputBytes / (1024 * 1024)));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw BuildError(QStringLiteral("Skedari %1 nuk mund të lexohet.").arg(name));
    const QByteArray bytes = f.read(kMaxInputBytes + 1); // a file that grows meanwhile is still bounded
    if (bytes.size() > kMaxInputBytes)
        throw BuildError(QStringLiteral("Skedari %1 është shumë i madh; pranohen deri në %2 MB.")
                             .arg(name)
                             .arg(kMaxInputBytes / (1024 * 1024)));
    return bytes;
}

QList<QByteArrayView> splitLines(QByteArrayView text) {
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r')
            continue;
        lines.append(text.sliced(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.sliced(start));
    return lines;
}

QStringList readUtf8Lines(const QString& path) {
    const QByteArray bytes = readWholeFile(path);
    QStringList lines;
    for (const QByteArrayView raw : splitLines(platform::withoutBom(bytes))) {
        QString line;
        if (!platform::decodeUtf8(raw, &line))
            throw BuildError(QStringLiteral("Skedari %1 nuk është i shkruar në UTF-8 të vlefshëm.")
                                 .arg(QDir::toNativeSeparators(path)));
        lines.append(line);
    }
    return lines;
}

int parseNumber(QStringView s) {
    if (s.isEmpty() || s.size() > 4)
        return -1;
    int n = 0;
    for (QChar c : s) {
        if (c < u'0' || c > u'9')
            return -1;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

QString lineMessage(int line, const QString& what) {
    return QStringLiteral("Rreshti %1: %2").arg(QString::number(line), what);
}

} // namespace databuilder
