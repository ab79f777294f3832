#include "rejilla_agua.h"
#include "saturacion.h"
#include "traza.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

registro_resultado estado_resultado;
std::int32_t fase_actual = FASE_VAPOR;

namespace {

// Constante del vapor de agua como gas, kJ/kg K: a baja presión el vapor
// sigue p·v ≈ R·T y s ≈ s0(T) − R·ln p.
constexpr double R_AGUA = 0.461526;

// Un punto de la rejilla más cerca de un punto de saturación que esta
// fracción del paso de la rejilla no entra en la parábola con él: dos
// abscisas casi iguales amplifican sin medida la menor diferencia entre sus
// valores (la tabla de saturación leída por presión y por temperatura no
// es exactamente inversa en f32).
constexpr double CERCANIA = 0.1;

// Junto al punto crítico la rejilla de 10 °C no sigue las propiedades de una
// fase cerca de la saturación: desde 205 bar y a menos de 15 K de la
// temperatura de saturación, v y h se separan de la curva real más del 2 %
// y del 1 %. Esos estados no se dan por buenos.
constexpr float P_ZONA_CRITICA = 205.0f;
constexpr double VENTANA_CRITICA = 15.0;

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

// Un valor interpolado verosímil: dentro de lo que abarcan los valores de
// que sale, ensanchado por ese mismo tramo y una milésima de su tamaño. Una
// parábola por puntos de una magnitud suave nunca se sale tanto; una
// desbocada (abscisas casi iguales, punto de la otra fase) sí.
bool verosimil(float y, const float* ys, int n)
{
    if (!std::isfinite(y)) return false;
    float menor = ys[0], mayor = ys[0];
    for (int k = 1; k < n; ++k) {
        if (!std::isfinite(ys[k])) return false;
        menor = std::min(menor, ys[k]);
        mayor = std::max(mayor, ys[k]);
    }
    const double margen = double(mayor) - menor + 1e-3 * std::max(std::fabs(menor), std::fabs(mayor)) + 1e-6;
    return y >= menor - margen && y <= mayor + margen;
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

// R·ln x, el término de gas de la entropía del vapor.
double r_ln(double x) { return R_AGUA * std::log(x); }

// R·ln P de cada presión de la rejilla, calculado una vez.
const double* r_ln_presiones()
{
    static const auto tabla = [] {
        std::array<double, NUM_PRESIONES> t;
        for (int j = 0; j < NUM_PRESIONES; ++j) t[j] = r_ln(double(eje_presiones[j]));
        return t;
    }();
    return tabla.data();
}

// Propiedades de saturación leídas de la tabla, con la línea de traza de
// lee_datos_f1.
bool lee_saturado(int tipo, float valor, punto_saturacion& s)
{
    return lee_datos_f1(tipo, valor, s.sat, s.hl, s.hv, s.sl, s.sv, s.vl, s.vv) == 0;
}

// Punto de una línea de la rejilla (isobara: x es la presión; isoterma: x es
// la temperatura) con sus h, s, v.
struct punto_linea {
    float x = 0, h = 0, s = 0, v = 0;
};

// Lo que comparten las filas de una línea que se interpolan con los tres
// puntos de la rejilla de siempre: los pasos de la parábola que sólo
// dependen de las abscisas y de x y, en una isobara, R·ln de cada presión y
// de p.
struct abscisas_comunes {
    abscisas_cuadratica cuadratica;
    // Las tres abscisas son distintas (si no, la parábola es una recta).
    bool distintas = false;
    double r_ln_puntos[3] = {0, 0, 0};
    double r_ln_x = 0;
};

abscisas_comunes prepara_comunes(const float xs[3], float x)
{
    abscisas_comunes a;
    a.distintas = xs[0] != xs[1] && xs[1] != xs[2] && xs[0] != xs[2];
    if (a.distintas) a.cuadratica = prepara_cuadratica(xs[0], xs[1], xs[2], x);
    return a;
}

// h, s, v en x a partir de 1, 2 o 3 puntos de una misma fase, ordenados por
// x. Con 'gas' (x es la presión y los puntos son de vapor) se interpolan
// s + R·ln p y p·v, que varían suavemente con p donde s y v no (v ∝ 1/p a
// baja presión), y se deshace el cambio en x. Un resultado inverosímil sale
// como NaN, y nadie lo da por bueno. Con 'comunes' los tres puntos son los
// de la rejilla para los que se prepararon.
void interpola_puntos(const punto_linea* pt, int n, float x, bool gas, float& h, float& s, float& v,
                      const abscisas_comunes* comunes = nullptr)
{
    gas = gas && x > 0 && pt[0].x > 0;
    float xs[3], hs[3], ss[3], vs[3];
    for (int k = 0; k < n; ++k) {
        xs[k] = pt[k].x;
        hs[k] = pt[k].h;
        if (gas) {
            const double ln = comunes ? comunes->r_ln_puntos[k] : r_ln(double(pt[k].x));
            ss[k] = float(pt[k].s + ln);
        } else {
            ss[k] = pt[k].s;
        }
        vs[k] = gas ? pt[k].x * pt[k].v : pt[k].v;
    }
    float qh, qs, qv;
    if (n == 1) {
        qh = hs[0];
        qs = ss[0];
        qv = vs[0];
    } else if (n == 2) {
        qh = Interpola2(xs[0], xs[1], hs[0], hs[1], x);
        qs = Interpola2(xs[0], xs[1], ss[0], ss[1], x);
        qv = Interpola2(xs[0], xs[1], vs[0], vs[1], x);
    } else if (comunes && comunes->distintas) {
        qh = evalua_cuadratica(comunes->cuadratica, hs[0], hs[1], hs[2]);
        qs = evalua_cuadratica(comunes->cuadratica, ss[0], ss[1], ss[2]);
        qv = evalua_cuadratica(comunes->cuadratica, vs[0], vs[1], vs[2]);
    } else {
        qh = parabola(xs[0], xs[1], xs[2], hs[0], hs[1], hs[2], x);
        qs = parabola(xs[0], xs[1], xs[2], ss[0], ss[1], ss[2], x);
        qv = parabola(xs[0], xs[1], xs[2], vs[0], vs[1], vs[2], x);
    }
    const float nan = std::nanf("");
    h = verosimil(qh, hs, n) ? qh : nan;
    if (!verosimil(qs, ss, n))
        s = nan;
    else if (gas)
        s = float(qs - (comunes ? comunes->r_ln_x : r_ln(double(x))));
    else
        s = qs;
    v = verosimil(qv, vs, n) ? (gas ? qv / x : qv) : nan;
}

// Puntos de un lado de la saturación a lo largo de una línea: el punto de
// saturación 'sat' y los dos puntos de la rejilla de ese lado más próximos a
// él, sin los que caen a menos de CERCANIA del paso de la rejilla. Los
// puntos de la rejilla son los índices 'desde'..'hasta' del eje (el primero
// que se mira es 'primero' y se avanza en 'paso', ±1); 'punto' da los
// valores de un índice. Devuelve cuántos puntos (1 a 3) deja en 'pt',
// ordenados por x.
template <class F>
int puntos_de_un_lado(punto_linea sat, const float* eje, int primero, int paso, int desde, int hasta,
                      double salto_rejilla, F punto, punto_linea pt[3])
{
    punto_linea elegidos[3];
    int n = 0;
    elegidos[n++] = sat;
    for (int j = primero; j >= desde && j <= hasta && n < 3; j += paso) {
        if (std::fabs(double(eje[j]) - sat.x) < CERCANIA * salto_rejilla) {
            escribe_traza(">  DESCARTADO EL PUNTO %g, DEMASIADO CERCA DE LA SATURACION %g", eje[j], sat.x);
            continue;
        }
        elegidos[n++] = punto(j);
    }
    // Orden por x (inserción: son tres como mucho).
    for (int a = 0; a < n; ++a) {
        int b = a;
        while (b > 0 && elegidos[a].x < pt[b - 1].x) {
            pt[b] = pt[b - 1];
            --b;
        }
        pt[b] = elegidos[a];
    }
    return n;
}

// Escribe en la traza los puntos con que se interpoló una fila de la línea.
void traza_puntos(const char* eje, const punto_linea* pt, int n, float x, float h)
{
    if (n == 3)
        escribe_traza(">  %s (%g %g %g)   H (%g %g %g) para %s=%g -> %g", eje, pt[0].x, pt[1].x, pt[2].x, pt[0].h,
                      pt[1].h, pt[2].h, eje, x, h);
    else if (n == 2)
        escribe_traza(">  %s (%g %g)   H (%g %g) para %s=%g -> %g", eje, pt[0].x, pt[1].x, pt[0].h, pt[1].h, eje, x, h);
    else
        escribe_traza(">  SOLO EL PUNTO DE SATURACION: %s=%g H=%g para %s=%g", eje, pt[0].x, pt[0].h, eje, x);
}

// Lo que comparten las filas de una isobara.
struct isobara {
    float p = 0;
    // Primera de las tres columnas de presión.
    int c = 1;
    // Temperatura de saturación de p (si p está en la tabla de saturación).
    bool hay_tsat = false;
    punto_saturacion sat_p;
    abscisas_comunes comunes;
};

isobara prepara_isobara(float p, int c, const punto_saturacion* sat_p)
{
    isobara l;
    l.p = p;
    l.c = c;
    l.hay_tsat = sat_p != nullptr;
    if (sat_p) l.sat_p = *sat_p;
    l.comunes = prepara_comunes(eje_presiones + c, p);
    if (p > 0) {
        const double* ln = r_ln_presiones();
        for (int k = 0; k < 3; ++k) l.comunes.r_ln_puntos[k] = ln[c + k];
        l.comunes.r_ln_x = r_ln(double(p));
    }
    return l;
}

// Fila i de la isobara (T = 10 i): h, s, v, con sus líneas de traza.
void fila_isobara(const isobara& l, int i, float& h, float& s, float& v)
{
    const float p = l.p;
    const int c = l.c;
    const int T = 10 * i;
    int marca[3];
    for (int k = 0; k < 3; ++k) marca[k] = float(T) >= t_limite_vapor[c + k] ? 1 : -1;
    escribe_traza(">POSI: T=%d <%d,%d,%d>", T, marca[0], marca[1], marca[2]);
    const bool mezcla = !(marca[0] == marca[1] && marca[1] == marca[2]);

    // Lado de p en esta fila. El lado de la saturación de cada fila se
    // decide con la temperatura de saturación de la isobara, la misma con
    // que busca_array parte la línea y calcula elige la fase: así ninguna
    // fila lleva el valor de la otra. Sin temperatura de saturación de p
    // (fuera de la tabla de saturación) decide la presión de saturación de
    // la fila, como las marcas. La fila sólo se lee de la tabla de
    // saturación cuando hace falta.
    punto_saturacion sat;
    bool leida = false, hay_psat = false;
    auto psat_fila = [&] {
        if (!leida) {
            leida = true;
            hay_psat = lee_saturado(POR_TEMPERATURA, float(T), sat);
        }
        return hay_psat;
    };
    bool vapor;
    if (l.hay_tsat)
        vapor = float(T) >= l.sat_p.sat;
    else if (mezcla && psat_fila())
        vapor = marca[1] == -1 ? p < sat.sat : p <= sat.sat;
    else
        vapor = marca[1] == 1;

    punto_linea pt[3];
    for (int k = 0; k < 3; ++k)
        pt[k] = {eje_presiones[c + k], valor_f2(i, c + k, 0), valor_f2(i, c + k, 1), valor_f2(i, c + k, 2)};

    const bool otro_lado = marca[0] != (vapor ? 1 : -1) || marca[2] != (vapor ? 1 : -1);
    if (otro_lado && psat_fila()) {
        // Alguna de las tres columnas es de la otra fase: entran el punto de
        // saturación de la fila y las columnas del lado de p más próximas a
        // él. La última columna de vapor de la fila es la última cuyo límite
        // de vapor no pasa de T.
        if (marca[0] == 1 && marca[1] == -1 && vapor) escribe_traza(">  CUIDADO 1 !!!!");
        if (marca[1] == 1 && marca[2] == -1 && !vapor) escribe_traza("CUIDADO 2 !!!!");
        int jv = 0;
        while (jv + 1 < NUM_PRESIONES && float(T) >= t_limite_vapor[jv + 1]) ++jv;
        const int jl = std::min(jv + 1, NUM_PRESIONES - 1);
        const double salto = double(eje_presiones[jl]) - eje_presiones[std::max(jl - 1, 0)];
        auto columna = [i](int j) {
            return punto_linea{eje_presiones[j], valor_f2(i, j, 0), valor_f2(i, j, 1), valor_f2(i, j, 2)};
        };
        int n;
        if (vapor)
            n = puntos_de_un_lado({sat.sat, sat.hv, sat.sv, sat.vv}, eje_presiones, jv, -1, 1, jv, salto, columna, pt);
        else
            n = puntos_de_un_lado({sat.sat, sat.hl, sat.sl, sat.vl}, eje_presiones, jv + 1, 1, jv + 1,
                                  NUM_PRESIONES - 1, salto, columna, pt);
        if (n == 2) escribe_traza(">  INTERPOLACION CON SOLO DOS VALORES. CASO %d", vapor ? 1 : 2);
        interpola_puntos(pt, n, p, vapor, h, s, v);
        traza_puntos("P", pt, n, p, h);
        if (vapor)
            escribe_traza(">Debe ser %g < %g", p, sat.sat);
        else
            escribe_traza(">Debe ser %g > %g", p, sat.sat);
    } else {
        interpola_puntos(pt, 3, p, vapor, h, s, v, &l.comunes);
        escribe_traza(">hp: %g %g %g  pres: %g %g %g  (dat: %g %g %g)    hi:%g", pt[0].h, pt[1].h, pt[2].h, pt[0].x,
                      pt[1].x, pt[2].x, pt[0].h, pt[1].h, pt[2].h, h);
    }
}

// Isobara cuyas filas se calculan la primera vez que alguien las pide. Las
// filas no dependen unas de otras: calcular sólo las que usa una búsqueda
// da los mismos valores que calcularlas todas.
class isobara_perezosa {
public:
    // La isobara p como la empieza calc_P: sus dos líneas de cabecera y la
    // lectura de la saturación de p. Con la traza activa se calculan en
    // seguida todas las filas, en orden, cada una con sus líneas; sin
    // traza, cada fila cuando se pide.
    void abre(float p, saturacion_de& sat_p)
    {
        const int c = columnas_presion(p);
        escribe_traza("calc_P: cols=%d (%g %g %g)", c, eje_presiones[c], eje_presiones[c + 1], eje_presiones[c + 2]);
        escribe_traza(">INTERP: (%g %g %g) %g", eje_presiones[c], eje_presiones[c + 1], eje_presiones[c + 2], p);
        const bool hay_tsat = sat_p.lee();
        linea_ = prepara_isobara(p, c, hay_tsat ? &sat_p.punto() : nullptr);
        std::fill(std::begin(hecha_), std::end(hecha_), false);
        if (traza_activa()) completa();
    }
    void completa()
    {
        for (int i = 0; i < NUM_TEMPERATURAS; ++i) fila(i);
    }
    // Propiedad 0 h, 1 s, 2 v de la fila i.
    float valor(int i, int prop)
    {
        fila(i);
        return prop == 0 ? h_[i] : prop == 1 ? s_[i] : v_[i];
    }
    void copia(float* h, float* s, float* v) const
    {
        std::copy(std::begin(h_), std::end(h_), h);
        std::copy(std::begin(s_), std::end(s_), s);
        std::copy(std::begin(v_), std::end(v_), v);
    }

private:
    void fila(int i)
    {
        if (hecha_[i]) return;
        fila_isobara(linea_, i, h_[i], s_[i], v_[i]);
        hecha_[i] = true;
    }
    isobara linea_;
    float h_[NUM_TEMPERATURAS], s_[NUM_TEMPERATURAS], v_[NUM_TEMPERATURAS];
    bool hecha_[NUM_TEMPERATURAS];
};

void calc_T_con(float t, saturacion_de& sat_t, float h[NUM_PRESIONES], float s[NUM_PRESIONES],
                float v[NUM_PRESIONES])
{
    const int r = filas_temperatura(t);
    escribe_traza("calc_T: filas=%d (%g %g %g)", r, eje_temperaturas[r], eje_temperaturas[r + 1],
                  eje_temperaturas[r + 2]);
    escribe_traza(">INTERP: (%g %g %g) %g", eje_temperaturas[r], eje_temperaturas[r + 1], eje_temperaturas[r + 2], t);

    // El lado de cada columna se decide con la presión de saturación de la
    // isoterma, la misma con que busca_array parte la línea (no la hay por
    // encima de 373,68 °C).
    const bool hay_psat = !(t > 373.68) && sat_t.lee();
    const punto_saturacion& sat_t_punto = sat_t.punto();
    // Las columnas que se interpolan con las tres filas de la rejilla
    // comparten las abscisas.
    const abscisas_comunes comunes = prepara_comunes(eje_temperaturas + r, t);

    // Las columnas de 230 y 240 bar quedan por encima de la tabla de
    // saturación: usan los valores de la última presión que sí se leyó.
    punto_saturacion sat;
    bool hay_sat = false;
    for (int j = 0; j < NUM_PRESIONES; ++j) {
        const float P = eje_presiones[j];
        int marca[3];
        for (int k = 0; k < 3; ++k) marca[k] = eje_temperaturas[r + k] < t_limite_vapor[j] ? 1 : -1;
        escribe_traza(">POSI: P=%g <%d,%d,%d>", P, marca[0], marca[1], marca[2]);
        const bool mezcla = !(marca[0] == marca[1] && marca[1] == marca[2]);

        punto_linea pt[3];
        for (int k = 0; k < 3; ++k)
            pt[k] = {eje_temperaturas[r + k], valor_f2(r + k, j, 0), valor_f2(r + k, j, 1), valor_f2(r + k, j, 2)};

        // Saturación de la columna, leída sólo cuando hace falta.
        bool leida = false;
        auto tsat_columna = [&] {
            if (!leida) {
                leida = true;
                punto_saturacion nuevo;
                if (lee_saturado(POR_PRESION, P, nuevo)) {
                    sat = nuevo;
                    hay_sat = true;
                }
            }
            return hay_sat;
        };
        bool liquido;
        if (hay_psat)
            liquido = P > sat_t_punto.sat;
        else if (mezcla && tsat_columna())
            liquido = marca[1] == 1 ? t <= sat.sat : t < sat.sat;
        else
            liquido = marca[1] == 1;

        const bool otro_lado = marca[0] != (liquido ? 1 : -1) || marca[2] != (liquido ? 1 : -1);
        if (otro_lado && tsat_columna()) {
            // Alguna de las tres filas es de la otra fase: entran el punto
            // de saturación de la columna y las filas del lado de t más
            // próximas a él. La última fila de líquido es la última por
            // debajo del límite de vapor de la columna.
            if (marca[0] == 1 && marca[1] == -1 && liquido) escribe_traza(">  CUIDADO 1 !!!!");
            if (marca[1] == 1 && marca[2] == -1 && !liquido) escribe_traza("CUIDADO 2 !!!!");
            int il = -1;
            while (il + 1 < NUM_TEMPERATURAS && eje_temperaturas[il + 1] < t_limite_vapor[j]) ++il;
            auto fila = [j](int i) {
                return punto_linea{eje_temperaturas[i], valor_f2(i, j, 0), valor_f2(i, j, 1), valor_f2(i, j, 2)};
            };
            const double salto = 10.0;
            int n;
            if (liquido)
                n = puntos_de_un_lado({sat.sat, sat.hl, sat.sl, sat.vl}, eje_temperaturas, il, -1, 0, il, salto, fila,
                                      pt);
            else
                n = puntos_de_un_lado({sat.sat, sat.hv, sat.sv, sat.vv}, eje_temperaturas, il + 1, 1, il + 1,
                                      NUM_TEMPERATURAS - 1, salto, fila, pt);
            if (n == 2) escribe_traza(">  INTERPOLACION CON SOLO DOS VALORES. CASO %d", liquido ? 1 : 2);
            interpola_puntos(pt, n, t, false, h[j], s[j], v[j]);
            traza_puntos("T", pt, n, t, h[j]);
            if (liquido)
                escribe_traza(">Debe ser %g < %g", t, sat.sat);
            else
                escribe_traza(">Debe ser %g > %g", t, sat.sat);
        } else {
            interpola_puntos(pt, 3, t, false, h[j], s[j], v[j], &comunes);
            escribe_traza(">vp: %g %g %g  temp: %g %g %g  (dat: %g %g %g)    vi:%g", pt[0].v, pt[1].v, pt[2].v,
                          pt[0].x, pt[1].x, pt[2].x, pt[0].v, pt[1].v, pt[2].v, v[j]);
        }
    }
}

// busca_array con la saturación de la línea en 'sat_linea' (del mismo
// 'fijo') y los valores de la propiedad de la línea en 'valores' (i → el
// valor del punto i): Y al leer una propiedad, X al buscar dónde toma un
// valor; el otro array es 'eje'. Sólo se piden los valores que la búsqueda
// usa, salvo con la traza activa, que los escribe.
template <class Valores>
std::int32_t busca(const float* eje, Valores valores, std::int32_t modo, float fijo, float objetivo,
                   std::int32_t prop, saturacion_de& sat_linea, float& resultado)
{
    escribe_traza("ENTRADA EN busca_array");
    const int n = modo == MODO_ISOBARA ? NUM_TEMPERATURAS : NUM_PRESIONES;
    const int q = prop < 0 ? prop + 3 : prop;  // 0 h, 1 s, 2 v

    // Punto de saturación de la línea (ninguno en la isoterma por encima de
    // 373,68 °C ni fuera de la tabla de saturación).
    const bool hay_sat = !(modo == MODO_ISOTERMA && fijo > 373.68) && sat_linea.lee();
    const punto_saturacion& sat = sat_linea.punto();

    // La línea se parte por el punto de saturación en el eje: del lado de
    // la fase en curso quedan los puntos de esa fase y el de saturación en
    // lugar del primero de la otra (o del último de la suya, si está a menos
    // de CERCANIA del paso del punto de saturación). 'lo'..'hi' es lo que se
    // busca; la parábola puede tomar además un punto más allá, 'extra'. Los
    // puntos puestos en lugar de los de la línea: el de saturación en
    // 'j_sat' y el de 'extra', cada uno en el eje y en la propiedad.
    int lo, hi;
    int extra = -1, j_sat = -1;
    float prop_sat = 0, eje_extra = 0, prop_extra = 0;
    const bool liquido = fase_actual == FASE_LIQUIDO;
    if (modo == MODO_ISOBARA) {
        lo = 0;
        hi = n - 1;
        if (hay_sat) {
            int k = 0;
            while (k < n && !(eje[k] > sat.sat)) ++k;
            // Un punto de saturación fuera de la línea no se sustituye.
            if (k >= 1 && k < n) {
                const double cerca = CERCANIA * (double(eje[k]) - eje[k - 1]);
                if (liquido) {
                    j_sat = k >= 2 && double(sat.sat) - eje[k - 1] < cerca ? k - 1 : k;
                    prop_sat = sat.liquido(q);
                    hi = j_sat;
                    // Con sólo dos puntos de líquido (saturación por debajo
                    // de 20 °C) la recta se aparta de la curva: el tercero
                    // es el líquido saturado de la fila siguiente, que
                    // apenas difiere del líquido a la presión de la línea.
                    if (hi - lo < 2) {
                        int f = k;
                        while (f < n && double(eje_temperaturas[f]) - sat.sat < cerca) ++f;
                        punto_saturacion sig;
                        if (f < n && lee_saturado(POR_TEMPERATURA, eje_temperaturas[f], sig)) {
                            extra = hi + 1;
                            eje_extra = eje_temperaturas[f];
                            prop_extra = sig.liquido(q);
                        }
                    }
                } else {
                    j_sat = k + 1 < n && double(eje[k]) - sat.sat < cerca ? k : k - 1;
                    prop_sat = sat.vapor(q);
                    lo = j_sat;
                }
            }
        }
    } else {
        lo = 1;
        hi = n - 1;
        if (hay_sat) {
            int k = 1;
            while (k < n && !(eje[k] > sat.sat)) ++k;
            if (k < n) {
                const double cerca = CERCANIA * (double(eje[k]) - eje[k - 1]);
                if (liquido) {
                    j_sat = k + 1 < n && double(eje[k]) - sat.sat < cerca ? k : k - 1;
                    prop_sat = sat.liquido(q);
                    lo = j_sat;
                } else {
                    j_sat = k >= 3 && double(sat.sat) - eje[k - 1] < cerca ? k - 1 : k;
                    prop_sat = sat.vapor(q);
                    hi = j_sat;
                }
            }
        }
    }
    // La línea con los puntos puestos, en el eje y en la propiedad, y como
    // pares X, Y.
    auto en_eje = [&](int i) -> float { return i == j_sat ? sat.sat : i == extra ? eje_extra : eje[i]; };
    auto propiedad = [&](int i) -> float { return i == j_sat ? prop_sat : i == extra ? prop_extra : valores(i); };
    auto XX = [&](int i) -> float { return prop < 0 ? en_eje(i) : propiedad(i); };
    auto YY = [&](int i) -> float { return prop < 0 ? propiedad(i) : en_eje(i); };

    // Esta línea nombra dos valores de la propiedad que la búsqueda puede
    // no usar: sin traza no se piden.
    if (traza_activa())
        escribe_traza("busca_array: %s (%s) c=%g  x=%g  XX[%d]=%g  XX[%d]=%g  YY[%d]=%g  YY[%d]=%g",
                      modo == MODO_ISOBARA ? "PRESION" : "TEMPERATURA",
                      prop == 0 ? "Entalpia" : prop == 1 ? "Entropia" : "Volumen", fijo, objetivo, lo, XX(lo), hi,
                      XX(hi), lo, YY(lo), hi, YY(hi));

    int m = lo;
    while (m <= hi && !(modo == MODO_ISOBARA ? XX(m) > objetivo : XX(m) < objetivo)) ++m;
    if (m == lo || m > hi) return BUSCA_NADA;
    const int ultimo = extra >= 0 ? extra : hi;  // último punto de la parábola

    // En la isoterma se busca la presión en que s o v toman un valor: s
    // varía como −R·ln p y v como 1/p, así que se interpola ln p frente a s
    // o frente a ln v, casi rectas, y se deshace el cambio.
    const bool logaritmos = modo == MODO_ISOTERMA && prop >= 0;
    auto abscisa = [&](int i) { return logaritmos && prop == PROP_V ? std::log(XX(i)) : XX(i); };
    auto ordenada = [&](int i) { return logaritmos ? std::log(YY(i)) : YY(i); };
    const float x = logaritmos && prop == PROP_V ? std::log(objetivo) : objetivo;
    // De vuelta de los logaritmos, un extremo de la línea (240 bar) puede
    // salir un redondeo más allá de sí mismo: se deja en el extremo.
    auto deshaz = [&](float r, int desde, int hasta) {
        if (!logaritmos) return r;
        r = std::exp(r);
        const float menor = std::min(YY(desde), YY(hasta)), mayor = std::max(YY(desde), YY(hasta));
        if (r > mayor && r <= mayor * (1 + 1e-5f)) r = mayor;
        if (r < menor && r >= menor * (1 - 1e-5f)) r = menor;
        return r;
    };

    float r;
    int b, puntos;
    if (ultimo == lo + 1) {
        b = lo;
        puntos = 2;
        r = deshaz(Interpola2(abscisa(lo), abscisa(hi), ordenada(lo), ordenada(hi), x), lo, hi);
        escribe_traza("busca_array: interpola2 <%g %g> %g   <%g %g> -> T=%g", XX(lo), XX(hi), objetivo, YY(lo), YY(hi),
                      r);
    } else {
        b = m - 1;
        if (b > lo && std::fabs(double(objetivo) - XX(b)) < std::fabs(double(XX(b + 1)) - objetivo)) --b;
        if (b > ultimo - 2) b = ultimo - 2;
        puntos = 3;
        escribe_traza("%g entre <%g %g %g>", objetivo, XX(b), XX(b + 1), XX(b + 2));
        r = deshaz(parabola(abscisa(b), abscisa(b + 1), abscisa(b + 2), ordenada(b), ordenada(b + 1), ordenada(b + 2), x),
                   b, b + 2);
        escribe_traza("busca_array: interpola <%g %g %g> %g   <%g %g %g> -> T=%g", XX(b), XX(b + 1), XX(b + 2),
                      objetivo, YY(b), YY(b + 1), YY(b + 2), r);
    }
    // Un resultado fuera de lo que abarcan sus puntos no es un estado.
    float ys[3];
    for (int k = 0; k < puntos; ++k) ys[k] = YY(b + k);
    if (!verosimil(r, ys, puntos)) {
        escribe_traza("busca_array: RESULTADO INVEROSIMIL %g", r);
        return BUSCA_INVEROSIMIL;
    }
    resultado = r;
    return BUSCA_BIEN;
}

// calc_tp con la saturación de p en 'sat_p' y, sin traza, la isobara p
// que otro ya empezó, si la hay ('hecha').
std::int32_t calc_tp_con(float t, float p, saturacion_de& sat_p, isobara_perezosa* hecha)
{
    escribe_traza("calc_tp: t=%g p=%g", t, p);
    if (!(t >= eje_temperaturas[0] && t <= eje_temperaturas[NUM_TEMPERATURAS - 1])) return TP_FUERA;
    if (!(p >= eje_presiones[0] && p <= eje_presiones[NUM_PRESIONES - 1])) return TP_FUERA;
    const int c = columnas_presion(p);
    escribe_traza("calc_tp: cols=%d (%g %g %g)", c, eje_presiones[c], eje_presiones[c + 1], eje_presiones[c + 2]);
    if (p >= P_ZONA_CRITICA && sat_p.lee() && std::fabs(double(t) - sat_p.punto().sat) < VENTANA_CRITICA) {
        escribe_traza("calc_tp: JUNTO AL PUNTO CRITICO (tsat=%g)", sat_p.punto().sat);
        return TP_INVEROSIMIL;
    }

    // Con la traza activa la isobara se calcula (y se escribe) entera otra
    // vez, como calc_P; sin ella sólo se calculan las filas que usan las
    // tres lecturas, y las que otro ya calculó no se repiten.
    isobara_perezosa propia;
    isobara_perezosa* linea = hecha;
    if (!linea || traza_activa()) {
        propia.abre(p, sat_p);
        linea = &propia;
    }
    // Sin valor posible (p. ej. t = 800 °C, último punto de la isobara) no
    // hay resultado: nada de lo calculado a medias sale de aquí.
    auto lee = [&](std::int32_t prop, float& r) {
        const int q = prop + 3;
        return busca(eje_temperaturas, [linea, q](int i) { return linea->valor(i, q); }, MODO_ISOBARA, p, t, prop,
                     sat_p, r);
    };
    float rh, rs, rv;
    std::int32_t b = lee(LEE_H, rh);
    if (b != BUSCA_BIEN) return b == BUSCA_INVEROSIMIL ? TP_INVEROSIMIL : TP_FUERA;
    escribe_traza(">>>H segun busca_array: %g", rh);
    b = lee(LEE_S, rs);
    if (b != BUSCA_BIEN) return b == BUSCA_INVEROSIMIL ? TP_INVEROSIMIL : TP_FUERA;
    escribe_traza(">>>S segun busca_array: %g", rs);
    b = lee(LEE_V, rv);
    if (b != BUSCA_BIEN) return b == BUSCA_INVEROSIMIL ? TP_INVEROSIMIL : TP_FUERA;
    escribe_traza(">>>V segun busca_array: %g", rv);
    estado_resultado.h = rh;
    estado_resultado.s = rs;
    estado_resultado.v = rv;
    estado_resultado.t = t;
    estado_resultado.p = p;
    return TP_BIEN;
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
    saturacion_de sat_p(POR_PRESION, p);
    isobara_perezosa linea;
    linea.abre(p, sat_p);
    linea.completa();
    linea.copia(h, s, v);
}

void calc_T(float t, float h[NUM_PRESIONES], float s[NUM_PRESIONES], float v[NUM_PRESIONES])
{
    saturacion_de sat_t(POR_TEMPERATURA, t);
    calc_T_con(t, sat_t, h, s, v);
}

std::int32_t busca_array(const float* X, const float* Y, std::int32_t modo, float fijo, float objetivo,
                         std::int32_t prop, float& resultado)
{
    // El eje de la línea (temperaturas de la isobara o presiones de la
    // isoterma): X al leer una propiedad, Y al buscar dónde toma un valor.
    const float* eje = prop < 0 ? X : Y;
    const float* valores = prop < 0 ? Y : X;
    saturacion_de sat(modo, fijo);
    return busca(eje, [valores](int i) { return valores[i]; }, modo, fijo, objetivo, prop, sat, resultado);
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
    if (!(p >= eje_presiones[0] && p <= eje_presiones[NUM_PRESIONES - 1])) return TP_FUERA;
    isobara_perezosa linea;
    linea.abre(p, sat_p);
    const int q = prop;
    float t;
    const std::int32_t b = busca(eje_temperaturas, [&linea, q](int i) { return linea.valor(i, q); }, MODO_ISOBARA, p,
                                 valor, prop, sat_p, t);
    if (b != BUSCA_BIEN) return b == BUSCA_INVEROSIMIL ? TP_INVEROSIMIL : TP_FUERA;
    return calc_tp_con(t, p, sat_p, &linea);
}

std::int32_t calcula_por_isoterma(float t, float valor, std::int32_t prop)
{
    saturacion_de sat_t(POR_TEMPERATURA, t);
    return calcula_por_isoterma(t, valor, prop, sat_t);
}

std::int32_t calcula_por_isoterma(float t, float valor, std::int32_t prop, saturacion_de& sat_t)
{
    if (!(t >= eje_temperaturas[0] && t <= eje_temperaturas[NUM_TEMPERATURAS - 1])) return TP_FUERA;
    float h[NUM_PRESIONES], s[NUM_PRESIONES], v[NUM_PRESIONES];
    calc_T_con(t, sat_t, h, s, v);
    const float* linea = prop == PROP_H ? h : prop == PROP_S ? s : v;
    float p;
    const std::int32_t b =
        busca(eje_presiones, [linea](int i) { return linea[i]; }, MODO_ISOTERMA, t, valor, prop, sat_t, p);
    if (b != BUSCA_BIEN) return b == BUSCA_INVEROSIMIL ? TP_INVEROSIMIL : TP_FUERA;
    return calc_tp(t, p);
}
