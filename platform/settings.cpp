// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settings.h"

#include <QSettings>

namespace platform {

namespace {

// A value as text. The store reads a value written without quotes that holds commas (by hand, or by another
// program) as a list: it is the same text to the program, its items joined as the store writes a list.
QString textOf(const QVariant& value) {
    return value.typeId() == QMetaType::QStringList ? value.toStringList().join(QStringLiteral(", "))
                                                    : value.toString();
}

} // namespace

QString GetSetting(const QString& appName, const QString& section, const QString& key, const QString& defaultValue) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, appName, appName);
    s.beginGroup(section);
    return textOf(s.value(key, defaultValue));
}

QList<QPair<QString, QString>> GetAllSettings(const QString& appName, const QString& section) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, appName, appName);
    s.beginGroup(section);
    QList<QPair<QString, QString>> out;
    const QStringList keys = s.childKeys();
    out.reserve(keys.size());
    for (const QString& k : keys)
        out.append({k, textOf(s.value(k))});
    return out;
}

bool SaveSetting(const QString& appName, const QString& section, const QString& key, const QString& value) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, appName, appName);
    s.beginGroup(section);
    s.setValue(key, value);
    s.endGroup();
    s.sync();
    return s.status() == QSettings::NoError;
}

bool DeleteSetting(const QString& appName, const QString& section, const QString& key) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, appName, appName);
    s.beginGroup(section);
    s.remove(key);
    s.endGroup();
    s.sync();
    return s.status() == QSettings::NoError;
}

bool SaveSettings(const QString& appName, const QString& section, const QList<QPair<QString, QString>>& values,
                  const QStringList& remove) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, appName, appName);
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
