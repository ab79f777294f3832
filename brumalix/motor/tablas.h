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
constexpr std::size_t VALORES_F2 = std::size_t(NUM_TEMPERATURAS) * NUM_PRESIONES * 3;  // 47.385
constexpr std::size_t BYTES_F2 = VALORES_F2 * 4;                                        // 189.540

// Columnas de la tabla de saturación.
enum { F1_P = 0, F1_T = 1, F1_HL = 3, F1_HV = 5, F1_SL = 6, F1_SV = 8, F1_VL = 9, F1_VV = 10 };

// Tabla de saturación: filas de 11 valores, en orden creciente de p y t.
extern std::vector<float> datos_f1;
extern int num_filas_f1;
// Rejilla: valor k (h, s, v) de la temperatura i y la presión j en
// i·585 + j·3 + k.
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
inline float valor_f2(int i, int j, int k)
{
    return datos_f2[std::size_t(i) * 585 + std::size_t(j) * 3 + std::size_t(k)];
}

// Carga un fichero de tabla entero; 1 bien, 0 tras mostrar el mensaje. Un
// fichero de tamaño imposible para su tabla se rechaza al leerlo.
int carga_tabla_f1(const std::string& ruta);
int carga_tabla_f2(const std::string& ruta);

// Prepara el programa: tablas de los dos ficheros del directorio del
// programa (que termina en separador) y problema vacío. 1 bien, 0 mal.
int inicializa_datos(const std::string& directorio_programa);
