// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/notices.h"

#include <QStringList>

namespace notices {

QString failureText(Store store) {
    switch (store) {
    case Store::Bookmarks:
        return QStringLiteral("Shënjuesit nuk u ruajtën: cilësimet e përdoruesit nuk mund të shkruhen.");
    case Store::Place:
        return QStringLiteral("Vendi i leximit nuk u ruajt: cilësimet e përdoruesit nuk mund të shkruhen.");
    case Store::History:
        return QStringLiteral("Fjalët e kërkuara nuk u ruajtën: cilësimet e përdoruesit nuk mund të shkruhen.");
    case Store::SearchOption:
        return QStringLiteral("Zgjedhja „Pa dallim ë/e, ç/c” nuk u ruajt: cilësimet e përdoruesit nuk mund të "
                              "shkruhen.");
    case Store::Repeat:
        return QStringLiteral("Përsëritja e zgjedhur nuk u ruajt: cilësimet e përdoruesit nuk mund të shkruhen.");
    case Store::Palette:
        return QStringLiteral("Zgjedhja „Natë” ose „Ditë” nuk u ruajt: cilësimet e përdoruesit nuk mund të shkruhen.");
    }
    return QString();
}

void Channel::saved(Store store, bool ok) {
    const bool changedNow = ok ? m_failed.remove(store) : !m_failed.contains(store);
    if (!ok)
        m_failed.insert(store);
    if (changedNow)
        Q_EMIT changed(text());
}

void Channel::setStanding(const QString& text) {
    if (text == m_standing)
        return;
    m_standing = text;
    Q_EMIT changed(this->text());
}

QString Channel::text() const {
    QStringList lines;
    if (!m_standing.isEmpty())
        lines.append(m_standing);
    for (Store s : {Store::Bookmarks, Store::Place, Store::History, Store::SearchOption, Store::Repeat, Store::Palette})
        if (m_failed.contains(s))
            lines.append(failureText(s));
    return lines.join(u'\n');
}

void Channel::clear() {
    m_failed.clear();
    m_standing.clear();
    Q_EMIT changed(QString());
}

Channel& channel() {
    static Channel c;
    return c;
}

} // namespace notices
