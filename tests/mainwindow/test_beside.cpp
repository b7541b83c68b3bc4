// SPDX-License-Identifier: GPL-3.0-or-later
// The Arabic and other translations read beside the reader's own, on the real window: imported from a file, shown
// above and under each verse, every command on verses still working, kept between two starts, taken away to the
// letter; a phrase typed in Arabic searching the Arabic text; and the whole Simple Clean text in the view, byte for
// byte.
#include "about/frmrrethprog.h"
#include "mainwindow/printdialog.h"
#include "mainwindow/translationimport.h"
#include "platform/look.h"
#include "search/dbsearch.h"
#include "text/arabic.h"
#include "tools/parallel.h"
#include "windowtest.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>

#include <memory>

using namespace Qt::StringLiterals;
using testsupport::Controls;

namespace {

// A Tanzil text of every verse, "<word> S:V"; a few verses get their own text.
QByteArray tanzilText(const QString& word, const QHash<QString, QString>& own = {}) {
    QByteArray text;
    for (const databuilder::Surah& s : databuilder::readSurahs(testsupport::factsFolder()))
        for (int v = 1; v <= s.verses; ++v) {
            const QString key = u"%1:%2"_s.arg(s.number).arg(v);
            text += u"%1|%2|%3\n"_s.arg(s.number).arg(v).arg(own.value(key, word + u' ' + key)).toUtf8();
        }
    return text + "\n# Tanzil Quran Text\n# License: Creative Commons Attribution 3.0\n";
}

const QString kRahman = u"ٱلرَّحۡمَـٰنِ"_s; // as an Uthmani text writes it: marks, a small alef, a wasla

} // namespace

class TestBeside : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<Controls> c;
    QToolButton* arabic() const { return testsupport::child<QToolButton>(c->w, "cmdTekstiArab"); }
    void start(bool again) {
        frmKryesore* w = windowtest::startShown(dir, again);
        QVERIFY(w);
        c = std::make_unique<Controls>(w);
    }
    // Imports a file as a text beside, by the menu of the Arabic's button, answering its message.
    void importBeside(const QString& file) {
        c->w->findChild<TranslationImport*>()->chooseFile = [file] { return file; };
        auto* menu = testsupport::child<QMenu>(c->w, "mnuTekstet");
        Q_EMIT menu->aboutToShow();
        platform::MsgBoxScript boxes;
        boxes.answer(platform::Answer::OK);
        testsupport::child<QAction>(menu, "mnuImportoTekst")->trigger();
        QCOMPARE(boxes.asked().size(), 1);
    }
    // The lines of the text shown, as the reader sees them.
    QStringList lines() const { return c->Rtf1->Text().split(u"\r\n"_s); }
    // The line right above the verse's key line.
    QString above(text::Verse v) const {
        const int key = c->Rtf1->fromDocumentPosition(c->Rtf1->verseIndex().spanOf(v)->key);
        const QString before = c->Rtf1->Text().left(key - 2);
        return before.mid(before.lastIndexOf(u"\r\n"_s) + 2);
    }

private Q_SLOTS:
    void initTestCase() {
        qputenv("XDG_DATA_HOME", dir.filePath(u"home"_s).toLocal8Bit());
        start(false);
    }
    void cleanupTestCase() { Module1::unloadMainWindow(); }

    // Without an Arabic text the button and an Arabic search say where to get one; nothing changes.
    void noArabicYet() {
        const QString before = c->Rtf1->Text();
        platform::MsgBoxScript boxes;
        arabic()->click();
        QVERIFY(!arabic()->isChecked() && c->Rtf1->Text() == before);
        c->CmbKerkoKrejt->setText(u"الرحمن"_s);
        c->cmdKerkoAll->click();
        QCOMPARE(boxes.asked().size(), 2);
        QVERIFY(boxes.asked()[0].text.contains(u"„Shkarkimet”"_s));
        QCOMPARE(boxes.asked()[1].text, search::refusalText(search::Refusal::NoArabic));
        QVERIFY(!c->w->inPassageMode());
    }

    // Imported from a file, the Arabic stands above every verse; every command on verses acts on the verse's block;
    // taken away, the text is what it was to the letter.
    void arabicAboveEveryVerse() {
        const QString plain = c->Rtf1->Text();
        const text::VerseIndex plainIndex = c->Rtf1->verseIndex();
        const QString file = dir.filePath(u"arabisht.txt"_s);
        QVERIFY(testsupport::overwrite(
            file, tanzilText(u"نص"_s, {{u"1:3"_s, kRahman + u" ٱلرَّحِيمِ"_s}, {u"55:1"_s, u"ٱلرَّحۡمَـٰنُ"_s}})));
        importBeside(file);
        QVERIFY(arabic()->isChecked());
        QCOMPARE(above({36, 12}), u"نص 36:12"_s);
        // Its notice stands in About.
        QVERIFY(
            testsupport::child<QLabel>(createAbout(c->w, &Module1::library).get(), "lblBurimet")
                ->text()
                .contains(
                    u"„arabisht”, i lexuar pranë përkthimit, me shënimin e tij:\nTanzil Quran Text\nLicense: Creative "
                    "Commons Attribution 3.0"_s));
        QCOMPARE(above({1, 3}), kRahman + u" ٱلرَّحِيمِ"_s);
        // A surah exported holds the Arabic above each verse, as shown.
        auto* print = c->w->findChild<PrintCommands*>();
        const QString pdf = dir.filePath(u"arabisht.pdf"_s);
        print->runDialog = [](frmPrinto&) { return true; };
        print->chooseFile = [pdf](const QString&) { return pdf; };
        {
            platform::MsgBoxScript script;
            print->exportText();
        }
        static const QRegularExpression arabicLetter(u"[\\x{0600}-\\x{06FF}\\x{FB50}-\\x{FEFF}]"_s);
        QVERIFY(testsupport::pagesOf(pdf).join(u'\n').contains(arabicLetter));
        QCOMPARE(c->Rtf1->verseIndex().size(), plainIndex.size());
        // The Arabic line belongs to its verse; it is drawn right to left in its own face.
        const text::VerseIndex::Span* s = c->Rtf1->verseIndex().spanOf({36, 12});
        QCOMPARE(c->Rtf1->verseAt(c->Rtf1->fromDocumentPosition(s->start)), (text::Verse{36, 12}));
        QCOMPARE(c->Rtf1->verseAt(c->Rtf1->fromDocumentPosition(s->start) - 2), (text::Verse{36, 11}));
        const QTextBlock line = c->Rtf1->document()->findBlock(s->start);
        QVERIFY(line.blockFormat().layoutDirection() == Qt::RightToLeft &&
                line.blockFormat().alignment().testFlag(Qt::AlignRight));
        QCOMPARE(c->Rtf1->fontAt(c->Rtf1->fromDocumentPosition(s->start)).family(), u"Amiri"_s);
        const QTextBlockFormat keyFormat = c->Rtf1->document()->findBlock(s->key).blockFormat(); // as it was
        QVERIFY(keyFormat.layoutDirection() != Qt::RightToLeft && keyFormat.textIndent() < 0);
        // A verse gone to: its whole block selected, its Arabic at the top of the view.
        windowtest::enter(c->CmbNrAjeti, u"36:12"_s);
        QCOMPARE(c->Rtf1->SelText(), u"نص 36:12\r\n"_s + c->Rtf1->lineAt(c->Rtf1->fromDocumentPosition(s->key)));
        QCOMPARE(c->Rtf1->topVerse(), (text::Verse{36, 12}));
        QCOMPARE(c->Rtf1->topPosition(), c->Rtf1->fromDocumentPosition(s->start));
        c->Rtf1->showAtTop(c->Rtf1->fromDocumentPosition(s->key)); // the Arabic above the view, the key line in it
        QCOMPARE(c->Rtf1->topVerse(), (text::Verse{36, 12}));
        // Copied with its Arabic; the popup's selection of the verse is the block too.
        c->Rtf1->setSelStart(c->Rtf1->fromDocumentPosition(s->key) + 3);
        c->mnuSelektojeAjetin->trigger();
        QCOMPARE(c->Rtf1->SelStart(), c->Rtf1->fromDocumentPosition(s->start));
        // Copied, by the menu or Ctrl+C in the text, with its Arabic and its reference; a part of it as it is.
        const QString verseText = c->Rtf1->lineAt(c->Rtf1->fromDocumentPosition(s->key)).section(u'\t', 1);
        const QString reference = u" (Jasin 36:12, përkthimi i %1)"_s.arg(
            text::genitive(Module1::library.fact(u"perkthyesi"_s).value_or(QString())));
        for (const auto& copy :
             {std::function<void()>([this] { c->mnuKopjim->trigger(); }),
              std::function<void()>([this] { QTest::keyClick(c->Rtf1->shown(), Qt::Key_C, Qt::ControlModifier); })}) {
            QGuiApplication::clipboard()->clear();
            copy();
            QCOMPARE(QGuiApplication::clipboard()->text().replace(u" (Jasin 36:12)"_s, reference),
                     u"نص 36:12\r\n"_s + verseText + reference);
            QVERIFY(QGuiApplication::clipboard()->mimeData()->html().contains(u"<p dir=\"rtl\">نص 36:12</p>"_s));
        }
        c->Rtf1->setSelLength(5);
        c->mnuKopjim->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), u"نص 36"_s);
        // The face of the translation leaves the Arabic its own; a bookmark's ribbon stands beside the key line.
        c->Rtf1->setFontName(u"DejaVu Serif"_s);
        QCOMPARE(c->Rtf1->fontAt(c->Rtf1->fromDocumentPosition(s->start)).family(), u"Amiri"_s);
        QCOMPARE(c->Rtf1->fontAt(c->Rtf1->fromDocumentPosition(s->key) + 8).family(), u"DejaVu Serif"_s);
        QTest::keyClick(c->Rtf1->shown(), Qt::Key_D, Qt::ControlModifier);
        const QTextBlock keyLine = c->Rtf1->document()->findBlock(s->key);
        const QRect ribbon = c->Rtf1->shown()->markRect({36, 12});
        const int keyTop = qRound(c->Rtf1->document()->documentLayout()->blockBoundingRect(keyLine).top()) -
                           c->Rtf1->verticalScrollBar()->value() + c->Rtf1->viewport()->y();
        QVERIFY2(!ribbon.isEmpty() && ribbon.top() >= keyTop &&
                     ribbon.top() < keyTop + keyLine.layout()->lineAt(0).height(),
                 qPrintable(u"%1 %2"_s.arg(ribbon.top()).arg(keyTop)));
        QTest::keyClick(c->Rtf1->shown(), Qt::Key_D, Qt::ControlModifier);
        // Find goes through the Arabic too.
        c->txtKerkim->setText(u"نص 36:13"_s);
        c->cmdKerkim->click();
        QCOMPARE(c->Rtf1->verseAt(c->Rtf1->SelStart()), (text::Verse{36, 13}));
        // Search results: each verse found under its Arabic.
        const QString word =
            c->Rtf1->lineAt(c->Rtf1->fromDocumentPosition(s->key)).section(u'\t', 1).section(u' ', 0, 0);
        c->ChkKerkoSure->setChecked(true);
        c->CmbNrSure->setText(u"36"_s);
        c->CmbKerkoKrejt->setText(word);
        QVERIFY(testsupport::search(*c));
        const QStringList found = lines();
        const qsizetype at = found.indexOf(QRegularExpression(u"^36:12\\.\t.*"_s));
        QVERIFY(at > 0 && found[at - 1] == u"نص 36:12"_s);
        c->ChkKerkoSure->setChecked(false);
        c->cmdKtheLibrezin->click();
        // Turned off: the text as it was, the index too; the place kept.
        arabic()->click();
        QVERIFY(c->Rtf1->Text() == plain);
        QCOMPARE(c->Rtf1->verseIndex().verses().size(), plainIndex.verses().size());
        for (qsizetype i : {0, 100, 6235})
            QVERIFY(c->Rtf1->verseIndex().verses()[i].start == plainIndex.verses()[i].start &&
                    c->Rtf1->verseIndex().verses()[i].end == plainIndex.verses()[i].end);
        QCOMPARE(c->Rtf1->verseAt(c->Rtf1->SelStart()), (text::Verse{36, 13}));
        arabic()->click();
        QCOMPARE(above({114, 6}), u"نص 114:6"_s);
    }

    // A phrase typed in Arabic finds the verses whose Arabic holds it, marks and alefs forgiven; the red falls on the
    // original letters, marks included; a translation turned on stands under each verse after its short name.
    void arabicSearchAndAnotherTranslation() {
        const QString other = dir.filePath(u"sq.tjeter.txt"_s);
        QVERIFY(testsupport::overwrite(other, tanzilText(u"Tjetër"_s)));
        importBeside(other);
        windowtest::enter(c->CmbNrAjeti, u"2:3"_s);
        const text::VerseIndex::Span* s = c->Rtf1->verseIndex().spanOf({2, 3});
        QCOMPARE(
            c->Rtf1->Text().mid(c->Rtf1->fromDocumentPosition(s->keyEnd) + 2,
                                c->Rtf1->fromDocumentPosition(s->end) - c->Rtf1->fromDocumentPosition(s->keyEnd) - 2),
            u"Tjeter:\tTjetër 2:3"_s);
        QVERIFY(c->Rtf1->fontAt(c->Rtf1->fromDocumentPosition(s->end) - 1).pointSizeF() <
                c->Rtf1->fontAt(c->Rtf1->fromDocumentPosition(s->key) + 8).pointSizeF());

        c->CmbKerkoKrejt->setText(u"الرحمن"_s);
        QVERIFY(testsupport::search(*c));
        const QStringList shown = lines();
        QVERIFY(shown.contains(u"Gjithsej u gjetën 2 ajete në të cilat përmendet shprehja الرحمن:"_s));
        const qsizetype first = shown.indexOf(kRahman + u" ٱلرَّحِيمِ"_s);
        QVERIFY(first > 0 && shown[first + 1].startsWith(u"1:3.\t"_s) && shown[first + 2] == u"Tjeter:\tTjetër 1:3"_s);
        QVERIFY(shown[first + 3] == u"ٱلرَّحۡمَـٰنُ"_s && shown[first + 4].startsWith(u"55:1.\t"_s));
        const int at = int(c->Rtf1->Text().indexOf(kRahman + u" ٱلرَّحِيمِ"_s));
        const QColor red = platform::colour(text::Role::Match);
        for (int i = 0; i < kRahman.size(); ++i) // every letter and mark of the word, its wasla included
            QVERIFY2(testsupport::colourAt(*c->Rtf1, at + i) == red, qPrintable(QString::number(i)));
        QVERIFY(testsupport::colourAt(*c->Rtf1, at + kRahman.size()) != red); // the blank after it
        QVERIFY(c->CmbKerkoKrejt->findText(u"الرحمن"_s) >= 0);                // kept in the history
        // Within one surah.
        c->w->findChild<QCheckBox*>(u"ChkKerkoSure"_s)->setChecked(true);
        c->CmbNrSure->setText(u"55"_s);
        QVERIFY(testsupport::search(*c));
        QVERIFY(lines().contains(u"ٱلرَّحۡمَـٰنُ"_s) && !lines().contains(kRahman + u" ٱلرَّحِيمِ"_s));
        c->w->findChild<QCheckBox*>(u"ChkKerkoSure"_s)->setChecked(false);
        c->cmdKtheLibrezin->click();
        QVERIFY(!c->w->inPassageMode());
    }

    // The choice is kept: the next start shows the same texts beside the verses.
    void keptBetweenRuns() {
        const QString before = c->Rtf1->Text();
        Module1::unloadMainWindow();
        start(true);
        QVERIFY(arabic()->isChecked());
        QCOMPARE(c->Rtf1->Text(), before);
    }

    // Every verse of Tanzil's Simple Clean text stands in the view as its file has it.
    void simpleCleanInTheView() {
        QFile file(qEnvironmentVariable("LIBREZI_SHARED") + u"/testdata/quran-simple-clean.txt"_s);
        if (!file.open(QIODevice::ReadOnly))
            QSKIP("the Simple Clean text is not here");
        const QByteArray content = file.readAll();
        databuilder::importParallel(Module1::parallelTextsPath(), file.fileName(), content,
                                    databuilder::TextKind::Arabic, u"ar"_s,
                                    databuilder::readSurahs(testsupport::factsFolder()));
        databuilder::removeParallel(Module1::parallelTextsPath(), 1); // the synthetic Arabic: the real one is first now
        arabic()->click();
        arabic()->click();
        const QString shown = c->Rtf1->Text();
        int compared = 0;
        for (const QByteArray& raw : content.split('\n')) {
            const QList<QByteArray> parts = raw.split('|');
            if (parts.size() != 3 || raw.startsWith('#'))
                continue;
            const text::Verse v{parts[0].toInt(), parts[1].toInt()};
            const text::VerseIndex::Span* s = c->Rtf1->verseIndex().spanOf(v);
            const QByteArray key = QByteArray(v.text().toLatin1());
            QVERIFY2(s, key.constData());
            const int from = c->Rtf1->fromDocumentPosition(s->start), to = c->Rtf1->fromDocumentPosition(s->key) - 2;
            QVERIFY2(shown.mid(from, to - from).toUtf8() == QByteArray(parts[2]).chopped(parts[2].endsWith('\r')),
                     key.constData());
            ++compared;
        }
        QCOMPARE(compared, 6236);
    }
};

QTEST_MAIN(TestBeside)
#include "test_beside.moc"
