#include "app/module1.h"
#include "data/queryhelpers.h"
#include "testsupport.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using Module1::cnLidhja;

// The list-filling and value-reading procedures on a real database and real list controls.
class TestQueryHelpers : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private Q_SLOTS:
    void init() {
        testsupport::createEmptyDatabase(dir.filePath(QStringLiteral("q.db")));
        const char* rows[][3] = {{"1", "Fatiha", "7"},      {"2", "Bekare", "286"}, {"10", "Junus", "109"},
                                 {"11", "Hud", "123"},      {"12", "Jusuf", "111"}, {"107", "Ma'un", "7"},
                                 {"3", "ali Imran", "200"}, {"4", "Maide", "120"}};
        for (const auto& r : rows)
            cnLidhja.Execute(QStringLiteral("insert into Suret values (%1, \"%2\", %3, 'Mekë')")
                                 .arg(QLatin1String(r[0]), QString::fromUtf8(r[1]), QLatin1String(r[2])));
    }

    void fillKeepsOrderAndKeys() {
        platform::ComboBox list;
        MbusheListen(QStringLiteral("Select IDSureja from Suret order by IDSureja"), QStringLiteral("IDSureja"),
                     QStringLiteral("IDSureja"), &list);
        QCOMPARE(list.ListCount(), 8);
        QCOMPARE(list.List(0), QStringLiteral("1"));
        QCOMPARE(list.List(7), QStringLiteral("107"));
        QCOMPARE(list.ItemData(7), 107);
        QCOMPARE(list.ListIndex(), -1);
        // A second fill replaces the first.
        MbusheListen(QStringLiteral("Select IDSureja from Suret where IDSureja < 3"), QStringLiteral("IDSureja"),
                     QStringLiteral("IDSureja"), &list);
        QCOMPARE(list.ListCount(), 2);
    }

    void sortedListKeepsValuesWithTheirItems() {
        // The database orders "Ma'un" and "ali Imran" otherwise than the list does (apostrophe and
        // letter case); each name must still carry its own surah number.
        platform::ComboBox names;
        names.setSorted(true);
        MbusheListen(QStringLiteral("Select IDSureja,Emri from Suret order by Emri"), QStringLiteral("IDSureja"),
                     QStringLiteral("Emri"), &names);
        QCOMPARE(names.ListCount(), 8);
        const QHash<QString, int> expected{{QStringLiteral("Fatiha"), 1},    {QStringLiteral("Bekare"), 2},
                                           {QStringLiteral("Junus"), 10},    {QStringLiteral("Hud"), 11},
                                           {QStringLiteral("Jusuf"), 12},    {QStringLiteral("Ma'un"), 107},
                                           {QStringLiteral("ali Imran"), 3}, {QStringLiteral("Maide"), 4}};
        for (int i = 0; i < names.ListCount(); ++i) {
            QCOMPARE(names.ItemData(i), expected.value(names.List(i)));
            if (i > 0)
                QVERIFY(QString::compare(names.List(i - 1), names.List(i), Qt::CaseInsensitive) <= 0);
        }
    }

    void noRows() {
        platform::ComboBox list;
        list.AddItem(QStringLiteral("old"));
        int clicks = 0;
        connect(&list, &platform::ComboBox::Click, [&] { ++clicks; });
        MbusheListenDheZgjidh(QStringLiteral("select * from Suret where IDSureja > 500"), QStringLiteral("IDSureja"),
                              QStringLiteral("Emri"), &list);
        QCOMPARE(list.ListCount(), 0);
        QCOMPARE(list.ListIndex(), -1);
        QCOMPARE(clicks, 0);
        QCOMPARE(MerrVleren(QStringLiteral("select Emri from Suret where IDSureja = 500")), QVariant(false));
        QCOMPARE(MerrRastesisht(QStringLiteral("select Emri from Suret where IDSureja = 500")), QVariant(false));
        QCOMPARE(vbText(MerrVleren(QStringLiteral("select Emri from Suret where IDSureja = 500"))),
                 QStringLiteral("False"));
    }

    void fillAndSelectRaisesClickOnFirst() {
        platform::ListBox list;
        int clicks = 0;
        int indexInClick = -2;
        connect(&list, &platform::ListBox::Click, [&] {
            ++clicks;
            indexInClick = list.ListIndex();
        });
        MbusheListenDheZgjidh(QStringLiteral("select * from Suret order by IDSureja"), QStringLiteral("IDSureja"),
                              QStringLiteral("Emri"), &list);
        QCOMPARE(clicks, 1);
        QCOMPARE(indexInClick, 0);
        QCOMPARE(list.Text(), QStringLiteral("Fatiha"));
    }

    void selectByTextPrefix_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selected");
        QTest::newRow("1 is not 10") << "1"
                                     << "1";
        QTest::newRow("11") << "11"
                            << "11";
        QTest::newRow("10") << "10"
                            << "10";
        QTest::newRow("none") << "99"
                              << "";
        QTest::newRow("False matches nothing") << "False"
                                               << "";
    }
    void selectByTextPrefix() {
        QFETCH(QString, text);
        QFETCH(QString, selected);
        platform::ComboBox list;
        MbusheListen(QStringLiteral("Select IDSureja from Suret order by IDSureja"), QStringLiteral("IDSureja"),
                     QStringLiteral("IDSureja"), &list);
        ZgjidhSipasTekstit(&list, text);
        QCOMPARE(list.ListIndex() < 0 ? QString() : list.List(list.ListIndex()), selected);
    }

    void selectByTextIgnoresCase() {
        platform::ComboBox names;
        names.setSorted(true);
        MbusheListen(QStringLiteral("Select IDSureja,Emri from Suret"), QStringLiteral("IDSureja"),
                     QStringLiteral("Emri"), &names);
        ZgjidhSipasTekstit(&names, QStringLiteral("JUS"));
        QCOMPARE(names.ItemData(names.ListIndex()), 12);
        ZgjidhSipasTekstit(&names, QStringLiteral("ALI"));
        QCOMPARE(names.ItemData(names.ListIndex()), 3);
    }

    void guardFlagsDuringAndAfter() {
        platform::ComboBox list;
        MbusheListen(QStringLiteral("Select IDSureja from Suret"), QStringLiteral("IDSureja"),
                     QStringLiteral("IDSureja"), &list);
        bool ajete = false, sure = false;
        int clicks = 0;
        connect(&list, &platform::ComboBox::Click, [&] {
            ++clicks;
            ajete = Module1::blnMosRuajLexuesinAjeteve;
            sure = Module1::blnMosRuajLexuesinSureve;
        });
        ZgjidhSipasTekstit(&list, QStringLiteral("2"));
        QCOMPARE(clicks, 1);
        QVERIFY(ajete);
        QVERIFY(sure);
        QVERIFY(!Module1::blnMosRuajLexuesinAjeteve);
        QVERIFY(!Module1::blnMosRuajLexuesinSureve);
        // The flags come down even when the handler fails.
        QObject::disconnect(&list, nullptr, nullptr, nullptr);
        connect(&list, &platform::ComboBox::Click, [] { throw platform::DbError(QString(), QStringLiteral("x"), 1); });
        QVERIFY_THROWS_EXCEPTION(platform::DbError, ZgjidhSipasTekstit(&list, QStringLiteral("1")));
        QVERIFY(!Module1::blnMosRuajLexuesinAjeteve);
        QVERIFY(!Module1::blnMosRuajLexuesinSureve);
    }

    void randomRow() {
        QCOMPARE(MerrRastesisht(QStringLiteral("select Emri from Suret where IDSureja = 2")).toString(),
                 QStringLiteral("Bekare"));
        // Draws in quick succession still reach every row.
        QSet<QString> seen;
        for (int i = 0; i < 400 && seen.size() < 8; ++i)
            seen.insert(MerrRastesisht(QStringLiteral("select Emri from Suret")).toString());
        QCOMPARE(seen.size(), 8);
    }

    void valueTypes() {
        QCOMPARE(vbText(MerrVleren(QStringLiteral("select NrAjete from Suret where IDSureja=2"))),
                 QStringLiteral("286"));
        QCOMPARE(vbText(MerrVleren(QStringLiteral("select Emri from Suret where IDSureja=107"))),
                 QStringLiteral("Ma'un"));
        QCOMPARE(vbText(MerrVleren(QStringLiteral("select null"))), QString());
    }
};

QTEST_MAIN(TestQueryHelpers)
#include "test_queryhelpers.moc"
