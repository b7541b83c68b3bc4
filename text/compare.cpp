// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/compare.h"

#include "platform/textfold.h"

namespace text {

namespace {

struct Word {
    QString folded;
    qsizetype start, end;
};

QList<Word> wordsOf(const QString& text) {
    QList<Word> words;
    const QString folded = platform::foldText(text); // one character for one: positions carry over
    for (qsizetype i = 0; i < text.size();) {
        while (i < text.size() && text[i].isSpace())
            ++i;
        const qsizetype start = i;
        while (i < text.size() && !text[i].isSpace())
            ++i;
        // Punctuation around a word is not the word: "Zoti," and "Zoti" are the same word.
        qsizetype from = start, to = i;
        while (from < to && folded[from].isPunct() && folded[from] != u'\'')
            ++from;
        while (to > from && folded[to - 1].isPunct() && folded[to - 1] != u'\'')
            --to;
        if (i > start)
            words.append({folded.mid(from, to - from), start, i});
    }
    return words;
}

// Which words of `a` belong to a longest common sequence of words with `b`.
QList<bool> inCommon(const QList<Word>& a, const QList<Word>& b) {
    const qsizetype n = a.size(), m = b.size();
    QList<int> length((n + 1) * (m + 1), 0); // length[i * (m + 1) + j]: of a[i..] and b[j..]
    const auto at = [m](qsizetype i, qsizetype j) { return i * (m + 1) + j; };
    for (qsizetype i = n - 1; i >= 0; --i)
        for (qsizetype j = m - 1; j >= 0; --j)
            length[at(i, j)] = a[i].folded == b[j].folded ? length[at(i + 1, j + 1)] + 1
                                                          : std::max(length[at(i + 1, j)], length[at(i, j + 1)]);
    QList<bool> common(n, false);
    for (qsizetype i = 0, j = 0; i < n && j < m;) {
        if (a[i].folded == b[j].folded) {
            common[i++] = true;
            ++j;
        } else if (length[at(i + 1, j)] >= length[at(i, j + 1)]) {
            ++i;
        } else {
            ++j;
        }
    }
    return common;
}

} // namespace

QList<Ranges> differingWords(const QStringList& texts) {
    QList<QList<Word>> words;
    for (const QString& t : texts)
        words.append(wordsOf(t));
    QList<Ranges> marked(texts.size());
    for (qsizetype i = 0; i < texts.size(); ++i) {
        QList<bool> shared(words[i].size(), true);
        for (qsizetype j = 0; j < texts.size(); ++j)
            if (j != i) {
                const QList<bool> common = inCommon(words[i], words[j]);
                for (qsizetype k = 0; k < shared.size(); ++k)
                    shared[k] = shared[k] && common[k];
            }
        for (qsizetype k = 0; k < shared.size(); ++k)
            if (!shared[k])
                marked[i].append({words[i][k].start, words[i][k].end});
    }
    return marked;
}

} // namespace text
