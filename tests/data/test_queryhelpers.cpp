// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/module1.h"
#include "data/queryhelpers.h"
#include "testsupport.h"

#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;
using Module1::blnMosRuajLexuesinAjeteve, Module1::blnMosRuajLexuesinSureve;

// The list-filling and value-reading procedures on a real database and real list controls.
class TestQueryHelpers : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    const QString all = u"select * from Suret order by IDSureja"_s;
    const QHash<QString, int> surahs{{u"Fatiha"_s, 1}, {u"Bekare"_s, 2}, {u"ali Imran"_s, 3}, {u"Junus"_s, 10},
                                     {u"Hud"_s, 11},   {u"Jusuf"_s, 12}, {u"Ma'un"_s, 107}};

private Q_SLOTS:
    void initTestCase() {
        testsupport::createEmptyDatabase(dir.filePath(u"q.db"_s));
        for (auto it = surahs.begin(); it != surahs.end(); ++it)
            Module1::cnLidhja.exec(u"insert into Suret values (?, ?, ?, '')"_s, {it.value(), it.key(), 2 * it.value()});
    }

    // Filling: each key stays with its item, also where a sorted list orders the names otherwise than the
    // database. Selecting by text: the first item that begins with it, in any case, both reciter flags up meanwhile.
    void fillAndSelect() {
        platform::ComboBox numbers, names;
        names.setSorted(true);
        MbusheListen(all, u"IDSureja"_s, u"IDSureja"_s, &numbers);
        MbusheListen(u"select IDSureja, Emri from Suret order by Emri"_s, u"idsureja"_s, u"Emri"_s, &names);
        QCOMPARE(QPoint(names.ListCount(), names.ListIndex()), QPoint(surahs.size(), -1));
        for (int i = 0; i < names.ListCount(); ++i)
            QCOMPARE(names.ItemData(i), surahs.value(names.List(i)));
        const auto pick = [](platform::ComboBox& list, const QString& typed) {
            list.setListIndex(2);
            ZgjidhSipasTekstit(&list, typed);
            return list.List(list.ListIndex());
        };
        const QStringList picked{pick(numbers, u"1"_s), pick(numbers, u"11"_s), pick(numbers, u"99"_s),
                                 pick(names, u"JU"_s), pick(names, u"ALI"_s)};
        QCOMPARE(picked, QStringList({u"1"_s, u"11"_s, QString(), u"Junus"_s, u"ali Imran"_s}));
        bool guarded = false;
        connect(&names, &platform::ComboBox::Click, [&] {
            guarded = blnMosRuajLexuesinAjeteve && blnMosRuajLexuesinSureve;
            throw platform::DbError(QString(), u"x"_s, 1);
        });
        QVERIFY_THROWS_EXCEPTION(platform::DbError, ZgjidhSipasTekstit(&names, u"Hud"_s));
        QVERIFY(guarded && !blnMosRuajLexuesinAjeteve && !blnMosRuajLexuesinSureve); // down after a failure too
        platform::ListBox list; // filling and selecting clicks the first item, and nothing without a row
        QStringList clicks;
        connect(&list, &platform::ListBox::Click, [&] { clicks += list.Text(); });
        MbusheListenDheZgjidh(all, u"IDSureja"_s, u"Emri"_s, &list);
        MbusheListenDheZgjidh(u"select * from Suret where IDSureja > ?"_s, u"IDSureja"_s, u"Emri"_s, &list);
        QCOMPARE(clicks, QStringList{u"Fatiha"_s}); // emptying the list is no click; "?" unbound is NULL: no row
    }

    // The first column of the first row, or of a row drawn at random; false without a row.
    void values() {
        const QString name = u"select Emri from Suret where IDSureja = ?"_s;
        QCOMPARE(QVariantList({MerrVleren(name, {107}), MerrVleren(name, {500}), MerrRastesisht(name, {500}),
                               MerrRastesisht(name, {2})}),
                 QVariantList({u"Ma'un"_s, false, false, u"Bekare"_s}));
        QSet<QString> seen; // every row can be drawn, also in quick succession
        for (int i = 0; i < 500 && seen.size() < surahs.size(); ++i)
            seen.insert(MerrRastesisht(u"select Emri from Suret"_s).toString());
        QCOMPARE(seen.size(), surahs.size());
        QCOMPARE(vbText(MerrVleren(u"select NrAjete from Suret where IDSureja = 107"_s)) +
                     vbText(MerrVleren(u"select 0.1 + 0.2"_s)) + vbText(false) + vbText(true) + vbText(QVariant()),
                 u"2140.3FalseTrue"_s);
    }
};

QTEST_MAIN(TestQueryHelpers)
#include "test_queryhelpers.moc"
