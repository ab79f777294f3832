#include "zefirant/ventanas/Unit9.h"
#include "zefirant/ventanas/Unit1.h"
#include "zefirant/ventanas/ventanas.h"

#include "plataforma/disposicion.h"

#include "zefirant/motor/unidades.h"

TForm9* Form9 = nullptr;

TForm9::TForm9()
{
    disposicion::ventana_fija(this, QStringLiteral("Configurar unidades"), QSize(470, 102));
    RadioGroup1 = new grupo_radio(QStringLiteral("Masa"), {QStringLiteral("kmol"), QStringLiteral("kg")}, 1, this);
    RadioGroup2 = new grupo_radio(QString::fromUtf8("Energía"), {QStringLiteral("kJ"), QStringLiteral("kcal")}, 1, this);
    RadioGroup3 = new grupo_radio(QString::fromUtf8("Presión"), {QStringLiteral("bar"), QString::fromUtf8("kg/cm²")}, 1, this);
    RadioGroup1->setGeometry(8, 8, 110, 84);
    RadioGroup2->setGeometry(126, 8, 110, 84);
    RadioGroup3->setGeometry(244, 8, 110, 84);
    for (grupo_radio* g : {RadioGroup1, RadioGroup2, RadioGroup3}) g->pon_indice(0);
    Button1 = new QPushButton(QStringLiteral("Aceptar"), this);
    Button1->setGeometry(372, 18, 88, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Cancelar"), this);
    Button2->setGeometry(372, 56, 88, 25);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TForm9::Button1Click()
{
    // Las unidades de un problema con estados aceptados ya no cambian, aunque
    // el diálogo se abriera antes.
    if (Form1->unidades_bloqueadas()) {
        pon_unidades(unidad_masa_kg, unidad_energia_kcal, unidad_presion_at);
        hide();
        return;
    }
    unidad_masa_kg = RadioGroup1->indice();
    unidad_energia_kcal = RadioGroup2->indice();
    unidad_presion_at = RadioGroup3->indice();
    Form1->pon_etiquetas_unidades();
    hide();
}

void TForm9::Button2Click() { hide(); }

void TForm9::pon_unidades(int masa_kg, int energia_kcal, int presion_at)
{
    RadioGroup1->pon_indice(masa_kg);
    RadioGroup2->pon_indice(energia_kcal);
    RadioGroup3->pon_indice(presion_at);
}
