#pragma once

#include "platform/listcontrols.h"
#include "platform/richtextview.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>
#include <QWidget>

#include <functional>

// The main window: the whole text, navigation, themes, search, recitation and tips.
class frmKryesore : public QWidget {
    Q_OBJECT
public:
    explicit frmKryesore(QWidget* parent = nullptr);

    // The text view.
    platform::RichTextView* Rtf1;
    // Command panel.
    QToolButton* cmdFund;
    QToolButton* cmdCopy;
    QLineEdit* txtKerkim;
    platform::ComboBox* CmbKerkoKrejt;
    QToolButton* cmdKtheLibrezin;
    // Page "Suret".
    QTabWidget* C1Tab1;
    platform::ComboBox* CmbNrSure;
    platform::ComboBox* CmbEmrSure;
    platform::ComboBox* CmbNrAjeti;
    platform::ComboBox* CmbTotalAjete;
    platform::ComboBox* CmbLexuesAjete;
    platform::ComboBox* CmbLexuesSure;
    QToolButton* CmdRefreshKeshille;
    QLabel* LblKeshilla;
    // The text view's popup menu.
    QMenu* mnuPopupRtf;
    QAction* mnuSelektojeAjetin;
    QAction* mnuSelektoKrejtTekstin;
    QAction* mnuKopjim;
    QAction* mnuLshoAjetin;
    QAction* mnuPauzoje;
    QAction* mnuVazhdo;

    // How the program ends at once (the exit button's Yes); tests put their own.
    std::function<void()> endProgram;

    // Passage mode: a composed text is shown and the return button with it.
    void enterPassageMode();
    bool inPassageMode() const;

    // Handlers.
    void CmbNrSure_Click();
    void CmbEmrSure_Click();
    void CmbTotalAjete_Click();
    void CmbNrAjeti_Click();
    void addItemCmbNrAjet();
    void kerkoje();
    void cmdKtheLibrezin_Click();
    void cmdFund_Click();
    void cmdFund_LostFocus();
    void mnuSelektojeAjetin_Click();
    void mnuSelektoKrejtTekstin_Click();
    void mnuKopjim_Click();
    void cmdCopy_Click();
    void Rtf1_MouseUp(int Button, int Shift, int X, int Y);
    void CmdRefreshKeshille_Click();

Q_SIGNALS:
    // The popup menu was opened (tests and the accessibility layer listen).
    void popupShown();

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectHandlers();
    void Form_Load();
    void Form_Unload();
    // Loads the whole text into the view; false when the file is missing or unreadable.
    bool loadWholeText(QString* file);
    void showTip();
};

// Widths and places are designed in twips (1440 an inch); on screen they are device-independent pixels.
inline int twips(int t) { return (t + 7) / 15; }
