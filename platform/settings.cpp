// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settings.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSettings>

#include <memory>

namespace platform {

namespace {

// A value as text. The store reads a value written without quotes that holds commas (by hand, or by another
// program) as a list: it is the same text to the program, its items joined as the store writes a list.
QString textOf(const QVariant& value) {
    return value.typeId() == QMetaType::QStringList ? value.toStringList().join(QStringLiteral(", "))
                                                    : value.toString();
}

// The store's file of `appName`, found without opening it: opening reads and decodes it whole.
QString storeFile(const QString& appName) {
    const QString probe = QSettings(QSettings::IniFormat, QSettings::UserScope, appName,
                                    QStringLiteral("librezi-probe-of-the-store-folder"))
                              .fileName();
    return QFileInfo(probe).path() + u'/' + appName + QStringLiteral(".ini");
}

// The program writes text alone. A value the store would decode as a serialised object ("@Variant(...)", written by
// another program or by hand) can make the decoder ask for gigabytes: such values are emptied in the file before it
// is opened, the rest of the file kept as it is.
void defuse(const QString& appName) {
    QFile file(storeFile(appName));
    if (!file.open(QIODevice::ReadOnly))
        return;
    QByteArray content = file.readAll();
    file.close();
    if (!content.contains("@Variant("))
        return;
    static const QRegularExpression serialised(QStringLiteral("^([^=\\n]*=)[ \\t]*@Variant\\(.*$"),
                                               QRegularExpression::MultilineOption);
    const QString text = QString::fromUtf8(content).replace(serialised, QStringLiteral("\\1"));
    QSaveFile out(file.fileName());
    if (out.open(QIODevice::WriteOnly) && out.write(text.toUtf8()) >= 0)
        out.commit();
}

std::unique_ptr<QSettings> open(const QString& appName) {
    defuse(appName);
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, appName, appName);
}

} // namespace

QString GetSetting(const QString& appName, const QString& section, const QString& key, const QString& defaultValue) {
    const std::unique_ptr<QSettings> store = open(appName);
    QSettings& s = *store;
    s.beginGroup(section);
    return textOf(s.value(key, defaultValue));
}

QList<QPair<QString, QString>> GetAllSettings(const QString& appName, const QString& section) {
    const std::unique_ptr<QSettings> store = open(appName);
    QSettings& s = *store;
    s.beginGroup(section);
    QList<QPair<QString, QString>> out;
    const QStringList keys = s.childKeys();
    out.reserve(keys.size());
    for (const QString& k : keys)
        out.append({k, textOf(s.value(k))});
    return out;
}

bool SaveSetting(const QString& appName, const QString& section, const QString& key, const QString& value) {
    const std::unique_ptr<QSettings> store = open(appName);
    QSettings& s = *store;
    s.beginGroup(section);
    s.setValue(key, value);
    s.endGroup();
    s.sync();
    return s.status() == QSettings::NoError;
}

bool DeleteSetting(const QString& appName, const QString& section, const QString& key) {
    const std::unique_ptr<QSettings> store = open(appName);
    QSettings& s = *store;
    s.beginGroup(section);
    s.remove(key);
    s.endGroup();
    s.sync();
    return s.status() == QSettings::NoError;
}

bool SaveSettings(const QString& appName, const QString& section, const QList<QPair<QString, QString>>& values,
                  const QStringList& remove) {
    const std::unique_ptr<QSettings> store = open(appName);
    QSettings& s = *store;
    s.beginGroup(section);
    for (const QString& key : remove)
        s.remove(key);
    for (const auto& [key, value] : values)
        s.setValue(key, value);
    s.endGroup();
    s.sync();
    return s.status() == QSettings::NoError;
}

} // namespace platform
