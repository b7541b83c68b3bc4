// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/rtffill.h"

#include "platform/look.h"
#include "text/verse.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <optional>
#include <tuple>

namespace platform::rtf {

namespace {

// A run's text as one line: a character the document would take for a paragraph break becomes a blank, so that
// every paragraph is one block and the positions of the verses recorded from the paragraphs hold in the document.
QString withinLine(const QString& text) {
    const auto breaks = [](QChar c) {
        return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar(0xFDD0) || c == QChar(0xFDD1);
    };
    if (std::none_of(text.cbegin(), text.cend(), breaks))
        return text;
    QString out = text;
    std::replace_if(out.begin(), out.end(), breaks, QChar(u' '));
    return out;
}

// The face and size most of the text is in: the document's default font, which runs in it inherit.
struct Base {
    QString face;
    int halfPoints = 0;
    // The colours the file gives verse keys and surah headings (and whatever else it draws in them, the title): they
    // are drawn in the palette's colours of those roles.
    QHash<QString, text::Role> roles;
};

Base baseOf(const QList<Paragraph>& paragraphs) {
    QHash<QString, qsizetype> faces;
    QHash<int, qsizetype> sizes;
    Base b;
    for (const Paragraph& p : paragraphs) {
        for (const Run& r : p.runs) {
            faces[r.format.fontName] += r.text.size();
            sizes[r.format.halfPoints] += r.text.size();
        }
        if (p.runs.isEmpty() || !p.runs.constFirst().format.color.isValid())
            continue;
        const Run& first = p.runs.constFirst();
        const QString colour = first.format.color.name();
        if (b.roles.contains(colour))
            continue;
        if (text::verseOfLine(first.text).isValid())
            b.roles.insert(colour, text::Role::VerseKey);
        else if (text::surahOfHeading(first.text) > 0)
            b.roles.insert(colour, text::Role::Heading);
    }
    qsizetype most = 0;
    for (auto it = faces.cbegin(); it != faces.cend(); ++it)
        if (it.value() > most || (it.value() == most && it.key() < b.face))
            std::tie(b.face, most) = std::pair(it.key(), it.value());
    most = 0;
    for (auto it = sizes.cbegin(); it != sizes.cend(); ++it)
        if (it.value() > most || (it.value() == most && it.key() < b.halfPoints))
            std::tie(b.halfPoints, most) = std::pair(it.key(), it.value());
    return b;
}

QTextCharFormat toQt(const CharFormat& f, const Base& base) {
    QTextCharFormat q;
    q.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    q.setFontItalic(f.italic);
    q.setFontUnderline(f.underline);
    if (f.halfPoints != base.halfPoints)
        q.setFontPointSize(f.halfPoints / 2.0);
    if (!f.fontName.isEmpty() && f.fontName != base.face)
        q.setFontFamilies(QStringList{f.fontName});
    if (const auto role = base.roles.constFind(f.color.name()); role != base.roles.cend()) {
        q.setForeground(colour(*role));
        q.setProperty(kRoleProperty, int(*role));
    } else if (f.color.isValid())
        q.setForeground(QColor(f.color.red, f.color.green, f.color.blue));
    if (f.highlight.isValid())
        q.setBackground(QColor(f.highlight.red, f.highlight.green, f.highlight.blue));
    return q;
}

} // namespace

namespace {

// Fills a document a paragraph at a time, as one edit: the document's listeners hear of one change, the whole text
// replaced, as with QTextDocument::setPlainText.
class Filler {
public:
    // Face and size are given once, as the default font, to the text most of them hold (`base`): a new face or
    // size for the whole text is then a new default font, not a change to every run.
    Filler(QTextDocument* doc, const Base& base) : base_(base), cursor_(doc) {
        doc->setUndoRedoEnabled(false);
        cursor_.beginEditBlock();
        doc->clear();
        QFont font = doc->defaultFont();
        if (!base.face.isEmpty())
            font.setFamilies({base.face});
        if (base.halfPoints > 0)
            font.setPointSizeF(base.halfPoints / 2.0);
        doc->setDefaultFont(font);
        hanging_ = hangingFormat(font);
        lastQt_ = toQt(last_, base);
    }
    ~Filler() { cursor_.endEditBlock(); }
    Filler(const Filler&) = delete;
    Filler& operator=(const Filler&) = delete;

    void add(const Paragraph& p) {
        // An empty line keeps the size of the text around it: the block takes the format of its first run, or
        // of the text before it.
        const QTextCharFormat& blockFormat = p.runs.isEmpty() ? lastQt_ : qtFormat(p.runs.constFirst().format);
        const bool hangs = !p.runs.isEmpty() && startsWithKey(p.runs.constFirst().text);
        if (first_) {
            cursor_.setBlockCharFormat(blockFormat);
            if (hangs)
                cursor_.setBlockFormat(hanging_);
        } else {
            cursor_.insertBlock(hangs ? hanging_ : QTextBlockFormat(), blockFormat);
        }
        first_ = false;
        for (const Run& r : p.runs)
            if (!r.text.isEmpty())
                cursor_.insertText(withinLine(r.text), &r == noteOf(p) ? noteFormat(r.format) : qtFormat(r.format));
    }

private:
    // The run of a verse line that says the verse has no text (the key's run, then the note's); none for others.
    static const Run* noteOf(const Paragraph& p) {
        if (p.runs.size() < 2 || p.runs[1].text != text::emptyVerseNote() ||
            !text::verseOfLine(p.runs[0].text).isValid())
            return nullptr;
        return &p.runs[1];
    }
    QTextCharFormat noteFormat(const CharFormat& f) {
        QTextCharFormat q = qtFormat(f);
        q.setForeground(colour(text::Role::Note));
        q.setProperty(kRoleProperty, int(text::Role::Note));
        return q;
    }
    const QTextCharFormat& qtFormat(const CharFormat& f) {
        if (!(f == last_)) {
            last_ = f;
            lastQt_ = toQt(f, base_);
        }
        return lastQt_;
    }

    // A key and its TAB: the run a verse line or a heading starts with holds at least "1." and the TAB.
    static bool startsWithKey(const QString& run) {
        return run.contains(u'\t') && (text::verseOfLine(run).isValid() || text::surahOfHeading(run) > 0);
    }

    Base base_;
    QTextBlockFormat hanging_;
    QTextCursor cursor_;
    CharFormat last_;
    QTextCharFormat lastQt_;
    bool first_ = true;
};

} // namespace

void fill(QTextDocument* doc, const Document& d) {
    Filler filler(doc, baseOf(d.paragraphs));
    for (const Paragraph& p : d.paragraphs)
        filler.add(p);
}

Document parseAndFill(const QByteArray& rtf, QTextDocument* doc) {
    // The reading hands the paragraphs over in batches; the first batch tells the face and size most text is in.
    constexpr qsizetype kBatch = 256;
    std::mutex mutex;
    std::condition_variable ready;
    std::deque<QList<Paragraph>> batches;
    bool done = false;
    auto reading = std::async(std::launch::async, [&] {
        QList<Paragraph> batch;
        const auto handOver = [&] {
            {
                const std::lock_guard lock(mutex);
                batches.push_back(std::exchange(batch, {}));
            }
            ready.notify_one();
        };
        Document d = parse(rtf, [&](const Paragraph& p) {
            batch.append(p);
            if (batch.size() == kBatch)
                handOver();
        });
        if (!batch.isEmpty())
            handOver();
        {
            const std::lock_guard lock(mutex);
            done = true;
        }
        ready.notify_one();
        return d;
    });
    std::optional<Filler> filler;
    for (;;) {
        QList<Paragraph> batch;
        {
            std::unique_lock lock(mutex);
            ready.wait(lock, [&] { return !batches.empty() || done; });
            if (batches.empty())
                break;
            batch = std::move(batches.front());
            batches.pop_front();
        }
        if (!filler)
            filler.emplace(doc, baseOf(batch));
        for (const Paragraph& p : batch)
            filler->add(p);
    }
    if (!filler)
        filler.emplace(doc, Base{}); // no paragraph: the document is emptied
    filler.reset();
    return reading.get();
}

QTextBlockFormat hangingFormat(const QFont& font) {
    QFont bold = font;
    bold.setBold(true);
    const qreal width =
        QFontMetricsF(bold).horizontalAdvance(QStringLiteral("114:129.")) + QFontMetricsF(font).horizontalAdvance(u' ');
    QTextBlockFormat f;
    f.setLeftMargin(width);
    f.setTextIndent(-width);
    f.setTabPositions({QTextOption::Tab(width, QTextOption::LeftTab)});
    return f;
}

void rehang(QTextDocument* doc) {
    const QTextBlockFormat hanging = hangingFormat(doc->defaultFont());
    QTextCursor cursor(doc);
    // A stretch of lines that hang and share one format is given the new one at once.
    QTextBlock first, last;
    const auto flush = [&] {
        if (!first.isValid())
            return;
        QTextBlockFormat f = first.blockFormat();
        f.merge(hanging);
        cursor.setPosition(first.position());
        cursor.setPosition(last.position(), QTextCursor::KeepAnchor);
        cursor.setBlockFormat(f);
        first = QTextBlock();
    };
    cursor.beginEditBlock();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (first.isValid() && b.blockFormatIndex() == first.blockFormatIndex()) {
            last = b;
            continue;
        }
        flush();
        const QTextBlockFormat f = b.blockFormat();
        if (f.textIndent() >= 0)
            continue;
        if (f.leftMargin() == hanging.leftMargin())
            break; // every line that hangs has the one indent: this one has the new already
        first = last = b;
    }
    flush();
    cursor.endEditBlock();
}

} // namespace platform::rtf
