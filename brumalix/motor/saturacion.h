// Interpolación en la tabla de saturación y las dos interpolaciones del motor.
#pragma once

#include <cstdint>

// Recta por (x1, y1) y (x2, y2) en x.
float Interpola2(float x1, float x2, float y1, float y2, float x);
// Parábola por tres puntos distintos en x, redondeando a f32 cada paso.
float interpola_cuadratica(float x0, float x1, float x2, float y0, float y1, float y2, float x);

// Búsqueda por presión (0) o por temperatura (1).
enum { POR_PRESION = 0, POR_TEMPERATURA = 1 };

// Temperatura (o presión) de saturación y h', h'', s', s'', v', v'' del valor
// dado. 0 bien; 99 fuera de la tabla, sin escribir nada.
std::int32_t lee_datos_f1(std::int32_t tipo, float valor, float& primero, float& hl, float& hv, float& sl,
                          float& sv, float& vl, float& vv);
std::int32_t calc_psat(float t, float& p);
std::int32_t calc_tsat(float p, float& t);
