// SPDX-License-Identifier: GPL-3.0-or-later
#include "downloads/catalogue.h"

#include "app/paths.h"
#include "platform/settings.h"
#include "tools/parallel.h"
#include "tools/textinput.h"
#include "tools/translation.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace downloads {

namespace {

const QString kApp = QStringLiteral("Lib'rezi Drites");
const QString kSection = QStringLiteral("Shkarkimet");

QList<Source> readList() {
    QList<Source> list;
    QFile file(QStringLiteral(":/facts/shkarkimet.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return list;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList f = line.split(u'\t');
        if (f.size() < 4)
            continue;
        Source s;
        s.kind = f[0] == u"lexues" ? Kind::Reciter : f[0] == u"arabisht" ? Kind::Arabic : Kind::Translation;
        s.id = f[1];
        s.name = f[2];
        s.approxMb = f[3].toLongLong();
        list.append(s);
    }
    return list;
}

QString defaultTemplate(const char* key) {
    const QByteArray k(key);
    if (k == kTranslationAddress)
        return QStringLiteral("https://tanzil.net/trans/?transID=%1&type=txt-2");
    if (k == kArabicAddress)
        return QStringLiteral("https://tanzil.net/pub/download/index.php?quranType=%1&outType=txt-2&agree=true");
    return QStringLiteral("https://everyayah.com/data/%1/%2");
}

// The folder under the reader's data folder where fetched things of a kind live.
QString root(const char* name) {
    return Module1::userDataFolder() + u'/' + QLatin1String(name);
}

} // namespace

QList<Source> sources(Kind kind) {
    static const QList<Source> all = readList();
    QList<Source> of;
    for (const Source& s : all)
        if (s.kind == kind)
            of.append(s);
    return of;
}

Source source(Kind kind, const QString& id) {
    for (const Source& s : sources(kind))
        if (s.id == id)
            return s;
    return {};
}

QString addressTemplate(const char* key) {
    const QString stored = platform::GetSetting(kApp, kSection, QString::fromUtf8(key));
    return stored.contains(QStringLiteral("%1")) ? stored : defaultTemplate(key);
}

void setAddressTemplate(const char* key, const QString& value) {
    platform::SaveSetting(kApp, kSection, QString::fromUtf8(key), value);
}

QUrl translationUrl(const QString& id) {
    return QUrl(addressTemplate(kTranslationAddress).arg(id));
}

QUrl arabicUrl(const QString& id) {
    return QUrl(addressTemplate(kArabicAddress).arg(id));
}

QUrl recordingUrl(const QString& reciter, int surah, int verse) {
    const QString file =
        QStringLiteral("%1%2.mp3").arg(surah, 3, 10, QLatin1Char('0')).arg(verse, 3, 10, QLatin1Char('0'));
    return QUrl(addressTemplate(kRecordingAddress).arg(reciter, file));
}

QString reciterFolder(const QString& id) {
    return root("lexuesit") + u'/' + id;
}

QString fetchedReciter(const QString& folder) {
    const QString clean = QDir::cleanPath(folder);
    for (const Source& s : sources(Kind::Reciter))
        if (clean == QDir::cleanPath(reciterFolder(s.id)))
            return s.id;
    return {};
}

QString textFile(Kind kind, const QString& id) {
    return root("tekste") + u'/' + (kind == Kind::Arabic ? QStringLiteral("quran-") : QString()) + id +
           QStringLiteral(".txt");
}

QString textCheck(const QString& partPath) {
    try {
        databuilder::readTranslation(partPath, databuilder::surahsOf(Module1::databasePath()));
    } catch (const databuilder::BuildError& e) {
        return QStringLiteral("skedari nuk është teksti i plotë: ") + e.cause().section(u'\n', 0, 0);
    }
    return {};
}

int recordingsIn(const QString& folder) {
    static const QRegularExpression named(QStringLiteral("^\\d{6}\\.mp3$"));
    int n = 0;
    for (QDirIterator it(folder, QDir::Files); it.hasNext();)
        n += named.match(it.nextFileInfo().fileName()).hasMatch();
    return n;
}

QString translationTerms() {
    return QStringLiteral(
        "Përkthimet e Tanzil-it jepen vetëm për përdorim jotregtar. Të drejtat e përkthimit i ka përkthyesi "
        "(ose botuesi i tij): përkthimi nuk ndryshohet dhe nuk shitet. Kushtet e plota: https://tanzil.net/trans/");
}

QString credits() {
    QStringList parts;
    for (const Source& s : sources(Kind::Translation))
        if (QFileInfo::exists(textFile(Kind::Translation, s.id)))
            parts << QStringLiteral("Përkthimi i %1, nga Tanzil (https://tanzil.net/trans/). %2")
                         .arg(s.name, translationTerms());
    // The texts read beside the translation keep their notices (Tanzil's Quran text must carry its own); an Arabic
    // text fetched but not in the store is credited from its file.
    QStringList notices;
    try {
        for (const databuilder::ParallelText& t : databuilder::parallelTexts(Module1::parallelTextsPath()))
            if (!t.notice.isEmpty()) {
                notices << t.notice;
                parts
                    << QStringLiteral("„%1”, i lexuar pranë përkthimit, me shënimin e tij:\n%2").arg(t.name, t.notice);
            }
    } catch (const databuilder::BuildError&) { // a store that cannot be read: the files below still credit
    }
    for (const Source& s : sources(Kind::Arabic)) {
        const QString file = textFile(Kind::Arabic, s.id);
        if (!QFileInfo::exists(file))
            continue;
        QString notice;
        try {
            notice = databuilder::noticeOf(databuilder::readWholeFile(file));
        } catch (const databuilder::BuildError&) { // unreadable now: credited without its notice
        }
        if (notice.isEmpty() || !notices.contains(notice))
            parts << QStringLiteral("%1, nga Tanzil (https://tanzil.net), me shënimin e tij:\n%2").arg(s.name, notice);
    }
    QStringList reciters;
    for (const Source& s : sources(Kind::Reciter))
        if (recordingsIn(reciterFolder(s.id)) > 0)
            reciters << s.name;
    if (!reciters.isEmpty())
        parts << QStringLiteral("Regjistrimet e %1, nga EveryAyah (https://everyayah.com), për dëgjim personal.")
                     .arg(reciters.join(QStringLiteral(", ")));
    return parts.join(QStringLiteral("\n\n"));
}

} // namespace downloads
