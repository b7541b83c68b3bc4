// SPDX-License-Identifier: GPL-3.0-or-later
// librezi-bench: times the reader's common actions on the real program and sets each figure against a floor
// measured beside it, run by run (A B A B ...): what Qt or SQLite alone need for the same result. Start and
// memory are measured on fresh processes of this program. Every scenario checks that it did its work: one that
// finds nothing, stops nowhere or shows no verse fails the run (status 1), whatever its time.
//
//   librezi-bench [--translation FILE] [--arabic FILE] [--runs N] [--only SCENARIO]... [--json]
//                 [--search P] [--search-and A&B] [--search-loose P] [--search-arabic P] [--find P] [--find-back P]

#include "app/module1.h"
#include "audio/playback.h"
#include "downloads/catalogue.h"
#include "downloads/fetcher.h"
#include "downloads/frmshkarkimet.h"
#include "httpserver.h"
#include "mainwindow/besidetexts.h"
#include "mainwindow/frmkryesore.h"
#include "platform/mediaplayer.h"
#include "platform/msgbox.h"
#include "platform/richtextview.h"
#include "platform/rtffill.h"
#include "prefs/fonts.h"
#include "printing/printout.h"
#include "printing/sources.h"
#include "resources/resources.h"
#include "search/dbsearch.h"
#include "search/report.h"
#include "text/wholetext.h"
#include "tools/databuilder.h"
#include "tools/parallel.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QAudioOutput>
#include <QCheckBox>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListWidget>
#include <QMediaPlayer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPdfWriter>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <optional>

namespace {
// One line of a composed text, as the floors write it: the verse key, TAB, the translation, CR LF.
QString verseLine(const QString& surah, const QString& verse, const QString& text) {
    return surah + u':' + verse + u'.' + u'\t' + text + QStringLiteral("\r\n");
}
} // namespace

namespace {

// ---- measuring ----------------------------------------------------------------------------------

qint64 monotonicNs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

struct Stats {
    double median = 0, min = 0, max = 0;
};

Stats statsOf(QList<double> v) {
    std::sort(v.begin(), v.end());
    if (v.isEmpty())
        return {};
    const qsizetype n = v.size();
    return {n % 2 ? v.at(n / 2) : (v.at(n / 2 - 1) + v.at(n / 2)) / 2, v.first(), v.last()};
}

// A scenario that did not do its work: the run fails with this, whatever the times.
struct Failure {
    QString what;
};
void require(bool ok, const QString& what) {
    if (!ok)
        throw Failure{what};
}

// One side of a comparison: set up untimed, act timed, check untimed.
struct Side {
    std::function<void()> prepare, action, check;
};

// A warm-up of each side, then `runs` rounds of A then B, so that a change of load lands on both.
std::pair<Stats, Stats> interleaved(int runs, const Side& a, const Side& b) {
    QList<double> times[2];
    for (int i = 0; i <= runs; ++i)
        for (int s = 0; s < 2; ++s) {
            const Side& side = s ? b : a;
            if (side.prepare)
                side.prepare();
            const qint64 t = monotonicNs();
            side.action();
            const double ms = double(monotonicNs() - t) / 1e6;
            if (side.check)
                side.check();
            if (i > 0)
                times[s].append(ms);
        }
    return {statsOf(times[0]), statsOf(times[1])};
}

void settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Lets the windows idle as a reader's would between actions: the text views finish laying out.
void idle(int ms) {
    const qint64 end = monotonicNs() + qint64(ms) * 1000000;
    while (monotonicNs() < end)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Peak resident memory of this process, in kB (VmHWM of /proc/self/status).
// A figure of /proc/self/status in KB ("VmHWM:", the peak resident memory; "VmRSS:", the resident memory now).
long statusKb(const char* key = "VmHWM:") {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').value(0).toLong();
    return -1;
}

long peakResidentKb() {
    return statusKb();
}

// ---- reporting ----------------------------------------------------------------------------------

struct Result {
    Result(QString n, Stats v = {}, Stats f = {}, QString u = QStringLiteral("ms"))
        : name(std::move(n)), unit(std::move(u)), value(v), floor(f) {}
    QString name, unit;
    Stats value, floor;
    bool hasFloor = true;
    QString target; // "" for a figure given for information
    bool met = false;
    QString verdict; // set for a scenario skipped or failed
    QString note;
    double ratio() const { return hasFloor && floor.median > 0 ? value.median / floor.median : 0; }
    // A target of at most `limit` times the floor, or (ratio false) below `limit` in the unit.
    Result& judge(double limit, bool ratio) {
        target = ratio ? QStringLiteral("≤ %1 × floor").arg(limit) : QStringLiteral("< %1 %2").arg(limit).arg(unit);
        met = ratio ? this->ratio() <= limit : value.median < limit;
        return *this;
    }
};

bool g_json = false;
int g_failed = 0;

void print(const Result& r) {
    const QString verdict = !r.verdict.isEmpty() ? r.verdict
                            : r.target.isEmpty() ? QStringLiteral("info")
                            : r.met              ? QStringLiteral("met")
                                                 : QStringLiteral("MISSED");
    if (g_json) {
        const QJsonObject o{{QStringLiteral("scenario"), r.name},       {QStringLiteral("unit"), r.unit},
                            {QStringLiteral("median"), r.value.median}, {QStringLiteral("min"), r.value.min},
                            {QStringLiteral("max"), r.value.max},       {QStringLiteral("floor"), r.floor.median},
                            {QStringLiteral("floor_min"), r.floor.min}, {QStringLiteral("floor_max"), r.floor.max},
                            {QStringLiteral("ratio"), r.ratio()},       {QStringLiteral("target"), r.target},
                            {QStringLiteral("verdict"), verdict},       {QStringLiteral("note"), r.note}};
        std::printf("%s\n", QJsonDocument(o).toJson(QJsonDocument::Compact).constData());
    } else if (!r.verdict.isEmpty()) {
        std::printf("| %s | | | | | | %s | %s | %s |\n", qPrintable(r.name), qPrintable(r.target), qPrintable(verdict),
                    qPrintable(r.note));
    } else {
        const QString floor = r.hasFloor ? QString::number(r.floor.median, 'f', 1) : QString();
        const QString ratio = r.hasFloor ? QString::number(r.ratio(), 'f', 2) : QString();
        std::printf("| %s | %.1f %s | %.1f | %.1f | %s | %s | %s | %s | %s |\n", qPrintable(r.name), r.value.median,
                    qPrintable(r.unit), r.value.min, r.value.max, qPrintable(floor), qPrintable(ratio),
                    qPrintable(r.target), qPrintable(verdict), qPrintable(r.note));
    }
    std::fflush(stdout);
}

// Runs a scenario: its results printed, or its failure said and counted.
void run(const QString& name, const std::function<QList<Result>()>& scenario) {
    try {
        for (const Result& r : scenario())
            print(r);
    } catch (const Failure& f) {
        ++g_failed;
        Result r(name);
        r.verdict = QStringLiteral("FAILED");
        r.note = f.what;
        print(r);
        std::fprintf(stderr, "librezi-bench: %s failed: %s\n", qPrintable(name), qPrintable(f.what));
    }
}

// ---- SQLite by itself ---------------------------------------------------------------------------

// A connection of SQLite's own, with its own LIKE: what the floors' queries and the one-surah reader use.
class RawDb {
public:
    explicit RawDb(const QString& path) {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            throw Failure{QStringLiteral("SQLite cannot open ") + path};
    }
    ~RawDb() { sqlite3_close(m_db); }
    // Runs a statement with its values bound, calling `row` for each row; the count of rows.
    int each(const QString& sql, const QVariantList& values, const std::function<void(sqlite3_stmt*)>& row) {
        sqlite3_stmt* s = nullptr;
        require(sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &s, nullptr) == SQLITE_OK, sql);
        for (int i = 0; i < values.size(); ++i) {
            if (values[i].typeId() == QMetaType::Int || values[i].typeId() == QMetaType::LongLong)
                sqlite3_bind_int64(s, i + 1, values[i].toLongLong());
            else
                sqlite3_bind_text(s, i + 1, values[i].toString().toUtf8().constData(), -1, SQLITE_TRANSIENT);
        }
        int rows = 0;
        for (; sqlite3_step(s) == SQLITE_ROW; ++rows)
            row(s);
        sqlite3_finalize(s);
        return rows;
    }
    static QString text(sqlite3_stmt* s, int column) {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, column)),
                                 sqlite3_column_bytes(s, column));
    }

private:
    sqlite3* m_db = nullptr;
};

// ---- the start, in a fresh process --------------------------------------------------------------

// In a child: the first paint of the window shown, and the moment its text is laid out to the end.
bool g_child = false;
bool g_sawPaint = false;
qint64 g_paintNs = 0, g_laidNs = 0;
QPointer<QWidget> g_shown;

QTextEdit* textViewOf(QWidget* top) {
    if (auto* e = qobject_cast<QTextEdit*>(top))
        return e;
    if (auto* v = top->findChild<platform::RichTextView*>(QStringLiteral("Rtf1")))
        return v->shown();
    return top->findChild<QTextEdit*>();
}

class BenchApp : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* o, QEvent* e) override {
        if (g_child && !g_paintNs && e->type() == QEvent::Paint && o->isWidgetType()) {
            QWidget* top = static_cast<QWidget*>(o)->window();
            if (top->objectName() != QLatin1String("frmSplash")) {
                g_sawPaint = true;
                g_shown = top;
            }
        }
        ++m_depth;
        const bool done = QApplication::notify(o, e);
        // The paint is over once the event that started it is handled: every control painted, the window flushed.
        if (--m_depth == 0 && g_sawPaint && !g_paintNs) {
            g_paintNs = monotonicNs();
            if (QTextEdit* view = g_shown ? textViewOf(g_shown) : nullptr) {
                QTextDocument* doc = view->document();
                doc->documentLayout()->blockBoundingRect(doc->lastBlock()); // lays the text out to its end
            }
            g_laidNs = monotonicNs();
        }
        return done;
    }

private:
    int m_depth = 0;
};

// The Arabic of 2:255 in the store of texts beside the translation ("" when it holds no Arabic text).
QString arabicOf255() {
    const QString store = Module1::parallelTextsPath();
    const qint64 arabic = besidetexts::arabicText(store);
    return arabic > 0 ? databuilder::parallelVerse(store, arabic, 2, 255) : QString();
}

// A bare view's document holding the whole text with the Arabic above each verse (plain-arabic.txt): the Arabic
// lines, known by their first letter, in the face, size and direction the program draws them in.
QTextDocument* wholeTextWithArabic(const QString& text) {
    auto* doc = new QTextDocument;
    doc->setPlainText(text);
    QTextBlockFormat line;
    line.setLayoutDirection(Qt::RightToLeft);
    line.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    line.setTopMargin(6);
    QTextCharFormat letters;
    letters.setFont(besidetexts::arabicFont(besidetexts::kArabicPoints));
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        if (b.length() > 1 && b.text().at(0).script() == QChar::Script_Arabic) {
            cursor.setPosition(b.position());
            cursor.setBlockFormat(line);
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            cursor.setCharFormat(letters);
        }
    cursor.endEditBlock();
    return doc;
}

// The child itself: "program" starts the program, "arabic" too (with the Arabic shown, which it checks), "floor"
// shows the whole text in a bare QTextEdit, "floor-arabic" the whole text with the Arabic above each verse in one,
// "onesurah" a bare window with the surah list and one surah's verses. It prints the time of its first paint, the
// time its text was laid out, its peak memory after a second's idle, the sizes of its text view and window, and the
// characters of its text. Exit status 4: the Arabic was not shown.
int child(const QString& kind, const QStringList& args) {
    const QString folder = args.value(0);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    const QSize view(args.value(1).toInt(), args.value(2).toInt()),
        window(args.value(3).toInt(), args.value(4).toInt());
    g_child = true;
    platform::MsgBoxScript quiet;
    std::unique_ptr<QWidget> top;
    if (kind == QLatin1String("program") || kind == QLatin1String("arabic")) {
        QApplication::setApplicationVersion(QStringLiteral(LIBREZI_VERSION_STRING));
        QApplication::setWindowIcon(art::icon(art::kWindowIcon));
        Module1::setProgramFolder(folder);
        if (Module1::Main() != 0)
            return 2;
    } else if (kind == QLatin1String("floor") || kind == QLatin1String("floor-arabic")) {
        const bool arabic = kind == QLatin1String("floor-arabic");
        QFile f(folder + (arabic ? QStringLiteral("/plain-arabic.txt") : QStringLiteral("/plain.txt")));
        if (!f.open(QIODevice::ReadOnly))
            return 2;
        auto* e = new QTextEdit;
        top.reset(e);
        e->setReadOnly(true);
        e->resize(view);
        if (arabic) {
            QTextDocument* doc = wholeTextWithArabic(QString::fromUtf8(f.readAll()));
            doc->setParent(e);
            e->setDocument(doc);
        } else {
            e->setPlainText(QString::fromUtf8(f.readAll()));
        }
        e->show();
    } else {
        top = std::make_unique<QWidget>();
        auto* list = new QComboBox(top.get());
        auto* text = new QTextEdit(top.get());
        auto* layout = new QVBoxLayout(top.get());
        layout->addWidget(list);
        layout->addWidget(text, 1);
        RawDb db(folder + QStringLiteral("/librezi.db"));
        db.each(QStringLiteral("SELECT Emri FROM Suret ORDER BY IDSureja"), {},
                [&](sqlite3_stmt* s) { list->addItem(RawDb::text(s, 0)); });
        QString verses;
        db.each(QStringLiteral("SELECT NrAjet, Perkthimi FROM librezi WHERE NrSure = ? ORDER BY NrAjet"),
                {args.value(5).toInt()}, [&](sqlite3_stmt* s) {
                    verses += RawDb::text(s, 0) + QStringLiteral(". ") + RawDb::text(s, 1) + u'\n';
                });
        list->setCurrentIndex(args.value(5).toInt() - 1);
        text->setReadOnly(true);
        text->setPlainText(verses);
        top->resize(window);
        top->show();
    }
    for (const qint64 end = monotonicNs() + 60000000000; !g_paintNs && monotonicNs() < end;)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (!g_paintNs || !g_shown || !textViewOf(g_shown))
        return 3;
    idle(1000);
    const long peak = peakResidentKb();
    const QTextEdit* shown = textViewOf(g_shown);
    if (kind == QLatin1String("arabic")) {
        const QString verse = arabicOf255();
        if (verse.isEmpty() || !shown->document()->toPlainText().contains(verse))
            return 4;
    }
    std::printf("%lld %lld %ld %d %d %d %d %d\n", g_paintNs, g_laidNs, peak, shown->width(), shown->height(),
                g_shown->width(), g_shown->height(), shown->document()->characterCount());
    return 0;
}

struct ChildFigures {
    double paintMs = 0, laidMs = 0, mb = 0;
    QSize view, window;
    int characters = 0; // of the text shown
};

ChildFigures runChild(const QString& kind, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const qint64 exec = monotonicNs();
    p.start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--child"), kind} + args);
    require(p.waitForFinished(180000) && p.exitStatus() == QProcess::NormalExit,
            QStringLiteral("the %1 child did not end").arg(kind));
    require(p.exitCode() != 4, QStringLiteral("the %1 child did not show the Arabic of 2:255").arg(kind));
    require(p.exitCode() == 0,
            QStringLiteral("the %1 child did not paint its window (status %2)").arg(kind).arg(p.exitCode()));
    const QStringList f = QString::fromUtf8(p.readAllStandardOutput()).split(u' ', Qt::SkipEmptyParts);
    require(f.size() == 8, QStringLiteral("the %1 child reported nothing").arg(kind));
    ChildFigures figures{double(f[0].toLongLong() - exec) / 1e6, double(f[1].toLongLong() - exec) / 1e6,
                         f[2].toDouble() / 1024, QSize(f[3].toInt(), f[4].toInt()), QSize(f[5].toInt(), f[6].toInt())};
    figures.characters = f[7].toInt();
    return figures;
}

QList<Result> startInFreshProcesses(const QString& folder, int runs) {
    // The floor's text: the whole text's characters, read as the program reads them.
    QFile rtf(folder + QStringLiteral("/LIB'REZI.rtf")), plain(folder + QStringLiteral("/plain.txt"));
    require(rtf.open(QIODevice::ReadOnly) && plain.open(QIODevice::WriteOnly), QStringLiteral("no whole text"));
    QTextDocument whole;
    platform::rtf::fill(&whole, platform::rtf::parse(rtf.readAll()));
    plain.write(whole.toPlainText().toUtf8());
    plain.close();
    int longest = 0, verses = 0;
    RawDb(folder + QStringLiteral("/librezi.db"))
        .each(QStringLiteral("SELECT NrSure, count(*) FROM librezi GROUP BY NrSure "
                             "ORDER BY sum(length(Perkthimi)) DESC LIMIT 1"),
              {}, [&](sqlite3_stmt* s) {
                  longest = sqlite3_column_int(s, 0);
                  verses = sqlite3_column_int(s, 1);
              });
    require(longest > 0, QStringLiteral("the database holds no verse"));

    const QString kinds[3] = {QStringLiteral("program"), QStringLiteral("floor"), QStringLiteral("onesurah")};
    QList<double> paint[3], laid[3], mb[3];
    QStringList args{folder};
    for (int i = 0; i <= runs; ++i)
        for (int k = 0; k < 3; ++k) {
            const ChildFigures f = runChild(kinds[k], args);
            if (args.size() == 1) // the program's first start gives the sizes the others take
                args << QString::number(f.view.width()) << QString::number(f.view.height())
                     << QString::number(f.window.width()) << QString::number(f.window.height())
                     << QString::number(longest);
            if (i == 0)
                continue; // a warm-up of each: the libraries in the page cache, as for a reader's second start
            paint[k].append(f.paintMs);
            laid[k].append(f.laidMs);
            mb[k].append(f.mb);
        }
    const QString chars = QStringLiteral("%1 characters").arg(whole.characterCount() - 1);
    Result start(QStringLiteral("start"), statsOf(paint[0]), statsOf(paint[1]));
    start.judge(2, true).note = QStringLiteral("exec → window painted; floor: bare QTextEdit, same %1").arg(chars);
    Result oneSurah(QStringLiteral("start vs one-surah"), statsOf(paint[0]), statsOf(paint[2]));
    oneSurah.note = QStringLiteral("floor: a window with surah %1 alone (%2 verses)").arg(longest).arg(verses);
    Result laidOut(QStringLiteral("start, laid out"), statsOf(laid[0]), statsOf(laid[1]));
    laidOut.note = QStringLiteral("exec → whole text laid out to its end; floor: the bare QTextEdit's");
    Result memory(QStringLiteral("memory"), statsOf(mb[0]), statsOf(mb[1]), QStringLiteral("MB"));
    memory.judge(60, false).note = QStringLiteral("peak resident (VmHWM) a second after start; one-surah %1 MB")
                                       .arg(statsOf(mb[2]).median, 0, 'f', 1);
    return {start, oneSurah, laidOut, memory};
}

// The start with the Arabic shown above every verse (the store holding the Arabic text `arabic`, "Teksti arab" on),
// against a bare QTextEdit holding the same document: the whole text's characters with the Arabic lines in them, in
// the Arabic's face, size and direction. The choice is put back after the runs (nothing shown, as the other
// scenarios start).
QList<Result> startWithArabic(const QString& folder, int runs, qint64 arabic) {
    QFile rtf(folder + QStringLiteral("/LIB'REZI.rtf")), plain(folder + QStringLiteral("/plain-arabic.txt"));
    require(rtf.open(QIODevice::ReadOnly) && plain.open(QIODevice::WriteOnly), QStringLiteral("no whole text"));
    const platform::rtf::Document parsed = platform::rtf::parse(rtf.readAll());
    QTextDocument whole;
    platform::rtf::fill(&whole, parsed);
    text::Composed composed;
    composed.text = whole.toPlainText();
    composed.index = text::indexOf(parsed);
    const text::Composed withArabic = text::withBeside(
        composed,
        {text::ShownText{QString(), true, databuilder::parallelVerses(Module1::parallelTextsPath(), arabic)}});
    require(withArabic.beside.size() >= composed.index.size(),
            QStringLiteral("%1 Arabic lines for %2 verses").arg(withArabic.beside.size()).arg(composed.index.size()));
    plain.write(withArabic.text.toUtf8());
    plain.close();

    struct Shown {
        Shown() { require(besidetexts::save({true, {}, besidetexts::kArabicPoints}), QStringLiteral("no settings")); }
        ~Shown() { besidetexts::save({}); }
    } shown;
    const QString kinds[2] = {QStringLiteral("arabic"), QStringLiteral("floor-arabic")};
    QList<double> paint[2], laid[2], mb[2];
    int characters[2] = {0, 0};
    QStringList args{folder};
    for (int i = 0; i <= runs; ++i)
        for (int k = 0; k < 2; ++k) {
            const ChildFigures f = runChild(kinds[k], args);
            if (args.size() == 1) // the program's first start gives the sizes the floor takes
                args << QString::number(f.view.width()) << QString::number(f.view.height())
                     << QString::number(f.window.width()) << QString::number(f.window.height());
            characters[k] = f.characters;
            if (i == 0)
                continue;
            paint[k].append(f.paintMs);
            laid[k].append(f.laidMs);
            mb[k].append(f.mb);
        }
    // The same document on both sides: as many characters, the Arabic lines included.
    require(characters[0] == characters[1], QStringLiteral("the program's whole text has %1 characters, the floor's %2")
                                                .arg(characters[0])
                                                .arg(characters[1]));
    Result start(QStringLiteral("start-arabic"), statsOf(paint[0]), statsOf(paint[1]));
    start.judge(2, true).note =
        QStringLiteral("exec → window painted, the Arabic above %1 verses; floor: bare QTextEdit, same %2 characters "
                       "(Arabic lines in Amiri %3 pt, right to left)")
            .arg(withArabic.beside.size())
            .arg(characters[1] - 1)
            .arg(besidetexts::kArabicPoints);
    Result laidOut(QStringLiteral("start-arabic, laid out"), statsOf(laid[0]), statsOf(laid[1]));
    laidOut.note = QStringLiteral("exec → whole text with the Arabic laid out to its end; floor: the bare QTextEdit's");
    Result memory(QStringLiteral("memory-arabic"), statsOf(mb[0]), statsOf(mb[1]), QStringLiteral("MB"));
    memory.judge(90, false).note = QStringLiteral("peak resident (VmHWM) a second after start, the Arabic shown");
    return {start, laidOut, memory};
}

// The scenarios of the Arabic, reported skipped when no Arabic text was found.
Result arabicSkipped(const QString& name, const QString& target) {
    Result r(name);
    r.target = target;
    r.verdict = QStringLiteral("skipped");
    r.note = QStringLiteral("no Arabic text (--arabic FILE, or quran-simple-clean.txt in the shared test data)");
    return r;
}

// ---- the phrases searched -----------------------------------------------------------------------

// Words taken from the verses of the text in use, so that every search and find has something real to find.
struct Phrases {
    QString many, both, loose, find, back;
};

Phrases phrasesOf(platform::Connection& db) {
    struct Word {
        QString spelling;
        QList<int> verses; // in book order
    };
    QHash<QString, Word> words;
    static const QRegularExpression wordRe(QStringLiteral("\\p{L}+(?:-\\p{L}+)*"));
    int verse = 0;
    for (platform::Statement rs = db.query(QStringLiteral("SELECT Perkthimi FROM librezi ORDER BY NrSure, NrAjet"));
         rs.next(); ++verse)
        for (auto it = wordRe.globalMatch(rs.text(0)); it.hasNext();) {
            const QString w = it.next().captured();
            Word& x = words[w.toLower()];
            if (x.spelling.isEmpty())
                x.spelling = w;
            if (x.verses.isEmpty() || x.verses.last() != verse)
                x.verses.append(verse);
        }
    QList<const Word*> long5; // the words of five letters or more, the most widely held first
    for (const Word& w : words)
        if (w.spelling.size() >= 5)
            long5.append(&w);
    std::sort(long5.begin(), long5.end(), [](const Word* a, const Word* b) {
        return a->verses.size() != b->verses.size() ? a->verses.size() > b->verses.size() : a->spelling < b->spelling;
    });
    require(!long5.isEmpty(), QStringLiteral("the verses hold no word of five letters"));
    Phrases p;
    const Word* many = long5.first();
    p.many = many->spelling;
    // The word most often in the same verses as the first, for a search of both.
    qsizetype best = 0;
    for (const Word* w : long5.mid(1, 40)) {
        QList<int> common;
        std::set_intersection(many->verses.begin(), many->verses.end(), w->verses.begin(), w->verses.end(),
                              std::back_inserter(common));
        const bool apart = !w->spelling.contains(many->spelling, Qt::CaseInsensitive) &&
                           !many->spelling.contains(w->spelling, Qt::CaseInsensitive);
        if (apart && common.size() > best) {
            best = common.size();
            p.both = many->spelling + u'&' + w->spelling;
        }
    }
    if (p.both.isEmpty())
        p.both = many->spelling + u'&' + many->spelling;
    // A word with ë or ç, where taking them loosely matters.
    const auto loose = std::find_if(long5.begin(), long5.end(), [](const Word* w) {
        return w->spelling.contains(u'ë') || w->spelling.contains(u'ç');
    });
    p.loose = loose != long5.end() ? (*loose)->spelling : p.many;
    // Find next walks a word held by about one verse in thirty; find previous, from the end of the text, a
    // word last held as early in the book as any.
    const auto distance = [verse](const Word* w) { return std::abs(w->verses.size() - verse / 30); };
    p.find = (*std::min_element(long5.begin(), long5.end(), [&](const Word* a, const Word* b) {
                 return distance(a) < distance(b);
             }))->spelling;
    p.back = (*std::min_element(long5.begin(), long5.end(), [](const Word* a, const Word* b) {
                 return a->verses.last() < b->verses.last();
             }))->spelling;
    return p;
}

// ---- the recitation -----------------------------------------------------------------------------

// Listens while two players recite `files` files, one taking over from the other, and returns the silences
// between them: from where one file's sound ends to where the next one's begins. Both are read from the
// players' positions, so that a moment the event loop is busy is not taken for silence, nor hides one.
QList<double> listen(QMediaPlayer* a, QMediaPlayer* b, int files) {
    QMediaPlayer* players[2] = {a, b};
    qint64 pos[2] = {0, 0};
    double ends[2] = {0, 0}; // where each player's last file ends, as far as its position tells
    QList<double> gaps;
    int started = 0;
    QEventLoop loop;
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    const double deadline = double(monotonicNs()) / 1e6 + 15000.0 * files;
    double silentSince = 0; // both players stopped: the recitation is over
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const double now = double(monotonicNs()) / 1e6;
        for (int i = 0; i < 2; ++i) {
            const qint64 at = players[i]->position();
            if (at > pos[i]) {
                if (pos[i] == 0 && ++started > 1 && ends[1 - i] > 0) { // its sound began `at` ms ago
                    gaps.append(std::max(0.0, now - double(at) - ends[1 - i]));
                    ends[1 - i] = 0;
                }
                ends[i] = now + double(players[i]->duration() - at);
            }
            pos[i] = at < pos[i] ? 0 : at; // back to 0: the player holds its next file
        }
        const bool playing =
            a->playbackState() == QMediaPlayer::PlayingState || b->playbackState() == QMediaPlayer::PlayingState;
        silentSince = playing || !started ? 0 : silentSince > 0 ? silentSince : now;
        if (started >= files || now > deadline || (silentSince > 0 && now - silentSince > 500))
            loop.quit();
    });
    poll.start(1);
    loop.exec();
    return gaps;
}

// ---- fetching -----------------------------------------------------------------------------------

// The resident memory now, in KB.
long residentKb() {
    return statusKb("VmRSS:");
}

// A whole reciter's 6,236 recordings (small files: the cost is per file) fetched from a local server into a fresh
// folder, against the floor of the same requests made four at a time by a bare QNetworkAccessManager that keeps
// nothing; and the memory while it runs.
QList<Result> fetchWholeReciter(int runs) {
    QStringList paths;
    for (const databuilder::Surah& s : databuilder::readSurahs(QStringLiteral(LIBREZI_BENCH_FACTS)))
        for (int v = 1; v <= s.verses; ++v)
            paths
                << QStringLiteral("r/%1%2.mp3").arg(s.number, 3, 10, QLatin1Char('0')).arg(v, 3, 10, QLatin1Char('0'));
    // A server for each run of the fetcher (its connections counted alone), one for the floor.
    const auto serving = [&paths](testing::HttpServer& server) {
        require(server.listen(), QStringLiteral("the local server did not start"));
        for (const QString& path : paths)
            server.put(path, QByteArray("\xff\xfb\x90\x64", 4) + QByteArray(2000, 'a'), "audio/mpeg");
    };
    testing::HttpServer floorServer;
    serving(floorServer);
    QList<double> times, floors;
    long growth = 0, start = 0, most = 0;
    int connections = 0, atOnce = 0;
    for (int run = 0; run <= std::min(runs, 5); ++run) {
        testing::HttpServer server;
        serving(server);
        QTemporaryDir out;
        downloads::Fetcher fetcher;
        QList<long> memory;
        QTimer sample;
        QObject::connect(&sample, &QTimer::timeout, [&memory] { memory << residentKb(); });
        QEventLoop loop;
        QObject::connect(&fetcher, &downloads::Fetcher::idle, &loop, &QEventLoop::quit);
        const qint64 t0 = monotonicNs();
        sample.start(50);
        for (const QString& path : paths)
            fetcher.add(server.url(path), out.filePath(path), downloads::recordingCheck);
        loop.exec();
        sample.stop();
        const double ms = double(monotonicNs() - t0) / 1e6;
        require(fetcher.progress().done == int(paths.size()),
                QStringLiteral("%1 of %2 files fetched").arg(fetcher.progress().done).arg(paths.size()));
        connections = std::max(connections, server.connectionsOpened());
        atOnce = std::max(atOnce, server.mostConnectionsAtOnce());

        // The floor: the same requests, four at a time, the answers read and dropped.
        QNetworkAccessManager bare;
        int nextPath = 0, finished = 0;
        const qint64 f0 = monotonicNs();
        std::function<void()> ask = [&] {
            if (nextPath >= paths.size())
                return;
            QNetworkReply* reply = bare.get(QNetworkRequest(floorServer.url(paths[nextPath++])));
            QObject::connect(reply, &QNetworkReply::finished, [&, reply] {
                reply->readAll();
                reply->deleteLater();
                if (++finished == paths.size())
                    loop.quit();
                ask();
            });
        };
        for (int i = 0; i < 4; ++i)
            ask();
        loop.exec();
        const double floorMs = double(monotonicNs() - f0) / 1e6;
        if (run == 0)
            continue; // the warm-up
        times << ms;
        floors << floorMs;
        if (memory.size() >= 4) { // from the first tenth of the run to its end
            const long early = memory[memory.size() / 10];
            start = early;
            most = std::max(most, *std::max_element(memory.begin(), memory.end()));
            growth = std::max(growth, memory.last() - early);
        }
    }
    Result whole(QStringLiteral("fetch a whole reciter (6236 files)"), statsOf(times), statsOf(floors));
    whole.judge(2.5, true).note =
        QStringLiteral("%1 files/s; %2 connections opened; most at once %3; the floor writes nothing")
            .arg(int(6236.0 / (statsOf(times).median / 1000)))
            .arg(connections)
            .arg(atOnce);
    Result memory(QStringLiteral("memory growth while fetching"), statsOf({double(growth) / 1024.0}), {},
                  QStringLiteral("MB"));
    memory.hasFloor = false;
    memory.judge(10, false).note =
        QStringLiteral("resident %1 MB at a tenth of the run, at most %2 MB").arg(start / 1024).arg(most / 1024);
    return {whole, memory};
}

// ---- the scenarios on the program's window ------------------------------------------------------

// A bare QTextEdit beside the window, the size of its text view. The documents it shows are kept apart from
// it: a QTextEdit deletes a document of its own when it is given another.
struct BareView {
    QObject docs;
    QTextEdit view;
    void show(QTextDocument* doc) {
        doc->setParent(&docs);
        view.setDocument(doc);
    }
    void top() {
        view.setTextCursor(QTextCursor(view.document()));
        view.verticalScrollBar()->setValue(0);
        settle();
    }
    void paint() { view.viewport()->repaint(); }
};

class Bench {
public:
    Bench(QString folder, int runs, Phrases given) : m_folder(std::move(folder)), m_runs(runs), m_given(given) {}

    void startProgram() {
        Module1::setProgramFolder(m_folder);
        require(Module1::Main() == 0 && Module1::mainWindow(), QStringLiteral("the program did not start"));
        w = Module1::mainWindow();
        findControls();
        idle(1000);
        p = phrasesOf(Module1::cnLidhja);
        for (auto [given, own] :
             {std::pair{&m_given.many, &p.many}, std::pair{&m_given.both, &p.both}, std::pair{&m_given.loose, &p.loose},
              std::pair{&m_given.find, &p.find}, std::pair{&m_given.back, &p.back}})
            if (!given->isEmpty())
                *own = *given;
        m_db = std::make_unique<RawDb>(m_folder + QStringLiteral("/librezi.db"));
        // Navigation goes to the last verse of the surah halfway through the book.
        m_target.surah = Module1::cnLidhja.value(QStringLiteral("SELECT max(IDSureja) / 2 FROM Suret")).toInt();
        m_target.verse =
            Module1::cnLidhja.value(QStringLiteral("SELECT NrAjete FROM Suret WHERE IDSureja = ?"), {m_target.surah})
                .toInt();
        require(m_target.verse > 1, QStringLiteral("surah %1 has one verse").arg(m_target.surah));
        m_key = m_target.text() + QStringLiteral(".\t");
        m_surahName =
            Module1::cnLidhja.value(QStringLiteral("SELECT Emri FROM Suret WHERE IDSureja = ?"), {m_target.surah})
                .toString();
    }
    const Phrases& phrases() const { return p; }

    Result navigate() {
        auto bare = bareView(wholeClone());
        const QRegularExpression key(QStringLiteral("^") + QRegularExpression::escape(m_key));
        QTextCursor found;
        auto [value, floor] = interleaved(
            m_runs,
            {[this] {
                 wholeText();
                 choose(c.CmbNrSure, QStringLiteral("1"));
             },
             [this] {
                 choose(c.CmbEmrSure, m_surahName);
                 QLineEdit* edit = c.CmbNrAjeti->lineEdit();
                 edit->selectAll();
                 QTest::keyClicks(edit, QString::number(m_target.verse));
                 QTest::keyClick(edit, Qt::Key_Return);
                 paint();
             },
             [this] {
                 require(c.Rtf1->SelText().startsWith(m_key) && atTop(),
                         m_target.text() + QStringLiteral(" not on top"));
             }},
            {[&] { bare->top(); },
             [&] {
                 found = bare->view.document()->find(key);
                 found.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
                 bare->view.setTextCursor(found);
                 bare->view.verticalScrollBar()->setValue(int(layoutOf(bare)->blockBoundingRect(found.block()).top()));
                 bare->paint();
             },
             [&] { require(found.hasSelection(), QStringLiteral("the bare view found no ") + m_target.text()); }});
        Result r(QStringLiteral("navigate"), value, floor);
        r.judge(20, false).note =
            QStringLiteral("%1 (%2), verse %3 put on top; floor: find, select, scroll a bare view")
                .arg(m_surahName)
                .arg(m_target.surah)
                .arg(m_target.verse);
        return r;
    }

    // A search of every verse, against SQLite's own LIKE over the same rows and their lines put in a bare view.
    Result search(const QString& name, const QString& phrase) {
        const SearchQuery q = search::statementFor(phrase);
        int expected = 0;
        for (platform::Statement rs = Module1::cnLidhja.query(q.sql, q.values); rs.next();)
            ++expected;
        require(expected > 0, QStringLiteral("no verse holds \"%1\"").arg(phrase));
        auto bare = bareView();
        platform::MsgBoxScript script;
        int rows = 0;
        auto [value, floor] =
            interleaved(m_runs,
                        {[&] {
                             wholeText();
                             c.CmbKerkoKrejt->setText(phrase);
                             script.clear();
                         },
                         [this] {
                             searchAndWait();
                             paint();
                         },
                         [&] { checkSearch(script, phrase, expected); }},
                        {{},
                         [&] {
                             QString lines;
                             rows = m_db->each(q.sql, q.values, [&](sqlite3_stmt* s) {
                                 lines += verseLine(RawDb::text(s, 0), RawDb::text(s, 1), RawDb::text(s, 2));
                             });
                             bare->view.setPlainText(lines);
                             bare->paint();
                         },
                         [&] { require(rows > 0, QStringLiteral("SQLite found no verse with \"%1\"").arg(phrase)); }});
        Result r(name, value, floor);
        r.judge(1.5, true).note = QStringLiteral("\"%1\": %2 verses; floor: SQLite's own LIKE, %3 rows, in a bare view")
                                      .arg(phrase)
                                      .arg(expected)
                                      .arg(rows);
        return r;
    }

    // The same search with the loose letters (ë as e, ç as c) and without.
    Result searchLoose() {
        platform::MsgBoxScript script;
        int verses[2] = {0, 0};
        auto side = [&](bool loose) {
            return Side{[&, loose] {
                            wholeText();
                            c.ChkPaDallim->setChecked(loose);
                            c.CmbKerkoKrejt->setText(p.loose);
                            script.clear();
                        },
                        [this] {
                            searchAndWait();
                            paint();
                        },
                        [&, loose] { verses[loose] = checkSearch(script, p.loose, -1); }};
        };
        auto [on, off] = interleaved(m_runs, side(true), side(false));
        c.ChkPaDallim->setChecked(false);
        Result r(QStringLiteral("search-loose"), on, off);
        r.judge(1.2, true).note = QStringLiteral("\"%1\": %2 verses with ë as e, %3 without; floor: without")
                                      .arg(p.loose)
                                      .arg(verses[1])
                                      .arg(verses[0]);
        return r;
    }

    // A phrase typed in Arabic searched over every verse (the store's Arabic text), against the window's own search of
    // search-many's phrase in the translation.
    Result searchArabic(const QString& phrase) {
        const QString store = Module1::parallelTextsPath();
        const qint64 arabic = besidetexts::arabicText(store);
        require(arabic > 0, QStringLiteral("the store of texts holds no Arabic text"));
        const QList<databuilder::ArabicHit> hits = databuilder::searchArabic(store, arabic, phrase);
        require(!hits.isEmpty(), QStringLiteral("no verse of the Arabic text holds \"%1\"").arg(phrase));
        const SearchQuery q = search::statementFor(p.many);
        int many = 0;
        for (platform::Statement rs = Module1::cnLidhja.query(q.sql, q.values); rs.next();)
            ++many;
        platform::MsgBoxScript script;
        const auto side = [&](const QString& searched, int expected, const QString& arabicLine) {
            return Side{[&, searched] {
                            wholeText();
                            c.CmbKerkoKrejt->setText(searched);
                            script.clear();
                        },
                        [this] {
                            searchAndWait();
                            paint();
                        },
                        [&, searched, expected, arabicLine] {
                            checkSearch(script, searched, expected);
                            require(arabicLine.isEmpty() || c.Rtf1->Text().contains(arabicLine),
                                    QStringLiteral("searching \"%1\" showed no Arabic line").arg(searched));
                        }};
        };
        auto [value, floor] =
            interleaved(m_runs, side(phrase, int(hits.size()), hits.first().text), side(p.many, many, QString()));
        Result r(QStringLiteral("search-arabic"), value, floor);
        r.judge(1.5, true).note =
            QStringLiteral("\"%1\": %2 verses, each with its Arabic; floor: the window's search of \"%3\", %4 verses")
                .arg(phrase)
                .arg(hits.size())
                .arg(p.many)
                .arg(many);
        return r;
    }

    // Back to the whole text after a search, where the reader left it.
    Result wayBack() {
        auto bare = bareView(wholeClone());
        QTextDocument* whole = bare->view.document();
        auto* found = new QTextDocument(&bare->docs);
        const QTextBlock block =
            whole->find(QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(m_key))).block();
        platform::MsgBoxScript script;
        auto [value, floor] = interleaved(
            m_runs,
            {[&] {
                 wholeText();
                 c.Rtf1->showAtTop(int(c.Rtf1->Text().indexOf(u'\n' + m_key)) + 1);
                 c.CmbKerkoKrejt->setText(p.many);
                 searchAndWait();
                 settle();
                 require(w->inPassageMode() && script.asked().isEmpty(), QStringLiteral("the search showed nothing"));
                 if (found->isEmpty())
                     found->setPlainText(c.Rtf1->document()->toPlainText());
             },
             [this] {
                 c.cmdKtheLibrezin->click();
                 paint();
             },
             [this] {
                 require(c.Rtf1->showsWholeText() && !w->inPassageMode() && atTop(),
                         QStringLiteral("the way back did not lead to ") + m_target.text());
             }},
            {[&] {
                 bare->view.setDocument(found);
                 bare->paint();
             },
             [&] {
                 // Given a document, a QTextEdit lays it out again from its start: the verse's place is asked
                 // for, as the window must, before the view is scrolled to it.
                 bare->view.setDocument(whole);
                 const int y = int(layoutOf(bare)->blockBoundingRect(block).top());
                 QScrollBar* bar = bare->view.verticalScrollBar();
                 bar->setMaximum(std::max(bar->maximum(), y));
                 bar->setValue(y);
                 bare->paint();
             },
             [&] {
                 require(bare->view.cursorForPosition(QPoint(0, 2)).block() == block,
                         QStringLiteral("the bare view did not come back to ") + m_key);
             }});
        Result r(QStringLiteral("return"), value, floor);
        r.judge(10, false).note =
            QStringLiteral("after a search, back at %1; floor: a bare view given its document back, at the same verse")
                .arg(m_target.text());
        return r;
    }

    // Find next from the top to the last occurrence, each brought into view.
    Result findNext() {
        auto bare = bareView(wholeClone());
        platform::MsgBoxScript script;
        int steps = 0, found = 0;
        auto [value, floor] =
            interleaved(m_runs,
                        {[&] {
                             wholeText();
                             c.txtKerkim->setText(p.find);
                             script.clear();
                             script.answer(platform::Answer::Cancel); // "start again from the top?" no
                         },
                         [&] {
                             for (steps = 0; script.asked().isEmpty() && steps < 1000000; ++steps)
                                 c.cmdKerkim->click();
                             paint();
                         },
                         [&] { require(--steps > 0, QStringLiteral("find next found no \"%1\"").arg(p.find)); }},
                        {[&] { bare->top(); },
                         [&] {
                             QTextDocument* doc = bare->view.document();
                             found = 0;
                             for (QTextCursor at = doc->find(p.find); !at.isNull(); at = doc->find(p.find, at), ++found)
                                 bare->view.setTextCursor(at);
                             bare->paint();
                         },
                         [&] {
                             require(found == steps, QStringLiteral("\"%1\": %2 steps in the window, %3 in a bare view")
                                                         .arg(p.find)
                                                         .arg(steps)
                                                         .arg(found));
                         }});
        Result r(QStringLiteral("find-next"), value, floor);
        r.judge(2, true).note =
            QStringLiteral("%1 × \"%2\"; floor: QTextDocument::find in a bare view").arg(steps).arg(p.find);
        return r;
    }

    // The first find after the whole text was read anew (its caches empty).
    Result findFirst() {
        const QString file = Module1::wholeTextFile();
        const QDateTime stamp = QFileInfo(file).lastModified();
        auto touch = [&](int seconds) {
            QFile f(file);
            require(f.open(QIODevice::ReadWrite) &&
                        f.setFileTime(stamp.addSecs(seconds), QFileDevice::FileModificationTime),
                    QStringLiteral("cannot touch ") + file);
        };
        platform::MsgBoxScript script;
        std::unique_ptr<BareView> bare;
        QTextCursor found;
        int run = 0;
        auto [value, floor] = interleaved(
            m_runs,
            {[&] {
                 // A search shown and the file changed on disk: the way back reads the whole text again.
                 wholeText();
                 c.CmbKerkoKrejt->setText(p.many);
                 searchAndWait();
                 touch(++run);
                 c.cmdKtheLibrezin->click();
                 c.Rtf1->setSelStart(0);
                 c.txtKerkim->setText(p.find);
                 script.clear();
                 settle();
             },
             [this] {
                 c.cmdKerkim->click();
                 paint();
             },
             [&] {
                 require(script.asked().isEmpty() && !c.Rtf1->SelText().compare(p.find, Qt::CaseInsensitive),
                         QStringLiteral("the first find of \"%1\" found nothing").arg(p.find));
             }},
            {[&] { bare = bareView(wholeClone()); },
             [&] {
                 found = bare->view.document()->find(p.find);
                 bare->view.setTextCursor(found);
                 bare->paint();
             },
             [&] { require(!found.isNull(), QStringLiteral("the bare view found no \"%1\"").arg(p.find)); }});
        touch(0); // the file as it was: the way back is a swap again
        Result r(QStringLiteral("find-first"), value, floor);
        r.note =
            QStringLiteral("\"%1\" just after the whole text was read; floor: a bare view just given it").arg(p.find);
        return r;
    }

    // Find previous from the end of the text to the last occurrence, early in the book.
    Result findBack() {
        auto bare = bareView(wholeClone());
        platform::MsgBoxScript script;
        QTextCursor found;
        int at = -1;
        auto [value, floor] = interleaved(
            m_runs,
            {[&] {
                 wholeText();
                 c.txtKerkim->setText(p.back);
                 c.Rtf1->setSelStart(c.Rtf1->TextLength());
                 script.clear();
             },
             [this] {
                 c.cmdKerkimPrapa->click();
                 paint();
             },
             [&] {
                 at = c.Rtf1->SelStart();
                 require(script.asked().isEmpty() && !c.Rtf1->SelText().compare(p.back, Qt::CaseInsensitive),
                         QStringLiteral("find previous found no \"%1\"").arg(p.back));
             }},
            {[&] {
                 QTextCursor end(bare->view.document());
                 end.movePosition(QTextCursor::End);
                 bare->view.setTextCursor(end);
             },
             [&] {
                 found = bare->view.document()->find(p.back, bare->view.textCursor(), QTextDocument::FindBackward);
                 bare->view.setTextCursor(found);
                 bare->paint();
             },
             [&] {
                 require(
                     !found.isNull() && c.Rtf1->fromDocumentPosition(found.selectionStart()) == at,
                     QStringLiteral("\"%1\" found at %2 in the window, elsewhere in a bare view").arg(p.back).arg(at));
             }});
        Result r(QStringLiteral("find-previous"), value, floor);
        r.judge(50, false).note =
            QStringLiteral("\"%1\" from the end, found at %2 of %3; floor: QTextDocument::find backward")
                .arg(p.back)
                .arg(at)
                .arg(c.Rtf1->TextLength());
        return r;
    }

    // A theme's passage: the longest run of verses the classification groups, against the same verses read by
    // SQLite and put in a bare view.
    Result passage() {
        struct Group {
            QString theme, item;
            int surah = 0, from = 0, to = -1;
        } g;
        static const QRegularExpression range(QStringLiteral("^\\s*(\\d+)\\s*-\\s*(\\d+)\\s*$"));
        for (platform::Statement rs =
                 Module1::cnLidhja.query(QStringLiteral("SELECT tema, nrsure, emrsure, ajetet FROM klasifikim"));
             rs.next();) {
            const QRegularExpressionMatch m = range.match(rs.text(3));
            if (m.hasMatch() && m.captured(2).toInt() - m.captured(1).toInt() > g.to - g.from)
                g = {rs.text(0), rs.text(1) + QStringLiteral(" (") + rs.text(2) + QStringLiteral("): ") + rs.text(3),
                     rs.text(1).toInt(), m.captured(1).toInt(), m.captured(2).toInt()};
        }
        require(g.surah > 0, QStringLiteral("the classification groups no run of verses"));
        const int themeItem = c.cmbKlasifikimTematik->findText(g.theme, Qt::MatchFixedString);
        require(themeItem >= 0, QStringLiteral("the theme list has no ") + g.theme);
        auto bare = bareView();
        int groupItem = -1, shown = 0, rows = 0;
        auto [value, floor] = interleaved(
            m_runs,
            {[&] {
                 wholeText();
                 c.cmbKlasifikimTematik->setListIndex(themeItem); // lists the theme's groups
                 for (groupItem = c.LstAjetetPrejCmbTema->ListCount() - 1; groupItem >= 0; --groupItem)
                     if (c.LstAjetetPrejCmbTema->List(groupItem) == g.item)
                         break;
                 require(groupItem >= 0, QStringLiteral("the group %1 is not listed").arg(g.item));
             },
             [&] {
                 c.LstAjetetPrejCmbTema->setListIndex(groupItem);
                 paint();
             },
             [&] {
                 require((shown = versesShown()) > 0, QStringLiteral("the passage %1 shows no verse").arg(g.item));
             }},
            {{},
             [&] {
                 QString lines;
                 rows = m_db->each(
                     QStringLiteral("SELECT NrSure, NrAjet, Perkthimi FROM librezi WHERE NrSure = ? AND NrAjet "
                                    "BETWEEN ? AND ? ORDER BY NrAjet"),
                     {g.surah, g.from, g.to}, [&](sqlite3_stmt* s) {
                         lines += verseLine(RawDb::text(s, 0), RawDb::text(s, 1), RawDb::text(s, 2));
                     });
                 bare->view.setPlainText(lines);
                 bare->paint();
             },
             [&] { require(rows == shown, QStringLiteral("%1 verses shown of %2 rows").arg(shown).arg(rows)); }});
        Result r(QStringLiteral("passage"), value, floor);
        r.judge(30, false).note = QStringLiteral("%1:%2-%3, %4 verses; floor: SQLite's rows in a bare view")
                                      .arg(g.surah)
                                      .arg(g.from)
                                      .arg(g.to)
                                      .arg(shown);
        return r;
    }

    // A search's results written to an A4 PDF as "Eksporto..." writes them (title, keys, red marks, page feet); the
    // floor: Qt printing the same text as a plain document to a PDF of the same paper.
    Result pdf(const QString& phrase) {
        const text::Composed results = search::compose(search::run(Module1::cnLidhja, {phrase, 0, QString(), false}));
        require(!results.index.isEmpty(), QStringLiteral("no verse holds \"%1\"").arg(phrase));
        const printing::Printout out = printing::composed(Module1::library, results, {});
        const printing::Look look{QFont(QStringLiteral("DejaVu Sans"), 11), besidetexts::arabicFont(16)};
        const QString file = QDir::temp().filePath(QStringLiteral("librezi-bench.pdf"));
        int pages = 0;
        auto [value, floor] = interleaved(
            m_runs,
            {{},
             [&] { pages = printing::writePdf(out, look, file); },
             [&] { require(pages > 0 && QFileInfo(file).size() > 0, QStringLiteral("no PDF was written")); }},
            {{},
             [&] {
                 QTextDocument plain(results.text);
                 plain.setDefaultFont(look.text);
                 QPdfWriter writer(file);
                 writer.setPageSize(QPageSize(QPageSize::A4));
                 plain.print(&writer);
             },
             {}});
        QFile::remove(file);
        Result r(QStringLiteral("pdf"), value, floor);
        r.judge(2, true).note = QStringLiteral("\"%1\": %2 verses, %3 A4 pages; floor: QTextDocument::print of the "
                                               "plain text to a QPdfWriter")
                                    .arg(phrase)
                                    .arg(results.index.size())
                                    .arg(pages);
        return r;
    }

    // A new size for the whole text, 14 and 12 points in turn, from its top.
    Result font() {
        // The floor shows the same document, formats and default font included.
        auto bare = bareView(wholeClone());
        int runs[2] = {0, 0};
        const auto size = [&runs](int side) { return runs[side] % 2 ? 12 : 14; };
        auto [value, floor] = interleaved(m_runs,
                                          {[&] {
                                               wholeText();
                                               c.CmbNrFonti->setText(QString::number(size(0)));
                                           },
                                           [this] {
                                               Q_EMIT c.CmbNrFonti->Click();
                                               paint();
                                           },
                                           [&] {
                                               require(c.Rtf1->fontAt(c.Rtf1->TextLength() / 2).pointSize() == size(0),
                                                       QStringLiteral("the size was not applied"));
                                               ++runs[0];
                                           }},
                                          {[&] { bare->top(); },
                                           [&] {
                                               QFont f = bare->view.document()->defaultFont();
                                               f.setPointSize(size(1));
                                               bare->view.document()->setDefaultFont(f);
                                               bare->view.verticalScrollBar()->setValue(0);
                                               bare->paint();
                                               ++runs[1];
                                           },
                                           {}});
        Result r(QStringLiteral("font"), value, floor);
        r.judge(1.5, true).note =
            QStringLiteral("%1 characters; floor: setDefaultFont on a bare view of the same document")
                .arg(c.Rtf1->TextLength());
        return r;
    }

    // The silence between two verses of a continuous recitation, against two bare players doing the same.
    Result recitationGap() {
        Result r(QStringLiteral("recitation gap"));
        r.target = QStringLiteral("< 100 ms");
        QStringList files;
        for (int verse = 1; QFileInfo::exists(recording(1, verse)); ++verse)
            files.append(recording(1, verse));
        r.verdict = QStringLiteral("skipped");
        if (files.size() < 2) {
            r.note = QStringLiteral("no sample recordings of surah 1 (the build target librezi_recordings)");
            return r;
        }
        if (!platform::MediaPlayer::playbackAvailable()) {
            r.note = QStringLiteral("no multimedia backend");
            return r;
        }
        QMediaPlayer bare[2];
        QAudioOutput outputs[2];
        int next = 0;
        for (int i = 0; i < 2; ++i) {
            bare[i].setAudioOutput(&outputs[i]);
            QObject::connect(&bare[i], &QMediaPlayer::mediaStatusChanged, [&, i](QMediaPlayer::MediaStatus s) {
                if (s != QMediaPlayer::EndOfMedia || next >= files.size())
                    return;
                for (const qint64 until = monotonicNs() + 50000000; monotonicNs() < until;) {
                }
                bare[1 - i].play(); // the next file, opened while this one played
                if (++next < files.size())
                    bare[i].setSource(QUrl::fromLocalFile(files[next]));
            });
        }
        QList<double> gaps[2];
        const int n = int(files.size());
        for (int round = 0; round < 5 && (gaps[0].size() < m_runs || gaps[1].size() < m_runs); ++round) {
            const QList<double> program = reciteSurah1(n, r.note);
            if (program.isEmpty() && !r.note.isEmpty())
                return r;
            next = 1;
            bare[0].setSource(QUrl::fromLocalFile(files[0]));
            bare[1].setSource(QUrl::fromLocalFile(files[1]));
            bare[0].play();
            const QList<double> floor = listen(&bare[0], &bare[1], n);
            bare[0].stop();
            bare[1].stop();
            if (program.isEmpty() && floor.isEmpty()) {
                r.note = QStringLiteral("no sound came out (no audio output?)");
                return r;
            }
            if (round == 0)
                continue; // the first round sets the backend up
            require(!program.isEmpty(), QStringLiteral("no gap between two verses was seen"));
            gaps[0] += program;
            gaps[1] += floor;
        }
        r.verdict.clear();
        r.value = statsOf(gaps[0]);
        r.floor = statsOf(gaps[1]);
        r.judge(100, false).note =
            QStringLiteral("%1 gaps between the sample verses of surah 1; floor: two bare players").arg(gaps[0].size());
        return r;
    }

    // The gap between two verses of a series from a reciter being fetched (its folder empty at the start, the server
    // answering each request after 200 ms), against the same series from a local folder, round after round.
    Result fetchedGap() {
        Result r(QStringLiteral("fetched recitation gap"));
        r.target = QStringLiteral("< 100 ms");
        r.verdict = QStringLiteral("skipped");
        QStringList files;
        for (int verse = 1; QFileInfo::exists(recording(1, verse)); ++verse)
            files.append(recording(1, verse));
        if (files.size() < 2 || !platform::MediaPlayer::playbackAvailable()) {
            r.note = QStringLiteral("no sample recordings of surah 1, or no multimedia backend");
            return r;
        }
        testing::HttpServer server;
        require(server.listen(), QStringLiteral("the local server did not start"));
        for (int verse = 1; verse <= files.size(); ++verse) {
            QFile f(files[verse - 1]);
            require(f.open(QIODevice::ReadOnly), files[verse - 1]);
            server.put(QStringLiteral("data/aziz_alili_128kbps/001%1.mp3").arg(verse, 3, 10, QLatin1Char('0')),
                       f.readAll(), "audio/mpeg");
        }
        server.setDelay(200);
        downloads::setAddressTemplate(downloads::kRecordingAddress,
                                      server.url(QString()).toString() + QStringLiteral("data/%1/%2"));
        auto* reciters = w->findChild<platform::ComboBox*>(QStringLiteral("CmbLexuesAjete"));
        reciters->setListIndex(0); // the bundled reciter: the floor
        const QString local = reciters->Text();
        w->findChild<QToolButton*>(QStringLiteral("cmdShkarkimet"))->click();
        auto* window = w->findChild<downloads::frmShkarkimet*>();
        require(window, QStringLiteral("no downloads window"));
        window->hide();
        const QString folder = downloads::reciterFolder(QStringLiteral("aziz_alili_128kbps"));
        QList<double> gaps[2];
        const int n = int(files.size());
        for (int round = 0; round < 6 && (gaps[0].size() < m_runs || gaps[1].size() < m_runs); ++round) {
            QDir(folder).removeRecursively();
            window->useReciter(QStringLiteral("aziz_alili_128kbps"));
            const QList<double> fetched = reciteSurah1(n, r.note);
            reciters->setListIndex(reciters->findText(local));
            const QList<double> fromFolder = reciteSurah1(n, r.note);
            if (!r.note.isEmpty())
                return r;
            if (round == 0)
                continue;
            gaps[0] += fetched;
            gaps[1] += fromFolder;
        }
        require(!gaps[0].isEmpty() && !gaps[1].isEmpty(), QStringLiteral("no gap between two verses was seen"));
        r.verdict.clear();
        r.value = statsOf(gaps[0]);
        r.floor = statsOf(gaps[1]);
        r.judge(100, false).note =
            QStringLiteral("%1 gaps, surah 1 fetched anew each round from a local server answering after 200 ms; "
                           "floor: the same from the bundled folder")
                .arg(gaps[0].size());
        return r;
    }

private:
    // Recites surah 1 in the window from its first verse with the verse reciter chosen now, and returns the gaps heard
    // between its `n` verses; empty, with `note` said, when the player did not start.
    QList<double> reciteSurah1(int n, QString& note) {
        wholeText();
        choose(c.CmbNrSure, QStringLiteral("1")); // the caret on 1:1, where the recitation starts
        int heard = 0;                            // the verses the recitation announced: it went on through all of them
        const QMetaObject::Connection counting =
            QObject::connect(w->findChild<audio::Playback*>(), &audio::Playback::reciting, [&heard] { ++heard; });
        c.CmdPlayVazhdim->click();
        // A fetched reciter's first verse comes after the server's answer: the players start then.
        for (const qint64 until = monotonicNs() + 5'000'000'000; heard == 0 && monotonicNs() < until;)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        const QList<QMediaPlayer*> players = c.WindowsMediaPlayer1->findChildren<QMediaPlayer*>();
        if (players.size() != 2) {
            note = QStringLiteral("the player did not start: ") + c.WindowsMediaPlayer1->statusText();
            QObject::disconnect(counting);
            return {};
        }
        const QList<double> gaps = listen(players[0], players[1], n);
        QObject::disconnect(counting);
        c.WindowsMediaPlayer1->controls_stop();
        require(heard == n, QStringLiteral("the recitation went on %1 times of %2").arg(heard - 1).arg(n - 1));
        return gaps;
    }
    QString recording(int surah, int verse) const {
        return QStringLiteral("%1/zeri/ajete/%2%3.mp3")
            .arg(m_folder)
            .arg(surah, 3, 10, QLatin1Char('0'))
            .arg(verse, 3, 10, QLatin1Char('0'));
    }
    void paint() { c.Rtf1->viewport()->repaint(); }
    // A click on the search button, and the wait until its results are shown (the search runs on a thread).
    void searchAndWait() {
        QSignalSpy done(w, &frmKryesore::searchDone);
        c.cmdKerkoAll->click();
        if (done.isEmpty() && w->searching())
            require(done.wait(120000), QStringLiteral("the search did not end"));
    }
    bool atTop() const { return c.Rtf1->lineAt(c.Rtf1->topPosition()).startsWith(m_key); }
    static QAbstractTextDocumentLayout* layoutOf(const std::unique_ptr<BareView>& b) {
        return b->view.document()->documentLayout();
    }

    // Back to the whole text, caret and view at its top.
    void wholeText() {
        if (w->inPassageMode())
            c.cmdKtheLibrezin->click();
        require(c.Rtf1->showsWholeText(), QStringLiteral("the way back did not bring the whole text"));
        c.Rtf1->setSelStart(0);
        c.Rtf1->verticalScrollBar()->setValue(0);
        settle();
    }
    QTextDocument* wholeClone() {
        wholeText();
        return c.Rtf1->document()->clone();
    }
    std::unique_ptr<BareView> bareView(QTextDocument* doc = nullptr) {
        auto b = std::make_unique<BareView>();
        b->view.setReadOnly(true);
        b->view.resize(c.Rtf1->size());
        if (doc)
            b->show(doc);
        b->view.show();
        idle(300); // laid out, as the window's text is
        return b;
    }
    void choose(platform::ComboBox* list, const QString& text) {
        const int i = list->findText(text, Qt::MatchFixedString);
        require(i >= 0, QStringLiteral("no item ") + text);
        list->setCurrentIndex(i);
        Q_EMIT list->activated(i);
        settle();
    }
    int versesShown() const {
        static const QRegularExpression verse(QStringLiteral("(?:^|\\n)\\d+:\\d+\\.\\t"));
        int n = 0;
        for (auto it = verse.globalMatch(c.Rtf1->Text()); it.hasNext(); it.next())
            ++n;
        return n;
    }
    // What a search showed: no question asked, and verses (as many as the program's own statement finds).
    int checkSearch(const platform::MsgBoxScript& script, const QString& phrase, int expected) {
        require(script.asked().isEmpty(),
                QStringLiteral("searching \"%1\" asked \"%2\"").arg(phrase, script.asked().value(0).text));
        const int shown = versesShown();
        require(shown > 0 && (expected < 0 || shown == expected),
                QStringLiteral("searching \"%1\" showed %2 verses, not %3").arg(phrase).arg(shown).arg(expected));
        return shown;
    }

    // The window's controls the scenarios drive, found by name as a reader's tools would.
    struct Controls {
        platform::RichTextView* Rtf1 = nullptr;
        platform::ComboBox *CmbNrSure = nullptr, *CmbEmrSure = nullptr, *CmbNrAjeti = nullptr, *CmbKerkoKrejt = nullptr,
                           *cmbKlasifikimTematik = nullptr, *CmbNrFonti = nullptr;
        platform::ListBox* LstAjetetPrejCmbTema = nullptr;
        QLineEdit* txtKerkim = nullptr;
        QCheckBox* ChkPaDallim = nullptr;
        QToolButton *cmdKtheLibrezin = nullptr, *cmdKerkoAll = nullptr, *cmdKerkim = nullptr, *cmdKerkimPrapa = nullptr,
                    *CmdPlayVazhdim = nullptr;
        platform::MediaPlayer* WindowsMediaPlayer1 = nullptr;
    };
    template <typename T> void find(T*& control, const char* name) {
        control = w->findChild<T*>(QLatin1String(name));
        require(control, QStringLiteral("the main window has no ") + QLatin1String(name));
    }
    void findControls() {
        find(c.Rtf1, "Rtf1");
        find(c.CmbNrSure, "CmbNrSure");
        find(c.CmbEmrSure, "CmbEmrSure");
        find(c.CmbNrAjeti, "CmbNrAjeti");
        find(c.CmbKerkoKrejt, "CmbKerkoKrejt");
        find(c.cmbKlasifikimTematik, "cmbKlasifikimTematik");
        find(c.CmbNrFonti, "CmbNrFonti");
        find(c.LstAjetetPrejCmbTema, "LstAjetetPrejCmbTema");
        find(c.txtKerkim, "txtKerkim");
        find(c.ChkPaDallim, "ChkPaDallim");
        find(c.cmdKtheLibrezin, "cmdKtheLibrezin");
        find(c.cmdKerkoAll, "cmdKerkoAll");
        find(c.cmdKerkim, "cmdKerkim");
        find(c.cmdKerkimPrapa, "cmdKerkimPrapa");
        find(c.CmdPlayVazhdim, "CmdPlayVazhdim");
        find(c.WindowsMediaPlayer1, "WindowsMediaPlayer1");
    }

    QString m_folder;
    int m_runs;
    Phrases m_given, p;
    std::unique_ptr<RawDb> m_db;
    platform::MsgBoxScript m_quiet; // no message box ever waits for a reader
    frmKryesore* w = nullptr;
    Controls c;
    text::Verse m_target;
    QString m_key, m_surahName;
};

// Qt's notes about the headless platform and the missing sound server would bury the figures.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg && type != QtWarningMsg)
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietMessages);
    // Headless unless there is a screen (Xvfb, say); the children start as this process did.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    BenchApp app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lib'rezi Drites"));
    initResources();
    installFontSubstitutes();
    if (argc > 2 && qstrcmp(argv[1], "--child") == 0)
        return child(QString::fromLocal8Bit(argv[2]), QCoreApplication::arguments().mid(3));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times the reader's actions on the real program against floors."));
    parser.addHelpOption();
    auto option = [&parser](const char* name, const char* help, const char* value = nullptr,
                            const char* fallback = "") {
        const QCommandLineOption o(QLatin1String(name), QLatin1String(help), value ? QLatin1String(value) : QString(),
                                   QLatin1String(fallback));
        parser.addOption(o);
        return o;
    };
    const auto translation = option("translation", "Translation file (sura|aya|text) to build the text from.", "file");
    const auto arabicOption =
        option("arabic",
               "The Arabic text (sura|aya|text) of start-arabic and search-arabic (otherwise the shared "
               "test data's quran-simple-clean.txt, when present).",
               "file");
    const auto json = option("json", "Print JSON lines.");
    const auto runsOption = option("runs", "Timed runs per scenario (at least 9).", "n", "9");
    const auto only = option("only", "Run only this scenario (may be given more than once).", "scenario");
    const auto many = option("search", "The phrase of search-many (otherwise the verses' commonest word).", "phrase");
    const auto both = option("search-and", "The words of search-and, joined by &.", "phrase");
    const auto loose = option("search-loose", "The phrase of search-loose.", "phrase");
    const auto arabicPhrase = option(
        "search-arabic", "The phrase of search-arabic, in Arabic letters (otherwise the name of God).", "phrase");
    const auto find = option("find", "The phrase of find-next and find-first.", "phrase");
    const auto back = option("find-back", "The phrase of find-previous.", "phrase");
    parser.process(app);

    g_json = parser.isSet(json);
    const int runs = std::max(9, parser.value(runsOption).toInt());
    const QStringList chosen = parser.values(only);
    auto wanted = [&chosen](const char* name) { return chosen.isEmpty() || chosen.contains(QLatin1String(name)); };
    QTemporaryDir dir;
    if (!dir.isValid())
        qFatal("no temporary folder");
    // The reader's settings stay untouched: the run keeps its own.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(QStringLiteral("home"))));
    try {
        databuilder::Options options;
        options.factsFolder = QStringLiteral(LIBREZI_BENCH_FACTS);
        options.outFolder = dir.path();
        options.translationFile = parser.value(translation);
        databuilder::build(options);
    } catch (const databuilder::BuildError& e) {
        std::fprintf(stderr, "librezi-bench: %s\n", qPrintable(e.message()));
        return 1;
    }
    QFile::link(QStringLiteral(LIBREZI_BENCH_RECORDINGS), dir.filePath(QStringLiteral("zeri")));
    // The Arabic text, imported into the reader's store of texts beside the translation (in the run's own folder).
    QString arabicFile = parser.value(arabicOption);
    if (arabicFile.isEmpty())
        for (const QString& shared : {qEnvironmentVariable("LIBREZI_SHARED"), QStringLiteral(LIBREZI_BENCH_SHARED)})
            if (!shared.isEmpty() && QFileInfo::exists(shared + QStringLiteral("/testdata/quran-simple-clean.txt"))) {
                arabicFile = shared + QStringLiteral("/testdata/quran-simple-clean.txt");
                break;
            }
    qint64 arabic = 0;
    if (!arabicFile.isEmpty() && (wanted("start-arabic") || wanted("search-arabic"))) {
        try {
            const QByteArray content = databuilder::readWholeFile(arabicFile);
            if (databuilder::kindOf(content) != databuilder::TextKind::Arabic)
                throw databuilder::BuildError(arabicFile + QStringLiteral(": no Arabic text"));
            arabic = databuilder::importParallel(Module1::parallelTextsPath(), arabicFile, content,
                                                 databuilder::TextKind::Arabic, QStringLiteral("ar"),
                                                 databuilder::readSurahs(QStringLiteral(LIBREZI_BENCH_FACTS)))
                         .id;
        } catch (const databuilder::BuildError& e) {
            std::fprintf(stderr, "librezi-bench: %s\n", qPrintable(e.message()));
            return 1;
        }
    }

    if (!g_json) {
        std::printf("librezi-bench: %s, %d runs each after a warm-up, Qt %s, SQLite %s, %s\n\n",
                    parser.isSet(translation) ? qPrintable(parser.value(translation)) : "bundled data", runs,
                    qVersion(), sqlite3_libversion(), qPrintable(QGuiApplication::platformName()));
        std::printf("| scenario | median | min | max | floor | ratio | target | | note |\n"
                    "|---|---:|---:|---:|---:|---:|---|---|---|\n");
    }
    if (wanted("start") || wanted("memory"))
        run(QStringLiteral("start"), [&] { return startInFreshProcesses(dir.path(), runs); });
    if (wanted("start-arabic"))
        run(QStringLiteral("start-arabic"), [&] {
            return arabic > 0
                       ? startWithArabic(dir.path(), runs, arabic)
                       : QList<Result>{arabicSkipped(QStringLiteral("start-arabic"), QStringLiteral("≤ 2 × floor"))};
        });
    if (wanted("fetch"))
        run(QStringLiteral("fetch"), [&] { return fetchWholeReciter(runs); });

    Bench bench(dir.path(), runs,
                {parser.value(many), parser.value(both), parser.value(loose), parser.value(find), parser.value(back)});
    try {
        bench.startProgram();
    } catch (const Failure& f) {
        std::fprintf(stderr, "librezi-bench: %s\n", qPrintable(f.what));
        return 1;
    }
    const Phrases& p = bench.phrases();
    const std::pair<const char*, std::function<Result()>> scenarios[] = {
        {"navigate", [&] { return bench.navigate(); }},
        {"search-many", [&] { return bench.search(QStringLiteral("search-many"), p.many); }},
        {"search-and", [&] { return bench.search(QStringLiteral("search-and"), p.both); }},
        {"search-loose", [&] { return bench.searchLoose(); }},
        {"search-arabic",
         [&] {
             return arabic > 0 ? bench.searchArabic(parser.isSet(arabicPhrase) ? parser.value(arabicPhrase)
                                                                               : QStringLiteral("الله"))
                               : arabicSkipped(QStringLiteral("search-arabic"), QStringLiteral("≤ 1.5 × floor"));
         }},
        {"return", [&] { return bench.wayBack(); }},
        {"find-first", [&] { return bench.findFirst(); }},
        {"find-next", [&] { return bench.findNext(); }},
        {"find-previous", [&] { return bench.findBack(); }},
        {"passage", [&] { return bench.passage(); }},
        {"pdf", [&] { return bench.pdf(p.many); }},
        {"font", [&] { return bench.font(); }},
        {"recitation-gap", [&] { return bench.recitationGap(); }},
        {"fetched-gap", [&] { return bench.fetchedGap(); }},
    };
    for (const auto& entry : scenarios)
        if (wanted(entry.first))
            run(QLatin1String(entry.first), [&] { return QList<Result>{entry.second()}; });
    Module1::unloadMainWindow();
    if (g_failed)
        std::fprintf(stderr, "librezi-bench: %d scenario(s) failed\n", g_failed);
    return g_failed ? 1 : 0;
}
