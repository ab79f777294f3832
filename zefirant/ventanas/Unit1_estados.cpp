// Página "Estados" de la ventana principal.
#include "zefirant/ventanas/Unit1.h"
#include "zefirant/ventanas/ventanas.h"

#include "plataforma/disposicion.h"
#include "plataforma/lista_marcado.h"

#include "comun/formato.h"
#include "comun/mensajes.h"
#include "zefirant/motor/problema.h"
#include "zefirant/motor/solucion.h"

#include <QFrame>
#include <QLabel>

#include <cstdlib>

using disposicion::campo_simple;
using disposicion::etiqueta;

namespace {

QPushButton* boton(const QString& texto, const QString& pista, QWidget* padre, int x, int y, int ancho = 40)
{
    auto* b = new QPushButton(texto, padre);
    b->setGeometry(x, y, ancho, 25);
    b->setToolTip(pista);
    return b;
}

} // namespace

campo_edicion* TForm1::edit_valor(int i) const
{
    campo_edicion* const e[9] = {Edit10, Edit11, Edit12, Edit13, Edit14, Edit15, Edit16, Edit17, Edit18};
    return e[i];
}

campo_edicion* TForm1::edit_referencia(int i) const
{
    campo_edicion* const e[6] = {Edit19, Edit20, Edit21, Edit22, Edit23, Edit24};
    return e[i];
}

void TForm1::crea_pagina_estados()
{
    QWidget* p = TabSheet2;
    etiqueta(QStringLiteral("Estado "), p, 12, 11);
    ComboBox2 = new lista_desplegable(p);
    ComboBox2->setGeometry(56, 8, 52, 21);
    ComboBox2->al_cambiar = [this] { ComboBox2Change(); };
    etiqueta(QStringLiteral("de"), p, 116, 11);
    Label29 = etiqueta(QStringLiteral("0"), p, 134, 11);
    Label29->setFixedWidth(20);
    etiqueta(QStringLiteral("definidos"), p, 156, 11);
    Label20 = etiqueta(QStringLiteral("Estado definido en"), p, 330, 6);
    Label53 = etiqueta(QString::fromUtf8("función del anterior."), p, 330, 20);
    Label20->hide();
    Label53->hide();
    Label48 = etiqueta(QString(), p, 230, 11);
    Label48->hide();

    const char* titulos[7] = {"Presión", "Temperatura", "Vol. específico", "Energía interna", "Entalpía",
                              "Entropía", "Exp. politrópico"};
    QLabel** unidades[6] = {&Label35, &Label36, &Label37, &Label38, &Label39, &Label40};
    campo_edicion** valores[7] = {&Edit10, &Edit11, &Edit12, &Edit13, &Edit14, &Edit15, &Edit16};
    campo_edicion** referencias[6] = {&Edit19, &Edit20, &Edit21, &Edit22, &Edit23, &Edit24};
    for (int i = 0; i < 7; ++i) {
        int y = 38 + 24 * i;
        etiqueta(QString::fromUtf8(titulos[i]), p, 12, y + 3);
        *valores[i] = campo_simple(p, 104, y, 84);
        if (i < 6) {
            *unidades[i] = etiqueta(QString(), p, 194, y + 3);
            (*unidades[i])->setFixedWidth(80);
            *referencias[i] = campo_simple(p, 276, y, 30);
        }
    }
    etiqueta(QStringLiteral("Ref."), p, 280, 24);
    Label41 = etiqueta(QStringLiteral("(273-5000 K)"), p, 312, 65);

    auto* panel = new QFrame(p);
    panel->setGeometry(104, 206, 370, 48);
    Panel3 = panel;
    etiqueta(QString::fromUtf8("Combustión a volumen Cte."), panel, 0, 3);
    Edit17 = campo_simple(panel, 160, 0, 60);
    etiqueta(QStringLiteral("Tanto por uno"), panel, 226, 3);
    etiqueta(QString::fromUtf8("Combustión a presión Cte."), panel, 0, 27);
    Edit18 = campo_simple(panel, 160, 24, 60);
    etiqueta(QStringLiteral("Tanto por uno"), panel, 226, 27);
    Panel3->hide();

    Button3 = boton(QStringLiteral("|<"), QStringLiteral("Primer estado"), p, 320, 100);
    Button4 = boton(QStringLiteral("<"), QStringLiteral("Estado anterior"), p, 364, 100);
    Button5 = boton(QStringLiteral("Ok, >"), QStringLiteral("Aceptar/Estado nuevo/siguiente"), p, 320, 130, 84);
    Button6 = boton(QStringLiteral(">|"), QStringLiteral("Ultimo estado"), p, 408, 100);
    Button11 = boton(QStringLiteral("Ayuda"), QString(), p, 408, 130, 60);
    // Orden del tabulador: la columna de valores, las fracciones de calor y
    // después las referencias.
    QWidget* orden[] = {Edit10, Edit11, Edit12, Edit13, Edit14, Edit15, Edit16, Edit17, Edit18,
                        Edit19, Edit20, Edit21, Edit22, Edit23, Edit24, Button5};
    for (std::size_t k = 0; k + 1 < std::size(orden); ++k) QWidget::setTabOrder(orden[k], orden[k + 1]);
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    connect(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });
    connect(Button11, &QPushButton::clicked, this, [this] { Ayuda2Click(); });
}

void TForm1::borra_campos_estado()
{
    for (int i = 0; i < 9; ++i) edit_valor(i)->clear();
    for (int i = 0; i < 6; ++i) edit_referencia(i)->clear();
}

void TForm1::habilita_navegacion()
{
    Button3->setEnabled(estado_actual > 0);
    Button4->setEnabled(estado_actual > 0);
    Button5->setEnabled(estado_actual < MAXESTADOS);
    Button6->setEnabled(estado_actual < estados_definidos - 1 && estado_actual < MAXESTADOS);
}

void TForm1::muestra_estado()
{
    borra_campos_estado();
    ComboBox2->setCurrentIndex(estado_actual);
    const estado& e = problema_actual->datos[estado_actual];
    for (int i = 0; i < 9; ++i) {
        if (e.prop[i] >= 0) {
            std::string t = formatea("%g", e.prop[i]);
            cambia_caracter(t, '.', ',');
            edit_valor(i)->muestra_valor(e.prop[i], QString::fromStdString(t));
        }
    }
    for (int i = 0; i < 6; ++i)
        if (e.referencia[i] >= 0) edit_referencia(i)->setText(QString::number(e.referencia[i]));
    const bool preparado = e.marca == 1;
    Label20->setVisible(preparado);
    Label53->setVisible(preparado);
    // Un estado preparado no se edita, pero sus valores se leen como los de
    // los campos deshabilitados de la página del gas.
    for (int i = 0; i < 9; ++i) edit_valor(i)->habilita(!preparado);
    for (int i = 0; i < 6; ++i) edit_referencia(i)->habilita(!preparado);
    habilita_navegacion();
    if (PageControl1->currentWidget() == TabSheet2 && !preparado) Edit10->setFocus();
}

bool TForm1::lee_estado()
{
    // Se lee en una copia: un campo rechazado no deja el estado a medias.
    estado copia = problema_actual->datos[estado_actual];
    for (int i = 0; i < 9; ++i) {
        const regla_campo& regla = i == E_XV || i == E_XP ? campos::fraccion : campos::valor;
        if (!lee_campo_numerico(edit_valor(i), 1, &copia.prop[i], regla)) return false;
    }
    if (copia.prop[E_POLI] == -1.0f) copia.prop[E_POLI] = NO_POLI;
    // Cualquier número de estado vale como referencia (uno que no existe lo
    // rechaza el cálculo); sólo se rechaza el que no cabe en los 16 bits con
    // que el fichero de problema guarda las referencias, que se guardaría
    // cambiado.
    for (int i = 0; i < 6; ++i)
        if (!lee_campo_numerico(edit_referencia(i), 0, &copia.referencia[i], campos::referencia)) return false;
    problema_actual->datos[estado_actual] = copia;
    return true;
}

void TForm1::avanza()
{
    ++estado_actual;
    if (estados_definidos < estado_actual) {
        ++estados_definidos;
        Label29->setText(QString::number(estados_definidos));
        ComboBox2->addItem(QString::number(estados_definidos + 1));
    }
}

void TForm1::rehace_preparados()
{
    const int quedan = rehace_estados_preparados(*problema_actual, estados_definidos);
    if (quedan == estados_definidos) return;
    // El último estado era uno preparado que ya no sigue a nadie: deja de
    // contar, como antes de que se preparara.
    estados_definidos = quedan;
    problema_actual->num_estados = static_cast<std::uint8_t>(quedan);
    Label29->setText(QString::number(estados_definidos));
    while (ComboBox2->count() > estados_definidos + 1) ComboBox2->removeItem(ComboBox2->count() - 1);
    if (estado_actual > estados_definidos) estado_actual = estados_definidos;
}

void TForm1::Button5Click()
{
    if (estado_actual >= MAXESTADOS) return;
    Configurarunidades1->setEnabled(false);
    RadioGroup1->setEnabled(false);
    RadioGroup2->setEnabled(false);
    Panel2->setEnabled(false);
    modificado = 1;
    // Un campo con sólo blancos está vacío.
    auto con_texto = [](const campo_edicion* e) { return e->text().count(QLatin1Char(' ')) != e->text().size(); };
    bool alguno = false;
    for (int i = 0; i < 9; ++i) alguno = alguno || con_texto(edit_valor(i));
    for (int i = 0; i < 6; ++i) alguno = alguno || con_texto(edit_referencia(i));
    if (!alguno) return;
    if (!lee_estado()) return;
    // El estado siguiente se prepara con el resto del calor de éste si aún no
    // está definido, si está vacío (uno preparado que quedó libre) o si es él
    // mismo un estado preparado; uno que tecleó el usuario nunca se
    // sobrescribe.
    bool preparado = false;
    if (estado_actual < MAXESTADOS - 1) {
        const estado& siguiente = problema_actual->datos[estado_actual + 1];
        if (estado_actual + 1 >= estados_definidos || siguiente.marca == 1 || cuenta_datos(siguiente, 0) == 0)
            preparado = completa_fraccion_siguiente(*problema_actual, estado_actual) != 0;
    }
    if (preparado) avanza();
    avanza();
    if (preparado) --estado_actual;
    rehace_preparados();
    muestra_estado();
}

void TForm1::Button3Click()
{
    estado_actual = 0;
    muestra_estado();
}

void TForm1::Button4Click()
{
    if (estado_actual > 0) {
        --estado_actual;
        muestra_estado();
    }
}

void TForm1::Button6Click()
{
    if (estados_definidos > 0) {
        estado_actual = estados_definidos - 1;
        muestra_estado();
    }
}

void TForm1::ComboBox2Change()
{
    int i = ComboBox2->currentIndex();
    if (i < 0) return;
    estado_actual = i;
    muestra_estado();
}
