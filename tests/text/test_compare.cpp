// SPDX-License-Identifier: GPL-3.0-or-later
// A verse's translations compared word by word: the words each one does not share with the others, in order.
#include "text/compare.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestCompare : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each row: the texts ("|" between them) and, for each, its marked words ("|" between texts, "," between words).
    void words_data() {
        QTest::addColumn<QString>("texts");
        QTest::addColumn<QString>("marked");
        QTest::newRow("a word changed") << u"Ai është Zoti i botëve|Ai është Zoti i gjithësisë"_s
                                        << u"botëve|gjithësisë"_s;
        QTest::newRow("case, apostrophes, punctuation")
            << u"S’ka zot tjetër, përveç Tij.|s'ka Zot tjetër përveç tij"_s << u"|"_s;
        QTest::newRow("a word more") << u"Lavdia i takon Allahut|Lavdia i takon vetëm Allahut"_s << u"|vetëm"_s;
        QTest::newRow("order") << u"a b c|c a b"_s << u"c|c"_s;
        QTest::newRow("three: shared by two is marked in the third's eyes") << u"a b c|a b d|a b c"_s << u"c|d|c"_s;
        QTest::newRow("one text") << u"a b c"_s << u""_s;
        QTest::newRow("an empty verse") << u"a b|"_s << u"a,b|"_s;
    }
    void words() {
        QFETCH(QString, texts);
        QFETCH(QString, marked);
        const QStringList given = texts.split(u'|');
        const QList<text::Ranges> found = text::differingWords(given);
        QStringList written;
        for (qsizetype i = 0; i < given.size(); ++i) {
            QStringList words;
            for (const auto& [start, end] : found[i])
                words << given[i].mid(start, end - start);
            written << words.join(u',');
        }
        QCOMPARE(written.join(u'|'), marked);
    }
};

QTEST_GUILESS_MAIN(TestCompare)
#include "test_compare.moc"
