// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/composed.h"

#include <QFont>
#include <QPageSize>
#include <QString>

#include <memory>

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QTextDocument;

// What the reader takes out of the window on paper or in a file: a surah, a passage, a search's results, the
// bookmarks with their notes. Each page is A4 unless asked otherwise; the first says what the text is, every foot
// names the translator, the source and the page.
namespace printing {

struct Printout {
    QString title;       // what it is: "Sureja Bekare (2)", "Kërkimi i „është”"
    text::Composed body; // the verses with their keys, the lines beside them and the red marks
    QString foot;        // the translator and the source: "Përkthimi i Sherif Ahmetit · Burimi: tanzil.net"
};

// The faces a printout is set in.
struct Look {
    QFont text;
    QFont arabic;
};

// The printout as a document: its title, then the body in the day's colours whatever the window shows (the keys
// bold in their colour, the found words red, the Arabic right to left in its face).
std::unique_ptr<QTextDocument> document(const Printout& printout, const Look& look);

// The foot of a page: "Faqja 3 nga 12".
QString pageNumber(int page, int pages);

// Draws the document on the painter's paged device, page after page, each with the foot and its number; the
// painter is begun on the device already. Returns how many pages were drawn.
int paint(QTextDocument& document, const QString& foot, QPainter& painter, QPagedPaintDevice& device);

// Writes a PDF of the printout to `path`, whole or not at all; the pages written, or the reason it failed (thrown
// as a text the reader can read).
int writePdf(const Printout& printout, const Look& look, const QString& path,
             QPageSize::PageSizeId size = QPageSize::A4);
// Writes an OpenDocument text of the printout (the title, the body, the foot once at the end: no page feet), whole
// or not at all.
void writeOdt(const Printout& printout, const Look& look, const QString& path);
// Sends the printout to a printer set up by the caller; the pages sent.
int print(const Printout& printout, const Look& look, QPrinter& printer);

// A failure to write, said in Albanian.
struct WriteError {
    QString message;
};

} // namespace printing
