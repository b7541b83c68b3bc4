// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/role.h"
#include "text/verseindex.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace text {

// A stretch of a text drawn in a role's colour.
struct Mark {
    int start = 0;
    int length = 0;
    Role role = Role::Match;
    bool operator==(const Mark&) const = default;
};

// A line of a text shown beside a verse: the Arabic stands above the verse's key line, another translation under it.
struct Beside {
    QString text;
    bool arabic = false;
    QList<QPair<int, int>> matches = {}; // ranges (start, length) in `text`, marked as matches
};

// A line of a composed text that is a text beside a verse: drawn in its own face (the Arabic right to left).
struct BesideLine {
    int start = 0;
    int length = 0;
    bool arabic = false;
    bool operator==(const BesideLine&) const = default;
};

// A text composed by the program (a passage, search results, a note while a search runs): its lines, joined with
// '\n', the verses it holds and where, and the stretches drawn in a colour of their own.
struct Composed {
    QString text;
    VerseIndex index;
    QList<Mark> marks;
    QList<BesideLine> beside;
    QString title = {}; // what the text is, as a printout's heading says it ("Kërkimi i „është”")
    // The text as the view reports it: line breaks as CR LF.
    QString crlf() const;
};

// Composes a text a line at a time, recording each verse's place as it goes.
class Composer {
public:
    // What the text is (see Composed::title).
    void title(const QString& s) { m_c.title = s; }
    // A line that is no verse ("" for an empty line).
    void line(const QString& s = QString());
    // A line drawn wholly in a role's colour (a link the reader can follow).
    void line(const QString& s, Role role);
    // A verse line: "2:255.", TAB, the text. `matches` are ranges (start, length) in `verseText`, marked as matches.
    // A verse without text shows emptyVerseNote() in the Note role. The lines beside it make its block with it.
    void verse(Verse v, const QString& verseText, const QList<QPair<int, int>>& matches = {},
               const QList<Beside>& beside = {});
    // Marks each occurrence of the words in the line last added (see matchesIn).
    void markLine(const QStringList& words, bool loose);
    Composed take() { return std::move(m_c); }

private:
    void besideLine(const Beside& b);
    Composed m_c;
};

// Where the words occur in a text as the view's find finds them: letter case and the apostrophe kinds aside (and
// with `loose`, ë as e and ç as c), each word's search going on after its previous match. Ranges as (start,
// length), in the order found, word after word.
QList<QPair<int, int>> matchesIn(const QString& text, const QStringList& words, bool loose);

} // namespace text
