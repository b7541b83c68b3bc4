// SPDX-License-Identifier: GPL-3.0-or-later
// The builder on the project's facts: what it writes and what it refuses; the classification made of the facts and
// the faults of a reader's own. An import as a hostile world meets it: killed between its steps, racing a writer or
// a running window, fed what is not a file or not a translation, writing to a full disk.
#include "mainwindow/wholetext.h"
#include "platform/rtfreader.h"
#include "platform/textfold.h"
#include "tools/parallel.h"
#include "tools/pendingfile.h"
#include "windowtest.h"

#include <QStringEncoder>
#include <cerrno>
#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace databuilder;
using windowtest::hidden;

namespace {

QString builder() {
    return testsupport::buildFolder() + "/tools/librezi-builder";
}

struct Run {
    int code; // -1 when it was killed
    QString out, err;
};

// Runs the builder (or `program`) with variables added to its environment; a run that does not end in 20 s is a
// failure of its own (a read that never ends).
Run build(const QStringList& args, const QStringList& variables = {}, std::function<void()> child = {},
          const QString& program = builder()) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& v : variables)
        env.insert(v.section(u'=', 0, 0), v.section(u'=', 1));
    p.setProcessEnvironment(env);
    if (child)
        p.setChildProcessModifier(child);
    p.start(program, args);
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        return {-2, {}, "the builder did not end"};
    }
    return {p.exitStatus() == QProcess::CrashExit ? -1 : p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

QStringList out(const QTemporaryDir& dir, const QString& translation = QString()) {
    QStringList args{"--facts", testsupport::factsFolder(), "--out", dir.path()};
    if (!translation.isEmpty())
        args << "--translation" << translation;
    return args;
}

// A complete translation whose every verse says which import it belongs to, but the verses `empty` ("5:3").
QString writeTranslation(const QTemporaryDir& dir, const QString& tag, const QStringList& empty = {}) {
    QByteArray text;
    for (const databuilder::Surah& s : databuilder::readSurahs(testsupport::factsFolder()))
        for (int v = 1; v <= s.verses; ++v) {
            const QString key = QString::number(s.number) + u':' + QString::number(v);
            text +=
                (QString(key).replace(u':', u'|') + u'|' + (empty.contains(key) ? QString() : tag + u' ' + key) + u'\n')
                    .toUtf8();
        }
    const QString path = dir.filePath(tag + ".txt");
    if (!testsupport::overwrite(path, text))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// The surahs the parser is given below: two, of 2 verses and 1.
const QList<databuilder::Surah> kTwo{{1, 2, "A", "Mekë"}, {2, 1, "B", "Mekë"}};

// An XML translation of kTwo in the encoding it declares ("" for none).
QByteArray xml(const QByteArray& encoding, const QByteArray& first) {
    QByteArray text = "<quran>\n<sura index=\"1\">\n<aya index=\"1\" text=\"" + first +
                      "\"/>\n<aya index=\"2\" text=\"b\"/>\n</sura>\n<sura index=\"2\"><aya index=\"1\" "
                      "text=\"c\"/></sura>\n</quran>\n";
    return encoding.isEmpty() ? text : "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>\n" + text;
}

// The text as Notepad saves "Unicode": UTF-16 behind its mark.
QByteArray utf16(const QString& text, bool little) {
    return QStringEncoder(little ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE,
                          QStringEncoder::Flag::WriteBom)(text);
}

// A start of the program on `program` (its settings kept there too), as the reader makes it after the kill.
struct Start {
    frmKryesore* w = nullptr;
    QString said; // every message box, one a line
    QString line; // the window's note, shown without asking
    explicit Start(const QString& program) {
        Module1::unloadMainWindow();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, program);
        Module1::setProgramFolder(program);
        platform::MsgBoxScript boxes;
        if (Module1::Main() == 0)
            w = Module1::mainWindow();
        for (const platform::AskedMessage& m : boxes.asked())
            said += m.text + u'\n';
        QCoreApplication::processEvents(); // the note comes once the window shows
        if (w)
            line = testsupport::child<QLabel>(w, "lblNjoftimi")->text();
    }
    ~Start() { Module1::unloadMainWindow(); }
    // What the window shows of verse 1:1 and what its database holds there, "Re 1:1|Re 1:1" when they agree.
    QString verse() const {
        const QString text = testsupport::Controls(w).Rtf1->Text();
        const qsizetype at = text.indexOf("\n1:1.\t") + 6;
        return text.mid(at, text.indexOf(u'\r', at) - at) + u'|' +
               Module1::cnLidhja.value("SELECT Perkthimi FROM librezi WHERE NrSure = 1 AND NrAjet = 1").toString();
    }
};

} // namespace

class TestImport : public QObject {
    Q_OBJECT
    // A program folder as installed: the builder, and beside it a database that holds translation "Programi".
    QTemporaryDir m_program;
    QString installedBuilder() const { return m_program.filePath("librezi-builder"); }
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
        const Run r = build(args.replaceInStrings("@", m_dir.path()));
        return QString::number(r.code) + ' ' + r.out + r.err;
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(QFile::copy(builder(), installedBuilder()));
        QCOMPARE(build(out(m_program, writeTranslation(m_program, "Programi"))).code, 0);
        databuilder::build(options(m_dir.path()));
        m_built = files();
        m_lines = {"#  Name: Provë", "#  Translator: Përkthyes Prove", "#  http://shembull.example/sq", ""};
        for (const Surah& s : readSurahs(testsupport::factsFolder()))
            for (int v = 1; v <= s.verses; ++v)
                m_lines << QByteArray::number(s.number) + '|' + QByteArray::number(v) + "|Ajeti";
        m_lines[4] = "1|1|Provë: \\ {kllapa} | vija “thonjëza” s’ka 😀\r"; // the CR of a CR LF line is dropped
        QVERIFY(testsupport::overwrite(m_in.filePath("sq.txt"), m_lines.join('\n')));
    }
    void cleanup() { Module1::cnLidhja.Close(); }
    // Killed after each step, the folder holds one import (old or new) or a pair the window would refuse. The next
    // start finishes or removes what the kill left before it judges the files: the window opens on one import,
    // says nothing, and no temporary file is left. So does a run of the builder, even one whose input is refused.
    // In the reader's own folder of an installed program (--user, the window's import) the start finishes the
    // import before it compares the reader's copy with the program's.
    void killedBetweenSteps_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("left"); // temporary files the kill left
        QTest::addColumn<bool>("user");
        QTest::newRow("new whole text written") << 1 << 1 << false;
        QTest::newRow("new database written, a refused build after") << 2 << 2 << false;
        QTest::newRow("database in place") << 3 << 1 << false;
        QTest::newRow("both in place") << 4 << 0 << false;
        QTest::newRow("database in place in the reader's folder") << 3 << 1 << true;
    }
    void killedBetweenSteps() {
        QFETCH(int, step);
        QFETCH(int, left);
        QFETCH(bool, user);
        QTemporaryDir program, home;
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
        QCOMPARE(build(out(program, writeTranslation(program, "Vjetër"))).code, 0);
        const QString folder = user ? home.filePath("librezi") : program.path();
        QStringList args{"--facts", testsupport::factsFolder(), "--translation", writeTranslation(program, "Re")};
        args << (user ? QStringList{"--user"} : QStringList{"--out", program.path()});
        if (user)
            QVERIFY(testsupport::overwrite(program.filePath(Module1::kInstalledMarker), "installed\n"));
        QCOMPARE(build(args, {"LIBREZI_BUILDER_HALT=" + QString::number(step)}).code, -1);
        QCOMPARE(hidden(folder).size(), left);
        if (step == 3 && !user) { // the pair as it lies on disk: the window would refuse it
            Module1::cnLidhja.Open(program.filePath("librezi.db"));
            const QString fault = wholetext::read(Module1::library, program.filePath("LIB'REZI.rtf")).fault;
            QVERIFY2(fault.contains("dy importe"), qPrintable(fault));
            Module1::cnLidhja.Close();
        }
        if (step == 2) {
            QCOMPARE(build(out(program, program.filePath("mungon.txt"))).code, 1);
            QCOMPARE(hidden(folder), QStringList());
        }
        const QString expected = step >= 3 ? "Re 1:1" : "Vjetër 1:1";
        const Start start(program.path());
        QVERIFY2(start.w && start.said.isEmpty() && start.line.isEmpty(), qPrintable(start.said + start.line));
        QCOMPARE(Module1::cnLidhja.path(), folder + "/librezi.db");
        QCOMPARE(start.verse(), expected + u'|' + expected);
        QCOMPARE(hidden(folder), QStringList());
    }
    // Killed between its two renames, the new whole text lost too. While an import runs in the folder (its lock
    // held) its files are its own: the start leaves them, reads the database with a whole text made from it for
    // this run, and says why. Once it is over, the start writes the whole text again from the database (the same
    // bytes the import wrote) and says so. A newer import then replaces the database under the running window (the
    // builder in a terminal): the way back to the whole text says that a restart is what the reader needs.
    void mixedPairMended() {
        QTemporaryDir dir;
        QCOMPARE(build(out(dir, writeTranslation(dir, "Vjetër"))).code, 0);
        QCOMPARE(build(out(dir, writeTranslation(dir, "Re")), {"LIBREZI_BUILDER_HALT=3"}).code, -1);
        const QStringList left = hidden(dir.path());
        const QString wholeText = dir.filePath("LIB'REZI.rtf");
        const QByteArray old = testsupport::fileChecksum(wholeText),
                         written = testsupport::fileChecksum(dir.filePath(left.value(0)));
        {
            const databuilder::FolderLock running(dir.path());
            const Start start(dir.path());
            QVERIFY2(start.w && start.said.isEmpty(), qPrintable(start.said));
            QCOMPARE(start.line, QString("Një import ishte ndërprerë dhe teksti i plotë u bë nga baza e të dhënave "
                                         "vetëm për këtë herë, sepse në dosjen %1 po bëhet tani një import tjetër.")
                                     .arg(dir.path()));
            QCOMPARE(start.verse(), "Re 1:1|Re 1:1");
            QVERIFY(hidden(dir.path()) == left && testsupport::fileChecksum(wholeText) == old);
        }
        QVERIFY(QFile::remove(dir.filePath(left.value(0))));
        const Start start(dir.path());
        QVERIFY2(start.w && start.said.isEmpty(), qPrintable(start.said));
        QCOMPARE(start.line, "Një import ishte ndërprerë: teksti i plotë u shkrua sërish nga baza e të dhënave.");
        QCOMPARE(start.verse(), "Re 1:1|Re 1:1");
        QVERIFY(testsupport::fileChecksum(wholeText) == written && hidden(dir.path()).isEmpty());
        QCOMPARE(build(out(dir, writeTranslation(dir, "Nova"))).code, 0);
        const testsupport::Controls c(start.w);
        platform::MsgBoxScript boxes;
        testsupport::typeInto(c.CmbKerkoKrejt, "Re 2:255");
        c.cmdKerkoAll->click();
        QVERIFY(c.w->inPassageMode());
        boxes.clear();
        c.cmdKtheLibrezin->click();
        QCOMPARE(boxes.asked().value(0).text, "Teksti i plotë nuk mund të hapet: baza e të dhënave u zëvendësua nga "
                                              "një import i ri; rinisni programin.");
    }
    // Empty verses are data: kept with an empty text and named in the builder's note; the book around them is whole.
    void emptyVersesAccepted() {
        QTemporaryDir dir;
        const Run run = build(out(dir, writeTranslation(dir, "Re", {"5:3", "9:40"})));
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out.trimmed(), "2 ajete pa tekst: 5:3, 9:40");
        Module1::cnLidhja.Open(dir.filePath("librezi.db"));
        QCOMPARE(Module1::cnLidhja.value("SELECT Perkthimi FROM librezi WHERE NrSure = 9 AND NrAjet = 40"),
                 QVariant(QString()));
        const wholetext::Reading reading = wholetext::read(Module1::library, dir.filePath("LIB'REZI.rtf"));
        QVERIFY2(reading.fault.isEmpty(), qPrintable(reading.fault));
        QVERIFY(
            reading.document.plainText().contains("\n5:3.\t(ky përkthim nuk ka tekst për këtë ajet)\n5:4.\tRe 5:4"));
    }
    // A refused file lists every fault it holds, the first twenty, so that it can be mended in one pass; exactly
    // twenty are all listed, without a count of others.
    void everyFaultListed() {
        const auto refusal = [](const QByteArray& text) {
            try {
                databuilder::parseTranslation(text, {{1, 30, "A", "Mekë"}, {2, 2, "B", "Mekë"}});
            } catch (const databuilder::BuildError& e) {
                return e.message().split(u'\n');
            }
            return QStringList();
        };
        const QStringList lines = refusal("1|1|a\n1|1|again\n3|1|no such surah\nnot a verse\n2|9|beyond\n");
        QCOMPARE(lines.size(), 21);
        QCOMPARE(lines[0], "Rreshti 2: ajeti 1:1 përsëritet (është edhe në rreshtin 1).");
        QVERIFY(lines[1].startsWith("Rreshti 3: sureja 3 nuk ekziston") &&
                lines[2].startsWith("Rreshti 4: rreshti nuk ka formën") &&
                lines[3].startsWith("Rreshti 5: sureja 2 ka 2 ajete"));
        QCOMPARE(lines[4], "Mungon ajeti 1:2.");
        QCOMPARE(lines[20], "… dhe 15 gabime të tjera."); // 4 + 31 missing verses, 20 shown
        QByteArray twenty = "2|1|a\n2|2|b\n";
        for (int v = 1; v <= 10; ++v)
            twenty += "1|" + QByteArray::number(v) + "|x\n";
        QCOMPARE(refusal(twenty).size(), 20);
        QCOMPARE(refusal(twenty).last(), "Mungon ajeti 1:30.");
    }
    // The other common download, the XML form, with its names in a comment; a file that names nothing is
    // named by its file name.
    void xmlFormAndNames() {
        const QByteArray xml =
            "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<quran>\n<!--\n# Translator: Dikush\n"
            "  Source: https://tanzil.net\n-->\n<sura index=\"1\" name=\"A\"><aya index=\"2\" text=\"Dy &amp; dy\"/>"
            "<aya index=\"1\" text=\"Një\"/></sura><sura index=\"2\"><aya index=\"1\" text=\"\"/></sura></quran>";
        const databuilder::Translation t = databuilder::parseTranslation(xml, kTwo);
        QCOMPARE(t.verses, (QList<QStringList>{{"Një", "Dy & dy"}, {QString()}}));
        QCOMPARE(t.translator + u'|' + t.source + u'|' + t.emptyVerses.join(u' '), "Dikush|https://tanzil.net|2:1");
        QTemporaryDir dir;
        const QString path = dir.filePath("sq.ime.txt");
        QVERIFY(testsupport::overwrite(path, "1|1|a\n1|2|b\n2|1|c\n"));
        QCOMPARE(databuilder::readTranslation(path, kTwo).name, "sq.ime");
    }
    // What a file holds is read as it is meant, or refused with the one cause: the encoding, the form of the XML,
    // a verse beyond any real one, a file without a verse text. A line break in a verse is one blank.
    void readOrRefused_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("verse"); // what verse 1:1 reads; "" when the file is refused
        QTest::addColumn<QString>("said");  // the first line of the refusal
        QTest::addColumn<int>("lines");     // the lines of the refusal
        const QString notUtf16 = "Skedari nis me shenjën e UTF-16, por bajtet e tij nuk janë UTF-16 i vlefshëm.";
        const QString notXml = "Rreshti %1: XML-ja nuk është e rregullt, ndaj skedari nuk mund të lexohet.";
        const QString tooLong = "Rreshti 1: ajeti 1:1 ka %1 bajtë tekst, ndërsa një ajet pranohet deri në 65 536 "
                                "bajtë (64 KB).";
        const QString utf8 = "XML-ja thotë se është në kodimin ISO-8859-1, por bajtet e saj janë UTF-8.";
        const QString notOne =
            "Ky skedar nuk është përkthim: pritej „sura|ajeti|teksti” në çdo rresht ose XML i Tanzil-it.";
        auto row = [](const char* tag, const QByteArray& content, const QString& verse, const QString& said = {},
                      int lines = 1) { QTest::newRow(tag) << content << verse << said << lines; };
        const QByteArray lines = "1|2|b\n2|1|c\n";
        row("ISO-8859-1 as declared", xml("ISO-8859-1", "M\xEBshiruesit"), "Mëshiruesit");
        row("windows-1252 as declared", xml("windows-1252", "\x93Po\x94"), "“Po”");
        row("UTF-8 declared ISO-8859-1", xml("ISO-8859-1", "Mëshiruesit"), "", utf8);
        row("UTF-8 with its mark declared ISO-8859-1", "\xEF\xBB\xBF" + xml("ISO-8859-1", "a"), "", utf8);
        row("ISO-8859-1 declared UTF-8", xml("utf-8", "M\xEBshiruesit"), "",
            "Rreshti 4: XML-ja thotë se është në kodimin utf-8, por bajtet e saj nuk janë UTF-8.");
        row("ISO-8859-1 declaring nothing", xml("", "M\xEBshiruesit"), "",
            "Rreshti 3: XML-ja nuk thotë në cilin kodim është, pra duhet të jetë UTF-8, por bajtet e saj nuk janë "
            "UTF-8.");
        row("UTF-16 declared, one byte a letter", xml("UTF-16", "a"), "",
            "XML-ja thotë se është në kodimin UTF-16, por bajtet e saj janë një kodim me një bajt për shkronjë (pa "
            "shenjën BOM të UTF-16).");
        row("an encoding no one knows", xml("x-kodimi-im", "a"), "",
            "XML-ja është në kodimin x-kodimi-im, të cilin programi nuk e njeh; ruajeni në UTF-8 dhe provoni sërish.");
        row("UTF-16 LE text", utf16(QString::fromUtf8("1|1|Mëshiruesit\r\n" + lines), true), "Mëshiruesit");
        row("UTF-16 BE XML still declaring UTF-8", utf16(QString::fromUtf8(xml("utf-8", "Mëshiruesit")), false),
            "Mëshiruesit");
        row("UTF-16 LE XML", utf16(QString::fromUtf8(xml("UTF-16", "Mëshiruesit")), true), "Mëshiruesit");
        row("UTF-16 cut in a letter", utf16(QString::fromUtf8("1|1|a\n" + lines), true).chopped(1), "", notUtf16);
        row("UTF-16 with half a pair", utf16("1|1|a" + QString(QChar(0xD800)) + QString::fromUtf8("\n" + lines), true),
            "", notUtf16);
        row("a tag left open", "<quran><sura index=\"1\"><aya index=\"1\" text=\"x\">\n</quran>", "", notXml.arg(2), 2);
        row("a repeated verse, then a broken tag", xml("", "a").replace("</sura>\n<sura", "<aya index=\"2\"/><sura"),
            "", notXml.arg(6), 2);
        row("cut short", xml("utf-8", "a").chopped(20), "",
            "Rreshti 7: XML-ja mbaron para se të mbyllet, skedari duket i cunguar.", 2);
        row("entities that expand for ever",
            "<?xml version=\"1.0\"?>\n<!DOCTYPE q [<!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">"
            "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
            "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">]>\n" +
                xml("", "&d;"),
            "",
            "Rreshti 5: XML-ja ka entitete që nuk mund të zbërthehen (të padeklaruara, rekursive ose që zgjerohen "
            "tej kufirit).",
            2);
        row("breaks in XML", xml("", "Një&#10;dy &#13;&#10; tre&#9;katër&#x2028;pesë&#x85;"), "Një dy tre katër pesë");
        row("breaks in a line", "1|1|a\vb\fc\xC2\x85\xE2\x80\xA8 d\xE2\x80\xA9\n" + lines, "a b c d");
        row("lines ended by CR alone, as old Macs end them", "1|1|a\r1|2|b\r2|1|c\r", "a");
        row("a verse of 64 KB", "1|1|" + QByteArray(65536, 'a') + '\n' + lines, QString(65536, u'a'));
        row("64 KB and a byte", "1|1|" + QByteArray(65537, 'a') + '\n' + lines, "", tooLong.arg("65 537"));
        row("64 KB and 2 bytes of three-byte letters", "1|1|" + QString(21846, QChar(0x2019)).toUtf8() + '\n' + lines,
            "", tooLong.arg("65 538"));
        row("one verse with text", "1|1|a\n1|2|\n2|1|\n", "a");
        row("no verse with text", "1|1|\n1|2|  \n2|1|\n", "",
            "Asnjë ajet nuk ka tekst: të 3 ajetet e skedarit janë bosh.");
        row("no verse at all", "#  Name: Bosh\n\n", "", notOne);
        row("an XML without verses", "<quran>\n</quran>\n", "", notOne);
        row("no line a verse", "1:1 a\n1:2 b\n1:3 c\n", "", notOne);
        row("a page of the web", "<!DOCTYPE html>\n<html><head><meta charset=utf-8><title>Tanzil</title>", "", notOne);
        row("a document of another kind", "%PDF-1.4\n\xE2\xE3\xCF\xD3\n1 0 obj|2|\n", "", notOne);
        row("verse lines in another encoding", "1|1|M\xEBshiruesit\n1|2|\xEB\n2|1|\xE7\n", "",
            "Skedari nuk jep asnjë ajet; rreshtat e tij kanë këto gabime:", 4);
        row("no verse line right", "1|3|a\n3|1|b\n", "",
            "Skedari nuk jep asnjë ajet; rreshtat e tij kanë këto gabime:", 3);
        row("a broken XML of the form", "<quran><sura index=\"1\"><aya index=\"1\" text=\"x\"><p>", "",
            "Rreshti 1: XML-ja mbaron para se të mbyllet, skedari duket i cunguar.", 2);
    }
    void readOrRefused() {
        QFETCH(QByteArray, content);
        QFETCH(QString, verse);
        QFETCH(QString, said);
        QFETCH(int, lines);
        try {
            const databuilder::Translation t = databuilder::parseTranslation(content, kTwo);
            QVERIFY2(!verse.isEmpty(), "accepted");
            QCOMPARE(t.verses[0][0], verse);
            QCOMPARE(t.verses[1][0], t.emptyVerses.isEmpty() ? "c" : QString());
        } catch (const databuilder::BuildError& e) {
            QVERIFY2(verse.isEmpty(), qPrintable(e.message()));
            const QStringList told = e.message().split(u'\n');
            QCOMPARE(told[0], said);
            QCOMPARE(told.size(), lines);
        }
    }
    // --user without a translation keeps the reader's: their own copy's, or the program folder's while they have
    // no copy yet; the classification given with it is applied.
    void userBuildKeepsTheTranslation_data() {
        QTest::addColumn<QString>("own"); // the reader's copy: of translation "Imi", of none ("-"), or no copy ("")
        QTest::newRow("own copy") << "Imi";
        QTest::newRow("own copy without a translation") << "-";
        QTest::newRow("no copy yet") << "";
    }
    void userBuildKeepsTheTranslation() {
        QFETCH(QString, own);
        QTemporaryDir dir;
        const auto user = [&](const QString& option, const QString& file) { // the installed builder's --user run
            return build({"--user", "--facts", testsupport::factsFolder(), option, file},
                         {"XDG_DATA_HOME=" + dir.path()}, {}, installedBuilder());
        };
        if (own == "-")
            QCOMPARE(build({"--facts", testsupport::factsFolder(), "--out", dir.filePath("librezi")}).code, 0);
        else if (!own.isEmpty())
            QCOMPARE(user("--translation", writeTranslation(dir, own)).code, 0);
        QVERIFY(testsupport::overwrite(dir.filePath("temat.tsv"), "1\tKreu im\t1\tTema ime\t2\t255\n"));
        const Run run = user("--classification", dir.filePath("temat.tsv"));
        QVERIFY2(run.code == 0, qPrintable(run.err));

        const QString tag = own.isEmpty() ? "Programi" : own;
        const QString verse = own == "-" ? databuilder::placeholderText() : tag + " 2:255";
        Module1::cnLidhja.Open(dir.filePath("librezi/librezi.db"));
        QCOMPARE(Module1::cnLidhja.value("SELECT Perkthimi FROM librezi WHERE NrSure = 2 AND NrAjet = 255").toString(),
                 verse);
        QCOMPARE(Module1::cnLidhja.value("SELECT count(*) FROM Temat WHERE Tema = 'Tema ime'").toInt(), 1);
        const wholetext::Reading reading = wholetext::read(Module1::library, dir.filePath("librezi/LIB'REZI.rtf"));
        QVERIFY2(reading.fault.isEmpty(), qPrintable(reading.fault));
        const QString text = reading.document.plainText();
        QVERIFY(text.contains("\n2:255.\t" + verse + '\n'));
        QVERIFY(own == "-" ? text.contains('\n' + databuilder::placeholderNote()[0] + '\n')
                           : text.startsWith("Kur'ani — përkthimi shqip: " + tag + '\n'));
    }
    // On a full disk (a small file system of the run's own) a write says so in Albanian, the system's words after.
    void fullDisk_data() {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QStringList>("args"); // "@" stands for the full folder
        QTest::addColumn<QString>("said");
        const QStringList build{"--facts", testsupport::factsFolder(), "--out", "@"};
        QTest::newRow("the whole text") << "64k" << build
                                        << "Skedari @/LIB'REZI.rtf nuk mund të shkruhet: disku është plot.";
        QTest::newRow("the database") << "1m" << build
                                      << "Baza e të dhënave @/librezi.db nuk mund të shkruhet: disku është plot.";
        QTest::newRow("the reader's copy")
            << "300k" << QStringList{"--add-reciter", "--user", "--name", "X", "--folder", "/", "--kind", "ajete"}
            << "Kopja e bazës për përdoruesin nuk u bë (@/librezi/librezi.db): disku është plot.";
    }
    void fullDisk() {
        QFETCH(QString, size);
        QFETCH(QStringList, args);
        QFETCH(QString, said);
        QTemporaryDir dir;
        // A user and mount namespace of its own: the small file system lives and dies with the builder.
        const QStringList mounted{"-rm", "sh",
                                  "-c",  "mount -t tmpfs -o size=\"$0\" tmpfs \"$1\" || exit 99; shift; exec \"$@\"",
                                  size,  dir.path()};
        if (build(mounted + QStringList{"true"}, {}, {}, "unshare").code != 0)
            QSKIP("no file system of its own can be mounted here");
        const Run run = build(mounted + QStringList{installedBuilder()} + args.replaceInStrings("@", dir.path()),
                              {"XDG_DATA_HOME=" + dir.path()}, {}, "unshare");
        QCOMPARE(run.code, 1);
        const QStringList told = run.err.trimmed().split(u'\n');
        QCOMPARE(told.size(), 2);
        QCOMPARE(told[0], said.replace("@", dir.path()));
    }
    // A writer in the middle of a transaction: the import waits a bounded time, refuses naming the database
    // (not its temporary file), and the writer's change lands.
    void importWaitsForAWriter() {
        QTemporaryDir dir;
        QCOMPARE(build(out(dir)).code, 0);
        const QString database = dir.filePath("librezi.db");
        databuilder::addReciter({database, "Lexuesi im", dir.path(), {}, true, false});
        platform::Connection writer;
        writer.Open(database);
        writer.exec("BEGIN EXCLUSIVE");
        writer.exec("UPDATE Lokacioni_i_zerit SET Lokacioni = 'e re' WHERE Lexuesi = 'Lexuesi im'");
        const Run run = build(out(dir, writeTranslation(dir, "Re")));
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains("në përdorim") && run.err.contains(QDir::toNativeSeparators(database)) &&
                     !run.err.contains(".librezi.db."),
                 qPrintable(run.err));
        writer.exec("COMMIT");
        writer.Close();
        writer.Open(database);
        QCOMPARE(writer.value("SELECT Lokacioni FROM Lokacioni_i_zerit WHERE Lexuesi = 'Lexuesi im'"),
                 QVariant("e re"));
        QCOMPARE(hidden(dir.path()), QStringList());
    }
    // What is not a file of a sane size is refused before it is read.
    void inputsThatAreNoFiles_data() {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("said");
        const QString notAFile = "nuk është skedar i zakonshëm";
        QTest::newRow("a device") << "/dev/zero" << notAFile;
        QTest::newRow("a pipe") << "fifo" << notAFile;
        QTest::newRow("a folder") << "." << notAFile;
        QTest::newRow("no translation") << "faqe.html"
                                        << "Skedari %1 nuk pranohet.\nKy skedar nuk është përkthim: pritej "
                                           "„sura|ajeti|teksti” në çdo rresht ose XML i Tanzil-it.\n";
        QTest::newRow("64 MB and a byte")
            << "big"
            << "më i madh se sa pranohet: ka 67 108 865 bajtë, ndërsa pranohen deri në 67 108 864 bajtë (64 MB).";
    }
    void inputsThatAreNoFiles() {
        QFETCH(QString, what);
        QFETCH(QString, said);
        QTemporaryDir dir;
        QString path = what.startsWith(u'/') ? what : dir.filePath(what);
        if (what == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        if (what == "faqe.html")
            QVERIFY(testsupport::overwrite(path, "<html>\n<p>Sure 1, ajeti 1\n<p>Sure 1, ajeti 2\n"));
        said.replace("%1", path);
        if (what == "big") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(databuilder::kMaxInputBytes + 1));
        }
        const Run run = build(out(dir, path));
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains(said), qPrintable(run.err));
        QVERIFY(!QFile::exists(dir.filePath("librezi.db")));
    }
    // A write that fails says why in Albanian and names the file the reader knows, not a temporary one; nothing
    // is left beside it.
    void writeFailuresSayWhy() {
        QVERIFY(databuilder::fileCause(ENOSPC).startsWith("disku është plot.\n"));
        const databuilder::BuildError e =
            databuilder::databaseError("/d/librezi.db", platform::DbError({}, "disk full", 13));
        QVERIFY2(e.message().contains("/d/librezi.db nuk mund të shkruhet: disku është plot.\n(disk full)"),
                 qPrintable(e.message()));
        QTemporaryDir dir;
        const Run run = build(out(dir), {}, [] {
            const rlimit small{200 * 1024, 200 * 1024};
            ::setrlimit(RLIMIT_FSIZE, &small);
            ::signal(SIGXFSZ, SIG_IGN);
        });
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains("LIB'REZI.rtf nuk mund të shkruhet: skedari kalon madhësinë"), qPrintable(run.err));
        QCOMPARE(hidden(dir.path()), QStringList());
    }
    void database_data() {
        QTest::addColumn<QString>("translation");
        QTest::addColumn<QStringList>("read"); // verse 1:1, then the source, the translation and the translator
        QTest::newRow("none") << QString() << QStringList{placeholderText(), "", "", ""};
        QTest::newRow("every kind of character")
            << m_in.filePath("sq.txt")
            << QStringList{"Provë: \\ {kllapa} | vija “thonjëza” s’ka 😀", "http://shembull.example/sq", "Provë",
                           "Përkthyes Prove"};
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
        databuilder::build(options(dir, translation));
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
                databuilder::build(options(m_dir.path()));
            QCOMPARE(rows(m_dir.path(), "SELECT group_concat(IDLok || [Default]) FROM Lokacioni_i_zerit")[0][0],
                     QStringLiteral("10,2-1,3-1"));
        }
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
    // A text beside the translation imported from a terminal: its kind known by its letters, a refused one said.
    void parallelFromTheTerminal() {
        const QString store = m_program.filePath("tekstet.db");
        const Run done = build({"--parallel", writeTranslation(m_program, "Tjeter"), "--store", store, "--facts",
                                testsupport::factsFolder()});
        QCOMPARE(done.code, 0);
        QCOMPARE(done.out, QStringLiteral("U importua „Tjeter” (përkthim, sq).\n"));
        const QString page = m_program.filePath("faqe.html");
        QVERIFY(testsupport::overwrite(page, "<html><body>Nuk u gjet</body></html>"));
        const Run wrong = build({"--parallel", page, "--store", store, "--facts", testsupport::factsFolder()});
        QCOMPARE(wrong.code, 1);
        QVERIFY(wrong.err.contains(databuilder::notATranslation()));
        QCOMPARE(databuilder::parallelTexts(store).size(), 1);
        QCOMPARE(databuilder::parallelTexts(store)[0].kind, databuilder::TextKind::Translation);
        const Run arabic = build({"--parallel", writeTranslation(m_program, QStringLiteral("نص")), "--store", store,
                                  "--facts", testsupport::factsFolder()});
        QCOMPARE(arabic.out, QStringLiteral("U importua „نص” (teksti arab).\n"));
        QCOMPARE(databuilder::parallelTexts(store).value(1).kind, databuilder::TextKind::Arabic);
        QCOMPARE(databuilder::parallelTexts(store).value(1).language, QStringLiteral("ar"));
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

QTEST_MAIN(TestImport)
#include "test_import.moc"
