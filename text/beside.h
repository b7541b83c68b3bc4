// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/composed.h"

#include <QHash>
#include <QList>
#include <QString>

namespace text {

// A text the reader reads beside the translation: the Arabic, or another translation, a line a verse.
struct ShownText {
    QString label; // the translator's short name, before each line of a translation ("" for the Arabic)
    bool arabic = false;
    QHash<Verse, QString> verses;
};

// The short name a text is shown under: "sq.mehdiu" -> "Mehdiu", "Nahi" -> "Nahi".
QString shortName(const QString& name);

// The lines shown beside a verse, in the texts' order ("" texts of the verse left out); a translation's line begins
// with its label and a TAB, so that its text stands where the verse's does.
QList<Beside> besideOf(const QList<ShownText>& texts, Verse v);

// Where the lines beside the verses of a text go, at positions of the text as it is: the Arabic at a block's start,
// translations after its end (each line followed by a break); and the text's index once they are in.
struct BesidePlan {
    struct Insert {
        int at = 0;
        QList<Beside> lines;
        int length = 0; // the characters the lines take, their breaks included
    };
    QList<Insert> inserts; // in the order of the text
    VerseIndex index;
    // A position of the text as it was, in the new one: after whatever goes in at it.
    int moved(int p) const;

private:
    friend BesidePlan planBeside(const VerseIndex&, int, const QList<ShownText>&);
    QList<int> m_shift; // the characters inserted at or before each insert's position
};
// The plan for a text of `length` characters whose verses stand where `index` says. A verse that has an Arabic line
// already (an Arabic search's result) is given none; a block that ends the text is given no line under it.
BesidePlan planBeside(const VerseIndex& index, int length, const QList<ShownText>& texts);

// A composed text with the texts shown beside each of its verses: the Arabic above the verse's key line (unless the
// verse has an Arabic line already, as an Arabic search's results do), the translations under its block. Marks,
// lines beside and the index move with the text.
Composed withBeside(const Composed& composed, const QList<ShownText>& texts);

// A translator's name in the genitive, as a reference names him: "Sherif Ahmeti" -> "Sherif Ahmetit", "Feti
// Mehdiu" -> "Feti Mehdiut", "Muhamed" -> "Muhamedit", "Mustafa" -> "Mustafës".
QString genitive(const QString& name);
// The reference a copied verse ends with: "(Jasin 36:12, përkthimi i Sherif Ahmetit)"; without a translator's name,
// "(Jasin 36:12)".
QString reference(const QString& surahName, Verse v, const QString& translator);

// A verse's block as the reader copies it: its lines (the key taken off the key line), the reference after the
// last; as plain text (lines ended by CR LF) and as HTML (the Arabic right to left).
struct Copied {
    QString plain;
    QString html;
};
Copied copiedVerse(const QString& blockText, Verse v, const QString& reference);

} // namespace text
