// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/history.h"

#include "platform/listcontrols.h"
#include "platform/settings.h"

#include <QHash>

namespace history {
namespace {
QString valueName(int i) {
    return QStringLiteral("Fjala ") + QString::number(i);
}
} // namespace

QString appName() {
    return QStringLiteral("Lib'rezi Drites");
}
QString section() {
    return QStringLiteral("Lista e fjalëve të kërkuara");
}

void ListaEFjaleveTeKerkuaraGetSetting(platform::ComboBox* list) {
    const auto stored = platform::GetAllSettings(appName(), section());
    QHash<QString, QString> byName;
    byName.reserve(stored.size());
    for (const auto& [name, value] : stored)
        byName.insert(name, value);
    if (byName.value(valueName(0)).isEmpty())
        return;
    // The values are counted whatever their names; "Fjala i" that is missing loads as an empty phrase. The
    // newest phrases are the last ones.
    const int n = int(stored.size());
    for (int i = qMax(0, n - kLimit); i < n; ++i)
        list->AddItem(byName.value(valueName(i)));
}

bool ListaEFjaleveTeKerkuaraSaveSetting(const platform::ComboBox* list) {
    QList<QPair<QString, QString>> values;
    for (int i = 0; i < list->ListCount(); ++i)
        values.append({valueName(i), list->List(i)});
    // Values beyond the last item would bring dropped phrases back at the next start.
    QStringList beyond;
    for (const auto& [name, value] : platform::GetAllSettings(appName(), section())) {
        bool isNumber = false;
        const int k = name.startsWith(QLatin1String("Fjala ")) ? name.mid(6).toInt(&isNumber) : -1;
        if (isNumber && k >= list->ListCount())
            beyond.append(name);
    }
    return platform::SaveSettings(appName(), section(), values, beyond);
}

void addSearched(platform::ComboBox* list, const QString& phrase) {
    bool present = false;
    for (int i = 0; i < list->ListCount() && !present; ++i)
        present = list->List(i) == phrase;
    if (!present)
        list->AddItem(phrase);
    if (list->ListCount() > kLimit)
        list->RemoveItem(0);
}

void picked(platform::ComboBox* list) {
    if (list->ListCount() >= kLimit)
        list->RemoveItem(0);
}

} // namespace history
