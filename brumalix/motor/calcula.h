// Entrada única del motor de vapor: el estado dado por dos propiedades.
#pragma once

#include "brumalix/motor/rejilla_agua.h"

#include <cstdint>

// Pareja de datos dada, en el orden en que se pasan.
enum {
    COD_TP = 1,   // t, p
    COD_TS = 2,   // t, s
    COD_TV = 3,   // t, v
    COD_PH = 4,   // p, h
    COD_PS = 5,   // p, s
    COD_PV = 6,   // p, v
    COD_PX = 7,   // p, x
    COD_PH_HUMEDO = 8,
    COD_PS_HUMEDO = 9,
    COD_PV_HUMEDO = 10,
    COD_TX = 11,  // t, x
};

// Resultados de calcula.
enum {
    CALCULA_BIEN = 0,
    CALCULA_EN_LIQUIDO = 2,      // pareja no permitida en líquido
    CALCULA_EN_HUMEDO = 4,       // (t,s) o (t,v) en vapor húmedo
    CALCULA_EN_SATURACION = 20,  // (t,p) sobre la curva de saturación
    CALCULA_SIN_ESTADO = 98,     // ningún estado en la isobara o la isoterma
    CALCULA_FUERA_MARGEN = 99,
};

// Fase devuelta: -4 líquido comprimido, -2 vapor sobrecalentado, 0 húmedo.
enum { FASE_SALIDA_LIQUIDO = -4, FASE_SALIDA_VAPOR = -2, FASE_SALIDA_HUMEDO = 0 };

// Propiedades de saturación de la última consulta de calcula.
struct registro_saturacion {
    float hl = 0, hv = 0, sl = 0, sv = 0, vl = 0, vv = 0, t = 0, p = 0;
};
extern registro_saturacion datos_saturacion;
// Número (desde 1) del estado que se calcula, para los mensajes.
extern std::int32_t estado_en_curso;

// Estado número 'estado' con los dos datos de la pareja 'codigo'. Devuelve 0
// con las seis salidas y la fase escritas; si no, muestra su mensaje y
// devuelve 2, 4, 20, 98 o 99 sin tocar las seis salidas. En líquido o vapor
// el título sale -1 (no lo hay); en vapor húmedo, un título fuera de 0..1
// (con una holgura de 1e-6 por redondeo) se rechaza con "Datos fuera de
// margen" y 99.
std::int32_t calcula(std::int32_t estado, float dato1, float dato2, std::int32_t codigo, float& p, float& t,
                     float& h, float& s, float& v, float& x, std::int32_t& fase);

// Vapor húmedo a la presión p, en estado_resultado. 0 bien; 1 si la presión
// cae fuera de la tabla o (en el punto crítico) líquido y vapor coinciden y
// el título no queda determinado.
std::int32_t calc_px(float p, float x);
std::int32_t calc_ph(float p, float h);
std::int32_t calc_ps(float p, float s);
std::int32_t calc_pv(float p, float v);

// "Estado %d: texto" con el estado en curso: tipo 0 error, otro aviso.
void mensaje_estado(const char* texto, int tipo);
