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

// The place stored at the last close; an empty Place on the first start.
Place load();
// False when the store could not be written.
bool save(const Place& p);

// Whether the search takes ë as e and ç as c (off until the reader turns it on).
bool looseSearch();
bool saveLooseSearch(bool loose);

// The verses the reader marked, in book order, each once.
QList<navigation::Verse> loadBookmarks();
bool saveBookmarks(const QList<navigation::Verse>& verses);

} // namespace place
