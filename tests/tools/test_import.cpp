// SPDX-License-Identifier: GPL-3.0-or-later
// An import as a hostile world meets it: killed between its steps, racing a writer, fed what is not a
// file, and always keeping the reader's reciters.
#include "app/module1.h"
#include "data/schema.h"
#include "mainwindow/wholetext.h"
#include "platform/database.h"
#include "platform/textfile.h"
#include "testsupport.h"
#include "tools/databuilder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

QString builder() {
    return testsupport::buildFolder() + QStringLiteral("/tools/librezi-builder");
}

struct Run {
    int code;
    QString err;
};

// Runs the builder; a run that does not end in 20 s is a failure of its own (a read that never ends).
Run build(const QStringList& args, const QString& halt = QString(), std::function<void()> child = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!halt.isEmpty())
        env.insert(QStringLiteral("LIBREZI_BUILDER_HALT"), halt);
    p.setProcessEnvironment(env);
    if (child)
        p.setChildProcessModifier(child);
    p.start(builder(), args);
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        return {-2, QStringLiteral("the builder did not end")};
    }
    return {p.exitStatus() == QProcess::CrashExit ? -1 : p.exitCode(),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

QStringList out(const QTemporaryDir& dir, const QString& translation = QString()) {
    QStringList args{QStringLiteral("--facts"), testsupport::factsFolder(), QStringLiteral("--out"), dir.path()};
    if (!translation.isEmpty())
        args << QStringLiteral("--translation") << translation;
    return args;
}

// A complete translation whose every verse says which import it belongs to.
QString writeTranslation(const QTemporaryDir& dir, const QString& tag) {
    const QString path = dir.filePath(tag + QStringLiteral(".txt"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    for (const databuilder::Surah& s : databuilder::readSurahs(testsupport::factsFolder()))
        for (int v = 1; v <= s.verses; ++v)
            f.write(QStringLiteral("%1|%2|%3 %1:%2\n").arg(s.number).arg(v).arg(tag).toUtf8());
    return path;
}

QStringList hidden(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QStringList{QStringLiteral(".*")}, QDir::Files | QDir::Hidden);
}

} // namespace

class TestImport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(QFile::exists(builder())); }
    void cleanup() { Module1::cnLidhja.Close(); }

    // Killed after each step, the folder holds one import (old or new) or a pair the program refuses with
    // a clear message; the next run, even one whose input is refused, finishes the import and leaves no
    // temporary file behind.
    void killedBetweenSteps_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("shown"); // what verse 1:1 reads, or "" for a refused pair
        QTest::newRow("new whole text written") << 1 << "Vjetër 1:1";
        QTest::newRow("new database written") << 2 << "Vjetër 1:1";
        QTest::newRow("database in place") << 3 << "";
        QTest::newRow("both in place") << 4 << "Re 1:1";
    }
    void killedBetweenSteps() {
        QFETCH(int, step);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        QCOMPARE(build(out(dir, writeTranslation(dir, QStringLiteral("Vjetër")))).code, 0);
        QCOMPARE(build(out(dir, writeTranslation(dir, QStringLiteral("Re"))), QString::number(step)).code, -1);

        const QString wholeText = dir.filePath(QStringLiteral("LIB'REZI.rtf"));
        Module1::cnLidhja.Open(dir.filePath(QStringLiteral("librezi.db")));
        const wholetext::Reading reading = wholetext::read(Module1::library, wholeText);
        if (shown.isEmpty()) {
            QVERIFY2(reading.fault.contains(QStringLiteral("dy importe")), qPrintable(reading.fault));
        } else {
            QVERIFY2(reading.fault.isEmpty(), qPrintable(reading.fault));
            QVERIFY(reading.document.plainText().contains(QStringLiteral("1:1.\t") + shown));
            QCOMPARE(
                Module1::cnLidhja.value(QStringLiteral("SELECT Perkthimi FROM librezi WHERE NrSure = 1 AND NrAjet = 1"))
                    .toString(),
                shown);
        }
        Module1::cnLidhja.Close();

        QCOMPARE(build(out(dir, dir.filePath(QStringLiteral("mungon.txt")))).code, 1);
        QCOMPARE(hidden(dir), QStringList());
        Module1::cnLidhja.Open(dir.filePath(QStringLiteral("librezi.db")));
        const wholetext::Reading after = wholetext::read(Module1::library, wholeText);
        QVERIFY2(after.fault.isEmpty(), qPrintable(after.fault));
        QVERIFY(after.document.plainText().contains(QStringLiteral("1:1.\t") + (step >= 3 ? "Re" : "Vjetër")));
    }

    // The reciters the reader added and chose outlive an import into any folder.
    void reImportKeepsReciters() {
        QTemporaryDir dir;
        QCOMPARE(build(out(dir)).code, 0);
        const int id = databuilder::addReciter(
            {dir.filePath(QStringLiteral("librezi.db")), QStringLiteral("Lexuesi im"), dir.path(), {}, true, true});
        QCOMPARE(build(out(dir, writeTranslation(dir, QStringLiteral("Re")))).code, 0);
        platform::Connection db;
        db.Open(dir.filePath(QStringLiteral("librezi.db")));
        QCOMPARE(
            testsupport::queryRows(db, QStringLiteral("SELECT IDLok, Lexuesi, [Default] FROM Lokacioni_i_zerit "
                                                      "WHERE Ajete = -1 ORDER BY IDLok")),
            (QList<QStringList>{{QStringLiteral("1"), QStringLiteral("Shembull sintetik (ajete)"), QStringLiteral("0")},
                                {QString::number(id), QStringLiteral("Lexuesi im"), QStringLiteral("-1")}}));
        QCOMPARE(db.value(QStringLiteral("SELECT Perkthimi FROM librezi WHERE NrSure = 2 AND NrAjet = 255")).toString(),
                 QStringLiteral("Re 2:255"));
    }

    // Empty verses are data: kept with an empty text and named in the import's note; the book around them
    // is whole.
    void emptyVersesAccepted() {
        QTemporaryDir dir;
        QFile f(writeTranslation(dir, QStringLiteral("Re")));
        QVERIFY(f.open(QIODevice::ReadWrite));
        QByteArray text = f.readAll().replace("5|3|Re 5:3\n", "5|3|\n").replace("9|40|Re 9:40\n", "9|40|   \n");
        QVERIFY(f.resize(0) && f.write(text) == text.size());
        f.close();
        QProcess p;
        p.start(builder(), out(dir, f.fileName()));
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()).trimmed(), QStringLiteral("2 ajete pa tekst: 5:3, 9:40"));
        Module1::cnLidhja.Open(dir.filePath(QStringLiteral("librezi.db")));
        QCOMPARE(
            Module1::cnLidhja.value(QStringLiteral("SELECT Perkthimi FROM librezi WHERE NrSure = 9 AND NrAjet = 40")),
            QVariant(QString()));
        const wholetext::Reading reading =
            wholetext::read(Module1::library, dir.filePath(QStringLiteral("LIB'REZI.rtf")));
        QVERIFY2(reading.fault.isEmpty(), qPrintable(reading.fault));
        QVERIFY(reading.document.plainText().contains(QStringLiteral("\n5:3.\t\n5:4.\tRe 5:4")));
    }

    // A refused file lists every fault it holds, the first twenty, so that it can be mended in one pass.
    void everyFaultListed() {
        const QList<databuilder::Surah> two{{1, 30, QStringLiteral("A"), QStringLiteral("Mekë")},
                                            {2, 2, QStringLiteral("B"), QStringLiteral("Mekë")}};
        QByteArray text = "1|1|a\n1|1|again\n3|1|no such surah\nnot a verse\n2|9|beyond\n";
        try {
            databuilder::parseTranslation(text, two);
            QFAIL("refused");
        } catch (const databuilder::BuildError& e) {
            const QStringList lines = e.message().split(u'\n');
            QCOMPARE(lines.size(), 21);
            QCOMPARE(lines[0], QStringLiteral("Rreshti 2: ajeti 1:1 përsëritet (është edhe në rreshtin 1)."));
            QVERIFY(lines[1].startsWith(QStringLiteral("Rreshti 3: sureja 3 nuk ekziston")));
            QVERIFY(lines[2].startsWith(QStringLiteral("Rreshti 4: rreshti nuk ka formën")));
            QVERIFY(lines[3].startsWith(QStringLiteral("Rreshti 5: sureja 2 ka 2 ajete")));
            QCOMPARE(lines[4], QStringLiteral("Mungon ajeti 1:2."));
            QCOMPARE(lines[20], QStringLiteral("… dhe 15 gabime të tjera.")); // 4 + 31 missing verses, 20 shown
        }
    }

    // The other common download, the XML form, with its names in a comment; a file that names nothing is
    // named by its file name.
    void xmlFormAndNames() {
        const QList<databuilder::Surah> two{{1, 2, QStringLiteral("A"), QStringLiteral("Mekë")},
                                            {2, 1, QStringLiteral("B"), QStringLiteral("Mekë")}};
        const QByteArray xml =
            "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<quran>\n<!--\n# Translator: Dikush\n"
            "  Source: https://tanzil.net\n-->\n<sura index=\"1\" name=\"A\"><aya index=\"2\" text=\"Dy &amp; dy\"/>"
            "<aya index=\"1\" text=\"Një\"/></sura><sura index=\"2\"><aya index=\"1\" text=\"\"/></sura></quran>";
        const databuilder::Translation t = databuilder::parseTranslation(xml, two);
        QCOMPARE(t.verses, (QList<QStringList>{{QStringLiteral("Një"), QStringLiteral("Dy & dy")}, {QString()}}));
        QCOMPARE(t.translator, QStringLiteral("Dikush"));
        QCOMPARE(t.source, QStringLiteral("https://tanzil.net"));
        QCOMPARE(t.emptyVerses, QStringList{QStringLiteral("2:1")});
        try {
            databuilder::parseTranslation("<quran><sura index=\"1\"><aya index=\"1\" text=\"x\"></quran>", two);
            QFAIL("refused");
        } catch (const databuilder::BuildError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("XML-ja nuk është e rregullt")), qPrintable(e.message()));
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sq.ime.txt"));
        QVERIFY(testsupport::overwrite(path, "1|1|a\n1|2|b\n2|1|c\n"));
        QCOMPARE(databuilder::readTranslation(path, two).name, QStringLiteral("sq.ime"));
    }

    // A writer in the middle of a transaction: the import waits a bounded time, refuses naming the database
    // (not its temporary file), and the writer's change lands.
    void importWaitsForAWriter() {
        QTemporaryDir dir;
        QCOMPARE(build(out(dir)).code, 0);
        const QString database = dir.filePath(QStringLiteral("librezi.db"));
        databuilder::addReciter({database, QStringLiteral("Lexuesi im"), dir.path(), {}, true, false});
        platform::Connection writer;
        writer.Open(database);
        writer.exec(QStringLiteral("BEGIN EXCLUSIVE"));
        writer.exec(QStringLiteral("UPDATE Lokacioni_i_zerit SET Lokacioni = 'e re' WHERE Lexuesi = 'Lexuesi im'"));
        const Run run = build(out(dir, writeTranslation(dir, QStringLiteral("Re"))));
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains(QStringLiteral("në përdorim")) &&
                     run.err.contains(QDir::toNativeSeparators(database)),
                 qPrintable(run.err));
        QVERIFY(!run.err.contains(QStringLiteral(".librezi.db.")));
        writer.exec(QStringLiteral("COMMIT"));
        writer.Close();
        writer.Open(database);
        QCOMPARE(writer.value(QStringLiteral("SELECT Lokacioni FROM Lokacioni_i_zerit WHERE Lexuesi = 'Lexuesi im'")),
                 QVariant(QStringLiteral("e re")));
        QCOMPARE(hidden(dir), QStringList());
    }

    // What is not a file of a sane size is refused before it is read.
    void inputsThatAreNoFiles_data() {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("said");
        QTest::newRow("a device") << "/dev/zero"
                                  << "nuk është skedar i zakonshëm";
        QTest::newRow("a pipe") << "fifo"
                                << "nuk është skedar i zakonshëm";
        QTest::newRow("a folder") << "."
                                  << "nuk është skedar i zakonshëm";
        QTest::newRow("65 MB") << "big"
                               << "shumë i madh";
    }
    void inputsThatAreNoFiles() {
        QFETCH(QString, what);
        QFETCH(QString, said);
        QTemporaryDir dir;
        QString path = what.startsWith(u'/') ? what : dir.filePath(what);
        if (what == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        if (what == QLatin1String("big")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(databuilder::kMaxInputBytes + 1));
        }
        const Run run = build(out(dir, path));
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains(said), qPrintable(run.err));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("librezi.db"))));
    }

    // Old Mac files end their lines with CR alone: read like any other.
    void crOnlyLineEnds() {
        QTemporaryDir dir;
        QFile f(writeTranslation(dir, QStringLiteral("Re")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray cr = f.readAll().replace('\n', '\r');
        const auto surahs = databuilder::readSurahs(testsupport::factsFolder());
        QCOMPARE(databuilder::parseTranslation(cr, surahs).verses[113][5], QStringLiteral("Re 114:6"));
    }

    // A write that fails says why in Albanian and names the file the reader knows, not a temporary one.
    void writeFailuresSayWhy() {
        QVERIFY(databuilder::fileCause(ENOSPC).startsWith(QStringLiteral("disku është plot.\n")));
        const databuilder::BuildError e = databuilder::databaseError(
            QStringLiteral("/d/librezi.db"), platform::DbError({}, QStringLiteral("disk full"), 13));
        QVERIFY2(
            e.message().contains(QStringLiteral("/d/librezi.db nuk mund të shkruhet: disku është plot.\n(disk full)")),
            qPrintable(e.message()));

        QTemporaryDir dir;
        const Run run = build(out(dir), {}, [] {
            const rlimit small{200 * 1024, 200 * 1024};
            ::setrlimit(RLIMIT_FSIZE, &small);
            ::signal(SIGXFSZ, SIG_IGN);
        });
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains(QStringLiteral("LIB'REZI.rtf nuk mund të shkruhet: skedari kalon madhësinë")),
                 qPrintable(run.err));
        QCOMPARE(hidden(dir), QStringList());
    }
};

QTEST_MAIN(TestImport)
#include "test_import.moc"
