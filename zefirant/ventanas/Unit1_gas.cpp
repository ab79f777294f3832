// Página "Seleccionar gas" de la ventana principal.
#include "zefirant/ventanas/Unit1.h"
#include "zefirant/ventanas/Unit14.h"
#include "zefirant/ventanas/ventanas.h"

#include "plataforma/disposicion.h"
#include "plataforma/lista_marcado.h"

#include "comun/factores_unidades.h"
#include "comun/formato.h"
#include "comun/mensajes.h"
#include "comun/texto1252.h"
#include "zefirant/motor/combustible.h"
#include "zefirant/motor/gases.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>

#include <cstring>

using disposicion::campo_simple;
using disposicion::etiqueta;

namespace {

// Valor de un campo mientras se escribe, sin avisar: falso si el texto no es
// un número del campo; vacío vale 0.
bool valor_de(const campo_edicion* e, double& valor)
{
    float v = 0;
    switch (e->valor_real(campos::valor, v)) {
    case lectura_campo::vacio:
        valor = 0;
        return true;
    case lectura_campo::valido:
        valor = v;
        return true;
    case lectura_campo::incorrecto:
    case lectura_campo::fuera_de_margen:
        break;
    }
    return false;
}

void copia_nombre(propiedades_gas& g, const std::string& nombre)
{
    std::memset(g.nombre, 0, sizeof g.nombre);
    std::strncpy(g.nombre, nombre.c_str(), sizeof g.nombre - 1);
}

} // namespace

void TForm1::crea_pagina_gas()
{
    QWidget* p = TabSheet1;
    RadioGroup1 = new grupo_radio(QStringLiteral("GASES"),
                                  {QStringLiteral("Aire"), QString::fromUtf8("Hidrógeno"), QString::fromUtf8("Oxígeno"),
                                   QString::fromUtf8("Nitrógeno"), QStringLiteral("Vapor de agua"),
                                   QString::fromUtf8("Monóxido de carbono"), QString::fromUtf8("Dióxido de carbono"),
                                   QStringLiteral("Metano"), QStringLiteral("Amoniaco"),
                                   QString::fromUtf8("Gases de Combustión...")},
                                  1, p);
    RadioGroup1->setGeometry(8, 6, 160, 248);
    RadioGroup1->pon_indice_sin_evento(0);
    RadioGroup1->al_pulsar = [this] { RadioGroup1Click(); };
    RadioGroup2 = new grupo_radio(QString(), {QStringLiteral("Gasolina"), QString::fromUtf8("Gasóleo"), QStringLiteral("Otros...")}, 3, p);
    RadioGroup2->setGeometry(176, 6, 300, 34);
    RadioGroup2->pon_indice_sin_evento(0);
    RadioGroup2->al_pulsar = [this] { RadioGroup2Click(); };

    auto* panel = new QFrame(p);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(176, 46, 300, 208);
    Panel2 = panel;
    etiqueta(QStringLiteral("Combustible"), panel, 8, 11);
    Edit3 = campo_simple(panel, 104, 8, 140);
    Edit3->setMaxLength(19);
    etiqueta(QStringLiteral("Carbono "), panel, 8, 39);
    Edit4 = campo_simple(panel, 104, 36, 60);
    etiqueta(QString::fromUtf8("Hidrógeno"), panel, 8, 67);
    Edit5 = campo_simple(panel, 104, 64, 60);
    etiqueta(QStringLiteral("kg/kg combustible"), panel, 172, 53);
    Label10 = etiqueta(QString::fromUtf8("Aire mínimo combustión:"), panel, 8, 93);
    Label10->setFixedWidth(284);
    etiqueta(QStringLiteral("Humedad"), panel, 8, 117);
    Edit7 = campo_simple(panel, 104, 114, 60);
    etiqueta(QStringLiteral("kg agua/kg combustible"), panel, 172, 117);
    etiqueta(QString::fromUtf8("Poder calorífico, Hu :"), panel, 8, 145);
    Edit6 = campo_simple(panel, 120, 142, 50);
    etiqueta(QStringLiteral("kcal/kg ="), panel, 174, 145);
    Edit8 = campo_simple(panel, 222, 142, 46);
    etiqueta(QStringLiteral("kJ/kg"), panel, 270, 145);
    etiqueta(QString::fromUtf8("Proporción de aire "), panel, 8, 177);
    Edit9 = campo_simple(panel, 120, 174, 56);
    Label19 = etiqueta(QStringLiteral("(desde 0,6)"), panel, 184, 177);
    Label19->setFixedWidth(100);

    Edit4->al_salir = [this] { Edit4Exit(); };
    Edit5->al_salir = [this] { Edit5Exit(); };
    Edit7->al_salir = [this] { Edit7Exit(); };
    Edit9->al_salir = [this] { Edit9Exit(); };
    Edit4->al_cambiar = [this] { Edit4Change(); };
    Edit5->al_cambiar = [this] { Edit4Change(); };
    Edit6->al_cambiar = [this] { Edit6Change(); };
    Edit8->al_cambiar = [this] { Edit8Change(); };
    // Cualquier cambio en la página deja la tabla del gas por cargar.
    for (campo_edicion* e : {Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9})
        connect(e, &QLineEdit::textEdited, this, [this] { gas_al_dia = false; });
}

void TForm1::habilita_campo(campo_edicion* edit) { edit->habilita(edit->isEnabled()); }

void TForm1::RadioGroup1Click()
{
    gas_al_dia = false;
    RadioGroup2->setVisible(RadioGroup1->indice() == OPCION_COMBUSTION);
    selecciona_gas(RadioGroup1->indice() < OPCION_COMBUSTION ? RadioGroup1->indice()
                                                             : GAS_GASOLINA + RadioGroup2->indice());
}

void TForm1::RadioGroup2Click()
{
    gas_al_dia = false;
    selecciona_gas(GAS_GASOLINA + RadioGroup2->indice());
}

void TForm1::selecciona_gas(int tipo)
{
    gas_seleccionado = tipo;
    if (reinicia_combustible) pon_datos_combustible(c_gas, -1.0f);
    Panel2->setVisible(es_combustible(tipo));
    if (reinicia_combustible) {
        c_gas.tipo = static_cast<std::int8_t>(tipo);
        copia_nombre(c_gas, "");
        if (tipo <= GAS_GASOLEO) copia_nombre(c_gas, nombres_gases[tipo]);
    }
    // El límite de 19 caracteres es para lo que teclea el usuario (sólo en
    // "Otros..."); los nombres de la tabla, más largos, se muestran enteros
    // para que vuelvan enteros al registro al dejar la página.
    Edit3->setMaxLength(tipo == GAS_OTRO ? 19 : 32767);
    Edit3->setText(desde_1252(std::string(c_gas.nombre, strnlen(c_gas.nombre, sizeof c_gas.nombre))));
    for (campo_edicion* e : {Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9}) e->setEnabled(tipo == GAS_OTRO);
    Edit9->setEnabled(es_combustible(tipo));
    for (campo_edicion* e : {Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9}) habilita_campo(e);
    if (tipo == GAS_OTRO) Edit3->setFocus();
    else if (!es_combustible(tipo)) RadioGroup1->setFocus();
    else Edit9->setFocus();
    if (reinicia_combustible) {
        c_gas.humedad = 0;
        if (es_combustible(c_gas.tipo)) c_gas.aire = 0;
    }
    // La gasolina y el gasóleo traen sus datos; el combustible del usuario
    // nuevo empieza sin nombre y con todo a 0.
    pon_datos_fijos(c_gas);
    if (c_gas.tipo == GAS_OTRO && reinicia_combustible) {
        pon_datos_combustible(c_gas, 0);
        copia_nombre(c_gas, "");
    }
    if (es_combustible(c_gas.tipo))
        Label19->setText(c_gas.tipo == GAS_GASOLINA ? QStringLiteral("(Desde 0.6)") : QStringLiteral("(Desde 1.0)"));
    for (campo_edicion* e : {Edit4, Edit5, Edit6, Edit7, Edit8, Edit9}) e->clear();
    auto muestra = [](campo_edicion* e, float v) {
        if (v > -1.0f) e->muestra_valor(v, QString::fromStdString(formatea("%g", v)));
    };
    muestra(Edit9, c_gas.aire);
    muestra(Edit4, c_gas.c);
    muestra(Edit5, c_gas.h);
    muestra(Edit8, c_gas.Hu);
    muestra(Edit7, c_gas.humedad);
}

void TForm1::sale_de_campo_gas(campo_edicion* edit, float& destino)
{
    // Un solo aviso por acción: al cambiar de página avisa la comprobación
    // de la página, y lo que el programa descarta no se comprueba.
    if (descartando_) return;
    QWidget* foco = QApplication::focusWidget();
    if (foco && !TabSheet1->isAncestorOf(foco)) return;
    lee_campo_numerico(edit, 1, &destino);
}

void TForm1::Edit4Exit() { sale_de_campo_gas(Edit4, c_gas.c); }
void TForm1::Edit5Exit() { sale_de_campo_gas(Edit5, c_gas.h); }
void TForm1::Edit7Exit() { sale_de_campo_gas(Edit7, c_gas.humedad); }
void TForm1::Edit9Exit() { sale_de_campo_gas(Edit9, c_gas.aire); }

void TForm1::Edit4Change()
{
    // Mientras el carbono o el hidrógeno no son números, el rótulo no
    // muestra ninguno.
    double c = 0, h = 0;
    if (!valor_de(Edit4, c) || !valor_de(Edit5, h)) {
        Label10->setText(QString::fromUtf8("Aire mínimo combustión:"));
        return;
    }
    Label10->setText(desde_1252(formatea("%s %g kg/kg combustible", "Aire mínimo combustión:"_w, aire_minimo(c, h))));
}

void TForm1::Edit6Change()
{
    // El otro campo se escribe con su manejador anulado, para que no vuelva;
    // queda vacío mientras éste no tiene un número.
    auto guardado = std::move(Edit8->al_cambiar);
    Edit8->al_cambiar = nullptr;
    double kcal = 0;
    if (valor_de(Edit6, kcal) && !Edit6->text().isEmpty())
        Edit8->setText(QString::fromStdString(formatea("%g", kcal * KCAL_A_KJ)));
    else
        Edit8->clear();
    Edit8->al_cambiar = std::move(guardado);
}

void TForm1::Edit8Change()
{
    auto guardado = std::move(Edit6->al_cambiar);
    Edit6->al_cambiar = nullptr;
    double kj = 0;
    if (valor_de(Edit8, kj) && !Edit8->text().isEmpty()) {
        // El texto en kcal/kg sólo se muestra: su valor exacto vale aunque
        // "%g" lo escriba con exponente.
        const double kcal = kj * KJ_A_KCAL_REDONDEADO;
        Edit6->muestra_valor(static_cast<float>(kcal), QString::fromStdString(formatea("%g", kcal)));
    } else {
        Edit6->clear();
    }
    Edit6->al_cambiar = std::move(guardado);
}

bool TForm1::lee_combustible()
{
    // El poder calorífico en kcal/kg sólo se valida: el dato es el de kJ/kg.
    float basura = 0;
    return lee_campo_numerico(Edit4, 1, &c_gas.c) && lee_campo_numerico(Edit5, 1, &c_gas.h) &&
           lee_campo_numerico(Edit6, 1, &basura) && lee_campo_numerico(Edit7, 1, &c_gas.humedad) &&
           lee_campo_numerico(Edit8, 1, &c_gas.Hu) && lee_campo_numerico(Edit9, 1, &c_gas.aire);
}

bool TForm1::comprueba_pagina_gas()
{
    Form14->registra(formatea("changing: tipo=%d", c_gas.tipo));
    if (es_combustible(c_gas.tipo)) {
        if (!lee_combustible()) return false;
        // Un campo vacío no es un dato: la humedad vacía vale 0; el carbono,
        // el hidrógeno y el poder calorífico vacíos se rechazan.
        ajusta_combustible(c_gas);
        if (!fracciones_validas(c_gas.c, c_gas.h)) {
            muestra_error("ERROR: Datos fuera de margen (c,h)");
            return false;
        }
        if (!poder_calorifico_valido(c_gas.Hu)) {
            muestra_error("ERROR: Dato fuera de margen (Hu)");
            return false;
        }
    }
    if (!proporcion_aire_valida(gas_seleccionado, c_gas.aire)) {
        muestra_error("%s", gas_seleccionado == GAS_GASOLINA ? "Proporción de aire menor de 0.6"_w
                                                             : "Proporción de aire menor de 1.0"_w);
        return false;
    }
    const bool hasta_1500 = gas_hasta_1500(gas_seleccionado);
    Label41->setText(hasta_1500 ? QStringLiteral("(273-1500 k)") : QStringLiteral("(273-5000 k)"));
    Label49->setText(hasta_1500 ? QStringLiteral("T=273 y T=1500 K") : QStringLiteral("T=273 y T=5000 K"));
    Panel3->setVisible(es_combustible(gas_seleccionado));
    Label48->setText(desde_1252(c_gas.nombre));
    Label2->setText(desde_1252(c_gas.nombre));
    if (!carga_propiedades(c_gas)) {
        muestra_error("Error al cargar las propiedades del gas");
        return false;
    }
    Form14->registra(formatea("Tras carga_propiedades: c_gas: %zx", reinterpret_cast<std::size_t>(&c_gas)));
    copia_nombre(c_gas, a_1252(Edit3->text()));
    pon_titulo(0);
    gas_al_dia = true;
    return true;
}

void TForm1::PageControl1Changing(bool& permitir)
{
    if (PageControl1->currentWidget() != TabSheet1) return;
    permitir = comprueba_pagina_gas();
}

bool TForm1::asegura_gas()
{
    if (gas_al_dia) return true;
    if (comprueba_pagina_gas()) return true;
    PageControl1->pon_pagina(TabSheet1);
    return false;
}
