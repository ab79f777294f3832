#include "brumalix/motor/linea_rejilla.h"

#include <utility>

namespace rejilla {

template <class E>
void linea_perezosa<E>::abre(float x, saturacion_de& sat)
{
    primera_ = E::primera(x);
    x_ = x;
    for (int k = 0; k < 3; ++k) referencias_[k] = E::referencia(primera_, k);
    const float* puntos = E::eje_puntos() + primera_;
    E::traza_cabecera(primera_);
    escribe_traza(">INTERP: (%g %g %g) %g", puntos[0], puntos[1], puntos[2], x);
    // El lado de la saturación de cada fila se decide con la saturación de
    // la línea, la misma con que busca_array parte la línea (y, en la
    // isobara, calcula elige la fase): así ninguna fila lleva el valor de la
    // otra.
    hay_sat_ = E::puede_saturar(x) && sat.consulta();
    if (hay_sat_) sat_ = sat.punto().sat;
    comunes_ = prepara_comunes(puntos, x);
    if (E::gas && x > 0) {
        const double* ln = r_ln_presiones();
        for (int k = 0; k < 3; ++k) comunes_.r_ln_puntos[k] = ln[primera_ + k];
        comunes_.r_ln_x = r_ln(double(x));
    }
    valores_.vacia();
    const bool traza = traza_activa();
    if (E::perezosa && !traza) return;
    clasifica_todas(traza);
}

// Alguna de las tres líneas es de la otra fase: entran el punto de
// saturación de la fila y las líneas del lado de x más próximas a él.
template <class E>
inline void linea_perezosa<E>::especial(int i, const int marca[3], bool abajo, const punto_saturacion& sat)
{
    const int ultima = E::ultima_baja(i);
    // Las dos primeras líneas que entran quedan también en 'usadas', para
    // estimar el error de la fila.
    punto_linea usadas[3];
    int n = 0;
    const float* fila = datos_f2.data() + std::size_t(i) * E::paso_fila;
    auto punto = [&usadas, &n, fila](int j) {
        const float* valores_j = fila + std::size_t(j) * E::paso_punto;
        const punto_linea q{E::eje_puntos()[j], valores_j[0], valores_j[1], valores_j[2]};
        if (n < 2) usadas[n++] = q;
        return q;
    };
    // Lo que la traza enseña de la fila en las tres líneas de siempre.
    const float* siempre = fila + std::size_t(primera_) * E::paso_punto + E::q_traza;
    const float dat[3] = {siempre[0], siempre[E::paso_punto], siempre[2 * E::paso_punto]};
    const punto_linea vapor{sat.sat, sat.hv, sat.sv, sat.vv}, liquido{sat.sat, sat.hl, sat.sl, sat.vl};
    const punto_linea& sat_abajo = E::abajo_vapor ? vapor : liquido;
    const punto_linea& sat_arriba = E::abajo_vapor ? liquido : vapor;
    const bool gas = E::gas && abajo;
    const fila_junto_a_saturacion junto{marca, abajo, sat_abajo, sat_arriba, E::eje_puntos(), E::M, ultima,
                                        E::primera_entra, E::salto(ultima), x_, gas, E::isobara, dat};
    float h, s, v;
    interpola_junto_a_saturacion(junto, punto, h, s, v);
    valores_.especial(i, h, s, v);
    if (!(E::estima_error && x_ > P_COMPROBADA)) return;
    // Los puntos, ordenados por x, como los usó la fila: las líneas y el
    // punto de saturación de su lado.
    usadas[n++] = abajo ? sat_abajo : sat_arriba;
    for (int a = 1; a < n; ++a)
        for (int b = a; b > 0 && usadas[b].x < usadas[b - 1].x; --b) std::swap(usadas[b], usadas[b - 1]);
    for (int q = 0; q < 3; ++q) error_especial_[i][q] = float(error_interpolacion(usadas, n, x_, gas, q));
}

// Tras la línea ">POSI:" de una fila i que no es común sin más, con sus
// marcas: de qué lado de la saturación cae x en ella. Sin saturación de la
// línea (fuera de la tabla de saturación) decide la saturación de la fila,
// que se lee de la tabla sólo cuando hace falta, como las marcas; una fila
// especial se calcula aquí.
template <class E>
void linea_perezosa<E>::resuelve(int i, const int marca[3], saturacion_fila& sat)
{
    bool abajo;
    const bool mezcla = !(marca[0] == marca[1] && marca[1] == marca[2]);
    bool leida = false;
    auto sat_fila = [&] {
        if (!leida) {
            leida = true;
            punto_saturacion nuevo;
            if (lee_saturado(E::tipo_fila, E::valor_fila(i), nuevo)) {
                sat.punto = nuevo;
                sat.hay = true;
            }
        }
        return sat.hay;
    };
    if (hay_sat_)
        abajo = E::abajo_de(i, sat_);
    else if (mezcla && sat_fila())
        abajo = marca[1] == 1 ? x_ <= sat.punto.sat : x_ < sat.punto.sat;
    else
        abajo = marca[1] == 1;

    const bool otro_lado = marca[0] != (abajo ? 1 : -1) || marca[2] != (abajo ? 1 : -1);
    if (!(otro_lado && sat_fila())) {
        pon_comun(i, abajo);
        return;
    }
    especial(i, marca, abajo, sat.punto);
}

// La línea de traza de la fila común i: la propiedad que enseña la traza,
// en las tres líneas de siempre y en la fila.
template <class E>
inline void linea_perezosa<E>::traza_comun(int i)
{
    const float* v = datos_f2.data() + std::size_t(i) * E::paso_fila + std::size_t(primera_) * E::paso_punto +
                     E::q_traza;
    const float ys[3] = {v[0], v[E::paso_punto], v[2 * E::paso_punto]};
    traza_fila<E::isobara>(ys, E::eje_puntos() + primera_, ys, valor(i, E::q_traza));
}

// Todas las filas, en orden, con sus líneas de traza. Las comunes que se
// reconocen sin leer la tabla de saturación (casi todas) no cambian la
// saturación que pasa de una fila a las siguientes: se marcan antes, y con
// la traza la propiedad que ésta enseña se calcula en todas de una vez.
template <class E>
void linea_perezosa<E>::clasifica_todas(bool traza)
{
    int marca[E::N][3];
    for (int i = 0; i < E::N; ++i) {
        marcas(i, marca[i]);
        bool abajo;
        if (comun_sin_consulta(i, marca[i], abajo)) pon_comun(i, abajo);
    }
    if (traza) calcula_comunes(E::q_traza, 0, E::N);
    saturacion_fila sat;
    for (int i = 0; i < E::N; ++i) {
        E::escribe_posi(i, marca[i]);
        if (valores_.de(i) == valores::SIN_CLASE) {
            if (!E::arrastra_saturacion) sat = saturacion_fila{};
            resuelve(i, marca[i], sat);
        }
        if (traza && valores_.de(i) == valores::COMUN) traza_comun(i);
    }
}

template <class E>
double linea_perezosa<E>::error(int i, int q) const
{
    if (valores_.de(i) == valores::ESPECIAL) return error_especial_[i][q];
    const fuente_comun f = fuente();
    float ys[3];
    const bool gas = ordenadas_comunes(f.xs, f.base + std::size_t(i) * f.paso_fila + q, f.paso_punto, f.x, gas_de(i),
                                       q, comunes_, ys);
    const double xs[3] = {f.xs[0], f.xs[1], f.xs[2]}, yd[3] = {ys[0], ys[1], ys[2]};
    const double e = error_parabola(xs, yd, f.x);
    return gas && q == 2 ? e / f.x : e;
}

template class linea_perezosa<eje_isobara>;
template class linea_perezosa<eje_isoterma>;

namespace {

// La línea x entera: h, s y v en sus N filas.
template <class E>
void calcula_linea(float x, float* h, float* s, float* v)
{
    saturacion_de sat(E::tipo_linea, x);
    linea_perezosa<E> linea;
    linea.abre(x, sat);
    linea.copia(h, s, v);
}

} // namespace

} // namespace rejilla

void calc_P(float p, float h[NUM_TEMPERATURAS], float s[NUM_TEMPERATURAS], float v[NUM_TEMPERATURAS])
{
    rejilla::calcula_linea<rejilla::eje_isobara>(p, h, s, v);
}

void calc_T(float t, float h[NUM_PRESIONES], float s[NUM_PRESIONES], float v[NUM_PRESIONES])
{
    rejilla::calcula_linea<rejilla::eje_isoterma>(t, h, s, v);
}
