// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

namespace audio {

// Recordings of the verse reciter in use that are not on disk yet but can be brought (a reciter whose files are
// fetched as the reading needs them). A recitation asks for the verses ahead of the one heard and waits for a verse
// that has not come yet instead of passing over it.
class Supply : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Whether the verse's recording, not on disk, can still come (it has not failed).
    virtual bool brings(int surah, int verse) const = 0;
    // Why the verse's recording could not be brought, in Albanian ("" when it did not fail).
    virtual QString cause(int surah, int verse) const = 0;
    // Asks for the recordings from `from` to `to` of the surah, in that order, before anything asked earlier.
    virtual void want(int surah, int from, int to) = 0;

Q_SIGNALS:
    // The verse's recording is on disk now.
    void arrived(int surah, int verse);
    // It cannot be brought: the cause in Albanian.
    void lost(int surah, int verse, const QString& cause);
};

} // namespace audio
