#include "brumalix/motor/comprueba_rejilla.h"

namespace rejilla {

namespace {

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

} // namespace

bool admite_lecturas(float t, const float valores[3], const plantilla usadas[3], const isobara_perezosa& linea)
{
    // La isobara de 200 a 205 bar empieza en la columna de 190 bar, por
    // debajo de donde se comprueba.
    const double factor_junto = eje_presiones[linea.primera()] < P_COMPROBADA ? FACTOR_JUNTO_190 : FACTOR_JUNTO;
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

// La isoterma y la isobara interpolan por caminos distintos, y donde se
// contradicen ninguna de las dos es de fiar. En la isobara la búsqueda y la
// lectura usan los mismos puntos, pero la búsqueda interpola la temperatura
// en la propiedad y la lectura al revés: junto al punto crítico la parábola
// de la búsqueda puede dar justo la temperatura de saturación para una v un
// 12 % mayor que la saturada, y allí la lectura, el punto de saturación
// mismo, no tiene error estimado.
bool admite_residuo(const char* quien, int q, float dada, float hallada)
{
    if (std::fabs(double(hallada) - dada) <= tolerancia(q, dada)) return true;
    escribe_traza("%s: %s=%g EN EL ESTADO HALLADO Y NO %g, FUERA DE MARGEN", quien, NOMBRE_PROPIEDAD[q], hallada, dada);
    return false;
}

// La búsqueda en la isoterma interpola ln p frente a s (o frente a ln v)
// con la parábola de sus tres puntos; el error estimado de la presión
// hallada es el de esa parábola (error_parabola) llevado a bar. Medido
// frente a IAPWS-IF97 en (t, s) y (t, v) de 190 a 240 bar y de 0,3 a 20 K
// sobre la saturación, en dos mallas de 0,05 bar × 0,1 K desplazadas entre
// sí (396 000 llamadas cada una): para que ningún estado de 190 a 200 bar
// se rechace hace falta un factor de 0,9, y con 2,3 se dan por buenos
// estados erróneos de 200 a 205 bar (v hasta un 2 % fuera). Se toma 1,5.
constexpr double FACTOR_BUSQUEDA = 1.5;

bool puede_ser_de_por_debajo(const plantilla& pl, int q, float dado, float p)
{
    if (pl.n < 3) return false;
    const bool volumen = q == 2;
    double xs[3], ys[3];
    for (int k = 0; k < 3; ++k) {
        xs[k] = volumen ? std::log(pl.x[k]) : pl.x[k];
        ys[k] = std::log(pl.y[k]);
    }
    const double e = double(p) * error_parabola(xs, ys, volumen ? std::log(double(dado)) : double(dado));
    return std::isfinite(e) && double(p) - FACTOR_BUSQUEDA * e <= P_COMPROBADA;
}

// Desde P_COMPROBADA la rejilla se da tal cual en sus puntos: la isobara no
// siempre pasa por ellos junto a la saturación (un punto a menos de
// CERCANIA de la saturación de su fila no entra), y el de 800 °C, último de
// la isobara, no lo encierra ninguna lectura.
bool lee_punto_de_rejilla(float t, float p, bool liquido, float valores[3])
{
    const int i = int(t / 10);
    if (!(i >= 0 && i < NUM_TEMPERATURAS && eje_temperaturas[i] == t)) return false;
    const float* j = std::lower_bound(eje_presiones, eje_presiones + NUM_PRESIONES, p);
    if (j == eje_presiones + NUM_PRESIONES || *j != p) return false;
    const int columna = int(j - eje_presiones);
    if ((eje_temperaturas[i] < t_limite_vapor[columna]) != liquido) return false;
    for (int k = 0; k < 3; ++k) valores[k] = valor_f2(i, columna, k);
    escribe_traza("calc_tp: PUNTO DE LA REJILLA: H=%g S=%g V=%g", valores[0], valores[1], valores[2]);
    return true;
}

} // namespace rejilla
