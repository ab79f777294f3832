// Pruebas de GASES.DAT y GASOLINA.DAT tal como los deja la construcción: se
// leen de nuevo y se comparan con los polinomios NASA evaluados aquí, con un
// lector y unas fórmulas propias de la prueba.
#include <gtest/gtest.h>

#include "comun/binario.h"
#include "zefirant/datos/humos_gasolina.h"
#include "zefirant/motor/gases.h"
#include "zefirant/motor/rejilla.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

const char* const nombres[9] = {"Air", "H2", "O2", "N2", "H2O", "CO", "CO2", "CH4", "NH3"};
constexpr double R_POLINOMIOS = 8.314510;

// Polinomio de un intervalo: cp/R = suma de a[k]·T^(k-2).
struct polinomio {
    double t_max;
    double a[7];
    double b1, b2;
};

struct gas_ref {
    double M = 0, hf = 0, dh0 = 0;
    std::vector<polinomio> p;

    const polinomio& en(double T) const
    {
        for (const polinomio& q : p)
            if (T <= q.t_max) return q;
        return p.back();
    }
    // Entalpía asignada, J/mol: integral término a término de cp.
    double H(double T) const
    {
        const polinomio& q = en(T);
        double suma = q.b1;
        for (int k = 0; k < 7; ++k) {
            int e = k - 2;
            suma += e == -1 ? q.a[k] * std::log(T) : q.a[k] * std::pow(T, e + 1) / (e + 1);
        }
        return R_POLINOMIOS * suma;
    }
    // Entropía a 1 bar, J/(mol K): integral de cp/T.
    double S(double T) const
    {
        const polinomio& q = en(T);
        double suma = q.b2;
        for (int k = 0; k < 7; ++k) {
            int e = k - 2;
            suma += e == 0 ? q.a[k] * std::log(T) : q.a[k] * std::pow(T, e) / e;
        }
        return R_POLINOMIOS * suma;
    }
    double cp_medio(double T) const { return (H(T) - hf + dh0) / T; }
};

double numero(const std::string& linea, std::size_t desde, std::size_t ancho)
{
    std::string t = linea.substr(desde, ancho);
    std::replace(t.begin(), t.end(), 'D', 'E');
    return std::stod(t);
}

const std::map<std::string, gas_ref>& polinomios()
{
    static const std::map<std::string, gas_ref> gases = [] {
        std::map<std::string, gas_ref> m;
        std::ifstream f(FICHERO_NASA);
        std::vector<std::string> l;
        for (std::string s; std::getline(f, s);)
            if (!s.empty() && s[0] != '!') l.push_back(s);
        for (std::size_t i = 0; i < l.size();) {
            gas_ref g;
            std::string nombre = l[i].substr(0, l[i].find(' '));
            const std::size_t n = static_cast<std::size_t>(std::stoi(l[i + 1].substr(0, 2)));
            g.M = numero(l[i + 1], 52, 13);
            g.hf = numero(l[i + 1], 65, 15);
            g.dh0 = numero(l[i + 2], 65, 15);
            for (std::size_t j = 0; j < n; ++j) {
                const std::string* r = &l[i + 2 + 3 * j];
                polinomio q;
                q.t_max = numero(r[0], 11, 11);
                for (std::size_t k = 0; k < 5; ++k) q.a[k] = numero(r[1], 16 * k, 16);
                q.a[5] = numero(r[2], 0, 16);
                q.a[6] = numero(r[2], 16, 16);
                q.b1 = numero(r[2], 48, 16);
                q.b2 = numero(r[2], 64, 16);
                g.p.push_back(q);
            }
            m[nombre] = g;
            i += 2 + 3 * n;
        }
        return m;
    }();
    return gases;
}

std::vector<unsigned char> fichero(const char* nombre)
{
    std::vector<unsigned char> d;
    EXPECT_TRUE(binario::lee_fichero(std::string(DIR_ZEFIRANT) + "/" + nombre, d)) << nombre;
    return d;
}

// Registro leído de los bytes del fichero (GASOLINA.DAT con cabecera de 4).
propiedades_gas registro(const std::vector<unsigned char>& d, std::size_t bytes, int k, bool gasolina)
{
    binario::lector r(d.data() + bytes * static_cast<std::size_t>(k), bytes);
    propiedades_gas g;
    if (gasolina) {
        g.aire = r.f32();
        g.m_c = r.f32();
    }
    g.M = r.f32();
    g.e0 = r.f32();
    for (fila_propiedades& f : g.tabla) f = {r.f32(), r.f32(), r.f32()};
    EXPECT_TRUE(r.bien());
    return g;
}

// Igualdad a la precisión de un f32 (dos unidades del último bit).
void igual_f32(float leido, double referencia, const std::string& que)
{
    EXPECT_NEAR(leido, referencia, 2 * std::ldexp(1.0, std::ilogb(referencia) - 23)) << que;
}

// Kp de CO + H2O <=> CO2 + H2 a T.
double kp_prueba(double T)
{
    auto G = [&](const char* n) { const gas_ref& g = polinomios().at(n); return g.H(T) - T * g.S(T); };
    return std::exp(-(G("CO2") + G("H2") - G("CO") - G("H2O")) / (R_POLINOMIOS * T));
}

// Cada gas puro de GASES.DAT, por su número de registro.
class DatosDeCadaGas : public ::testing::TestWithParam<int> {
protected:
    const char* nombre() const { return nombres[GetParam()]; }
};

// Cada registro de GASOLINA.DAT, por su número.
class RegistroDeGasolina : public ::testing::TestWithParam<int> {};

std::string nombre_de_gas(const ::testing::TestParamInfo<int>& i) { return nombres[i.param]; }
std::string nombre_de_registro(const ::testing::TestParamInfo<int>& i)
{
    const char* const lambdas[3] = {"Lambda06", "Lambda08", "Lambda10"};
    return lambdas[i.param];
}

} // namespace

TEST(DatosGases, TamanosDeLosFicheros)
{
    EXPECT_EQ(fichero("GASES.DAT").size(), 3636u);
    EXPECT_EQ(fichero("GASOLINA.DAT").size(), 1236u);
}

// El lector de la prueba entiende bien las columnas: la entalpía asignada a
// 298,15 K es la de formación, los dos intervalos empalman en 1000 K y las
// entropías estándar son las de las tablas.
TEST_P(DatosDeCadaGas, PolinomiosCoherentes)
{
    const std::map<std::string, double> s298 = {{"H2", 130.680}, {"O2", 205.147}, {"N2", 191.609},
                                                {"H2O", 188.834}, {"CO", 197.660}, {"CO2", 213.785},
                                                {"CH4", 186.25},  {"NH3", 192.77}};
    ASSERT_EQ(polinomios().size(), 9u);
    const char* n = nombre();
    const gas_ref& g = polinomios().at(n);
    EXPECT_NEAR(g.H(298.15), g.hf, 1.0);
    gas_ref alto = g;
    alto.p.erase(alto.p.begin());
    EXPECT_NEAR(g.H(1000), alto.H(1000), 1.0);
    EXPECT_NEAR(g.S(1000), alto.S(1000), 0.01);
    if (s298.count(n)) {
        EXPECT_NEAR(g.S(298.15), s298.at(n), 0.3);
    }
}

TEST_P(DatosDeCadaGas, ColumnasIgualesALosPolinomios)
{
    auto d = fichero("GASES.DAT");
    ASSERT_EQ(d.size(), 3636u);
    const gas_ref& ref = polinomios().at(nombre());
    propiedades_gas g = registro(d, 404, GetParam(), false);
    igual_f32(g.M, ref.M, "M");
    for (int i = 0; i < NUM_FILAS; ++i) {
        double T = temperatura_fila(i);
        std::string que = "fila " + std::to_string(i);
        igual_f32(g.tabla[i].cp0, ref.cp_medio(T), que + " cp0");
        igual_f32(g.tabla[i].cv0, ref.cp_medio(T) - 8.3143, que + " cv0");
        igual_f32(g.tabla[i].s0, ref.S(T), que + " s0");
    }
}

// La búsqueda de T por p y s recorre la columna s0 hasta la fila 32 también en
// el metano y el amoniaco: todas las columnas crecen hasta la última fila.
TEST_P(DatosDeCadaGas, FilasCrecenHastaLaUltima)
{
    auto d = fichero("GASES.DAT");
    ASSERT_EQ(d.size(), 3636u);
    propiedades_gas g = registro(d, 404, GetParam(), false);
    for (int i = 1; i < NUM_FILAS; ++i) {
        EXPECT_GT(g.tabla[i].cp0, g.tabla[i - 1].cp0) << "fila " << i;
        EXPECT_GT(g.tabla[i].s0, g.tabla[i - 1].s0) << "fila " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Gases, DatosDeCadaGas, ::testing::Range(0, 9), nombre_de_gas);

// Cifras conocidas del aire: cp cerca de 29,1 kJ/kmol K a 300 K.
TEST(DatosGases, AireConCifrasConocidas)
{
    auto d = fichero("GASES.DAT");
    ASSERT_EQ(d.size(), 3636u);
    propiedades_gas aire = registro(d, 404, GAS_AIRE, false);
    aire.tipo = GAS_AIRE;
    EXPECT_NEAR(aire.tabla[1].cp0, 29.1, 0.15);
    float cv, cp_bajo, cp_alto, s;
    propiedades_a_T(290, aire, cv, cp_bajo, s);
    propiedades_a_T(310, aire, cv, cp_alto, s);
    EXPECT_NEAR((cp_alto * 310.0 - cp_bajo * 290.0) / 20.0, 29.1, 0.1);  // cp instantáneo
    EXPECT_NEAR(aire.M, 28.96, 0.01);
}

// La constante de equilibrio agua-gas de los humos de la gasolina, a la
// temperatura a la que se toma.
TEST(DatosGasolina, ConstanteDeEquilibrioAguaGas)
{
    const double kp = kp_prueba(T_EQUILIBRIO_AGUA_GAS);
    EXPECT_GT(kp, 0.2);
    EXPECT_LT(kp, 0.4);
}

// Humos de la gasolina: composición en equilibrio agua-gas y balances de C, H,
// O y N2; m_c = 1/N, M = (1 + 14,756·lambda)/N; columnas = medias por moles.
TEST_P(RegistroDeGasolina, ComposicionYColumnas)
{
    auto d = fichero("GASOLINA.DAT");
    ASSERT_EQ(d.size(), 1236u);
    const double kp = kp_prueba(T_EQUILIBRIO_AGUA_GAS);
    const float lambdas[3] = {0.6f, 0.8f, 1.0f};
    const int k = GetParam();
    propiedades_gas g = registro(d, 412, k, true);
    EXPECT_EQ(g.aire, lambdas[k]);
    humos_gasolina x;
    ASSERT_TRUE(composicion_gasolina_rica(lambdas[k], kp, x));
    if (k < 2) {
        const double C = 0.856 / 12.011, H2 = 0.144 / 2.016;
        EXPECT_NEAR(x.co2 + x.co, C, 1e-12);
        EXPECT_NEAR(x.h2o + x.h2, H2, 1e-12);
        EXPECT_NEAR(2 * x.co2 + x.co + x.h2o, 2 * lambdas[k] * (C + 0.144 / 4.032), 1e-12);
        EXPECT_NEAR(x.co2 * x.h2 / (x.co * x.h2o), kp, 1e-9 * kp);
        EXPECT_GT(std::min({x.co2, x.co, x.h2o, x.h2}), 0.0);
    } else {
        EXPECT_EQ(x.co, 0.0);
        EXPECT_EQ(x.h2, 0.0);
        EXPECT_NEAR(x.total(), 0.547207, 1e-12);
    }
    EXPECT_NEAR(x.n2, 0.40451 * lambdas[k], 1e-12);
    const double N = x.total();
    igual_f32(g.m_c, 1.0 / N, "m_c");
    igual_f32(g.M, (1.0 + 14.756 * lambdas[k]) / N, "M");
    const std::pair<double, const char*> partes[5] = {
        {x.co2, "CO2"}, {x.co, "CO"}, {x.h2o, "H2O"}, {x.h2, "H2"}, {x.n2, "N2"}};
    for (int i = 0; i < NUM_FILAS; ++i) {
        double T = temperatura_fila(i), cp = 0, s = 0;
        for (auto [n, nombre] : partes) {
            cp += n * polinomios().at(nombre).cp_medio(T) / N;
            s += n * polinomios().at(nombre).S(T) / N;
        }
        std::string que = "fila " + std::to_string(i);
        igual_f32(g.tabla[i].cp0, cp, que + " cp0");
        igual_f32(g.tabla[i].cv0, cp - 8.3143, que + " cv0");
        igual_f32(g.tabla[i].s0, s, que + " s0");
    }
}

// Los registros de lambda 0,6, 0,8 y 1.
INSTANTIATE_TEST_SUITE_P(Lambdas, RegistroDeGasolina, ::testing::Values(0, 1, 2), nombre_de_registro);

// Con lambda 1 el registro es la mezcla que el programa hace por encima de 1.
TEST(DatosGasolina, Lambda1ComoLaMezclaDelPrograma)
{
    auto gases = fichero("GASES.DAT");
    auto gasolina = fichero("GASOLINA.DAT");
    ASSERT_EQ(gases.size(), 3636u);
    ASSERT_EQ(gasolina.size(), 1236u);
    propiedades_gas co2 = registro(gases, 404, GAS_CO2, false), h2o = registro(gases, 404, GAS_VAPOR, false),
                    n2 = registro(gases, 404, GAS_NITROGENO, false), aire = registro(gases, 404, GAS_AIRE, false);
    propiedades_gas g = registro(gasolina, 412, 2, true);
    for (int i = 0; i < NUM_FILAS; ++i) {
        float cv = media_humos_a(1.0f, co2.tabla[i].cv0, h2o.tabla[i].cv0, n2.tabla[i].cv0, aire.tabla[i].cv0);
        float s = media_humos_a(1.0f, co2.tabla[i].s0, h2o.tabla[i].s0, n2.tabla[i].s0, aire.tabla[i].s0);
        EXPECT_NEAR(g.tabla[i].cv0, cv, 4e-7 * cv) << "fila " << i;
        EXPECT_NEAR(g.tabla[i].s0, s, 4e-7 * s) << "fila " << i;
    }
    EXPECT_NEAR(g.m_c, 1 / 0.547207, 1e-6);
}

namespace {

// Un gas tal como lo carga el programa: su tipo y su proporción de aire.
struct gas_cargado {
    std::int8_t tipo;
    float aire;
};

void PrintTo(const gas_cargado& c, std::ostream* o) { *o << "tipo " << int(c.tipo) << " lambda " << c.aire; }

// Los gases puros, la gasolina en sus registros y entre ellos, el gasóleo y
// un combustible del usuario.
std::vector<gas_cargado> gases_cargados()
{
    std::vector<gas_cargado> casos;
    for (std::int8_t t = GAS_AIRE; t <= GAS_AMONIACO; ++t) casos.push_back({t, 0});
    for (float a : {0.6f, 0.8f, 1.0f, 0.7f, 0.95f, 1.3f}) casos.push_back({GAS_GASOLINA, a});
    casos.push_back({GAS_GASOLEO, 1.5f});
    casos.push_back({GAS_OTRO, 1.2f});
    return casos;
}

// "Air", ..., "NH3"; los combustibles, con su proporción de aire en
// centésimas: "Gasolina095", "Gasoleo150", "Otro120".
std::string nombre_de_gas_cargado(const ::testing::TestParamInfo<gas_cargado>& i)
{
    const gas_cargado& c = i.param;
    if (c.tipo <= GAS_AMONIACO) return nombres[c.tipo];
    const char* combustible = c.tipo == GAS_GASOLINA ? "Gasolina" : c.tipo == GAS_GASOLEO ? "Gasoleo" : "Otro";
    char centesimas[8];
    std::snprintf(centesimas, sizeof centesimas, "%03d", static_cast<int>(std::lround(c.aire * 100)));
    return combustible + std::string(centesimas);
}

class ExergiaDeCadaGas : public ::testing::TestWithParam<gas_cargado> {};

} // namespace

// Exergía nula a 293,15 K y 1 bar de cada gas tal como lo carga el programa:
// e = cp·T - 293,15·s0 + e0.
TEST_P(ExergiaDeCadaGas, NulaA29315KY1Bar)
{
    ASSERT_EQ(abre_ficheros_datos(DIR_ZEFIRANT), 1);
    const gas_cargado& c = GetParam();
    propiedades_gas g;
    g.tipo = c.tipo;
    g.aire = c.aire;
    g.c = 0.86f;
    g.h = 0.13f;
    g.humedad = 0.01f;
    g.aire_min = 14.4f;
    ASSERT_EQ(carga_propiedades(g), 1);
    float cv, cp, s0;
    propiedades_a_T(293.15f, g, cv, cp, s0);
    double termino = 293.15 * s0;
    double e = cp * 293.15 - termino + g.e0;
    EXPECT_NEAR(e, 0.0, 4 * std::ldexp(1.0, std::ilogb(termino) - 23));
    cierra_ficheros_datos();
}

INSTANTIATE_TEST_SUITE_P(Gases, ExergiaDeCadaGas, ::testing::ValuesIn(gases_cargados()), nombre_de_gas_cargado);
