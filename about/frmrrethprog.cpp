// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/frmrrethprog.h"

#include "about/addresses.h"
#include "app/splash.h"
#include "data/library.h"
#include "data/schema.h"
#include "downloads/catalogue.h"
#include "platform/look.h"
#include "platform/shell.h"
#include "prefs/fonts.h"
#include "resources/resources.h"

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolButton>

namespace {

using platform::twips;

const QColor kPageColor(0, 30, 80);
const QColor kLinkBackground(254, 255, 242);

const QString kCopyHint = QStringLiteral("Shtype pullën e djathtë të miut për ta kopjuar");

// A face of the designed window, drawn with the closest installed face when it is missing here.
QFont designFont(const char* face, double points, bool bold = false, bool italic = false) {
    const QString wanted = QString::fromLatin1(face);
    const QString standIn = installedFaceFor(wanted);
    QFont f(standIn.isEmpty() ? wanted : standIn);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

// Names of people and organisations come only from the database; a window that finds none shows none.
// The rows the About window reads besides the translation's own.
constexpr const char* kMetaClassifier = "klasifikuesi";
constexpr const char* kMetaMakerShort = "punuesi";
constexpr const char* kMetaMakerFull = "punuesi_i_plote";
constexpr const char* kMetaTown = "qyteti";
constexpr const char* kMetaContact = "kontakti";

QLabel* label(QWidget* page, const char* name, const QString& text, const QFont& font) {
    auto* l = new QLabel(text, page);
    l->setObjectName(QLatin1String(name));
    l->setFont(font);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::HighlightedText));
    l->setPalette(pal);
    l->setVisible(!text.isEmpty());
    return l;
}

// A label across the whole page, its text centred, at `top` twips.
QLabel* centred(QWidget* page, const char* name, const QString& text, const QFont& font, int top, int lines = 1) {
    QLabel* l = label(page, name, text, font);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setWordWrap(lines > 1);
    l->setGeometry(0, twips(top), page->width(), QFontMetrics(font).height() * lines + 2);
    return l;
}

// A label at its design place, `width` and `height` in twips (0: as wide or high as its text).
QLabel* placed(QWidget* page, const char* name, const QString& text, const QFont& font, int left, int top,
               int width = 0, int height = 0) {
    QLabel* l = label(page, name, text, font);
    l->adjustSize();
    if (width > 0 || height > 0) {
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    l->setGeometry(twips(left), twips(top), width > 0 ? twips(width) : l->width(),
                   height > 0 ? twips(height) : l->height());
    return l;
}

// Places a link centred across the page at `top` twips, as wide as its text.
void placeLink(LinkLabel* link, const char* name, const QFont& font, int top) {
    link->setObjectName(QLatin1String(name));
    link->setFont(font);
    link->adjustSize();
    QWidget* page = link->parentWidget();
    link->move((page->width() - link->width()) / 2, twips(top));
}

QWidget* pagePanel(QTabWidget* tabs, const char* name, const QString& title) {
    auto* page = new QWidget;
    page->setObjectName(QLatin1String(name));
    page->setAutoFillBackground(true);
    QPalette pal = page->palette();
    pal.setColor(QPalette::Window, kPageColor);
    page->setPalette(pal);
    // The pages share the tab control's client area, 5175 by 5655 twips below the tabs.
    page->resize(twips(5175), twips(5655));
    tabs->addTab(page, title);
    return page;
}

} // namespace

// ---- links ----------------------------------------------------------------------------------------

LinkLabel::LinkLabel(const QString& address, QWidget* parent)
    : QLabel(QString(QLatin1Char(' ') + address + QLatin1Char(' ')), parent) {
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setMouseTracking(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kLinkBackground);
    setPalette(pal);
    setForeColor(normalColor());
    setVisible(!address.isEmpty()); // a link that leads nowhere is not shown
}

QColor LinkLabel::ForeColor() const {
    return palette().color(QPalette::WindowText);
}

void LinkLabel::setForeColor(const QColor& c) {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, c);
    setPalette(pal);
}

void LinkLabel::mouseMoveEvent(QMouseEvent* e) {
    setForeColor(hoverColor());
    setCursor(art::handCursor());
    QLabel::mouseMoveEvent(e);
}

void LinkLabel::leaveEvent(QEvent* e) {
    // Leaving the link in any direction gives it its normal look again.
    setForeColor(normalColor());
    QLabel::leaveEvent(e);
}

void LinkLabel::mousePressEvent(QMouseEvent* e) {
    const int button = e->button() == Qt::LeftButton ? 1 : e->button() == Qt::RightButton ? 2 : 4;
    Q_EMIT MouseDown(button);
    e->accept(); // the link takes the click; the page under it does not see it
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        Q_EMIT Click();
    e->accept();
}

void copyLinkCaption(const QLabel* link) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(link->text());
}

// ---- the window -----------------------------------------------------------------------------------

frmRrethProg::frmRrethProg(QWidget* parent, const data::Library* library)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_library(library) {
    setObjectName(QStringLiteral("frmRrethProg"));
    setWindowTitle(QStringLiteral("Rreth programit Lib'rezi Drites"));
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(twips(5160), twips(5940));
    setAutoFillBackground(true);

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->setGeometry(0, 0, twips(5175), twips(6015));
    SSTab1->setDocumentMode(true);
    QPalette tabPal = SSTab1->palette();
    tabPal.setColor(QPalette::Window, kPageColor);
    SSTab1->setPalette(tabPal);
    SSTab1->setAutoFillBackground(true);

    buildProgrami(pagePanel(SSTab1, "Picture1_2", QStringLiteral("Programi")));
    buildPerpunimi(pagePanel(SSTab1, "Picture1_1", QStringLiteral("Përpunimi")));
    buildMirenjohje(pagePanel(SSTab1, "Picture1_3", QStringLiteral("Mirënjohje")));
    m_kontakt = pagePanel(SSTab1, "Picture1_4", QStringLiteral("Kontakt"));
    buildKontakt(m_kontakt);
    m_kontakt->installEventFilter(this);
    // What was fetched from the network and is in use here is credited with its terms, on a page of its own.
    if (const QString credits = downloads::credits(); !credits.isEmpty()) {
        QWidget* page = pagePanel(SSTab1, "Picture1_5", QStringLiteral("Burimet"));
        auto* scroll = new QScrollArea(page);
        scroll->setGeometry(twips(120), twips(120), twips(4935), twips(5000));
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        auto* text = new QLabel(credits);
        text->setObjectName(QStringLiteral("lblBurimet"));
        text->setWordWrap(true);
        text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        text->setFont(designFont("Verdana", 8.25));
        QPalette pal = text->palette();
        pal.setColor(QPalette::Window, kPageColor);
        scroll->viewport()->setPalette(pal);
        scroll->viewport()->setAutoFillBackground(true);
        text->setAutoFillBackground(false);
        scroll->setWidget(text);
    }

    Command1 = new QToolButton(this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setToolTip(QStringLiteral("Kthehu"));
    Command1->setIcon(art::icon(art::kOk));
    Command1->setIconSize(QSize(24, 24));
    Command1->setGeometry(twips(4560), twips(5280), twips(495), twips(495));
    Command1->raise(); // it lies inside the tab control's rectangle
    connect(Command1, &QToolButton::clicked, this, &QDialog::close);

    connect(LblVRNLink, &LinkLabel::Click, this, [] { platform::openAddress(addresses::makerSite()); });
    connect(Label1_42, &LinkLabel::Click, this, [] { platform::openAddress(addresses::programPage()); });
    connect(lblHyperlink, &LinkLabel::Click, this,
            [] { platform::openAddress(QString(QStringLiteral("mailto:") + addresses::makerEmail())); });
    // Both web links offer the copy in their hint, so both copy on a right click.
    for (LinkLabel* link : {Label1_42, LblVRNLink})
        connect(link, &LinkLabel::MouseDown, this, [link](int button) {
            if (button == 2)
                copyLinkCaption(link);
        });

    Form_Load(parent);
}

// One value of the database's table Te_dhenat; "" when the row, the table or the database is missing.
QString frmRrethProg::fact(const char* key) const {
    if (!m_library || !m_library->connection().isOpen())
        return QString();
    try {
        return m_library->fact(QString::fromLatin1(key)).value_or(QString()).trimmed();
    } catch (const platform::DbError&) {
        return QString();
    }
}

void frmRrethProg::Form_Load(QWidget* owner) {
    const QString caption = owner ? owner->window()->windowTitle() : QString();
    Label1_67->setText(caption.isEmpty() ? QStringLiteral("Lib'rezi Drites") : caption);
    SSTab1->setCurrentIndex(0);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, platform::windowColour());
    setPalette(pal);
    LblVer->setText(versionText());
}

void frmRrethProg::buildProgrami(QWidget* page) {
    auto* Picture3 = new QLabel(page);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    const QPixmap emblem = art::picture(art::kEmblem);
    Picture3->setPixmap(emblem);
    Picture3->setGeometry((page->width() - emblem.width()) / 2, twips(120), emblem.width(), emblem.height());

    Label1_67 = centred(page, "Label1_67", QStringLiteral("Lib'rezi Drites"), designFont("Arial", 20.25, true), 1560);
    Label1_67->setFixedHeight(twips(480));

    const QString translator = fact(schema::kMetaTranslator);
    Label1_62 = centred(page, "Label1_62",
                        translator.isEmpty() ? QString() : QString(QStringLiteral("Përkthim i ") + translator),
                        designFont("MS Sans Serif", 9.75), 2040);
    LblVer = centred(page, "LblVer", QStringLiteral("Versioni"), designFont("Verdana", 9.75), 2400);
    // The translation's name and the source it was taken from, when the database names them.
    centred(page, "lblPerkthimi", fact(schema::kMetaTranslation), designFont("Verdana", 8.25), 2790);
    centred(page, "lblBurimi", fact(schema::kMetaSource), designFont("Verdana", 8.25), 3060);

    // A heading only over a name the database gives.
    placed(page, "Label1_82", QStringLiteral("Klasifikimi tematik i ajeteve"), designFont("MS Sans Serif", 9.75, true),
           1170, 3480)
        ->setVisible(!fact(kMetaClassifier).isEmpty());
    centred(page, "Label1_83", fact(kMetaClassifier), designFont("MS Sans Serif", 9.75), 3720);
    centred(page, "Label1_64", fact(kMetaTown), designFont("MS Sans Serif", 9.75), 4440);
}

void frmRrethProg::buildPerpunimi(QWidget* page) {
    centred(page, "Label1_36", fact(kMetaMakerShort), designFont("Arial Black", 20.25, true), 1440);
    auto* Line1 = new QFrame(page);
    Line1->setObjectName(QStringLiteral("Line1_3"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setStyleSheet(QStringLiteral("color: palette(base); background: palette(base);"));
    Line1->setGeometry(twips(900), twips(1920), twips(4260 - 900), 1);
    Line1->setVisible(!fact(kMetaMakerShort).isEmpty()); // it stands under the makers' name
    centred(page, "Label1_34", fact(kMetaMakerFull), designFont("Arial", 9.75, false, true), 2040);
    centred(page, "Label1_35", fact(kMetaTown), designFont("MS Sans Serif", 9.75), 2400);
    LblVRNLink = new LinkLabel(addresses::makerSite(), page);
    LblVRNLink->setToolTip(kCopyHint);
    placeLink(LblVRNLink, "LblVRNLink", designFont("MS Sans Serif", 9.75), 2760);
    // The program's licence: what a reader may do with it.
    QLabel* licence = placed(page, "Label1_38",
                             QStringLiteral("Lib'rezi Drites është softuer i lirë: mund ta përdorni, ta shpërndani dhe "
                                            "ta ndryshoni sipas kushteve të GNU General Public License, versioni 3 "
                                            "ose çdo version më i ri (GPL-3.0-or-later)."),
                             designFont("MS Sans Serif", 8.25), 240, 3240, 4695, 1000);
    licence->setWordWrap(true);
    licence->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

void frmRrethProg::buildMirenjohje(QWidget* page) {
    // What the reader reads and what the program stands on: the translation the database names, and the free
    // software it is built with.
    const QString translator = fact(schema::kMetaTranslator);
    const QString translation = fact(schema::kMetaTranslation);
    const QString source = fact(schema::kMetaSource);
    QStringList credit;
    if (!translator.isEmpty() || !translation.isEmpty())
        credit << (translator.isEmpty() || translation == translator
                       ? (translator.isEmpty() ? translation : translator)
                       : translator + (translation.isEmpty() ? QString() : u" — " + translation));
    if (!source.isEmpty())
        credit << QStringLiteral("Burimi: ") + source;
    placed(page, "lblMirenjohje_0", QStringLiteral("Përkthimi"), designFont("Verdana", 8.25, true), 240, 120);
    placed(page, "lblEmrat_0",
           credit.isEmpty() ? QStringLiteral("Ende nuk është importuar asnjë përkthim.") : credit.join(u'\n'),
           designFont("Verdana", 8.25), 360, 360, 4695, 480);
    placed(page, "lblMirenjohje_1", QStringLiteral("Programi mbështetet në softuer të lirë"),
           designFont("Verdana", 8.25, true), 240, 1080);
    placed(page, "lblEmrat_1",
           QStringLiteral("Qt 6 — The Qt Company dhe kontribuuesit (LGPL-3.0)\n"
                          "SQLite — D. Richard Hipp dhe të tjerë (domenë publike)\n"
                          "GStreamer — kontribuuesit e tij (LGPL-2.1)\n"
                          "Shkronjat DejaVu — kontribuuesit e tyre (licenca e shkronjave DejaVu)\n"
                          "eSpeak NG dhe LAME, për leximet shembull (GPL-3.0, LGPL-2.0)"),
           designFont("Verdana", 8.25), 360, 1320, 4695, 1400);
    QLabel* last = placed(page, "lblFalenderimi", QStringLiteral("I falënderohemi All-llahut që na e mundësoi këtë"),
                          designFont("Verdana", 9.75, true), 0, 4440, 5175, 480);
    last->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

void frmRrethProg::buildKontakt(QWidget* page) {
    QLabel* info =
        placed(page, "Label1_39",
               QStringLiteral("Informata rreth programit dhe risive mund të gjeni në këtë adresë interneti:"),
               designFont("MS Sans Serif", 9.75, true), 240, 1230, 4680, 600);
    info->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    info->setVisible(!addresses::programPage().isEmpty());
    Label1_42 = new LinkLabel(addresses::programPage(), page);
    Label1_42->setToolTip(kCopyHint);
    placeLink(Label1_42, "Label1_42", designFont("MS Sans Serif", 9.75), 1830);

    QLabel* mail = placed(
        page, "Label1_47",
        QStringLiteral("Sugjërimet e juaja rreth mungesave ose plotësimeve të programit na i dërgoni në këtë e-mail:"),
        designFont("MS Sans Serif", 9.75, true), 255, 2910, 4650, 840);
    mail->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    mail->setVisible(!addresses::makerEmail().isEmpty());
    QLabel* none =
        placed(page, "lblPaAdresa", QStringLiteral("Programi ende nuk ka faqe interneti as adresë e-maili të vetën."),
               designFont("MS Sans Serif", 9.75, true), 240, 1230, 4680, 600);
    none->setWordWrap(true);
    none->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    none->setVisible(addresses::programPage().isEmpty() && addresses::makerEmail().isEmpty());
    lblHyperlink = new LinkLabel(addresses::makerEmail(), page);
    lblHyperlink->setToolTip(fact(kMetaContact));
    placeLink(lblHyperlink, "lblHyperlink", designFont("Arial", 9.75), 3750);
}

void frmRrethProg::mouseReleaseEvent(QMouseEvent* e) {
    // A click on the window's own surface closes it (not one that a page or a label let through).
    if (e->button() == Qt::LeftButton && !childAt(e->position().toPoint()))
        close();
    QDialog::mouseReleaseEvent(e);
}

bool frmRrethProg::eventFilter(QObject* watched, QEvent* event) {
    // So does a click on the "Kontakt" page outside its links.
    if (watched == m_kontakt && event->type() == QEvent::MouseButtonRelease) {
        const auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton && !m_kontakt->childAt(e->position().toPoint())) {
            close();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::unique_ptr<frmRrethProg> createAbout(QWidget* parent, const data::Library* library) {
    auto dialog = std::make_unique<frmRrethProg>(parent, library);
    // Centred on the screen the main window is on.
    QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame = dialog->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        dialog->move(frame.topLeft());
    }
    return dialog;
}

void showAbout(QWidget* parent, const data::Library& library) {
    const std::unique_ptr<frmRrethProg> dialog = createAbout(parent, &library);
    dialog->exec();
}
