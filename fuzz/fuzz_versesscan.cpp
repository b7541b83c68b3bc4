// SPDX-License-Identifier: GPL-3.0-or-later
// The verse-list scan of passages ("4-6,9"), on group items as the theme lists show them.
#include "fuzzsupport.h"
#include "themes/passage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString in = fuzzsupport::text(data, size);
    const themes::VerseFetches f = themes::scanVerseList(in);
    fuzzsupport::require(!(f.singleStatement && !f.verses.isEmpty()), "one statement or single verses");
    for (const QString& v : f.verses)
        fuzzsupport::require(!v.isEmpty(), "no empty verse is fetched");
    const themes::GroupItem g = themes::splitGroupItem(in);
    (void)themes::scanVerseList(g.verseList);
    return 0;
}
