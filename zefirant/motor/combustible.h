// Reglas de los datos de un combustible: los datos fijos de la gasolina y del
// gasóleo, el aire mínimo de un combustible que describe el usuario y los
// márgenes que se admiten. Las usan la página del gas, al dejarla, y el
// lector del fichero de problema, que sólo acepta lo que esa página acepta.
#pragma once

#include "zefirant/motor/gases.h"

// Composición de la gasolina, kg/kg de combustible, y su aire mínimo, kg de
// aire por kg de combustible. Con ellas se generan también los humos de
// GASOLINA.DAT.
constexpr double GASOLINA_C = 0.856;
constexpr double GASOLINA_H = 0.144;
constexpr double GASOLINA_AIRE_MIN = 14.756;

// ¿Es el tipo un combustible (gasolina, gasóleo u otro)?
inline bool es_combustible(int tipo) { return tipo >= GAS_GASOLINA && tipo <= GAS_OTRO; }

// Datos fijos de un combustible de composición conocida, como los guarda el
// registro del gas.
struct datos_combustible {
    float c;         // kg/kg
    float h;         // kg/kg
    float Hu;        // kJ/kg
    float aire_min;  // kg/kg
};

// Los de la gasolina y el gasóleo; nullptr para cualquier otro tipo.
const datos_combustible* datos_fijos(int tipo);
// Pone en el registro los datos fijos de su tipo; con otro tipo que no sea
// gasolina o gasóleo no lo toca.
void pon_datos_fijos(propiedades_gas& g);
// Los siete datos del combustible (aire, m_c, c, h, Hu, aire_min, humedad)
// a un mismo valor: -1 (no dado) o 0.
void pon_datos_combustible(propiedades_gas& g, float valor);

// Aire mínimo de la combustión, kg de aire por kg de combustible, para las
// fracciones de carbono y de hidrógeno c y h (kg/kg).
double aire_minimo(double c, double h);

// Los datos tal como se leen de la página, listos para comprobarlos: la
// humedad no dada vale 0, c y h por encima de 1 valen 1 y el combustible del
// usuario toma el aire mínimo de sus c y h.
void ajusta_combustible(propiedades_gas& g);

// Márgenes admitidos:
// c y h de 0 a 1, no las dos 0 y sin pasar de 1 entre las dos;
bool fracciones_validas(float c, float h);
// poder calorífico positivo;
bool poder_calorifico_valido(float Hu);
// proporción de aire desde 0,6 para la gasolina y desde 1 para el gasóleo y
// los demás combustibles (un tipo que no es combustible la admite toda).
bool proporcion_aire_valida(int tipo, float aire);

// Los humos de un combustible del usuario se pueden calcular: su
// composición por kg de combustible y su inversa, m_c, son números finitos
// (unos datos enormes la desbordarían y darían M y la tabla NaN). La
// gasolina y el gasóleo, de composición fija, siempre se pueden calcular.
bool humos_calculables(const propiedades_gas& g);

// Un dato del combustible guardado (en el registro o en un fichero) leído
// como lo lee su campo de la página del gas, que lo muestra sólo si pasa de
// -1: lo que no pasa de -1 es "no dado" (-1); lo demás ha de ser un valor
// que el campo acepta al teclearlo (finito, 0 o normal, de 0 en adelante).
// Falso si el campo lo rechazaría.
bool lee_dato_como_campo(float dato, float& leido);
