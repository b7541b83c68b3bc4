// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QVariantList>

#include <memory>

// One word of a search phrase, exactly as it was cut out of the phrase (blanks included).
class FjalProperties {
public:
    QString Text() const { return m_text; }
    void setText(const QString& strText) { m_text = strText; }

private:
    QString m_text;
};

// The words of a search phrase, in order; positions count from 1.
class FjalKerkim {
public:
    void Add(const QString& strText);
    void Remove(int varID);
    void Clear();
    FjalProperties& Item(int varID);
    const FjalProperties& Item(int varID) const;
    int Count() const { return int(m_items.size()); }

private:
    QList<std::shared_ptr<FjalProperties>> m_items;
};

// Splits Stringu at every Shenja (one character) into `words`; empty words stay. Stringu is left
// holding the last word. Returns the count.
int NumerojiFjalet(QString& Stringu, const QString& Shenja, FjalKerkim& words);

// A search statement and the values bound to its "?"s, in order.
struct SearchQuery {
    QString sql;
    QVariantList values;
};

// The verses whose translation holds every word, as typed: one "Perkthimi LIKE ?" per word, bound
// to "%word%" ("%" and "_" in a word stay wildcards, as in every LIKE).
// `column` is what the words are matched in: Perkthimi, or a folded copy of it.
SearchQuery FormojeSQLStringunMeAndLike(const FjalKerkim& ObjFjal, const QString& column = QStringLiteral("Perkthimi"));
