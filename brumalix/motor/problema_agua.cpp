#include "brumalix/motor/problema_agua.h"

estado_agua estados_dato[MAXNUMESTADOS];
estado_agua estados_calculo[MAXNUMESTADOS];
std::int32_t est_en_elemento[MAXINCOGNITAS];
ecuacion_balance ecuaciones_masa[MAXNUMESTADOS];
ecuacion_balance ecuaciones_energia[MAXNUMECENERGIA];
elemento equipos[MAXNUMEQUIPOS];
caudal_directo caudales_directos[MAXNUMCAUDDIRECTOS];
std::int32_t num_incognitas = 0;
std::int32_t num_equipos = 0;

int unidad_presion_at = 0;
int unidad_caudal_th = 0;
int unidad_energia_kcal = 0;
int unidad_entropia_kcal = 0;

void borra_unidades()
{
    unidad_presion_at = 0;
    unidad_caudal_th = 0;
    unidad_energia_kcal = 0;
    unidad_entropia_kcal = 0;
}

void borra_estados()
{
    for (auto& e : estados_dato) {
        e.calculado = 0;
        e.p = e.t = e.x = e.v = e.h = e.s = -1.0f;
        e.ref_p = e.ref_t = e.ref_x = e.ref_v = e.ref_h = e.ref_s = -1;
        e.caudal = -1.0f;
    }
    for (auto& e : estados_calculo) {
        e.calculado = -1;
        e.p = e.t = e.x = e.v = e.h = e.s = -1.0f;
        e.ref_p = e.ref_t = e.ref_x = e.ref_v = e.ref_h = e.ref_s = -1;
        e.e = e.caudal = e.mh = e.me = -1.0f;
    }
}

void borra_caudales_directos()
{
    for (auto& c : caudales_directos) c = caudal_directo{};
}

void borra_elementos()
{
    for (auto& q : equipos) {
        q.nombre[0] = '\0';
        q.texto_entrantes[0] = '\0';
        q.texto_salientes[0] = '\0';
    }
}

void borra_ecuaciones()
{
    for (auto& q : ecuaciones_masa) q.texto[0] = '\0';
    for (auto& q : ecuaciones_energia) q.texto[0] = '\0';
}
