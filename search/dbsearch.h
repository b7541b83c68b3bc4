// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "search/wordlist.h"

#include <QString>

#include <functional>

class QCheckBox;
namespace platform {
class ComboBox;
class RichTextView;
} // namespace platform

namespace search {

// The search of every verse in the database for a phrase (or for words joined by "&"), shown as
// a report and the verses found, with the words coloured red.
class DatabaseSearch {
public:
    // The most words a phrase may join with "&" (each is one condition of the statement).
    static constexpr int kMaxWords = 50;

    struct Controls {
        platform::ComboBox* CmbKerkoKrejt;
        QCheckBox* ChkKerkoSure;
        QCheckBox* ChkPaDallim; // ë as e, ç as c
        platform::ComboBox* CmbNrSure;
        platform::ComboBox* CmbEmrSure;
        platform::RichTextView* Rtf1;
        std::function<void()> enterPassageMode;
        // Brings back what the text view showed before a failed search (the whole text or a passage).
        std::function<void(bool wasPassage, const QString& passage)> restoreView;
        std::function<bool()> inPassageMode;
    };
    explicit DatabaseSearch(Controls c) : m(std::move(c)) {}

    // cmdKerkoAll_Click.
    void run();
    bool running() const { return m_running; }
    // The words of the last phrase searched.
    const FjalKerkim& words() const { return FjalKerkim_; }

    // The surah a search limited to the current surah names, or 0 when the text names none.
    static int currentSurah(const QString& text);

private:
    Controls m;
    FjalKerkim FjalKerkim_; // the words of the last phrase, coloured in its result
    bool m_running = false;
};

} // namespace search
