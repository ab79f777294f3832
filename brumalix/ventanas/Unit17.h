// Caja "Acerca de BRUMALIX".
#pragma once

#include <QDialog>
#include <QPushButton>

class TAbout : public QDialog {
public:
    TAbout();
    QPushButton* Button1 = nullptr;
};
