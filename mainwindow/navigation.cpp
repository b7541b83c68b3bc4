// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/navigation.h"

#include "platform/listcontrols.h"

#include <QDir>
#include <QRegularExpression>

namespace navigation {

QString verseKey(const QString& surah, const QString& verse) {
    return surah + u':' + verse + u'.' + u'\t';
}

Verse verseOfLine(QStringView line) {
    auto number = [&line](qsizetype& at) {
        int n = 0;
        const qsizetype from = at;
        while (at < line.size() && at - from < 4 && line[at] >= u'0' && line[at] <= u'9')
            n = n * 10 + (line[at++].unicode() - u'0');
        return at > from ? n : 0;
    };
    qsizetype at = 0;
    const int surah = number(at);
    if (!surah || at >= line.size() || line[at++] != u':')
        return {};
    const int verse = number(at);
    if (!verse || at + 1 >= line.size() || line[at] != u'.' || line[at + 1] != u'\t')
        return {};
    return {surah, verse};
}

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

QString wholeTextFile(const QString& folder) {
    const QString wanted = QStringLiteral("LIB'REZI.rtf");
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(wanted)).isFile())
        return dir.filePath(wanted);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : entries)
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    return QString();
}

} // namespace navigation
