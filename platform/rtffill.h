// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/rtfreader.h"

class QTextDocument;

namespace platform::rtf {

// Replaces the whole content of `doc` by the parsed document, formats included, one block a paragraph. The face and
// the size most of the text is in become the document's default font; runs carry a face or size only where theirs
// differ.
void fill(QTextDocument* doc, const Document& d);
// parse(rtf) and fill(doc, ...) at once, the reading on another thread handing paragraphs over as it goes. The face
// and size taken for the default font are the ones most of the first paragraphs hold. `doc` belongs to this thread.
Document parseAndFill(const QByteArray& rtf, QTextDocument* doc);

} // namespace platform::rtf
