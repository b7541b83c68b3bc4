// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

namespace data {
class Library;
}

// Reciting verses and surahs: the audio file of a verse or a surah in the default reciter's folder,
// played by the window's player, which names what is heard ("Jasin 36:12, Aziz Alili") and says what cannot be.
namespace audio {

class Player;
class Supply;

// A number text written with at least three digits ("7" -> "007", "1234" stays); a text that is not a
// number comes back unchanged.
QString threeDigits(const QString& text);

// Whether a reciter folder names a folder at all ("": no reciter of the kind is marked default).
bool hasFolder(const QString& folder);

// A folder as the program reads it: an absolute folder ("/...", "\\server\...", "C:\...") as it is,
// a relative one inside the program folder.
QString resolveFolder(const QString& folder);

// The verse file: folder\SSSAAA.mp3, with doubled backslashes collapsed (a leading "\\" of a network
// path is kept).
QString verseAudioPath(const QString& folder, const QString& surah, const QString& verse);
// The surah file: folder/SSS.mp3.
QString surahAudioPath(const QString& folder, const QString& surah);

// How a series of verses repeats, for memorising: each verse `times` times (0: for ever), and, with `loop`,
// the verses `from` to `to` of the surah over and over.
struct Repeat {
    int times = 1;
    bool loop = false;
    int from = 1;
    int to = 1;
};

// The repeat the reader chose last, kept in the per-user settings store.
Repeat loadRepeat();
bool saveRepeat(const Repeat& r);

// The recitation commands of the main window, on a player.
class Playback : public QObject {
    Q_OBJECT
public:
    Playback(Player& player, const data::Library& library, QObject* parent = nullptr);

    // Plays a verse from the default verse reciter's folder (Module1::strLokacioniAjeteve).
    void FuncPlayAjet(const QString& strNrSure, const QString& strNrAjet);
    // Plays a whole surah from the default surah reciter's folder (Module1::strLokacioniSureve).
    void FuncPlaySure(const QString& strNrSure);

    void mnuPauzoje_Click();
    void mnuVazhdo_Click();
    // Tells the reader the recitation has ended (and which verses at a series' end had no recording).
    void WindowsMediaPlayer1_EndOfStream(int Result);

    // Recites verse after verse from `verse` of `surah` to the surah's end (or within the repeated range), from
    // the verse reciter's folder, each next file opened before the one heard ends. A folder that holds fewer
    // than half of the verses from `verse` to the series' last is said at once ("Lexuesi „R” ka 5 nga 83 ajetet
    // e sures Jasin"); a missing recording is skipped and said on the strip when the series reaches it; "Fund"
    // comes once, at the end of the series.
    void startSeries(int surah, int verse);
    // Navigation and every other play request end the series (the verse heard plays to its end).
    void endSeries();
    // The reader's stop (Esc, a second Ctrl+L): the series ends and the verse heard stops at once, said on the
    // strip; nothing follows and no "Fund" comes.
    void stopSeries();
    bool inSeries() const { return m_series.surah > 0; }
    // Recordings that come when asked (a fetched reciter's): a verse not on disk yet is asked for with the rest of
    // its surah and awaited, not passed over. nullptr: only what is on disk is heard.
    void setSupply(Supply* supply);
    void setRepeat(const Repeat& repeat) { m_repeat = repeat; }
    const Repeat& repeat() const { return m_repeat; }

Q_SIGNALS:
    // The verse the reader hears now, so that the text can follow it.
    void reciting(int surah, int verse);

private:
    struct Series {
        int surah = 0, first = 0, last = 0; // the verses the series goes through
        QString name, reciter;              // the surah's name and the reciter's, as the lists show them
        int verse = 0, heard = 0;           // the verse heard now, and how many times so far
        int next = 0, nextHeard = 0;        // the verse queued after it, and its count then
        QList<int> gap;                     // the verses without a recording passed over on the way to `next`
        QList<int> named;                   // the verses said to have none, each said once
        int waiting = 0, waitingHeard = 0;  // the verse whose recording the series waits for, and its count then
        bool nextComing = false;            // the queued verse's recording is still on its way (nothing queued)
    };
    bool onDisk(int verse) const;
    // On disk, or still to come from the supply.
    bool available(int verse) const;
    // The series goes on with `verse`, heard the `heard`th time: at once when its recording is on disk, when it
    // comes otherwise. `first` and `gap` are said as by say().
    void begin(int verse, int heard, const QString& first, const QList<int>& gap);
    void onArrived(int surah, int verse);
    void onLost(int surah, int verse, const QString& cause);
    int surahLength(int surah) const;
    // The next verse from (verse, heard) on that has a recording, and how many times it will then have been
    // heard; verse 0 when the series ends. The verses without one on the way are added to `gap`.
    QPair<int, int> following(int verse, int heard, QList<int>& gap) const;
    QString recordingOf(int verse) const;
    void playFile(const QString& path, int surah, int verse);
    void queueFollowing();
    // Says `first` and the verses of `gap` not named yet in one line of the strip, after the file was given to the
    // player (which clears the line when it opens one).
    void say(const QString& first, const QList<int>& gap);
    void onNextStarted();
    void onStopped();
    QString shortageText(int count) const;
    QString reciterName(bool verses) const;
    QString missingText(int surah, int verse) const;
    QString missingText(int surah, const QList<int>& verses) const;

    Series m_series;
    Repeat m_repeat;
    Supply* m_supply = nullptr;
    QPair<int, int> m_single; // the verse played alone whose recording is awaited, {0, 0} when none
    Player* m_player;
    const data::Library& m_library;
};

} // namespace audio
