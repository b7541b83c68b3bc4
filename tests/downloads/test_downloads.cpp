// SPDX-License-Identifier: GPL-3.0-or-later
// Fetching from the window against a local server the test controls: every file written aside, continued by Range
// after a drop, a pause or a kill, checked and put in place whole; failures tried again and named in Albanian; at most
// four connections; the window's translations (terms, preview, import), the Arabic text with its notice, and a
// reciter whose verses are fetched ahead of the recitation, awaited, and removed with the space they took.
#include "about/frmrrethprog.h"
#include "audio/fakeplayer.h"
#include "audio/playback.h"
#include "audio/reciters.h"
#include "downloads/catalogue.h"
#include "downloads/fetcher.h"
#include "downloads/frmshkarkimet.h"
#include "httpserver.h"
#include "mainwindow/krahaso.h"
#include "platform/mediaplayer.h"
#include "tools/facts.h"
#include "tools/parallel.h"
#include "windowtest.h"

#include <QtTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;
using downloads::Fetcher;
using testing::HttpServer;

namespace {

// A recording as EveryAyah serves one: an MP3 frame header, then `size` bytes.
QByteArray mp3(int size, char fill = 'a') {
    return QByteArray("\xff\xfb\x90\x64", 4) + QByteArray(size, fill);
}

// A whole translation in Tanzil's text form, every verse "<word> S:V", with a notice in its comments.
QByteArray tanzilText(const QString& word) {
    QByteArray text;
    for (const databuilder::Surah& s : databuilder::readSurahs(testsupport::factsFolder()))
        for (int v = 1; v <= s.verses; ++v)
            text += u"%1|%2|%3 %1:%2\n"_s.arg(s.number).arg(v).arg(word).toUtf8();
    return text + "\n# Tanzil Quran Text\n# License: Creative Commons Attribution 3.0\n# Tanzil Project\n";
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
}

} // namespace

class TestDownloads : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    HttpServer server;
    testsupport::FakeClock clock;
    testsupport::FakePlayerInWindow inWindow{clock};
    std::unique_ptr<testsupport::Controls> c;

    // A fetcher as the window's, with short waits between tries.
    std::unique_ptr<Fetcher> fetcher() {
        auto f = std::make_unique<Fetcher>();
        f->retryWaitsMs = {10, 20, 40};
        return f;
    }
    // Fetches one file and waits for its end: "" when it is in place, the cause otherwise.
    static QString fetchOne(Fetcher& f, const QUrl& url, const QString& target,
                            downloads::Check check = downloads::recordingCheck) {
        QString cause = u"(no end)"_s;
        QObject::connect(&f, &Fetcher::finished, &f, [&](const QString&) { cause.clear(); });
        QObject::connect(&f, &Fetcher::failed, &f, [&](const QString&, const QString& why) { cause = why; });
        QSignalSpy idle(&f, &Fetcher::idle);
        f.add(url, target, std::move(check));
        if (!idle.wait(20000))
            return u"(timed out)"_s;
        return cause;
    }
    downloads::frmShkarkimet* downloadsWindow() {
        c->w->findChild<QToolButton*>(u"cmdShkarkimet"_s)->click();
        return c->w->findChild<downloads::frmShkarkimet*>();
    }

private Q_SLOTS:
    void initTestCase() {
        qputenv("XDG_DATA_HOME", dir.filePath(u"home"_s).toLocal8Bit());
        QVERIFY(server.listen());
        testsupport::useSettingsIn(dir);
        const QString base = server.url(QString()).toString();
        downloads::setAddressTemplate(downloads::kTranslationAddress, base + u"trans/%1.txt"_s);
        downloads::setAddressTemplate(downloads::kArabicAddress, base + u"quran/%1.txt"_s);
        downloads::setAddressTemplate(downloads::kRecordingAddress, base + u"data/%1/%2"_s);
        // The program starts and its window of downloads opens without a single request.
        frmKryesore* w = testsupport::startProgram(dir);
        c = std::make_unique<testsupport::Controls>(w);
        w->findChild<Fetcher*>()->retryWaitsMs = {10, 20, 40};
        QVERIFY(downloadsWindow());
        QCOMPARE(server.requests().size(), 0);
    }
    void cleanupTestCase() { Module1::unloadMainWindow(); }

    // Each kind of answer: in place and whole, or failed with its cause after the right number of tries, and nothing
    // broken where the program reads.
    void answers_data() {
        QTest::addColumn<HttpServer::Behaviour>("behaviour");
        QTest::addColumn<int>("times");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("cause");
        QTest::addColumn<int>("requests");
        using B = HttpServer::Behaviour;
        const QByteArray good = mp3(5000);
        QTest::newRow("served") << B::Serve << 0 << good << "" << 1;
        QTest::newRow("404 said at once") << B::NotFound << 0 << good << "nuk gjendet në server" << 1;
        QTest::newRow("500 once, then served") << B::ServerError << 1 << good << "" << 2;
        QTest::newRow("500 every time") << B::ServerError << 0 << good << "gabim në server (500)" << 4;
        QTest::newRow("dropped once, continued") << B::Drop << 1 << good << "" << 2;
        QTest::newRow("dropped every time")
            << B::Drop << 0 << good << "lidhja me serverin u ndërpre|skedari erdhi i paplotë" << 4;
        QTest::newRow("redirected") << B::Redirect << 0 << good << "" << 1;
        QTest::newRow("a page instead") << B::Html << 0 << good << "serveri dha një faqe interneti" << 4;
        QTest::newRow("not an MP3") << B::Serve << 0 << QByteArray(3000, 'x') << "skedari nuk është regjistrim MP3"
                                    << 4;
        QTest::newRow("ID3 tag, then a frame") << B::Serve << 0
                                               << QByteArray("ID3\x04\0\0\0\0\0\x05"
                                                             "12345",
                                                             15) +
                                                      good
                                               << "" << 1;
    }
    void answers() {
        QFETCH(HttpServer::Behaviour, behaviour);
        QFETCH(int, times);
        QFETCH(QByteArray, body);
        QFETCH(QString, cause);
        QFETCH(int, requests);
        const QString path = u"a/%1.mp3"_s.arg(QTest::currentDataTag()).replace(u' ', u'_');
        server.put(path, body);
        server.put(u"to/"_s + path, body);
        server.setRedirect(path, u"to/"_s + path);
        server.setBehaviour(path, behaviour, times);
        const QString target = dir.filePath(path);
        auto f = fetcher();
        const QString said = fetchOne(*f, server.url(path), target);
        // A row's cause may name several ("a|b"): which one a drop gives depends on when the close is seen.
        QVERIFY2(cause.isEmpty()
                     ? said.isEmpty()
                     : std::ranges::any_of(cause.split(u'|'), [&](const QString& c) { return said.startsWith(c); }),
                 qPrintable(said));
        // Qt's own HTTP layer may send a request again by itself when a connection closes before its answer, and after
        // a kept-alive redirect: a dropped file's tries are told apart by where each continues, and a redirect is
        // judged by what arrived.
        QSet<QByteArray> ranges;
        for (const HttpServer::Request& r : server.requests())
            if (r.path == u'/' + path)
                ranges.insert(r.range);
        const int asked = behaviour == HttpServer::Behaviour::Drop ? int(ranges.size()) : server.requestCount(path);
        if (behaviour == HttpServer::Behaviour::Redirect)
            QVERIFY(asked >= 1 && server.requestCount(u"to/"_s + path) >= 1);
        else
            QCOMPARE(asked, requests);
        QCOMPARE(QFileInfo::exists(target), cause.isEmpty());
        if (cause.isEmpty())
            QCOMPARE(readAll(target), body);
        if (behaviour == HttpServer::Behaviour::Drop && times == 1) // the second asks from where the first stopped
            QCOMPARE(server.requests().last().range, "bytes=" + QByteArray::number(body.size() / 2) + '-');
    }

    // A continuation the server answers whole (it ignores Range) is written anew, not appended.
    void rangeIgnored() {
        const QByteArray body = mp3(8000, 'b');
        server.put(u"ignored.mp3"_s, body);
        server.setBehaviour(u"ignored.mp3"_s, HttpServer::Behaviour::IgnoreRange);
        const QString target = dir.filePath(u"ignored.mp3"_s);
        QVERIFY(testsupport::overwrite(downloads::partPath(target), body.left(3000)));
        auto f = fetcher();
        QCOMPARE(fetchOne(*f, server.url(u"ignored.mp3"_s), target), QString());
        QCOMPARE(server.requests().last().range, QByteArray("bytes=3000-"));
        QCOMPARE(readAll(target), body);
        QVERIFY(!QFileInfo::exists(downloads::partPath(target)));
        // A part already whole (killed before it was put in place) is put in place; one longer is begun anew.
        for (const qsizetype extra : {0, 10}) {
            QFile::remove(target);
            server.setBehaviour(u"ignored.mp3"_s, HttpServer::Behaviour::Serve);
            QVERIFY(testsupport::overwrite(downloads::partPath(target), body + QByteArray(extra, 'z')));
            const int before = server.requestCount(u"ignored.mp3"_s);
            QCOMPARE(fetchOne(*f, server.url(u"ignored.mp3"_s), target), QString());
            QCOMPARE(server.requestCount(u"ignored.mp3"_s) - before, extra ? 2 : 1);
            QCOMPARE(readAll(target), body);
        }
    }

    // Pause stops the transfer and keeps what came; continue asks for the rest; cancel leaves nothing behind.
    void pauseContinueCancel() {
        const QByteArray body = mp3(200000, 'c');
        server.put(u"slow.mp3"_s, body);
        server.setTrickle(4000, 5);
        server.setBehaviour(u"slow.mp3"_s, HttpServer::Behaviour::Trickle);
        const QString target = dir.filePath(u"slow.mp3"_s);
        auto f = fetcher();
        QSignalSpy done(f.get(), &Fetcher::finished);
        f->add(server.url(u"slow.mp3"_s), target, downloads::recordingCheck);
        QTRY_VERIFY(QFileInfo(downloads::partPath(target)).size() > 20000);
        f->pause();
        const qint64 kept = QFileInfo(downloads::partPath(target)).size();
        QVERIFY(f->paused() && f->busy() && kept > 0 && kept < body.size());
        QCOMPARE(downloads::progressText(f->progress(), true).left(7), u"Ndalur:"_s);
        f->resume();
        QVERIFY(done.wait(20000));
        QCOMPARE(server.requests().last().range, "bytes=" + QByteArray::number(kept) + '-');
        QCOMPARE(readAll(target), body);

        const QString other = dir.filePath(u"cancelled.mp3"_s);
        server.put(u"cancelled.mp3"_s, body);
        server.setBehaviour(u"cancelled.mp3"_s, HttpServer::Behaviour::Trickle);
        QSignalSpy idle(f.get(), &Fetcher::idle);
        f->add(server.url(u"cancelled.mp3"_s), other, downloads::recordingCheck);
        QTRY_VERIFY(QFileInfo(downloads::partPath(other)).size() > 0);
        f->cancel();
        QCOMPARE(idle.size(), 1);
        QVERIFY(!f->busy() && !QFileInfo::exists(other) && !QFileInfo::exists(downloads::partPath(other)));
    }

    // A file asked for urgently goes before those queued without urgency (a verse about to be heard before the rest
    // of a reciter), after the one being fetched.
    void urgentFirst() {
        auto f = fetcher();
        f->connections = 1;
        QSignalSpy idle(f.get(), &Fetcher::idle);
        const int before = int(server.requests().size());
        for (const QString& name : {u"u1"_s, u"u2"_s, u"u3"_s, u"u4"_s}) {
            server.put(name, mp3(100));
            f->add(server.url(name), dir.filePath(name), downloads::recordingCheck, name == u"u4"_s);
        }
        QVERIFY(idle.wait(20000));
        QStringList order;
        for (qsizetype i = before; i < server.requests().size(); ++i)
            order << server.requests()[i].path;
        QCOMPARE(order, (QStringList{u"/u1"_s, u"/u4"_s, u"/u2"_s, u"/u3"_s}));
    }

    // Forty files on at most four connections kept alive; the progress counts them.
    void fourConnections() {
        HttpServer server; // its own, so that no connection of the tests before counts
        QVERIFY(server.listen());
        server.setDelay(20);
        auto f = fetcher();
        QSignalSpy idle(f.get(), &Fetcher::idle);
        for (int i = 0; i < 40; ++i) {
            server.put(u"many/%1.mp3"_s.arg(i), mp3(1000 + i));
            f->add(server.url(u"many/%1.mp3"_s.arg(i)), dir.filePath(u"many/%1.mp3"_s.arg(i)),
                   downloads::recordingCheck);
        }
        QVERIFY(idle.wait(20000));
        QCOMPARE(f->progress().done, 40);
        QVERIFY(downloads::progressText(f->progress(), false).startsWith(u"40 nga 40 skedarë"_s));
        QVERIFY2(server.mostConnectionsAtOnce() <= 4, qPrintable(QString::number(server.mostConnectionsAtOnce())));
        QVERIFY(server.connectionsOpened() <= 4);
        for (int i = 0; i < 40; i += 13)
            QCOMPARE(readAll(dir.filePath(u"many/%1.mp3"_s.arg(i))), mp3(1000 + i));
    }

    // A program killed in the middle of a file leaves it aside, never in place; the next start continues it.
    void killedAndStartedAgain() {
        const QByteArray body = mp3(400000, 'k');
        server.put(u"killed.mp3"_s, body);
        server.setTrickle(8000, 10);
        server.setBehaviour(u"killed.mp3"_s, HttpServer::Behaviour::Trickle);
        const QString target = dir.filePath(u"killed.mp3"_s);
        QProcess child;
        child.start(qEnvironmentVariable("LIBREZI_FETCHONE"), {server.url(u"killed.mp3"_s).toString(), target});
        QVERIFY(child.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(downloads::partPath(target)).size() > 100000, 20000);
        child.kill(); // SIGKILL
        QVERIFY(child.waitForFinished());
        const qint64 kept = QFileInfo(downloads::partPath(target)).size();
        QVERIFY(!QFileInfo::exists(target) && kept < body.size());
        server.setBehaviour(u"killed.mp3"_s, HttpServer::Behaviour::Serve);
        auto f = fetcher();
        QCOMPARE(fetchOne(*f, server.url(u"killed.mp3"_s), target), QString());
        QCOMPARE(server.requests().last().range, "bytes=" + QByteArray::number(kept) + '-');
        QCOMPARE(readAll(target), body);
    }

    // A translation: Tanzil's terms first, then the import's own preview; a page instead of the text imports nothing.
    void translationFetchedAndImported() {
        auto* win = downloadsWindow();
        server.put(u"trans/sq.mehdiu.txt"_s, tanzilText(u"Provë"_s), "text/plain; charset=utf-8");
        {
            platform::MsgBoxScript boxes;
            boxes.answer(platform::Answer::Yes); // the terms
            boxes.answer(platform::Answer::Yes); // the preview
            boxes.answer(platform::Answer::OK);  // imported
            testsupport::child<QPushButton>(win, "cmdShkarko_sq.mehdiu")->click();
            QTRY_COMPARE_WITH_TIMEOUT(boxes.pending(), 0, 20000);
            QVERIFY(boxes.asked()[0].text.contains(u"vetëm për përdorim jotregtar"_s));
            QVERIFY(boxes.asked()[1].text.startsWith(u"Përkthimi nga sq.mehdiu jep 6236 ajete"_s));
        }
        QCOMPARE(Module1::library.verseText({36, 12}), u"Provë 36:12"_s);

        server.setBehaviour(u"trans/sq.nahi.txt"_s, HttpServer::Behaviour::Html);
        platform::MsgBoxScript boxes;
        boxes.answer(platform::Answer::Yes);
        boxes.answer(platform::Answer::OK);
        testsupport::child<QPushButton>(win, "cmdShkarko_sq.nahi")->click();
        QTRY_COMPARE_WITH_TIMEOUT(boxes.asked().size(), 2, 20000);
        QCOMPARE(boxes.asked()[1].text,
                 u"Hasan Efendi Nahi nuk u shkarkua: serveri dha një faqe interneti në vend të skedarit."_s);
        QCOMPARE(Module1::library.verseText({36, 12}), u"Provë 36:12"_s);
        QVERIFY(win->lstGabimet->item(win->lstGabimet->count() - 1)->text().startsWith(u"Hasan Efendi Nahi: "_s));
    }

    // The Arabic text is kept byte for byte with its notice, which the About window shows.
    void arabicWithItsNotice() {
        auto* win = downloadsWindow();
        const QByteArray text = tanzilText(u"نص"_s);
        server.put(u"quran/simple-clean.txt"_s, text, "text/plain; charset=utf-8");
        platform::MsgBoxScript boxes;
        boxes.answer(platform::Answer::Yes);
        testsupport::child<QPushButton>(win, "cmdShkarko_simple-clean")->click();
        const QString file = downloads::textFile(downloads::Kind::Arabic, u"simple-clean"_s);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(file), 20000);
        QCOMPARE(readAll(file), text);
        QVERIFY(boxes.asked()[0].text.contains(u"Creative Commons Attribution 3.0"_s));
        QTRY_COMPARE(testsupport::child<QLabel>(win, "lblGjendja_simple-clean")->text(), u"në disk"_s);
        const QList<databuilder::ParallelText> texts = databuilder::parallelTexts(Module1::parallelTextsPath());
        QCOMPARE(texts.size(), 1);
        QVERIFY(texts[0].kind == databuilder::TextKind::Arabic && texts[0].notice.contains(u"Tanzil Project"_s));
        QCOMPARE(databuilder::parallelVerse(Module1::parallelTextsPath(), texts[0].id, 36, 12), u"نص 36:12"_s);
        auto about = createAbout(c->w, &Module1::library);
        const QString credits = testsupport::child<QLabel>(about.get(), "lblBurimet")->text();
        QVERIFY(credits.contains(u"# Tanzil Quran Text"_s.mid(2) + u"\nLicense: Creative Commons Attribution 3.0"_s));
        QVERIFY(credits.contains(u"Përkthimi i Feti Mehdiu, nga Tanzil"_s));
    }

    // Ctrl+Shift+K shows the verse under the caret in every text, the words the translations do not share marked;
    // PageDown and PageUp go to the verse after and before, across a surah's end.
    void compareVerse() {
        QTemporaryDir files;
        const QString other = files.filePath(u"tjeter.txt"_s);
        QVERIFY(testsupport::overwrite(other, tanzilText(u"Tjetër"_s)));
        databuilder::importParallel(Module1::parallelTextsPath(), other, tanzilText(u"Tjetër"_s),
                                    databuilder::TextKind::Translation, u"sq"_s,
                                    databuilder::readSurahs(testsupport::factsFolder()));
        downloadsWindow()->close(); // the keys go to the main window
        c->w->show();
        c->w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(c->w));
        windowtest::enter(c->CmbNrAjeti, u"1:7"_s);
        QTest::keyClick(c->w, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
        auto* win = c->w->findChild<frmKrahaso*>();
        QVERIFY(win && win->isVisible());
        QCOMPARE(win->lblAjeti->text(), u"Fatiha 1:7"_s);
        const QString html = win->txtKrahasimi->toHtml();
        for (const QString& word : {u"Provë"_s, u"Tjetër"_s}) // the words that differ, and only they
            QVERIFY(html.contains(u"#ffe08a;\">"_s + word + u"</span>"_s));
        QVERIFY(!html.contains(u"#ffe08a;\">1:7"_s));
        QCOMPARE(
            win->txtKrahasimi->toPlainText().split(u'\n'),
            (QStringList{u"sq.mehdiu"_s, u"Provë 1:7"_s, u"Teksti arab"_s, u"نص 1:7"_s, u"tjeter"_s, u"Tjetër 1:7"_s}));
        QTest::keyClick(win, Qt::Key_PageDown);
        QCOMPARE(win->verse(), (text::Verse{2, 1}));
        QTest::keyClick(win, Qt::Key_PageUp);
        QTest::keyClick(win, Qt::Key_PageUp);
        QCOMPARE(win->lblAjeti->text(), u"Fatiha 1:6"_s);
        win->close();
    }

    // A reciter chosen in the window is heard verse after verse as its recordings come: the verses ahead are asked
    // for first, a verse not come yet is awaited (never passed over), one the server lacks is said with its cause.
    void reciterFetchedAhead() {
        const QString id = u"Alafasy_128kbps"_s;
        for (int v = 1; v <= 4; ++v)
            server.put(u"data/%1/112%2.mp3"_s.arg(id).arg(v, 3, 10, QChar(u'0')), mp3(800 + v));
        server.setBehaviour(u"data/%1/112003.mp3"_s.arg(id), HttpServer::Behaviour::NotFound);
        server.setDelay(100);
        downloadsWindow()->useReciter(id);
        QCOMPARE(c->CmbLexuesAjete->Text(), u"Mishary Alafasy"_s);
        QStringList heard;
        connect(c->w->findChild<audio::Playback*>(), &audio::Playback::reciting, this,
                [&](int s, int v) { heard << u"%1:%2"_s.arg(s).arg(v); });
        windowtest::enter(c->CmbNrAjeti, u"112:1"_s);
        platform::MsgBoxScript boxes;
        c->w->findChild<QToolButton*>(u"CmdPlayVazhdim"_s)->click();
        QVERIFY(c->WindowsMediaPlayer1->statusText().contains(u"Po merret regjistrimi i ajetit 112:1"_s));
        QTRY_COMPARE_WITH_TIMEOUT(heard, QStringList{u"112:1"_s}, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(downloads::reciterFolder(id) + u"/112004.mp3"_s), 20000);
        for (int i = 0; i < 3; ++i)
            clock.advance(inWindow.player()->fileLength);
        QCOMPARE(heard, (QStringList{u"112:1"_s, u"112:2"_s, u"112:4"_s}));
        QVERIFY(inWindow.player()->said().join(u'\n').contains(
            u"Regjistrimi i ajetit 112:3 nuk u mor: nuk gjendet në server. U kapërcye."_s));
        server.setDelay(0);
    }

    // Removing a fetched reciter says the space it frees and frees it.
    void removedWithItsRecordings() {
        const QString folder = downloads::reciterFolder(u"Alafasy_128kbps"_s);
        QVERIFY(downloads::recordingsIn(folder) == 3);
        platform::MsgBoxScript boxes;
        boxes.answer(platform::Answer::Yes);
        auto* choice = c->w->findChild<audio::ReciterChoice*>();
        choice->removeReciter(data::ReciterKind::Verses);
        QCOMPARE(boxes.asked()[0].text,
                 u"Ta heq lexuesin „Mishary Alafasy” dhe regjistrimet e tij të shkarkuara? Lirohen 3 KB në disk."_s);
        QVERIFY(!QFileInfo::exists(folder));
        QCOMPARE(c->CmbLexuesAjete->findText(u"Mishary Alafasy"_s), -1);
        // Chosen again, its folder is made again as its first verse comes.
        downloadsWindow()->useReciter(u"Alafasy_128kbps"_s);
        windowtest::enter(c->CmbNrAjeti, u"112:2"_s);
        c->CmdPlayAjet->click();
        QTRY_VERIFY_WITH_TIMEOUT(c->WindowsMediaPlayer1->playingText().endsWith(u" 112:2, Mishary Alafasy"_s), 20000);
    }

    // A whole reciter: its size said first; cancelled, it leaves only whole files.
    void wholeReciterAsked() {
        auto* win = downloadsWindow();
        server.setDefaultBehaviour(HttpServer::Behaviour::Stall);
        if (QStorageInfo(dir.path()).bytesAvailable() < 2'000'000'000)
            QSKIP("less than 2 GB free here: the window would say the disk is too small");
        platform::MsgBoxScript boxes;
        boxes.answer(platform::Answer::Yes);
        testsupport::child<QPushButton>(win, "cmdTeGjitha_aziz_alili_128kbps")->click();
        QCOMPARE(boxes.asked()[0].text,
                 u"Lexuesi „Aziz Alili” ka 6236 regjistrime, rreth 1,3 GB. Të shkarkohen të gjitha?"_s);
        QTRY_VERIFY(win->lblEcuria->text().startsWith(u"0 nga 6236 skedarë · "_s));
        QVERIFY(win->cmdPauzo->isEnabled());
        win->cmdAnulo->click();
        server.setDefaultBehaviour(HttpServer::Behaviour::Serve);
        QCOMPARE(downloads::recordingsIn(downloads::reciterFolder(u"aziz_alili_128kbps"_s)), 0);
        QVERIFY(QDir(downloads::reciterFolder(u"aziz_alili_128kbps"_s)).entryList(QDir::Files).isEmpty());
    }
};

QTEST_MAIN(TestDownloads)
#include "test_downloads.moc"
