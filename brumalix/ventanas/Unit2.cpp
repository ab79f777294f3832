#include "brumalix/ventanas/Unit2.h"
#include "brumalix/ventanas/Unit1.h"
#include "brumalix/ventanas/Unit10.h"
#include "brumalix/ventanas/ventanas.h"

#include "plataforma/disposicion.h"
#include "plataforma/lista_marcado.h"

#include "brumalix/motor/estados.h"
#include "brumalix/motor/problema_agua.h"
#include "brumalix/motor/traza.h"
#include "comun/formato.h"

TConfigurar* Configurar = nullptr;

TConfigurar::TConfigurar()
{
    disposicion::ventana_fija(this, QStringLiteral("Configurar unidades"), QSize(422, 87));
    // Las opciones se rotulan al arrancar con los nombres de las unidades.
    RadioGroup1 = new grupo_radio(QString(), {QStringLiteral("1"), QStringLiteral("2")}, 1, this);
    RadioGroup2 = new grupo_radio(QString(), {QStringLiteral("1"), QStringLiteral("2")}, 1, this);
    RadioGroup3 = new grupo_radio(QString(), {QStringLiteral("1"), QStringLiteral("2")}, 1, this);
    RadioGroup1->setTitle(QString::fromUtf8("Presión"));
    RadioGroup2->setTitle(QStringLiteral("Caudal"));
    RadioGroup3->setTitle(QString::fromUtf8("Energía"));
    RadioGroup1->setGeometry(8, 6, 96, 74);
    RadioGroup2->setGeometry(112, 6, 96, 74);
    RadioGroup3->setGeometry(216, 6, 96, 74);
    for (grupo_radio* g : {RadioGroup1, RadioGroup2, RadioGroup3}) g->pon_indice_sin_evento(0);
    Button1 = new QPushButton(QStringLiteral("Aceptar"), this);
    Button1->setGeometry(328, 14, 84, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Cancelar"), this);
    Button2->setGeometry(328, 50, 84, 25);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    // Intro pulsa el botón que tiene el foco o, si no, "Aceptar"; Escape cancela.
    atajos_ = new atajos_ventana(this);
    atajos_->ata_dialogo([this] { Button1Click(); }, [this] { Button2Click(); });
}

void TConfigurar::Button1Click()
{
    unidad_presion_at = RadioGroup1->indice() != 0 ? 1 : 0;
    unidad_caudal_th = RadioGroup2->indice() != 0 ? 1 : 0;
    unidad_energia_kcal = RadioGroup3->indice() != 0 ? 1 : 0;
    unidad_entropia_kcal = unidad_energia_kcal;
    Form1->pon_etiquetas_unidades();
    hide();
}

void TConfigurar::Button2Click() { hide(); }

void TForm1::pon_etiquetas_unidades()
{
    auto nombre = [](int base, int bandera) { return desde_1252(salta_blancos(nombres_unidades[base + (bandera ? 1 : 0)])); };
    if (unidad_presion_at == 0) Label2->setText(QStringLiteral("0.02-221.2 %1").arg(nombre(0, 0)));
    else Label2->setText(QStringLiteral("0.02-225.5 %1").arg(nombre(0, 1)));
    Label10->setText(desde_1252(formatea("dm%c/kg", 179)));
    Label11->setText(nombre(4, unidad_energia_kcal));
    Label12->setText(nombre(6, unidad_entropia_kcal));
    Label57->setText(nombre(2, unidad_caudal_th));
    Listados->Label12->setText(nombre(0, unidad_presion_at));
    Listados->Label10->setText(nombre(0, unidad_presion_at));
    Listados->Label11->setText(desde_1252(formatea("%cC", 176)));
    pon_unidades_cabeceras();
    pon_limites_presion();
    Listados->ComboBox2->setCurrentIndex(0);
    Listados->ComboBox3->setCurrentIndex(0);
}
