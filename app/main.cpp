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
    const int rc = Module1::Main();
    if (rc != 0)
        return rc;
    return QApplication::exec();
}
