// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/besidetexts.h"

#include "platform/settings.h"
#include "search/history.h"
#include "tools/parallel.h"

namespace besidetexts {

namespace {

const QString kSection = QStringLiteral("Tekstet");
const QString kArabic = QStringLiteral("TekstiArab");
const QString kTranslations = QStringLiteral("Përkthimet");
const QString kArabicSize = QStringLiteral("MadhësiaArabe");

QString get(const QString& key) {
    return platform::GetSetting(history::appName(), kSection, key);
}

} // namespace

Choice load() {
    Choice c;
    c.arabic = get(kArabic) == QLatin1String("1");
    c.translations = get(kTranslations).split(u'|', Qt::SkipEmptyParts);
    bool whole = false;
    const int points = get(kArabicSize).toInt(&whole);
    if (whole && points >= kSmallestArabic && points <= kLargestArabic)
        c.arabicPoints = points;
    return c;
}

bool save(const Choice& c) {
    return platform::SaveSettings(history::appName(), kSection,
                                  {{kArabic, c.arabic ? QStringLiteral("1") : QStringLiteral("0")},
                                   {kTranslations, c.translations.join(u'|')},
                                   {kArabicSize, QString::number(c.arabicPoints)}},
                                  {});
}

QList<text::ShownText> read(const QString& store, const Choice& c) {
    QList<text::ShownText> shown;
    if (!c.arabic && c.translations.isEmpty())
        return shown;
    bool arabicTaken = false;
    for (const databuilder::ParallelText& t : databuilder::parallelTexts(store)) {
        const bool arabic = t.kind == databuilder::TextKind::Arabic;
        if (arabic ? !c.arabic || arabicTaken : !c.translations.contains(t.name))
            continue;
        arabicTaken = arabicTaken || arabic;
        text::ShownText s{arabic ? QString() : text::shortName(t.name), arabic,
                          databuilder::parallelVerses(store, t.id)};
        if (arabic)
            shown.prepend(std::move(s));
        else
            shown.append(std::move(s));
    }
    return shown;
}

qint64 arabicText(const QString& store) {
    for (const databuilder::ParallelText& t : databuilder::parallelTexts(store))
        if (t.kind == databuilder::TextKind::Arabic)
            return t.id;
    return 0;
}

QFont arabicFont(int points) {
    QFont f{QString::fromLatin1(kArabicFace)};
    f.setPointSize(points);
    return f;
}

} // namespace besidetexts
