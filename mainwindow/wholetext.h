// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/rtfreader.h"
#include "text/verseindex.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QTextDocument>

#include <memory>

namespace data {
class Library;
}

// The whole text as the window shows it: read from its file and checked against the database, so that a
// reader never sees a text that lacks verses the database holds, or one written by another import than
// the database's.
namespace wholetext {

struct Reading {
    platform::rtf::Document document;
    text::VerseIndex index; // where its verses and headings stand
    QString fault;          // why the file cannot be shown, in Albanian; "" when it can
    // The text document filled from it, when it was read ahead (filled there, off the window's thread); else none.
    std::unique_ptr<QTextDocument> filled;
};

// Reads the whole-text file and checks it against the database.
Reading read(const data::Library& library, const QString& path);
// Starts reading and parsing the file on another thread, while the window is being built; the next read of
// the same file takes the result (the checks against the database are made there, on this thread).
void readAhead(const QString& path);

} // namespace wholetext
