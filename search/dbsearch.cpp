// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/dbsearch.h"

#include "platform/database.h"
#include "platform/textfold.h"
#include "search/report.h"
#include "search/wordlist.h"
#include "text/arabic.h"
#include "tools/parallel.h"

#include <QMetaObject>

#include <algorithm>

namespace search {

int currentSurah(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok && n >= 1 && n <= 114 && text.trimmed() == QString::number(n) ? n : 0;
}

Refusal refusalOf(const QString& phrase, bool onlyCurrentSurah, int surah, bool arabicHeld) {
    if (phrase.isEmpty())
        return Refusal::Empty;
    if (phrase.count(u'&') + 1 > kMaxWords)
        return Refusal::TooManyWords;
    if (onlyCurrentSurah && surah == 0)
        return Refusal::NoSurah;
    if (!arabicHeld && text::hasArabic(phrase))
        return Refusal::NoArabic;
    return Refusal::None;
}

QString refusalText(Refusal r) {
    switch (r) {
    case Refusal::None:
        break;
    case Refusal::Empty:
        return QStringLiteral("Shëno diçka për kërkim!");
    case Refusal::TooManyWords:
        return QStringLiteral("Kërkimi pranon deri në %1 fjalë të ndara me „&”.").arg(kMaxWords);
    case Refusal::NoSurah:
        return QStringLiteral("Zgjidhni një sure (numrin e saj) për të kërkuar vetëm në suren aktuale.");
    case Refusal::NoArabic:
        return QStringLiteral("Për të kërkuar në arabisht duhet teksti arab. Merreni te „Shkarkimet” ose importojeni "
                              "nga një skedar me shigjetën e butonit „Teksti arab”.");
    }
    return QString();
}

QStringList markedWords(const QString& phrase) {
    if (!phrase.contains(u'&'))
        return {phrase};
    QString copy = phrase;
    FjalKerkim words;
    NumerojiFjalet(copy, QStringLiteral("&"), words);
    QStringList out;
    for (int i = 1; i <= words.Count(); ++i)
        out.append(words.Item(i).Text());
    return out;
}

namespace {

// The verses whose loosely folded copy holds every word folded so, found with SQLite's own instr(): for words without
// wildcards, the verses LIKE finds loosely, and a few more than it finds exactly (the exact ones are then told by
// their matches).
SearchQuery candidatesFor(const QStringList& words, int surah) {
    SearchQuery q{QStringLiteral("SELECT NrSure, NrAjet, Perkthimi FROM librezi WHERE 1"), {}};
    for (const QString& w : words) {
        q.sql += QStringLiteral(" AND instr(Kerkimi, ?) > 0");
        q.values.append(platform::foldText(w, true));
    }
    if (surah > 0) {
        q.sql += QStringLiteral(" AND NrSure = ?");
        q.values.append(surah);
    }
    return q;
}

// A phrase typed in Arabic: the verses of the Arabic text that hold it, each with the reader's translation of it.
Outcome runArabic(platform::Connection& db, const Request& request, const std::atomic<bool>* cancelled) {
    Outcome out;
    out.request = request;
    const QList<databuilder::ArabicHit> hits =
        databuilder::searchArabic(request.arabicStore, request.arabicText, request.phrase, request.surah);
    // The translations are read in one pass beside the hits, both in book order (a statement per verse costs more
    // than the pass once the hits are many).
    platform::Statement verses = db.query(QStringLiteral("SELECT NrSure, NrAjet, Perkthimi FROM librezi WHERE "
                                                         "(? = 0 OR NrSure = ?) ORDER BY NrSure, NrAjet"),
                                          {request.surah, request.surah});
    bool more = !hits.isEmpty() && verses.next();
    for (const databuilder::ArabicHit& hit : hits) {
        if (cancelled && cancelled->load(std::memory_order_relaxed))
            break;
        const text::Verse v{hit.surah, hit.verse};
        while (more && text::Verse{int(verses.integer(0)), int(verses.integer(1))} < v)
            more = verses.next();
        Result r;
        r.verse = v;
        if (more && text::Verse{int(verses.integer(0)), int(verses.integer(1))} == v)
            r.text = verses.text(2);
        r.arabic = hit.text;
        for (const auto& [start, end] : hit.places)
            r.arabicMatches.append({int(start), int(end - start)});
        out.results.append(std::move(r));
    }
    return out;
}

} // namespace

Outcome run(platform::Connection& db, const Request& request, const std::atomic<bool>* cancelled) {
    if (request.arabicText > 0 && text::hasArabic(request.phrase))
        return runArabic(db, request, cancelled);
    // The folded copy is used when the database has it for every verse that has text.
    const bool folded =
        db.value(QStringLiteral("SELECT 1 FROM pragma_table_info('librezi') WHERE name = 'Kerkimi'")).isValid() &&
        !db.value(QStringLiteral("SELECT 1 FROM librezi WHERE Kerkimi = '' AND Perkthimi <> '' LIMIT 1")).isValid();
    const QStringList words = markedWords(request.phrase);
    const bool wildcards = request.phrase.contains(u'%') || request.phrase.contains(u'_');
    const bool candidates = folded && !wildcards;
    const SearchQuery statement = candidates ? candidatesFor(words, request.surah)
                                             : statementFor(request.phrase, request.surah,
                                                            !request.loose ? Matching::Exact
                                                            : folded       ? Matching::Loose
                                                                           : Matching::LooseWithoutColumn);
    Outcome out;
    out.request = request;
    for (platform::Statement rows = db.query(statement.sql, statement.values); rows.next();) {
        if (cancelled && cancelled->load(std::memory_order_relaxed))
            break;
        Result r;
        r.verse = {int(rows.integer(0)), int(rows.integer(1))};
        r.text = rows.text(2);
        // A candidate is found when every word stands in it as the search matches (an empty word always does).
        bool every = true;
        for (const QString& w : words) {
            const QList<QPair<int, int>> found = text::matchesIn(r.text, {w}, request.loose);
            every = every && (found.size() > 0 || w.isEmpty());
            r.matches += found;
        }
        if (candidates && !every)
            continue;
        out.results.append(std::move(r));
    }
    if (out.results.isEmpty() && !request.loose && !(cancelled && cancelled->load())) {
        Request loose = request;
        loose.loose = true;
        out.looseCount = int(run(db, loose, cancelled).results.size());
    }
    return out;
}

QString looseHint(int looseCount) {
    if (looseCount <= 0)
        return QString();
    return looseCount == 1 ? QStringLiteral("Me „Pa dallim ë/e, ç/c” gjendet 1 ajet")
                           : QStringLiteral("Me „Pa dallim ë/e, ç/c” gjenden %1 ajete").arg(looseCount);
}

text::Composed compose(const Outcome& outcome) {
    const Request& r = outcome.request;
    text::Composer c;
    c.title(r.surah > 0 ? QStringLiteral("Kërkimi i „%1” në suren %2").arg(r.phrase, r.surahName)
                        : QStringLiteral("Kërkimi i „%1”").arg(r.phrase));
    c.line();
    c.line(reportLine(int(outcome.results.size()), r.phrase, r.surah > 0, r.surahName));
    c.markLine(markedWords(r.phrase), r.loose);
    if (const QString hint = looseHint(outcome.looseCount); !hint.isEmpty())
        c.line(hint, text::Role::Link);
    c.line(reportRule());
    c.line();
    for (const Result& result : outcome.results)
        c.verse(result.verse, result.text, result.matches,
                result.arabic.isEmpty() ? QList<text::Beside>{}
                                        : QList<text::Beside>{{result.arabic, true, result.arabicMatches}});
    return c.take();
}

Searcher::Searcher(QObject* parent) : QObject(parent) {}

Searcher::~Searcher() {
    cancel();
    join();
}

void Searcher::join() {
    if (m_thread.joinable())
        m_thread.join();
}

bool Searcher::start(const QString& databasePath, const Request& request) {
    if (m_running)
        return false;
    join(); // a search called off may still be ending
    m_running = true;
    m_cancelled = std::make_shared<std::atomic<bool>>(false);
    const quint64 generation = ++m_generation;
    m_thread = std::thread([this, databasePath, request, cancelled = m_cancelled, generation] {
        std::exception_ptr error;
        Outcome outcome;
        std::shared_ptr<const text::Composed> shown;
        try {
            platform::Connection db;
            db.Open(databasePath);
            outcome = run(db, request, cancelled.get());
            shown = std::make_shared<const text::Composed>(compose(outcome));
        } catch (...) {
            error = std::current_exception();
        }
        if (cancelled->load())
            return;
        QMetaObject::invokeMethod(
            this,
            [this, generation, error, outcome = std::move(outcome), shown = std::move(shown)] {
                if (generation != m_generation || !m_running)
                    return; // called off meanwhile
                m_running = false;
                if (error)
                    Q_EMIT failed(error);
                else
                    Q_EMIT finished(outcome, shown);
            },
            Qt::QueuedConnection);
    });
    return true;
}

void Searcher::cancel() {
    if (m_cancelled)
        m_cancelled->store(true);
    m_running = false;
}

} // namespace search
