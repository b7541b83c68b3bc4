// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/notes.h"

#include "notes/notes.h"
#include "platform/filedialog.h"
#include "platform/msgbox.h"
#include "platform/richtextview.h"
#include "tools/textinput.h"

#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

frmShenimi::frmShenimi(const QString& store, QWidget* parent) : QWidget(parent, Qt::Window), m_store(store) {
    setObjectName(QStringLiteral("frmShenimi"));
    resize(420, 260);
    txtShenimi = new QPlainTextEdit(this);
    txtShenimi->setObjectName(QStringLiteral("txtShenimi"));
    txtShenimi->setAccessibleName(QStringLiteral("Shënimi"));
    lblGabimi = new QLabel(this);
    lblGabimi->setObjectName(QStringLiteral("lblGabimi"));
    lblGabimi->setWordWrap(true);
    lblGabimi->setStyleSheet(QStringLiteral("color: #b00000;"));
    lblGabimi->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtShenimi, 1);
    layout->addWidget(lblGabimi);

    m_pause.setSingleShot(true);
    m_pause.setInterval(kPauseMs);
    connect(&m_pause, &QTimer::timeout, this, &frmShenimi::saveNow);
    connect(txtShenimi, &QPlainTextEdit::textChanged, this, &frmShenimi::changed);
    if (parent)
        parent->window()->installEventFilter(this); // the main window closing keeps what is typed
}

frmShenimi::~frmShenimi() {
    m_leaving = true; // nothing more is shown while the windows go
    try {
        saveNow();
    } catch (...) { // nothing may leave a destructor; a failure was said in the editor already
    }
}

void frmShenimi::showVerse(text::Verse verse) {
    if ((verse != m_verse || !isVisible()) && saveNow()) {
        m_verse = verse;
        {
            const QSignalBlocker quiet(txtShenimi);
            txtShenimi->setPlainText(notes::note(m_store, verse));
        }
        txtShenimi->moveCursor(QTextCursor::End); // the reader writes on where the note ends
        m_dirty = false;
        setWindowTitle(QStringLiteral("Shënim për ajetin %1").arg(verse.text()));
    }
    show();
    raise();
    activateWindow();
    txtShenimi->setFocus();
}

// Kept after a pause in typing, or at once when the first change not yet kept waited long enough: checked here, at
// every change, as well as by the timer, so that a busy event loop cannot hold the save back.
void frmShenimi::changed() {
    if (!m_dirty) {
        m_dirty = true;
        m_unkept.start();
    }
    const qint64 waited = m_unkept.elapsed();
    if (waited >= kLongestMs)
        saveNow();
    else
        m_pause.start(int(std::min<qint64>(kPauseMs, kLongestMs - waited)));
}

bool frmShenimi::saveNow() {
    m_pause.stop();
    if (!m_dirty || !m_verse.isValid())
        return true;
    try {
        notes::save(m_store, m_verse, txtShenimi->toPlainText());
    } catch (const databuilder::BuildError& e) {
        if (m_leaving)
            return false;
        m_unkept.start(); // tried again after a pause, or the longest wait, as typing goes on or not
        m_pause.start(kPauseMs);
        lblGabimi->setText(QStringLiteral("Shënimi nuk u ruajt: ") + e.message());
        lblGabimi->show();
        show(); // what was typed stays in sight
        return false;
    }
    m_dirty = false;
    lblGabimi->hide();
    Q_EMIT saved(m_verse);
    return true;
}

void frmShenimi::reload() {
    if (!m_verse.isValid() || !saveNow())
        return;
    const QSignalBlocker quiet(txtShenimi);
    txtShenimi->setPlainText(notes::note(m_store, m_verse));
    txtShenimi->moveCursor(QTextCursor::End);
}

void frmShenimi::placeBeside(QRect verse) {
    const QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* screen = main ? main->screen() : this->screen();
    const QRect available = screen->availableGeometry();
    create(); // its frame, as far as the platform knows it before the window is shown
    const QSize frame = frameGeometry().size() - size();
    QRect room = main ? main->frameGeometry().intersected(available) : available;
    if (room.width() < width() + frame.width() || room.height() < height() + frame.height())
        room = available; // a main window smaller than the editor: on its screen
    const QRect placed = shenimet::placeBeside(verse, size() + frame, room);
    resize(placed.size() - frame);
    move(placed.topLeft()); // the frame's corner
    m_placed = true;
}

void frmShenimi::closeEvent(QCloseEvent* e) {
    if (saveNow())
        e->accept();
    else
        e->ignore(); // the text stays, with the failure said under it
}

bool frmShenimi::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && watched == parentWidget()->window())
        saveNow();
    return QWidget::eventFilter(watched, event);
}

NotesList::NotesList(const QString& store, QWidget* parent) : QWidget(parent), m_store(store) {
    setObjectName(QStringLiteral("NotesList"));
    auto* title = new QLabel(QStringLiteral("Shënimet"), this);
    title->setStyleSheet(QStringLiteral("color: white;"));
    txtFiltri = new QLineEdit(this);
    txtFiltri->setObjectName(QStringLiteral("txtFiltriShenimeve"));
    txtFiltri->setPlaceholderText(QStringLiteral("Kërko në shënime"));
    txtFiltri->setAccessibleName(QStringLiteral("Kërko në shënime"));
    lstShenimet = new QListWidget(this);
    lstShenimet->setObjectName(QStringLiteral("lstShenimet"));
    lstShenimet->setAccessibleName(QStringLiteral("Shënimet"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(title);
    layout->addWidget(txtFiltri);
    layout->addWidget(lstShenimet, 1);
    cmdEksporto = new QPushButton(QStringLiteral("Eksporto"), this);
    cmdEksporto->setObjectName(QStringLiteral("cmdEksportoShenimet"));
    cmdEksporto->setToolTip(QStringLiteral("Ruaji shënimet në një skedar, për t’i marrë në një kompjuter tjetër"));
    cmdImporto = new QPushButton(QStringLiteral("Importo"), this);
    cmdImporto->setObjectName(QStringLiteral("cmdImportoShenimet"));
    cmdImporto->setToolTip(QStringLiteral("Merri shënimet nga një skedar i eksportuar"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdEksporto);
    buttons->addWidget(cmdImporto);
    layout->addLayout(buttons);
    connect(cmdEksporto, &QPushButton::clicked, this, &NotesList::exportNotes);
    connect(cmdImporto, &QPushButton::clicked, this, &NotesList::importNotes);
    chooseFile = [this](bool saving) {
        return platform::askForFile(window(),
                                    saving ? QStringLiteral("Eksporto shënimet") : QStringLiteral("Importo shënimet"),
                                    QDir::homePath() + (saving ? QStringLiteral("/shenimet.json") : QString()),
                                    QStringLiteral("Shënime (*.json);;Të gjithë skedarët (*)"),
                                    saving ? platform::FileChoice::Save : platform::FileChoice::Open);
    };
    connect(txtFiltri, &QLineEdit::textChanged, this, &NotesList::refresh);
    auto choose = [this](QListWidgetItem* item) {
        if (const text::Verse v = text::Verse::fromText(item->data(Qt::UserRole).toString()); v.isValid())
            Q_EMIT chosen(v);
    };
    connect(lstShenimet, &QListWidget::itemActivated, this, choose);
    connect(lstShenimet, &QListWidget::itemClicked, this, choose);
    refresh();
}

void NotesList::refresh() {
    lstShenimet->clear();
    QList<notes::Note> all;
    try {
        all = notes::all(m_store); // read once: the dots take every note, the list those the filter finds
    } catch (const databuilder::BuildError& e) {
        auto* said = new QListWidgetItem(QStringLiteral("Shënimet nuk u lexuan."), lstShenimet);
        said->setToolTip(e.message());
        return;
    }
    QHash<text::Verse, QString> every;
    for (const notes::Note& n : all)
        every.insert(n.verse, n.text);
    Q_EMIT notesRead(every);
    for (const notes::Note& n : notes::search(all, txtFiltri->text())) {
        auto* item = new QListWidgetItem(shenimet::lineOf(n.verse, n.text), lstShenimet);
        item->setData(Qt::UserRole, n.verse.text());
        item->setToolTip(n.text.left(300));
    }
}

void NotesList::exportNotes() {
    frmShenimi* editor = window()->findChild<frmShenimi*>();
    if (editor && !editor->saveNow())
        return; // said in the editor
    const QString file = chooseFile(true);
    if (file.isEmpty())
        return;
    try {
        const int written = notes::exportTo(m_store, file);
        platform::MsgBox(
            QStringLiteral("Shënimet (%1) u ruajtën te %2.").arg(written).arg(QDir::toNativeSeparators(file)),
            platform::Buttons::OK, QString(), platform::Icon::Information, window());
    } catch (const databuilder::BuildError& e) {
        platform::MsgBox(e.message(), platform::Buttons::OK, QString(), platform::Icon::Warning, window());
    }
}

void NotesList::importNotes() {
    frmShenimi* editor = window()->findChild<frmShenimi*>();
    if (editor && !editor->saveNow())
        return; // said in the editor; an import now would be written over by what it holds
    const QString file = chooseFile(false);
    if (file.isEmpty())
        return;
    try {
        const int changed = notes::importFrom(m_store, file);
        refresh();
        if (editor)
            editor->reload();
        platform::MsgBox(QStringLiteral("U morën %1 shënime nga %2.").arg(changed).arg(QDir::toNativeSeparators(file)),
                         platform::Buttons::OK, QString(), platform::Icon::Information, window());
    } catch (const databuilder::BuildError& e) {
        platform::MsgBox(e.message(), platform::Buttons::OK, QString(), platform::Icon::Warning, window());
    }
}

namespace shenimet {

QString lineOf(text::Verse verse, const QString& note) {
    constexpr int kShown = 40;
    const QString first = note.trimmed().section(u'\n', 0, 0);
    return verse.text() + QStringLiteral("  ") + (first.size() > kShown ? first.left(kShown) + u'…' : first);
}

QRect placeBeside(QRect verse, QSize size, QRect room) {
    constexpr int kGap = 4; // the verse's last line stays in sight above the editor
    QRect r(QPoint(), size.boundedTo(room.size()));
    if (verse.isEmpty()) {
        r.moveCenter(room.center());
    } else {
        r.moveTopLeft({verse.left(), verse.bottom() + 1 + kGap});
        if (r.bottom() > room.bottom() && verse.top() - kGap - r.height() >= room.top())
            r.moveBottom(verse.top() - 1 - kGap);
    }
    r.moveLeft(std::clamp(r.left(), room.left(), room.right() + 1 - r.width()));
    r.moveTop(std::clamp(r.top(), room.top(), room.bottom() + 1 - r.height()));
    return r;
}

QRect verseOnScreen(const platform::TextPane* text, text::Verse verse) {
    const auto [from, to] = text->blockOf(verse);
    if (from < 0)
        return {};
    QTextCursor at(text->document());
    at.setPosition(text->toDocumentPosition(from));
    const QRect first = text->cursorRect(at);
    at.setPosition(text->toDocumentPosition(to));
    const QRect last = text->cursorRect(at);
    const QRect view = text->viewport()->rect();
    const QRect lines = QRect(QPoint(view.left(), first.top()), QPoint(view.right(), last.bottom())).intersected(view);
    return lines.isEmpty() ? QRect() : lines.translated(text->viewport()->mapToGlobal(QPoint()));
}

frmShenimi* open(QWidget* window, const QString& store, text::Verse verse, const platform::TextPane* text) {
    if (!verse.isValid())
        return nullptr;
    auto* editor = window->findChild<frmShenimi*>(QString(), Qt::FindDirectChildrenOnly);
    if (!editor) {
        editor = new frmShenimi(store, window);
        for (NotesList* list : window->findChildren<NotesList*>())
            QObject::connect(editor, &frmShenimi::saved, list, &NotesList::refresh);
    }
    if (!editor->placed())
        editor->placeBeside(text ? verseOnScreen(text, verse) : QRect());
    editor->showVerse(verse);
    return editor;
}

} // namespace shenimet
