// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/listcontrols.h"
#include "platform/msgbox.h"
#include "platform/richtextview.h"
#include "platform/settings.h"
#include "search/findtext.h"
#include "search/history.h"
#include "testsupport.h"
#include <QTemporaryDir>
#include <QTest>

using enum platform::Answer;

namespace {
const QString kAsk =
    "Shprehja nuk përmendet më!\r\nA dëshironi të fillon kërkimi prej fillimit të tekstit? (OK/Cancel)";
const QString kFromEnd = "\nA dëshironi të fillojë kërkimi prej fundit të tekstit? (Yes/No)",
              kAtStart = "Momentalisht gjendeni në fillim të tekstit." + kFromEnd,
              kReached = "Mbërriva deri në fillim të tekstit." + kFromEnd, kNotAgain = "Shprehja nuk u gjet më.",
              kNowhere = "Shprehja nuk përmendet diku në tekst!", kEmpty = "Shëno diçka në kutizën për kërkim!",
              kZoti = "Në Zoti dhe Zoti im tjetër";
// Clicks of one command: the selection start after each, its length after the last; answers given, messages asked.
struct Case {
    const char* name;
    bool next;
    QString text, phrase;
    int caret, selLength;
    QList<int> starts;
    int length;
    QList<platform::Answer> answers;
    QStringList asked;
};
const Case kCases[] = {
    {"next: only before the caret, OK starts at the top", true, kZoti, "zoti", 20, 0, {3}, 4, {OK}, {kAsk}},
    {"next: only before the caret, Cancel", true, kZoti, "zoti", 20, 0, {20}, 0, {Cancel}, {kAsk}},
    {"next: nowhere, the caret stays", true, kZoti, "ëngjëj", 5, 0, {5}, 0, {OK, OK}, {kAsk, kNowhere}},
    {"next: current is the last, OK", true, "ab xx ab", "ab", 6, 2, {0}, 2, {OK}, {kAsk}},
    {"next: a selection in another case: after its whole word", true, "Zotzot zot", "zot", 0, 3, {7}, 3, {}, {}},
    {"next: adjacent", true, "abab", "ab", 0, 0, {0, 2, 2}, 2, {Cancel}, {kAsk}},
    {"next: overlapping", true, "abababa", "aba", 0, 0, {0, 4, 4}, 3, {Cancel}, {kAsk}},
    {"next: empty phrase", true, "ab ab", "", 4, 0, {4}, 0, {}, {kEmpty}},
    {"previous: at 0, Yes searches from the end", false, "ab x ab AB y", "ab", 0, 0, {8}, 2, {Yes}, {kAtStart}},
    {"previous: caret at the phrase length: silent", false, "ab ab", "ab", 2, 0, {2}, 0, {}, {}},
    {"previous: one past it", false, "ab ab", "ab", 3, 0, {0}, 2, {}, {}},
    {"previous: only after the caret, Yes", false, "xxxx ab ab", "ab", 3, 0, {8}, 2, {Yes}, {kReached}},
    {"previous: nowhere, stays", false, "xxxx", "ab", 0, 0, {0}, 0, {Yes, Yes, OK}, {kAtStart, kReached, kNotAgain}},
    {"previous: empty view, asked once", false, "", "ab", 0, 0, {0}, 0, {Yes}, {kAtStart}},
    {"previous: first and last character", false, "ab xx ab", "ab", 8, 0, {6, 0, 0}, 2, {No}, {kAtStart}},
    {"previous: one before the caret not examined", false, "bxb", "b", 3, 0, {0}, 1, {}, {}},
    {"previous: across the caret examined", false, "xx ab yy", "ab", 5, 0, {3, 3}, 2, {No}, {kReached}},
    {"previous: typed apostrophe finds both", false, "s’ka, s'ka", "s'ka", 10, 0, {6, 0}, 4, {}, {}},
    {"previous: empty phrase", false, "ab ab", "", 4, 0, {4}, 0, {}, {kEmpty}},
};
} // namespace

// Find next and find previous over a real text view; the search history in the per-user settings store, a
// temporary folder for each test.
class TestFindText : public QObject {
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
    QWidget host;
    platform::RichTextView* view = new platform::RichTextView(&host);
    search::FindInText find{view};

private Q_SLOTS:
    void initTestCase() {
        host.show();
        host.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&host));
    }
    void clicks_data() {
        QTest::addColumn<int>("i");
        for (int i = 0; i < int(std::size(kCases)); ++i)
            QTest::newRow(kCases[i].name) << i;
    }
    void clicks() {
        QFETCH(int, i);
        const Case& k = kCases[i];
        view->setText(k.text);
        view->setSelStart(k.caret);
        view->setSelLength(k.selLength);
        view->setFocus();
        QTRY_VERIFY(view->hasFocus());
        platform::MsgBoxScript script;
        for (platform::Answer a : k.answers)
            script.answer(a);
        for (int start : k.starts) {
            QCOMPARE(k.next ? find.next(k.phrase) : find.previous(k.phrase), !k.phrase.isEmpty());
            QCOMPARE(view->SelStart(), start);
        }
        QCOMPARE(view->SelLength(), k.length);
        QStringList asked; // a question with its buttons: OK and Cancel for find next's, Yes and No for previous's
        for (const auto& m : script.asked())
            asked << m.text + QStringList{"", " (OK/Cancel)", " (Yes/No)"}.at(int(m.buttons));
        QCOMPARE(asked, k.asked);
        QCOMPARE(script.pending(), 0);
        QTRY_VERIFY(view->hasFocus()); // neither command moves the focus
    }
    // A long text read in its middle: a phrase found nowhere, after both questions, leaves the caret, the
    // selection and the lines in view where the reader had them.
    void placeKeptWhenNothingIsFound() {
        QStringList lines;
        for (int i = 0; i < 400; ++i)
            lines << QStringLiteral("2:%1.\tAjeti i dytë me numrin %1").arg(i + 1);
        view->setText(lines.join(QStringLiteral("\r\n")));
        const int at = view->Text().indexOf(QStringLiteral("2:200."));
        view->showAtTop(at);
        view->setSelStart(at + 2);
        view->setSelLength(3);
        const int top = view->topPosition();
        QVERIFY(top > 0);
        platform::MsgBoxScript script;
        for (platform::Answer a : {OK, OK, Yes, OK})
            script.answer(a);
        QVERIFY(find.next(QStringLiteral("ëngjëj")));
        QCOMPARE(QList<int>({view->SelStart(), view->SelLength(), view->topPosition()}), QList<int>({at + 2, 3, top}));
        QVERIFY(find.previous(QStringLiteral("ëngjëj")));
        QCOMPARE(QList<int>({view->SelStart(), view->SelLength(), view->topPosition()}), QList<int>({at + 2, 3, top}));
        QCOMPARE(script.pending(), 0);
    }
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

QTEST_MAIN(TestFindText)
#include "test_findtext.moc"
