// Composición de los gases de combustión de la gasolina (c = 0,856 y
// h = 0,144 kg/kg) por kg de combustible, en kmol.
#pragma once

#include "zefirant/datos/nasa_glenn.h"
#include "zefirant/motor/combustible.h"

#include <vector>

// Temperatura a la que se fija el equilibrio agua-gas CO + H2O <=> CO2 + H2
// de las mezclas ricas: 1700 K, donde la reacción deja de avanzar al enfriarse
// los gases de una combustión con falta de aire.
constexpr double T_EQUILIBRIO_AGUA_GAS = 1700.0;

struct humos_gasolina {
    double aire = 0;   // lambda
    double co2 = 0, co = 0, h2o = 0, h2 = 0, n2 = 0;
    double total() const { return co2 + co + h2o + h2 + n2; }
};

// Constante de equilibrio Kp = n(CO2)·n(H2) / (n(CO)·n(H2O)) a T, de las
// energías de Gibbs de los polinomios.
double constante_agua_gas(const especie_nasa& co, const especie_nasa& h2o, const especie_nasa& co2,
                          const especie_nasa& h2, double T);

// Gases por kg de gasolina a la proporción de aire 'aire' (0 < aire <= 1).
// Con lambda 1, la combustión completa (CO2 0,071268, H2O 0,071429,
// N2 0,40451); con menos aire, el oxígeno aportado (lambda por el
// estequiométrico) se reparte entre CO2, CO, H2O y H2 según el equilibrio
// agua-gas de constante 'kp', con N2 0,40451·lambda. Devuelve falso si no hay
// oxígeno bastante para quemar el carbono a CO o si no hay solución positiva.
bool composicion_gasolina_rica(double aire, double kp, humos_gasolina& humos);
