#include "brumalix/motor/saturacion.h"
#include "brumalix/motor/tablas.h"
#include "brumalix/motor/traza.h"

#include <cmath>
#include <tuple>

float Interpola2(float x1, float x2, float y1, float y2, float x)
{
    float r = y1 + (x - x1) / (x2 - x1) * (y2 - y1);
    escribe_traza("Interpola2( %g %g %g %g %g) -> %g", x1, x2, y1, y2, x, r);
    return r;
}

float interpola_cuadratica(float x0, float x1, float x2, float y0, float y1, float y2, float x)
{
    return evalua_cuadratica(prepara_cuadratica(x0, x1, x2, x), y0, y1, y2);
}

void evalua_cuadraticas(const abscisas_cuadratica& a, int n, const float (*ys)[3], float* resultado)
{
    int k = 0;
#if defined(__GNUC__)
    // De dos en dos, con las operaciones del procesador sobre dos dobles a
    // la vez: cada una es, en cada mitad, la misma operación IEEE que la del
    // doble suelto de evalua_cuadratica, en el mismo orden, con los mismos
    // redondeos a f32. Casi la mitad de instrucciones por parábola.
    using doble2 = double __attribute__((vector_size(16)));
    using simple2 = float __attribute__((vector_size(8)));
    auto a_f32 = [](doble2 x) { return __builtin_convertvector(__builtin_convertvector(x, simple2), doble2); };
    const double u = a.u, w = a.w;
    for (; k + 1 < n; k += 2) {
        const doble2 y0 = {ys[k][0], ys[k + 1][0]};
        const doble2 y1 = {ys[k][1], ys[k + 1][1]};
        const doble2 y2 = {ys[k][2], ys[k + 1][2]};
        const doble2 c = a_f32((y1 - 0.5 * w * (y2 - y0) - 0.5 * w * w * (y2 + y0)) / a.uno_menos_w2);
        const doble2 d = a_f32((y2 + y0) - 2.0 * c);
        const simple2 r = __builtin_convertvector(c + 0.5 * (y2 - y0) * u + 0.5 * u * u * d, simple2);
        resultado[k] = r[0];
        resultado[k + 1] = r[1];
    }
#endif
    for (; k < n; ++k) resultado[k] = evalua_cuadratica(a, ys[k][0], ys[k][1], ys[k][2]);
}

bool consulta_saturacion(std::int32_t tipo, float valor, punto_saturacion& s)
{
    const int columna = tipo == POR_PRESION ? F1_P : F1_T;
    const int otra = tipo == POR_PRESION ? F1_T : F1_P;
    const double minimo = tipo == POR_PRESION ? P_MIN_SATURACION : T_MIN_SATURACION;
    const double maximo = tipo == POR_PRESION ? P_MAX_SATURACION : T_MAX_SATURACION;
    if (!(valor >= minimo && valor <= maximo)) return false;

    const int filas = num_filas_f1;
    if (filas < 3) return false;
    // Primera fila que no queda por debajo del valor (la columna crece con
    // las filas), por bisección.
    int i = 0, fin = filas;
    while (i < fin) {
        const int medio = i + (fin - i) / 2;
        if (valor_f1(medio, columna) < valor)
            i = medio + 1;
        else
            fin = medio;
    }
    // Una tabla que no llega al valor no da resultado.
    if (i >= filas) return false;
    float anterior = i > 0 ? valor_f1(i - 1, columna) : 0.0f;
    float actual = valor_f1(i, columna);
    int c = i;
    if (i >= 2 && actual - valor > valor - anterior) c = i - 1;
    if (tipo == POR_PRESION) {
        if (std::fabs(actual - P_FILA_CRITICA) < 0.0001) --c;
        if (std::fabs(actual - P_FILA_ANTES_CRITICA) < 0.0001) --c;
    }
    if (c < 1) c = 1;
    if (c > filas - 2) c = filas - 2;

    // Las siete parábolas pasan por las mismas tres filas.
    const abscisas_cuadratica a =
        prepara_cuadratica(valor_f1(c - 1, columna), valor_f1(c, columna), valor_f1(c + 1, columna), valor);
    auto parabola = [&](int col) {
        return evalua_cuadratica(a, valor_f1(c - 1, col), valor_f1(c, col), valor_f1(c + 1, col));
    };
    s.sat = parabola(otra);
    s.hl = parabola(F1_HL);
    s.hv = parabola(F1_HV);
    s.sl = parabola(F1_SL);
    s.sv = parabola(F1_SV);
    s.vl = parabola(F1_VL);
    s.vv = parabola(F1_VV);
    return true;
}

void traza_lectura_saturacion(std::int32_t tipo, float valor, float primero)
{
    escribe_traza("lee_datos_f1 dato(%s)=%g pt=%g ", tipo == POR_PRESION ? "PRESION" : "TEMPERATURA", valor,
                  primero);
}

bool lee_saturado(std::int32_t tipo, float valor, punto_saturacion& s)
{
    if (!consulta_saturacion(tipo, valor, s)) return false;
    traza_lectura_saturacion(tipo, valor, s.sat);
    return true;
}

std::int32_t lee_datos_f1(std::int32_t tipo, float valor, float& primero, float& hl, float& hv, float& sl,
                          float& sv, float& vl, float& vv)
{
    punto_saturacion s;
    if (!consulta_saturacion(tipo, valor, s)) return 99;
    std::tie(primero, hl, hv, sl, sv, vl, vv) = std::tie(s.sat, s.hl, s.hv, s.sl, s.sv, s.vl, s.vv);
    traza_lectura_saturacion(tipo, valor, primero);
    return 0;
}

std::int32_t calc_psat(float t, float& p)
{
    escribe_traza("calc_psat(tsat=%g) -> lee_datos_f1", t);
    float x;
    return lee_datos_f1(POR_TEMPERATURA, t, p, x, x, x, x, x, x);
}

std::int32_t calc_tsat(float p, float& t)
{
    escribe_traza("calc_tsat(psat=%g) -> lee_datos_f1", p);
    float x;
    return lee_datos_f1(POR_PRESION, p, t, x, x, x, x, x, x);
}
