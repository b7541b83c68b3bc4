// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QWidget>

// The window shown while the main window loads: a picture and the version.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);
    QLabel* Label1;
};

// "Ver. " and the program's major, minor and revision numbers.
QString versionText();
