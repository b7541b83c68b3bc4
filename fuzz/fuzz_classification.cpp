// SPDX-License-Identifier: GPL-3.0-or-later
// The builder's reader of a reader's thematic classification (six TAB-separated fields a line).
#include "fuzzsupport.h"
#include "tools/classification.h"
#include "tools/textinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QList<databuilder::Surah> surahs = databuilder::readSurahs(QStringLiteral(LIBREZI_FUZZ_FACTS));
    try {
        const databuilder::Classification c = databuilder::parseClassification(fuzzsupport::bytes(data, size), surahs);
        for (const databuilder::Chapter& chapter : c)
            for (const databuilder::Theme& theme : chapter.themes)
                for (const databuilder::VerseGroup& g : theme.groups) {
                    fuzzsupport::require(g.surah >= 1 && g.surah <= surahs.size(), "a group names a surah");
                    fuzzsupport::require(databuilder::verseListFault(g.verses, surahs[g.surah - 1].verses).isEmpty(),
                                         "an accepted verse list is sound");
                }
    } catch (const databuilder::BuildError& e) {
        fuzzsupport::require(!e.message().isEmpty(), "a refusal says why");
    }
    return 0;
}
