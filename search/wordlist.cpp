// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/wordlist.h"

#include <stdexcept>

void FjalKerkim::Add(const QString& strText) {
    auto item = std::make_shared<FjalProperties>();
    item->setText(strText);
    m_items.append(std::move(item));
}

void FjalKerkim::Remove(int varID) {
    if (varID < 1 || varID > Count())
        throw std::out_of_range("FjalKerkim::Remove");
    m_items.removeAt(varID - 1);
}

void FjalKerkim::Clear() {
    const int n = Count();
    for (int i = 0; i < n; ++i)
        Remove(1);
}

FjalProperties& FjalKerkim::Item(int varID) {
    if (varID < 1 || varID > Count())
        throw std::out_of_range("FjalKerkim::Item");
    return *m_items[varID - 1];
}

const FjalProperties& FjalKerkim::Item(int varID) const {
    if (varID < 1 || varID > Count())
        throw std::out_of_range("FjalKerkim::Item");
    return *m_items[varID - 1];
}

int NumerojiFjalet(QString& Stringu, const QString& Shenja, FjalKerkim& words) {
    words.Clear();
    int count = 0;
    if (!Shenja.isEmpty()) {
        for (qsizetype p = Stringu.indexOf(Shenja); p >= 0; p = Stringu.indexOf(Shenja)) {
            words.Add(Stringu.left(p));
            Stringu = Stringu.mid(p + 1);
            ++count;
        }
    }
    words.Add(Stringu);
    return count + 1;
}

SearchQuery FormojeSQLStringunMeAndLike(const FjalKerkim& ObjFjal, const QString& column) {
    SearchQuery q{QStringLiteral("SELECT NrSure, NrAjet, Perkthimi FROM librezi WHERE ") + column +
                      QStringLiteral(" LIKE ?"),
                  {}};
    for (int i = 1; i <= ObjFjal.Count(); ++i) {
        if (i > 1)
            q.sql += QStringLiteral(" AND ") + column + QStringLiteral(" LIKE ?");
        q.values.append(QString(u'%' + ObjFjal.Item(i).Text() + u'%'));
    }
    return q;
}
