// Problema de BRUMALIX: estados, equipos, ecuaciones de balance y caudales
// dados, en tablas fijas que viven todo el programa.
#pragma once

#include <cstdint>

constexpr int MAXNUMESTADOS = 150;
constexpr int MAXNUMECENERGIA = 30;
constexpr int MAXNUMCAUDDIRECTOS = 36;
constexpr int MAXNUMEQUIPOS = 25;
constexpr int MAXESTENEQUIPO = 10;
constexpr int MAXINCOGNITAS = MAXNUMESTADOS + MAXNUMECENERGIA + MAXNUMCAUDDIRECTOS;  // 216
constexpr int LARGO_ECUACION = 60;   // 59 caracteres y el terminador
constexpr int LARGO_NOMBRE_EQUIPO = 40;

struct estado_agua {
    std::int32_t calculado = 0;
    float p = -1, t = -1, x = -1, v = -1, h = -1, s = -1;
    std::int32_t ref_p = -1, ref_t = -1, ref_x = -1, ref_v = -1, ref_h = -1, ref_s = -1;
    float e = -1;
    float caudal = -1;
    float mh = -1;
    float me = -1;
};

// Las seis propiedades que se dan de un estado, en el orden de las filas de
// la página de estados y del fichero de problema: el valor, la referencia a
// otro estado (desde 1) y la letra con que se nombra.
struct propiedad_estado {
    float estado_agua::*valor;
    std::int32_t estado_agua::*referencia;
    const char* letra;
};
inline constexpr propiedad_estado propiedades_estado[6] = {
    {&estado_agua::p, &estado_agua::ref_p, "p"}, {&estado_agua::t, &estado_agua::ref_t, "t"},
    {&estado_agua::x, &estado_agua::ref_x, "x"}, {&estado_agua::v, &estado_agua::ref_v, "v"},
    {&estado_agua::h, &estado_agua::ref_h, "h"}, {&estado_agua::s, &estado_agua::ref_s, "s"},
};

struct ecuacion_balance {
    char texto[LARGO_ECUACION] = {};
};

struct caudal_directo {
    std::int32_t estado = -1;
    float caudal = -1;
};

struct elemento {
    std::int32_t entrantes[MAXESTENEQUIPO] = {};
    std::int32_t salientes[MAXESTENEQUIPO] = {};
    char nombre[LARGO_NOMBRE_EQUIPO] = {};
    char texto_entrantes[LARGO_ECUACION] = {};
    char texto_salientes[LARGO_ECUACION] = {};
    std::int32_t num_entrantes = 0;
    std::int32_t num_salientes = 0;
};

extern estado_agua estados_dato[MAXNUMESTADOS];
extern estado_agua estados_calculo[MAXNUMESTADOS];
extern std::int32_t est_en_elemento[MAXINCOGNITAS];
extern ecuacion_balance ecuaciones_masa[MAXNUMESTADOS];
extern ecuacion_balance ecuaciones_energia[MAXNUMECENERGIA];
extern elemento equipos[MAXNUMEQUIPOS];
extern caudal_directo caudales_directos[MAXNUMCAUDDIRECTOS];
extern std::int32_t num_incognitas;
extern std::int32_t num_equipos;

// Unidades elegidas (0 o 1): bar o kg/cm², kg/s o t/h, kJ o kcal.
extern int unidad_presion_at;
extern int unidad_caudal_th;
extern int unidad_energia_kcal;
extern int unidad_entropia_kcal;

void borra_unidades();
void borra_estados();
void borra_caudales_directos();
void borra_elementos();
void borra_ecuaciones();
