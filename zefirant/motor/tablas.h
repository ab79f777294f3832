// Tablas de resultados de ZEFIRANT en marcado: estados y transformaciones.
//
// Cada línea se añade al final de 'lista' (si no es nula; la lista no se
// vacía) y después se escribe en 'fichero' (si no es nulo) seguida de "\n".
#pragma once

#include <cstdio>

class lista_lineas;
struct problema;

// Ancho de las rayas de las tablas de resultados.
constexpr int RAYA_TABLAS = 73;

void cabecera_estados(const problema& p, lista_lineas* lista, std::FILE* fichero);
// Cabecera y una fila por estado resuelto. Devuelve 1.
int texto_estados(const problema& p, lista_lineas* lista, std::FILE* fichero);
void cabecera_transformaciones(const problema& p, lista_lineas* lista, std::FILE* fichero);
// Cabecera y una fila por transformación calculada. Devuelve 1.
int texto_transformaciones(const problema& p, lista_lineas* lista, std::FILE* fichero);
