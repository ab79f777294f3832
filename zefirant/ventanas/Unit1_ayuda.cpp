// Ayuda por contexto, caja "Acerca de" y rótulos de unidades de la página de estados.
#include "zefirant/ventanas/Unit1.h"
#include "zefirant/ventanas/Unit13.h"
#include "zefirant/ventanas/ventanas.h"

#include "plataforma/ayuda.h"

#include "zefirant/motor/unidades.h"

void TForm1::Ayuda2Click()
{
    if (PageControl1->currentWidget() == TabSheet2) muestra_ayuda(ruta_ayuda, "IDH_estados");
    else if (PageControl1->currentWidget() == TabSheet3) muestra_ayuda(ruta_ayuda, "IDH_transformaciones");
}

void TForm1::AyudadeZEFIRANT1Click() { muestra_ayuda(ruta_ayuda, "IDH_menu"); }

void TForm1::AcercadeZEFIRANT1Click()
{
    Form13->show();
    Form13->raise();
}

void TForm1::pon_etiquetas_unidades()
{
    const QString presion = unidad_presion_at ? QString::fromUtf8("kg/cm²") : QStringLiteral("bar");
    const QString masa = unidad_masa_kg ? QStringLiteral("kg") : QStringLiteral("kmol");
    const QString energia = unidad_energia_kcal ? QStringLiteral("kcal") : QStringLiteral("kJ");
    Label35->setText(presion);
    Label36->setText(QStringLiteral("K"));
    Label37->setText(QString::fromUtf8("m³/%1").arg(masa));
    Label38->setText(QStringLiteral("%1/%2").arg(energia, masa));
    Label39->setText(Label38->text());
    Label40->setText(Label38->text() + QStringLiteral(" K"));
}
