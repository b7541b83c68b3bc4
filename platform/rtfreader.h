// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

namespace platform::rtf {

// A colour of the file's colour table; invalid for the default colour.
struct Rgb {
    int red = -1;
    int green = 0;
    int blue = 0;
    bool isValid() const { return red >= 0; }
    QString name() const; // "#rrggbb", "" when invalid
    bool operator==(const Rgb&) const = default;
};

// The character format of a run of text as the file gives it.
struct CharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24; // \fsN: the size in half points (24 = 12 pt)
    QString fontName;    // from the font table; empty when the file names none
    Rgb color;           // invalid: the default colour
    Rgb highlight;       // invalid: no highlight
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

// Reads an RTF file as common word processors write it (a file that is not RTF: one paragraph a line). Never
// throws, never hangs, whatever the input: what cannot be read is skipped and the rest is kept. `onParagraph`, when
// given, hears of every paragraph as it ends, before it goes into the document.
Document parse(const QByteArray& rtf, const std::function<void(const Paragraph&)>& onParagraph = {});

} // namespace platform::rtf
