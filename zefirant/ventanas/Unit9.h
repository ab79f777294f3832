// Diálogo "Configurar unidades".
#pragma once

#include "plataforma/controles.h"

#include <QPushButton>
#include <QWidget>

class TForm9 : public QWidget {
public:
    TForm9();
    grupo_radio* RadioGroup1 = nullptr;  // masa
    grupo_radio* RadioGroup2 = nullptr;  // energía
    grupo_radio* RadioGroup3 = nullptr;  // presión
    QPushButton* Button1 = nullptr;      // Aceptar
    QPushButton* Button2 = nullptr;      // Cancelar
    void Button1Click();
    void Button2Click();
    // Pone los grupos en las unidades dadas (al cargar un problema).
    void pon_unidades(int masa_kg, int energia_kcal, int presion_at);
};
