// SPDX-License-Identifier: GPL-3.0-or-later
// A translation brought in from the window of an installed program: the reader's own copy is made, the
// reciters kept, the new text shown at once; a refused file changes nothing.
#include "mainwindow/translationimport.h"
#include "platform/look.h"
#include "windowtest.h"

using platform::Answer;

class TestTranslationImport : public QObject {
    Q_OBJECT
    QTemporaryDir program, home;
    void importFrom(frmKryesore* w, const QString& file) {
        w->findChild<TranslationImport*>()->chooseFile = [file] { return file; };
    }

private Q_SLOTS:
    void initTestCase() {
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
        testsupport::copyBundledData(program);
        Module1::setProgramFolderWritable(false); // as installed: the reader's data go to their own folder
    }
    void cleanupTestCase() {
        Module1::unloadMainWindow();
        Module1::setProgramFolderWritable(std::nullopt);
    }
    void importIntoTheReadersCopy() {
        const QByteArray bundled = testsupport::fileChecksum(program.filePath("librezi.db"));
        frmKryesore* w = testsupport::startOnFolder(program);
        QVERIFY(w);
        w->show();
        testsupport::Controls c(w);
        // Before any import the book says what to do, and the tips offer the command.
        QVERIFY(c.Rtf1->Text().contains("Ende nuk është importuar asnjë përkthim"));
        QVERIFY(testsupport::child<QToolButton>(w, "cmdImportoKeshilla")->isVisible());

        // Every verse in `translation`'s words.
        const auto book = [](const QString& translation) {
            QByteArray text = "#  Translator: " + translation.toUtf8() + '\n';
            for (const databuilder::Surah& s : databuilder::readSurahs(testsupport::factsFolder()))
                for (int v = 1; v <= s.verses; ++v)
                    text += QString("%1|%2|%3 %1:%2\n").arg(s.number).arg(v).arg(translation).toUtf8();
            return text;
        };
        // A refused file: its faults said, nothing changed.
        const QString bad = home.filePath("keq.txt");
        QVERIFY(testsupport::overwrite(bad, "1|1|a\n1|1|b\n"));
        importFrom(w, bad);
        {
            platform::MsgBoxScript boxes;
            testsupport::child<QToolButton>(w, "cmdImporto")->click();
            QCOMPARE(boxes.asked().size(), 1);
            QVERIFY2(boxes.asked()[0].text.contains("Rreshti 2: ajeti 1:1 përsëritet"),
                     qPrintable(boxes.asked()[0].text));
        }
        // A file of another kind, a page saved instead of the translation: one sentence, not a fault a line.
        QByteArray page = "<!DOCTYPE html>\n<html><head><meta charset=utf-8></head><body>\n";
        for (int v = 1; v <= 30; ++v)
            page += "<p>1:" + QByteArray::number(v) + " Me emrin e Allahut\n";
        for (const QByteArray& content : {page, QByteArray(page).replace('<', ' ')}) {
            QVERIFY(testsupport::overwrite(bad, content));
            platform::MsgBoxScript boxes;
            testsupport::child<QToolButton>(w, "cmdImporto")->click();
            QCOMPARE(boxes.asked().size(), 1);
            QCOMPARE(boxes.asked()[0].text, "Ky skedar nuk është përkthim: pritej „sura|ajeti|teksti” në çdo rresht "
                                            "ose XML i Tanzil-it.");
        }
        QVERIFY(TranslationImport::placeholderShown(Module1::library));

        // What the reader approves is what is imported, even when the file is replaced before they answer.
        const QString good = home.filePath("sq.prova.txt");
        QVERIFY(testsupport::overwrite(good, book("Teksti").replace("1|7|Teksti 1:7\n", "1|7|\n")));
        importFrom(w, good);
        {
            platform::MsgBoxScript boxes;
            boxes.answer(Answer::Yes);
            boxes.answer(Answer::OK);
            boxes.onAsk([&](const platform::AskedMessage&) { QVERIFY(testsupport::overwrite(good, book("Tjetër"))); });
            testsupport::child<QToolButton>(w, "cmdImporto")->click();
            QCOMPARE(boxes.asked().size(), 2);
            QVERIFY2(boxes.asked()[0].text.contains("nga Teksti jep 6236 ajete (1 ajet pa tekst: 1:7)."),
                     qPrintable(boxes.asked()[0].text));
            QCOMPARE(boxes.asked()[1].text, "Përkthimi u importua. 1 ajet pa tekst: 1:7.");
        }
        // Shown at once and kept in the reader's folder (their reciters kept as every import keeps them: see the
        // builder's test); the program folder untouched.
        QVERIFY(c.Rtf1->Text().contains("\r\n36:10.\tTeksti 36:10\r\n"));
        // The verse left without text says so in grey, in the text only: the database keeps it empty.
        const QString note = "(ky përkthim nuk ka tekst për këtë ajet)";
        const qsizetype empty = c.Rtf1->Text().indexOf("\r\n1:7.\t" + note + "\r\n") + 7;
        QVERIFY(empty > 7);
        const auto colourAt = [&](qsizetype at) { return testsupport::colourAt(*c.Rtf1, at); };
        QCOMPARE(colourAt(empty), platform::colour(text::Role::Note));
        QVERIFY(colourAt(empty) != platform::colour(text::Role::Text) && colourAt(empty).saturation() == 0 &&
                platform::contrastRatio(colourAt(empty), Qt::white) >= 4.5); // grey, and readable
        QCOMPARE(colourAt(empty + note.size() - 1), platform::colour(text::Role::Note));
        QCOMPARE(colourAt(c.Rtf1->Text().indexOf("\tTeksti 1:6") + 1), platform::colour(text::Role::Text));
        QCOMPARE(Module1::cnLidhja.value("SELECT Perkthimi FROM librezi WHERE NrSure = 1 AND NrAjet = 7"),
                 QVariant(QString()));
        QVERIFY(c.Rtf1->Text().startsWith("Kur'ani — përkthimi shqip nga Teksti"));
        QVERIFY(!testsupport::child<QToolButton>(w, "cmdImportoKeshilla")->isVisible());
        QCOMPARE(testsupport::child<QToolButton>(w, "cmdImporto")->toolButtonStyle(), Qt::ToolButtonIconOnly);
        QCOMPARE(testsupport::fileChecksum(program.filePath("librezi.db")), bundled);
        c.CmbKerkoKrejt->setText("Teksti 114:6");
        QVERIFY(testsupport::search(c));
        QVERIFY(c.Rtf1->Text().contains("U gjet vetëm një ajet"));
        c.CmbKerkoKrejt->setText("nuk ka tekst për këtë ajet"); // the note is not the verse's text
        QVERIFY(testsupport::search(c));
        QVERIFY(c.Rtf1->Text().contains("Nuk u gjet ndonjë ajet"));

        // The next start opens on the imported text.
        w->close();
        w = testsupport::startOnFolder(program);
        QVERIFY(w);
        QVERIFY(testsupport::Controls(w).Rtf1->Text().contains("36:10.\tTeksti 36:10"));
    }
};

QTEST_MAIN(TestTranslationImport)
#include "test_translationimport.moc"
