// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/sources.h"

#include "data/library.h"
#include "data/schema.h"

#include <QHash>

#include <algorithm>

namespace printing {

namespace {

// The verses with their texts and the lines beside them, a note's lines under its verse.
void addVerses(text::Composer& c, const data::Library& library, const QList<text::Verse>& verses,
               const QList<text::ShownText>& beside, const QHash<text::Verse, QString>& notes = {}) {
    const QStringList texts = library.verseTexts(verses);
    for (qsizetype i = 0; i < verses.size(); ++i) {
        c.verse(verses[i], texts[i], {}, text::besideOf(beside, verses[i]));
        const QStringList lines = notes.value(verses[i]).split(u'\n', Qt::SkipEmptyParts);
        for (qsizetype n = 0; n < lines.size(); ++n)
            c.line((n == 0 ? QStringLiteral("Shënimi: ") : QString()) + lines[n], text::Role::Note);
        if (!lines.isEmpty())
            c.line();
    }
}

} // namespace

QString foot(const data::Library& library) {
    const QString translator = library.fact(QString::fromLatin1(schema::kMetaTranslator)).value_or(QString());
    const QString source = library.fact(QString::fromLatin1(schema::kMetaSource)).value_or(QString()).trimmed();
    QStringList parts;
    if (!translator.trimmed().isEmpty())
        parts << QStringLiteral("Përkthimi i ") + text::genitive(translator);
    if (!source.isEmpty())
        parts << QStringLiteral("Burimi: ") + source;
    return parts.join(QStringLiteral(" · "));
}

Printout surah(const data::Library& library, int number, const QList<text::ShownText>& beside) {
    const data::Surah s = library.surah(number).value_or(data::Surah{});
    QList<text::Verse> verses;
    for (int v = 1; v <= s.verses; ++v)
        verses.append({number, v});
    text::Composer c;
    addVerses(c, library, verses, beside);
    return {QStringLiteral("Sureja %1 (%2)").arg(s.name).arg(number), c.take(), foot(library)};
}

Printout composed(const data::Library& library, const text::Composed& shown, const QList<text::ShownText>& beside) {
    return {shown.title.isEmpty() ? QStringLiteral("Teksti") : shown.title, text::withBeside(shown, beside),
            foot(library)};
}

Printout bookmarks(const data::Library& library, const QList<text::Verse>& marked, const QList<notes::Note>& noted,
                   const QList<text::ShownText>& beside) {
    QHash<text::Verse, QString> notes;
    QList<text::Verse> verses = marked;
    for (const notes::Note& n : noted) {
        notes.insert(n.verse, n.text);
        verses.append(n.verse);
    }
    std::sort(verses.begin(), verses.end());
    verses.erase(std::unique(verses.begin(), verses.end()), verses.end());
    text::Composer c;
    addVerses(c, library, verses, beside, notes);
    return {QStringLiteral("Shënjuesit dhe shënimet"), c.take(), foot(library)};
}

} // namespace printing
