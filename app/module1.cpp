// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/module1.h"

#include "app/splash.h"
#include "mainwindow/frmkryesore.h"
#include "mainwindow/wholetext.h"
#include "platform/msgbox.h"
#include "resources/resources.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace Module1 {

platform::Connection cnLidhja;
data::Library library(cnLidhja);
QString strLokacioniAjeteve;
QString strLokacioniSureve;

namespace {
frmKryesore* g_main = nullptr;
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

namespace {

int startFailed(const QString& file, const QString& cause) {
    unloadMainWindow();
    platform::MsgBox(QStringLiteral("Programi nuk mund të niset.\n\nSkedari: %1\nShkaku: %2")
                         .arg(QDir::toNativeSeparators(file), cause),
                     platform::Buttons::OK, QString(), platform::Icon::Critical);
    return 1;
}

} // namespace

int Main() {
    initResources();
    if (usesUserData()) {
        try {
            ensureUserDatabase();
        } catch (const StartupError& e) {
            std::fprintf(stderr, "librezi: %s\n", qPrintable(e.cause));
            return startFailed(e.file, e.cause);
        }
    }
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
    return 0;
}

} // namespace Module1
