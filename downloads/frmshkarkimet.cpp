// SPDX-License-Identifier: GPL-3.0-or-later
#include "downloads/frmshkarkimet.h"

#include "app/paths.h"
#include "audio/reciters.h"
#include "data/library.h"
#include "downloads/catalogue.h"
#include "downloads/recordings.h"
#include "platform/database.h"
#include "platform/msgbox.h"
#include "tools/parallel.h"
#include "tools/reciters.h"
#include "tools/textinput.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStorageInfo>
#include <QTimer>
#include <QVBoxLayout>

namespace downloads {

namespace {

QString timeText(int seconds) {
    if (seconds < 60)
        return QStringLiteral("%1 s").arg(seconds);
    if (seconds < 3600)
        return QStringLiteral("%1 min").arg((seconds + 30) / 60);
    return QStringLiteral("%1 orë e %2 min").arg(seconds / 3600).arg(seconds % 3600 / 60);
}

QPushButton* button(QWidget* parent, const QString& text, const QString& objectName) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(objectName);
    return b;
}

} // namespace

QString progressText(const Fetcher::Progress& p, bool paused) {
    if (p.total == 0)
        return {};
    QStringList parts;
    parts << QStringLiteral("%1 nga %2 skedarë").arg(QString::number(p.done), QString::number(p.total));
    if (p.failed > 0)
        parts << QStringLiteral("%1 pa u marrë").arg(QString::number(p.failed));
    parts << (p.expected > 0
                  ? QStringLiteral("%1 nga rreth %2").arg(audio::sizeText(p.bytes), audio::sizeText(p.expected))
                  : audio::sizeText(p.bytes));
    if (paused)
        return QStringLiteral("Ndalur: ") + parts.join(QStringLiteral(" · "));
    if (p.speed > 0)
        parts << audio::sizeText(qint64(p.speed)) + QStringLiteral("/s");
    if (p.secondsLeft >= 0)
        parts << QStringLiteral("edhe ") + timeText(p.secondsLeft);
    return parts.join(QStringLiteral(" · "));
}

QString reciterState(const QString& id, int count) {
    if (count == 0)
        return QStringLiteral("asnjë ajet në disk");
    return QStringLiteral("%1 nga %2 ajete në disk (%3)")
        .arg(QString::number(count), QString::number(6236), audio::sizeText(audio::bytesIn(reciterFolder(id))));
}

frmShkarkimet::frmShkarkimet(Fetcher& fetcher, Recordings& recordings, data::Library& library, QWidget* parent)
    : QDialog(parent), m_fetcher(fetcher), m_recordings(recordings), m_library(library), m_tick(new QTimer(this)) {
    setObjectName(QStringLiteral("frmShkarkimet"));
    setWindowTitle(QStringLiteral("Shkarkimet"));
    auto* outer = new QVBoxLayout(this);
    // The sources scroll on a small screen; the progress and the close button stay in view.
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget(scroll);
    auto* v = new QVBoxLayout(content);
    v->setContentsMargins(0, 0, 0, 0);
    auto* intro = new QLabel(
        QStringLiteral("Programi lidhet me internetin vetëm kur shtypni një nga butonat këtu. Çdo skedar vendoset në "
                       "dosjen tuaj të të dhënave vetëm kur ka ardhur i plotë dhe është kontrolluar."),
        this);
    intro->setWordWrap(true);
    v->addWidget(intro);

    auto section = [this, v](const QString& title, Kind kind, const QString& actionText, auto act) {
        auto* box = new QGroupBox(title, this);
        auto* g = new QGridLayout(box);
        int row = 0;
        for (const Source& s : sources(kind)) {
            g->addWidget(new QLabel(s.name, box), row, 0);
            auto* state = new QLabel(box);
            state->setObjectName(QStringLiteral("lblGjendja_") + s.id);
            m_states.insert(s.id, state);
            g->addWidget(state, row, 1);
            auto* b = button(box, actionText, QStringLiteral("cmdShkarko_") + s.id);
            connect(b, &QPushButton::clicked, this, [this, act, id = s.id] { (this->*act)(id); });
            g->addWidget(b, row, 2);
            ++row;
        }
        g->setColumnStretch(1, 1);
        v->addWidget(box);
        return g;
    };
    section(QStringLiteral("Përkthimet shqip, nga Tanzil (tanzil.net)"), Kind::Translation,
            QStringLiteral("Shkarko dhe importo..."), &frmShkarkimet::fetchTranslation);
    section(QStringLiteral("Teksti arab, nga Tanzil"), Kind::Arabic, QStringLiteral("Shkarko"),
            &frmShkarkimet::fetchArabic);
    QGridLayout* reciters = section(QStringLiteral("Lexuesit ajet pas ajeti, nga EveryAyah (everyayah.com)"),
                                    Kind::Reciter, QStringLiteral("Përdor"), &frmShkarkimet::useReciter);
    int row = 0;
    for (const Source& s : sources(Kind::Reciter)) {
        QWidget* box = reciters->parentWidget();
        auto* whole = button(box, QStringLiteral("Shkarko të gjitha..."), QStringLiteral("cmdTeGjitha_") + s.id);
        connect(whole, &QPushButton::clicked, this, [this, id = s.id] { fetchReciter(id); });
        m_whole.insert(s.id, whole);
        auto* remove = button(box, QStringLiteral("Hiq..."), QStringLiteral("cmdHiq_") + s.id);
        connect(remove, &QPushButton::clicked, this, [this, id = s.id] { removeReciter(id); });
        reciters->addWidget(whole, row, 3);
        reciters->addWidget(remove, row, 4);
        ++row;
    }

    v->addStretch();
    scroll->setWidget(content);
    outer->addWidget(scroll, 1);
    auto* progressBox = new QGroupBox(QStringLiteral("Ecuria"), this);
    auto* p = new QVBoxLayout(progressBox);
    lblEcuria = new QLabel(progressBox);
    lblEcuria->setObjectName(QStringLiteral("lblEcuria"));
    prgEcuria = new QProgressBar(progressBox);
    prgEcuria->setObjectName(QStringLiteral("prgEcuria"));
    prgEcuria->setTextVisible(false);
    auto* buttons = new QHBoxLayout;
    cmdPauzo = button(progressBox, QStringLiteral("&Pauzo"), QStringLiteral("cmdPauzo"));
    cmdAnulo = button(progressBox, QStringLiteral("&Anulo"), QStringLiteral("cmdAnulo"));
    buttons->addWidget(lblEcuria, 1);
    buttons->addWidget(cmdPauzo);
    buttons->addWidget(cmdAnulo);
    lstGabimet = new QListWidget(progressBox);
    lstGabimet->setObjectName(QStringLiteral("lstGabimet"));
    lstGabimet->setAccessibleName(QStringLiteral("Skedarët që nuk u morën"));
    lstGabimet->setMaximumHeight(fontMetrics().height() * 4);
    p->addLayout(buttons);
    p->addWidget(prgEcuria);
    p->addWidget(lstGabimet);
    outer->addWidget(progressBox);
    auto* close = button(this, QStringLiteral("&Mbyll"), QStringLiteral("cmdMbyll"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close);
    outer->addLayout(bottom);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll = scroll;

    connect(cmdPauzo, &QPushButton::clicked, this, [this] {
        if (m_fetcher.paused())
            m_fetcher.resume();
        else
            m_fetcher.pause();
        showProgress();
    });
    connect(cmdAnulo, &QPushButton::clicked, this, [this] {
        m_fetcher.cancel();
        refresh();
    });
    connect(&m_fetcher, &Fetcher::finished, this, &frmShkarkimet::onFinished);
    connect(&m_fetcher, &Fetcher::failed, this, &frmShkarkimet::onFailed);
    connect(&m_fetcher, &Fetcher::idle, this, &frmShkarkimet::refresh);
    // The progress is drawn twice a second, not at every piece that comes.
    m_tick->setInterval(500);
    connect(m_tick, &QTimer::timeout, this, &frmShkarkimet::showProgress);
    m_tick->start();
    refresh();
}

// As wide as the rows need (no sideways scrolling), as tall as the sources need within the screen: measured when
// shown, with the fonts the window is drawn in.
void frmShkarkimet::showEvent(QShowEvent* e) {
    QWidget* content = m_scroll->widget();
    content->ensurePolished();
    m_scroll->setMinimumWidth(content->minimumSizeHint().width() + m_scroll->verticalScrollBar()->sizeHint().width());
    const QRect screen = this->screen()->availableGeometry();
    const int tall = content->sizeHint().height() + (sizeHint().height() - m_scroll->sizeHint().height());
    resize(qMax(width(), minimumSizeHint().width()), qMin(tall, screen.height() * 9 / 10));
    QDialog::showEvent(e);
}

void frmShkarkimet::showProgress() {
    const Fetcher::Progress p = m_fetcher.progress();
    lblEcuria->setText(m_fetcher.busy() || p.total > 0 ? progressText(p, m_fetcher.paused())
                                                       : QStringLiteral("Asgjë nuk po shkarkohet."));
    prgEcuria->setRange(0, qMax(1, p.total));
    prgEcuria->setValue(p.done + p.failed);
    cmdPauzo->setText(m_fetcher.paused() ? QStringLiteral("&Vazhdo") : QStringLiteral("&Pauzo"));
    cmdPauzo->setEnabled(m_fetcher.busy());
    cmdAnulo->setEnabled(m_fetcher.busy());
}

void frmShkarkimet::refresh() {
    for (const Source& s : sources(Kind::Translation))
        m_states[s.id]->setText(m_fetcher.pending(textFile(Kind::Translation, s.id))   ? QStringLiteral("po shkarkohet")
                                : QFileInfo::exists(textFile(Kind::Translation, s.id)) ? QStringLiteral("shkarkuar")
                                                                                       : QString());
    for (const Source& s : sources(Kind::Arabic))
        m_states[s.id]->setText(m_fetcher.pending(textFile(Kind::Arabic, s.id))   ? QStringLiteral("po shkarkohet")
                                : QFileInfo::exists(textFile(Kind::Arabic, s.id)) ? QStringLiteral("në disk")
                                                                                  : QString());
    for (const Source& s : sources(Kind::Reciter)) {
        const int count = recordingsIn(reciterFolder(s.id));
        m_states[s.id]->setText(reciterState(s.id, count));
        m_whole[s.id]->setText(count > 0 && count < 6236 ? QStringLiteral("Vazhdo shkarkimin...")
                                                         : QStringLiteral("Shkarko të gjitha..."));
        m_whole[s.id]->setEnabled(count < 6236);
        findChild<QPushButton*>(QStringLiteral("cmdHiq_") + s.id)->setEnabled(QFileInfo::exists(reciterFolder(s.id)));
    }
    showProgress();
}

QString frmShkarkimet::nameOf(const QString& target) const {
    for (Kind kind : {Kind::Translation, Kind::Arabic})
        for (const Source& s : sources(kind))
            if (target == textFile(kind, s.id))
                return s.name;
    const QString id = fetchedReciter(QFileInfo(target).absolutePath());
    return id.isEmpty() ? QFileInfo(target).fileName()
                        : QStringLiteral("%1, %2").arg(source(Kind::Reciter, id).name, QFileInfo(target).fileName());
}

void frmShkarkimet::onFinished(const QString& target) {
    for (const Source& s : sources(Kind::Translation))
        if (target == textFile(Kind::Translation, s.id)) {
            refresh();
            Q_EMIT translationFetched(target);
            return;
        }
    for (const Source& s : sources(Kind::Arabic))
        if (target == textFile(Kind::Arabic, s.id)) {
            // The Arabic text goes into the store of texts read beside the translation, its notice with it.
            try {
                databuilder::importParallel(Module1::parallelTextsPath(), target, databuilder::readWholeFile(target),
                                            databuilder::TextKind::Arabic, QStringLiteral("ar"),
                                            databuilder::surahsOf(Module1::databasePath()));
            } catch (const databuilder::BuildError& e) {
                platform::MsgBox(e.message(), platform::Buttons::OK, QString(), platform::Icon::Warning);
            }
            refresh();
        }
}

void frmShkarkimet::onFailed(const QString& target, const QString& cause) {
    lstGabimet->addItem(QStringLiteral("%1: %2").arg(nameOf(target), cause));
    lstGabimet->scrollToBottom();
    for (Kind kind : {Kind::Translation, Kind::Arabic})
        for (const Source& s : sources(kind))
            if (target == textFile(kind, s.id)) {
                refresh();
                platform::MsgBox(QStringLiteral("%1 nuk u shkarkua: %2.").arg(s.name, cause), platform::Buttons::OK,
                                 QString(), platform::Icon::Warning);
            }
}

bool frmShkarkimet::canSave(const QString& what) {
    if (!Module1::savingOff())
        return true;
    platform::MsgBox(what + QStringLiteral(" nuk mund të shkarkohet. ") + Module1::savingOffText(),
                     platform::Buttons::OK, QString(), platform::Icon::Warning);
    return false;
}

void frmShkarkimet::fetchTranslation(const QString& id) {
    const Source s = source(Kind::Translation, id);
    if (s.id.isEmpty() || !canSave(QStringLiteral("Përkthimi")))
        return;
    if (platform::MsgBox(QStringLiteral("Përkthimi i %1 merret nga Tanzil.\n\n%2\n\nTa shkarkoj dhe ta importoj?")
                             .arg(s.name, translationTerms()),
                         platform::Buttons::YesNo, QString(), platform::Icon::Question) != platform::Answer::Yes)
        return;
    const QString file = textFile(Kind::Translation, id);
    QFile::remove(file); // fetched anew: the reader asks for it again
    m_fetcher.add(translationUrl(id), file, textCheck, true);
    refresh();
}

void frmShkarkimet::fetchArabic(const QString& id) {
    const Source s = source(Kind::Arabic, id);
    if (s.id.isEmpty() || !canSave(QStringLiteral("Teksti arab")))
        return;
    if (platform::MsgBox(QStringLiteral("%1 merret nga Tanzil, me licencën Creative Commons Attribution 3.0: "
                                        "teksti nuk ndryshohet dhe shënimi i Tanzil-it që e shoqëron ruhet me të "
                                        "dhe tregohet te „Rreth programit”.\n\nTa shkarkoj?")
                             .arg(s.name),
                         platform::Buttons::YesNo, QString(), platform::Icon::Question) != platform::Answer::Yes)
        return;
    m_fetcher.add(arabicUrl(id), textFile(Kind::Arabic, id), textCheck, true);
    refresh();
}

qint64 frmShkarkimet::registered(const QString& id) {
    const QString folder = reciterFolder(id);
    try {
        for (const data::Reciter& r : m_library.reciters(data::ReciterKind::Verses))
            if (QDir::cleanPath(r.folder) == QDir::cleanPath(folder))
                return r.id;
        QDir().mkpath(folder);
        databuilder::ReciterOptions options;
        options.database = Module1::databasePath();
        options.name = source(Kind::Reciter, id).name;
        options.folder = folder;
        options.verses = true;
        return databuilder::addReciter(options);
    } catch (const databuilder::BuildError& e) {
        platform::MsgBox(e.message(), platform::Buttons::OK, QString(), platform::Icon::Warning);
    } catch (const platform::DbError& e) {
        platform::MsgBox(QStringLiteral("Lexuesi nuk u shtua: ") + platform::albanianCause(e), platform::Buttons::OK,
                         QString(), platform::Icon::Warning);
    }
    return -1;
}

void frmShkarkimet::useReciter(const QString& id) {
    if (source(Kind::Reciter, id).id.isEmpty() || !canSave(QStringLiteral("Lexuesi")))
        return;
    if (const qint64 reciter = registered(id); reciter >= 0)
        Q_EMIT reciterChosen(reciter);
    refresh();
}

void frmShkarkimet::fetchReciter(const QString& id) {
    const Source s = source(Kind::Reciter, id);
    if (s.id.isEmpty() || !canSave(QStringLiteral("Lexuesi")))
        return;
    const int have = recordingsIn(reciterFolder(id));
    const int missing = 6236 - have;
    if (missing <= 0)
        return;
    const qint64 bytes = s.approxMb * 1000 * 1000 * missing / 6236;
    QDir().mkpath(reciterFolder(id));
    const qint64 free = QStorageInfo(reciterFolder(id)).bytesAvailable();
    if (free >= 0 && free < bytes) {
        platform::MsgBox(QStringLiteral("Në disk ka vend për %1, kurse lexuesi „%2” do rreth %3.")
                             .arg(audio::sizeText(free), s.name, audio::sizeText(bytes)),
                         platform::Buttons::OK, QString(), platform::Icon::Warning);
        return;
    }
    const QString question =
        have == 0
            ? QStringLiteral("Lexuesi „%1” ka %2 regjistrime, rreth %3. Të shkarkohen të gjitha?")
                  .arg(s.name, QString::number(missing), audio::sizeText(bytes))
            : QStringLiteral("Nga lexuesi „%1” janë në disk %2 regjistrime. Të shkarkohen %3 të tjerat, rreth %4?")
                  .arg(s.name, QString::number(have), QString::number(missing), audio::sizeText(bytes));
    if (platform::MsgBox(question, platform::Buttons::YesNo, QString(), platform::Icon::Question) !=
        platform::Answer::Yes)
        return;
    const bool fresh = !m_fetcher.busy();
    m_recordings.fetchAll(id);
    if (fresh)
        m_fetcher.expectBytes(bytes);
    if (const qint64 reciter = registered(id); reciter >= 0)
        Q_EMIT reciterChosen(reciter);
    refresh();
}

void frmShkarkimet::removeReciter(const QString& id) {
    const Source s = source(Kind::Reciter, id);
    const QString folder = reciterFolder(id);
    if (s.id.isEmpty() || !QFileInfo::exists(folder))
        return;
    if (platform::MsgBox(QStringLiteral("Ta heq lexuesin „%1” dhe regjistrimet e tij? Lirohen %2 në disk.")
                             .arg(s.name, audio::sizeText(audio::bytesIn(folder))),
                         platform::Buttons::YesNo, QString(), platform::Icon::Question) != platform::Answer::Yes)
        return;
    m_fetcher.cancelIn(folder);
    try {
        for (const data::Reciter& r : m_library.reciters(data::ReciterKind::Verses))
            if (QDir::cleanPath(r.folder) == QDir::cleanPath(folder))
                m_library.removeReciter(r.id);
    } catch (const platform::DbError& e) {
        platform::MsgBox(QStringLiteral("Lexuesi nuk u hoq: ") + platform::albanianCause(e), platform::Buttons::OK,
                         QString(), platform::Icon::Warning);
        return;
    }
    if (!QDir(folder).removeRecursively())
        platform::MsgBox(QStringLiteral("Disa regjistrime të lexuesit „%1” nuk u fshinë nga dosja %2.")
                             .arg(s.name, QDir::toNativeSeparators(folder)),
                         platform::Buttons::OK, QString(), platform::Icon::Warning);
    Q_EMIT reciterChosen(-1);
    refresh();
}

} // namespace downloads
