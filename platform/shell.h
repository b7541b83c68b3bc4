// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Asks the desktop to open an address: a web page in the browser, a "mailto:" address in the mail
// program. The program does not wait for it.
void openAddress(const QString& address);

// A stand-in for the desktop while installed: openAddress opens nothing and records the address.
class ShellRecorder {
public:
    ShellRecorder();
    ~ShellRecorder();
    ShellRecorder(const ShellRecorder&) = delete;
    ShellRecorder& operator=(const ShellRecorder&) = delete;

    const QStringList& opened() const { return m_opened; }

private:
    friend void openAddress(const QString& address);
    QStringList m_opened;
    ShellRecorder* m_previous;
};

} // namespace platform
