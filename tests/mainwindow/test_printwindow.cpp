// SPDX-License-Identifier: GPL-3.0-or-later
// "Eksporto..." (Ctrl+E) and "Printo..." (Ctrl+P) on the real window: the surah at the caret in the whole text, a
// search's results as shown, the bookmarks with their notes; a PDF read back page by page, a printer that writes
// one, a computer without printers, the reader cancelling.
#include "mainwindow/printdialog.h"
#include "notes/notes.h"
#include "windowtest.h"

#include <QComboBox>
#include <QPrinter>
#include <QRadioButton>

#include <memory>

using namespace Qt::StringLiterals;
using testsupport::Controls;
using testsupport::keysIn;

class TestPrintWindow : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<Controls> c;
    PrintCommands* print = nullptr;
    // What the dialog offered last, and what the reader chooses in it.
    QString offered;
    bool bookmarksOffered = false;
    bool chooseBookmarks = false;
    QStringList printersOffered;
    QStringList fileAsked;

    // The keys of the verses of a PDF, its pages read in order.
    static QStringList keysOf(const QString& pdf) { return keysIn(testsupport::pagesOf(pdf).join(u'\n')); }
    static QStringList keys(int surah, int verses) {
        QStringList out;
        for (int v = 1; v <= verses; ++v)
            out.append(u"%1:%2"_s.arg(surah).arg(v));
        return out;
    }
    // Ctrl+E in the text; the message said after it.
    QString exported(const QString& file) {
        platform::MsgBoxScript script;
        print->chooseFile = [this, file](const QString& suggested) {
            fileAsked.append(suggested);
            return file;
        };
        QTest::keyClick(c->Rtf1->shown(), Qt::Key_E, Qt::ControlModifier);
        return script.asked().isEmpty() ? QString() : script.asked().last().text;
    }

private Q_SLOTS:
    void initTestCase() {
        qputenv("XDG_DATA_HOME", dir.filePath(u"home"_s).toLocal8Bit());
        frmKryesore* w = windowtest::startShown(dir, false);
        QVERIFY(w);
        c = std::make_unique<Controls>(w);
        print = w->findChild<PrintCommands*>();
        QVERIFY(print);
        print->runDialog = [this](frmPrinto& d) {
            offered = d.optPamja->text().replace(u"&&"_s, u"&"_s);
            bookmarksOffered = d.optShenjuesit->isEnabled();
            printersOffered.clear();
            for (int i = 0; i < d.cmbPrinteri->count(); ++i)
                printersOffered.append(d.cmbPrinteri->itemText(i));
            d.optShenjuesit->setChecked(chooseBookmarks);
            return true;
        };
    }
    void cleanupTestCase() { Module1::unloadMainWindow(); }

    // In the whole text the surah of the caret goes out, every verse once and in order; a search's results go out as
    // shown, titled by the phrase; with a bookmark and a note the reader may choose them instead.
    void exportWhatIsShown() {
        windowtest::enter(c->CmbNrAjeti, u"36:12"_s);
        const QString yasin = dir.filePath(u"jasin.pdf"_s);
        const QString said = exported(yasin);
        QCOMPARE(offered, u"Sureja Jasin (36)"_s);
        QCOMPARE(fileAsked.last(), u"Sureja Jasin (36).pdf"_s);
        QVERIFY(!bookmarksOffered);
        QCOMPARE(said, u"„Sureja Jasin (36)” u ruajt në „%1” (%2 faqe)."_s.arg(QDir::toNativeSeparators(yasin))
                           .arg(testsupport::pageCount(yasin)));
        QCOMPARE(keysOf(yasin), keys(36, 83));
        const QString nowhere = dir.filePath(u"mungon/jasin.pdf"_s); // a folder that is not there: said, and only that
        QVERIFY(exported(nowhere).startsWith(u"Skedari „%1” nuk mund të shkruhet"_s.arg(nowhere)));

        c->ChkKerkoSure->setChecked(true);
        c->CmbNrSure->setText(u"2"_s);
        c->CmbKerkoKrejt->setText(u"importuar"_s);
        QVERIFY(testsupport::search(*c));
        const QString results = dir.filePath(u"kerkimi.pdf"_s);
        exported(results);
        QCOMPARE(offered, u"Kërkimi i „importuar” në suren %1"_s.arg(Module1::library.surah(2)->name));
        QCOMPARE(keysOf(results), keys(2, 286));
        c->ChkKerkoSure->setChecked(false);

        c->cmdKtheLibrezin->click();
        windowtest::enter(c->CmbNrAjeti, u"2:255"_s);
        QTest::keyClick(c->Rtf1->shown(), Qt::Key_D, Qt::ControlModifier); // a bookmark
        notes::save(Module1::notesPath(), {1, 5}, u"Vetëm Ty të adhurojmë"_s);
        notes::save(Module1::notesPath(), {2, 255}, u"Ajeti i Kursisë"_s); // a bookmark's verse with a note too
        chooseBookmarks = true;
        const QString marked = dir.filePath(u"shenjuesit.odt"_s);
        QVERIFY(exported(marked).startsWith(u"„Shënjuesit dhe shënimet” u ruajt"_s));
        QVERIFY(bookmarksOffered);
        const QString markedPdf = dir.filePath(u"shenjuesit.pdf"_s);
        exported(markedPdf);
        chooseBookmarks = false;
        const QString text = testsupport::pagesOf(markedPdf).join(u'\n');
        QCOMPARE(keysIn(text), (QStringList{u"1:5"_s, u"2:255"_s}));
        QVERIFY(text.contains(u"Shënimi: Vetëm Ty të adhurojmë"_s) && text.contains(u"Shënimi: Ajeti i Kursisë"_s));
        QVERIFY(QFile::exists(marked));
    }

    // Ctrl+P: without a printer the reader is told where to go instead; with one, the pages go to it (here a printer
    // writing a PDF); cancelled, nothing is done.
    void printers() {
        windowtest::enter(c->CmbNrAjeti, u"112:1"_s);
        platform::MsgBoxScript script;
        print->printerNames = [] { return QStringList(); };
        offered.clear();
        QTest::keyClick(c->Rtf1->shown(), Qt::Key_P, Qt::ControlModifier);
        QVERIFY(offered.isEmpty());
        QCOMPARE(script.asked().size(), 1);
        QVERIFY(script.asked().last().text.startsWith(u"Në këtë kompjuter nuk u gjet asnjë printer."_s));

        const QString printed = dir.filePath(u"printeri.pdf"_s);
        print->printerNames = [] { return QStringList{u"Printeri i zyrës"_s}; };
        print->setUpPrinter = [printed](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(printed);
        };
        c->mnuPopupRtf->findChild<QAction*>(u"mnuPrinto"_s)->trigger();
        QCOMPARE(printersOffered, QStringList{u"Printeri i zyrës"_s});
        QCOMPARE(script.asked().last().text,
                 u"„Sureja Ihlas (112)” u dërgua te printeri „Printeri i zyrës” (1 faqe)."_s.replace(
                     u"Ihlas"_s, Module1::library.surah(112)->name));
        QCOMPARE(keysOf(printed), keys(112, 4));

        print->runDialog = [](frmPrinto&) { return false; };
        QFile::remove(printed);
        const qsizetype asked = script.asked().size();
        c->mnuPopupRtf->findChild<QAction*>(u"mnuPrinto"_s)->trigger();
        c->mnuPopupRtf->findChild<QAction*>(u"mnuEksporto"_s)->trigger();
        QCOMPARE(script.asked().size(), asked);
        QVERIFY(!QFile::exists(printed));
    }
};

QTEST_MAIN(TestPrintWindow)
#include "test_printwindow.moc"
