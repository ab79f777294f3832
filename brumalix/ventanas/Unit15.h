// Ventana de traza: una línea por cada paso del motor y de los balances.
// Se muestra y se oculta con Mayús+F12.
#pragma once

#include "comun/lineas.h"

#include <QAbstractListModel>
#include <QListView>
#include <QWidget>

// Lista de traza de la ventana. Guarda las líneas sin escribir y el cuadro
// escribe sólo las que dibuja (o copia); así una traza de decenas de miles
// de líneas cuesta poco al calcular y la ventana se abre al momento. Guarda
// como mucho 'maximo' líneas: al pasar de ahí se quitan las más antiguas.
//
// El cuadro se entera de las líneas nuevas cuando vuelve el bucle de
// mensajes, de una vez; numero() y linea() las dan todas en seguida.
class lista_traza_ventana : public QAbstractListModel, public lista_lineas {
public:
    explicit lista_traza_ventana(std::size_t maximo, QObject* padre = nullptr);
    void agrega(std::string_view linea) override;
    unsigned char* reserva_diferida(forma_linea forma, std::size_t largo) override;
    void borra() override;
    std::size_t numero() const override { return lineas_.numero(); }
    std::string linea(std::size_t i) const override { return lineas_.linea(i); }

    int rowCount(const QModelIndex& padre = QModelIndex()) const override;
    QVariant data(const QModelIndex& indice, int papel = Qt::DisplayRole) const override;

private:
    void tras_agregar();
    void anuncia();

    lineas_diferidas lineas_;
    std::size_t maximo_;
    // Filas que el cuadro conoce: las primeras de lineas_.
    std::size_t anunciadas_ = 0;
    bool anuncio_pendiente_ = false;
};

class TForm15 : public QWidget {
public:
    static constexpr std::size_t MAXIMO_LINEAS = 200000;
    TForm15();
    ~TForm15() override;
    QListView* ListBox1 = nullptr;
    lista_traza_ventana& lista() { return *lista_; }

    // Cada vez que se muestra, su marco va a (1, 1).
    void setVisible(bool visible) override;

private:
    lista_traza_ventana* lista_ = nullptr;
};
