// SPDX-License-Identifier: GPL-3.0-or-later
// One window for each reader, run against the real program: a later start hands its verse to the open window
// and ends; a killed window leaves nothing that blocks the next start; two starts at once on the first run make
// one copy of the database; a home that cannot be written starts with saving off.
#include "app/instance.h"
#include "audio/reciters.h"
#include "tools/pendingfile.h"
#include "windowtest.h"

#include <QAction>
#include <QLocalServer>

#include <cstddef>
#include <cstring>
#include <memory>
#include <thread>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using windowtest::hidden;
using windowtest::top;

class TestInstance : public QObject {
    Q_OBJECT
    QTemporaryDir program;
    std::unique_ptr<QTemporaryDir> home, config; // the reader's XDG_DATA_HOME and XDG_CONFIG_HOME
    // A new reader: their data and settings folders, in this process and in the programs it starts.
    void newReader() {
        Module1::unloadMainWindow();
        home = std::make_unique<QTemporaryDir>();
        config = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", QFile::encodeName(home->path()));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config->path());
    }
    // Starts the installed program or builder (a child of this test, the reader's folders its own).
    std::unique_ptr<QProcess> run(const QString& binary, const QStringList& args = {}) {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", home->path());
        env.insert("XDG_CONFIG_HOME", config->path());
        p->setProcessEnvironment(env);
        p->start(program.filePath(binary), args);
        if (!p->waitForStarted())
            qFatal("cannot start %s", qPrintable(binary));
        return p;
    }
    // The start ended by itself, with status 0, within a minute; this test's window answers meanwhile.
    static bool endedWell(QProcess& p) {
        return QTest::qWaitFor([&p] { return p.state() == QProcess::NotRunning; }, 60000) &&
               p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }
    // Two starts of the installed program at once: one ends, handing over to the other, which is the reader's
    // window (returned, still running).
    std::unique_ptr<QProcess> m_one, m_two;
    QProcess& twoStarts() {
        m_one = run("librezi");
        m_two = run("librezi");
        const bool ended = QTest::qWaitFor(
            [&] { return m_one->state() == QProcess::NotRunning || m_two->state() == QProcess::NotRunning; }, 60000);
        QProcess& handed = m_one->state() == QProcess::NotRunning ? *m_one : *m_two;
        QProcess& window = &handed == m_one.get() ? *m_two : *m_one;
        if (!ended || !endedWell(handed) || window.state() != QProcess::Running)
            qFatal("two starts at once did not make one window: %s", handed.readAllStandardError().constData());
        return window;
    }
    // Starts the program in this test on the installed folder, at a verse when one is named; null when it refused.
    static frmKryesore* startHere(const QString& folder, const QString& verse = QString()) {
        Module1::setProgramFolder(folder);
        return Module1::Main(verse) == 0 ? Module1::mainWindow() : nullptr;
    }

private Q_SLOTS:
    // An installed program folder: the program and the builder (linked, or copied where a link cannot be made), the
    // bundled data and the mark that gives every reader a copy of their own; a second verse reciter to choose.
    void initTestCase() {
        testsupport::copyBundledData(program);
        for (const QString binary : {"librezi", "tools/librezi-builder"}) {
            const QString from = testsupport::buildFolder() + u'/' + binary;
            const QString to = program.filePath(QFileInfo(binary).fileName());
            QVERIFY(::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0 ||
                    QFile::copy(from, to));
        }
        QVERIFY(testsupport::overwrite(program.filePath(Module1::kInstalledMarker), "installed\n"));
        QVERIFY(QDir(program.path()).mkpath("zeri/tjeter"));
        databuilder::addReciter({program.filePath("librezi.db"), "Tjetri", "zeri/tjeter", {}, true, false});
    }
    void cleanup() { Module1::unloadMainWindow(); }
    // A start at a verse opens there; a later start, with or without a verse, brings the open window forward at the
    // verse, also from a passage, and ends with status 0.
    void laterStartHandsOver() {
        newReader();
        platform::MsgBoxScript boxes;
        frmKryesore* w = startHere(program.path(), "2:255");
        QVERIFY(w);
        QTRY_COMPARE(top(w), "2:255.");
        w->showMinimized();
        auto later = run("librezi");
        QVERIFY(endedWell(*later));
        QTRY_VERIFY(!w->isMinimized());
        const testsupport::Controls c(w);
        testsupport::typeInto(c.CmbKerkoKrejt, "Përkthimi");
        QVERIFY(testsupport::search(c)); // its results shown: none may arrive after the hand-over (a slow machine)
        QVERIFY(w->inPassageMode());
        later = run("librezi", {"Jasin", "12"});
        QVERIFY(endedWell(*later));
        QTRY_COMPARE(top(w), "36:12.");
        QVERIFY(!w->inPassageMode());
        QCOMPARE(Module1::cnLidhja.path(), home->filePath("librezi/librezi.db"));
    }
    // Two starts at once on the reader's first run (a double click): one is the window, the other hands over to it;
    // the reader's copy is made once, whole, and nothing is left beside it. LIBREZI_DOUBLE_STARTS trials, 3 unless
    // told. The window, killed without closing, leaves nothing that blocks the reader's next start: that start is
    // the reader's window, and a later one hands over to it.
    void doubleStartOnFirstRun() {
        const int trials = qEnvironmentVariableIsSet("LIBREZI_DOUBLE_STARTS")
                               ? qEnvironmentVariableIntValue("LIBREZI_DOUBLE_STARTS")
                               : 3;
        const QByteArray bundled = testsupport::fileChecksum(program.filePath("librezi.db"));
        for (int trial = 0; trial < trials; ++trial) {
            newReader();
            QProcess& window = twoStarts();
            QCOMPARE(testsupport::fileChecksum(home->filePath("librezi/librezi.db")), bundled);
            QCOMPARE(hidden(home->filePath("librezi")), QStringList());
            window.kill(); // never closed
            window.waitForFinished();
        }
        QVERIFY(startHere(program.path()));
        QVERIFY(endedWell(*run("librezi")));
    }
    // Another start has taken the window's name but does not listen at it yet (it is between the two steps when
    // this one comes): this start waits for it and hands its verse over, rather than become a second window.
    void nameTakenNotYetListened() {
        newReader();
        const QByteArray name = QFile::encodeName(instance::serverName());
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path + 1, name.constData(), size_t(name.size())); // abstract: after a NUL
        QVERIFY(::bind(fd, reinterpret_cast<sockaddr*>(&address),
                       socklen_t(offsetof(sockaddr_un, sun_path) + 1 + name.size())) == 0);
        QLocalServer same;
        same.setSocketOptions(QLocalServer::AbstractNamespaceOption);
        QVERIFY(!same.listen(instance::serverName())); // the name the program takes
        QByteArray heard;
        std::thread other([fd, &heard] {
            ::usleep(200 * 1000); // the other start, slowed down between naming its server and opening it
            ::listen(fd, 1);
            pollfd waiting{fd, POLLIN, 0};
            if (::poll(&waiting, 1, 10000) != 1)
                return;
            const int line = ::accept(fd, nullptr, nullptr);
            char bytes[64];
            for (ssize_t n; !heard.contains('\n') && (n = ::read(line, bytes, sizeof bytes)) > 0;)
                heard.append(bytes, n);
            (void)!::write(line, "OK\n", 3);
            ::close(line);
        });
        const instance::Start start = instance::claim(u"36:12"_s, {});
        other.join();
        ::close(fd);
        QCOMPARE(start, instance::Start::HandedOver);
        QCOMPARE(heard, "LIBREZI 36:12\n");
    }
    // A builder on the reader's first run while another start makes the copy (it holds the reader's folder): the
    // builder waits, then takes that copy and adds its reciter to it.
    void builderWaitsForTheCopy() {
        newReader();
        const QString folder = home->filePath("librezi");
        QVERIFY(QDir().mkpath(folder));
        std::unique_ptr<QProcess> builder;
        {
            const databuilder::FolderLock copying(folder);
            builder = run("librezi-builder",
                          {"--add-reciter", "--user", "--name", "Imi", "--folder", home->path(), "--kind", "ajete"});
            // It waits as long as the copy is made (a minute at most): it has not ended meanwhile.
            QVERIFY2(!QTest::qWaitFor([&] { return builder->state() == QProcess::NotRunning; }, 700),
                     builder->readAllStandardError().constData());
            QVERIFY(QFile::copy(program.filePath("librezi.db"), folder + "/librezi.db"));
            databuilder::addReciter({folder + "/librezi.db", "Kopja", home->path(), QString(), true, false});
        }
        QVERIFY2(endedWell(*builder), builder->readAllStandardError().constData());
        platform::Connection db;
        db.Open(folder + "/librezi.db");
        QCOMPARE(db.value("SELECT group_concat(Lexuesi) FROM Lokacioni_i_zerit WHERE Lexuesi IN ('Imi', 'Kopja')"),
                 QVariant("Kopja,Imi"));
    }
    // A home where the reader's data or settings cannot be written: the program starts on the program folder's
    // data, says that nothing is kept, and keeps nothing (the installed database stays as it was).
    void readOnlyHome_data() {
        QTest::addColumn<bool>("data"); // the data folder cannot be made; otherwise the settings folder
        QTest::newRow("data folder") << true;
        QTest::newRow("settings folder") << false;
    }
    void readOnlyHome() {
        QFETCH(bool, data);
        newReader();
        // A file stands where the folder would be made: it cannot be made, whoever runs the test (root too).
        QVERIFY(testsupport::overwrite(home->filePath("skedar"), "not a folder"));
        const QString blocked = home->filePath("skedar/brenda");
        if (data)
            qputenv("XDG_DATA_HOME", QFile::encodeName(blocked));
        else
            QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, blocked);
        const QString folder = blocked + (data ? "/librezi" : "/Lib'rezi Drites");
        const QByteArray sum = testsupport::fileChecksum(program.filePath("librezi.db"));

        platform::MsgBoxScript boxes;
        frmKryesore* w = startHere(program.path());
        QVERIFY2(w && boxes.asked().isEmpty(), qPrintable(boxes.asked().value(0).text));
        QVERIFY(Module1::savingOff());
        const QString said = u"Ruajtja është e fikur, sepse dosja %1 nuk mund të shkruhet: shënjuesit, vendi i leximit "
                             "dhe zgjedhjet e tjera nuk do të ruhen."_s.arg(folder);
        QCOMPARE(Module1::savingOffText(), said);
        QTRY_COMPARE(testsupport::child<QLabel>(w, "lblNjoftimi")->text(), said);
        QCOMPARE(Module1::cnLidhja.path(), (data ? program.path() : home->path() + "/librezi") + "/librezi.db");

        // Choosing a reciter holds for this run; adding one or importing says why it cannot be kept.
        const testsupport::Controls c(w);
        c.CmbLexuesAjete->setListIndex(c.CmbLexuesAjete->findText("Tjetri"));
        QCOMPARE(Module1::strLokacioniAjeteve, "zeri/tjeter");
        w->findChild<audio::ReciterChoice*>()->addReciter(audio::ReciterKind::Verses);
        QCOMPARE(boxes.asked().value(0).text, "Lexuesi nuk u shtua. " + said);
        try {
            Module1::importTranslation(program.filePath("sq.txt"), "1|1|a\n");
            QFAIL("an import while saving is off");
        } catch (const databuilder::BuildError& e) {
            QCOMPARE(e.message(), "Importi nuk u bë. " + said);
        }
        windowtest::enter(c.CmbNrAjeti, "2:255");
        testsupport::child<QAction>(w, "mnuShenjo")->trigger(); // a mark, kept for this run
        QCOMPARE(testsupport::child<platform::ListBox>(w, "lstShenjuesit")->ListCount(), 1);
        w->close();
        QCOMPARE(boxes.asked().size(), 1);
        QCOMPARE(testsupport::fileChecksum(program.filePath("librezi.db")), sum);
    }
};

QTEST_MAIN(TestInstance)
#include "test_instance.moc"
