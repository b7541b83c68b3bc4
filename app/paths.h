// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace platform {
class Connection;
}

// Where the program and the reader's data are: the program folder, the reader's own data folder, the database and
// the whole text in use, the reciters' folders; what the start mends of an interrupted import; whether this run
// saves; and the import of a translation into them.
namespace Module1 {

// The folder that holds the program (its executable), without a trailing separator.
QString programFolder();
// Tests and tools point the program at another folder.
void setProgramFolder(const QString& folder);

// The reader's own data folder ($XDG_DATA_HOME/librezi, usually ~/.local/share/librezi).
QString userDataFolder();
// True when the program keeps the reader's data in userDataFolder(): the program folder is marked
// as installed (kInstalledMarker) or its database cannot be written. A writable build folder never
// uses the per-user folder, even when one exists.
bool usesUserData();
// Tests decide whether the program folder counts as writable (root may write anywhere);
// nullopt goes back to asking the file system.
void setProgramFolderWritable(std::optional<bool> writable);
// The file an installed program folder holds so that every user gets their own copy.
inline constexpr const char* kInstalledMarker = "librezi.installed";

// The folder of the database in use: the per-user folder or the program folder (also when the per-user copy
// could not be made: see savingOff).
QString dataFolder();
// The database in use: librezi.db in dataFolder().
QString databasePath();
// Makes the per-user copy of the program folder's database when there is none yet (the folder is created),
// after finishing what an import killed in that folder left. The copy is made once, in one step: a start or a
// builder that comes while another makes it waits for that copy and takes it. Throws StartupError when the
// program folder has no database or the copy cannot be made.
void ensureUserDatabase();
// The whole-text file in use, found without regard to case: the per-user one when the reader imported a
// translation there, otherwise the program folder's (or one made for this run: see mendWholeText); "" when
// there is none.
QString wholeTextFile();
// The store of the texts read beside the translation (the Arabic text, other translations): tekstet.db in the
// reader's own data folder, apart from the translation's database so that a new import keeps it.
QString parallelTextsPath();
// The store of the reader's notes on verses: shenimet.db in the reader's own data folder, kept through a new import
// and an update.
QString notesPath();
// A relative reciter folder: under the per-user folder when it exists there (and the per-user folder is in
// use), otherwise under the program folder.
QString reciterFolder(const QString& relative);

// What the start decided in the last run, forgotten (tests start the program many times in one process).
void resetStart();
// The per-user copy cannot be made (a home that cannot be written): this run reads the program folder's database,
// and saving is off.
void useProgramDatabase();
// Looks whether the reader's data folder and settings store can be written: see savingOff.
void checkSaving();
// Whether this run keeps what the reader does. Saving is off when the reader's data folder or settings store
// cannot be written (a read-only home): the program runs all the same, and nothing it would keep is written.
bool savingOff();
// The sentence that says so, in Albanian; "" while saving is on.
QString savingOffText();

// The whole text in use written by another import than the database in use (an import was interrupted between
// its two files): the whole text is written again from the database; where it cannot be written, one is made
// from the database for this run only. Either way the start goes on and the start note says which.
void mendWholeText();
// What the start mended or cannot keep, for the window to show without asking anything: one Albanian sentence a
// line, "" when there is nothing to say.
QString startNote();
// Why the whole text read now and the open database come from two imports, in Albanian: a newer import replaced
// the database since the start (a restart is what the reader needs), or the pair on disk is mixed.
QString twoImportsCause(platform::Connection& db);

// Imports a translation into the reader's data folder (the per-user copy when the program folder
// cannot be written), keeping the reciters, the surahs and the classification the database holds; the database in
// use is a new file afterwards, to be opened again. `content` is the bytes of `file` as they were read and shown to
// the reader: the file is not read again. Returns the note of verses
// without text ("" when none). Throws databuilder::BuildError (nothing changed then).
QString importTranslation(const QString& file, const QByteArray& content);

// A start-up that cannot go on: the file concerned and the cause, in Albanian.
struct StartupError {
    QString file;
    QString cause;
};

// The whole-text file in `folder`, found without regard to letter case ("LIB'REZI.rtf" preferred); "" when there is
// none.
QString wholeTextFileIn(const QString& folder);

} // namespace Module1
