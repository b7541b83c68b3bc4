#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "platform/listcontrols.h"
#include "platform/msgbox.h"
#include "platform/settings.h"
#include "search/history.h"
#include "testsupport.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The search history in the per-user settings store, kept in a temporary folder for each test.
class TestHistory : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    using Values = QList<QPair<QString, QString>>;

    static QString app() { return QStringLiteral("Lib'rezi Drites"); }
    static QString section() { return QStringLiteral("Lista e fjalëve të kërkuara"); }
    static void store(const Values& values) {
        for (const auto& [name, data] : values)
            QVERIFY(platform::SaveSetting(app(), section(), name, data));
    }
    static void storeNumbered(int n, const QString& prefix) {
        for (int i = 0; i < n; ++i)
            store({{QStringLiteral("Fjala ") + QString::number(i), prefix + QString::number(i)}});
    }
    // The section as it is in the store, sorted by name.
    static QMap<QString, QString> stored() {
        QMap<QString, QString> out;
        for (const auto& [name, data] : platform::GetAllSettings(app(), section()))
            out.insert(name, data);
        return out;
    }
    static QStringList items(const platform::ComboBox& list) {
        QStringList out;
        for (int i = 0; i < list.ListCount(); ++i)
            out << list.List(i);
        return out;
    }
    static QStringList loaded() {
        platform::ComboBox list;
        history::ListaEFjaleveTeKerkuaraGetSetting(&list);
        return items(list);
    }
    static QString iniFile() { return QSettings(QSettings::IniFormat, QSettings::UserScope, app(), app()).fileName(); }

private Q_SLOTS:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        testsupport::useSettingsIn(*dir);
    }
    void cleanup() {
        Module1::unloadMainWindow();
        dir.reset();
    }

    void theStoreIsInTheTemporaryFolder() {
        store({{QStringLiteral("Fjala 0"), QStringLiteral("x")}});
        QVERIFY2(iniFile().startsWith(dir->path()), qPrintable(iniFile()));
        QVERIFY(QFile::exists(iniFile()));
    }

    void loading_data() {
        QTest::addColumn<Values>("values");
        QTest::addColumn<QStringList>("expected");
        using V = Values;
        QTest::newRow("first start: no section") << V{} << QStringList{};
        QTest::newRow("five values in order")
            << V{{"Fjala 3", "d"}, {"Fjala 0", "a"}, {"Fjala 4", "e"}, {"Fjala 1", "b"}, {"Fjala 2", "c"}}
            << QStringList{"a", "b", "c", "d", "e"};
        QTest::newRow("empty Fjala 0 loads nothing") << V{{"Fjala 0", ""}, {"Fjala 1", "b"}} << QStringList{};
        QTest::newRow("missing Fjala 0 loads nothing") << V{{"Fjala 1", "b"}, {"Fjala 2", "c"}} << QStringList{};
        QTest::newRow("a gap: two values read as Fjala 0 and an empty Fjala 1")
            << V{{"Fjala 0", "a"}, {"Fjala 2", "c"}} << QStringList{"a", ""};
        QTest::newRow("letters and signs kept")
            << V{{"Fjala 0", "s'ka"},         {"Fjala 1", "Ëngjëjt"},    {"Fjala 2", "a & b"},
                 {"Fjala 3", "Zot, Krijues"}, {"Fjala 4", " blank"},     {"Fjala 5", "@x"},
                 {"Fjala 6", "a;b=c #d"},     {"Fjala 7", "\"quoted\""}, {"Fjala 8", "back\\slash"},
                 {"Fjala 9", "s’ka"}}
            << QStringList{"s'ka", "Ëngjëjt",  "a & b",      "Zot, Krijues", " blank",
                           "@x",   "a;b=c #d", "\"quoted\"", "back\\slash",  "s’ka"};
    }
    void loading() {
        QFETCH(Values, values);
        QFETCH(QStringList, expected);
        store(values);
        QCOMPARE(loaded(), expected);
    }

    void saving_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("count");
        QTest::newRow("7 items over a store of 10") << 10 << 7;
        QTest::newRow("10 items over a store of 3") << 3 << 10;
        QTest::newRow("the same number") << 4 << 4;
        QTest::newRow("an empty list over a store of 3") << 3 << 0;
    }
    void saving() {
        QFETCH(int, before);
        QFETCH(int, count);
        storeNumbered(before, QStringLiteral("old "));
        platform::ComboBox list;
        for (int i = 0; i < count; ++i)
            list.AddItem(QStringLiteral("new ") + QString::number(i));
        QVERIFY(history::ListaEFjaleveTeKerkuaraSaveSetting(&list));
        QMap<QString, QString> expected;
        for (int i = 0; i < count; ++i)
            expected.insert(QStringLiteral("Fjala ") + QString::number(i), QStringLiteral("new ") + QString::number(i));
        QCOMPARE(stored(), expected);
        QCOMPARE(loaded(), items(list));
    }

    void valuesOfOtherNamesStay() {
        store({{QStringLiteral("Fjala 0"), QStringLiteral("a")},
               {QStringLiteral("Fjala 1"), QStringLiteral("b")},
               {QStringLiteral("Tjetër"), QStringLiteral("t")}});
        platform::ComboBox list;
        list.AddItem(QStringLiteral("z"));
        QVERIFY(history::ListaEFjaleveTeKerkuaraSaveSetting(&list));
        QCOMPARE(stored().value(QStringLiteral("Tjetër")), QStringLiteral("t"));
        QVERIFY(!stored().contains(QStringLiteral("Fjala 1")));
    }

    void picking_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("after");
        QTest::newRow("10 items: the oldest goes") << 10 << 9;
        QTest::newRow("11 items: the oldest goes") << 11 << 10;
        QTest::newRow("9 items: nothing goes") << 9 << 9;
    }
    void picking() {
        QFETCH(int, n);
        QFETCH(int, after);
        platform::ComboBox list;
        for (int i = 0; i < n; ++i)
            list.AddItem(QString::number(i));
        list.setText(QStringLiteral("typed"));
        history::picked(&list);
        QCOMPARE(list.ListCount(), after);
        QCOMPARE(list.List(0), QString::number(n - after));
        QCOMPARE(list.Text(), QStringLiteral("typed"));
    }

    // ---- on the real main window ----

    void windowLoadsTheStoreAtStart() {
        storeNumbered(5, QStringLiteral("fjalë "));
        frmKryesore* w = testsupport::startProgram(*dir);
        QCOMPARE(items(*w->CmbKerkoKrejt), (QStringList{"fjalë 0", "fjalë 1", "fjalë 2", "fjalë 3", "fjalë 4"}));
        QCOMPARE(w->CmbKerkoKrejt->Text(), QStringLiteral("Musliman"));
    }

    void firstStartOfTheWindow() {
        frmKryesore* w = testsupport::startProgram(*dir);
        QCOMPARE(w->CmbKerkoKrejt->ListCount(), 0);
        QCOMPARE(w->CmbKerkoKrejt->Text(), QStringLiteral("Musliman"));
    }

    void exitButton_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("ends");
        QTest::newRow("Yes saves and ends") << int(platform::Answer::Yes) << true;
        QTest::newRow("No does neither") << int(platform::Answer::No) << false;
    }
    void exitButton() {
        QFETCH(int, answer);
        QFETCH(bool, ends);
        storeNumbered(10, QStringLiteral("old "));
        frmKryesore* w = testsupport::startProgram(*dir);
        w->show();
        int ended = 0;
        QMap<QString, QString> storeWhenEnding;
        w->endProgram = [&] {
            ++ended;
            storeWhenEnding = stored();
        };
        w->CmbKerkoKrejt->Clear();
        w->CmbKerkoKrejt->AddItem(QStringLiteral("Zot"));
        w->CmbKerkoKrejt->AddItem(QStringLiteral("s'ka"));
        platform::MsgBoxScript script;
        script.answer(platform::Answer(answer));
        w->cmdFund->click();
        QCOMPARE(script.asked().size(), 1);
        QCOMPARE(script.asked().at(0).text, QStringLiteral("Dëshironi përfundimin e programit?"));
        QCOMPARE(ended, ends ? 1 : 0);
        if (ends) {
            const QMap<QString, QString> expected{{"Fjala 0", "Zot"}, {"Fjala 1", "s'ka"}};
            QCOMPARE(storeWhenEnding, expected); // saved before the program ends
            QCOMPARE(loaded(), (QStringList{"Zot", "s'ka"}));
        } else {
            QCOMPARE(stored().size(), 10);
            QCOMPARE(stored().value(QStringLiteral("Fjala 0")), QStringLiteral("old 0"));
        }
    }

    void closingTheWindowSaves() {
        frmKryesore* w = testsupport::startProgram(*dir);
        w->show();
        w->CmbKerkoKrejt->AddItem(QStringLiteral("Ëngjëjt"));
        w->CmbKerkoKrejt->AddItem(QStringLiteral("a&b"));
        QVERIFY(w->close());
        QCOMPARE(loaded(), (QStringList{"Ëngjëjt", "a&b"}));
        // The next start finds them.
        w = testsupport::startProgram(*dir);
        QCOMPARE(items(*w->CmbKerkoKrejt), (QStringList{"Ëngjëjt", "a&b"}));
    }

    void aStoreThatCannotBeWrittenStillLetsTheWindowClose() {
        frmKryesore* w = testsupport::startProgram(*dir);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        // A folder where the store's file should be: no write can succeed, whoever runs the test.
        const QString ini = iniFile();
        QVERIFY(!QFile::exists(ini));
        QVERIFY(QDir().mkpath(ini));
        w->CmbKerkoKrejt->AddItem(QStringLiteral("Zot"));
        platform::MsgBoxScript script;
        QVERIFY(!history::ListaEFjaleveTeKerkuaraSaveSetting(w->CmbKerkoKrejt));
        QVERIFY(w->close());
        QVERIFY(!w->isVisible());
        QVERIFY(script.asked().isEmpty()); // closing asks nothing
        QVERIFY(QFileInfo(ini).isDir());
    }
};

QTEST_MAIN(TestHistory)
#include "test_history.moc"
