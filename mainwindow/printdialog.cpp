// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/printdialog.h"

#include "platform/filedialog.h"
#include "platform/msgbox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QVBoxLayout>

frmPrinto::frmPrinto(Mode mode, const QString& view, bool bookmarks, const QStringList& printers, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmPrinto"));
    setWindowTitle(mode == Mode::Export ? QStringLiteral("Eksporto") : QStringLiteral("Printo"));
    auto* what = new QGroupBox(QStringLiteral("Çfarë"), this);
    optPamja = new QRadioButton(QString(view).replace(u'&', QLatin1String("&&")), what); // "Musa&Harun" as typed
    optPamja->setObjectName(QStringLiteral("optPamja"));
    optPamja->setChecked(true);
    optShenjuesit = new QRadioButton(QStringLiteral("Shënjuesit dhe shënimet"), what);
    optShenjuesit->setObjectName(QStringLiteral("optShenjuesit"));
    optShenjuesit->setEnabled(bookmarks);
    auto* whatLayout = new QVBoxLayout(what);
    whatLayout->addWidget(optPamja);
    whatLayout->addWidget(optShenjuesit);

    auto* form = new QFormLayout;
    cmbPrinteri = new QComboBox(this);
    cmbPrinteri->setObjectName(QStringLiteral("cmbPrinteri"));
    cmbPrinteri->addItems(printers);
    if (mode == Mode::Print)
        form->addRow(QStringLiteral("&Printeri:"), cmbPrinteri);
    else
        cmbPrinteri->hide();
    cmbFaqja = new QComboBox(this);
    cmbFaqja->setObjectName(QStringLiteral("cmbFaqja"));
    cmbFaqja->addItem(QStringLiteral("A4 (210 × 297 mm)"), int(QPageSize::A4));
    cmbFaqja->addItem(QStringLiteral("A5 (148 × 210 mm)"), int(QPageSize::A5));
    cmbFaqja->addItem(QStringLiteral("Letter (216 × 279 mm)"), int(QPageSize::Letter));
    form->addRow(QStringLiteral("&Faqja:"), cmbFaqja);

    auto* buttons = new QDialogButtonBox(this);
    cmdOK = buttons->addButton(mode == Mode::Export ? QStringLiteral("&Eksporto...") : QStringLiteral("&Printo"),
                               QDialogButtonBox::AcceptRole);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdAnulo = buttons->addButton(QStringLiteral("Anulo"), QDialogButtonBox::RejectRole);
    cmdAnulo->setObjectName(QStringLiteral("cmdAnulo"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(what);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

QPageSize::PageSizeId frmPrinto::pageSize() const {
    return QPageSize::PageSizeId(cmbFaqja->currentData().toInt());
}

namespace {

// The pointer waits while the pages are made (a few seconds for thousands of verses).
struct Waiting {
    Waiting() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Waiting() { QGuiApplication::restoreOverrideCursor(); }
    Waiting(const Waiting&) = delete;
    Waiting& operator=(const Waiting&) = delete;
};

} // namespace

PrintCommands::PrintCommands(Sources sources, QWidget* window)
    : QObject(window), m_sources(std::move(sources)), m_window(window) {
    runDialog = [](frmPrinto& dialog) { return dialog.exec() == QDialog::Accepted; };
    chooseFile = [this](const QString& suggested) {
        QString filter;
        QString file = platform::askForFile(m_window, QStringLiteral("Eksporto"), QDir::home().filePath(suggested),
                                            QStringLiteral("Dokument PDF (*.pdf);;Dokument OpenDocument (*.odt)"),
                                            platform::FileChoice::Save, &filter);
        if (file.isEmpty())
            return QString();
        const bool odt = filter.contains(QLatin1String("odt"));
        if (QFileInfo(file).suffix().isEmpty())
            file += odt ? QStringLiteral(".odt") : QStringLiteral(".pdf");
        return file;
    };
    printerNames = [] { return QPrinterInfo::availablePrinterNames(); };
    setUpPrinter = [](QPrinter&) {};
}

std::optional<printing::Printout> PrintCommands::chosen(frmPrinto::Mode mode, const QStringList& printers,
                                                        QPageSize::PageSizeId& size, QString& printer) {
    printing::Printout view = m_sources.view();
    std::optional<printing::Printout> marked = m_sources.bookmarks();
    frmPrinto dialog(mode, view.title, marked.has_value(), printers, m_window);
    if (!runDialog(dialog))
        return std::nullopt;
    size = dialog.pageSize();
    printer = dialog.cmbPrinteri->currentText();
    if (dialog.optShenjuesit->isChecked() && marked)
        return marked;
    return view;
}

void PrintCommands::exportText() {
    QPageSize::PageSizeId size = QPageSize::A4;
    QString printer;
    const std::optional<printing::Printout> out = chosen(frmPrinto::Mode::Export, {}, size, printer);
    if (!out)
        return;
    // The title is the file's name, without what a file name cannot hold.
    QString suggested = out->title;
    suggested.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|„”]")), QStringLiteral(" "));
    const QString file = chooseFile(suggested.simplified() + QStringLiteral(".pdf"));
    if (file.isEmpty())
        return;
    produce([&] {
        const QString where = QDir::toNativeSeparators(file);
        if (file.endsWith(QLatin1String(".odt"), Qt::CaseInsensitive)) {
            printing::writeOdt(*out, m_sources.look(), file);
            return QStringLiteral("„%1” u ruajt në „%2”.").arg(out->title, where);
        }
        const int pages = printing::writePdf(*out, m_sources.look(), file, size);
        return QStringLiteral("„%1” u ruajt në „%2” (%3 faqe).").arg(out->title, where).arg(pages);
    });
}

void PrintCommands::printText() {
    const QStringList printers = printerNames();
    if (printers.isEmpty()) {
        platform::MsgBox(QStringLiteral("Në këtë kompjuter nuk u gjet asnjë printer.\nMe „Eksporto...” (Ctrl+E) teksti "
                                        "ruhet si PDF, që mund të printohet prej andej."),
                         platform::Buttons::OK, QString(), platform::Icon::Information, m_window);
        return;
    }
    QPageSize::PageSizeId size = QPageSize::A4;
    QString name;
    const std::optional<printing::Printout> out = chosen(frmPrinto::Mode::Print, printers, size, name);
    if (!out)
        return;
    QPrinter printer(QPrinterInfo::printerInfo(name), QPrinter::HighResolution);
    printer.setPageSize(QPageSize(size));
    setUpPrinter(printer);
    produce([&] {
        const int pages = printing::print(*out, m_sources.look(), printer);
        return QStringLiteral("„%1” u dërgua te printeri „%2” (%3 faqe).").arg(out->title, name).arg(pages);
    });
}

void PrintCommands::produce(const std::function<QString()>& work) {
    QString done;
    try {
        const Waiting waiting; // until the pages are made, not while the message is read
        done = work();
    } catch (const printing::WriteError& e) {
        platform::MsgBox(e.message, platform::Buttons::OK, QString(), platform::Icon::Warning, m_window);
        return;
    }
    platform::MsgBox(done, platform::Buttons::OK, QString(), platform::Icon::Information, m_window);
}
