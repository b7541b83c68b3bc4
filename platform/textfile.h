// SPDX-License-Identifier: GPL-3.0-or-later
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

// The identity of the import that wrote a whole-text file: the file carries it in a group that readers of
// RTF skip, {\*\librezimport ID}, near its start; the database of the same import holds it in Te_dhenat.
// "" when the file carries none (it was not written by an import).
QString importIdentity(QByteArrayView rtf);
// The group that carries an identity, as an import writes it.
QByteArray importIdentityGroup(const QString& identity);

} // namespace platform
