// SPDX-License-Identifier: GPL-3.0-or-later
// Printouts as PDF files, read back by pdftotext: every verse once and in order across the pages, the title on the
// first page, each page's foot with its number; the document in the day's colours at night; a file that cannot be
// written said, and nothing left of it.
#include "data/library.h"
#include "platform/database.h"
#include "platform/look.h"
#include "printing/printout.h"
#include "printing/sources.h"
#include "search/dbsearch.h"
#include "testsupport.h"
#include "tools/databuilder.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using namespace Qt::StringLiterals;

using testsupport::keysIn;
using testsupport::pageCount;
using testsupport::pagesOf;

class TestPrinting : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    platform::Connection db;
    std::optional<data::Library> library;
    bool realText = false;
    const printing::Look look{QFont(u"DejaVu Sans"_s, 11), QFont(u"Amiri"_s, 16)};

private Q_SLOTS:
    // The real translation when the shared material is here; otherwise a verse text written for each verse.
    void initTestCase() {
        QString translation = qEnvironmentVariable("LIBREZI_SHARED") + u"/testdata/sq.ahmeti.txt"_s;
        realText = QFile::exists(translation);
        if (!realText) {
            translation = dir.filePath(u"sq.txt"_s);
            QFile f(translation);
            QVERIFY(f.open(QIODevice::WriteOnly));
            for (const databuilder::Surah& s : databuilder::readSurahs(qEnvironmentVariable("LIBREZI_FACTS")))
                for (int v = 1; v <= s.verses; ++v)
                    f.write(u"%1|%2|Ky është ajeti %2 i sures %1, me një tekst që zë më shumë se një rresht në "
                            "faqe, si ajetet e gjata të përkthimit.\n"_s.arg(s.number)
                                .arg(v)
                                .toUtf8());
        }
        databuilder::Options o;
        o.factsFolder = qEnvironmentVariable("LIBREZI_FACTS");
        o.outFolder = dir.path();
        o.translationFile = translation;
        databuilder::build(o);
        db.Open(dir.filePath(u"librezi.db"_s));
        library.emplace(db);
    }

    // A surah and a search's results of some 1,900 verses: as many pages as the PDF has, every verse once and in
    // order across them, the title on the first page, the foot on each with its number.
    void wholePrintouts_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("surah Bekare") << 0;
        QTest::newRow("the results of a search") << 1;
    }
    void wholePrintouts() {
        QFETCH(int, which);
        const printing::Printout out =
            which == 0
                ? printing::surah(*library, 2, {})
                : printing::composed(*library, search::compose(search::run(db, {u"është"_s, 0, QString(), false})), {});
        QStringList expected;
        for (const text::VerseIndex::Span& s : out.body.index.verses())
            expected.append(s.verse.text());
        if (which == 0)
            QCOMPARE(expected.size(), 286);
        else if (realText)
            QCOMPARE(expected.size(), 1932);
        const QString pdf = dir.filePath(u"out%1.pdf"_s.arg(which));
        const int pages = printing::writePdf(out, look, pdf);
        QCOMPARE(pageCount(pdf), pages);
        QVERIFY2(pages > expected.size() / 40, qPrintable(QString::number(pages))); // two lines a verse or more
        const QStringList texts = pagesOf(pdf);
        QCOMPARE(texts.size(), pages);
        QVERIFY(texts.first().startsWith(out.title));
        QCOMPARE(keysIn(texts.join(u'\n')), expected);
        for (int i = 0; i < pages; ++i) {
            QVERIFY2(texts[i].contains(printing::pageNumber(i + 1, pages)), qPrintable(texts[i].right(200)));
            QVERIFY(texts[i].contains(out.foot));
        }
        if (realText)
            QCOMPARE(out.foot, u"Përkthimi i Sherif Ahmetit · Burimi: Tanzil.net"_s);
    }

    // At night the window's colours change, a printout's do not: the keys bold in the day's key colour, the found
    // words red, the title first; the Arabic right to left in its face; a note's lines under its verse.
    void lookOfTheDocument() {
        platform::setNight(true);
        text::ShownText arabic{QString(), true, {{text::Verse{1, 1}, u"بِسْمِ اللَّهِ"_s}}};
        const printing::Printout out =
            printing::bookmarks(*library, {{1, 2}}, {{{1, 1}, u"Shënimi im\nrreshti i dytë"_s, QDateTime()}}, {arabic});
        platform::setNight(false);
        const auto doc = printing::document(out, look);
        QCOMPARE(doc->begin().text(), u"Shënjuesit dhe shënimet"_s);
        const QString text = doc->toPlainText();
        QVERIFY(text.contains(u"1:1.\t"_s) && text.indexOf(u"1:1.\t"_s) < text.indexOf(u"1:2.\t"_s));
        QVERIFY(text.contains(u"Shënimi: Shënimi im\nrreshti i dytë"_s));
        QVERIFY(text.indexOf(u"rreshti i dytë"_s) < text.indexOf(u"1:2.\t"_s)); // under its own verse
        QTextCursor c(doc.get());
        c.setPosition(int(text.indexOf(u"1:2."_s)) + 1);
        QVERIFY(c.charFormat().font().bold());
        QCOMPARE(c.charFormat().foreground().color(), platform::dayPalette(text::Role::VerseKey));
        const QTextBlock arabicLine = doc->findBlock(int(text.indexOf(u"بِسْمِ"_s)));
        QCOMPARE(arabicLine.blockFormat().layoutDirection(), Qt::RightToLeft);
        QCOMPARE(QTextCursor(arabicLine).charFormat().fontFamilies().toStringList().value(0), u"Amiri"_s);

        const auto found = [] { // a verse with a found word
            text::Composer k;
            k.verse({1, 3}, u"Mëshiruesit"_s, {{0, 4}});
            return printing::Printout{u"T"_s, k.take(), QString()};
        };
        const auto marked = printing::document(found(), look);
        platform::setNight(true);
        const auto atNight = printing::document(found(), look);
        platform::setNight(false);
        for (QTextDocument* d : {marked.get(), atNight.get()}) {
            QTextCursor m(d);
            m.setPosition(int(d->toPlainText().indexOf(u"Mëshiruesit"_s)) + 2);
            QCOMPARE(m.charFormat().foreground().color(), platform::dayPalette(text::Role::Match));
            m.setPosition(int(d->toPlainText().indexOf(u"Mëshiruesit"_s)) + 6);
            QVERIFY(m.charFormat().foreground().color() != platform::dayPalette(text::Role::Match));
        }
    }

    // A file that cannot be written is said and nothing is left; an earlier file of the name stays whole when a
    // write fails; the same printout goes to a printer (here one writing a PDF) page for page as to a file, and to
    // an OpenDocument text.
    void filesAndPrinters() {
        const printing::Printout out = printing::surah(*library, 36, {});
        QVERIFY_THROWS_EXCEPTION(printing::WriteError,
                                 printing::writePdf(out, look, dir.filePath(u"missing/folder/x.pdf"_s)));
        QVERIFY(!QFile::exists(dir.filePath(u"missing"_s)));

        const QString pdf = dir.filePath(u"yasin.pdf"_s);
        const int pages = printing::writePdf(out, look, pdf, QPageSize::A5);
        QVERIFY(pages > printing::writePdf(out, look, dir.filePath(u"yasin-a4.pdf"_s))); // smaller paper, more pages
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(u"printed.pdf"_s));
        printer.setPageSize(QPageSize(QPageSize::A5));
        QCOMPARE(printing::print(out, look, printer), pages);
        QCOMPARE(keysIn(pagesOf(printer.outputFileName()).join(u'\n')), keysIn(pagesOf(pdf).join(u'\n')));
        QCOMPARE(keysIn(pagesOf(pdf).join(u'\n')).size(), 83);

        const QString odt = dir.filePath(u"yasin.odt"_s);
        printing::writeOdt(out, look, odt);
        QFile f(odt);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.read(2) == "PK");
    }
};

QTEST_MAIN(TestPrinting)
#include "test_printing.moc"
