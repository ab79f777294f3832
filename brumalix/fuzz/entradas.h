// Entradas de los ensayos con datos arbitrarios (libFuzzer) de BRUMALIX: el
// lector del fichero de problema y los de f1-bin.dat y f2-bin.dat, seguidos
// del cálculo con lo leído. Las usan los ejecutables de libFuzzer (sólo con
// clang) y la prueba que repasa el corpus con cualquier compilador.
//
// Cada una devuelve verdadero si el fichero se aceptó. Lo que no debe pasar
// nunca con un fichero aceptado (que el problema leído, escrito de nuevo, no
// se pueda volver a leer, por ejemplo) termina el proceso con abort(): es un
// hallazgo. Las tablas que no se ensayan son las reales del directorio de
// datos de la compilación.
#pragma once

#include <cstddef>
#include <cstdint>

bool ensaya_problema_brumalix(const std::uint8_t* datos, std::size_t n);
bool ensaya_f1(const std::uint8_t* datos, std::size_t n);
bool ensaya_f2(const std::uint8_t* datos, std::size_t n);
