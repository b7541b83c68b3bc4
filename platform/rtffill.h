// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/rtfreader.h"

#include <QTextBlockFormat>

class QFont;
class QTextDocument;

namespace platform::rtf {

// A character format property: the role whose colour a run is drawn in (text::Role as a number), so that the run
// takes the role's colour from another palette. Verse keys, headings and notes carry it, and a composed text's marks.
constexpr int kRoleProperty = QTextFormat::UserProperty + 12;

// Replaces the whole content of `doc` by the parsed document, formats included, one block a paragraph. The face and
// the size most of the text is in become the document's default font; runs carry a face or size only where theirs
// differ.
void fill(QTextDocument* doc, const Document& d);
// parse(rtf) and fill(doc, ...) at once, the reading on another thread handing paragraphs over as it goes. The face
// and size taken for the default font are the ones most of the first paragraphs hold. `doc` belongs to this thread.
Document parseAndFill(const QByteArray& rtf, QTextDocument* doc);

// A line that starts with a key and a TAB (a verse's "2:255.", a heading's "2.") hangs: its wrapped lines start
// under the text after the key, not under the key. The indent, and the TAB's stop, is the width of the widest key
// ("114:129.") in bold and a blank, in `font`. Filling gives every such line this format in the default font.
QTextBlockFormat hangingFormat(const QFont& font);
// After a new default font: the lines that hang take the indent of the new font (nothing is done when it is the same).
void rehang(QTextDocument* doc);

} // namespace platform::rtf
