// Fichero de problema de ZEFIRANT (binario, little-endian, sin cabecera):
// unidades, gas con su tabla, estados introducidos, transformaciones y la
// humedad del combustible. 462 + 54·N + 2·K bytes para N estados y K
// transformaciones; los 4 últimos (la humedad) son opcionales al leer.
#pragma once

#include "zefirant/motor/problema.h"

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

constexpr long BYTES_CABECERA_PROBLEMA = 458;
constexpr long BYTES_ESTADO_PROBLEMA = 54;

// Escribe el problema. Devuelve los bytes escritos, o 0 si no se pudo crear
// el fichero o falló alguna escritura o el cierre; en ese caso el fichero
// que ya hubiera con ese nombre queda como estaba.
long guarda_problema(const std::string& ruta, const problema& p);
// Lo mismo en un flujo ya abierto: los bytes escritos, o 0 si el problema
// pasa de sus límites o alguna escritura falló.
long escribe_problema(std::FILE* f, const problema& p);
// Lee un problema. Devuelve los bytes leídos, o 0 si el fichero no se pudo
// leer o no es un problema válido; en ese caso el problema en memoria (y las
// unidades) quedan exactamente como estaban.
long carga_problema(const std::string& ruta, problema& p);
// Lo mismo sobre los bytes de un fichero ya leído.
long carga_problema_de_bytes(const unsigned char* datos, std::size_t n, problema& p);
// Lee un fichero de problema entero y lo comprueba sin cargarlo ni tocar
// nada: deja sus bytes en 'bytes' (que carga_problema_de_bytes carga luego)
// y devuelve su número, o 0 (y 'bytes' vacío) si no se pudo leer o no es un
// problema válido.
long lee_problema(const std::string& ruta, std::vector<unsigned char>& bytes);
