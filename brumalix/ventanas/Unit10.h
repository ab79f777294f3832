// Diálogo "Listados": clase de listado, límites de presión y temperatura,
// saltos y líneas por página impresa.
#pragma once

#include "plataforma/atajos.h"
#include "plataforma/controles.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

class TListados : public QWidget {
public:
    TListados();
    grupo_radio* RadioGroup1 = nullptr;
    QFrame* Panel1 = nullptr;  // curvas límite
    QFrame* Panel2 = nullptr;  // líquido y vapor
    campo_edicion *Edit1 = nullptr, *Edit2 = nullptr;                                    // curvas: presiones
    campo_edicion *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr, *Edit6 = nullptr;  // líquido y vapor
    campo_edicion* Edit7 = nullptr;                                                      // líneas por página
    QComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr, *ComboBox3 = nullptr;          // saltos
    QLabel* Label10 = nullptr;  // unidad de presión (líquido y vapor)
    QLabel* Label11 = nullptr;  // °C
    QLabel* Label12 = nullptr;  // unidad de presión (curvas)
    QPushButton* Button1 = nullptr;  // Aceptar
    QPushButton* Button2 = nullptr;  // Cerrar
    QPushButton* Button3 = nullptr;  // Ayuda

    void RadioGroup1Click();
    void FormShow();
    void Button1Click();
    void Button2Click();
    // Líneas por página del listado impreso; 45 si no se dieron o no valen.
    int lineas_por_pagina_impresas();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    atajos_ventana* atajos_ = nullptr;
};
