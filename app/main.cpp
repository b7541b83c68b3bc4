// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/module1.h"
#include "prefs/fonts.h"
#include "resources/resources.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lib'rezi Drites"));
    QApplication::setApplicationVersion(QStringLiteral(LIBREZI_VERSION_STRING));
    initResources();
    initTranslations();
    installFontSubstitutes();
    QApplication::setWindowIcon(art::icon(art::kWindowIcon));
    // "librezi 36:12" or "librezi Jasin 12" opens at that verse.
    const int rc = Module1::Main(QApplication::arguments().mid(1).join(u' '));
    if (rc != 0 || !Module1::mainWindow())
        return rc; // refused, or handed to the reader's window already open
    return QApplication::exec();
}
