// Diálogo "Configurar unidades": presión, caudal y energía (la entropía
// sigue a la energía).
#pragma once

#include "plataforma/atajos.h"
#include "plataforma/controles.h"

#include <QPushButton>
#include <QWidget>

class TConfigurar : public QWidget {
public:
    TConfigurar();
    grupo_radio* RadioGroup1 = nullptr;  // presión
    grupo_radio* RadioGroup2 = nullptr;  // caudal
    grupo_radio* RadioGroup3 = nullptr;  // energía
    QPushButton* Button1 = nullptr;      // Aceptar
    QPushButton* Button2 = nullptr;      // Cancelar
    void Button1Click();
    void Button2Click();

private:
    atajos_ventana* atajos_ = nullptr;
};
