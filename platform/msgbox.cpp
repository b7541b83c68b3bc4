// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/msgbox.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

namespace platform {
namespace {
MsgBoxScript* g_script = nullptr;
}

QString applicationTitle() {
    return QStringLiteral("Lib'rezi Drites");
}

MsgBoxScript::MsgBoxScript() : m_previous(g_script) {
    g_script = this;
}
MsgBoxScript::~MsgBoxScript() {
    g_script = m_previous;
}
MsgBoxScript* MsgBoxScript::current() {
    return g_script;
}

Answer MsgBoxScript::take(const AskedMessage& m) {
    m_asked.append(m);
    if (m_onAsk)
        m_onAsk(m);
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    ++m_unscripted;
    return m.buttons == Buttons::YesNo ? Answer::Yes : Answer::OK;
}

Answer MsgBox(const QString& text, Buttons buttons, const QString& title, Icon icon, QWidget* parent) {
    const AskedMessage m{text, buttons, title.isEmpty() ? applicationTitle() : title, icon};
    if (g_script)
        return g_script->take(m);
    // Without a screen (the offscreen and minimal platforms of headless runs and tests) nobody could ever
    // answer the box: rather than wait for ever, the run ends here and says what it would have asked.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        qFatal("librezi: a message box that nobody can answer: %s", qPrintable(text));

    QMessageBox box(parent ? parent : QApplication::activeWindow());
    box.setWindowTitle(m.title);
    box.setText(text);
    switch (icon) {
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::None:
        break;
    }
    QPushButton* first = nullptr;
    QPushButton* second = nullptr;
    switch (buttons) {
    case Buttons::OK:
        first = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        break;
    case Buttons::OKCancel:
        first = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        second = box.addButton(QStringLiteral("Anulo"), QMessageBox::RejectRole);
        break;
    case Buttons::YesNo:
        first = box.addButton(QStringLiteral("&Po"), QMessageBox::YesRole);
        second = box.addButton(QStringLiteral("&Jo"), QMessageBox::NoRole);
        break;
    }
    box.setDefaultButton(first);
    box.setEscapeButton(second ? second : first);
    box.exec();
    const bool firstChosen = box.clickedButton() == first || (!second && box.clickedButton() == nullptr);
    switch (buttons) {
    case Buttons::OK:
        return Answer::OK;
    case Buttons::OKCancel:
        return firstChosen ? Answer::OK : Answer::Cancel;
    case Buttons::YesNo:
        return firstChosen ? Answer::Yes : Answer::No;
    }
    return Answer::OK;
}

} // namespace platform
