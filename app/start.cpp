// SPDX-License-Identifier: GPL-3.0-or-later
// The start of the program: one window for each reader, the reader's data made ready, the splash window while
// the main window loads.
#include "app/instance.h"
#include "app/module1.h"
#include "app/notices.h"
#include "app/splash.h"
#include "mainwindow/frmkryesore.h"
#include "mainwindow/wholetext.h"
#include "platform/handler.h"
#include "platform/msgbox.h"
#include "resources/resources.h"
#include "tools/databuilder.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace Module1 {

namespace {

frmKryesore* g_main = nullptr;
QString g_verse; // named by a start while the window was not shown yet

// A later start came: the window comes forward, at the verse it named.
void cameAgain(const QString& verse) {
    if (!g_main || !g_main->isVisible()) {
        if (!verse.isEmpty())
            g_verse = verse; // gone to once the window shows
        return;
    }
    g_main->setWindowState(g_main->windowState() & ~Qt::WindowMinimized);
    g_main->show();
    g_main->raise();
    g_main->activateWindow();
    if (!verse.isEmpty())
        platform::guarded([&verse] { g_main->goToNamedVerse(verse); });
}

int startFailed(const QString& file, const QString& cause) {
    unloadMainWindow();
    platform::MsgBox(QStringLiteral("Programi nuk mund të niset.\n\nSkedari: %1\nShkaku: %2")
                         .arg(QDir::toNativeSeparators(file), cause),
                     platform::Buttons::OK, QString(), platform::Icon::Critical);
    return 1;
}

} // namespace

frmKryesore* mainWindow() {
    return g_main;
}

void unloadMainWindow() {
    delete g_main;
    g_main = nullptr;
}

void ShfaqSplash() {
    if (const QString file = wholeTextFile(); !file.isEmpty())
        wholetext::readAhead(file); // the longest part of the start, while the splash shows and the window is built
    auto* splash = new frmSplash;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        splash->move(screen->availableGeometry().center() - splash->rect().center());
    splash->show();
    // The splash is drawn before the window is built: one turn of an event loop of its own, while no window of the
    // program takes the reader's input yet.
    QEventLoop drawn;
    QTimer::singleShot(0, &drawn, &QEventLoop::quit);
    drawn.exec();
    struct Close {
        frmSplash* s;
        ~Close() {
            s->close();
            delete s;
        }
    } close{splash};
    unloadMainWindow();
    g_main = new frmKryesore(library); // its load procedure runs here, while the splash is on screen
}

int Main(const QString& verse) {
    initResources();
    g_verse = verse.trimmed();
    switch (instance::claim(g_verse, cameAgain)) {
    case instance::Start::HandedOver:
        return 0;
    case instance::Start::NoAnswer:
        return startFailed(userDataFolder(), QStringLiteral("programi është i hapur në një dritare tjetër që nuk "
                                                            "përgjigjet; mbylleni atë dhe provoni sërish"));
    case instance::Start::First:
        break;
    }
    resetStart();
    notices::channel().clear(); // what a run before this one (in the same process) had to say
    if (usesUserData()) {
        try {
            ensureUserDatabase();
        } catch (const StartupError& e) {
            if (!QFileInfo(programFolder() + QStringLiteral("/librezi.db")).isFile()) {
                std::fprintf(stderr, "librezi: %s\n", qPrintable(e.cause));
                return startFailed(e.file, e.cause);
            }
            useProgramDatabase(); // a home that cannot be written: the program's own data is read, nothing is kept
        }
    }
    databuilder::finishInterrupted(dataFolder()); // before the two files are read: see ensureUserDatabase too
    checkSaving();
    mendWholeText();
    try {
        cnLidhja.Open(databasePath());
    } catch (const platform::DbError& e) {
        std::fprintf(stderr, "librezi: %s\n", e.what());
        return startFailed(databasePath(), platform::albanianCause(e));
    }
    try {
        ShfaqSplash();
        const auto folderOf = [](data::ReciterKind kind) {
            const std::optional<data::Reciter> r = library.defaultReciter(kind);
            return r ? r->folder : QString();
        };
        strLokacioniAjeteve = folderOf(data::ReciterKind::Verses);
        strLokacioniSureve = folderOf(data::ReciterKind::Surahs);
    } catch (const platform::DbError& e) {
        std::fprintf(stderr, "librezi: %s\n", e.what());
        return startFailed(databasePath(), platform::albanianCause(e));
    } catch (const StartupError& e) {
        std::fprintf(stderr, "librezi: %s\n", qPrintable(e.cause));
        return startFailed(e.file, e.cause);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "librezi: %s\n", e.what());
        return startFailed(databasePath(), QStringLiteral("të dhënat e bazës nuk janë të rregullta"));
    }
    g_main->show();
    // After the place of the last run is gone to (once the window shows): the verse named, then the start's note.
    QTimer::singleShot(0, g_main, [] {
        if (!g_verse.isEmpty())
            platform::guarded([] { g_main->goToNamedVerse(std::exchange(g_verse, QString())); });
        notices::channel().setStanding(startNote());
    });
    return 0;
}

} // namespace Module1
