// Páginas "Ec. masa" y "Ec energía": las ecuaciones de balance, de seis en
// seis. Las dos páginas son gemelas; cada una trabaja con su tabla de
// ecuaciones y su pareja de contadores de grupo.
#include "brumalix/ventanas/Unit1.h"
#include "brumalix/ventanas/disposicion.h"
#include "brumalix/ventanas/ventanas.h"

#include "plataforma/fuentes.h"
#include "plataforma/lista_marcado.h"

#include "comun/mensajes.h"
#include "comun/texto1252.h"

#include <algorithm>
#include <cstring>

using namespace disposicion;

namespace {

constexpr int ULTIMO_GRUPO_MASA = 6;
constexpr int ULTIMO_GRUPO_ENERGIA = 4;

struct pagina_ecuaciones {
    std::array<campo_edicion*, 6>& edits;
    std::array<QLabel*, 6>& numeros;
    ecuacion_balance* ecuaciones;
    int numero_ecuaciones;
    int& grupo;
    int& ultimo;
    int ultimo_posible;
    QPushButton *primero, *anterior, *siguiente, *final;
    const char* maximo;
};

} // namespace

namespace {

pagina_ecuaciones pagina_de(TForm1& f, bool masa)
{
    if (masa)
        return {f.edits_masa, f.numeros_masa, ecuaciones_masa, MAXNUMESTADOS, f.grupo_masa_actual, f.ultimo_grupo_masa,
                ULTIMO_GRUPO_MASA, f.BitBtn19, f.BitBtn20, f.BitBtn21, f.BitBtn22,
                "Ya ha definido el número máximo de ecuaciones de masa"_w};
    return {f.edits_energia, f.numeros_energia, ecuaciones_energia, MAXNUMECENERGIA, f.grupo_energia_actual,
            f.ultimo_grupo_energia, ULTIMO_GRUPO_ENERGIA, f.BitBtn35, f.BitBtn36, f.BitBtn37, f.BitBtn38,
            "Ya ha definido el número máximo de ecuaciones de energía"_w};
}

} // namespace

void TForm1::crea_pagina_ecuaciones(QWidget* p, bool masa)
{
    etiqueta(masa ? QStringLiteral("Introduzca las ecuaciones de balance de materia tipo:")
                  : QString::fromUtf8("Introduzca las ecuaciones de balance de energía tipo:"),
             p, 8, 6);
    const QFont symbol = fuentes::fuente(QStringLiteral("Symbol"), 14);
    auto* suma1 = new QLabel(p);
    suma1->setFont(symbol);
    suma1->setGeometry(300, 2, 12, 18);
    etiqueta(masa ? QStringLiteral("m(ent)=") : QStringLiteral("mh(ent)="), p, 313, 6);
    auto* suma2 = new QLabel(p);
    suma2->setFont(symbol);
    suma2->setGeometry(masa ? 356 : 362, 2, 12, 18);
    etiqueta(masa ? QStringLiteral("m(sal)") : QStringLiteral("mh(sal)"), p, masa ? 369 : 375, 6);
    (masa ? Label37 : Label50) = suma1;
    (masa ? Label39 : Label52) = suma2;
    etiqueta(QString::fromUtf8("(m:caudal) en base a los estados ya definidos. Por ej: 2+4=1+10+7"), p, 8, 24);
    etiqueta(QString::fromUtf8("Num.Ecuación"), p, 8, 46, true);

    auto& edits = masa ? edits_masa : edits_energia;
    auto& numeros = masa ? numeros_masa : numeros_energia;
    auto& listas = masa ? listas_masa : listas_energia;
    for (int i = 0; i < 6; ++i) {
        const int y = 64 + 24 * i;
        numeros[static_cast<std::size_t>(i)] = etiqueta(QString::number(i + 1), p, 8, y + 3, true);
        numeros[static_cast<std::size_t>(i)]->setFixedWidth(30);
        numeros[static_cast<std::size_t>(i)]->setAlignment(Qt::AlignRight);
        // Una ecuación cabe en 59 caracteres: el campo no admite más.
        campo_edicion* e = campo(p, 60, y, 329, LARGO_ECUACION - 1);
        edits[static_cast<std::size_t>(i)] = e;
        QToolButton* b = boton_lista(p, 393, y + 3, 20, 14, QStringLiteral("Lista de estados"));
        listas[static_cast<std::size_t>(i)] = b;
        connect(b, &QToolButton::clicked, this, [this, e] {
            campo_destino = e;
            modo_lista = 3;
            muestra_lista_estados();
        });
    }
    const std::array<QString, 4> pistas = {
        QStringLiteral("Primer grupo de ecuaciones"), QStringLiteral("Grupo de ecuaciones anterior"),
        QStringLiteral("Siguiente/nuevo grupo de ecuaciones"), QStringLiteral("Ultimo grupo de ecuaciones")};
    if (masa)
        crea_navegacion(p, {&BitBtn19, &BitBtn20, &BitBtn21, &BitBtn22}, pistas,
                        {&TForm1::BitBtn19Click, &TForm1::BitBtn20Click, &TForm1::BitBtn21Click, &TForm1::BitBtn22Click});
    else
        crea_navegacion(p, {&BitBtn35, &BitBtn36, &BitBtn37, &BitBtn38}, pistas,
                        {&TForm1::BitBtn35Click, &TForm1::BitBtn36Click, &TForm1::BitBtn37Click, &TForm1::BitBtn38Click});
}

namespace {

void borra(pagina_ecuaciones p)
{
    for (campo_edicion* e : p.edits) e->clear();
}

void numera(pagina_ecuaciones p)
{
    for (int i = 0; i < 6; ++i) p.numeros[static_cast<std::size_t>(i)]->setText(QString::number(6 * p.grupo + i + 1));
}

void muestra(pagina_ecuaciones p)
{
    borra(p);
    for (int i = 0; i < 6; ++i) {
        const int slot = 6 * p.grupo + i;
        if (slot >= p.numero_ecuaciones) continue;
        const char* texto = p.ecuaciones[slot].texto;
        p.edits[static_cast<std::size_t>(i)]->setText(desde_1252(std::string(texto, strnlen(texto, LARGO_ECUACION))));
    }
    numera(p);
}

void lee(pagina_ecuaciones p)
{
    for (int i = 0; i < 6; ++i) {
        const int slot = 6 * p.grupo + i;
        if (slot >= p.numero_ecuaciones) continue;
        const std::string texto = a_1252(p.edits[static_cast<std::size_t>(i)]->text());
        const std::size_t n = std::min<std::size_t>(texto.size(), LARGO_ECUACION - 1);
        std::memcpy(p.ecuaciones[slot].texto, texto.data(), n);
        p.ecuaciones[slot].texto[n] = '\0';
    }
}

void habilita(pagina_ecuaciones p)
{
    p.primero->setEnabled(p.grupo > 0);
    p.anterior->setEnabled(p.grupo > 0);
    p.siguiente->setEnabled(true);
    p.final->setEnabled(p.grupo < p.ultimo);
    if (p.grupo == p.ultimo_posible) {
        p.siguiente->setEnabled(false);
        p.final->setEnabled(false);
    }
    p.edits[0]->setFocus();
}

} // namespace

void TForm1::borra_campos_masa() { borra(pagina_de(*this, true)); }
void TForm1::borra_campos_energia() { borra(pagina_de(*this, false)); }
void TForm1::numera_ecuaciones_masa() { numera(pagina_de(*this, true)); }
void TForm1::numera_ecuaciones_energia() { numera(pagina_de(*this, false)); }
void TForm1::muestra_ecuaciones_masa() { muestra(pagina_de(*this, true)); }
void TForm1::muestra_ecuaciones_energia() { muestra(pagina_de(*this, false)); }
void TForm1::lee_ecuaciones_masa() { lee(pagina_de(*this, true)); }
void TForm1::lee_ecuaciones_energia() { lee(pagina_de(*this, false)); }
void TForm1::habilita_botones_masa() { habilita(pagina_de(*this, true)); }
void TForm1::habilita_botones_energia() { habilita(pagina_de(*this, false)); }

void TForm1::grupo_siguiente(bool masa)
{
    pagina_ecuaciones p = pagina_de(*this, masa);
    if (p.grupo >= p.ultimo_posible) {
        muestra_error("%s", p.maximo);
        return;
    }
    for (campo_edicion* e : p.edits) {
        if (e->text().isEmpty()) {
            muestra_error("No ha introducido todas las ecuaciones");
            p.edits[0]->setFocus();
            return;
        }
    }
    lee(p);
    ++p.grupo;
    if (p.grupo > p.ultimo) ++p.ultimo;
    muestra(p);
    habilita(p);
}

void TForm1::grupo_anterior(bool masa)
{
    pagina_ecuaciones p = pagina_de(*this, masa);
    if (p.grupo == 0) return;
    lee(p);
    --p.grupo;
    muestra(p);
    habilita(p);
}

void TForm1::grupo_primero(bool masa)
{
    pagina_ecuaciones p = pagina_de(*this, masa);
    lee(p);
    p.grupo = 0;
    muestra(p);
    habilita(p);
}

void TForm1::grupo_ultimo(bool masa)
{
    pagina_ecuaciones p = pagina_de(*this, masa);
    lee(p);
    p.grupo = p.ultimo;
    muestra(p);
    habilita(p);
}

void TForm1::BitBtn19Click() { grupo_primero(true); }
void TForm1::BitBtn20Click() { grupo_anterior(true); }
void TForm1::BitBtn21Click() { grupo_siguiente(true); }
void TForm1::BitBtn22Click() { grupo_ultimo(true); }
void TForm1::BitBtn35Click() { grupo_primero(false); }
void TForm1::BitBtn36Click() { grupo_anterior(false); }
void TForm1::BitBtn37Click() { grupo_siguiente(false); }
void TForm1::BitBtn38Click() { grupo_ultimo(false); }
