#include "platform/mediaplayer.h"

#include <QAudioOutput>
#include <QBoxLayout>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMediaPlayer>
#include <QPluginLoader>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QUrl>

namespace platform {

QString minutesSeconds(qint64 ms) {
    const qint64 seconds = qMax<qint64>(0, ms) / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

namespace {

QToolButton* iconButton(QWidget* parent, QStyle::StandardPixmap pixmap, const QString& name) {
    auto* b = new QToolButton(parent);
    b->setIcon(parent->style()->standardIcon(pixmap));
    b->setToolTip(name);
    b->setAccessibleName(name);
    b->setAutoRaise(true);
    return b;
}

QString fileNameOf(const QString& local) {
    return QFileInfo(local).fileName();
}

} // namespace

MediaPlayer::MediaPlayer(QWidget* parent) : QWidget(parent) {
    // Without a backend Qt Multimedia ends the program at the first player or output: neither is made.
    if (playbackAvailable()) {
        m_player = new QMediaPlayer(this);
        m_output = new QAudioOutput(this);
        m_player->setAudioOutput(m_output);
    }

    m_play = iconButton(this, QStyle::SP_MediaPlay, QStringLiteral("Luaj"));
    m_play->setObjectName(QStringLiteral("cmdLuaj"));
    m_pause = iconButton(this, QStyle::SP_MediaPause, QStringLiteral("Pauzë"));
    m_pause->setObjectName(QStringLiteral("cmdPauze"));
    m_stop = iconButton(this, QStyle::SP_MediaStop, QStringLiteral("Ndalo"));
    m_stop->setObjectName(QStringLiteral("cmdNdalo"));

    m_position = new QSlider(Qt::Horizontal, this);
    m_position->setObjectName(QStringLiteral("sldPozicioni"));
    m_position->setAccessibleName(QStringLiteral("Pozicioni"));
    m_position->setRange(0, 0);
    m_elapsed = new QLabel(minutesSeconds(0), this);
    m_elapsed->setObjectName(QStringLiteral("lblKaluar"));
    m_total = new QLabel(minutesSeconds(0), this);
    m_total->setObjectName(QStringLiteral("lblGjithsej"));

    m_volume = new QSlider(Qt::Horizontal, this);
    m_volume->setObjectName(QStringLiteral("sldVolumi"));
    m_volume->setAccessibleName(QStringLiteral("Volumi"));
    m_volume->setToolTip(QStringLiteral("Volumi"));
    m_volume->setRange(0, 100);
    m_volume->setMaximumWidth(90);
    auto* volumeIcon = new QLabel(this);
    volumeIcon->setPixmap(style()->standardIcon(QStyle::SP_MediaVolume).pixmap(16, 16));

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblGjendja"));
    m_status->setWordWrap(true);
    m_status->hide();

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_play);
    row->addWidget(m_pause);
    row->addWidget(m_stop);
    row->addWidget(m_elapsed);
    row->addWidget(m_position, 1);
    row->addWidget(m_total);
    row->addSpacing(6);
    row->addWidget(volumeIcon);
    row->addWidget(m_volume);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(2);
    column->addLayout(row);
    column->addWidget(m_status);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    connect(m_play, &QToolButton::clicked, this, &MediaPlayer::controls_play);
    connect(m_pause, &QToolButton::clicked, this, &MediaPlayer::controls_pause);
    connect(m_stop, &QToolButton::clicked, this, &MediaPlayer::controls_stop);
    setVolume(50);
    if (!m_player) {
        showStatus(notPossibleText());
        updateButtons();
        return;
    }
    connect(m_volume, &QSlider::valueChanged, this, [this](int v) { m_output->setVolume(float(v) / 100.0f); });
    connect(m_position, &QSlider::sliderMoved, this, [this](int v) { m_player->setPosition(v); });
    connect(m_position, &QSlider::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderMove)
            m_player->setPosition(m_position->sliderPosition());
    });
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, &MediaPlayer::onMediaStatus);
    connect(m_player, &QMediaPlayer::errorOccurred, this, &MediaPlayer::onError);
    connect(m_player, &QMediaPlayer::positionChanged, this, &MediaPlayer::onPosition);
    connect(m_player, &QMediaPlayer::durationChanged, this, &MediaPlayer::onDuration);
    connect(m_player, &QMediaPlayer::playbackStateChanged, this, &MediaPlayer::updateButtons);
    updateButtons();
}

MediaPlayer::~MediaPlayer() {
    // Stop before the output goes, so that no signal arrives at a half-destroyed strip.
    if (m_player) {
        disconnect(m_player, nullptr, this, nullptr);
        m_player->stop();
    }
}

namespace {

// Whether a Qt Multimedia backend plugin (the one QT_MEDIA_BACKEND names, if set) can be loaded.
bool backendLoads() {
    const QString wanted = qEnvironmentVariable("QT_MEDIA_BACKEND");
    for (const QString& folder : QCoreApplication::libraryPaths()) {
        const QDir dir(folder + QStringLiteral("/multimedia"));
        for (const QString& file : dir.entryList({QStringLiteral("*mediaplugin*")}, QDir::Files)) {
            if (!wanted.isEmpty() && !file.contains(wanted))
                continue;
            QPluginLoader loader(dir.filePath(file));
            if (loader.load())
                return true;
        }
    }
    return false;
}

} // namespace

bool MediaPlayer::playbackAvailable() {
    // The formats a backend lists are not a guide (GStreamer decodes MP3 without listing it); the
    // player's own errors say when a file cannot be decoded.
    static const bool available = backendLoads() && QMediaPlayer().isAvailable();
    return available;
}

QString MediaPlayer::localPath(const QString& url) {
    QString local = url;
    local.replace(u'\\', u'/');
    return local;
}

void MediaPlayer::setURL(const QString& path) {
    m_url = path;
    if (!m_player) {
        showStatus(notPossibleText());
        return;
    }
    const QString local = localPath(path);
    if (!QFileInfo(local).isFile()) {
        m_player->stop();
        m_player->setSource(QUrl());
        showStatus(QStringLiteral("Skedari nuk u gjet: ") + fileNameOf(local));
        return;
    }
    showStatus(QString());
    m_player->setSource(QUrl::fromLocalFile(local));
    m_player->play();
}

void MediaPlayer::controls_play() {
    if (!m_player) {
        showStatus(notPossibleText());
        return;
    }
    if (!m_player->source().isEmpty())
        m_player->play();
}

void MediaPlayer::controls_pause() {
    if (m_player && m_player->playbackState() == QMediaPlayer::PlayingState)
        m_player->pause();
}

void MediaPlayer::controls_stop() {
    if (m_player)
        m_player->stop();
}

MediaPlayer::State MediaPlayer::playState() const {
    if (!m_player)
        return State::Stopped;
    switch (m_player->playbackState()) {
    case QMediaPlayer::PlayingState:
        return State::Playing;
    case QMediaPlayer::PausedState:
        return State::Paused;
    default:
        return State::Stopped;
    }
}

int MediaPlayer::volume() const {
    return m_volume->value();
}

void MediaPlayer::setVolume(int volume) {
    m_volume->setValue(qBound(0, volume, 100));
    if (m_output)
        m_output->setVolume(float(m_volume->value()) / 100.0f);
}

QString MediaPlayer::statusText() const {
    return m_status->text();
}

void MediaPlayer::showStatus(const QString& text) {
    m_status->setText(text);
    m_status->setVisible(!text.isEmpty());
}

void MediaPlayer::onMediaStatus() {
    if (m_player->mediaStatus() == QMediaPlayer::EndOfMedia)
        Q_EMIT EndOfStream(0);
}

void MediaPlayer::onError() {
    if (m_player->error() == QMediaPlayer::NoError)
        return;
    const QString local = localPath(m_url);
    if (!QFileInfo(local).isFile())
        showStatus(QStringLiteral("Skedari nuk u gjet: ") + fileNameOf(local));
    else
        showStatus(QStringLiteral("Skedari nuk mund të luhet: ") + fileNameOf(local));
    // The backend stays in the playing state after a decoding error: the strip would offer pause
    // for a recitation that never sounds.
    if (m_player->playbackState() != QMediaPlayer::StoppedState)
        m_player->stop();
}

void MediaPlayer::onPosition(qint64 ms) {
    if (!m_position->isSliderDown())
        m_position->setValue(int(ms));
    m_elapsed->setText(minutesSeconds(ms));
}

void MediaPlayer::onDuration(qint64 ms) {
    m_position->setRange(0, int(ms));
    m_total->setText(minutesSeconds(ms));
}

void MediaPlayer::updateButtons() {
    const bool available = m_player != nullptr;
    const auto state = available ? m_player->playbackState() : QMediaPlayer::StoppedState;
    m_play->setEnabled(available && state != QMediaPlayer::PlayingState);
    m_pause->setEnabled(available && state == QMediaPlayer::PlayingState);
    m_stop->setEnabled(available && state != QMediaPlayer::StoppedState);
    m_position->setEnabled(available);
}

} // namespace platform
