// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QString>

class QTextDocument;

namespace platform::rtf {

// The character format of a run of text as the file gives it.
struct CharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24; // \fsN: the size in half points (24 = 12 pt)
    QString fontName;    // from the font table; empty when the file names none
    QColor color;        // invalid: the default colour
    QColor highlight;    // invalid: no highlight
    bool operator==(const CharFormat&) const = default;
};

struct Run {
    QString text;
    CharFormat format;
};

// One paragraph (ended by \par); \line and \tab are the characters U+2028 and TAB inside its runs...
// except that \line is read as a paragraph break too, so that a line is always a paragraph.
struct Paragraph {
    QList<Run> runs;
};

struct Document {
    QList<Paragraph> paragraphs;
    // The paragraphs' text joined with '\n'.
    QString plainText() const;
};

// Reads an RTF file as common word processors write it. Never throws, never hangs, whatever the
// input: what cannot be read is skipped and the rest is kept.
Document parse(const QByteArray& rtf);

// Replaces the whole content of `doc` by the parsed document, formats included. The face and the size most of
// the text is in become the document's default font; runs carry a face or size only where theirs differ.
void fill(QTextDocument* doc, const Document& d);
// parse(rtf) and fill(doc, ...) at once, the reading on another thread handing paragraphs over as it goes. The face
// and size taken for the default font are the ones most of the first paragraphs hold. `doc` belongs to this thread.
Document parseAndFill(const QByteArray& rtf, QTextDocument* doc);

} // namespace platform::rtf
