// Formulación industrial IAPWS-IF97 del agua y el vapor: regiones 1, 2, 3 y
// 4 y la frontera entre las regiones 2 y 3. Sólo la usa el generador de las
// tablas de BRUMALIX (y sus pruebas); el programa lee las tablas ya hechas.
//
// Unidades de la formulación: p en MPa, T en K, densidad en kg/m³, v en
// m³/kg, h en kJ/kg, s en kJ/kg K.
#pragma once

namespace if97 {

constexpr double R = 0.461526;          // kJ/kg K
constexpr double T_CRITICA = 647.096;   // K
constexpr double P_CRITICA = 22.064;    // MPa
constexpr double RHO_CRITICA = 322.0;   // kg/m³
constexpr double T_TRIPLE = 273.16;     // K
constexpr double T_FRONTERA_13 = 623.15; // K, límite entre las regiones 1 y 3

struct propiedades {
    double p = 0;  // MPa
    double t = 0;  // K
    double v = 0;  // m³/kg
    double h = 0;  // kJ/kg
    double s = 0;  // kJ/kg K
};

// Región 4: presión de saturación de T (273,15 K a T crítica) y temperatura
// de saturación de p (611,213 Pa a p crítica).
double presion_saturacion(double t);
double temperatura_saturacion(double p);

// Frontera entre las regiones 2 y 3: p de T y T de p.
double presion_b23(double t);
double temperatura_b23(double p);

// Ecuaciones fundamentales de cada región.
propiedades region1(double p, double t);
propiedades region2(double p, double t);
propiedades region3(double rho, double t);
// Entalpía del gas ideal de la región 2 (límite p → 0).
double entalpia_gas_ideal(double t);

// Densidad de la región 3 para (p, T): la raíz de la rama de líquido o la
// de vapor (por encima de la temperatura crítica la raíz es única y la rama
// no importa). Devuelve un valor negativo si no hay raíz en la rama.
double densidad_region3(double p, double t, bool liquido);

// Estado de una sola fase en (p, T). Con p por debajo de la crítica, el
// líquido se pide para T por debajo de la saturación y el vapor por encima;
// la fase elige la región cuando (p, T) cae justo en la curva de
// saturación. Por encima de la presión crítica la fase sólo decide la rama
// de la región 3 bajo la temperatura crítica.
propiedades estado(double p, double t, bool liquido);

// Líquido y vapor saturados a la temperatura T (región 4 para la presión;
// regiones 1 y 2, o 3 por encima de 623,15 K, para cada fase).
struct saturacion {
    propiedades liquido;
    propiedades vapor;
};
saturacion saturacion_a_t(double t);
// Lo mismo a la presión p, con T = temperatura_saturacion(p).
saturacion saturacion_a_p(double p);

// Punto crítico de la región 3 (322 kg/m³ y 647,096 K).
propiedades punto_critico();

} // namespace if97
