// librezi-bench: drives the real main window, headless, through the reader's common actions on a
// database and whole text built for the run, and sets each timing against a floor measured in the
// same process (what Qt or SQLite alone need for the same result).
//
//   librezi-bench [--translation FILE] [--json] [--runs N]

#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "platform/msgbox.h"
#include "prefs/fonts.h"
#include "resources/resources.h"
#include "search/report.h"
#include "tools/databuilder.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>

namespace {

// ---- measuring ----------------------------------------------------------------------------------

struct Stats {
    double median = 0;
    double min = 0;
    double max = 0;
};

Stats statsOf(QList<double> v) {
    std::sort(v.begin(), v.end());
    Stats s;
    if (v.isEmpty())
        return s;
    const qsizetype n = v.size();
    s.median = n % 2 ? v.at(n / 2) : (v.at(n / 2 - 1) + v.at(n / 2)) / 2;
    s.min = v.first();
    s.max = v.last();
    return s;
}

// One warm-up, then `runs` timed runs of `action`; `prepare` runs untimed before each.
Stats timeRuns(int runs, const std::function<void()>& prepare, const std::function<void()>& action) {
    QList<double> times;
    for (int i = 0; i <= runs; ++i) {
        prepare();
        QElapsedTimer t;
        t.start();
        action();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        if (i > 0)
            times.append(ms);
    }
    return statsOf(times);
}

void settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Lets the window idle as a reader's would between actions: the text view finishes laying out.
void idle(int ms = 1000) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Peak resident memory of this process, in kB (VmHWM of /proc/self/status).
long peakResidentKb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// ---- reporting ----------------------------------------------------------------------------------

struct Result {
    explicit Result(QString n) : name(std::move(n)) {}
    QString name;
    QString unit = QStringLiteral("ms");
    Stats value;
    Stats floor;
    int runs = 0;
    QString target; // the figure to reach, as text
    bool met = false;
    QString note; // what was found, for the eye
};

bool g_json = false;

void print(const Result& r) {
    const double ratio = r.floor.median > 0 ? r.value.median / r.floor.median : 0;
    if (g_json) {
        QJsonObject o{{QStringLiteral("scenario"), r.name},      {QStringLiteral("unit"), r.unit},
                      {QStringLiteral("runs"), r.runs},          {QStringLiteral("median"), r.value.median},
                      {QStringLiteral("min"), r.value.min},      {QStringLiteral("max"), r.value.max},
                      {QStringLiteral("floor"), r.floor.median}, {QStringLiteral("ratio"), ratio},
                      {QStringLiteral("target"), r.target},      {QStringLiteral("met"), r.met},
                      {QStringLiteral("note"), r.note}};
        std::printf("%s\n", QJsonDocument(o).toJson(QJsonDocument::Compact).constData());
    } else {
        std::printf("%-14s median %9.2f  min %9.2f  max %9.2f %-2s  floor %9.2f  ratio %6.2f  %-7s %s  %s\n",
                    qPrintable(r.name), r.value.median, r.value.min, r.value.max, qPrintable(r.unit), r.floor.median,
                    ratio, r.met ? "met" : "MISSED", qPrintable(r.target), qPrintable(r.note));
    }
    std::fflush(stdout);
}

double ratioOf(const Result& r) {
    return r.floor.median > 0 ? r.value.median / r.floor.median : 0;
}

// ---- the floors' bare view ----------------------------------------------------------------------

// A bare QTextEdit the size of the main window's text view, on screen.
std::unique_ptr<QTextEdit> bareView(QSize size) {
    auto e = std::make_unique<QTextEdit>();
    e->resize(size);
    e->show();
    settle();
    return e;
}

// ---- the child processes that measure memory ----------------------------------------------------

int memoryChild(const QString& what, const QString& folder) {
    if (what == QLatin1String("app")) {
        Module1::setProgramFolder(folder);
        platform::MsgBoxScript quiet;
        if (Module1::Main() != 0 || !Module1::mainWindow())
            return 2;
        Module1::mainWindow()->repaint();
    } else {
        QFile f(folder + QStringLiteral("/plain.txt"));
        if (!f.open(QIODevice::ReadOnly))
            return 2;
        auto* e = new QTextEdit;
        e->resize(800, 600);
        e->show();
        e->setPlainText(QString::fromUtf8(f.readAll()));
        e->repaint();
    }
    // Idle a moment, as a reader would: whatever the views lay out while idle is counted too.
    QElapsedTimer idle;
    idle.start();
    while (idle.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    std::printf("%ld\n", peakResidentKb());
    return 0;
}

std::optional<long> runMemoryChild(const QString& what, const QString& folder) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--memory-child"), what, folder});
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        return std::nullopt;
    bool ok = false;
    const long kb = QString::fromUtf8(p.readAllStandardOutput()).trimmed().toLong(&ok);
    return ok ? std::optional<long>(kb) : std::nullopt;
}

// ---- the bench ----------------------------------------------------------------------------------

class Bench {
public:
    Bench(QString folder, int runs) : m_folder(std::move(folder)), m_runs(runs) {}

    bool startProgram() {
        Module1::unloadMainWindow();
        platform::MsgBoxScript quiet;
        Module1::setProgramFolder(m_folder);
        if (Module1::Main() != 0 || !Module1::mainWindow())
            return false;
        w = Module1::mainWindow();
        findControls();
        w->repaint();
        settle();
        return true;
    }

    // Back to the whole text, caret at its start, surah 1 chosen, as after start-up.
    void wholeText() {
        if (w->inPassageMode())
            c.cmdKtheLibrezin->click();
        c.Rtf1->setSelStart(0);
        settle();
    }

    void paintView() { c.Rtf1->viewport()->repaint(); }

    Result start() {
        Result r(QStringLiteral("start"));
        r.runs = m_runs;
        r.value = timeRuns(
            m_runs,
            [] {
                Module1::unloadMainWindow();
                settle();
            },
            [this] {
                platform::MsgBoxScript quiet;
                if (Module1::Main() != 0 || !Module1::mainWindow())
                    qFatal("the program did not start");
                w = Module1::mainWindow();
                w->repaint();
            });
        settle();
        findControls();
        const QString plain = c.Rtf1->document()->toPlainText();
        const QSize size = c.Rtf1->size();
        std::unique_ptr<QTextEdit> e;
        r.floor = timeRuns(
            m_runs,
            [&e] {
                e.reset();
                settle();
            },
            [&] {
                e = std::make_unique<QTextEdit>();
                e->resize(size);
                e->setPlainText(plain);
                e->show();
                e->repaint();
            });
        r.target = QStringLiteral("<= 1.5 x floor, < 500 ms");
        r.met = ratioOf(r) <= 1.5 && r.value.median < 500;
        r.note = QStringLiteral("%1 characters").arg(c.Rtf1->TextLength());
        return r;
    }

    Result navigate() {
        Result r(QStringLiteral("navigate"));
        r.runs = m_runs;
        wholeText();
        idle();
        auto choose = [](platform::ComboBox* list, const QString& text) {
            const int i = list->findText(text, Qt::MatchFixedString);
            if (i < 0)
                qFatal("no item %s", qPrintable(text));
            list->setCurrentIndex(i);
            Q_EMIT list->activated(i);
        };
        const QString name = c.CmbEmrSure->List(0).isEmpty() ? QString() : surahName(114);
        r.value = timeRuns(
            m_runs,
            [&] {
                wholeText();
                choose(c.CmbNrSure, QStringLiteral("1"));
                settle();
            },
            [&] {
                choose(c.CmbEmrSure, name);
                QLineEdit* edit = c.CmbNrAjeti->lineEdit();
                edit->selectAll();
                QTest::keyClicks(edit, QStringLiteral("6"));
                QTest::keyClick(edit, Qt::Key_Return);
                paintView();
            });
        const QString selected = c.Rtf1->SelText();
        if (!selected.startsWith(QStringLiteral("114:6.\t")) || selected.contains(QChar(13)))
            qFatal("navigate: the line of 114:6 is not selected");
        const QString& text = c.Rtf1->Text();
        const QString key = QStringLiteral("114:6.\t");
        qsizetype found = -1;
        r.floor = timeRuns(
            m_runs, [] {}, [&] { found = text.indexOf(key); });
        if (found < 0)
            qFatal("navigate: the floor found no key");
        r.target = QStringLiteral("< 20 ms");
        r.met = r.value.median < 20;
        r.note = QStringLiteral("%1 \"%2\"").arg(name, selected.left(40));
        return r;
    }

    Result searchAll(const QString& name, const QString& phrase) {
        Result r(name);
        r.runs = m_runs;
        QString report;
        r.value = timeRuns(
            m_runs,
            [&] {
                wholeText();
                c.CmbKerkoKrejt->setText(phrase);
                settle();
            },
            [&] {
                platform::MsgBoxScript quiet;
                c.cmdKerkoAll->click();
                paintView();
                if (quiet.asked().size() > 0)
                    qFatal("%s: the search asked \"%s\"", qPrintable(name), qPrintable(quiet.asked().first().text));
            });
        report = c.Rtf1->Text().section(QStringLiteral("\r\n"), 1, 1);
        const int verses = int(c.Rtf1->Text().count(QStringLiteral("\r\n"))) - 4; // report, rule, empty line
        const SearchQuery statement = search::statementFor(phrase);
        auto e = bareView(c.Rtf1->size());
        int rows = 0;
        r.floor = timeRuns(
            m_runs, [] {},
            [&] {
                QString results;
                rows = 0;
                for (platform::Statement rs = Module1::cnLidhja.query(statement.sql, statement.values); rs.next();) {
                    results += search::verseLine(rs.text(0), rs.text(1), rs.text(2));
                    ++rows;
                }
                e->setPlainText(results);
                e->viewport()->repaint();
            });
        r.target = QStringLiteral("<= 1.5 x floor, < 500 ms");
        r.met = ratioOf(r) <= 1.5 && r.value.median < 500;
        r.note = QStringLiteral("%1 verses (query: %2 rows); %3").arg(verses).arg(rows).arg(report.left(60));
        return r;
    }

    Result findNext() {
        Result r(QStringLiteral("find-next"));
        r.runs = m_runs;
        wholeText();
        idle();
        const QString phrase = QStringLiteral("Musa");
        int steps = 0;
        r.value = timeRuns(
            m_runs,
            [&] {
                wholeText();
                c.txtKerkim->setText(phrase);
                settle();
            },
            [&] {
                platform::MsgBoxScript script;
                bool done = false;
                script.onAsk([&done](const platform::AskedMessage&) { done = true; });
                script.answer(platform::Answer::Cancel); // "start again from the top?" no
                steps = 0;
                while (!done) {
                    c.cmdKerkim->click();
                    if (!done)
                        ++steps;
                    if (steps > 100000)
                        qFatal("find-next does not end");
                }
                paintView();
            });
        QTextDocument* doc = c.Rtf1->document();
        int found = 0;
        r.floor = timeRuns(
            m_runs, [] {},
            [&] {
                found = 0;
                for (QTextCursor c = doc->find(phrase); !c.isNull(); c = doc->find(phrase, c))
                    ++found;
            });
        if (found != steps)
            std::fprintf(stderr, "find-next: %d steps in the window, %d by QTextDocument::find\n", steps, found);
        r.target = QStringLiteral("<= 2 x floor");
        r.met = ratioOf(r) <= 2;
        r.note = QStringLiteral("%1 occurrences of \"%2\"").arg(steps).arg(phrase);
        return r;
    }

    Result findPrevious() {
        Result r(QStringLiteral("find-previous"));
        r.runs = m_runs;
        wholeText();
        idle();
        const QString phrase = phraseOfFirstSurah();
        const QString& text = c.Rtf1->Text();
        int at = -1;
        r.value = timeRuns(
            m_runs,
            [&] {
                c.txtKerkim->setText(phrase);
                c.Rtf1->setSelStart(c.Rtf1->TextLength());
                settle();
            },
            [&] {
                platform::MsgBoxScript script;
                c.cmdKerkimPrapa->click();
                paintView();
                if (!script.asked().isEmpty())
                    qFatal("find-previous asked \"%s\"", qPrintable(script.asked().first().text));
                at = c.Rtf1->SelStart();
            });
        qsizetype floorAt = -1;
        r.floor = timeRuns(
            m_runs, [] {}, [&] { floorAt = text.lastIndexOf(phrase, text.size() - 1, Qt::CaseInsensitive); });
        if (floorAt != at)
            std::fprintf(stderr, "find-previous: found at %d, the floor at %lld\n", at, qlonglong(floorAt));
        r.target = QStringLiteral("< 50 ms");
        r.met = r.value.median < 50;
        r.note = QStringLiteral("\"%1\" at %2 of %3").arg(phrase.left(40)).arg(at).arg(text.size());
        return r;
    }

    Result passage() {
        Result r(QStringLiteral("passage"));
        r.runs = m_runs;
        const QString theme =
            Module1::cnLidhja
                .value(QStringLiteral("SELECT tema FROM klasifikim WHERE nrsure = 2 AND ajetet = '1-141' LIMIT 1"))
                .toString();
        if (theme.isEmpty())
            qFatal("passage: no group covers 2:1-141");
        const int themeItem = c.cmbKlasifikimTematik->findText(theme, Qt::MatchFixedString);
        if (themeItem < 0)
            qFatal("passage: the theme list has no %s", qPrintable(theme));
        int groupItem = -1;
        r.value = timeRuns(
            m_runs,
            [&] {
                wholeText();
                c.cmbKlasifikimTematik->setListIndex(themeItem); // fills the theme's groups
                groupItem = -1;
                for (int i = 0; i < c.LstAjetetPrejCmbTema->ListCount(); ++i)
                    if (c.LstAjetetPrejCmbTema->List(i).startsWith(QStringLiteral("2 ")) &&
                        c.LstAjetetPrejCmbTema->List(i).endsWith(QStringLiteral(": 1-141")))
                        groupItem = i;
                if (groupItem < 0)
                    qFatal("passage: the group 2:1-141 is not listed");
                settle();
            },
            [&] {
                c.LstAjetetPrejCmbTema->setListIndex(groupItem);
                paintView();
            });
        const QString& shown = c.Rtf1->Text();
        const int verses = int(shown.count(QStringLiteral("\r\n2:")));
        int rows = 0;
        r.floor = timeRuns(
            m_runs, [] {},
            [&] {
                QString body;
                rows = 0;
                for (platform::Statement rs = Module1::cnLidhja.query(QStringLiteral(
                         "SELECT NrSure, NrAjet, Perkthimi FROM librezi WHERE NrSure = 2 AND NrAjet BETWEEN 1 AND 141"));
                     rs.next();) {
                    body += search::verseLine(rs.text(0), rs.text(1), rs.text(2));
                    ++rows;
                }
            });
        r.target = QStringLiteral("< 30 ms");
        r.met = r.value.median < 30;
        r.note = QStringLiteral("\"%1\": %2 verses shown, %3 rows").arg(theme).arg(verses).arg(rows);
        wholeText();
        return r;
    }

    Result font() {
        Result r(QStringLiteral("font"));
        r.runs = m_runs;
        wholeText();
        idle();
        int run = 0;
        auto nextSize = [&run] { return (run++ % 2) ? QStringLiteral("12") : QStringLiteral("14"); };
        r.value = timeRuns(
            m_runs,
            [&] {
                c.CmbNrFonti->setText(nextSize());
                settle();
            },
            [&] {
                Q_EMIT c.CmbNrFonti->Click();
                paintView();
            });
        auto e = bareView(c.Rtf1->size());
        e->setPlainText(c.Rtf1->document()->toPlainText());
        settle();
        run = 0;
        double size = 0;
        r.floor = timeRuns(
            m_runs,
            [&] {
                size = nextSize().toDouble();
                settle();
            },
            [&] {
                QTextCursor c(e->document());
                c.select(QTextCursor::Document);
                QTextCharFormat f;
                f.setFontPointSize(size);
                c.mergeCharFormat(f);
                e->verticalScrollBar()->setValue(0);
                e->viewport()->repaint();
            });
        r.target = QStringLiteral("<= 1.5 x floor");
        r.met = ratioOf(r) <= 1.5;
        r.note = QStringLiteral("sizes 14 and 12, %1 characters").arg(c.Rtf1->TextLength());
        return r;
    }

    Result memory() {
        Result r(QStringLiteral("memory"));
        r.unit = QStringLiteral("MB");
        const int runs = 3;
        r.runs = runs;
        {
            QFile f(m_folder + QStringLiteral("/plain.txt"));
            if (!f.open(QIODevice::WriteOnly))
                qFatal("cannot write the plain text");
            f.write(c.Rtf1->document()->toPlainText().toUtf8());
        }
        auto measure = [&](const QString& what) {
            QList<double> mb;
            for (int i = 0; i < runs; ++i) {
                const std::optional<long> kb = runMemoryChild(what, m_folder);
                if (!kb)
                    qFatal("the memory child (%s) failed", qPrintable(what));
                mb.append(double(*kb) / 1024);
            }
            return statsOf(mb);
        };
        r.value = measure(QStringLiteral("app"));
        r.floor = measure(QStringLiteral("floor"));
        r.target = QStringLiteral("< 120 MB");
        r.met = r.value.median < 120;
        r.note = QStringLiteral("peak resident (VmHWM), child processes");
        return r;
    }

private:
    QString surahName(int n) {
        return Module1::cnLidhja.value(QStringLiteral("SELECT Emri FROM Suret WHERE IDSureja = ?"), {n}).toString();
    }

    // A phrase found only in the first surah: the text of one of its verses when no other verse
    // holds it, otherwise the surah's name.
    QString phraseOfFirstSurah() {
        const QString& text = c.Rtf1->Text();
        const qsizetype second = text.indexOf(QStringLiteral("\r\n2:1.\t"));
        for (platform::Statement rs =
                 Module1::cnLidhja.query(QStringLiteral("SELECT Perkthimi FROM librezi WHERE NrSure = 1 ORDER BY NrAjet"));
             rs.next();) {
            const QString verse = rs.text(0).trimmed();
            if (!verse.isEmpty() && text.lastIndexOf(verse, -1, Qt::CaseInsensitive) < second)
                return verse;
        }
        return surahName(1);
    }

    // The window's controls the scenarios drive, found by name as a reader's tools would.
    struct Controls {
        platform::RichTextView* Rtf1 = nullptr;
        platform::ComboBox *CmbNrSure = nullptr, *CmbEmrSure = nullptr, *CmbNrAjeti = nullptr,
                           *CmbKerkoKrejt = nullptr, *cmbKlasifikimTematik = nullptr, *CmbNrFonti = nullptr;
        platform::ListBox* LstAjetetPrejCmbTema = nullptr;
        QLineEdit* txtKerkim = nullptr;
        QToolButton *cmdKtheLibrezin = nullptr, *cmdKerkoAll = nullptr, *cmdKerkim = nullptr, *cmdKerkimPrapa = nullptr;
    };
    template <typename T> static T* find(QWidget* w, const char* name) {
        T* child = w->findChild<T*>(QLatin1String(name));
        if (!child)
            qFatal("the main window has no %s", name);
        return child;
    }
    void findControls() {
        c.Rtf1 = find<platform::RichTextView>(w, "Rtf1");
        c.CmbNrSure = find<platform::ComboBox>(w, "CmbNrSure");
        c.CmbEmrSure = find<platform::ComboBox>(w, "CmbEmrSure");
        c.CmbNrAjeti = find<platform::ComboBox>(w, "CmbNrAjeti");
        c.CmbKerkoKrejt = find<platform::ComboBox>(w, "CmbKerkoKrejt");
        c.cmbKlasifikimTematik = find<platform::ComboBox>(w, "cmbKlasifikimTematik");
        c.CmbNrFonti = find<platform::ComboBox>(w, "CmbNrFonti");
        c.LstAjetetPrejCmbTema = find<platform::ListBox>(w, "LstAjetetPrejCmbTema");
        c.txtKerkim = find<QLineEdit>(w, "txtKerkim");
        c.cmdKtheLibrezin = find<QToolButton>(w, "cmdKtheLibrezin");
        c.cmdKerkoAll = find<QToolButton>(w, "cmdKerkoAll");
        c.cmdKerkim = find<QToolButton>(w, "cmdKerkim");
        c.cmdKerkimPrapa = find<QToolButton>(w, "cmdKerkimPrapa");
    }

    QString m_folder;
    int m_runs;
    frmKryesore* w = nullptr;
    Controls c;
};

// Qt's notes about the headless platform and the missing sound server would bury the figures.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg)
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lib'rezi Drites"));
    initResources();
    installFontSubstitutes();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times the reader's actions on the real main window."));
    parser.addHelpOption();
    const QCommandLineOption translation(QStringLiteral("translation"),
                                         QStringLiteral("Translation file (sura|aya|text) to build the text from."),
                                         QStringLiteral("file"));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Print JSON lines."));
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Timed runs per scenario (at least 7)."),
                                        QStringLiteral("n"), QStringLiteral("7"));
    const QCommandLineOption onlyOption(QStringLiteral("only"),
                                        QStringLiteral("Run only this scenario (may be given more than once)."),
                                        QStringLiteral("scenario"));
    QCommandLineOption child(QStringLiteral("memory-child"), QString(), QStringLiteral("what"));
    child.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({translation, json, runsOption, onlyOption, child});
    parser.process(app);

    if (parser.isSet(child)) {
        const QString folder = parser.positionalArguments().value(0);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
        return memoryChild(parser.value(child), folder);
    }

    g_json = parser.isSet(json);
    const int runs = std::max(7, parser.value(runsOption).toInt());
    QTemporaryDir dir;
    if (!dir.isValid())
        qFatal("no temporary folder");
    // The reader's settings stay untouched: the run keeps its own.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
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

    Bench bench(dir.path(), runs);
    if (!bench.startProgram()) {
        std::fprintf(stderr, "librezi-bench: the program did not start\n");
        return 1;
    }
    if (!g_json)
        std::printf("librezi-bench: %s, %d runs each after a warm-up, Qt %s\n",
                    parser.isSet(translation) ? qPrintable(parser.value(translation)) : "bundled data", runs,
                    qVersion());
    const QStringList only = parser.values(onlyOption);
    auto wanted = [&only](const char* name) { return only.isEmpty() || only.contains(QLatin1String(name)); };
    if (wanted("start"))
        print(bench.start());
    if (wanted("navigate"))
        print(bench.navigate());
    if (wanted("search-many"))
        print(bench.searchAll(QStringLiteral("search-many"), QStringLiteral("All-llahu")));
    if (wanted("search-and"))
        print(bench.searchAll(QStringLiteral("search-and"), QStringLiteral("All-llahu&Zot")));
    if (wanted("find-next"))
        print(bench.findNext());
    if (wanted("find-previous"))
        print(bench.findPrevious());
    if (wanted("passage"))
        print(bench.passage());
    if (wanted("font"))
        print(bench.font());
    if (wanted("memory"))
        print(bench.memory());
    Module1::unloadMainWindow();
    return 0;
}
