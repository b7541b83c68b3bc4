// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/header.h"

#include "about/addresses.h"
#include "platform/look.h"
#include "platform/shell.h"
#include "resources/resources.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>

namespace {

void setLinkColour(QLabel* label, const QColor& c) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, c);
    label->setPalette(p);
}

} // namespace

HeaderPanel::HeaderPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("C1Elastic3_Header"));
    setMouseTracking(true);
    setMinimumHeight(96);
    setMaximumHeight(137); // 2055 twips
    LblLinkLibrezi = new QLabel(QStringLiteral("  ") + addresses::productSite() + QStringLiteral("  "), this);
    LblLinkLibrezi->setObjectName(QStringLiteral("LblLinkLibrezi"));
    LblLinkLibrezi->setToolTip(QStringLiteral("Shtypni adresën për ta hapur faqen e internetit"));
    LblLinkLibrezi->setAccessibleName(LblLinkLibrezi->toolTip());
    LblLinkLibrezi->setAlignment(Qt::AlignCenter);
    LblLinkLibrezi->setMouseTracking(true);
    LblLinkLibrezi->setFocusPolicy(Qt::TabFocus);
    QFont f(QStringLiteral("Verdana"));
    f.setPointSizeF(9.75);
    LblLinkLibrezi->setFont(f);
    setLinkColour(LblLinkLibrezi, platform::colour(text::Role::OnWindow));
    LblLinkLibrezi->installEventFilter(this);
    LblLinkLibrezi->setVisible(!addresses::productSite().isEmpty()); // a link that leads nowhere is not shown
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addStretch();
    layout->addWidget(LblLinkLibrezi, 0, Qt::AlignTop);
}

void HeaderPanel::LblLinkLibrezi_MouseMove() {
    setLinkColour(LblLinkLibrezi, platform::colour(text::Role::LinkHover));
    LblLinkLibrezi->setCursor(art::handCursor());
}

void HeaderPanel::C1Elastic3_Header_MouseMove() {
    setLinkColour(LblLinkLibrezi, platform::colour(text::Role::OnWindow));
}

void HeaderPanel::LblLinkLibrezi_Click() {
    platform::openAddress(addresses::productSite());
}

void HeaderPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), platform::windowColour());
    // The banner keeps its proportions: as high as the header, centred; a narrow header shows its middle.
    const QSize designed(800, 120);
    const QSize drawn = designed.scaled(QSize(width() * 4, height()), Qt::KeepAspectRatio);
    QPixmap banner = art::picture(art::kBanner, drawn * devicePixelRatioF());
    banner.setDevicePixelRatio(devicePixelRatioF());
    p.drawPixmap(QPoint((width() - drawn.width()) / 2, (height() - drawn.height()) / 2), banner);
}

void HeaderPanel::mouseMoveEvent(QMouseEvent* e) {
    C1Elastic3_Header_MouseMove();
    QWidget::mouseMoveEvent(e);
}

bool HeaderPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == LblLinkLibrezi) {
        switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::Enter:
            LblLinkLibrezi_MouseMove();
            break;
        case QEvent::Leave:
            C1Elastic3_Header_MouseMove();
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                LblLinkLibrezi_Click();
            break;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
                LblLinkLibrezi_Click();
            break;
        }
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
