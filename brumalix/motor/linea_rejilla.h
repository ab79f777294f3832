// Líneas de la rejilla calculadas cuando se piden: la isobara (81 filas de
// temperatura interpoladas en tres columnas de presión) y la isoterma (195
// columnas de presión interpoladas en tres filas de temperatura), una misma
// clase sobre el eje de cada una. Sólo para los ficheros de la rejilla.
#pragma once

#include "brumalix/motor/interpolacion_rejilla.h"
#include "brumalix/motor/rejilla_agua.h"

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

// Índice de propiedad de valores_linea: 0 h, 1 s, 2 v; cualquier otro, v.
inline int indice_propiedad(int prop) { return prop == PROP_H ? 0 : prop == PROP_S ? 1 : 2; }

// Lo que distingue la isobara (Isobara) de la isoterma. Una línea tiene N
// filas (los puntos de su eje); cada fila se interpola en tres de las M
// líneas que la cruzan (las tres «de siempre»), que en la rejilla van de la
// fase «de abajo» a la «de arriba»: en la isobara, las columnas de presión,
// de vapor a líquido; en la isoterma, las filas de temperatura, de líquido
// a vapor. La marca de una de esas tres líneas en una fila es 1 si es de la
// fase de abajo y −1 si no. El valor k de la fila i en el punto j de las
// que la cruzan está en datos_f2[i·paso_fila + j·paso_punto + k].
template <bool Isobara>
struct eje_linea {
    static constexpr bool isobara = Isobara;
    static constexpr int N = Isobara ? NUM_TEMPERATURAS : NUM_PRESIONES;
    static constexpr int M = Isobara ? NUM_PRESIONES : NUM_TEMPERATURAS;
    static constexpr std::size_t paso_fila = Isobara ? 585 : 3, paso_punto = Isobara ? 3 : 585;
    // La saturación de la línea se lee por su presión (o su temperatura), y
    // la de cada fila por su temperatura (o su presión).
    static constexpr std::int32_t tipo_linea = Isobara ? POR_PRESION : POR_TEMPERATURA;
    static constexpr std::int32_t tipo_fila = Isobara ? POR_TEMPERATURA : POR_PRESION;
    // La propiedad que enseña la traza de cada fila: h en la isobara, v en
    // la isoterma.
    static constexpr int q_traza = Isobara ? 0 : 2;
    // La fase de abajo es el vapor en la isobara, que allí se interpola
    // como gas en p; en la isoterma, el líquido, y nada es gas.
    static constexpr bool abajo_vapor = Isobara, gas = Isobara;
    // Sin traza, cada fila de la isobara se clasifica la primera vez que se
    // pide, con la saturación de la fila; las columnas de la isoterma, todas
    // en orden al abrirla: las de 230 y 240 bar, por encima de la tabla de
    // saturación, usan la saturación de la última presión que sí se leyó.
    static constexpr bool perezosa = Isobara, arrastra_saturacion = !Isobara;
    // En la isobara, por encima de P_COMPROBADA se estima el error de cada
    // fila.
    static constexpr bool estima_error = Isobara;
    // La primera línea de la rejilla que puede entrar junto a la saturación
    // (la columna de 0 bar no entra).
    static constexpr int primera_entra = Isobara ? 1 : 0;

    static const float* eje_puntos() { return Isobara ? eje_presiones : eje_temperaturas; }
    static int primera(float x) { return Isobara ? columnas_presion(x) : filas_temperatura(x); }
    // Lo que se guarda de cada una de las tres líneas de siempre para
    // marcarlas: el límite de vapor de la columna, o la temperatura de la
    // fila.
    static float referencia(int desde, int k)
    {
        return Isobara ? t_limite_vapor[desde + k] : eje_temperaturas[desde + k];
    }
    static int marca(int i, const float ref[3], int k)
    {
        if (Isobara) return float(10 * i) >= ref[k] ? 1 : -1;
        return ref[k] < t_limite_vapor[i] ? 1 : -1;
    }
    // No hay presión de saturación por encima de 373,68 °C.
    static bool puede_saturar(float x) { return Isobara || !(x > 373.68); }
    // Si la fila i es del lado de abajo con la saturación de la línea.
    static bool abajo_de(int i, float sat) { return Isobara ? float(10 * i) >= sat : eje_presiones[i] > sat; }
    static float valor_fila(int i) { return Isobara ? float(10 * i) : eje_presiones[i]; }
    // La última línea de la fase de abajo en la fila i: la última columna
    // cuyo límite de vapor no pasa de T, o la última fila por debajo del
    // límite de vapor de la columna.
    static int ultima_baja(int i)
    {
        int u = Isobara ? 0 : -1;
        if (Isobara)
            while (u + 1 < NUM_PRESIONES && float(10 * i) >= t_limite_vapor[u + 1]) ++u;
        else
            while (u + 1 < NUM_TEMPERATURAS && eje_temperaturas[u + 1] < t_limite_vapor[i]) ++u;
        return u;
    }
    // El paso de la rejilla junto a la saturación: el de las columnas
    // después de la última de vapor, o 10 °C.
    static double salto(int ultima)
    {
        if (!Isobara) return 10.0;
        const int jl = std::min(ultima + 1, NUM_PRESIONES - 1);
        return double(eje_presiones[jl]) - eje_presiones[std::max(jl - 1, 0)];
    }
    static void traza_cabecera(int c)
    {
        const float* e = eje_puntos();
        if (Isobara)
            escribe_traza("calc_P: cols=%d (%g %g %g)", c, e[c], e[c + 1], e[c + 2]);
        else
            escribe_traza("calc_T: filas=%d (%g %g %g)", c, e[c], e[c + 1], e[c + 2]);
    }
    // La línea de traza de la fila i con las marcas de sus tres líneas.
    static void escribe_posi(int i, const int m[3])
    {
        if (Isobara)
            escribe_traza(">POSI: T=%d <%d,%d,%d>", 10 * i, m[0], m[1], m[2]);
        else
            escribe_traza(">POSI: P=%g <%d,%d,%d>", eje_presiones[i], m[0], m[1], m[2]);
    }
};

using eje_isobara = eje_linea<true>;
using eje_isoterma = eje_linea<false>;

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
    float valor(int i, int q)
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
