// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textfile.h"

#include <QStringDecoder>

namespace platform {

QByteArrayView withoutBom(QByteArrayView bytes) {
    return bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
}

bool decodeUtf8(QByteArrayView bytes, QString* out) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    *out = decoder.decode(bytes);
    return !decoder.hasError();
}

qsizetype rtfStart(QByteArrayView bytes) {
    const QByteArrayView text = withoutBom(bytes);
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n'))
        ++i;
    return text.sliced(i).startsWith("{\\rtf") ? i + (bytes.size() - text.size()) : -1;
}

namespace {
constexpr QByteArrayView kImportGroup = "{\\*\\librezimport ";
constexpr qsizetype kImportGroupWithin = 4096; // the group stands in the file's header
} // namespace

QString importIdentity(QByteArrayView rtf) {
    const QByteArrayView head = rtf.first(qMin(rtf.size(), kImportGroupWithin));
    const qsizetype at = head.indexOf(kImportGroup);
    if (at < 0)
        return QString();
    const qsizetype from = at + kImportGroup.size();
    const qsizetype end = head.indexOf('}', from);
    return end < 0 ? QString() : QString::fromLatin1(head.sliced(from, end - from)).trimmed();
}

QByteArray importIdentityGroup(const QString& identity) {
    return kImportGroup.toByteArray() + identity.toLatin1() + '}';
}

} // namespace platform
