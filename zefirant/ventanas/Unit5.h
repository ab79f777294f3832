// Ventana "Listado de propiedades": una página del listado cada vez.
#pragma once

#include "plataforma/atajos.h"
#include "plataforma/controles.h"
#include "plataforma/lista_marcado.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

class TForm5 : public QWidget {
public:
    TForm5();
    int pagina_actual = 1;
    int num_paginas = 0;

    lista_marcado* ListBox1 = nullptr;
    lista_desplegable* ComboBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr, *Button4 = nullptr, *Button5 = nullptr,
                *Button6 = nullptr, *Button7 = nullptr;

    // Cuenta las páginas y muestra la primera (tras las comprobaciones de
    // la ventana principal).
    void lanza();
    void habilita_botones_pagina();
    void muestra_pagina();
    void Button4Click();  // primera
    void Button1Click();  // anterior
    void Button2Click();  // siguiente
    void Button5Click();  // última
    void ComboBox1Change();
    void EnviaralClipboard1Click();
    void Button6Click();  // imprimir
    void Button7Click();  // vista previa

protected:
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    QMenu* PopupMenu1 = nullptr;
    atajos_ventana* atajos_ = nullptr;
};
