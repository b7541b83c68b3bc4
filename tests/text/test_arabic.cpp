// SPDX-License-Identifier: GPL-3.0-or-later
// Arabic typed plainly against Arabic written with its marks: the folding both sides go through, the places found
// in the original (marks included), and the whole of Tanzil's Simple Clean text when the shared material is there.
#include "text/arabic.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

class TestArabic : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each row: a text, the phrase typed, and the places found, each written as the original's characters.
    void places_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("marks, tatweel, small alef")
            << u"بِسۡمِ ٱللَّهِ ٱلرَّحۡمَـٰنِ ٱلرَّحِيمِ"_s << u"الرحمن"_s << QStringList{u"ٱلرَّحۡمَـٰنِ"_s};
        QTest::newRow("a long a written small") << u"ذَٰلِكَ ٱلۡكِتَٰبُ لَا رَيۡبَۛ فِيهِۛ"_s << u"الكتاب"_s << QStringList{u"ٱلۡكِتَٰبُ"_s};
        QTest::newRow("the same in Simple Clean")
            << u"ذلك الكتاب لا ريب فيه"_s << u"الكتاب"_s << QStringList{u"الكتاب"_s};
        QTest::newRow("a name") << u"وَأَخِي هَٰرُونُ هُوَ أَفۡصَحُ"_s << u"هارون"_s << QStringList{u"هَٰرُونُ"_s};
        QTest::newRow("hamza forms typed plain") << u"إِنَّ ٱلَّذِينَ آمَنُواْ"_s << u"امنوا"_s << QStringList{u"آمَنُواْ"_s};
        QTest::newRow("alef maksura typed as yeh") << u"قَالَ مُوسَىٰ"_s << u"موسي"_s << QStringList{u"مُوسَىٰ"_s};
        QTest::newRow("Farsi yeh in the text") << u"موسی"_s << u"موسى"_s << QStringList{u"موسی"_s};
        QTest::newRow("invisible joiners")
            << u"بِ\u200Dسۡ\u2060مِ ٱللَّهِ"_s << u"بسم الله"_s << QStringList{u"بِ\u200Dسۡ\u2060مِ ٱللَّهِ"_s};
        QTest::newRow("inside a word, from its letter") << u"كِتَٰبِ"_s << u"تب"_s << QStringList{u"تَٰبِ"_s};
        QTest::newRow("twice") << u"رَبِّ ٱلۡعَٰلَمِينَ رَبِّ"_s << u"رب"_s << QStringList{u"رَبِّ"_s, u"رَبِّ"_s};
        QTest::newRow("back to back") << u"رَبِّرَبِّ"_s << u"رب"_s << QStringList{u"رَبِّ"_s, u"رَبِّ"_s};
        QTest::newRow("not there") << u"قَالَ مُوسَىٰ"_s << u"هارون"_s << QStringList{};
        QTest::newRow("marks alone find nothing") << u"قَالَ"_s << u"\u064E\u0670"_s << QStringList{};
    }
    void places() {
        QFETCH(QString, text);
        QFETCH(QString, phrase);
        QFETCH(QStringList, found);
        QStringList places;
        for (const auto& [start, end] : text::findArabic(text, phrase))
            places << text.mid(start, end - start);
        QCOMPARE(places, found);
        QVERIFY(text::hasArabic(phrase) || found.isEmpty());
    }
    void latinIsNotArabic() {
        QVERIFY(!text::hasArabic(u"Musa&Harun ë ç"_s));
        QVERIFY(text::hasArabic(u"Musa موسى"_s));
    }

    // Every verse of the Simple Clean text holding a word as written is found by the word typed, and more besides
    // only where the folding makes them the same.
    void simpleClean() {
        const QString path = qEnvironmentVariable("LIBREZI_SHARED") + u"/testdata/quran-simple-clean.txt"_s;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            QSKIP("the shared test material is not here");
        int verses = 0, literal = 0, folded = 0;
        for (const QByteArray& raw : file.readAll().split('\n')) {
            const QString line = QString::fromUtf8(raw);
            if (line.isEmpty() || line.startsWith(u'#'))
                continue;
            const QString verse = line.section(u'|', 2);
            ++verses;
            const bool has = verse.contains(u"الرحمن"_s);
            const bool finds = !text::findArabic(verse, u"الرحمن"_s).isEmpty();
            QVERIFY2(!has || finds, qPrintable(line));
            literal += has;
            folded += finds;
            QCOMPARE(text::foldArabic(verse).at.size(), text::foldArabic(verse).text.size() + 1);
        }
        QCOMPARE(verses, 6236);
        QVERIFY(literal > 50 && folded >= literal);
    }
};

QTEST_GUILESS_MAIN(TestArabic)
#include "test_arabic.moc"
