// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/navigation.h"

#include <QByteArray>
#include <QList>
#include <QString>

// What the reader's next start brings back, kept in the per-user settings store beside the search history.
namespace place {

// Where the reader was: the verse at the top of the whole text, the face and size they chose (empty when
// they chose none), and the window's geometry (as QWidget::saveGeometry gives it).
struct Place {
    navigation::Verse verse;
    QString face;
    QString size;
    QByteArray geometry;
};

// The place stored at the last close; an empty Place on the first start. A stored size the size list does not
// offer is left out, as if none was stored.
Place load();
// False when the store could not be written. A size the list does not offer is not stored.
bool save(const Place& p);

// A size as the size list offers it ("6" to "26"), or "" for any other text: outside the list's range a stored
// size would hang the layout of the whole text, and one that is no number would blank it.
QString listedSize(const QString& size);

// Whether the search takes ë as e and ç as c (off until the reader turns it on).
bool looseSearch();
bool saveLooseSearch(bool loose);

// The verses the reader marked, in book order, each once (read in one pass, however many are stored).
QList<navigation::Verse> loadBookmarks();
bool saveBookmarks(const QList<navigation::Verse>& verses);

} // namespace place
