// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace platform {
class MediaPlayer;
}

namespace audio {

// What a recitation asks of a player: play a file at once, queue the next so that no gap is heard, pause, go on and
// stop, say a line on the strip and name what is heard there. It tells when the queued file took over, when a
// stream ended with nothing after it and when it was stopped. The window's strip is one; tests drive one of their
// own.
class Player : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void setURL(const QString& path) = 0;
    virtual void queue(const QString& path) = 0; // "" queues nothing
    virtual void pause() = 0;
    virtual void play() = 0;
    virtual void stop() = 0; // the queued file goes too
    virtual void showStatus(const QString& text) = 0;
    virtual void showPlaying(const QString& text) = 0; // "": nothing is heard
    // Whether the player has started (a first file was given to it).
    virtual bool started() const = 0;

Q_SIGNALS:
    void nextStarted();
    void EndOfStream(int Result);
    // The recitation was stopped (by stop(), or by the reader on the strip): nothing ends or follows.
    void stopped();
};

// The window's player strip as a Player.
class StripPlayer : public Player {
    Q_OBJECT
public:
    explicit StripPlayer(platform::MediaPlayer* strip, QObject* parent = nullptr);
    void setURL(const QString& path) override;
    void queue(const QString& path) override;
    void pause() override;
    void play() override;
    void stop() override;
    void showStatus(const QString& text) override;
    void showPlaying(const QString& text) override;
    bool started() const override;

private:
    platform::MediaPlayer* m_strip;
};

// The player the main window recites on: its strip, unless a test put a player of its own in (with
// setWindowPlayer) before the window was made; `parent` owns the player.
using PlayerMaker = std::function<Player*(platform::MediaPlayer* strip, QObject* parent)>;
Player* windowPlayer(platform::MediaPlayer* strip, QObject* parent);
// Sets what windowPlayer() makes; an empty maker brings the strip back.
void setWindowPlayer(PlayerMaker maker);

} // namespace audio
