#include "brumalix/ventanas/Unit17.h"
#include "brumalix/ventanas/ventanas.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// Icono del programa: una gota sobre unas ondas de vapor.
void dibuja_icono(QPainter& g)
{
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0x20, 0x70, 0xC0));
    QPainterPath gota;
    gota.moveTo(16, 2);
    gota.cubicTo(24, 12, 26, 18, 16, 24);
    gota.cubicTo(6, 18, 8, 12, 16, 2);
    g.drawPath(gota);
    g.setPen(QPen(QColor(0x90, 0x90, 0x90), 2));
    g.setBrush(Qt::NoBrush);
    for (int k = 0; k < 2; ++k) {
        QPainterPath onda;
        onda.moveTo(3, 27 + 3 * k);
        onda.cubicTo(9, 24 + 3 * k, 13, 30 + 3 * k, 19, 27 + 3 * k);
        onda.cubicTo(24, 24 + 3 * k, 27, 29 + 3 * k, 30, 27 + 3 * k);
        g.drawPath(onda);
    }
}

const char* const CREDITOS =
    "Propiedades termodinámicas del agua\nlíquida y del vapor.\n\n"
    "Tablas de saturación y de líquido y vapor\nsobrecalentado (0 a 800 °C, 0,02 a 240 bar)\ncalculadas con IAPWS-IF97.\n"
    "Estados, equipos y balances de masa y energía.";

} // namespace

TAbout* About = nullptr;

TAbout::TAbout()
    : caja_acerca_de(QStringLiteral("BRUMALIX"), QStringLiteral("MS Sans Serif"), QSize(308, 219),
                     icono_dibujado(dibuja_icono), QString::fromUtf8(CREDITOS), 116, QPoint(116, 182))
{
}
