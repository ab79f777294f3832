#include "Unit13.h"

#include "plataforma/fuentes.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace {

// Icono del programa: una llama sobre un émbolo, dibujado aquí mismo.
QPixmap icono()
{
    QPixmap p(32, 32);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setBrush(QColor(0x30, 0x60, 0xB0));
    g.setPen(Qt::NoPen);
    g.drawRect(4, 20, 24, 10);
    g.setBrush(QColor(0xE0, 0x70, 0x10));
    QPolygon llama;
    llama << QPoint(16, 2) << QPoint(24, 14) << QPoint(20, 19) << QPoint(12, 19) << QPoint(8, 14);
    g.drawPolygon(llama);
    return p;
}

} // namespace

TForm13::TForm13()
{
    setWindowTitle(QStringLiteral("Acerca de ZEFIRANT"));
    setModal(false);
    setFixedSize(311, 208);
    auto* imagen = new QLabel(this);
    imagen->setPixmap(icono());
    imagen->setGeometry(12, 12, 32, 32);
    auto* nombre = new QLabel(QStringLiteral("ZEFIRANT"), this);
    nombre->setFont(fuentes::fuente(QStringLiteral("Arial"), 19, true));
    nombre->setGeometry(60, 14, 240, 28);
    auto* creditos = new QLabel(QString::fromUtf8(
                                    "Propiedades termodinámicas de gases perfectos\n"
                                    "y de gases de combustión.\n\n"
                                    "Datos de los gases: polinomios de NASA Glenn\n"
                                    "(NASA/TP-2002-211556).\n"
                                    "Estados, transformaciones y listados de 273 a 5000 K."),
                                this);
    creditos->setGeometry(12, 56, 290, 104);
    creditos->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Button1 = new QPushButton(QStringLiteral("Cerrar"), this);
    Button1->setGeometry(118, 172, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] { hide(); });
}
