// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/paths.h"
#include "data/library.h"
#include "platform/database.h"

#include <QString>

class frmKryesore;

// The state shared by the windows for the whole run, and the entry procedure.
namespace Module1 {

extern platform::Connection cnLidhja; // the only connection, open for the whole run
extern data::Library library;         // what the program asks of the database, on that connection
extern QString strLokacioniAjeteve;   // folder of the default verse reciter
extern QString strLokacioniSureve;    // folder of the default surah reciter

// The main window once loaded (null before).
frmKryesore* mainWindow();
// Destroys the main window without closing it (tests start the program many times in one process).
void unloadMainWindow();

// Starts the program: becomes the reader's one window (or hands `verse` to the window already open and
// ends: 0 without a window of its own), makes the reader's copy of the database, finishes what an interrupted
// import left, opens the database, shows the splash window while the main window loads, reads the default
// reciter folders and shows the main window, at `verse` when one is named ("36:12", "Jasin 12"). Returns 0
// when a window is shown or took the start; otherwise the reader has been told why in a message box and the
// result is the exit status.
int Main(const QString& verse = QString());

// Shows the splash window, loads the main window while it is on screen, then closes the splash.
void ShfaqSplash();

} // namespace Module1
