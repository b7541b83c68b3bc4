// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audio/supply.h"

#include <QHash>
#include <QString>

namespace data {
class Library;
}

namespace downloads {

class Fetcher;

// The recordings of the fetched reciters (EveryAyah's, in the reader's data folder): those the reading needs are
// fetched ahead of it when the reciter in use is one of them; a whole reciter is fetched on the reader's word.
class Recordings : public audio::Supply {
    Q_OBJECT
public:
    Recordings(Fetcher& fetcher, const data::Library& library, QObject* parent = nullptr);

    bool brings(int surah, int verse) const override;
    void want(int surah, int from, int to) override;
    QString cause(int surah, int verse) const override;

    // Queues every recording of the reciter not on disk yet; how many were queued.
    int fetchAll(const QString& id);
    // The verse's recording in the reciter's folder.
    static QString target(const QString& id, int surah, int verse);

private:
    // The fetched reciter in use for verses ("" when the reciter in use is another).
    QString inUse() const;
    void onFinished(const QString& target);
    void onFailed(const QString& target, const QString& cause);
    bool locate(const QString& target, int& surah, int& verse) const;

    Fetcher& m_fetcher;
    const data::Library& m_library;
    QHash<QString, QString> m_failed; // the targets that could not be fetched this run, with the cause
};

} // namespace downloads
