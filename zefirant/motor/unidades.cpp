#include "zefirant/motor/unidades.h"

int unidad_masa_kg = 0;
int unidad_energia_kcal = 0;
int unidad_presion_at = 0;
