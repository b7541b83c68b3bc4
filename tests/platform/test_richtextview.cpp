#include "platform/richtextview.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include <algorithm>
#include <stdexcept>

using platform::RichTextView;

// The view against a real QTextEdit: CR LF positions, search, span and the mouse as the main window uses them.
class TestRichTextView : public QObject {
    Q_OBJECT

    static QTextCharFormat formatAt(RichTextView& v, int crlfPos) {
        QTextCursor c(v.document());
        c.setPosition(v.toDocumentPosition(crlfPos) + 1);
        return c.charFormat();
    }

private Q_SLOTS:
    void mappingRoundTrip_data() {
        QTest::addColumn<QString>("text");
        QString many;
        for (int i = 0; i < 500; ++i)
            many += QStringLiteral("Ajeti %1 ëç\r\n").arg(i) + (i % 7 == 0 ? QStringLiteral("\r\n") : QString());
        QTest::newRow("many paragraphs") << many;
        QTest::newRow("one line") << QStringLiteral("abc");
        QTest::newRow("empty lines") << QStringLiteral("a\r\n\r\n\r\nb\r\n\r\nc");
        QTest::newRow("breaks at both ends") << QStringLiteral("\r\n\r\nx\r\n");
        QTest::newRow("empty") << QString();
    }
    void mappingRoundTrip() {
        QFETCH(QString, text);
        RichTextView v;
        v.setText(text);
        QCOMPARE(v.Text(), text);
        QCOMPARE(v.TextLength(), text.size());
        QCOMPARE(v.SelStart(), 0);
        for (int p = 0; p <= text.size(); ++p) {
            const int doc = v.toDocumentPosition(p);
            if (p > 0 && text.at(p - 1) == u'\r') {
                // The LF of a break is the break itself.
                QCOMPARE(v.fromDocumentPosition(doc), p - 1);
                continue;
            }
            QCOMPARE(v.fromDocumentPosition(doc), p);
            if (p < text.size() && text.at(p) != u'\r')
                QCOMPARE(v.document()->characterAt(doc), text.at(p));
            v.setSelStart(p);
            QCOMPARE(v.SelStart(), p);
        }
        QCOMPARE(v.toDocumentPosition(-5), 0);
        QCOMPARE(v.toDocumentPosition(text.size() + 5), v.document()->characterCount() - 1);
    }

    void breaksAndSelText() {
        RichTextView v;
        v.setText(QStringLiteral("një\ndy\rtre\r\n\nkatër"));
        QCOMPARE(v.Text(), QStringLiteral("një\r\ndy\r\ntre\r\n\r\nkatër"));
        QCOMPARE(v.document()->blockCount(), 5);
        v.setText(QStringLiteral("a\u2028b"));
        QCOMPARE(v.Text(), QStringLiteral("a\r\nb"));

        v.setText(QStringLiteral("një\r\ndy\r\ntre"));
        v.setSelStart(1);
        v.setSelLength(9);
        QCOMPARE(v.SelLength(), 9);
        QCOMPARE(v.SelText(), QStringLiteral("jë\r\ndy\r\nt"));
        v.setSelLength(0);
        QCOMPARE(v.SelText(), QString());
    }

    void find() {
        RichTextView v;
        v.setText(QStringLiteral("Ëngjëjt thanë: s’ka zot\r\nÇka ka? s'KA ‘ka\r\nçka ëngjëjt mbaruan"));
        const QString& t = v.Text();
        QCOMPARE(v.Find(QStringLiteral("ëngjëjt"), 0), 0);
        QCOMPARE(v.Find(QStringLiteral("ëngjëjt"), 1), t.lastIndexOf(QStringLiteral("ëngjëjt")));
        QCOMPARE(v.Find(QStringLiteral("ËNGJËJT"), 0, -1, RichTextView::rtfMatchCase), -1);
        QCOMPARE(v.Find(QStringLiteral("çka"), 0), t.indexOf(QStringLiteral("Çka")));
        QCOMPARE(v.Find(QStringLiteral("çka"), 0, -1, RichTextView::rtfMatchCase), t.indexOf(QStringLiteral("çka")));
        // The three apostrophes are one, whichever is typed.
        QCOMPARE(v.Find(QStringLiteral("s'ka"), 0), t.indexOf(QStringLiteral("s’ka")));
        QCOMPARE(v.Find(QStringLiteral("s’ka"), 20), t.indexOf(QStringLiteral("s'KA")));
        QCOMPARE(v.Find(QStringLiteral("'ka"), 35), t.indexOf(QStringLiteral("‘ka")));
        QCOMPARE(v.Find(QStringLiteral("s’ka"), 0, -1, RichTextView::rtfMatchCase), t.indexOf(QStringLiteral("s’ka")));
        QCOMPARE(v.Find(QStringLiteral("s’ka"), 20, -1, RichTextView::rtfMatchCase), -1);

        // Whole words: "ka" inside Çka and çka does not count, after an apostrophe it does.
        QCOMPARE(v.Find(QStringLiteral("ka"), 0, -1, RichTextView::rtfWholeWord), t.indexOf(QStringLiteral("’ka")) + 1);
        const int alone = t.indexOf(QStringLiteral(" ka?")) + 1;
        QCOMPARE(v.Find(QStringLiteral("ka"), 25, -1, RichTextView::rtfWholeWord), alone);
        QCOMPARE(v.Find(QStringLiteral("KA"), 25, -1, RichTextView::rtfWholeWord | RichTextView::rtfMatchCase),
                 t.indexOf(QStringLiteral("KA")));

        // From the caret, and a match must end before `end`.
        v.setSelStart(alone);
        QCOMPARE(v.Find(QStringLiteral("ka")), alone);
        QCOMPARE(v.Find(QStringLiteral("zot"), 0, t.indexOf(QStringLiteral("zot")) + 2), -1);
        QCOMPARE(v.Find(QStringLiteral("zot"), 0, t.indexOf(QStringLiteral("zot")) + 3),
                 t.indexOf(QStringLiteral("zot")));
        QCOMPARE(v.SelText(), QStringLiteral("zot"));

        // A miss or an empty string leaves the selection where it was.
        v.setSelStart(3);
        v.setSelLength(4);
        QCOMPARE(v.Find(QStringLiteral("mungon"), 0), -1);
        QCOMPARE(v.Find(QString(), 0), -1);
        QCOMPARE(v.Find(QStringLiteral("ka zot\r\nÇka"), 0), t.indexOf(QStringLiteral("ka zot")));
        QCOMPARE(v.SelText(), QStringLiteral("ka zot\r\nÇka"));
        QCOMPARE(v.Find(QStringLiteral("mbaruan"), 0, 10), -1);
        QCOMPARE(v.SelText(), QStringLiteral("ka zot\r\nÇka"));
    }

    void spanAndUpTo() {
        RichTextView v;
        const QString cr = QStringLiteral("\r");
        const QString tab = QStringLiteral("\t");
        v.setText(QStringLiteral("12:4\tËngjëjt\tthanë\r\nrreshti pa skedë\r\n12:5\tAi tha"));
        const QString& t = v.Text();

        // From a key to the end of its line.
        v.setSelStart(5);
        v.setSelLength(7);
        v.Span(cr, true, true);
        QCOMPARE(v.SelStart(), 5);
        QCOMPARE(v.SelText(), QStringLiteral("Ëngjëjt\tthanë"));
        // Over a line without a TAB the span runs on to the next TAB.
        v.setSelStart(t.indexOf(QStringLiteral("thanë")));
        v.Span(tab, true, true);
        QCOMPARE(v.SelText(), QStringLiteral("thanë\r\nrreshti pa skedë\r\n12:5"));
        // Without a character of the set, to the end of the text.
        v.setSelStart(t.indexOf(QStringLiteral("Ai")));
        v.Span(tab, true, true);
        QCOMPARE(v.SelText(), QStringLiteral("Ai tha"));
        // Over characters of the set, and backward.
        v.setSelStart(0);
        v.Span(QStringLiteral("0123456789:"), true, false);
        QCOMPARE(v.SelText(), QStringLiteral("12:4"));
        v.setSelStart(t.indexOf(QStringLiteral("pa")));
        v.Span(cr, false, true);
        QCOMPARE(v.SelText(), QStringLiteral("rreshti "));

        v.setSelStart(2);
        v.UpTo(cr, true);
        QCOMPARE(v.SelStart(), t.indexOf(cr));
        QCOMPARE(v.SelLength(), 0);
        v.setSelStart(t.lastIndexOf(cr) + 3);
        v.UpTo(cr, true);
        QCOMPARE(v.SelStart(), t.size());
        v.setSelStart(t.indexOf(QStringLiteral("pa")));
        v.UpTo(cr, false);
        QCOMPARE(v.SelStart(), t.indexOf(cr));
        v.setSelStart(v.SelStart() + 2);
        QCOMPARE(v.SelStart(), t.indexOf(QStringLiteral("rreshti")));
        // On the first line there is no CR before the caret: to 0, and the caller's +2 skips two.
        v.setSelStart(7);
        v.UpTo(cr, false);
        QCOMPARE(v.SelStart(), 0);
        v.setSelStart(v.SelStart() + 2);
        QCOMPARE(v.SelStart(), 2);
        // Negated: up to the first character that is not a digit.
        v.setSelStart(0);
        v.UpTo(QStringLiteral("0123456789"), true, true);
        QCOMPARE(v.SelStart(), 2);
    }

    void formatsKeepTheCachedText() {
        RichTextView v;
        v.setText(QStringLiteral("Zoti është i Gjithëdijshëm\r\nZoti është"));
        const QString before = v.Text();
        QCOMPARE(v.Find(QStringLiteral("është"), 0), 5);
        v.setSelColor(255);
        QCOMPARE(formatAt(v, 5).foreground().color(), QColor(Qt::red));
        QCOMPARE(formatAt(v, 0).foreground().color() == QColor(Qt::red), false);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        v.textCursor().mergeCharFormat(bold);
        v.setSelFontSize(QStringLiteral("14.5"));
        v.setSelFontSize(QStringLiteral("shumë"));
        v.setSelFontSize(QStringLiteral("2000"));
        v.setSelFontName(QStringLiteral("Serif"));
        const QTextCharFormat f = formatAt(v, 6);
        QCOMPARE(f.fontPointSize(), 14.5);
        QCOMPARE(f.fontWeight(), int(QFont::Bold));
        QCOMPARE(f.foreground().color(), QColor(Qt::red));
        QCOMPARE(f.fontFamilies().toStringList(), QStringList{QStringLiteral("Serif")});
        QCOMPARE(v.Text(), before);

        // A same-length change of characters is not a change of format.
        QTextCursor c(v.document());
        c.setPosition(0);
        c.setPosition(4, QTextCursor::KeepAnchor);
        c.insertText(QStringLiteral("ZOTI"));
        QCOMPARE(v.Text(), QStringLiteral("ZOTI është i Gjithëdijshëm\r\nZoti është"));
        c.insertBlock();
        QCOMPARE(v.Text(), QStringLiteral("ZOTI\r\n është i Gjithëdijshëm\r\nZoti është"));

        // New text: the word is found again, in the default colour.
        v.setText(before);
        QCOMPARE(v.Find(QStringLiteral("është"), 0), 5);
        QVERIFY(formatAt(v, 5).foreground().color() != QColor(Qt::red));
        QCOMPARE(formatAt(v, 5).fontPointSize() == 14.5, false);
    }

    void mouse() {
        RichTextView v;
        v.setText(QStringLiteral("fjala e parë\r\nfjala e dytë"));
        v.resize(300, 200);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        QSignalSpy up(&v, &RichTextView::MouseUp);
        QSignalSpy dbl(&v, &RichTextView::DblClick);

        QTest::mouseClick(v.viewport(), Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier, QPoint(20, 8));
        QCOMPARE(up.size(), 1);
        QCOMPARE(up.at(0), (QList<QVariant>{2, 3, 20, 8}));
        QTest::mouseClick(v.viewport(), Qt::MiddleButton, Qt::AltModifier, QPoint(5, 6));
        QCOMPARE(up.at(1), (QList<QVariant>{4, 4, 5, 6}));

        // A menu of QTextEdit would run its own loop: the timer closes it and records that it showed.
        bool menuShown = false;
        QTimer::singleShot(50, &v, [&] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                menuShown = true;
                popup->close();
            }
        });
        QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(20, 8), v.viewport()->mapToGlobal(QPoint(20, 8)));
        QApplication::sendEvent(v.viewport(), &menu);
        QTest::qWait(100);
        QVERIFY(!menuShown);
        QVERIFY(!QApplication::activePopupWidget());

        // The reader selects and copies with the keyboard but cannot type.
        v.setFocus();
        v.setSelStart(0);
        QTest::keyClick(&v, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(&v, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(v.SelText(), QStringLiteral("fj"));
        QTest::keyClick(&v, Qt::Key_X);
        QTest::keyClick(&v, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(v.SelLength(), v.TextLength());
        QCOMPARE(v.Text(), QStringLiteral("fjala e parë\r\nfjala e dytë"));

        v.setSelStart(0);
        const QPoint inWord = v.cursorRect(QTextCursor(v.document())).center() + QPoint(4, 0);
        QTest::mouseDClick(v.viewport(), Qt::LeftButton, Qt::NoModifier, inWord);
        QCOMPARE(dbl.size(), 1);
        QCOMPARE(v.SelText(), QStringLiteral("fjala"));
    }

    void rtfFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.rtf"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}{\\colortbl ;\\red255\\green0\\blue0;}\n"
                "\\f0\\fs24 12:4\\tab {\\b\\cf1 \\u203?ngj\\u235?jt}\\par\n"
                "rreshti i dyt\\u235?\\par\n"
                "fund}");
        f.close();
        RichTextView v;
        v.setText(QStringLiteral("para"));
        QVERIFY(v.setFileName(path));
        QCOMPARE(v.FileName(), path);
        QCOMPARE(v.Text(), QStringLiteral("12:4\tËngjëjt\r\nrreshti i dytë\r\nfund"));
        QCOMPARE(v.SelStart(), 0);
        const QTextCharFormat key = formatAt(v, 5);
        QCOMPARE(key.foreground().color(), QColor(Qt::red));
        QCOMPARE(key.fontWeight(), int(QFont::Bold));
        QCOMPARE(formatAt(v, 0).fontWeight() == int(QFont::Bold), false);

        QVERIFY(!v.setFileName(dir.filePath(QStringLiteral("mungon.rtf"))));
        QCOMPARE(v.FileName(), path);
        QCOMPARE(v.Text(), QStringLiteral("12:4\tËngjëjt\r\nrreshti i dytë\r\nfund"));
    }

    // An empty file or one that is not RTF is refused like a missing one: before, it replaced the
    // text with a blank or garbled page and the caller could not tell.
    void fileThatIsNotRtf_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("read");
        QTest::newRow("empty: refused") << QByteArray() << false;
        QTest::newRow("blanks: refused") << QByteArray(" \r\n\t") << false;
        QTest::newRow("plain text: refused") << QByteArray("1:1. Me emrin e All-llahut") << false;
        QTest::newRow("zip archive: refused") << QByteArray("PK\x03\x04\x14\0\0\0", 8) << false;
        QTest::newRow("RTF after a BOM and blanks: read")
            << QByteArray("\xEF\xBB\xBF \r\n{\\rtf1 teksti\\par}") << true;
        QTest::newRow("RTF without its closing brace: read") << QByteArray("{\\rtf1 teksti\\par") << true;
    }
    void fileThatIsNotRtf() {
        QFETCH(QByteArray, content);
        QFETCH(bool, read);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.rtf"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        RichTextView v;
        v.setText(QStringLiteral("para"));
        QCOMPARE(v.setFileName(path), read);
        if (read)
            QVERIFY2(v.Text().startsWith(QStringLiteral("teksti")), qPrintable(v.Text()));
        else
            QCOMPARE(v.Text(), QStringLiteral("para"));
    }

    // Writing the text and its red words in one edit must give exactly what writing and then
    // colouring gives: the same characters red, nothing else.
    void colouredTextEqualsTextThenColour_data() {
        QTest::addColumn<QStringList>("words");
        QTest::newRow("one word, any case") << QStringList{QStringLiteral("zot")};
        QTest::newRow("several words, overlapping") << QStringList{QStringLiteral("ab"), QStringLiteral("ba")};
        QTest::newRow("apostrophes") << QStringList{QStringLiteral("s'ka")};
        QTest::newRow("empty word among others") << QStringList{QString(), QStringLiteral("ë")};
        QTest::newRow("a word that spans a line break") << QStringList{QStringLiteral("x\r\n2")};
        QTest::newRow("nothing found") << QStringList{QStringLiteral("qqq")};
    }
    void colouredTextEqualsTextThenColour() {
        QFETCH(QStringList, words);
        const QString text = QStringLiteral("\r\nZoti tha: s’ka zot tjetër x\r\n2:1.\tabababa Ë ë\r\n3:1.\tZOT s‘ka");
        RichTextView once, twice;
        once.setTextColoured(text, words, QColor(255, 0, 0));
        twice.setText(text);
        for (const QString& w : words)
            twice.colorAll(w, QColor(255, 0, 0));
        QCOMPARE(once.Text(), twice.Text());
        for (int pos = 0; pos < once.document()->characterCount() - 1; ++pos) {
            QTextCursor a(once.document()), b(twice.document());
            a.setPosition(pos + 1);
            b.setPosition(pos + 1);
            QCOMPARE(a.charFormat().foreground().color(), b.charFormat().foreground().color());
        }
    }

    // A change made with the layout paused drops every line laid out before it; the text is laid out
    // again from the top, the first lines at once and the rest later, in the new format.
    void layoutPausedForWholeTextChanges() {
        RichTextView v;
        v.resize(500, 300);
        v.show();
        QString text;
        for (int i = 1; i <= 3000; ++i)
            text += QStringLiteral("%1:1. Lavdi All-llahut, Zotit të botëve, ajeti %1\r\n").arg(i);
        v.setText(text);
        QTextDocument* doc = v.document();
        v.setSelStart(v.TextLength()); // lays the text out down to its end
        QVERIFY(doc->lastBlock().layout()->lineCount() > 0);

        v.changeWithLayoutPaused([&] {
            v.setSelStart(0);
            v.setSelLength(v.TextLength());
            v.setSelFontSize(QStringLiteral("20"));
            v.setSelStart(0);
        });
        QVERIFY(doc->isLayoutEnabled());
        QVERIFY(doc->firstBlock().layout()->lineCount() > 0);
        QCOMPARE(doc->lastBlock().layout()->lineCount(), 0);
        QTextCursor last(doc->lastBlock().previous());
        last.movePosition(QTextCursor::EndOfBlock);
        QCOMPARE(last.charFormat().fontPointSize(), 20.0);
        QString why;
        QVERIFY2(laidOutWhole(v, &why), qPrintable(why));

        // A change that throws still resumes the layout.
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, v.changeWithLayoutPaused([] { throw std::runtime_error("x"); }));
        QVERIFY(doc->isLayoutEnabled());
    }

    // Content, colours and fonts replaced while the layout is still on its way down the text, with
    // the event loop running in between: every line can still be laid out, in order.
    void layoutStaysWholeUnderMixedChanges() {
        RichTextView v;
        v.resize(500, 300);
        v.show();
        QString text;
        for (int i = 1; i <= 1500; ++i)
            text += QStringLiteral("%1:%2. Thuaj: Ai, All-llahu, është Një! ë ç\r\n").arg(i / 50 + 1).arg(i % 50 + 1);
        QRandomGenerator rng(20240917);
        auto below = [&rng](int n) { return int(rng.bounded(quint32(std::max(n, 1)))); };
        for (int i = 0; i < 300; ++i) {
            const int op = below(8);
            switch (op) {
            case 0:
                v.setText(text.mid(below(int(text.size()))));
                break;
            case 1:
                v.setTextColoured(text.mid(below(int(text.size()))), {QStringLiteral("All-llahu")}, Qt::red);
                break;
            case 2:
                v.colorAll(QStringLiteral("një"), Qt::red);
                break;
            case 3:
                v.changeWithLayoutPaused([&] {
                    v.setSelStart(0);
                    v.setSelLength(v.TextLength());
                    v.setSelFontSize(QString::number(8 + below(14)));
                });
                break;
            case 4:
                v.setSelStart(v.TextLength());
                break;
            case 5:
                v.setSelStart(below(v.TextLength() + 1));
                break;
            case 6:
                QTest::qWait(below(15));
                break;
            default:
                QCoreApplication::processEvents();
                break;
            }
            if (i % 10 == 9) {
                QString why;
                QVERIFY2(laidOutWhole(v, &why),
                         qPrintable(QStringLiteral("after step %1 (%2): ").arg(i).arg(op) + why));
            }
        }
    }

private:
    // Lays the whole text out and checks that every block has lines and sits below the one before.
    static bool laidOutWhole(RichTextView& v, QString* why) {
        QTextDocument* doc = v.document();
        QAbstractTextDocumentLayout* layout = doc->documentLayout();
        (void)layout->documentSize();
        qreal lastTop = -1;
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            if (b.layout()->lineCount() == 0) {
                *why = QStringLiteral("block %1 of %2 has no lines").arg(b.blockNumber()).arg(doc->blockCount());
                return false;
            }
            const qreal top = layout->blockBoundingRect(b).top();
            if (top < lastTop) {
                *why = QStringLiteral("block %1 sits above the one before it").arg(b.blockNumber());
                return false;
            }
            lastTop = top;
        }
        return true;
    }
};

QTEST_MAIN(TestRichTextView)
#include "test_richtextview.moc"
