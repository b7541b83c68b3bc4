// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/fakeplayer.h"

#include "platform/mediaplayer.h"

#include <QFileInfo>

#include <utility>

namespace testsupport {

FakePlayer::FakePlayer(FakeClock& clock, platform::MediaPlayer* strip, QObject* parent)
    : audio::Player(parent), m_strip(strip) {
    connect(&clock, &FakeClock::advanced, this, &FakePlayer::onAdvanced);
    if (m_strip)
        connect(m_strip, &platform::MediaPlayer::stopped, this, &FakePlayer::stop);
}

void FakePlayer::setURL(const QString& path) {
    m_started = true;
    m_queued.clear();
    m_position = 0;
    m_current = platform::MediaPlayer::localPath(path);
    if (!QFileInfo(m_current).isFile()) {
        m_state = State::Stopped;
        showStatus(QStringLiteral("Skedari nuk u gjet: ") + QFileInfo(m_current).fileName());
        m_current.clear();
        return;
    }
    showStatus(QString());
    m_state = State::Playing;
}

void FakePlayer::queue(const QString& path) {
    m_started = true;
    m_queued = path.isEmpty() ? QString() : platform::MediaPlayer::localPath(path);
}

void FakePlayer::pause() {
    if (m_state == State::Playing)
        m_state = State::Paused;
}

void FakePlayer::play() {
    m_started = true;
    if (m_current.isEmpty() || m_state == State::Playing)
        return;
    if (m_state == State::Stopped)
        m_position = 0; // a stopped file plays from its start
    m_state = State::Playing;
}

void FakePlayer::stop() {
    m_queued.clear();
    m_position = 0;
    if (m_state != State::Stopped) {
        m_state = State::Stopped;
        Q_EMIT stopped();
    }
}

void FakePlayer::showPlaying(const QString& text) {
    m_playing = text;
    if (m_strip)
        m_strip->showPlaying(text);
}

void FakePlayer::showStatus(const QString& text) {
    if (!text.isEmpty())
        m_said.append(text);
    if (m_strip)
        m_strip->showStatus(text);
}

// The clock moved: the file heard plays on, and each one that ends gives way as the strip's would. A handler
// of nextStarted may queue, pause or replace files: what happens next is read afresh after each signal.
void FakePlayer::onAdvanced(qint64 ms) {
    while (m_state == State::Playing && ms >= fileLength - m_position) {
        ms -= fileLength - m_position;
        ended();
    }
    if (m_state == State::Playing)
        m_position += ms;
}

void FakePlayer::ended() {
    m_position = 0;
    if (m_queued.isEmpty()) {
        m_state = State::Stopped;
        Q_EMIT EndOfStream(0);
        return;
    }
    m_current = std::exchange(m_queued, QString());
    Q_EMIT nextStarted();
    if (!QFileInfo(m_current).isFile()) { // a queued file gone meanwhile is said when its turn comes
        m_state = State::Stopped;
        showStatus(QStringLiteral("Skedari nuk u gjet: ") + QFileInfo(m_current).fileName());
    }
}

FakePlayerInWindow::FakePlayerInWindow(FakeClock& clock) {
    audio::setWindowPlayer([this, &clock](platform::MediaPlayer* strip, QObject* parent) {
        m_player = new FakePlayer(clock, strip, parent);
        return m_player.data();
    });
}

FakePlayerInWindow::~FakePlayerInWindow() {
    audio::setWindowPlayer({});
}

} // namespace testsupport
