// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/splash.h"

#include "platform/look.h"

#include <QPainter>
#include <QVBoxLayout>

QString versionText() {
    return QStringLiteral("Ver. %1.%2.%3")
        .arg(LIBREZI_VERSION_MAJOR)
        .arg(LIBREZI_VERSION_MINOR)
        .arg(LIBREZI_VERSION_PATCH);
}

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Lib'rezi Drites"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, platform::windowColour());
    pal.setColor(QPalette::WindowText, platform::colour(text::Role::OnWindow));
    setPalette(pal);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 28, 32, 20);
    auto* title = new QLabel(QStringLiteral("Lib'rezi Drites"), this);
    title->setObjectName(QStringLiteral("lblTitulli"));
    QFont tf(QStringLiteral("DejaVu Serif"));
    tf.setPointSize(26);
    tf.setBold(true);
    title->setFont(tf);
    title->setAlignment(Qt::AlignCenter);
    auto* subtitle = new QLabel(QStringLiteral("Kur'ani në gjuhën shqipe"), this);
    subtitle->setObjectName(QStringLiteral("lblNentitulli"));
    QFont sf(QStringLiteral("DejaVu Sans"));
    sf.setPointSize(12);
    subtitle->setFont(sf);
    subtitle->setAlignment(Qt::AlignCenter);
    Label1 = new QLabel(QStringLiteral("Versioni"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(QFont(QStringLiteral("Verdana"), 9));
    Label1->setAlignment(Qt::AlignRight);
    layout->addStretch();
    layout->addWidget(title);
    layout->addWidget(subtitle);
    layout->addStretch();
    layout->addWidget(Label1);
    resize(460, 260);

    Label1->setText(versionText());
}
