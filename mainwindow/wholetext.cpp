// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/wholetext.h"

#include "app/paths.h"
#include "data/library.h"
#include "data/schema.h"
#include "platform/rtffill.h"
#include "platform/textfile.h"
#include "text/wholetext.h"

#include <QFile>
#include <QThread>

#include <future>

namespace wholetext {

namespace {

// A file read and parsed, with what the checks need of its bytes; no database is asked.
struct Parsed {
    bool readable = false;
    QString identity;
    platform::rtf::Document document;
    text::VerseIndex index;
    std::unique_ptr<QTextDocument> filled;
};

// A file read and parsed; with `fillFor`, its text document is filled too, as it is parsed, and handed to that
// thread. No database is asked.
Parsed readAndParse(const QString& path, QThread* fillFor = nullptr) {
    Parsed p;
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    // An empty file or one of another kind would leave the reader before a blank or garbled page.
    p.readable = !bytes.isEmpty() && file.error() == QFileDevice::NoError && platform::rtfStart(bytes) >= 0;
    if (!p.readable)
        return p;
    p.identity = platform::importIdentity(bytes);
    if (!fillFor) {
        p.document = platform::rtf::parse(bytes);
    } else {
        // A text document may be filled on any thread; it is laid out and shown on the window's.
        p.filled = std::make_unique<QTextDocument>();
        p.document = platform::rtf::parseAndFill(bytes, p.filled.get());
        p.filled->moveToThread(fillFor);
    }
    p.index = text::indexOf(p.document);
    return p;
}

QString g_aheadPath;
std::future<Parsed> g_ahead;

} // namespace

void readAhead(const QString& path) {
    g_aheadPath = path;
    g_ahead = std::async(std::launch::async,
                         [path, window = QThread::currentThread()] { return readAndParse(path, window); });
}

Reading read(const data::Library& library, const QString& path) {
    Reading r;
    // What the file is checked against is asked for first: a file read ahead may still be on its way meanwhile.
    QString recorded; // a database that records no import (or has no table for it) is not compared
    try {
        recorded = library.fact(QString::fromLatin1(schema::kMetaImport)).value_or(QString());
    } catch (const platform::DbError&) {
    }
    const QList<text::Verse> verses = library.verses();

    // What was read ahead is taken once, for the file it was read from.
    Parsed parsed = g_ahead.valid() && g_aheadPath == path ? g_ahead.get() : readAndParse(path);
    if (g_ahead.valid())
        g_ahead.get(); // read ahead for another file: not used
    if (!parsed.readable) {
        r.fault = QStringLiteral("teksti i plotë mungon ose nuk mund të lexohet");
        return r;
    }
    if (!parsed.identity.isEmpty() && !recorded.isEmpty() && recorded != parsed.identity) {
        r.fault = Module1::twoImportsCause(library.connection());
        return r;
    }
    r.document = std::move(parsed.document);
    r.index = std::move(parsed.index);
    r.filled = std::move(parsed.filled);
    if (const text::Verse missing = text::firstMissingVerse(r.index, verses); missing.isValid())
        r.fault = QStringLiteral("teksti i plotë është i paplotë: mungon ajeti %1").arg(missing.text());
    return r;
}

} // namespace wholetext
