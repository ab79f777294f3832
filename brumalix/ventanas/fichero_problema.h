// Fichero de problema de BRUMALIX: binario, little-endian, campo a campo.
//
// Disposición actual: la marca "A", las cuatro unidades (int16), S estados,
// los 36 caudales directos, E equipos y las 150 + 30 ecuaciones de balance.
// La disposición antigua no lleva marca y guarda sólo tres unidades; un
// fichero que empieza por "B" no se lee.
#pragma once

#include "brumalix/motor/problema_agua.h"

#include <array>
#include <cstdio>
#include <vector>

constexpr std::size_t BYTES_ESTADO = 54;
constexpr std::size_t BYTES_CAUDAL_DIRECTO = 6;
constexpr std::size_t BYTES_EQUIPO = 204;
// Tamaño de un fichero actual sin estados ni equipos.
constexpr std::size_t BYTES_FIJOS_PROBLEMA = 11029;

// Un fichero leído entero y comprobado, antes de pasar al problema.
struct problema_leido {
    int unidad_presion_at = 0;
    int unidad_caudal_th = 0;
    int unidad_energia_kcal = 0;
    int unidad_entropia_kcal = 0;
    std::vector<estado_agua> estados;
    std::array<caudal_directo, MAXNUMCAUDDIRECTOS> caudales{};
    std::vector<elemento> equipos;
    std::array<ecuacion_balance, MAXNUMESTADOS> masa{};
    std::array<ecuacion_balance, MAXNUMECENERGIA> energia{};
};

enum class lectura_problema { bien, marca_b, incorrecto };

// Lee los bytes de un fichero. Sólo da 'bien' si el fichero entero cabe en
// los límites del problema (estados, equipos, listas, textos terminados en
// su campo) y no acaba antes de tiempo.
lectura_problema lee_problema(const std::vector<unsigned char>& bytes, problema_leido& p);

// Pasa un fichero leído al problema del programa (unidades, estados con sus
// caudales, caudales directos, equipos, ecuaciones y num_equipos).
void pasa_al_problema(const problema_leido& p);

// Escribe en la disposición actual los S primeros estados y los E primeros
// equipos del problema; la tabla de caudales directos debe estar montada.
// Falso si alguna escritura falló.
bool escribe_problema(std::FILE* f, int S, int E);
