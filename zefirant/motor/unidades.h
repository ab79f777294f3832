// Unidades elegidas por el usuario para todo el programa.
//
// Las fija el diálogo de unidades y el fichero de problema; las leen el
// cálculo de estados, el de transformaciones, las tablas y el listado.
// Cada una vale 0 o 1. Los factores de conversión están en
// comun/factores_unidades.h.
#pragma once

extern int unidad_masa_kg;       // 0: por kmol; 1: por kg
extern int unidad_energia_kcal;  // 0: kJ; 1: kcal
extern int unidad_presion_at;    // 0: bar; 1: kg/cm²
