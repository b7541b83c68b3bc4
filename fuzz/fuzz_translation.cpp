// SPDX-License-Identifier: GPL-3.0-or-later
// The builder's reader of translation files (sura|aya|text).
#include "fuzzsupport.h"
#include "tools/databuilder.h"

namespace {
// A small book, so that inputs can reach the end of a complete translation.
QList<databuilder::Surah> smallBook() {
    return {{1, 3, QStringLiteral("Fatiha"), QStringLiteral("Mekë")},
            {2, 2, QStringLiteral("Bekare"), QStringLiteral("Medinë")},
            {3, 4, QStringLiteral("Ali Imran"), QStringLiteral("Medinë")}};
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QList<databuilder::Surah> surahs = smallBook();
    try {
        const databuilder::Translation t = databuilder::parseTranslation(fuzzsupport::bytes(data, size), surahs);
        fuzzsupport::require(t.verses.size() == surahs.size(), "every surah is read");
        for (qsizetype i = 0; i < surahs.size(); ++i)
            fuzzsupport::require(t.verses[i].size() == surahs[i].verses, "every verse is read");
    } catch (const databuilder::BuildError& e) {
        fuzzsupport::require(e.message().startsWith(QStringLiteral("Rreshti ")) || !e.message().isEmpty(),
                             "a refusal says why");
    }
    return 0;
}
