// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/frmkryesore.h"

#include "about/frmrrethprog.h"
#include "app/module1.h"
#include "app/notices.h"
#include "audio/playback.h"
#include "audio/player.h"
#include "audio/reciters.h"
#include "data/library.h"
#include "data/schema.h"
#include "downloads/frmshkarkimet.h"
#include "downloads/recordings.h"
#include "mainwindow/bookmarks.h"
#include "mainwindow/krahaso.h"
#include "mainwindow/navigation.h"
#include "mainwindow/night.h"
#include "mainwindow/place.h"
#include "mainwindow/printdialog.h"
#include "mainwindow/textcommands.h"
#include "mainwindow/translationimport.h"
#include "mainwindow/wholetext.h"
#include "notes/notes.h"
#include "platform/handler.h"
#include "platform/look.h"
#include "platform/mediaplayer.h"
#include "prefs/fonts.h"
#include "printing/sources.h"
#include "search/history.h"
#include "text/arabic.h"
#include "tools/parallel.h"
#include "tools/textinput.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>

#include <cstdio>

using platform::twips;

namespace {

// The size the whole text is written in, and Ctrl+0 brings back.
constexpr int kTextPoints = 12;

// What a search shows while it runs.
std::shared_ptr<const text::Composed> searchRunningNote() {
    text::Composer c;
    c.line(QStringLiteral("Keni durim..."));
    c.line(QStringLiteral("...kërkimi është në rrjedhë..."));
    return std::make_shared<const text::Composed>(c.take());
}

} // namespace

frmKryesore::frmKryesore(data::Library& library, QWidget* parent)
    : QWidget(parent), m_library(library), m_session(library) {
    setObjectName(QStringLiteral("frmKryesore"));
    setWindowTitle(QStringLiteral("Lib'rezi Drites"));
    endProgram = [] { QCoreApplication::exit(0); };
    m_points = kTextPoints;
    buildControls();
    m_searcher = new search::Searcher(this);
    m_find = std::make_unique<search::FindInText>(Rtf1);
    m_playback = new audio::Playback(*audio::windowPlayer(WindowsMediaPlayer1, this), m_library, this);
    m_reciters = new audio::ReciterChoice(m_library, CmbLexuesAjete, CmbLexuesSure, this);
    m_bookmarks = new Bookmarks(m_library, lstShenjuesit, this);
    m_import = new TranslationImport(this);
    // Nothing is fetched until the reader asks: these only wait for that.
    m_fetcher = new downloads::Fetcher(this);
    m_fetcher->userAgent = "librezi/" LIBREZI_VERSION_STRING;
    m_recordings = new downloads::Recordings(*m_fetcher, m_library, this);
    m_playback->setSupply(m_recordings);
    m_reciters->beforeRemovingFolder = [this](const QString& folder) { m_fetcher->cancelIn(folder); };
    m_themes =
        new themes::ThemeIndex(m_library,
                               themes::ThemeIndex::Controls{cmbKlasifikimTematik, LstAjetetPrejCmbTema, TreeView1,
                                                            lstAjetKlasifikim, cmdExpandAll, CmdCollapseAll},
                               this);
    connectHandlers();
    observeSession();
    Form_Load();
}

frmKryesore::~frmKryesore() {
    // The controls go after this body has run: nothing they signal while they go (a lost focus, a
    // closing list) may reach a handler of a window that is no longer whole.
    cmdFund->removeEventFilter(this);
    txtKerkim->removeEventFilter(this);
    for (QWidget* pane : Rtf1->panes())
        pane->removeEventFilter(this);
    const QList<QObject*> controls = findChildren<QObject*>();
    for (QObject* c : controls)
        disconnect(c, nullptr, this, nullptr);
    disconnect(&notices::channel(), nullptr, this, nullptr);
}

void frmKryesore::connectHandlers() {
    using platform::ComboBox;
    auto on = [this](auto* sender, auto signal, void (frmKryesore::*handler)()) {
        connect(sender, signal, this, [this, handler] { platform::guarded([&] { (this->*handler)(); }); });
    };
    on(CmbNrSure, &ComboBox::Click, &frmKryesore::CmbNrSure_Click);
    on(CmbEmrSure, &ComboBox::Click, &frmKryesore::CmbEmrSure_Click);
    on(CmbTotalAjete, &ComboBox::Click, &frmKryesore::CmbTotalAjete_Click);
    on(CmbNrAjeti, &ComboBox::Click, &frmKryesore::CmbNrAjeti_Click);
    // Enter in a navigation list does what a choice from it does.
    for (ComboBox* list : {CmbNrSure, CmbEmrSure, CmbNrAjeti, CmbTotalAjete, cmbKlasifikimTematik})
        connect(list, &ComboBox::KeyPress, this, [list](int ascii) {
            if (ascii == platform::kEnter)
                Q_EMIT list->Click();
        });
    on(cmdKtheLibrezin, &QToolButton::clicked, &frmKryesore::cmdKtheLibrezin_Click);
    on(cmdFund, &QToolButton::clicked, &frmKryesore::cmdFund_Click);
    cmdFund->installEventFilter(this);
    on(cmdCopy, &QToolButton::clicked, &frmKryesore::cmdCopy_Click);
    on(CmdRefreshKeshille, &QToolButton::clicked, &frmKryesore::CmdRefreshKeshille_Click);
    on(mnuSelektojeAjetin, &QAction::triggered, &frmKryesore::mnuSelektojeAjetin_Click);
    on(mnuSelektoKrejtTekstin, &QAction::triggered, &frmKryesore::mnuSelektoKrejtTekstin_Click);
    on(mnuKopjim, &QAction::triggered, &frmKryesore::mnuKopjim_Click);
    for (platform::TextPane* pane : Rtf1->panes()) // Ctrl+C in the text copies a selected verse with its reference
        pane->copyOfSelection = [this] { return verseCopy(); };
    connect(Rtf1, &platform::RichTextView::MouseUp, this, &frmKryesore::Rtf1_MouseUp);
    // A click on a link of a composed text (no selection made) follows it.
    connect(Rtf1, &platform::RichTextView::MouseUp, this, [this](int button, int, int x, int y) {
        if (button == 1 && Rtf1->SelLength() == 0 && inPassageMode())
            platform::guarded([&] { followLink(Rtf1->positionAt(QPoint(x, y))); });
    });

    on(cmdRrethProg, &QToolButton::clicked, &frmKryesore::cmdRrethProg_Click);
    on(cmdImporto, &QToolButton::clicked, &frmKryesore::cmdImporto_Click);
    on(ChkPaDallim, &QCheckBox::toggled, &frmKryesore::ChkPaDallim_Click);
    on(cmdImportoKeshilla, &QToolButton::clicked, &frmKryesore::cmdImporto_Click);
    on(cmdShkarkimet, &QToolButton::clicked, &frmKryesore::cmdShkarkimet_Click);
    on(cmdShkarkimetKeshilla, &QToolButton::clicked, &frmKryesore::cmdShkarkimet_Click);
    on(cmdTekstiArab, &QToolButton::clicked, &frmKryesore::cmdTekstiArab_Click);
    on(mnuTekstet, &QMenu::aboutToShow, &frmKryesore::fillTextsMenu);
    auto* arabicKey = new QAction(this);
    arabicKey->setObjectName(QStringLiteral("mnuTekstiArab"));
    arabicKey->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    arabicKey->setShortcutContext(Qt::WindowShortcut);
    addAction(arabicKey);
    connect(arabicKey, &QAction::triggered, cmdTekstiArab, &QToolButton::click);
    night::attach(cmdNata, Rtf1, this);
    // The reciter lists guard themselves: their handlers report a failed choice on their own.
    connect(CmbLexuesAjete, &ComboBox::Click, m_reciters, &audio::ReciterChoice::CmbLexuesAjete_Click);
    connect(CmbLexuesSure, &ComboBox::Click, m_reciters, &audio::ReciterChoice::CmbLexuesSure_Click);
    on(CmdPlayAjet, &QToolButton::clicked, &frmKryesore::CmdPlayAjet_Click);
    on(CmdPlaySure, &QToolButton::clicked, &frmKryesore::CmdPlaySure_Click);
    on(mnuLshoAjetin, &QAction::triggered, &frmKryesore::mnuLshoAjetin_Click);
    on(mnuPauzoje, &QAction::triggered, &frmKryesore::mnuPauzoje_Click);
    on(mnuVazhdo, &QAction::triggered, &frmKryesore::mnuVazhdo_Click);
    on(mnuLexoVazhdim, &QAction::triggered, &frmKryesore::CmdPlayVazhdim_Click);
    on(CmdPlayVazhdim, &QToolButton::clicked, &frmKryesore::CmdPlayVazhdim_Click);
    // The text follows the verse heard: selected, at the top of the view; that is no navigation of the reader's.
    connect(m_playback, &audio::Playback::reciting, this, [this](int surah, int verse) {
        platform::guarded([&] { m_session.goTo({surah, verse}, reading::Origin::Recitation); });
    });
    auto repeatChanged = [this] { platform::guarded([this] { repeatChosen(); }); };
    connect(CmbPerserit, &ComboBox::Click, this, repeatChanged);
    connect(ChkVargu, &QCheckBox::toggled, this, repeatChanged);
    connect(SpnNga, &QSpinBox::valueChanged, this, repeatChanged);
    connect(SpnDeri, &QSpinBox::valueChanged, this, repeatChanged);
    using data::ReciterKind;
    const auto reciterCommand = [this](QToolButton* button, bool add, ReciterKind kind) {
        connect(button, &QToolButton::clicked, this, [this, add, kind] {
            platform::guarded([&] {
                if (add)
                    m_reciters->addReciter(kind);
                else
                    m_reciters->removeReciter(kind);
            });
        });
    };
    reciterCommand(CmdShtoLexuesAjete, true, ReciterKind::Verses);
    reciterCommand(CmdHiqLexuesAjete, false, ReciterKind::Verses);
    reciterCommand(CmdShtoLexuesSure, true, ReciterKind::Surahs);
    reciterCommand(CmdHiqLexuesSure, false, ReciterKind::Surahs);
    on(Rtf1, &platform::RichTextView::DblClick, &frmKryesore::Rtf1_DblClick);
    on(CmbFontNames, &ComboBox::Click, &frmKryesore::CmbFontNames_Click);
    on(CmbNrFonti, &ComboBox::Click, &frmKryesore::CmbNrFonti_Click);
    on(cmdKerkoAll, &QToolButton::clicked, &frmKryesore::cmdKerkoAll_Click);
    on(cmdKerkim, &QToolButton::clicked, &frmKryesore::cmdKerkim_Click);
    on(cmdKerkimPrapa, &QToolButton::clicked, &frmKryesore::cmdKerkimPrapa_Click);
    on(CmbKerkoKrejt, &ComboBox::Click, &frmKryesore::CmbKerkoKrejt_Click);
    on(CmbKerkoKrejt, &ComboBox::GotFocus, &frmKryesore::CmbKerkoKrejt_GotFocus);
    connect(CmbKerkoKrejt, &ComboBox::KeyDown, this,
            [this](int key, int shift) { platform::guarded([&] { CmbKerkoKrejt_KeyDown(key, shift); }); });
    txtKerkim->installEventFilter(this);
    connect(m_searcher, &search::Searcher::finished, this, &frmKryesore::showSearchResults);
    connect(m_searcher, &search::Searcher::failed, this, &frmKryesore::searchFailed);

    connect(m_bookmarks, &Bookmarks::changed, this, &frmKryesore::showBookmarks);
    connect(m_bookmarks, &Bookmarks::removed, this,
            [this](text::Verse v) { say(QStringLiteral("Shënimi i ajetit %1 u hoq").arg(v.text())); });
    connect(m_bookmarks, &Bookmarks::chosen, this,
            [this](text::Verse v) { platform::guarded([&] { openInWholeText(v); }); });
    on(mnuShenjo, &QAction::triggered, &frmKryesore::mnuShenjo_Click);
    // Off in the popup of a line without a verse, Ctrl+D marks the verse under the caret again once it closes.
    connect(mnuPopupRtf, &QMenu::aboutToHide, mnuShenjo, [this] { mnuShenjo->setEnabled(true); });
    connect(Rtf1, &platform::RichTextView::zoomStep, this,
            [this](int step) { platform::guarded([&] { stepFontSize(step); }); });
    for (QWidget* pane : Rtf1->panes())
        pane->installEventFilter(this);
    connectShortcuts();

    themes::ThemeIndex* t = m_themes;
    auto onTheme = [this, t](auto* sender, auto signal, void (themes::ThemeIndex::*handler)()) {
        connect(sender, signal, this, [t, handler] { platform::guarded([&] { (t->*handler)(); }); });
    };
    onTheme(cmbKlasifikimTematik, &ComboBox::Click, &themes::ThemeIndex::cmbKlasifikimTematik_Click);
    onTheme(LstAjetetPrejCmbTema, &platform::ListBox::Click, &themes::ThemeIndex::LstAjetetPrejCmbTema_Click);
    onTheme(lstAjetKlasifikim, &platform::ListBox::Click, &themes::ThemeIndex::lstAjetKlasifikim_Click);
    onTheme(TreeView1, &platform::TreeView::NodeClick, &themes::ThemeIndex::TreeView1_NodeClick);
    onTheme(cmdExpandAll, &QToolButton::clicked, &themes::ThemeIndex::cmdExpandAll_Click);
    onTheme(CmdCollapseAll, &QToolButton::clicked, &themes::ThemeIndex::CmdCollapseAll_Click);
    connect(m_themes, &themes::ThemeIndex::passageChosen, this, [this](std::shared_ptr<const text::Composed> passage) {
        m_session.show(reading::Screen::Passage, std::move(passage));
    });
}

// The lists, the view, the player and the line under the lists follow the session.
void frmKryesore::observeSession() {
    m_session.setPlaceOfView([this](reading::Screen& s) {
        s.verse = Rtf1->topVerse();
        s.caret = Rtf1->SelStart();
        s.top = Rtf1->topPosition();
    });
    connect(&m_session, &reading::Session::verseChosen, this, &frmKryesore::showVerse);
    connect(&m_session, &reading::Session::screenChanged, this, &frmKryesore::showScreen);
    connect(&m_session, &reading::Session::told, this, &frmKryesore::tell);
    const auto notice = [this](const QString& text) {
        lblNjoftimi->setText(text);
        lblNjoftimi->setVisible(!text.isEmpty());
    };
    connect(&notices::channel(), &notices::Channel::changed, this, notice);
    notice(notices::channel().text());
}

void frmKryesore::showVerse(text::Verse v, reading::Origin origin) {
    showVerseInLists(v);
    if (origin == reading::Origin::Reader)
        m_playback->endSeries(); // the reader went elsewhere
    // The verse's line is selected and is the first line of the view; a surah's first verse shows its heading
    // above it. A composed text that does not hold the verse stays as it is.
    if (!Rtf1->selectVerse(v))
        return;
    Rtf1->showAtTop(Rtf1->positionOf(v, true));
}

void frmKryesore::showVerseInLists(text::Verse v) {
    const std::optional<data::Surah> surah = m_library.surah(v.surah);
    const int item = CmbNrSure->findData(v.surah, Qt::UserRole);
    if (!surah || item < 0)
        return;
    CmbNrSure->selectQuietly(item);
    CmbNrSure->setText(CmbNrSure->List(item));
    CmbEmrSure->setText(surah->name);
    CmbTotalAjete->setText(QString::number(surah->verses));
    if (CmbNrAjeti->ListCount() != surah->verses) { // the verse list is 1 to the surah's count
        CmbNrAjeti->Clear();
        for (int i = 1; i <= surah->verses; ++i)
            CmbNrAjeti->AddItem(QString::number(i));
    }
    CmbNrAjeti->selectQuietly(v.verse - 1); // Down and Up in the list go on from the verse shown
    CmbNrAjeti->setText(QString::number(v.verse));
}

// A copy of the screen: what the view does while it shows it (a reader's click meanwhile) may change the session's.
void frmKryesore::showScreen(reading::Screen s) {
    const bool back = m_session.canGoBack();
    cmdKtheLibrezin->setVisible(back);
    CmbKerkoKrejt->setFixedWidth(twips(back ? 1455 : 1935));
    if (s.composed()) {
        Rtf1->showComposed(*s.text);
        if (m_session.screen().text != s.text)
            return; // another screen was asked for meanwhile, and is shown
        if (s.top >= 0)
            Rtf1->showAtTop(s.top);
        if (s.caret >= 0)
            Rtf1->setSelStart(s.caret);
        return;
    }
    // The whole text read before comes back as it was left, its layout and place with it (loadWholeText reads it
    // again only when its file changed); the verse the reader was at is put at the top, since a new face or size may
    // have moved the lines meanwhile.
    Rtf1->showWholeText();
    const int at = Rtf1->positionOf(s.verse, true);
    if (at >= 0)
        Rtf1->showAtTop(at);
}

bool frmKryesore::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Rtf1->shown() && event->type() == QEvent::KeyPress && inPassageMode()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            platform::guarded([this] {
                if (!followLink(Rtf1->SelStart()))
                    openVerseInWholeText();
            });
            return true;
        }
    }
    // Tab out of the exit button goes round to the first list; Shift+Tab and the mouse go where they lead.
    if (watched == cmdFund && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() == Qt::TabFocusReason)
        cmdFund_LostFocus();
    if (watched == txtKerkim && event->type() == QEvent::FocusIn)
        txtKerkim_GotFocus();
    if (watched == txtKerkim && event->type() == QEvent::KeyPress) {
        const auto* ke = static_cast<QKeyEvent*>(event);
        if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter)
            platform::guarded([this] { txtKerkim_KeyPress(platform::kEnter); });
    }
    return QWidget::eventFilter(watched, event);
}

QString frmKryesore::loadWholeText() {
    const QString file = Module1::wholeTextFile();
    if (file.isEmpty())
        return QStringLiteral("teksti i plotë mungon ose nuk mund të lexohet");
    if (stampOf(file) == m_wholeStamp && Rtf1->hasWholeText())
        return QString();
    wholetext::Reading reading = wholetext::read(m_library, file);
    if (reading.fault.isEmpty()) {
        Rtf1->showDocument(reading.document, std::move(reading.index), file, std::move(reading.filled));
        m_wholeStamp = stampOf(file);
    }
    return reading.fault;
}

// What tells a whole-text file changed on disk since it was read: its name, time and size.
QString frmKryesore::stampOf(const QString& file) {
    const QFileInfo info(file);
    return file + u'|' + QString::number(info.lastModified().toMSecsSinceEpoch()) + u'|' + QString::number(info.size());
}

void frmKryesore::Form_Load() {
    // The lists first: the whole text is read meanwhile on another thread.
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, platform::windowColour());
    setPalette(pal);

    for (const data::Surah& s : m_library.surahs())
        CmbNrSure->AddItem(QString::number(s.number), s.number);
    for (const data::Surah& s : m_library.surahsByVerseCount())
        CmbTotalAjete->AddItem(QString::number(s.verses), s.number);
    for (const data::Surah& s : m_library.surahsByName())
        CmbEmrSure->AddItem(s.name, s.number);
    for (const auto& [number, theme] : m_library.themes())
        cmbKlasifikimTematik->AddItem(theme, number);
    if (cmbKlasifikimTematik->ListCount() > 0)
        cmbKlasifikimTematik->setListIndex(0);
    m_reciters->fill();
    addNrFontToCombo(CmbNrFonti);
    // Every face on the system is listed once the window shows: the first screen needs the box, not its list.
    QTimer::singleShot(0, this, [this] {
        const QString shown = CmbFontNames->Text();
        addFontToCombo(CmbFontNames);
        CmbFontNames->setText(shown);
    });
    history::ListaEFjaleveTeKerkuaraGetSetting(CmbKerkoKrejt);
    m_historyKept = history::itemsOf(CmbKerkoKrejt);
    // The theme tree is on a page the first screen does not show: it is filled once the window shows.
    QTimer::singleShot(0, this, [this] { platform::guarded([this] { m_themes->MbushePemenMeTema(); }); });
    showTip();
    CmbNrSure->setText(QStringLiteral("1"));
    CmbEmrSure->setText(QStringLiteral("Fatiha"));
    CmbNrAjeti->setText(QStringLiteral("1"));
    CmbTotalAjete->setText(QStringLiteral("7"));
    m_bookmarks->load();
    inviteImport(TranslationImport::placeholderShown(m_library));
    ChkPaDallim->setChecked(place::looseSearch());
    showRepeat(audio::loadRepeat());
    m_besideChoice = besidetexts::load();
    cmdTekstiArab->setChecked(m_besideChoice.arabic);
    showBesideTexts(); // before the whole text is read: its lines go in as it comes
    if (const QString fault = loadWholeText(); !fault.isEmpty()) {
        const QString file = Module1::wholeTextFile();
        throw Module1::StartupError{file.isEmpty() ? Module1::programFolder() + QStringLiteral("/LIB'REZI.rtf") : file,
                                    fault};
    }
    restorePlace();
    CmbFontNames->setText(drawnFace(Rtf1)); // the face the text is drawn in, a face of the box's list
    fitToScreen();
    chainTabOrder();
    Rtf1->setFocus(); // the reader starts in the text, not on the exit button
}

// The reader's place of the last run: window, face and size, and the verse at the top of the view. Nothing
// stored (the first start) leaves the start state as it is.
void frmKryesore::restorePlace() {
    const place::Place p = place::load();
    if (!p.geometry.isEmpty())
        restoreGeometry(p.geometry);
    if (!p.face.isEmpty()) {
        CmbFontNames->setText(p.face);
        CmbFontNames_Click();
    }
    if (!p.size.isEmpty()) {
        CmbNrFonti->setText(p.size);
        CmbNrFonti_Click();
    }
    // A verse of another database is not looked for. The verse is gone to once the window is shown: only
    // then does the view have the width its lines are laid out in.
    if (p.verse.isValid() && m_library.hasVerse(p.verse))
        m_restoreVerse = p.verse;
}

void frmKryesore::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (m_restoreVerse.isValid())
        QTimer::singleShot(0, this, [this] {
            platform::guarded([this] { m_session.goTo(std::exchange(m_restoreVerse, text::Verse())); });
        });
}

void frmKryesore::savePlace() {
    place::Place p;
    p.verse = m_session.wholeTextPlace();
    p.face = m_faceChosen ? CmbFontNames->Text() : QString();
    p.size = m_sizeChosen ? CmbNrFonti->Text() : QString();
    p.geometry = saveGeometry();
    const bool saved = place::save(p);
    notices::channel().saved(notices::Store::Place, saved);
    if (!saved)
        std::fprintf(stderr, "librezi: the reading place could not be saved\n");
}

void frmKryesore::closeEvent(QCloseEvent* e) {
    Form_Unload();
    e->accept();
}

bool frmKryesore::saveHistory() {
    const bool saved = history::ListaEFjaleveTeKerkuaraSaveSetting(CmbKerkoKrejt);
    if (saved)
        m_historyKept = history::itemsOf(CmbKerkoKrejt);
    notices::channel().saved(notices::Store::History, saved);
    if (!saved)
        std::fprintf(stderr, "librezi: the search history could not be saved\n");
    return saved;
}

// Closing never waits on the store: a history that cannot be written is lost, the window still closes.
void frmKryesore::Form_Unload() {
    m_searcher->cancel();
    saveHistory();
    savePlace();
}

void frmKryesore::cmdFund_Click() {
    if (platform::MsgBox(QStringLiteral("Dëshironi përfundimin e programit?"), platform::Buttons::YesNo) !=
        platform::Answer::Yes)
        return;
    saveHistory(); // the searches and the place of this run are kept on this path too
    savePlace();
    endProgram();
}

void frmKryesore::cmdFund_LostFocus() {
    CmbNrSure->setFocus();
}

// Navigation: each list names a verse, and the session goes there.

void frmKryesore::CmbNrSure_Click() {
    if (goToTypedVerse(CmbNrSure->Text()))
        return;
    if (CmbNrSure->Text().isEmpty())
        CmbNrSure->setText(QStringLiteral("1"));
    const int item = navigation::chosenItem(CmbNrSure, navigation::Match::Exact);
    if (item >= 0)
        m_session.goTo({int(CmbNrSure->ItemData(item)), 1});
    else
        goToTypedSurah(CmbNrSure->Text());
}

void frmKryesore::CmbEmrSure_Click() {
    if (goToTypedVerse(CmbEmrSure->Text()))
        return;
    if (CmbEmrSure->Text().isEmpty())
        CmbEmrSure->setText(QStringLiteral("Fatiha"));
    const int item = navigation::chosenItem(CmbEmrSure, navigation::Match::Prefix);
    if (item >= 0)
        m_session.goTo({int(CmbEmrSure->ItemData(item)), 1});
    else
        goToTypedSurah(CmbEmrSure->Text());
}

void frmKryesore::CmbTotalAjete_Click() {
    if (CmbTotalAjete->Text().isEmpty())
        CmbTotalAjete->setText(QStringLiteral("7"));
    const int item = navigation::chosenItem(CmbTotalAjete, navigation::Match::Exact);
    if (item >= 0)
        m_session.goTo({int(CmbTotalAjete->ItemData(item)), 1});
}

void frmKryesore::CmbNrAjeti_Click() {
    if (goToTypedVerse(CmbNrAjeti->Text()))
        return;
    // One retry from verse 1 when going to the verse fails; a second failure is reported.
    for (int attempt = 0;; ++attempt) {
        try {
            if (CmbNrAjeti->Text().isEmpty())
                CmbNrAjeti->setText(QStringLiteral("1"));
            if (CmbNrSure->Text().isEmpty()) {
                CmbNrSure->setText(QStringLiteral("1"));
                CmbEmrSure->setText(QStringLiteral("Fatiha"));
            }
            bool isNumber = false;
            const int verse = CmbNrAjeti->Text().trimmed().toInt(&isNumber);
            if (isNumber)
                m_session.goTo({CmbNrSure->Text().trimmed().toInt(), verse});
            else
                goToTypedSurah(CmbNrAjeti->Text()); // a surah's name alone, or said
            return;
        } catch (const std::exception&) {
            if (attempt > 0)
                throw;
            CmbNrAjeti->setText(QStringLiteral("1"));
        }
    }
}

// A verse gone to by its typed key is read on from: the text takes the keyboard, its caret on the verse.
bool frmKryesore::goToTypedVerse(const QString& typed) {
    QString unknown;
    const text::Verse v = navigation::parseTypedVerse(
        typed, [this](const QString& name) { return surahNamed(name); }, &unknown);
    if (!unknown.isEmpty())
        m_session.tell(navigation::unknownSurah(unknown));
    else if (!v.isValid())
        return false;
    else if (m_session.goTo(v))
        Rtf1->setFocus();
    return true;
}

// A number goes to its surah (the session says when there is none); a name too, or is said to name none.
void frmKryesore::goToTypedSurah(const QString& typed) {
    bool isNumber = false;
    int surah = typed.trimmed().toInt(&isNumber);
    if (!isNumber)
        surah = surahNamed(typed);
    if (isNumber || surah > 0)
        m_session.goTo({surah, 1});
    else
        m_session.tell(navigation::unknownSurah(typed));
}

// The surah a typed name names, 0 for none. The names are gathered once: they do not change while the window is open.
int frmKryesore::surahNamed(const QString& typed) {
    if (!m_surahNames)
        m_surahNames.emplace(navigation::SurahNames::of(m_library));
    return m_surahNames->find(typed);
}

void frmKryesore::goToNamedVerse(const QString& typed) {
    const text::Verse v = navigation::parseTypedVerse(typed, [this](const QString& name) { return surahNamed(name); });
    if (v.isValid())
        openInWholeText(v);
}

void frmKryesore::tell(const QString& message) {
    lblNavigimi->setText(message);
    lblNavigimi->setVisible(!message.isEmpty());
}

text::Verse frmKryesore::verseUnderCaret() const {
    return Rtf1->verseAt(Rtf1->SelStart());
}

void frmKryesore::cmdKtheLibrezin_Click() {
    goBack();
}

// The way back: a search that runs is called off; the screen left last comes back, the whole text read again
// when its file changed meanwhile.
void frmKryesore::goBack() {
    m_searcher->cancel();
    const QList<reading::Screen>& back = m_session.wayBack();
    if (back.isEmpty())
        return;
    if (!back.constLast().composed()) {
        if (const QString fault = loadWholeText(); !fault.isEmpty()) {
            // The passage stays on screen, and with it the way back.
            platform::MsgBox(QStringLiteral("Teksti i plotë nuk mund të hapet: %1.").arg(fault), platform::Buttons::OK,
                             QString(), platform::Icon::Warning);
            return;
        }
    }
    m_session.goBack();
}

void frmKryesore::openVerseInWholeText() {
    if (const text::Verse v = verseUnderCaret(); v.isValid())
        openInWholeText(v);
}

// A verse chosen outside the text (a bookmark, a verse of a passage) is read in the whole text.
bool frmKryesore::openInWholeText(text::Verse v) {
    if (inPassageMode()) {
        if (const QString fault = loadWholeText(); !fault.isEmpty()) {
            platform::MsgBox(QStringLiteral("Teksti i plotë nuk mund të hapet: %1.").arg(fault), platform::Buttons::OK,
                             QString(), platform::Icon::Warning);
            return false;
        }
    }
    return m_session.openInWholeText(v);
}

// Text view commands.

void frmKryesore::Rtf1_MouseUp(int Button, int, int X, int Y) {
    if (Button != 2)
        return;
    // The commands act where the reader points, unless they point into the selection.
    const int pointed = Rtf1->positionAt(QPoint(X, Y));
    if (pointed < Rtf1->SelStart() || pointed > Rtf1->SelStart() + Rtf1->SelLength())
        Rtf1->setSelStart(pointed);
    const text::Verse v = verseUnderCaret();
    mnuShenjo->setEnabled(v.isValid());
    mnuShenjo->setText(m_bookmarks->contains(v) ? QStringLiteral("Hiqe shënimin e ajetit")
                                                : QStringLiteral("Shëno ajetin"));
    Q_EMIT popupShown();
    mnuPopupRtf->popup(Rtf1->viewport()->mapToGlobal(QPoint(X, Y)));
}

// A verse's block (its key line, and the texts beside it when they are shown); any other line alone.
void frmKryesore::mnuSelektojeAjetin_Click() {
    if (!Rtf1->selectBlockAt(Rtf1->SelStart()))
        textcommands::selectLineUnderCaret(Rtf1);
}

void frmKryesore::Rtf1_DblClick() {
    if (inPassageMode())
        openVerseInWholeText(); // a verse of a passage or a search is read in its place
    else
        mnuLshoAjetin_Click();
}

void frmKryesore::mnuShenjo_Click() {
    const text::Verse v = verseUnderCaret();
    if (!v.isValid())
        return;
    say((m_bookmarks->toggle(v) ? QStringLiteral("Ajeti %1 u shënua") : QStringLiteral("Shënimi i ajetit %1 u hoq"))
            .arg(v.text()));
}

// While the bookmarks page shows, Ctrl+Z puts back the mark Delete took away last.
void frmKryesore::undoBookmarkRemoved() {
    if (C1Tab1->currentWidget() != lstShenjuesit->parentWidget())
        return;
    if (const text::Verse v = m_bookmarks->undoRemove(); v.isValid())
        say(QStringLiteral("Shënimi i ajetit %1 u kthye").arg(v.text()));
}

// The marks beside the keys of the marked verses, and their count on the page's tab.
void frmKryesore::showBookmarks() {
    const QList<text::Verse>& marked = m_bookmarks->verses();
    Rtf1->setMarkedVerses(QSet<text::Verse>(marked.begin(), marked.end()));
    const int page = C1Tab1->indexOf(lstShenjuesit->parentWidget());
    C1Tab1->setTabText(page, marked.isEmpty() ? QStringLiteral("S&hënjuesit")
                                              : QStringLiteral("S&hënjuesit (%1)").arg(marked.size()));
}

// What a command did, said on the news line for a while.
void frmKryesore::say(const QString& news) {
    lblLajmi->setText(news);
    lblLajmi->setVisible(!news.isEmpty());
    m_newsShown.start();
}

void frmKryesore::mnuSelektoKrejtTekstin_Click() {
    Rtf1->setSelStart(0);
    Rtf1->setSelLength(Rtf1->TextLength());
}

void frmKryesore::mnuKopjim_Click() {
    cmdCopy_Click();
}

void frmKryesore::cmdCopy_Click() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (QMimeData* verse = verseCopy())
        clipboard->setMimeData(verse);
    else
        clipboard->setText(Rtf1->SelText());
}

QMimeData* frmKryesore::verseCopy() const {
    const int start = Rtf1->SelStart();
    const text::Verse v = Rtf1->verseAt(start);
    if (!v.isValid() || Rtf1->shown()->blockAt(start) != std::pair{start, start + Rtf1->SelLength()})
        return nullptr;
    const text::Copied copied = text::copiedVerse(
        Rtf1->SelText(), v,
        text::reference(m_library.surah(v.surah).value_or(data::Surah{}).name, v,
                        m_library.fact(QString::fromLatin1(schema::kMetaTranslator)).value_or(QString())));
    auto* data = new QMimeData;
    data->setText(copied.plain);
    data->setHtml(copied.html);
    return data;
}

// Tips.

void frmKryesore::showTip() {
    if (const std::optional<QString> tip = m_library.randomTip()) // an empty table leaves the label as it was
        LblKeshilla->setText(*tip);
}

void frmKryesore::CmdRefreshKeshille_Click() {
    showTip();
}

// Search: the request is read from the controls, the search runs off the window's thread, and its results come
// back as a composed text.

void frmKryesore::cmdKerkoAll_Click() {
    if (m_searcher->running())
        return; // a second search while one runs is ignored
    search::Request request;
    request.phrase = CmbKerkoKrejt->Text();
    request.surah = ChkKerkoSure->isChecked() ? search::currentSurah(CmbNrSure->Text()) : 0;
    request.loose = ChkPaDallim->isChecked();
    if (text::hasArabic(request.phrase)) { // the store's Arabic text is searched
        request.arabicStore = Module1::parallelTextsPath();
        try {
            request.arabicText = besidetexts::arabicText(request.arabicStore);
        } catch (const databuilder::BuildError& e) {
            platform::MsgBox(e.message(), platform::Buttons::OK, QString(), platform::Icon::Warning);
            return;
        }
    }
    if (const search::Refusal r = search::refusalOf(request.phrase, ChkKerkoSure->isChecked(), request.surah,
                                                    request.arabicText > 0 || !text::hasArabic(request.phrase));
        r != search::Refusal::None) {
        platform::MsgBox(search::refusalText(r));
        (r == search::Refusal::NoSurah ? static_cast<QWidget*>(CmbNrSure) : CmbKerkoKrejt)->setFocus();
        return;
    }
    if (request.surah > 0)
        request.surahName = m_library.surah(request.surah).value_or(data::Surah{}).name;
    m_searcher->start(m_library.connection().path(), request);
    m_session.show(reading::Screen::Note, searchRunningNote()); // the way back calls the search off
}

void frmKryesore::showSearchResults(const search::Outcome& outcome, std::shared_ptr<const text::Composed> shown) {
    m_session.show(reading::Screen::Results, std::move(shown));
    Rtf1->setSelStart(0);
    Rtf1->SetFocus();
    history::addSearched(CmbKerkoKrejt, outcome.request.phrase);
    Q_EMIT searchDone();
    // A list that changed is kept at once, once the results are drawn: a run that ends without closing keeps its
    // searches, and a store that cannot be written is said now.
    if (history::itemsOf(CmbKerkoKrejt) != m_historyKept)
        QTimer::singleShot(0, this, [this] { saveHistory(); });
}

// A search that failed leaves the view as it was before it, and says why.
void frmKryesore::searchFailed(std::exception_ptr error) {
    m_session.undoShow();
    Q_EMIT searchDone();
    platform::guarded([&] { std::rethrow_exception(error); });
}

// The hint under a search that found nothing, that the loose search would find, turns the option on and searches
// again. False when no link is at the position.
bool frmKryesore::followLink(int crlfPos) {
    const std::shared_ptr<const text::Composed>& shown = m_session.screen().text;
    if (!shown || m_session.screen().kind != reading::Screen::Results)
        return false;
    const int at = Rtf1->toDocumentPosition(crlfPos);
    for (const text::Mark& m : shown->marks)
        if (m.role == text::Role::Link && at >= m.start && at <= m.start + m.length) {
            ChkPaDallim->setChecked(true);
            cmdKerkoAll_Click();
            return true;
        }
    return false;
}

void frmKryesore::cmdKerkim_Click() {
    if (!m_find->next(txtKerkim->text()))
        txtKerkim->setFocus();
}
void frmKryesore::cmdKerkimPrapa_Click() {
    if (!m_find->previous(txtKerkim->text()))
        txtKerkim->setFocus();
}
void frmKryesore::CmbKerkoKrejt_Click() {
    history::picked(CmbKerkoKrejt);
}

void frmKryesore::CmbKerkoKrejt_KeyDown(int KeyCode, int) {
    if (KeyCode == platform::kEnter)
        cmdKerkoAll_Click();
}

void frmKryesore::CmbKerkoKrejt_GotFocus() {
    CmbKerkoKrejt->setSelStart(0);
    CmbKerkoKrejt->setSelLength(int(CmbKerkoKrejt->Text().size()));
}

void frmKryesore::txtKerkim_GotFocus() {
    txtKerkim->selectAll();
}

void frmKryesore::txtKerkim_KeyPress(int KeyAscii) {
    if (KeyAscii == platform::kEnter)
        cmdKerkim_Click();
}

// Fonts and the About window.

// A new face or size keeps the verse at the top of the view where it was.
void frmKryesore::CmbFontNames_Click() {
    const text::Verse top = Rtf1->topVerse();
    ::CmbFontNames_Click(Rtf1, CmbFontNames);
    m_faceChosen = true;
    if (const int at = Rtf1->positionOf(top); at >= 0)
        Rtf1->showAtTop(at);
}
void frmKryesore::CmbNrFonti_Click() {
    const text::Verse top = Rtf1->topVerse();
    ::CmbNrFonti_Click(Rtf1, CmbNrFonti);
    m_sizeChosen = true;
    if (const int at = Rtf1->positionOf(top); at >= 0)
        Rtf1->showAtTop(at);
    bool isNumber = false;
    const int points = CmbNrFonti->Text().trimmed().toInt(&isNumber);
    if (isNumber && points >= kSmallestTextSize && points <= kLargestTextSize)
        m_points = points;
}

// One step along the size list, from the size last applied (the box may show a size never applied).
void frmKryesore::stepFontSize(int step) {
    const int first = CmbNrFonti->List(0).toInt();
    const int last = CmbNrFonti->List(CmbNrFonti->ListCount() - 1).toInt();
    CmbNrFonti->setText(QString::number(qBound(first, m_points + step, last)));
    CmbNrFonti_Click();
}
void frmKryesore::biggerText() {
    stepFontSize(1);
}
void frmKryesore::smallerText() {
    stepFontSize(-1);
}
void frmKryesore::defaultTextSize() {
    CmbNrFonti->setText(QString::number(kTextPoints));
    CmbNrFonti_Click();
}

// F6 goes from the left column to the text, to the player strip and back to the left column (Shift+F6 the other
// way), to the control last used there; a part with nothing to take the keyboard is passed over.
void frmKryesore::nextPart(int step) {
    QWidget* const parts[] = {findChild<QWidget*>(QStringLiteral("C1Elastic2_Scroll")), Rtf1, WindowsMediaPlayer1};
    QWidget* now = QApplication::focusWidget();
    int at = 0;
    for (int i = 0; i < 3; ++i)
        if (now && (parts[i] == now || parts[i]->isAncestorOf(now)))
            at = i;
    if (now && at == 0)
        m_lastInColumn = now;
    for (int tried = 1; tried <= 3; ++tried) {
        const int part = (at + step * tried + 3) % 3;
        QWidget* target = part == 1 ? Rtf1->shown() : nullptr;
        if (part == 0 && m_lastInColumn && m_lastInColumn->isVisibleTo(this) && m_lastInColumn->isEnabled())
            target = m_lastInColumn;
        if (!target)
            for (QWidget* w : parts[part]->findChildren<QWidget*>())
                if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(this) && w->isEnabled()) {
                    target = part == 0 ? CmbNrSure : w;
                    break;
                }
        if (target) {
            target->setFocus(Qt::ShortcutFocusReason);
            return;
        }
    }
}

void frmKryesore::focusFind() {
    txtKerkim->setFocus();
    txtKerkim->selectAll();
}
void frmKryesore::focusSearch() {
    CmbKerkoKrejt->setFocus();
}
void frmKryesore::focusVerse() {
    C1Tab1->setCurrentIndex(0);
    CmbNrAjeti->setFocus();
    CmbNrAjeti->lineEdit()->selectAll();
}
void frmKryesore::cmdTekstiArab_Click() {
    m_besideChoice.arabic = cmdTekstiArab->isChecked();
    bool held = false;
    try {
        held = besidetexts::arabicText(Module1::parallelTextsPath()) > 0;
    } catch (const databuilder::BuildError&) {
    }
    if (m_besideChoice.arabic && !held) {
        m_besideChoice.arabic = false;
        cmdTekstiArab->setChecked(false);
        platform::MsgBox(QStringLiteral("Teksti arab nuk është ende në kompjuter. Merreni te „Shkarkimet” ose "
                                        "importojeni nga një skedar me shigjetën e butonit „Teksti arab”."),
                         platform::Buttons::OK, QString(), platform::Icon::Information);
        return;
    }
    besidetexts::save(m_besideChoice);
    showBesideTexts();
}

void frmKryesore::fillTextsMenu() {
    mnuTekstet->clear();
    QList<databuilder::ParallelText> texts;
    try {
        texts = databuilder::parallelTexts(Module1::parallelTextsPath());
    } catch (const databuilder::BuildError& e) {
        mnuTekstet->addAction(e.message())->setEnabled(false);
    }
    bool any = false;
    for (const databuilder::ParallelText& t : texts) {
        if (t.kind == databuilder::TextKind::Arabic)
            continue;
        any = true;
        QAction* a = mnuTekstet->addAction(QStringLiteral("Përkthimi i %1").arg(text::shortName(t.name)));
        a->setObjectName(QStringLiteral("mnuPerkthimi_") + t.name);
        a->setCheckable(true);
        a->setChecked(m_besideChoice.translations.contains(t.name));
        connect(a, &QAction::toggled, this, [this, name = t.name](bool on) {
            m_besideChoice.translations.removeAll(name);
            if (on)
                m_besideChoice.translations.append(name);
            besidetexts::save(m_besideChoice);
            platform::guarded([this] { showBesideTexts(); });
        });
    }
    if (!any)
        mnuTekstet->addAction(QStringLiteral("Nuk ka përkthime të tjera: merrini te „Shkarkimet”"))->setEnabled(false);
    mnuTekstet->addSeparator();
    QMenu* sizes = mnuTekstet->addMenu(QStringLiteral("Madhësia e tekstit arab"));
    sizes->setObjectName(QStringLiteral("mnuMadhesiaArabe"));
    for (const int points : {16, 18, 20, 22, 26, 30, 36}) {
        QAction* a = sizes->addAction(QString::number(points));
        a->setCheckable(true);
        a->setChecked(points == m_besideChoice.arabicPoints);
        connect(a, &QAction::triggered, this, [this, points] {
            m_besideChoice.arabicPoints = points;
            besidetexts::save(m_besideChoice);
            platform::guarded([this] { showBesideTexts(); });
        });
    }
    mnuTekstet->addSeparator();
    QAction* import = mnuTekstet->addAction(QStringLiteral("Importo tekst nga skedari..."));
    import->setObjectName(QStringLiteral("mnuImportoTekst"));
    connect(import, &QAction::triggered, this, [this] { platform::guarded([this] { mnuImportoTekst_Click(); }); });
}

void frmKryesore::mnuImportoTekst_Click() {
    const std::optional<databuilder::ParallelText> t = m_import->importBeside();
    if (!t)
        return;
    // A text just imported is what the reader wants to read: it is shown.
    if (t->kind == databuilder::TextKind::Arabic) {
        m_besideChoice.arabic = true;
        cmdTekstiArab->setChecked(true);
    } else if (!m_besideChoice.translations.contains(t->name)) {
        m_besideChoice.translations.append(t->name);
    }
    besidetexts::save(m_besideChoice);
    showBesideTexts();
}

void frmKryesore::showBesideTexts() {
    QList<text::ShownText> texts;
    try {
        texts = besidetexts::read(Module1::parallelTextsPath(), m_besideChoice);
    } catch (const databuilder::BuildError& e) {
        tell(e.message());
    }
    const bool whole = Rtf1->showsWholeText();
    const text::Verse top = whole ? Rtf1->topVerse() : text::Verse{};
    Rtf1->setBeside(texts, besidetexts::arabicFont(m_besideChoice.arabicPoints));
    if (top.isValid())
        Rtf1->showAtTop(Rtf1->positionOf(top, true));
    if (!whole && m_session.screen().text) {
        const text::Verse shown = Rtf1->topVerse();
        Rtf1->showComposed(*m_session.screen().text); // composed again, with the lines beside
        if (shown.isValid())
            Rtf1->showAtTop(Rtf1->positionOf(shown));
    }
}

void frmKryesore::ChkPaDallim_Click() {
    Rtf1->setLooseLetters(ChkPaDallim->isChecked());
    const bool saved = place::saveLooseSearch(ChkPaDallim->isChecked());
    notices::channel().saved(notices::Store::SearchOption, saved);
}

void frmKryesore::cmdImporto_Click() {
    if (m_import->run(m_library))
        afterImport();
}

void frmKryesore::importFetched(const QString& file) {
    if (m_import->run(m_library, file))
        afterImport();
}

void frmKryesore::cmdShkarkimet_Click() {
    if (!m_downloads) {
        m_downloads = new downloads::frmShkarkimet(*m_fetcher, *m_recordings, m_library, this);
        m_downloads->setWindowFlag(Qt::Window);
        connect(m_downloads, &downloads::frmShkarkimet::translationFetched, this,
                [this](const QString& file) { platform::guarded([&] { importFetched(file); }); });
        connect(m_downloads, &downloads::frmShkarkimet::reciterChosen, this,
                [this](qint64 id) { platform::guarded([&] { reciterFetched(id); }); });
    }
    m_downloads->refresh();
    m_downloads->show();
    m_downloads->raise();
    m_downloads->activateWindow();
}

void frmKryesore::mnuKrahaso_Click() {
    text::Verse verse = Rtf1->verseAt(Rtf1->SelStart());
    if (!verse.isValid())
        verse = m_session.verse();
    if (!verse.isValid())
        return;
    if (!m_compare)
        m_compare = new frmKrahaso(m_library, this);
    m_compare->showVerse(verse);
}

printing::Printout frmKryesore::viewPrintout() const {
    if (const reading::Screen& screen = m_session.screen(); screen.composed() && screen.text)
        return printing::composed(m_library, *screen.text, Rtf1->beside());
    text::Verse at = Rtf1->verseAt(Rtf1->SelStart());
    if (!at.isValid())
        at = Rtf1->topVerse();
    if (!at.isValid())
        at = m_session.verse();
    return printing::surah(m_library, at.isValid() ? at.surah : 1, Rtf1->beside());
}

std::optional<printing::Printout> frmKryesore::bookmarksPrintout() const {
    const QList<notes::Note> noted = notes::all(Module1::notesPath());
    if (m_bookmarks->verses().isEmpty() && noted.isEmpty())
        return std::nullopt;
    return printing::bookmarks(m_library, m_bookmarks->verses(), noted, Rtf1->beside());
}

printing::Look frmKryesore::printLook() const {
    // The reader's face, at a size for paper.
    QFont face(Rtf1->fontAt(std::max(0, Rtf1->positionOf(Rtf1->topVerse()))).family());
    face.setPointSizeF(11);
    return {face, besidetexts::arabicFont(16)};
}

void frmKryesore::reciterFetched(qint64 id) {
    m_reciters->fill();
    if (id >= 0)
        CmbLexuesAjete->setListIndex(CmbLexuesAjete->findData(qint32(id), Qt::UserRole)); // chosen, as by the reader
    else if (CmbLexuesAjete->ListIndex() < 0 && CmbLexuesAjete->ListCount() > 0)
        CmbLexuesAjete->setListIndex(0); // the one in use went: the first one left
}

// The new translation is shown at once, where the reader was.
void frmKryesore::afterImport() {
    const text::Verse at = m_session.wholeTextPlace();
    while (m_session.canGoBack() && inPassageMode())
        m_session.goBack();
    m_wholeStamp.clear(); // read again, whatever its file's stamp
    if (const QString fault = loadWholeText(); !fault.isEmpty())
        platform::MsgBox(QStringLiteral("Teksti i plotë nuk mund të hapet: %1.").arg(fault), platform::Buttons::OK,
                         QString(), platform::Icon::Warning);
    m_bookmarks->load();
    inviteImport(TranslationImport::placeholderShown(m_library));
    if (at.isValid())
        m_session.goTo(at);
}

// While the book holds no translation, the import button says its name beside its icon (the book's first lines name
// it so), and the tips offer it too.
void frmKryesore::inviteImport(bool invite) {
    cmdImportoKeshilla->setVisible(invite);
    cmdShkarkimetKeshilla->setVisible(invite);
    cmdImporto->setText(QStringLiteral("Importo përkthimin..."));
    cmdImporto->setToolButtonStyle(invite ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
}

void frmKryesore::cmdRrethProg_Click() {
    showAbout(this, m_library);
}

// Recitation.

void frmKryesore::CmdPlayAjet_Click() {
    m_playback->FuncPlayAjet(CmbNrSure->Text(), audio::threeDigits(CmbNrAjeti->Text()));
}
void frmKryesore::CmdPlaySure_Click() {
    m_playback->FuncPlaySure(audio::threeDigits(CmbNrSure->Text()));
}
// The verse (or, on a heading, the surah) of the line under the caret, its block (or the line) selected.
void frmKryesore::mnuLshoAjetin_Click() {
    mnuSelektojeAjetin_Click();
    const int line = Rtf1->SelStart();
    if (const text::Verse v = Rtf1->verseAt(line); v.isValid())
        m_playback->FuncPlayAjet(QString::number(v.surah), QString::number(v.verse));
    else if (const int surah = Rtf1->headingAt(line))
        m_playback->FuncPlaySure(QString::number(surah));
}
void frmKryesore::mnuPauzoje_Click() {
    m_playback->mnuPauzoje_Click();
}
void frmKryesore::mnuVazhdo_Click() {
    m_playback->mnuVazhdo_Click();
}

// From the verse under the caret (or the one the lists name) to the surah's end, verse after verse; while a series
// is heard, the same command stops it.
void frmKryesore::CmdPlayVazhdim_Click() {
    if (m_playback->inSeries()) {
        m_playback->stopSeries();
        return;
    }
    text::Verse from = verseUnderCaret();
    if (!from.isValid())
        from = {CmbNrSure->Text().toInt(), qMax(1, CmbNrAjeti->Text().toInt())};
    m_playback->startSeries(from.surah, from.verse);
}

namespace {
constexpr int kTimes[] = {1, 2, 3, 5, 10, 0}; // the repeat list's items; 0: for ever
}

void frmKryesore::repeatChosen() {
    audio::Repeat r;
    r.times = kTimes[qBound(0, CmbPerserit->ListIndex(), 5)];
    r.loop = ChkVargu->isChecked();
    r.from = SpnNga->value();
    r.to = SpnDeri->value();
    m_playback->setRepeat(r);
    notices::channel().saved(notices::Store::Repeat, audio::saveRepeat(r));
}

void frmKryesore::showRepeat(const audio::Repeat& r) {
    const QSignalBlocker a(CmbPerserit), b(ChkVargu), c(SpnNga), d(SpnDeri);
    CmbPerserit->selectQuietly(int(std::find(std::begin(kTimes), std::end(kTimes), r.times) - std::begin(kTimes)) % 6);
    ChkVargu->setChecked(r.loop);
    SpnNga->setValue(r.from);
    SpnDeri->setValue(r.to);
    m_playback->setRepeat(r);
}
