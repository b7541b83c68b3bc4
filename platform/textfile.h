#pragma once

#include <QByteArrayView>
#include <QString>

// Reading the text files the program and its builder take in.
namespace platform {

// The bytes without the UTF-8 byte order mark some editors put first.
QByteArrayView withoutBom(QByteArrayView bytes);

// Decodes UTF-8 strictly: any invalid or truncated sequence is a failure.
bool decodeUtf8(QByteArrayView bytes, QString* out);

// Where the RTF of a file begins (after a byte order mark or blanks that some programs put first),
// or -1 when the file is not RTF.
qsizetype rtfStart(QByteArrayView bytes);

} // namespace platform
