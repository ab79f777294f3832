// Caja "Acerca de ZEFIRANT".
#pragma once

#include <QDialog>
#include <QPushButton>

class TForm13 : public QDialog {
public:
    TForm13();
    QPushButton* Button1 = nullptr;
};
