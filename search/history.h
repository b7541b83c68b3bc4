// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace platform {
class ComboBox;
}

// The phrases searched recently: the search combo's list, kept in the per-user settings store.
namespace history {

// The most phrases the list keeps after a search.
inline constexpr int kLimit = 10;

QString appName();
QString section();

// Appends the stored phrases to the list ("Fjala 0", "Fjala 1", ...), the kLimit newest of them; nothing
// when "Fjala 0" is empty. The store is read once, however many values it holds.
void ListaEFjaleveTeKerkuaraGetSetting(platform::ComboBox* list);

// Writes the list as "Fjala 0" ... and removes stored values beyond its last item, in one write. False
// when the store could not be written.
bool ListaEFjaleveTeKerkuaraSaveSetting(const platform::ComboBox* list);

// After a search: appends the phrase unless an item equals it exactly, then drops the oldest item
// when the list holds more than kLimit.
void addSearched(platform::ComboBox* list, const QString& phrase);

// A pick from the list: with kLimit or more items the oldest is dropped.
void picked(platform::ComboBox* list);

} // namespace history
