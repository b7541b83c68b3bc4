// SPDX-License-Identifier: GPL-3.0-or-later
// Listening in the real window, headless, on a player whose files end when the test moves its clock: a strip that
// can be read, recitation verse after verse that the text follows and the strip names, repeats and ranges, missing
// recordings said when reached, pause, the reader's navigation ending a series, Esc and Ctrl+L stopping it, and
// reciters added and removed in the window.
#include "audio/fakeplayer.h"
#include "audio/playback.h"
#include "audio/reciters.h"
#include "audio/supply.h"
#include "platform/look.h"
#include "platform/mediaplayer.h"
#include "windowtest.h"

#include <QtTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;
using testsupport::FakePlayer;

// Recordings that come when the test says so: every verse not on disk can come, unless the test said it was lost.
class TestSupply : public audio::Supply {
    Q_OBJECT
public:
    bool brings(int surah, int verse) const override { return !lostOnes.contains(u"%1:%2"_s.arg(surah).arg(verse)); }
    QString cause(int surah, int verse) const override { return lostOnes.value(u"%1:%2"_s.arg(surah).arg(verse)); }
    void want(int surah, int from, int to) override { wanted << u"%1:%2-%3"_s.arg(surah).arg(from).arg(to); }
    QHash<QString, QString> lostOnes;
    QStringList wanted;
};

class TestRecitation : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    testsupport::FakeClock clock;
    testsupport::FakePlayerInWindow inWindow{clock};
    std::unique_ptr<testsupport::Controls> c;
    QStringList heard;    // "112:1" ... as the series announced them
    QStringList played;   // the verse of the file the player was playing at each of them
    QStringList followed; // the line selected in the text at each of them
    QStringList named;    // what the strip named as heard at each of them

    FakePlayer* player() const { return inWindow.player(); }
    QString recording(const QString& name) const { return dir.filePath(u"zeri/ajete/"_s + name + u".mp3"_s); }
    void start() {
        frmKryesore* w = testsupport::startOnFolder(dir);
        QVERIFY(w && player());
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        c = std::make_unique<testsupport::Controls>(w);
        connect(w->findChild<audio::Playback*>(), &audio::Playback::reciting, this, [this](int s, int v) {
            heard << u"%1:%2"_s.arg(s).arg(v);
            const QString file = QFileInfo(player()->current()).completeBaseName(); // "112004" -> "112:4"
            played << u"%1:%2"_s.arg(file.left(3).toInt()).arg(file.mid(3).toInt());
            followed << c->Rtf1->SelText().section(u'.', 0, 0);
            named << c->WindowsMediaPlayer1->playingText();
        });
    }
    // The repeat as the reader sets it: the list's item (0: once ... 5: for ever), and a looped range.
    void setRepeat(int item, bool loop, int from, int to) {
        testsupport::child<platform::ComboBox>(c->w, "CmbPerserit")->setListIndex(item);
        testsupport::child<QSpinBox>(c->w, "SpnNga")->setValue(from);
        testsupport::child<QSpinBox>(c->w, "SpnDeri")->setValue(to);
        testsupport::child<QCheckBox>(c->w, "ChkVargu")->setChecked(loop);
    }
    // Goes to a verse as the reader does and recites from it on.
    void series(const QString& from) {
        windowtest::enter(c->CmbNrAjeti, from);
        heard.clear();
        played.clear();
        followed.clear();
        named.clear();
        c->w->findChild<QToolButton*>(u"CmdPlayVazhdim"_s)->click();
    }
    // Lets `files` files play to their end.
    void hear(int files) {
        for (int i = 0; i < files; ++i)
            clock.advance(player()->fileLength);
    }
    static QString reciter() { return Module1::library.defaultReciter(data::ReciterKind::Verses)->name; }
    // What the strip names while a verse ("112:3") is heard.
    static QString heardName(const QString& verse) {
        return u"%1 %2, %3"_s.arg(Module1::library.surah(verse.section(u':', 0, 0).toInt())->name, verse, reciter());
    }
    QString folder() const { return QDir::toNativeSeparators(dir.filePath(u"zeri/ajete"_s)); }
    // A line of the strip written short: lines joined by "/", each "112:3" or "112:3 112:4" (verses skipped) or
    // "ka 2 nga 4" (a folder lacking most of the surah `surah`).
    QString stripLine(const QString& brief, int surah) const {
        QStringList lines;
        for (const QString& line : brief.split(u'/', Qt::SkipEmptyParts)) {
            const QStringList verses = line.split(u' ');
            if (line.startsWith(u"ka "_s))
                lines << u"Lexuesi „%1” %2 ajetet e sures %3"_s.arg(reciter(), line,
                                                                    Module1::library.surah(surah)->name);
            else if (verses.size() == 1)
                lines << u"Ajeti %1 nuk ka regjistrim te lexuesi „%2” (dosja %3). U kapërcye."_s.arg(line, reciter(),
                                                                                                     folder());
            else
                lines << u"Ajetet %1 nuk kanë regjistrim te lexuesi „%2” (dosja %3). U kapërcyen."_s.arg(
                    verses.join(u", "_s), reciter(), folder());
        }
        return lines.join(u'\n');
    }
    static qsizetype ends(const platform::MsgBoxScript& boxes) {
        return std::ranges::count(boxes.asked(), u"Fund    0"_s, &platform::AskedMessage::text);
    }

private Q_SLOTS:
    void initTestCase() {
        testsupport::copyBundledData(dir);
        QVERIFY(QDir().mkpath(dir.filePath(u"zeri/ajete"_s)));
        start();
    }
    void init() {
        // Whatever a test before left playing ends; every verse of surahs 1, 112, 113 and 114 has a recording.
        platform::MsgBoxScript boxes;
        c->w->findChild<audio::Playback*>()->endSeries();
        clock.advance(player()->remaining());
        for (const auto& [surah, verses] : {std::pair{1, 7}, {112, 4}, {113, 5}, {114, 6}})
            for (int v = 1; v <= verses; ++v)
                QVERIFY(testsupport::overwrite(
                    recording(u"%1%2"_s.arg(surah, 3, 10, QChar(u'0')).arg(v, 3, 10, QChar(u'0'))), "ID3"));
    }
    void cleanupTestCase() { Module1::unloadMainWindow(); }

    // Every control of the strip reads on it (4.5:1) in every state, and is named in Albanian.
    void legibleStrip() {
        const QList<QWidget*> controls = c->WindowsMediaPlayer1->findChildren<QWidget*>();
        QVERIFY(controls.size() >= 8);
        for (QWidget* w : controls) {
            const QPalette p = w->palette();
            for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
                const QColor back = p.color(g, QPalette::Window);
                const QColor fore = p.color(g, qobject_cast<QSlider*>(w)       ? QPalette::Button
                                               : qobject_cast<QToolButton*>(w) ? QPalette::ButtonText
                                                                               : QPalette::WindowText);
                QVERIFY2(platform::contrastRatio(fore, back) >= 4.5, qPrintable(w->objectName()));
                if (auto* b = qobject_cast<QToolButton*>(w)) {
                    // The icon in each mode, on the strip and on the panel a hovered or pressed button shows.
                    for (QIcon::Mode mode : {QIcon::Normal, QIcon::Active, QIcon::Disabled}) {
                        const QImage icon = b->icon().pixmap(24, 24, mode).toImage();
                        QColor ink(Qt::transparent); // the shape's own colour, where it is solid
                        for (int i = 0; i < icon.width() * icon.height() && ink.alpha() < 255; ++i)
                            ink = icon.pixelColor(i % icon.width(), i / icon.width());
                        QVERIFY2(ink.alpha() == 255 && platform::contrastRatio(ink, back) >= 4.5 &&
                                     platform::contrastRatio(ink, p.color(g, QPalette::Button)) >= 4.5,
                                 qPrintable(b->objectName()));
                    }
                }
                if (qobject_cast<QSlider*>(w))
                    QVERIFY(platform::contrastRatio(p.color(g, QPalette::Highlight), back) >= 4.5);
            }
            if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QSlider*>(w))
                QVERIFY2(!w->accessibleName().isEmpty() && !w->toolTip().isEmpty(), qPrintable(w->objectName()));
        }
    }

    // From the verse under the caret on, as far as `files` endings take it: the verses heard, each with its own
    // recording playing, its line selected in the text and named on the strip; a missing recording said once, when
    // the series reaches it; a folder lacking most of what the series would recite said at its start; "Fund" once,
    // at the end of a series.
    void verseAfterVerse_data() {
        QTest::addColumn<QList<int>>("repeat"); // the list's item, looped, from, to
        QTest::addColumn<QString>("from");
        QTest::addColumn<QStringList>("missing"); // "+name": copied in once the series started
        QTest::addColumn<int>("files");
        QTest::addColumn<QStringList>("heard");
        QTest::addColumn<QStringList>("strip"); // the strip's line at the start and after each ending; none: blank
        auto row = [](const char* tag, QList<int> repeat, QString from, QStringList missing, int files,
                      QStringList heard, QStringList strip = {}) {
            QTest::newRow(tag) << repeat << from << missing << files << heard << strip;
        };
        row("to the surah's end", {0, 0, 1, 1}, "114:3", {}, 6, {"114:3", "114:4", "114:5", "114:6"});
        row("a missing verse skipped", {0, 0, 1, 1}, "112:1", {"112003"}, 4, {"112:1", "112:2", "112:4"},
            {"", "", "112:3", "112:3", "112:3"});
        row("a recording copied in meanwhile", {0, 0, 1, 1}, "112:2", {"112003", "+112003"}, 2, {"112:2", "112:4"},
            {"", "112:3", "112:3"});
        row("the verse asked for missing", {0, 0, 1, 1}, "112:3", {"112003"}, 1, {"112:4"}, {"112:3", "112:3"});
        row("half of the verses left recorded", {0, 0, 1, 1}, "112:1", {"112003", "112004"}, 2, {"112:1", "112:2"},
            {"", "", "112:3 112:4"});
        row("fewer than half", {0, 0, 1, 1}, "112:2", {"112003", "112004"}, 1, {"112:2"},
            {"ka 2 nga 4", "112:3 112:4"});
        row("each verse twice in a range, from before it", {1, 1, 2, 3}, "113:1", {}, 4,
            {"113:2", "113:2", "113:3", "113:3", "113:2"});
        row("three times, no range", {2, 0, 2, 3}, "114:5", {}, 9,
            {"114:5", "114:5", "114:5", "114:6", "114:6", "114:6"});
        row("from inside the range", {0, 1, 2, 4}, "113:3", {}, 4, {"113:3", "113:4", "113:2", "113:3", "113:4"});
        row("a range ending in a missing verse", {0, 1, 2, 3}, "112:2", {"112003"}, 2, {"112:2", "112:2", "112:2"},
            {"", "112:3", "112:3"});
        row("a verse for ever", {5, 0, 1, 1}, "114:6", {}, 3, {"114:6", "114:6", "114:6", "114:6"});
        row("no verse of the range recorded", {0, 1, 2, 3}, "112:2", {"112002", "112003"}, 1, {},
            {"ka 2 nga 4/112:2 112:3", "ka 2 nga 4/112:2 112:3"});
    }
    void verseAfterVerse() {
        QFETCH(QList<int>, repeat);
        QFETCH(QString, from);
        QFETCH(QStringList, missing);
        QFETCH(int, files);
        QFETCH(QStringList, heard);
        QFETCH(QStringList, strip);
        for (const QString& name : missing)
            QVERIFY(name.startsWith(u'+') || QFile::remove(recording(name)));
        setRepeat(repeat[0], repeat[1], repeat[2], repeat[3]);
        platform::MsgBoxScript boxes;
        const int said = int(player()->said().size());
        series(from);
        for (const QString& name : missing)
            QVERIFY(!name.startsWith(u'+') || testsupport::overwrite(recording(name.mid(1)), "ID3"));
        QStringList lines{c->WindowsMediaPlayer1->statusText()};
        for (int i = 0; i < files; ++i) {
            hear(1);
            lines << c->WindowsMediaPlayer1->statusText();
        }
        QCOMPARE(this->heard, heard);
        QCOMPARE(played, heard);
        QCOMPARE(followed, heard);
        QStringList names;
        for (const QString& verse : heard)
            names << heardName(verse);
        QCOMPARE(named, names);
        QStringList expected, once; // each line on the strip, and each said once
        for (int i = 0; i <= files; ++i)
            expected << stripLine(strip.value(i), from.section(u':', 0, 0).toInt());
        QCOMPARE(lines, expected);
        for (const QString& line : expected)
            if (!line.isEmpty() && once.value(once.size() - 1) != line)
                once << line;
        QCOMPARE(player()->said().mid(said), once);
        // A series that reached its end says so once and names nothing; one that goes on keeps its next verse ready.
        const bool goesOn = files < heard.size();
        QCOMPARE(ends(boxes), qsizetype(!goesOn && !heard.isEmpty()));
        QCOMPARE(!player()->queued().isEmpty(), goesOn);
        QCOMPARE(c->WindowsMediaPlayer1->playingText().isEmpty(), !goesOn);
    }

    // A folder holding few of a surah's recordings: said as the series starts, in the surah's and the reciter's
    // names; the verses it lacks said as the series reaches them, a long run of them as one span.
    void fewRecordings() {
        for (int verse : {1, 2, 3, 5, 6})
            QVERIFY(testsupport::overwrite(recording(u"036%1"_s.arg(verse, 3, 10, QChar(u'0'))), "ID3"));
        setRepeat(0, false, 1, 1);
        platform::MsgBoxScript boxes;
        series(u"36:1"_s);
        QCOMPARE(c->WindowsMediaPlayer1->statusText(),
                 u"Lexuesi „%1” ka 5 nga 83 ajetet e sures Jasin"_s.arg(reciter()));
        QCOMPARE(c->WindowsMediaPlayer1->playingText(), u"Jasin 36:1, %1"_s.arg(reciter()));
        hear(3);
        QCOMPARE(c->WindowsMediaPlayer1->statusText(), stripLine(u"36:4"_s, 36));
        hear(2);
        QCOMPARE(heard, (QStringList{u"36:1"_s, u"36:2"_s, u"36:3"_s, u"36:5"_s, u"36:6"_s}));
        QCOMPARE(c->WindowsMediaPlayer1->statusText(),
                 u"Ajetet 36:7–36:83 nuk kanë regjistrim te lexuesi „%1” (dosja %2). U kapërcyen."_s.arg(reciter(),
                                                                                                         folder()));
        QCOMPARE(ends(boxes), qsizetype(1));
        // One verse is named as it plays; one without a recording is said, and nothing is named.
        for (const QString& verse : {u"36:3"_s, u"36:4"_s}) {
            windowtest::enter(c->CmbNrAjeti, verse);
            c->CmdPlayAjet->click();
        }
        QCOMPARE(c->WindowsMediaPlayer1->playingText(), QString());
        QCOMPARE(c->WindowsMediaPlayer1->statusText(),
                 u"Ajeti 36:4 nuk ka regjistrim te lexuesi „%1” (dosja %2)."_s.arg(reciter(), folder()));
        // A whole surah is named with the reciter of surahs.
        QVERIFY(QDir().mkpath(dir.filePath(u"zeri/sure"_s)) &&
                testsupport::overwrite(dir.filePath(u"zeri/sure/036.mp3"_s), "ID3"));
        c->CmdPlaySure->click();
        QCOMPARE(c->WindowsMediaPlayer1->playingText(),
                 u"Jasin, "_s + Module1::library.defaultReciter(data::ReciterKind::Surahs)->name);
    }

    // A reciter whose recordings are fetched: the verses ahead are asked for, one not come yet is neither queued nor
    // passed over but awaited (no end, no gap), one that arrives is queued or heard at once, one lost is said with its
    // cause when the series reaches it; a verse played alone waits for its recording too.
    void fetchedAsHeard() {
        TestSupply supply;
        auto* playback = c->w->findChild<audio::Playback*>();
        playback->setSupply(&supply);
        const auto arrive = [&](int verse) {
            QVERIFY(testsupport::overwrite(recording(u"113%1"_s.arg(verse, 3, 10, QChar(u'0'))), "ID3"));
            Q_EMIT supply.arrived(113, verse);
        };
        for (int verse = 2; verse <= 5; ++verse)
            QVERIFY(QFile::remove(recording(u"113%1"_s.arg(verse, 3, 10, QChar(u'0')))));
        setRepeat(0, false, 1, 1);
        platform::MsgBoxScript boxes;
        series(u"113:1"_s);
        QCOMPARE(supply.wanted, QStringList{u"113:1-5"_s});
        QCOMPARE(heard, QStringList{u"113:1"_s});
        QCOMPARE(player()->queued(), QString()); // 113:2 has not come
        arrive(2);
        QCOMPARE(player()->queued(), recording(u"113002"_s));
        hear(1);
        hear(1); // 113:2 ends before 113:3 came: awaited, not the series' end
        QCOMPARE(heard, (QStringList{u"113:1"_s, u"113:2"_s}));
        QCOMPARE(c->WindowsMediaPlayer1->statusText(), u"Po merret regjistrimi i ajetit 113:3 nga interneti..."_s);
        QCOMPARE(ends(boxes), qsizetype(0));
        arrive(3);
        QCOMPARE(heard.last(), u"113:3"_s);
        QCOMPARE(played.last(), u"113:3"_s);
        supply.lostOnes.insert(u"113:4"_s, u"nuk gjendet në server"_s);
        Q_EMIT supply.lost(113, 4, u"nuk gjendet në server"_s);
        arrive(5);
        QCOMPARE(player()->queued(), recording(u"113005"_s));
        hear(1);
        QCOMPARE(heard.last(), u"113:5"_s);
        QCOMPARE(c->WindowsMediaPlayer1->statusText(),
                 u"Regjistrimi i ajetit 113:4 nuk u mor: nuk gjendet në server. U kapërcye."_s);
        hear(1);
        QCOMPARE(ends(boxes), qsizetype(1));

        QVERIFY(QFile::remove(recording(u"113002"_s)));
        windowtest::enter(c->CmbNrAjeti, u"113:2"_s);
        c->CmdPlayAjet->click();
        QCOMPARE(supply.wanted.last(), u"113:2-5"_s);
        QCOMPARE(c->WindowsMediaPlayer1->playingText(), QString());
        arrive(2);
        QCOMPARE(c->WindowsMediaPlayer1->playingText(), heardName(u"113:2"_s));
        playback->setSupply(nullptr);
    }

    // Pause holds the series however long the clock runs; going on resumes it where it was.
    void pauseAndResume() {
        setRepeat(0, false, 1, 1);
        platform::MsgBoxScript boxes;
        series(u"114:4"_s);
        clock.advance(player()->fileLength / 2);
        c->mnuPauzoje->trigger();
        hear(5);
        QCOMPARE(heard, QStringList{u"114:4"_s});
        QCOMPARE(player()->state(), FakePlayer::State::Paused);
        c->mnuVazhdo->trigger();
        clock.advance(player()->fileLength / 2);
        QCOMPARE(heard, (QStringList{u"114:4"_s, u"114:5"_s}));
        hear(2);
        QCOMPARE(heard, (QStringList{u"114:4"_s, u"114:5"_s, u"114:6"_s}));
        QCOMPARE(ends(boxes), qsizetype(1));
    }

    // The reader going elsewhere, or playing another recitation, ends a series for ever: the verse heard plays to
    // its end, nothing follows it, and the text stays where the reader went.
    void navigationEndsTheSeries_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("line"); // the line selected afterwards
        QTest::newRow("a surah number typed") << u"CmbNrSure"_s << u"1:1"_s;
        QTest::newRow("a verse typed") << u"CmbNrAjeti"_s << u"113:2"_s;
        QTest::newRow("a surah by its name") << u"CmbEmrSure"_s << u"2:1"_s;
        QTest::newRow("one verse recited") << u"CmdPlayAjet"_s << u"114:6"_s;
    }
    void navigationEndsTheSeries() {
        QFETCH(QString, how);
        QFETCH(QString, line);
        setRepeat(5, false, 1, 1); // for ever: only the reader ends it
        platform::MsgBoxScript boxes;
        series(u"114:6"_s);
        hear(2);
        if (how == u"CmbNrSure"_s || how == u"CmbNrAjeti"_s)
            windowtest::enter(testsupport::child<QWidget>(c->w, qPrintable(how)),
                              how == u"CmbNrSure"_s ? u"1"_s : u"113:2"_s);
        else if (how == u"CmbEmrSure"_s)
            c->CmbEmrSure->setListIndex(c->CmbEmrSure->findData(2));
        else
            c->CmdPlayAjet->click();
        const QString now = player()->current();
        QCOMPARE(player()->state(), FakePlayer::State::Playing);
        QCOMPARE(c->WindowsMediaPlayer1->playingText(), heardName(u"114:6"_s));
        QVERIFY(player()->queued().isEmpty());
        hear(3);
        QCOMPARE(heard, QStringList(3, u"114:6"_s));
        QCOMPARE(player()->current(), now);
        QCOMPARE(ends(boxes), qsizetype(1));
        QCOMPARE(c->Rtf1->SelText().section(u'.', 0, 0), line);
    }

    // Esc (in the text, or in a box) and a second Ctrl+L stop a series at once, as the strip's stop button does:
    // nothing follows, no "Fund" comes, nothing is named as heard; Ctrl+L then starts one again from the caret.
    void stopKeys_data() {
        QTest::addColumn<QString>("where"); // the control with the focus
        QTest::addColumn<int>("key");       // none: the strip's stop button
        QTest::newRow("Esc in the text") << u"Rtf1"_s << int(Qt::Key_Escape);
        QTest::newRow("Esc in the verse box") << u"CmbNrAjeti"_s << int(Qt::Key_Escape);
        QTest::newRow("Ctrl+L") << u"Rtf1"_s << int(Qt::Key_L);
        QTest::newRow("the strip's stop button") << u"Rtf1"_s << 0;
    }
    void stopKeys() {
        QFETCH(QString, where);
        QFETCH(int, key);
        setRepeat(5, false, 1, 1); // for ever: only the reader ends it
        platform::MsgBoxScript boxes;
        series(u"114:5"_s);
        hear(1);
        QWidget* focus = where == u"Rtf1"_s ? static_cast<QWidget*>(c->Rtf1->shown()) : c->CmbNrAjeti->lineEdit();
        focus->setFocus();
        if (key)
            QTest::keyClick(focus, Qt::Key(key), key == Qt::Key_L ? Qt::ControlModifier : Qt::NoModifier);
        else
            c->WindowsMediaPlayer1->controls_stop(); // its button's command (disabled here: no backend plays)
        QCOMPARE(player()->state(), FakePlayer::State::Stopped);
        QVERIFY(player()->queued().isEmpty() && c->WindowsMediaPlayer1->playingText().isEmpty());
        QCOMPARE(c->WindowsMediaPlayer1->statusText(), key ? u"Leximi u ndal"_s : QString());
        QCOMPARE(QApplication::focusWidget(), key == Qt::Key_Escape ? c->Rtf1->shown() : focus);
        hear(3);
        QCOMPARE(heard, QStringList(2, u"114:5"_s));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(heard, QStringList(3, u"114:5"_s));
        QCOMPARE(player()->state(), FakePlayer::State::Playing);
        QCOMPARE(ends(boxes), qsizetype(0));
    }

    // The repeat chosen is there again at the next start.
    void repeatKept() {
        setRepeat(1, true, 2, 3);
        c->w->close();
        start();
        QCOMPARE(testsupport::child<platform::ComboBox>(c->w, "CmbPerserit")->Text(), u"2 herë"_s);
        QVERIFY(testsupport::child<QCheckBox>(c->w, "ChkVargu")->isChecked());
        QCOMPARE(testsupport::child<QSpinBox>(c->w, "SpnNga")->value(), 2);
        QCOMPARE(testsupport::child<QSpinBox>(c->w, "SpnDeri")->value(), 3);
    }

    // A reciter of one's own: a folder without recordings is refused; one with them is added and chosen, and
    // can be removed again; the bundled ones stay.
    void reciterInTheWindow() {
        auto* choice = c->w->findChild<audio::ReciterChoice*>();
        QTemporaryDir empty, mine;
        QVERIFY(QFile::copy(recording(u"001001"_s), mine.filePath(u"001001.mp3"_s)));
        QString folder = empty.path();
        choice->chooseFolder = [&] { return folder; };
        choice->askName = [](const QString&) { return u"Imi"_s; };
        platform::MsgBoxScript boxes;
        testsupport::child<QToolButton>(c->w, "CmdShtoLexuesAjete")->click();
        QVERIFY(boxes.asked().value(0).text.startsWith(u"Në dosjen "_s));
        folder = mine.path();
        testsupport::child<QToolButton>(c->w, "CmdShtoLexuesAjete")->click();
        QCOMPARE(boxes.asked().value(1).text, u"U gjetën 1 regjistrime në dosjen %1."_s.arg(mine.path()));
        QCOMPARE(c->CmbLexuesAjete->Text(), u"Imi"_s);
        QCOMPARE(Module1::strLokacioniAjeteve, mine.path());
        boxes.answer(platform::Answer::Yes);
        testsupport::child<QToolButton>(c->w, "CmdHiqLexuesAjete")->click();
        QVERIFY(c->CmbLexuesAjete->findText(u"Imi"_s) < 0 && c->CmbLexuesAjete->ListIndex() == 0);
        testsupport::child<QToolButton>(c->w, "CmdHiqLexuesAjete")->click();
        QCOMPARE(boxes.asked().last().text, u"Lexuesit e ardhur me programin nuk hiqen."_s);
    }
};

QTEST_MAIN(TestRecitation)
#include "test_recitation.moc"
