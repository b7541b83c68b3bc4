// SPDX-License-Identifier: GPL-3.0-or-later
#include "testsupport.h"
#include "tools/databuilder.h"

#include <QtTest>

using namespace databuilder;

// A theme's groups as "surah:verses".
static QStringList groups(const Theme& t) {
    QStringList out;
    for (const VerseGroup& g : t.groups)
        out << QString::number(g.surah) + ':' + g.verses;
    return out;
}

// The classification made of the facts, and the faults of a reader's own.
class TestClassification : public QObject {
    Q_OBJECT
    QList<Surah> m_surahs = readSurahs(testsupport::factsFolder());
    // A reader's file of six lines, with a comment, an empty line and a CR LF line.
    const QByteArray m_own =
        "# kreu\tKreu\ttema\tTema\tsureja\tajetet\n1\tLutja\t1\tFillimi\t1\t1-7\n\n1\tLutja\t1\t"
        "Fillimi\t2\t1-5,255\r\n1\tLutja\t2\tDurimi\t2\t153\n2\tMëshira\t3\tRrahmani\t55\t1-4,13\n";

private Q_SLOTS:
    void classifications() {
        const Classification c = factsClassification(testsupport::factsFolder(), m_surahs);
        // A part ends just before the next begins, in its surah or at the end of the one before; the last at 114:6.
        QCOMPARE(QStringList({groups(c[0].themes[1]).join(' '), groups(c[0].themes[28]).last(),
                              groups(c[0].themes[29]).last()}),
                 QStringList({"2:142-252", "77:1-50", "114:1-6"}));
    }
    void refusedLine_data() {
        QTest::addColumn<QByteArray>("line"); // added after the reader's file, on line 7
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
    void refusedLine() {
        QFETCH(QByteArray, line);
        QFETCH(QString, cause);
        QString refusal;
        try {
            parseClassification(m_own + line + '\n', m_surahs);
        } catch (const BuildError& e) {
            refusal = e.message();
        }
        QVERIFY2(refusal.startsWith("Rreshti 7: ") && refusal.contains(cause), qPrintable(refusal));
    }
};

QTEST_GUILESS_MAIN(TestClassification)
#include "test_classification.moc"
