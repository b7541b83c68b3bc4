// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/night.h"

#include "app/notices.h"
#include "platform/look.h"
#include "platform/richtextview.h"
#include "platform/settings.h"
#include "resources/resources.h"
#include "search/history.h"

#include <QAction>
#include <QGuiApplication>
#include <QPalette>
#include <QSignalBlocker>
#include <QStyleHints>
#include <QToolButton>

namespace night {

namespace {
const QString kLook = QStringLiteral("Pamja");
const QString kNight = QStringLiteral("Natë");

void apply(platform::RichTextView* view, bool night) {
    platform::setNight(night);
    view->recolour();
}
} // namespace

bool chosen() {
    const QString kept = platform::GetSetting(history::appName(), kLook, kNight);
    if (kept.isEmpty())
        return desktopIsDark();
    return kept == QLatin1String("1");
}

bool keep(bool night) {
    return platform::SaveSetting(history::appName(), kLook, kNight, night ? QStringLiteral("1") : QStringLiteral("0"));
}

bool desktopIsDark() {
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    if (const Qt::ColorScheme scheme = QGuiApplication::styleHints()->colorScheme(); scheme != Qt::ColorScheme::Unknown)
        return scheme == Qt::ColorScheme::Dark;
#endif
    const QPalette desktop = QGuiApplication::palette();
    return desktop.color(QPalette::Window).lightness() < desktop.color(QPalette::WindowText).lightness();
}

QToolButton* makeButton(QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QStringLiteral("cmdNata"));
    b->setToolTip(QStringLiteral("Natë: faqe e errët dhe tekst i çelët; edhe një herë, Ditë (Ctrl+Shift+N)"));
    b->setAccessibleName(QStringLiteral("Natë"));
    b->setIcon(art::icon(art::kNight));
    b->setIconSize(QSize(24, 24));
    b->setAutoRaise(true);
    b->setCheckable(true);
    b->setFocusPolicy(Qt::StrongFocus);
    // On the dark panel: pressed in by night in the strip's colour of a pressed button (the desktop's own light
    // one would hide the crescent); a frame where the pointer or the keyboard is.
    b->setStyleSheet(
        QStringLiteral("QToolButton { border: 1px solid transparent; border-radius: 3px; padding: 0px; }"
                       "QToolButton:checked { background: %1; }"
                       "QToolButton:hover, QToolButton:focus { border-color: %2; }")
            .arg(platform::colour(text::Role::StripButton).name(), platform::colour(text::Role::StripDimmed).name()));
    return b;
}

void attach(QToolButton* button, platform::RichTextView* view, QWidget* window) {
    const bool night = chosen();
    {
        const QSignalBlocker quiet(button);
        button->setChecked(night);
    }
    apply(view, night);
    QObject::connect(button, &QToolButton::toggled, view, [view](bool on) {
        apply(view, on);
        notices::channel().saved(notices::Store::Palette, keep(on));
    });
    auto* key = new QAction(window);
    key->setObjectName(QStringLiteral("mnuNata"));
    key->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    key->setShortcutContext(Qt::WindowShortcut);
    window->addAction(key);
    QObject::connect(key, &QAction::triggered, button, &QToolButton::click);
}

} // namespace night
