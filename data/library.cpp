// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/library.h"

#include <QRandomGenerator>

namespace data {
namespace {

QList<Surah> surahRows(platform::Connection& db, const QString& sql) {
    QList<Surah> out;
    for (platform::Statement st = db.query(sql); st.next();)
        out.append({int(st.integer(0)), st.text(1), int(st.integer(2))});
    return out;
}

int ajete(ReciterKind kind) {
    return kind == ReciterKind::Verses ? -1 : 0;
}

} // namespace

QList<Surah> Library::surahs() const {
    return surahRows(*m_db, QStringLiteral("SELECT IDSureja, Emri, NrAjete FROM Suret ORDER BY IDSureja"));
}

QList<Surah> Library::surahsByName() const {
    return surahRows(*m_db, QStringLiteral("SELECT IDSureja, Emri, NrAjete FROM Suret ORDER BY Emri, IDSureja"));
}

QList<Surah> Library::surahsByVerseCount() const {
    return surahRows(*m_db, QStringLiteral("SELECT s.FirstOfIDSureja, '', s.NrAjete FROM SuretMeTotalAjete s"));
}

std::optional<Surah> Library::surah(int number) const {
    platform::Statement st =
        m_db->query(QStringLiteral("SELECT IDSureja, Emri, NrAjete FROM Suret WHERE IDSureja = ?"), {number});
    if (!st.next())
        return std::nullopt;
    return Surah{int(st.integer(0)), st.text(1), int(st.integer(2))};
}

std::optional<QString> Library::verseText(text::Verse v) const {
    platform::Statement st = m_db->query(
        QStringLiteral("SELECT Perkthimi FROM librezi WHERE NrSure = ? AND NrAjet = ?"), {v.surah, v.verse});
    if (!st.next())
        return std::nullopt;
    return st.text(0);
}

QStringList Library::verseTexts(const QList<text::Verse>& verses) const {
    QStringList texts;
    texts.reserve(verses.size());
    platform::Statement st =
        m_db->query(QStringLiteral("SELECT Perkthimi FROM librezi WHERE NrSure = ? AND NrAjet = ?"));
    for (const text::Verse& v : verses)
        texts.append(st.reset({v.surah, v.verse}).next() ? st.text(0) : QString());
    return texts;
}

bool Library::hasVerse(text::Verse v) const {
    return m_db->query(QStringLiteral("SELECT 1 FROM librezi WHERE NrSure = ? AND NrAjet = ?"), {v.surah, v.verse})
        .next();
}

QList<text::Verse> Library::verses() const {
    QList<text::Verse> out;
    out.reserve(6236);
    for (platform::Statement st =
             m_db->query(QStringLiteral("SELECT NrSure, NrAjet FROM librezi ORDER BY NrSure, NrAjet"));
         st.next();)
        out.append({int(st.integer(0)), int(st.integer(1))});
    return out;
}

std::optional<QString> Library::randomTip() const {
    QStringList tips;
    for (platform::Statement st = m_db->query(QStringLiteral("SELECT Keshilla FROM Keshilla")); st.next();)
        tips.append(st.text(0));
    if (tips.isEmpty())
        return std::nullopt;
    // One generator for the whole run, seeded by the system: draws in the same instant differ.
    return tips.at(qsizetype(QRandomGenerator::global()->bounded(quint32(tips.size()))));
}

std::optional<QString> Library::fact(const QString& key) const {
    platform::Statement st = m_db->query(QStringLiteral("SELECT Vlera FROM Te_dhenat WHERE Celesi = ?"), {key});
    if (!st.next())
        return std::nullopt;
    return st.text(0);
}

QList<QPair<int, QString>> Library::themes() const {
    QList<QPair<int, QString>> out;
    for (platform::Statement st = m_db->query(QStringLiteral("SELECT NrTema, Tema FROM VetemTemat")); st.next();)
        out.append({int(st.integer(0)), st.text(1)});
    return out;
}

QList<ChapterTheme> Library::chaptersAndThemes() const {
    QList<ChapterTheme> out;
    for (platform::Statement st = m_db->query(QStringLiteral("SELECT NrKreu, Kreu, NrTema, Tema FROM KreuMeTema"));
         st.next();)
        out.append({int(st.integer(0)), st.text(1), int(st.integer(2)), st.text(3)});
    return out;
}

QStringList Library::groupsOfTheme(const QString& theme) const {
    QStringList items;
    for (platform::Statement st = m_db->query(
             QStringLiteral("SELECT nrsure, emrsure, ajetet FROM klasifikim WHERE tema = ?"), {theme.trimmed()});
         st.next();)
        items.append(st.text(0) + QStringLiteral(" (") + st.text(1) + QStringLiteral("): ") + st.text(2));
    return items;
}

QList<Reciter> Library::reciters(ReciterKind kind) const {
    QList<Reciter> out;
    for (platform::Statement st = m_db->query(
             QStringLiteral("SELECT IDLok, Lexuesi, Lokacioni FROM Lokacioni_i_zerit WHERE Ajete = ? ORDER BY Lexuesi"),
             {ajete(kind)});
         st.next();)
        out.append({st.integer(0), st.text(1), st.text(2)});
    return out;
}

std::optional<Reciter> Library::defaultReciter(ReciterKind kind) const {
    platform::Statement st = m_db->query(QStringLiteral("SELECT IDLok, Lexuesi, Lokacioni FROM Lokacioni_i_zerit "
                                                        "WHERE [Default] = -1 AND Ajete = ? ORDER BY IDLok"),
                                         {ajete(kind)});
    if (!st.next())
        return std::nullopt;
    return Reciter{st.integer(0), st.text(1), st.text(2)};
}

void Library::markDefault(ReciterKind kind, std::optional<qint64> id) const {
    m_db->transaction([&] {
        m_db->exec(QStringLiteral("UPDATE Lokacioni_i_zerit SET [Default] = 0 WHERE Ajete = ?"), {ajete(kind)});
        if (id)
            m_db->exec(QStringLiteral("UPDATE Lokacioni_i_zerit SET [Default] = -1 WHERE IDLok = ?"), {*id});
    });
}

void Library::removeReciter(qint64 id) const {
    m_db->exec(QStringLiteral("DELETE FROM Lokacioni_i_zerit WHERE IDLok = ?"), {id});
}

} // namespace data
