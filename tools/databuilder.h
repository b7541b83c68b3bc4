#pragma once

#include "tools/classification.h"
#include "tools/facts.h"
#include "tools/reciters.h"
#include "tools/textinput.h"
#include "tools/translation.h"
#include "tools/wholetext.h"

// The data builder: reads the facts and (optionally) a translation file, and writes the database
// and the whole-text RTF file the program reads. Every message is Albanian, for the reader's eyes.
namespace databuilder {

// The file names in the output folder.
inline constexpr const char* kDatabaseFile = "librezi.db";
inline constexpr const char* kWholeTextFile = "LIB'REZI.rtf";

// Writes a complete database to `path` (which must not exist yet). Throws BuildError.
void writeDatabase(const QString& path, const QList<Surah>& surahs, const Translation& t, const QStringList& tips,
                   const Classification& classification);

struct Options {
    QString factsFolder;
    QString outFolder;
    QString translationFile;    // "" for none
    QString classificationFile; // "" for the one made of the facts
    bool keepReciters = false;  // the reciters of the database being replaced (if any) carry over
};

// Reads every input, then replaces librezi.db and LIB'REZI.rtf in the output folder. The new files
// are written under temporary names first, so that a refused input or any failure leaves the files
// already there as they were. Throws BuildError.
void build(const Options& options);

} // namespace databuilder
