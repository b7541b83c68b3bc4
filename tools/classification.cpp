// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/classification.h"

#include "platform/database.h"
#include "platform/textfile.h"
#include "tools/textinput.h"

#include <QDir>
#include <QHash>

#include <algorithm>

namespace databuilder {
namespace {

// The rows of a fact file with `columns` TAB-separated fields each, with their line numbers.
struct FactRow {
    int line = 0;
    QStringList fields;
};

QList<FactRow> readFactRows(const QString& folder, const QString& name, int columns, const QString& expected) {
    const QStringList lines = readUtf8Lines(QDir(folder).filePath(name));
    QList<FactRow> rows;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty() || lines[i].startsWith(u'#'))
            continue;
        const QStringList fields = lines[i].split(u'\t');
        if (fields.size() != columns)
            throw BuildError(QStringLiteral("%1, rreshti %2: pritej: %3, të ndara me TAB.")
                                 .arg(name, QString::number(i + 1), expected));
        rows.append({int(i + 1), fields});
    }
    return rows;
}

[[noreturn]] void refuseFact(const QString& file, const FactRow& row, const QString& what) {
    throw BuildError(QStringLiteral("%1, rreshti %2: %3").arg(file, QString::number(row.line), what));
}

// The surah of a fact row's field, checked against the surahs.
int factSurah(const QString& file, const FactRow& row, int field, const QList<Surah>& surahs) {
    const int surah = parseNumber(row.fields[field].trimmed());
    if (surah < 1 || surah > surahs.size())
        refuseFact(file, row, QStringLiteral("sureja nuk është e vlefshme."));
    return surah;
}

// A verse of `surah` in a fact row's field, checked against the surah's verse count.
int factVerse(const QString& file, const FactRow& row, int field, const Surah& surah) {
    const int verse = parseNumber(row.fields[field].trimmed());
    if (verse < 1 || verse > surah.verses)
        refuseFact(file, row, QStringLiteral("sureja %1 nuk ka ajetin %2.").arg(surah.number).arg(row.fields[field]));
    return verse;
}

void expectCount(const QString& file, qsizetype found, int expected) {
    if (found != expected)
        throw BuildError(QStringLiteral("%1 ka %2 rreshta; priteshin %3.").arg(file).arg(found).arg(expected));
}

// Chapter 1: one theme per part, one group per surah the part covers.
Chapter partsChapter(const QString& factsFolder, const QList<Surah>& surahs, int& themeNumber) {
    const QString file = QStringLiteral("xhuzet.tsv");
    const QList<FactRow> rows =
        readFactRows(factsFolder, file, 3, QStringLiteral("xhuzi, sureja_e_fillimit, ajeti_i_fillimit"));
    expectCount(file, rows.size(), 30);
    struct Key {
        int surah;
        int verse;
    };
    QList<Key> starts;
    for (const FactRow& row : rows) {
        if (parseNumber(row.fields[0].trimmed()) != starts.size() + 1)
            refuseFact(file, row, QStringLiteral("pritej xhuzi %1.").arg(starts.size() + 1));
        const int surah = factSurah(file, row, 1, surahs);
        const Key start{surah, factVerse(file, row, 2, surahs[surah - 1])};
        if (starts.isEmpty() ? (start.surah != 1 || start.verse != 1)
                             : (start.surah < starts.last().surah ||
                                (start.surah == starts.last().surah && start.verse <= starts.last().verse)))
            refuseFact(file, row,
                       QStringLiteral("xhuzi duhet të nisë pas fillimit të xhuzit të mëparshëm (i pari në 1:1)."));
        starts.append(start);
    }

    Chapter chapter{1, QStringLiteral("Xhuzet"), {}};
    for (qsizetype p = 0; p < starts.size(); ++p) {
        // A part ends just before the next one begins; the last one at the last verse.
        Key end{int(surahs.size()), surahs.last().verses};
        if (p + 1 < starts.size()) {
            end = starts[p + 1];
            if (--end.verse == 0) {
                --end.surah;
                end.verse = surahs[end.surah - 1].verses;
            }
        }
        Theme theme{++themeNumber, QStringLiteral("Xhuzi %1").arg(p + 1), {}};
        for (int s = starts[p].surah; s <= end.surah; ++s)
            theme.groups.append({s, verseRange(s == starts[p].surah ? starts[p].verse : 1,
                                               s == end.surah ? end.verse : surahs[s - 1].verses)});
        chapter.themes.append(theme);
    }
    return chapter;
}

// Chapter 2: the verses of prostration, one group per verse.
Chapter prostrationChapter(const QString& factsFolder, const QList<Surah>& surahs, int& themeNumber) {
    const QString file = QStringLiteral("sexhdet.tsv");
    const QList<FactRow> rows = readFactRows(factsFolder, file, 2, QStringLiteral("sureja, ajeti"));
    expectCount(file, rows.size(), 15);
    Theme theme{++themeNumber, QStringLiteral("Ajetet e sexhdes"), {}};
    int lastSurah = 0;
    int lastVerse = 0;
    for (const FactRow& row : rows) {
        const int surah = factSurah(file, row, 0, surahs);
        const int verse = factVerse(file, row, 1, surahs[surah - 1]);
        if (surah < lastSurah || (surah == lastSurah && verse <= lastVerse))
            refuseFact(file, row, QStringLiteral("ajetet duhet të jenë sipas radhës së tekstit, pa përsëritje."));
        lastSurah = surah;
        lastVerse = verse;
        theme.groups.append({surah, QString::number(verse)});
    }
    return {2, QStringLiteral("Sexhdet"), {theme}};
}

// Chapter 3: the surahs that open with separate letters, with the verses that hold them.
Chapter lettersChapter(const QString& factsFolder, const QList<Surah>& surahs, int& themeNumber) {
    const QString file = QStringLiteral("mukataat.tsv");
    const QList<FactRow> rows = readFactRows(factsFolder, file, 2, QStringLiteral("sureja, ajetet"));
    expectCount(file, rows.size(), 29);
    Theme theme{++themeNumber, QStringLiteral("Suret që nisin me shkronja të ndara"), {}};
    int lastSurah = 0;
    for (const FactRow& row : rows) {
        const int surah = factSurah(file, row, 0, surahs);
        if (surah <= lastSurah)
            refuseFact(file, row, QStringLiteral("suret duhet të jenë sipas radhës, pa përsëritje."));
        lastSurah = surah;
        const QString& list = row.fields[1];
        if (const QString fault = verseListFault(list, surahs[surah - 1].verses); !fault.isEmpty())
            refuseFact(file, row, fault);
        theme.groups.append({surah, list});
    }
    return {3, QStringLiteral("Shkronjat e ndara"), {theme}};
}

// Chapter 4: the Meccan and the Medinan surahs, each whole.
Chapter placeChapter(const QList<Surah>& surahs, int& themeNumber) {
    Chapter chapter{4, QStringLiteral("Vendi i shpalljes"), {}};
    const QString places[] = {QStringLiteral("Mekë"), QStringLiteral("Medinë")};
    const QString titles[] = {QStringLiteral("Suret mekase"), QStringLiteral("Suret medinase")};
    for (int i = 0; i < 2; ++i) {
        Theme theme{++themeNumber, titles[i], {}};
        for (const Surah& s : surahs)
            if (s.place == places[i])
                theme.groups.append({s.number, verseRange(1, s.verses)});
        chapter.themes.append(theme);
    }
    return chapter;
}

} // namespace

QString verseListFault(QStringView list, int verses) {
    if (list.isEmpty())
        return QStringLiteral("lista e ajeteve është bosh.");
    for (QStringView entry : list.split(u',')) {
        const qsizetype dash = entry.indexOf(u'-');
        const int first = parseNumber(dash < 0 ? entry : entry.left(dash));
        const int last = parseNumber(dash < 0 ? entry : entry.mid(dash + 1));
        if (first < 0 || last < 0)
            return QStringLiteral("lista e ajeteve „%1” nuk pranohet: „%2” nuk është as numër ajeti as varg "
                                  "„a-b” (pa hapësira, të ndara me presje).")
                .arg(list, entry);
        if (first > last)
            return QStringLiteral("në listën e ajeteve „%1” vargu „%2” shkon mbrapsht.").arg(list, entry);
        if (first < 1 || last > verses)
            return QStringLiteral("sureja ka %1 ajete; ajeti %2 nuk ekziston.")
                .arg(verses)
                .arg(first < 1 ? first : last);
    }
    return {};
}

QString verseRange(int first, int last) {
    return first == last ? QString::number(first) : QString::number(first) + u'-' + QString::number(last);
}

Classification factsClassification(const QString& factsFolder, const QList<Surah>& surahs) {
    int themeNumber = 0;
    Classification c;
    c.append(partsChapter(factsFolder, surahs, themeNumber));
    c.append(prostrationChapter(factsFolder, surahs, themeNumber));
    c.append(lettersChapter(factsFolder, surahs, themeNumber));
    c.append(placeChapter(surahs, themeNumber));
    return c;
}

Classification parseClassification(const QByteArray& contentIn, const QList<Surah>& surahs) {
    const QByteArrayView content = platform::withoutBom(contentIn);

    Classification c;
    // Where each chapter and theme was first named, for the clashes that can follow.
    struct Named {
        int number;
        QString title;
        int line;
        int chapter; // a theme's chapter
    };
    QHash<int, Named> chapterByNumber, themeByNumber;
    QHash<QString, Named> chapterByTitle, themeByTitle;

    int lineNo = 0;
    for (const QByteArrayView raw : splitLines(content)) {
        ++lineNo;
        QString line;
        if (!platform::decodeUtf8(raw, &line))
            throw BuildError(lineMessage(lineNo, QStringLiteral("teksti nuk është UTF-8 i vlefshëm.")));
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        auto refuse = [&](const QString& what) { throw BuildError(lineMessage(lineNo, what)); };

        const QStringList f = line.split(u'\t');
        if (f.size() != 6)
            refuse(QStringLiteral("priteshin gjashtë fusha të ndara me TAB: numri i kreut, kreu, numri i temës, "
                                  "tema, sureja, ajetet."));
        const int chapterNo = parseNumber(f[0].trimmed());
        const QString chapter = f[1].trimmed();
        const int themeNo = parseNumber(f[2].trimmed());
        const QString theme = f[3].trimmed();
        const int surah = parseNumber(f[4].trimmed());
        const QString& list = f[5];
        if (chapterNo < 1)
            refuse(QStringLiteral("numri i kreut duhet të jetë një numër nga 1 e lart."));
        if (chapter.isEmpty())
            refuse(QStringLiteral("mungon titulli i kreut."));
        if (themeNo < 1)
            refuse(QStringLiteral("numri i temës duhet të jetë një numër nga 1 e lart."));
        if (theme.isEmpty())
            refuse(QStringLiteral("mungon titulli i temës."));
        if (surah < 1 || surah > surahs.size())
            refuse(QStringLiteral("sureja %1 nuk ekziston (suret janë 1 deri %2).")
                       .arg(f[4].trimmed())
                       .arg(surahs.size()));
        if (const QString fault = verseListFault(list, surahs[surah - 1].verses); !fault.isEmpty())
            refuse(QStringLiteral("sureja %1: %2").arg(QString::number(surah), fault));

        // The chapter: one number, one title, and its lines one after another.
        const Named* byNumber = chapterByNumber.contains(chapterNo) ? &chapterByNumber[chapterNo] : nullptr;
        const Named* byTitle = chapterByTitle.contains(chapter) ? &chapterByTitle[chapter] : nullptr;
        if (byNumber && byNumber->title != chapter)
            refuse(QStringLiteral("kreu %1 quhet „%2” në rreshtin %3, jo „%4”.")
                       .arg(QString::number(chapterNo), byNumber->title, QString::number(byNumber->line), chapter));
        if (byTitle && byTitle->number != chapterNo)
            refuse(QStringLiteral("kreu „%1” ka numrin %2 në rreshtin %3, jo %4.")
                       .arg(chapter, QString::number(byTitle->number), QString::number(byTitle->line),
                            QString::number(chapterNo)));
        if (c.isEmpty() || c.last().number != chapterNo) {
            if (byNumber)
                refuse(QStringLiteral("kreu %1 „%2” rikthehet pasi ka nisur një kre tjetër; rreshtat e një kreu "
                                      "duhet të jenë njëri pas tjetrit.")
                           .arg(QString::number(chapterNo), chapter));
            const Named named{chapterNo, chapter, lineNo, chapterNo};
            chapterByNumber.insert(chapterNo, named);
            chapterByTitle.insert(chapter, named);
            c.append({chapterNo, chapter, {}});
        }

        // The theme: one number, one title, in one chapter.
        const Named* themeNumbered = themeByNumber.contains(themeNo) ? &themeByNumber[themeNo] : nullptr;
        const Named* themeTitled = themeByTitle.contains(theme) ? &themeByTitle[theme] : nullptr;
        if (themeNumbered && themeNumbered->title != theme)
            refuse(
                QStringLiteral("tema %1 quhet „%2” në rreshtin %3, jo „%4”.")
                    .arg(QString::number(themeNo), themeNumbered->title, QString::number(themeNumbered->line), theme));
        if (themeTitled && themeTitled->number != themeNo)
            refuse(QStringLiteral("tema „%1” ka numrin %2 në rreshtin %3, jo %4.")
                       .arg(theme, QString::number(themeTitled->number), QString::number(themeTitled->line),
                            QString::number(themeNo)));
        if (themeNumbered && themeNumbered->chapter != chapterNo)
            refuse(QStringLiteral("tema „%1” është në kreun %2 në rreshtin %3, jo në kreun %4.")
                       .arg(theme, QString::number(themeNumbered->chapter), QString::number(themeNumbered->line),
                            QString::number(chapterNo)));
        QList<Theme>& themes = c.last().themes;
        auto it = std::find_if(themes.begin(), themes.end(), [&](const Theme& t) { return t.number == themeNo; });
        if (it == themes.end()) {
            const Named named{themeNo, theme, lineNo, chapterNo};
            themeByNumber.insert(themeNo, named);
            themeByTitle.insert(theme, named);
            themes.append({themeNo, theme, {}});
            it = themes.end() - 1;
        }
        it->groups.append({surah, list});
    }
    if (c.isEmpty())
        throw BuildError(lineMessage(qMax(lineNo, 1), QStringLiteral("skedari mbaron pa asnjë grup ajetesh.")));
    return c;
}

Classification readClassification(const QString& path, const QList<Surah>& surahs) {
    try {
        return parseClassification(readWholeFile(path), surahs);
    } catch (const BuildError& e) {
        throw BuildError(
            QStringLiteral("Klasifikimi %1 nuk pranohet. %2").arg(QDir::toNativeSeparators(path), e.message()));
    }
}

Classification classificationOf(const QString& database, const QList<Surah>& surahs) {
    Classification c;
    try {
        platform::Connection db;
        db.Open(database);
        QHash<QString, QList<VerseGroup>> groups;
        for (platform::Statement st =
                 db.query(QStringLiteral("SELECT tema, nrsure, ajetet FROM klasifikim ORDER BY ID"));
             st.next();) {
            const int surah = int(st.integer(1));
            if (surah < 1 || surah > surahs.size())
                return {};
            groups[st.text(0)].append({surah, st.text(2)});
        }
        for (platform::Statement st = db.query(QStringLiteral("SELECT k.NrKreu, k.Kreu, t.NrTema, t.Tema FROM Kreret k "
                                                              "JOIN Temat t ON t.NrKreu = k.NrKreu "
                                                              "ORDER BY k.NrKreu, t.NrTema"));
             st.next();) {
            if (c.isEmpty() || c.last().number != st.integer(0))
                c.append({int(st.integer(0)), st.text(1), {}});
            c.last().themes.append({int(st.integer(2)), st.text(3), groups.value(st.text(3))});
        }
    } catch (const platform::DbError&) {
        return {};
    }
    return c;
}

} // namespace databuilder
