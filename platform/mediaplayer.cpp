// SPDX-License-Identifier: GPL-3.0-or-later
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

#include "platform/look.h"
#include "resources/resources.h"

#include <utility>

namespace platform {

QString minutesSeconds(qint64 ms) {
    const qint64 seconds = qMax<qint64>(0, ms) / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

namespace {

QToolButton* iconButton(QWidget* parent, const char* picture, const QString& name, const char* objectName) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(objectName));
    b->setIcon(art::tinted(picture, lightOnDark(), dimmedOnDark()));
    b->setIconSize(QSize(22, 22));
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
    // Light on the window's dark colour in every state: the strip is read where the reader looks.
    setAutoFillBackground(true);
    QPalette strip = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QColor text = group == QPalette::Disabled ? dimmedOnDark() : lightOnDark();
        strip.setColor(group, QPalette::Window, windowColour());
        strip.setColor(group, QPalette::Base, windowColour());
        strip.setColor(group, QPalette::WindowText, text);
        strip.setColor(group, QPalette::ButtonText, text);
        strip.setColor(group, QPalette::Text, text);
        strip.setColor(group, QPalette::Button, colour(text::Role::StripButton)); // a hovered or pressed button
        strip.setColor(group, QPalette::Highlight, group == QPalette::Disabled ? dimmedOnDark() : warningOnDark());
    }
    setPalette(strip);

    m_play = iconButton(this, art::kPlay, QStringLiteral("Luaj"), "cmdLuaj");
    m_pause = iconButton(this, art::kPause, QStringLiteral("Pauzë"), "cmdPauze");
    m_stop = iconButton(this, art::kStop, QStringLiteral("Ndalo"), "cmdNdalo");

    m_position = new QSlider(Qt::Horizontal, this);
    m_position->setObjectName(QStringLiteral("sldPozicioni"));
    m_position->setAccessibleName(QStringLiteral("Pozicioni i leximit"));
    m_position->setToolTip(m_position->accessibleName());
    m_position->setRange(0, 0);
    m_elapsed = new QLabel(minutesSeconds(0), this);
    m_elapsed->setObjectName(QStringLiteral("lblKaluar"));
    m_elapsed->setToolTip(QStringLiteral("Koha e kaluar"));
    m_elapsed->setAccessibleName(m_elapsed->toolTip());
    m_total = new QLabel(minutesSeconds(0), this);
    m_total->setObjectName(QStringLiteral("lblGjithsej"));
    m_total->setToolTip(QStringLiteral("Kohëzgjatja"));
    m_total->setAccessibleName(m_total->toolTip());

    m_volume = new QSlider(Qt::Horizontal, this);
    m_volume->setObjectName(QStringLiteral("sldVolumi"));
    m_volume->setAccessibleName(QStringLiteral("Volumi"));
    m_volume->setToolTip(QStringLiteral("Volumi"));
    m_volume->setRange(0, 100);
    m_volume->setMaximumWidth(90);
    for (QSlider* slider : {m_position, m_volume}) { // their handles are drawn in the button colour
        QPalette handles = slider->palette();
        handles.setColor(QPalette::Active, QPalette::Button, lightOnDark());
        handles.setColor(QPalette::Inactive, QPalette::Button, lightOnDark());
        handles.setColor(QPalette::Disabled, QPalette::Button, dimmedOnDark());
        slider->setPalette(handles);
    }
    auto* volumeIcon = new QLabel(this);
    volumeIcon->setPixmap(art::tinted(art::kSpeaker, lightOnDark(), dimmedOnDark()).pixmap(18, 18));

    m_playing = new QLabel(this);
    m_playing->setObjectName(QStringLiteral("lblDegjohet"));
    m_playing->setToolTip(QStringLiteral("Çfarë dëgjohet"));
    m_playing->setAccessibleName(m_playing->toolTip());
    m_playing->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblGjendja"));
    m_status->setWordWrap(true);
    QPalette warning = m_status->palette();
    warning.setColor(QPalette::WindowText, warningOnDark());
    m_status->setPalette(warning);
    m_status->hide();

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_play);
    row->addWidget(m_pause);
    row->addWidget(m_stop);
    row->addWidget(m_playing);
    row->addSpacing(6);
    row->addWidget(m_elapsed);
    row->addWidget(m_position, 1);
    row->addWidget(m_total);
    row->addSpacing(6);
    row->addWidget(volumeIcon);
    row->addWidget(m_volume);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 2, 4, 2);
    column->setSpacing(2);
    column->addLayout(row);
    column->addWidget(m_status);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    connect(m_play, &QToolButton::clicked, this, &MediaPlayer::controls_play);
    connect(m_pause, &QToolButton::clicked, this, &MediaPlayer::controls_pause);
    connect(m_stop, &QToolButton::clicked, this, &MediaPlayer::controls_stop);
    connect(m_volume, &QSlider::valueChanged, this, [this](int v) {
        for (QAudioOutput* output : m_outputs)
            if (output)
                output->setVolume(float(v) / 100.0f);
    });
    connect(m_position, &QSlider::sliderMoved, this, [this](int v) {
        if (started())
            current()->setPosition(v);
    });
    connect(m_position, &QSlider::actionTriggered, this, [this](int action) {
        if (started() && action != QAbstractSlider::SliderMove)
            current()->setPosition(m_position->sliderPosition());
    });
    setVolume(50);
    updateButtons();
}

// Two players, one playing and one holding the next file ready. Without a backend Qt Multimedia ends the
// program at the first player or output: then neither is made, and the strip says so.
bool MediaPlayer::ensurePlayers() {
    if (started())
        return true;
    if (!playbackAvailable()) {
        showStatus(notPossibleText());
        updateButtons();
        return false;
    }
    for (int i = 0; i < 2; ++i) {
        QMediaPlayer* player = m_players[i] = new QMediaPlayer(this);
        m_outputs[i] = new QAudioOutput(this);
        m_outputs[i]->setVolume(float(m_volume->value()) / 100.0f);
        player->setAudioOutput(m_outputs[i]);
        connect(player, &QMediaPlayer::mediaStatusChanged, this, [this, player] { onMediaStatus(player); });
        connect(player, &QMediaPlayer::errorOccurred, this, [this, player] { onError(player); });
        connect(player, &QMediaPlayer::positionChanged, this, [this, player](qint64 ms) {
            if (player == current())
                onPosition(ms);
        });
        connect(player, &QMediaPlayer::durationChanged, this, [this, player](qint64 ms) {
            if (player == current())
                onDuration(ms);
        });
        connect(player, &QMediaPlayer::playbackStateChanged, this, &MediaPlayer::updateButtons);
    }
    return true;
}

MediaPlayer::~MediaPlayer() {
    // Stop before the outputs go, so that no signal arrives at a half-destroyed strip.
    for (QMediaPlayer* player : m_players)
        if (player) {
            disconnect(player, nullptr, this, nullptr);
            player->stop();
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
    m_queued.clear();
    if (!ensurePlayers())
        return;
    other()->stop();
    other()->setSource(QUrl());
    const QString local = localPath(path);
    if (!QFileInfo(local).isFile()) {
        current()->stop();
        current()->setSource(QUrl());
        showStatus(QStringLiteral("Skedari nuk u gjet: ") + fileNameOf(local));
        return;
    }
    showStatus(QString());
    current()->setSource(QUrl::fromLocalFile(local));
    current()->play();
}

void MediaPlayer::queue(const QString& path) {
    m_queued = path;
    if (!ensurePlayers())
        return;
    other()->setSource(path.isEmpty() ? QUrl() : QUrl::fromLocalFile(localPath(path)));
}

void MediaPlayer::controls_play() {
    if (!ensurePlayers())
        return;
    if (!current()->source().isEmpty())
        current()->play();
}

void MediaPlayer::controls_pause() {
    if (started() && current()->playbackState() == QMediaPlayer::PlayingState)
        current()->pause();
}

void MediaPlayer::controls_stop() {
    showPlaying(QString());
    if (started()) {
        queue(QString());
        current()->stop();
    }
    Q_EMIT stopped();
}

MediaPlayer::State MediaPlayer::playState() const {
    if (!started())
        return State::Stopped;
    switch (current()->playbackState()) {
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
}

QString MediaPlayer::statusText() const {
    return m_status->text();
}

void MediaPlayer::showStatus(const QString& text) {
    m_status->setText(text);
    m_status->setVisible(!text.isEmpty());
}

QString MediaPlayer::playingText() const {
    return m_playing->text();
}

void MediaPlayer::showPlaying(const QString& text) {
    m_playing->setText(text);
}

void MediaPlayer::onMediaStatus(QMediaPlayer* from) {
    if (from != current() || from->mediaStatus() != QMediaPlayer::EndOfMedia)
        return;
    if (m_queued.isEmpty()) {
        showPlaying(QString());
        Q_EMIT EndOfStream(0);
        return;
    }
    // The next file was opened while this one played: it starts now, and the ended one waits for the one
    // after it.
    m_current = 1 - m_current;
    m_url = std::exchange(m_queued, QString());
    current()->play();
    onDuration(current()->duration());
    Q_EMIT nextStarted(m_url);
}

void MediaPlayer::onError(QMediaPlayer* from) {
    if (from->error() == QMediaPlayer::NoError || from != current())
        return; // a queued file that cannot be played is said when its turn comes
    const QString local = localPath(m_url);
    if (!QFileInfo(local).isFile())
        showStatus(QStringLiteral("Skedari nuk u gjet: ") + fileNameOf(local));
    else
        showStatus(QStringLiteral("Skedari nuk mund të luhet: ") + fileNameOf(local));
    showPlaying(QString());
    // The backend stays in the playing state after a decoding error: the strip would offer pause
    // for a recitation that never sounds.
    if (from->playbackState() != QMediaPlayer::StoppedState)
        from->stop();
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
    const auto state = started() ? current()->playbackState() : QMediaPlayer::StoppedState;
    const bool hasSource = started() && !current()->source().isEmpty();
    m_play->setEnabled(hasSource && state != QMediaPlayer::PlayingState);
    m_pause->setEnabled(state == QMediaPlayer::PlayingState);
    m_stop->setEnabled(state != QMediaPlayer::StoppedState);
    m_position->setEnabled(started());
}

} // namespace platform
