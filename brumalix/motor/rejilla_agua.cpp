// Búsquedas a lo largo de una isobara o de una isoterma de la rejilla y el
// estado dado por t y p. Las líneas están en linea_rejilla.h; la
// interpolación, en interpolacion_rejilla.h; la comprobación junto al punto
// crítico, en comprueba_rejilla.h.
#include "brumalix/motor/rejilla_agua.h"
#include "brumalix/motor/comprueba_rejilla.h"
#include "brumalix/motor/linea_rejilla.h"

#include <algorithm>
#include <cmath>

registro_resultado estado_resultado;
std::int32_t fase_actual = FASE_VAPOR;

namespace {

using namespace rejilla;

// Índice de propiedad de las líneas: 0 h, 1 s, 2 v; cualquier otro, v.
int indice_propiedad(int prop) { return prop == PROP_H ? 0 : prop == PROP_S ? 1 : 2; }

// Sin cota: ningún valor se puede saltar sin calcularlo.
double sin_cota(int) { return -INFINITY; }

// La línea se parte por el punto de saturación en el eje: del lado de la
// fase en curso quedan los puntos de esa fase y el de saturación en lugar
// del primero de la otra (o del último de la suya, si está a menos de
// CERCANIA del paso del punto de saturación). 'lo'..'hi' es lo que se
// busca; la parábola puede tomar además un punto más allá, 'extra'. Los
// puntos puestos en lugar de los de la línea: el de saturación en 'j_sat'
// y el de 'extra', cada uno en el eje y en la propiedad.
struct tramo {
    int lo, hi;
    int extra = -1, j_sat = -1;
    float prop_sat = 0, eje_extra = 0, prop_extra = 0;
};

// Con sólo dos puntos de líquido en la isobara (saturación por debajo de
// 20 °C) la recta se aparta de la curva: el tercero es el líquido saturado
// de la fila siguiente a la saturación ('k', la primera por encima), que
// apenas difiere del líquido a la presión de la línea.
void pon_liquido_siguiente(tramo& r, int k, int n, float tsat, double cerca, int q)
{
    int f = k;
    while (f < n && double(eje_temperaturas[f]) - tsat < cerca) ++f;
    punto_saturacion sig;
    if (f < n && lee_saturado(POR_TEMPERATURA, eje_temperaturas[f], sig)) {
        r.extra = r.hi + 1;
        r.eje_extra = eje_temperaturas[f];
        r.prop_extra = sig.liquido(q);
    }
}

// La isobara (el eje son temperaturas, el líquido queda abajo): con
// 'hay_sat', partida por la saturación 'sat' del lado de la fase en curso.
tramo tramo_isobara(const float* eje, int n, bool hay_sat, const punto_saturacion& sat, int q, bool liquido)
{
    tramo r{0, n - 1};
    if (!hay_sat) return r;
    int k = 0;
    while (k < n && !(eje[k] > sat.sat)) ++k;
    // Un punto de saturación fuera de la línea no se sustituye.
    if (!(k >= 1 && k < n)) return r;
    const double cerca = CERCANIA * (double(eje[k]) - eje[k - 1]);
    if (liquido) {
        r.j_sat = k >= 2 && double(sat.sat) - eje[k - 1] < cerca ? k - 1 : k;
        r.prop_sat = sat.liquido(q);
        r.hi = r.j_sat;
        if (r.hi - r.lo < 2) pon_liquido_siguiente(r, k, n, sat.sat, cerca, q);
    } else {
        r.j_sat = k + 1 < n && double(eje[k]) - sat.sat < cerca ? k : k - 1;
        r.prop_sat = sat.vapor(q);
        r.lo = r.j_sat;
    }
    return r;
}

// La isoterma (el eje son presiones, el vapor queda abajo; su primer punto,
// 0 bar, nunca se busca), igual.
tramo tramo_isoterma(const float* eje, int n, bool hay_sat, const punto_saturacion& sat, int q, bool liquido)
{
    tramo r{1, n - 1};
    if (!hay_sat) return r;
    int k = 1;
    while (k < n && !(eje[k] > sat.sat)) ++k;
    if (k >= n) return r;
    const double cerca = CERCANIA * (double(eje[k]) - eje[k - 1]);
    if (liquido) {
        r.j_sat = k + 1 < n && double(eje[k]) - sat.sat < cerca ? k : k - 1;
        r.prop_sat = sat.liquido(q);
        r.lo = r.j_sat;
    } else {
        r.j_sat = k >= 3 && double(sat.sat) - eje[k - 1] < cerca ? k - 1 : k;
        r.prop_sat = sat.vapor(q);
        r.hi = r.j_sat;
    }
    return r;
}

// La línea partida, con los puntos puestos, en el eje y en la propiedad
// ('valores': i → el valor del punto i de la línea), y como pares X, Y: X
// es el eje al leer una propiedad (prop < 0) y la propiedad al buscar dónde
// toma un valor; Y, lo otro. Siempre en línea: las búsquedas los piden
// punto a punto, y una llamada en cada uno hacía calcula un 10 % más lenta.
template <class Valores>
struct puntos_tramo {
    const float* eje;
    Valores valores;
    const tramo& t;
    const punto_saturacion& sat;
    std::int32_t prop;

    [[gnu::always_inline]] float en_eje(int i) const
    {
        return i == t.j_sat ? sat.sat : i == t.extra ? t.eje_extra : eje[i];
    }
    [[gnu::always_inline]] float propiedad(int i) const
    {
        return i == t.j_sat ? t.prop_sat : i == t.extra ? t.prop_extra : valores(i);
    }
    [[gnu::always_inline]] float X(int i) const { return prop < 0 ? en_eje(i) : propiedad(i); }
    [[gnu::always_inline]] float Y(int i) const { return prop < 0 ? propiedad(i) : en_eje(i); }
};

// Lo que una búsqueda interpoló: el resultado 'r' y sus 'puntos' (2 o 3)
// desde el punto 'b' de la línea.
struct interpolacion {
    float r;
    int b, puntos;
};

// El resultado en el tramo, con la recta por sus dos puntos o la parábola
// por los tres más próximos al objetivo ('m' es el primero que pasa de él).
// En la isoterma se busca la presión en que s o v toman un valor: s varía
// como −R·ln p y v como 1/p, así que se interpola ln p frente a s o frente
// a ln v, casi rectas, y se deshace el cambio.
template <class L>
interpolacion interpola_tramo(const L& l, int m, std::int32_t modo, std::int32_t prop, float objetivo)
{
    const tramo& t = l.t;
    const int ultimo = t.extra >= 0 ? t.extra : t.hi;  // último punto de la parábola
    const bool logaritmos = modo == MODO_ISOTERMA && prop >= 0;
    auto abscisa = [&](int i) { return logaritmos && prop == PROP_V ? std::log(l.X(i)) : l.X(i); };
    auto ordenada_de = [&](int i) { return logaritmos ? std::log(l.Y(i)) : l.Y(i); };
    const float x = logaritmos && prop == PROP_V ? std::log(objetivo) : objetivo;
    // De vuelta de los logaritmos, un extremo de la línea (240 bar) puede
    // salir un redondeo más allá de sí mismo: se deja en el extremo.
    auto deshaz = [&](float r, int desde, int hasta) {
        if (!logaritmos) return r;
        r = std::exp(r);
        const float menor = std::min(l.Y(desde), l.Y(hasta)), mayor = std::max(l.Y(desde), l.Y(hasta));
        if (r > mayor && r <= mayor * (1 + 1e-5f)) r = mayor;
        if (r < menor && r >= menor * (1 - 1e-5f)) r = menor;
        return r;
    };
    if (ultimo == t.lo + 1) {
        const float r =
            deshaz(Interpola2(abscisa(t.lo), abscisa(t.hi), ordenada_de(t.lo), ordenada_de(t.hi), x), t.lo, t.hi);
        escribe_traza("busca_array: interpola2 <%g %g> %g   <%g %g> -> T=%g", l.X(t.lo), l.X(t.hi), objetivo, l.Y(t.lo),
                      l.Y(t.hi), r);
        return {r, t.lo, 2};
    }
    int b = m - 1;
    if (b > t.lo && std::fabs(double(objetivo) - l.X(b)) < std::fabs(double(l.X(b + 1)) - objetivo)) --b;
    if (b > ultimo - 2) b = ultimo - 2;
    escribe_traza("%g entre <%g %g %g>", objetivo, l.X(b), l.X(b + 1), l.X(b + 2));
    const float r = deshaz(parabola(abscisa(b), abscisa(b + 1), abscisa(b + 2), ordenada_de(b), ordenada_de(b + 1),
                                    ordenada_de(b + 2), x),
                           b, b + 2);
    escribe_traza("busca_array: interpola <%g %g %g> %g   <%g %g %g> -> T=%g", l.X(b), l.X(b + 1), l.X(b + 2),
                  objetivo, l.Y(b), l.Y(b + 1), l.Y(b + 2), r);
    return {r, b, 3};
}

// Los puntos con que se interpoló, para estimar el error del resultado.
template <class L>
void anota_plantilla(const L& l, const interpolacion& i, plantilla& usada)
{
    usada.n = i.puntos;
    for (int k = 0; k < i.puntos; ++k) {
        const int j = i.b + k;
        usada.x[k] = l.X(j);
        usada.y[k] = l.Y(j);
        usada.indice[k] = j == l.t.j_sat ? plantilla::SATURACION : j == l.t.extra ? plantilla::MAS_ALLA : j;
    }
}

// Lo que se busca a lo largo de una línea, como en busca_array: el eje de
// la línea ('eje': sus temperaturas o sus presiones) y su presión o su
// temperatura ('fijo'), el valor que se busca ('objetivo') y la propiedad
// ('prop'); y dónde dejar los puntos con que se interpoló, si se quieren
// ('usada').
struct busqueda {
    const float* eje;
    float fijo, objetivo;
    std::int32_t prop;
    plantilla* usada = nullptr;
};

// busca_array de 'b' en la isobara o la isoterma ('modo') con la
// saturación de la línea en 'sat_linea' (del mismo 'fijo') y los valores de la propiedad de la línea en 'valores' (i
// → el valor del punto i): Y al leer una propiedad, X al buscar dónde toma
// un valor; el otro array es el eje. Sólo se piden los valores que la
// búsqueda usa, salvo con la traza activa, que los escribe. En la
// isoterma, 'cota' (i → un valor del que no baja el del punto i) deja
// saltar sin calcularlo un punto que no puede quedar por debajo de lo que
// se busca.
template <std::int32_t modo, class Valores, class Cota = double (*)(int)>
std::int32_t busca(const busqueda& b, Valores valores, saturacion_de& sat_linea, float& resultado,
                   Cota cota = sin_cota)
{
    const float* const eje = b.eje;
    const std::int32_t prop = b.prop;
    const float fijo = b.fijo, objetivo = b.objetivo;
    escribe_traza("ENTRADA EN busca_array");
    const int n = modo == MODO_ISOBARA ? NUM_TEMPERATURAS : NUM_PRESIONES;
    const int q = prop < 0 ? prop + 3 : prop;  // 0 h, 1 s, 2 v

    // Punto de saturación de la línea (ninguno en la isoterma por encima de
    // 373,68 °C ni fuera de la tabla de saturación).
    const bool hay_sat = !(modo == MODO_ISOTERMA && fijo > T_MAX_SATURACION) && sat_linea.lee();
    const punto_saturacion& sat = sat_linea.punto();
    const bool liquido = fase_actual == FASE_LIQUIDO;
    const tramo t = modo == MODO_ISOBARA ? tramo_isobara(eje, n, hay_sat, sat, q, liquido)
                                         : tramo_isoterma(eje, n, hay_sat, sat, q, liquido);
    const puntos_tramo<Valores> l{eje, valores, t, sat, prop};

    // Esta línea nombra dos valores de la propiedad que la búsqueda puede
    // no usar: sin traza no se piden.
    if (traza_activa())
        escribe_traza("busca_array: %s (%s) c=%g  x=%g  XX[%d]=%g  XX[%d]=%g  YY[%d]=%g  YY[%d]=%g",
                      modo == MODO_ISOBARA ? "PRESION" : "TEMPERATURA",
                      prop == 0 ? "Entalpia" : prop == 1 ? "Entropia" : "Volumen", fijo, objetivo, t.lo, l.X(t.lo),
                      t.hi, l.X(t.hi), t.lo, l.Y(t.lo), t.hi, l.Y(t.hi));

    // El primer punto que pasa del objetivo. En la isoterma el tramo empieza
    // en el primer punto que queda por debajo de él: uno que no puede bajar
    // de él no se calcula.
    auto no_baja = [&](int i) {
        return modo == MODO_ISOTERMA && prop >= 0 && i != t.j_sat && i != t.extra && cota(i) >= objetivo;
    };
    int m = t.lo;
    while (m <= t.hi && (modo == MODO_ISOBARA ? !(l.X(m) > objetivo) : no_baja(m) || !(l.X(m) < objetivo))) ++m;
    if (m == t.lo || m > t.hi) return BUSCA_NADA;

    const interpolacion hecha = interpola_tramo(l, m, modo, prop, objetivo);
    // Un resultado fuera de lo que abarcan sus puntos no es un estado.
    float ys[3] = {};
    for (int k = 0; k < hecha.puntos; ++k) ys[k] = l.Y(hecha.b + k);
    if (!verosimil(hecha.r, ys, hecha.puntos)) {
        escribe_traza("busca_array: RESULTADO INVEROSIMIL %g", hecha.r);
        return BUSCA_INVEROSIMIL;
    }
    resultado = hecha.r;
    if (b.usada) anota_plantilla(l, hecha, *b.usada);
    return BUSCA_BIEN;
}

// Lo que sale de calc_tp y de las búsquedas según lo que dio busca.
std::int32_t resultado_tp(std::int32_t busqueda) { return busqueda == BUSCA_INVEROSIMIL ? TP_INVEROSIMIL : TP_FUERA; }

// Lo que da calc_tp tras una búsqueda que encontró el valor dado en su lado
// de la línea: el estado existe, y si calc_tp no lo da (la temperatura o la
// presión hallada cae al otro lado de la saturación o fuera de la rejilla)
// es un resultado que no se puede dar, no un valor sin estado.
std::int32_t existe(std::int32_t tp) { return tp == TP_FUERA ? TP_INVEROSIMIL : tp; }

bool dentro(const float* eje, int n, float x) { return x >= eje[0] && x <= eje[n - 1]; }

// El estado de t y p con sus h, s y v en estado_resultado.
std::int32_t guarda_tp(float t, float p, const float valores[3])
{
    registro_resultado& r = estado_resultado;
    r.h = valores[0];
    r.s = valores[1];
    r.v = valores[2];
    r.t = t;
    r.p = p;
    return TP_BIEN;
}

// calc_tp con la saturación de p en 'sat_p' y, sin traza, la isobara p
// que otro ya empezó, si la hay ('hecha'). Con 'como_por_debajo' el estado
// se calcula como los de hasta P_COMPROBADA, sin comprobarlo, aunque p
// quede por encima: es el de una búsqueda que puede haber pasado de
// P_COMPROBADA sólo por el error de su propia interpolación.
std::int32_t calc_tp_con(float t, float p, saturacion_de& sat_p, isobara_perezosa* hecha,
                         bool como_por_debajo = false)
{
    escribe_traza("calc_tp: t=%g p=%g", t, p);
    if (!dentro(eje_temperaturas, NUM_TEMPERATURAS, t) || !dentro(eje_presiones, NUM_PRESIONES, p)) return TP_FUERA;
    const int c = columnas_presion(p);
    escribe_traza("calc_tp: cols=%d (%g %g %g)", c, eje_presiones[c], eje_presiones[c + 1], eje_presiones[c + 2]);
    const bool comprobada = p > P_COMPROBADA && !como_por_debajo;
    float valores[3];
    if (p >= P_COMPROBADA && !como_por_debajo && lee_punto_de_rejilla(t, p, fase_actual == FASE_LIQUIDO, valores))
        return guarda_tp(t, p, valores);

    // Con la traza activa la isobara se calcula (y se escribe) entera otra
    // vez, como calc_P; sin ella sólo se calculan las filas que usan las
    // tres lecturas, y las que otro ya calculó no se repiten.
    isobara_perezosa propia;
    isobara_perezosa* linea = hecha;
    if (!linea || traza_activa()) {
        propia.abre(p, sat_p);
        linea = &propia;
    }
    // Por encima de P_COMPROBADA cada lectura deja sus puntos, para estimar
    // su error.
    plantilla usadas[3];
    // h, s y v, en este orden. Sin valor posible (p. ej. t = 800 °C, último
    // punto de la isobara) no hay resultado: nada de lo calculado a medias
    // sale de aquí.
    auto lee = [&](std::int32_t prop, float& r) {
        const int q = prop + 3;
        return busca<MODO_ISOBARA>({eje_temperaturas, p, t, prop, comprobada ? &usadas[q] : nullptr},
                     [linea, q](int i) { return linea->valor(i, q); }, sat_p, r);
    };
    std::int32_t b = lee(LEE_H, valores[0]);
    if (b != BUSCA_BIEN) return resultado_tp(b);
    escribe_traza(">>>H segun busca_array: %g", valores[0]);
    b = lee(LEE_S, valores[1]);
    if (b != BUSCA_BIEN) return resultado_tp(b);
    escribe_traza(">>>S segun busca_array: %g", valores[1]);
    b = lee(LEE_V, valores[2]);
    if (b != BUSCA_BIEN) return resultado_tp(b);
    escribe_traza(">>>V segun busca_array: %g", valores[2]);
    if (comprobada && !admite_lecturas(t, valores, usadas, *linea)) return TP_INVEROSIMIL;
    return guarda_tp(t, p, valores);
}

// La propiedad q (0 h, 1 s, 2 v) del estado calculado.
float propiedad_hallada(int q)
{
    const registro_resultado& r = estado_resultado;
    return q == 0 ? r.h : q == 1 ? r.s : r.v;
}

} // namespace

std::int32_t busca_array(const float* X, const float* Y, std::int32_t modo, float fijo, float objetivo,
                         std::int32_t prop, float& resultado)
{
    // El eje de la línea (temperaturas de la isobara o presiones de la
    // isoterma): X al leer una propiedad, Y al buscar dónde toma un valor.
    const float* eje = prop < 0 ? X : Y;
    const float* valores = prop < 0 ? Y : X;
    saturacion_de sat(modo, fijo);
    const busqueda b{eje, fijo, objetivo, prop};
    auto de_valores = [valores](int i) { return valores[i]; };
    return modo == MODO_ISOBARA ? busca<MODO_ISOBARA>(b, de_valores, sat, resultado)
                                : busca<MODO_ISOTERMA>(b, de_valores, sat, resultado);
}

std::int32_t calc_tp(float t, float p)
{
    saturacion_de sat_p(POR_PRESION, p);
    return calc_tp(t, p, sat_p);
}

std::int32_t calc_tp(float t, float p, saturacion_de& sat_p) { return calc_tp_con(t, p, sat_p, nullptr); }

std::int32_t calcula_por_isobara(float p, float valor, std::int32_t prop)
{
    saturacion_de sat_p(POR_PRESION, p);
    return calcula_por_isobara(p, valor, prop, sat_p);
}

std::int32_t calcula_por_isobara(float p, float valor, std::int32_t prop, saturacion_de& sat_p)
{
    if (!dentro(eje_presiones, NUM_PRESIONES, p)) return TP_FUERA;
    isobara_perezosa linea;
    linea.abre(p, sat_p);
    const int q = indice_propiedad(prop);
    float t;
    const std::int32_t b = busca<MODO_ISOBARA>({eje_temperaturas, p, valor, prop},
                                 [&linea, q](int i) { return linea.valor_recorrido(i, q); }, sat_p, t);
    if (b != BUSCA_BIEN) return resultado_tp(b);
    const std::int32_t r = existe(calc_tp_con(t, p, sat_p, &linea));
    if (r == TP_BIEN && p > P_COMPROBADA && !admite_residuo("calcula_por_isobara", q, valor, propiedad_hallada(q)))
        return TP_INVEROSIMIL;
    return r;
}

std::int32_t calcula_por_isoterma(float t, float valor, std::int32_t prop)
{
    saturacion_de sat_t(POR_TEMPERATURA, t);
    return calcula_por_isoterma(t, valor, prop, sat_t);
}

std::int32_t calcula_por_isoterma(float t, float valor, std::int32_t prop, saturacion_de& sat_t)
{
    if (!dentro(eje_temperaturas, NUM_TEMPERATURAS, t)) return TP_FUERA;
    isoterma_perezosa linea;
    linea.abre(t, sat_t);
    const int q = indice_propiedad(prop);
    float p;
    plantilla pl;
    const std::int32_t b = busca<MODO_ISOTERMA>({eje_presiones, t, valor, prop, &pl},
                                 [&linea, q](int j) { return linea.valor(j, q); }, sat_t, p,
                                 [&linea, q](int j) { return linea.cota_inferior(j, q); });
    if (b != BUSCA_BIEN) return resultado_tp(b);
    // Una presión hallada por encima de P_COMPROBADA que, con el error
    // estimado de la búsqueda, puede ser de un estado de hasta
    // P_COMPROBADA se calcula como los de debajo: junto a la saturación, de
    // 198 a 200 bar, la isoterma llega a dar hasta 1,9 bar de más.
    saturacion_de sat_p(POR_PRESION, p);
    const bool como_por_debajo = p > P_COMPROBADA && puede_ser_de_por_debajo(pl, q, valor, p);
    const std::int32_t r = existe(calc_tp_con(t, p, sat_p, nullptr, como_por_debajo));
    // La presión hallada se comprueba si la búsqueda usó alguna columna por
    // encima de P_COMPROBADA, aunque ella quede por debajo: junto al punto
    // crítico la isoterma puede dar menos de 200 bar para un estado de 220.
    const bool comprobada = p > P_COMPROBADA || *std::max_element(pl.y, pl.y + pl.n) > P_COMPROBADA;
    if (r == TP_BIEN && comprobada && !admite_residuo("calcula_por_isoterma", q, valor, propiedad_hallada(q)))
        return TP_INVEROSIMIL;
    return r;
}
