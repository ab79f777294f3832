// Ventana de traza: una línea por cada paso del motor y de los balances.
// Se muestra y se oculta con Mayús+F12.
#pragma once

#include "comun/lineas.h"

#include <QListWidget>
#include <QWidget>

// Lista de traza sobre el cuadro de la ventana. Guarda como mucho
// 'maximo' líneas: al pasar de ahí se quitan las más antiguas.
class lista_traza_ventana : public lista_lineas {
public:
    lista_traza_ventana(QListWidget* lista, std::size_t maximo) : lista_(lista), maximo_(maximo) {}
    void agrega(std::string_view linea) override;
    void borra() override;
    std::size_t numero() const override;
    std::string linea(std::size_t i) const override;

private:
    QListWidget* lista_;
    std::size_t maximo_;
};

class TForm15 : public QWidget {
public:
    static constexpr std::size_t MAXIMO_LINEAS = 200000;
    TForm15();
    ~TForm15() override;
    QListWidget* ListBox1 = nullptr;
    lista_traza_ventana& lista() { return lista_; }

    // Cada vez que se muestra, su marco va a (1, 1).
    void setVisible(bool visible) override;

private:
    lista_traza_ventana lista_;
};
