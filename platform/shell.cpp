// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

namespace {
ShellRecorder* g_recorder = nullptr;
}

ShellRecorder::ShellRecorder() : m_previous(g_recorder) {
    g_recorder = this;
}

ShellRecorder::~ShellRecorder() {
    g_recorder = m_previous;
}

void openAddress(const QString& address) {
    if (g_recorder) {
        g_recorder->m_opened.append(address);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

} // namespace platform
