// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/rtfreader.h"
#include "platform/textfile.h"

#include <QHash>
#include <QSet>
#include <QStringDecoder>

#include <array>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <tuple>
#include <vector>

namespace platform::rtf {

QString Document::plainText() const {
    qsizetype size = paragraphs.size();
    for (const Paragraph& p : paragraphs)
        for (const Run& r : p.runs)
            size += r.text.size();
    QString out;
    out.reserve(size);
    bool first = true;
    for (const Paragraph& p : paragraphs) {
        if (!first)
            out += QLatin1Char('\n');
        first = false;
        for (const Run& r : p.runs)
            out += r.text;
    }
    return out;
}

namespace {

// ---------------------------------------------------------------------------------------------------------------
// Code pages. 1252 and 1250 are built in (they are what our files and most Western and Central European files use,
// and they must not depend on the ICU build of Qt); the others come from QStringDecoder when it knows them.

using ByteTable = std::array<char16_t, 256>;

constexpr char16_t kHigh1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char16_t kHigh1250[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9};

ByteTable table1252() {
    ByteTable t{};
    for (int i = 0; i < 256; ++i)
        t[i] = char16_t(i);
    for (int i = 0; i < 32; ++i)
        t[0x80 + i] = kHigh1252[i];
    return t;
}

ByteTable table1250() {
    ByteTable t{};
    for (int i = 0; i < 128; ++i)
        t[i] = char16_t(i);
    for (int i = 0; i < 128; ++i)
        t[0x80 + i] = kHigh1250[i];
    return t;
}

bool isMultiByte(int cp) {
    return cp == 932 || cp == 936 || cp == 949 || cp == 950 || cp == 1361 || cp == 65001;
}

QByteArray codecName(int cp) {
    switch (cp) {
    case 437:
        return "IBM437";
    case 850:
        return "IBM850";
    case 10000:
        return "macintosh";
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    case 1361:
        return "johab";
    case 65001:
        return "UTF-8";
    default:
        return "windows-" + QByteArray::number(cp);
    }
}

// The code page that a font's \fcharset stands for; 0 when it adds nothing to the file's own code page.
int charsetCodePage(int charset) {
    switch (charset) {
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default: // 0 (ANSI), 1 (default), 2 (symbol) and the unknown: the file's code page
        return 0;
    }
}

class CodePages {
public:
    // The byte table of a single-byte code page (1252 for the ones nobody here knows).
    const ByteTable& table(int cp) {
        auto it = tables_.constFind(cp);
        if (it != tables_.constEnd())
            return **it;
        auto t = std::make_shared<ByteTable>(table1252());
        if (cp == 1250) {
            *t = table1250();
        } else if (cp != 1252) {
            QStringDecoder dec(codecName(cp).constData());
            if (dec.isValid()) {
                for (int i = 0x80; i < 256; ++i) {
                    const char byte = char(i);
                    const QString s = dec.decode(QByteArrayView(&byte, 1));
                    (*t)[i] = s.size() == 1 ? s.at(0).unicode() : char16_t(0xFFFD);
                    dec.resetState();
                }
            }
        }
        tables_.insert(cp, t);
        return *t;
    }

    void decode(int cp, const QByteArray& bytes, QString& out) {
        if (isMultiByte(cp)) {
            QStringDecoder dec(codecName(cp).constData());
            if (dec.isValid()) {
                out += dec.decode(bytes);
                return;
            }
            cp = 1252;
        }
        const ByteTable& t = table(cp);
        for (char b : bytes)
            out += QChar(t[uchar(b)]);
    }

private:
    QHash<int, std::shared_ptr<ByteTable>> tables_;
};

// ---------------------------------------------------------------------------------------------------------------
// The reader.

enum class Dest : unsigned char { Text, Skip, FontTable, ColorTable };

struct State {
    Dest dest = Dest::Text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool hidden = false;
    int halfPoints = 24;
    int font = -1; // -1: the default font (\deff)
    int color = 0;
    int highlight = 0;
    int uc = 1; // how many characters stand in for each \uN
};

struct Font {
    QString name;
    int codePage = 0; // 0: the file's code page
};

constexpr int kMaxDepth = 1000;
constexpr int kMaxWordLetters = 32;
constexpr int kMaxDigits = 10;

class Parser {
public:
    explicit Parser(QByteArrayView in) : p_(in.data()), end_(in.data() + in.size()) {}

    Document run();
    // Hears of every paragraph as it ends, before it goes into the document.
    std::function<void(const Paragraph&)> onParagraph;

private:
    // input
    const char* p_;
    const char* end_;

    // group state
    std::vector<State> stack_;
    int overflow_ = 0; // groups opened beyond kMaxDepth: counted, not stacked
    bool starPending_ = false;
    int ucPending_ = 0; // characters still to skip after a \uN

    // tables
    QHash<int, Font> fonts_;
    int defaultFont_ = 0;
    int docCodePage_ = 1252;
    bool codePageGiven_ = false; // by \ansicpg
    QList<Rgb> colors_;
    CodePages codePages_;

    // font and colour tables being read
    int tableFont_ = 0;
    int tableCharset_ = -1;
    int tableCpg_ = 0;
    QString tableName_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorGiven_ = false;

    // bytes of \'hh waiting to be decoded together (multi-byte code pages need them in one piece)
    QByteArray bytes_;
    int bytesCodePage_ = 1252;

    // output
    Document doc_;
    Paragraph para_;
    CharFormat format_;
    bool formatDirty_ = true;
    bool runCurrent_ = false; // the last run of para_ is in the current format
    int codePage_ = 0;        // of the current font; 0: to be looked up

    State& st() { return stack_.back(); }

    int currentCodePage() {
        const State& s = st();
        if (s.dest == Dest::FontTable) {
            if (tableCpg_ > 0)
                return tableCpg_;
            const int cp = charsetCodePage(tableCharset_);
            return cp ? cp : docCodePage_;
        }
        if (codePage_ == 0) {
            auto it = fonts_.constFind(s.font >= 0 ? s.font : defaultFont_);
            codePage_ = it != fonts_.constEnd() && it->codePage > 0 ? it->codePage : docCodePage_;
        }
        return codePage_;
    }

    void changed() {
        formatDirty_ = true;
        runCurrent_ = false;
        codePage_ = 0;
    }

    Rgb colorAt(int index) const { return index > 0 && index < colors_.size() ? colors_.at(index) : Rgb(); }

    const CharFormat& format() {
        if (formatDirty_) {
            const State& s = st();
            CharFormat f;
            f.bold = s.bold;
            f.italic = s.italic;
            f.underline = s.underline;
            f.halfPoints = s.halfPoints;
            auto it = fonts_.constFind(s.font >= 0 ? s.font : defaultFont_);
            if (it != fonts_.constEnd())
                f.fontName = it->name;
            f.color = colorAt(s.color);
            f.highlight = colorAt(s.highlight);
            format_ = f;
            formatDirty_ = false;
        }
        return format_;
    }

    // The run that text in the current format goes to.
    QString& runText() {
        if (!runCurrent_) {
            const CharFormat& f = format();
            if (para_.runs.isEmpty() || !(para_.runs.constLast().format == f))
                para_.runs.append(Run{QString(), f});
            runCurrent_ = true;
        }
        return para_.runs.last().text;
    }

    void emitText(QChar c) {
        switch (st().dest) {
        case Dest::Text:
            if (!st().hidden)
                runText() += c;
            break;
        case Dest::FontTable:
            if (c == QLatin1Char(';'))
                endFontEntry();
            else
                tableName_ += c;
            break;
        case Dest::ColorTable:
            if (c == QLatin1Char(';'))
                endColorEntry();
            break;
        case Dest::Skip:
            break;
        }
    }

    void emitString(const QString& s) {
        if (st().dest == Dest::Text) {
            if (!st().hidden)
                runText() += s;
        } else {
            for (QChar c : s)
                emitText(c);
        }
    }

    void flushBytes() {
        if (bytes_.isEmpty())
            return;
        QString s;
        codePages_.decode(bytesCodePage_, bytes_, s);
        bytes_.clear();
        emitString(s);
    }

    void addByte(uchar b) {
        if (st().dest == Dest::Skip)
            return;
        const int cp = currentCodePage();
        if (!bytes_.isEmpty() && cp != bytesCodePage_)
            flushBytes();
        bytesCodePage_ = cp;
        bytes_ += char(b);
    }

    void endParagraph() {
        if (st().dest != Dest::Text)
            return;
        if (onParagraph)
            onParagraph(para_);
        doc_.paragraphs.append(std::move(para_));
        para_ = Paragraph();
        runCurrent_ = false;
    }

    void endFontEntry() {
        const QString name = tableName_.trimmed();
        if (!name.isEmpty() && !fonts_.contains(tableFont_)) {
            int cp = tableCpg_ > 0 ? tableCpg_ : charsetCodePage(tableCharset_);
            fonts_.insert(tableFont_, Font{name, cp});
        }
        tableName_.clear();
        tableCharset_ = -1;
        tableCpg_ = 0;
        changed();
    }

    void endColorEntry() {
        colors_.append(colorGiven_ ? Rgb{red_, green_, blue_} : Rgb());
        red_ = green_ = blue_ = 0;
        colorGiven_ = false;
        changed();
    }

    void openGroup() {
        flushBytes();
        ucPending_ = 0;
        if (int(stack_.size()) >= kMaxDepth) {
            ++overflow_;
            return;
        }
        stack_.push_back(stack_.back());
    }

    void closeGroup() {
        flushBytes();
        ucPending_ = 0;
        starPending_ = false;
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        if (stack_.size() <= 1) // a stray '}' (or the one that closes the file): the outer state stays
            return;
        const Dest leaving = stack_.back().dest;
        stack_.pop_back();
        if (leaving == Dest::FontTable && stack_.back().dest != Dest::FontTable && !tableName_.trimmed().isEmpty())
            endFontEntry(); // a last entry without its ';'
        else if (leaving == Dest::FontTable)
            tableName_.clear();
        changed();
    }

    static int hexValue(char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    void controlSymbol(char c);
    void controlWord(const char* word, int length, bool hasParam, int param);
    bool destination(const QByteArray& word);
    void skipBinary(int count) {
        if (count <= 0)
            return;
        p_ += std::min<qint64>(count, end_ - p_);
    }
};

// Destinations whose content is not text of the document.
bool isSkippedDestination(const QByteArray& w) {
    static const char* const names[] = {"info",
                                        "stylesheet",
                                        "pict",
                                        "header",
                                        "headerl",
                                        "headerr",
                                        "headerf",
                                        "footer",
                                        "footerl",
                                        "footerr",
                                        "footerf",
                                        "footnote",
                                        "listtable",
                                        "listoverridetable",
                                        "rsidtbl",
                                        "generator",
                                        "xmlnstbl",
                                        "themedata",
                                        "colorschememapping",
                                        "datastore",
                                        "latentstyles",
                                        "pgdsctbl",
                                        "fldinst",
                                        "filetbl",
                                        "revtbl",
                                        "object",
                                        "objdata",
                                        "nonshppict",
                                        "annotation",
                                        "atnid",
                                        "atnauthor",
                                        "author",
                                        "operator",
                                        "title",
                                        "subject",
                                        "keywords",
                                        "comment",
                                        "doccomm",
                                        "pn",
                                        "do",
                                        "template",
                                        "private",
                                        "bkmkstart",
                                        "bkmkend",
                                        "xe",
                                        "tc",
                                        "txe",
                                        "userprops",
                                        "docvar",
                                        "background",
                                        "shpinst",
                                        "ftnsep",
                                        "ftnsepc",
                                        "ftncn",
                                        "aftnsep",
                                        "aftnsepc",
                                        "aftncn",
                                        "upr",
                                        "panose",
                                        "falt",
                                        "listpicture",
                                        "pgptbl",
                                        "mmathPr",
                                        "company",
                                        "manager",
                                        "category",
                                        "hlinkbase",
                                        "printim",
                                        "creatim",
                                        "revtim",
                                        "buptim",
                                        "passwordhash",
                                        "wgrffmtfilter",
                                        "pnseclvl",
                                        "pntxta",
                                        "pntxtb",
                                        "fchars",
                                        "lchars",
                                        "defchp",
                                        "defpap",
                                        "blipuid",
                                        "protusertbl",
                                        "mhtmltag",
                                        "htmltag"};
    static const QSet<QByteArray> set = [] {
        QSet<QByteArray> s;
        for (const char* n : names)
            s.insert(QByteArray(n));
        return s;
    }();
    return set.contains(w);
}

// Returns whether `word` is a destination that this reader knows (and has set the group up for it).
bool Parser::destination(const QByteArray& word) {
    State& s = st();
    if (word == "fonttbl") {
        s.dest = Dest::FontTable;
        tableName_.clear();
        tableCharset_ = -1;
        tableCpg_ = 0;
        return true;
    }
    if (word == "colortbl") {
        s.dest = Dest::ColorTable;
        red_ = green_ = blue_ = 0;
        colorGiven_ = false;
        return true;
    }
    if (word == "fldrslt" || word == "field")
        return true;    // a field shows its result; its instruction (\fldinst) is skipped
    if (word == "ud") { // the Unicode half of \upr
        s.dest = Dest::Text;
        return true;
    }
    if (isSkippedDestination(word)) {
        s.dest = Dest::Skip;
        return true;
    }
    return false;
}

void Parser::controlSymbol(char c) {
    switch (c) {
    case '\\':
    case '{':
    case '}':
        emitText(QLatin1Char(c));
        break;
    case '~':
        emitText(QChar(0x00A0));
        break;
    case '-':
        emitText(QChar(0x00AD));
        break;
    case '_':
        emitText(QChar(0x2011));
        break;
    case '\n':
    case '\r':
        endParagraph();
        break;
    case '*':
        starPending_ = true;
        break;
    default: // \: \| and the unknown
        break;
    }
}

void Parser::controlWord(const char* word, int length, bool hasParam, int param) {
    const QByteArray w = QByteArray::fromRawData(word, length);
    State& s = st();
    auto flag = [&](bool& field) {
        field = !hasParam || param != 0;
        changed();
    };

    // The first word after \* names the destination; an unknown one is skipped whole.
    if (starPending_) {
        starPending_ = false;
        if (!destination(w))
            s.dest = Dest::Skip;
        return;
    }

    if (w == "par" || w == "line" || w == "cell" || w == "nestcell") {
        endParagraph();
    } else if (w == "tab") {
        emitText(QLatin1Char('\t'));
    } else if (w == "u") {
        if (!hasParam)
            return;
        const int unit = param < 0 ? param + 65536 : param;
        emitText(unit >= 0 && unit <= 0xFFFF ? QChar(char16_t(unit)) : QChar(QChar::ReplacementCharacter));
        ucPending_ = s.uc;
    } else if (w == "uc") {
        s.uc = hasParam ? std::clamp(param, 0, 16) : 1;
    } else if (w == "b") {
        flag(s.bold);
    } else if (w == "i") {
        flag(s.italic);
    } else if (w == "ul" || w == "uld" || w == "uldash" || w == "uldashd" || w == "uldashdd" || w == "uldb" ||
               w == "ulth" || w == "ulw" || w == "ulwave" || w == "ulhwave" || w == "ululdbwave" || w == "ulthd" ||
               w == "ulthdash" || w == "ulldash" || w == "ulthldash" || w == "ulthdashd" || w == "ulthdashdd") {
        flag(s.underline);
    } else if (w == "ulnone") {
        s.underline = false;
        changed();
    } else if (w == "v") {
        flag(s.hidden);
    } else if (w == "fs") {
        s.halfPoints = hasParam && param > 0 ? std::min(param, 3276) : 24;
        changed();
    } else if (w == "f") {
        if (s.dest == Dest::FontTable) {
            if (!tableName_.trimmed().isEmpty())
                endFontEntry();
            tableFont_ = param;
            tableName_.clear();
        } else {
            s.font = hasParam ? param : -1;
            changed();
        }
    } else if (w == "cf") {
        s.color = param;
        changed();
    } else if (w == "highlight" || w == "cb" || w == "chcbpat") {
        s.highlight = param;
        changed();
    } else if (w == "plain") {
        s.bold = s.italic = s.underline = s.hidden = false;
        s.halfPoints = 24;
        s.font = -1;
        s.color = s.highlight = 0;
        changed();
    } else if (w == "emdash") {
        emitText(QChar(0x2014));
    } else if (w == "endash") {
        emitText(QChar(0x2013));
    } else if (w == "emspace") {
        emitText(QChar(0x2003));
    } else if (w == "enspace") {
        emitText(QChar(0x2002));
    } else if (w == "qmspace") {
        emitText(QChar(0x2005));
    } else if (w == "lquote") {
        emitText(QChar(0x2018));
    } else if (w == "rquote") {
        emitText(QChar(0x2019));
    } else if (w == "ldblquote") {
        emitText(QChar(0x201C));
    } else if (w == "rdblquote") {
        emitText(QChar(0x201D));
    } else if (w == "bullet") {
        emitText(QChar(0x2022));
    } else if (w == "zwj") {
        emitText(QChar(0x200D));
    } else if (w == "zwnj") {
        emitText(QChar(0x200C));
    } else if (w == "ltrmark") {
        emitText(QChar(0x200E));
    } else if (w == "rtlmark") {
        emitText(QChar(0x200F));
    } else if (w == "red" || w == "green" || w == "blue") {
        if (s.dest == Dest::ColorTable) {
            const int v = std::clamp(param, 0, 255);
            (w == "red" ? red_ : w == "green" ? green_ : blue_) = v;
            colorGiven_ = true;
        }
    } else if (w == "fcharset") {
        if (s.dest == Dest::FontTable)
            tableCharset_ = param;
    } else if (w == "cpg") {
        if (s.dest == Dest::FontTable)
            tableCpg_ = std::max(param, 0);
    } else if (w == "ansicpg") {
        if (param > 0) {
            docCodePage_ = param;
            codePageGiven_ = true;
        }
        changed();
    } else if (w == "ansi") {
        if (!codePageGiven_)
            docCodePage_ = 1252;
        changed();
    } else if (w == "mac") {
        docCodePage_ = 10000;
        changed();
    } else if (w == "pc") {
        docCodePage_ = 437;
        changed();
    } else if (w == "pca") {
        docCodePage_ = 850;
        changed();
    } else if (w == "deff") {
        defaultFont_ = param;
        changed();
    } else if (w == "bin") {
        skipBinary(hasParam ? param : 0);
    } else {
        destination(w);
    }
}

Document Parser::run() {
    stack_.reserve(kMaxDepth);
    stack_.push_back(State());

    while (p_ < end_) {
        const char c = *p_;

        // After \uN: its stand-in characters are dropped; a brace ends the stand-in early.
        if (ucPending_ > 0 && c != '{' && c != '}') {
            if (c == '\r' || c == '\n') {
                ++p_;
                continue;
            }
            --ucPending_;
            if (c != '\\') {
                ++p_;
                continue;
            }
            ++p_;
            if (p_ >= end_)
                break;
            if (*p_ == '\'') {
                p_ += std::min<qint64>(3, end_ - p_);
            } else if (isLetter(*p_)) {
                const char* w = p_;
                while (p_ < end_ && isLetter(*p_))
                    ++p_;
                const bool bin = p_ - w == 3 && std::equal(w, p_, "bin");
                if (p_ < end_ && *p_ == '-')
                    ++p_;
                qint64 n = 0;
                while (p_ < end_ && isDigit(*p_)) {
                    n = std::min<qint64>(n * 10 + (*p_ - '0'), std::numeric_limits<int>::max());
                    ++p_;
                }
                if (p_ < end_ && *p_ == ' ')
                    ++p_;
                if (bin)
                    skipBinary(int(n));
            } else {
                ++p_;
            }
            continue;
        }

        if (c == '{') {
            ++p_;
            openGroup();
            continue;
        }
        if (c == '}') {
            ++p_;
            closeGroup();
            continue;
        }
        if (c == '\\') {
            ++p_;
            if (p_ >= end_)
                break;
            const char d = *p_;
            if (d == '\'') {
                ++p_;
                const int hi = p_ < end_ ? hexValue(*p_) : -1;
                const int lo = hi >= 0 && p_ + 1 < end_ ? hexValue(p_[1]) : -1;
                if (hi < 0 || lo < 0) { // a broken escape: dropped, what follows is read as usual
                    if (hi >= 0)
                        ++p_;
                    starPending_ = false;
                    continue;
                }
                p_ += 2;
                starPending_ = false;
                addByte(uchar(hi * 16 + lo));
                continue;
            }
            flushBytes();
            if (isLetter(d)) {
                const char* word = p_;
                while (p_ < end_ && isLetter(*p_))
                    ++p_;
                const int length = int(p_ - word);
                bool hasParam = false;
                bool negative = false;
                qint64 value = 0;
                if (p_ < end_ && *p_ == '-' && p_ + 1 < end_ && isDigit(p_[1])) {
                    negative = true;
                    ++p_;
                }
                int digits = 0;
                while (p_ < end_ && isDigit(*p_)) {
                    if (digits++ < kMaxDigits)
                        value = value * 10 + (*p_ - '0');
                    hasParam = true;
                    ++p_;
                }
                if (p_ < end_ && *p_ == ' ')
                    ++p_;
                value = std::min<qint64>(value, std::numeric_limits<int>::max());
                const int param = int(negative ? -value : value);
                if (length <= kMaxWordLetters)
                    controlWord(word, length, hasParam, param);
                else
                    starPending_ = false;
            } else {
                ++p_;
                if (d != '*')
                    starPending_ = false;
                controlSymbol(d);
            }
            continue;
        }

        ++p_;
        starPending_ = false;
        if (c == '\r' || c == '\n' || c == '\0')
            continue;
        if (uchar(c) >= 0x80) {
            addByte(uchar(c));
            continue;
        }
        flushBytes();
        if (c == '\t') {
            emitText(QLatin1Char('\t'));
        } else if (uchar(c) >= 0x20 && c != 0x7F) {
            // Plain text goes into the run a stretch at a time, up to the next character that means more.
            if (st().dest == Dest::Text && !st().hidden) {
                const char* from = p_ - 1;
                while (p_ < end_ && uchar(*p_) >= 0x20 && uchar(*p_) < 0x7F && *p_ != '\\' && *p_ != '{' && *p_ != '}')
                    ++p_;
                runText().append(QLatin1StringView(from, p_ - from));
            } else {
                emitText(QLatin1Char(c));
            }
        }
    }
    flushBytes();

    // A file ends its last paragraph with \par: what follows it is no paragraph unless it holds text.
    bool trailingText = false;
    for (const Run& r : para_.runs)
        trailingText = trailingText || !r.text.isEmpty();
    if (trailingText) {
        if (onParagraph)
            onParagraph(para_);
        doc_.paragraphs.append(std::move(para_));
    }
    return std::move(doc_);
}

// Text that is not RTF: one paragraph per line, UTF-8 when it is valid UTF-8, else Windows-1252.
Document parsePlain(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        text.clear();
        CodePages cps;
        cps.decode(1252, bytes, text);
    }
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    Document d;
    if (bytes.isEmpty())
        return d;
    const QStringList lines = text.split(QLatin1Char('\n'));
    d.paragraphs.reserve(lines.size());
    for (const QString& line : lines) {
        Paragraph p;
        if (!line.isEmpty())
            p.runs.append(Run{line, CharFormat()});
        d.paragraphs.append(std::move(p));
    }
    return d;
}

} // namespace

QString Rgb::name() const {
    return isValid() ? QStringLiteral("#%1%2%3")
                           .arg(red, 2, 16, QLatin1Char('0'))
                           .arg(green, 2, 16, QLatin1Char('0'))
                           .arg(blue, 2, 16, QLatin1Char('0'))
                     : QString();
}

Document parse(const QByteArray& rtf, const std::function<void(const Paragraph&)>& onParagraph) {
    const qsizetype start = rtfStart(rtf);
    if (start < 0) {
        Document d = parsePlain(rtf);
        if (onParagraph)
            for (const Paragraph& p : d.paragraphs)
                onParagraph(p);
        return d;
    }
    Parser parser(QByteArrayView(rtf).sliced(start));
    parser.onParagraph = onParagraph;
    return parser.run();
}

} // namespace platform::rtf
