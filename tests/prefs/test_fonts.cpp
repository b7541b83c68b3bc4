#include "platform/listcontrols.h"
#include "platform/richtextview.h"
#include "prefs/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

using platform::ComboBox;
using platform::RichTextView;

// The face and size combos against a real text view, wired as the main window wires them.
class TestFonts : public QObject {
    Q_OBJECT

    struct Panel {
        RichTextView Rtf1;
        ComboBox CmbFontNames;
        ComboBox CmbNrFonti;
        Panel() {
            CmbNrFonti.setText(QStringLiteral("10"));
            addNrFontToCombo(&CmbNrFonti);
            addFontToCombo(&CmbFontNames);
            QObject::connect(&CmbFontNames, &ComboBox::Click, &Rtf1,
                             [this] { CmbFontNames_Click(&Rtf1, &CmbFontNames); });
            QObject::connect(&CmbNrFonti, &ComboBox::Click, &Rtf1, [this] { CmbNrFonti_Click(&Rtf1, &CmbNrFonti); });
        }
        void choose(ComboBox& combo, const QString& text) {
            const int i = combo.findText(text);
            QVERIFY2(i >= 0, qPrintable(text));
            combo.setListIndex(i);
        }
    };

    // A few lines with the word "Zoti" in bold red on the second line.
    static const QString& sample() {
        static const QString s = QStringLiteral("Në emër të All-llahut\r\nZoti është një\r\nfund");
        return s;
    }
    static constexpr int kBoldAt = 23; // "Zoti" in CR LF positions
    static constexpr int kBoldLength = 4;

    static void loadSample(RichTextView& v) {
        v.setText(sample());
        v.setSelStart(kBoldAt);
        v.setSelLength(kBoldLength);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        v.textCursor().mergeCharFormat(bold);
        v.setSelColor(0xFF);
        v.setSelStart(0);
    }

    static QTextCharFormat formatAt(RichTextView& v, int crlfPos) {
        QTextCursor c(v.document());
        c.setPosition(v.toDocumentPosition(crlfPos) + 1);
        return c.charFormat();
    }

    static bool isInBoldWord(int p) { return p >= kBoldAt && p < kBoldAt + kBoldLength; }

    // Every visible character keeps its weight and colour: the bold word bold and red, the rest not.
    static void checkMarksKept(RichTextView& v) {
        for (int p = 0; p < sample().size(); ++p) {
            if (sample().at(p) == u'\r' || sample().at(p) == u'\n')
                continue;
            const QTextCharFormat f = formatAt(v, p);
            QCOMPARE(f.fontWeight() == QFont::Bold, isInBoldWord(p));
            QCOMPARE(f.foreground().color() == QColor(255, 0, 0), isInBoldWord(p));
        }
    }

private Q_SLOTS:
    void listsAtStartUp() {
        Panel panel;
        QSignalSpy faceClicks(&panel.CmbFontNames, &ComboBox::Click);

        QCOMPARE(panel.CmbNrFonti.ListCount(), 21);
        for (int i = 0; i < 21; ++i)
            QCOMPARE(panel.CmbNrFonti.List(i), QString::number(6 + i));
        QCOMPARE(panel.CmbNrFonti.Text(), QStringLiteral("10"));

        // Every installed family once, in order regardless of case; the edit field shows Verdana.
        QStringList shown;
        for (int i = 0; i < panel.CmbFontNames.ListCount(); ++i)
            shown << panel.CmbFontNames.List(i);
        QStringList installed = QFontDatabase::families();
        QVERIFY(!installed.isEmpty());
        std::sort(installed.begin(), installed.end(),
                  [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        QCOMPARE(shown, installed);
        QCOMPARE(panel.CmbFontNames.Text(), QStringLiteral("Verdana"));
        QCOMPARE(panel.CmbFontNames.ListIndex(), -1);
        QCOMPARE(faceClicks.count(), 0);
    }

    void sizeChangeKeepsBoldAndRed() {
        Panel panel;
        loadSample(panel.Rtf1);
        panel.Rtf1.setSelStart(30);
        panel.Rtf1.setSelLength(5);

        panel.choose(panel.CmbNrFonti, QStringLiteral("14"));

        QCOMPARE(panel.Rtf1.Text(), sample());
        for (int p : {0, kBoldAt, kBoldAt + 3, int(sample().size()) - 1})
            QCOMPARE(formatAt(panel.Rtf1, p).fontPointSize(), 14.0);
        checkMarksKept(panel.Rtf1);
        QCOMPARE(panel.Rtf1.SelStart(), 0);
        QCOMPARE(panel.Rtf1.SelLength(), 0);
    }

    void faceChangeKeepsSizeAndMarks() {
        Panel panel;
        loadSample(panel.Rtf1);
        panel.choose(panel.CmbNrFonti, QStringLiteral("22"));
        // Any installed face other than the one the text shows now.
        const QString before = QFontInfo(formatAt(panel.Rtf1, 0).font()).family();
        QString face;
        for (int i = 0; i < panel.CmbFontNames.ListCount() && face.isEmpty(); ++i)
            if (panel.CmbFontNames.List(i) != before)
                face = panel.CmbFontNames.List(i);
        if (face.isEmpty())
            QSKIP("only one font family is installed");

        panel.choose(panel.CmbFontNames, face);

        for (int p : {0, kBoldAt, int(sample().size()) - 1}) {
            const QTextCharFormat f = formatAt(panel.Rtf1, p);
            QCOMPARE(f.font().families().value(0), face);
            QCOMPARE(f.fontPointSize(), 22.0);
        }
        checkMarksKept(panel.Rtf1);
        QCOMPARE(panel.Rtf1.SelStart(), 0);
        QCOMPARE(panel.Rtf1.SelLength(), 0);
    }

    void choosingBringsTheStartIntoView() {
        Panel panel;
        QString longText;
        for (int i = 0; i < 1000; ++i)
            longText += QStringLiteral("Ajeti %1\r\n").arg(i);
        panel.Rtf1.setText(longText);
        panel.Rtf1.resize(300, 200);
        panel.Rtf1.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel.Rtf1));
        panel.Rtf1.setSelStart(longText.size() - 20);
        panel.Rtf1.setSelLength(8);
        QVERIFY(panel.Rtf1.verticalScrollBar()->value() > 0);

        panel.choose(panel.CmbNrFonti, QStringLiteral("8"));

        QCOMPARE(panel.Rtf1.SelStart(), 0);
        QCOMPARE(panel.Rtf1.SelLength(), 0);
        QCOMPARE(panel.Rtf1.verticalScrollBar()->value(), 0);
        // The text is laid out again from the top a step at a time, not down to its end at once.
        QCOMPARE(panel.Rtf1.document()->lastBlock().layout()->lineCount(), 0);
        QCOMPARE(formatAt(panel.Rtf1, longText.size() - 20).fontPointSize(), 8.0);
    }

    void emptyViewStaysAsItWas() {
        Panel panel;
        const QString html = panel.Rtf1.document()->toHtml();
        panel.choose(panel.CmbNrFonti, QStringLiteral("26"));
        panel.choose(panel.CmbFontNames, panel.CmbFontNames.List(0));
        QCOMPARE(panel.Rtf1.document()->toHtml(), html);
        QCOMPARE(panel.Rtf1.Text(), QString());
        QCOMPARE(panel.Rtf1.SelStart(), 0);
    }

    void missingFacesFallBackToInstalledOnes() {
        if (QFontDatabase::hasFamily(QStringLiteral("Verdana")))
            QSKIP("Verdana is installed here; nothing stands in for it");
        const QString standIn = installedFaceFor(QStringLiteral("Verdana"));
        if (standIn.isEmpty())
            QSKIP("none of the faces that stand in for Verdana is installed");
        QVERIFY(QFontDatabase::hasFamily(standIn));
        QCOMPARE(installedFaceFor(QStringLiteral("DejaVu Serif")).isEmpty(),
                 !QFontDatabase::hasFamily(QStringLiteral("DejaVu Serif")));
        QCOMPARE(installedFaceFor(QStringLiteral("No Such Face Anywhere")), QString());

        installFontSubstitutes();
        QCOMPARE(QFontInfo(QFont(QStringLiteral("Verdana"))).family(), standIn);

        // Text that asks for Verdana is drawn with the stand-in.
        RichTextView v;
        v.setText(QStringLiteral("abc"));
        v.setSelStart(0);
        v.setSelLength(3);
        v.setSelFontName(QStringLiteral("Verdana"));
        QCOMPARE(QFontInfo(formatAt(v, 1).font()).family(), standIn);
    }
};

QTEST_MAIN(TestFonts)
#include "test_fonts.moc"
