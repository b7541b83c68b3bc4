// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The phrases searched recently: the search list's items, kept in the per-user settings store.
namespace history {

// The most phrases the list keeps after a search.
inline constexpr int kLimit = 10;

QString appName();
QString section();

// The stored phrases ("Fjala 0", "Fjala 1", ...), the kLimit newest of them; none when "Fjala 0" is empty. The store
// is read once, however many values it holds.
QStringList load();
// Writes the phrases as "Fjala 0" ... and removes stored values beyond the last, in one write. False when the
// store could not be written.
bool save(const QStringList& phrases);

// The same on a list control (any list with AddItem, List, ListCount, RemoveItem).
template <typename List> QStringList itemsOf(const List* list) {
    QStringList items;
    for (int i = 0; i < list->ListCount(); ++i)
        items.append(list->List(i));
    return items;
}
template <typename List> void ListaEFjaleveTeKerkuaraGetSetting(List* list) {
    for (const QString& phrase : load())
        list->AddItem(phrase);
}
template <typename List> bool ListaEFjaleveTeKerkuaraSaveSetting(const List* list) {
    return save(itemsOf(list));
}
// After a search: the phrase is appended unless an item equals it exactly, then the oldest is dropped when the
// list holds more than kLimit.
template <typename List> void addSearched(List* list, const QString& phrase) {
    if (!itemsOf(list).contains(phrase))
        list->AddItem(phrase);
    if (list->ListCount() > kLimit)
        list->RemoveItem(0);
}
// A pick from the list: with kLimit or more items the oldest is dropped.
template <typename List> void picked(List* list) {
    if (list->ListCount() >= kLimit)
        list->RemoveItem(0);
}

} // namespace history
