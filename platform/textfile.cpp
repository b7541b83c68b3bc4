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

} // namespace platform
