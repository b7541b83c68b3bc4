// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/player.h"

#include "platform/mediaplayer.h"

#include <utility>

namespace audio {

StripPlayer::StripPlayer(platform::MediaPlayer* strip, QObject* parent) : Player(parent), m_strip(strip) {
    connect(m_strip, &platform::MediaPlayer::EndOfStream, this, &Player::EndOfStream);
    connect(m_strip, &platform::MediaPlayer::nextStarted, this, [this] { Q_EMIT nextStarted(); });
    connect(m_strip, &platform::MediaPlayer::stopped, this, &Player::stopped);
}

void StripPlayer::setURL(const QString& path) {
    m_strip->setURL(path);
}
void StripPlayer::queue(const QString& path) {
    m_strip->queue(path);
}
void StripPlayer::pause() {
    m_strip->controls_pause();
}
void StripPlayer::play() {
    m_strip->controls_play();
}
void StripPlayer::stop() {
    m_strip->controls_stop();
}
void StripPlayer::showStatus(const QString& text) {
    m_strip->showStatus(text);
}
void StripPlayer::showPlaying(const QString& text) {
    m_strip->showPlaying(text);
}
bool StripPlayer::started() const {
    return m_strip->started();
}

namespace {
PlayerMaker& maker() {
    static PlayerMaker m;
    return m;
}
} // namespace

Player* windowPlayer(platform::MediaPlayer* strip, QObject* parent) {
    if (maker())
        return maker()(strip, parent);
    return new StripPlayer(strip, parent);
}

void setWindowPlayer(PlayerMaker m) {
    maker() = std::move(m);
}

} // namespace audio
