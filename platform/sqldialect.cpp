#include "platform/sqldialect.h"

#include <QList>

namespace platform {
namespace {

enum class Tok { Word, Number, Text, Bracket, Quoted, Space, Other };

struct Token {
    Tok kind;
    QString text;
};

bool isWordStart(QChar c) {
    return c.isLetter() || c == u'_';
}
bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

QList<Token> tokenise(const QString& s) {
    QList<Token> out;
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s[i];
        if (c == u'\'' || c == u'"') {
            // A literal runs to the matching quote; a doubled quote stands for one. An unterminated
            // literal runs to the end of the statement.
            QString value;
            qsizetype j = i + 1;
            while (j < n) {
                if (s[j] == c) {
                    if (j + 1 < n && s[j + 1] == c) {
                        value += c;
                        j += 2;
                        continue;
                    }
                    break;
                }
                value += s[j];
                ++j;
            }
            out.append({c == u'\'' ? Tok::Text : Tok::Quoted, value});
            i = j < n ? j + 1 : n;
        } else if (c == u'[') {
            qsizetype j = s.indexOf(u']', i + 1);
            if (j < 0)
                j = n - 1;
            out.append({Tok::Bracket, s.mid(i, j - i + 1)});
            i = j + 1;
        } else if (c.isDigit() || (c == u'.' && i + 1 < n && s[i + 1].isDigit())) {
            qsizetype j = i;
            while (j < n && s[j].isDigit())
                ++j;
            if (j < n && s[j] == u'.' && j + 1 < n && s[j + 1].isDigit()) {
                ++j;
                while (j < n && s[j].isDigit())
                    ++j;
            }
            // An exponent belongs to the number only when digits follow it.
            if (j < n && (s[j] == u'e' || s[j] == u'E')) {
                qsizetype k = j + 1;
                if (k < n && (s[k] == u'+' || s[k] == u'-'))
                    ++k;
                if (k < n && s[k].isDigit()) {
                    j = k;
                    while (j < n && s[j].isDigit())
                        ++j;
                }
            }
            out.append({Tok::Number, s.mid(i, j - i)});
            i = j;
        } else if (isWordStart(c)) {
            qsizetype j = i;
            while (j < n && isWordChar(s[j]))
                ++j;
            out.append({Tok::Word, s.mid(i, j - i)});
            i = j;
        } else if (c.isSpace()) {
            qsizetype j = i;
            while (j < n && s[j].isSpace())
                ++j;
            out.append({Tok::Space, QStringLiteral(" ")});
            i = j;
        } else {
            out.append({Tok::Other, QString(c)});
            ++i;
        }
    }
    return out;
}

QString quoteText(const QString& value) {
    QString v = value;
    v.replace(u'\'', QStringLiteral("''"));
    return u'\'' + v + u'\'';
}

bool isKeyword(const Token& t, const char* word) {
    return t.kind == Tok::Word && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

} // namespace

QString normaliseSql(const QString& statement) {
    QList<Token> toks = tokenise(statement);

    // In UPDATE t SET t.col = ..., drop the "t." qualifiers of the SET list: SQLite takes bare columns there.
    int firstWord = -1;
    for (int i = 0; i < toks.size(); ++i)
        if (toks[i].kind != Tok::Space) {
            firstWord = i;
            break;
        }
    if (firstWord >= 0 && isKeyword(toks[firstWord], "update")) {
        bool inSet = false;
        for (int i = firstWord; i < toks.size(); ++i) {
            if (isKeyword(toks[i], "set"))
                inSet = true;
            else if (isKeyword(toks[i], "where"))
                inSet = false;
            else if (inSet && (toks[i].kind == Tok::Word || toks[i].kind == Tok::Bracket) && i + 2 < toks.size() &&
                     toks[i + 1].kind == Tok::Other && toks[i + 1].text == QLatin1String(".") &&
                     (toks[i + 2].kind == Tok::Word || toks[i + 2].kind == Tok::Bracket)) {
                toks.remove(i, 2);
            }
        }
    }

    // In a definition DEFAULT is the keyword; everywhere else the program means the column.
    const bool definition = firstWord >= 0 && isKeyword(toks[firstWord], "create");

    QString out;
    out.reserve(statement.size() + 16);
    for (int i = 0; i < toks.size(); ++i) {
        const Token& t = toks[i];
        switch (t.kind) {
        case Tok::Text:
        case Tok::Quoted:
            out += quoteText(t.text);
            break;
        case Tok::Word:
            // `default` is a keyword to SQLite; as the program writes it, it is always the column.
            if (!definition && t.text.compare(QLatin1String("default"), Qt::CaseInsensitive) == 0)
                out += u'[' + t.text + u']';
            else
                out += t.text;
            break;
        case Tok::Number:
            out += t.text;
            // A number glued to a word: keep them apart.
            if (i + 1 < toks.size() && toks[i + 1].kind == Tok::Word)
                out += u' ';
            break;
        default:
            out += t.text;
        }
    }
    return out;
}

} // namespace platform
