// Página "Listados" de la ventana principal: pide el listado de propiedades.
#include "zefirant/ventanas/Unit1.h"
#include "zefirant/ventanas/Unit5.h"
#include "zefirant/ventanas/ventanas.h"

#include "plataforma/disposicion.h"
#include "plataforma/lista_marcado.h"

#include "comun/mensajes.h"
#include "comun/texto1252.h"
#include "zefirant/motor/listado.h"

#include <QFrame>
#include <QLabel>

using disposicion::etiqueta;

void TForm1::crea_pagina_listados()
{
    auto* panel = new QFrame(TabSheet4);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(8, 8, 466, 246);
    Label2 = etiqueta(QString(), panel, 12, 8);
    QFont negrita = Label2->font();
    negrita.setBold(true);
    Label2->setFont(negrita);
    Label2->hide();
    etiqueta(QString::fromUtf8("Propiedades termodinámicas en estado de gas perfecto entre "), panel, 12, 30);
    Label49 = etiqueta(QStringLiteral("T=273 y T=5000 K"), panel, 12, 48);
    Label49->setFixedWidth(200);
    Label11 = etiqueta(QString(), panel, 12, 66);
    Label11->setFixedWidth(300);
    etiqueta(QStringLiteral("T inferior (K)"), panel, 12, 97);
    Edit1 = new campo_edicion(panel);
    Edit1->setGeometry(150, 94, 70, 21);
    etiqueta(QStringLiteral("T superior (K)"), panel, 12, 125);
    Edit2 = new campo_edicion(panel);
    Edit2->setGeometry(150, 122, 70, 21);
    etiqueta(QStringLiteral("Intervalo (K)"), panel, 12, 153);
    ComboBox1 = new lista_desplegable(panel);
    ComboBox1->addItems({QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("100")});
    ComboBox1->setGeometry(150, 150, 70, 21);
    etiqueta(QString::fromUtf8("Líneas por página al imprimir:"), panel, 12, 185);
    Edit26 = new campo_edicion(panel);
    Edit26->setGeometry(190, 182, 40, 21);
    Edit26->setText(QStringLiteral("50"));
    Button1 = new QPushButton(QStringLiteral("Aceptar"), panel);
    Button1->setGeometry(370, 212, 75, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Preview"), panel);
    Button2->setGeometry(290, 212, 75, 25);
    Button2->hide();
    connect(Button1, &QPushButton::clicked, this, [this] { lanza_listado(); });
    connect(Button2, &QPushButton::clicked, this, [this] { lanza_listado(); });
    for (campo_edicion* e : {Edit1, Edit2, Edit26}) connect(e, &QLineEdit::returnPressed, this, [this] { lanza_listado(); });
}

void TForm1::TabSheet4Enter()
{
    Label2->setText(desde_1252(c_gas.nombre));
    Label11->clear();
    if (gas_hasta_1500(c_gas.tipo)) {
        Label11->setText(QString::fromUtf8("T máxima para Metano y Amoniaco: 1500 K"));
        Edit2->setText(QStringLiteral("1500"));
    } else {
        Edit2->setText(QStringLiteral("5000"));
    }
}

void TForm1::lanza_listado()
{
    // Las temperaturas son números enteros de kelvin, con signo y blancos
    // si se quiere; un campo vacío vale 0. Un texto que no es un número da
    // "Valor del campo incorrecto" y un número fuera de su margen el mensaje
    // de su límite. Un límite superior de 0 pasa, como uno inferior mayor
    // que el superior: el listado sale sin filas. Las líneas por página sólo
    // se leen al imprimir.
    const forma_numero forma{.signo = true, .blancos = true};
    const regla_campo minima{.forma = forma, .minimo = 273, .maximo = 2147483647,
                             .mensaje_margen = "Temperatura mínima incorrecta"_w};
    const regla_campo maxima{.forma = forma, .maximo = gas_hasta_1500(c_gas.tipo) ? 1500.0 : 5000.0,
                             .mensaje_margen = "Temperatura máxima incorrecta"_w};
    static constexpr int pasos[4] = {10, 20, 50, 100};
    if (ComboBox1->currentIndex() >= 0 && ComboBox1->currentIndex() < 4) intervalo_listado = pasos[ComboBox1->currentIndex()];
    auto lee_limite = [this](campo_edicion* campo, const regla_campo& regla, std::int32_t& destino) {
        std::int32_t v = 0;
        if (campo->valor_entero(regla, v) != lectura_campo::vacio)
            return lee_campo_numerico(campo, 0, &destino, regla) != 0;
        if (regla.minimo > 0) {
            muestra_error("%s", regla.mensaje_margen);
            campo->recupera_foco();
            return false;
        }
        destino = 0;
        return true;
    };
    std::int32_t t_min = 0, t_max = 0;
    if (!lee_limite(Edit1, minima, t_min) || !lee_limite(Edit2, maxima, t_max)) return;
    t_min_listado = t_min;
    t_max_listado = t_max;
    // La tabla del gas debe ser la del gas elegido.
    if (!asegura_gas()) return;
    if (!carga_propiedades(c_gas)) {
        muestra_error("No hay memoria");
        return;
    }
    Form5->lanza();
}

int TForm1::lineas_por_pagina_impresas()
{
    // Vacío, menos de 1 o un texto que no es un número del campo: las
    // líneas de omisión, sin aviso.
    std::int32_t lineas = 0;
    if (Edit26->valor_entero(campos::lineas, lineas) != lectura_campo::valido || lineas < 1) return 45;
    return lineas;
}
