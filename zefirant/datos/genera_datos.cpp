// Genera GASES.DAT y GASOLINA.DAT de ZEFIRANT a partir de los polinomios NASA
// Glenn de nasa_glenn.inp.
//
//   genera_datos_zefirant <nasa_glenn.inp> <directorio de salida>
//
// Cada fila de la tabla, a la temperatura T de la rejilla, guarda
//   cp0 = (H(T) - H(0))/T, el valor medio entre 0 K y T, con
//         H(T) - H(0) = H_NASA(T) - entalpía de formación + (H(298,15) - H(0));
//   cv0 = cp0 - 8,3143;
//   s0  = S°(T) a 1 bar, la entropía absoluta del registro.
// La constante de exergía e0 se elige para que la exergía que el programa
// calcula a 293,15 K y 1 bar (interpolando las filas 0 a 2) sea nula.
//
// Los humos de la gasolina se guardan a lambda 0,6, 0,8 y 1,0; las columnas de
// la mezcla son medias ponderadas por moles de las de sus componentes, sin
// término de mezcla en la entropía, como las que el programa mezcla por
// encima de lambda 1.

#include "zefirant/datos/humos_gasolina.h"
#include "zefirant/datos/nasa_glenn.h"

#include "comun/binario.h"
#include "zefirant/motor/gases.h"
#include "zefirant/motor/rejilla.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Gases de GASES.DAT, en el orden de sus tipos 0..8.
const char* const nombres_nasa[9] = {"Air", "H2", "O2", "N2", "H2O", "CO", "CO2", "CH4", "NH3"};

constexpr double T_REFERENCIA = 293.15;

[[noreturn]] void falla(const std::string& motivo)
{
    std::fprintf(stderr, "genera_datos_zefirant: %s\n", motivo.c_str());
    std::exit(1);
}

// Fila de la tabla en doble precisión: media de cp0 y s0.
struct fila_doble {
    double cp0 = 0;
    double s0 = 0;
};

fila_doble fila_especie(const especie_nasa& e, double T)
{
    return {e.h_sensible(T) / T, e.s(T)};
}

// Pasa las filas al registro, comprobando que todo valor es finito.
void llena_tabla(const std::vector<fila_doble>& filas, propiedades_gas& g, const std::string& quien)
{
    for (std::size_t i = 0; i < NUM_FILAS; ++i) {
        g.tabla[i].cp0 = static_cast<float>(filas[i].cp0);
        g.tabla[i].cv0 = static_cast<float>(filas[i].cp0 - R_UNIVERSAL);
        g.tabla[i].s0 = static_cast<float>(filas[i].s0);
        if (!std::isfinite(g.tabla[i].cp0) || !std::isfinite(g.tabla[i].s0) || filas[i].cp0 <= R_UNIVERSAL)
            falla(quien + ": valor no válido en la fila " + std::to_string(i));
    }
}

// e0 tal que e = cp·T - 293,15·s0 + e0 sea nula a 293,15 K y 1 bar con el cp y
// el s0 que el programa obtiene de la tabla ya redondeada a f32.
float constante_exergia(const propiedades_gas& g)
{
    float cv0, cp, s0;
    propiedades_a_T(static_cast<float>(T_REFERENCIA), g, cv0, cp, s0);
    return static_cast<float>(T_REFERENCIA * static_cast<double>(s0) - T_REFERENCIA * static_cast<double>(cp));
}

void escribe_tabla(binario::escritor& w, const propiedades_gas& g)
{
    for (const fila_propiedades& f : g.tabla) {
        w.f32(f.cv0);
        w.f32(f.cp0);
        w.f32(f.s0);
    }
}

// Escribe el fichero entero en un temporal y lo renombra: si algo falla no
// queda un fichero a medias con el nombre definitivo.
template <class Escribe>
void escribe_fichero(const std::string& ruta, std::size_t bytes, Escribe escribe)
{
    const std::string temporal = ruta + ".tmp";
    std::FILE* f = std::fopen(temporal.c_str(), "wb");
    if (!f) falla("no se puede crear " + temporal);
    binario::escritor w(f);
    escribe(w);
    bool bien = w.bien() && w.cuenta() == bytes;
    bien = (std::fclose(f) == 0) && bien;
    if (!bien || std::rename(temporal.c_str(), ruta.c_str()) != 0) {
        std::remove(temporal.c_str());
        falla("no se pudo escribir " + ruta);
    }
}

// Registro de un gas cuyos intervalos cubren la rejilla y la temperatura del
// equilibrio agua-gas.
const especie_nasa& especie_en_rejilla(const std::vector<especie_nasa>& especies, const char* nombre)
{
    const especie_nasa* e = busca_especie(especies, nombre);
    if (!e) falla(std::string("falta el registro ") + nombre);
    if (!e->intervalo(temperatura_fila(0)) || !e->intervalo(temperatura_fila(NUM_FILAS - 1)) ||
        !e->intervalo(T_EQUILIBRIO_AGUA_GAS))
        falla(std::string("los intervalos de ") + nombre + " no cubren la rejilla");
    return *e;
}

// GASES.DAT: nueve gases puros.
void genera_gases(const std::vector<especie_nasa>& especies, const std::string& directorio)
{
    std::vector<propiedades_gas> puros(9);
    for (std::size_t tipo = 0; tipo < 9; ++tipo) {
        const especie_nasa& e = especie_en_rejilla(especies, nombres_nasa[tipo]);
        std::vector<fila_doble> filas;
        for (int i = 0; i < NUM_FILAS; ++i) filas.push_back(fila_especie(e, temperatura_fila(i)));
        propiedades_gas& g = puros[tipo];
        g.tipo = static_cast<std::int8_t>(tipo);
        g.M = static_cast<float>(e.M);
        llena_tabla(filas, g, e.nombre);
        g.e0 = constante_exergia(g);
    }
    escribe_fichero(directorio + "/GASES.DAT", 9 * 404, [&](binario::escritor& w) {
        for (const propiedades_gas& g : puros) {
            w.f32(g.M);
            w.f32(g.e0);
            escribe_tabla(w, g);
        }
    });
}

// Un componente de los humos: kmol por kg de combustible y su registro.
struct parte_humos {
    double n;
    const especie_nasa* e;
};

// Filas de la mezcla: medias de las de sus componentes ponderadas por moles.
std::vector<fila_doble> filas_mezcla(const parte_humos (&partes)[5], double N)
{
    std::vector<fila_doble> filas;
    for (int i = 0; i < NUM_FILAS; ++i) {
        fila_doble f;
        for (const auto& p : partes) {
            if (p.n == 0) continue;
            fila_doble fe = fila_especie(*p.e, temperatura_fila(i));
            f.cp0 += p.n * fe.cp0;
            f.s0 += p.n * fe.s0;
        }
        filas.push_back({f.cp0 / N, f.s0 / N});
    }
    return filas;
}

// GASOLINA.DAT: humos de la gasolina a lambda 0,6, 0,8 y 1,0.
void genera_gasolina(const std::vector<especie_nasa>& especies, const std::string& directorio)
{
    const especie_nasa& co2 = especie_en_rejilla(especies, "CO2");
    const especie_nasa& co = especie_en_rejilla(especies, "CO");
    const especie_nasa& h2o = especie_en_rejilla(especies, "H2O");
    const especie_nasa& h2 = especie_en_rejilla(especies, "H2");
    const especie_nasa& n2 = especie_en_rejilla(especies, "N2");
    const double kp = constante_agua_gas(co, h2o, co2, h2, T_EQUILIBRIO_AGUA_GAS);
    const float lambdas[3] = {0.6f, 0.8f, 1.0f};
    std::vector<propiedades_gas> gasolina(3);
    for (std::size_t k = 0; k < 3; ++k) {
        humos_gasolina humos;
        if (!composicion_gasolina_rica(lambdas[k], kp, humos))
            falla("sin composición de los humos a lambda " + std::to_string(lambdas[k]));
        const double N = humos.total();
        const parte_humos partes[5] = {{humos.co2, &co2}, {humos.co, &co}, {humos.h2o, &h2o}, {humos.h2, &h2}, {humos.n2, &n2}};
        propiedades_gas& g = gasolina[k];
        g.tipo = GAS_GASOLINA;
        g.aire = lambdas[k];
        g.m_c = static_cast<float>(1.0 / N);
        g.M = static_cast<float>((1.0 + GASOLINA_AIRE_MIN * lambdas[k]) / N);
        llena_tabla(filas_mezcla(partes, N), g, "gasolina");
        g.e0 = constante_exergia(g);
    }
    escribe_fichero(directorio + "/GASOLINA.DAT", 3 * 412, [&](binario::escritor& w) {
        for (const propiedades_gas& g : gasolina) {
            w.f32(g.aire);
            w.f32(g.m_c);
            w.f32(g.M);
            w.f32(g.e0);
            escribe_tabla(w, g);
        }
    });
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) falla("uso: genera_datos_zefirant <nasa_glenn.inp> <directorio de salida>");
    std::vector<especie_nasa> especies;
    std::string error;
    if (!lee_nasa_glenn(argv[1], especies, error)) falla(error);
    const std::string directorio = argv[2];
    genera_gases(especies, directorio);
    genera_gasolina(especies, directorio);
    return 0;
}
