// Listados de las tablas de vapor: curvas límite (tabla de saturación) y
// líquido y vapor sobrecalentado (rejilla), página a página.
#pragma once

#include "brumalix/motor/tablas.h"

#include <cstdio>
#include <string>

class lista_lineas;

// Rango de las curvas límite: presiones en bar; filas de la tabla que se
// saltan entre dos filas listadas.
struct limites_curvas {
    float pmin = 0.0061f;
    float pmax = float(P_MAX_SATURACION);
    int salto = 0;
};
// Rango de líquido y vapor: presiones en bar, temperaturas en °C; presiones
// del eje y temperaturas de la rejilla que se saltan.
struct limites_tablas {
    float pmin = 0.02f;
    float pmax = 240.0f;
    float tmin = 0.0f;
    float tmax = 800.0f;
    int salto_p = 0;
    int salto_t = 0;
};
extern limites_curvas limites_listado_curvas;
extern limites_tablas limites_listado_tablas;

// Cabeceras de los dos listados (seis líneas); pon_unidades_cabeceras
// escribe en la quinta las unidades elegidas.
extern std::string cabecera_curvas[6];
extern std::string cabecera_liquido_vapor[6];

// Lista de la ventana de listados; por omisión una lista en memoria.
lista_lineas& lista_listado();
void pon_lista_listado(lista_lineas* lista);

// Destino de un listado: la lista de la ventana (páginas de 15 o 14 filas)
// o un fichero de texto para imprimir (páginas de 32000 filas; el fichero
// puede faltar cuando sólo se cuentan las páginas).
enum class destino_listado { ventana, fichero };

constexpr int FILAS_PAGINA_CURVAS = 15;
constexpr int FILAS_PAGINA_TABLAS = 14;
constexpr int FILAS_PAGINA_FICHERO = 32000;

// Convierten una copia de una fila de saturación (11 valores) y dos puntos
// de la rejilla (h, s, v) a las unidades elegidas.
void convierte_fila_saturacion(float fila[11]);
void convierte_fila_vapor(float punto1[3], float punto2[3]);

// Escriben la página 'pagina' (desde 1) del listado, o nada si solo_contar;
// devuelven el número de la última página.
int listado_curvas_limite(int pagina, int solo_contar, destino_listado destino, std::FILE* fichero = nullptr);
int listado_liquido_vapor(int pagina, int solo_contar, destino_listado destino, std::FILE* fichero = nullptr);
