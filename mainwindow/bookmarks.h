// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/navigation.h"

#include <QList>
#include <QObject>
#include <QString>

namespace data {
class Library;
}
namespace platform {
class ListBox;
}

// The verses the reader marked: listed in book order (surah name, key, the verse's first words), kept in
// the per-user settings store by verse key, so that they outlive a new import.
class Bookmarks : public QObject {
    Q_OBJECT
public:
    Bookmarks(const data::Library& library, platform::ListBox* list, QObject* parent = nullptr);

    // Reads the stored marks and lists those of verses the database has.
    void load();
    // Marks the verse, or takes its mark away; true when it is marked now. Stored at once.
    bool toggle(navigation::Verse v);
    bool contains(navigation::Verse v) const { return m_verses.contains(v); }
    const QList<navigation::Verse>& verses() const { return m_verses; }

    // A click (or Enter) on a listed mark chooses its verse; moving along the list with the keys chooses nothing.
    // Delete takes the mark away; the marks taken away so can be put back, the last first.
    void lstShenjuesit_Click();
    void removeSelected();
    // The mark taken away last is put back and selected; none when nothing was taken away.
    navigation::Verse undoRemove();

    // The list item of a mark: "Bekare 2:255 — " and the verse's first words.
    static QString itemText(const QString& surahName, navigation::Verse v, const QString& verseText);

Q_SIGNALS:
    // The reader chose a marked verse, to read it in the whole text.
    void chosen(text::Verse v);
    // Delete took a mark away.
    void removed(text::Verse v);
    // The marks are not those they were.
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refill();
    void store();

    const data::Library& m_library;
    platform::ListBox* m_list;
    QList<navigation::Verse> m_verses;
    QList<navigation::Verse> m_removed; // by Delete, the last at the end
};
