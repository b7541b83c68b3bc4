// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audio/player.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

namespace platform {
class MediaPlayer;
}

namespace testsupport {

// Time that moves only when the test moves it: players on the clock play for exactly as long as it was advanced.
class FakeClock : public QObject {
    Q_OBJECT
public:
    void advance(qint64 ms) { Q_EMIT advanced(ms); }

Q_SIGNALS:
    void advanced(qint64 ms);
};

// A player on a test's clock, acting as the window's strip does: a file plays for `fileLength` ms of the clock,
// then the queued file takes over (nextStarted) or, with nothing queued, the stream ends (EndOfStream(0)). A file
// that is not there is said ("Skedari nuk u gjet: name") and does not play. What it is told to say or name goes to
// the window's strip as well, when it has one, so that a test reads it where the reader does; the strip's stop
// button stops it.
class FakePlayer : public audio::Player {
    Q_OBJECT
public:
    enum class State { Stopped, Playing, Paused };
    FakePlayer(FakeClock& clock, platform::MediaPlayer* strip = nullptr, QObject* parent = nullptr);

    void setURL(const QString& path) override;
    void queue(const QString& path) override;
    void pause() override;
    void play() override;
    void stop() override;
    void showStatus(const QString& text) override;
    void showPlaying(const QString& text) override;
    bool started() const override { return m_started; }

    State state() const { return m_state; }
    QString current() const { return m_current; } // the file heard or last heard (a local path)
    QString queued() const { return m_queued; }
    qint64 remaining() const { return m_state == State::Stopped ? 0 : fileLength - m_position; }
    QStringList said() const { return m_said; } // every line said, in order, blank ones left out
    QString playing() const { return m_playing; }

    qint64 fileLength = 1000;

private:
    void onAdvanced(qint64 ms);
    void ended();

    platform::MediaPlayer* m_strip;
    State m_state = State::Stopped;
    QString m_current, m_queued, m_playing;
    QStringList m_said;
    qint64 m_position = 0;
    bool m_started = false;
};

// While it lives, every main window made recites on a FakePlayer of `clock`, its strip showing what is said.
class FakePlayerInWindow {
public:
    explicit FakePlayerInWindow(FakeClock& clock);
    ~FakePlayerInWindow();
    // The player of the window made last (null once that window is gone).
    FakePlayer* player() const { return m_player; }

private:
    QPointer<FakePlayer> m_player;
};

} // namespace testsupport
