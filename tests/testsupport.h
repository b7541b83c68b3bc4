// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

class frmKryesore;
class QColor;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTabWidget;
class QToolButton;
class QWidget;
namespace platform {
class ComboBox;
class Connection;
class ListBox;
class MediaPlayer;
class RichTextView;
class TreeView;
} // namespace platform

namespace testsupport {

// The folder where the build wrote the bundled librezi.db and whole text.
QString buildFolder();
// The project's reference facts (resources/facts).
QString factsFolder();
// A file of the shared test material, or "" when it is not there (a fresh clone has none).
QString sharedTestFile(const QString& name);

// Copies the bundled database and whole text into `dir` and returns the folder.
QString copyBundledData(const QTemporaryDir& dir);

// Creates an empty database of the program's schema at `path` and opens the shared connection on it.
void createEmptyDatabase(const QString& path);

// Every row of a statement, each column as text.
QList<QStringList> queryRows(platform::Connection& db, const QString& sql);

// Points the per-user settings store into `dir` (call before anything reads settings).
void useSettingsIn(const QTemporaryDir& dir);

// Starts the program on a copy of the bundled data in `dir` (settings kept in `dir` too) and returns
// its main window; fails the test when it does not start.
frmKryesore* startProgram(const QTemporaryDir& dir);
// Starts the program on the data already in `dir`; null when it refused to start.
frmKryesore* startOnFolder(const QTemporaryDir& dir);

// Finds a child widget by object name and type, failing loudly when it is missing.
template <typename T> T* child(QObject* parent, const char* name) {
    T* w = parent->findChild<T*>(QLatin1String(name));
    if (!w)
        qFatal("no child %s", name);
    return w;
}

// The main window's controls, found by their names.
struct Controls {
    explicit Controls(frmKryesore* w);
    frmKryesore* w;
    platform::RichTextView* Rtf1;
    platform::ComboBox *CmbNrSure, *CmbEmrSure, *CmbNrAjeti, *CmbTotalAjete, *CmbKerkoKrejt, *CmbFontNames, *CmbNrFonti,
        *CmbLexuesAjete, *CmbLexuesSure, *cmbKlasifikimTematik;
    platform::ListBox *LstAjetetPrejCmbTema, *lstAjetKlasifikim;
    platform::TreeView* TreeView1;
    QLineEdit* txtKerkim;
    QCheckBox* ChkKerkoSure;
    QToolButton *cmdFund, *cmdRrethProg, *cmdCopy, *cmdKerkimPrapa, *cmdKerkim, *cmdKtheLibrezin, *cmdKerkoAll,
        *CmdPlaySure, *CmdPlayAjet, *CmdRefreshKeshille, *CmdCollapseAll, *cmdExpandAll;
    QLabel* LblKeshilla;
    QTabWidget* C1Tab1;
    platform::MediaPlayer* WindowsMediaPlayer1;
    QMenu* mnuPopupRtf;
    QAction *mnuSelektojeAjetin, *mnuSelektoKrejtTekstin, *mnuKopjim, *mnuLshoAjetin, *mnuPauzoje, *mnuVazhdo;
};

// Starts a search of every verse as the reader does (by `start`; a click on the search button when none is given)
// and waits until its results are shown or it failed; false when no search started.
bool search(const Controls& c, const std::function<void()>& start = {});

// The SHA-256 of a file's bytes ("" when it cannot be read).
QByteArray fileChecksum(const QString& path);
// A PDF's pages, their texts as pdftotext reads them (lines as they stand on the page), and how many pdfinfo counts;
// the verse keys standing at the start of a text's lines ("2:255"), in order. The poppler tools must be there
// (scripts/setup.sh installs them): the test ends without them.
QStringList pagesOf(const QString& pdf);
int pageCount(const QString& pdf);
QStringList keysIn(const QString& text);
// Writes `bytes` over the file (truncating it); false when it cannot be written.
bool overwrite(const QString& path, const QByteArray& bytes);
// Types `text` into the edit field of a combo box or line edit, as a paste would leave it.
void typeInto(QWidget* box, const QString& text);
// Presses Enter in a widget (in its edit field when it has one).
void pressEnter(QWidget* box);
// The colour the character at `at` of the view's text (lines ended by CR LF) is drawn in.
QColor colourAt(const platform::RichTextView& view, qsizetype at);
// Whether the program still answers: the window and its text view exist, the text can be read and
// a trivial statement runs on the shared connection.
bool stillAnswers(frmKryesore* w, QString* why);

} // namespace testsupport
