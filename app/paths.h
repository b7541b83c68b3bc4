// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// Where the program and the reader's data are: the program folder, the reader's own data folder, the database and
// the whole text in use, the reciters' folders; and the import of a translation into them.
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

// The folder of the database in use: the per-user folder or the program folder.
QString dataFolder();
// The database in use: librezi.db in dataFolder().
QString databasePath();
// Makes the per-user copy of the program folder's database when there is none yet (the folder is
// created). Throws StartupError when the program folder has no database or the copy fails.
void ensureUserDatabase();
// The whole-text file in use, found without regard to case: the per-user one when the reader
// imported a translation there, otherwise the program folder's; "" when there is none.
QString wholeTextFile();
// A relative reciter folder: under the per-user folder when it exists there (and the per-user
// folder is in use), otherwise under the program folder.
QString reciterFolder(const QString& relative);

// Imports a translation into the reader's data folder (the per-user copy when the program folder
// cannot be written), keeping the reciters, the surahs and the classification the database holds; the database in
// use is a new file afterwards, to be opened again. `content` is the bytes of `file` as they were read and shown to
// the reader: the file is not read again. `onStep` runs between the import's steps. Returns the note of verses
// without text ("" when none). Throws databuilder::BuildError (nothing changed then).
QString importTranslation(const QString& file, const QByteArray& content, const std::function<void()>& onStep = {});

// A start-up that cannot go on: the file concerned and the cause, in Albanian.
struct StartupError {
    QString file;
    QString cause;
};

// The whole-text file in `folder`, found without regard to letter case ("LIB'REZI.rtf" preferred); "" when there is
// none.
QString wholeTextFileIn(const QString& folder);

} // namespace Module1
