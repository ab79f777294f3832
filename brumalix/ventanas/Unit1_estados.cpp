// Página "Estados": los datos de cada estado, su navegación y la lista
// emergente de los estados definidos.
#include "brumalix/ventanas/Unit1.h"
#include "brumalix/ventanas/disposicion.h"
#include "brumalix/ventanas/ventanas.h"

#include "plataforma/lista_marcado.h"

#include "brumalix/motor/estados.h"
#include "brumalix/motor/traza.h"
#include "comun/formato.h"
#include "comun/mensajes.h"
#include "comun/texto1252.h"

#include <QApplication>
#include <QMenuBar>

#include <climits>
#include <cstdlib>

using namespace disposicion;

namespace {

// El valor y la referencia de la propiedad de la fila i de la página.
float& valor_de(estado_agua& e, int i) { return e.*propiedades_estado[i].valor; }
std::int32_t& referencia_de(estado_agua& e, int i) { return e.*propiedades_estado[i].referencia; }

std::int32_t entero_de(const std::string& texto)
{
    long v = std::strtol(texto.c_str(), nullptr, 10);
    if (v > INT_MAX) v = INT_MAX;
    if (v < INT_MIN) v = INT_MIN;
    return static_cast<std::int32_t>(v);
}

// Texto de un valor como se muestra: "%g" con coma decimal.
QString texto_valor(float v)
{
    std::string t = formatea("%g", v);
    cambia_caracter(t, '.', ',');
    return QString::fromStdString(t);
}

} // namespace

std::string datos_estado(const estado_agua& e)
{
    std::string texto;
    for (const propiedad_estado& q : propiedades_estado)
        if (e.*q.valor >= 0) texto += formatea("%s=%g ", q.letra, e.*q.valor);
    for (const propiedad_estado& q : propiedades_estado)
        if (e.*q.referencia >= 0) texto += formatea("%s=[%d] ", q.letra, e.*q.referencia);
    return texto;
}

campo_edicion* TForm1::edit_valor(int i) const
{
    campo_edicion* const e[6] = {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6};
    return e[i];
}

campo_edicion* TForm1::edit_referencia(int i) const
{
    campo_edicion* const e[6] = {Edit7, Edit8, Edit9, Edit10, Edit11, Edit12};
    return e[i];
}

void TForm1::crea_pagina_estados()
{
    QWidget* p = TabSheet1;
    etiqueta(QStringLiteral("Estado"), p, 8, 7);
    Label13 = etiqueta(QStringLiteral("1"), p, 50, 7, true);
    Label13->setFixedWidth(26);
    Label13->setAlignment(Qt::AlignRight);
    etiqueta(QStringLiteral("de"), p, 82, 7);
    Label15 = etiqueta(QStringLiteral("0"), p, 98, 7, true);
    Label15->setFixedWidth(26);
    etiqueta(QStringLiteral("(ir a"), p, 126, 7);
    BitBtn11 = boton_lista(p, 152, 4, 20, 18, QStringLiteral("Lista de estados"));
    etiqueta(QStringLiteral(")"), p, 175, 7);
    etiqueta(QStringLiteral("Ref."), p, 330, 12);

    const char* titulos[7] = {"Presión..............", "Temperatura.....", "Título................",
                              "Vol. específico..", "Entalpía............", "Entropía............", "Caudal"};
    QLabel** unidades[7] = {&Label2, &Label1, nullptr, &Label10, &Label11, &Label12, &Label57};
    campo_edicion** campos[7] = {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6, &Edit28};
    campo_edicion** refs[6] = {&Edit7, &Edit8, &Edit9, &Edit10, &Edit11, &Edit12};
    QToolButton** listas[6] = {&BitBtn1, &BitBtn2, &BitBtn3, &BitBtn4, &BitBtn5, &BitBtn6};
    for (int i = 0; i < 7; ++i) {
        const int y = 28 + 23 * i + (i == 6 ? 4 : 0);
        etiqueta(QString::fromUtf8(titulos[i]), p, 8, y + 3);
        // Los valores admiten 14 caracteres, como el caudal: así ningún texto
        // que pase la comprobación desborda un número de 32 bits.
        *campos[i] = campo(p, 112, y, 116, 14);
        if (unidades[i]) {
            *unidades[i] = etiqueta(QString(), p, 234, y + 3);
            (*unidades[i])->setFixedWidth(90);
        }
        if (i < 6) {
            *refs[i] = campo(p, 326, y, 40, 3);
            *listas[i] = boton_lista(p, 368, y + 1, 20, 18, QStringLiteral("Lista de estados"));
        }
    }
    auto* pista = etiqueta(QString::fromUtf8("Introduzca dos datos de cada estado, así como el caudal, si lo conoce."), p,
                           8, 194, true);
    pista->setFixedWidth(424);

    crea_navegacion(p, {&BitBtn7, &BitBtn8, &BitBtn9, &BitBtn10},
                    {QStringLiteral("Primer estado"), QStringLiteral("Estado anterior"),
                     QStringLiteral("Siguiente/nuevo estado"), QString::fromUtf8("Último estado")},
                    {&TForm1::BitBtn7Click, &TForm1::BitBtn8Click, &TForm1::BitBtn9Click, &TForm1::BitBtn10Click});

    // Orden del tabulador: cada valor con su referencia y, al final, el caudal.
    QWidget* orden[] = {Edit1, Edit7, Edit2, Edit8, Edit3, Edit9, Edit4, Edit10, Edit5, Edit11, Edit6, Edit12, Edit28};
    for (std::size_t k = 0; k + 1 < std::size(orden); ++k) QWidget::setTabOrder(orden[k], orden[k + 1]);

    for (int i = 0; i < 6; ++i) {
        campo_edicion* valor = edit_valor(i);
        valor->al_salir = [this, valor, i] { sale_de_campo(valor, 1, &valor_de(estados_dato[estado_actual], i)); };
        campo_edicion* ref = edit_referencia(i);
        ref->al_salir = [this, ref, i] { sale_de_campo(ref, 0, &referencia_de(estados_dato[estado_actual], i)); };
        connect(*listas[i], &QToolButton::clicked, this, [this, ref] {
            campo_destino = ref;
            modo_lista = 2;
            muestra_lista_estados();
        });
    }
    Edit28->al_salir = [this] { sale_de_campo(Edit28, 1, &estados_dato[estado_actual].caudal); };
    connect(BitBtn11, &QToolButton::clicked, this, [this] { BitBtn11Click(); });
}

void TForm1::limpia_campo(campo_edicion* edit)
{
    std::string texto = a_1252(edit->text());
    recorta_blancos(texto);
    const QString limpio = desde_1252(texto);
    if (limpio != edit->text()) edit->setText(limpio);
}

int TForm1::lee_campo_numerico(campo_edicion* edit, int real, void* destino)
{
    if (real) return edit->lee_real(campos::valor, *static_cast<float*>(destino)) ? 1 : 0;
    return edit->lee_entero(campos::referencia, *static_cast<std::int32_t*>(destino)) ? 1 : 0;
}

void TForm1::sale_de_campo(campo_edicion* edit, int real, void* destino)
{
    limpia_campo(edit);
    // Un campo oculto deja paso a otra página (el cambio guarda la página
    // entera); el menú y el clic en un botón de navegación la leen también.
    QWidget* foco = QApplication::focusWidget();
    const bool clic_en_navegacion = QApplication::mouseButtons() != Qt::NoButton &&
                                    (foco == BitBtn7 || foco == BitBtn8 || foco == BitBtn9 || foco == BitBtn10);
    if (edit->isVisible() && !qobject_cast<QMenuBar*>(foco) && !clic_en_navegacion) {
        lee_campo_numerico(edit, real, destino);
        return;
    }
    // Se guarda si vale, como siempre que se deja un campo, pero sin mensaje.
    float v = 0;
    std::int32_t n = 0;
    const lectura_campo l = real ? edit->valor_real(campos::valor, v) : edit->valor_entero(campos::referencia, n);
    if (l == lectura_campo::vacio) {
        v = -1;
        n = -1;
    } else if (l != lectura_campo::valido) {
        return;
    }
    if (real) *static_cast<float*>(destino) = v;
    else *static_cast<std::int32_t*>(destino) = n;
}

bool TForm1::lee_estado()
{
    // Se lee en una copia: un campo rechazado no deja el estado a medias.
    estado_agua e = estados_dato[estado_actual];
    for (int i = 0; i < 6; ++i) {
        if (!lee_campo_numerico(edit_valor(i), 1, &valor_de(e, i))) return false;
        if (!lee_campo_numerico(edit_referencia(i), 0, &referencia_de(e, i))) return false;
    }
    if (!lee_campo_numerico(Edit28, 1, &e.caudal)) return false;
    estados_dato[estado_actual] = e;
    return true;
}

void TForm1::borra_campos_estado()
{
    for (int i = 0; i < 6; ++i) {
        edit_valor(i)->clear();
        edit_referencia(i)->clear();
    }
    Edit28->clear();
}

void TForm1::muestra_estado()
{
    borra_campos_estado();
    const estado_agua& e = estados_dato[estado_actual];
    for (int i = 0; i < 6; ++i) {
        const float v = e.*propiedades_estado[i].valor;
        const std::int32_t r = e.*propiedades_estado[i].referencia;
        if (v >= 0) edit_valor(i)->muestra_valor(v, texto_valor(v));
        if (r >= 0) edit_referencia(i)->setText(QString::number(r));
    }
    if (e.caudal >= 0) Edit28->muestra_valor(e.caudal, texto_valor(e.caudal));
    Label13->setText(QString::number(estado_actual + 1));
    Label15->setText(QString::number(numero_estados()));
}

void TForm1::habilita_botones_estados()
{
    BitBtn7->setEnabled(estado_actual > 0);
    BitBtn8->setEnabled(estado_actual > 0);
    BitBtn9->setEnabled(true);
    BitBtn10->setEnabled(estado_actual < numero_estados());
    if (estado_actual == MAXNUMESTADOS - 1) {
        BitBtn9->setEnabled(false);
        BitBtn10->setEnabled(false);
    }
    Edit1->setFocus();
}

void TForm1::BitBtn7Click()
{
    if (!lee_estado()) return;
    estado_actual = 0;
    muestra_estado();
    habilita_botones_estados();
}

void TForm1::BitBtn8Click()
{
    if (estado_actual <= 0) return;
    if (!lee_estado()) return;
    --estado_actual;
    muestra_estado();
    habilita_botones_estados();
}

void TForm1::BitBtn9Click()
{
    if (estado_actual >= MAXNUMESTADOS - 1) {
        muestra_error("%s", "Ya ha definido el número máximo de estados"_w);
        return;
    }
    if (cuenta_datos(estados_dato[estado_actual], 0) == 0) {
        muestra_error("No ha introducido nada en este estado");
        Edit1->setFocus();
        return;
    }
    if (!lee_estado()) return;
    ++estado_actual;
    if (estado_actual > ultimo_estado) ultimo_estado = estado_actual;
    muestra_estado();
    habilita_botones_estados();
}

void TForm1::BitBtn10Click()
{
    if (!lee_estado()) return;
    // Sin estados definidos no hay último: se queda en el primero.
    const int n = numero_estados();
    estado_actual = n > 0 ? n - 1 : 0;
    muestra_estado();
    habilita_botones_estados();
}

void TForm1::BitBtn11Click()
{
    modo_lista = 1;
    muestra_lista_estados();
}

void TForm1::muestra_lista_estados()
{
    const int n = numero_estados();
    if (n < 1) {
        muestra_error("No hay estados definidos");
        return;
    }
    ListBox1->clear();
    ListBox1->addItem(QStringLiteral("<CERRAR>"));
    for (int i = 0; i < n; ++i) {
        ListBox1->addItem(desde_1252(formatea("%03d: ", i + 1) + datos_estado(estados_dato[i])));
    }
    ListBox1->setCurrentRow(-1);
    abre_panel(Panel1, ListBox1);
}

void TForm1::ListBox1Click(int fila)
{
    cierra_panel(Panel1);
    if (fila <= 0 || fila >= ListBox1->count()) return;
    std::string texto = a_1252(ListBox1->item(fila)->text());
    texto = texto.substr(0, texto.find(' '));
    const int k = entero_de(texto);
    switch (modo_lista) {
    case 1:
        if (!lee_estado()) break;
        estado_actual = fila - 1;
        muestra_estado();
        habilita_botones_estados();
        break;
    case 2:
        if (!campo_destino) break;
        campo_destino->setText(QString::number(k));
        for (int i = 0; i < 6; ++i)
            if (campo_destino == edit_referencia(i))
                lee_campo_numerico(campo_destino, 0, &referencia_de(estados_dato[estado_actual], i));
        campo_destino->setFocus();
        break;
    case 3:
        if (!campo_destino) break;
        campo_destino->setText(campo_destino->text() + QString::number(k));
        campo_destino->setFocus();
        break;
    default:
        break;
    }
}
