// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/database.h"
#include "platform/msgbox.h"

#include <cstdio>
#include <exception>

namespace platform {

// Tells the reader, in Albanian, that a command could not be carried out and why.
void reportFailure(const DbError& e);
void reportFailure(const std::exception& e);

// The boundary of every handler: nothing thrown inside crosses the event loop; the reader sees a
// clear message instead.
template <typename F> void guarded(F&& f) {
    try {
        f();
    } catch (const DbError& e) {
        reportFailure(e);
    } catch (const std::exception& e) {
        reportFailure(e);
    }
}

} // namespace platform
