// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/navigation.h"
#include "platform/listcontrols.h"
#include "platform/richtextview.h"
#include "platform/treeview.h"
#include "search/dbsearch.h"
#include "search/findtext.h"
#include "themes/themeindex.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>
#include <QWidget>

#include <functional>
#include <memory>

class Bookmarks;
class HeaderPanel;
class TranslationImport;
class QSpinBox;
namespace audio {
class Playback;
struct Repeat;
class ReciterChoice;
} // namespace audio
namespace platform {
class MediaPlayer;
}

// The main window: the whole text, navigation, themes, search, recitation and tips. Its controls carry
// their names as object names; the feature objects get the controls they work on.
class frmKryesore : public QWidget {
    Q_OBJECT
public:
    explicit frmKryesore(QWidget* parent = nullptr);
    ~frmKryesore() override;

    // How the program ends at once (the exit button's Yes); tests put their own.
    std::function<void()> endProgram;

    // A verse named outside the window ("36:12", "Jasin 12": a start's command line), read in the whole text.
    void goToNamedVerse(const QString& typed);

    // Passage mode: a composed text is shown and the return button with it.
    void enterPassageMode();
    bool inPassageMode() const;

Q_SIGNALS:
    // The popup menu was opened (tests and the accessibility layer listen).
    void popupShown();

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildCommandPanel(QWidget* parent);
    QWidget* buildPageSuret();
    QWidget* buildPageKlasifikimi();
    QWidget* buildPageTemat();
    void leavePassageMode(bool reload);
    void buildControls();
    void connectHandlers();
    void Form_Load();
    void Form_Unload();
    // Loads the whole text into the view; why it could not, in Albanian, or "".
    QString loadWholeText(QString* file);
    static QString stampOf(const QString& file);
    void showTip();
    bool saveHistory();

    QWidget* buildPageShenjuesit();
    void connectShortcuts();
    void chainTabOrder();
    void nameForScreenReaders();
    void restorePlace();
    static QSize designedSize();
    void fitToScreen();
    void savePlace();
    // Navigation beyond the lists: a verse shown at the top of the view, typed keys, the way back.
    void goTo(navigation::Verse v);
    bool goToTypedVerse(const QString& typed);
    bool verseExists(navigation::Verse v);
    void tell(const QString& message);
    navigation::Verse topVerse() const;
    void showAtTop(navigation::Verse v);
    navigation::Verse verseUnderCaret() const;
    bool returnToWholeText();
    void openVerseInWholeText();
    void goToInWholeText(navigation::Verse v);
    void goBack();
    void Rtf1_DblClick();
    void mnuShenjo_Click();
    void stepFontSize(int step);
    void biggerText();
    void smallerText();
    void defaultTextSize();
    void focusFind();
    void focusSearch();
    void focusVerse();

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
    void CmdPlayAjet_Click();
    void CmdPlaySure_Click();
    void mnuLshoAjetin_Click();
    void mnuPauzoje_Click();
    void mnuVazhdo_Click();
    void CmdPlayVazhdim_Click();
    void repeatChosen();
    void showRepeat(const audio::Repeat& r);
    void CmbFontNames_Click();
    void CmbNrFonti_Click();
    void cmdRrethProg_Click();
    void cmdImporto_Click();
    void ChkPaDallim_Click();
    void cmdKerkoAll_Click();
    void cmdKerkim_Click();
    void cmdKerkimPrapa_Click();
    void CmbKerkoKrejt_Click();
    void CmbKerkoKrejt_KeyDown(int KeyCode, int Shift);
    void CmbKerkoKrejt_GotFocus();
    void txtKerkim_GotFocus();
    void txtKerkim_KeyPress(int KeyAscii);

    // The text view.
    platform::RichTextView* Rtf1;
    // Command panel.
    QToolButton* cmdFund;
    QToolButton* cmdRrethProg;
    QToolButton* cmdImporto;
    QToolButton* cmdCopy;
    platform::ComboBox* CmbFontNames;
    platform::ComboBox* CmbNrFonti;
    QLineEdit* txtKerkim;
    QToolButton* cmdKerkimPrapa;
    QToolButton* cmdKerkim;
    platform::ComboBox* CmbKerkoKrejt;
    QToolButton* cmdKtheLibrezin;
    QToolButton* cmdKerkoAll;
    QCheckBox* ChkKerkoSure;
    QCheckBox* ChkPaDallim;
    // Page "Suret".
    QTabWidget* C1Tab1;
    platform::ComboBox* CmbNrSure;
    platform::ComboBox* CmbEmrSure;
    platform::ComboBox* CmbNrAjeti;
    platform::ComboBox* CmbTotalAjete;
    platform::ComboBox* CmbLexuesAjete;
    platform::ComboBox* CmbLexuesSure;
    QToolButton* CmdPlaySure;
    QToolButton* CmdPlayAjet;
    QToolButton* CmdPlayVazhdim;
    QToolButton *CmdShtoLexuesAjete, *CmdHiqLexuesAjete, *CmdShtoLexuesSure, *CmdHiqLexuesSure;
    platform::ComboBox* CmbPerserit;
    QCheckBox* ChkVargu;
    QSpinBox *SpnNga, *SpnDeri;
    QToolButton* CmdRefreshKeshille;
    QLabel* LblKeshilla;
    QLabel* lblNavigimi;
    QToolButton* cmdImportoKeshilla;
    // Page "Klasifikimi".
    QToolButton* CmdCollapseAll;
    QToolButton* cmdExpandAll;
    platform::TreeView* TreeView1;
    platform::ListBox* lstAjetKlasifikim;
    // Page "Temat".
    platform::ComboBox* cmbKlasifikimTematik;
    platform::ListBox* LstAjetetPrejCmbTema;
    // Page "Shënjuesit".
    platform::ListBox* lstShenjuesit;
    // Header and bottom strip.
    HeaderPanel* C1Elastic3_Header;
    QWidget* C1Elastic4_Bottom;
    platform::MediaPlayer* WindowsMediaPlayer1;
    // The text view's popup menu.
    QMenu* mnuPopupRtf;
    QAction* mnuSelektojeAjetin;
    QAction* mnuSelektoKrejtTekstin;
    QAction* mnuKopjim;
    QAction* mnuLshoAjetin;
    QAction* mnuPauzoje;
    QAction* mnuVazhdo;
    QAction* mnuShenjo;
    QAction* mnuLexoVazhdim;

    std::unique_ptr<search::DatabaseSearch> m_search;
    std::unique_ptr<search::FindInText> m_find;
    std::unique_ptr<themes::ThemeIndex> m_themes;
    audio::Playback* m_playback = nullptr;
    audio::ReciterChoice* m_reciters = nullptr;
    Bookmarks* m_bookmarks = nullptr;
    TranslationImport* m_import = nullptr;
    navigation::Verse m_wholeTextPlace; // the verse at the top of the whole text when a passage was shown
    navigation::Verse m_restoreVerse;   // the verse of the last run, gone to when the window shows
    QString m_wholeStamp;               // the whole-text file as it was read (stampOf)
    int m_verseAfterSurah = 0;
    bool m_following = false;  // the text follows a recitation: no navigation of the reader's          // the verse a
                               // surah's Click goes to (0: verse 1)
    bool m_faceChosen = false; // the reader chose a face or a size in this run
    bool m_sizeChosen = false;
    int m_points; // the size the text was last given
};
