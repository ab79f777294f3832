// Clasificación y trabajos de las transformaciones entre estados resueltos.
#pragma once

#include "zefirant/motor/problema.h"

#include <string>

// Calcula p.resultados para cada transformación de p a partir de los estados
// resueltos (en las unidades elegidas). 1 si se calcularon todas; 0 en la
// primera incorrecta, con el mensaje en 'texto'.
int calcula_transformaciones(problema& p, std::string& texto);
