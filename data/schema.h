// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// The database the program reads: tables, views and the metadata of the bundled translation.
namespace schema {

constexpr int kVersion = 2; // 2: librezi.Kerkimi

// Statements that create an empty database of this version, in order.
QStringList createStatements();

// The names of the metadata rows in table Te_dhenat (Celesi, Vlera).
inline constexpr const char* kMetaVersion = "versioni_i_skemes";
inline constexpr const char* kMetaTranslation = "perkthimi";
inline constexpr const char* kMetaTranslator = "perkthyesi";
inline constexpr const char* kMetaSource = "burimi";
// The identity of the import that wrote the database; its whole text carries the same one.
inline constexpr const char* kMetaImport = "importi";

} // namespace schema
