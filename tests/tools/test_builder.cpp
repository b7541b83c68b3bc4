// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/database.h"
#include "platform/rtfreader.h"
#include "platform/textfold.h"
#include "testsupport.h"
#include "tools/databuilder.h"

#include <QtTest>

using namespace databuilder;

// The builder on the project's facts: what it writes, and what it refuses; the classification made of the facts,
// and the faults of a reader's own.
class TestBuilder : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir, m_in; // built without a translation; inputs and other builds
    QList<QByteArray> m_lines; // a translation of every verse, 1:1 on line 5 after comments like the real files'
    QStringList m_built;       // the built files and their checksums
    QList<Surah> m_surahs = readSurahs(testsupport::factsFolder());
    static QList<QStringList> rows(const QString& folder, const QString& sql) {
        platform::Connection db;
        db.Open(folder + "/librezi.db");
        return testsupport::queryRows(db, sql);
    }
    static Options options(const QString& out, const QString& translation = QString()) {
        Options o;
        o.factsFolder = testsupport::factsFolder();
        o.outFolder = out;
        o.translationFile = translation;
        return o;
    }
    QStringList files() const {
        return QDir(m_dir.path()).entryList(QDir::Files) << testsupport::fileChecksum(m_dir.filePath("librezi.db"))
                                                         << testsupport::fileChecksum(m_dir.filePath("LIB'REZI.rtf"));
    }
    // Runs the builder ("@" stands for the built folder): its exit code and what it said, as one text.
    QString run(QStringList args) {
        QProcess p;
        p.start(testsupport::buildFolder() + "/tools/librezi-builder", args.replaceInStrings("@", m_dir.path()));
        p.waitForFinished();
        return QString::number(p.exitCode()) + ' ' + QString::fromLocal8Bit(p.readAll() + p.readAllStandardError());
    }

private Q_SLOTS:
    void initTestCase() {
        build(options(m_dir.path()));
        m_built = files();
        m_lines = {"#  Name: Provë", "#  Translator: Përkthyes Prove", "#  http://shembull.example/sq", ""};
        for (const Surah& s : readSurahs(testsupport::factsFolder()))
            for (int v = 1; v <= s.verses; ++v)
                m_lines << QByteArray::number(s.number) + '|' + QByteArray::number(v) + "|Ajeti";
        m_lines[4] = "1|1|Provë: \\ {kllapa} | vija “thonjëza” s’ka 😀\r"; // the CR of a CR LF line is dropped
        QVERIFY(testsupport::overwrite(m_in.filePath("sq.txt"), m_lines.join('\n')));
        // The XML form, verse 1:1 broken over lines.
        QByteArray xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<quran>\n<!--\n  Translator: Përkthyes XML\n"
                         "  Source: https://shembull.example/xml\n-->\n";
        for (const Surah& s : readSurahs(testsupport::factsFolder())) {
            xml += "<sura index=\"" + QByteArray::number(s.number) + "\">\n";
            for (int v = 1; v <= s.verses; ++v)
                xml += "<aya index=\"" + QByteArray::number(v) + "\" text=\"" +
                       (s.number == 1 && v == 1 ? "Një&#10;dy &#13;&#10;&#9;tre&#x2028;" : "Ajeti") + "\"/>\n";
            xml += "</sura>\n";
        }
        QVERIFY(testsupport::overwrite(m_in.filePath("sq.xml"), xml + "</quran>\n"));
    }
    void database_data() {
        QTest::addColumn<QString>("translation");
        QTest::addColumn<QStringList>("read"); // verse 1:1, then the source, the translation and the translator
        QTest::newRow("none") << QString() << QStringList{placeholderText(), "", "", ""};
        QTest::newRow("every kind of character")
            << m_in.filePath("sq.txt")
            << QStringList{"Provë: \\ {kllapa} | vija “thonjëza” s’ka 😀", "http://shembull.example/sq", "Provë",
                           "Përkthyes Prove"};
        QTest::newRow("line breaks in a verse")
            << m_in.filePath("sq.xml")
            << QStringList{"Një dy tre", "https://shembull.example/xml", "", "Përkthyes XML"};
        QTest::newRow("real") << testsupport::sharedTestFile("sq.ahmeti.txt")
                              << QStringList{"Me emrin e All-llahut, Mëshiruesit, Mëshirëbërësit!", "Tanzil.net",
                                             "Sherif Ahmeti", "Sherif Ahmeti"};
    }
    // The database, and the whole text read as the program reads it: the title, the database's headings and verses.
    void database() {
        QFETCH(QString, translation);
        QFETCH(QStringList, read);
        if (translation.isEmpty() && QTest::currentDataTag() == QByteArray("real"))
            QSKIP("the shared test material is not here");
        const QString dir = m_in.filePath(QTest::currentDataTag());
        build(options(dir, translation));
        // 114 surahs, 6,236 verses, 29 tips; the groups in order under their surahs' names, the parts whole.
        QCOMPARE(
            rows(dir, "SELECT (SELECT count(*) || sum(NrAjete) || sum(Vendi IN ('Mekë', 'Medinë')) || sum(NrAjete = ("
                      "SELECT count(*) FROM librezi WHERE NrSure = IDSureja)) FROM Suret) || (SELECT count(*) FROM "
                      "Keshilla) || (SELECT group_concat(nrsure || emrsure || ajetet) FROM klasifikim WHERE tema = "
                      "'Xhuzi 1') || ' ' || (SELECT sum(CASE instr(ajetet, '-') WHEN 0 THEN 1 ELSE substr(ajetet, "
                      "instr(ajetet, '-') + 1) - ajetet + 1 END) FROM klasifikim WHERE tema LIKE 'Xhuzi %'), (SELECT "
                      "Perkthimi FROM librezi WHERE rowid = 1), (SELECT group_concat(Vlera, '|') "
                      "FROM (SELECT Vlera FROM Te_dhenat WHERE Celesi NOT IN ('versioni_i_skemes', 'importi') ORDER BY "
                      "Celesi))")[0],
            QStringList({"114623611411429" + QString("1Fatiha1-7,2Bekare1-141 6236"), read[0], read.mid(1).join('|')}));
        // Beside each verse, its copy for the search that takes ë as e and ç as c.
        QCOMPARE(rows(dir, "SELECT Kerkimi FROM librezi WHERE rowid = 1")[0],
                 QStringList{platform::foldText(read[0], true)});
        const QByteArray rtf = readWholeFile(dir + "/LIB'REZI.rtf");
        QStringList text{"Kur'ani — përkthimi shqip" + QString(read[3].isEmpty() ? "" : " nga ") + read[3]};
        if (!read[1].isEmpty())
            text << "Burimi: " + read[1];
        if (read[0] == placeholderText())
            text << placeholderNote(); // the book says how to bring a translation in
        for (const QStringList& v : rows(dir, "SELECT NrSure, Emri, NrAjet, Perkthimi FROM librezi JOIN Suret ON "
                                              "IDSureja = NrSure ORDER BY NrSure, NrAjet"))
            text << (v[2] == u"1" ? QStringList{v[0] + ".\t" + v[1]} : QStringList())
                 << v[0] + ':' + v[2] + ".\t" + v[3];
        QCOMPARE(platform::rtf::parse(rtf).plainText().split(u'\n'), text);
    }
    void refusedRun_data() {
        QTest::addColumn<QStringList>("args");       // "%" stands for the translation with one line changed
        QTest::addColumn<int>("line");               // that line, from 1
        QTest::addColumn<QByteArray>("replacement"); // none: the line is removed
        QTest::addColumn<QString>("says");           // the exit code and the message; a translation's line
        const QStringList tr{"--facts", testsupport::factsFolder(), "--out", "@", "--translation", "%"};
        auto row = [](const char* tag, QStringList args, int line, QByteArray replacement, QString says) {
            QTest::newRow(tag) << args << line << replacement << says;
        };
        row("invalid UTF-8", tr, 300, "3|3|a\xC3", "Rreshti 300: teksti nuk është UTF-8");
        row("file ends early", tr, 6240, "", "Mungon ajeti 114:6.");
        row("unknown argument", {"--out", "@", "--tekst"}, 1, "#", "2 Argument i panjohur: --tekst");
    }
    // A refused run leaves the built files as they were, with nothing beside them (what a translation may hold is
    // the import test's).
    void refusedRun() {
        QFETCH(QStringList, args);
        QFETCH(int, line);
        QFETCH(QByteArray, replacement);
        QFETCH(QString, says);
        QList<QByteArray> lines = m_lines;
        replacement.isEmpty() ? lines.removeAt(line - 1) : lines[line - 1].swap(replacement);
        QVERIFY(testsupport::overwrite(m_in.filePath("1.txt"), lines.join('\n') + '\n'));
        if (args.contains("%"))
            says = "1 Përkthimi " + m_in.filePath("1.txt") + " nuk pranohet.\n" + says;
        const QString said = run(args.replaceInStrings("%", m_in.filePath("1.txt")));
        QVERIFY2(said.startsWith(says), qPrintable(said));
        QCOMPARE(files(), m_built);
    }
    // A reciter added as the default of its kind; a new translation keeps it and the choice.
    void reciters() {
        QVERIFY(run({"--add-reciter", "--db", "@/librezi.db", "--name", "X", "--folder", "@", "--kind", "ajete",
                     "--default"})
                    .startsWith("0 U shtua lexuesi X (IDLok 3)"));
        for (bool rebuilt : {false, true}) {
            if (rebuilt)
                build(options(m_dir.path()));
            QCOMPARE(rows(m_dir.path(), "SELECT group_concat(IDLok || [Default]) FROM Lokacioni_i_zerit")[0][0],
                     QStringLiteral("10,2-1,3-1"));
        }
    }
    void classifications() {
        const Classification c = factsClassification(testsupport::factsFolder(), m_surahs);
        const auto groups = [](const Theme& t) { // "surah:verses" each
            QStringList out;
            for (const VerseGroup& g : t.groups)
                out << QString::number(g.surah) + ':' + g.verses;
            return out;
        };
        // A part ends just before the next begins, in its surah or at the end of the one before; the last at 114:6.
        QCOMPARE(QStringList({groups(c[0].themes[1]).join(' '), groups(c[0].themes[28]).last(),
                              groups(c[0].themes[29]).last()}),
                 QStringList({"2:142-252", "77:1-50", "114:1-6"}));
    }
    // A reader's classification of six lines (a comment, an empty line and a CR LF line among them) and a seventh
    // that is refused.
    void refusedClassificationLine_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("cause");
        auto row = [](const char* tag, QByteArray line, QString cause) { QTest::newRow(tag) << line << cause; };
        const QByteArray head = "2\tMëshira\t3\tRrahmani\t";
        row("open range", head + "55\t1-", "„1-”");
        row("backwards", head + "55\t3-1", "mbrapsht");
        row("surah 115", head + "115\t1", "sureja 115 nuk ekziston");
        row("verse beyond", head + "1\t2,5-8", "ajeti 8 nuk");
        row("chapter returns", "1\tLutja\t1\tFillimi\t3\t1", "rikthehet");
        row("theme in two chapters", "2\tMëshira\t2\tDurimi\t55\t1", "në kreun 1");
        row("invalid UTF-8", head + "55\t1\xFF", "UTF-8");
    }
    void refusedClassificationLine() {
        QFETCH(QByteArray, line);
        QFETCH(QString, cause);
        const QByteArray own =
            "# kreu\tKreu\ttema\tTema\tsureja\tajetet\n1\tLutja\t1\tFillimi\t1\t1-7\n\n1\tLutja\t1\t"
            "Fillimi\t2\t1-5,255\r\n1\tLutja\t2\tDurimi\t2\t153\n2\tMëshira\t3\tRrahmani\t55\t1-4,13\n";
        QString refusal;
        try {
            parseClassification(own + line + '\n', m_surahs);
        } catch (const BuildError& e) {
            refusal = e.message();
        }
        QVERIFY2(refusal.startsWith("Rreshti 7: ") && refusal.contains(cause), qPrintable(refusal));
    }
};

QTEST_GUILESS_MAIN(TestBuilder)
#include "test_builder.moc"
