#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class frmKryesore;

// Helpers of the tests that drive the whole main window.
namespace guisupport {

// The SHA-256 of a file's bytes ("" when it cannot be read).
QByteArray fileChecksum(const QString& path);

// Starts the program on the data already in `dir` (copied there and changed by the test), with the
// settings kept in `dir`; null when it refused to start.
frmKryesore* startOnFolder(const QTemporaryDir& dir);

// Writes `bytes` over the file (truncating it); false when it cannot be written.
bool overwrite(const QString& path, const QByteArray& bytes);

// Types `text` into the edit field of a widget (a combo box or a line edit) as keystrokes would leave it.
void typeInto(QWidget* box, const QString& text);

// Presses Enter in a widget (the key goes where a reader's key goes: the focused edit field).
void pressEnter(QWidget* box);

// Whether the program still answers: the window and its text view exist, the text can be read and
// a trivial statement runs on the shared connection.
bool stillAnswers(frmKryesore* w, QString* why);

} // namespace guisupport
