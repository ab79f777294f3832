// Arranque del motor de vapor: las dos tablas y el problema vacío.
#pragma once

#include <string>

// Prepara el programa: tablas de los dos ficheros del directorio del
// programa (que termina en separador) y problema vacío. 1 bien, 0 mal.
int inicializa_datos(const std::string& directorio_programa);
