// Listado de propiedades de un gas entre dos temperaturas y rutinas de texto
// comunes a las tablas en marcado.
#pragma once

#include "zefirant/motor/gases.h"

#include <cstdio>
#include <string>
#include <string_view>

class lista_lineas;

// Filas de tabla por página del listado.
constexpr int FILAS_PAGINA_GAS = 13;         // gas puro, en pantalla
constexpr int FILAS_PAGINA_COMBUSTION = 11;  // gases de combustión, en pantalla
constexpr int FILAS_PAGINA_FICHERO = 32000;  // escrito en un fichero

// Listado de propiedades del gas de t_inferior a t_superior (K) de 'paso' en
// 'paso' K (10, 20, 50 o 100). Devuelve el número de páginas, o -1 con
// cualquier otro paso.
//  - solo_contar distinto de 0: no escribe nada; cuenta las páginas de la
//    pantalla (sin fichero) o del fichero (con fichero).
//  - sin fichero: vacía 'lista' y le añade la cabecera y las filas de la
//    página pedida (desde 1).
//  - con fichero: escribe en él la cabecera (cada línea precedida de ">", la
//    última de ">>") y las filas de la página pedida; la página 1 es todo.
int lista_propiedades(const propiedades_gas& gas, unsigned t_inferior, unsigned t_superior, int paso,
                      int pagina, int solo_contar, std::FILE* fichero, lista_lineas* lista);

// Cambia cada "." del texto por ",".
void punto_a_coma(std::string& texto);
// El texto con cada "." cambiado por ",".
std::string con_coma(std::string texto);
// De los cuatro textos, el de las unidades elegidas: energía en kJ o en kcal,
// por kmol o por kg.
const char* segun_unidades(const char* kj_kmol, const char* kj_kg, const char* kcal_kmol, const char* kcal_kg);
// Líneas de las cabeceras que describen el gas, con coma decimal: su masa
// molar, "(`IM = ... kg/kmol)", y el calor del combustible por kmol de humos,
// "`Im`Dc = ... kJ/kmol humos".
std::string texto_masa_molar(const propiedades_gas& g);
std::string linea_calor_humos(const propiedades_gas& g);
// Quita los blancos del final; el primer carácter se queda aunque sea blanco.
void quita_blancos(std::string& texto);
// n caracteres de raya (0x97).
std::string linea_raya(int n);
// El nombre guardado en el registro, acotado a su tamaño aunque le falte el
// terminador.
std::string nombre_registro(const propiedades_gas& g);
// El nombre hasta el primer "(", sin incluirlo.
std::string nombre_sin_formula(std::string_view nombre);

// Añade la línea a la lista (si la hay) y después la escribe en el fichero
// (si lo hay) seguida de "\n".
void escribe_linea(lista_lineas* lista, std::FILE* fichero, std::string_view linea);
