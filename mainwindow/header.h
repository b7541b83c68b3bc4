// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QWidget>

// The header above the text: the banner picture as background and the link to the product's site.
class HeaderPanel : public QWidget {
    Q_OBJECT
public:
    explicit HeaderPanel(QWidget* parent = nullptr);
    QLabel* LblLinkLibrezi;

    // The link's look: white normally, red under the mouse.
    void LblLinkLibrezi_MouseMove();
    void C1Elastic3_Header_MouseMove();
    void LblLinkLibrezi_Click();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
