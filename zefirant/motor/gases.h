// Registro de propiedades de un gas y ficheros de datos GASES.DAT y GASOLINA.DAT.
#pragma once

#include <cstdint>
#include <string>

class lista_lineas;

// Constante universal de los gases del programa, kJ/kmol K.
constexpr double R_UNIVERSAL = 8.3143;
// Número de filas de la tabla de propiedades (rejilla de temperaturas).
constexpr int NUM_FILAS = 33;

// Fila de la tabla, en kJ/kmol K: cv0 y cp0 medios entre 0 K y la
// temperatura de la fila (u = cv0·T, h = cp0·T) y función de entropía a 1 bar.
struct fila_propiedades {
    float cv0 = 0;
    float cp0 = 0;
    float s0 = 0;
};

// Tipos de gas.
enum : std::int8_t {
    GAS_AIRE = 0, GAS_HIDROGENO = 1, GAS_OXIGENO = 2, GAS_NITROGENO = 3, GAS_VAPOR = 4,
    GAS_CO = 5, GAS_CO2 = 6, GAS_METANO = 7, GAS_AMONIACO = 8, GAS_GASOLINA = 9,
    GAS_GASOLEO = 10, GAS_OTRO = 11, GAS_NINGUNO = 99
};

struct propiedades_gas {
    char nombre[40] = {};   // nombre visible, terminado en NUL
    std::int8_t tipo = 0;   // 0..11; 99 = ningún gas válido
    float M = 0;            // masa molar, kg/kmol
    float e0 = 0;           // constante de exergía, kJ/kmol
    // Datos del combustible (contiguos en este orden).
    float aire = 0;         // proporción de aire lambda
    float m_c = 0;          // kg de combustible por kmol de gases
    float c = 0;            // fracción de carbono, kg/kg
    float h = 0;            // fracción de hidrógeno, kg/kg
    float Hu = 0;           // poder calorífico inferior, kJ/kg
    float aire_min = 0;     // aire mínimo, kg/kg
    float humedad = 0;      // humedad, kg de agua/kg
    fila_propiedades tabla[NUM_FILAS] = {};
};

// Nombres visibles de los tipos 0..11 (Windows-1252 con códigos de marcado).
extern const char* const nombres_gases[12];

// ¿Se limita el gas a 1500 K? (metano y amoniaco)
inline bool gas_hasta_1500(int tipo) { return tipo == GAS_METANO || tipo == GAS_AMONIACO; }

// Abre GASES.DAT y GASOLINA.DAT del directorio del programa (que termina en
// separador) y los deja abiertos; crea el problema actual. 1 bien, 0 mal
// (tras mostrar el mensaje).
int abre_ficheros_datos(const std::string& directorio_programa);
// Cierra los ficheros de datos (al terminar, o antes de volver a abrirlos).
void cierra_ficheros_datos();

// Llena el registro g según su tipo. 1 bien; 0 si no hay memoria, si los
// ficheros no dan el registro entero o si los humos de un combustible no se
// pueden calcular (humos_calculables); el registro queda como estaba.
int carga_propiedades(propiedades_gas& g);

// Lista del registro (ventana "Log"); por omisión una lista en memoria.
lista_lineas& lista_registro();
void pon_lista_registro(lista_lineas* lista);

// Mezcla de gases de combustión (composición por kg de combustible).
float media_humos_a(float aire, float y_co2, float y_h2o, float y_n2, float y_aire);
float media_humos_b(float aire, float y_co2, float y_h2o, float y_n2, float y_aire);
float composicion_humos(float c, float humedad, float h, float aire_min, float aire, float n[5]);
