#include "zefirant/motor/solucion.h"
#include "zefirant/motor/rejilla.h"
#include "zefirant/motor/unidades.h"

#include "comun/factores_unidades.h"
#include "comun/formato.h"
#include "comun/mensajes.h"
#include "comun/texto1252.h"

#include <cmath>

namespace {

constexpr double R_BAR = 0.083143;          // p·v = R_BAR·T con p en bar y v en m³/kmol
constexpr double INV_R_BAR = 12.027470743177417;
constexpr double T_REFERENCIA = 293.15;
constexpr double T_MINIMA = 273.0;

const char* const TEXTO_FUERA_DE_MARGEN = "ERROR: Datos fuera de margen en estado %d.";

double temperatura_maxima(int tipo) { return gas_hasta_1500(tipo) ? 1500.0 : 5000.0; }

bool fuera_de_margen(double T, int tipo) { return !(T >= T_MINIMA && T <= temperatura_maxima(tipo)); }

// ¿Nombra alguna referencia del estado al estado 'numero' (desde 1)?
bool refiere_a(const estado& e, int numero)
{
    for (int r : e.referencia)
        if (r == numero) return true;
    return false;
}

constexpr int PROPIEDADES_RESULTADO[] = {E_PRES, E_TEMP, E_VOL, E_UINT, E_ENTAL, E_ENTROP, E_EXERG};

// Un estado resuelto ha de tener valores finitos, presión y volumen positivos.
bool valores_validos(const estado& e)
{
    for (int j : PROPIEDADES_RESULTADO)
        if (!std::isfinite(e.prop[j])) return false;
    return e.prop[E_PRES] > 0 && e.prop[E_VOL] > 0;
}

// Propiedades de un estado a partir de su temperatura.
class calculo_a_T {
public:
    calculo_a_T(estado& e, const propiedades_gas& g) : e_(e), g_(g) {}
    void fija_T(double T)
    {
        e_.prop[E_TEMP] = static_cast<float>(T);
        propiedades_a_T(e_.prop[E_TEMP], g_, cv0_, cp_, s0_);
    }
    void u() { e_.prop[E_UINT] = static_cast<float>(double(cv0_) * e_.prop[E_TEMP]); }
    void h() { e_.prop[E_ENTAL] = static_cast<float>(double(cp_) * e_.prop[E_TEMP]); }
    void s() { e_.prop[E_ENTROP] = static_cast<float>(s0_ - R_UNIVERSAL * std::log(double(e_.prop[E_PRES]))); }
    void v() { e_.prop[E_VOL] = static_cast<float>(R_BAR * e_.prop[E_TEMP] / e_.prop[E_PRES]); }
    void p_de_s() { e_.prop[E_PRES] = static_cast<float>(std::exp((s0_ - double(e_.prop[E_ENTROP])) / R_UNIVERSAL)); }
    void p_de_v() { e_.prop[E_PRES] = static_cast<float>(R_BAR * e_.prop[E_TEMP] / e_.prop[E_VOL]); }

private:
    estado& e_;
    const propiedades_gas& g_;
    float cv0_ = 0, cp_ = 0, s0_ = 0;
};

// Exergía y marca de resuelto. Falso si el estado quedó con valores no
// finitos (o presión o volumen no positivos).
bool termina_estado(estado& e, const propiedades_gas& g)
{
    e.prop[E_EXERG] = static_cast<float>(e.prop[E_ENTAL] - T_REFERENCIA * e.prop[E_ENTROP] + g.e0);
    if (!valores_validos(e)) return false;
    e.marca = 1;
    return true;
}

// Cómo se halla la temperatura de una pareja de datos.
enum class via_T { dada, de_u, de_h, de_s0, de_s_v, de_p_v };

// Temperatura del estado por la vía de su pareja; falso si no hay ninguna en
// el intervalo del gas.
bool temperatura_pareja(via_T via, const estado& e, const propiedades_gas& g, double& T)
{
    const float* v = e.prop;
    float t = 0;
    switch (via) {
    case via_T::dada: T = v[E_TEMP]; return true;
    case via_T::de_p_v:
        T = double(v[E_PRES]) * v[E_VOL] * INV_R_BAR;
        return !fuera_de_margen(T, g.tipo);
    case via_T::de_u: t = temperatura_de_u(e, g); break;
    case via_T::de_h: t = temperatura_de_h(e, g); break;
    case via_T::de_s0: t = temperatura_de_s0(e, g); break;
    case via_T::de_s_v: t = temperatura_de_s_v(e, g); break;
    }
    if (t < 0) return false;
    T = t;
    return true;
}

// Una pareja de datos: sus dos propiedades, cómo da la temperatura y lo que
// después se calcula de ella, en este orden (cada paso usa lo anterior).
using paso_calculo = void (calculo_a_T::*)();
struct regla_pareja {
    int a, b;
    via_T via;
    paso_calculo pasos[4];
};

using C = calculo_a_T;
constexpr regla_pareja PAREJAS[] = {
    {E_TEMP, E_PRES, via_T::dada, {&C::u, &C::h, &C::s, &C::v}},
    {E_TEMP, E_ENTROP, via_T::dada, {&C::u, &C::h, &C::p_de_s, &C::v}},
    {E_TEMP, E_VOL, via_T::dada, {&C::u, &C::h, &C::p_de_v, &C::s}},
    {E_PRES, E_UINT, via_T::de_u, {&C::h, &C::v, &C::s}},
    {E_PRES, E_ENTAL, via_T::de_h, {&C::u, &C::v, &C::s}},
    {E_PRES, E_ENTROP, via_T::de_s0, {&C::u, &C::h, &C::v}},
    {E_PRES, E_VOL, via_T::de_p_v, {&C::u, &C::h, &C::s}},
    {E_ENTAL, E_ENTROP, via_T::de_h, {&C::u, &C::p_de_s, &C::v}},
    {E_ENTAL, E_VOL, via_T::de_h, {&C::u, &C::p_de_v, &C::s}},
    {E_UINT, E_ENTROP, via_T::de_u, {&C::h, &C::p_de_s, &C::v}},
    {E_UINT, E_VOL, via_T::de_u, {&C::h, &C::p_de_v, &C::s}},
    {E_ENTROP, E_VOL, via_T::de_s_v, {&C::h, &C::u, &C::p_de_v}},
};

// Estado fijado por dos valores dados (la primera pareja de la tabla cuyos
// dos valores son mayores que 0). -1: ninguna pareja; 0: búsqueda fallida o
// temperatura fuera de margen; 1: resuelto (sin la exergía). Los enlaces
// que quedan (n, x_v, x_p) no forman pareja con nada; si los hay, hacen el
// estado incompatible.
int resuelve_pareja(estado& e, const propiedades_gas& g)
{
    for (const regla_pareja& r : PAREJAS) {
        if (!(e.prop[r.a] > 0 && e.prop[r.b] > 0)) continue;
        double T = 0;
        if (!temperatura_pareja(r.via, e, g, T)) return 0;
        calculo_a_T c(e, g);
        c.fija_T(T);
        for (paso_calculo paso : r.pasos)
            if (paso) (c.*paso)();
        return 1;
    }
    return -1;
}

void convierte_entrada(estado& e, float M)
{
    float* v = e.prop;
    if (unidad_presion_at && v[E_PRES] >= 0) v[E_PRES] = static_cast<float>(v[E_PRES] * AT_A_BAR);
    for (int j : {E_VOL, E_UINT, E_ENTAL, E_ENTROP, E_EXERG}) {
        if (v[j] < 0) continue;
        if (unidad_masa_kg) v[j] *= M;
        if (unidad_energia_kcal && j != E_VOL) v[j] = static_cast<float>(v[j] * KCAL_A_KJ);
    }
}

void convierte_salida(estado& e, float M)
{
    float* v = e.prop;
    if (unidad_presion_at) v[E_PRES] = static_cast<float>(v[E_PRES] * BAR_A_AT);
    for (int j : {E_VOL, E_UINT, E_ENTAL, E_ENTROP, E_EXERG}) {
        if (unidad_masa_kg) v[j] /= M;
        if (unidad_energia_kcal && j != E_VOL) v[j] = static_cast<float>(v[j] * KJ_A_KCAL);
    }
}

} // namespace

int cuenta_datos(const estado& e, int solo_valores)
{
    int n = 0;
    for (int j : {E_PRES, E_TEMP, E_VOL, E_UINT, E_ENTAL, E_ENTROP, E_XV, E_XP})
        if (e.prop[j] >= 0) ++n;
    if (e.prop[E_POLI] > NO_POLI) ++n;
    if (!solo_valores)
        for (int r : e.referencia)
            if (r >= 0) ++n;
    return n;
}

int comprueba_datos_estados(const problema& p)
{
    if (p.num_estados == 0) return 1;
    const int n = p.num_estados < MAXESTADOS ? p.num_estados : MAXESTADOS;
    for (int i = 0; i < n; ++i)
        if (cuenta_datos(p.datos[i], 0) != 2) return i + 1;
    return 0;
}

int comprueba_margen(const estado& e, int tipo)
{
    const float T = e.prop[E_TEMP];
    if (T > 0 && fuera_de_margen(T, tipo)) return 0;
    const float n = e.prop[E_POLI];
    if (n < -100 || n > 100) return 0;
    // Con n = 0 o n = 1 las relaciones politrópicas dividen por cero.
    if (n == 0 || n == 1) return 0;
    if (tipo >= GAS_GASOLINA) {
        if (e.prop[E_XV] >= 0 && e.prop[E_XV] > 1) return 0;
        if (e.prop[E_XP] >= 0 && e.prop[E_XP] > 1) return 0;
    }
    return 1;
}

int estado_politropico(estado& e, const estado& anterior, const propiedades_gas& gas, int i)
{
    const int numero = i + 1;
    const double n = e.prop[E_POLI];
    auto fuera = [&] {
        muestra_error(TEXTO_FUERA_DE_MARGEN, numero);
        return 0;
    };
    if (n == 0 || n == 1 || !std::isfinite(n)) return fuera();
    const double p1 = anterior.prop[E_PRES], T1 = anterior.prop[E_TEMP], v1 = anterior.prop[E_VOL];
    if (!(p1 > 0 && T1 > 0 && v1 > 0)) return fuera();
    const double exponente_p = n / (n - 1);  // p/p1 = (T/T1)^(n/(n-1))
    calculo_a_T c(e, gas);
    float* v = e.prop;
    if (v[E_PRES] > 0) {
        double T = T1 * std::pow(v[E_PRES] / p1, (n - 1) / n);
        if (fuera_de_margen(T, gas.tipo)) return fuera();
        c.fija_T(T);
        c.u(), c.h(), c.s(), c.v();
    } else if (v[E_TEMP] > 0) {
        v[E_PRES] = static_cast<float>(p1 * std::pow(v[E_TEMP] / T1, exponente_p));
        c.fija_T(v[E_TEMP]);
        c.u(), c.h(), c.s(), c.v();
    } else if (v[E_VOL] > 0) {
        double T = T1 * std::pow(v1 / v[E_VOL], n - 1);
        if (fuera_de_margen(T, gas.tipo)) return fuera();
        c.fija_T(T);
        c.u(), c.h(), c.p_de_v(), c.s();
    } else if (v[E_UINT] > 0 || v[E_ENTAL] > 0) {
        const bool de_u = v[E_UINT] > 0;
        float T = de_u ? temperatura_de_u(e, gas) : temperatura_de_h(e, gas);
        if (T < 0) return fuera();
        v[E_PRES] = static_cast<float>(p1 * std::pow(T / T1, exponente_p));
        c.fija_T(T);
        if (de_u) c.h();
        else c.u();
        c.s(), c.v();
    } else if (v[E_ENTROP] > 0) {
        muestra_error("ERROR: Combinación incompatible (s, n) en estado %d"_w, numero);
        return 0;
    } else {
        muestra_error("ERROR: Propiedades incompatibles en estado %d", numero);
        return 0;
    }
    if (!valores_validos(e) || fuera_de_margen(v[E_TEMP], gas.tipo)) return fuera();
    return 1;
}

resultado_estado resuelve_estado(problema& p, int i, std::string& texto)
{
    estado& e = p.estados[i];
    const propiedades_gas& g = *p.gas;
    const int numero = i + 1;
    auto incompatible = [&] {
        texto = formatea("ERROR: Propiedades incompatibles en estado %d", numero);
        return ESTADO_FALLIDO;
    };
    auto fuera = [&] {
        texto = formatea(TEXTO_FUERA_DE_MARGEN, numero);
        return ESTADO_FALLIDO;
    };
    bool espera = false;

    // Calor liberado desde el estado anterior (gases de combustión).
    if (i > 0 && g.tipo >= GAS_GASOLINA && (e.prop[E_XV] >= 0 || e.prop[E_XP] >= 0)) {
        const estado& anterior = p.estados[i - 1];
        if (anterior.marca == 1) {
            double q = double(g.m_c) * g.Hu;
            if (g.aire < 1.0f) q *= g.aire;
            if (e.prop[E_XV] >= 0) {
                e.prop[E_UINT] = static_cast<float>(anterior.prop[E_UINT] + e.prop[E_XV] * q);
                e.prop[E_XV] = NO_DADO;
            } else {
                e.prop[E_ENTAL] = static_cast<float>(anterior.prop[E_ENTAL] + e.prop[E_XP] * q);
                e.prop[E_XP] = NO_DADO;
            }
        } else if (!refiere_a(anterior, numero)) {
            espera = true;
        }
    }

    // Enlace politrópico con el estado anterior.
    if (e.prop[E_POLI] > NO_POLI && i > 0) {
        const estado& anterior = p.estados[i - 1];
        if (anterior.marca == 1) {
            if (!estado_politropico(e, anterior, g, i)) {
                texto.clear();
                return ESTADO_FALLIDO;
            }
            if (!termina_estado(e, g)) {
                // El mensaje del estado politrópico se muestra siempre aquí.
                texto.clear();
                muestra_error(TEXTO_FUERA_DE_MARGEN, numero);
                return ESTADO_FALLIDO;
            }
            return ESTADO_RESUELTO;
        }
        if (!refiere_a(anterior, numero)) return ESTADO_EN_ESPERA;
        return incompatible();
    }
    if (espera) return ESTADO_EN_ESPERA;

    // Pareja de valores.
    if (e.prop[E_POLI] > NO_POLI || e.prop[E_XV] >= 0 || e.prop[E_XP] >= 0) return incompatible();
    switch (resuelve_pareja(e, g)) {
    case -1: return incompatible();
    case 0: return fuera();
    default: break;
    }
    if (!termina_estado(e, g)) return fuera();
    return ESTADO_RESUELTO;
}

namespace {

// Los estados seguidos que liberan calor del combustible (x_v o x_p dados)
// forman una cadena que no puede liberar más que el calor entero. Devuelve
// el número (desde 1) del estado en que la suma pasa de 1, o 0. El primer
// estado no sigue a ninguno y no libera nada (su fracción lo hace
// incompatible).
int calor_de_mas(const problema& p, int n)
{
    if (p.gas->tipo < GAS_GASOLINA) return 0;
    double suma = 0;
    for (int i = 1; i < n; ++i) {
        const float* v = p.datos[i].prop;
        const float x = v[E_XV] >= 0 ? v[E_XV] : v[E_XP];
        if (!(x >= 0)) {
            suma = 0;
            continue;
        }
        suma += x;
        // Margen para el redondeo de fracciones como 0,4 y 1 - 0,4.
        if (suma > 1 + 1e-6) return i + 1;
    }
    return 0;
}

} // namespace

int resuelve_estados(problema& p, std::string& texto)
{
    texto.clear();
    const int n = p.num_estados < MAXESTADOS ? p.num_estados : MAXESTADOS;
    const float M = p.gas->M;
    for (int i = 0; i < n; ++i) {
        estado& e = p.estados[i];
        for (int j = 0; j < NUM_PROP; ++j) e.prop[j] = p.datos[i].prop[j];
        for (int j = 0; j < 6; ++j) e.referencia[j] = p.datos[i].referencia[j];
        e.marca = 0;
        convierte_entrada(e, M);
    }
    if (int i = calor_de_mas(p, n)) {
        texto = formatea("ERROR: Datos fuera de margen en el estado %d", i);
        return i;
    }

    bool progreso;
    do {
        progreso = false;
        for (int i = 0; i < n; ++i) {
            estado& e = p.estados[i];
            if (e.marca == 1) continue;
            if (cuenta_datos(e, 1) == 2) {
                if (!comprueba_margen(e, p.gas->tipo)) {
                    texto = formatea("ERROR: Datos fuera de margen en el estado %d", i + 1);
                    return i + 1;
                }
                switch (resuelve_estado(p, i, texto)) {
                case ESTADO_RESUELTO: progreso = true; break;
                case ESTADO_FALLIDO: return i + 1;
                case ESTADO_EN_ESPERA: break;
                }
                continue;
            }
            for (int j = 0; j < 6; ++j) {
                const int r = e.referencia[j];
                if (r < 0) continue;
                if (r < 1 || r > n) {
                    texto = formatea("ERROR: No existe estado referido en %d", i + 1);
                    return i + 1;
                }
                const float valor = p.estados[r - 1].prop[j];
                if (valor >= 0) {
                    e.prop[j] = valor;
                    e.referencia[j] = -1;
                    progreso = true;
                }
            }
        }
    } while (progreso);

    for (int i = 0; i < n; ++i) {
        if (p.estados[i].marca != 1) {
            texto = formatea("ERROR: No se puede calcular el estado %d", i + 1);
            return i + 1;
        }
    }
    for (int i = 0; i < n; ++i) {
        convierte_salida(p.estados[i], M);
        // Ni infinitos ni NaN en las tablas (p. ej. una masa molar nula).
        if (!valores_validos(p.estados[i])) {
            texto = formatea(TEXTO_FUERA_DE_MARGEN, i + 1);
            return i + 1;
        }
    }
    return 0;
}

int reparte_calor(const problema& p, int i)
{
    if (p.gas->tipo < GAS_GASOLINA) return 0;
    if (i < 0 || i >= MAXESTADOS) return 0;
    const estado& d = p.datos[i];
    if (d.marca == 1) return 0;
    const float xv = d.prop[E_XV], xp = d.prop[E_XP];
    return (xv >= 0 && xv < 1) || (xp >= 0 && xp < 1);
}

int completa_fraccion_siguiente(problema& p, int i)
{
    if (!reparte_calor(p, i)) return 0;
    const estado& d = p.datos[i];
    const float xv = d.prop[E_XV], xp = d.prop[E_XP];
    estado& siguiente = p.datos[i + 1];
    reinicia_estado(siguiente);
    siguiente.marca = 1;
    if (xv >= 0 && xv < 1) {
        siguiente.prop[E_XP] = 1 - xv;
        siguiente.referencia[E_PRES] = i + 1;
    } else {
        siguiente.prop[E_XV] = 1 - xp;
        siguiente.referencia[E_VOL] = i + 1;
    }
    return 1;
}

int rehace_estados_preparados(problema& p, int n)
{
    if (n > MAXESTADOS) n = MAXESTADOS;
    bool ultimo_liberado = false;
    for (int i = 1; i < n; ++i) {
        if (p.datos[i].marca != 1) continue;
        // El estado preparado sigue al anterior: con el resto de su calor si
        // aún lo reparte; si no, queda libre y vacío.
        if (!completa_fraccion_siguiente(p, i - 1)) {
            reinicia_estado(p.datos[i]);
            ultimo_liberado = i == n - 1;
        }
    }
    // El estado 1 no sigue a ninguno: nunca es un estado preparado.
    if (n > 0 && p.datos[0].marca == 1) {
        reinicia_estado(p.datos[0]);
        ultimo_liberado = ultimo_liberado || n == 1;
    }
    return ultimo_liberado ? n - 1 : n;
}
