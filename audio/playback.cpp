// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/playback.h"

#include "app/module1.h"
#include "audio/player.h"
#include "data/library.h"
#include "platform/mediaplayer.h"
#include "platform/msgbox.h"
#include "platform/settings.h"

#include <QDir>
#include <QFileInfo>

namespace audio {

namespace {

const QString kBackslash = QStringLiteral("\\");
const QString kNetworkPrefix = QStringLiteral("\\\\");

bool startsWithDrive(const QString& folder) {
    return folder.size() >= 2 && folder[0].isLetter() && folder[0].unicode() < 128 && folder[1] == u':';
}

} // namespace

QString threeDigits(const QString& text) {
    bool ok = false;
    const qlonglong n = text.trimmed().toLongLong(&ok);
    if (!ok)
        return text;
    return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
}

bool hasFolder(const QString& folder) {
    return !folder.trimmed().isEmpty();
}

QString resolveFolder(const QString& folder) {
    if (folder.startsWith(u'/') || folder.startsWith(u'\\') || startsWithDrive(folder))
        return folder;
    return Module1::reciterFolder(folder);
}

QString verseAudioPath(const QString& folder, const QString& surah, const QString& verse) {
    QString path =
        resolveFolder(folder) + kBackslash + threeDigits(surah) + threeDigits(verse) + QStringLiteral(".mp3");
    // Doubled separators are collapsed, pair by pair from the left; a network path keeps its "\\".
    const bool network = path.startsWith(kNetworkPrefix);
    if (network)
        path.remove(0, 2);
    path.replace(kNetworkPrefix, kBackslash);
    if (network)
        path.prepend(kNetworkPrefix);
    return path;
}

QString surahAudioPath(const QString& folder, const QString& surah) {
    return resolveFolder(folder) + u'/' + threeDigits(surah) + QStringLiteral(".mp3");
}

Playback::Playback(Player& player, const data::Library& library, QObject* parent)
    : QObject(parent), m_player(&player), m_library(library) {
    connect(m_player, &Player::EndOfStream, this, &Playback::WindowsMediaPlayer1_EndOfStream);
    connect(m_player, &Player::nextStarted, this, &Playback::onNextStarted);
}

namespace {
const QString kNoReciter = QStringLiteral("Nuk është zgjedhur asnjë lexues");
}

namespace {
const QString kSection = QStringLiteral("Leximi");
}

Repeat loadRepeat() {
    Repeat r;
    auto number = [](const QString& key, int fallback) {
        bool ok = false;
        const int n = platform::GetSetting(QStringLiteral("Lib'rezi Drites"), kSection, key).toInt(&ok);
        return ok ? n : fallback;
    };
    r.times = qMax(0, number(QStringLiteral("Herë"), 1));
    r.loop = number(QStringLiteral("Vargu"), 0) == 1;
    r.from = number(QStringLiteral("Nga"), 1);
    r.to = number(QStringLiteral("Deri"), 1);
    return r;
}

bool saveRepeat(const Repeat& r) {
    return platform::SaveSettings(QStringLiteral("Lib'rezi Drites"), kSection,
                                  {{QStringLiteral("Herë"), QString::number(r.times)},
                                   {QStringLiteral("Vargu"), r.loop ? QStringLiteral("1") : QStringLiteral("0")},
                                   {QStringLiteral("Nga"), QString::number(r.from)},
                                   {QStringLiteral("Deri"), QString::number(r.to)}},
                                  {});
}

QString Playback::missingText(int surah, int verse) const {
    const data::ReciterKind kind = verse > 0 ? data::ReciterKind::Verses : data::ReciterKind::Surahs;
    const QString folder = verse > 0 ? Module1::strLokacioniAjeteve : Module1::strLokacioniSureve;
    QString reciter;
    try {
        if (const std::optional<data::Reciter> r = m_library.defaultReciter(kind))
            reciter = r->name;
    } catch (const platform::DbError&) {
    }
    const QString what =
        verse > 0 ? QStringLiteral("Ajeti %1:%2").arg(surah).arg(verse) : QStringLiteral("Sureja %1").arg(surah);
    return QStringLiteral("%1 nuk ka regjistrim te lexuesi „%2” (dosja %3).")
        .arg(what, reciter, QDir::toNativeSeparators(platform::MediaPlayer::localPath(resolveFolder(folder))));
}

void Playback::FuncPlayAjet(const QString& strNrSure, const QString& strNrAjet) {
    endSeries();
    if (!hasFolder(Module1::strLokacioniAjeteve)) {
        m_player->showStatus(kNoReciter);
        return;
    }
    const QString path = verseAudioPath(Module1::strLokacioniAjeteve, strNrSure, strNrAjet);
    m_player->setURL(path);
    if (!QFileInfo(platform::MediaPlayer::localPath(path)).isFile() && m_player->started())
        m_player->showStatus(missingText(strNrSure.toInt(), qMax(1, strNrAjet.toInt())));
}

void Playback::FuncPlaySure(const QString& strNrSure) {
    endSeries();
    if (!hasFolder(Module1::strLokacioniSureve)) {
        m_player->showStatus(kNoReciter);
        return;
    }
    const QString path = surahAudioPath(Module1::strLokacioniSureve, strNrSure);
    m_player->setURL(path);
    if (!QFileInfo(platform::MediaPlayer::localPath(path)).isFile() && m_player->started())
        m_player->showStatus(missingText(strNrSure.toInt(), 0));
}

QString Playback::recordingOf(int verse) const {
    return platform::MediaPlayer::localPath(
        verseAudioPath(Module1::strLokacioniAjeteve, QString::number(m_series.surah), QString::number(verse)));
}

QPair<int, int> Playback::following(int verse, int heard) {
    for (int steps = 0; steps <= m_series.last - m_series.first + 1; ++steps) {
        if (verse > 0 && (m_repeat.times == 0 || heard < m_repeat.times)) {
            if (QFileInfo(recordingOf(verse)).isFile())
                return {verse, heard + 1}; // the same verse once more
            if (!m_series.skipped.contains(verse))
                m_series.skipped.append(verse);
        }
        verse = verse <= 0 ? m_series.verse : verse + 1;
        heard = 0;
        if (verse > m_series.last) {
            if (!m_repeat.loop)
                break;
            verse = m_series.first;
        }
    }
    return {0, 0};
}

// After the player was given its file: a line of its own would clear the line said before.
void Playback::saySkipped() {
    for (; m_series.said < m_series.skipped.size(); ++m_series.said)
        m_player->showStatus(missingText(m_series.surah, m_series.skipped[m_series.said]) +
                             QStringLiteral(" U kapërcye."));
}

void Playback::startSeries(int surah, int verse) {
    endSeries();
    if (!hasFolder(Module1::strLokacioniAjeteve)) {
        m_player->showStatus(kNoReciter);
        return;
    }
    const int count = m_library.surah(surah).value_or(data::Surah{}).verses;
    if (count <= 0)
        return;
    const bool range = m_repeat.loop && m_repeat.from >= 1 && m_repeat.from <= m_repeat.to && m_repeat.to <= count;
    m_series = {};
    m_series.surah = surah;
    m_series.first = range ? m_repeat.from : 1;
    m_series.last = range ? m_repeat.to : count;
    // The first verse heard: the one asked for (the range's first when it lies outside the range).
    m_series.verse = range && (verse < m_series.first || verse > m_series.last) ? m_series.first : qMax(1, verse);
    m_player->showStatus(QString());
    const QPair<int, int> first = following(m_series.verse, m_repeat.times == 0 ? -1 : 0);
    if (first.first == 0) {
        saySkipped();
        m_series = {};
        return;
    }
    m_series.verse = first.first;
    m_series.heard = 1;
    m_player->setURL(recordingOf(m_series.verse));
    saySkipped();
    Q_EMIT reciting(m_series.surah, m_series.verse);
    queueFollowing();
}

void Playback::queueFollowing() {
    const QPair<int, int> next = following(m_series.verse, m_series.heard);
    m_series.next = next.first;
    m_series.nextHeard = next.second;
    m_player->queue(next.first > 0 ? recordingOf(next.first) : QString());
    saySkipped();
}

// The queued verse is the one heard now, whatever has become of the recordings since it was queued.
void Playback::onNextStarted() {
    if (!inSeries())
        return;
    m_series.verse = m_series.next;
    m_series.heard = m_series.nextHeard;
    Q_EMIT reciting(m_series.surah, m_series.verse);
    queueFollowing();
}

void Playback::endSeries() {
    if (!inSeries())
        return;
    m_series = {};
    m_player->queue(QString());
}

void Playback::mnuPauzoje_Click() {
    m_player->pause();
}

void Playback::mnuVazhdo_Click() {
    m_player->play();
}

void Playback::WindowsMediaPlayer1_EndOfStream(int Result) {
    m_series = {}; // a series ends here, once
    platform::MsgBox(QStringLiteral("Fund    ") + QString::number(Result), platform::Buttons::OK, QString());
}

} // namespace audio
