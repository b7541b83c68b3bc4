// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/textinput.h"

#include "platform/database.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace databuilder {

BuildError::BuildError(const QString& message, const QString& cause)
    : std::runtime_error(message.toStdString()), m_message(message), m_cause(cause) {}

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

QString groupedNumber(qint64 n) {
    QString digits = QString::number(n);
    for (qsizetype at = digits.size() - 3; at > (n < 0 ? 1 : 0); at -= 3)
        digits.insert(at, u' ');
    return digits;
}

QByteArray readWholeFile(const QString& path) {
    const QString name = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists())
        throw BuildError(QStringLiteral("Skedari %1 nuk ekziston.").arg(name));
    // A device or a pipe would be read for ever, or until memory runs out.
    if (!info.isFile())
        throw BuildError(QStringLiteral("%1 nuk është skedar i zakonshëm.").arg(name));
    const auto tooLarge = [&](const QString& size) {
        return BuildError(QStringLiteral("Skedari %1 është më i madh se sa pranohet: %2, ndërsa pranohen deri në %3 "
                                         "bajtë (%4 MB).")
                              .arg(name, size, groupedNumber(kMaxInputBytes))
                              .arg(kMaxInputBytes / (1024 * 1024)));
    };
    if (info.size() > kMaxInputBytes)
        throw tooLarge(QStringLiteral("ka %1 bajtë").arg(groupedNumber(info.size())));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw BuildError(QStringLiteral("Skedari %1 nuk mund të lexohet.\n(%2)").arg(name, f.errorString()));
    const QByteArray bytes = f.read(kMaxInputBytes + 1); // a file that grows meanwhile is still bounded
    if (bytes.size() > kMaxInputBytes)
        throw tooLarge(QStringLiteral("u rrit gjatë leximit"));
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
