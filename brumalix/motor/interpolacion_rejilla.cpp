#include "brumalix/motor/interpolacion_rejilla.h"

#include <array>

namespace rejilla {

const double* r_ln_presiones()
{
    static const auto tabla = [] {
        std::array<double, NUM_PRESIONES> t;
        for (int j = 0; j < NUM_PRESIONES; ++j) t[std::size_t(j)] = r_ln(double(eje_presiones[j]));
        return t;
    }();
    return tabla.data();
}

abscisas_comunes prepara_comunes(const float xs[3], float x)
{
    abscisas_comunes a;
    a.distintas = xs[0] != xs[1] && xs[1] != xs[2] && xs[0] != xs[2];
    if (a.distintas) a.cuadratica = prepara_cuadratica(xs[0], xs[1], xs[2], x);
    return a;
}

namespace {

float valor_de(const punto_linea& p, int q) { return q == 0 ? p.h : q == 1 ? p.s : p.v; }

// Con tres puntos, 'comunes' trae lo que sólo depende de sus abscisas y
// de x (preparado con prepara_puntos), que no se repite para cada
// propiedad.
float interpola_propiedad(const punto_linea* pt, int n, float x, bool gas, int q, const abscisas_comunes& comunes)
{
    gas = gas && x > 0 && pt[0].x > 0;
    float xs[3], ys[3];
    for (int k = 0; k < n; ++k) {
        xs[k] = pt[k].x;
        ys[k] = ordenada(pt[k].x, valor_de(pt[k], q), q, gas, comunes.r_ln_puntos[k]);
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

} // namespace

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

// El de su parábola (error_parabola), en la magnitud que se interpola
// (s + R·ln p y p·v en gas) y vuelto a la de la propiedad. Con menos de
// tres puntos no hay con qué estimarlo.
double error_interpolacion(const punto_linea* pt, int n, float x, bool gas, int q)
{
    if (n < 3) return INFINITY;
    gas = gas && x > 0 && pt[0].x > 0;
    double xs[3], ys[3];
    for (int k = 0; k < 3; ++k) {
        const float valor = valor_de(pt[k], q);
        xs[k] = pt[k].x;
        ys[k] = !gas || q == 0 ? valor : q == 1 ? valor + r_ln(pt[k].x) : double(pt[k].x) * valor;
    }
    const double e = error_parabola(xs, ys, x);
    return gas && q == 2 ? e / x : e;
}

void pesos_parabola(const double xs[3], double x, double w[3])
{
    for (int k = 0; k < 3; ++k) {
        const int a = (k + 1) % 3, b = (k + 2) % 3;
        w[k] = (x - xs[a]) * (x - xs[b]) / ((xs[k] - xs[a]) * (xs[k] - xs[b]));
    }
}

void traza_puntos(bool isobara, const punto_linea* pt, int n, float x, float h, float v, const float dat[3])
{
    const char* eje = isobara ? "P" : "T";
    if (n == 3) {
        // La isobara enseña h; la isoterma, v.
        const int q = isobara ? 0 : 2;
        const float ys[3] = {valor_de(pt[0], q), valor_de(pt[1], q), valor_de(pt[2], q)};
        const float xs[3] = {pt[0].x, pt[1].x, pt[2].x};
        if (isobara)
            traza_fila<true>(ys, xs, dat, h);
        else
            traza_fila<false>(ys, xs, dat, v);
    } else if (n == 2) {
        escribe_traza(">  %s (%g %g)   H (%g %g) para %s=%g -> %g", eje, pt[0].x, pt[1].x, pt[0].h, pt[1].h, eje, x, h);
    } else {
        escribe_traza(">  SOLO EL PUNTO DE SATURACION: %s=%g H=%g para %s=%g", eje, pt[0].x, pt[0].h, eje, x);
    }
}

} // namespace rejilla
