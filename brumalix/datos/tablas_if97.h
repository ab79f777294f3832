// Contenido de f1-bin.dat (tabla de saturación) y f2-bin.dat (rejilla de
// líquido y vapor) calculado con IAPWS-IF97, en las unidades del motor de
// BRUMALIX: p en bar, t en °C, h en kJ/kg, s en kJ/kg K, v en dm³/kg.
#pragma once

#include "brumalix/motor/tablas.h"

#include <array>
#include <string>
#include <vector>

namespace tablas_if97 {

using fila_f1 = std::array<float, 11>;

// Temperatura que la tabla de saturación da a su punto crítico (la última
// fila, a P_FILA_CRITICA); h, s y v son los del punto crítico de IF97.
constexpr double T_FILA_CRITICA = 373.946;
// Máximo de filas de la tabla: el listado de saturación no pasa de la 407.
constexpr int MAX_FILAS_F1 = 407;
// Precisión exigida a la interpolación de la tabla por debajo de 200 bar:
// error relativo de t (en K), psat, h', h'', s', s'', v' y v''. h' y s' se
// anulan en el punto triple: su error se divide por al menos 1 kJ/kg y
// 0,0036 kJ/kg K (sus valores a unos 0,25 °C), es decir, por debajo de eso
// se piden 0,0001 kJ/kg y 0,00000036 kJ/kg K en absoluto.
constexpr double PRECISION_F1 = 1e-4;
constexpr double P_LIMITE_PRECISION = 200.0;
constexpr double SUELO_HL = 1.0;
constexpr double SUELO_SL = 0.0036;
// IF97 pasa en la saturación de las regiones 1 y 2 a la 3 a 623,15 K
// (165,29 bar) con un salto de 1,02e-4 relativo en v'' (menos en lo demás).
// Ninguna interpolación continua baja de la mitad del salto allí; la tabla
// pone filas a 165,2 y 165,4 bar, cuyo punto medio, donde la búsqueda
// cambia de fila central, cae junto al salto.
constexpr double P_FILAS_SALTO[2] = {165.2, 165.4};
// De 200 a 220 bar no se exige precisión (la curva se acerca al punto
// crítico y la búsqueda extrapola junto a las filas de 220 y 221,2 bar),
// pero una fila por bar baja allí el error de la búsqueda de un 4 % a
// unas milésimas.
constexpr double P_PASO_CERCA_CRITICO = 1.0;

// Columnas 2, 4 y 7 de cada fila: 0, calor latente r = h'' − h' y 0.
fila_f1 fila_saturacion(double p_bar);
// Fila del punto triple (273,16 K y su presión de saturación).
fila_f1 fila_triple();
// Última fila: 221,2 bar, 373,946 °C y los valores críticos.
fila_f1 fila_critica();

// Estado de una sola fase en el punto de la rejilla (p en bar, t en °C):
// h, s, v. Con p = 0, la entalpía del gas ideal, y s = v = 0.
std::array<double, 3> valor_rejilla(double p_bar, double t_c, bool liquido);

// Comprueba que la tabla de límites (t_limite_vapor, una temperatura por
// presión de la rejilla) separa líquido y vapor como la saturación de IF97
// en cada columna hasta 220 bar. Devuelve los desacuerdos (vacío si no hay
// ninguno).
std::vector<std::string> desacuerdos_limite_vapor(const float* limites);

// Los 47.385 valores de la rejilla en el orden del fichero.
std::vector<float> rejilla_f2();

// Error relativo de una búsqueda de la tabla cargada en el motor: los siete
// resultados de lee_datos_f1 frente a IF97 en el valor dado (presión en bar
// para el tipo 0, temperatura en °C para el tipo 1). Devuelve el mayor de
// los siete, o infinito si la búsqueda falló.
double error_busqueda(int tipo, float valor);

// Filas de la tabla de saturación: punto triple, todas las presiones de la
// rejilla de 0,02 a 220 bar, las dos filas del salto entre regiones, una
// fila por bar de 200 a 220 bar, las presiones redondas que añade el
// refinado y la fila crítica. El refinado carga la tabla en el motor y añade una
// presión redonda en cada intervalo donde la búsqueda por presión o por
// temperatura se aparta más de 'objetivo' de IF97 por debajo de 200 bar,
// hasta que ninguno se aparta. Falla (mensaje en 'error', 'filas' vacía) si
// harían falta más de MAX_FILAS_F1 filas. Deja en el motor (datos_f1) la
// última tabla probada.
bool tabla_f1(double objetivo, std::vector<fila_f1>& filas, std::string& error);

// Escribe los ficheros (little-endian, sin cabecera) con un nombre
// provisional y lo renombra al final, para no dejar nunca un fichero a medias.
bool escribe_f1(const std::string& ruta, const std::vector<fila_f1>& filas);
bool escribe_f2(const std::string& ruta, const std::vector<float>& valores);

} // namespace tablas_if97
