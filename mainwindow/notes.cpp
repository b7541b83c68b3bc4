// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/notes.h"

#include "notes/notes.h"
#include "tools/textinput.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

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
    connect(txtShenimi, &QPlainTextEdit::textChanged, this, [this] {
        m_dirty = true;
        m_pause.start();
    });
    if (parent)
        parent->window()->installEventFilter(this); // the main window closing keeps what is typed
}

frmShenimi::~frmShenimi() {
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

bool frmShenimi::saveNow() {
    m_pause.stop();
    if (!m_dirty || !m_verse.isValid())
        return true;
    try {
        notes::save(m_store, m_verse, txtShenimi->toPlainText());
    } catch (const databuilder::BuildError& e) {
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

namespace shenimet {

frmShenimi* open(QWidget* window, const QString& store, text::Verse verse) {
    if (!verse.isValid())
        return nullptr;
    auto* editor = window->findChild<frmShenimi*>(QString(), Qt::FindDirectChildrenOnly);
    if (!editor)
        editor = new frmShenimi(store, window);
    editor->showVerse(verse);
    return editor;
}

} // namespace shenimet
