// SPDX-License-Identifier: GPL-3.0-or-later
// What the tests of the main window share beside testsupport: the window, its controls, the scripted message boxes,
// the database, the settings store and the builder at hand; the line at the top of the text view, a text typed into
// a box with Enter, and the files an import killed in a folder left there.
#pragma once

#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "platform/database.h"
#include "platform/listcontrols.h"
#include "platform/msgbox.h"
#include "platform/richtextview.h"
#include "platform/settings.h"
#include "testsupport.h"
#include "tools/databuilder.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace windowtest {

// The line at the top of the window's text view, up to its TAB ("36:10.").
inline QString top(frmKryesore* w) {
    const testsupport::Controls c(w);
    return c.Rtf1->lineAt(c.Rtf1->topPosition()).section(u'\t', 0, 0);
}

// Starts the program on `dir` (on a copy of the bundled data, or `again` on the data a start left there), its window
// shown and active; null when it did not start or its window did not become active.
inline frmKryesore* startShown(const QTemporaryDir& dir, bool again) {
    frmKryesore* w = again ? testsupport::startOnFolder(dir) : testsupport::startProgram(dir);
    if (!w)
        return nullptr;
    w->show();
    w->activateWindow();
    return QTest::qWaitForWindowActive(w) ? w : nullptr;
}

// Types `text` into a box, as a paste leaves it, and presses Enter there.
inline void enter(QWidget* box, const QString& text) {
    testsupport::typeInto(box, text);
    testsupport::pressEnter(box);
}

// The dot files of a folder: the temporary files an import killed there left.
inline QStringList hidden(const QString& folder) {
    return QDir(folder).entryList(QStringList{QStringLiteral(".*")}, QDir::Files | QDir::Hidden);
}

} // namespace windowtest
