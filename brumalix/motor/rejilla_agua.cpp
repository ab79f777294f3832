#include "rejilla_agua.h"
#include "saturacion.h"
#include "traza.h"

#include <cmath>

registro_resultado estado_resultado;
std::int32_t fase_actual = FASE_VAPOR;

namespace {

// Parábola por tres puntos; si dos abscisas coinciden (un punto de
// saturación que cae justo sobre un punto de la rejilla) se usa la recta por
// los dos puntos distintos, para no dividir por cero.
float parabola(float x0, float x1, float x2, float y0, float y1, float y2, float x)
{
    auto recta = [x](float a, float b, float ya, float yb) {
        if (a == b) return ya;
        return ya + (x - a) / (b - a) * (yb - ya);
    };
    if (x0 == x1) return recta(x1, x2, y1, y2);
    if (x1 == x2 || x0 == x2) return recta(x0, x1, y0, y1);
    return interpola_cuadratica(x0, x1, x2, y0, y1, y2, x);
}

// Primera de tres líneas consecutivas de un eje creciente, con la más
// próxima en medio (en empate, la superior); en los extremos, las tres
// primeras o las tres últimas.
int primera_de_tres(const float* eje, int n, float valor)
{
    if (valor < eje[1]) return 0;
    if (valor > eje[n - 2]) return n - 3;
    int k = 0;
    while (k < n - 1 && eje[k] < valor) ++k;
    int c = k - 1;
    if (k >= 1 && double(valor) - eje[k - 1] < double(eje[k]) - valor) c = k - 2;
    if (c < 0) c = 0;
    return c;
}

// Propiedades de saturación leídas de la tabla.
struct saturado {
    float sat = 0, hl = 0, hv = 0, sl = 0, sv = 0, vl = 0, vv = 0;
    float liquido(int prop) const { return prop == 0 ? hl : prop == 1 ? sl : vl; }
    float vapor(int prop) const { return prop == 0 ? hv : prop == 1 ? sv : vv; }
};

bool lee_saturado(int tipo, float valor, saturado& s)
{
    return lee_datos_f1(tipo, valor, s.sat, s.hl, s.hv, s.sl, s.sv, s.vl, s.vv) == 0;
}

} // namespace

int columnas_presion(float p)
{
    // La columna de presión 0 nunca entra en las tres.
    const int c = primera_de_tres(eje_presiones, NUM_PRESIONES, p);
    return c == 0 ? 1 : c;
}

int filas_temperatura(float t) { return primera_de_tres(eje_temperaturas, NUM_TEMPERATURAS, t); }

void calc_P(float p, float h[NUM_TEMPERATURAS], float s[NUM_TEMPERATURAS], float v[NUM_TEMPERATURAS])
{
    const int c = columnas_presion(p);
    escribe_traza("calc_P: cols=%d (%g %g %g)", c, eje_presiones[c], eje_presiones[c + 1], eje_presiones[c + 2]);
    escribe_traza(">INTERP: (%g %g %g) %g", eje_presiones[c], eje_presiones[c + 1], eje_presiones[c + 2], p);

    for (int i = 0; i < NUM_TEMPERATURAS; ++i) {
        const int T = 10 * i;
        float P[3], hh[3], ss[3], vv[3], dat[3];
        int marca[3];
        for (int k = 0; k < 3; ++k) {
            P[k] = eje_presiones[c + k];
            hh[k] = valor_f2(i, c + k, 0);
            ss[k] = valor_f2(i, c + k, 1);
            vv[k] = valor_f2(i, c + k, 2);
            dat[k] = hh[k];
            marca[k] = float(T) >= t_limite_vapor[c + k] ? 1 : -1;
        }
        escribe_traza(">POSI: T=%d <%d,%d,%d>", T, marca[0], marca[1], marca[2]);

        bool dos_puntos = false;
        saturado sat;
        const bool mezcla = !(marca[0] == marca[1] && marca[1] == marca[2]);
        if (mezcla && lee_saturado(POR_TEMPERATURA, float(T), sat)) {
            const float psat = sat.sat;
            if (marca[0] == 1 && marca[1] == -1) {
                // Vapor, líquido, líquido: psat entre P0 y P1.
                if (p < psat) escribe_traza(">  CUIDADO 1 !!!!");
                if (p >= psat) {
                    P[0] = psat;
                    hh[0] = sat.hl;
                    ss[0] = sat.sl;
                    vv[0] = sat.vl;
                } else if (c >= 2) {
                    P[2] = psat;
                    P[1] = P[0];
                    P[0] = eje_presiones[c - 1];
                    hh[2] = sat.hv;
                    hh[1] = hh[0];
                    hh[0] = valor_f2(i, c - 1, 0);
                    ss[2] = sat.sv;
                    ss[1] = ss[0];
                    ss[0] = valor_f2(i, c - 1, 1);
                    vv[2] = sat.vv;
                    vv[1] = vv[0];
                    vv[0] = valor_f2(i, c - 1, 2);
                } else {
                    escribe_traza(">  INTERPOLACION CON SOLO DOS VALORES. CASO 1");
                    h[i] = Interpola2(P[0], psat, hh[0], sat.hv, p);
                    s[i] = Interpola2(P[0], psat, ss[0], sat.sv, p);
                    v[i] = Interpola2(P[0], psat, vv[0], sat.vv, p);
                    escribe_traza(">  P (%g %g)   H (%g %g) para P=%g -> %g", P[0], psat, hh[0], sat.hv, p, h[i]);
                    dos_puntos = true;
                }
                escribe_traza(">Debe ser %g > %g", p, psat);
            } else if (marca[1] == 1 && marca[2] == -1) {
                // Vapor, vapor, líquido: psat entre P1 y P2.
                if (p > psat) escribe_traza("CUIDADO 2 !!!!");
                if (p <= psat) {
                    P[2] = psat;
                    hh[2] = sat.hv;
                    ss[2] = sat.sv;
                    vv[2] = sat.vv;
                } else if (c < NUM_PRESIONES - 3) {
                    P[0] = psat;
                    P[1] = P[2];
                    P[2] = eje_presiones[c + 3];
                    hh[0] = sat.hl;
                    hh[1] = hh[2];
                    hh[2] = valor_f2(i, c + 3, 0);
                    ss[0] = sat.sl;
                    ss[1] = ss[2];
                    ss[2] = valor_f2(i, c + 3, 1);
                    vv[0] = sat.vl;
                    vv[1] = vv[2];
                    vv[2] = valor_f2(i, c + 3, 2);
                } else {
                    escribe_traza(">  INTERPOLACION CON SOLO DOS VALORES. CASO 2");
                    h[i] = Interpola2(psat, P[2], sat.hl, hh[2], p);
                    s[i] = Interpola2(psat, P[2], sat.sl, ss[2], p);
                    v[i] = Interpola2(psat, P[2], sat.vl, vv[2], p);
                    escribe_traza(">  P (%g %g)   H (%g %g) para P=%g -> %g", psat, P[2], sat.hl, hh[2], p, h[i]);
                    dos_puntos = true;
                }
                escribe_traza(">Debe ser %g < %g", p, psat);
            }
        }
        if (!dos_puntos) {
            h[i] = parabola(P[0], P[1], P[2], hh[0], hh[1], hh[2], p);
            s[i] = parabola(P[0], P[1], P[2], ss[0], ss[1], ss[2], p);
            v[i] = parabola(P[0], P[1], P[2], vv[0], vv[1], vv[2], p);
            escribe_traza(">hp: %g %g %g  pres: %g %g %g  (dat: %g %g %g)    hi:%g", hh[0], hh[1], hh[2], P[0], P[1],
                          P[2], dat[0], dat[1], dat[2], h[i]);
        }
    }
}

void calc_T(float t, float h[NUM_PRESIONES], float s[NUM_PRESIONES], float v[NUM_PRESIONES])
{
    const int r = filas_temperatura(t);
    escribe_traza("calc_T: filas=%d (%g %g %g)", r, eje_temperaturas[r], eje_temperaturas[r + 1],
                  eje_temperaturas[r + 2]);
    escribe_traza(">INTERP: (%g %g %g) %g", eje_temperaturas[r], eje_temperaturas[r + 1], eje_temperaturas[r + 2], t);

    // Las columnas de 230 y 240 bar quedan por encima de la tabla de
    // saturación: usan los valores de la última presión que sí se leyó.
    saturado sat;
    bool hay_sat = false;
    for (int j = 0; j < NUM_PRESIONES; ++j) {
        const float P = eje_presiones[j];
        float T[3], hh[3], ss[3], vv[3], dat[3];
        int marca[3];
        for (int k = 0; k < 3; ++k) {
            T[k] = eje_temperaturas[r + k];
            hh[k] = valor_f2(r + k, j, 0);
            ss[k] = valor_f2(r + k, j, 1);
            vv[k] = valor_f2(r + k, j, 2);
            dat[k] = vv[k];
            marca[k] = eje_temperaturas[r + k] < t_limite_vapor[j] ? 1 : -1;
        }
        escribe_traza(">POSI: P=%g <%d,%d,%d>", P, marca[0], marca[1], marca[2]);

        bool dos_puntos = false;
        const bool mezcla = !(marca[0] == marca[1] && marca[1] == marca[2]);
        if (mezcla) {
            saturado nuevo;
            if (lee_saturado(POR_PRESION, P, nuevo)) {
                sat = nuevo;
                hay_sat = true;
            }
        }
        if (mezcla && hay_sat) {
            const float tsat = sat.sat;
            if (marca[0] == 1 && marca[1] == -1) {
                // Líquido, vapor, vapor: tsat entre T0 y T1.
                if (t < tsat) escribe_traza(">  CUIDADO 1 !!!!");
                if (t >= tsat) {
                    T[0] = tsat;
                    hh[0] = sat.hv;
                    ss[0] = sat.sv;
                    vv[0] = sat.vv;
                } else if (r >= 1) {
                    T[2] = tsat;
                    T[1] = T[0];
                    T[0] = eje_temperaturas[r - 1];
                    hh[2] = sat.hl;
                    hh[1] = hh[0];
                    hh[0] = valor_f2(r - 1, j, 0);
                    ss[2] = sat.sl;
                    ss[1] = ss[0];
                    ss[0] = valor_f2(r - 1, j, 1);
                    vv[2] = sat.vl;
                    vv[1] = vv[0];
                    vv[0] = valor_f2(r - 1, j, 2);
                } else {
                    escribe_traza(">  INTERPOLACION CON SOLO DOS VALORES. CASO 1");
                    h[j] = Interpola2(T[0], tsat, hh[0], sat.hl, t);
                    s[j] = Interpola2(T[0], tsat, ss[0], sat.sl, t);
                    v[j] = Interpola2(T[0], tsat, vv[0], sat.vl, t);
                    escribe_traza(">  T (%g %g)   H (%g %g) para T=%g -> %g", T[0], tsat, hh[0], sat.hl, t, h[j]);
                    dos_puntos = true;
                }
                escribe_traza(">Debe ser %g > %g", t, tsat);
            } else if (marca[1] == 1 && marca[2] == -1) {
                // Líquido, líquido, vapor: tsat entre T1 y T2.
                if (t > tsat) escribe_traza("CUIDADO 2 !!!!");
                if (t <= tsat) {
                    T[2] = tsat;
                    hh[2] = sat.hl;
                    ss[2] = sat.sl;
                    vv[2] = sat.vl;
                } else if (r < NUM_TEMPERATURAS - 3) {
                    T[0] = tsat;
                    T[1] = T[2];
                    T[2] = eje_temperaturas[r + 3];
                    hh[0] = sat.hv;
                    hh[1] = hh[2];
                    hh[2] = valor_f2(r + 3, j, 0);
                    ss[0] = sat.sv;
                    ss[1] = ss[2];
                    ss[2] = valor_f2(r + 3, j, 1);
                    vv[0] = sat.vv;
                    vv[1] = vv[2];
                    vv[2] = valor_f2(r + 3, j, 2);
                } else {
                    escribe_traza(">  INTERPOLACION CON SOLO DOS VALORES. CASO 2");
                    h[j] = Interpola2(tsat, T[2], sat.hv, hh[2], t);
                    s[j] = Interpola2(tsat, T[2], sat.sv, ss[2], t);
                    v[j] = Interpola2(tsat, T[2], sat.vv, vv[2], t);
                    escribe_traza(">  T (%g %g)   H (%g %g) para T=%g -> %g", tsat, T[2], sat.hv, hh[2], t, h[j]);
                    dos_puntos = true;
                }
                escribe_traza(">Debe ser %g < %g", t, tsat);
            }
        }
        if (!dos_puntos) {
            h[j] = parabola(T[0], T[1], T[2], hh[0], hh[1], hh[2], t);
            s[j] = parabola(T[0], T[1], T[2], ss[0], ss[1], ss[2], t);
            v[j] = parabola(T[0], T[1], T[2], vv[0], vv[1], vv[2], t);
            escribe_traza(">vp: %g %g %g  temp: %g %g %g  (dat: %g %g %g)    vi:%g", vv[0], vv[1], vv[2], T[0], T[1],
                          T[2], dat[0], dat[1], dat[2], v[j]);
        }
    }
}

std::int32_t busca_array(const float* X, const float* Y, std::int32_t modo, float fijo, float objetivo,
                         std::int32_t prop, float& resultado)
{
    escribe_traza("ENTRADA EN busca_array");
    const int n = modo == MODO_ISOBARA ? NUM_TEMPERATURAS : NUM_PRESIONES;
    float XX[NUM_PRESIONES], YY[NUM_PRESIONES];
    for (int i = 0; i < n; ++i) {
        XX[i] = X[i];
        YY[i] = Y[i];
    }

    // Punto de saturación de la línea (ninguno en la isoterma por encima de
    // 373,68 °C ni fuera de la tabla de saturación).
    saturado sat;
    bool hay_sat = false;
    if (!(modo == MODO_ISOTERMA && fijo > 373.68)) hay_sat = lee_saturado(modo, fijo, sat);
    float xL = 0, yL = 0, xV = 0, yV = 0;
    if (hay_sat) {
        if (prop < 0) {
            const int q = prop + 3;  // -3 h, -2 s, -1 v
            xL = xV = sat.sat;
            yL = sat.liquido(q);
            yV = sat.vapor(q);
        } else {
            xL = sat.liquido(prop);
            xV = sat.vapor(prop);
            yL = yV = sat.sat;
        }
    }

    int lo, hi;
    const bool liquido = fase_actual == FASE_LIQUIDO;
    if (modo == MODO_ISOBARA) {
        lo = 0;
        hi = n - 1;
        if (hay_sat) {
            int k = 0;
            while (k < n && !(XX[k] > xL)) ++k;
            // Un punto de saturación fuera de la línea no se sustituye.
            if (k >= 1 && k < n) {
                if (liquido) {
                    XX[k] = xL;
                    YY[k] = yL;
                    hi = k;
                } else {
                    XX[k - 1] = xV;
                    YY[k - 1] = yV;
                    lo = k - 1;
                }
            }
        }
    } else {
        lo = 1;
        hi = n - 1;
        if (hay_sat) {
            int k = 1;
            while (k < n && !(XX[k] < xV)) ++k;
            if (k < n) {
                if (liquido) {
                    XX[k - 1] = xL;
                    YY[k - 1] = yL;
                    lo = k - 1;
                } else {
                    XX[k] = xV;
                    YY[k] = yV;
                    hi = k;
                }
            }
        }
    }
    escribe_traza("busca_array: %s (%s) c=%g  x=%g  XX[%d]=%g  XX[%d]=%g  YY[%d]=%g  YY[%d]=%g",
                  modo == MODO_ISOBARA ? "PRESION" : "TEMPERATURA",
                  prop == 0 ? "Entalpia" : prop == 1 ? "Entropia" : "Volumen", fijo, objetivo, lo, XX[lo], hi, XX[hi],
                  lo, YY[lo], hi, YY[hi]);

    int m = lo;
    while (m <= hi && !(modo == MODO_ISOBARA ? XX[m] > objetivo : XX[m] < objetivo)) ++m;
    if (m == lo || m > hi) return 0;

    float r;
    if (hi == lo + 1) {
        r = Interpola2(XX[lo], XX[hi], YY[lo], YY[hi], objetivo);
        escribe_traza("busca_array: interpola2 <%g %g> %g   <%g %g> -> T=%g", XX[lo], XX[hi], objetivo, YY[lo], YY[hi],
                      r);
    } else {
        int b = m - 1;
        if (b > lo && std::fabs(double(objetivo) - XX[b]) < std::fabs(double(XX[b + 1]) - objetivo)) --b;
        if (b == hi - 1) --b;
        escribe_traza("%g entre <%g %g %g>", objetivo, XX[b], XX[b + 1], XX[b + 2]);
        r = parabola(XX[b], XX[b + 1], XX[b + 2], YY[b], YY[b + 1], YY[b + 2], objetivo);
        escribe_traza("busca_array: interpola <%g %g %g> %g   <%g %g %g> -> T=%g", XX[b], XX[b + 1], XX[b + 2],
                      objetivo, YY[b], YY[b + 1], YY[b + 2], r);
    }
    if (!std::isfinite(r)) return 0;
    resultado = r;
    return 1;
}

std::int32_t calc_tp(float t, float p)
{
    escribe_traza("calc_tp: t=%g p=%g", t, p);
    if (!(t >= eje_temperaturas[0] && t <= eje_temperaturas[NUM_TEMPERATURAS - 1])) return 1;
    if (!(p >= eje_presiones[0] && p <= eje_presiones[NUM_PRESIONES - 1])) return 1;
    const int c = columnas_presion(p);
    escribe_traza("calc_tp: cols=%d (%g %g %g)", c, eje_presiones[c], eje_presiones[c + 1], eje_presiones[c + 2]);

    float h[NUM_TEMPERATURAS], s[NUM_TEMPERATURAS], v[NUM_TEMPERATURAS];
    calc_P(p, h, s, v);
    // Sin valor posible (p. ej. t = 800 °C, último punto de la isobara) no
    // hay resultado: nada de lo calculado a medias sale de aquí.
    float rh, rs, rv;
    if (!busca_array(eje_temperaturas, h, MODO_ISOBARA, p, t, LEE_H, rh)) return 1;
    escribe_traza(">>>H segun busca_array: %g", rh);
    if (!busca_array(eje_temperaturas, s, MODO_ISOBARA, p, t, LEE_S, rs)) return 1;
    escribe_traza(">>>S segun busca_array: %g", rs);
    if (!busca_array(eje_temperaturas, v, MODO_ISOBARA, p, t, LEE_V, rv)) return 1;
    escribe_traza(">>>V segun busca_array: %g", rv);
    estado_resultado.h = rh;
    estado_resultado.s = rs;
    estado_resultado.v = rv;
    estado_resultado.t = t;
    estado_resultado.p = p;
    return 0;
}

std::int32_t calcula_por_isobara(float p, float valor, std::int32_t prop)
{
    if (!(p >= eje_presiones[0] && p <= eje_presiones[NUM_PRESIONES - 1])) return 1;
    float h[NUM_TEMPERATURAS], s[NUM_TEMPERATURAS], v[NUM_TEMPERATURAS];
    calc_P(p, h, s, v);
    const float* linea = prop == PROP_H ? h : prop == PROP_S ? s : v;
    float t;
    if (!busca_array(linea, eje_temperaturas, MODO_ISOBARA, p, valor, prop, t)) return 1;
    return calc_tp(t, p);
}

std::int32_t calcula_por_isoterma(float t, float valor, std::int32_t prop)
{
    if (!(t >= eje_temperaturas[0] && t <= eje_temperaturas[NUM_TEMPERATURAS - 1])) return 1;
    float h[NUM_PRESIONES], s[NUM_PRESIONES], v[NUM_PRESIONES];
    calc_T(t, h, s, v);
    const float* linea = prop == PROP_H ? h : prop == PROP_S ? s : v;
    float p;
    if (!busca_array(linea, eje_presiones, MODO_ISOTERMA, t, valor, prop, p)) return 1;
    return calc_tp(t, p);
}
