// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/verse.h"

#include <QElapsedTimer>
#include <QHash>
#include <QTimer>
#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
namespace platform {
class TextPane;
}

// The editor of a verse's note ("Shënim për ajetin 36:12"): a small window over the main one, opened by the text's
// popup and Ctrl+N on the verse under the caret, first under the verse's lines and after that where the reader left
// it. What the reader types is kept in the notes store after a short pause, and while typing goes on without one
// once the first change not yet kept is older than kLongestMs; also when the editor turns to another verse, when it
// closes and when the main window closes. A save that failed is said in the editor, and the editor stays open with
// the text, trying again after a pause, until a save succeeds.
class frmShenimi : public QWidget {
    Q_OBJECT
public:
    // The pause in typing after which the note is kept.
    static constexpr int kPauseMs = 700;
    // The longest a change waits to be kept while typing goes on.
    static constexpr int kLongestMs = 800;

    // The editor of the notes kept at `store`, a window of its own over `parent`.
    frmShenimi(const QString& store, QWidget* parent);
    ~frmShenimi() override;
    // Keeps the note being typed, then shows the verse's note; the editor is shown and takes the keyboard.
    void showVerse(text::Verse verse);
    text::Verse verse() const { return m_verse; }
    // Keeps the note being typed now (nothing when it was kept already); false, said in the editor, when it failed.
    bool saveNow();
    // Shows the verse's note as the store has it now (after an import merged into it).
    void reload();
    // Puts the editor where it first opens: under the verse's lines (`verse`, on the screen; none when they are not
    // in view: over the middle of the main window), inside the main window as far as it holds the editor, and on the
    // main window's screen. Once placed, the editor stays where the reader leaves it.
    void placeBeside(QRect verse);
    bool placed() const { return m_placed; }

    QPlainTextEdit* txtShenimi;
    QLabel* lblGabimi;

Q_SIGNALS:
    // A note was kept or removed.
    void saved(text::Verse verse);

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void changed();

    QString m_store;
    text::Verse m_verse;
    bool m_dirty = false;
    bool m_leaving = false;
    bool m_placed = false;
    QTimer m_pause;
    QElapsedTimer m_unkept; // since the first change not yet kept
};

// The reader's notes beside the bookmarks: one line each in book order, the verse's key and the note's start (the
// start at more length when the pointer rests on it), narrowed by a filter box as notes::search narrows them; a line
// chosen (a click, Enter) names its verse. A store that cannot be read is said in the list's place. "Eksporto" writes
// every note to a JSON file another computer imports by "Importo" (notes::exportTo, notes::importFrom); what each did,
// or why it failed, is said in a message box.
class NotesList : public QWidget {
    Q_OBJECT
public:
    NotesList(const QString& store, QWidget* parent);
    // Reads the store again, the filter applied.
    void refresh();
    void exportNotes();
    void importNotes();

    // Asks for the file to write (saving) or read ("" when the reader cancels); tests put their own.
    std::function<QString(bool saving)> chooseFile;

    QLineEdit* txtFiltri;
    QListWidget* lstShenimet;
    QPushButton* cmdEksporto;
    QPushButton* cmdImporto;

Q_SIGNALS:
    void chosen(text::Verse verse);
    // Every note, as refresh read it (for the marks beside the keys).
    void notesRead(const QHash<text::Verse, QString>& notes);

private:
    QString m_store;
};

namespace shenimet {
// A note's line in the list: the key, then its first line, cut short.
QString lineOf(text::Verse verse, const QString& note);

// Where the editor goes the first time: `size`, under `verse` (its lines, as the screen has them) with its left edge
// at theirs, or above them when `room` has no space under them; over the middle of `room` when `verse` is empty;
// always inside `room`, and no bigger than it.
QRect placeBeside(QRect verse, QSize size, QRect room);
// The verse's lines in `text`, in the screen's coordinates, as far as they are in view; empty when none is.
QRect verseOnScreen(const platform::TextPane* text, text::Verse verse);

// The editor of `window` (made on first use) showing `verse`, the first time placed under its lines in `text` (when
// given); nothing for a verse that is not one.
frmShenimi* open(QWidget* window, const QString& store, text::Verse verse, const platform::TextPane* text = nullptr);
} // namespace shenimet
