#include "zefirant/ventanas/Unit13.h"
#include "zefirant/ventanas/ventanas.h"

#include <QPainter>

namespace {

// Icono del programa: una llama sobre un émbolo.
void dibuja_icono(QPainter& g)
{
    g.setBrush(QColor(0x30, 0x60, 0xB0));
    g.setPen(Qt::NoPen);
    g.drawRect(4, 20, 24, 10);
    g.setBrush(QColor(0xE0, 0x70, 0x10));
    QPolygon llama;
    llama << QPoint(16, 2) << QPoint(24, 14) << QPoint(20, 19) << QPoint(12, 19) << QPoint(8, 14);
    g.drawPolygon(llama);
}

const char* const CREDITOS =
    "Propiedades termodinámicas de gases perfectos\ny de gases de combustión.\n\n"
    "Datos de los gases: polinomios de NASA Glenn\n(NASA/TP-2002-211556).\n"
    "Estados, transformaciones y listados de 273 a 5000 K.";

} // namespace

TForm13* Form13 = nullptr;

TForm13::TForm13()
    : caja_acerca_de(QStringLiteral("ZEFIRANT"), QStringLiteral("Arial"), QSize(311, 208), icono_dibujado(dibuja_icono),
                     QString::fromUtf8(CREDITOS), 104, QPoint(118, 172))
{
}
