#include "calcula.h"
#include "saturacion.h"
#include "traza.h"

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
bool lee_saturacion(saturacion_de& lectura)
{
    if (!lectura.lee()) return false;
    registro_saturacion& d = datos_saturacion;
    const punto_saturacion& s = lectura.punto();
    d.hl = s.hl;
    d.hv = s.hv;
    d.sl = s.sl;
    d.sv = s.sv;
    d.vl = s.vl;
    d.vv = s.vv;
    if (lectura.tipo() == POR_PRESION) {
        d.t = s.sat;
        d.p = lectura.valor();
    } else {
        d.p = s.sat;
        d.t = lectura.valor();
    }
    return true;
}

// Propiedades de líquido y vapor saturados a p, para la regla de la palanca.
struct saturado {
    float hl, hv, sl, sv, vl, vv;
};

bool lee_saturado(float p, saturado& s)
{
    float t;
    return lee_datos_f1(POR_PRESION, p, t, s.hl, s.hv, s.sl, s.sv, s.vl, s.vv) == 0;
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

} // namespace

std::int32_t calc_px(float p, float x)
{
    escribe_traza("calc_px(p=%g x=%g)->lee_datos_f1", p, x);
    saturado s;
    if (!lee_saturado(p, s)) return 1;
    estado_resultado.h = palanca(x, s.hl, s.hv);
    estado_resultado.s = palanca(x, s.sl, s.sv);
    estado_resultado.v = palanca(x, s.vl, s.vv);
    return 0;
}

std::int32_t calc_ph(float p, float h)
{
    escribe_traza("calc_ph(p=%g h=%g)->lee_datos_f1", p, h);
    saturado s;
    float x;
    if (!lee_saturado(p, s) || !titulo(h, s.hl, s.hv, x)) return 1;
    estado_resultado.x = x;
    estado_resultado.s = palanca(x, s.sl, s.sv);
    estado_resultado.v = palanca(x, s.vl, s.vv);
    return 0;
}

std::int32_t calc_ps(float p, float s_dada)
{
    escribe_traza("calc_ps(p=%g s=%g)->lee_datos_f1", p, s_dada);
    saturado s;
    float x;
    if (!lee_saturado(p, s) || !titulo(s_dada, s.sl, s.sv, x)) return 1;
    estado_resultado.x = x;
    estado_resultado.h = palanca(x, s.hl, s.hv);
    estado_resultado.v = palanca(x, s.vl, s.vv);
    return 0;
}

std::int32_t calc_pv(float p, float v)
{
    escribe_traza("calc_pv(p=%g v=%g)->lee_datos_f1", p, v);
    saturado s;
    float x;
    if (!lee_saturado(p, s) || !titulo(v, s.vl, s.vv, x)) return 1;
    estado_resultado.x = x;
    estado_resultado.h = palanca(x, s.hl, s.hv);
    estado_resultado.s = palanca(x, s.sl, s.sv);
    return 0;
}

std::int32_t calcula(std::int32_t estado, float dato1, float dato2, std::int32_t codigo, float& p, float& t,
                     float& h, float& s, float& v, float& x, std::int32_t& fase)
{
    estado_en_curso = estado;
    escribe_traza("calcula(cod=%d)", codigo);
    registro_resultado& r = estado_resultado;
    registro_saturacion& sat = datos_saturacion;

    auto falla = [](const char* texto, std::int32_t resultado) {
        mensaje_estado(texto, 0);
        return resultado;
    };
    auto pon_liquido = [&fase] {
        fase_actual = FASE_LIQUIDO;
        fase = FASE_SALIDA_LIQUIDO;
    };
    auto pon_vapor = [&fase] {
        fase_actual = FASE_VAPOR;
        fase = FASE_SALIDA_VAPOR;
    };

    bool humedo = false;
    switch (codigo) {
    case COD_TP: {
        const float tt = dato1, pp = dato2;
        saturacion_de sat_p(POR_PRESION, pp);
        if (lee_saturacion(sat_p)) {
            const float distancia = static_cast<float>(std::fabs(tt - sat.t) / sat.t);
            if (distancia < tolerancia_saturacion) {
                mensaje_estado("Está en las curvas límite.\nSustituya uno de los parámetros por el título\n"
                               "(0<x<1) u otra propiedad"_w,
                               1);
                return CALCULA_EN_SATURACION;
            }
            if (tt < sat.t)
                pon_liquido();
            else
                pon_vapor();
        } else if (pp > 221.2 && pp <= eje_presiones[NUM_PRESIONES - 1]) {
            // Por encima de la tabla de saturación, hasta el final de la
            // rejilla, no hay saturación: una sola fase, líquido por debajo
            // de la temperatura límite de la tabla, como en (t,s) y (t,v).
            if (tt < 373.68)
                pon_liquido();
            else
                pon_vapor();
        } else {
            return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
        }
        if (calc_tp(tt, pp, sat_p) != 0) return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
        r.t = tt;
        r.p = pp;
        break;
    }
    case COD_TS:
    case COD_TV: {
        const float tt = dato1, dato = dato2;
        const bool es_s = codigo == COD_TS;
        saturacion_de sat_t(POR_TEMPERATURA, tt);
        if (tt >= 373.68) {
            pon_vapor();
        } else {
            if (!lee_saturacion(sat_t)) return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
            if (dato < (es_s ? sat.sl : sat.vl))
                return falla("Combinación de datos no permitida en líquido"_w, CALCULA_EN_LIQUIDO);
            if (dato <= (es_s ? sat.sv : sat.vv))
                return falla("Las combinaciones (t,s) y (t,v) no se permiten en vapor húmedo"_w, CALCULA_EN_HUMEDO);
            pon_vapor();
        }
        const std::int32_t r_isoterma = calcula_por_isoterma(tt, dato, es_s ? PROP_S : PROP_V, sat_t);
        if (r_isoterma == TP_INVEROSIMIL) return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
        if (r_isoterma != TP_BIEN)
            return falla(es_s ? "Valores de temperatura o entropia fuera de limite"
                              : "Valores de temperatura o de volumen específico fuera de rango"_w,
                         CALCULA_SIN_ESTADO);
        r.t = tt;
        if (es_s)
            r.s = dato;
        else
            r.v = dato;
        break;
    }
    case COD_PH:
    case COD_PS: {
        const float pp = dato1, dato = dato2;
        const bool es_h = codigo == COD_PH;
        saturacion_de sat_p(POR_PRESION, pp);
        if (!lee_saturacion(sat_p)) return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
        const float liquido = es_h ? sat.hl : sat.sl;
        const float vapor = es_h ? sat.hv : sat.sv;
        if (dato < liquido) {
            pon_liquido();
        } else if (dato > vapor) {
            pon_vapor();
        } else {
            codigo = es_h ? COD_PH_HUMEDO : COD_PS_HUMEDO;
            escribe_traza("calcula(cod=%d)", codigo);
            humedo = true;
            break;
        }
        const std::int32_t r_isobara = calcula_por_isobara(pp, dato, es_h ? PROP_H : PROP_S, sat_p);
        if (r_isobara == TP_INVEROSIMIL) return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
        if (r_isobara != TP_BIEN)
            return falla(es_h ? "Datos de presión o entalpía fuera de límite"_w
                              : "Datos de presión o entropía fuera de límite"_w,
                         CALCULA_SIN_ESTADO);
        r.p = pp;
        if (es_h)
            r.h = dato;
        else
            r.s = dato;
        break;
    }
    case COD_PV: {
        const float pp = dato1, vv = dato2;
        saturacion_de sat_p(POR_PRESION, pp);
        if (!lee_saturacion(sat_p)) return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
        if (vv < sat.vl) return falla("Combinación de datos no permitida en líquido"_w, CALCULA_EN_LIQUIDO);
        if (vv <= sat.vv) {
            codigo = COD_PV_HUMEDO;
            escribe_traza("calcula(cod=%d)", codigo);
            humedo = true;
            break;
        }
        pon_vapor();
        const std::int32_t r_isobara = calcula_por_isobara(pp, vv, PROP_V, sat_p);
        if (r_isobara == TP_INVEROSIMIL) return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
        if (r_isobara != TP_BIEN)
            return falla("Datos de presión o de volumen específico fuera de límite"_w, CALCULA_SIN_ESTADO);
        r.p = pp;
        r.v = vv;
        break;
    }
    case COD_PX:
    case COD_PH_HUMEDO:
    case COD_PS_HUMEDO:
    case COD_PV_HUMEDO:
        humedo = true;
        break;
    case COD_TX: {
        const float tt = dato1, xx = dato2;
        if (tt > 373.68) {
            mensaje_estado(formatea("Con esta temperatura (%g) no es posible vapor húmedo"_w, tt).c_str(), 0);
            return CALCULA_FUERA_MARGEN;
        }
        if (calc_psat(tt, r.p) != 0) return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
        if (calc_px(r.p, xx) != 0) return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
        r.t = tt;
        r.x = xx;
        humedo = true;
        break;
    }
    default:
        return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
    }

    if (humedo && codigo != COD_TX) {
        // Vapor húmedo dado por la presión y x, h, s o v.
        const float pp = dato1, dato = dato2;
        if (calc_tsat(pp, r.t) != 0) return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
        std::int32_t mal = 0;
        switch (codigo) {
        case COD_PX: mal = calc_px(pp, dato); r.x = dato; break;
        case COD_PH_HUMEDO: mal = calc_ph(pp, dato); r.h = dato; break;
        case COD_PS_HUMEDO: mal = calc_ps(pp, dato); r.s = dato; break;
        default: mal = calc_pv(pp, dato); r.v = dato; break;
        }
        if (mal != 0) return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
        r.p = pp;
    }
    if (humedo) {
        // Un título (dado o calculado) fuera de 0..1 no es vapor húmedo: la
        // regla de la palanca extrapolaría fuera de la campana.
        if (!titulo_en_campana(r.x)) {
            escribe_traza("calcula: TITULO FUERA DE 0..1 x=%g", r.x);
            return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
        }
        fase = FASE_SALIDA_HUMEDO;
    } else {
        // En una fase no hay título: x sale -1, el valor de lo que no se da,
        // y no el de una llamada anterior.
        r.x = -1;
    }

    // Ningún valor indefinido sale como resultado.
    if (!registros_finitos(fase == FASE_SALIDA_HUMEDO)) return falla(fuera_de_margen, CALCULA_FUERA_MARGEN);
    p = r.p;
    t = r.t;
    h = r.h;
    s = r.s;
    v = r.v;
    x = r.x;
    return CALCULA_BIEN;
}
