// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/module1.h"
#include "platform/listcontrols.h"

#include <QVariant>

// The procedures that fill lists and read single values by statement, on the shared connection. Every
// value that comes from the reader or from data is bound to a "?" of the statement.

// A value as the program shows it: text as it is, numbers in decimal, Booleans as "True"/"False", null as "".
QString vbText(const QVariant& v);

// Fills a list from a statement: one item per row, its text from column strFushaTekst and its
// ItemData from column strFushaID, kept with that item even where the list sorts its items.
template <typename List>
void MbusheListen(const QString& strSQL, const QString& strFushaID, const QString& strFushaTekst, List* ObjLista) {
    platform::Statement rows = Module1::cnLidhja.query(strSQL);
    const int id = rows.column(strFushaID);
    const int text = rows.column(strFushaTekst);
    ObjLista->Clear();
    while (rows.next())
        ObjLista->AddItem(vbText(rows.value(text)), qint32(rows.integer(id)));
}

// The same, then selects the first item (which raises the list's Click).
template <typename List>
void MbusheListenDheZgjidh(const QString& strSQL, const QString& strFushaID, const QString& strFushaTekst,
                           List* ObjLista) {
    MbusheListen(strSQL, strFushaID, strFushaTekst, ObjLista);
    if (ObjLista->ListCount() > 0)
        ObjLista->setListIndex(0);
}

// The first item whose text begins with strTekst (any letter case); -1 when none does.
int findItemByPrefix(const platform::ComboBox* ObjLista, const QString& strTekst);

// Selects the first item whose text begins with strTekst, any letter case (-1: none), with both
// reciter guard flags raised around the selection.
void ZgjidhSipasTekstit(platform::ComboBox* ObjLista, const QString& strTekst);

// The first column of the first row, or false when there is no row.
QVariant MerrVleren(const QString& strSQL, const QVariantList& values = {});

// The first column of a row drawn at random, each row equally likely, or false when there is no row.
QVariant MerrRastesisht(const QString& strSQL, const QVariantList& values = {});
