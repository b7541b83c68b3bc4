// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/composed.h"

#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <exception>
#include <memory>
#include <thread>

namespace platform {
class Connection;
}

// The search of every verse in the database for a phrase (or for words joined by "&"): the verses found, each
// with the places of the words in it, and the text that shows them.
namespace search {

// The most words a phrase may join with "&" (each is one condition of the statement).
inline constexpr int kMaxWords = 50;

struct Request {
    QString phrase;     // as typed
    int surah = 0;      // 1 to 114: only that surah's verses; 0: every verse
    QString surahName;  // the surah's name, for the report
    bool loose = false; // ë as e, ç as c
    // A phrase typed in Arabic searches this Arabic text of the store of texts read beside the translation.
    QString arabicStore = {};
    qint64 arabicText = 0; // none: the store holds no Arabic text
};

// Why a request cannot run, for the reader; the control to correct goes with it.
enum class Refusal { None, Empty, TooManyWords, NoSurah, NoArabic };
// `arabicHeld`: the store holds an Arabic text for a phrase typed in Arabic.
Refusal refusalOf(const QString& phrase, bool onlyCurrentSurah, int surah, bool arabicHeld = true);
QString refusalText(Refusal r);

// The surah a search limited to the current surah names, or 0 when the text names none.
int currentSurah(const QString& text);

// The words coloured in the verses found: each word of a phrase with "&", or the phrase as it is.
QStringList markedWords(const QString& phrase);

struct Result {
    text::Verse verse;
    QString text;
    QList<QPair<int, int>> matches; // where the words stand in the text: (start, length)
    // A verse found in Arabic: its Arabic, and where the phrase stands in it (the original letters, marks included).
    QString arabic = {};
    QList<QPair<int, int>> arabicMatches = {};
};

struct Outcome {
    Request request;
    QList<Result> results;
    // When nothing was found with ë and ç told apart: how many verses the loose search finds (-1: not asked).
    int looseCount = -1;
};

// The line under a report that found nothing: how many verses the loose search would find ("" for none).
QString looseHint(int looseCount);

// Runs a search on a connection (a phrase typed in Arabic, in the request's Arabic text). `cancelled`, when given, is
// asked between rows: a search called off returns what it found so far. A search that tells ë and ç apart and finds
// nothing counts what the loose one finds. Throws DbError.
Outcome run(platform::Connection& db, const Request& request, const std::atomic<bool>* cancelled = nullptr);

// The text that shows an outcome: the report line, a rule, then a line a verse, with the words marked. An outcome with
// nothing found that the loose search would find has the loose hint under its report line, drawn as a link.
text::Composed compose(const Outcome& outcome);

// Runs searches off the window's thread, on a connection of their own to the database file: one at a time.
class Searcher : public QObject {
    Q_OBJECT
public:
    explicit Searcher(QObject* parent = nullptr);
    ~Searcher() override;

    // Starts a search of the database at `databasePath`; false while another runs.
    bool start(const QString& databasePath, const Request& request);
    // Calls the running search off: neither finished nor failed is heard of it.
    void cancel();
    bool running() const { return m_running; }

Q_SIGNALS:
    // On the thread the searcher lives in.
    void finished(const search::Outcome& outcome, std::shared_ptr<const text::Composed> shown);
    void failed(std::exception_ptr error);

private:
    void join();
    std::thread m_thread;
    std::shared_ptr<std::atomic<bool>> m_cancelled;
    bool m_running = false;
    quint64 m_generation = 0;
};

} // namespace search
