// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/composed.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace data {
class Library;
}

// A reading session: where the reader is, what the text view shows and the way back. The window's lists, its
// view, the player and the bookmarks observe it; the reader's commands ask it.
namespace reading {

// Who moved the reader: navigation of the reader's own, or the text following a recitation.
enum class Origin { Reader, Recitation };

// What the view shows, and where in it the reader was when they left it.
struct Screen {
    enum Kind { WholeText, Passage, Results, Note };
    Kind kind = WholeText;
    std::shared_ptr<const text::Composed> text; // what a passage, results or a note show; none for the whole text
    text::Verse verse;                          // the verse at the top of the view when it was left
    int caret = -1;                             // the caret (CR LF position) when it was left; -1: not known
    int top = -1;                               // the first position in view when it was left; -1: not known
    bool composed() const { return kind != WholeText; }
};

class Session : public QObject {
    Q_OBJECT
public:
    explicit Session(const data::Library& library, QObject* parent = nullptr);

    // The verse the reader chose last: the lists show it.
    text::Verse verse() const { return m_verse; }
    const Screen& screen() const { return m_screen; }
    bool showsComposed() const { return m_screen.composed(); }
    // The screens the way back leads to, the nearest last.
    const QList<Screen>& wayBack() const { return m_back; }
    bool canGoBack() const { return !m_back.isEmpty(); }
    // Where the reader is in the whole text: the verse at the top of the view when it shows the whole text, else
    // the verse the way back to the whole text leads to.
    text::Verse wholeTextPlace();

    // The view tells where the reader is in it (top verse, caret, top position) when a screen is left.
    void setPlaceOfView(std::function<void(Screen&)> place) { m_placeOfView = std::move(place); }

    // Goes to a verse of the database: a surah or verse that does not exist is told and nothing moves. In a composed
    // text the verse is shown when the text holds it. True when the reader is at the verse now.
    bool goTo(text::Verse v, Origin origin = Origin::Reader);
    // Reads a verse in the whole text (a verse of a passage, a bookmark): a composed text shown is kept on the way
    // back.
    bool openInWholeText(text::Verse v);
    // Shows a composed text. The whole text left is kept on the way back; a composed text left is replaced by the
    // new one (a reader going through theme after theme comes back to the whole text at once).
    void show(Screen::Kind kind, std::shared_ptr<const text::Composed> text);
    // The screen before the last show() comes back (a search that failed); nothing when there was none.
    void undoShow();
    // The way back: the screen left last comes back where the reader left it.
    bool goBack();
    // A message for the reader about navigation ("" clears it).
    void tell(const QString& message);

    // The most screens the way back keeps.
    static constexpr int kMaxBack = 16;

Q_SIGNALS:
    // The reader is at a verse now.
    void verseChosen(text::Verse v, reading::Origin origin);
    // The view shows another screen (a new one, or one brought back).
    void screenChanged(const reading::Screen& screen);
    void told(const QString& message);

private:
    void leave(Screen& s) const;
    void push(Screen s);

    const data::Library& m_library;
    text::Verse m_verse;
    Screen m_screen;
    QList<Screen> m_back;
    std::optional<Screen> m_beforeShow;
    bool m_pushedByShow = false;
    std::function<void(Screen&)> m_placeOfView;
};

} // namespace reading
