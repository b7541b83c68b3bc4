#include "app/module1.h"

#include "app/splash.h"
#include "data/queryhelpers.h"
#include "mainwindow/frmkryesore.h"
#include "platform/msgbox.h"
#include "resources/resources.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>

#include <cstdio>

namespace Module1 {

QString strLidhja;
platform::Connection cnLidhja;
QString strLokacioniAjeteve;
QString strLokacioniSureve;
bool blnMosRuajLexuesinAjeteve = false;
bool blnMosRuajLexuesinSureve = false;

namespace {
QString g_programFolder;
frmKryesore* g_main = nullptr;
} // namespace

QString programFolder() {
    if (!g_programFolder.isEmpty())
        return g_programFolder;
    return QDir::cleanPath(QCoreApplication::applicationDirPath());
}

void setProgramFolder(const QString& folder) { g_programFolder = QDir::cleanPath(folder); }

QString databasePath() { return programFolder() + QStringLiteral("/librezi.db"); }

frmKryesore* mainWindow() { return g_main; }

void unloadMainWindow() {
    delete g_main;
    g_main = nullptr;
}

void ShfaqSplash() {
    auto* splash = new frmSplash;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        splash->move(screen->availableGeometry().center() - splash->rect().center());
    splash->show();
    QCoreApplication::processEvents();
    struct Close {
        frmSplash* s;
        ~Close() {
            s->close();
            delete s;
        }
    } close{splash};
    unloadMainWindow();
    g_main = new frmKryesore; // its load procedure runs here, while the splash is on screen
}

namespace {

int startFailed(const QString& file, const QString& cause) {
    unloadMainWindow();
    platform::MsgBox(QStringLiteral("Programi nuk mund të niset.\n\nSkedari: %1\nShkaku: %2").arg(QDir::toNativeSeparators(file), cause),
                     platform::Buttons::OK, QString(), platform::Icon::Critical);
    return 1;
}

} // namespace

int Main() {
    initResources();
    strLidhja = QStringLiteral("Data Source=") + databasePath();
    try {
        cnLidhja.Open(databasePath());
    } catch (const platform::DbError& e) {
        std::fprintf(stderr, "librezi: %s\n", e.what());
        return startFailed(databasePath(), platform::albanianCause(e));
    }
    try {
        ShfaqSplash();
        strLokacioniAjeteve = vbText(MerrVleren(QStringLiteral(
            "select Lokacioni from Lokacioni_i_zerit where default=-1 and Ajete=-1")));
        strLokacioniSureve = vbText(MerrVleren(QStringLiteral(
            "select Lokacioni from Lokacioni_i_zerit where default=-1 and Ajete=0")));
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
