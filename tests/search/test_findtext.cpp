#include "platform/msgbox.h"
#include "platform/richtextview.h"
#include "search/findtext.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using platform::Answer;
using platform::Buttons;

namespace {

const QString kAskFromTop =
    QStringLiteral("Shprehja nuk përmendet më!\r\nA dëshironi të fillon kërkimi prej fillimit të tekstit?");
const QString kNowhere = QStringLiteral("Shprehja nuk përmendet diku në tekst!");
const QString kAtStart = QStringLiteral(
    "Momentalisht gjendeni në fillim të tekstit.\nA dëshironi të fillojë kërkimi prej fundit të tekstit?");
const QString kReachedStart =
    QStringLiteral("Mbërriva deri në fillim të tekstit.\nA dëshironi të fillojë kërkimi prej fundit të tekstit?");
const QString kNotFoundAgain = QStringLiteral("Shprehja nuk u gjet më.");
const QString kEmptyPhrase = QStringLiteral("Shëno diçka në kutizën për kërkim!");

} // namespace

// Find next and find previous over a real text view, the phrase typed in a real text box.
class TestFindText : public QObject {
    Q_OBJECT
    std::unique_ptr<QWidget> host;
    platform::RichTextView* view = nullptr;
    QLineEdit* box = nullptr;
    std::unique_ptr<search::FindInText> find;

    void setUp(const QString& text, const QString& phrase, int caret, int selLength = 0) {
        view->setText(text);
        box->setText(phrase);
        view->setSelStart(caret);
        if (selLength)
            view->setSelLength(selLength);
    }
    // The selection as (start, length).
    QPair<int, int> selection() const { return {view->SelStart(), view->SelLength()}; }
    static QStringList texts(const platform::MsgBoxScript& s) {
        QStringList out;
        for (const auto& m : s.asked())
            out << m.text;
        return out;
    }

private Q_SLOTS:
    void init() {
        host = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(host.get());
        box = new QLineEdit(host.get());
        view = new platform::RichTextView(host.get());
        layout->addWidget(box);
        layout->addWidget(view);
        find = std::make_unique<search::FindInText>(view, box);
        host->show();
        QVERIFY(QTest::qWaitForWindowExposed(host.get()));
    }
    void cleanup() {
        find.reset();
        host.reset();
    }

    // ---- find next ----

    void nextWrapsToTheTop_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::newRow("OK selects the first occurrence from the top") << int(Answer::OK) << 3 << 4;
        QTest::newRow("Cancel leaves the caret where it was") << int(Answer::Cancel) << 20 << 0;
    }
    void nextWrapsToTheTop() {
        QFETCH(int, answer);
        QFETCH(int, start);
        QFETCH(int, length);
        setUp(QStringLiteral("Në Zoti dhe Zoti im tjetër"), QStringLiteral("zoti"), 20);
        // A caret in the middle with the phrase only before it; the second occurrence also sits
        // before the caret, so only a search from the very top selects position 3.
        platform::MsgBoxScript script;
        script.answer(Answer(answer));
        find->next();
        QCOMPARE(script.asked().size(), 1);
        QCOMPARE(script.asked().at(0).text, kAskFromTop);
        QCOMPARE(script.asked().at(0).buttons, Buttons::OKCancel);
        QCOMPARE(selection(), qMakePair(start, length));
    }

    void nextFindsNothingAnywhere_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("caret");
        // OK puts the caret at the top before the second search.
        QTest::newRow("OK: then the phrase is nowhere") << int(Answer::OK) << QStringList{kAskFromTop, kNowhere} << 0;
        QTest::newRow("Cancel: the question only") << int(Answer::Cancel) << QStringList{kAskFromTop} << 5;
    }
    void nextFindsNothingAnywhere() {
        QFETCH(int, answer);
        QFETCH(QStringList, messages);
        QFETCH(int, caret);
        setUp(QStringLiteral("Zoti është një."), QStringLiteral("ëngjëj"), 5);
        platform::MsgBoxScript script;
        script.answer(Answer(answer));
        if (messages.size() == 2)
            script.answer(Answer::OK);
        find->next();
        QCOMPARE(texts(script), messages);
        QCOMPARE(script.asked().last().buttons, messages.size() == 2 ? Buttons::OK : Buttons::OKCancel);
        QCOMPARE(script.unscripted(), 0);
        QCOMPARE(selection(), qMakePair(caret, 0));
    }

    void nextWalksTheOccurrences_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<QList<int>>("starts");
        QTest::newRow("separate words") << "Zoti yt, Zoti im, Zoti i tyre"
                                        << "Zoti" << QList<int>{0, 9, 18};
        QTest::newRow("adjacent: abab for ab") << "abab"
                                               << "ab" << QList<int>{0, 2};
        QTest::newRow("overlapping: abababa for aba, each search after the last match") << "abababa"
                                                                                        << "aba" << QList<int>{0, 4};
        QTest::newRow("first and last character") << "ab xx ab"
                                                  << "ab" << QList<int>{0, 6};
        QTest::newRow("Albanian letters ignore case") << "ËNGJËJT dhe ëngjëj, Çka"
                                                      << "ëngjëj" << QList<int>{0, 12};
        QTest::newRow("typed apostrophe finds the typographic one") << "s’ka dhe s'ka"
                                                                    << "s'ka" << QList<int>{0, 9};
    }
    void nextWalksTheOccurrences() {
        QFETCH(QString, text);
        QFETCH(QString, phrase);
        QFETCH(QList<int>, starts);
        setUp(text, phrase, 0);
        platform::MsgBoxScript script;
        for (int s : starts) {
            find->next();
            QCOMPARE(view->SelStart(), s);
            QCOMPARE(view->SelLength(), int(phrase.size()));
        }
        QVERIFY(script.asked().isEmpty());
        // After the last one: the question, and OK starts over at the first occurrence.
        script.answer(Answer::OK);
        find->next();
        QCOMPARE(texts(script), QStringList{kAskFromTop});
        QCOMPARE(view->SelStart(), starts.first());
    }

    void nextSelectionOtherThanThePhrase_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<int>("found");
        // A case-different occurrence is not the current one: the search goes on after its word.
        QTest::newRow("case-different occurrence, next word") << "Zot dhe zot"
                                                              << "zot" << 0 << 3 << 8;
        QTest::newRow("case-different occurrence inside a word skips the rest of the word") << "Zotzot zot"
                                                                                            << "zot" << 0 << 3 << 7;
        QTest::newRow("selected verse: from its first word on") << "Zoti yt, Zoti im. Zoti"
                                                                << "Zoti" << 0 << 17 << 9;
        QTest::newRow("selected verse line: the key is the first word") << "1:1.\tZoti yt\r\n1:2.\tZoti im"
                                                                        << "Zoti" << 0 << 12 << 5;
        QTest::newRow("selection in another case of the same letters") << "ËNGJËJ ëngjëj"
                                                                       << "ëngjëj" << 0 << 6 << 7;
    }
    void nextSelectionOtherThanThePhrase() {
        QFETCH(QString, text);
        QFETCH(QString, phrase);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(int, found);
        setUp(text, phrase, selStart, selLength);
        platform::MsgBoxScript script;
        find->next();
        QVERIFY(script.asked().isEmpty());
        QCOMPARE(selection(), qMakePair(found, int(phrase.size())));
    }

    void nextAfterTheLastOccurrenceWithTheSelectionEqual() {
        // The selection equals the phrase: the search starts just after it, and the question's OK
        // searches the whole text from its start.
        setUp(QStringLiteral("ab xx ab"), QStringLiteral("ab"), 6, 2);
        platform::MsgBoxScript script;
        script.answer(Answer::Cancel);
        find->next();
        QCOMPARE(texts(script), QStringList{kAskFromTop});
        QCOMPARE(selection(), qMakePair(6, 2));
    }

    // ---- find previous ----

    void previousAtTheStart_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::newRow("Yes searches from the end") << int(Answer::Yes) << 8 << 2;
        QTest::newRow("No ends silently") << int(Answer::No) << 0 << 0;
    }
    void previousAtTheStart() {
        QFETCH(int, answer);
        QFETCH(int, start);
        QFETCH(int, length);
        setUp(QStringLiteral("ab x ab AB y"), QStringLiteral("ab"), 0);
        platform::MsgBoxScript script;
        script.answer(Answer(answer));
        find->previous();
        QCOMPARE(texts(script), QStringList{kAtStart});
        QCOMPARE(script.asked().at(0).buttons, Buttons::YesNo);
        QCOMPARE(selection(), qMakePair(start, length));
    }

    void previousWithTheCaretNotPastThePhrase_data() {
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::newRow("caret 1: silent") << 1 << 1 << 0;
        QTest::newRow("caret at the phrase length: silent") << 2 << 2 << 0;
        QTest::newRow("one more: the occurrence at 0") << 3 << 0 << 2;
    }
    void previousWithTheCaretNotPastThePhrase() {
        QFETCH(int, caret);
        QFETCH(int, start);
        QFETCH(int, length);
        setUp(QStringLiteral("ab ab ab"), QStringLiteral("ab"), caret);
        platform::MsgBoxScript script;
        find->previous();
        QVERIFY(script.asked().isEmpty());
        QCOMPARE(selection(), qMakePair(start, length));
    }

    void previousWalksBack_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QList<int>>("starts");
        QTest::addColumn<QString>("thenAsked"); // what one more click asks ("" for nothing)
        QTest::newRow("first and last character") << "ab xx ab"
                                                  << "ab" << 8 << QList<int>{6, 0} << kAtStart;
        QTest::newRow("adjacent: abab for ab, the caret then not past the phrase") << "abab"
                                                                                   << "ab" << 4 << QList<int>{2} << "";
        QTest::newRow("overlapping: abababa for aba") << "abababa"
                                                      << "aba" << 7 << QList<int>{4, 2} << "";
        QTest::newRow("a candidate may reach over the caret") << "abababa xx"
                                                              << "aba" << 6 << QList<int>{4, 2} << "";
        QTest::newRow("overlapping from the middle") << "abababa xx"
                                                     << "aba" << 5 << QList<int>{2} << "";
        QTest::newRow("one character before the caret is not examined") << "bxb"
                                                                        << "b" << 3 << QList<int>{0} << kAtStart;
        QTest::newRow("an occurrence starting one before the caret is skipped")
            << "ab ab"
            << "ab" << 4 << QList<int>{0} << kAtStart;
        QTest::newRow("an occurrence across the caret is examined") << "xx ab yy"
                                                                    << "ab" << 5 << QList<int>{3} << kReachedStart;
        QTest::newRow("Albanian letters ignore case") << "ëngjëj dhe ËNGJËJT"
                                                      << "Ëngjëj" << 18 << QList<int>{11, 0} << kAtStart;
        QTest::newRow("typed apostrophe finds the typographic one") << "s’ka, s'ka"
                                                                    << "s'ka" << 10 << QList<int>{6, 0} << kAtStart;
    }
    void previousWalksBack() {
        QFETCH(QString, text);
        QFETCH(QString, phrase);
        QFETCH(int, caret);
        QFETCH(QList<int>, starts);
        QFETCH(QString, thenAsked);
        setUp(text, phrase, caret);
        platform::MsgBoxScript script;
        for (int s : starts) {
            find->previous();
            QCOMPARE(selection(), qMakePair(s, int(phrase.size())));
        }
        QVERIFY(script.asked().isEmpty());
        script.answer(Answer::No);
        find->previous();
        QCOMPARE(texts(script), thenAsked.isEmpty() ? QStringList() : QStringList{thenAsked});
        QCOMPARE(selection(), qMakePair(starts.last(), int(phrase.size())));
    }

    void previousReachesTheStart_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::newRow("Yes selects the last occurrence")
            << "xxxx ab ab" << int(Answer::Yes) << QStringList{kReachedStart} << 8 << 2;
        QTest::newRow("No ends") << "xxxx ab ab" << int(Answer::No) << QStringList{kReachedStart} << 3 << 0;
        QTest::newRow("Yes and nothing anywhere")
            << "xxxx yyyy" << int(Answer::Yes) << QStringList{kReachedStart, kNotFoundAgain} << 9 << 0;
    }
    void previousReachesTheStart() {
        QFETCH(QString, text);
        QFETCH(int, answer);
        QFETCH(QStringList, messages);
        QFETCH(int, start);
        QFETCH(int, length);
        setUp(text, QStringLiteral("ab"), 3);
        platform::MsgBoxScript script;
        script.answer(Answer(answer));
        if (messages.size() == 2)
            script.answer(Answer::OK);
        find->previous();
        QCOMPARE(texts(script), messages);
        QCOMPARE(script.asked().at(0).buttons, Buttons::YesNo);
        if (messages.size() == 2)
            QCOMPARE(script.asked().at(1).buttons, Buttons::OK);
        QCOMPARE(script.unscripted(), 0);
        QCOMPARE(selection(), qMakePair(start, length));
    }

    void previousFromTheStartAsksTheSecondQuestionToo() {
        // Yes at the start moves the caret to the end, but that pass still counts as the first.
        setUp(QStringLiteral("xxxx yyyy"), QStringLiteral("ab"), 0);
        platform::MsgBoxScript script;
        script.answer(Answer::Yes);
        script.answer(Answer::Yes);
        script.answer(Answer::OK);
        find->previous();
        QCOMPARE(texts(script), (QStringList{kAtStart, kReachedStart, kNotFoundAgain}));
        QCOMPARE(script.unscripted(), 0);
    }

    void emptyPhrase_data() {
        QTest::addColumn<bool>("forward");
        QTest::newRow("find next") << true;
        QTest::newRow("find previous") << false;
    }
    void emptyPhrase() {
        QFETCH(bool, forward);
        setUp(QStringLiteral("ab ab"), QString(), 4);
        view->setFocus();
        QTRY_VERIFY(view->hasFocus());
        platform::MsgBoxScript script;
        forward ? find->next() : find->previous();
        QCOMPARE(texts(script), QStringList{kEmptyPhrase});
        QCOMPARE(script.asked().at(0).buttons, Buttons::OK);
        QTRY_VERIFY(box->hasFocus());
        QCOMPARE(selection(), qMakePair(4, 0));
    }

    void emptyViewNeverLoops_data() {
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("find next") << true << QStringList{kAskFromTop, kNowhere};
        QTest::newRow("find previous") << false << QStringList{kAtStart};
    }
    void emptyViewNeverLoops() {
        QFETCH(bool, forward);
        QFETCH(QStringList, messages);
        setUp(QString(), QStringLiteral("ab"), 0);
        platform::MsgBoxScript script;
        for (int i = 0; i < 5; ++i)
            script.answer(forward ? Answer::OK : Answer::Yes);
        forward ? find->next() : find->previous();
        QCOMPARE(texts(script), messages);
    }

    void neitherMovesTheFocus() {
        setUp(QStringLiteral("ab xx ab"), QStringLiteral("ab"), 4);
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        find->next();
        find->previous();
        QCOMPARE(selection(), qMakePair(0, 2));
        QVERIFY(box->hasFocus());
    }
};

QTEST_MAIN(TestFindText)
#include "test_findtext.moc"
