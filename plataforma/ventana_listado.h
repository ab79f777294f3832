// Ventana de listado paginado: una página del listado cada vez en una lista
// de líneas marcadas, con la barra de páginas ("Pg", la lista de páginas,
// "de" y el total; |<, <, > y >|), "Preview" (oculto), "Imprimir" y
// "Cerrar"; Inicio, RePág, AvPág, Fin y Alt+P, y el menú emergente con las
// mismas órdenes. Cada programa dice cómo se dibuja una página y qué
// formulario la imprime.
#pragma once

#include "plataforma/atajos.h"
#include "plataforma/controles.h"
#include "plataforma/informe.h"
#include "plataforma/lista_marcado.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <array>

class QMenu;

// Colocación de la ventana, en píxeles.
struct disposicion_listado {
    QString titulo{};
    QSize tamano{};
    QRect lista{};
    QString rotulo_pagina{};   // "Pg" o "Pg."
    QString total_inicial{};   // el total antes del primer listado
    int y_rotulos = 0;
    int x_pagina = 0, x_de = 0, x_total = 0, ancho_total = 0;
    QRect paginas{};           // la lista de páginas
    bool paginas_en_negrita = false;
    int y_botones = 0;
    QSize boton{};             // |<, <, >, >|
    std::array<int, 4> x_botones{};
    QRect preview{}, imprimir{}, cerrar{};
    bool cerrar_por_omision = false;  // "Cerrar" es el botón de Intro
};

class ventana_listado : public QWidget {
public:
    ventana_listado(const estilo_marcado& estilo, const disposicion_listado& d);

    int pagina_actual = 1;
    int num_paginas = 0;

    lista_marcado* ListBox1 = nullptr;
    lista_desplegable* ComboBox1 = nullptr;
    QLabel* Label1 = nullptr;        // el total de páginas
    QPushButton* Button4 = nullptr;  // |<
    QPushButton* Button1 = nullptr;  // <
    QPushButton* Button2 = nullptr;  // >
    QPushButton* Button5 = nullptr;  // >|
    QPushButton* Button7 = nullptr;  // Preview (oculto)
    QPushButton* Button6 = nullptr;  // Imprimir
    QPushButton* Button3 = nullptr;  // Cerrar

    // Con 'num_paginas' ya contado: la ventana en (1, 1) y a la vista, la
    // lista de páginas de 1 al total, el total y la página 1.
    void presenta_listado();
    void muestra_pagina();
    void habilita_botones_pagina();
    void Button4Click();  // primera
    void Button1Click();  // anterior
    void Button2Click();  // siguiente
    void Button5Click();  // última
    void ComboBox1Change();
    void Button6Click();  // imprimir
    void Button7Click();  // vista previa
    void Button3Click();  // cerrar

protected:
    // Escribe la página 'pagina_actual' en ListBox1.
    virtual void dibuja_pagina() = 0;
    // El formulario que imprime el listado entero.
    virtual formulario_informe& informe_listado() = 0;
    void contextMenuEvent(QContextMenuEvent* e) override;

    QMenu* PopupMenu1 = nullptr;
    atajos_ventana* atajos_ = nullptr;
};
