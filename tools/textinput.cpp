#include "tools/textinput.h"

#include "platform/database.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>

namespace databuilder {

BuildError::BuildError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}

BuildError databaseError(const QString& path, const platform::DbError& e) {
    return BuildError(QStringLiteral("Baza e të dhënave %1 nuk mund të shkruhet: %2.")
                          .arg(QDir::toNativeSeparators(path), e.message()));
}

QByteArray readWholeFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw BuildError(QStringLiteral("Skedari %1 %2.")
                             .arg(QDir::toNativeSeparators(path),
                                  f.exists() ? QStringLiteral("nuk mund të lexohet") : QStringLiteral("nuk ekziston")));
    return f.readAll();
}

QStringList readUtf8Lines(const QString& path) {
    const QByteArray bytes = readWholeFile(path);
    QString text;
    if (!platform::decodeUtf8(platform::withoutBom(bytes), &text))
        throw BuildError(
            QStringLiteral("Skedari %1 nuk është i shkruar në UTF-8 të vlefshëm.").arg(QDir::toNativeSeparators(path)));
    QStringList lines = text.split(u'\n');
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
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
