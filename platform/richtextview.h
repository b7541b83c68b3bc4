// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/beside.h"
#include "text/composed.h"

#include <QColor>
#include <QList>
#include <QSet>
#include <QString>
#include <QTextEdit>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace platform {
namespace rtf {
struct Document;
}

// Gives a composed text standing in a document from `at` on its look: its verse lines hanging, the lines beside
// them in their faces (the Arabic right to left), its marks in the palette's colours.
void formatComposed(QTextDocument* doc, int at, const text::Composed& composed, const QFont& arabic,
                    QColor (*palette)(text::Role));

// One text of the main window's view, with its own layout, caret, scroll and caches. Its positions count a line
// break as two characters (CR LF) in Text, SelStart and SelLength alike; they map exactly onto the document's own
// positions, which count one per paragraph break. The reader cannot type into it; caret, selection and scrolling
// work as in any text view. No undo history is kept.
class TextPane : public QTextEdit {
    Q_OBJECT
public:
    explicit TextPane(QWidget* parent = nullptr);

    // Find options, as flags.
    enum FindOption { rtfWholeWord = 2, rtfMatchCase = 4, rtfNoHighlight = 8 };

    // Replaces the text with an RTF document, formats included; caret at 0.
    void fill(const rtf::Document& parsed);
    // Shows a text document filled elsewhere (rtf::fill) instead of its own, and owns it; caret at 0.
    void adopt(std::unique_ptr<QTextDocument> doc);
    // Gives every character a face or a size, as the document's default font: runs that carry one of their own
    // give it up (the first time; after that only the default font changes). The layout is paused meanwhile.
    void setFontOfAll(const QString& face);
    void setFontOfAll(double points);
    // The font the character at `crlfPos` is drawn in.
    QFont fontAt(int crlfPos) const;

    // Shows a composed text in the default format, its marks in their roles' colours; caret at 0.
    void showComposed(const text::Composed& composed);
    // Where the verses of the text shown stand: given with the text (setText gives none).
    void setVerseIndex(text::VerseIndex index) {
        m_index = std::move(index);
        m_plainIndex.reset();
    }
    const text::VerseIndex& verseIndex() const { return m_index; }
    // The texts beside the verses of the text shown (the Arabic above each key line, other translations under it),
    // in place of those shown before; none: the text alone. The verse index moves with the lines. For the whole text
    // (a composed text comes with its lines beside: see text::withBeside).
    void showBeside(const QList<text::ShownText>& texts);
    // The face and size the Arabic is drawn in, from the next text or lines beside shown.
    void setArabicFont(const QFont& font) { m_arabic = font; }
    // The verse's block (CR LF positions of its first character and of its end); (-1, -1) when the text does not
    // hold it.
    std::pair<int, int> blockOf(text::Verse v) const;
    // The block that holds `crlfPos`, as blockOf gives it; (-1, -1) on a line that is no verse's.
    std::pair<int, int> blockAt(int crlfPos) const;
    // The verse of the line holding `crlfPos`; none on a line that is no verse's.
    text::Verse verseAt(int crlfPos) const;
    // The surah whose heading is the line holding `crlfPos`; 0 on a line that is no heading.
    int headingAt(int crlfPos) const;
    // Verses drawn with a mark in the margin beside their key (the reader's bookmarks).
    void setMarkedVerses(const QSet<text::Verse>& verses);
    // Where a marked verse's mark is drawn, in the pane's own coordinates; empty when the verse is not marked, not
    // in this text or not in view.
    QRect markRect(text::Verse v) const;
    // Verses that have a note, each with its note: a small dot is drawn beside their keys, and the pointer resting
    // on it shows the note's start.
    void setNotedVerses(const QHash<text::Verse, QString>& notes);
    // Where a noted verse's dot is drawn, as markRect gives a mark's; the note's start shown at a point of the pane
    // ("" where no dot is).
    QRect noteRect(text::Verse v) const;
    QString noteAt(QPoint p) const;
    // The first verse whose line is at the top of the view or among the next three lines (a heading, the title or a
    // report may stand above it); none when there is none.
    text::Verse topVerse() const;
    // Where a verse's line starts (CR LF position), or its surah's heading when the heading stands right above it
    // and `withHeading`; -1 when the text does not hold the verse.
    int positionOf(text::Verse v, bool withHeading = false) const;

    // The whole plain text, line breaks as CR LF.
    QString Text() const;
    // Shows a composed plain text (CR LF, LF or CR as line breaks) in the default format.
    void setText(const QString& text);
    // Length of Text() without building it.
    int TextLength() const;

    int SelStart() const;
    void setSelStart(int pos); // collapses the selection
    int SelLength() const;
    void setSelLength(int len); // selects from SelStart on
    QString SelText() const;    // CR LF for line breaks; "" when nothing is selected

    void setSelColor(const QColor& c);
    // Draws the page in the palette in use: its background and text, the selection, the marks in the margin, and
    // every run drawn in a role's colour (verse keys, headings, notes, a search's matches) in that role's colour
    // now. Only formats change, never a character.
    void recolour();
    void setSelFontName(const QString& face);
    void setSelFontSize(const QString& points); // decimal text; other attributes are kept

    // What a copy of the selection puts on the clipboard instead of the selected text, when it gives something (a
    // verse with its reference); the view's own copy otherwise.
    std::function<QMimeData*()> copyOfSelection;

    // With loose letters, finding and colouring also take ë as e and ç as c.
    void setLooseLetters(bool loose);
    bool looseLetters() const { return m_loose; }
    // The text folded as Find matches it (see foldText), and a phrase folded the same way.
    const QString& foldedText() const { return cachedFolded(); }
    QString fold(const QString& phrase) const;

    // Finds text ignoring case for every letter and taking ' ’ ‘ as one character (unless
    // rtfMatchCase), inside words (unless rtfWholeWord). start < 0: from the caret; end < 0: to the
    // end of the text. A match is selected and brought into view; returns its position or -1 (the
    // selection then stays as it was). An empty string is never found.
    int Find(const QString& what, int start = -1, int end = -1, int options = 0);

    // Moves the end of the selection over the characters (not) in `set`: forward with negate
    // true, over every character not in the set, stopping before the first one that is.
    void Span(const QString& set, bool forward = true, bool negate = false);
    // Moves the caret: negate false, forward: before the first character of the set after the caret
    // (the end of the text if none); backward: to the nearest character of the set before it (0 if none).
    void UpTo(const QString& set, bool forward = true, bool negate = false);

    // Runs a change that touches much of the text with the layout paused: nothing is laid out while
    // it runs, and afterwards the text is laid out afresh from the top, the first screens at once and
    // the rest a step at a time, as after loading. Every line laid out before is dropped, so no line
    // of the old layout outlives the change. Calls nest; the outermost one resumes the layout.
    void changeWithLayoutPaused(const std::function<void()>& change);

    void Refresh();

    // Scrolls so that the line holding `crlfPos` is the first line of the view (as far as the text goes).
    void showAtTop(int crlfPos);
    // The position of the first character of the first line the view shows.
    int topPosition() const;
    // The text of the line (paragraph) holding `crlfPos`, without its break.
    QString lineAt(int crlfPos) const;
    // The position of the character at a point of the view (viewport coordinates).
    int positionAt(QPoint p) const;

    // Position mapping between CR LF positions and the document's positions.
    int toDocumentPosition(int crlfPos) const;
    int fromDocumentPosition(int docPos) const;

Q_SIGNALS:
    void DblClick();
    // Button: 1 left, 2 right, 4 middle; Shift: 1 Shift, 2 Ctrl, 4 Alt; X, Y in pixels of the view.
    void MouseUp(int Button, int Shift, int X, int Y);
    // Ctrl with the wheel: one step bigger (+1) or smaller (-1).
    void zoomStep(int step);

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    // The line at the top stays at the top when the view's width changes (its lines wrap anew).
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    friend class MarkMargin;
    void paintMarks(QPainter& painter) const;
    void removeBeside();
    void setFontOfAll(int property, const std::function<void(QFont&)>& set);
    void rehang();
    void onContentsChange(int from, int charsRemoved, int charsAdded);
    bool cacheStillMatches(int from, int length) const;
    void dropCaches();
    const QString& cachedText() const;
    const QString& cachedFolded() const;
    void selectRange(int anchorCrlf, int positionCrlf);
    void replaceContent(const std::function<void(QTextDocument*)>& fill);

    // The plain text in CR LF form and its folded copy, built on demand and dropped when the
    // characters change (not when only formats do).
    mutable QString m_text;
    mutable QString m_folded;
    mutable bool m_textValid = false;
    mutable bool m_foldedValid = false;
    int m_keptTop = -1; // the line to show at the top once a resize is over
    bool m_rehanging = false;
    bool m_loose = false;
    QSet<int> m_ownless; // the font properties (face, size) no run carries
    text::VerseIndex m_index;
    std::optional<text::VerseIndex> m_plainIndex; // the index without the lines beside, while they are shown
    QFont m_arabic;
    QSet<text::Verse> m_marked;
    QHash<text::Verse, QString> m_noted;
    QRect keyLineRect(text::Verse v) const;
    QWidget* m_margin; // the strip left of the text where the marks are drawn
};

// The text view of the main window. It holds two texts, each in a pane of its own: the whole text (read from its
// file) and a composed one (a passage, a search result). One is shown at a time; the other keeps its layout,
// caret, scroll and caches, so the whole text comes back at once, as it was left. Everything below acts on the
// text shown.
class RichTextView : public QWidget {
    Q_OBJECT
public:
    explicit RichTextView(QWidget* parent = nullptr);

    enum FindOption {
        rtfWholeWord = TextPane::rtfWholeWord,
        rtfMatchCase = TextPane::rtfMatchCase,
        rtfNoHighlight = TextPane::rtfNoHighlight
    };

    // Loads an RTF file as the whole text and shows it: replaces it, formats included; caret at 0.
    // Returns false (content unchanged) when the file cannot be read, is empty or is not RTF.
    bool setFileName(const QString& path);
    // Takes an RTF document read from `path` as the whole text (replacing it, formats included; caret at 0), its
    // verses where `index` says. `filled`, when given, is the document already filled from it, and is taken as it
    // is. A composed text shown stays shown.
    void showDocument(const rtf::Document& parsed, text::VerseIndex index, const QString& path,
                      std::unique_ptr<QTextDocument> filled = {});
    // Shows the whole text as it was left: false when none was loaded.
    bool showWholeText();
    bool showsWholeText() const { return m_shown == m_whole; }
    bool hasWholeText() const { return m_wholeLoaded; }
    // The font passages and search results are written in (the whole text brings its own).
    void setTextFont(const QFont& font);
    // A face or a size for both texts, every character of them; a blank face or a size no font can have
    // (as a size box may hold: "12", "10,5") changes nothing.
    void setFontName(const QString& face);
    void setFontSize(const QString& points);
    QString FileName() const { return m_fileName; }

    // The pane shown, and both panes (whole text first).
    TextPane* shown() const { return m_shown; }
    QList<TextPane*> panes() const { return {m_whole, m_composed}; }

    QString Text() const { return m_shown->Text(); }
    void setText(const QString& text);
    int TextLength() const { return m_shown->TextLength(); }
    int SelStart() const { return m_shown->SelStart(); }
    void setSelStart(int pos) { m_shown->setSelStart(pos); }
    int SelLength() const { return m_shown->SelLength(); }
    void setSelLength(int len) { m_shown->setSelLength(len); }
    QString SelText() const { return m_shown->SelText(); }
    void setSelColor(const QColor& c) { m_shown->setSelColor(c); }
    void setSelColor(int bgr); // a colour as &HBBGGRR (255 is red)
    void setSelFontName(const QString& face) { m_shown->setSelFontName(face); }
    void setSelFontSize(const QString& points) { m_shown->setSelFontSize(points); }
    QFont fontAt(int crlfPos) const { return m_shown->fontAt(crlfPos); }
    // Both texts drawn in the palette in use (see TextPane::recolour).
    void recolour();
    // Verses marked beside their keys, in both texts.
    void setMarkedVerses(const QSet<text::Verse>& verses);
    // Verses with a note, in both texts (see TextPane::setNotedVerses).
    void setNotedVerses(const QHash<text::Verse, QString>& notes);
    // Loose letters hold for both texts.
    void setLooseLetters(bool loose);
    bool looseLetters() const { return m_shown->looseLetters(); }
    const QString& foldedText() const { return m_shown->foldedText(); }
    QString fold(const QString& phrase) const { return m_shown->fold(phrase); }
    int Find(const QString& what, int start = -1, int end = -1, int options = 0) {
        return m_shown->Find(what, start, end, options);
    }
    void Span(const QString& set, bool forward = true, bool negate = false) { m_shown->Span(set, forward, negate); }
    void UpTo(const QString& set, bool forward = true, bool negate = false) { m_shown->UpTo(set, forward, negate); }
    // Shows a composed text (a passage, search results, a note) instead of the whole text, with the texts beside.
    void showComposed(const text::Composed& composed);
    // The texts read beside the verses, in both texts (the composed one from the next shown); none: the
    // translation alone. The Arabic in its own face and size.
    void setBeside(const QList<text::ShownText>& texts, const QFont& arabic);
    bool showsBeside() const { return !m_beside.isEmpty(); }
    const QList<text::ShownText>& beside() const { return m_beside; }
    // Selects the verse's block in the text shown (the key line, and the lines beside it); false when the text does
    // not hold the verse.
    bool selectVerse(text::Verse v);
    // Selects the block of the verse that holds `crlfPos`; false on a line that is no verse's.
    bool selectBlockAt(int crlfPos);
    text::Verse verseAt(int crlfPos) const { return m_shown->verseAt(crlfPos); }
    int headingAt(int crlfPos) const { return m_shown->headingAt(crlfPos); }
    text::Verse topVerse() const { return m_shown->topVerse(); }
    int positionOf(text::Verse v, bool withHeading = false) const { return m_shown->positionOf(v, withHeading); }
    const text::VerseIndex& verseIndex() const { return m_shown->verseIndex(); }
    void changeWithLayoutPaused(const std::function<void()>& change) { m_shown->changeWithLayoutPaused(change); }
    void Refresh() { m_shown->Refresh(); }
    void SetFocus() { setFocus(); }
    void showAtTop(int crlfPos) { m_shown->showAtTop(crlfPos); }
    int topPosition() const { return m_shown->topPosition(); }
    QString lineAt(int crlfPos) const { return m_shown->lineAt(crlfPos); }
    int positionAt(QPoint p) const { return m_shown->positionAt(p); }
    int toDocumentPosition(int crlfPos) const { return m_shown->toDocumentPosition(crlfPos); }
    int fromDocumentPosition(int docPos) const { return m_shown->fromDocumentPosition(docPos); }

    // The text view's own, of the pane shown.
    QTextDocument* document() const { return m_shown->document(); }
    QWidget* viewport() const { return m_shown->viewport(); }
    QScrollBar* verticalScrollBar() const { return m_shown->verticalScrollBar(); }
    QScrollBar* horizontalScrollBar() const { return m_shown->horizontalScrollBar(); }
    QTextCursor textCursor() const { return m_shown->textCursor(); }
    void setTextCursor(const QTextCursor& c) { m_shown->setTextCursor(c); }
    QRect cursorRect() const { return m_shown->cursorRect(); }
    QRect cursorRect(const QTextCursor& c) const { return m_shown->cursorRect(c); }

Q_SIGNALS:
    void DblClick();
    void MouseUp(int Button, int Shift, int X, int Y);
    void zoomStep(int step);

public:
    QSize sizeHint() const override { return m_whole->sizeHint(); }
    QSize minimumSizeHint() const override { return m_whole->minimumSizeHint(); }

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void showPane(TextPane* pane);
    bool selectBlock(std::pair<int, int> block); // (-1, -1): none
    void setFontOfBoth(const std::function<void(TextPane*)>& apply);

    QString m_fileName;
    TextPane* m_whole;
    TextPane* m_composed;
    TextPane* m_shown;
    bool m_wholeLoaded = false;
    QList<std::function<void(TextPane*)>> m_composedFonts; // faces and sizes the composed text takes when shown
    QList<text::ShownText> m_beside;
};

} // namespace platform
