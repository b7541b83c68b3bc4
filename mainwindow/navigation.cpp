#include "mainwindow/navigation.h"

#include "platform/listcontrols.h"

#include <QDir>

namespace navigation {

QString verseKey(const QString& surah, const QString& verse) {
    return surah + u':' + verse + u'.' + u'\t';
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
