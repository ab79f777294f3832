// Líquido comprimido y vapor sobrecalentado a partir de la rejilla datos_f2:
// isobaras, isotermas, búsquedas a lo largo de ellas y el estado dado por t y p.
#pragma once

#include "brumalix/motor/ejes_rejilla.h"
#include "brumalix/motor/saturacion.h"
#include "brumalix/motor/tablas.h"

#include <cstdint>

// Registros del motor: el último resultado calculado (p bar, t °C, h kJ/kg,
// s kJ/kg K, v dm³/kg, x título).
struct registro_resultado {
    float p = 0, t = 0, h = 0, s = 0, v = 0, x = 0;
};
extern registro_resultado estado_resultado;

// Lado de la curva de saturación en que se calcula: -1 líquido, 1 vapor.
enum { FASE_LIQUIDO = -1, FASE_VAPOR = 1 };
extern std::int32_t fase_actual;

// Búsqueda a lo largo de una isobara (0) o de una isoterma (1).
enum { MODO_ISOBARA = 0, MODO_ISOTERMA = 1 };

// Propiedad buscada: 0 h, 1 s, 2 v al buscar la temperatura o la presión en
// que la propiedad vale lo pedido; -3 h, -2 s, -1 v al leer la propiedad en
// una temperatura.
enum { PROP_H = 0, PROP_S = 1, PROP_V = 2, LEE_H = -3, LEE_S = -2, LEE_V = -1 };

// Isobara p (0..240 bar): h, s, v en las 81 temperaturas de la rejilla.
void calc_P(float p, float h[NUM_TEMPERATURAS], float s[NUM_TEMPERATURAS], float v[NUM_TEMPERATURAS]);
// Isoterma t (0..800 °C): h, s, v en las 195 presiones de la rejilla.
void calc_T(float t, float h[NUM_PRESIONES], float s[NUM_PRESIONES], float v[NUM_PRESIONES]);

// Resultados de busca_array.
enum { BUSCA_NADA = 0, BUSCA_BIEN = 1, BUSCA_INVEROSIMIL = 2 };

// Busca 'objetivo' en X a lo largo de la isobara (modo 0, 81 puntos) o la
// isoterma (modo 1, 195 puntos) 'fijo' y da el valor de Y allí. BUSCA_BIEN
// con 'resultado'; BUSCA_NADA si X no encierra el objetivo en su lado de la
// saturación; BUSCA_INVEROSIMIL si lo interpolado cae fuera de lo que
// abarcan sus puntos (o alguno no es un número), que no es un estado.
std::int32_t busca_array(const float* X, const float* Y, std::int32_t modo, float fijo, float objetivo,
                         std::int32_t prop, float& resultado);

// Resultados de calc_tp, calcula_por_isobara y calcula_por_isoterma.
enum { TP_BIEN = 0, TP_FUERA = 1, TP_INVEROSIMIL = 2 };

// h, s, v de t y p en estado_resultado; TP_BIEN, TP_FUERA fuera de la
// rejilla o sin valor posible, TP_INVEROSIMIL si lo interpolado no es un
// estado.
std::int32_t calc_tp(float t, float p);
// Estado de p con h (0), s (1) o v (2); TP_BIEN, TP_FUERA si no hay estado
// o TP_INVEROSIMIL.
std::int32_t calcula_por_isobara(float p, float valor, std::int32_t prop);
// Estado de t con s (1) o v (2); lo mismo.
std::int32_t calcula_por_isoterma(float t, float valor, std::int32_t prop);

// Las mismas para quien ya consultó (o consultará) la saturación del mismo
// p o t en 'sat': hacen lo mismo y escriben la misma traza, sin repetir la
// consulta a la tabla.
std::int32_t calc_tp(float t, float p, saturacion_de& sat_p);
std::int32_t calcula_por_isobara(float p, float valor, std::int32_t prop, saturacion_de& sat_p);
std::int32_t calcula_por_isoterma(float t, float valor, std::int32_t prop, saturacion_de& sat_t);
