// SPDX-License-Identifier: GPL-3.0-or-later
// The search that forgives a missing ë or ç, on the real window: off it finds what is typed, on it finds
// "mëshirues" for "meshirues" in the search, the colouring and find both ways, and it is kept across starts.
#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "platform/msgbox.h"
#include "platform/richtextview.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>

#include <memory>

class TestLoose : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<testsupport::Controls> c;

    void start() {
        frmKryesore* w = testsupport::startOnFolder(dir);
        QVERIFY(w);
        w->show();
        c = std::make_unique<testsupport::Controls>(w);
    }
    QCheckBox* option() { return testsupport::child<QCheckBox>(c->w, "ChkPaDallim"); }
    // The verses found for a phrase, from the report line.
    QString search(const QString& phrase) {
        c->CmbKerkoKrejt->setText(phrase);
        if (!testsupport::search(*c))
            return QStringLiteral("no search");
        return c->Rtf1->Text().section(QStringLiteral("\r\n"), 1, 1);
    }
    bool red(int at) {
        QTextCursor cur(c->Rtf1->document());
        cur.setPosition(c->Rtf1->toDocumentPosition(at) + 1);
        return cur.charFormat().foreground().color() == QColor(255, 0, 0);
    }

private Q_SLOTS:
    void initTestCase() {
        testsupport::copyBundledData(dir);
        platform::Connection db;
        db.Open(dir.filePath(QStringLiteral("librezi.db")));
        // Three verses to find, the third without the letters a reader may leave out.
        for (const auto& [verse, text] : {std::pair{1, QStringLiteral("Mëshiruesit, Mëshirëbërësit!")},
                                          std::pair{2, QStringLiteral("i mëshirueshëm çdo herë")},
                                          std::pair{3, QStringLiteral("meshiruesi cdo here")}})
            db.exec(QStringLiteral(
                        "UPDATE librezi SET Perkthimi = ?, Kerkimi = loose_fold(?) WHERE NrSure = 1 AND NrAjet = ?"),
                    {text, text, verse});
        db.exec(
            QStringLiteral("UPDATE librezi SET Perkthimi = ?, Kerkimi = loose_fold(?) WHERE NrSure = 1 AND NrAjet = ?"),
            {QStringLiteral("1:1 pa"), QStringLiteral("1:1 pa"), 7});
        // The whole text shows the same verses.
        QFile rtf(dir.filePath(QStringLiteral("LIB'REZI.rtf")));
        QVERIFY(rtf.open(QIODevice::ReadWrite));
        QByteArray bytes = rtf.readAll();
        bytes.replace("1:1.\\tab}", "1:1.\\tab}M\\u235?shiruesit, M\\u235?shir\\u235?b\\u235?r\\u235?sit!\\par}{");
        bytes.replace("1:3.\\tab}", "1:3.\\tab}meshiruesi cdo here\\par}{");
        QVERIFY(rtf.resize(0) && rtf.write(bytes) == bytes.size());
        rtf.close();
        start();
    }
    void cleanupTestCase() { Module1::unloadMainWindow(); }

    void offFindsWhatIsTyped() {
        QVERIFY(!option()->isChecked());
        QCOMPARE(search(QStringLiteral("meshirues")),
                 QStringLiteral("U gjet vetëm një ajet në të cilin përmendet shprehja meshirues:"));
        QCOMPARE(search(QStringLiteral("mëshirues")),
                 QStringLiteral("Gjithsej u gjetën 2 ajete në të cilat përmendet shprehja mëshirues:"));
    }

    void onForgivesTheLetters() {
        option()->setChecked(true);
        QCOMPARE(search(QStringLiteral("meshirues&cdo")),
                 QStringLiteral("Gjithsej u gjetën 2 ajete në të cilat përmendet shprehja meshirues&cdo:"));
        QCOMPARE(search(QStringLiteral("meshirues")),
                 QStringLiteral("Gjithsej u gjetën 3 ajete në të cilat përmendet shprehja meshirues:"));
        // "Mëshiruesit" is coloured over its matched letters, the ë included.
        const QString& text = c->Rtf1->Text();
        const int at = int(text.indexOf(QStringLiteral("Mëshiruesit")));
        QVERIFY(red(at) && red(at + 1) && red(at + 8) && !red(at + 9));
        // Find both ways in the whole text.
        c->cmdKtheLibrezin->click();
        c->txtKerkim->setText(QStringLiteral("meshirues"));
        c->Rtf1->setSelStart(0);
        c->cmdKerkim->click();
        QCOMPARE(c->Rtf1->SelText(), QStringLiteral("Mëshirues"));
        c->cmdKerkim->click();
        QCOMPARE(c->Rtf1->SelText(), QStringLiteral("meshirues"));
        c->cmdKerkimPrapa->click();
        QCOMPARE(c->Rtf1->SelText(), QStringLiteral("Mëshirues"));
    }

    // A database written before the folded column existed is searched as loosely.
    void withoutTheFoldedColumn() {
        Module1::cnLidhja.exec(QStringLiteral("ALTER TABLE librezi DROP COLUMN Kerkimi"));
        QCOMPARE(search(QStringLiteral("meshirues")),
                 QStringLiteral("Gjithsej u gjetën 3 ajete në të cilat përmendet shprehja meshirues:"));
    }

    void keptAcrossStarts() {
        c->w->close();
        start();
        QVERIFY(option()->isChecked());
        option()->setChecked(false);
        c->w->close();
        start();
        QVERIFY(!option()->isChecked());
    }
};

QTEST_MAIN(TestLoose)
#include "test_loose.moc"
