#include "data/schema.h"
#include "platform/database.h"
#include "testsupport.h"
#include "tools/databuilder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using databuilder::BuildError;

namespace {

QByteArray readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
char at(const QByteArray& b, qsizetype i) {
    return i < b.size() ? b[i] : '\0';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The text of an RTF file as the builder writes it: \par ends a line, \tab is a TAB, \uN? is one
// UTF-16 unit; the font and colour tables are skipped and other control words dropped.
QString rtfText(const QByteArray& rtf) {
    QString out;
    int depth = 0;
    int skipFrom = 0; // the depth of a table being skipped, 0 for none
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '{' || c == '}') {
            if (c == '}' && depth == skipFrom)
                skipFrom = 0;
            depth += c == '{' ? 1 : -1;
        } else if (c == '\r' || c == '\n') {
        } else if (c != '\\') {
            if (!skipFrom)
                out += QLatin1Char(c);
        } else if (!isLetter(at(rtf, i + 1))) {
            if (!skipFrom)
                out += QLatin1Char(at(rtf, i + 1));
            ++i;
        } else {
            qsizetype j = i + 1;
            while (isLetter(at(rtf, j)))
                ++j;
            const QByteArray word = rtf.mid(i + 1, j - i - 1);
            qsizetype k = j + (at(rtf, j) == '-' ? 1 : 0);
            while (isDigit(at(rtf, k)))
                ++k;
            const int param = rtf.mid(j, k - j).toInt();
            i = (at(rtf, k) == ' ' ? k : k - 1);
            if (word == "fonttbl" || word == "colortbl")
                skipFrom = depth;
            else if (skipFrom)
                continue;
            else if (word == "par")
                out += u'\n';
            else if (word == "tab")
                out += u'\t';
            else if (word == "u") {
                // N is a signed 16-bit number: units above U+7FFF are written negative.
                out += param >= -32768 && param <= 32767 ? QChar(char16_t(param)) : QChar(QChar::ReplacementCharacter);
                ++i; // the '?' read by programs that do not know \u
            }
        }
    }
    return out;
}

QList<QStringList> rows(platform::Connection& db, const QString& sql) {
    return testsupport::queryRows(db, sql);
}

QString value(platform::Connection& db, const QString& sql) {
    return rows(db, sql).value(0).value(0);
}

// The whole text in `folder`: ASCII only, the title, then exactly the database's headings and verses,
// and no empty paragraph after the last verse.
void compareWholeText(const QString& folder, platform::Connection& db, const QString& title) {
    const QByteArray rtf = readBytes(QDir(folder).filePath(QStringLiteral("LIB'REZI.rtf")));
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
    QVERIFY(rtf.endsWith("\\par}"));
    QVERIFY(std::all_of(rtf.begin(), rtf.end(), [](char c) { return uchar(c) < 0x80; }));
    QStringList expected{title};
    for (const QStringList& s : rows(db, QStringLiteral("select IDSureja, Emri from Suret order by IDSureja"))) {
        expected.append(s[0] + QStringLiteral(".\t") + s[1]);
        for (const QStringList& v : rows(db, QStringLiteral("select NrAjet, Perkthimi from librezi where NrSure = ") +
                                                 s[0] + QStringLiteral(" order by NrAjet")))
            expected.append(s[0] + u':' + v[0] + QStringLiteral(".\t") + v[1]);
    }
    expected.append(QString()); // what follows the last \par
    QCOMPARE(rtfText(rtf).split(u'\n'), expected);
}

// A valid translation of every verse, one line each, with a comment block like the real files'.
QList<QByteArray> syntheticTranslation(const QList<databuilder::Surah>& surahs) {
    QList<QByteArray> lines{"#  Name: Provë", "#  Translator: Përkthyes Prove", "#  http://shembull.example/sq", ""};
    for (const databuilder::Surah& s : surahs)
        for (int v = 1; v <= s.verses; ++v)
            lines.append(QByteArray::number(s.number) + '|' + QByteArray::number(v) + "|Ajeti " +
                         QByteArray::number(s.number) + ':' + QByteArray::number(v) + '.');
    lines[4] = "1|1|Provë: \\ {kllapa} | vija “thonjëza” s’ka 😀\r"; // the CR of a CR LF line is dropped
    return lines;
}

qsizetype lineOf(const QList<QByteArray>& lines, const QByteArray& prefix) {
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines[i].startsWith(prefix))
            return i;
    return -1;
}

} // namespace

class TestBuilder : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir; // built without a translation
    QList<databuilder::Surah> m_surahs;
    platform::Connection m_db;

private Q_SLOTS:
    void initTestCase() {
        m_surahs = databuilder::readSurahs(testsupport::factsFolder());
        databuilder::build({testsupport::factsFolder(), m_dir.path(), QString(), QString()});
        m_db.Open(m_dir.filePath(QStringLiteral("librezi.db")));
    }

    void versesFollowTheFactsInOrder() {
        QCOMPARE(value(m_db, QStringLiteral("select count(*) from Suret")), QStringLiteral("114"));
        QCOMPARE(value(m_db, QStringLiteral("select count(*) from librezi")), QStringLiteral("6236"));
        QCOMPARE(value(m_db, QStringLiteral("select count(*) from Suret s where NrAjete <> (select count(*) from "
                                            "librezi where NrSure = s.IDSureja) or Vendi not in ('Mekë', 'Medinë')")),
                 QStringLiteral("0"));
        // Rows were written in reading order, each verse holding the placeholder.
        const QList<QStringList> verses = rows(m_db, QStringLiteral("select NrSure, NrAjet, Perkthimi from librezi "
                                                                    "order by rowid"));
        qsizetype i = 0;
        for (const databuilder::Surah& s : m_surahs)
            for (int v = 1; v <= s.verses; ++v, ++i)
                QCOMPARE(verses[i],
                         (QStringList{QString::number(s.number), QString::number(v), databuilder::placeholderText()}));
    }

    void surahsByVerseCount() {
        const QList<QStringList> view =
            rows(m_db, QStringLiteral("select NrAjete, FirstOfIDSureja from SuretMeTotalAjete"));
        QVERIFY(!view.isEmpty());
        for (qsizetype i = 0; i < view.size(); ++i) {
            if (i > 0)
                QVERIFY(view[i][0].toInt() > view[i - 1][0].toInt());
            const int first = std::find_if(m_surahs.begin(), m_surahs.end(), [&](const databuilder::Surah& s) {
                                  return s.verses == view[i][0].toInt();
                              })->number;
            QCOMPARE(view[i][1].toInt(), first);
        }
        QCOMPARE(value(m_db, QStringLiteral("select FirstOfIDSureja from SuretMeTotalAjete where NrAjete = 7")),
                 QStringLiteral("1"));
    }

    void recitersTipsAndMetadata() {
        QCOMPARE(rows(m_db,
                      QStringLiteral("select Ajete, Lokacioni from Lokacioni_i_zerit where Default=-1 order by Ajete")),
                 (QList<QStringList>{{QStringLiteral("-1"), QStringLiteral("zeri/ajete")},
                                     {QStringLiteral("0"), QStringLiteral("zeri/sure")}}));
        QVERIFY(value(m_db, QStringLiteral("select count(*) from Keshilla where trim(Keshilla) <> ''")).toInt() >= 25);
        QCOMPARE(rows(m_db, QStringLiteral("select Celesi, Vlera from Te_dhenat order by Celesi")),
                 (QList<QStringList>{{QStringLiteral("burimi"), QString()},
                                     {QStringLiteral("perkthimi"), QString()},
                                     {QStringLiteral("perkthyesi"), QString()},
                                     {QStringLiteral("versioni_i_skemes"), QString::number(schema::kVersion)}}));
    }

    void wholeTextHoldsEveryHeadingAndVerse() {
        compareWholeText(m_dir.path(), m_db, QStringLiteral("Kur'ani — përkthimi shqip"));
    }

    void translationIsTakenAsWritten() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("sq.txt"));
        writeBytes(file, syntheticTranslation(m_surahs).join('\n'));
        databuilder::build({testsupport::factsFolder(), dir.path(), file, QString()});
        platform::Connection db;
        db.Open(dir.filePath(QStringLiteral("librezi.db")));
        QCOMPARE(value(db, QStringLiteral("select Perkthimi from librezi where NrSure = 1 and NrAjet = 1")),
                 QStringLiteral("Provë: \\ {kllapa} | vija “thonjëza” s’ka 😀"));
        QCOMPARE(value(db, QStringLiteral("select Perkthimi from librezi where NrSure = 114 and NrAjet = 6")),
                 QStringLiteral("Ajeti 114:6."));
        QCOMPARE(
            rows(db, QStringLiteral("select Vlera from Te_dhenat where Celesi <> 'versioni_i_skemes' order by Celesi")),
            (QList<QStringList>{{QStringLiteral("http://shembull.example/sq")},
                                {QStringLiteral("Provë")},
                                {QStringLiteral("Përkthyes Prove")}}));
        compareWholeText(dir.path(), db, QStringLiteral("Kur'ani — përkthimi shqip nga Përkthyes Prove"));
    }

    void refusedTranslation_data() {
        QTest::addColumn<QByteArray>("prefix"); // the line to change, by its start
        QTest::addColumn<QByteArray>("replacement");
        QTest::addColumn<int>("shift"); // the line named, counted from the changed one
        QTest::addColumn<QString>("cause");
        QTest::newRow("missing verse") << QByteArray("2|5|") << QByteArray() << 0 << QStringLiteral("mungon ajeti 2:5");
        QTest::newRow("duplicate") << QByteArray("2|5|") << QByteArray("2|5|a\n2|5|b") << 1
                                   << QStringLiteral("përsëritet");
        QTest::newRow("surah out of range")
            << QByteArray("114|6|") << QByteArray("115|1|a") << 0 << QStringLiteral("sureja 115");
        QTest::newRow("verse out of range")
            << QByteArray("1|7|") << QByteArray("1|8|a") << 0 << QStringLiteral("ajeti 8 nuk ekziston");
        QTest::newRow("no numbers") << QByteArray("3|3|") << QByteArray("3|tre|a") << 0
                                    << QStringLiteral("sure|ajet|tekst");
        QTest::newRow("one separator") << QByteArray("3|3|") << QByteArray("3|3 a") << 0
                                       << QStringLiteral("sure|ajet|tekst");
        QTest::newRow("empty text") << QByteArray("3|3|") << QByteArray("3|3|  \r") << 0
                                    << QStringLiteral("nuk ka tekst");
        QTest::newRow("invalid UTF-8") << QByteArray("3|3|") << QByteArray("3|3|a\xFF b") << 0
                                       << QStringLiteral("UTF-8");
        QTest::newRow("truncated UTF-8") << QByteArray("3|3|") << QByteArray("3|3|a\xC3") << 0
                                         << QStringLiteral("UTF-8");
        QTest::newRow("file ends early") << QByteArray("114|6|") << QByteArray() << -1
                                         << QStringLiteral("mungon ajeti 114:6");
    }

    void refusedTranslation() {
        QFETCH(QByteArray, prefix);
        QFETCH(QByteArray, replacement);
        QFETCH(int, shift);
        QFETCH(QString, cause);

        QList<QByteArray> lines = syntheticTranslation(m_surahs);
        const qsizetype at = lineOf(lines, prefix);
        QVERIFY(at >= 0);
        if (replacement.isEmpty())
            lines.removeAt(at);
        else
            lines[at] = replacement;
        QTemporaryDir input;
        const QString file = input.filePath(QStringLiteral("sq.txt"));
        writeBytes(file, lines.join('\n') + '\n');

        const QString db = m_dir.filePath(QStringLiteral("librezi.db"));
        const QString rtf = m_dir.filePath(QStringLiteral("LIB'REZI.rtf"));
        const QByteArray dbBefore = readBytes(db);
        const QByteArray rtfBefore = readBytes(rtf);
        QString message;
        try {
            databuilder::build({testsupport::factsFolder(), m_dir.path(), file, QString()});
        } catch (const BuildError& e) {
            message = e.message();
        }
        QVERIFY2(message.contains(QStringLiteral("Rreshti %1:").arg(at + 1 + shift)), qPrintable(message));
        QVERIFY2(message.contains(cause), qPrintable(message));
        QCOMPARE(readBytes(db), dbBefore);
        QCOMPARE(readBytes(rtf), rtfBefore);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{QStringLiteral("LIB'REZI.rtf"), QStringLiteral("librezi.db")}));
    }

    void incompleteFactsAreRefused() {
        QTemporaryDir dir;
        QByteArray facts = readBytes(testsupport::factsFolder() + QStringLiteral("/suret.tsv"));
        facts.replace("\n1\t7\t", "\n1\t8\t");
        writeBytes(dir.filePath(QStringLiteral("suret.tsv")), facts);
        QVERIFY_THROWS_EXCEPTION(BuildError, databuilder::readSurahs(dir.path()));
    }

    void commandLineReportsRefusal() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("sq.txt"));
        writeBytes(file, "1|1|a\n1|3|c\n");
        QProcess p;
        p.start(testsupport::buildFolder() + QStringLiteral("/tools/librezi-builder"),
                {QStringLiteral("--facts"), testsupport::factsFolder(), QStringLiteral("--out"), dir.path(),
                 QStringLiteral("--translation"), file});
        QVERIFY(p.waitForFinished());
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QVERIFY(p.exitCode() != 0);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(QStringLiteral("Rreshti 2: mungon ajeti 1:2")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("sq.txt")});
    }

    // --add-reciter on a copy of the built database, through the command line.
    void addingReciters() {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("librezi.db"));
        QVERIFY(QFile::copy(m_dir.filePath(QStringLiteral("librezi.db")), db));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("zeri/sudais")));
        auto run = [&](QStringList args, QString* err = nullptr) {
            QProcess p;
            p.start(testsupport::buildFolder() + QStringLiteral("/tools/librezi-builder"),
                    QStringList{QStringLiteral("--add-reciter"), QStringLiteral("--db"), db} + args);
            if (!p.waitForFinished() || p.exitStatus() != QProcess::NormalExit)
                return -1;
            if (err)
                *err = QString::fromUtf8(p.readAllStandardError());
            return p.exitCode();
        };
        auto defaults = [&] {
            platform::Connection c;
            c.Open(db);
            return value(
                c, QStringLiteral("select (select count(*) from Lokacioni_i_zerit) || ':' || group_concat(Lexuesi "
                                  "|| '=' || Lokacioni, ';') from (select * from Lokacioni_i_zerit where "
                                  "[Default] = -1 order by Ajete, IDLok)"));
        };
        QCOMPARE(defaults(),
                 QStringLiteral("2:Shembull sintetik (ajete)=zeri/ajete;Shembull sintetik (sure)=zeri/sure"));

        const QStringList sudais{QStringLiteral("--name"), QStringLiteral("Sudais"), QStringLiteral("--folder"),
                                 QStringLiteral("zeri/sudais")};
        QCOMPARE(
            run(sudais + QStringList{QStringLiteral("--kind"), QStringLiteral("ajete"), QStringLiteral("--default")}),
            0);
        QCOMPARE(defaults(), QStringLiteral("3:Sudais=zeri/sudais;Shembull sintetik (sure)=zeri/sure"));
        QCOMPARE(run(sudais + QStringList{QStringLiteral("--kind"), QStringLiteral("sure")}), 0);
        QCOMPARE(defaults(), QStringLiteral("4:Sudais=zeri/sudais;Shembull sintetik (sure)=zeri/sure"));

        QString err;
        QCOMPARE(run({QStringLiteral("--name"), QStringLiteral("  "), QStringLiteral("--folder"), dir.path(),
                      QStringLiteral("--kind"), QStringLiteral("sure")},
                     &err),
                 1);
        QVERIFY2(err.contains(QStringLiteral("Emri i lexuesit nuk mund të jetë bosh")), qPrintable(err));
        QCOMPARE(run({QStringLiteral("--name"), QStringLiteral("X"), QStringLiteral("--folder"),
                      QStringLiteral("zeri/mungon"), QStringLiteral("--kind"), QStringLiteral("sure"),
                      QStringLiteral("--default")},
                     &err),
                 1);
        QVERIFY2(err.contains(QStringLiteral("nuk ekziston")), qPrintable(err));
        QCOMPARE(run(sudais + QStringList{QStringLiteral("--kind"), QStringLiteral("surat")}, &err), 2);
        QCOMPARE(defaults(), QStringLiteral("4:Sudais=zeri/sudais;Shembull sintetik (sure)=zeri/sure"));
    }

    void realTranslation() {
        const QString file = testsupport::sharedTestFile(QStringLiteral("sq.ahmeti.txt"));
        if (file.isEmpty())
            QSKIP("the shared test material is not here");
        QTemporaryDir dir;
        databuilder::build({testsupport::factsFolder(), dir.path(), file, QString()});
        platform::Connection db;
        db.Open(dir.filePath(QStringLiteral("librezi.db")));
        QVERIFY(value(db, QStringLiteral("select Perkthimi from librezi where NrSure = 1 and NrAjet = 1"))
                    .startsWith(QStringLiteral("Me emrin e All-llahut")));
        QCOMPARE(
            value(db, QStringLiteral("select NrSure || ':' || NrAjet from librezi order by length(Perkthimi) desc")),
            QStringLiteral("2:282"));
        QCOMPARE(value(db, QStringLiteral("select Perkthimi from librezi where NrSure = 20 and NrAjet = 1")),
                 QStringLiteral("Ta Ha."));
        QCOMPARE(value(db, QStringLiteral("select Vlera from Te_dhenat where Celesi = 'perkthyesi'")),
                 QStringLiteral("Sherif Ahmeti"));
        compareWholeText(dir.path(), db, QStringLiteral("Kur'ani — përkthimi shqip nga Sherif Ahmeti"));
    }
};

QTEST_GUILESS_MAIN(TestBuilder)
#include "test_builder.moc"
