#include "plataforma/acerca_de.h"
#include "plataforma/fuentes.h"

#include <QLabel>
#include <QPainter>

QPixmap icono_dibujado(const std::function<void(QPainter&)>& dibuja)
{
    QPixmap p(32, 32);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    dibuja(g);
    return p;
}

caja_acerca_de::caja_acerca_de(const QString& producto, const QString& fuente_producto, QSize tamano,
                               const QPixmap& icono, const QString& creditos, int alto_creditos, QPoint boton)
{
    setWindowTitle(QStringLiteral("Acerca de ") + producto);
    setModal(false);
    setFixedSize(tamano);
    auto* imagen = new QLabel(this);
    imagen->setPixmap(icono);
    imagen->setGeometry(12, 12, 32, 32);
    auto* nombre = new QLabel(producto, this);
    nombre->setFont(fuentes::fuente(fuente_producto, 19, true));
    nombre->setGeometry(60, 14, tamano.width() - 72, 28);
    auto* texto = new QLabel(creditos, this);
    texto->setGeometry(12, 56, 290, alto_creditos);
    texto->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Button1 = new QPushButton(QStringLiteral("Cerrar"), this);
    Button1->setGeometry(QRect(boton, QSize(75, 25)));
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] { hide(); });
}
