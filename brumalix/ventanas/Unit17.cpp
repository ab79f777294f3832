#include "Unit17.h"

#include "plataforma/fuentes.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Icono del programa: una gota sobre unas ondas de vapor, dibujado aquí.
QPixmap icono()
{
    QPixmap p(32, 32);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
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
    return p;
}

} // namespace

TAbout::TAbout()
{
    setWindowTitle(QStringLiteral("Acerca de BRUMALIX"));
    setModal(false);
    setFixedSize(308, 219);
    auto* imagen = new QLabel(this);
    imagen->setPixmap(icono());
    imagen->setGeometry(12, 12, 32, 32);
    auto* nombre = new QLabel(QStringLiteral("BRUMALIX"), this);
    nombre->setFont(fuentes::fuente(QStringLiteral("MS Sans Serif"), 19, true));
    nombre->setGeometry(60, 14, 236, 28);
    auto* creditos = new QLabel(QString::fromUtf8(
                                    "Propiedades termodinámicas del agua\n"
                                    "líquida y del vapor.\n\n"
                                    "Tablas de saturación y de líquido y vapor\n"
                                    "sobrecalentado (0 a 800 °C, 0,02 a 240 bar)\n"
                                    "calculadas con IAPWS-IF97.\n"
                                    "Estados, equipos y balances de masa y energía."),
                                this);
    creditos->setGeometry(12, 56, 290, 116);
    creditos->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Button1 = new QPushButton(QStringLiteral("Cerrar"), this);
    Button1->setGeometry(116, 182, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] { hide(); });
}
