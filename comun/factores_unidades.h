// Factores de conversión de unidades de los dos programas (y de los
// generadores de sus ficheros de datos).
//
// Todos son double. Lo que imprimen los programas depende del último bit de
// cada uno y del orden de las cuentas que lo usan: no se cambia el tipo ni
// el valor de ninguno, ni se reordenan esas cuentas.
//
// Dos factores de kJ a kcal, y los dos se siguen imprimiendo:
//  - ZEFIRANT, al calcular estados y transformaciones, pasa a kJ los datos
//    dados en kcal (KCAL_A_KJ) y devuelve los resultados con el inverso
//    exacto (KJ_A_KCAL): un dato dado en kcal vuelve con el valor con que se
//    dio, salvo el redondeo a float. Su listado de propiedades, que sólo
//    convierte de kJ a kcal, usa KJ_A_KCAL_REDONDEADO, y también el poder
//    calorífico en kcal/kg de la página del gas (el de kJ/kg sale de él con
//    KCAL_A_KJ).
//  - BRUMALIX pasa a kJ los datos en kcal con KCAL_A_KJ y escribe en kcal
//    todos sus resultados (tabla de estados y listados) con
//    KJ_A_KCAL_REDONDEADO. El producto de los dos es 1,0000172: una
//    entalpía dada de 100 kcal/kg sale 100,0017 (se lista 100,00). Las
//    tablas de equipos, en kW, vuelven de kcal/s con KCAL_A_KJ.
// Cambiar cualquiera de ellos cambiaría cifras que los programas imprimen.
#pragma once

// kcal a kJ: la caloría internacional, 4,1868 kJ por kcal.
constexpr double KCAL_A_KJ = 4.1868;
// kJ a kcal: el inverso de KCAL_A_KJ en double (1/4,1868).
constexpr double KJ_A_KCAL = 0.23884589662749595;
static_assert(KJ_A_KCAL == 1.0 / KCAL_A_KJ, "KJ_A_KCAL es el inverso exacto de KCAL_A_KJ");
// kJ a kcal: el inverso de 4,1868 redondeado a cinco cifras (0,2388459 ->
// 0,23885).
constexpr double KJ_A_KCAL_REDONDEADO = 0.23885;

// kg/cm² (at) a bar: 0,980665 bar por at.
constexpr double AT_A_BAR = 0.980665;
// bar a kg/cm²: el inverso de AT_A_BAR redondeado a siete cifras
// (1,01971621 -> 1,019716); ida y vuelta dan 0,9999998.
constexpr double BAR_A_AT = 1.019716;

// t/h a kg/s: 1000/3600 redondeado a seis cifras.
constexpr double TH_A_KGS = 0.277778;

// bar·m³ a kJ: un bar son 100 kPa.
constexpr double BAR_M3_A_KJ = 100.0;

// MPa a bar (y bar a MPa dividiendo): las fórmulas del agua van en MPa y
// las tablas en bar.
constexpr double BAR_POR_MPA = 10.0;
// MPa a kPa: R (kJ/kg K) por T y por la densidad da kPa, y las fórmulas del
// agua van en MPa.
constexpr double KPA_POR_MPA = 1000.0;
// m³/kg a dm³/kg: las fórmulas del agua dan m³/kg y las tablas dm³/kg.
constexpr double DM3_POR_M3 = 1000.0;
// °C a K: se suma.
constexpr double CERO_CELSIUS_EN_K = 273.15;
