// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/navigation.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

namespace platform {
class ListBox;
}

// The verses the reader marked: listed in book order (surah name, key, the verse's first words), kept in
// the per-user settings store by verse key, so that they outlive a new import.
class Bookmarks : public QObject {
    Q_OBJECT
public:
    // `goTo` shows a verse in the whole text.
    Bookmarks(platform::ListBox* list, std::function<void(navigation::Verse)> goTo, QObject* parent = nullptr);

    // Reads the stored marks and lists those of verses the database has.
    void load();
    // Marks the verse, or takes its mark away; true when it is marked now. Stored at once.
    bool toggle(navigation::Verse v);
    bool contains(navigation::Verse v) const { return m_verses.contains(v); }
    const QList<navigation::Verse>& verses() const { return m_verses; }

    // A click (or Enter) on a listed mark goes to its verse; Delete takes the mark away.
    void lstShenjuesit_Click();
    void removeSelected();

    // The list item of a mark: "Bekare 2:255 — " and the verse's first words.
    static QString itemText(const QString& surahName, navigation::Verse v, const QString& verseText);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refill();
    void store();

    platform::ListBox* m_list;
    std::function<void(navigation::Verse)> m_goTo;
    QList<navigation::Verse> m_verses;
};
