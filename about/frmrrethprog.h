// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/look.h"

#include <QDialog>
#include <QLabel>

#include <memory>

namespace data {
class Library;
}

class QTabWidget;
class QToolButton;

// A link of the About window: dark blue on pale cream, red with the pointing hand under the mouse.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString& address, QWidget* parent);

    static QColor normalColor() { return platform::colour(text::Role::Link); }
    static QColor hoverColor() { return platform::colour(text::Role::LinkHover); }
    QColor ForeColor() const;
    void setForeColor(const QColor& c);

Q_SIGNALS:
    // A left click on the link.
    void Click();
    // A mouse button went down on it: 1 left, 2 right, 4 middle.
    void MouseDown(int Button);

protected:
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
};

// The About window: what the program is, who made it, whom it thanks and how to reach the makers,
// on four pages. It lives only while it is shown; each opening builds it anew.
class frmRrethProg : public QDialog {
    Q_OBJECT
public:
    // The product name on the first page is the caption of `parent`'s window (the main window); the facts of the
    // data come from `library` (none without one).
    explicit frmRrethProg(QWidget* parent = nullptr, const data::Library* library = nullptr);

    QTabWidget* SSTab1;
    QToolButton* Command1;
    QLabel* Label1_67; // the product name
    QLabel* Label1_62; // the translation credit
    QLabel* LblVer;
    LinkLabel* LblVRNLink;   // the makers' web site
    LinkLabel* Label1_42;    // the program's page
    LinkLabel* lblHyperlink; // the makers' e-mail

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load(QWidget* owner);
    void buildProgrami(QWidget* page);
    void buildPerpunimi(QWidget* page);
    void buildMirenjohje(QWidget* page);
    void buildKontakt(QWidget* page);
    QString fact(const char* key) const;
    const data::Library* m_library;
    QWidget* m_kontakt = nullptr;
};

// Copies a link's caption, blanks included, to the clipboard.
void copyLinkCaption(const QLabel* link);

// Builds the About window for the main window `parent`, ready to be shown modally, naming what `library` tells of
// the data (nothing without one).
std::unique_ptr<frmRrethProg> createAbout(QWidget* parent, const data::Library* library);

// cmdRrethProg_Click: shows the About window modally and destroys it once it is closed.
void showAbout(QWidget* parent, const data::Library& library);
