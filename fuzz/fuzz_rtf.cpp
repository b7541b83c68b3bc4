// SPDX-License-Identifier: GPL-3.0-or-later
// The RTF reader: the whole-text file and any RTF the text view opens.
#include "fuzzsupport.h"
#include "platform/rtfreader.h"

#include <QTextDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::ensureApplication();
    const platform::rtf::Document d = platform::rtf::parse(fuzzsupport::bytes(data, size));
    const QString plain = d.plainText();
    QTextDocument doc;
    platform::rtf::fill(&doc, d);
    fuzzsupport::require(doc.blockCount() >= 1, "a filled document has a block");
    fuzzsupport::require(plain.count(u'\n') + 1 >= d.paragraphs.size() || d.paragraphs.isEmpty(),
                         "paragraphs are joined by line breaks");
    return 0;
}
