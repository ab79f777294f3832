// Tabla de un equipo: caudales y potencias entálpica y exergética de los
// estados que entran y salen, con sus sumas.
#pragma once

#include <cstdio>
#include <string>

// Las seis líneas de cabecera de las tablas de equipos (las rayas pasan a
// ser del carácter 0x97 la primera vez que se escriben).
extern std::string cabecera_equipo[6];

// Escribe la tabla del equipo de índice 'equipo' (desde 0) en el fichero o,
// sin fichero, en la lista de resultados (sin borrarla). Devuelve 0.
int lista_elemento(int equipo, std::FILE* fichero);
