#pragma once

#include <QList>
#include <QString>

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
// holding the last word. Composes the statement for the words into SQLMeAndLike. Returns the count.
int NumerojiFjalet(QString& Stringu, const QString& Shenja, FjalKerkim& words, QString& SQLMeAndLike);

// "SELECT * From Librezi WHERE Perkthimi LIKE '%w1%' AND Perkthimi LIKE '%w2%' ..." for the words as
// they stand (the caller has already doubled their apostrophes).
QString FormojeSQLStringunMeAndLike(const FjalKerkim& ObjFjal, QString& SQLMeAndLike);
