// Cálculo de los estados del problema (con referencias entre ellos), la
// tabla de estados, los nombres de unidades de las cabeceras y los límites
// de presión de los listados.
#pragma once

#include "brumalix/motor/problema_agua.h"

#include <cstdio>
#include <string>

class lista_lineas;

// Nombres de unidades, 9 caracteres cada uno: entrada (0 presión, 2 caudal,
// 4 energía, 6 entropía) + la bandera de la unidad.
constexpr int LARGO_NOMBRE_UNIDAD = 10;
extern const char nombres_unidades[8][LARGO_NOMBRE_UNIDAD];

// Las cuatro líneas de cabecera de la tabla de estados; la cuarta lleva las
// unidades que pone pon_unidades_cabeceras.
extern std::string cabecera_estados[4];

// Límites de presión de los dos listados, en la unidad de presión elegida.
extern float PMINF1, PMAXF1, PMINF2, PMAXF2;

// Lista de resultados (la de la ventana de resultados); por omisión una
// lista en memoria.
lista_lineas& lista_resultados();
void pon_lista_resultados(lista_lineas* lista);
// Lo que hace la ventana de resultados al escribirse la tabla de estados
// (colocarse arriba a la izquierda y mostrarse); por omisión nada.
void pon_muestra_resultados(void (*funcion)());

// Escribe los nombres de las unidades elegidas en las cabeceras de la tabla
// de estados y de los dos listados.
void pon_unidades_cabeceras();
// Límites de presión de los listados en la unidad elegida (y su traza).
void pon_limites_presion();
// Deja el problema como al arrancar: unidades, estados, caudales y equipos,
// y las unidades de las cabeceras y los límites de los listados.
void reinicia_problema_agua();

// Datos dados del estado: los seis valores (>= 0) y, si solo_valores es 0,
// también las seis referencias.
int cuenta_datos(const estado_agua& estado, int solo_valores);
// Estados definidos: desde el 1 hasta el primero sin dato ni referencia.
int numero_estados();
// Número (desde 1) del primer estado definido que no tiene exactamente dos
// datos; 0 si todos los tienen.
int primer_estado_incorrecto();
// 1 si los valores dados (bar, °C) están dentro de margen.
int comprueba_margen(const estado_agua& estado);
// Calcula un estado con dos valores (bar, kJ); 1 bien, 0 tras un mensaje.
int calcula_estado(estado_agua& estado, int posicion);
// Calcula todos los estados definidos y escribe su tabla en la lista de
// resultados y, si se da, en el fichero. -1 bien; si no, el número (desde 1)
// del estado que falló, tras su mensaje.
int calcula_estados(std::FILE* fichero);
// Añade la tabla de estados a la lista de resultados (sin borrarla) y, si se
// da, al fichero. 1 bien, 0 si no hay estados.
int lista_estados(std::FILE* fichero);
