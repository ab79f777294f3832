// Ventana "Resultados de ZEFIRANT": la tabla de estados o la de
// transformaciones del último cálculo.
#pragma once

#include "plataforma/atajos.h"
#include "plataforma/lista_marcado.h"

#include <QPushButton>
#include <QWidget>

class TForm11 : public QWidget {
public:
    TForm11();
    lista_marcado* ListBox1 = nullptr;
    QPushButton* Button1 = nullptr;  // Cerrar
    QPushButton* Button2 = nullptr;  // Estados
    QPushButton* Button3 = nullptr;  // Transformaciones
    QPushButton* Button4 = nullptr;  // Preview (oculto)
    QPushButton* Button5 = nullptr;  // Imprimir

    // La pone arriba a la izquierda, con o sin los botones de tabla, y la
    // muestra.
    void muestra(bool con_transformaciones);
    void Button2Click();
    void Button3Click();
    void Button5Click();
    void Preview1Click();
    void Enviaralclipboard1Click();

protected:
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    QMenu* PopupMenu1 = nullptr;
    atajos_ventana* atajos_ = nullptr;
};
