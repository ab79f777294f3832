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

// Primera de tres líneas consecutivas de un eje creciente, con la más
// próxima en medio (en empate, la superior); en los extremos, las tres
// primeras o las tres últimas.
int primera_de_tres(const float* eje, int n, float valor)
{
    if (valor < eje[1]) return 0;
    if (valor > eje[n - 2]) return n - 3;
    // Primera línea que no queda por debajo del valor (el eje crece), por
    // bisección; la última si no hay ninguna.
    const int k = int(std::lower_bound(eje, eje + n - 1, valor) - eje);
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
    abscisas_cuadratica cuadratica{};
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

// Con tres puntos, 'comunes' trae lo que sólo depende de sus abscisas y
// de x (preparado con prepara_puntos), que no se repite para cada
// propiedad.
float interpola_propiedad(const punto_linea* pt, int n, float x, bool gas, int q, const abscisas_comunes& comunes)
{
    gas = gas && x > 0 && pt[0].x > 0;
    float xs[3], ys[3];
    for (int k = 0; k < n; ++k) {
        xs[k] = pt[k].x;
        ys[k] = ordenada(pt[k].x, q == 0 ? pt[k].h : q == 1 ? pt[k].s : pt[k].v, q, gas, comunes.r_ln_puntos[k]);
    }
    float y;
    if (n == 1)
        y = ys[0];
    else if (n == 2)
        y = Interpola2(xs[0], xs[1], ys[0], ys[1], x);
    else if (comunes.distintas)
        y = evalua_cuadratica(comunes.cuadratica, ys[0], ys[1], ys[2]);
    else
        y = parabola(xs[0], xs[1], xs[2], ys[0], ys[1], ys[2], x);
    return propiedad_de(y, ys, n, q, gas, x, comunes.r_ln_x);
}

// Lo que las tres propiedades de unos puntos comparten: con tres, la
// preparación de la parábola; en gas, R·ln de cada presión y de x.
abscisas_comunes prepara_puntos(const punto_linea* pt, int n, float x, bool gas)
{
    abscisas_comunes a;
    if (n == 3) {
        const float xs[3] = {pt[0].x, pt[1].x, pt[2].x};
        a = prepara_comunes(xs, x);
    }
    if (gas && x > 0 && pt[0].x > 0) {
        for (int k = 0; k < n; ++k) a.r_ln_puntos[k] = r_ln(double(pt[k].x));
        a.r_ln_x = r_ln(double(x));
    }
    return a;
}

// h, s y v, en este orden, como interpola_propiedad.
void interpola_puntos(const punto_linea* pt, int n, float x, bool gas, float& h, float& s, float& v)
{
    const abscisas_comunes comunes = prepara_puntos(pt, n, x, gas);
    h = interpola_propiedad(pt, n, x, gas, 0, comunes);
    s = interpola_propiedad(pt, n, x, gas, 1, comunes);
    v = interpola_propiedad(pt, n, x, gas, 2, comunes);
}

// Error estimado de la parábola por (xs[k], ys[k]) en x: lo más que se
// aparta, entre los dos puntos que encierran x, de la recta por ellos (el
// término de segundo grado, |f[x0, x1, x2]|·d²/4, con d la distancia entre
// esos dos puntos); fuera de los tres puntos, lo que se aparta en x de la
// recta por los dos más próximos; 0 en uno de los tres. Es el error de la
// recta si la curva fuera una parábola, y sirve de medida del de la
// parábola: en todo el tramo, y no sólo en x, porque junto a un punto la
// diferencia en x se anula aunque la curva real se separe allí de la
// parábola (junto al punto crítico, medida en x llegaba a quedarse 40
// veces por debajo del error real; en el tramo, 4,5 a lo sumo).
double error_parabola(const double xs[3], const double ys[3], double x)
{
    if (x == xs[0] || x == xs[1] || x == xs[2]) return 0;
    const double d01 = (ys[1] - ys[0]) / (xs[1] - xs[0]);
    const double d12 = (ys[2] - ys[1]) / (xs[2] - xs[1]);
    const double curvatura = std::fabs((d12 - d01) / (xs[2] - xs[0]));
    // Los dos puntos que encierran x (los tres no tienen por qué ir en
    // orden).
    double izquierda = -INFINITY, derecha = INFINITY;
    for (double xk : {xs[0], xs[1], xs[2]}) {
        if (xk < x) izquierda = std::max(izquierda, xk);
        if (xk > x) derecha = std::min(derecha, xk);
    }
    if (std::isfinite(izquierda) && std::isfinite(derecha))
        return curvatura * (derecha - izquierda) * (derecha - izquierda) / 4;
    int lejos = 0;
    for (int k = 1; k < 3; ++k)
        if (std::fabs(x - xs[k]) > std::fabs(x - xs[lejos])) lejos = k;
    const int a = lejos == 0 ? 1 : 0, b = lejos == 2 ? 1 : 2;
    return curvatura * std::fabs((x - xs[a]) * (x - xs[b]));
}

// Error estimado de la propiedad q (0 h, 1 s, 2 v) interpolada en x por los
// puntos pt (n, ordenados por x) como lo hace interpola_propiedad: el de
// su parábola (error_parabola), en la magnitud que se interpola (s + R·ln p
// y p·v en gas) y vuelto a la de la propiedad. Con menos de tres puntos no
// hay con qué estimarlo: infinito.
double error_interpolacion(const punto_linea* pt, int n, float x, bool gas, int q)
{
    if (n < 3) return INFINITY;
    gas = gas && x > 0 && pt[0].x > 0;
    double xs[3], ys[3];
    for (int k = 0; k < 3; ++k) {
        const float valor = q == 0 ? pt[k].h : q == 1 ? pt[k].s : pt[k].v;
        xs[k] = pt[k].x;
        ys[k] = !gas || q == 0 ? valor : q == 1 ? valor + r_ln(pt[k].x) : double(pt[k].x) * valor;
    }
    const double e = error_parabola(xs, ys, x);
    return gas && q == 2 ? e / x : e;
}

// Pesos de la parábola por las abscisas xs en x: lo interpolado es
// Σ w[k]·y[k]. El error de cada y[k] llega al resultado multiplicado por
// |w[k]|.
void pesos_parabola(const double xs[3], double x, double w[3])
{
    for (int k = 0; k < 3; ++k) {
        const int a = (k + 1) % 3, b = (k + 2) % 3;
        w[k] = (x - xs[a]) * (x - xs[b]) / ((xs[k] - xs[a]) * (xs[k] - xs[b]));
    }
}

// Las ordenadas 'ys' de la propiedad q de tres puntos de la rejilla, con
// abscisas 'xs' y valores 'valores' (de paso 'paso' en datos_f2), en una
// línea en x para la que se preparó 'comunes'; dice si se interpolan como
// gas.
inline bool ordenadas_comunes(const float* xs, const float* valores, std::size_t paso, float x, bool gas, int q,
                              const abscisas_comunes& comunes, float ys[3])
{
    gas = gas && x > 0 && xs[0] > 0;
    for (int k = 0; k < 3; ++k) ys[k] = ordenada(xs[k], valores[k * paso], q, gas, comunes.r_ln_puntos[k]);
    return gas;
}

// La propiedad q en x de 'n' filas de una línea con las mismas abscisas
// 'xs', preparadas en 'comunes', y sus ordenadas en 'ys' (de gas si 'gas'):
// lo mismo que interpola_propiedad fila a fila, sin volver a calcular lo que
// comparten. Las parábolas van en un recorrido corto y aparte: sin nada
// entre una y la siguiente, el procesador solapa las de muchas filas, que
// si no esperarían cada una a su división.
void interpola_lote(int n, const float (*ys)[3], const bool* gas, const float* xs, float x, int q,
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

// Escribe en la traza los puntos con que se interpoló una fila de la línea
// junto a la saturación. Con tres, la línea de la fila como la de una fila
// común: en la isobara ">hp:" con h y las presiones de los puntos usados,
// en la isoterma ">vp:" con v y sus temperaturas, y detrás, en "dat:", los
// valores de la rejilla de las tres líneas de siempre ('dat'). Con dos, la
// recta por ellos; con uno, el punto de saturación, que es el valor.
void traza_puntos(bool isobara, const punto_linea* pt, int n, float x, float h, float v, const float dat[3])
{
    const char* eje = isobara ? "P" : "T";
    if (n == 3 && isobara)
        escribe_traza(">hp: %g %g %g  pres: %g %g %g  (dat: %g %g %g)    hi:%g", pt[0].h, pt[1].h, pt[2].h, pt[0].x,
                      pt[1].x, pt[2].x, dat[0], dat[1], dat[2], h);
    else if (n == 3)
        escribe_traza(">vp: %g %g %g  temp: %g %g %g  (dat: %g %g %g)    vi:%g", pt[0].v, pt[1].v, pt[2].v, pt[0].x,
                      pt[1].x, pt[2].x, dat[0], dat[1], dat[2], v);
    else if (n == 2)
        escribe_traza(">  %s (%g %g)   H (%g %g) para %s=%g -> %g", eje, pt[0].x, pt[1].x, pt[0].h, pt[1].h, eje, x, h);
    else
        escribe_traza(">  SOLO EL PUNTO DE SATURACION: %s=%g H=%g para %s=%g", eje, pt[0].x, pt[0].h, eje, x);
}

// Una fila de la isobara (o columna de la isoterma) cuyas tres líneas de la
// rejilla no son todas del lado de x: se interpola con el punto de
// saturación y las líneas del lado de x más próximas a él. El eje va de la
// fase de abajo (vapor en la isobara, líquido en la isoterma) a la de
// arriba; 'ultima_baja' es la última línea de la fase de abajo y 'primera'
// la primera línea que puede entrar. 'abajo' dice si x es de la fase de
// abajo; con 'gas' se interpola como vapor en presión. 'dat' son los valores
// de la rejilla de las tres líneas de siempre (h en la isobara, v en la
// isoterma), que la traza enseña.
//
// La traza, en el orden de siempre: el aviso de x del lado de la línea que
// cambia, los puntos descartados, la recta de dos puntos si es el caso,
// ">Debe ser" y la línea de la fila con los tres puntos usados. ">Debe ser"
// lleva el signo del caso, no el del lado de x: ">" cuando la saturación
// cae por debajo de la línea de en medio (marca de en medio de la fase de
// arriba: vapor, líquido, líquido en la isobara) y "<" cuando cae por
// encima; si x no está de ese lado, la línea lo deja ver.
template <class F>
void interpola_junto_a_saturacion(const int marca[3], bool abajo, const punto_linea& sat_abajo,
                                  const punto_linea& sat_arriba, const float* eje, int num, int ultima_baja, int primera,
                                  double salto, F linea, float x, bool gas, bool isobara, const float dat[3], float& h,
                                  float& s, float& v)
{
    if (marca[0] == 1 && marca[1] == -1 && abajo) escribe_traza(">  CUIDADO 1 !!!!");
    if (marca[1] == 1 && marca[2] == -1 && !abajo) escribe_traza("CUIDADO 2 !!!!");
    punto_linea pt[3];
    const int n = abajo ? puntos_de_un_lado(sat_abajo, eje, ultima_baja, -1, primera, ultima_baja, salto, linea, pt)
                        : puntos_de_un_lado(sat_arriba, eje, ultima_baja + 1, 1, ultima_baja + 1, num - 1, salto, linea,
                                            pt);
    if (n == 2) escribe_traza(">  INTERPOLACION CON SOLO DOS VALORES. CASO %d", abajo ? 1 : 2);
    interpola_puntos(pt, n, x, gas, h, s, v);
    if (n < 3) traza_puntos(isobara, pt, n, x, h, v, dat);
    const float sat = (abajo ? sat_abajo : sat_arriba).x;
    if (marca[1] == -1)
        escribe_traza(">Debe ser %g > %g", x, sat);
    else
        escribe_traza(">Debe ser %g < %g", x, sat);
    if (n == 3) traza_puntos(isobara, pt, n, x, h, v, dat);
}

// Dónde están los valores de las filas comunes de una línea: la propiedad
// q del primer punto de la fila i en base[i·paso_fila + q] y la de los
// otros dos a paso_punto y 2·paso_punto de él; las abscisas de los tres
// puntos, la x de la línea y, en una isobara, el lado de cada fila (gas si
// es de vapor).
struct fuente_comun {
    const float* base;
    std::size_t paso_fila, paso_punto;
    const float* xs;
    float x;
    const bool* vapor;
};

// Valores de una línea de la rejilla (isobara de 81 filas o isoterma de
// 195 columnas). Las filas que se interpolan con puntos de saturación
// («especiales») se calculan enteras al clasificarlas, con su traza; las
// que se interpolan con las tres líneas de siempre («comunes»), cada
// propiedad cuando se pide, sin traza. Ninguna fila ni propiedad depende de
// otra: calcular sólo lo que se pide da los mismos valores que calcularlo
// todo. Una propiedad que se pide en todas las filas comunes se calcula en
// un solo recorrido: sin nada entre una parábola y la siguiente, el
// procesador las solapa.
template <int N>
class valores_linea {
public:
    enum clase : unsigned char { SIN_CLASE, COMUN, ESPECIAL };
    void vacia()
    {
        std::fill(std::begin(clase_), std::end(clase_), SIN_CLASE);
        for (auto& h : hecho_) std::fill(std::begin(h), std::end(h), false);
    }
    clase de(int i) const { return clase_[i]; }
    void especial(int i, float h, float s, float v)
    {
        clase_[i] = ESPECIAL;
        valor_[0][i] = h;
        valor_[1][i] = s;
        valor_[2][i] = v;
    }
    void comun(int i) { clase_[i] = COMUN; }
    bool hecho(int i, int q) const { return clase_[i] == ESPECIAL || hecho_[q][i]; }
    void pon(int i, int q, float y)
    {
        valor_[q][i] = y;
        hecho_[q][i] = true;
    }
    float valor(int i, int q) const { return valor_[q][i]; }
    // Calcula la propiedad q de las filas comunes 'desde'..'hasta' - 1 que
    // aún no la tienen, con sus valores en 'fuente' y lo que comparten en
    // 'comunes'.
    void calcula_comunes(int q, int desde, int hasta, const fuente_comun& fuente, const abscisas_comunes& comunes)
    {
        // Copias locales: lo que se escribe en el recorrido no las toca y
        // se quedan en registros.
        const fuente_comun f = fuente;
        const abscisas_comunes a = comunes;
        const float xs[3] = {f.xs[0], f.xs[1], f.xs[2]};
        int filas[N];
        float ys[N][3];
        bool gas[N];
        float r[N];
        int n = 0;
        for (int i = desde; i < hasta; ++i)
            if (clase_[i] == COMUN && !hecho_[q][i]) {
                filas[n] = i;
                gas[n] = ordenadas_comunes(xs, f.base + std::size_t(i) * f.paso_fila + q, f.paso_punto, f.x,
                                           f.vapor && f.vapor[i], q, a, ys[n]);
                ++n;
            }
        if (n == 0) return;
        interpola_lote(n, ys, gas, xs, f.x, q, a, r);
        for (int k = 0; k < n; ++k) pon(filas[k], q, r[k]);
    }
    void copia(float* h, float* s, float* v) const
    {
        std::copy(std::begin(valor_[0]), std::end(valor_[0]), h);
        std::copy(std::begin(valor_[1]), std::end(valor_[1]), s);
        std::copy(std::begin(valor_[2]), std::end(valor_[2]), v);
    }

private:
    clase clase_[N];
    bool hecho_[3][N];
    float valor_[3][N];
};

// Filas que se calculan de una vez cuando una búsqueda que recorre la
// línea pide una que falta.
constexpr int FILAS_LOTE = 16;

// Índice de propiedad de valores_linea: 0 h, 1 s, 2 v; cualquier otro, v.
int indice_propiedad(int prop) { return prop == PROP_H ? 0 : prop == PROP_S ? 1 : 2; }

// Isobara cuyas filas se calculan la primera vez que alguien las pide.
class isobara_perezosa {
public:
    // La isobara p como la empieza calc_P: sus dos líneas de cabecera y la
    // lectura de la saturación de p. Con la traza activa se recorren en
    // seguida todas las filas, en orden, cada una con sus líneas (la de una
    // fila común lleva su h); sin traza, cada fila y cada propiedad se
    // calculan cuando se piden.
    void abre(float p, saturacion_de& sat_p)
    {
        c_ = columnas_presion(p);
        for (int k = 0; k < 3; ++k) limites_[k] = t_limite_vapor[c_ + k];
        escribe_traza("calc_P: cols=%d (%g %g %g)", c_, eje_presiones[c_], eje_presiones[c_ + 1],
                      eje_presiones[c_ + 2]);
        escribe_traza(">INTERP: (%g %g %g) %g", eje_presiones[c_], eje_presiones[c_ + 1], eje_presiones[c_ + 2], p);
        p_ = p;
        // El lado de la saturación de cada fila se decide con la
        // temperatura de saturación de la isobara, la misma con que
        // busca_array parte la línea y calcula elige la fase: así ninguna
        // fila lleva el valor de la otra. La isobara no escribe esa lectura
        // en la traza: la escriben quienes la consultan (calcula y
        // busca_array).
        hay_tsat_ = sat_p.consulta();
        if (hay_tsat_) tsat_ = sat_p.punto().sat;
        comunes_ = prepara_comunes(eje_presiones + c_, p);
        if (p > 0) {
            const double* ln = r_ln_presiones();
            for (int k = 0; k < 3; ++k) comunes_.r_ln_puntos[k] = ln[c_ + k];
            comunes_.r_ln_x = r_ln(double(p));
        }
        valores_.vacia();
        if (!traza_activa()) return;
        // La h de las filas comunes que se reconocen sin leer la tabla de
        // saturación (casi todas), de una vez; después cada fila con sus
        // líneas.
        int marca[NUM_TEMPERATURAS][3];
        for (int i = 0; i < NUM_TEMPERATURAS; ++i) {
            marcas(i, marca[i]);
            bool vapor;
            if (comun_sin_consulta(i, marca[i], vapor)) pon_comun(i, vapor);
        }
        calcula_comunes(0, 0, NUM_TEMPERATURAS);
        for (int i = 0; i < NUM_TEMPERATURAS; ++i) {
            escribe_posi(i, marca[i]);
            if (valores_.de(i) == valores_.SIN_CLASE) resuelve(i, marca[i]);
            if (valores_.de(i) != valores_.COMUN) continue;
            const float h = valor(i, 0);
            escribe_traza(">hp: %g %g %g  pres: %g %g %g  (dat: %g %g %g)    hi:%g", valor_f2(i, c_, 0),
                          valor_f2(i, c_ + 1, 0), valor_f2(i, c_ + 2, 0), eje_presiones[c_], eje_presiones[c_ + 1],
                          eje_presiones[c_ + 2], valor_f2(i, c_, 0), valor_f2(i, c_ + 1, 0), valor_f2(i, c_ + 2, 0),
                          h);
        }
    }
    // Propiedad q (0 h, 1 s, 2 v) de la fila i.
    float valor(int i, int q)
    {
        clasifica(i);
        if (!valores_.hecho(i, q)) valores_.pon(i, q, valor_comun(i, q));
        return valores_.valor(i, q);
    }
    // Propiedad q de la fila i para una búsqueda que recorre la isobara
    // hacia arriba: si falta, se calcula junto con las filas siguientes que
    // tampoco la tienen, de una vez.
    float valor_recorrido(int i, int q)
    {
        if (!valores_.hecho(i, q)) {
            const int hasta = std::min(i + FILAS_LOTE, NUM_TEMPERATURAS);
            for (int k = i; k < hasta; ++k) clasifica(k);
            calcula_comunes(q, i, hasta);
        }
        return valores_.valor(i, q);
    }
    // La propiedad q en todas las filas.
    void completa(int q)
    {
        for (int i = 0; i < NUM_TEMPERATURAS; ++i) clasifica(i);
        calcula_comunes(q, 0, NUM_TEMPERATURAS);
    }
    void copia(float* h, float* s, float* v)
    {
        for (int q = 0; q < 3; ++q) completa(q);
        valores_.copia(h, s, v);
    }
    // Error estimado de la propiedad q de la fila i, ya calculada (por
    // encima de P_COMPROBADA): el de su interpolación en p
    // (error_interpolacion).
    double error(int i, int q) const
    {
        if (valores_.de(i) == valores_.ESPECIAL) return error_especial_[i][q];
        const fuente_comun f = fuente();
        float ys[3];
        const bool gas =
            ordenadas_comunes(f.xs, f.base + std::size_t(i) * f.paso_fila + q, f.paso_punto, f.x, vapor_[i], q, comunes_, ys);
        const double xs[3] = {f.xs[0], f.xs[1], f.xs[2]}, yd[3] = {ys[0], ys[1], ys[2]};
        const double e = error_parabola(xs, yd, f.x);
        return gas && q == 2 ? e / f.x : e;
    }
    // Primera de las tres columnas de presión con que se interpola.
    int primera_columna() const { return c_; }

private:
    // La propiedad q de las filas 'desde'..'hasta' - 1 ya clasificadas como
    // comunes.
    void calcula_comunes(int q, int desde, int hasta)
    {
        valores_.calcula_comunes(q, desde, hasta, fuente(), comunes_);
    }
    // Las filas comunes en datos_f2: la fila i en las columnas c_..c_ + 2.
    fuente_comun fuente() const
    {
        return {datos_f2.data() + std::size_t(c_) * 3, 585, 3, eje_presiones + c_, p_, vapor_};
    }
    // Marcas de las tres columnas en la fila i: 1 vapor, −1 líquido.
    void marcas(int i, int marca[3]) const
    {
        for (int k = 0; k < 3; ++k) marca[k] = float(10 * i) >= limites_[k] ? 1 : -1;
    }
    void escribe_posi(int i, const int marca[3]) const
    {
        escribe_traza(">POSI: T=%d <%d,%d,%d>", 10 * i, marca[0], marca[1], marca[2]);
    }
    // Si la fila i, con sus marcas, es común sin tener que leer la tabla de
    // saturación, y su lado en 'vapor'.
    bool comun_sin_consulta(int i, const int marca[3], bool& vapor) const
    {
        const bool mezcla = !(marca[0] == marca[1] && marca[1] == marca[2]);
        if (hay_tsat_)
            vapor = float(10 * i) >= tsat_;
        else if (mezcla)
            return false;
        else
            vapor = marca[1] == 1;
        return marca[0] == (vapor ? 1 : -1) && marca[2] == (vapor ? 1 : -1);
    }
    void pon_comun(int i, bool vapor)
    {
        valores_.comun(i);
        vapor_[i] = vapor;
    }
    float valor_comun(int i, int q) const
    {
        const fuente_comun f = fuente();
        return interpola_comun(f.xs, f.base + std::size_t(i) * f.paso_fila + q, f.paso_punto, f.x, vapor_[i], q,
                               comunes_);
    }
    void clasifica(int i)
    {
        if (valores_.de(i) != valores_.SIN_CLASE) return;
        int marca[3];
        marcas(i, marca);
        escribe_posi(i, marca);
        resuelve(i, marca);
    }
    // Tras la línea ">POSI:" de la fila i, con sus marcas: de qué lado de la
    // saturación cae p en ella; una fila especial se calcula aquí.
    void resuelve(int i, const int marca[3])
    {
        bool vapor;
        if (comun_sin_consulta(i, marca, vapor)) {
            pon_comun(i, vapor);
            return;
        }
        const float p = p_;
        const int T = 10 * i;
        const bool mezcla = !(marca[0] == marca[1] && marca[1] == marca[2]);

        // Sin temperatura de saturación de p (fuera de la tabla de
        // saturación) decide la presión de saturación de la fila, como las
        // marcas. La fila sólo se lee de la tabla de saturación cuando hace
        // falta.
        punto_saturacion sat;
        bool leida = false, hay_psat = false;
        auto psat_fila = [&] {
            if (!leida) {
                leida = true;
                hay_psat = lee_saturado(POR_TEMPERATURA, float(T), sat);
            }
            return hay_psat;
        };
        if (hay_tsat_)
            vapor = float(T) >= tsat_;
        else if (mezcla && psat_fila())
            vapor = marca[1] == -1 ? p < sat.sat : p <= sat.sat;
        else
            vapor = marca[1] == 1;

        const bool otro_lado = marca[0] != (vapor ? 1 : -1) || marca[2] != (vapor ? 1 : -1);
        if (!(otro_lado && psat_fila())) {
            pon_comun(i, vapor);
            return;
        }
        // Alguna de las tres columnas es de la otra fase: entran el punto de
        // saturación de la fila y las columnas del lado de p más próximas a
        // él. La última columna de vapor de la fila es la última cuyo límite
        // de vapor no pasa de T.
        int jv = 0;
        while (jv + 1 < NUM_PRESIONES && float(T) >= t_limite_vapor[jv + 1]) ++jv;
        const int jl = std::min(jv + 1, NUM_PRESIONES - 1);
        const double salto = double(eje_presiones[jl]) - eje_presiones[std::max(jl - 1, 0)];
        // Las columnas que entran quedan también en 'usadas', para estimar
        // el error de la fila.
        punto_linea usadas[3];
        int n = 0;
        auto columna = [i, &usadas, &n](int j) {
            const punto_linea q{eje_presiones[j], valor_f2(i, j, 0), valor_f2(i, j, 1), valor_f2(i, j, 2)};
            if (n < 2) usadas[n++] = q;
            return q;
        };
        const float dat[3] = {valor_f2(i, c_, 0), valor_f2(i, c_ + 1, 0), valor_f2(i, c_ + 2, 0)};
        float h, s, v;
        interpola_junto_a_saturacion(marca, vapor, {sat.sat, sat.hv, sat.sv, sat.vv}, {sat.sat, sat.hl, sat.sl, sat.vl},
                                     eje_presiones, NUM_PRESIONES, jv, 1, salto, columna, p, vapor, true, dat, h, s, v);
        valores_.especial(i, h, s, v);
        if (p > P_COMPROBADA) {
            // Los puntos, ordenados por presión, como los usó la fila: las
            // columnas y el punto de saturación de su lado.
            usadas[n++] = vapor ? punto_linea{sat.sat, sat.hv, sat.sv, sat.vv} : punto_linea{sat.sat, sat.hl, sat.sl, sat.vl};
            for (int a = 1; a < n; ++a)
                for (int b = a; b > 0 && usadas[b].x < usadas[b - 1].x; --b) std::swap(usadas[b], usadas[b - 1]);
            for (int q = 0; q < 3; ++q) error_especial_[i][q] = float(error_interpolacion(usadas, n, p, vapor, q));
        }
    }

    float p_ = 0;
    // Primera de las tres columnas de presión, y sus límites de vapor (en
    // flotantes aparte: las marcas, enteras, se escriben sin tocarlos).
    int c_ = 1;
    float limites_[3] = {0, 0, 0};
    // Temperatura de saturación de p (si p está en la tabla de saturación).
    bool hay_tsat_ = false;
    float tsat_ = 0;
    abscisas_comunes comunes_;
    // Lado de p en cada fila común.
    bool vapor_[NUM_TEMPERATURAS];
    valores_linea<NUM_TEMPERATURAS> valores_;
    // Error estimado de h, s, v de cada fila especial (por encima de
    // P_COMPROBADA).
    float error_especial_[NUM_TEMPERATURAS][3];
};

// Isoterma con las propiedades de sus columnas comunes calculadas cuando se
// piden. Las columnas se clasifican todas, en orden, al abrirla: las de 230
// y 240 bar, por encima de la tabla de saturación, usan la saturación de la
// última presión que sí se leyó.
class isoterma_perezosa {
public:
    // La isoterma t como calc_T, con todas sus líneas de traza (la de una
    // columna común lleva su v).
    void abre(float t, saturacion_de& sat_t)
    {
        r_ = filas_temperatura(t);
        t_ = t;
        for (int k = 0; k < 3; ++k) temperaturas_[k] = eje_temperaturas[r_ + k];
        escribe_traza("calc_T: filas=%d (%g %g %g)", r_, eje_temperaturas[r_], eje_temperaturas[r_ + 1],
                      eje_temperaturas[r_ + 2]);
        escribe_traza(">INTERP: (%g %g %g) %g", eje_temperaturas[r_], eje_temperaturas[r_ + 1],
                      eje_temperaturas[r_ + 2], t);
        // El lado de cada columna se decide con la presión de saturación de
        // la isoterma, la misma con que busca_array parte la línea (no la hay
        // por encima de 373,68 °C); como en la isobara, sin su línea de
        // traza.
        hay_psat_ = !(t > 373.68) && sat_t.consulta();
        if (hay_psat_) psat_ = sat_t.punto().sat;
        comunes_ = prepara_comunes(eje_temperaturas + r_, t);
        valores_.vacia();
        // Las columnas comunes que se reconocen sin leer la tabla de
        // saturación no cambian la saturación que pasa de una columna a las
        // siguientes: se marcan antes, y con la traza su v se calcula de una
        // vez.
        int marca[NUM_PRESIONES][3];
        for (int j = 0; j < NUM_PRESIONES; ++j) {
            marcas(j, marca[j]);
            if (comun_sin_consulta(j, marca[j])) valores_.comun(j);
        }
        const bool traza = traza_activa();
        if (traza) completa(2);
        punto_saturacion sat;
        bool hay_sat = false;
        for (int j = 0; j < NUM_PRESIONES; ++j) {
            const int* m = marca[j];
            escribe_traza(">POSI: P=%g <%d,%d,%d>", eje_presiones[j], m[0], m[1], m[2]);
            if (valores_.de(j) == valores_.SIN_CLASE) resuelve(j, m, sat, hay_sat);
            if (!traza || valores_.de(j) != valores_.COMUN) continue;
            const int r = r_;
            escribe_traza(">vp: %g %g %g  temp: %g %g %g  (dat: %g %g %g)    vi:%g", valor_f2(r, j, 2),
                          valor_f2(r + 1, j, 2), valor_f2(r + 2, j, 2), eje_temperaturas[r], eje_temperaturas[r + 1],
                          eje_temperaturas[r + 2], valor_f2(r, j, 2), valor_f2(r + 1, j, 2), valor_f2(r + 2, j, 2),
                          valor(j, 2));
        }
    }
    // Propiedad q (0 h, 1 s, 2 v) de la columna j.
    float valor(int j, int q)
    {
        if (!valores_.hecho(j, q)) valores_.pon(j, q, valor_comun(j, q));
        return valores_.valor(j, q);
    }
    // Un valor del que no baja la propiedad q de la columna j: el suyo si
    // ya está calculado; si no, lo menor que verosimil aceptaría de sus
    // tres valores de la rejilla (+inf si no aceptaría ninguno: sale NaN).
    // Sirve para saltar sin calcularla una columna que no puede quedar por
    // debajo de lo que se busca.
    double cota_inferior(int j, int q) const
    {
        if (valores_.hecho(j, q)) return valores_.valor(j, q);
        const fuente_comun f = fuente();
        float ys[3];
        ordenadas_comunes(f.xs, f.base + std::size_t(j) * f.paso_fila + q, f.paso_punto, f.x, false, q, comunes_, ys);
        const aceptable a = aceptable_de(ys, 3);
        return a.hay ? a.desde : INFINITY;
    }
    // La propiedad q en todas las columnas.
    void completa(int q) { calcula_comunes(q, 0, NUM_PRESIONES); }
    void copia(float* h, float* s, float* v)
    {
        for (int q = 0; q < 3; ++q) completa(q);
        valores_.copia(h, s, v);
    }

private:
    // La propiedad q de las columnas comunes 'desde'..'hasta' - 1.
    void calcula_comunes(int q, int desde, int hasta)
    {
        valores_.calcula_comunes(q, desde, hasta, fuente(), comunes_);
    }
    // Las columnas comunes en datos_f2: la columna j en las filas r_..r_ + 2.
    fuente_comun fuente() const
    {
        return {datos_f2.data() + std::size_t(r_) * 585, 3, 585, eje_temperaturas + r_, t_, nullptr};
    }
    // Marcas de las tres filas en la columna j: 1 líquido, −1 vapor.
    void marcas(int j, int marca[3]) const
    {
        for (int k = 0; k < 3; ++k) marca[k] = temperaturas_[k] < t_limite_vapor[j] ? 1 : -1;
    }
    // Si la columna j, con sus marcas, es común sin tener que leer la tabla
    // de saturación.
    bool comun_sin_consulta(int j, const int marca[3]) const
    {
        const bool mezcla = !(marca[0] == marca[1] && marca[1] == marca[2]);
        bool liquido;
        if (hay_psat_)
            liquido = eje_presiones[j] > psat_;
        else if (mezcla)
            return false;
        else
            liquido = marca[1] == 1;
        return marca[0] == (liquido ? 1 : -1) && marca[2] == (liquido ? 1 : -1);
    }
    float valor_comun(int j, int q) const
    {
        const fuente_comun f = fuente();
        return interpola_comun(f.xs, f.base + std::size_t(j) * f.paso_fila + q, f.paso_punto, f.x, false, q,
                               comunes_);
    }
    // Tras la línea ">POSI:" de una columna que no es común sin más: de qué
    // lado de la saturación cae t en ella, con la saturación de la columna
    // ('sat', la última que se leyó si 'hay_sat'); una columna especial se
    // calcula aquí.
    void resuelve(int j, const int marca[3], punto_saturacion& sat, bool& hay_sat)
    {
        const float t = t_;
        const float P = eje_presiones[j];
        const bool mezcla = !(marca[0] == marca[1] && marca[1] == marca[2]);

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
        if (hay_psat_)
            liquido = P > psat_;
        else if (mezcla && tsat_columna())
            liquido = marca[1] == 1 ? t <= sat.sat : t < sat.sat;
        else
            liquido = marca[1] == 1;

        const bool otro_lado = marca[0] != (liquido ? 1 : -1) || marca[2] != (liquido ? 1 : -1);
        if (!(otro_lado && tsat_columna())) {
            valores_.comun(j);
            return;
        }
        // Alguna de las tres filas es de la otra fase: entran el punto de
        // saturación de la columna y las filas del lado de t más próximas a
        // él. La última fila de líquido es la última por debajo del límite
        // de vapor de la columna.
        int il = -1;
        while (il + 1 < NUM_TEMPERATURAS && eje_temperaturas[il + 1] < t_limite_vapor[j]) ++il;
        auto fila = [j](int i) {
            return punto_linea{eje_temperaturas[i], valor_f2(i, j, 0), valor_f2(i, j, 1), valor_f2(i, j, 2)};
        };
        const float dat[3] = {valor_f2(r_, j, 2), valor_f2(r_ + 1, j, 2), valor_f2(r_ + 2, j, 2)};
        float h, s, v;
        interpola_junto_a_saturacion(marca, liquido, {sat.sat, sat.hl, sat.sl, sat.vl}, {sat.sat, sat.hv, sat.sv, sat.vv},
                                     eje_temperaturas, NUM_TEMPERATURAS, il, 0, 10.0, fila, t, false, false, dat, h, s,
                                     v);
        valores_.especial(j, h, s, v);
    }

    float t_ = 0;
    // Primera de las tres filas de temperatura, y sus temperaturas (en
    // flotantes aparte: las marcas, enteras, se escriben sin tocarlas).
    int r_ = 0;
    float temperaturas_[3] = {0, 0, 0};
    // Presión de saturación de t (si t está en la tabla de saturación).
    bool hay_psat_ = false;
    float psat_ = 0;
    abscisas_comunes comunes_;
    valores_linea<NUM_PRESIONES> valores_;
};

// Sin cota: ningún valor se puede saltar sin calcularlo.
double sin_cota(int) { return -INFINITY; }

// Los puntos con que busca interpoló su resultado: n (2 o 3), sus
// abscisas X y ordenadas Y (en las magnitudes de la línea, sin logaritmos)
// y el índice de cada uno en la línea, o SATURACION si es el punto de
// saturación puesto en ella, o MAS_ALLA si es el punto de más allá de la
// saturación (líquido a menos de 20 °C).
struct plantilla {
    enum { SATURACION = -1, MAS_ALLA = -2 };
    int n;
    double x[3], y[3];
    int indice[3];
};

// busca_array con la saturación de la línea en 'sat_linea' (del mismo
// 'fijo') y los valores de la propiedad de la línea en 'valores' (i → el
// valor del punto i): Y al leer una propiedad, X al buscar dónde toma un
// valor; el otro array es 'eje'. Sólo se piden los valores que la búsqueda
// usa, salvo con la traza activa, que los escribe. En la isoterma, 'cota'
// (i → un valor del que no baja el del punto i) deja saltar sin calcularlo
// un punto que no puede quedar por debajo de lo que se busca.
template <class Valores, class Cota = double (*)(int)>
std::int32_t busca(const float* eje, Valores valores, std::int32_t modo, float fijo, float objetivo,
                   std::int32_t prop, saturacion_de& sat_linea, float& resultado, Cota cota = sin_cota,
                   plantilla* usada = nullptr)
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

    // En la isoterma el tramo empieza en el primer punto que queda por
    // debajo del objetivo: uno que no puede bajar de él no se calcula.
    auto no_baja = [&](int i) {
        return modo == MODO_ISOTERMA && prop >= 0 && i != j_sat && i != extra && cota(i) >= objetivo;
    };
    int m = lo;
    while (m <= hi && (modo == MODO_ISOBARA ? !(XX(m) > objetivo) : no_baja(m) || !(XX(m) < objetivo))) ++m;
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
    if (usada) {
        usada->n = puntos;
        for (int k = 0; k < puntos; ++k) {
            const int i = b + k;
            usada->x[k] = XX(i);
            usada->y[k] = YY(i);
            usada->indice[k] = i == j_sat ? plantilla::SATURACION : i == extra ? plantilla::MAS_ALLA : i;
        }
    }
    return BUSCA_BIEN;
}

// Tolerancias de h, s y v de un resultado que se da por bueno: relativas,
// sobre el valor o, si es menor, sobre un suelo (h y s valen 0 en el punto
// triple, y un error absoluto despreciable sería allí un error relativo
// grande).
constexpr double TOLERANCIA[3] = {0.01, 0.01, 0.02};
constexpr double SUELO[3] = {10.0, 0.1, 0.0};
const char* const NOMBRE_PROPIEDAD[3] = {"H", "S", "V"};

double tolerancia(int q, double valor) { return TOLERANCIA[q] * std::max(std::fabs(valor), SUELO[q]); }

// Comprobación de los resultados por encima de P_COMPROBADA. El error
// estimado E de una propiedad leída en t en la isobara (error_lectura) es
// el de la parábola en t más el de cada uno de sus tres puntos por su peso
// en ella: el de una fila, el de su interpolación en p; el punto de
// saturación se toma exacto (la tabla de saturación, con una fila por bar
// desde 200 bar, se aparta de IF97 mucho menos que la tolerancia; contar
// su error sólo rechazaba cinco estados buenos de las mallas de abajo). Un
// resultado se rechaza si FACTOR·E pasa de la tolerancia en h, s o v.
//
// Los factores salen de comparar E con el error real frente a IAPWS-IF97
// (barrido_agua) en 99 000 estados de 200 a 240 bar y de 355 a 420 °C, por
// seis parejas: mallas de 1 bar × 1 K, de 0,5 × 0,5 y de 0,3 × 0,3
// desplazadas entre sí, y de 0,1 × 0,1 de 205 a 221,2 bar junto a la
// saturación. Para no dar ninguno por bueno fuera de la tolerancia hace
// falta un factor de 1,2 cuando los puntos de la lectura son todos filas de
// la isobara, y de 4,5 cuando uno es el punto de saturación (junto a él,
// cerca del punto crítico, la curva real se dobla en unos pocos kelvin más
// de lo que dicen tres puntos a 10 K). Se toman 1,5 y 6.
constexpr double FACTOR_LEJOS = 1.5;
constexpr double FACTOR_JUNTO = 6.0;

// Por debajo de 205 bar la isobara se interpola con las columnas de 190,
// 200 y 210 bar, que no llegan a las de 220 y 230, y allí la estimación
// con el punto de saturación se pasa del error real en vez de quedarse
// corta. Medido frente a IAPWS-IF97 de 200 a 205 bar, a menos de 20 K de
// la saturación, en mallas de 0,1 bar × 0,1 K (una para ajustar y otra
// desplazada 0,05 bar y 0,05 K para comprobar, 88 000 llamadas cada una por
// las seis parejas): sin comprobación salen mal unas 550 (v hasta un 2,3 %
// fuera, de 202,7 a 205 bar y de 5 a 7 K por encima de la saturación), y
// para no dar ninguna por buena basta un factor de 0,39 en las dos. Entre
// 0,49 y 0,95 cualquier factor acepta lo mismo: ningún estado tiene el
// cociente entre tolerancia y error estimado en ese tramo. Se toma 0,7,
// 1,8 veces lo necesario; con 6 se rechazaba la mitad de los estados
// buenos de esas mallas, con 0,7 una quinta parte. (De 205 bar arriba lo
// necesario va de 1,1 a 4,3 según la presión, sin orden, y queda 6.) Las
// lecturas con sólo filas de la isobara no dan ningún estado erróneo en
// esa banda con qué medir su factor, y quedan con el de siempre.
constexpr double FACTOR_JUNTO_190 = 0.7;

// Error estimado de la propiedad q leída en t en la isobara 'linea' con los
// puntos 'pl'.
double error_lectura(const plantilla& pl, int q, double t, const isobara_perezosa& linea)
{
    if (pl.n < 3) return INFINITY;
    double w[3];
    pesos_parabola(pl.x, t, w);
    double e = error_parabola(pl.x, pl.y, t);
    for (int k = 0; k < 3; ++k) {
        if (pl.indice[k] == plantilla::MAS_ALLA) return INFINITY;
        if (pl.indice[k] != plantilla::SATURACION) e += std::fabs(w[k]) * linea.error(pl.indice[k], q);
    }
    return e;
}

// Si h, s y v ('valores'), leídos en t en la isobara 'linea' con los
// puntos 'usadas', se dan por buenos; si no, una línea de traza dice cuál
// no y con qué error estimado.
bool admite_lecturas(float t, const float valores[3], const plantilla usadas[3], const isobara_perezosa& linea)
{
    // La isobara de 200 a 205 bar empieza en la columna de 190 bar, por
    // debajo de donde se comprueba.
    const double factor_junto = eje_presiones[linea.primera_columna()] < P_COMPROBADA ? FACTOR_JUNTO_190 : FACTOR_JUNTO;
    for (int q = 0; q < 3; ++q) {
        const plantilla& pl = usadas[q];
        const bool junto = std::count(pl.indice, pl.indice + pl.n, int(plantilla::SATURACION)) > 0;
        const double e = error_lectura(pl, q, t, linea);
        if (!((junto ? factor_junto : FACTOR_LEJOS) * e <= tolerancia(q, valores[q]))) {
            escribe_traza("calc_tp: %s=%g CON ERROR ESTIMADO %g, FUERA DE MARGEN", NOMBRE_PROPIEDAD[q], valores[q], e);
            return false;
        }
    }
    return true;
}

// En una búsqueda ('quien' la nombra en la traza), si la propiedad q (h, s
// o v) que calc_tp acaba de dar en el estado hallado (en estado_resultado)
// es la dada, 'dada', dentro de la tolerancia. La isoterma y la isobara
// interpolan por caminos distintos, y donde se contradicen ninguna de las
// dos es de fiar. En la isobara la búsqueda y la lectura usan los mismos
// puntos, pero la búsqueda interpola la temperatura en la propiedad y la
// lectura al revés: junto al punto crítico la parábola de la búsqueda
// puede dar justo la temperatura de saturación para una v un 12 % mayor que
// la saturada, y allí la lectura, el punto de saturación mismo, no tiene
// error estimado. Si no es la dada, una línea de traza lo dice.
bool admite_residuo(const char* quien, int q, float dada)
{
    const float y = q == 0 ? estado_resultado.h : q == 1 ? estado_resultado.s : estado_resultado.v;
    if (std::fabs(double(y) - dada) <= tolerancia(q, dada)) return true;
    escribe_traza("%s: %s=%g EN EL ESTADO HALLADO Y NO %g, FUERA DE MARGEN", quien, NOMBRE_PROPIEDAD[q], y, dada);
    return false;
}

// Si (t, p) es un punto de la rejilla del lado de la saturación en curso,
// sus valores en estado_resultado, con una línea de traza. Desde
// P_COMPROBADA la rejilla se da tal cual en sus puntos: la isobara no
// siempre pasa por ellos junto a la saturación (un punto a menos de
// CERCANIA de la saturación de su fila no entra), y el de 800 °C, último de
// la isobara, no lo encierra ninguna lectura.
bool lee_punto_de_rejilla(float t, float p)
{
    const int i = int(t / 10);
    if (!(i >= 0 && i < NUM_TEMPERATURAS && eje_temperaturas[i] == t)) return false;
    const float* j = std::lower_bound(eje_presiones, eje_presiones + NUM_PRESIONES, p);
    if (j == eje_presiones + NUM_PRESIONES || *j != p) return false;
    const int columna = int(j - eje_presiones);
    const bool liquido = eje_temperaturas[i] < t_limite_vapor[columna];
    if (liquido != (fase_actual == FASE_LIQUIDO)) return false;
    estado_resultado.h = valor_f2(i, columna, 0);
    estado_resultado.s = valor_f2(i, columna, 1);
    estado_resultado.v = valor_f2(i, columna, 2);
    estado_resultado.t = t;
    estado_resultado.p = p;
    escribe_traza("calc_tp: PUNTO DE LA REJILLA: H=%g S=%g V=%g", estado_resultado.h, estado_resultado.s,
                  estado_resultado.v);
    return true;
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
    if (p >= P_COMPROBADA && lee_punto_de_rejilla(t, p)) return TP_BIEN;

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
    const bool comprobada = p > P_COMPROBADA;
    plantilla usadas[3];
    // Sin valor posible (p. ej. t = 800 °C, último punto de la isobara) no
    // hay resultado: nada de lo calculado a medias sale de aquí.
    auto lee = [&](std::int32_t prop, float& r) {
        const int q = prop + 3;
        return busca(eje_temperaturas, [linea, q](int i) { return linea->valor(i, q); }, MODO_ISOBARA, p, t, prop,
                     sat_p, r, sin_cota, comprobada ? &usadas[q] : nullptr);
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
    if (comprobada) {
        const float valores[3] = {rh, rs, rv};
        if (!admite_lecturas(t, valores, usadas, *linea)) return TP_INVEROSIMIL;
    }
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
    linea.copia(h, s, v);
}

void calc_T(float t, float h[NUM_PRESIONES], float s[NUM_PRESIONES], float v[NUM_PRESIONES])
{
    saturacion_de sat_t(POR_TEMPERATURA, t);
    isoterma_perezosa linea;
    linea.abre(t, sat_t);
    linea.copia(h, s, v);
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
    const int q = indice_propiedad(prop);
    float t;
    const std::int32_t b = busca(eje_temperaturas, [&linea, q](int i) { return linea.valor_recorrido(i, q); },
                                 MODO_ISOBARA, p, valor, prop, sat_p, t);
    if (b != BUSCA_BIEN) return b == BUSCA_INVEROSIMIL ? TP_INVEROSIMIL : TP_FUERA;
    const std::int32_t r = calc_tp_con(t, p, sat_p, &linea);
    if (r == TP_BIEN && p > P_COMPROBADA && !admite_residuo("calcula_por_isobara", q, valor)) return TP_INVEROSIMIL;
    return r;
}

std::int32_t calcula_por_isoterma(float t, float valor, std::int32_t prop)
{
    saturacion_de sat_t(POR_TEMPERATURA, t);
    return calcula_por_isoterma(t, valor, prop, sat_t);
}

std::int32_t calcula_por_isoterma(float t, float valor, std::int32_t prop, saturacion_de& sat_t)
{
    if (!(t >= eje_temperaturas[0] && t <= eje_temperaturas[NUM_TEMPERATURAS - 1])) return TP_FUERA;
    isoterma_perezosa linea;
    linea.abre(t, sat_t);
    const int q = indice_propiedad(prop);
    float p;
    plantilla pl;
    const std::int32_t b =
        busca(eje_presiones, [&linea, q](int j) { return linea.valor(j, q); }, MODO_ISOTERMA, t, valor, prop, sat_t, p,
              [&linea, q](int j) { return linea.cota_inferior(j, q); }, &pl);
    if (b != BUSCA_BIEN) return b == BUSCA_INVEROSIMIL ? TP_INVEROSIMIL : TP_FUERA;
    const std::int32_t r = calc_tp(t, p);
    // La presión hallada se comprueba si la búsqueda usó alguna columna por
    // encima de P_COMPROBADA, aunque ella quede por debajo: junto al punto
    // crítico la isoterma puede dar menos de 200 bar para un estado de 220.
    const bool comprobada = p > P_COMPROBADA || *std::max_element(pl.y, pl.y + pl.n) > P_COMPROBADA;
    if (r == TP_BIEN && comprobada && !admite_residuo("calcula_por_isoterma", q, valor)) return TP_INVEROSIMIL;
    return r;
}
