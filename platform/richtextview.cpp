// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/richtextview.h"

#include "platform/look.h"
#include "platform/rtffill.h"
#include "platform/textfile.h"
#include "platform/textfold.h"
#include "text/wholetext.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QFile>
#include <QHelpEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStringView>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cctype>
#include <functional>
#include <optional>
#include <utility>

namespace platform {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool isWordChar(QChar c) {
    return c.isLetterOrNumber();
}

// The face a font box names, or nothing for a blank one.
std::optional<QTextCharFormat> faceFormat(const QString& face) {
    if (face.trimmed().isEmpty())
        return std::nullopt;
    QTextCharFormat f;
    f.setFontFamilies(QStringList{face.trimmed()});
    return f;
}

// The size a size box holds ("12", "10,5"), or nothing for one that is not a size a font can have.
std::optional<QTextCharFormat> sizeFormat(const QString& points) {
    QString s = points.trimmed();
    s.replace(u',', u'.');
    bool ok = false;
    const double size = s.toDouble(&ok);
    if (!ok || size < 1 || size > 1638)
        return std::nullopt;
    QTextCharFormat f;
    f.setFontPointSize(size);
    return f;
}

// The text with every kind of line break turned into '\n', the only break the document reads as
// a paragraph break and nothing else.
QString normalizedBreaks(const QString& text) {
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            if (i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            out.append(u'\n');
        } else if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
            out.append(u'\n');
        } else {
            out.append(c);
        }
    }
    return out;
}

// A block format property that tells a line beside a verse: the Arabic, or another translation.
constexpr int kBeside = QTextFormat::UserProperty + 11;
enum BesideKind { kArabicLine = 1, kTranslationLine = 2 };

// The Arabic stands right to left at the right edge, in its own face and size; another translation hangs as the
// verse lines do (its label where their keys stand), a step smaller than the translation whatever its size.
QTextBlockFormat besideBlock(bool arabic, const QTextBlockFormat& hanging) {
    QTextBlockFormat f = arabic ? QTextBlockFormat() : hanging;
    if (arabic) {
        f.setLayoutDirection(Qt::RightToLeft);
        f.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
        f.setTopMargin(6);
    }
    f.setProperty(kBeside, arabic ? kArabicLine : kTranslationLine);
    return f;
}

QTextCharFormat besideChars(bool arabic, const QFont& arabicFont) {
    QTextCharFormat f;
    if (arabic) {
        f.setFontFamilies(arabicFont.families());
        f.setFontPointSize(arabicFont.pointSizeF());
    } else {
        f.setProperty(QTextFormat::FontSizeAdjustment, -1);
    }
    return f;
}

} // namespace

// The strip left of a pane's text where the marks of verses are drawn; it scrolls with the text.
class MarkMargin : public QWidget {
public:
    static constexpr int kWidth = 14;
    explicit MarkMargin(TextPane* pane) : QWidget(pane), m_pane(pane) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), m_pane->viewport()->palette().base());
        m_pane->paintMarks(painter);
    }
    bool event(QEvent* e) override {
        if (e->type() == QEvent::ToolTip) { // a note's start where its dot is
            const QPoint at = static_cast<QHelpEvent*>(e)->pos();
            if (const QString note = m_pane->noteAt(at + pos()); !note.isEmpty())
                QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), note, this);
            else
                QToolTip::hideText();
            return true;
        }
        return QWidget::event(e);
    }

private:
    TextPane* m_pane;
};

TextPane::TextPane(QWidget* parent) : QTextEdit(parent), m_margin(new MarkMargin(this)) {
    setViewportMargins(MarkMargin::kWidth, 0, 0, 0);
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setAcceptRichText(false);
    setTabChangesFocus(true); // Tab goes on to the next control: nobody types into the text
    document()->setUndoRedoEnabled(false);
    connect(document(), &QTextDocument::contentsChange, this, &TextPane::onContentsChange);
    recolour();
}

void TextPane::adopt(std::unique_ptr<QTextDocument> doc) {
    QTextDocument* old = document();
    m_keptTop = -1;
    // Face and size come with the document; the rest of the font is the one the view had. (A new default font goes
    // over every line: it is set only when it differs.)
    if (const QFont font = doc->defaultFont().resolve(old->defaultFont()); font != doc->defaultFont()) {
        doc->setDefaultFont(font);
        rtf::rehang(doc.get());
    }
    doc->setUndoRedoEnabled(false);
    doc->setParent(this);
    connect(doc.get(), &QTextDocument::contentsChange, this, &TextPane::onContentsChange);
    const bool adoptedBefore = old->parent() == this; // the view's own goes with setDocument
    setDocument(doc.release());
    if (adoptedBefore)
        delete old;
    dropCaches();
    m_ownless.clear();
    m_index.clear();
    m_plainIndex.reset();
    setTextCursor(QTextCursor(document()));
}

void TextPane::setFontOfAll(const QString& face) {
    setFontOfAll(QTextFormat::FontFamilies, [&face](QFont& f) { f.setFamilies({face}); });
}

void TextPane::setFontOfAll(double points) {
    setFontOfAll(QTextFormat::FontPointSize, [points](QFont& f) { f.setPointSizeF(points); });
}

void TextPane::setFontOfAll(int property, const std::function<void(QFont&)>& set) {
    QTextDocument* doc = document();
    QFont font = doc->defaultFont();
    set(font);
    if (m_ownless.contains(property)) { // no run carries a face (size) of its own: the default font is all
        changeWithLayoutPaused([&] {
            doc->setDefaultFont(font);
            rehang();
        });
        m_ownless.insert(property); // the lines' new indent gave no run a font of its own
        return;
    }
    changeWithLayoutPaused([&] {
        // The runs and lines that carry the property are read first: taking it away joins runs.
        struct Carrier {
            int from, to;
            QTextCharFormat format;
            bool block;
        };
        QList<Carrier> carriers;
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            if (b.blockFormat().intProperty(kBeside) == kArabicLine)
                continue; // the Arabic keeps its own face and size
            if (b.charFormat().hasProperty(property))
                carriers.append({b.position(), b.position(), b.charFormat(), true});
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment run = it.fragment();
                if (run.charFormat().hasProperty(property))
                    carriers.append({run.position(), run.position() + run.length(), run.charFormat(), false});
            }
        }
        QTextCursor cursor(doc);
        cursor.beginEditBlock();
        for (Carrier& c : carriers) {
            c.format.clearProperty(property);
            cursor.setPosition(c.from);
            if (c.block) {
                cursor.setBlockCharFormat(c.format);
                continue;
            }
            cursor.setPosition(c.to, QTextCursor::KeepAnchor);
            cursor.setCharFormat(c.format);
        }
        cursor.endEditBlock();
        doc->setDefaultFont(font);
        rehang();
    });
    m_ownless.insert(property); // until the text or its formats change
}

// The lines that hang get the indent of the new font; neither the characters nor their formats change meanwhile.
void TextPane::rehang() {
    m_rehanging = true;
    rtf::rehang(document());
    m_rehanging = false;
}

QFont TextPane::fontAt(int crlfPos) const {
    QTextCursor c(document());
    c.setPosition(toDocumentPosition(crlfPos));
    c.movePosition(QTextCursor::NextCharacter); // a cursor's format is the one of the character before it
    const QTextCharFormat format = c.charFormat();
    QFont font = format.font().resolve(document()->defaultFont());
    if (format.hasProperty(QTextFormat::FontSizeAdjustment) && !format.hasProperty(QTextFormat::FontPointSize))
        font.setPointSizeF(format.font().pointSizeF()); // a step from the default's size, as it is drawn
    return font;
}

// ---- caches -------------------------------------------------------------------------------------

void TextPane::dropCaches() {
    m_text = QString();
    m_folded = QString();
    m_textValid = false;
    m_foldedValid = false;
}

const QString& TextPane::cachedText() const {
    if (!m_textValid) {
        QString text;
        text.reserve(TextLength());
        const QTextDocument* doc = document();
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            if (b != doc->begin())
                text.append(kCrLf);
            text.append(b.text());
        }
        m_text = text;
        m_textValid = true;
    }
    return m_text;
}

const QString& TextPane::cachedFolded() const {
    if (!m_foldedValid) {
        m_folded = foldText(cachedText(), m_loose);
        m_foldedValid = true;
    }
    return m_folded;
}

// A change of colour or font reports its range as removed and added again; the characters are the
// same then, and the cached text is kept. Every block the range touches is compared whole.
bool TextPane::cacheStillMatches(int from, int length) const {
    if (m_text.size() != TextLength())
        return false;
    const QTextDocument* doc = document();
    QTextBlock b = doc->findBlock(from);
    if (!b.isValid())
        return true;
    int crlfBase = b.position() + b.blockNumber();
    const int end = from + length;
    for (; b.isValid() && b.position() <= end; b = b.next()) {
        const QString t = b.text();
        if (crlfBase + t.size() > m_text.size() || QStringView(m_text).mid(crlfBase, t.size()) != QStringView(t))
            return false;
        const int after = crlfBase + int(t.size());
        if (b.next().isValid() ? (after >= m_text.size() || m_text.at(after) != u'\r') : after != m_text.size())
            return false;
        crlfBase = after + 2;
    }
    return true;
}

void TextPane::onContentsChange(int from, int charsRemoved, int charsAdded) {
    if (m_rehanging)
        return;        // only the lines' indents change
    m_ownless.clear(); // a run may carry a face or a size of its own again
    if (!m_textValid)
        return;
    if (charsRemoved == charsAdded && cacheStillMatches(from, charsAdded))
        return;
    dropCaches();
}

// ---- positions ----------------------------------------------------------------------------------

int TextPane::TextLength() const {
    const QTextDocument* doc = document();
    return doc->characterCount() - 1 + doc->blockCount() - 1;
}

int TextPane::fromDocumentPosition(int docPos) const {
    const QTextDocument* doc = document();
    docPos = std::clamp(docPos, 0, doc->characterCount() - 1);
    return docPos + doc->findBlock(docPos).blockNumber();
}

int TextPane::toDocumentPosition(int crlfPos) const {
    const QTextDocument* doc = document();
    crlfPos = std::clamp(crlfPos, 0, TextLength());
    // The last block whose start, in CR LF positions, is at or before crlfPos.
    int lo = 0;
    int hi = doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (doc->findBlockByNumber(mid).position() + mid <= crlfPos)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock b = doc->findBlockByNumber(lo);
    // A position on the LF of a break is the break itself.
    return std::clamp(crlfPos - lo, b.position(), b.position() + b.length() - 1);
}

// ---- content ------------------------------------------------------------------------------------

QString TextPane::Text() const {
    return cachedText();
}

// While the content is replaced the view holds no cursor, as QTextEdit's own setPlainText does: a
// cursor left in the document would follow the inserted text to the end, and taking it back from
// there lays out the whole document first (a third of a second on the full translation).
void TextPane::replaceContent(const std::function<void(QTextDocument*)>& fill) {
    QTextDocument* doc = document();
    m_keptTop = -1; // a new text starts at its top
    setTextCursor(QTextCursor());
    changeWithLayoutPaused([&] { fill(doc); });
    doc->setUndoRedoEnabled(false);
    dropCaches();
    m_index.clear(); // a text comes with its own index
    m_plainIndex.reset();
    setTextCursor(QTextCursor(doc));
}

void TextPane::changeWithLayoutPaused(const std::function<void()>& change) {
    QTextDocument* doc = document();
    if (!doc->isLayoutEnabled()) {
        change();
        return;
    }
    // Resuming reports the whole text as new: the layout forgets where it stopped, drops every
    // line and starts again from the top. The layout resumes even when the change throws.
    struct Resume {
        QTextDocument* doc;
        ~Resume() { doc->setLayoutEnabled(true); }
    };
    doc->setLayoutEnabled(false);
    const Resume resume{doc};
    change();
}

void TextPane::setText(const QString& text) {
    // The document's own setPlainText starts from a fresh document: red marks and fonts of the
    // earlier text go with it (QTextEdit's would carry the caret's format over to the new text).
    const QString plain = normalizedBreaks(text);
    replaceContent([&plain](QTextDocument* doc) { doc->setPlainText(plain); });
}

void formatComposed(QTextDocument* doc, int at, const text::Composed& composed, const QFont& arabic, Palette palette) {
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    // Verse lines hang under the start of their text; the lines beside them take their own look first, so that the
    // marks go over it.
    const QTextBlockFormat hanging = rtf::hangingFormat(doc->defaultFont());
    for (const text::VerseIndex::Span& v : composed.index.verses()) {
        cursor.setPosition(at + v.key);
        cursor.setBlockFormat(hanging);
    }
    const QTextBlockFormat besideBlocks[] = {besideBlock(false, hanging), besideBlock(true, hanging)};
    const QTextCharFormat besideRuns[] = {besideChars(false, arabic), besideChars(true, arabic)};
    for (const text::BesideLine& b : composed.beside) {
        cursor.setPosition(at + b.start);
        cursor.setBlockFormat(besideBlocks[b.arabic]);
        cursor.setPosition(at + b.start + b.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(besideRuns[b.arabic]);
    }
    // Marks of one role share one format; a stretch marked twice keeps its colour.
    QTextCharFormat format;
    for (const text::Mark& m : composed.marks) {
        format.setForeground(palette(m.role));
        format.setProperty(rtf::kRoleProperty, int(m.role));
        cursor.setPosition(at + m.start);
        cursor.setPosition(at + m.start + m.length, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(format);
    }
    cursor.endEditBlock();
}

void TextPane::showComposed(const text::Composed& composed) {
    replaceContent([&composed, arabic = m_arabic](QTextDocument* doc) {
        QTextCursor cursor(doc);
        cursor.beginEditBlock(); // one change for the text and its look
        doc->setPlainText(composed.text);
        formatComposed(doc, 0, composed, arabic, colour);
        cursor.endEditBlock();
    });
    m_index = composed.index;
}

void TextPane::removeBeside() {
    if (!m_plainIndex)
        return;
    QTextDocument* doc = document();
    QTextCursor cursor(doc);
    const int last = doc->characterCount() - 1; // the position after the last character
    const QList<text::VerseIndex::Span>& spans = m_index.verses();
    for (auto s = spans.crbegin(); s != spans.crend(); ++s) {
        if (s->end > s->keyEnd) { // the lines under the key line, with the key line's break (or the last one's)
            cursor.setPosition(s->end < last ? s->keyEnd + 1 : s->keyEnd);
            cursor.setPosition(s->end < last ? s->end + 1 : s->end, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
        if (s->key > s->start) {
            cursor.setPosition(s->start);
            cursor.setPosition(s->key, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
    }
    m_index = *std::exchange(m_plainIndex, std::nullopt);
}

void TextPane::showBeside(const QList<text::ShownText>& texts) {
    QTextDocument* doc = document();
    const QTextCursor caret = textCursor();
    const text::Verse atCaret = m_index.at(caret.position());
    setTextCursor(QTextCursor()); // no cursor follows the lines in (see replaceContent)
    changeWithLayoutPaused([&] {
        QTextCursor cursor(doc);
        cursor.beginEditBlock();
        removeBeside();
        if (!texts.isEmpty()) {
            text::BesidePlan plan = text::planBeside(m_index, doc->characterCount() - 1, texts);
            const QTextBlockFormat hanging = rtf::hangingFormat(doc->defaultFont());
            const QTextBlockFormat besideBlocks[] = {besideBlock(false, hanging), besideBlock(true, hanging)};
            const QTextCharFormat besideRuns[] = {besideChars(false, m_arabic), besideChars(true, m_arabic)};
            // From the end, so that the places still to come stay where the plan has them.
            for (auto i = plan.inserts.crbegin(); i != plan.inserts.crend(); ++i) {
                cursor.setPosition(i->at);
                const QTextBlockFormat follows = cursor.blockFormat();
                const QTextCharFormat followsChars = cursor.blockCharFormat();
                for (const text::Beside& b : i->lines) {
                    // The line takes the place of the block that was there, which moves down a block with its
                    // own format.
                    cursor.setBlockFormat(besideBlocks[b.arabic]);
                    cursor.insertText(b.text, besideRuns[b.arabic]);
                    cursor.insertBlock(follows, followsChars);
                }
            }
            m_plainIndex = std::exchange(m_index, std::move(plan.index));
        }
        cursor.endEditBlock();
    });
    // The caret stays on its verse.
    const int at = atCaret.isValid() ? m_index.startOf(atCaret) : -1;
    QTextCursor back(doc);
    back.setPosition(at >= 0 ? at : std::min(caret.position(), doc->characterCount() - 1));
    setTextCursor(back);
}

namespace {
std::pair<int, int> crlfBlock(const TextPane& pane, const text::VerseIndex::Span* s) {
    return s ? std::pair{pane.fromDocumentPosition(s->start), pane.fromDocumentPosition(s->end)} : std::pair{-1, -1};
}
} // namespace

std::pair<int, int> TextPane::blockOf(text::Verse v) const {
    return crlfBlock(*this, m_index.spanOf(v));
}

std::pair<int, int> TextPane::blockAt(int crlfPos) const {
    return crlfBlock(*this, m_index.spanAt(toDocumentPosition(crlfPos)));
}

text::Verse TextPane::verseAt(int crlfPos) const {
    return m_index.at(toDocumentPosition(crlfPos));
}

int TextPane::headingAt(int crlfPos) const {
    return m_index.headingAt(document()->findBlock(toDocumentPosition(crlfPos)).position());
}

text::Verse TextPane::topVerse() const {
    const QTextDocument* doc = document();
    const QTextBlock top = doc->findBlock(toDocumentPosition(topPosition()));
    QTextBlock limit = top;
    for (int line = 0; line < 4 && limit.isValid(); ++line)
        limit = limit.next();
    // A verse whose Arabic went above the view while its key line is still in it is the verse at the top.
    if (const text::VerseIndex::Span* s = m_index.spanOf(m_index.at(top.position())); s && s->key >= top.position())
        return s->verse;
    return m_index.firstFrom(top.position(), limit.isValid() ? limit.position() : doc->characterCount());
}

int TextPane::positionOf(text::Verse v, bool withHeading) const {
    const int at = m_index.startOf(v);
    if (at < 0)
        return -1;
    // A surah's heading is the line right above its first verse.
    const int heading = withHeading && v.verse == 1 ? m_index.headingOf(v.surah) : -1;
    const bool above = heading >= 0 && document()->findBlock(at).previous().position() == heading;
    return fromDocumentPosition(above ? heading : at);
}

void TextPane::fill(const rtf::Document& parsed) {
    replaceContent([&parsed](QTextDocument* doc) { rtf::fill(doc, parsed); });
}

// ---- selection ----------------------------------------------------------------------------------

void TextPane::selectRange(int anchorCrlf, int positionCrlf) {
    QTextCursor c(document());
    c.setPosition(toDocumentPosition(anchorCrlf));
    c.setPosition(toDocumentPosition(positionCrlf), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

int TextPane::SelStart() const {
    return fromDocumentPosition(textCursor().selectionStart());
}

void TextPane::setSelStart(int pos) {
    selectRange(pos, pos);
}

int TextPane::SelLength() const {
    const QTextCursor c = textCursor();
    return fromDocumentPosition(c.selectionEnd()) - fromDocumentPosition(c.selectionStart());
}

void TextPane::setSelLength(int len) {
    const int start = SelStart();
    selectRange(start, start + std::max(len, 0));
}

QString TextPane::SelText() const {
    const QTextCursor c = textCursor();
    if (!c.hasSelection())
        return QString();
    if (m_textValid) {
        const int start = fromDocumentPosition(c.selectionStart());
        return m_text.mid(start, fromDocumentPosition(c.selectionEnd()) - start);
    }
    return c.selectedText().replace(QChar::ParagraphSeparator, kCrLf);
}

// ---- formats ------------------------------------------------------------------------------------

void TextPane::setSelColor(const QColor& c) {
    QTextCharFormat f;
    f.setForeground(c);
    textCursor().mergeCharFormat(f);
}

void TextPane::recolour() {
    QPalette page = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        page.setColor(group, QPalette::Base, colour(text::Role::Page));
        page.setColor(group, QPalette::Text, colour(text::Role::Text));
        page.setColor(group, QPalette::Highlight, colour(text::Role::Selection));
        page.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    setPalette(page);
    // On a dark page the scroll bars are dark too, as the panels are; by day they are the desktop's.
    QPalette bars;
    if (colour(text::Role::Page).lightness() < 128) {
        bars.setColor(QPalette::Window, colour(text::Role::Page));
        bars.setColor(QPalette::Button, colour(text::Role::StripButton));
        bars.setColor(QPalette::ButtonText, colour(text::Role::StripDimmed));
        bars.setColor(QPalette::WindowText, colour(text::Role::StripDimmed));
    }
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()})
        bar->setPalette(bars);
    m_margin->update();
    // The runs whose colour is no longer their role's are read first: a new colour may join a run to its neighbour.
    struct Run {
        int from, to;
        QColor colour;
    };
    QList<Run> runs;
    QTextDocument* doc = document();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment run = it.fragment();
            const QTextCharFormat f = run.charFormat();
            if (!f.hasProperty(rtf::kRoleProperty))
                continue;
            const QColor now = colour(text::Role(f.intProperty(rtf::kRoleProperty)));
            if (f.foreground().color() != now)
                runs.append({run.position(), run.position() + run.length(), now});
        }
    if (runs.isEmpty())
        return;
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    QTextCharFormat format;
    for (const Run& r : runs) {
        format.setForeground(r.colour);
        cursor.setPosition(r.from);
        cursor.setPosition(r.to, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(format);
    }
    cursor.endEditBlock();
}

void TextPane::setSelFontName(const QString& face) {
    if (const auto f = faceFormat(face))
        textCursor().mergeCharFormat(*f);
}

void TextPane::setSelFontSize(const QString& points) {
    if (const auto f = sizeFormat(points))
        textCursor().mergeCharFormat(*f);
}

// ---- search and movement ------------------------------------------------------------------------

void TextPane::setLooseLetters(bool loose) {
    if (loose == m_loose)
        return;
    m_loose = loose;
    m_folded = QString();
    m_foldedValid = false;
}

QString TextPane::fold(const QString& phrase) const {
    return foldText(phrase, m_loose);
}

int TextPane::Find(const QString& what, int start, int end, int options) {
    if (what.isEmpty())
        return -1;
    const bool matchCase = options & rtfMatchCase;
    const QString& hay = matchCase ? cachedText() : cachedFolded();
    const QString needle = matchCase ? what : fold(what);
    const int length = int(hay.size());
    const int from = start < 0 ? SelStart() : std::min(start, length);
    const int limit = end < 0 ? length : std::min(end, length);
    const int n = int(needle.size());

    for (qsizetype at = hay.indexOf(needle, from); at >= 0 && at + n <= limit; at = hay.indexOf(needle, at + 1)) {
        if (options & rtfWholeWord) {
            if ((at > 0 && isWordChar(hay.at(at - 1))) || (at + n < length && isWordChar(hay.at(at + n))))
                continue;
        }
        selectRange(int(at), int(at) + n); // setTextCursor brings the match into view
        return int(at);
    }
    return -1;
}

void TextPane::Span(const QString& set, bool forward, bool negate) {
    const QString& text = cachedText();
    const int length = int(text.size());
    const int start = SelStart();
    const int end = start + SelLength();
    const auto spans = [&](int i) { return set.contains(text.at(i)) != negate; };
    if (forward) {
        int i = end;
        while (i < length && spans(i))
            ++i;
        selectRange(start, i);
    } else {
        int i = start;
        while (i > 0 && spans(i - 1))
            --i;
        // Stopped between the CR and the LF of a break: the selection starts on the next line.
        if (i > 0 && i < length && text.at(i - 1) == u'\r' && text.at(i) == u'\n')
            ++i;
        selectRange(end, i);
    }
}

// Forward starts from the end of the selection, backward from its start; the caret ends collapsed.
void TextPane::UpTo(const QString& set, bool forward, bool negate) {
    const QString& text = cachedText();
    const int length = int(text.size());
    const int start = SelStart();
    const auto stops = [&](int i) { return set.contains(text.at(i)) != negate; };
    int i;
    if (forward) {
        i = start + SelLength();
        while (i < length && !stops(i))
            ++i;
    } else {
        i = start - 1;
        while (i >= 0 && !stops(i))
            --i;
        i = std::max(i, 0);
    }
    selectRange(i, i);
}

// ---- view and events ----------------------------------------------------------------------------

void TextPane::Refresh() {
    if (isVisible())
        viewport()->repaint();
    else
        viewport()->update();
}

void TextPane::mouseReleaseEvent(QMouseEvent* e) {
    QTextEdit::mouseReleaseEvent(e);
    int button = 0;
    switch (e->button()) {
    case Qt::LeftButton:
        button = 1;
        break;
    case Qt::RightButton:
        button = 2;
        break;
    case Qt::MiddleButton:
        button = 4;
        break;
    default:
        return;
    }
    const Qt::KeyboardModifiers m = e->modifiers();
    const int shift =
        (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
    const QPoint p = e->position().toPoint();
    Q_EMIT MouseUp(button, shift, p.x(), p.y());
}

void TextPane::mouseDoubleClickEvent(QMouseEvent* e) {
    QTextEdit::mouseDoubleClickEvent(e);
    Q_EMIT DblClick();
}

void TextPane::showAtTop(int crlfPos) {
    m_keptTop = -1; // a line chosen now wins over the one a resize meant to keep
    const QTextBlock block = document()->findBlock(toDocumentPosition(crlfPos));
    // Asking for the block's place lays the text out as far as the block.
    const QRectF r = document()->documentLayout()->blockBoundingRect(block);
    // After a change the scroll range follows the layout a step behind: it is brought up to the line, or the
    // value would stop short of it. (The layout's documentSize() would lay out the rest of the text first.)
    // Near the end the range comes back to the text's height once the layout has reached it.
    const int top = int(r.top());
    if (verticalScrollBar()->maximum() < top)
        verticalScrollBar()->setMaximum(top);
    verticalScrollBar()->setValue(top);
}

// The last block laid out whose place is at or above the top of the view (a little below the edge: at the edge
// itself the line above, which ends there, would be hit). The text is laid out from its start, so the blocks laid
// out come first. When the layout has not reached the top of the view yet (just after a change), the view is asked,
// which lays the text out so far.
int TextPane::topPosition() const {
    const qreal y = verticalScrollBar()->value() + 2;
    const QTextDocument* doc = document();
    int lo = 0;
    int hi = doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        const QTextLayout* layout = doc->findBlockByNumber(mid).layout();
        if (layout && layout->lineCount() > 0 && layout->position().y() <= y)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock top = doc->findBlockByNumber(lo);
    const QTextLayout* layout = top.layout();
    const bool reached = layout && layout->lineCount() > 0 &&
                         (layout->position().y() + layout->boundingRect().height() > y || !top.next().isValid() ||
                          (top.next().layout() && top.next().layout()->lineCount() > 0));
    if (!reached)
        return fromDocumentPosition(cursorForPosition(QPoint(0, 2)).block().position());
    return fromDocumentPosition(top.position());
}

int TextPane::positionAt(QPoint p) const {
    return fromDocumentPosition(cursorForPosition(p).position());
}

QString TextPane::lineAt(int crlfPos) const {
    return document()->findBlock(toDocumentPosition(crlfPos)).text();
}

void TextPane::resizeEvent(QResizeEvent* e) {
    const QRect inside = contentsRect();
    m_margin->setGeometry(inside.left(), inside.top(), MarkMargin::kWidth, inside.height());
    const bool widthChanged = e->oldSize().width() > 0 && e->oldSize().width() != e->size().width();
    if (widthChanged && m_keptTop < 0 && isVisible() && verticalScrollBar()->value() > 0) {
        m_keptTop = topPosition(); // read in the old layout, before the lines wrap anew
        QTimer::singleShot(0, this, [this] {
            if (m_keptTop >= 0)
                showAtTop(m_keptTop);
        });
    }
    QTextEdit::resizeEvent(e);
}

void TextPane::paintEvent(QPaintEvent* e) {
    QTextEdit::paintEvent(e);
    if (!m_marked.isEmpty() || !m_noted.isEmpty())
        m_margin->update(); // the text scrolled or changed under the marks
}

void TextPane::setMarkedVerses(const QSet<text::Verse>& verses) {
    m_marked = verses;
    m_margin->update();
}

QRect TextPane::markRect(text::Verse v) const {
    return m_marked.contains(v) ? keyLineRect(v) : QRect();
}

void TextPane::setNotedVerses(const QHash<text::Verse, QString>& notes) {
    m_noted = notes;
    m_margin->update();
}

// A dot under the ribbon's place, so that a verse both marked and noted shows both.
QRect TextPane::noteRect(text::Verse v) const {
    const QRect line = m_noted.contains(v) ? keyLineRect(v) : QRect();
    return line.isEmpty() ? QRect() : QRect(line.center().x() - 2, line.bottom() + 2, 5, 5);
}

QString TextPane::noteAt(QPoint p) const {
    for (auto it = m_noted.cbegin(); it != m_noted.cend(); ++it)
        if (noteRect(it.key()).adjusted(-3, -3, 3, 3).contains(p)) {
            const QString note = it.value().trimmed();
            return note.size() > 200 ? note.left(200) + u'…' : note;
        }
    return {};
}

QRect TextPane::keyLineRect(text::Verse v) const {
    const text::VerseIndex::Span* span = m_index.spanOf(v);
    const int start = span ? span->key : -1;
    const QTextBlock block = start >= 0 ? document()->findBlock(start) : QTextBlock();
    if (!block.isValid() || !block.layout() || block.layout()->lineCount() == 0)
        return {};
    const QRectF line =
        block.layout()->lineAt(0).rect().translated(document()->documentLayout()->blockBoundingRect(block).topLeft());
    const int y = viewport()->y() + qRound(line.top()) - verticalScrollBar()->value();
    const QRect mark(m_margin->x() + 3, y + qRound(line.height()) / 2 - 5, MarkMargin::kWidth - 6, 10);
    const QRect inView = viewport()->geometry();
    return mark.bottom() >= inView.top() && mark.top() <= inView.bottom() ? mark : QRect();
}

// A ribbon for each marked verse in view, in the colour the text marks with.
void TextPane::paintMarks(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour(text::Role::Match));
    for (const text::Verse& v : m_marked) {
        const QRect r = markRect(v).translated(-m_margin->pos());
        if (r.isEmpty())
            continue;
        const QPolygon ribbon(
            {r.topLeft(), r.topRight(), r.bottomRight(), QPoint(r.center().x(), r.bottom() - 3), r.bottomLeft()});
        painter.drawPolygon(ribbon);
    }
    painter.setBrush(colour(text::Role::Note));
    for (auto it = m_noted.cbegin(); it != m_noted.cend(); ++it)
        if (const QRect r = noteRect(it.key()).translated(-m_margin->pos()); !r.isEmpty())
            painter.drawEllipse(r);
}

void TextPane::wheelEvent(QWheelEvent* e) {
    if (e->modifiers() & Qt::ControlModifier) {
        if (e->angleDelta().y() != 0)
            Q_EMIT zoomStep(e->angleDelta().y() > 0 ? 1 : -1);
        e->accept();
        return;
    }
    QTextEdit::wheelEvent(e);
}

QMimeData* TextPane::createMimeDataFromSelection() const {
    if (copyOfSelection)
        if (QMimeData* data = copyOfSelection())
            return data;
    return QTextEdit::createMimeDataFromSelection();
}

// The main window opens its own menu on MouseUp with the right button.
void TextPane::contextMenuEvent(QContextMenuEvent* e) {
    e->accept();
}

// ---- the two texts -------------------------------------------------------------------------------

RichTextView::RichTextView(QWidget* parent)
    : QWidget(parent), m_whole(new TextPane(this)), m_composed(new TextPane(this)), m_shown(m_whole) {
    for (TextPane* pane : panes()) {
        connect(pane, &TextPane::DblClick, this, &RichTextView::DblClick);
        connect(pane, &TextPane::MouseUp, this, &RichTextView::MouseUp);
        connect(pane, &TextPane::zoomStep, this, &RichTextView::zoomStep);
    }
    m_composed->hide();
    setFocusProxy(m_whole);
}

void RichTextView::recolour() {
    for (TextPane* pane : panes())
        pane->recolour();
}

void RichTextView::setMarkedVerses(const QSet<text::Verse>& verses) {
    for (TextPane* pane : panes())
        pane->setMarkedVerses(verses);
}

void RichTextView::setNotedVerses(const QHash<text::Verse, QString>& notes) {
    for (TextPane* pane : panes())
        pane->setNotedVerses(notes);
}

void RichTextView::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    for (TextPane* pane : panes())
        pane->setGeometry(rect());
}

void RichTextView::showPane(TextPane* pane) {
    if (pane == m_shown)
        return;
    TextPane* was = m_shown;
    const bool hadFocus = was->hasFocus();
    if (pane == m_composed)
        for (const auto& apply : std::exchange(m_composedFonts, {}))
            apply(pane);
    m_shown = pane;
    // The pane shown takes the other's place in the Tab order and, when it had it, the focus.
    QWidget::setTabOrder(was, pane);
    setFocusProxy(pane);
    pane->show();
    if (hadFocus)
        pane->setFocus();
    was->hide();
}

bool RichTextView::setFileName(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    // An empty file or one of another kind would leave the reader before a blank or garbled page
    // with no word of why; it is refused like a missing one and the view keeps what it shows.
    if (rtfStart(data) < 0)
        return false;
    const rtf::Document parsed = rtf::parse(data);
    showDocument(parsed, text::indexOf(parsed), path);
    showPane(m_whole);
    return true;
}

void RichTextView::showDocument(const rtf::Document& parsed, text::VerseIndex index, const QString& path,
                                std::unique_ptr<QTextDocument> filled) {
    if (filled)
        m_whole->adopt(std::move(filled));
    else
        m_whole->fill(parsed);
    m_whole->setVerseIndex(std::move(index));
    m_whole->recolour(); // a document filled elsewhere took the palette in use then
    if (!m_beside.isEmpty())
        m_whole->showBeside(m_beside);
    m_fileName = path;
    m_wholeLoaded = true;
}

bool RichTextView::showWholeText() {
    if (!m_wholeLoaded)
        return false;
    showPane(m_whole);
    return true;
}

void RichTextView::setText(const QString& text) {
    showPane(m_composed);
    m_composed->setText(text);
}

void RichTextView::showComposed(const text::Composed& composed) {
    showPane(m_composed);
    m_composed->showComposed(text::withBeside(composed, m_beside));
}

void RichTextView::setBeside(const QList<text::ShownText>& texts, const QFont& arabic) {
    m_beside = texts;
    for (TextPane* pane : panes())
        pane->setArabicFont(arabic);
    if (m_wholeLoaded)
        m_whole->showBeside(texts);
}

bool RichTextView::selectVerse(text::Verse v) {
    return selectBlock(m_shown->blockOf(v));
}

bool RichTextView::selectBlockAt(int crlfPos) {
    return selectBlock(m_shown->blockAt(crlfPos));
}

bool RichTextView::selectBlock(std::pair<int, int> block) {
    if (block.first < 0)
        return false;
    m_shown->setSelStart(block.first);
    m_shown->setSelLength(block.second - block.first);
    return true;
}

void RichTextView::setTextFont(const QFont& font) {
    for (TextPane* pane : panes()) {
        pane->document()->setDefaultFont(font);
        rtf::rehang(pane->document());
    }
}

void RichTextView::setFontName(const QString& face) {
    if (const auto f = faceFormat(face))
        setFontOfBoth(
            [face = f->fontFamilies().toStringList().constFirst()](TextPane* pane) { pane->setFontOfAll(face); });
}

void RichTextView::setFontSize(const QString& points) {
    if (const auto f = sizeFormat(points))
        setFontOfBoth([size = f->fontPointSize()](TextPane* pane) { pane->setFontOfAll(size); });
}

// The whole text takes a new font at once, shown or not: under a passage it is laid out again meanwhile, so the way
// back stays instant. A composed text not shown takes it when it is shown (it is mostly replaced first).
void RichTextView::setFontOfBoth(const std::function<void(TextPane*)>& apply) {
    apply(m_shown);
    if (m_shown == m_composed)
        apply(m_whole);
    else
        m_composedFonts.append(apply);
}

void RichTextView::setSelColor(int bgr) {
    setSelColor(QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF));
}

void RichTextView::setLooseLetters(bool loose) {
    for (TextPane* pane : panes())
        pane->setLooseLetters(loose);
}

} // namespace platform
