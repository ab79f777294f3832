// Entradas de los ensayos con datos arbitrarios (libFuzzer) de ZEFIRANT: el
// lector del fichero de problema y los de GASES.DAT y GASOLINA.DAT, seguidos
// del cálculo con lo leído. Las usan los ejecutables de libFuzzer (sólo con
// clang) y la prueba que repasa el corpus con cualquier compilador.
//
// Cada una devuelve verdadero si el fichero se aceptó. Lo que no debe pasar
// nunca con un fichero aceptado (que el problema leído no se pueda volver a
// escribir, por ejemplo) termina el proceso con abort(): es un hallazgo.
#pragma once

#include <cstddef>
#include <cstdint>

bool ensaya_problema_zefirant(const std::uint8_t* datos, std::size_t n);
bool ensaya_gases_dat(const std::uint8_t* datos, std::size_t n);
bool ensaya_gasolina_dat(const std::uint8_t* datos, std::size_t n);
