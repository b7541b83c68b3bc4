// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace fuzzsupport {

// One headless application for the whole run (fonts, documents and widgets need one).
inline void ensureApplication() {
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "librezi-fuzz";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives until the process ends
}

inline QByteArray bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The input read as the program reads typed or stored text: UTF-8, invalid sequences replaced.
inline QString text(const uint8_t* data, size_t size) {
    return QString::fromUtf8(bytes(data, size));
}

// A check that must hold for every input: a failure is a finding.
inline void require(bool condition, const char* what) {
    if (!condition) {
        fprintf(stderr, "fuzz: broken: %s\n", what);
        std::abort();
    }
}

} // namespace fuzzsupport
