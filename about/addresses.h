#pragma once

#include <QString>

// Where the program's readers reach its makers. These are example addresses that stand until the
// real ones are known; every window takes them from here.
namespace addresses {

// The product's web site (the main window's header link).
inline QString productSite() {
    return QStringLiteral("https://librezi.example.org");
}
// The program's own page on that site.
inline QString programPage() {
    return QString(productSite() + QStringLiteral("/programi"));
}
// The makers' web site.
inline QString makerSite() {
    return QStringLiteral("https://www.example.org");
}
// The makers' e-mail address.
inline QString makerEmail() {
    return QStringLiteral("info@example.org");
}

} // namespace addresses
