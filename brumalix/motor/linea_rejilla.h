// Líneas de la rejilla calculadas cuando se piden: la isobara (81 filas de
// temperatura interpoladas en tres columnas de presión) y la isoterma (195
// columnas de presión interpoladas en tres filas de temperatura), una misma
// clase sobre el eje de cada una. Sólo para los ficheros de la rejilla.
#pragma once

#include "brumalix/motor/ejes_rejilla.h"
#include "brumalix/motor/interpolacion_rejilla.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace rejilla {

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

// El eje de una línea de la rejilla, lo que distingue la isobara de la
// isoterma. Una línea tiene N filas (los puntos de su eje); cada fila se
// interpola en tres de las M líneas que la cruzan (las tres «de siempre»),
// que en la rejilla van de la fase «de abajo» a la «de arriba». La marca
// de una de esas tres líneas en una fila es 1 si es de la fase de abajo y
// −1 si no. El valor k de la fila i en el punto j de las que la cruzan está
// en datos_f2[i·paso_fila + j·paso_punto + k]. Los mismos miembros en las
// dos:
//   isobara             si es la isobara
//   tipo_linea          cómo se lee la saturación de la línea (por su
//                       presión o por su temperatura) y tipo_fila, la de
//                       cada fila (por su temperatura o por su presión)
//   q_traza             la propiedad que enseña la traza de cada fila
//   abajo_vapor, gas    si la fase de abajo es el vapor, y si se interpola
//                       como gas en p
//   perezosa            si sin traza cada fila se clasifica la primera vez
//                       que se pide (si no, todas en orden al abrirla)
//   arrastra_saturacion si una fila sin saturación propia usa la de la
//                       última que se leyó
//   estima_error        si por encima de P_COMPROBADA se estima el error de
//                       cada fila
//   primera_entra       la primera línea de la rejilla que puede entrar
//                       junto a la saturación

// La isobara: sus filas son las 81 temperaturas de la rejilla, y las líneas
// que la cruzan, las 195 columnas de presión, del vapor (abajo) al líquido.
struct eje_isobara {
    static constexpr bool isobara = true;
    static constexpr int N = NUM_TEMPERATURAS, M = NUM_PRESIONES;
    static constexpr std::size_t paso_fila = VALORES_POR_TEMPERATURA_F2, paso_punto = VALORES_POR_PRESION_F2;
    static constexpr std::int32_t tipo_linea = POR_PRESION, tipo_fila = POR_TEMPERATURA;
    static constexpr int q_traza = 0;  // h
    static constexpr bool abajo_vapor = true, gas = true;
    static constexpr bool perezosa = true, arrastra_saturacion = false;
    static constexpr bool estima_error = true;
    // La columna de 0 bar no entra.
    static constexpr int primera_entra = 1;

    static const float* eje_puntos() { return eje_presiones; }
    static int primera(float p) { return columnas_presion(p); }
    // Lo que se guarda de cada una de las tres columnas de siempre para
    // marcarlas: su límite de vapor.
    static float referencia(int desde, int k) { return t_limite_vapor[desde + k]; }
    static int marca(int i, const float ref[3], int k) { return float(10 * i) >= ref[k] ? 1 : -1; }
    // Toda presión de la tabla de saturación tiene su temperatura.
    static bool puede_saturar(float) { return true; }
    // Si la fila i es del lado de abajo (vapor) con la saturación de la línea.
    static bool abajo_de(int i, float tsat) { return float(10 * i) >= tsat; }
    static float valor_fila(int i) { return float(10 * i); }
    // La última columna de vapor en la fila i: la última cuyo límite de
    // vapor no pasa de T.
    static int ultima_baja(int i)
    {
        int u = 0;
        while (u + 1 < NUM_PRESIONES && float(10 * i) >= t_limite_vapor[u + 1]) ++u;
        return u;
    }
    // El paso de la rejilla junto a la saturación: el de las columnas
    // después de la última de vapor.
    static double salto(int ultima)
    {
        const int jl = std::min(ultima + 1, NUM_PRESIONES - 1);
        return double(eje_presiones[jl]) - eje_presiones[std::max(jl - 1, 0)];
    }
    static void traza_cabecera(int c)
    {
        escribe_traza("calc_P: cols=%d (%g %g %g)", c, eje_presiones[c], eje_presiones[c + 1], eje_presiones[c + 2]);
    }
    // La línea de traza de la fila i con las marcas de sus tres columnas.
    static void escribe_posi(int i, const int m[3])
    {
        escribe_traza(">POSI: T=%d <%d,%d,%d>", 10 * i, m[0], m[1], m[2]);
    }
};

// La isoterma: sus filas son las 195 presiones de la rejilla, y las líneas
// que la cruzan, las 81 filas de temperatura, del líquido (abajo) al vapor.
struct eje_isoterma {
    static constexpr bool isobara = false;
    static constexpr int N = NUM_PRESIONES, M = NUM_TEMPERATURAS;
    static constexpr std::size_t paso_fila = VALORES_POR_PRESION_F2, paso_punto = VALORES_POR_TEMPERATURA_F2;
    static constexpr std::int32_t tipo_linea = POR_TEMPERATURA, tipo_fila = POR_PRESION;
    static constexpr int q_traza = 2;  // v
    static constexpr bool abajo_vapor = false, gas = false;
    // Las columnas de 230 y 240 bar, por encima de la tabla de saturación,
    // usan la saturación de la última presión que sí se leyó.
    static constexpr bool perezosa = false, arrastra_saturacion = true;
    static constexpr bool estima_error = false;
    static constexpr int primera_entra = 0;

    static const float* eje_puntos() { return eje_temperaturas; }
    static int primera(float t) { return filas_temperatura(t); }
    // Lo que se guarda de cada una de las tres filas de siempre para
    // marcarlas: su temperatura.
    static float referencia(int desde, int k) { return eje_temperaturas[desde + k]; }
    static int marca(int i, const float ref[3], int k) { return ref[k] < t_limite_vapor[i] ? 1 : -1; }
    // No hay presión de saturación por encima de T_MAX_SATURACION.
    static bool puede_saturar(float t) { return !(t > T_MAX_SATURACION); }
    // Si la fila i es del lado de abajo (líquido) con la saturación de la
    // línea.
    static bool abajo_de(int i, float psat) { return eje_presiones[i] > psat; }
    static float valor_fila(int i) { return eje_presiones[i]; }
    // La última fila de líquido en la columna i: la última por debajo de su
    // límite de vapor.
    static int ultima_baja(int i)
    {
        int u = -1;
        while (u + 1 < NUM_TEMPERATURAS && eje_temperaturas[u + 1] < t_limite_vapor[i]) ++u;
        return u;
    }
    // El paso de la rejilla junto a la saturación: 10 °C.
    static double salto(int) { return 10.0; }
    static void traza_cabecera(int c)
    {
        escribe_traza("calc_T: filas=%d (%g %g %g)", c, eje_temperaturas[c], eje_temperaturas[c + 1],
                      eje_temperaturas[c + 2]);
    }
    // La línea de traza de la columna i con las marcas de sus tres filas.
    static void escribe_posi(int i, const int m[3])
    {
        escribe_traza(">POSI: P=%g <%d,%d,%d>", eje_presiones[i], m[0], m[1], m[2]);
    }
};

// La saturación con que se decide el lado de una fila: la de la fila, o
// (si el eje la arrastra) la última que se leyó.
struct saturacion_fila {
    bool hay = false;
    punto_saturacion punto;
};

// Línea de la rejilla cuyas filas se calculan cuando se piden.
template <class E>
class linea_perezosa {
public:
    // La línea x como la empiezan calc_P y calc_T: sus dos líneas de
    // cabecera y la consulta de la saturación de x, que la línea no escribe
    // en la traza (la escriben quienes la leen: calcula y busca_array). Con
    // la traza activa se recorren en seguida todas las filas, en orden,
    // cada una con sus líneas (la de una fila común lleva su h en la
    // isobara, su v en la isoterma); sin traza, en la isobara cada fila y
    // cada propiedad se calculan cuando se piden.
    void abre(float x, saturacion_de& sat);
    // Propiedad q (0 h, 1 s, 2 v) de la fila i.
    [[gnu::always_inline]] float valor(int i, int q)
    {
        if constexpr (E::perezosa) clasifica(i);
        if (!valores_.hecho(i, q)) valores_.pon(i, q, valor_comun(i, q));
        return valores_.valor(i, q);
    }
    // Propiedad q de la fila i para una búsqueda que recorre la línea hacia
    // arriba: si falta, se calcula junto con las filas siguientes que
    // tampoco la tienen, de una vez.
    float valor_recorrido(int i, int q)
    {
        if (!valores_.hecho(i, q)) {
            const int hasta = std::min(i + FILAS_LOTE, E::N);
            if constexpr (E::perezosa)
                for (int k = i; k < hasta; ++k) clasifica(k);
            calcula_comunes(q, i, hasta);
        }
        return valores_.valor(i, q);
    }
    // Un valor del que no baja la propiedad q de la fila i: el suyo si ya
    // está calculado; si no, lo menor que verosimil aceptaría de sus tres
    // valores de la rejilla (+inf si no aceptaría ninguno: sale NaN). Sirve
    // para saltar sin calcularla una fila que no puede quedar por debajo de
    // lo que se busca.
    double cota_inferior(int i, int q) const
    {
        if (valores_.hecho(i, q)) return valores_.valor(i, q);
        const fuente_comun f = fuente();
        float ys[3];
        ordenadas_comunes(f.xs, f.base + std::size_t(i) * f.paso_fila + q, f.paso_punto, f.x, gas_de(i), q, comunes_,
                          ys);
        const aceptable a = aceptable_de(ys, 3);
        return a.hay ? a.desde : INFINITY;
    }
    // La propiedad q en todas las filas.
    void completa(int q)
    {
        if constexpr (E::perezosa)
            for (int i = 0; i < E::N; ++i) clasifica(i);
        calcula_comunes(q, 0, E::N);
    }
    void copia(float* h, float* s, float* v)
    {
        for (int q = 0; q < 3; ++q) completa(q);
        valores_.copia(h, s, v);
    }
    // Error estimado de la propiedad q de la fila i, ya calculada (por
    // encima de P_COMPROBADA): el de su interpolación en x
    // (error_interpolacion).
    double error(int i, int q) const;
    // Primera de las tres líneas con que se interpolan las filas comunes.
    int primera() const { return primera_; }

private:
    using valores = valores_linea<E::N>;

    void calcula_comunes(int q, int desde, int hasta) { valores_.calcula_comunes(q, desde, hasta, fuente(), comunes_); }
    // Las filas comunes en datos_f2: la fila i en las tres líneas de siempre.
    fuente_comun fuente() const
    {
        return {datos_f2.data() + std::size_t(primera_) * E::paso_punto, E::paso_fila, E::paso_punto,
                E::eje_puntos() + primera_, x_, E::gas ? gas_ : nullptr};
    }
    bool gas_de(int i) const { return E::gas && gas_[i]; }
    float valor_comun(int i, int q) const
    {
        const fuente_comun f = fuente();
        return interpola_comun(f.xs, f.base + std::size_t(i) * f.paso_fila + q, f.paso_punto, f.x, gas_de(i), q,
                               comunes_);
    }
    // Las marcas de las tres líneas de siempre en la fila i (sin bucle: es
    // lo que más se repite al abrir una isoterma).
    void marcas(int i, int marca[3]) const
    {
        marca[0] = E::marca(i, referencias_, 0);
        marca[1] = E::marca(i, referencias_, 1);
        marca[2] = E::marca(i, referencias_, 2);
    }
    // Si la fila i, con sus marcas, es común sin tener que leer la tabla de
    // saturación, y su lado en 'abajo'.
    bool comun_sin_consulta(int i, const int marca[3], bool& abajo) const
    {
        const bool mezcla = !(marca[0] == marca[1] && marca[1] == marca[2]);
        if (hay_sat_)
            abajo = E::abajo_de(i, sat_);
        else if (mezcla)
            return false;
        else
            abajo = marca[1] == 1;
        return marca[0] == (abajo ? 1 : -1) && marca[2] == (abajo ? 1 : -1);
    }
    void pon_comun(int i, bool abajo)
    {
        valores_.comun(i);
        if constexpr (E::gas) gas_[i] = abajo;
    }
    void clasifica(int i)
    {
        if (valores_.de(i) != valores::SIN_CLASE) return;
        int marca[3];
        marcas(i, marca);
        E::escribe_posi(i, marca);
        bool abajo;
        if (comun_sin_consulta(i, marca, abajo)) {
            pon_comun(i, abajo);
            return;
        }
        saturacion_fila sat;
        resuelve(i, marca, sat);
    }
    void clasifica_todas(bool traza);
    void resuelve(int i, const int marca[3], saturacion_fila& sat);
    void especial(int i, const int marca[3], bool abajo, const punto_saturacion& sat);
    void traza_comun(int i);

    float x_ = 0;
    // Primera de las tres líneas de siempre, y lo que se guarda de ellas
    // para marcarlas (en flotantes aparte: las marcas, enteras, se escriben
    // sin tocarlos).
    int primera_ = 0;
    float referencias_[3] = {0, 0, 0};
    // Saturación de x (temperatura de saturación de la isobara, presión de
    // saturación de la isoterma), si x está en la tabla de saturación.
    bool hay_sat_ = false;
    float sat_ = 0;
    abscisas_comunes comunes_;
    // Si cada fila común se interpola como gas (vapor en la isobara).
    bool gas_[E::N];
    valores valores_;
    // Error estimado de h, s, v de cada fila especial (por encima de
    // P_COMPROBADA).
    float error_especial_[E::N][3];
};

using isobara_perezosa = linea_perezosa<eje_isobara>;
using isoterma_perezosa = linea_perezosa<eje_isoterma>;

extern template class linea_perezosa<eje_isobara>;
extern template class linea_perezosa<eje_isoterma>;

} // namespace rejilla
