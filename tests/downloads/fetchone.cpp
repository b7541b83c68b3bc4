// SPDX-License-Identifier: GPL-3.0-or-later
// Fetches one recording (fetchone URL TARGET) as the program does, and exits when it is in place (0) or failed (1):
// the test kills it in the middle to see that the next start continues from what it left.
#include "downloads/fetcher.h"

#include <QCoreApplication>
#include <QUrl>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    downloads::Fetcher fetcher;
    QObject::connect(&fetcher, &downloads::Fetcher::finished, &app, [] { QCoreApplication::exit(0); });
    QObject::connect(&fetcher, &downloads::Fetcher::failed, &app, [] { QCoreApplication::exit(1); });
    fetcher.add(QUrl(QString::fromLocal8Bit(argv[1])), QString::fromLocal8Bit(argv[2]), downloads::recordingCheck);
    return app.exec();
}
