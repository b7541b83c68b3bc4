// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls: built, named, laid out, chained in Tab order and fitted to the screen.
#include "mainwindow/frmkryesore.h"

#include "app/paths.h"
#include "audio/playback.h"
#include "mainwindow/header.h"
#include "mainwindow/night.h"
#include "mainwindow/notes.h"
#include "mainwindow/printdialog.h"
#include "platform/handler.h"
#include "platform/look.h"
#include "platform/mediaplayer.h"
#include "resources/resources.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSpinBox>
#include <QStyle>
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

// A control whose text stands on the window's dark colour.
void onDark(QWidget* w) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, platform::colour(text::Role::OnWindow));
    p.setColor(QPalette::ButtonText, platform::colour(text::Role::OnWindow));
    w->setPalette(p);
}

QLabel* whiteLabel(QWidget* parent, const char* name, const QString& text) {
    auto* l = named(new QLabel(text, parent), name);
    onDark(l);
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
    cmdKtheLibrezin = iconButton(commands, "cmdKtheLibrezin", QStringLiteral("Kthe tekstin e Lib'rezit"), art::kBack);
    cmdKtheLibrezin->setVisible(false);
    cmdKerkoAll = iconButton(commands, "cmdKerkoAll", QStringLiteral("Kërko"), art::kFindAll);
    ChkKerkoSure = named(new QCheckBox(QStringLiteral("Vetëm sureja aktuale"), commands), "ChkKerkoSure");
    ChkKerkoSure->setToolTip(QStringLiteral("Kërkimi të bëhet vetëm përbrenda sures së selektuar"));
    ChkPaDallim = named(new QCheckBox(QStringLiteral("Pa dallim ë/e, ç/c"), commands), "ChkPaDallim");
    ChkPaDallim->setToolTip(QStringLiteral("Kërkimi dhe ngjyrosja nuk i dallojnë ë nga e dhe ç nga c"));
    onDark(ChkKerkoSure);
    onDark(ChkPaDallim);

    cmdRrethProg = iconButton(commands, "cmdRrethProg", QStringLiteral("Rreth programit..."), art::kAbout);
    cmdImporto = iconButton(commands, "cmdImporto", QStringLiteral("Importo përkthimin..."), art::kImport);
    onDark(cmdImporto); // its name stands beside its icon while the book has no translation
    cmdShkarkimet = iconButton(commands, "cmdShkarkimet",
                               QStringLiteral("Shkarkimet: përkthime, teksti arab, lexues..."), art::kDownload);
    cmdTekstiArab = named(new QToolButton(commands), "cmdTekstiArab");
    cmdTekstiArab->setText(QStringLiteral("Teksti arab"));
    cmdTekstiArab->setToolTip(QStringLiteral("Teksti arab mbi çdo ajet (Ctrl+Shift+A); shigjeta: përkthime të tjera, "
                                             "madhësia e tekstit arab, importimi i një teksti"));
    cmdTekstiArab->setAccessibleName(QStringLiteral("Teksti arab"));
    cmdTekstiArab->setCheckable(true);
    cmdTekstiArab->setAutoRaise(true);
    cmdTekstiArab->setPopupMode(QToolButton::MenuButtonPopup);
    mnuTekstet = named(new QMenu(cmdTekstiArab), "mnuTekstet");
    cmdTekstiArab->setMenu(mnuTekstet);
    // On the dark panel: a frame in the labels' colour, filled with it while the Arabic is shown.
    const QString light = platform::colour(text::Role::OnWindow).name();
    const QString dark = platform::windowColour().name();
    cmdTekstiArab->setStyleSheet(
        QStringLiteral("QToolButton { color: %1; border: 1px solid %1; border-radius: 3px; padding: 3px 18px 3px 6px; }"
                       "QToolButton:checked { color: %2; background: %1; }"
                       "QToolButton:focus { border-width: 2px; }"
                       "QToolButton::menu-button { border-left: 1px solid %1; width: 14px; }")
            .arg(light, dark));
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
    topRow->addWidget(cmdShkarkimet);
    topRow->addStretch();
    cmdNata = night::makeButton(commands);
    topRow->addWidget(cmdNata);
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
    fontLabels->addSpacing(cmdTekstiArab->sizeHint().width() + 6); // over the Arabic's button
    grid->addLayout(fontLabels, 6, 0);
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(CmbFontNames, 1);
    fontRow->addWidget(CmbNrFonti);
    fontRow->addSpacing(4);
    fontRow->addWidget(cmdTekstiArab);
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
    onDark(ChkVargu);
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
    cmdImportoKeshilla->setAutoRaise(true); // white on the panel, as the import button above
    onDark(cmdImportoKeshilla);
    cmdImportoKeshilla->setVisible(false);
    g->addWidget(cmdImportoKeshilla, 13, 0, 1, 4);
    cmdShkarkimetKeshilla = named(new QToolButton(page), "cmdShkarkimetKeshilla");
    cmdShkarkimetKeshilla->setText(QStringLiteral("Shkarko një përkthim nga interneti..."));
    cmdShkarkimetKeshilla->setIcon(art::icon(art::kDownload));
    cmdShkarkimetKeshilla->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    cmdShkarkimetKeshilla->setAutoRaise(true);
    onDark(cmdShkarkimetKeshilla);
    cmdShkarkimetKeshilla->setVisible(false);
    g->addWidget(cmdShkarkimetKeshilla, 14, 0, 1, 4);
    g->setRowStretch(15, 1);
    return page;
}

QWidget* frmKryesore::buildPageShenjuesit() {
    auto* page = darkPanel(named(new QWidget, "C1Elastic1_TabShenjuesit"));
    auto* v = new QVBoxLayout(page);
    lstShenjuesit = named(new platform::ListBox(page), "lstShenjuesit");
    lstShenjuesit->setAccessibleName(QStringLiteral("Ajetet e shënuara"));
    lstShenjuesit->setToolTip(
        QStringLiteral("Shtyp mbi një ajet ose Enter për ta treguar; Delete e heq nga lista, Ctrl+Z e kthen"));
    auto* hint = whiteLabel(page, "lblShenjuesit",
                            QStringLiteral("Ctrl+D shënon ajetin ku qëndron kursori, ose e heq shënimin."));
    hint->setWordWrap(true);
    v->addWidget(lstShenjuesit, 1);
    v->addWidget(hint);
    auto* notesList = new NotesList(Module1::notesPath(), page); // the notes beside the bookmarks
    connect(notesList, &NotesList::chosen, this,
            [this](text::Verse verse) { platform::guarded([&] { openInWholeText(verse); }); });
    v->addWidget(notesList, 1);
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
    // Wide enough for the tabs with a count of marks on the last ("Shënjuesit (999)").
    const QString marks = C1Tab1->tabText(3);
    C1Tab1->setTabText(3, marks + QStringLiteral(" (999)"));
    column->setFixedWidth(qMax(twips(3120), C1Tab1->tabBar()->sizeHint().width() + 8));
    C1Tab1->setTabText(3, marks);
    auto* columnLayout = new QVBoxLayout(column);
    columnLayout->setContentsMargins(0, 0, 0, 0);
    columnLayout->addWidget(commands);
    columnLayout->addWidget(C1Tab1, 1);

    Rtf1 = named(new platform::RichTextView(this), "Rtf1");
    for (QWidget* pane : Rtf1->panes())
        pane->setAccessibleName(QStringLiteral("Teksti"));
    if (auto* notesList = findChild<NotesList*>()) { // a dot beside the key of every verse with a note
        connect(notesList, &NotesList::notesRead, Rtf1, &platform::RichTextView::setNotedVerses);
        notesList->refresh();
    }
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
    QAction* krahaso = action("mnuKrahaso", QStringLiteral("Krahaso përkthimet e ajetit"));
    krahaso->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K)); // Ctrl+K deletes to the line's end in a text
    krahaso->setShortcutContext(Qt::WindowShortcut);
    addAction(krahaso);
    connect(krahaso, &QAction::triggered, this, [this] { platform::guarded([this] { mnuKrahaso_Click(); }); });
    // The note on the verse under the caret (or the one read) in its own small editor.
    QAction* shenimi = action("mnuShenimi", QStringLiteral("Shënim për ajetin"));
    shenimi->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    shenimi->setShortcutContext(Qt::WindowShortcut);
    addAction(shenimi);
    connect(shenimi, &QAction::triggered, this, [this] {
        platform::guarded([this] {
            const text::Verse at = Rtf1->verseAt(Rtf1->SelStart());
            shenimet::open(this, Module1::notesPath(), at.isValid() ? at : m_session.verse(), Rtf1->shown());
        });
    });
    // What the view shows (or the bookmarks with their notes) to a PDF or on paper.
    m_print = new PrintCommands(
        {[this] { return viewPrintout(); }, [this] { return bookmarksPrintout(); }, [this] { return printLook(); }},
        this);
    mnuEksporto = action("mnuEksporto", QStringLiteral("Eksporto..."));
    mnuEksporto->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    mnuPrinto = action("mnuPrinto", QStringLiteral("Printo..."));
    mnuPrinto->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    for (QAction* a : {mnuEksporto, mnuPrinto}) {
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    }
    connect(mnuEksporto, &QAction::triggered, this, [this] { platform::guarded([this] { m_print->exportText(); }); });
    connect(mnuPrinto, &QAction::triggered, this, [this] { platform::guarded([this] { m_print->printText(); }); });
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
    // Only the controls take the keyboard: Shift+Tab goes back through the same ones Tab goes through.
    columnScroll->setFocusPolicy(Qt::NoFocus);
    for (QToolButton* arrow : C1Tab1->tabBar()->findChildren<QToolButton*>())
        arrow->setFocusPolicy(Qt::NoFocus);
    columnScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    columnScroll->setFixedWidth(column->width() + style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    darkPanel(columnScroll->viewport());

    // A save that failed is said below the pages, outside what scrolls, until the next one succeeds.
    lblNjoftimi = named(darkPanel(new QLabel(this)), "lblNjoftimi");
    lblNjoftimi->setWordWrap(true);
    lblNjoftimi->setContentsMargins(8, 4, 8, 4);
    lblNjoftimi->setFixedWidth(columnScroll->width());
    QPalette warning = lblNjoftimi->palette();
    warning.setColor(QPalette::WindowText, platform::colour(text::Role::Warning));
    lblNjoftimi->setPalette(warning);
    lblNjoftimi->setVisible(false);
    lblLajmi = named(darkPanel(whiteLabel(this, "lblLajmi", QString())), "lblLajmi");
    lblLajmi->setWordWrap(true);
    lblLajmi->setContentsMargins(8, 4, 8, 4);
    lblLajmi->setFixedWidth(columnScroll->width());
    lblLajmi->setVisible(false);
    m_newsShown.setSingleShot(true);
    m_newsShown.setInterval(8000);
    connect(&m_newsShown, &QTimer::timeout, lblLajmi, &QLabel::hide);
    auto* left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    left->addWidget(columnScroll, 1);
    left->addWidget(lblLajmi);
    left->addWidget(lblNjoftimi);

    auto* layout = named(new QHBoxLayout(this), "C1Elastic1_Container");
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(left);
    layout->addLayout(right, 1);
    resize(designedSize());

    nameForScreenReaders();
}

// The keys of the reader's commands, told in the hints of their controls.
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
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), &frmKryesore::undoBookmarkRemoved);
    for (const auto& keyAndStep :
         {std::pair{QKeySequence(Qt::Key_F6), 1}, std::pair{QKeySequence(Qt::SHIFT | Qt::Key_F6), -1}}) {
        const int step = keyAndStep.second; // a named copy: a lambda captures no structured binding in clang 14
        connect(new QShortcut(keyAndStep.first, this), &QShortcut::activated, this, [this, step] { nextPart(step); });
    }
    // Esc, where nothing else takes it, stops a series heard and brings the reader back to the text.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        platform::guarded([this] {
            m_playback->stopSeries();
            Rtf1->setFocus(Qt::ShortcutFocusReason);
        });
    });
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

void frmKryesore::chainTabOrder() {
    const NotesList* notesList = findChild<NotesList*>();
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
                             cmdShkarkimetKeshilla,
                             cmdExpandAll,
                             CmdCollapseAll,
                             TreeView1,
                             lstAjetKlasifikim,
                             cmbKlasifikimTematik,
                             LstAjetetPrejCmbTema,
                             lstShenjuesit,
                             notesList->txtFiltri,
                             notesList->lstShenimet,
                             notesList->cmdEksporto,
                             notesList->cmdImporto,
                             C1Tab1->tabBar(),
                             cmdRrethProg,
                             cmdImporto,
                             cmdShkarkimet,
                             cmdTekstiArab,
                             cmdNata,
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
