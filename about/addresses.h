// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the program's readers reach its makers. The project has no addresses of its own yet: each is ""
// until it has, and a window shows no link (and no sentence that leads to one) for an address it lacks.
namespace addresses {

// The product's web site (the main window's header link).
inline QString productSite() {
    return QString();
}
// The program's own page on that site.
inline QString programPage() {
    return QString();
}
// The makers' web site.
inline QString makerSite() {
    return QString();
}
// The makers' e-mail address.
inline QString makerEmail() {
    return QString();
}

} // namespace addresses
