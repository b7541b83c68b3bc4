// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/wholetext.h"

#include "app/module1.h"
#include "data/schema.h"
#include "mainwindow/navigation.h"
#include "platform/textfile.h"

#include <QFile>
#include <QThread>

#include <future>

namespace wholetext {

QString firstMissingVerse(const QString& plainText, const QList<QPair<int, int>>& keys) {
    qsizetype next = 0;
    for (qsizetype start = 0; start <= plainText.size() && next < keys.size();) {
        qsizetype end = plainText.indexOf(u'\n', start);
        if (end < 0)
            end = plainText.size();
        const navigation::Verse v = navigation::verseOfLine(QStringView(plainText).sliced(start, end - start));
        if (v.surah == keys[next].first && v.verse == keys[next].second)
            ++next;
        start = end + 1;
    }
    return next < keys.size() ? QStringLiteral("%1:%2").arg(keys[next].first).arg(keys[next].second) : QString();
}

namespace {

// A file read and parsed, with what the checks need of its bytes; no database is asked.
struct Parsed {
    bool readable = false;
    QString identity;
    platform::rtf::Document document;
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
        return p;
    }
    // A text document may be filled on any thread; it is laid out and shown on the window's.
    p.filled = std::make_unique<QTextDocument>();
    p.document = platform::rtf::parseAndFill(bytes, p.filled.get());
    p.filled->moveToThread(fillFor);
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

Reading read(const QString& path) {
    Reading r;
    // What the file is checked against is asked for first: a file read ahead may still be on its way meanwhile.
    QString recorded; // a database that records no import (or has no table for it) is not compared
    try {
        recorded = Module1::cnLidhja
                       .value(QStringLiteral("SELECT Vlera FROM Te_dhenat WHERE Celesi = ?"),
                              {QString::fromLatin1(schema::kMetaImport)})
                       .toString();
    } catch (const platform::DbError&) {
    }
    QList<QPair<int, int>> keys;
    for (platform::Statement st =
             Module1::cnLidhja.query(QStringLiteral("SELECT NrSure, NrAjet FROM librezi ORDER BY NrSure, NrAjet"));
         st.next();)
        keys.append({int(st.integer(0)), int(st.integer(1))});

    // What was read ahead is taken once, for the file it was read from.
    Parsed parsed = g_ahead.valid() && g_aheadPath == path ? g_ahead.get() : readAndParse(path);
    if (g_ahead.valid())
        g_ahead.get(); // read ahead for another file: not used
    if (!parsed.readable) {
        r.fault = QStringLiteral("teksti i plotë mungon ose nuk mund të lexohet");
        return r;
    }
    if (!parsed.identity.isEmpty() && !recorded.isEmpty() && recorded != parsed.identity) {
        r.fault = Module1::twoImportsCause();
        return r;
    }
    r.document = std::move(parsed.document);
    r.filled = std::move(parsed.filled);
    const QString missing = firstMissingVerse(r.document.plainText(), keys);
    if (!missing.isEmpty())
        r.fault = QStringLiteral("teksti i plotë është i paplotë: mungon ajeti %1").arg(missing);
    return r;
}

} // namespace wholetext
