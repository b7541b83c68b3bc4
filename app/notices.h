// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QSet>
#include <QString>

// One channel for what the reader must know of the program's own saves: a store whose last save failed is named,
// in Albanian, until it is saved again. The window shows it in a line that does not block.
namespace notices {

// What the program keeps for the reader between runs.
enum class Store { Bookmarks, Place, History, SearchOption, Repeat, Palette };

class Channel : public QObject {
    Q_OBJECT
public:
    // A save of the store went well (its notice goes) or failed (its notice stays until the next success).
    void saved(Store store, bool ok);
    // A line that stays for the whole run: what the start mended, or that saving is off ("" for none).
    void setStanding(const QString& text);
    // Every notice, one sentence each: the standing line, then each save that failed; "" when there is none.
    QString text() const;
    // Forgets every notice (a new run in tests).
    void clear();

Q_SIGNALS:
    void changed(const QString& text);

private:
    QSet<Store> m_failed;
    QString m_standing;
};

// The channel of the run.
Channel& channel();

// The sentence of a store whose save failed.
QString failureText(Store store);

} // namespace notices
