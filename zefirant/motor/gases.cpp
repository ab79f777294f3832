#include "zefirant/motor/gases.h"
#include "zefirant/motor/combustible.h"
#include "zefirant/motor/problema.h"
#include "zefirant/motor/rejilla.h"

#include "comun/binario.h"
#include "comun/formato.h"
#include "comun/lineas.h"
#include "comun/mensajes.h"
#include "comun/texto1252.h"

#include <cstdio>
#include <memory>
#include <new>

const char* const nombres_gases[12] = {
    "Aire"_w,
    "Hidrógeno (H`D2)"_w,
    "Oxígeno (O`D2)"_w,
    "Nitrógeno (N`D2)"_w,
    "Vapor de agua (H`D2O)"_w,
    "Monóxido de carbono (CO)"_w,
    "Dióxido de carbono (CO`D2)"_w,
    "Metano (CH`D4)"_w,
    "Amoniaco (NH`D3)"_w,
    "Gasolina"_w,
    "Gasóleo"_w,
    "Otro"_w,
};

namespace {

constexpr long BYTES_GAS = 404;
constexpr long BYTES_GASOLINA = 412;
constexpr int FLOTANTES_TABLA = 3 * NUM_FILAS;

std::FILE* fichero_gases = nullptr;
std::FILE* fichero_gasolina = nullptr;

lineas_memoria registro_propio;
lista_lineas* registro_actual = &registro_propio;

// Lee n flotantes little-endian de la posición absoluta 'posicion'.
bool lee_flotantes(std::FILE* f, long posicion, float* destino, int n)
{
    if (!f || std::fseek(f, posicion, SEEK_SET) != 0) return false;
    unsigned char bytes[4 * (4 + FLOTANTES_TABLA)];
    if (n > static_cast<int>(sizeof bytes / 4)) return false;
    if (std::fread(bytes, 4, static_cast<std::size_t>(n), f) != static_cast<std::size_t>(n)) return false;
    for (int i = 0; i < n; ++i) destino[i] = binario::f32_de(bytes + 4 * i);
    return true;
}

void tabla_de_flotantes(const float* v, fila_propiedades* tabla)
{
    for (int i = 0; i < NUM_FILAS; ++i) tabla[i] = {v[3 * i], v[3 * i + 1], v[3 * i + 2]};
}

// Registro de un gas puro de GASES.DAT.
bool lee_gas_puro(int tipo, propiedades_gas& g)
{
    float v[2 + FLOTANTES_TABLA];
    if (!lee_flotantes(fichero_gases, BYTES_GAS * tipo, v, 2 + FLOTANTES_TABLA)) return false;
    g.M = v[0];
    g.e0 = v[1];
    tabla_de_flotantes(v + 2, g.tabla);
    g.aire = 0;
    return true;
}

// Registro k (lambda 0.6, 0.8, 1.0) de GASOLINA.DAT.
bool lee_gasolina(int k, propiedades_gas& g)
{
    float v[4 + FLOTANTES_TABLA];
    if (!lee_flotantes(fichero_gasolina, BYTES_GASOLINA * k, v, 4 + FLOTANTES_TABLA)) return false;
    g.aire = v[0];
    g.m_c = v[1];
    g.M = v[2];
    g.e0 = v[3];
    tabla_de_flotantes(v + 4, g.tabla);
    return true;
}

// Constante de exergía que anula la exergía del gas a 293,15 K y 1 bar.
void recalcula_e0(propiedades_gas& g)
{
    float s = interpola_cuadratica(273, 300, 400, g.tabla[0].s0, g.tabla[1].s0, g.tabla[2].s0, 293.15f);
    float c = interpola_cuadratica(273, 300, 400, g.tabla[0].cp0, g.tabla[1].cp0, g.tabla[2].cp0, 293.15f);
    g.e0 = static_cast<float>(293.15 * s - 293.15 * c);
}

// Composición de los humos por kg de combustible: CO2, H2O, N2, aire y total.
struct composicion {
    double n[4];
    double N;
};

composicion composicion_gasolina(float aire)
{
    double a = 0.50946 * (aire - 1.0);
    return {{0.071268, 0.071429, 0.40451, a}, 0.547207 + a};
}

composicion composicion_gasoleo(float aire)
{
    double a = 0.482703 * (aire - 1.0);
    return {{0.071601, 0.059524, 0.383262, a}, 0.514387 + a};
}

double media(const composicion& k, const float y[4])
{
    if (k.N == 0) return 0.0;
    return (k.n[0] * y[0] + k.n[1] * y[1] + k.n[2] * y[2] + k.n[3] * y[3]) / k.N;
}

// Mezcla de CO2, H2O, N2 y aire (por este orden en 'componentes').
void mezcla(const composicion& k, const propiedades_gas componentes[4], propiedades_gas& g)
{
    float y[4];
    for (int j = 0; j < 4; ++j) y[j] = componentes[j].M;
    g.M = static_cast<float>(media(k, y));
    for (int i = 0; i < NUM_FILAS; ++i) {
        for (int j = 0; j < 4; ++j) y[j] = componentes[j].tabla[i].cv0;
        g.tabla[i].cv0 = static_cast<float>(media(k, y));
        g.tabla[i].cp0 = static_cast<float>(g.tabla[i].cv0 + R_UNIVERSAL);
        for (int j = 0; j < 4; ++j) y[j] = componentes[j].tabla[i].s0;
        g.tabla[i].s0 = static_cast<float>(media(k, y));
    }
}

int carga_mezcla(propiedades_gas& g)
{
    // Unos datos que desbordan la composición no dan un gas.
    if (!humos_calculables(g)) return 0;
    static constexpr int tipos[4] = {GAS_CO2, GAS_VAPOR, GAS_NITROGENO, GAS_AIRE};
    std::unique_ptr<propiedades_gas[]> componentes(new (std::nothrow) propiedades_gas[4]);
    if (!componentes) return 0;
    for (std::size_t j = 0; j < 4; ++j) {
        if (!lee_gas_puro(tipos[j], componentes[j])) return 0;
        componentes[j].tipo = static_cast<std::int8_t>(tipos[j]);
    }
    composicion k;
    float m_c;
    if (g.tipo == GAS_GASOLINA) {
        k = composicion_gasolina(g.aire);
        m_c = static_cast<float>(1.0 / k.N);
    } else if (g.tipo == GAS_GASOLEO) {
        k = composicion_gasoleo(g.aire);
        m_c = static_cast<float>(1.0 / k.N);
    } else {
        float n[5];
        m_c = composicion_humos(g.c, g.humedad, g.h, g.aire_min, g.aire, n);
        k = {{n[0], n[1], n[2], n[3]}, n[4]};
    }
    mezcla(k, componentes.get(), g);
    g.m_c = m_c;
    recalcula_e0(g);
    return 1;
}

int carga_gasolina_interpolada(propiedades_gas& g)
{
    std::unique_ptr<propiedades_gas[]> r(new (std::nothrow) propiedades_gas[3]);
    if (!r) return 0;
    for (int k = 0; k < 3; ++k)
        if (!lee_gasolina(k, r[static_cast<std::size_t>(k)])) return 0;
    auto parabola = [&](float a, float b, float c) { return interpola_cuadratica(0.6f, 0.8f, 1.0f, a, b, c, g.aire); };
    g.M = parabola(r[0].M, r[1].M, r[2].M);
    g.m_c = parabola(r[0].m_c, r[1].m_c, r[2].m_c);
    for (int i = 0; i < NUM_FILAS; ++i) {
        g.tabla[i].cv0 = parabola(r[0].tabla[i].cv0, r[1].tabla[i].cv0, r[2].tabla[i].cv0);
        g.tabla[i].cp0 = static_cast<float>(g.tabla[i].cv0 + R_UNIVERSAL);
        g.tabla[i].s0 = parabola(r[0].tabla[i].s0, r[1].tabla[i].s0, r[2].tabla[i].s0);
    }
    recalcula_e0(g);
    return 1;
}

} // namespace

lista_lineas& lista_registro() { return *registro_actual; }
void pon_lista_registro(lista_lineas* lista) { registro_actual = lista ? lista : &registro_propio; }

void cierra_ficheros_datos()
{
    if (fichero_gases) std::fclose(fichero_gases);
    if (fichero_gasolina) std::fclose(fichero_gasolina);
    fichero_gases = fichero_gasolina = nullptr;
}

int abre_ficheros_datos(const std::string& directorio_programa)
{
    cierra_ficheros_datos();
    std::string ruta_gases = formatea("%s/%s", directorio_programa.c_str(), "GASES.DAT");
    std::string ruta_gasolina = formatea("%s/%s", directorio_programa.c_str(), "GASOLINA.DAT");
    fichero_gases = std::fopen(ruta_gases.c_str(), "rb");
    if (!fichero_gases) {
        muestra_error("ERROR: Falta el fichero %s", "GASES.DAT");
        return 0;
    }
    fichero_gasolina = std::fopen(ruta_gasolina.c_str(), "rb");
    if (!fichero_gasolina) {
        muestra_error("ERROR: Falta el fichero %s", "GASOLINA.DAT");
        return 0;
    }
    if (!problema_actual && !crea_problema(&problema_actual)) {
        muestra_error("No hay memoria suficiente");
        return 0;
    }
    problema_actual->gas->tipo = GAS_NINGUNO;
    return 1;
}

int carga_propiedades(propiedades_gas& g)
{
    lista_registro().agrega(formatea("carga_propiedades: Tipo=%d", g.tipo));
    // Se trabaja sobre una copia y sólo se pasa al registro si todo se leyó.
    std::unique_ptr<propiedades_gas> nuevo(new (std::nothrow) propiedades_gas(g));
    if (!nuevo) return 0;
    int tipo = g.tipo;
    int bien = 1;
    if (tipo >= GAS_AIRE && tipo <= GAS_AMONIACO) {
        bien = lee_gas_puro(tipo, *nuevo) ? 1 : 0;
    } else if (tipo == GAS_GASOLEO || tipo == GAS_OTRO || (tipo == GAS_GASOLINA && g.aire > 1.0f)) {
        bien = carga_mezcla(*nuevo);
    } else if (tipo == GAS_GASOLINA) {
        int registro = g.aire == 0.6f ? 0 : g.aire == 0.8f ? 1 : g.aire == 1.0f ? 2 : -1;
        bien = registro >= 0 ? (lee_gasolina(registro, *nuevo) ? 1 : 0) : carga_gasolina_interpolada(*nuevo);
    } else {
        return 1;
    }
    if (bien) g = *nuevo;
    return bien;
}

float composicion_humos(float c, float humedad, float h, float aire_min, float aire, float n[5])
{
    n[0] = static_cast<float>(c / 12.011);
    n[1] = static_cast<float>(h / 2.016 + humedad / 18.016);
    n[2] = static_cast<float>(0.314802 * c + 0.93777 * h);
    n[3] = static_cast<float>(aire_min * (aire - 1.0) / 28.964);
    n[4] = n[0] + n[1] + n[2] + n[3];
    return n[4] == 0.0f ? 0.0f : 1.0f / n[4];
}

float media_humos_a(float aire, float y_co2, float y_h2o, float y_n2, float y_aire)
{
    const float y[4] = {y_co2, y_h2o, y_n2, y_aire};
    return static_cast<float>(media(composicion_gasolina(aire), y));
}

float media_humos_b(float aire, float y_co2, float y_h2o, float y_n2, float y_aire)
{
    const float y[4] = {y_co2, y_h2o, y_n2, y_aire};
    return static_cast<float>(media(composicion_gasoleo(aire), y));
}
