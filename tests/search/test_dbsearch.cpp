#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "platform/msgbox.h"
#include "platform/settings.h"
#include "platform/textfold.h"
#include "testsupport.h"
#include "tools/databuilder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

#include <memory>

using platform::Answer;

namespace {

const QString kRule = QStringLiteral("* * * * * * * * * * * * * * * * * * *\r\n\r\n");

// The verses the tests search for; every other verse keeps the placeholder text.
struct Verse {
    int surah;
    int verse;
    const char* text;
};
const Verse kVerses[] = {
    {1, 1, "Në emër të Zotit, Mëshiruesit, Mëshirëbërësit!"},
    {2, 2, "Ky libër, s’ka dyshim se është udhëzim."},
    {2, 3, "Zoti yt është i gjithëdijshëm."},
    {2, 4, "zotëria s'ka ardhur, Zot i madh."},
    {3, 5, "Ëngjëjt zbritën me urdhër."},
    {4, 6, "Qiejt dhe toka janë të Tij."},
    {5, 7, "ëngjëj dhe njerëz, Mëshirues"},
    {6, 8, "Mëshiruesi fal gjithçka."},
};

QString line(int surah, int verse) {
    for (const Verse& v : kVerses)
        if (v.surah == surah && v.verse == verse)
            return QString::number(surah) + u':' + QString::number(verse) + QStringLiteral(".\t") +
                   QString::fromUtf8(v.text) + QStringLiteral("\r\n");
    qFatal("no test verse %d:%d", surah, verse);
}

} // namespace

// The search of all verses on the real main window, over a copy of the bundled database whose
// verses above hold real words.
class TestDbSearch : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    frmKryesore* w = nullptr;

    static QString app() { return QStringLiteral("Lib'rezi Drites"); }
    static QString section() { return QStringLiteral("Lista e fjalëve të kërkuara"); }

    // Starts the program with these phrases in the stored history and the test verses in the database.
    void start(const QStringList& history = {}) {
        testsupport::useSettingsIn(*dir);
        for (int i = 0; i < history.size(); ++i)
            platform::SaveSetting(app(), section(), QStringLiteral("Fjala ") + QString::number(i), history.at(i));
        w = testsupport::startProgram(*dir);
        w->show();
        for (const Verse& v : kVerses)
            Module1::cnLidhja.Execute(QStringLiteral("UPDATE librezi SET Perkthimi='%1' WHERE NrSure=%2 AND NrAjet=%3")
                                          .arg(QString::fromUtf8(v.text).replace(u'\'', QStringLiteral("''")))
                                          .arg(v.surah)
                                          .arg(v.verse));
    }
    void search(const QString& phrase) {
        w->CmbKerkoKrejt->setText(phrase);
        w->cmdKerkoAll->click();
    }
    void chooseSurah(const QString& number) {
        const int i = w->CmbNrSure->findText(number, Qt::MatchFixedString);
        QVERIFY(i >= 0);
        w->CmbNrSure->setCurrentIndex(i);
        Q_EMIT w->CmbNrSure->activated(i);
    }
    QStringList history() const {
        QStringList out;
        for (int i = 0; i < w->CmbKerkoKrejt->ListCount(); ++i)
            out << w->CmbKerkoKrejt->List(i);
        return out;
    }
    bool isRed(int crlfPos) const {
        QTextCursor c(w->Rtf1->document());
        const int d = w->Rtf1->toDocumentPosition(crlfPos);
        c.setPosition(d);
        c.setPosition(d + 1, QTextCursor::KeepAnchor);
        return c.charFormat().foreground().color() == QColor(255, 0, 0);
    }
    // One character per character of the text: 'r' red, '.' otherwise (line breaks left out).
    QString redMask() const {
        const QString text = w->Rtf1->Text();
        QString mask;
        for (int i = 0; i < text.size(); ++i)
            if (text.at(i) != u'\r' && text.at(i) != u'\n')
                mask += isRed(i) ? u'r' : u'.';
        return mask;
    }
    // The same mask when exactly the occurrences of these words, letter case and apostrophe kinds
    // aside, are red.
    QString expectedMask(const QStringList& words) const {
        const QString text = w->Rtf1->Text();
        const QString folded = platform::foldText(text);
        QList<bool> red(text.size(), false);
        for (const QString& word : words) {
            if (word.isEmpty())
                continue;
            const QString f = platform::foldText(word);
            for (qsizetype at = folded.indexOf(f); at >= 0; at = folded.indexOf(f, at + f.size()))
                for (qsizetype k = at; k < at + f.size(); ++k)
                    red[k] = true;
        }
        QString mask;
        for (int i = 0; i < text.size(); ++i)
            if (text.at(i) != u'\r' && text.at(i) != u'\n')
                mask += red[i] ? u'r' : u'.';
        return mask;
    }

private Q_SLOTS:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }
    void cleanup() {
        Module1::unloadMainWindow();
        w = nullptr;
        dir.reset();
    }

    void reportForms_data() {
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<QString>("surah"); // "" for the whole text
        QTest::addColumn<QString>("report");
        QTest::addColumn<QStringList>("verses");
        QTest::newRow("none, whole text") << "xyzzy"
                                          << ""
                                          << "\r\nNuk u gjet ndonjë ajet që e përmban shprehjen xyzzy\r\n"
                                          << QStringList{};
        QTest::newRow("none, one surah") << "Zot"
                                         << "3"
                                         << "\r\nNë suren Ali Imran nuk përmendet shprehja Zot\r\n"
                                         << QStringList{};
        QTest::newRow("one, whole text") << "Qiejt"
                                         << ""
                                         << "\r\nU gjet vetëm një ajet në të cilin përmendet shprehja Qiejt:\r\n"
                                         << QStringList{line(4, 6)};
        QTest::newRow("one, one surah: no colon")
            << "Zot"
            << "1"
            << "\r\nNë suren Fatiha u gjet vetëm një ajet në të cilin përmendet shprehja Zot\r\n"
            << QStringList{line(1, 1)};
        QTest::newRow("many, whole text") << "Zot"
                                          << ""
                                          << "\r\nGjithsej u gjetën 3 ajete në të cilat përmendet shprehja Zot:\r\n"
                                          << QStringList{line(1, 1), line(2, 3), line(2, 4)};
        QTest::newRow("many, one surah")
            << "Zot"
            << "2"
            << "\r\nGjithsej u gjetën 2 ajete në suren Bekare në të cilat përmendet shprehja Zot:\r\n"
            << QStringList{line(2, 3), line(2, 4)};
        QTest::newRow("a phrase is searched as one piece, blanks included")
            << "Zoti yt"
            << ""
            << "\r\nU gjet vetëm një ajet në të cilin përmendet shprehja Zoti yt:\r\n"
            << QStringList{line(2, 3)};
        QTest::newRow("letter case and Albanian letters ignored by the database")
            << "ËNGJËJ"
            << ""
            << "\r\nGjithsej u gjetën 2 ajete në të cilat përmendet shprehja ËNGJËJ:\r\n"
            << QStringList{line(3, 5), line(5, 7)};
    }
    void reportForms() {
        QFETCH(QString, phrase);
        QFETCH(QString, surah);
        QFETCH(QString, report);
        QFETCH(QStringList, verses);
        start();
        if (!surah.isEmpty()) {
            chooseSurah(surah);
            w->ChkKerkoSure->setChecked(true);
        }
        platform::MsgBoxScript script;
        search(phrase);
        QVERIFY(script.asked().isEmpty());
        // The report, the asterisk line with the empty line after it, then each verse in key form.
        QCOMPARE(w->Rtf1->Text(), report + kRule + verses.join(QString()));
        QCOMPARE(w->CmbKerkoKrejt->Text(), phrase);
        QCOMPARE(history(), QStringList{phrase});
        QVERIFY(w->inPassageMode());
        QCOMPARE(w->CmbKerkoKrejt->width(), twips(1455));
        QCOMPARE(w->Rtf1->SelStart(), 0);
        // The words are red in the report line too.
        QCOMPARE(redMask(), expectedMask({phrase}));
        QVERIFY(isRed(int(report.indexOf(phrase))));
    }

    void returnButtonBringsTheWholeTextBack() {
        start();
        const QString whole = w->Rtf1->Text();
        search(QStringLiteral("Zot"));
        QVERIFY(w->cmdKtheLibrezin->isVisible());
        w->cmdKtheLibrezin->click();
        QVERIFY(!w->inPassageMode());
        QCOMPARE(w->Rtf1->Text(), whole);
    }

    void apostrophe_data() {
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<QString>("report");
        QTest::newRow("typed apostrophe finds both kinds")
            << "s'ka"
            << "\r\nGjithsej u gjetën 2 ajete në të cilat përmendet shprehja s'ka:\r\n";
        QTest::newRow("with & as well") << "s'ka&Zot"
                                        << "\r\nU gjet vetëm një ajet në të cilin përmendet shprehja s'ka&Zot:\r\n";
    }
    void apostrophe() {
        QFETCH(QString, phrase);
        QFETCH(QString, report);
        start();
        platform::MsgBoxScript script;
        search(phrase);
        QVERIFY(script.asked().isEmpty()); // a single apostrophe would break the statement
        QVERIFY2(w->Rtf1->Text().startsWith(report + kRule), qPrintable(w->Rtf1->Text().left(200)));
        QCOMPARE(w->CmbKerkoKrejt->Text(), phrase);
        QCOMPARE(history(), QStringList{phrase});
        QCOMPARE(w->FjalKerkim_.Item(1).Text(), QStringLiteral("s'ka"));
        QCOMPARE(redMask(), expectedMask(phrase.split(u'&')));
        // The typographic apostrophe of 2:2 is coloured with its word.
        const int typographic = int(w->Rtf1->Text().indexOf(QStringLiteral("s’ka")));
        if (phrase == QStringLiteral("s'ka")) {
            QVERIFY(typographic > 0);
            for (int k = 0; k < 4; ++k)
                QVERIFY(isRed(typographic + k));
        }
    }

    void everyWordNeeded_data() {
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<QStringList>("verses");
        QTest::newRow("both words") << "Zot&Mëshirues" << QStringList{line(1, 1)};
        QTest::newRow("order does not matter") << "Mëshirues&Zot" << QStringList{line(1, 1)};
        QTest::newRow("no verse holds both") << "Qiejt&Zot" << QStringList{};
        QTest::newRow("three words") << "zot&s'ka&madh" << QStringList{line(2, 4)};
    }
    void everyWordNeeded() {
        QFETCH(QString, phrase);
        QFETCH(QStringList, verses);
        start();
        search(phrase);
        QVERIFY(w->Rtf1->Text().endsWith(kRule + verses.join(QString())));
        QCOMPARE(w->FjalKerkim_.Count(), int(phrase.split(u'&').size()));
        // Each word on its own: the "&" between them stays black.
        QCOMPARE(redMask(), expectedMask(phrase.split(u'&')));
        const int amp = int(w->Rtf1->Text().indexOf(u'&'));
        QVERIFY(amp > 0);
        QVERIFY(!isRed(amp));
    }

    void colouringIgnoresCaseAndWordEnds() {
        start();
        search(QStringLiteral("zot"));
        const QString text = w->Rtf1->Text();
        QVERIFY(text.contains(QStringLiteral("Zotit")));
        QCOMPARE(redMask(), expectedMask({QStringLiteral("zot")}));
        // "Zoti" of 2:3: the three letters red, the "i" after them not.
        const int zoti = int(text.indexOf(QStringLiteral("Zoti yt")));
        QVERIFY(isRed(zoti) && isRed(zoti + 2));
        QVERIFY(!isRed(zoti + 3));
        QVERIFY(!isRed(zoti - 1));
    }

    void emptyWordsAreNotColoured_data() {
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<int>("count");
        QTest::newRow("two separators together") << "Zot&&Mëshirues" << 1;
        QTest::newRow("separator first") << "&Qiejt" << 1;
        QTest::newRow("separator last") << "Qiejt&" << 1;
        QTest::newRow("separator alone: every verse") << "&" << 6236;
    }
    void emptyWordsAreNotColoured() {
        QFETCH(QString, phrase);
        QFETCH(int, count);
        start();
        platform::MsgBoxScript script;
        search(phrase); // returns: an empty word does not colour for ever
        QVERIFY(script.asked().isEmpty());
        const QString text = w->Rtf1->Text();
        QCOMPARE(int(text.count(QStringLiteral("\r\n"))) - 4, count);
        QCOMPARE(redMask(), expectedMask(phrase.split(u'&')));
        if (phrase == QStringLiteral("&"))
            QVERIFY(!redMask().contains(u'r'));
        else
            QVERIFY(redMask().contains(u'r'));
    }

    void emptyPhrase() {
        start();
        const QString before = w->Rtf1->Text();
        w->Rtf1->setSelStart(40);
        platform::MsgBoxScript script;
        search(QString());
        QCOMPARE(script.asked().size(), 1);
        QCOMPARE(script.asked().at(0).text, QStringLiteral("Shëno diçka për kërkim!"));
        QCOMPARE(script.asked().at(0).buttons, platform::Buttons::OK);
        QCOMPARE(w->Rtf1->Text(), before);
        QCOMPARE(w->Rtf1->SelStart(), 40);
        QVERIFY(history().isEmpty());
        QVERIFY(!w->inPassageMode());
        QTRY_VERIFY(w->CmbKerkoKrejt->hasFocus());
    }

    void historyDuplicates() {
        start();
        search(QStringLiteral("Zot"));
        search(QStringLiteral("Zot"));
        QCOMPARE(history(), QStringList{"Zot"});
        search(QStringLiteral("zot"));
        QCOMPARE(history(), (QStringList{"Zot", "zot"}));
        search(QStringLiteral("Qiejt"));
        search(QStringLiteral("zot"));
        QCOMPARE(history(), (QStringList{"Zot", "zot", "Qiejt"}));
    }

    void historyTrim_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QStringList>("phrases");
        QTest::addColumn<int>("firstLeft"); // the number of the oldest stored phrase left
        QTest::addColumn<int>("count");
        QTest::newRow("10 items, one new phrase: still 10") << 10 << QStringList{"Zot"} << 1 << 10;
        QTest::newRow("10 items, a phrase already there: nothing removed") << 10 << QStringList{"h5"} << 0 << 10;
        QTest::newRow("9 items, one new phrase: 10, nothing removed") << 9 << QStringList{"Zot"} << 0 << 10;
        QTest::newRow("12 loaded: one removed per search") << 12 << QStringList{"Zot"} << 1 << 12;
        QTest::newRow("12 loaded, two searches") << 12 << QStringList{"Zot", "Qiejt"} << 2 << 12;
        QTest::newRow("12 loaded, a phrase already there: the first still goes") << 12 << QStringList{"h5"} << 1 << 11;
    }
    void historyTrim() {
        QFETCH(int, stored);
        QFETCH(QStringList, phrases);
        QFETCH(int, firstLeft);
        QFETCH(int, count);
        QStringList initial;
        for (int i = 0; i < stored; ++i)
            initial << QStringLiteral("h") + QString::number(i);
        start(initial);
        QCOMPARE(history(), initial);
        for (const QString& p : phrases)
            search(p);
        const QStringList h = history();
        QCOMPARE(h.size(), count);
        QCOMPARE(h.first(), QStringLiteral("h") + QString::number(firstLeft));
        if (!phrases.first().startsWith(u'h'))
            QCOMPARE(h.mid(h.size() - phrases.size()), phrases);
    }

    void keysAndFocus() {
        start();
        // Enter in the search box searches.
        w->CmbKerkoKrejt->setText(QStringLiteral("Qiejt"));
        QTest::keyClick(w->CmbKerkoKrejt->lineEdit(), Qt::Key_Return);
        QVERIFY(w->Rtf1->Text().startsWith(
            QStringLiteral("\r\nU gjet vetëm një ajet në të cilin përmendet shprehja Qiejt:\r\n")));
        // Tab does not.
        w->CmbKerkoKrejt->setText(QStringLiteral("Zot"));
        QTest::keyClick(w->CmbKerkoKrejt->lineEdit(), Qt::Key_Tab);
        QVERIFY(w->Rtf1->Text().contains(QStringLiteral("Qiejt:")));
        // Enter in the find box finds the next occurrence in the view.
        w->txtKerkim->setText(QStringLiteral("qiejt"));
        w->Rtf1->setSelStart(0);
        QTest::keyClick(w->txtKerkim, Qt::Key_Return);
        QCOMPARE(w->Rtf1->SelStart(), int(w->Rtf1->Text().indexOf(QStringLiteral("Qiejt"))));
        QCOMPARE(w->Rtf1->SelLength(), 5);
        // Moving into either box selects its whole text.
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->Rtf1->setFocus();
        w->CmbKerkoKrejt->setFocus();
        QTRY_VERIFY(w->CmbKerkoKrejt->hasFocus());
        QCOMPARE(w->CmbKerkoKrejt->lineEdit()->selectedText(), QStringLiteral("Zot"));
        w->txtKerkim->deselect();
        w->Rtf1->setFocus();
        w->txtKerkim->setFocus();
        QTRY_VERIFY(w->txtKerkim->hasFocus());
        QCOMPARE(w->txtKerkim->selectedText(), QStringLiteral("qiejt"));
    }

    // ---- refusals ----

    void surahTextThatIsNotANumber_data() {
        QTest::addColumn<QString>("surahText");
        QTest::newRow("empty") << "";
        QTest::newRow("letters") << "abc";
        QTest::newRow("a condition") << "1 or 1=1";
        QTest::newRow("a statement") << "1; DROP TABLE librezi";
        QTest::newRow("a fraction") << "2.5";
    }
    void surahTextThatIsNotANumber() {
        QFETCH(QString, surahText);
        start({QStringLiteral("Zot")});
        search(QStringLiteral("Qiejt")); // a result on screen first
        const QString before = w->Rtf1->Text();
        const QStringList historyBefore = history();
        const QString statementBefore = w->SQLMeAndLike;
        w->ChkKerkoSure->setChecked(true);
        w->CmbNrSure->setText(surahText);
        platform::MsgBoxScript script;
        search(QStringLiteral("Zot"));
        QCOMPARE(script.asked().size(), 1);
        QCOMPARE(script.asked().at(0).text,
                 QStringLiteral("Zgjidhni një sure (numrin e saj) për të kërkuar vetëm në suren aktuale."));
        QCOMPARE(w->Rtf1->Text(), before);
        QCOMPARE(history(), historyBefore);
        QCOMPARE(w->SQLMeAndLike, statementBefore); // nothing was composed
        QVERIFY(Module1::cnLidhja.Execute(QStringLiteral("SELECT count(*) FROM librezi")).Fields(0).toInt() == 6236);
    }

    void failingStatement_data() {
        QTest::addColumn<bool>("afterASearch");
        QTest::newRow("over the whole text") << false;
        QTest::newRow("over an earlier result") << true;
    }
    void failingStatement() {
        QFETCH(bool, afterASearch);
        start();
        if (afterASearch)
            search(QStringLiteral("Qiejt"));
        const QString before = w->Rtf1->Text();
        const QStringList historyBefore = history();
        Module1::cnLidhja.Execute(QStringLiteral("DROP TABLE librezi"));
        platform::MsgBoxScript script;
        QString shownDuringTheMessage;
        script.onAsk([&](const platform::AskedMessage&) { shownDuringTheMessage = w->Rtf1->Text(); });
        search(QStringLiteral("Zot"));
        QCOMPARE(script.asked().size(), 1);
        QVERIFY2(script.asked().at(0).text.startsWith(QStringLiteral("Veprimi nuk u krye")),
                 qPrintable(script.asked().at(0).text));
        QCOMPARE(w->Rtf1->Text(), before);
        QCOMPARE(shownDuringTheMessage, before);
        QVERIFY(!w->Rtf1->Text().contains(QStringLiteral("Keni durim")));
        QCOMPARE(history(), historyBefore);
        QCOMPARE(w->inPassageMode(), afterASearch);
    }

    void aSecondSearchWhileOneRunsIsIgnored() {
        start();
        // The progress text is put while the search runs; at that moment the reader clicks "Kërko"
        // again, for another phrase.
        int progressShown = 0;
        bool runningThen = false;
        bool clicked = false;
        connect(w->Rtf1, &QTextEdit::textChanged, this, [&] {
            if (!w->Rtf1->Text().startsWith(QStringLiteral("Keni durim...\r\n...kërkimi është në rrjedhë...")))
                return;
            ++progressShown;
            runningThen = w->databaseSearch().running();
            if (!clicked) {
                clicked = true;
                w->cmdKerkoAll->click();
            }
        });
        platform::MsgBoxScript script;
        search(QStringLiteral("Qiejt"));
        QVERIFY(clicked);
        QVERIFY(runningThen);
        QCOMPARE(progressShown, 1);
        QVERIFY(script.asked().isEmpty());
        QCOMPARE(w->Rtf1->Text(),
                 QStringLiteral("\r\nU gjet vetëm një ajet në të cilin përmendet shprehja Qiejt:\r\n") + kRule +
                     line(4, 6));
        QCOMPARE(history(), QStringList{"Qiejt"});
        QVERIFY(!w->databaseSearch().running());
        // And the next search runs as usual.
        search(QStringLiteral("Zot"));
        QCOMPARE(progressShown, 2);
        QCOMPARE(history(), (QStringList{"Qiejt", "Zot"}));
    }

    // ---- a real translation ----

    void realTranslation_data() {
        QTest::addColumn<QString>("phrase");
        QTest::newRow("All-llahu") << "All-llahu";
        QTest::newRow("typed apostrophe, written typographic") << "s'ka";
    }
    void realTranslation() {
        QFETCH(QString, phrase);
        const QString file = testsupport::sharedTestFile(QStringLiteral("sq.ahmeti.txt"));
        if (file.isEmpty())
            QSKIP("the shared test material is not here");
        Module1::unloadMainWindow();
        testsupport::useSettingsIn(*dir);
        databuilder::build({testsupport::factsFolder(), dir->path(), file, QString()});
        Module1::setProgramFolder(dir->path());
        QCOMPARE(Module1::Main(), 0);
        w = Module1::mainWindow();
        QVERIFY(w);
        w->show();

        // What the file itself says: the verses holding the phrase, apostrophes taken as one.
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        int expected = 0;
        int typographic = 0;
        const QString folded = platform::foldText(phrase);
        for (const QByteArray& raw : f.readAll().split('\n')) {
            const QString l = QString::fromUtf8(raw).trimmed();
            if (l.isEmpty() || l.startsWith(u'#'))
                continue;
            const QString text = l.section(u'|', 2);
            if (platform::foldText(text).contains(folded)) {
                ++expected;
                if (text.contains(QStringLiteral("s’ka")))
                    ++typographic;
            }
        }
        if (phrase == QStringLiteral("All-llahu"))
            QCOMPARE(expected, 1880);
        else
            QVERIFY(typographic > 0);

        platform::MsgBoxScript script;
        search(phrase);
        QVERIFY(script.asked().isEmpty());
        const QString text = w->Rtf1->Text();
        const QString report = QStringLiteral("\r\nGjithsej u gjetën ") + QString::number(expected) +
                               QStringLiteral(" ajete në të cilat përmendet shprehja ") + phrase +
                               QStringLiteral(":\r\n");
        QVERIFY2(text.startsWith(report + kRule), qPrintable(text.left(200)));
        const QStringList lines =
            text.mid(report.size() + kRule.size()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(int(lines.size()), expected);
        int withTypographic = 0;
        for (const QString& l : lines) {
            QVERIFY2(platform::foldText(l).contains(folded), qPrintable(l));
            withTypographic += l.contains(QStringLiteral("s’ka"));
        }
        if (phrase == QStringLiteral("s'ka"))
            QCOMPARE(withTypographic, typographic);
        QCOMPARE(history(), QStringList{phrase});
    }
};

QTEST_MAIN(TestDbSearch)
#include "test_dbsearch.moc"
