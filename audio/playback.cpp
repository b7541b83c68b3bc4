// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/playback.h"

#include "app/module1.h"
#include "audio/player.h"
#include "audio/supply.h"
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
    connect(m_player, &Player::stopped, this, &Playback::onStopped);
}

namespace {
QString comingText(int surah, int verse) {
    return QStringLiteral("Po merret regjistrimi i ajetit %1:%2 nga interneti...").arg(surah).arg(verse);
}
QString lostText(int surah, int verse, const QString& cause) {
    return QStringLiteral("Regjistrimi i ajetit %1:%2 nuk u mor: %3.").arg(surah).arg(verse).arg(cause);
}
} // namespace

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

QString Playback::reciterName(bool verses) const {
    try {
        if (const std::optional<data::Reciter> r =
                m_library.defaultReciter(verses ? data::ReciterKind::Verses : data::ReciterKind::Surahs))
            return r->name;
    } catch (const platform::DbError&) {
    }
    return {};
}

namespace {

QString folderText(const QString& folder) {
    return QDir::toNativeSeparators(platform::MediaPlayer::localPath(resolveFolder(folder)));
}

// What the strip names while a file is heard: "Jasin 36:12, Aziz Alili", or "Jasin, Aziz Alili" for a surah.
QString heardText(const QString& name, int surah, int verse, const QString& reciter) {
    QString text = name.isEmpty() ? QString::number(surah) : name;
    if (verse > 0)
        text = (name.isEmpty() ? QString() : text + u' ') + QStringLiteral("%1:%2").arg(surah).arg(verse);
    return reciter.isEmpty() ? text : text + QStringLiteral(", ") + reciter;
}

QString surahName(const data::Library& library, int surah) {
    try {
        return library.surah(surah).value_or(data::Surah{}).name;
    } catch (const platform::DbError&) {
        return {};
    }
}

// "36:3, 36:5, 36:6, 36:9–36:83": the verses in the order given, a run of three or more as a span.
QString verseList(int surah, const QList<int>& verses) {
    auto key = [surah](int verse) { return QStringLiteral("%1:%2").arg(surah).arg(verse); };
    QStringList parts;
    for (qsizetype i = 0, j = 0; i < verses.size(); i = j + 1) {
        for (j = i; j + 1 < verses.size() && verses[j + 1] == verses[j] + 1;)
            ++j;
        if (j - i >= 2)
            parts << key(verses[i]) + QStringLiteral("–") + key(verses[j]);
        else
            for (qsizetype k = i; k <= j; ++k)
                parts << key(verses[k]);
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace

QString Playback::missingText(int surah, int verse) const {
    const QString what =
        verse > 0 ? QStringLiteral("Ajeti %1:%2").arg(surah).arg(verse) : QStringLiteral("Sureja %1").arg(surah);
    return QStringLiteral("%1 nuk ka regjistrim te lexuesi „%2” (dosja %3).")
        .arg(what, reciterName(verse > 0),
             folderText(verse > 0 ? Module1::strLokacioniAjeteve : Module1::strLokacioniSureve));
}

QString Playback::missingText(int surah, const QList<int>& verses) const {
    if (verses.size() == 1)
        return missingText(surah, verses[0]) + QStringLiteral(" U kapërcye.");
    return QStringLiteral("Ajetet %1 nuk kanë regjistrim te lexuesi „%2” (dosja %3). U kapërcyen.")
        .arg(verseList(surah, verses), reciterName(true), folderText(Module1::strLokacioniAjeteve));
}

void Playback::setSupply(Supply* supply) {
    if (m_supply)
        m_supply->disconnect(this);
    m_supply = supply;
    if (supply) {
        connect(supply, &Supply::arrived, this, &Playback::onArrived);
        connect(supply, &Supply::lost, this, &Playback::onLost);
    }
}

int Playback::surahLength(int surah) const {
    try {
        return m_library.surah(surah).value_or(data::Surah{}).verses;
    } catch (const platform::DbError&) {
        return 0;
    }
}

void Playback::FuncPlayAjet(const QString& strNrSure, const QString& strNrAjet) {
    endSeries();
    m_single = {};
    if (!hasFolder(Module1::strLokacioniAjeteve)) {
        m_player->showStatus(kNoReciter);
        return;
    }
    const QString path = verseAudioPath(Module1::strLokacioniAjeteve, strNrSure, strNrAjet);
    const int surah = strNrSure.toInt(), verse = qMax(1, strNrAjet.toInt());
    if (m_supply) { // the verse and the rest of its surah are asked for, ahead of the reading
        m_supply->want(surah, verse, qMax(verse, surahLength(surah)));
        if (!QFileInfo(platform::MediaPlayer::localPath(path)).isFile() && m_supply->brings(surah, verse)) {
            m_single = {surah, verse};
            m_player->showStatus(comingText(surah, verse));
            return;
        }
    }
    playFile(path, surah, verse);
}

void Playback::FuncPlaySure(const QString& strNrSure) {
    endSeries();
    m_single = {};
    if (!hasFolder(Module1::strLokacioniSureve)) {
        m_player->showStatus(kNoReciter);
        return;
    }
    playFile(surahAudioPath(Module1::strLokacioniSureve, strNrSure), strNrSure.toInt(), 0);
}

// The file of a verse (or, with verse 0, of a surah) given to the player: named on the strip while it is heard, or
// said to be missing.
void Playback::playFile(const QString& path, int surah, int verse) {
    m_player->setURL(path);
    const bool there = QFileInfo(platform::MediaPlayer::localPath(path)).isFile();
    if (!there && m_player->started())
        m_player->showStatus(missingText(surah, verse));
    m_player->showPlaying(there && m_player->started()
                              ? heardText(surahName(m_library, surah), surah, verse, reciterName(verse > 0))
                              : QString());
}

QString Playback::recordingOf(int verse) const {
    return platform::MediaPlayer::localPath(
        verseAudioPath(Module1::strLokacioniAjeteve, QString::number(m_series.surah), QString::number(verse)));
}

bool Playback::onDisk(int verse) const {
    return QFileInfo(recordingOf(verse)).isFile();
}

bool Playback::available(int verse) const {
    return onDisk(verse) || (m_supply && m_supply->brings(m_series.surah, verse));
}

QPair<int, int> Playback::following(int verse, int heard, QList<int>& gap) const {
    for (int steps = 0; steps <= m_series.last - m_series.first + 1; ++steps) {
        if (verse > 0 && (m_repeat.times == 0 || heard < m_repeat.times)) {
            if (available(verse))
                return {verse, heard + 1}; // the same verse once more
            if (!gap.contains(verse))
                gap.append(verse);
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

void Playback::say(const QString& first, const QList<int>& gap) {
    QList<int> fresh;
    QStringList lines;
    if (!first.isEmpty())
        lines << first;
    for (int verse : gap)
        if (!m_series.named.contains(verse)) {
            m_series.named << verse;
            // A recording that could not be fetched is said with its cause.
            if (const QString cause = m_supply ? m_supply->cause(m_series.surah, verse) : QString(); !cause.isEmpty())
                lines << lostText(m_series.surah, verse, cause) + QStringLiteral(" U kapërcye.");
            else
                fresh << verse;
        }
    if (!fresh.isEmpty())
        lines << missingText(m_series.surah, fresh);
    if (!lines.isEmpty())
        m_player->showStatus(lines.join(u'\n'));
}

// "" when the folder holds at least half of the verses from the first heard to the series' last.
QString Playback::shortageText(int count) const {
    int recorded = 0, ahead = 0;
    for (int verse = 1; verse <= count; ++verse) {
        const bool there = available(verse);
        recorded += there;
        ahead += there && verse >= m_series.verse && verse <= m_series.last;
    }
    if (2 * ahead >= m_series.last - m_series.verse + 1)
        return {};
    return QStringLiteral("Lexuesi „%1” ka %2 nga %3 ajetet e sures %4")
        .arg(m_series.reciter, QString::number(recorded), QString::number(count), m_series.name);
}

void Playback::startSeries(int surah, int verse) {
    endSeries();
    m_single = {};
    if (!hasFolder(Module1::strLokacioniAjeteve)) {
        m_player->showStatus(kNoReciter);
        return;
    }
    const data::Surah info = m_library.surah(surah).value_or(data::Surah{});
    if (info.verses <= 0)
        return;
    const bool range =
        m_repeat.loop && m_repeat.from >= 1 && m_repeat.from <= m_repeat.to && m_repeat.to <= info.verses;
    m_series = {};
    m_series.surah = surah;
    m_series.name = info.name;
    m_series.reciter = reciterName(true);
    m_series.first = range ? m_repeat.from : 1;
    m_series.last = range ? m_repeat.to : info.verses;
    // The first verse heard: the one asked for (the range's first when it lies outside the range).
    m_series.verse = range && (verse < m_series.first || verse > m_series.last) ? m_series.first : qMax(1, verse);
    m_player->showStatus(QString());
    if (m_supply) { // from the first verse heard to the series' end, then the range's verses before it
        m_supply->want(surah, m_series.verse, m_series.last);
        if (m_series.verse > m_series.first)
            m_supply->want(surah, m_series.first, m_series.verse - 1);
    }
    const QString shortage = shortageText(info.verses);
    QList<int> gap;
    const QPair<int, int> first = following(m_series.verse, m_repeat.times == 0 ? -1 : 0, gap);
    if (first.first == 0) {
        say(shortage, gap);
        m_series = {};
        return;
    }
    begin(first.first, 1, shortage, gap);
}

void Playback::begin(int verse, int heard, const QString& first, const QList<int>& gap) {
    if (!onDisk(verse)) {
        m_series.waiting = verse;
        m_series.waitingHeard = heard;
        m_series.next = 0; // nothing is queued while a verse is awaited
        m_series.nextComing = false;
        m_series.gap.clear();
        m_player->showPlaying(QString());
        say(first.isEmpty() ? comingText(m_series.surah, verse) : first + u'\n' + comingText(m_series.surah, verse),
            gap);
        return;
    }
    m_series.waiting = 0;
    m_series.verse = verse;
    m_series.heard = heard;
    m_player->setURL(recordingOf(verse));
    say(first, gap);
    m_player->showPlaying(heardText(m_series.name, m_series.surah, m_series.verse, m_series.reciter));
    Q_EMIT reciting(m_series.surah, m_series.verse);
    queueFollowing();
}

void Playback::queueFollowing() {
    m_series.gap.clear();
    const QPair<int, int> next = following(m_series.verse, m_series.heard, m_series.gap);
    m_series.next = next.first;
    m_series.nextHeard = next.second;
    m_series.nextComing = next.first > 0 && !onDisk(next.first);
    m_player->queue(next.first > 0 && !m_series.nextComing ? recordingOf(next.first) : QString());
}

// A recording asked for has come: the verse awaited is heard now, the next one is queued.
void Playback::onArrived(int surah, int verse) {
    if (m_single == QPair<int, int>(surah, verse)) {
        m_single = {};
        playFile(verseAudioPath(Module1::strLokacioniAjeteve, QString::number(surah), QString::number(verse)), surah,
                 verse);
        return;
    }
    if (!inSeries() || surah != m_series.surah)
        return;
    if (m_series.waiting == verse)
        begin(verse, m_series.waitingHeard, QString(), {});
    else if (m_series.nextComing && m_series.next == verse) {
        m_series.nextComing = false;
        m_player->queue(recordingOf(verse));
    }
}

// A recording asked for will not come: the series goes on past it, and says so with its cause when it reaches it.
void Playback::onLost(int surah, int verse, const QString& cause) {
    if (m_single == QPair<int, int>(surah, verse)) {
        m_single = {};
        m_player->showStatus(lostText(surah, verse, cause));
        return;
    }
    if (!inSeries() || surah != m_series.surah)
        return;
    if (m_series.nextComing && m_series.next == verse) {
        queueFollowing();
        return;
    }
    if (m_series.waiting != verse)
        return;
    QList<int> gap;
    const QPair<int, int> next = following(verse, 0, gap);
    if (next.first > 0) {
        begin(next.first, next.second, QString(), gap);
        return;
    }
    say(QString(), gap);
    WindowsMediaPlayer1_EndOfStream(0);
}

// The queued verse is the one heard now, whatever has become of the recordings since it was queued; the verses
// passed over on the way to it are said now that the series reached them.
void Playback::onNextStarted() {
    if (!inSeries())
        return;
    m_series.verse = m_series.next;
    m_series.heard = m_series.nextHeard;
    m_player->showPlaying(heardText(m_series.name, m_series.surah, m_series.verse, m_series.reciter));
    say(QString(), m_series.gap);
    Q_EMIT reciting(m_series.surah, m_series.verse);
    queueFollowing();
}

void Playback::endSeries() {
    if (!inSeries())
        return;
    m_series = {};
    m_player->queue(QString());
}

void Playback::stopSeries() {
    m_single = {};
    if (!inSeries())
        return;
    m_series = {};
    m_player->stop();
    m_player->showPlaying(QString());
    m_player->showStatus(QStringLiteral("Leximi u ndal"));
}

// Whoever stopped the file heard, nothing of the series follows it and nothing is heard.
void Playback::onStopped() {
    m_series = {};
    m_player->showPlaying(QString());
}

void Playback::mnuPauzoje_Click() {
    m_player->pause();
}

void Playback::mnuVazhdo_Click() {
    m_player->play();
}

void Playback::WindowsMediaPlayer1_EndOfStream(int Result) {
    if (inSeries() && m_series.nextComing) { // the next verse's recording is still on its way: awaited
        const QList<int> gap = m_series.gap;
        begin(m_series.next, m_series.nextHeard, QString(), gap);
        return;
    }
    if (inSeries())
        say(QString(), m_series.gap); // the verses after the last one heard had no recording
    m_series = {};                    // a series ends here, once
    m_player->showPlaying(QString());
    platform::MsgBox(QStringLiteral("Fund    ") + QString::number(Result), platform::Buttons::OK, QString());
}

} // namespace audio
