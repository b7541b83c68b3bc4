// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/listcontrols.h"
#include "platform/richtextview.h"
#include "prefs/fonts.h"
#include <QFontDatabase>
#include <QFontInfo>
#include <QScrollBar>
#include <QTest>

// The face and size combos against a real text view, wired as the main window wires them.
class TestFonts : public QObject {
    Q_OBJECT
    platform::RichTextView Rtf1;
    platform::ComboBox CmbFontNames, CmbNrFonti;

private Q_SLOTS:
    void faceAndSizeOnTheWholeText() {
        CmbNrFonti.setText("10");
        addNrFontToCombo(&CmbNrFonti);
        addFontToCombo(&CmbFontNames);
        QCOMPARE((QStringList{CmbNrFonti.List(0), CmbNrFonti.List(20), QString::number(CmbNrFonti.ListCount()),
                              CmbNrFonti.Text(), CmbFontNames.Text()}),
                 (QStringList{"6", "26", "21", "10", ""}));
        // The faces that write Albanian, each once: no symbol faces, no foundry tags.
        const QStringList faces = albanianFaces();
        QCOMPARE(CmbFontNames.ListCount(), faces.size());
        QVERIFY(faces.contains("DejaVu Sans") && faces.filter(" [").isEmpty());
        for (const char* symbols : {"D050000L", "Standard Symbols PS"})
            QVERIFY(!QFontDatabase::hasFamily(symbols) || !faces.contains(symbols));
        connect(&CmbFontNames, &platform::ComboBox::Click, this, [this] { CmbFontNames_Click(&Rtf1, &CmbFontNames); });
        connect(&CmbNrFonti, &platform::ComboBox::Click, this, [this] { CmbNrFonti_Click(&Rtf1, &CmbNrFonti); });
        // "Zoti" (characters 9 to 12) red, in a text long enough to scroll; the caret near its end.
        Rtf1.resize(300, 200);
        Rtf1.show();
        Rtf1.setText("Në emër\r\nZoti është një\r\n" + QString("Ajeti\r\n").repeated(300));
        Rtf1.setSelStart(9);
        Rtf1.setSelLength(4);
        Rtf1.setSelColor(0xFF);
        CmbNrFonti.setListIndex(CmbNrFonti.findText("22"));
        const QString face = CmbFontNames.List(CmbFontNames.List(0) == QFontInfo(Rtf1.font()).family() ? 1 : 0);
        Rtf1.setSelStart(Rtf1.TextLength() - 3);
        QTRY_VERIFY(Rtf1.verticalScrollBar()->value() > 0);
        CmbFontNames.setListIndex(CmbFontNames.findText(face));
        QCOMPARE(drawnFace(&Rtf1), face);
        // Face and size everywhere, the red kept; the start of the text in view, nothing selected.
        for (int p = 0; p < Rtf1.TextLength(); p += p < 30 ? 1 : 97) {
            QTextCursor cursor(Rtf1.document());
            cursor.setPosition(Rtf1.toDocumentPosition(p) + 1);
            const QFont font = Rtf1.fontAt(p);
            if (Rtf1.Text().at(p) != u'\r' && Rtf1.Text().at(p) != u'\n')
                QCOMPARE(font.families().value(0) + QString::number(font.pointSize()) +
                             cursor.charFormat().foreground().color().name(),
                         face + "22" + (p >= 9 && p < 13 ? "#ff0000" : "#000000"));
        }
        QCOMPARE(Rtf1.SelStart() + Rtf1.SelLength() + Rtf1.verticalScrollBar()->value(), 0);
        // A face the screens name but this system lacks stands for an installed one.
        QVERIFY(installedFaceFor("No Such Face").isEmpty() && QFontDatabase::hasFamily(installedFaceFor("verdana")));
        // A face the system lacks is named as the face drawn in its place, one of the list.
        CmbFontNames.setText("No Such Face");
        CmbFontNames_Click(&Rtf1, &CmbFontNames);
        QVERIFY2(faces.contains(drawnFace(&Rtf1)), qPrintable(drawnFace(&Rtf1)));
    }
};

QTEST_MAIN(TestFonts)
#include "test_fonts.moc"
