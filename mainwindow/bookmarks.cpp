// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/bookmarks.h"

#include "app/notices.h"
#include "data/library.h"
#include "mainwindow/place.h"
#include "platform/database.h"
#include "platform/listcontrols.h"

#include <QHash>
#include <QKeyEvent>

#include <algorithm>

Bookmarks::Bookmarks(const data::Library& library, platform::ListBox* list, QObject* parent)
    : QObject(parent), m_library(library), m_list(list) {
    m_list->installEventFilter(this);
    connect(m_list, &QListWidget::itemClicked, this, [this] { lstShenjuesit_Click(); });
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
        QHash<int, int> verses; // of each surah
        for (const data::Surah& s : m_library.surahs())
            verses.insert(s.number, s.verses);
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
    const navigation::Verse gone = m_verses.takeAt(row);
    m_removed.append(gone);
    store();
    refill();
    m_list->setCurrentRow(qMin(row, int(m_verses.size()) - 1));
    Q_EMIT removed(gone);
}

navigation::Verse Bookmarks::undoRemove() {
    if (m_removed.isEmpty())
        return {};
    const navigation::Verse back = m_removed.takeLast();
    if (!m_verses.contains(back)) {
        m_verses.insert(std::lower_bound(m_verses.begin(), m_verses.end(), back), back);
        store();
        refill();
    }
    m_list->setCurrentRow(int(m_verses.indexOf(back)));
    return back;
}

void Bookmarks::lstShenjuesit_Click() {
    const int row = m_list->ListIndex();
    if (row >= 0 && row < m_verses.size())
        Q_EMIT chosen(m_verses[row]);
}

void Bookmarks::store() {
    notices::channel().saved(notices::Store::Bookmarks, place::saveBookmarks(m_verses));
}

void Bookmarks::refill() {
    QStringList items;
    try {
        QHash<int, QString> names;
        for (const data::Surah& s : m_library.surahs())
            names.insert(s.number, s.name);
        const QStringList texts = m_library.verseTexts(m_verses);
        for (qsizetype i = 0; i < m_verses.size(); ++i)
            items.append(itemText(names.value(m_verses[i].surah), m_verses[i], texts[i]));
    } catch (const platform::DbError&) {
        items.clear(); // the marks are listed by their keys alone
        for (const navigation::Verse& v : m_verses)
            items.append(v.text());
    }
    m_list->Clear();
    for (const QString& item : items)
        m_list->AddItem(item);
    Q_EMIT changed();
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
