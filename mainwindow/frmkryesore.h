// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/besidetexts.h"
#include "mainwindow/navigation.h"
#include "platform/listcontrols.h"
#include "platform/richtextview.h"
#include "platform/treeview.h"
#include "printing/printout.h"
#include "reading/session.h"
#include "search/dbsearch.h"
#include "search/findtext.h"
#include "themes/themeindex.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class Bookmarks;
class PrintCommands;
class HeaderPanel;
class TranslationImport;
class QSpinBox;
class QMimeData;
namespace audio {
class Playback;
struct Repeat;
class ReciterChoice;
} // namespace audio
namespace data {
class Library;
}
namespace downloads {
class Fetcher;
class Recordings;
class frmShkarkimet;
} // namespace downloads
namespace platform {
class MediaPlayer;
}

// The main window: it shows what its reading session and the features compute. Its handlers are the reader's
// entry points; its controls carry their names as object names.
class frmKryesore : public QWidget {
    Q_OBJECT
public:
    explicit frmKryesore(data::Library& library, QWidget* parent = nullptr);
    ~frmKryesore() override;

    // How the program ends at once (the exit button's Yes); tests put their own.
    std::function<void()> endProgram;

    // A composed text (a passage, search results) is shown, and the way back with it.
    bool inPassageMode() const { return m_session.showsComposed(); }
    // A search runs (its results are not shown yet).
    bool searching() const { return m_searcher->running(); }
    // A verse named outside the window ("36:12", "Jasin 12": a start's command line), read in the whole text.
    void goToNamedVerse(const QString& typed);

Q_SIGNALS:
    // The popup menu was opened (tests and the accessibility layer listen).
    void popupShown();
    // A search ended: its results are shown, or it failed and the view is as it was.
    void searchDone();

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building (controls.cpp).
    QWidget* buildCommandPanel(QWidget* parent);
    QWidget* buildPageSuret();
    QWidget* buildPageKlasifikimi();
    QWidget* buildPageTemat();
    QWidget* buildPageShenjuesit();
    void buildControls();
    void connectShortcuts();
    void chainTabOrder();
    void nameForScreenReaders();
    static QSize designedSize();
    void fitToScreen();

    void connectHandlers();
    void observeSession();
    void Form_Load();
    void Form_Unload();
    // Reads the whole text into the view when it is not there or its file changed; why it could not, in Albanian,
    // or "".
    QString loadWholeText();
    static QString stampOf(const QString& file);
    void restorePlace();
    void savePlace();
    bool saveHistory();
    void showTip();

    // What the session says, shown.
    void showVerse(text::Verse v, reading::Origin origin);
    void showScreen(reading::Screen s);
    void showVerseInLists(text::Verse v);
    void tell(const QString& message);

    // Navigation beyond the lists: typed keys, the way back, a verse read in the whole text.
    bool goToTypedVerse(const QString& typed);
    void goToTypedSurah(const QString& typed);
    int surahNamed(const QString& typed);
    text::Verse verseUnderCaret() const;
    bool openInWholeText(text::Verse v);
    void openVerseInWholeText();
    void goBack();
    void Rtf1_DblClick();
    void mnuShenjo_Click();
    void undoBookmarkRemoved();
    void showBookmarks();
    void say(const QString& news);
    void stepFontSize(int step);
    void biggerText();
    void smallerText();
    void defaultTextSize();
    void nextPart(int step);
    void focusFind();
    void focusSearch();
    void focusVerse();
    void showSearchResults(const search::Outcome& outcome, std::shared_ptr<const text::Composed> shown);
    void searchFailed(std::exception_ptr error);
    bool followLink(int crlfPos);

    // Handlers.
    void CmbNrSure_Click();
    void CmbEmrSure_Click();
    void CmbTotalAjete_Click();
    void CmbNrAjeti_Click();
    void cmdKtheLibrezin_Click();
    void cmdFund_Click();
    void cmdFund_LostFocus();
    void mnuSelektojeAjetin_Click();
    void mnuSelektoKrejtTekstin_Click();
    void mnuKopjim_Click();
    void cmdCopy_Click();
    // The selection when it is one verse's block: its texts and its reference ("(Jasin 36:12, përkthimi i ...)"),
    // as plain text and HTML; none for any other selection.
    QMimeData* verseCopy() const;
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
    void inviteImport(bool invite);
    // The window "Shkarkimet" (made at its first opening; one for the window's life).
    void cmdShkarkimet_Click();
    // "Krahaso" (Ctrl+Shift+K): the verse under the caret in every text the reader has, the translations' differences
    // marked.
    void mnuKrahaso_Click();
    // What "Eksporto..." and "Printo..." take: what the view shows (the surah at the caret in the whole text), the
    // bookmarks with the notes (none when there are none), the faces.
    printing::Printout viewPrintout() const;
    std::optional<printing::Printout> bookmarksPrintout() const;
    printing::Look printLook() const;
    // Imports a translation just fetched, with the preview of an import from a file.
    void importFetched(const QString& file);
    // The reciter lists filled again after a fetched reciter came or went; `id` (>= 0) becomes the verse reciter.
    void reciterFetched(qint64 id);
    // "Teksti arab": the Arabic above each verse, on or off; the menu beside it turns translations on and off,
    // sizes the Arabic and imports a text from a file.
    void cmdTekstiArab_Click();
    void fillTextsMenu();
    void mnuImportoTekst_Click();
    // The texts the reader chose shown beside the verses, the verse at the top staying there.
    void showBesideTexts();
    void ChkPaDallim_Click();
    void cmdKerkoAll_Click();
    void cmdKerkim_Click();
    void cmdKerkimPrapa_Click();
    void CmbKerkoKrejt_Click();
    void CmbKerkoKrejt_KeyDown(int KeyCode, int Shift);
    void CmbKerkoKrejt_GotFocus();
    void txtKerkim_GotFocus();
    void txtKerkim_KeyPress(int KeyAscii);

    data::Library& m_library;
    reading::Session m_session;

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
    QToolButton* cmdShkarkimet;
    QToolButton* cmdShkarkimetKeshilla;
    QToolButton* cmdTekstiArab;
    QToolButton* cmdNata; // the night palette
    QMenu* mnuTekstet;
    besidetexts::Choice m_besideChoice;
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
    // What the reader must know: a save that failed, below the pages.
    QLabel* lblNjoftimi;
    // What a command did ("Ajeti 36:12 u shënua"), below the pages for a while.
    QLabel* lblLajmi;
    QTimer m_newsShown;
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
    QAction* mnuEksporto;
    QAction* mnuPrinto;

    search::Searcher* m_searcher = nullptr;
    std::unique_ptr<search::FindInText> m_find;
    themes::ThemeIndex* m_themes = nullptr;
    audio::Playback* m_playback = nullptr;
    audio::ReciterChoice* m_reciters = nullptr;
    Bookmarks* m_bookmarks = nullptr;
    PrintCommands* m_print = nullptr;
    TranslationImport* m_import = nullptr;
    downloads::Fetcher* m_fetcher = nullptr;
    downloads::Recordings* m_recordings = nullptr;
    downloads::frmShkarkimet* m_downloads = nullptr;
    class frmKrahaso* m_compare = nullptr;
    void afterImport();
    text::Verse m_restoreVerse;                         // the verse of the last run, gone to when the window shows
    QString m_wholeStamp;                               // the whole-text file as it was read (stampOf)
    QStringList m_historyKept;                          // the search list as the store holds it
    QPointer<QWidget> m_lastInColumn;                   // the control of the left column F6 left
    std::optional<navigation::SurahNames> m_surahNames; // gathered at the first name typed
    bool m_faceChosen = false;                          // the reader chose a face or a size in this run
    bool m_sizeChosen = false;
    int m_points; // the size the text was last given
};
