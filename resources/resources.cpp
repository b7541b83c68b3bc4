// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/resources.h"

#include <QCoreApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <QTranslator>

void initResources() {
    Q_INIT_RESOURCE(librezi);
}

void initTranslations() {
    static QTranslator qt; // lives as long as the program
    if (qt.isEmpty() && qt.load(QStringLiteral(":/translations/qt_sq.qm")))
        QCoreApplication::installTranslator(&qt);
}

namespace art {

QIcon icon(const char* path) {
    return QIcon(QString::fromLatin1(path));
}

QPixmap picture(const char* path, QSize size) {
    QSvgRenderer renderer(QString::fromLatin1(path));
    if (!renderer.isValid())
        return QPixmap();
    if (size.isEmpty())
        size = renderer.defaultSize();
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

QIcon tinted(const char* path, const QColor& normal, const QColor& disabled, QSize size) {
    const QPixmap shape = picture(path, size);
    auto in = [&shape](const QColor& colour) {
        QPixmap p = shape;
        QPainter painter(&p);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(p.rect(), colour);
        return p;
    };
    QIcon icon;
    for (QIcon::Mode mode : {QIcon::Normal, QIcon::Active, QIcon::Selected})
        icon.addPixmap(in(normal), mode);
    icon.addPixmap(in(disabled), QIcon::Disabled);
    return icon;
}

QCursor handCursor() {
    // The finger's tip lies at (11, 3) of the 32 by 32 picture.
    return QCursor(picture(kHandCursor, QSize(32, 32)), 11, 3);
}

} // namespace art
