// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/queryhelpers.h"

#include <QList>
#include <QRandomGenerator>

QString vbText(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return QString();
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (v.typeId() == QMetaType::Double) {
        const double d = v.toDouble();
        return QString::number(d, 'g', 15);
    }
    return v.toString();
}

int findItemByPrefix(const platform::ComboBox* ObjLista, const QString& strTekst) {
    for (int i = 0; i < ObjLista->ListCount(); ++i)
        if (ObjLista->List(i).startsWith(strTekst, Qt::CaseInsensitive))
            return i;
    return -1;
}

void ZgjidhSipasTekstit(platform::ComboBox* ObjLista, const QString& strTekst) {
    Module1::blnMosRuajLexuesinSureve = true;
    Module1::blnMosRuajLexuesinAjeteve = true;
    struct Lower {
        ~Lower() {
            Module1::blnMosRuajLexuesinSureve = false;
            Module1::blnMosRuajLexuesinAjeteve = false;
        }
    } lower;
    ObjLista->setListIndex(findItemByPrefix(ObjLista, strTekst));
}

QVariant MerrVleren(const QString& strSQL, const QVariantList& values) {
    platform::Statement st = Module1::cnLidhja.query(strSQL, values);
    return st.next() ? st.value(0) : QVariant(false);
}

QVariant MerrRastesisht(const QString& strSQL, const QVariantList& values) {
    QList<QVariant> rows;
    for (platform::Statement st = Module1::cnLidhja.query(strSQL, values); st.next();)
        rows.append(st.value(0));
    if (rows.isEmpty())
        return QVariant(false);
    // One generator for the whole run, seeded by the system: draws in the same instant differ.
    return rows.at(qsizetype(QRandomGenerator::global()->bounded(quint32(rows.size()))));
}
