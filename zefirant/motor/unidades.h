// Unidades elegidas por el usuario para todo el programa.
//
// Las fija el diálogo de unidades y el fichero de problema; las leen el
// cálculo de estados, el de transformaciones, las tablas y el listado.
// Cada una vale 0 o 1.
#pragma once

extern int unidad_masa_kg;       // 0: por kmol; 1: por kg
extern int unidad_energia_kcal;  // 0: kJ; 1: kcal
extern int unidad_presion_at;    // 0: bar; 1: kg/cm²

// Factores de conversión.
constexpr double KCAL_A_KJ = 4.1868;
constexpr double KJ_A_KCAL = 0.23884589662749595;  // 1/4.1868
constexpr double AT_A_BAR = 0.980665;               // kg/cm² a bar
constexpr double BAR_A_AT = 1.019716;               // bar a kg/cm²
