// Controles colocados en píxeles, como los da el diseño de cada ventana.
#pragma once

#include "plataforma/controles.h"

#include <QLabel>

namespace disposicion {

// Ventana de borde fijo, con menú de sistema, minimizar y cerrar, del
// tamaño de su diseño.
inline void ventana_fija(QWidget* ventana, const QString& titulo, QSize tamano)
{
    ventana->setWindowTitle(titulo);
    ventana->setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    ventana->setFixedSize(tamano);
}

// Rótulo en (x, y), del ancho de su texto.
inline QLabel* etiqueta(const QString& texto, QWidget* padre, int x, int y, bool negrita = false)
{
    auto* l = new QLabel(texto, padre);
    if (negrita) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    l->move(x, y);
    l->adjustSize();
    return l;
}

// Campo de edición en (x, y) de 'ancho' por 'alto'.
inline campo_edicion* campo_simple(QWidget* padre, int x, int y, int ancho, int alto = 21)
{
    auto* e = new campo_edicion(padre);
    e->setGeometry(x, y, ancho, alto);
    return e;
}

} // namespace disposicion
