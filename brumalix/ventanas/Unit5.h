// Ventana "Resultados": la tabla de estados o la de un equipo del último
// cálculo, elegida en un selector, con impresión y copia al portapapeles.
#pragma once

#include "plataforma/atajos.h"
#include "plataforma/controles.h"
#include "plataforma/lista_marcado.h"

#include <QPushButton>
#include <QWidget>

class TResultados : public QWidget {
public:
    TResultados();
    ~TResultados() override;
    lista_marcado* ListBox1 = nullptr;
    lista_desplegable* ComboBox1 = nullptr;
    QPushButton* BitBtn1 = nullptr;  // |<
    QPushButton* BitBtn2 = nullptr;  // <
    QPushButton* BitBtn3 = nullptr;  // >
    QPushButton* BitBtn4 = nullptr;  // >|
    QPushButton* Button1 = nullptr;  // Cerrar
    QPushButton* Button2 = nullptr;  // Imprimir
    QPushButton* Button3 = nullptr;  // Preview (oculto)

    // Arriba a la izquierda y visible (lo pide la tabla de estados).
    void muestra();
    void oculta_navegacion();
    void muestra_navegacion();
    void habilita_botones_resultados();
    void ComboBox1Change();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void Primero1Click();
    void Anterior1Click();
    void Siguiente1Click();
    void Ultimo1Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Preview1Click();
    void Enviaralclipboard1Click();

protected:
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    // La tabla del elemento i del selector (0 la de estados).
    void escribe_tabla(int i);
    // Último elemento del selector al que se puede ir.
    int ultimo_elemento() const;
    bool navegacion_visible() const { return !ComboBox1->isHidden(); }
    QMenu* PopupMenu1 = nullptr;
    atajos_ventana* atajos_ = nullptr;
};
