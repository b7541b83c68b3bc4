// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/printout.h"

#include <QDialog>
#include <QObject>

#include <functional>
#include <optional>

class QComboBox;
class QPrinter;
class QPushButton;
class QRadioButton;

// "Eksporto..." and "Printo..." of the text's popup: a small Albanian dialog asks what goes out (what the view shows,
// or the bookmarks with their notes), on what paper and, for print, to which printer; then the PDF (or ODT) is
// written where the reader says, or the pages go to the printer. What was done, or why not, is said.
class frmPrinto : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Export, Print };
    // `view` names what the view shows ("Sureja Bekare (2)"); `bookmarks` whether there are bookmarks or notes.
    frmPrinto(Mode mode, const QString& view, bool bookmarks, const QStringList& printers, QWidget* parent);

    QRadioButton* optPamja;
    QRadioButton* optShenjuesit;
    QComboBox* cmbFaqja;
    QComboBox* cmbPrinteri; // for print only
    QPushButton* cmdOK;
    QPushButton* cmdAnulo;

    QPageSize::PageSizeId pageSize() const;
};

class PrintCommands : public QObject {
    Q_OBJECT
public:
    // What the commands take from the window: the printout of what the view shows, with what it is called, and the
    // printout of the bookmarks with their notes (none when there are none), and the faces.
    struct Sources {
        std::function<printing::Printout()> view;
        std::function<std::optional<printing::Printout>()> bookmarks;
        std::function<printing::Look()> look;
    };
    PrintCommands(Sources sources, QWidget* window);

    void exportText();
    void printText();

    // Runs the dialog: true when the reader went on. Tests put their own.
    std::function<bool(frmPrinto&)> runDialog;
    // Asks for the file to write, with its kind from the name ("" when the reader cancels). Tests put their own.
    std::function<QString(const QString& suggested)> chooseFile;
    // The printers the reader may choose, and a printer's set-up before the pages go (tests send them to a file).
    std::function<QStringList()> printerNames;
    std::function<void(QPrinter&)> setUpPrinter;

private:
    std::optional<printing::Printout> chosen(frmPrinto::Mode mode, const QStringList& printers,
                                             QPageSize::PageSizeId& size, QString& printer);
    // Makes the pages (the pointer waiting meanwhile), then says what `work` says it did, or why it failed.
    void produce(const std::function<QString()>& work);
    Sources m_sources;
    QWidget* m_window;
};
