// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/classification.h"
#include "tools/facts.h"
#include "tools/reciters.h"
#include "tools/textinput.h"
#include "tools/translation.h"
#include "tools/wholetext.h"

#include <functional>
#include <optional>

// The data builder: reads the facts and (optionally) a translation file, and writes the database
// and the whole-text RTF file the program reads. Every message is Albanian, for the reader's eyes.
namespace databuilder {

// The file names in the output folder.
inline constexpr const char* kDatabaseFile = "librezi.db";
inline constexpr const char* kWholeTextFile = "LIB'REZI.rtf";

// Writes a complete database to `path` (which must not exist yet), recording the import's identity when
// one is given. Throws BuildError.
void writeDatabase(const QString& path, const QList<Surah>& surahs, const Translation& t, const QStringList& tips,
                   const Classification& classification, const QString& identity = QString());

// The identity of the import that wrote a database; "" when it records none or cannot be read.
QString importOf(const QString& database);

// What an import killed on its way left in `folder` is finished (a whole text written for the database now in
// place goes into place too) or removed, as the next import would. Nothing is touched while an import runs
// there (its folder lock is held): false then.
bool finishInterrupted(const QString& folder);
// Whether an import is running in `folder` now (its folder lock is held).
bool importRunning(const QString& folder);

// The whole text of a database, made from it again as its import wrote it, with the import's identity. Throws
// BuildError.
QByteArray wholeTextOf(const QString& database);
// Writes LIB'REZI.rtf in `folder` again from the folder's database (wholeTextOf), in one step and under the
// folder lock, so that the two belong together. Throws BuildError: an import running there, a folder that
// cannot be written.
void rewriteWholeText(const QString& folder);

struct Options {
    QString factsFolder;
    QString outFolder;
    QString translationFile; // "" for none
    // The translation file's bytes when they were read already (the window's preview): what the reader saw is
    // what is imported, whatever the file holds now. translationFile names them.
    std::optional<QByteArray> translationContent;
    // With no translation given, the translation this database holds is kept (its verses and names) rather
    // than every verse replaced by a placeholder; "" for the placeholders.
    QString keptTranslation;
    QString classificationFile; // "" for the one made of the facts
    // When given, the surahs, tips and classification come from this database (the window's import keeps
    // what the reader's database holds) instead of the facts folder; a classification file still wins.
    QString baseDatabase;
};

// Reads every input, then replaces librezi.db and LIB'REZI.rtf in the output folder, keeping the reciters
// the reader added and chose. The new files are written under temporary names first, so that a refused
// input or any failure leaves the files already there as they were; both carry one identity of the
// import, so that a pair from two imports can be told. One import at a time in a folder; what a killed
// import left behind is finished or removed by the next. Returns what the reader should know of the import:
// "" or the note of the verses without text. Throws BuildError.
QString build(const Options& options);

} // namespace databuilder
