#pragma once

#include "platform/listcontrols.h"

#include <QLabel>
#include <QWidget>

// The main window: the whole text, navigation, themes, search, recitation and tips.
class frmKryesore : public QWidget {
    Q_OBJECT
public:
    explicit frmKryesore(QWidget* parent = nullptr);

    platform::ComboBox* CmbNrSure;
    platform::ComboBox* CmbEmrSure;
    platform::ComboBox* CmbNrAjeti;
    platform::ComboBox* CmbTotalAjete;
    platform::ComboBox* CmbLexuesAjete;
    platform::ComboBox* CmbLexuesSure;
    QLabel* LblKeshilla;

private:
    void Form_Load();
};
