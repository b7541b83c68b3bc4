// SPDX-License-Identifier: GPL-3.0-or-later
#include "reading/session.h"

#include "data/library.h"

namespace reading {

Session::Session(const data::Library& library, QObject* parent) : QObject(parent), m_library(library) {}

void Session::leave(Screen& s) const {
    if (m_placeOfView)
        m_placeOfView(s);
}

void Session::push(Screen s) {
    m_back.append(std::move(s));
    if (m_back.size() > kMaxBack)
        m_back.removeFirst();
}

text::Verse Session::wholeTextPlace() {
    if (!m_screen.composed()) {
        leave(m_screen);
        return m_screen.verse;
    }
    for (qsizetype i = m_back.size() - 1; i >= 0; --i)
        if (!m_back[i].composed())
            return m_back[i].verse;
    return m_verse;
}

void Session::tell(const QString& message) {
    Q_EMIT told(message);
}

bool Session::goTo(text::Verse v, Origin origin) {
    const std::optional<data::Surah> surah = m_library.surah(v.surah);
    if (!surah) {
        tell(QStringLiteral("Nuk ka sure me numrin %1").arg(v.surah));
        return false;
    }
    if (v.verse < 1 || v.verse > surah->verses) {
        tell(QStringLiteral("Sureja %1 ka %2 ajete").arg(surah->name).arg(surah->verses));
        return false;
    }
    m_verse = v;
    tell(QString());
    Q_EMIT verseChosen(v, origin);
    return true;
}

bool Session::openInWholeText(text::Verse v) {
    if (m_screen.composed()) {
        leave(m_screen);
        push(m_screen);
        m_beforeShow.reset();
        m_screen = Screen{Screen::WholeText, {}, v, -1, -1};
        Q_EMIT screenChanged(m_screen);
    }
    return goTo(v);
}

void Session::show(Screen::Kind kind, std::shared_ptr<const text::Composed> text) {
    leave(m_screen);
    m_beforeShow = m_screen;
    m_pushedByShow = !m_screen.composed();
    if (m_pushedByShow)
        push(m_screen);
    m_screen = Screen{kind, std::move(text), {}, -1, -1};
    Q_EMIT screenChanged(m_screen);
}

void Session::undoShow() {
    if (!m_beforeShow)
        return;
    if (m_pushedByShow && !m_back.isEmpty())
        m_back.removeLast();
    m_screen = *std::exchange(m_beforeShow, std::nullopt);
    Q_EMIT screenChanged(m_screen);
}

bool Session::goBack() {
    if (m_back.isEmpty())
        return false;
    m_beforeShow.reset();
    m_screen = m_back.takeLast();
    Q_EMIT screenChanged(m_screen);
    return true;
}

} // namespace reading
