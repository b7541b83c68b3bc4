// SPDX-License-Identifier: GPL-3.0-or-later
// Types a note as a reader does, for the test that kills it in the middle: notetyper STORE TEXT opens the note
// editor of STORE on 36:12 and types TEXT into it, a key every 20 ms, with no pause. It types with the event loop
// held, as a busy program's is, so that no timer fires meanwhile. After each key it prints how many characters it
// typed and the milliseconds since it began ("12 245"); when the text is typed it waits to be killed.
#include "mainwindow/notes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 3)
        return 2;
    const QString text = args[2];
    frmShenimi editor(args[1], nullptr);
    editor.showVerse({36, 12});
    QTimer::singleShot(0, &editor, [&] {
        QElapsedTimer clock;
        clock.start();
        for (qsizetype typed = 0; typed < text.size(); ++typed) {
            // A key and its letter: a Latin-1 letter's key is its capital's code (ë: Qt::Key_Ediaeresis).
            QTest::sendKeyEvent(QTest::Click, editor.txtShenimi, Qt::Key(text[typed].toUpper().unicode()),
                                text.mid(typed, 1), Qt::NoModifier);
            std::printf("%lld %lld\n", static_cast<long long>(typed + 1), static_cast<long long>(clock.elapsed()));
            std::fflush(stdout);
            QThread::msleep(20);
        }
    });
    return QApplication::exec();
}
