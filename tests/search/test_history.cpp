// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/listcontrols.h"
#include "platform/settings.h"
#include "search/history.h"
#include "testsupport.h"
#include <QTemporaryDir>
#include <QTest>

// The search history in the per-user settings store, a temporary folder for each test.
class TestHistory : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    // Stores the "name=data" values and returns the whole section in that form, sorted.
    static QStringList store(const QStringList& values = {}) {
        const QString app = "Lib'rezi Drites", section = "Lista e fjalëve të kërkuara";
        for (const QString& v : values)
            platform::SaveSetting(app, section, v.section(u'=', 0, 0), v.section(u'=', 1));
        QStringList out;
        for (const auto& [name, data] : platform::GetAllSettings(app, section))
            out << name + u'=' + data;
        out.sort();
        return out;
    }
    // The items of the list, then its count.
    static QStringList items(const platform::ComboBox& list) {
        QStringList out;
        for (int i = 0; i < list.ListCount(); ++i)
            out << list.List(i);
        return out << QString::number(list.ListCount());
    }

private Q_SLOTS:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        testsupport::useSettingsIn(*dir);
    }
    void loadAndSave_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("loaded");
        QTest::addColumn<QStringList>("savedAfter"); // the section after the list, less its first item, is saved
        QTest::newRow("in the order of the numbers; values beyond the list go, other names stay")
            << QStringList{"Fjala 2=c", "Fjala 0=a", "Fjala 1=b", "Tjetër=t"} << QStringList{"a", "b", "c", "", "4"}
            << QStringList{"Fjala 0=b", "Fjala 1=c", "Fjala 2=", "Tjetër=t"};
        QTest::newRow("an empty Fjala 0 loads nothing")
            << QStringList{"Fjala 0=", "Fjala 1=b"} << QStringList{"0"} << QStringList{};
    }
    void loadAndSave() {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, loaded);
        QFETCH(QStringList, savedAfter);
        store(stored);
        platform::ComboBox list;
        history::ListaEFjaleveTeKerkuaraGetSetting(&list);
        QCOMPARE(items(list), loaded);
        if (list.ListCount() > 0)
            list.RemoveItem(0);
        QVERIFY(history::ListaEFjaleveTeKerkuaraSaveSetting(&list));
        QCOMPARE(store(), savedAfter);
    }
    // A store grown to 100,000 phrases loads its ten newest in one read; the next save leaves ten.
    void manyStored() {
        QList<QPair<QString, QString>> values;
        for (int i = 0; i < 100000; ++i)
            values.append({"Fjala " + QString::number(i), "f" + QString::number(i)});
        QVERIFY(platform::SaveSettings("Lib'rezi Drites", "Lista e fjalëve të kërkuara", values, {}));
        platform::ComboBox list;
        history::ListaEFjaleveTeKerkuaraGetSetting(&list);
        QCOMPARE(items(list).mid(0, 2) << items(list).last(), (QStringList{"f99990", "f99991", "10"}));
        QVERIFY(history::ListaEFjaleveTeKerkuaraSaveSetting(&list));
        QCOMPARE(store().size(), 10);
    }
    void limits_data() {
        QTest::addColumn<int>("n");                      // the list holds h0 ... h(n-1)
        QTest::addColumn<QStringList>("phraseAndItems"); // "": a pick; then the first two items, the count
        QTest::newRow("a phrase already there adds nothing") << 3 << QStringList{"h1", "h0", "h1", "3"};
        QTest::newRow("another letter case is new") << 3 << QStringList{"H1", "h0", "h1", "4"};
        QTest::newRow("10 and a new one: the oldest goes") << 10 << QStringList{"x", "h1", "h2", "10"};
        QTest::newRow("10 and one there: none goes") << 10 << QStringList{"h5", "h0", "h1", "10"};
        QTest::newRow("12 loaded and one there: one goes per search") << 12 << QStringList{"h5", "h1", "h2", "11"};
        QTest::newRow("a pick from 9: none goes") << 9 << QStringList{"", "h0", "h1", "9"};
        QTest::newRow("a pick from 10: the oldest goes") << 10 << QStringList{"", "h1", "h2", "9"};
    }
    void limits() {
        QFETCH(int, n);
        QFETCH(QStringList, phraseAndItems);
        platform::ComboBox list;
        for (int i = 0; i < n; ++i)
            list.AddItem("h" + QString::number(i));
        list.setText("typed");
        const QString phrase = phraseAndItems.takeFirst();
        phrase.isEmpty() ? history::picked(&list) : history::addSearched(&list, phrase);
        QCOMPARE(items(list).mid(0, 2) << QString::number(list.ListCount()), phraseAndItems);
        QCOMPARE(list.Text(), "typed");
    }
};

QTEST_MAIN(TestHistory)
#include "test_history.moc"
