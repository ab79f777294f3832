#include "brumalix/motor/calcula.h"
#include "brumalix/motor/saturacion.h"
#include "brumalix/motor/traza.h"

#include "comun/formato.h"
#include "comun/mensajes.h"
#include "comun/texto1252.h"

#include <cmath>

registro_saturacion datos_saturacion;
std::int32_t estado_en_curso = 0;

void mensaje_estado(const char* texto, int tipo)
{
    if (tipo == 0)
        muestra_error("Estado %d: %s", estado_en_curso, texto);
    else
        muestra_aviso("Estado %d: %s", estado_en_curso, texto);
}

namespace {

const char* const fuera_de_margen = "Datos fuera de margen";

// Saturación de la presión (tipo 0) o la temperatura (tipo 1) de 'lectura'
// en datos_saturacion; el primer resultado va a t o a p según el tipo.
bool registra_saturacion(saturacion_de& lectura)
{
    if (!lectura.lee()) return false;
    const punto_saturacion& s = lectura.punto();
    const bool por_presion = lectura.tipo() == POR_PRESION;
    const float t = por_presion ? s.sat : lectura.valor();
    const float p = por_presion ? lectura.valor() : s.sat;
    datos_saturacion = registro_saturacion{s.hl, s.hv, s.sl, s.sv, s.vl, s.vv, t, p};
    return true;
}

// Título por la regla de la palanca; en la fila del punto crítico de la
// tabla líquido y vapor coinciden y no hay título que dar.
bool titulo(float valor, float liquido, float vapor, float& x)
{
    const float salto = vapor - liquido;
    if (!(salto > 0.0f)) return false;
    x = (valor - liquido) / salto;
    return std::isfinite(x);
}

float palanca(float x, float liquido, float vapor) { return (1 - x) * liquido + x * vapor; }

// Vapor húmedo a la presión p con la propiedad q (0 h, 1 s, 2 v) dada: el
// título por la regla de la palanca y las otras dos propiedades, en
// estado_resultado.
std::int32_t humedo_con(float p, float dato, int q)
{
    punto_saturacion s;
    float x;
    if (!lee_saturado(POR_PRESION, p, s) || !titulo(dato, s.liquido(q), s.vapor(q), x)) return 1;
    registro_resultado& r = estado_resultado;
    r.x = x;
    if (q != 0) r.h = palanca(x, s.hl, s.hv);
    if (q != 1) r.s = palanca(x, s.sl, s.sv);
    if (q != 2) r.v = palanca(x, s.vl, s.vv);
    return 0;
}

// Holgura del título de vapor húmedo frente a 0 y 1: unos pocos redondeos
// de f32 (1e-6; el paso de f32 junto a 1 es 1,2e-7). Un título más allá es
// una extrapolación fuera de la campana, no un estado húmedo.
constexpr float HOLGURA_TITULO = 1e-6f;

bool titulo_en_campana(float x) { return x >= -HOLGURA_TITULO && x <= 1 + HOLGURA_TITULO; }

bool registros_finitos(bool con_titulo)
{
    const registro_resultado& r = estado_resultado;
    return std::isfinite(r.p) && std::isfinite(r.t) && std::isfinite(r.h) && std::isfinite(r.s) &&
           std::isfinite(r.v) && (!con_titulo || std::isfinite(r.x));
}

// Pasos de calcula. Cada uno deja lo que calcula en estado_resultado (y en
// datos_saturacion lo que lee de la tabla de saturación) y devuelve
// CALCULA_BIEN para seguir o, tras su mensaje, el resultado de calcula.

std::int32_t falla(const char* texto, std::int32_t resultado)
{
    mensaje_estado(texto, 0);
    return resultado;
}

// El lado de la saturación en que se calcula, para la rejilla y como fase
// de salida.
void pon_fase(bool liquido, std::int32_t& fase)
{
    fase_actual = liquido ? FASE_LIQUIDO : FASE_VAPOR;
    fase = liquido ? FASE_SALIDA_LIQUIDO : FASE_SALIDA_VAPOR;
}

// Lo que dio una búsqueda en la isobara o la isoterma: sin estado, el
// mensaje de la pareja.
std::int32_t tras_busqueda(std::int32_t r, const char* sin_estado)
{
    if (r == TP_INVEROSIMIL) return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
    if (r != TP_BIEN) return falla(sin_estado, CALCULA_SIN_ESTADO);
    return CALCULA_BIEN;
}

// (t, p): líquido o vapor según la saturación de p.
std::int32_t calcula_tp(float tt, float pp, std::int32_t& fase)
{
    const registro_saturacion& sat = datos_saturacion;
    saturacion_de sat_p(POR_PRESION, pp);
    if (registra_saturacion(sat_p)) {
        const float distancia = static_cast<float>(std::fabs(tt - sat.t) / sat.t);
        if (distancia < tolerancia_saturacion) {
            mensaje_estado("Está en las curvas límite.\nSustituya uno de los parámetros por el título\n"
                           "(0<x<1) u otra propiedad"_w,
                           1);
            return CALCULA_EN_SATURACION;
        }
        pon_fase(tt < sat.t, fase);
    } else if (pp > P_MAX_SATURACION && pp <= eje_presiones[NUM_PRESIONES - 1]) {
        // Por encima de la tabla de saturación, hasta el final de la
        // rejilla, no hay saturación: una sola fase, líquido por debajo
        // de la temperatura límite de la tabla, como en (t,s) y (t,v).
        pon_fase(tt < T_MAX_SATURACION, fase);
    } else {
        return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
    }
    if (calc_tp(tt, pp, sat_p) != 0) return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
    estado_resultado.t = tt;
    estado_resultado.p = pp;
    return CALCULA_BIEN;
}

// (t, s) y (t, v): sólo vapor sobrecalentado, por la isoterma.
std::int32_t calcula_por_t(float tt, float dato, bool es_s, std::int32_t& fase)
{
    const registro_saturacion& sat = datos_saturacion;
    saturacion_de sat_t(POR_TEMPERATURA, tt);
    if (!(tt >= T_MAX_SATURACION)) {
        if (!registra_saturacion(sat_t)) return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
        if (dato < (es_s ? sat.sl : sat.vl))
            return falla("Combinación de datos no permitida en líquido"_w, CALCULA_EN_LIQUIDO);
        if (dato <= (es_s ? sat.sv : sat.vv))
            return falla("Las combinaciones (t,s) y (t,v) no se permiten en vapor húmedo"_w, CALCULA_EN_HUMEDO);
    }
    pon_fase(false, fase);
    const std::int32_t r = tras_busqueda(calcula_por_isoterma(tt, dato, es_s ? PROP_S : PROP_V, sat_t),
                                         es_s ? "Valores de temperatura o entropia fuera de limite"
                                              : "Valores de temperatura o de volumen específico fuera de rango"_w);
    if (r != CALCULA_BIEN) return r;
    estado_resultado.t = tt;
    if (es_s)
        estado_resultado.s = dato;
    else
        estado_resultado.v = dato;
    return CALCULA_BIEN;
}

// (p, h), (p, s) y (p, v): líquido o vapor por la isobara; entre los
// valores de líquido y vapor saturados, vapor húmedo, que sigue con el
// código de la pareja en húmedo en 'codigo'. En líquido no se permite v.
std::int32_t calcula_por_p(float pp, float dato, std::int32_t& codigo, bool& humedo, std::int32_t& fase)
{
    const int q = codigo == COD_PH ? 0 : codigo == COD_PS ? 1 : 2;
    saturacion_de sat_p(POR_PRESION, pp);
    if (!registra_saturacion(sat_p)) return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
    const registro_saturacion& sat = datos_saturacion;
    const float liquido = q == 0 ? sat.hl : q == 1 ? sat.sl : sat.vl;
    const float vapor = q == 0 ? sat.hv : q == 1 ? sat.sv : sat.vv;
    if (q == 2 && dato < liquido) return falla("Combinación de datos no permitida en líquido"_w, CALCULA_EN_LIQUIDO);
    // En v, húmedo hasta el vapor saturado incluido (el líquido ya no llega
    // aquí).
    const bool en_campana = q == 2 ? dato <= vapor : !(dato < liquido) && !(dato > vapor);
    if (en_campana) {
        codigo = q == 0 ? COD_PH_HUMEDO : q == 1 ? COD_PS_HUMEDO : COD_PV_HUMEDO;
        escribe_traza("calcula(cod=%d)", codigo);
        humedo = true;
        return CALCULA_BIEN;
    }
    pon_fase(dato < liquido, fase);
    const char* const sin_estado[3] = {"Datos de presión o entalpía fuera de límite"_w,
                                       "Datos de presión o entropía fuera de límite"_w,
                                       "Datos de presión o de volumen específico fuera de límite"_w};
    const std::int32_t r = tras_busqueda(calcula_por_isobara(pp, dato, q == 0 ? PROP_H : q == 1 ? PROP_S : PROP_V,
                                                             sat_p),
                                         sin_estado[q]);
    if (r != CALCULA_BIEN) return r;
    estado_resultado.p = pp;
    if (q == 0)
        estado_resultado.h = dato;
    else if (q == 1)
        estado_resultado.s = dato;
    else
        estado_resultado.v = dato;
    return CALCULA_BIEN;
}

// Presiones hasta las que la tabla de saturación da bien el vapor húmedo.
// Por encima de 219 bar sus filas de 220 bar y del punto crítico de la
// tabla (221,2 bar, y no los 220,64 de IAPWS-IF97) apartan la curva
// interpolada de la real. Medido frente a IAPWS-IF97 de 200 a 221,2 bar en
// pasos de 0,0005 bar, con el título de 0 a 1 de 0,005 en 0,005: con el
// título dado, h, s y v por la regla de la palanca salen dentro del 1 % (v
// del 2 %) hasta 220,453 bar; con el título hallado de h, s o v, que
// divide el error de los valores saturados por la diferencia entre líquido
// y vapor, el título sale dentro de 0,01 hasta 219,487 bar. Por encima no
// se da vapor húmedo. (t, x) no llega: a 373,68 °C la tabla da 219,89 bar.
constexpr double P_HUMEDO_TITULO_DADO = 220.4;
constexpr double P_HUMEDO_TITULO_HALLADO = 219.4;

// Si la presión p de un estado húmedo queda dentro de la parte de la tabla
// de saturación que lo da bien; si no, una línea de traza lo dice.
bool humedo_en_margen(float p, bool titulo_dado)
{
    const double limite = titulo_dado ? P_HUMEDO_TITULO_DADO : P_HUMEDO_TITULO_HALLADO;
    if (p <= limite) return true;
    escribe_traza("calcula: VAPOR HUMEDO A p=%g, POR ENCIMA DE %g, FUERA DE MARGEN", p, limite);
    return false;
}

// (t, x): vapor húmedo a la presión de saturación de t.
std::int32_t calcula_tx(float tt, float xx)
{
    registro_resultado& r = estado_resultado;
    if (tt > T_MAX_SATURACION)
        return falla(formatea("Con esta temperatura (%g) no es posible vapor húmedo"_w, tt).c_str(),
                     CALCULA_FUERA_MARGEN);
    if (calc_psat(tt, r.p) != 0) return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
    if (calc_px(r.p, xx) != 0) return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
    r.t = tt;
    r.x = xx;
    return CALCULA_BIEN;
}

// Vapor húmedo dado por la presión y x, h, s o v (el código en húmedo).
std::int32_t calcula_humedo(std::int32_t codigo, float pp, float dato)
{
    registro_resultado& r = estado_resultado;
    if (calc_tsat(pp, r.t) != 0) return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
    if (!humedo_en_margen(pp, codigo == COD_PX)) return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
    std::int32_t mal = 0;
    switch (codigo) {
    case COD_PX: mal = calc_px(pp, dato); r.x = dato; break;
    case COD_PH_HUMEDO: mal = calc_ph(pp, dato); r.h = dato; break;
    case COD_PS_HUMEDO: mal = calc_ps(pp, dato); r.s = dato; break;
    default: mal = calc_pv(pp, dato); r.v = dato; break;
    }
    if (mal != 0) return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
    r.p = pp;
    return CALCULA_BIEN;
}

// El título de la salida y la comprobación de lo calculado. Un título
// (dado o calculado) fuera de 0..1 no es vapor húmedo: la regla de la
// palanca extrapolaría fuera de la campana. En una fase no hay título: x
// sale -1, el valor de lo que no se da, y no el de una llamada anterior.
// Ningún valor indefinido sale como resultado.
std::int32_t cierra(bool humedo, std::int32_t& fase)
{
    registro_resultado& r = estado_resultado;
    if (humedo) {
        if (!titulo_en_campana(r.x)) {
            escribe_traza("calcula: TITULO FUERA DE 0..1 x=%g", r.x);
            return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
        }
        fase = FASE_SALIDA_HUMEDO;
    } else {
        r.x = -1;
    }
    if (!registros_finitos(fase == FASE_SALIDA_HUMEDO)) return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
    return CALCULA_BIEN;
}

} // namespace

std::int32_t calc_px(float p, float x)
{
    escribe_traza("calc_px(p=%g x=%g)->lee_datos_f1", p, x);
    punto_saturacion s;
    if (!lee_saturado(POR_PRESION, p, s)) return 1;
    estado_resultado.h = palanca(x, s.hl, s.hv);
    estado_resultado.s = palanca(x, s.sl, s.sv);
    estado_resultado.v = palanca(x, s.vl, s.vv);
    return 0;
}

std::int32_t calc_ph(float p, float h)
{
    escribe_traza("calc_ph(p=%g h=%g)->lee_datos_f1", p, h);
    return humedo_con(p, h, 0);
}

std::int32_t calc_ps(float p, float s)
{
    escribe_traza("calc_ps(p=%g s=%g)->lee_datos_f1", p, s);
    return humedo_con(p, s, 1);
}

std::int32_t calc_pv(float p, float v)
{
    escribe_traza("calc_pv(p=%g v=%g)->lee_datos_f1", p, v);
    return humedo_con(p, v, 2);
}

std::int32_t calcula(std::int32_t estado, float dato1, float dato2, std::int32_t codigo, float& p, float& t,
                     float& h, float& s, float& v, float& x, std::int32_t& fase)
{
    estado_en_curso = estado;
    escribe_traza("calcula(cod=%d)", codigo);
    std::int32_t r = CALCULA_BIEN;
    bool humedo = false;
    switch (codigo) {
    case COD_TP: r = calcula_tp(dato1, dato2, fase); break;
    case COD_TS:
    case COD_TV: r = calcula_por_t(dato1, dato2, codigo == COD_TS, fase); break;
    case COD_PH:
    case COD_PS:
    case COD_PV: r = calcula_por_p(dato1, dato2, codigo, humedo, fase); break;
    case COD_PX:
    case COD_PH_HUMEDO:
    case COD_PS_HUMEDO:
    case COD_PV_HUMEDO: humedo = true; break;
    case COD_TX:
        r = calcula_tx(dato1, dato2);
        humedo = true;
        break;
    default: r = falla(fuera_de_margen, CALCULA_FUERA_MARGEN); break;
    }
    if (r == CALCULA_BIEN && humedo && codigo != COD_TX) r = calcula_humedo(codigo, dato1, dato2);
    if (r == CALCULA_BIEN) r = cierra(humedo, fase);
    if (r != CALCULA_BIEN) return r;
    const registro_resultado& e = estado_resultado;
    p = e.p;
    t = e.t;
    h = e.h;
    s = e.s;
    v = e.v;
    x = e.x;
    return CALCULA_BIEN;
}
