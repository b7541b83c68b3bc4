// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/printout.h"

#include "platform/look.h"
#include "platform/richtextview.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextLayout>

namespace printing {

namespace {

constexpr double kMarginMm = 18;
constexpr double kFootMm = 10; // the foot's band at the bottom of the body

// The resolution a document is laid out in when it has no device of its own: the screen's.
double layoutDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

// Opens `path` for writing whole; a file that cannot be made is said.
void open(QSaveFile& file) {
    if (!file.open(QIODevice::WriteOnly))
        throw WriteError{
            QStringLiteral("Skedari „%1” nuk mund të shkruhet: %2").arg(file.fileName(), file.errorString())};
}

void commit(QSaveFile& file) {
    if (!file.commit())
        throw WriteError{QStringLiteral("Skedari „%1” nuk u shkrua: %2").arg(file.fileName(), file.errorString())};
}

} // namespace

std::unique_ptr<QTextDocument> document(const Printout& printout, const Look& look) {
    auto doc = std::make_unique<QTextDocument>();
    doc->setUndoRedoEnabled(false);
    doc->setDefaultFont(look.text);
    doc->setDocumentMargin(0);
    QTextCursor cursor(doc.get());
    QTextCharFormat title;
    title.setFontWeight(QFont::Bold);
    title.setFontPointSize(look.text.pointSizeF() * 1.4);
    title.setForeground(platform::dayPalette(text::Role::Heading));
    QTextBlockFormat titleBlock;
    titleBlock.setBottomMargin(look.text.pointSizeF());
    cursor.setBlockFormat(titleBlock);
    cursor.insertText(printout.title, title);
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    const int at = cursor.position();
    QString body = printout.body.text;
    if (body.endsWith(u'\n'))
        body.chop(1); // the last line's break would leave an empty line at the end
    cursor.insertText(body);
    platform::formatComposed(doc.get(), at, printout.body, look.arabic, platform::dayPalette);
    // The keys stand out in bold, in their colour.
    QTextCharFormat key;
    key.setFontWeight(QFont::Bold);
    key.setForeground(platform::dayPalette(text::Role::VerseKey));
    for (const text::VerseIndex::Span& v : printout.body.index.verses()) {
        const qsizetype tab = printout.body.text.indexOf(u'\t', v.key);
        if (tab < 0 || tab > v.keyEnd)
            continue;
        cursor.setPosition(at + v.key);
        cursor.setPosition(at + int(tab), QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(key);
    }
    return doc;
}

QString pageNumber(int page, int pages) {
    return QStringLiteral("Faqja %1 nga %2").arg(page).arg(pages);
}

int paint(QTextDocument& document, const QString& foot, QPainter& painter, QPagedPaintDevice& device) {
    // The document is laid out at the screen's resolution and drawn scaled to the device's, so that what was
    // measured on the screen (the hanging of the verse lines) keeps its proportions on paper.
    const double dpi = layoutDpi();
    const double scale = device.logicalDpiY() / dpi;
    const QRectF paper = device.pageLayout().paintRectPixels(device.logicalDpiY());
    const double margin = kMarginMm / 25.4 * dpi;
    const double footBand = kFootMm / 25.4 * dpi;
    const QSizeF page(paper.width() / scale - 2 * margin, paper.height() / scale - 2 * margin - footBand);
    document.documentLayout()->setPaintDevice(nullptr);
    document.setPageSize(page);
    const int pages = document.pageCount();

    // The foot in a size for paper (the painter's scale would enlarge a size in points).
    QFont footFont = document.defaultFont();
    footFont.setPointSizeF(std::max(6.0, footFont.pointSizeF() * 0.75) / scale);
    auto drawFoot = [&](int index) {
        const QRectF footRect(0, page.height() + footBand * 0.35, page.width(), footBand * 0.65);
        painter.setPen(QPen(platform::dayPalette(text::Role::Note), 0.5));
        painter.drawLine(footRect.topLeft(), footRect.topRight());
        painter.setFont(footFont);
        painter.setPen(platform::dayPalette(text::Role::Text));
        painter.drawText(footRect, Qt::AlignLeft | Qt::AlignBottom, foot);
        painter.drawText(footRect, Qt::AlignRight | Qt::AlignBottom, pageNumber(index + 1, pages));
    };
    painter.save();
    painter.scale(scale, scale);
    painter.translate(margin, margin);
    // Line by line, each on the page the layout put it (a line never crosses a page's edge), so that each page holds
    // the text of its own lines and no other: a text copied from the PDF is the text of the page.
    int index = 0;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        const QTextLayout* layout = b.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const double y = layout->position().y() + line.y();
            const int on = std::clamp(int((y + 0.5) / page.height()), 0, pages - 1);
            while (index < on) {
                drawFoot(index);
                if (!device.newPage())
                    throw WriteError{QStringLiteral("Faqja %1 nuk mund të fillohet.").arg(index + 2)};
                ++index;
            }
            painter.setPen(platform::dayPalette(text::Role::Text));
            line.draw(&painter, layout->position() - QPointF(0, index * page.height()));
        }
    }
    for (; index < pages; ++index) { // the last page, and any the layout left empty
        drawFoot(index);
        if (index + 1 < pages && !device.newPage())
            throw WriteError{QStringLiteral("Faqja %1 nuk mund të fillohet.").arg(index + 2)};
    }
    painter.restore();
    return pages;
}

int writePdf(const Printout& printout, const Look& look, const QString& path, QPageSize::PageSizeId size) {
    QSaveFile file(path);
    open(file);
    int pages = 0;
    {
        QPdfWriter pdf(&file);
        pdf.setPageSize(QPageSize(size));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setResolution(300);
        pdf.setTitle(printout.title);
        pdf.setCreator(QStringLiteral("Lib'rezi"));
        const std::unique_ptr<QTextDocument> doc = document(printout, look);
        QPainter painter;
        if (!painter.begin(&pdf))
            throw WriteError{QStringLiteral("Skedari PDF „%1” nuk mund të fillohet.").arg(path)};
        pages = paint(*doc, printout.foot, painter, pdf);
        painter.end();
    }
    commit(file);
    return pages;
}

void writeOdt(const Printout& printout, const Look& look, const QString& path) {
    QSaveFile file(path);
    open(file);
    const std::unique_ptr<QTextDocument> doc = document(printout, look);
    QTextCursor end(doc.get());
    end.movePosition(QTextCursor::End);
    end.insertBlock();
    end.insertText(printout.foot);
    // The writer closes the device it wrote to, which a file written whole or not at all may not be.
    QBuffer odt;
    QTextDocumentWriter writer(&odt, "odf");
    if (!writer.write(doc.get()) || file.write(odt.data()) != odt.data().size())
        throw WriteError{QStringLiteral("Skedari „%1” nuk u shkrua.").arg(path)};
    commit(file);
}

int print(const Printout& printout, const Look& look, QPrinter& printer) {
    printer.setDocName(printout.title);
    const std::unique_ptr<QTextDocument> doc = document(printout, look);
    printer.setFullPage(true); // the pages' own margins, whatever the printer's
    QPainter painter;
    if (!painter.begin(&printer))
        throw WriteError{QStringLiteral("Printeri „%1” nuk e pranoi punën.").arg(printer.printerName())};
    const int pages = paint(*doc, printout.foot, painter, printer);
    painter.end();
    return pages;
}

} // namespace printing
