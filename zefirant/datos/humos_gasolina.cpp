#include "zefirant/datos/humos_gasolina.h"

#include <algorithm>
#include <cmath>

double constante_agua_gas(const especie_nasa& co, const especie_nasa& h2o, const especie_nasa& co2,
                          const especie_nasa& h2, double T)
{
    double dg = co2.g(T) + h2.g(T) - co.g(T) - h2o.g(T);
    return std::exp(-dg / (R_NASA * T));
}

bool composicion_gasolina_rica(double aire, double kp, humos_gasolina& humos)
{
    humos = {};
    humos.aire = aire;
    if (!(aire > 0 && aire <= 1) || !(kp > 0) || !std::isfinite(kp)) return false;
    if (aire == 1.0) {
        // Combustión completa: las cantidades con que el programa mezcla los
        // humos de la gasolina por encima de lambda 1.
        humos.co2 = 0.071268;
        humos.h2o = 0.071429;
        humos.n2 = 0.40451;
        return true;
    }
    const double carbono = GASOLINA_C / 12.011;                          // kmol C
    const double hidrogeno = GASOLINA_H / 2.016;                         // kmol H2
    const double oxigeno = 2.0 * aire * (carbono + GASOLINA_H / 4.032);  // kmol O
    // Con x = n(CO2): n(CO) = C - x, n(H2O) = a - x, n(H2) = x - b.
    const double a = oxigeno - carbono;
    const double b = a - hidrogeno;
    double lo = std::max(0.0, b);
    double hi = std::min(carbono, a);
    if (!(hi > lo)) return false;
    // f(x) = x·(x - b) - Kp·(C - x)·(a - x) crece en (lo, hi): negativa en lo,
    // positiva en hi. Bisección hasta la resolución del double.
    auto f = [&](double x) { return x * (x - b) - kp * (carbono - x) * (a - x); };
    for (int vuelta = 0; vuelta < 200 && hi - lo > 0; ++vuelta) {
        double medio = 0.5 * (lo + hi);
        if (medio <= lo || medio >= hi) break;
        (f(medio) < 0 ? lo : hi) = medio;
    }
    const double x = 0.5 * (lo + hi);
    humos.co2 = x;
    humos.co = carbono - x;
    humos.h2o = a - x;
    humos.h2 = x - b;
    humos.n2 = 0.40451 * aire;
    return humos.co2 > 0 && humos.co > 0 && humos.h2o > 0 && humos.h2 > 0;
}
