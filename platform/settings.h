// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace platform {

// The per-user settings store, addressed by application name, section and value name. A value is read as text
// whether the store holds it quoted or in its own list form (items separated by commas, without quotes).
QString GetSetting(const QString& appName, const QString& section, const QString& key,
                   const QString& defaultValue = QString());
// Every value of a section as (name, data) pairs, in the store's order; empty when the section is missing.
QList<QPair<QString, QString>> GetAllSettings(const QString& appName, const QString& section);
// Writes one value; returns false when the store could not be written.
bool SaveSetting(const QString& appName, const QString& section, const QString& key, const QString& value);

// Removes one value; returns false when the store could not be written.
bool DeleteSetting(const QString& appName, const QString& section, const QString& key);

// Writes the values and removes the values named in `remove`, reading and writing the store once; returns
// false when the store could not be written.
bool SaveSettings(const QString& appName, const QString& section, const QList<QPair<QString, QString>>& values,
                  const QStringList& remove);

} // namespace platform
