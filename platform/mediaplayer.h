// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

class QAudioOutput;
class QLabel;
class QMediaPlayer;
class QSlider;
class QToolButton;

namespace platform {

// The recitation player: a strip with play, pause and stop buttons, a position slider with the
// elapsed and total time, a volume slider, what is heard ("Jasin 36:12, Aziz Alili") and a line of status text,
// drawn light on the window's dark colour. It never shows a dialog: whatever keeps a recitation from playing is said on
// the strip, in Albanian. The multimedia backend is looked for and set up at the first play, not before.
class MediaPlayer : public QWidget {
    Q_OBJECT
public:
    enum class State { Stopped, Playing, Paused };

    explicit MediaPlayer(QWidget* parent = nullptr);
    ~MediaPlayer() override;

    // Opens the file and starts it at once, replacing whatever was playing (and what was queued). Both "\"
    // and "/" are taken as separators; a leading "\\" (a network path) stays a network path.
    void setURL(const QString& path);
    QString URL() const { return m_url; }
    // The file to play the moment this one ends, opened now so that no gap is heard; "" queues nothing.
    void queue(const QString& path);
    QString queued() const { return m_queued; }

    void controls_play();
    void controls_pause();
    void controls_stop(); // the queued file goes too, and what is heard is no longer named

    State playState() const;
    int volume() const; // 0..100
    void setVolume(int volume);

    // The status line of the strip ("" when all is well).
    QString statusText() const;
    void showStatus(const QString& text);
    // What is heard, named beside the buttons ("" when nothing is); a stop or an end of the stream clears it.
    QString playingText() const;
    void showPlaying(const QString& text);

    // Whether this computer can decode MP3 recitations (a multimedia backend that knows the format).
    static bool playbackAvailable();
    // Whether the backend has been set up (by a first play).
    bool started() const { return m_players[0] != nullptr; }
    // The local file a URL names: backslashes become slashes, "\\server\share" becomes "//server/share".
    static QString localPath(const QString& url);

    static QString notPossibleText() { return QStringLiteral("Leximi nuk është i mundur në këtë kompjuter"); }

Q_SIGNALS:
    // A stream played to its end with nothing queued after it; Result is 0.
    void EndOfStream(int Result);
    // The queued file took over from the one that ended.
    void nextStarted(const QString& path);
    // The reader (or the program, by controls_stop) stopped the file heard.
    void stopped();

private:
    bool ensurePlayers();
    QMediaPlayer* current() const { return m_players[m_current]; }
    QMediaPlayer* other() const { return m_players[1 - m_current]; }
    void onMediaStatus(QMediaPlayer* from);
    void onError(QMediaPlayer* from);
    void onPosition(qint64 ms);
    void onDuration(qint64 ms);
    void updateButtons();

    QMediaPlayer* m_players[2] = {nullptr, nullptr};
    QAudioOutput* m_outputs[2] = {nullptr, nullptr};
    int m_current = 0;
    QToolButton* m_play = nullptr;
    QToolButton* m_pause = nullptr;
    QToolButton* m_stop = nullptr;
    QSlider* m_position = nullptr;
    QSlider* m_volume = nullptr;
    QLabel* m_elapsed = nullptr;
    QLabel* m_total = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_playing = nullptr;
    QString m_url;
    QString m_queued;
};

// "m:ss" for a time in milliseconds.
QString minutesSeconds(qint64 ms);

} // namespace platform
