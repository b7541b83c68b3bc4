#include "search/history.h"

#include "platform/listcontrols.h"
#include "platform/settings.h"

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
    if (platform::GetSetting(appName(), section(), valueName(0)).isEmpty())
        return;
    const qsizetype n = platform::GetAllSettings(appName(), section()).size();
    for (int i = 0; i < n; ++i)
        list->AddItem(platform::GetSetting(appName(), section(), valueName(i)));
}

bool ListaEFjaleveTeKerkuaraSaveSetting(const platform::ComboBox* list) {
    bool ok = true;
    for (int i = 0; i < list->ListCount(); ++i)
        ok = platform::SaveSetting(appName(), section(), valueName(i), list->List(i)) && ok;
    // Values beyond the last item would bring dropped phrases back at the next start.
    const auto stored = platform::GetAllSettings(appName(), section());
    for (const auto& [name, value] : stored) {
        bool isNumber = false;
        const int k = name.startsWith(QLatin1String("Fjala ")) ? name.mid(6).toInt(&isNumber) : -1;
        if (isNumber && k >= list->ListCount())
            ok = platform::DeleteSetting(appName(), section(), name) && ok;
    }
    return ok;
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
