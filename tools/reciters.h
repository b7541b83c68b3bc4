// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace platform {
class Connection;
}

// The reciters of a database (table Lokacioni_i_zerit): adding one, and carrying them over an import.
namespace databuilder {

// The reciters every new database starts with: the bundled synthetic samples.
void writeBundledReciters(platform::Connection& db);

// Carries the reciters of the database `from` over into the new database `into`: every reciter the reader
// added, and which reciter of each kind is the chosen one. The bundled reciters stay as the new database
// has them, marks aside. Throws platform::DbError.
void copyReciters(platform::Connection& from, platform::Connection& into);

// A reciter row to add to an existing database.
struct ReciterOptions {
    QString database;
    QString name;       // what the reciter lists show
    QString folder;     // where its files are; a relative folder is taken from the database's folder
    QString otherBase;  // when not "", a relative folder found only here is taken too (the program folder)
    bool verses = true; // a verse reciter (SSSAAA.mp3 files) or a surah reciter (SSS.mp3)
    bool makeDefault = false;
};

// Adds a reciter to table Lokacioni_i_zerit and returns its IDLok. With makeDefault it becomes the
// only default of its kind. An empty name, a folder that does not exist or a database that is not
// there is refused and nothing is written. Throws BuildError.
int addReciter(const ReciterOptions& options);

} // namespace databuilder
