// SPDX-License-Identifier: GPL-3.0-or-later
// Types a note as a reader does, for the test that kills it in the middle: notetyper STORE TEXT opens the note
// editor of STORE on 36:12 and types TEXT into it, a key every 20 ms. After each key it prints how many characters
// it typed and the milliseconds since it began ("12 245"); when the text is typed it waits to be killed.
#include "mainwindow/notes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTest>
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
    QElapsedTimer clock;
    clock.start();
    int typed = 0;
    QTimer keys;
    keys.setInterval(20);
    QObject::connect(&keys, &QTimer::timeout, &editor, [&] {
        if (typed == text.size())
            return;
        // A key and its letter: a Latin-1 letter's key is its capital's code (ë: Qt::Key_Ediaeresis).
        QTest::sendKeyEvent(QTest::Click, editor.txtShenimi, Qt::Key(text[typed].toUpper().unicode()),
                            text.mid(typed, 1), Qt::NoModifier);
        ++typed;
        std::printf("%d %lld\n", typed, static_cast<long long>(clock.elapsed()));
        std::fflush(stdout);
    });
    keys.start();
    return QApplication::exec();
}
