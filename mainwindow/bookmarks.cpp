// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/bookmarks.h"

#include "app/module1.h"
#include "mainwindow/place.h"
#include "platform/database.h"
#include "platform/listcontrols.h"

#include <QHash>
#include <QKeyEvent>
#include <QSignalBlocker>

#include <algorithm>
#include <cstdio>

Bookmarks::Bookmarks(platform::ListBox* list, std::function<void(navigation::Verse)> goTo, QObject* parent)
    : QObject(parent), m_list(list), m_goTo(std::move(goTo)) {
    m_list->installEventFilter(this);
}

QString Bookmarks::itemText(const QString& surahName, navigation::Verse v, const QString& verseText) {
    constexpr int kWords = 6;
    const QStringList words = verseText.simplified().split(u' ', Qt::SkipEmptyParts);
    QString start = words.mid(0, kWords).join(u' ');
    if (words.size() > kWords)
        start += QStringLiteral("…");
    QString item = v.text();
    if (!surahName.isEmpty())
        item = surahName + u' ' + item;
    return start.isEmpty() ? item : item + QStringLiteral(" — ") + start;
}

void Bookmarks::load() {
    m_verses = place::loadBookmarks();
    // A mark of a verse the book does not have (a store edited by hand or by another program) is dropped.
    try {
        QHash<qint64, qint64> verses; // of each surah
        for (platform::Statement st = Module1::cnLidhja.query(QStringLiteral("SELECT IDSureja, NrAjete FROM Suret"));
             st.next();)
            verses.insert(st.integer(0), st.integer(1));
        m_verses.removeIf([&verses](navigation::Verse v) { return v.verse > verses.value(v.surah); });
    } catch (const platform::DbError&) {
        // the marks are kept as they are stored
    }
    refill();
}

bool Bookmarks::toggle(navigation::Verse v) {
    if (!v.isValid())
        return false;
    const bool marked = !m_verses.removeOne(v);
    if (marked) {
        m_verses.append(v);
        std::sort(m_verses.begin(), m_verses.end());
    }
    store();
    refill();
    return marked;
}

void Bookmarks::removeSelected() {
    const int row = m_list->ListIndex();
    if (row < 0 || row >= m_verses.size())
        return;
    m_verses.removeAt(row);
    store();
    refill();
    const QSignalBlocker quiet(m_list); // the next mark is selected, not gone to
    m_list->setCurrentRow(qMin(row, int(m_verses.size()) - 1));
}

void Bookmarks::lstShenjuesit_Click() {
    const int row = m_list->ListIndex();
    if (row >= 0 && row < m_verses.size())
        m_goTo(m_verses[row]);
}

void Bookmarks::store() {
    if (!place::saveBookmarks(m_verses))
        std::fprintf(stderr, "librezi: the bookmarks could not be saved\n");
}

void Bookmarks::refill() {
    QStringList items;
    try {
        platform::Statement verse = Module1::cnLidhja.query(
            QStringLiteral("SELECT s.Emri, l.Perkthimi FROM librezi l JOIN Suret s ON s.IDSureja = l.NrSure "
                           "WHERE l.NrSure = ? AND l.NrAjet = ?"));
        for (const navigation::Verse& v : m_verses) {
            verse.reset({v.surah, v.verse});
            items.append(verse.next() ? itemText(verse.text(0), v, verse.text(1)) : v.text());
        }
    } catch (const platform::DbError&) {
        items.clear(); // the marks are listed by their keys alone
        for (const navigation::Verse& v : m_verses)
            items.append(v.text());
    }
    m_list->Clear();
    for (const QString& item : items)
        m_list->AddItem(item);
}

bool Bookmarks::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete) {
            removeSelected();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            lstShenjuesit_Click();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
