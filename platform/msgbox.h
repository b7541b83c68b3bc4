// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <functional>

class QWidget;

namespace platform {

enum class Buttons { OK, OKCancel, YesNo };
enum class Icon { None, Information, Warning, Critical, Question };
enum class Answer { OK = 1, Cancel = 2, Yes = 6, No = 7 };

// The title a message box shows when it has none of its own.
QString applicationTitle();

// Shows a modal message box with Albanian buttons ("OK", "Anulo", "Po", "Jo") and returns the answer.
// An empty title means the application's title. With a script installed (MsgBoxScript) the script answers;
// on a platform without a screen an unscripted box ends the run with its text.
Answer MsgBox(const QString& text, Buttons buttons = Buttons::OK, const QString& title = QString(),
              Icon icon = Icon::None, QWidget* parent = nullptr);

// What one message box asked.
struct AskedMessage {
    QString text;
    Buttons buttons;
    QString title;
    Icon icon;
};

// A scripted stand-in for the reader at the message boxes: while installed, MsgBox shows nothing,
// records what it was asked and gives the next scripted answer (the first button when the script
// has run out, and that is recorded as unscripted).
class MsgBoxScript {
public:
    MsgBoxScript();
    ~MsgBoxScript();
    MsgBoxScript(const MsgBoxScript&) = delete;
    MsgBoxScript& operator=(const MsgBoxScript&) = delete;

    void answer(Answer a) { m_answers.append(a); }
    const QList<AskedMessage>& asked() const { return m_asked; }
    int unscripted() const { return m_unscripted; }
    int pending() const { return int(m_answers.size()); }
    void clear() {
        m_asked.clear();
        m_answers.clear();
        m_unscripted = 0;
    }
    // Runs while a scripted box is "open", e.g. to check the state the box was shown in.
    void onAsk(std::function<void(const AskedMessage&)> f) { m_onAsk = std::move(f); }

    static MsgBoxScript* current();
    Answer take(const AskedMessage& m);

private:
    QList<Answer> m_answers;
    QList<AskedMessage> m_asked;
    int m_unscripted = 0;
    std::function<void(const AskedMessage&)> m_onAsk;
    MsgBoxScript* m_previous;
};

} // namespace platform
