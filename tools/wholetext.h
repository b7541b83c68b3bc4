#pragma once

#include "tools/translation.h"

namespace databuilder {

// The whole text as RTF: a title line, then each surah's heading and its verses, one paragraph each.
QByteArray wholeTextRtf(const QList<Surah>& surahs, const Translation& t);

} // namespace databuilder
