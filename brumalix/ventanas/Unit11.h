// Ventana "Salida listados": una página del listado cada vez.
#pragma once

#include "plataforma/atajos.h"
#include "plataforma/controles.h"
#include "plataforma/lista_marcado.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

class TForm11 : public QWidget {
public:
    TForm11();
    ~TForm11() override;
    int pagina_actual = 1;
    int num_paginas = 0;
    int tipo_listado = 1;  // 1 curvas límite, 2 líquido y vapor

    lista_marcado* ListBox1 = nullptr;
    lista_desplegable* ComboBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Button4 = nullptr;  // |<
    QPushButton* Button1 = nullptr;  // <
    QPushButton* Button2 = nullptr;  // >
    QPushButton* Button5 = nullptr;  // >|
    QPushButton* Button7 = nullptr;  // Preview (oculto)
    QPushButton* Button6 = nullptr;  // Imprimir
    QPushButton* Button3 = nullptr;  // Cerrar

    void muestra_pagina();
    void habilita_botones_pagina();
    void Button2Click();
    void Button1Click();
    void Button4Click();
    void Button5Click();
    void ComboBox1Change();
    void Button6Click();
    void Button7Click();
    void Button3Click();

protected:
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    QMenu* PopupMenu1 = nullptr;
    atajos_ventana* atajos_ = nullptr;
};
