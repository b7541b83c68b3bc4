// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/frmkryesore.h"

#include "about/frmrrethprog.h"
#include "app/module1.h"
#include "audio/playback.h"
#include "audio/reciters.h"
#include "data/queryhelpers.h"
#include "mainwindow/bookmarks.h"
#include "mainwindow/header.h"
#include "mainwindow/navigation.h"
#include "mainwindow/place.h"
#include "mainwindow/textcommands.h"
#include "mainwindow/translationimport.h"
#include "mainwindow/wholetext.h"
#include "platform/handler.h"
#include "platform/look.h"
#include "platform/mediaplayer.h"
#include "prefs/fonts.h"
#include "resources/resources.h"
#include "search/history.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

using platform::twips;

namespace {

// The size the whole text is written in, and Ctrl+0 brings back.
constexpr int kTextPoints = 12;

template <typename T> T* named(T* w, const char* name) {
    w->setObjectName(QLatin1String(name));
    return w;
}

// A graphical button without a caption: its hint names what it does, for the eye and the screen reader.
QToolButton* iconButton(QWidget* parent, const char* name, const QString& hint, const char* icon) {
    auto* b = named(new QToolButton(parent), name);
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    b->setIcon(art::icon(icon));
    b->setIconSize(QSize(24, 24));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

QLabel* whiteLabel(QWidget* parent, const char* name, const QString& text) {
    auto* l = named(new QLabel(text, parent), name);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(p);
    return l;
}

// A panel in the window's dark colour, on which the white labels stand.
template <typename T> T* darkPanel(T* w) {
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, platform::windowColour());
    w->setPalette(p);
    return w;
}

} // namespace

frmKryesore::frmKryesore(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmKryesore"));
    setWindowTitle(QStringLiteral("Lib'rezi Drites"));
    endProgram = [] { QCoreApplication::exit(0); };
    m_points = kTextPoints;
    buildControls();
    connectHandlers();
    Form_Load();
}

QWidget* frmKryesore::buildCommandPanel(QWidget* parent) {
    auto* commands = named(new QWidget(parent), "C1Elastic7_MenuBottom");
    auto* grid = new QGridLayout(commands);
    grid->setContentsMargins(8, 8, 8, 8);
    cmdFund = iconButton(commands, "cmdFund", QStringLiteral("Mbylle programin"), art::kClose);
    cmdCopy = iconButton(commands, "cmdCopy", QStringLiteral("Kopjo tekstin e selektuar"), art::kCopy);
    txtKerkim = named(new QLineEdit(QStringLiteral("All-llahu"), commands), "txtKerkim");
    txtKerkim->setToolTip(QStringLiteral("Fjala e kërkuar"));
    txtKerkim->setAccessibleName(QStringLiteral("Fjala e kërkuar"));
    cmdKerkimPrapa = iconButton(commands, "cmdKerkimPrapa", QStringLiteral("Kërko prapa"), art::kFindBack);
    cmdKerkim = iconButton(commands, "cmdKerkim", QStringLiteral("Kërko përpara"), art::kFindForward);
    CmbKerkoKrejt = named(new platform::ComboBox(commands), "CmbKerkoKrejt");
    CmbKerkoKrejt->setText(QStringLiteral("Musliman"));
    CmbKerkoKrejt->setToolTip(QStringLiteral("Fjala që përmendet nëpër ajete"));
    CmbKerkoKrejt->setAccessibleName(QStringLiteral("Fjala që përmendet nëpër ajete"));
    CmbKerkoKrejt->setFixedWidth(twips(2415));
    cmdKtheLibrezin = iconButton(commands, "cmdKtheLibrezin", QStringLiteral("Kthe tekstin e Lib'rezit"), art::kReload);
    cmdKtheLibrezin->setVisible(false);
    cmdKerkoAll = iconButton(commands, "cmdKerkoAll", QStringLiteral("Kërko"), art::kFindAll);
    ChkKerkoSure = named(new QCheckBox(QStringLiteral("Vetëm sureja aktuale"), commands), "ChkKerkoSure");
    ChkKerkoSure->setToolTip(QStringLiteral("Kërkimi të bëhet vetëm përbrenda sures së selektuar"));
    ChkPaDallim = named(new QCheckBox(QStringLiteral("Pa dallim ë/e, ç/c"), commands), "ChkPaDallim");
    ChkPaDallim->setToolTip(QStringLiteral("Kërkimi dhe ngjyrosja nuk i dallojnë ë nga e dhe ç nga c"));
    QPalette white = ChkKerkoSure->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    ChkKerkoSure->setPalette(white);
    ChkPaDallim->setPalette(white);

    cmdRrethProg = iconButton(commands, "cmdRrethProg", QStringLiteral("Rreth programit..."), art::kAbout);
    cmdImporto = iconButton(commands, "cmdImporto", QStringLiteral("Importo përkthimin..."), art::kImport);
    CmbFontNames = named(new platform::ComboBox(commands), "CmbFontNames");
    CmbFontNames->setSorted(true);
    CmbFontNames->setToolTip(QStringLiteral("Lloji i shkronjave"));
    CmbFontNames->setAccessibleName(CmbFontNames->toolTip());
    CmbNrFonti = named(new platform::ComboBox(commands), "CmbNrFonti");
    CmbNrFonti->setText(QString::number(kTextPoints)); // the size the text has
    CmbNrFonti->setToolTip(QStringLiteral("Madhësia e tekstit"));
    CmbNrFonti->setAccessibleName(CmbNrFonti->toolTip());
    CmbNrFonti->setFixedWidth(twips(615) + 8);

    auto* topRow = new QHBoxLayout;
    topRow->addWidget(cmdFund);
    topRow->addWidget(cmdRrethProg);
    topRow->addWidget(cmdImporto);
    topRow->addStretch();
    topRow->addWidget(cmdCopy);
    grid->addLayout(topRow, 0, 0);
    grid->addWidget(whiteLabel(commands, "Label3", QStringLiteral("Kërkimi i tekstit")), 1, 0);
    auto* findRow = new QHBoxLayout;
    findRow->addWidget(txtKerkim, 1);
    findRow->addWidget(cmdKerkimPrapa);
    findRow->addWidget(cmdKerkim);
    grid->addLayout(findRow, 2, 0);
    grid->addWidget(whiteLabel(commands, "Label4", QStringLiteral("Kërkimi i ajeteve")), 3, 0);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(CmbKerkoKrejt);
    searchRow->addWidget(cmdKtheLibrezin);
    searchRow->addStretch();
    searchRow->addWidget(cmdKerkoAll);
    grid->addLayout(searchRow, 4, 0);
    auto* optionRow = new QHBoxLayout;
    optionRow->addWidget(ChkKerkoSure);
    optionRow->addWidget(ChkPaDallim);
    optionRow->addStretch();
    grid->addLayout(optionRow, 5, 0);
    auto* fontLabels = new QHBoxLayout;
    fontLabels->addWidget(whiteLabel(commands, "Label2_5", QStringLiteral("Lloji i shkronjave")), 1);
    fontLabels->addWidget(whiteLabel(commands, "Label2_6", QStringLiteral("Madhësia")));
    grid->addLayout(fontLabels, 6, 0);
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(CmbFontNames, 1);
    fontRow->addWidget(CmbNrFonti);
    grid->addLayout(fontRow, 7, 0);
    return commands;
}

QWidget* frmKryesore::buildPageSuret() {
    auto* page = darkPanel(named(new QWidget, "C1Elastic1"));
    auto* g = new QGridLayout(page);
    CmbNrSure = named(new platform::ComboBox(page), "CmbNrSure");
    CmbNrSure->setToolTip(QStringLiteral("Numri i sures"));
    CmbEmrSure = named(new platform::ComboBox(page), "CmbEmrSure");
    CmbEmrSure->setToolTip(QStringLiteral("Emri i sures"));
    CmbEmrSure->setSorted(true);
    CmbTotalAjete = named(new platform::ComboBox(page), "CmbTotalAjete");
    CmbTotalAjete->setToolTip(QStringLiteral("Kërkimi sipas numrit të përgjithshëm të ajeteve"));
    CmbNrAjeti = named(new platform::ComboBox(page), "CmbNrAjeti");
    CmbNrAjeti->setToolTip(QStringLiteral("Ajeti i sures së zgjedhur"));
    for (platform::ComboBox* c : {CmbNrSure, CmbEmrSure, CmbTotalAjete, CmbNrAjeti})
        c->setAccessibleName(c->toolTip());
    CmbLexuesSure = named(new platform::ComboBox(page, false), "CmbLexuesSure");
    CmbLexuesSure->setAccessibleName(QStringLiteral("Lexuesi i sureve"));
    CmbLexuesAjete = named(new platform::ComboBox(page, false), "CmbLexuesAjete");
    CmbLexuesAjete->setAccessibleName(QStringLiteral("Lexuesi i ajeteve"));
    CmdPlaySure = iconButton(page, "CmdPlaySure", QStringLiteral("Lexo suren"), art::kSpeaker);
    CmdPlayAjet = iconButton(page, "CmdPlayAjet", QStringLiteral("Lexo ajetin"), art::kSpeaker);
    CmdRefreshKeshille = iconButton(page, "CmdRefreshKeshille", QStringLiteral("Këshillë e re"), art::kReload);
    LblKeshilla = whiteLabel(page, "LblKeshilla", QStringLiteral("..."));
    LblKeshilla->setWordWrap(true);
    LblKeshilla->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    LblKeshilla->setMinimumHeight(twips(1500));
    g->addWidget(whiteLabel(page, "Label2_0", QStringLiteral("Sureja")), 0, 0);
    g->addWidget(whiteLabel(page, "Label2_1", QStringLiteral("Emri")), 0, 1);
    g->addWidget(CmbNrSure, 1, 0);
    g->addWidget(CmbEmrSure, 1, 1);
    g->addWidget(CmdPlaySure, 1, 2);
    g->addWidget(whiteLabel(page, "Label2_2", QStringLiteral("Gjithsej ajete")), 2, 0);
    g->addWidget(whiteLabel(page, "Label2_3", QStringLiteral("Ajeti")), 2, 1);
    g->addWidget(CmbTotalAjete, 3, 0);
    g->addWidget(CmbNrAjeti, 3, 1);
    g->addWidget(CmdPlayAjet, 3, 2);
    CmdPlayVazhdim = iconButton(page, "CmdPlayVazhdim", QStringLiteral("Lexo në vazhdim"), art::kPlay);
    g->addWidget(CmdPlayVazhdim, 3, 3);
    // What a typed verse could not find is said under the lists, not by a jump elsewhere in the book.
    lblNavigimi = whiteLabel(page, "lblNavigimi", QString());
    lblNavigimi->setWordWrap(true);
    lblNavigimi->setVisible(false);
    g->addWidget(lblNavigimi, 4, 0, 1, 3);
    g->addWidget(whiteLabel(page, "Label2_7", QStringLiteral("Lexuesi i sureve")), 5, 0, 1, 3);
    // Beside each reciter list, adding a reciter of one's own and removing it.
    auto reciterRow = [&](platform::ComboBox* list, QToolButton*& add, const char* addName, QToolButton*& remove,
                          const char* removeName) {
        add = iconButton(page, addName, QStringLiteral("Shto një lexues nga një dosje..."), art::kAdd);
        remove = iconButton(page, removeName, QStringLiteral("Hiqe lexuesin e zgjedhur"), art::kRemove);
        add->setIconSize(QSize(16, 16));
        remove->setIconSize(QSize(16, 16));
        auto* row = new QHBoxLayout;
        row->addWidget(list, 1);
        row->addWidget(add);
        row->addWidget(remove);
        return row;
    };
    g->addLayout(
        reciterRow(CmbLexuesSure, CmdShtoLexuesSure, "CmdShtoLexuesSure", CmdHiqLexuesSure, "CmdHiqLexuesSure"), 6, 0,
        1, 4);
    g->addWidget(whiteLabel(page, "Label2_4", QStringLiteral("Lexuesi i ajeteve")), 7, 0, 1, 3);
    g->addLayout(
        reciterRow(CmbLexuesAjete, CmdShtoLexuesAjete, "CmdShtoLexuesAjete", CmdHiqLexuesAjete, "CmdHiqLexuesAjete"), 8,
        0, 1, 4);
    // Repeating for memorising: each verse some times, and a range of verses over and over.
    CmbPerserit = named(new platform::ComboBox(page, false), "CmbPerserit");
    for (const char* times : {"1 herë", "2 herë", "3 herë", "5 herë", "10 herë", "Gjithmonë"})
        CmbPerserit->AddItem(QString::fromUtf8(times));
    CmbPerserit->setAccessibleName(QStringLiteral("Sa herë lexohet çdo ajet"));
    CmbPerserit->setToolTip(CmbPerserit->accessibleName());
    ChkVargu = named(new QCheckBox(QStringLiteral("Përsërit ajetet"), page), "ChkVargu");
    ChkVargu->setToolTip(QStringLiteral("Leximi në vazhdim përsërit pa mbarim ajetet nga ... deri ..."));
    QPalette white = ChkVargu->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    ChkVargu->setPalette(white);
    SpnNga = named(new QSpinBox(page), "SpnNga");
    SpnDeri = named(new QSpinBox(page), "SpnDeri");
    for (QSpinBox* box : {SpnNga, SpnDeri})
        box->setRange(1, 286);
    SpnNga->setAccessibleName(QStringLiteral("Ajeti i parë i përsëritjes"));
    SpnDeri->setAccessibleName(QStringLiteral("Ajeti i fundit i përsëritjes"));
    auto* repeatRow = new QHBoxLayout;
    repeatRow->addWidget(whiteLabel(page, "Label2_8", QStringLiteral("Çdo ajet:")));
    repeatRow->addWidget(CmbPerserit, 1);
    g->addLayout(repeatRow, 9, 0, 1, 4);
    auto* rangeRow = new QHBoxLayout;
    rangeRow->addWidget(ChkVargu);
    rangeRow->addWidget(SpnNga);
    rangeRow->addWidget(whiteLabel(page, "Label2_9", QStringLiteral("deri")));
    rangeRow->addWidget(SpnDeri);
    rangeRow->addStretch();
    g->addLayout(rangeRow, 10, 0, 1, 4);
    auto* tipRow = new QHBoxLayout;
    tipRow->addWidget(CmdRefreshKeshille);
    auto* label6 = whiteLabel(page, "Label6", QStringLiteral("Këshilla:"));
    QFont bold = label6->font();
    bold.setBold(true);
    label6->setFont(bold);
    tipRow->addWidget(label6);
    tipRow->addStretch();
    g->addLayout(tipRow, 11, 0, 1, 4);
    g->addWidget(LblKeshilla, 12, 0, 1, 4);
    // While the book holds no translation, the tips say how to bring one in.
    cmdImportoKeshilla = named(new QToolButton(page), "cmdImportoKeshilla");
    cmdImportoKeshilla->setText(QStringLiteral("Importo përkthimin..."));
    cmdImportoKeshilla->setIcon(art::icon(art::kImport));
    cmdImportoKeshilla->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    cmdImportoKeshilla->setVisible(false);
    g->addWidget(cmdImportoKeshilla, 13, 0, 1, 4);
    g->setRowStretch(14, 1);
    return page;
}

QWidget* frmKryesore::buildPageShenjuesit() {
    auto* page = darkPanel(named(new QWidget, "C1Elastic1_TabShenjuesit"));
    auto* v = new QVBoxLayout(page);
    lstShenjuesit = named(new platform::ListBox(page), "lstShenjuesit");
    lstShenjuesit->setAccessibleName(QStringLiteral("Ajetet e shënuara"));
    lstShenjuesit->setToolTip(QStringLiteral("Shtyp mbi një ajet për ta treguar; Delete e heq nga lista"));
    auto* hint = whiteLabel(page, "lblShenjuesit",
                            QStringLiteral("Ctrl+D shënon ajetin ku qëndron kursori, ose e heq shënimin."));
    hint->setWordWrap(true);
    v->addWidget(lstShenjuesit, 1);
    v->addWidget(hint);
    return page;
}

QWidget* frmKryesore::buildPageKlasifikimi() {
    auto* page = darkPanel(named(new QWidget, "C1Elastic1_TabTemat1"));
    auto* v = new QVBoxLayout(page);
    auto* strip = new QHBoxLayout;
    CmdCollapseAll = iconButton(page, "CmdCollapseAll", QStringLiteral("Tregoje trungun"), art::kCollapse);
    CmdCollapseAll->setVisible(false);
    cmdExpandAll = iconButton(page, "cmdExpandAll", QStringLiteral("Tregoji degët"), art::kExpand);
    auto* label1 = whiteLabel(page, "Label1", QStringLiteral("Klasifikimi tematik"));
    QFont f = label1->font();
    f.setPointSizeF(9.75);
    label1->setFont(f);
    strip->addWidget(CmdCollapseAll);
    strip->addWidget(cmdExpandAll);
    strip->addWidget(label1, 1);
    v->addLayout(strip);
    TreeView1 = named(new platform::TreeView(page), "TreeView1");
    TreeView1->setAccessibleName(QStringLiteral("Klasifikimi tematik"));
    TreeView1->setImageList({art::icon(art::kNodeChapter), art::icon(art::kNodeTheme)});
    lstAjetKlasifikim = named(new platform::ListBox(page), "lstAjetKlasifikim");
    lstAjetKlasifikim->setToolTip(QStringLiteral("Shtyp këtu për ta treguar ajetin"));
    lstAjetKlasifikim->setAccessibleName(lstAjetKlasifikim->toolTip());
    v->addWidget(TreeView1, 1);
    v->addWidget(lstAjetKlasifikim, 1);
    return page;
}

QWidget* frmKryesore::buildPageTemat() {
    auto* page = darkPanel(named(new QWidget, "C1Elastic1_TabTemat2"));
    auto* v = new QVBoxLayout(page);
    cmbKlasifikimTematik = named(new platform::ComboBox(page), "cmbKlasifikimTematik");
    cmbKlasifikimTematik->setAccessibleName(QStringLiteral("Temat"));
    LstAjetetPrejCmbTema = named(new platform::ListBox(page), "LstAjetetPrejCmbTema");
    LstAjetetPrejCmbTema->setAccessibleName(QStringLiteral("Ajetet e temës"));
    v->addWidget(cmbKlasifikimTematik);
    v->addWidget(LstAjetetPrejCmbTema, 1);
    return page;
}

void frmKryesore::buildControls() {
    QFont verdana(QStringLiteral("Verdana"));
    verdana.setPointSizeF(8.25);
    setFont(verdana);

    // Left column: the command panel above the tab pages.
    auto* column = named(new QWidget(this), "C1Elastic2_MenuContainer");
    // The designed 3120 twips, widened where this system's fonts need more room for the three tabs.
    column->setFixedWidth(twips(3120));
    QWidget* commands = buildCommandPanel(column);
    C1Tab1 = named(new QTabWidget(column), "C1Tab1");
    C1Tab1->addTab(buildPageSuret(), art::icon(art::kTabSuret), QStringLiteral("&Suret"));
    C1Tab1->addTab(buildPageKlasifikimi(), art::icon(art::kTabKlasifikimi), QStringLiteral("&Klasifikimi"));
    C1Tab1->addTab(buildPageTemat(), art::icon(art::kTabTemat), QStringLiteral("&Temat"));
    C1Tab1->addTab(buildPageShenjuesit(), art::icon(art::kTabShenjuesit), QStringLiteral("S&hënjuesit"));
    QFont tabFont(QStringLiteral("Verdana"));
    tabFont.setPointSizeF(9);
    C1Tab1->tabBar()->setFont(tabFont);
    C1Tab1->setIconSize(QSize(16, 16));
    column->setFixedWidth(qMax(twips(3120), C1Tab1->tabBar()->sizeHint().width() + 8));
    auto* columnLayout = new QVBoxLayout(column);
    columnLayout->setContentsMargins(0, 0, 0, 0);
    columnLayout->addWidget(commands);
    columnLayout->addWidget(C1Tab1, 1);

    Rtf1 = named(new platform::RichTextView(this), "Rtf1");
    for (QWidget* pane : Rtf1->panes())
        pane->setAccessibleName(QStringLiteral("Teksti"));
    // Passages and search reports read in the same face and size as the whole text.
    QFont body(QStringLiteral("Verdana"));
    body.setPointSize(kTextPoints);
    Rtf1->setTextFont(body);

    mnuPopupRtf = named(new QMenu(QStringLiteral("Veprimet me tekstin"), this), "mnuPopupRtf");
    auto action = [this](const char* name, const QString& caption) {
        QAction* a = mnuPopupRtf->addAction(caption);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    mnuSelektojeAjetin = action("mnuSelektojeAjetin", QStringLiteral("Selektoje ajetin"));
    mnuSelektoKrejtTekstin = action("mnuSelektoKrejtTekstin", QStringLiteral("Selektoje tërë tekstin"));
    mnuKopjim = action("mnuKopjim", QStringLiteral("Kopjoje tekstin e selektuar"));
    mnuLshoAjetin = action("mnuLshoAjetin", QStringLiteral("Lexoje ajetin"));
    mnuPauzoje = action("mnuPauzoje", QStringLiteral("Pauzo leximin"));
    mnuVazhdo = action("mnuVazhdo", QStringLiteral("Vazhdo leximin"));
    mnuLexoVazhdim = action("mnuLexoVazhdim", QStringLiteral("Lexo në vazhdim"));
    mnuPopupRtf->addSeparator();
    mnuShenjo = action("mnuShenjo", QStringLiteral("Shëno ajetin"));
    mnuShenjo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    mnuShenjo->setShortcutContext(Qt::WindowShortcut);
    addAction(mnuShenjo);

    C1Elastic3_Header = new HeaderPanel(this);
    C1Elastic4_Bottom = named(new QWidget(this), "C1Elastic4_Bottom");
    C1Elastic4_Bottom->setAutoFillBackground(true);
    darkPanel(C1Elastic4_Bottom);
    C1Elastic4_Bottom->setMinimumHeight(twips(930));
    auto* bottomLayout = new QHBoxLayout(C1Elastic4_Bottom);
    bottomLayout->setContentsMargins(0, 0, 0, 0);
    WindowsMediaPlayer1 = named(new platform::MediaPlayer(C1Elastic4_Bottom), "WindowsMediaPlayer1");
    bottomLayout->addWidget(WindowsMediaPlayer1);
    auto* right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(0);
    right->addWidget(C1Elastic3_Header);
    right->addWidget(Rtf1, 1);
    right->addWidget(C1Elastic4_Bottom);

    // On a low screen the left column scrolls, so that the window can be as low as the screen.
    auto* columnScroll = named(new QScrollArea(this), "C1Elastic2_Scroll");
    columnScroll->setWidget(column);
    columnScroll->setWidgetResizable(true);
    columnScroll->setFrameShape(QFrame::NoFrame);
    columnScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    columnScroll->setFixedWidth(column->width() + style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    darkPanel(columnScroll->viewport());

    auto* layout = named(new QHBoxLayout(this), "C1Elastic1_Container");
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(columnScroll);
    layout->addLayout(right, 1);
    resize(designedSize());

    m_search = std::make_unique<search::DatabaseSearch>(search::DatabaseSearch::Controls{
        CmbKerkoKrejt, ChkKerkoSure, ChkPaDallim, CmbNrSure, CmbEmrSure, Rtf1, [this] { enterPassageMode(); },
        [this](bool wasPassage, const QString& passage) {
            if (wasPassage)
                Rtf1->setText(passage);
            else
                leavePassageMode(true);
        },
        [this] { return inPassageMode(); }});
    m_find = std::make_unique<search::FindInText>(Rtf1, txtKerkim);
    m_playback = new audio::Playback(WindowsMediaPlayer1, CmbNrSure, CmbNrAjeti, this);
    m_reciters = new audio::ReciterChoice(CmbLexuesAjete, CmbLexuesSure, this);
    m_bookmarks = new Bookmarks(
        lstShenjuesit, [this](navigation::Verse v) { goToInWholeText(v); }, this);
    m_import = new TranslationImport(this);
    nameForScreenReaders();
    m_themes = std::make_unique<themes::ThemeIndex>(
        themes::ThemeIndex::Controls{cmbKlasifikimTematik, LstAjetetPrejCmbTema, TreeView1, lstAjetKlasifikim,
                                     cmdExpandAll, CmdCollapseAll, Rtf1, [this] { enterPassageMode(); }});
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
    for (ComboBox* list : {CmbNrSure, CmbEmrSure, CmbNrAjeti, CmbTotalAjete})
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
    connect(Rtf1, &platform::RichTextView::MouseUp, this, &frmKryesore::Rtf1_MouseUp);

    on(cmdRrethProg, &QToolButton::clicked, &frmKryesore::cmdRrethProg_Click);
    on(cmdImporto, &QToolButton::clicked, &frmKryesore::cmdImporto_Click);
    on(ChkPaDallim, &QCheckBox::toggled, &frmKryesore::ChkPaDallim_Click);
    on(cmdImportoKeshilla, &QToolButton::clicked, &frmKryesore::cmdImporto_Click);
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
    connect(m_playback, &audio::Playback::reciting, this, [this](int surah, int verse) {
        // The text follows the verse heard: selected, at the top of the view; that is no navigation of the reader's.
        m_following = true;
        platform::guarded([&] { goTo({surah, verse}); });
        m_following = false;
    });
    auto repeatChanged = [this] { platform::guarded([this] { repeatChosen(); }); };
    connect(CmbPerserit, &ComboBox::Click, this, repeatChanged);
    connect(ChkVargu, &QCheckBox::toggled, this, repeatChanged);
    connect(SpnNga, &QSpinBox::valueChanged, this, repeatChanged);
    connect(SpnDeri, &QSpinBox::valueChanged, this, repeatChanged);
    using audio::ReciterKind;
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

    connect(lstShenjuesit, &platform::ListBox::Click, this,
            [this] { platform::guarded([this] { m_bookmarks->lstShenjuesit_Click(); }); });
    on(mnuShenjo, &QAction::triggered, &frmKryesore::mnuShenjo_Click);
    // Off in the popup of a line that is no verse, Ctrl+D marks the verse under the caret again once it closes.
    connect(mnuPopupRtf, &QMenu::aboutToHide, mnuShenjo, [this] { mnuShenjo->setEnabled(true); });
    connect(Rtf1, &platform::RichTextView::zoomStep, this,
            [this](int step) { platform::guarded([&] { stepFontSize(step); }); });
    for (QWidget* pane : Rtf1->panes())
        pane->installEventFilter(this);
    connectShortcuts();

    themes::ThemeIndex* t = m_themes.get();
    auto onTheme = [this, t](auto* sender, auto signal, void (themes::ThemeIndex::*handler)()) {
        connect(sender, signal, this, [t, handler] { platform::guarded([&] { (t->*handler)(); }); });
    };
    onTheme(cmbKlasifikimTematik, &ComboBox::Click, &themes::ThemeIndex::cmbKlasifikimTematik_Click);
    connect(cmbKlasifikimTematik, &ComboBox::KeyPress, this, [this](int ascii) {
        if (ascii == platform::kEnter)
            Q_EMIT cmbKlasifikimTematik->Click();
    });
    onTheme(LstAjetetPrejCmbTema, &platform::ListBox::Click, &themes::ThemeIndex::LstAjetetPrejCmbTema_Click);
    onTheme(lstAjetKlasifikim, &platform::ListBox::Click, &themes::ThemeIndex::lstAjetKlasifikim_Click);
    onTheme(TreeView1, &platform::TreeView::NodeClick, &themes::ThemeIndex::TreeView1_NodeClick);
    onTheme(cmdExpandAll, &QToolButton::clicked, &themes::ThemeIndex::cmdExpandAll_Click);
    onTheme(CmdCollapseAll, &QToolButton::clicked, &themes::ThemeIndex::CmdCollapseAll_Click);
}

void frmKryesore::connectShortcuts() {
    auto shortcut = [this](const QKeySequence& keys, void (frmKryesore::*handler)()) {
        auto* s = new QShortcut(keys, this);
        connect(s, &QShortcut::activated, this, [this, handler] { platform::guarded([&] { (this->*handler)(); }); });
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_F), &frmKryesore::focusFind);
    shortcut(QKeySequence(Qt::Key_F3), &frmKryesore::cmdKerkim_Click);
    shortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), &frmKryesore::cmdKerkimPrapa_Click);
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), &frmKryesore::focusSearch);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_G), &frmKryesore::focusVerse);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Plus), &frmKryesore::biggerText);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), &frmKryesore::biggerText);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus), &frmKryesore::smallerText);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_0), &frmKryesore::defaultTextSize);
    shortcut(QKeySequence(Qt::ALT | Qt::Key_Left), &frmKryesore::goBack);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_L), &frmKryesore::CmdPlayVazhdim_Click);
    // The shortcuts are told where the reader looks for them: in the hints of their controls.
    auto hint = [](QWidget* w, const QString& keys) {
        w->setToolTip(w->toolTip() + QStringLiteral(" (") + keys + u')');
    };
    hint(txtKerkim, QStringLiteral("Ctrl+F"));
    hint(cmdKerkim, QStringLiteral("F3"));
    hint(cmdKerkimPrapa, QStringLiteral("Shift+F3"));
    hint(CmbKerkoKrejt, QStringLiteral("Ctrl+Shift+F"));
    hint(CmbNrAjeti, QStringLiteral("Ctrl+G"));
    hint(CmbNrFonti, QStringLiteral("Ctrl++, Ctrl+−, Ctrl+0"));
    hint(cmdKtheLibrezin, QStringLiteral("Alt+Shigjeta majtas"));
    hint(lstShenjuesit, QStringLiteral("Ctrl+D"));
    hint(CmdPlayVazhdim, QStringLiteral("Ctrl+L"));
}

bool frmKryesore::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Rtf1->shown() && event->type() == QEvent::KeyPress && inPassageMode()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            platform::guarded([this] { openVerseInWholeText(); });
            return true;
        }
    }
    if (watched == cmdFund && event->type() == QEvent::FocusOut)
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

QString frmKryesore::loadWholeText(QString* file) {
    *file = Module1::wholeTextFile();
    if (file->isEmpty()) {
        *file = Module1::programFolder() + QStringLiteral("/LIB'REZI.rtf");
        return QStringLiteral("teksti i plotë mungon ose nuk mund të lexohet");
    }
    wholetext::Reading reading = wholetext::read(*file);
    if (reading.fault.isEmpty()) {
        Rtf1->showDocument(reading.document, *file, std::move(reading.filled));
        m_wholeStamp = stampOf(*file);
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

    MbusheListen(QStringLiteral("SELECT IDSureja FROM Suret ORDER BY IDSureja"), QStringLiteral("IDSureja"),
                 QStringLiteral("IDSureja"), CmbNrSure);
    MbusheListen(QStringLiteral("SELECT FirstOfIDSureja, NrAjete FROM SuretMeTotalAjete"),
                 QStringLiteral("FirstOfIDSureja"), QStringLiteral("NrAjete"), CmbTotalAjete);
    MbusheListen(QStringLiteral("SELECT IDSureja, Emri FROM Suret ORDER BY Emri"), QStringLiteral("IDSureja"),
                 QStringLiteral("Emri"), CmbEmrSure);
    MbusheListenDheZgjidh(QStringLiteral("SELECT NrTema, Tema FROM VetemTemat"), QStringLiteral("NrTema"),
                          QStringLiteral("Tema"), cmbKlasifikimTematik);
    for (const audio::ReciterKind kind : {audio::ReciterKind::Verses, audio::ReciterKind::Surahs}) {
        platform::ComboBox* list = kind == audio::ReciterKind::Verses ? CmbLexuesAjete : CmbLexuesSure;
        MbusheListen(audio::reciterListStatement(kind), QStringLiteral("IDLok"), QStringLiteral("Lexuesi"), list);
        ZgjidhSipasTekstit(list, vbText(audio::defaultReciter(kind, QStringLiteral("Lexuesi"))));
    }
    addNrFontToCombo(CmbNrFonti);
    CmbFontNames->setText(QStringLiteral("Verdana"));
    // Every face on the system is listed once the window shows: the first screen needs the box, not its list.
    QTimer::singleShot(0, this, [this] {
        const QString shown = CmbFontNames->Text();
        addFontToCombo(CmbFontNames);
        CmbFontNames->setText(shown);
    });
    history::ListaEFjaleveTeKerkuaraGetSetting(CmbKerkoKrejt);
    // The theme tree is on a page the first screen does not show: it is filled once the window shows.
    QTimer::singleShot(0, this, [this] { platform::guarded([this] { m_themes->MbushePemenMeTema(); }); });
    showTip();
    CmbNrSure->setText(QStringLiteral("1"));
    CmbEmrSure->setText(QStringLiteral("Fatiha"));
    CmbNrAjeti->setText(QStringLiteral("1"));
    CmbTotalAjete->setText(QStringLiteral("7"));
    m_bookmarks->load();
    cmdImportoKeshilla->setVisible(TranslationImport::placeholderShown());
    ChkPaDallim->setChecked(place::looseSearch());
    showRepeat(audio::loadRepeat());
    QString file;
    const QString fault = loadWholeText(&file);
    if (!fault.isEmpty())
        throw Module1::StartupError{file, fault};
    restorePlace();
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
    if (p.verse.isValid() && MerrVleren(QStringLiteral("SELECT 1 FROM librezi WHERE NrSure = ? AND NrAjet = ?"),
                                        {p.verse.surah, p.verse.verse})
                                     .typeId() != QMetaType::Bool)
        m_restoreVerse = p.verse;
}

void frmKryesore::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (m_restoreVerse.isValid())
        QTimer::singleShot(0, this, [this] {
            platform::guarded([this] { goTo(std::exchange(m_restoreVerse, navigation::Verse())); });
        });
}

// A screen reader announces each list by its label, and an editable list's field by the list's name.
void frmKryesore::nameForScreenReaders() {
    const std::pair<const char*, QWidget*> buddies[] = {
        {"Label3", txtKerkim},        {"Label4", CmbKerkoKrejt}, {"Label2_5", CmbFontNames},
        {"Label2_6", CmbNrFonti},     {"Label2_0", CmbNrSure},   {"Label2_1", CmbEmrSure},
        {"Label2_2", CmbTotalAjete},  {"Label2_3", CmbNrAjeti},  {"Label2_7", CmbLexuesSure},
        {"Label2_4", CmbLexuesAjete}, {"Label2_8", CmbPerserit}, {"Label1", TreeView1}};
    for (const auto& [label, control] : buddies)
        findChild<QLabel*>(QLatin1String(label))->setBuddy(control);
    CmbLexuesSure->setAccessibleDescription(QStringLiteral("Lexuesi që lexon një sure të tërë"));
    CmbLexuesAjete->setAccessibleDescription(QStringLiteral("Lexuesi që lexon ajetet një nga një"));
    cmbKlasifikimTematik->setAccessibleDescription(QStringLiteral("Zgjidhni një temë për të parë ajetet e saj"));
    for (platform::ComboBox* list : findChildren<platform::ComboBox*>())
        if (list->lineEdit())
            list->lineEdit()->setAccessibleName(list->accessibleName());
}

// The designed 15060 by 11115 twips, a little lower so that the title bar and a desktop panel still fit on a
// 1024 by 768 screen.
QSize frmKryesore::designedSize() {
    return QSize(twips(15060), twips(10500));
}

// The window stands within the screen it is on, whatever size it was given (a place kept from a larger screen
// included): no larger than the room the desktop leaves, and moved in when it stands out.
void frmKryesore::fitToScreen() {
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!shown)
        return;
    const QRect room = shown->availableGeometry();
    const QSize frame(16, 48); // what a window manager adds around a window: borders and the title bar
    resize(size().boundedTo(room.size() - frame).expandedTo(minimumSizeHint()));
    const QSize outer = size() + frame;
    if (!room.contains(QRect(pos(), outer)))
        move(room.x() + (room.width() - outer.width()) / 2, room.y() + (room.height() - outer.height()) / 2);
}

void frmKryesore::savePlace() {
    place::Place p;
    p.verse = inPassageMode() ? m_wholeTextPlace : topVerse();
    p.face = m_faceChosen ? CmbFontNames->Text() : QString();
    p.size = m_sizeChosen ? CmbNrFonti->Text() : QString();
    p.geometry = saveGeometry();
    if (!place::save(p))
        std::fprintf(stderr, "librezi: the reading place could not be saved\n");
}

// Tab goes round every control in reading order: the page of the chosen tab (the exit button's rule
// sends the focus to CmbNrSure, so the round begins there), the tab bar, the command panel, the header's
// link, the text and the player, and last the exit button.
void frmKryesore::chainTabOrder() {
    QList<QWidget*> chain = {CmbNrSure,
                             CmbEmrSure,
                             CmdPlaySure,
                             CmbTotalAjete,
                             CmbNrAjeti,
                             CmdPlayAjet,
                             CmdPlayVazhdim,
                             CmbLexuesSure,
                             CmdShtoLexuesSure,
                             CmdHiqLexuesSure,
                             CmbLexuesAjete,
                             CmdShtoLexuesAjete,
                             CmdHiqLexuesAjete,
                             CmbPerserit,
                             ChkVargu,
                             SpnNga,
                             SpnDeri,
                             CmdRefreshKeshille,
                             cmdImportoKeshilla,
                             cmdExpandAll,
                             CmdCollapseAll,
                             TreeView1,
                             lstAjetKlasifikim,
                             cmbKlasifikimTematik,
                             LstAjetetPrejCmbTema,
                             lstShenjuesit,
                             C1Tab1->tabBar(),
                             cmdRrethProg,
                             cmdImporto,
                             cmdCopy,
                             txtKerkim,
                             cmdKerkimPrapa,
                             cmdKerkim,
                             CmbKerkoKrejt,
                             cmdKtheLibrezin,
                             cmdKerkoAll,
                             ChkKerkoSure,
                             ChkPaDallim,
                             CmbFontNames,
                             CmbNrFonti,
                             C1Elastic3_Header->LblLinkLibrezi,
                             Rtf1};
    for (QWidget* w : WindowsMediaPlayer1->findChildren<QWidget*>())
        if (w->focusPolicy() & Qt::TabFocus)
            chain.append(w);
    chain.append(cmdFund);
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void frmKryesore::closeEvent(QCloseEvent* e) {
    Form_Unload();
    e->accept();
}

bool frmKryesore::saveHistory() {
    const bool saved = history::ListaEFjaleveTeKerkuaraSaveSetting(CmbKerkoKrejt);
    if (!saved)
        std::fprintf(stderr, "librezi: the search history could not be saved\n");
    return saved;
}

// Closing never waits on the store: a history that cannot be written is lost, the window still closes.
void frmKryesore::Form_Unload() {
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

// Navigation.

void frmKryesore::CmbNrSure_Click() {
    if (goToTypedVerse(CmbNrSure->Text()))
        return;
    if (CmbNrSure->Text().isEmpty())
        CmbNrSure->setText(QStringLiteral("1"));
    const int item = navigation::chosenItem(CmbNrSure, navigation::Match::Exact);
    if (item < 0)
        return; // the typed text names no surah
    CmbNrSure->selectQuietly(item);
    CmbNrSure->setText(CmbNrSure->List(item));
    const qint32 n = CmbNrSure->ItemData(item);
    CmbEmrSure->setText(vbText(MerrVleren(QStringLiteral("SELECT Emri FROM Suret WHERE IDSureja = ?"), {n})));
    addItemCmbNrAjet();
    CmbTotalAjete->setText(vbText(MerrVleren(QStringLiteral("SELECT NrAjete FROM Suret WHERE IDSureja = ?"), {n})));
    CmbNrAjeti->setText(QString::number(qMax(1, std::exchange(m_verseAfterSurah, 0))));
    kerkoje();
}

void frmKryesore::addItemCmbNrAjet() {
    const int item = CmbNrSure->ListIndex();
    if (item < 0)
        return;
    CmbNrAjeti->Clear();
    const int count =
        vbText(MerrVleren(QStringLiteral("SELECT NrAjete FROM Suret WHERE IDSureja = ?"), {CmbNrSure->ItemData(item)}))
            .toInt();
    for (int i = 1; i <= count; ++i)
        CmbNrAjeti->AddItem(QString::number(i));
}

void frmKryesore::CmbEmrSure_Click() {
    if (CmbEmrSure->Text().isEmpty())
        CmbEmrSure->setText(QStringLiteral("Fatiha"));
    const int item = navigation::chosenItem(CmbEmrSure, navigation::Match::Prefix);
    if (item < 0)
        return;
    CmbEmrSure->selectQuietly(item);
    ZgjidhSipasTekstit(CmbNrSure, QString::number(CmbEmrSure->ItemData(item)));
}

void frmKryesore::CmbTotalAjete_Click() {
    if (CmbTotalAjete->Text().isEmpty())
        CmbTotalAjete->setText(QStringLiteral("7"));
    const int item = navigation::chosenItem(CmbTotalAjete, navigation::Match::Exact);
    if (item < 0)
        return;
    CmbTotalAjete->selectQuietly(item);
    ZgjidhSipasTekstit(CmbNrSure, QString::number(CmbTotalAjete->ItemData(item)));
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
            if (isNumber && !verseExists({CmbNrSure->Text().toInt(), verse}))
                return; // said under the lists; the view stays
            kerkoje();
            return;
        } catch (const std::exception&) {
            if (attempt > 0)
                throw;
            CmbNrAjeti->setText(QStringLiteral("1"));
        }
    }
}

void frmKryesore::kerkoje() {
    Rtf1->setSelStart(0);
    const int at = Rtf1->Find(navigation::verseKey(CmbNrSure->Text(), CmbNrAjeti->Text()));
    Rtf1->Span(QStringLiteral("\r"), true, true);
    tell(QString());
    if (!m_following)
        m_playback->endSeries(); // the reader went elsewhere
    if (at < 0)
        return;
    // The verse is the first line of the view; a surah's first verse shows its heading above it.
    int top = at;
    static const QRegularExpression heading(QStringLiteral("^\\d+\\.\\t"));
    if (CmbNrAjeti->Text().trimmed() == QLatin1String("1") && at >= 2 && heading.match(Rtf1->lineAt(at - 2)).hasMatch())
        top = at - 2;
    Rtf1->showAtTop(top);
}

bool frmKryesore::verseExists(navigation::Verse v) {
    const QVariant count = MerrVleren(QStringLiteral("SELECT NrAjete FROM Suret WHERE IDSureja = ?"), {v.surah});
    if (count.typeId() == QMetaType::Bool) {
        tell(QStringLiteral("Nuk ka sure me numrin %1").arg(v.surah));
        return false;
    }
    if (v.verse < 1 || v.verse > count.toInt()) {
        tell(QStringLiteral("Sureja %1 ka %2 ajete")
                 .arg(vbText(MerrVleren(QStringLiteral("SELECT Emri FROM Suret WHERE IDSureja = ?"), {v.surah})),
                      count.toString()));
        return false;
    }
    return true;
}

void frmKryesore::goTo(navigation::Verse v) {
    if (!verseExists(v))
        return;
    m_verseAfterSurah = v.verse;
    ZgjidhSipasTekstit(CmbNrSure, QString::number(v.surah)); // its Click goes to the verse
    m_verseAfterSurah = 0;
}

bool frmKryesore::goToTypedVerse(const QString& typed) {
    const navigation::Verse v = navigation::parseTypedVerse(typed, [this](const QString& name) {
        const int item = findItemByPrefix(CmbEmrSure, name);
        return item < 0 ? 0 : int(CmbEmrSure->ItemData(item));
    });
    if (!v.isValid())
        return false;
    goTo(v);
    return true;
}

void frmKryesore::goToNamedVerse(const QString& typed) {
    if (!inPassageMode() || returnToWholeText())
        goToTypedVerse(typed);
}

void frmKryesore::tell(const QString& message) {
    lblNavigimi->setText(message);
    lblNavigimi->setVisible(!message.isEmpty());
}

navigation::Verse frmKryesore::topVerse() const {
    // The first verse line at the top of the view or below it (a heading or the title may stand above).
    const QString& text = Rtf1->Text();
    qsizetype at = Rtf1->topPosition();
    for (int line = 0; line < 4 && at <= text.size(); ++line) {
        const qsizetype end = text.indexOf(u'\r', at);
        const navigation::Verse v =
            navigation::verseOfLine(QStringView(text).sliced(at, (end < 0 ? text.size() : end) - at));
        if (v.isValid() || end < 0)
            return v;
        at = end + 2;
    }
    return {};
}

void frmKryesore::showAtTop(navigation::Verse v) {
    if (!v.isValid())
        return;
    const QString& text = Rtf1->Text();
    const QString key = v.text() + QStringLiteral(".\t");
    const qsizetype at = text.startsWith(key) ? 0 : text.indexOf(u'\n' + key);
    if (at >= 0)
        Rtf1->showAtTop(int(at == 0 ? 0 : at + 1));
}

navigation::Verse frmKryesore::verseUnderCaret() const {
    return navigation::verseOfLine(Rtf1->lineAt(Rtf1->SelStart()));
}

void frmKryesore::enterPassageMode() {
    if (!inPassageMode())
        m_wholeTextPlace = topVerse(); // where the way back leads
    cmdKtheLibrezin->setVisible(true);
    CmbKerkoKrejt->setFixedWidth(twips(1455));
}

bool frmKryesore::inPassageMode() const {
    return !cmdKtheLibrezin->isHidden();
}

void frmKryesore::leavePassageMode(bool reload) {
    cmdKtheLibrezin->setVisible(false);
    CmbKerkoKrejt->setFixedWidth(twips(1935));
    if (reload) {
        QString file;
        if (stampOf(Module1::wholeTextFile()) == m_wholeStamp && Rtf1->showWholeText()) {
            showAtTop(m_wholeTextPlace); // as the reader left it
            return;
        }
        if (!loadWholeText(&file).isEmpty())
            Rtf1->setText(QString());
        else if (m_wholeTextPlace.isValid())
            goTo(m_wholeTextPlace);
    }
}

void frmKryesore::cmdKtheLibrezin_Click() {
    returnToWholeText();
}

void frmKryesore::goBack() {
    if (inPassageMode())
        cmdKtheLibrezin_Click();
}

void frmKryesore::openVerseInWholeText() {
    if (const navigation::Verse v = verseUnderCaret(); v.isValid())
        goToInWholeText(v);
}

// A verse chosen outside the text (a bookmark, a verse of a passage) is read in the whole text.
void frmKryesore::goToInWholeText(navigation::Verse v) {
    if (inPassageMode()) {
        m_wholeTextPlace = v;
        if (!returnToWholeText())
            return;
    }
    goTo(v);
}

bool frmKryesore::returnToWholeText() {
    const QString file = Module1::wholeTextFile();
    // The whole text read before comes back as it was left, its layout and place with it, unless its file
    // changed meanwhile.
    if (stampOf(file) == m_wholeStamp && Rtf1->showWholeText()) {
        leavePassageMode(false);
        showAtTop(m_wholeTextPlace); // by its verse: a new face or size may have moved the lines meanwhile
        return true;
    }
    wholetext::Reading reading =
        file.isEmpty() ? wholetext::Reading{{}, QStringLiteral("teksti i plotë mungon ose nuk mund të lexohet"), {}}
                       : wholetext::read(file);
    if (!reading.fault.isEmpty()) {
        // The passage stays on screen, and with it the way back.
        platform::MsgBox(QStringLiteral("Teksti i plotë nuk mund të hapet: %1.").arg(reading.fault),
                         platform::Buttons::OK, QString(), platform::Icon::Warning);
        return false;
    }
    leavePassageMode(false);
    Rtf1->showDocument(reading.document, file, std::move(reading.filled));
    if (m_wholeTextPlace.isValid())
        goTo(m_wholeTextPlace); // back where the reader was
    return true;
}

// Text view commands.

void frmKryesore::Rtf1_MouseUp(int Button, int, int X, int Y) {
    if (Button != 2)
        return;
    // The commands act where the reader points, unless they point into the selection.
    const int pointed = Rtf1->positionAt(QPoint(X, Y));
    if (pointed < Rtf1->SelStart() || pointed > Rtf1->SelStart() + Rtf1->SelLength())
        Rtf1->setSelStart(pointed);
    const navigation::Verse v = verseUnderCaret();
    mnuShenjo->setEnabled(v.isValid());
    mnuShenjo->setText(m_bookmarks->contains(v) ? QStringLiteral("Hiqe shënimin e ajetit")
                                                : QStringLiteral("Shëno ajetin"));
    Q_EMIT popupShown();
    mnuPopupRtf->popup(Rtf1->viewport()->mapToGlobal(QPoint(X, Y)));
}

void frmKryesore::mnuSelektojeAjetin_Click() {
    textcommands::selectLineUnderCaret(Rtf1);
}

void frmKryesore::Rtf1_DblClick() {
    if (inPassageMode())
        openVerseInWholeText(); // a verse of a passage or a search is read in its place
    else
        mnuLshoAjetin_Click();
}

void frmKryesore::mnuShenjo_Click() {
    m_bookmarks->toggle(verseUnderCaret());
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
    clipboard->setText(Rtf1->SelText());
}

// Tips.

void frmKryesore::showTip() {
    const QVariant tip = MerrRastesisht(QStringLiteral("SELECT Keshilla FROM Keshilla"));
    if (tip.typeId() != QMetaType::Bool) // an empty table leaves the label as it was
        LblKeshilla->setText(vbText(tip));
}

void frmKryesore::CmdRefreshKeshille_Click() {
    showTip();
}

// Search.

void frmKryesore::cmdKerkoAll_Click() {
    m_search->run();
}
void frmKryesore::cmdKerkim_Click() {
    m_find->next();
}
void frmKryesore::cmdKerkimPrapa_Click() {
    m_find->previous();
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
    const navigation::Verse top = topVerse();
    ::CmbFontNames_Click(Rtf1, CmbFontNames);
    m_faceChosen = true;
    showAtTop(top);
}
void frmKryesore::CmbNrFonti_Click() {
    const navigation::Verse top = topVerse();
    ::CmbNrFonti_Click(Rtf1, CmbNrFonti);
    m_sizeChosen = true;
    showAtTop(top);
    bool isNumber = false;
    const int points = CmbNrFonti->Text().trimmed().toInt(&isNumber);
    if (isNumber && points >= kSmallestTextSize && points <= kLargestTextSize)
        m_points = points;
}

// One step along the size list, from the size the box shows.
void frmKryesore::stepFontSize(int step) {
    // From the size last applied (the box may show a size never applied).
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
void frmKryesore::ChkPaDallim_Click() {
    Rtf1->setLooseLetters(ChkPaDallim->isChecked());
    if (!place::saveLooseSearch(ChkPaDallim->isChecked()))
        std::fprintf(stderr, "librezi: the search option could not be saved\n");
}

void frmKryesore::cmdImporto_Click() {
    if (!m_import->run())
        return;
    // The new translation is shown at once, where the reader was.
    const navigation::Verse at = inPassageMode() ? m_wholeTextPlace : topVerse();
    if (inPassageMode())
        leavePassageMode(false);
    QString file;
    const QString fault = loadWholeText(&file);
    if (!fault.isEmpty())
        platform::MsgBox(QStringLiteral("Teksti i plotë nuk mund të hapet: %1.").arg(fault), platform::Buttons::OK,
                         QString(), platform::Icon::Warning);
    m_bookmarks->load();
    cmdImportoKeshilla->setVisible(TranslationImport::placeholderShown());
    if (at.isValid())
        goTo(at);
}

void frmKryesore::cmdRrethProg_Click() {
    showAbout(this);
}

// Recitation.

void frmKryesore::CmdPlayAjet_Click() {
    m_playback->CmdPlayAjet_Click();
}
void frmKryesore::CmdPlaySure_Click() {
    m_playback->CmdPlaySure_Click();
}
void frmKryesore::mnuLshoAjetin_Click() {
    m_playback->mnuLshoAjetin_Click(Rtf1);
}
void frmKryesore::mnuPauzoje_Click() {
    m_playback->mnuPauzoje_Click();
}
void frmKryesore::mnuVazhdo_Click() {
    m_playback->mnuVazhdo_Click();
}

// From the verse under the caret (or the one the lists name) to the surah's end, verse after verse.
void frmKryesore::CmdPlayVazhdim_Click() {
    navigation::Verse from = verseUnderCaret();
    if (!from.isValid())
        from = {CmbNrSure->Text().toInt(), qMax(1, CmbNrAjeti->Text().toInt())};
    m_playback->startSeries(from.surah, from.verse);
}

void frmKryesore::repeatChosen() {
    static const int times[] = {1, 2, 3, 5, 10, 0};
    audio::Repeat r;
    r.times = times[qBound(0, CmbPerserit->ListIndex(), 5)];
    r.loop = ChkVargu->isChecked();
    r.from = SpnNga->value();
    r.to = SpnDeri->value();
    m_playback->setRepeat(r);
    if (!audio::saveRepeat(r))
        std::fprintf(stderr, "librezi: the repeat could not be saved\n");
}

void frmKryesore::showRepeat(const audio::Repeat& r) {
    static const int times[] = {1, 2, 3, 5, 10, 0};
    const QSignalBlocker a(CmbPerserit), b(ChkVargu), c(SpnNga), d(SpnDeri);
    CmbPerserit->selectQuietly(int(std::find(std::begin(times), std::end(times), r.times) - std::begin(times)) % 6);
    ChkVargu->setChecked(r.loop);
    SpnNga->setValue(r.from);
    SpnDeri->setValue(r.to);
    m_playback->setRepeat(r);
}
