// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/translation.h"

namespace databuilder {

// The whole text as RTF: a title line, then each surah's heading and its verses, one paragraph each. An
// import's identity, when given, goes into the header (see platform::importIdentity).
QByteArray wholeTextRtf(const QList<Surah>& surahs, const Translation& t, const QString& identity = QString());

} // namespace databuilder
