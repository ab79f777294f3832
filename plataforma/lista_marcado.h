// Lista de líneas de texto marcado, dibujada carácter a carácter.
//
// Cada línea es texto Windows-1252 en el que un acento grave y una letra
// cambian el siguiente carácter dibujado: "`B" negrita, "`D" y "`U" letra
// menor y más baja, "`I" cursiva, "`S" la fuente Symbol, "`M" (ZEFIRANT) dos
// píxeles a la izquierda, "`N" (BRUMALIX) negrita hasta el final de la línea.
// Cada carácter se dibuja solo, a paso fijo.
#pragma once

#include "comun/lineas.h"

#include <QColor>
#include <QListWidget>
#include <QStyledItemDelegate>

#include <string>
#include <vector>

struct estilo_marcado {
    int paso = 8;                 // píxeles por columna
    int alto_item = 16;           // alto de cada línea
    int pixeles_base = 13;        // tamaño de la letra normal
    int pixeles_menor = 11;       // tamaño de "`D" y "`U" (8 puntos)
    int baja_menor = 4;           // cuánto más abajo va la letra menor
    int izquierda_cursiva = 2;    // "`I" se dibuja tantos píxeles a la izquierda
    int izquierda_M = 2;          // lo mismo con "`M"
    bool codigos_cruzan_blancos = true;  // un código actúa sobre el siguiente no blanco
    bool codigo_N = false;        // "`N": negrita hasta el final de la línea
    QColor fondo = QColor(0xC0, 0xC0, 0xC0);
    QColor texto = Qt::black;
};

// Dibuja una línea marcada en el rectángulo (la columna 0 en su izquierda).
class QPainter;
void dibuja_marcado(QPainter& p, const QRect& rect, const std::string& linea, const estilo_marcado& estilo);

// Cada carácter dibujado de una línea marcada: su letra, el origen de su
// línea base y su texto.
struct glifo_marcado {
    QFont fuente;
    QPoint origen;
    QString texto;
};
std::vector<glifo_marcado> coloca_marcado(const QRect& rect, const std::string& linea, const estilo_marcado& estilo);

// Cuántos píxeles se corre a la izquierda un carácter Symbol de 'texto'
// cuando es más ancho que la columna de 'paso' píxeles (0 si cabe).
int retroceso_symbol(const QFont& fuente, const QString& texto, int paso);

// Texto de una línea sin los códigos, para mostrarlo o copiarlo como texto.
std::string quita_codigos(const std::string& linea);

class delegado_marcado : public QStyledItemDelegate {
public:
    explicit delegado_marcado(const estilo_marcado& estilo, QObject* padre = nullptr)
        : QStyledItemDelegate(padre), estilo_(estilo) {}
    void paint(QPainter* p, const QStyleOptionViewItem& opcion, const QModelIndex& indice) const override;
    QSize sizeHint(const QStyleOptionViewItem& opcion, const QModelIndex& indice) const override;
    const estilo_marcado& estilo() const { return estilo_; }

private:
    estilo_marcado estilo_;
};

// Cuadro de lista de líneas marcadas; es también la lista de líneas a la que
// escriben los motores.
class lista_marcado : public QListWidget, public lista_lineas {
public:
    explicit lista_marcado(const estilo_marcado& estilo, QWidget* padre = nullptr);
    void agrega(std::string_view linea) override;
    void borra() override;
    std::size_t numero() const override;
    std::string linea(std::size_t i) const override;

private:
    delegado_marcado* delegado_;
};

// Lista de texto simple sobre un QListWidget (registro, traza): cada línea
// Windows-1252 se muestra convertida.
class lista_simple : public lista_lineas {
public:
    explicit lista_simple(QListWidget* lista, bool selecciona_ultima = false)
        : lista_(lista), selecciona_(selecciona_ultima) {}
    void agrega(std::string_view linea) override;
    void borra() override;
    std::size_t numero() const override;
    std::string linea(std::size_t i) const override;

private:
    QListWidget* lista_;
    bool selecciona_;
};

// Texto Windows-1252 a QString y al revés.
QString desde_1252(std::string_view texto);
std::string a_1252(const QString& texto);
