// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/navigation.h"

#include "data/library.h"
#include "platform/listcontrols.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace navigation {
namespace {

// Lower case without marks (ë, ç, â; the ʿ of transliterations): "Âl-i İmrân" is "al-i imran"; the separators stay.
QString plain(const QString& name) {
    QString out;
    for (const QChar ch : name.normalized(QString::NormalizationForm_D)) {
        if (ch.category() == QChar::Mark_NonSpacing || ch.category() == QChar::Letter_Modifier)
            continue;
        out += ch == QChar(0x131) ? QChar(u'i') : ch.toLower(); // the dotless ı of Turkish
    }
    return out;
}

// Only the letters and digits of a plain name.
QString folded(const QString& plainName) {
    QString out;
    for (const QChar ch : plainName)
        if (ch.isLetterOrNumber())
            out += ch;
    return out;
}

// One letter changed, missing or extra at most.
bool oneLetterAway(const QString& a, const QString& b) {
    if (a == b)
        return true;
    if (qAbs(a.size() - b.size()) > 1)
        return false;
    const QString& shorter = a.size() <= b.size() ? a : b;
    const QString& longer = a.size() <= b.size() ? b : a;
    qsizetype i = 0;
    while (i < shorter.size() && shorter[i] == longer[i])
        ++i;
    const qsizetype skip = shorter.size() == longer.size() ? 1 : 0; // the changed letter, or none of the shorter
    return QStringView(shorter).mid(i + skip) == QStringView(longer).mid(i + 1);
}

} // namespace

Verse parseTypedVerse(const QString& typed, const std::function<int(const QString&)>& surahNamed,
                      QString* unknownName) {
    static const QRegularExpression pattern(QStringLiteral("^\\s*(.*?)\\s*[:./\\-\\s]\\s*(\\d{1,3})\\s*$"));
    if (unknownName)
        unknownName->clear();
    const QRegularExpressionMatch m = pattern.match(typed);
    if (!m.hasMatch())
        return {};
    const QString first = m.captured(1);
    bool isNumber = false;
    int surah = first.toInt(&isNumber);
    if (!isNumber) {
        surah = first.isEmpty() ? 0 : surahNamed(first);
        if (surah <= 0 && unknownName)
            *unknownName = first.trimmed();
    }
    const int verse = m.captured(2).toInt();
    return surah > 0 && verse > 0 ? Verse{surah, verse} : Verse{};
}

QString unknownSurah(const QString& typed) {
    return QStringLiteral("Nuk e gjej suren „%1”").arg(typed.trimmed());
}

QList<QString> SurahNames::keys(const QString& name) {
    static const QRegularExpression article(
        QStringLiteral("^\\s*[ae](?:l|n|r|s|sh|t|th|z|d|dh)\\s*[-'’‘`\\s]\\s*(?=\\S)"));
    const QString p = plain(name);
    QList<QString> out{folded(p)};
    if (const QRegularExpressionMatch m = article.match(p); m.hasMatch())
        out.append(folded(p.mid(m.capturedLength())));
    return out;
}

SurahNames::SurahNames(const QList<QPair<int, QString>>& own, const QString& alternatives) {
    const auto add = [this](int number, const QString& name) {
        for (const QString& key : keys(name))
            if (!key.isEmpty() && !m_byKey[key].contains(number))
                m_byKey[key].append(number);
    };
    for (const auto& [number, name] : own) {
        add(number, name);
        m_own.append({number, folded(plain(name))});
    }
    for (const QString& line : alternatives.split(u'\n')) {
        if (line.startsWith(u'#'))
            continue;
        bool isNumber = false;
        const int number = line.section(u'\t', 0, 0).toInt(&isNumber);
        if (isNumber)
            for (const QString& name : line.section(u'\t', 1).split(u','))
                add(number, name);
    }
}

QString SurahNames::bundledAlternatives() {
    QFile file(QStringLiteral(":/facts/emrat.tsv"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

int SurahNames::find(const QString& typed) const {
    const QList<QString> forms = keys(typed);
    if (forms.constFirst().isEmpty())
        return 0;
    for (const QString& form : forms) // the name as typed first, then without its article
        if (const auto hit = m_byKey.constFind(form); hit != m_byKey.cend())
            return hit->constFirst();
    for (const auto& [number, name] : m_own)
        if (name.startsWith(forms.constFirst()))
            return number;
    QSet<int> near;
    for (auto it = m_byKey.cbegin(); it != m_byKey.cend(); ++it)
        if (it.key().size() >= 5)
            for (const QString& form : forms)
                if (oneLetterAway(form, it.key()))
                    near.unite(QSet<int>(it->cbegin(), it->cend()));
    return near.size() == 1 ? *near.cbegin() : 0;
}

SurahNames SurahNames::of(const data::Library& library) {
    QList<QPair<int, QString>> own;
    for (const data::Surah& s : library.surahsByName())
        own.append({s.number, s.name});
    return SurahNames(own, bundledAlternatives());
}

int chosenItem(const platform::ComboBox* list, Match match) {
    const QString typed = list->Text();
    const int selected = list->ListIndex();
    if (selected >= 0 && list->List(selected).compare(typed, Qt::CaseInsensitive) == 0)
        return selected;
    if (typed.isEmpty())
        return selected;
    for (int i = 0; i < list->ListCount(); ++i)
        if (list->List(i).compare(typed, Qt::CaseInsensitive) == 0)
            return i;
    if (match == Match::Prefix)
        for (int i = 0; i < list->ListCount(); ++i)
            if (list->List(i).startsWith(typed, Qt::CaseInsensitive))
                return i;
    return -1;
}

} // namespace navigation
