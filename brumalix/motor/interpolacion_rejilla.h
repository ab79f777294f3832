// Interpolación en la rejilla de líquido y vapor: la parábola por tres
// puntos, lo que se acepta de ella, los puntos con que se interpola una fila
// de una isobara (o una columna de una isoterma) y la estimación de su
// error. Sólo para los ficheros de la rejilla (rejilla_agua.h es lo que ve
// el resto del motor).
#pragma once

#include "brumalix/motor/saturacion.h"
#include "brumalix/motor/tablas.h"
#include "brumalix/motor/traza.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace rejilla {

// Constante del vapor de agua como gas, kJ/kg K: a baja presión el vapor
// sigue p·v ≈ R·T y s ≈ s0(T) − R·ln p.
constexpr double R_AGUA = 0.461526;

// Un punto de la rejilla más cerca de un punto de saturación que esta
// fracción del paso de la rejilla no entra en la parábola con él: dos
// abscisas casi iguales amplifican sin medida la menor diferencia entre sus
// valores (la tabla de saturación leída por presión y por temperatura no
// es exactamente inversa en f32).
constexpr double CERCANIA = 0.1;

// Por encima de esta presión la rejilla, de 10 °C y 10 bar, no sigue siempre
// las propiedades de una fase junto al punto crítico, y cada resultado de
// calc_tp se comprueba con una estimación de su error (admite_lecturas), y
// el de una búsqueda en una isoterma o en una isobara, además, con el valor
// dado (admite_residuo). Hasta ella no se comprueba nada (en ella misma, una
// columna de la rejilla, los resultados están dentro de la tolerancia).
// Desde ella, incluida, un punto de la rejilla da los valores de la tabla
// (lee_punto_de_rejilla).
constexpr float P_COMPROBADA = 200.0f;

// Parábola por tres puntos; si dos abscisas coinciden (un punto de
// saturación que cae justo sobre un punto de la rejilla) se usa la recta por
// los dos puntos distintos, para no dividir por cero.
inline float parabola(float x0, float x1, float x2, float y0, float y1, float y2, float x)
{
    auto recta = [x](float a, float b, float ya, float yb) {
        if (a == b) return ya;
        return ya + (x - a) / (b - a) * (yb - ya);
    };
    if (x0 == x1) return recta(x1, x2, y1, y2);
    if (x1 == x2 || x0 == x2) return recta(x0, x1, y0, y1);
    return interpola_cuadratica(x0, x1, x2, y0, y1, y2, x);
}

// Lo que verosimil acepta de unos valores de partida: de 'desde' a
// 'hasta'; nada ('hay' en falso) si alguno, salvo el primero, no es finito.
struct aceptable {
    bool hay;
    double desde, hasta;
};

inline aceptable aceptable_de(const float* ys, int n)
{
    float menor = ys[0], mayor = ys[0];
    for (int k = 1; k < n; ++k) {
        if (!std::isfinite(ys[k])) return {false, 0, 0};
        menor = std::min(menor, ys[k]);
        mayor = std::max(mayor, ys[k]);
    }
    const double margen = double(mayor) - menor + 1e-3 * std::max(std::fabs(menor), std::fabs(mayor)) + 1e-6;
    return {true, menor - margen, mayor + margen};
}

// Un valor interpolado verosímil: dentro de lo que abarcan los valores de
// que sale, ensanchado por ese mismo tramo y una milésima de su tamaño. Una
// parábola por puntos de una magnitud suave nunca se sale tanto; una
// desbocada (abscisas casi iguales, punto de la otra fase) sí.
inline bool verosimil(float y, const float* ys, int n)
{
    if (!std::isfinite(y)) return false;
    const aceptable a = aceptable_de(ys, n);
    return a.hay && y >= a.desde && y <= a.hasta;
}

// R·ln x, el término de gas de la entropía del vapor.
inline double r_ln(double x) { return R_AGUA * std::log(x); }

// R·ln P de cada presión de la rejilla, calculado una vez.
const double* r_ln_presiones();

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
    abscisas_cuadratica cuadratica{};
    // Las tres abscisas son distintas (si no, la parábola es una recta).
    bool distintas = false;
    double r_ln_puntos[3] = {0, 0, 0};
    double r_ln_x = 0;
};

abscisas_comunes prepara_comunes(const float xs[3], float x);

// Interpolación de la propiedad q (0 h, 1 s, 2 v) en x a partir de 1, 2 o
// 3 puntos de una misma fase, ordenados por x. Con 'gas' (x es la presión y
// los puntos son de vapor) se interpolan s + R·ln p y p·v, que varían
// suavemente con p donde s y v no (v ∝ 1/p a baja presión), y se deshace el
// cambio en x. Un resultado inverosímil sale como NaN, y nadie lo da por
// bueno. Cada propiedad sale sólo de sus propios valores: calcularlas por
// separado o juntas da lo mismo.
//
// La ordenada que se interpola del valor de un punto de abscisa x
// ('r_ln_punto' es R·ln x, que sólo se usa con s en gas).
inline float ordenada(float x, float valor, int q, bool gas, double r_ln_punto)
{
    if (!gas || q == 0) return valor;
    return q == 1 ? float(valor + r_ln_punto) : x * valor;
}

// Lo interpolado, 'y', de vuelta a la propiedad en x: NaN si no es
// verosímil frente a las ordenadas de que sale.
inline float propiedad_de(float y, const float* ys, int n, int q, bool gas, float x, double r_ln_x)
{
    if (!verosimil(y, ys, n)) return std::nanf("");
    if (gas && q == 1) return float(y - r_ln_x);
    if (gas && q == 2) return y / x;
    return y;
}

// h, s y v, en este orden, de los n puntos pt en x (los puntos junto a la
// saturación de una fila).
void interpola_puntos(const punto_linea* pt, int n, float x, bool gas, float& h, float& s, float& v);

// Error estimado de la parábola por (xs[k], ys[k]) en x (ver el .cpp).
double error_parabola(const double xs[3], const double ys[3], double x);
// Error estimado de la propiedad q interpolada en x por los puntos pt (n,
// ordenados por x) como lo hace interpola_puntos; infinito con menos de
// tres.
double error_interpolacion(const punto_linea* pt, int n, float x, bool gas, int q);
// Pesos de la parábola por las abscisas xs en x: lo interpolado es
// Σ w[k]·y[k]. El error de cada y[k] llega al resultado multiplicado por
// |w[k]|.
void pesos_parabola(const double xs[3], double x, double w[3]);

// Las ordenadas 'ys' de la propiedad q de tres puntos de la rejilla, con
// abscisas 'xs' y valores 'valores' (de paso 'paso' en datos_f2), en una
// línea en x para la que se preparó 'comunes'; dice si se interpolan como
// gas.
inline bool ordenadas_comunes(const float* xs, const float* valores, std::size_t paso, float x, bool gas, int q,
                              const abscisas_comunes& comunes, float ys[3])
{
    gas = gas && x > 0 && xs[0] > 0;
    for (int k = 0; k < 3; ++k) ys[k] = ordenada(xs[k], valores[std::size_t(k) * paso], q, gas, comunes.r_ln_puntos[k]);
    return gas;
}

// La propiedad q en x de 'n' filas de una línea con las mismas abscisas
// 'xs', preparadas en 'comunes', y sus ordenadas en 'ys' (de gas si 'gas'):
// lo mismo que interpola_puntos fila a fila, sin volver a calcular lo que
// comparten. Las parábolas van en un recorrido corto y aparte: sin nada
// entre una y la siguiente, el procesador solapa las de muchas filas, que
// si no esperarían cada una a su división.
inline void interpola_lote(int n, const float (*ys)[3], const bool* gas, const float* xs, float x, int q,
                           const abscisas_comunes& comunes, float* resultado)
{
    if (comunes.distintas)
        evalua_cuadraticas(comunes.cuadratica, n, ys, resultado);
    else
        for (int k = 0; k < n; ++k) resultado[k] = parabola(xs[0], xs[1], xs[2], ys[k][0], ys[k][1], ys[k][2], x);
    for (int k = 0; k < n; ++k) resultado[k] = propiedad_de(resultado[k], ys[k], 3, q, gas[k], x, comunes.r_ln_x);
}

// Una sola fila, como interpola_lote.
inline float interpola_comun(const float* xs, const float* valores, std::size_t paso, float x, bool gas, int q,
                             const abscisas_comunes& comunes)
{
    float ys[1][3];
    const bool es_gas = ordenadas_comunes(xs, valores, paso, x, gas, q, comunes, ys[0]);
    float r;
    interpola_lote(1, ys, &es_gas, xs, x, q, comunes, &r);
    return r;
}

// La línea de traza de una fila interpolada con tres puntos: en la isobara
// ">hp:" con h y las presiones de los puntos, en la isoterma ">vp:" con v y
// sus temperaturas; detrás, en "dat:", los valores de la rejilla de las tres
// líneas de siempre, y lo interpolado. Aquí mismo: la traza de una línea
// escribe una por fila.
template <bool Isobara>
inline void traza_fila(const float ys[3], const float xs[3], const float dat[3], float valor)
{
    if (Isobara)
        escribe_traza(">hp: %g %g %g  pres: %g %g %g  (dat: %g %g %g)    hi:%g", ys[0], ys[1], ys[2], xs[0], xs[1],
                      xs[2], dat[0], dat[1], dat[2], valor);
    else
        escribe_traza(">vp: %g %g %g  temp: %g %g %g  (dat: %g %g %g)    vi:%g", ys[0], ys[1], ys[2], xs[0], xs[1],
                      xs[2], dat[0], dat[1], dat[2], valor);
}

// Escribe en la traza los puntos con que se interpoló una fila de la línea
// junto a la saturación: con tres, la línea de la fila como la de una fila
// común (traza_fila); con dos, la recta por ellos; con uno, el punto de
// saturación, que es el valor.
void traza_puntos(bool isobara, const punto_linea* pt, int n, float x, float h, float v, const float dat[3]);

// Los puntos de la rejilla que se miran a un lado de la saturación: los
// índices 'desde'..'hasta' del eje 'eje', empezando en 'primero' y
// avanzando en 'paso' (±1), con el paso de la rejilla allí, 'salto'.
struct lado_de_la_rejilla {
    const float* eje;
    int primero, paso, desde, hasta;
    double salto;
};

// Puntos de un lado de la saturación a lo largo de una línea: el punto de
// saturación 'sat' y los dos puntos de la rejilla de ese lado ('lado') más
// próximos a él, sin los que caen a menos de CERCANIA del paso de la
// rejilla; 'punto' da los valores de un índice. Devuelve cuántos puntos (1
// a 3) deja en 'pt', ordenados por x.
template <class F>
int puntos_de_un_lado(const punto_linea& sat, const lado_de_la_rejilla& lado, F punto, punto_linea pt[3])
{
    punto_linea elegidos[3];
    int n = 0;
    elegidos[n++] = sat;
    const float* eje = lado.eje;
    for (int j = lado.primero; j >= lado.desde && j <= lado.hasta && n < 3; j += lado.paso) {
        if (std::fabs(double(eje[j]) - sat.x) < CERCANIA * lado.salto) {
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

// Una fila de la isobara (o columna de la isoterma) cuyas tres líneas de la
// rejilla no son todas del lado de x. El eje de las líneas que la cruzan,
// 'eje' (de 'num' líneas), va de la fase de abajo (vapor en la isobara,
// líquido en la isoterma) a la de arriba; 'ultima_baja' es la última línea
// de la fase de abajo, 'primera' la primera línea que puede entrar y
// 'salto' el paso de la rejilla junto a la saturación. 'marca' son las
// marcas de las tres líneas de siempre; 'abajo' dice si x es de la fase de
// abajo; el punto de saturación, en cada lado. Con 'gas' se interpola como
// vapor en presión. 'dat' son los valores de la rejilla de las tres líneas
// de siempre (h en la isobara, v en la isoterma), que la traza enseña.
struct fila_junto_a_saturacion {
    const int* marca;
    bool abajo;
    punto_linea sat_abajo, sat_arriba;
    const float* eje;
    int num, ultima_baja, primera;
    double salto;
    float x;
    bool gas, isobara;
    const float* dat;
};

// La fila 'f' se interpola con el punto de saturación y las líneas del lado
// de x más próximas a él ('linea' da los valores de un índice del eje), en
// h, s y v.
//
// La traza, en el orden de siempre: el aviso de x del lado de la línea que
// cambia, los puntos descartados, la recta de dos puntos si es el caso,
// ">Debe ser" y la línea de la fila con los tres puntos usados. ">Debe ser"
// lleva el signo del caso, no el del lado de x: ">" cuando la saturación
// cae por debajo de la línea de en medio (marca de en medio de la fase de
// arriba: vapor, líquido, líquido en la isobara) y "<" cuando cae por
// encima; si x no está de ese lado, la línea lo deja ver.
template <class F>
void interpola_junto_a_saturacion(const fila_junto_a_saturacion& f, F linea, float& h, float& s, float& v)
{
    const int* marca = f.marca;
    if (marca[0] == 1 && marca[1] == -1 && f.abajo) escribe_traza(">  CUIDADO 1 !!!!");
    if (marca[1] == 1 && marca[2] == -1 && !f.abajo) escribe_traza("CUIDADO 2 !!!!");
    punto_linea pt[3];
    const int n = f.abajo
                      ? puntos_de_un_lado(f.sat_abajo, {f.eje, f.ultima_baja, -1, f.primera, f.ultima_baja, f.salto},
                                          linea, pt)
                      : puntos_de_un_lado(f.sat_arriba,
                                          {f.eje, f.ultima_baja + 1, 1, f.ultima_baja + 1, f.num - 1, f.salto}, linea,
                                          pt);
    if (n == 2) escribe_traza(">  INTERPOLACION CON SOLO DOS VALORES. CASO %d", f.abajo ? 1 : 2);
    interpola_puntos(pt, n, f.x, f.gas, h, s, v);
    if (n < 3) traza_puntos(f.isobara, pt, n, f.x, h, v, f.dat);
    const float sat = (f.abajo ? f.sat_abajo : f.sat_arriba).x;
    if (marca[1] == -1)
        escribe_traza(">Debe ser %g > %g", f.x, sat);
    else
        escribe_traza(">Debe ser %g < %g", f.x, sat);
    if (n == 3) traza_puntos(f.isobara, pt, n, f.x, h, v, f.dat);
}

} // namespace rejilla
