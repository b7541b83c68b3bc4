// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/handler.h"

namespace platform {

void reportFailure(const DbError& e) {
    std::fprintf(stderr, "librezi: %s\n", e.what());
    MsgBox(QStringLiteral("Veprimi nuk u krye: %1.").arg(albanianCause(e)), Buttons::OK, QString(), Icon::Warning);
}

void reportFailure(const std::exception& e) {
    std::fprintf(stderr, "librezi: %s\n", e.what());
    MsgBox(QStringLiteral("Veprimi nuk u krye për shkak të një gabimi të papritur."), Buttons::OK, QString(),
           Icon::Warning);
}

} // namespace platform
