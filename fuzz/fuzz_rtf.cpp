// SPDX-License-Identifier: GPL-3.0-or-later
// The RTF reader: the whole-text file and any RTF the text view opens.
#include "fuzzsupport.h"
#include "platform/rtffill.h"
#include "text/wholetext.h"

#include <QTextBlock>
#include <QTextDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::ensureApplication();
    const platform::rtf::Document d = platform::rtf::parse(fuzzsupport::bytes(data, size));
    const QString plain = d.plainText();
    QTextDocument doc;
    platform::rtf::fill(&doc, d);
    fuzzsupport::require(doc.blockCount() >= 1, "a filled document has a block");
    // Where the verses are said to stand is where the filled document holds their lines.
    const text::VerseIndex index = text::indexOf(d);
    for (const text::VerseIndex::Span& s : index.verses()) {
        const QTextBlock b = doc.findBlock(s.start);
        fuzzsupport::require(b.position() == s.start && b.position() + b.length() - 1 == s.end,
                             "a verse's line is a block of the document");
        fuzzsupport::require(text::verseOfLine(b.text()) == s.verse, "the block begins with the verse's key");
    }
    fuzzsupport::require(plain.count(u'\n') + 1 >= d.paragraphs.size() || d.paragraphs.isEmpty(),
                         "paragraphs are joined by line breaks");
    return 0;
}
