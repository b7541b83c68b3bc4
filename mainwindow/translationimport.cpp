// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/translationimport.h"

#include "app/paths.h"
#include "data/library.h"
#include "platform/filedialog.h"
#include "platform/msgbox.h"
#include "tools/databuilder.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QProgressDialog>

#include <thread>

TranslationImport::TranslationImport(QWidget* window) : QObject(window), m_window(window) {
    chooseFile = [this] { return askForFile(); };
}

QString TranslationImport::askForFile() {
    return platform::askForFile(m_window, QStringLiteral("Importo përkthimin"), QDir::homePath(),
                                QStringLiteral("Përkthime (*.txt *.xml);;Të gjithë skedarët (*)"),
                                platform::FileChoice::Open);
}

bool TranslationImport::placeholderShown(const data::Library& library) {
    return library.verseText({1, 1}) == databuilder::placeholderText();
}

std::optional<databuilder::ParallelText> TranslationImport::importBeside() {
    const QString file = chooseFile();
    if (file.isEmpty())
        return std::nullopt;
    try {
        const QByteArray content = databuilder::readWholeFile(file);
        const databuilder::TextKind kind = databuilder::kindOf(content);
        const bool arabic = kind == databuilder::TextKind::Arabic;
        databuilder::ParallelText t =
            databuilder::importParallel(Module1::parallelTextsPath(), file, content, kind,
                                        databuilder::languageOf(kind), databuilder::surahsOf(Module1::databasePath()));
        QString note = arabic ? QStringLiteral("Teksti arab „%1” u importua dhe shfaqet mbi çdo ajet.").arg(t.name)
                              : QStringLiteral("Përkthimi „%1” u importua dhe shfaqet nën çdo ajet.").arg(t.name);
        if (!t.emptyVerses.isEmpty())
            note += QStringLiteral(" Ajete pa tekst: %1.").arg(t.emptyVerses.join(QStringLiteral(", ")));
        platform::MsgBox(note, platform::Buttons::OK, QString(), platform::Icon::Information);
        return t;
    } catch (const databuilder::BuildError& e) {
        platform::MsgBox(e.cause() == databuilder::notATranslation() ? e.cause() : e.message(), platform::Buttons::OK,
                         QString(), platform::Icon::Warning);
        return std::nullopt;
    }
}

bool TranslationImport::run(data::Library& library) {
    const QString file = chooseFile();
    return !file.isEmpty() && run(library, file);
}

bool TranslationImport::run(data::Library& library, const QString& file) {
    // The file is read once and checked first, with the builder's own reader: a refused file changes nothing,
    // and the bytes the reader approves are the bytes imported, even if the file is replaced meanwhile.
    QByteArray content;
    databuilder::Translation t;
    try {
        content = databuilder::readWholeFile(file);
        t = databuilder::readTranslation(content, file, databuilder::surahsOf(Module1::databasePath()));
    } catch (const databuilder::BuildError& e) {
        // The reader has just chosen the file: a file of another kind is said in the one sentence, unnamed.
        platform::MsgBox(e.cause() == databuilder::notATranslation() ? e.cause() : e.message(), platform::Buttons::OK,
                         QString(), platform::Icon::Warning);
        return false;
    }
    int verses = 0;
    for (const QStringList& surah : t.verses)
        verses += int(surah.size());
    QString whose = t.translator.isEmpty() ? t.name : t.translator;
    QString question = QStringLiteral("Përkthimi %1 jep %2 ajete")
                           .arg(whose.isEmpty() ? QString() : u"nga " + whose)
                           .arg(verses)
                           .simplified();
    if (!t.emptyVerses.isEmpty())
        question += QStringLiteral(" (%1)").arg(databuilder::emptyVersesNote(t));
    question += QStringLiteral(".\n\nTa importoj në vend të përkthimit të tanishëm? Lexuesit, shënjuesit dhe "
                               "klasifikimi mbeten siç janë.");
    if (platform::MsgBox(question, platform::Buttons::YesNo, QString(), platform::Icon::Question) !=
        platform::Answer::Yes)
        return false;

    // The import runs on a thread of its own; the window waits for it in an event loop of its own, drawn, its
    // progress shown and the reader's input held back.
    QProgressDialog progress(QStringLiteral("Po importohet përkthimi..."), QString(), 0, 0, m_window);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    QString note;
    std::exception_ptr failure;
    QEventLoop waiting;
    std::thread worker([&] {
        try {
            note = Module1::importTranslation(file, content);
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&waiting, &QEventLoop::quit, Qt::QueuedConnection);
    });
    waiting.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    try {
        if (failure)
            std::rethrow_exception(failure);
    } catch (const databuilder::BuildError& e) {
        progress.close();
        platform::MsgBox(e.message(), platform::Buttons::OK, QString(), platform::Icon::Warning);
        return false;
    }
    progress.close();
    library.connection().Open(Module1::databasePath()); // the new file: the old one is gone from the folder
    platform::MsgBox(note.isEmpty() ? QStringLiteral("Përkthimi u importua.")
                                    : QStringLiteral("Përkthimi u importua. ") + note + u'.',
                     platform::Buttons::OK, QString(), platform::Icon::Information);
    return true;
}
