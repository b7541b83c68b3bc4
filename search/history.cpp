// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/history.h"

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

QStringList load() {
    const auto stored = platform::GetAllSettings(appName(), section());
    QHash<QString, QString> byName;
    byName.reserve(stored.size());
    for (const auto& [name, value] : stored)
        byName.insert(name, value);
    if (byName.value(valueName(0)).isEmpty())
        return {};
    // The values are counted whatever their names; "Fjala i" that is missing loads as an empty phrase. The
    // newest phrases are the last ones.
    QStringList phrases;
    const int n = int(stored.size());
    for (int i = qMax(0, n - kLimit); i < n; ++i)
        phrases.append(byName.value(valueName(i)));
    return phrases;
}

bool save(const QStringList& phrases) {
    QList<QPair<QString, QString>> values;
    for (int i = 0; i < phrases.size(); ++i)
        values.append({valueName(i), phrases[i]});
    // Values beyond the last item would bring dropped phrases back at the next start.
    QStringList beyond;
    for (const auto& [name, value] : platform::GetAllSettings(appName(), section())) {
        bool isNumber = false;
        const int k = name.startsWith(QLatin1String("Fjala ")) ? name.mid(6).toInt(&isNumber) : -1;
        if (isNumber && k >= phrases.size())
            beyond.append(name);
    }
    return platform::SaveSettings(appName(), section(), values, beyond);
}

} // namespace history
