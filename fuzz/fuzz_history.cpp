// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the search history from the settings store: the input is written as the store's ini file.
#include "fuzzsupport.h"
#include "platform/listcontrols.h"
#include "search/history.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::ensureApplication();
    static QTemporaryDir root;
    static int run = 0;
    // A fresh folder for every input: the settings store keeps read files cached by name.
    const QString dir = root.filePath(QString::number(run++));
    QDir().mkpath(dir);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir);
    const QString file =
        QSettings(QSettings::IniFormat, QSettings::UserScope, history::appName(), history::appName()).fileName();
    QDir().mkpath(QFileInfo(file).path());
    {
        QFile f(file);
        fuzzsupport::require(f.open(QIODevice::WriteOnly), "the store file can be written");
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    platform::ComboBox list;
    history::ListaEFjaleveTeKerkuaraGetSetting(&list);
    for (int i = 0; i < list.ListCount(); ++i)
        (void)list.List(i);
    QFile::remove(file);
    QDir(dir).removeRecursively();
    return 0;
}
