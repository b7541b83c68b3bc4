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
// elapsed and total time, a volume slider and a line of status text. It never shows a dialog:
// whatever keeps a recitation from playing is said on the strip, in Albanian.
class MediaPlayer : public QWidget {
    Q_OBJECT
public:
    enum class State { Stopped, Playing, Paused };

    explicit MediaPlayer(QWidget* parent = nullptr);
    ~MediaPlayer() override;

    // Opens the file and starts it at once, replacing whatever was playing. Both "\" and "/" are
    // taken as separators; a leading "\\" (a network path) stays a network path.
    void setURL(const QString& path);
    QString URL() const { return m_url; }

    void controls_play();
    void controls_pause();
    void controls_stop();

    State playState() const;
    int volume() const; // 0..100
    void setVolume(int volume);

    // The status line of the strip ("" when all is well).
    QString statusText() const;
    void showStatus(const QString& text);

    // Whether this computer can decode MP3 recitations (a multimedia backend that knows the format).
    static bool playbackAvailable();
    // The local file a URL names: backslashes become slashes, "\\server\share" becomes "//server/share".
    static QString localPath(const QString& url);

    static QString notPossibleText() { return QStringLiteral("Leximi nuk është i mundur në këtë kompjuter"); }

Q_SIGNALS:
    // A stream played to its end; Result is 0.
    void EndOfStream(int Result);

private:
    void onMediaStatus();
    void onError();
    void onPosition(qint64 ms);
    void onDuration(qint64 ms);
    void updateButtons();

    QMediaPlayer* m_player = nullptr;
    QAudioOutput* m_output = nullptr;
    QToolButton* m_play = nullptr;
    QToolButton* m_pause = nullptr;
    QToolButton* m_stop = nullptr;
    QSlider* m_position = nullptr;
    QSlider* m_volume = nullptr;
    QLabel* m_elapsed = nullptr;
    QLabel* m_total = nullptr;
    QLabel* m_status = nullptr;
    QString m_url;
};

// "m:ss" for a time in milliseconds.
QString minutesSeconds(qint64 ms);

} // namespace platform
