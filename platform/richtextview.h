// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <QTextEdit>

#include <functional>

namespace platform {
namespace rtf {
struct Document;
}

// The text view of the main window. Its positions count a line break as two characters (CR LF)
// in Text, SelStart and SelLength alike; they map exactly onto the document's own positions,
// which count one per paragraph break. The reader cannot type into it; caret, selection and
// scrolling work as in any text view. No undo history is kept.
class RichTextView : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextView(QWidget* parent = nullptr);

    // Find options, as flags.
    enum FindOption { rtfWholeWord = 2, rtfMatchCase = 4, rtfNoHighlight = 8 };

    // The view holds two texts: the whole text (read from its file) and a composed one (a passage, a search
    // result), each with its own layout, caret, scroll and caches. setText shows the composed one; the whole
    // text, once loaded, comes back at once with showWholeText, as it was left.

    // Loads an RTF file as the whole text: replaces it, formats included; caret at 0.
    // Returns false (content unchanged) when the file cannot be read, is empty or is not RTF.
    bool setFileName(const QString& path);
    // Shows an RTF document read from `path` as the whole text (replacing it, formats included; caret at 0).
    void showDocument(const rtf::Document& parsed, const QString& path);
    // Shows the whole text as it was left: false when none was loaded.
    bool showWholeText();
    bool showsWholeText() const { return m_shown == kWhole; }
    // The font passages and search results are written in (the whole text brings its own).
    void setTextFont(const QFont& font);
    // The face or the size given to the text not shown (the whole text under a passage), as to the one shown.
    void setHiddenFontName(const QString& face);
    void setHiddenFontSize(const QString& points);
    QString FileName() const { return m_fileName; }

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
    void setSelColor(int bgr); // a colour as &HBBGGRR (255 is red)
    void setSelFontName(const QString& face);
    void setSelFontSize(const QString& points); // decimal text; other attributes are kept

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

    // Colours every occurrence of `what` (found as Find finds it, each search starting after the
    // previous match) with the layout paused, so the view lays out and repaints once. Returns the count.
    int colorAll(const QString& what, const QColor& c);
    // setText(text), then colorAll(word, c) for each word in order, as one edit with the layout
    // paused: the view then lays the new text out once, a step at a time from the top.
    void setTextColoured(const QString& text, const QStringList& words, const QColor& c);

    // Runs a change that touches much of the text with the layout paused: nothing is laid out while
    // it runs, and afterwards the text is laid out afresh from the top, the first screens at once and
    // the rest a step at a time, as after loading. Every line laid out before is dropped, so no line
    // of the old layout outlives the change. Calls nest; the outermost one resumes the layout.
    void changeWithLayoutPaused(const std::function<void()>& change);

    void Refresh();
    void SetFocus();

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

private:
    static void pauseLayoutOf(QTextDocument* doc, const std::function<void()>& change);
    void mergeIntoHidden(const QTextCharFormat& f);
    void onContentsChange(int from, int charsRemoved, int charsAdded);
    bool cacheStillMatches(int from, int length) const;
    void dropCaches();
    const QString& cachedText() const;
    const QString& cachedFolded() const;
    void selectRange(int anchorCrlf, int positionCrlf);
    void replaceContent(const std::function<void(QTextDocument*)>& fill);
    enum Shown { kWhole = 0, kComposed = 1 };
    void showText(Shown which);
    // What a text not shown keeps of its view.
    struct Kept {
        QString text, folded;
        bool textValid = false, foldedValid = false, loose = false;
        int scroll = 0;
        QTextCursor cursor;
    };

    QString m_fileName;
    // The plain text in CR LF form and its folded copy, built on demand and dropped when the
    // characters change (not when only formats do).
    mutable QString m_text;
    mutable QString m_folded;
    mutable bool m_textValid = false;
    mutable bool m_foldedValid = false;
    int m_keptTop = -1; // the line to show at the top once a resize is over
    QTextDocument* m_docs[2] = {nullptr, nullptr};
    Kept m_kept[2];
    int m_shown = kWhole;
    bool m_wholeLoaded = false;
    bool m_loose = false;
};

} // namespace platform
