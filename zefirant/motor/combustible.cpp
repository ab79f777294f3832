#include "zefirant/motor/combustible.h"

#include "comun/numero_campo.h"

#include <cfloat>
#include <cmath>

namespace {

// Valor de un dato no dado.
constexpr float NO_DADO_COMBUSTIBLE = -1.0f;

// El registro guarda los datos en simple precisión: los de la gasolina son
// los mismos números que usa el generador de GASOLINA.DAT, redondeados.
constexpr datos_combustible GASOLINA = {static_cast<float>(GASOLINA_C), static_cast<float>(GASOLINA_H), 43543,
                                        static_cast<float>(GASOLINA_AIRE_MIN)};
static_assert(GASOLINA.c == 0.856f && GASOLINA.h == 0.144f && GASOLINA.aire_min == 14.756f);
constexpr datos_combustible GASOLEO = {0.86f, 0.12f, 41868, 13.981f};

} // namespace

const datos_combustible* datos_fijos(int tipo)
{
    switch (tipo) {
    case GAS_GASOLINA: return &GASOLINA;
    case GAS_GASOLEO: return &GASOLEO;
    default: return nullptr;
    }
}

void pon_datos_fijos(propiedades_gas& g)
{
    const datos_combustible* d = datos_fijos(g.tipo);
    if (!d) return;
    g.c = d->c;
    g.h = d->h;
    g.Hu = d->Hu;
    g.aire_min = d->aire_min;
}

void pon_datos_combustible(propiedades_gas& g, float valor)
{
    for (float* f : {&g.aire, &g.m_c, &g.c, &g.h, &g.Hu, &g.aire_min, &g.humedad}) *f = valor;
}

double aire_minimo(double c, double h) { return 11.483726 * c + 34.209086 * h; }

void ajusta_combustible(propiedades_gas& g)
{
    if (g.humedad < 0) g.humedad = 0;
    if (g.c > 1) g.c = 1;
    if (g.h > 1) g.h = 1;
    if (g.tipo == GAS_OTRO) g.aire_min = static_cast<float>(aire_minimo(g.c, g.h));
}

bool fracciones_validas(float c, float h)
{
    if (!(c >= 0 && c <= 1 && h >= 0 && h <= 1)) return false;
    if (c == 0 && h == 0) return false;
    // La suma se redondea a simple precisión, como la guarda el registro.
    const float suma = c + h;
    return !(suma - 1 > 0);
}

bool poder_calorifico_valido(float Hu) { return Hu > 0; }

bool proporcion_aire_valida(int tipo, float aire)
{
    if (!es_combustible(tipo)) return true;
    return aire >= (tipo == GAS_GASOLINA ? 0.6f : 1.0f);
}

bool humos_calculables(const propiedades_gas& g)
{
    if (g.tipo != GAS_OTRO) return true;
    float n[5];
    const float m_c = composicion_humos(g.c, g.humedad, g.h, g.aire_min, g.aire, n);
    return std::isfinite(n[4]) && std::isfinite(m_c);
}

bool lee_dato_como_campo(float dato, float& leido)
{
    if (!(dato > NO_DADO_COMBUSTIBLE)) {
        if (std::isnan(dato)) return false;
        leido = NO_DADO_COMBUSTIBLE;
        return true;
    }
    return comprueba_real_campo(dato, 0, FLT_MAX, leido) == lectura_campo::valido;
}
