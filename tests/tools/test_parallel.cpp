// SPDX-License-Identifier: GPL-3.0-or-later
// Texts beside the translation, in a store of their own: every verse kept as its file gives it (the whole of
// Tanzil's Simple Clean text when the shared material is there), the notice kept whole, a text of the same name
// replaced, a refused file changing nothing, a text removed.
#include "platform/database.h"
#include "tools/facts.h"
#include "tools/parallel.h"
#include "tools/textinput.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;
using databuilder::TextKind;

namespace {
QList<databuilder::Surah> surahs() {
    return databuilder::readSurahs(qEnvironmentVariable("LIBREZI_FACTS"));
}
// A whole text, each verse "<word> S:V" (one left empty when `empty`), with a notice framed as Tanzil frames it.
QByteArray wholeText(const QString& word, bool empty = false, int drop = 0) {
    QByteArray text = "#  Translator: " + word.toUtf8() + '\n';
    int n = 0;
    for (const databuilder::Surah& s : surahs())
        for (int v = 1; v <= s.verses; ++v)
            if (++n != drop)
                text += u"%1|%2|%3\n"_s.arg(s.number)
                            .arg(v)
                            .arg(empty && n == 5 ? QString() : u"%1 %2:%3"_s.arg(word).arg(s.number).arg(v))
                            .toUtf8();
    return text + "#=====\n# Notice, line one\n# CC BY 3.0\n#=====\n";
}
} // namespace

class TestParallel : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString store() const { return dir.filePath(u"tekstet.db"_s); }

private Q_SLOTS:
    // A store made before the search's folded copy was kept: the next import gives its Arabic verses theirs, and
    // the Arabic they hold is found.
    void olderStoreSearched() {
        const QString old = dir.filePath(u"vjeter.db"_s);
        {
            platform::Connection db;
            db.Open(old, platform::Connection::Mode::Create);
            db.exec(u"CREATE TABLE Tekstet (ID INTEGER PRIMARY KEY, Emri TEXT NOT NULL UNIQUE, Lloji TEXT NOT NULL, "
                    "Gjuha TEXT NOT NULL, Burimi TEXT NOT NULL, Shenimi TEXT NOT NULL)"_s);
            db.exec(u"CREATE TABLE Ajetet (Teksti INTEGER NOT NULL, NrSure INTEGER NOT NULL, NrAjet INTEGER NOT NULL, "
                    "Ajeti TEXT NOT NULL, PRIMARY KEY (Teksti, NrSure, NrAjet))"_s);
            db.exec(u"INSERT INTO Tekstet VALUES (1, 'arabisht', 'arabisht', 'ar', '', '')"_s);
            db.exec(u"INSERT INTO Ajetet VALUES (1, 1, 3, 'ٱلرَّحۡمَـٰنِ ٱلرَّحِيمِ'), (1, 1, 4, 'مَـٰلِكِ')"_s);
        }
        QCOMPARE(databuilder::searchArabic(old, 1, u"الرحمن"_s).size(), 1); // without the copy: every verse read
        databuilder::importParallel(old, u"a.txt"_s, wholeText(u"Një"_s), TextKind::Translation, u"sq"_s, surahs());
        const QList<databuilder::ArabicHit> found = databuilder::searchArabic(old, 1, u"الرحمن"_s);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].verse, 3);
        QCOMPARE(databuilder::searchArabic(old, 1, u"ملك"_s).size(), 1);
    }
    void keptReplacedRefusedRemoved() {
        QVERIFY(databuilder::parallelTexts(store()).isEmpty()); // no store yet
        const auto first = databuilder::importParallel(store(), u"a.txt"_s, wholeText(u"Një"_s, true),
                                                       TextKind::Translation, u"sq"_s, surahs());
        QCOMPARE(first.name, u"Një"_s);
        QCOMPARE(first.notice, u"Notice, line one\nCC BY 3.0"_s.prepend(u"Translator: Një\n"_s));
        QCOMPARE(first.emptyVerses, QStringList{u"1:5"_s});
        const auto other =
            databuilder::importParallel(store(), u"b.txt"_s, wholeText(u"Dy"_s), TextKind::Arabic, u"ar"_s, surahs());
        QCOMPARE(databuilder::parallelVerse(store(), other.id, 36, 12), u"Dy 36:12"_s);
        QCOMPARE(databuilder::parallelVerse(store(), first.id, 1, 5), QString());
        // The same name again: replaced, not doubled.
        const auto again = databuilder::importParallel(store(), u"c.txt"_s, wholeText(u"Një"_s), TextKind::Translation,
                                                       u"sq"_s, surahs());
        QCOMPARE(databuilder::parallelTexts(store()).size(), 2);
        QCOMPARE(databuilder::parallelVerse(store(), first.id, 36, 12), QString()); // its verses went with it
        QCOMPARE(databuilder::parallelVerse(store(), again.id, 1, 5), u"Një 1:5"_s);
        // A file lacking a verse changes nothing.
        QVERIFY_THROWS_EXCEPTION(databuilder::BuildError,
                                 databuilder::importParallel(store(), u"d.txt"_s, wholeText(u"Dy"_s, false, 100),
                                                             TextKind::Arabic, u"ar"_s, surahs()));
        QCOMPARE(databuilder::parallelVerse(store(), other.id, 36, 12), u"Dy 36:12"_s);
        databuilder::removeParallel(store(), other.id);
        const QList<databuilder::ParallelText> left = databuilder::parallelTexts(store());
        QCOMPARE(left.size(), 1);
        QCOMPARE(left[0].kind, TextKind::Translation);
        QCOMPARE(databuilder::parallelVerse(store(), other.id, 36, 12), QString());
    }

    // Every verse of the Simple Clean text in the store equals its file, byte for byte, and its notice stays whole.
    void simpleCleanWhole() {
        QFile file(qEnvironmentVariable("LIBREZI_SHARED") + u"/testdata/quran-simple-clean.txt"_s);
        if (!file.open(QIODevice::ReadOnly))
            QSKIP("the shared test material is not here");
        const QByteArray content = file.readAll();
        const auto text =
            databuilder::importParallel(store(), file.fileName(), content, TextKind::Arabic, u"ar"_s, surahs());
        QVERIFY(text.notice.contains(u"Creative Commons Attribution 3.0"_s));
        int verses = 0;
        for (QByteArray line : content.split('\n')) {
            if (line.endsWith('\r')) // the file's lines end with CR LF; a verse is what stands before
                line.chop(1);
            if (line.isEmpty() || line.startsWith('#'))
                continue;
            const QList<QByteArray> f = line.split('|');
            QCOMPARE(databuilder::parallelVerse(store(), text.id, f[0].toInt(), f[1].toInt()).toUtf8(),
                     line.mid(f[0].size() + f[1].size() + 2));
            ++verses;
        }
        QCOMPARE(verses, 6236);
        // A phrase typed plainly: every verse holding it as written, in book order; "&" parts all held; one surah.
        const QList<databuilder::ArabicHit> all = databuilder::searchArabic(store(), text.id, u"الرحمن"_s);
        int written = 0;
        for (const QByteArray& line : content.split('\n'))
            written += !line.startsWith('#') && QString::fromUtf8(line).contains(u"الرحمن"_s);
        QVERIFY(all.size() >= written && written > 50);
        QVERIFY(std::is_sorted(all.begin(), all.end(), [](const auto& a, const auto& b) {
            return std::pair(a.surah, a.verse) < std::pair(b.surah, b.verse);
        }));
        QCOMPARE(all.first().surah, 1);
        QCOMPARE(all.first().text.mid(all.first().places[0].first, 6), u"الرحمن"_s);
        const auto both = databuilder::searchArabic(store(), text.id, u"الرحيم & الرحمن"_s);
        QVERIFY(both.size() < all.size() && !both.isEmpty());
        for (const auto& hit : both) // the places in the verse's order, whatever the order of the parts
            QVERIFY(hit.places.size() >= 2 && std::is_sorted(hit.places.begin(), hit.places.end()));
        const auto one = databuilder::searchArabic(store(), text.id, u"الرحمن"_s, 55);
        QVERIFY(!one.isEmpty() && std::ranges::all_of(one, [](const auto& h) { return h.surah == 55; }));
        QVERIFY(databuilder::searchArabic(store(), text.id, u"\u064E&"_s).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestParallel)
#include "test_parallel.moc"
