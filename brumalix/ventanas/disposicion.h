// Piezas de las ventanas de BRUMALIX colocadas en píxeles, como las da el
// diseño de cada formulario.
#pragma once

#include "plataforma/controles.h"
#include "plataforma/disposicion.h"
#include "plataforma/fuentes.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>

namespace disposicion {

// El rótulo es el común a las ventanas (plataforma/disposicion.h).

// Campo en Courier, como los de los datos de la ventana principal.
inline campo_edicion* campo(QWidget* padre, int x, int y, int ancho, int largo_maximo = 0)
{
    auto* e = new campo_edicion(padre);
    e->setGeometry(x, y, ancho, 20);
    e->setFont(fuentes::fuente(QStringLiteral("Courier New"), 13));
    if (largo_maximo > 0) e->setMaxLength(largo_maximo);
    return e;
}

// Botón de navegación con su rótulo en negrita y su pista.
inline QPushButton* boton(const QString& texto, const QString& pista, QWidget* padre, int x, int y, int ancho = 36,
                          int alto = 24)
{
    auto* b = new QPushButton(texto, padre);
    QFont f = b->font();
    f.setBold(true);
    b->setFont(f);
    b->setGeometry(x, y, ancho, alto);
    b->setToolTip(pista);
    return b;
}

// Botón pequeño con el dibujo de una lista, que no es parada del tabulador.
inline QToolButton* boton_lista(QWidget* padre, int x, int y, int ancho = 20, int alto = 18,
                                const QString& pista = QString())
{
    auto* b = new QToolButton(padre);
    b->setGeometry(x, y, ancho, alto);
    b->setFocusPolicy(Qt::ClickFocus);
    b->setToolTip(pista);
    QPixmap dibujo(12, 10);
    dibujo.fill(Qt::transparent);
    {
        QPainter p(&dibujo);
        p.setPen(QColor(0, 0, 0x80));
        for (int k = 0; k < 3; ++k) {
            p.drawPoint(1, 1 + 3 * k);
            p.drawLine(4, 1 + 3 * k, 10, 1 + 3 * k);
        }
    }
    b->setIcon(QIcon(dibujo));
    b->setIconSize(QSize(12, 10));
    return b;
}

} // namespace disposicion
