// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/navigation.h"

#include "platform/listcontrols.h"

#include <QRegularExpression>

namespace navigation {

Verse parseTypedVerse(const QString& typed, const std::function<int(const QString&)>& surahNamed) {
    static const QRegularExpression pattern(QStringLiteral("^\\s*(.*?)\\s*[: .]\\s*(\\d{1,3})\\s*$"));
    const QRegularExpressionMatch m = pattern.match(typed);
    if (!m.hasMatch())
        return {};
    const QString first = m.captured(1);
    bool isNumber = false;
    int surah = first.toInt(&isNumber);
    if (!isNumber)
        surah = first.isEmpty() ? 0 : surahNamed(first);
    const int verse = m.captured(2).toInt();
    return surah > 0 && verse > 0 ? Verse{surah, verse} : Verse{};
}

int chosenItem(const platform::ComboBox* list, Match match) {
    const QString typed = list->Text();
    const int selected = list->ListIndex();
    if (selected >= 0 && list->List(selected).compare(typed, Qt::CaseInsensitive) == 0)
        return selected;
    if (typed.isEmpty())
        return selected;
    for (int i = 0; i < list->ListCount(); ++i)
        if (list->List(i).compare(typed, Qt::CaseInsensitive) == 0)
            return i;
    if (match == Match::Prefix)
        for (int i = 0; i < list->ListCount(); ++i)
            if (list->List(i).startsWith(typed, Qt::CaseInsensitive))
                return i;
    return -1;
}

} // namespace navigation
