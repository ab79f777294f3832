// Rejilla de 33 temperaturas, interpolación cuadrática y búsqueda de la
// temperatura de un estado.
#pragma once

#include "zefirant/motor/gases.h"

struct estado;

// Temperatura (K) de la fila i de la tabla (0..32).
int temperatura_fila(int i);

// Elige las tres filas f, f+1, f+2 por las que se interpola T. Devuelve 1
// cuando T es una temperatura de la rejilla y basta la fila f.
int intervalo_tabla(float T, int tipo, int& f, int temperaturas[3]);
// Temperaturas de tres filas; 0 si la primera está fuera de 0..32.
int temperaturas_intervalo(const int filas[3], int temperaturas[3]);

// Parábola por tres puntos evaluada en x (0 si los nodos no son distintos).
float interpola_cuadratica(float x0, float x1, float x2, float y0, float y1, float y2, float x);
float log_natural(float x);

// cv0, cp y s0 del gas a la temperatura T.
void propiedades_a_T(float T, const propiedades_gas& gas, float& cv0, float& cp, float& s0);

// Temperatura de un estado (datos en bar, m³/kmol, kJ/kmol); -1 si no hay
// ninguna en el intervalo del gas.
float temperatura_de_u(const estado& e, const propiedades_gas& gas);
float temperatura_de_h(const estado& e, const propiedades_gas& gas);
float temperatura_de_s_v(const estado& e, const propiedades_gas& gas);
float temperatura_de_s0(const estado& e, const propiedades_gas& gas);

// Límite de vueltas de las iteraciones de punto fijo de u y h.
constexpr int MAX_ITERACIONES_T = 200;
