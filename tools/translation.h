#pragma once

#include "tools/facts.h"

#include <QByteArray>

// A translation in the `sura|aya|text` format: one verse a line, '#' comment lines naming it.
namespace databuilder {

struct Translation {
    QString name;       // "#  Name:" of the file, or ""
    QString translator; // "#  Translator:", or ""
    QString source;     // "#  Source:" or a URL comment line, or ""
    // The text of every verse: verses[surah - 1][verse - 1].
    QList<QStringList> verses;
};

// What every verse holds when no translation was imported.
QString placeholderText();

// Parses a translation: every verse of `surahs` exactly once, in order. Throws BuildError naming the
// line ("Rreshti N: ...") at the first fault.
Translation parseTranslation(const QByteArray& content, const QList<Surah>& surahs);
Translation readTranslation(const QString& path, const QList<Surah>& surahs);

// A translation whose every verse holds placeholderText().
Translation placeholderTranslation(const QList<Surah>& surahs);

} // namespace databuilder
