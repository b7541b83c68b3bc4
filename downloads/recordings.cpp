// SPDX-License-Identifier: GPL-3.0-or-later
#include "downloads/recordings.h"

#include "app/module1.h"
#include "audio/playback.h"
#include "data/library.h"
#include "downloads/catalogue.h"
#include "downloads/fetcher.h"
#include "platform/database.h"

#include <QFileInfo>

namespace downloads {

Recordings::Recordings(Fetcher& fetcher, const data::Library& library, QObject* parent)
    : audio::Supply(parent), m_fetcher(fetcher), m_library(library) {
    connect(&fetcher, &Fetcher::finished, this, &Recordings::onFinished);
    connect(&fetcher, &Fetcher::failed, this, &Recordings::onFailed);
}

QString Recordings::target(const QString& id, int surah, int verse) {
    return reciterFolder(id) +
           QStringLiteral("/%1%2.mp3").arg(surah, 3, 10, QLatin1Char('0')).arg(verse, 3, 10, QLatin1Char('0'));
}

QString Recordings::inUse() const {
    if (!audio::hasFolder(Module1::strLokacioniAjeteve))
        return {};
    return fetchedReciter(audio::resolveFolder(Module1::strLokacioniAjeteve));
}

bool Recordings::brings(int surah, int verse) const {
    const QString id = inUse();
    return !id.isEmpty() && !m_failed.contains(target(id, surah, verse));
}

QString Recordings::cause(int surah, int verse) const {
    const QString id = inUse();
    return id.isEmpty() ? QString() : m_failed.value(target(id, surah, verse));
}

void Recordings::want(int surah, int from, int to) {
    const QString id = inUse();
    if (id.isEmpty())
        return;
    // Each one put before the rest, from the last: `from` comes first, the others in order after it.
    for (int verse = to; verse >= from; --verse) {
        const QString file = target(id, surah, verse);
        if (!m_failed.contains(file))
            m_fetcher.add(recordingUrl(id, surah, verse), file, recordingCheck, true);
    }
}

int Recordings::fetchAll(const QString& id) {
    QList<data::Surah> surahs;
    try {
        surahs = m_library.surahs();
    } catch (const platform::DbError&) {
        return 0;
    }
    int queued = 0;
    m_failed.clear(); // the reader asks again: what failed is tried again
    for (const data::Surah& s : surahs)
        for (int verse = 1; verse <= s.verses; ++verse) {
            const QString file = target(id, s.number, verse);
            if (QFileInfo(file).isFile() || m_fetcher.pending(file))
                continue;
            m_fetcher.add(recordingUrl(id, s.number, verse), file, recordingCheck);
            ++queued;
        }
    return queued;
}

bool Recordings::locate(const QString& file, int& surah, int& verse) const {
    const QString id = inUse();
    const QFileInfo info(file);
    if (id.isEmpty() || info.absolutePath() != QFileInfo(reciterFolder(id)).absoluteFilePath())
        return false;
    const QString name = info.completeBaseName();
    bool a = false, b = false;
    surah = name.left(3).toInt(&a);
    verse = name.mid(3).toInt(&b);
    return a && b && name.size() == 6;
}

void Recordings::onFinished(const QString& file) {
    int surah = 0, verse = 0;
    if (locate(file, surah, verse))
        Q_EMIT arrived(surah, verse);
}

void Recordings::onFailed(const QString& file, const QString& cause) {
    m_failed.insert(file, cause);
    int surah = 0, verse = 0;
    if (locate(file, surah, verse))
        Q_EMIT lost(surah, verse, cause);
}

} // namespace downloads
