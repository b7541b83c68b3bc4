#include "search/report.h"
#include "search/wordlist.h"

#include <QTest>

// Splitting a phrase at "&" into words and composing the statement for them.
class TestWordList : public QObject {
    Q_OBJECT

    static QStringList words(const FjalKerkim& list) {
        QStringList out;
        for (int i = 1; i <= list.Count(); ++i)
            out << list.Item(i).Text();
        return out;
    }

private Q_SLOTS:
    void splitting_data() {
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("leftInPhrase");
        QTest::newRow("no separator: one word, one LIKE")
            << "Zoti i botëve" << QStringList{"Zoti i botëve"}
            << "SELECT * From Librezi WHERE Perkthimi LIKE '%Zoti i botëve%'"
            << "Zoti i botëve";
        QTest::newRow("two words") << "a&b" << QStringList{"a", "b"}
                                   << "SELECT * From Librezi WHERE Perkthimi LIKE '%a%' AND Perkthimi LIKE '%b%'"
                                   << "b";
        QTest::newRow("two separators together: an empty word in the middle")
            << "a&&b" << QStringList{"a", "", "b"}
            << "SELECT * From Librezi WHERE Perkthimi LIKE '%a%' AND Perkthimi LIKE '%%' AND Perkthimi LIKE '%b%'"
            << "b";
        QTest::newRow("separator first") << "&a" << QStringList{"", "a"}
                                         << "SELECT * From Librezi WHERE Perkthimi LIKE '%%' AND Perkthimi LIKE '%a%'"
                                         << "a";
        QTest::newRow("separator last") << "a&" << QStringList{"a", ""}
                                        << "SELECT * From Librezi WHERE Perkthimi LIKE '%a%' AND Perkthimi LIKE '%%'"
                                        << "";
        QTest::newRow("separator alone: two empty words")
            << "&" << QStringList{"", ""} << "SELECT * From Librezi WHERE Perkthimi LIKE '%%' AND Perkthimi LIKE '%%'"
            << "";
        QTest::newRow("blanks next to the separator stay")
            << "a & b" << QStringList{"a ", " b"}
            << "SELECT * From Librezi WHERE Perkthimi LIKE '%a %' AND Perkthimi LIKE '% b%'"
            << " b";
        QTest::newRow("only one character is dropped at each separator")
            << "ab&cd&ef" << QStringList{"ab", "cd", "ef"}
            << "SELECT * From Librezi WHERE Perkthimi LIKE '%ab%' AND Perkthimi LIKE '%cd%' AND Perkthimi LIKE '%ef%'"
            << "ef";
        QTest::newRow("worked example")
            << "All-llahu&Musliman" << QStringList{"All-llahu", "Musliman"}
            << "SELECT * From Librezi WHERE Perkthimi LIKE '%All-llahu%' AND Perkthimi LIKE '%Musliman%'"
            << "Musliman";
    }
    void splitting() {
        QFETCH(QString, phrase);
        QFETCH(QStringList, expected);
        QFETCH(QString, statement);
        QFETCH(QString, leftInPhrase);
        FjalKerkim list;
        QString sql = QStringLiteral("stale");
        QString stringu = phrase;
        QCOMPARE(NumerojiFjalet(stringu, QStringLiteral("&"), list, sql), int(expected.size()));
        QCOMPARE(words(list), expected);
        QCOMPARE(sql, statement);
        QCOMPARE(stringu, leftInPhrase);
        QString again;
        QCOMPARE(FormojeSQLStringunMeAndLike(list, again), statement);
        QCOMPARE(again, statement);
    }

    void secondCallReplacesTheFirst() {
        FjalKerkim list;
        QString sql;
        QString first = QStringLiteral("një&dy&tre&katër");
        QCOMPARE(NumerojiFjalet(first, QStringLiteral("&"), list, sql), 4);
        QString second = QStringLiteral("pesë&gjashtë");
        QCOMPARE(NumerojiFjalet(second, QStringLiteral("&"), list, sql), 2);
        QCOMPARE(words(list), (QStringList{"pesë", "gjashtë"}));
        QCOMPARE(sql,
                 QStringLiteral("SELECT * From Librezi WHERE Perkthimi LIKE '%pesë%' AND Perkthimi LIKE '%gjashtë%'"));
    }

    void clearing_data() {
        QTest::addColumn<int>("n");
        QTest::newRow("empty list") << 0;
        QTest::newRow("one item") << 1;
        QTest::newRow("five items") << 5;
    }
    void clearing() {
        QFETCH(int, n);
        FjalKerkim list;
        for (int i = 0; i < n; ++i)
            list.Add(QString::number(i));
        QCOMPARE(list.Count(), n);
        list.Clear();
        QCOMPARE(list.Count(), 0);
        list.Add(QStringLiteral("x")); // still usable afterwards
        QCOMPARE(words(list), QStringList{"x"});
    }

    void removeMovesLaterItemsForward() {
        FjalKerkim list;
        for (const char* s : {"a", "b", "c"})
            list.Add(QLatin1String(s));
        list.Remove(2);
        QCOMPARE(words(list), (QStringList{"a", "c"}));
        // Item gives the item itself, not a copy.
        list.Item(2).setText(QStringLiteral("z"));
        QCOMPARE(list.Item(2).Text(), QStringLiteral("z"));
    }

    void statementForAPhrase_data() {
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<QString>("statement");
        QTest::newRow("empty phrase: no statement") << ""
                                                    << "";
        QTest::newRow("one piece, blanks included") << "i Mëshirshëm"
                                                    << "SELECT * FROM librezi WHERE Perkthimi LIKE '%i Mëshirshëm%'";
        QTest::newRow("apostrophe doubled") << "s'ka"
                                            << "SELECT * FROM librezi WHERE Perkthimi LIKE '%s''ka%'";
        QTest::newRow("every apostrophe doubled") << "'a''b'"
                                                  << "SELECT * FROM librezi WHERE Perkthimi LIKE '%''a''''b''%'";
        QTest::newRow("apostrophes in words joined by &")
            << "s'ka&zot'"
            << "SELECT * From Librezi WHERE Perkthimi LIKE '%s''ka%' AND Perkthimi LIKE '%zot''%'";
        QTest::newRow("worked example")
            << "All-llahu&Musliman"
            << "SELECT * From Librezi WHERE Perkthimi LIKE '%All-llahu%' AND Perkthimi LIKE '%Musliman%'";
        QTest::newRow("an attempt to close the quote stays inside it")
            << "x' OR '1'='1"
            << "SELECT * FROM librezi WHERE Perkthimi LIKE '%x'' OR ''1''=''1%'";
    }
    void statementForAPhrase() {
        QFETCH(QString, phrase);
        QFETCH(QString, statement);
        QCOMPARE(search::statementFor(phrase), statement);
    }
};

QTEST_APPLESS_MAIN(TestWordList)
#include "test_wordlist.moc"
