#pragma once

#include <QFile>
#include <QString>

// What the builder's tests need of the test environment (set by ctest, see CMakeLists.txt).
namespace testsupport {

// The build folder, where librezi-builder is.
inline QString buildFolder() {
    return qEnvironmentVariable("LIBREZI_BUILD");
}
// The project's reference facts (resources/facts).
inline QString factsFolder() {
    return qEnvironmentVariable("LIBREZI_FACTS");
}
// A file of the shared test material, or "" when it is not there (a fresh clone has none).
inline QString sharedTestFile(const QString& name) {
    const QString path = qEnvironmentVariable("LIBREZI_SHARED") + QStringLiteral("/testdata/") + name;
    return QFile::exists(path) ? path : QString();
}

} // namespace testsupport
