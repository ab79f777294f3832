// Barridos del motor de vapor frente a IAPWS-IF97 (el módulo iapws de
// Python como oráculo independiente): estados junto a la saturación, estados
// de una fase por todo el dominio y las búsquedas inversas. Los usan las
// pruebas y el programa barrido_agua, que imprime los errores por bandas.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace barridos {

// Valores de IF97 en unidades del motor (bar, °C, kJ/kg, kJ/kg K, dm³/kg).
struct valor_if97 {
    bool bien = false;
    double p = 0, t = 0, h = 0, s = 0, v = 0;
    double x = -1;  // título en la campana, -1 fuera
};

// Consultas por lotes al oráculo, en bar y °C: "pt p t" (estado de una
// fase), "px p x", "ps p s", "tx t x", "psat t" (p de saturación en p),
// "tsat p" (t de saturación en t). Vacío si no hay
// python3 con el módulo iapws.
std::vector<valor_if97> consulta(const std::vector<std::string>& consultas);

// Un punto de un barrido: lo que se da al motor y lo que responde.
struct punto {
    double p = 0, t = 0;         // estado de referencia (bar, °C)
    double x = -1;               // título del estado húmedo de referencia
    valor_if97 ref;              // IF97 en (p, t), o en (p, x) si es húmedo
    int codigo = 0;              // pareja dada a calcula
    int resultado = -1;          // lo que devuelve calcula
    float rp = 0, rt = 0, rh = 0, rs = 0, rv = 0, rx = 0;  // salidas del motor
    int fase = 1;                // fase que da calcula
};

// Errores de un punto calculado con éxito: relativos para h, s, v (contra
// el mayor de |valor| y el suelo dado) y absoluto en K para t.
struct errores {
    double h = 0, s = 0, v = 0, t = 0;
    double p = 0;  // relativo
};
errores errores_de(const punto& q, double suelo_h, double suelo_s);

// Estados a d kelvin de cada temperatura de la rejilla T (10..370 °C) y a
// presiones psat(T)·(1 + f), dados por (t, p); se saltan los que están a
// menos de 0,3 K de la saturación de IF97. Vacío sin oráculo.
std::vector<punto> junto_a_saturacion();

// Estados de una fase en (p, t), a 2 K o más de la saturación, para
// presiones de p_min a p_max (malla logarítmica fuera de la rejilla y las
// presiones de la rejilla, una de cada 'cada_rejilla') y temperaturas de
// t_min a t_max; 'codigo' elige la pareja que se da al motor: 1 (t, p),
// 4 (p, h), 5 (p, s), 6 (p, v), 2 (t, s) o 3 (t, v), con h, s o v de IF97.
// Vacío sin oráculo.
std::vector<punto> una_fase(int codigo, double p_min, double p_max, double t_min, double t_max, int n_presiones,
                            int n_temperaturas, int cada_rejilla = 1);

// Junto al punto crítico: estados de 200 a 240 bar y de 355 a 420 °C en
// pasos de 1 bar y 1 K, y de 218 a 221 bar y de 369,5 a 378,5 °C en pasos
// de 0,5 (sin repetir los de la primera malla), dados al motor por la
// pareja 'codigo' con los valores de IF97 en (p, t). Vacío sin oráculo.
std::vector<punto> junto_al_punto_critico(int codigo);

// Estados de vapor en una malla de 'paso' bar × 'paso' K: presiones desde
// p_desde y por debajo de p_hasta, temperaturas múltiplos de 'paso' de
// dt_desde a dt_hasta kelvin por encima de la temperatura de saturación de
// la tabla del motor; dados al motor por la pareja 'codigo' con los valores
// de IF97 en (p, t). Vacío sin oráculo.
std::vector<punto> malla_sobre_la_saturacion(double p_desde, double p_hasta, double dt_desde, double dt_hasta,
                                             double paso, int codigo);

// Vapor húmedo de 200 a 221,2 bar: una malla de presiones cada 0,1 bar
// por títulos de 0 a 1 cada 0,05, y 300 estados más al azar (semilla
// fija), con los valores de IF97 de (p, x) (sin ellos por encima de
// 220,64 bar, donde IF97 no tiene vapor húmedo). 'codigo' es la pareja que
// se da al motor: 7 (p, x), 11 (t, x) o, con h, s o v de IF97, 4, 5, 6 y
// 8, 9, 10. Vacío sin oráculo.
std::vector<punto> humedos_junto_al_punto_critico(int codigo);

// Un éxito húmedo que no se puede dar por bueno: vapor húmedo donde IF97 no
// lo tiene, o una salida fuera de lo admitido (como exito_erroneo) o un
// título a más de 0,01 del de IF97.
bool humedo_erroneo(const punto& q);

// Un éxito que no se puede dar por bueno: alguna salida se aparta de IF97
// más del 1 % en h o s, del 2 % en v, del 1 % en p o de 1 K en t.
bool exito_erroneo(const punto& q);

// Si el estado de partida está de 205 a 221,2 bar y a menos de 15 K de la
// temperatura de saturación de la tabla del motor.
bool a_15_k_de_la_saturacion(const punto& q);

// Calcula cada punto con el motor (las tablas ya cargadas, la traza y los
// mensajes desviados por quien llama).
void calcula_puntos(std::vector<punto>& puntos);

// Peor error y percentil 95 de una lista.
struct resumen {
    std::size_t n = 0;
    double peor = 0, p95 = 0;
    std::string donde;  // el punto del peor error
};
resumen resume(std::vector<std::pair<double, std::string>> valores);

// Bandas de presión del informe.
constexpr std::array<double, 6> LIMITES_BANDAS = {0.02, 0.1, 1, 100, 200, 221.2};

}  // namespace barridos
