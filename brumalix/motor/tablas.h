// Tablas de vapor en memoria: tabla de saturación (f1-bin.dat) y rejilla de
// líquido y vapor (f2-bin.dat), con sus ejes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

constexpr int NUM_PRESIONES = 195;
constexpr int NUM_TEMPERATURAS = 81;
constexpr int COLUMNAS_F1 = 11;
constexpr std::size_t BYTES_FILA_F1 = 44;
// Valores de la rejilla por columna de presión (h, s, v) y por fila de
// temperatura (las 195 columnas).
constexpr std::size_t VALORES_POR_PRESION_F2 = 3;
constexpr std::size_t VALORES_POR_TEMPERATURA_F2 = std::size_t(NUM_PRESIONES) * VALORES_POR_PRESION_F2;  // 585
constexpr std::size_t VALORES_F2 = std::size_t(NUM_TEMPERATURAS) * VALORES_POR_TEMPERATURA_F2;  // 47.385
constexpr std::size_t BYTES_F2 = VALORES_F2 * 4;                                           // 189.540

// Lo que abarcan las búsquedas en la tabla de saturación: la presión de
// P_MIN_SATURACION a P_MAX_SATURACION bar, la temperatura de
// T_MIN_SATURACION a T_MAX_SATURACION °C. La última fila de la tabla es su
// punto crítico, a P_FILA_CRITICA; la anterior, a P_FILA_ANTES_CRITICA.
constexpr double P_FILA_CRITICA = 221.2;
constexpr double P_FILA_ANTES_CRITICA = 220.0;
constexpr double P_MIN_SATURACION = 0.00611, P_MAX_SATURACION = P_FILA_CRITICA;
constexpr double T_MIN_SATURACION = 0.01, T_MAX_SATURACION = 373.68;

// Columnas de la tabla de saturación.
enum { F1_P = 0, F1_T = 1, F1_HL = 3, F1_HV = 5, F1_SL = 6, F1_SV = 8, F1_VL = 9, F1_VV = 10 };

// Tabla de saturación: filas de 11 valores, en orden creciente de p y t.
extern std::vector<float> datos_f1;
extern int num_filas_f1;
// Rejilla: valor k (h, s, v) de la temperatura i y la presión j en
// indice_f2(i, j, k).
extern std::vector<float> datos_f2;

extern const float eje_presiones[NUM_PRESIONES];
extern const double eje_presiones_listado[NUM_PRESIONES];
extern const float eje_temperaturas[NUM_TEMPERATURAS];
extern const float t_limite_vapor[NUM_PRESIONES];
extern float tolerancia_saturacion;

inline float valor_f1(int fila, int columna)
{
    return datos_f1[std::size_t(fila) * COLUMNAS_F1 + std::size_t(columna)];
}
constexpr std::size_t indice_f2(int i, int j, int k)
{
    return std::size_t(i) * VALORES_POR_TEMPERATURA_F2 + std::size_t(j) * VALORES_POR_PRESION_F2 + std::size_t(k);
}
inline float valor_f2(int i, int j, int k) { return datos_f2[indice_f2(i, j, k)]; }

// Carga un fichero de tabla entero; 1 bien, 0 tras mostrar el mensaje. Un
// fichero de tamaño imposible para su tabla se rechaza al leerlo.
int carga_tabla_f1(const std::string& ruta);
int carga_tabla_f2(const std::string& ruta);
