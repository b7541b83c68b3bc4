#include "search/report.h"
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
        const QString phrase = phraseAndWords.takeFirst();
        FjalKerkim list;
        list.Add("left from an earlier phrase");
        QString stringu = phrase;
        QCOMPARE(NumerojiFjalet(stringu, "&", list), int(phraseAndWords.size()));
        QCOMPARE(stringu, phraseAndWords.last()); // the caller's variable keeps the last word
        QStringList words;
        QVariantList patterns;
        for (int n = 1; n <= list.Count(); ++n)
            words << list.Item(n).Text();
        QCOMPARE(words, phraseAndWords);
        // One "?" bound to "%word%" per word; the surah, when given, last.
        for (const QString& w : words)
            patterns << QString(u'%' + w + u'%');
        QCOMPARE(FormojeSQLStringunMeAndLike(list).values, patterns);
        const SearchQuery s = search::statementFor(phrase, 7);
        QCOMPARE(s.values, QVariantList(patterns) << 7);
        QCOMPARE(int(s.sql.count(u'?')), int(s.values.size()));
    }
};

QTEST_APPLESS_MAIN(TestWordList)
#include "test_wordlist.moc"
