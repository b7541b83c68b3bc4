#include "mainwindow/wholetext.h"

#include "app/module1.h"
#include "data/schema.h"
#include "mainwindow/navigation.h"
#include "platform/textfile.h"

#include <QFile>

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

Reading read(const QString& path) {
    Reading r;
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    // An empty file or one of another kind would leave the reader before a blank or garbled page.
    if (bytes.isEmpty() || file.error() != QFileDevice::NoError || platform::rtfStart(bytes) < 0) {
        r.fault = QStringLiteral("teksti i plotë mungon ose nuk mund të lexohet");
        return r;
    }
    const QString identity = platform::importIdentity(bytes);
    if (!identity.isEmpty()) {
        QString recorded; // a database that records none (or has no table for it) is not compared
        try {
            recorded = Module1::cnLidhja
                           .value(QStringLiteral("SELECT Vlera FROM Te_dhenat WHERE Celesi = ?"),
                                  {QString::fromLatin1(schema::kMetaImport)})
                           .toString();
        } catch (const platform::DbError&) {
        }
        if (!recorded.isEmpty() && recorded != identity) {
            r.fault =
                QStringLiteral("teksti i plotë dhe baza e të dhënave vijnë nga dy importe të ndryshme (një import "
                               "u ndërpre); përsëriteni importin");
            return r;
        }
    }
    r.document = platform::rtf::parse(bytes);
    QList<QPair<int, int>> keys;
    for (platform::Statement st =
             Module1::cnLidhja.query(QStringLiteral("SELECT NrSure, NrAjet FROM librezi ORDER BY NrSure, NrAjet"));
         st.next();)
        keys.append({int(st.integer(0)), int(st.integer(1))});
    const QString missing = firstMissingVerse(r.document.plainText(), keys);
    if (!missing.isEmpty())
        r.fault = QStringLiteral("teksti i plotë është i paplotë: mungon ajeti %1").arg(missing);
    return r;
}

} // namespace wholetext
