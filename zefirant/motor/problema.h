// Problema de ZEFIRANT: un gas, hasta 40 estados y 40 transformaciones.
#pragma once

#include "zefirant/motor/gases.h"

#include <cstdint>
#include <string>

constexpr int MAXESTADOS = 40;
constexpr int MAXTRANSFORMACIONES = 40;

// Índices de las propiedades de un estado.
enum {
    E_PRES = 0, E_TEMP = 1, E_VOL = 2, E_UINT = 3, E_ENTAL = 4, E_ENTROP = 5,
    E_POLI = 6, E_XV = 7, E_XP = 8, E_EXERG = 9, NUM_PROP = 10
};
// Valor de un dato no dado (el exponente politrópico usa NO_POLI).
constexpr float NO_DADO = -1.0f;
constexpr float NO_POLI = -100.0f;

struct estado {
    float prop[NUM_PROP] = {};
    std::int32_t referencia[6] = {};  // p, T, v, u, h, s: estado (desde 1) o -1
    std::uint8_t marca = 0;
};

struct transformacion {
    std::uint8_t desde = 0;
    std::uint8_t hasta = 0;
};

// Clases de transformación.
enum : std::uint8_t { T_ISOBARA = 0, T_ISOCORA = 1, T_ISOTERMA = 2, T_ISENTROPICA = 3, T_POLITROPICA = 4 };

struct resultado_transformacion {
    float W = 0;    // trabajo de expansión
    float Wt = 0;   // trabajo técnico
    float du = 0;
    float dh = 0;
    float de = 0;
    std::uint8_t clase = 0;
    float n = 0;    // exponente de las isentrópicas y politrópicas
};

struct problema {
    propiedades_gas* gas = nullptr;
    std::uint8_t num_transformaciones = 0;
    std::uint8_t num_estados = 0;
    transformacion transformaciones[MAXTRANSFORMACIONES] = {};
    estado datos[MAXESTADOS + 1] = {};     // estados tal como se dieron
    estado estados[MAXESTADOS + 1] = {};   // estados resueltos
    resultado_transformacion resultados[MAXTRANSFORMACIONES] = {};
    propiedades_gas gas_propio;            // registro al que apunta 'gas' al crearse
};

extern problema* problema_actual;

int crea_problema(problema** p);
void libera_problema(problema** p);
void reinicia_problema(problema* p);
int reinicia_estado(estado& e);
