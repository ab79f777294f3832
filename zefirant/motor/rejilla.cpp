#include "zefirant/motor/rejilla.h"
#include "zefirant/motor/problema.h"

#include "comun/formato.h"
#include "comun/lineas.h"

#include <cmath>

int temperatura_fila(int i)
{
    if (i <= 0) return 273;
    if (i <= 28) return 100 * i + 200;
    return 500 * i - 11000;
}

int temperaturas_intervalo(const int filas[3], int temperaturas[3])
{
    if (filas[0] < 0 || filas[0] > 32) return 0;
    for (int k = 0; k < 3; ++k) temperaturas[k] = temperatura_fila(filas[k]);
    return 1;
}

int intervalo_tabla(float T, int tipo, int& f, int temperaturas[3])
{
    int exacto = 0;
    f = 0;
    if (T < 300) {
        exacto = (T == 273.0f);
    } else if (T <= 3000) {
        if (gas_hasta_1500(tipo) && T > 1400) {
            f = 11;
        } else {
            double t100 = T * 0.01;
            int k = static_cast<int>(t100);
            if (T == 100.0f * static_cast<float>(k)) {
                exacto = 1;
                f = k - 2;
            } else {
                f = (t100 - k <= 0.5) ? k - 3 : k - 2;
            }
        }
    } else if (T <= 4500) {
        double t500 = T * 0.002;
        int k = static_cast<int>(t500);
        if (T == 500.0f * static_cast<float>(k)) {
            exacto = 1;
            f = k + 22;
        } else {
            f = (t500 - k <= 0.5) ? k + 21 : k + 22;
        }
    } else if (T <= 5000) {
        if (T == 5000.0f) {
            exacto = 1;
            f = 32;
        } else {
            f = 30;
        }
    }
    // Las tres temperaturas; los intervalos 30 a 32 comparten 4000, 4500, 5000.
    int primera = f > 30 ? 30 : f;
    int filas[3] = {primera, primera + 1, primera + 2};
    temperaturas_intervalo(filas, temperaturas);
    return exacto;
}

float interpola_cuadratica(float x0, float x1, float x2, float y0, float y1, float y2, float x)
{
    using ld = long double;
    if (x2 == x0) return 0.0f;
    ld u = (2.0L * x - x2 - x0) / (ld(x2) - x0);
    ld w = (2.0L * x1 - x2 - x0) / (ld(x2) - x0);
    ld d = 1.0L - w * w;
    if (d == 0) return 0.0f;
    ld B = (y1 - w * (ld(y2) - y0) / 2.0L - w * w * (ld(y2) + y0) / 2.0L) / d;
    ld C = (ld(y2) + y0) - 2.0L * B;
    return static_cast<float>(B + u * (ld(y2) - y0) / 2.0L + u * u * C / 2.0L);
}

float log_natural(float x) { return static_cast<float>(std::log(static_cast<double>(x))); }

namespace {

// Valor de una columna de la tabla a T (fila exacta o parábola por tres filas).
float columna_a_T(float T, const propiedades_gas& gas, float fila_propiedades::*columna)
{
    int f, t[3];
    if (intervalo_tabla(T, gas.tipo, f, t)) return gas.tabla[f].*columna;
    return interpola_cuadratica(float(t[0]), float(t[1]), float(t[2]), gas.tabla[f].*columna,
                                gas.tabla[f + 1].*columna, gas.tabla[f + 2].*columna, T);
}

float temperatura_maxima(const propiedades_gas& gas) { return gas_hasta_1500(gas.tipo) ? 1500.0f : 5000.0f; }

bool fuera_de_intervalo(float T, float tmax) { return !(T >= 273.0f && T <= tmax); }

// Iteración de punto fijo de u = cv0(T)·T (sumando = 0) o h = (cv0+R)·T
// (sumando = R), empezando con cv = 21. Un tanteo que cae fuera del
// intervalo del gas se evalúa en su extremo, porque el primer tanteo de un
// estado cercano a 273 K o a la temperatura máxima puede caer fuera aunque
// el estado esté dentro; sólo el resultado final decide si está fuera.
float temperatura_de_energia(float energia, const propiedades_gas& gas, double sumando, double tolerancia)
{
    const float tmax = temperatura_maxima(gas);
    float cv = 21.0f;
    for (int vuelta = 0; vuelta < MAX_ITERACIONES_T; ++vuelta) {
        float T = static_cast<float>(energia / (cv + sumando));
        if (!std::isfinite(T)) return -1.0f;
        float tanteo = T < 273.0f ? 273.0f : T > tmax ? tmax : T;
        float cvn = columna_a_T(tanteo, gas, &fila_propiedades::cv0);
        if (std::fabs(cvn - cv) < tolerancia) {
            float resultado = static_cast<float>(energia / (cvn + sumando));
            return fuera_de_intervalo(resultado, tmax) ? -1.0f : resultado;
        }
        cv = cvn;
    }
    // Junto al punto medio entre dos filas la parábola cambia de filas y cv0
    // da un pequeño salto; la iteración puede saltar de un lado a otro sin
    // acabar. Entonces se busca T por bisección de (cv0(T) + sumando)·T, que
    // crece con T.
    auto energia_a = [&](double T) {
        return (columna_a_T(static_cast<float>(T), gas, &fila_propiedades::cv0) + sumando) * T;
    };
    double bajo = 273.0, alto = tmax;
    if (!(energia_a(bajo) <= energia && energia <= energia_a(alto))) return -1.0f;
    for (int vuelta = 0; vuelta < 60 && alto - bajo > 1e-4; ++vuelta) {
        double medio = 0.5 * (bajo + alto);
        if (energia_a(medio) < energia) bajo = medio;
        else alto = medio;
    }
    return static_cast<float>(0.5 * (bajo + alto));
}

} // namespace

void propiedades_a_T(float T, const propiedades_gas& gas, float& cv0, float& cp, float& s0)
{
    cv0 = columna_a_T(T, gas, &fila_propiedades::cv0);
    s0 = columna_a_T(T, gas, &fila_propiedades::s0);
    cp = static_cast<float>(cv0 + R_UNIVERSAL);
}

float temperatura_de_u(const estado& e, const propiedades_gas& gas)
{
    return temperatura_de_energia(e.prop[E_UINT], gas, 0.0, 0.0001);
}

float temperatura_de_h(const estado& e, const propiedades_gas& gas)
{
    return temperatura_de_energia(e.prop[E_ENTAL], gas, R_UNIVERSAL, 0.0005);
}

float temperatura_de_s_v(const estado& e, const propiedades_gas& gas)
{
    const float v = e.prop[E_VOL];
    const float s_dado = e.prop[E_ENTROP];
    // Rastro de la búsqueda en el registro, no en una caja de mensaje.
    lista_registro().agrega(formatea("e->prop[E_VOL]=%g", v));
    const float tmax = temperatura_maxima(gas);
    float t_bajo = 273.0f;
    float paso = 100.0f;
    double s_bajo = gas.tabla[0].s0 - R_UNIVERSAL * std::log(22.698039 / v);
    float T = 0.0f;
    double s = 0.0;
    bool primera = true;
    // Pasos de 100, 10, 1 y 0,1 K: el cuarto exceso acaba la búsqueda. Se
    // cuentan los excesos en vez de comparar el paso con 0,01, porque
    // 0,1f·0,1f no queda por debajo de 0,01f y daría un quinto nivel.
    constexpr int NIVELES = 4;
    int excesos = 0;
    for (;;) {
        T = primera ? 300.0f : t_bajo + paso;
        primera = false;
        if (fuera_de_intervalo(T, tmax)) return -1.0f;
        s = columna_a_T(T, gas, &fila_propiedades::s0) - R_UNIVERSAL * std::log(0.083143 * T / v);
        if (!std::isfinite(s)) return -1.0f;
        if (s > s_dado) {
            if (++excesos == NIVELES) break;
            paso = paso * 0.1f;
        } else {
            t_bajo = T;
            s_bajo = s;
        }
    }
    if (s == s_bajo) return -1.0f;
    double t = t_bajo + (s_dado - s_bajo) * (T - t_bajo) / (s - s_bajo);
    float resultado = static_cast<float>(t);
    if (fuera_de_intervalo(resultado, tmax)) return -1.0f;
    return resultado;
}

float temperatura_de_s0(const estado& e, const propiedades_gas& gas)
{
    double s0 = e.prop[E_ENTROP] + R_UNIVERSAL * std::log(static_cast<double>(e.prop[E_PRES]));
    if (!std::isfinite(s0)) return -1.0f;
    if (s0 < gas.tabla[0].s0 || s0 > gas.tabla[NUM_FILAS - 1].s0) return -1.0f;
    int i = 0;
    while (i < NUM_FILAS && gas.tabla[i].s0 < s0) ++i;
    if (i >= NUM_FILAS) return -1.0f;
    int filas[3];
    int primera = (i == 0) ? 0 : (i == NUM_FILAS - 1) ? NUM_FILAS - 3 : i - 1;
    for (int k = 0; k < 3; ++k) filas[k] = primera + k;
    int t[3];
    if (!temperaturas_intervalo(filas, t)) return -1.0f;
    float T = interpola_cuadratica(gas.tabla[filas[0]].s0, gas.tabla[filas[1]].s0, gas.tabla[filas[2]].s0,
                                   float(t[0]), float(t[1]), float(t[2]), static_cast<float>(s0));
    // Metano y amoniaco no pasan de 1500 K por ningún camino, aunque su tabla
    // llegue hasta 5000 K.
    if (gas_hasta_1500(gas.tipo) && T > temperatura_maxima(gas)) return -1.0f;
    return T;
}
