// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/place.h"

#include "platform/settings.h"
#include "prefs/fonts.h"
#include "search/history.h"

#include <algorithm>

namespace place {

namespace {

const QString kPlace = QStringLiteral("Vendi i leximit");
const QString kVerse = QStringLiteral("Ajeti");
const QString kFace = QStringLiteral("Shkronjat");
const QString kSize = QStringLiteral("Madhësia");
const QString kGeometry = QStringLiteral("Dritarja");
const QString kBookmarks = QStringLiteral("Shënjuesit");
const QString kBookmarkList = QStringLiteral("Ajetet");
const QString kSearch = QStringLiteral("Kërkimi");
const QString kLoose = QStringLiteral("Pa dallim shkronjash"); // ë as e, ç as c

QString get(const QString& section, const QString& key) {
    return platform::GetSetting(history::appName(), section, key);
}

navigation::Verse parse(const QString& key) {
    return text::Verse::fromText(key);
}

} // namespace

Place load() {
    Place p;
    p.verse = parse(get(kPlace, kVerse));
    p.face = get(kPlace, kFace);
    p.size = listedSize(get(kPlace, kSize));
    p.geometry = QByteArray::fromBase64(get(kPlace, kGeometry).toLatin1());
    return p;
}

bool save(const Place& p) {
    return platform::SaveSettings(history::appName(), kPlace,
                                  {{kVerse, p.verse.isValid() ? p.verse.text() : QString()},
                                   {kFace, p.face},
                                   {kSize, listedSize(p.size)},
                                   {kGeometry, QString::fromLatin1(p.geometry.toBase64())}},
                                  {});
}

QString listedSize(const QString& size) {
    bool whole = false;
    const int points = size.trimmed().toInt(&whole);
    return whole && points >= kSmallestTextSize && points <= kLargestTextSize ? QString::number(points) : QString();
}

bool looseSearch() {
    return get(kSearch, kLoose) == QLatin1String("1");
}

bool saveLooseSearch(bool loose) {
    return platform::SaveSettings(history::appName(), kSearch,
                                  {{kLoose, loose ? QStringLiteral("1") : QStringLiteral("0")}}, {});
}

QList<navigation::Verse> loadBookmarks() {
    QList<navigation::Verse> verses;
    for (const QString& key : get(kBookmarks, kBookmarkList).split(u',', Qt::SkipEmptyParts))
        if (const navigation::Verse v = parse(key); v.isValid())
            verses.append(v);
    std::sort(verses.begin(), verses.end());
    verses.erase(std::unique(verses.begin(), verses.end()), verses.end());
    return verses;
}

bool saveBookmarks(const QList<navigation::Verse>& verses) {
    QStringList keys;
    for (const navigation::Verse& v : verses)
        keys.append(v.text());
    return platform::SaveSettings(history::appName(), kBookmarks, {{kBookmarkList, keys.join(u',')}}, {});
}

} // namespace place
