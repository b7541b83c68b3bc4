// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/wordlist.h"
#include <QTest>

// Splitting a phrase at "&" into words, and the values the search statement binds for them.
class TestWordList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splitting_data() {
        QTest::addColumn<QStringList>("phraseAndWords");
        QTest::newRow("no separator: the whole phrase") << QStringList{"Zoti i botëve", "Zoti i botëve"};
        QTest::newRow("two separators together") << QStringList{"a&&b", "a", "", "b"};
        QTest::newRow("separator first and last") << QStringList{"&a&", "", "a", ""};
        QTest::newRow("blanks next to the separator stay") << QStringList{"a & b", "a ", " b"};
        QTest::newRow("one character dropped per separator") << QStringList{"ab&cd&ef", "ab", "cd", "ef"};
    }
    void splitting() {
        QFETCH(QStringList, phraseAndWords);
        QString stringu = phraseAndWords.takeFirst();
        FjalKerkim list;
        list.Add("left from an earlier phrase");
        QCOMPARE(NumerojiFjalet(stringu, "&", list), int(phraseAndWords.size()));
        QCOMPARE(stringu, phraseAndWords.last()); // the caller's variable keeps the last word
        // The words in order, each bound as "%word%" to a "?" of its own.
        const SearchQuery q = FormojeSQLStringunMeAndLike(list);
        QCOMPARE(int(q.sql.count(u'?')), list.Count());
        for (int n = 1; n <= list.Count(); ++n) {
            QCOMPARE(list.Item(n).Text(), phraseAndWords.value(n - 1));
            QCOMPARE(q.values.value(n - 1), QVariant(QString(u'%' + phraseAndWords.value(n - 1) + u'%')));
        }
    }
};

QTEST_APPLESS_MAIN(TestWordList)
#include "test_wordlist.moc"
