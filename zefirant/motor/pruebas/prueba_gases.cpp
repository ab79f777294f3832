#include "zefirant/motor/gases.h"
#include "zefirant/motor/combustible.h"
#include "zefirant/motor/problema.h"
#include "zefirant/motor/rejilla.h"

#include "comun/binario.h"
#include "comun/lineas.h"
#include "comun/pruebas/sumidero_prueba.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Valores de los ficheros de prueba, fáciles de reconocer.
float real(int n) { return static_cast<float>(n); }
float cv_puro(int k, int i) { return 20.0f + real(k) + 0.01f * real(i); }
float s_puro(int k, int i) { return 150.0f + real(2 * k) + 3.0f * real(i); }
float cv_gasolina(int r, int i) { return 25.0f + real(r) + 0.02f * real(i); }
float s_gasolina(int r, int i) { return 190.0f + 1.5f * real(r) + 3.0f * real(i); }

void escribe(const fs::path& ruta, const std::vector<float>& valores)
{
    std::FILE* f = std::fopen(ruta.c_str(), "wb");
    binario::escritor w(f);
    for (float v : valores) w.f32(v);
    std::fclose(f);
}

class FicherosGases : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("zefirant_gases_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        std::vector<float> gases;
        for (int k = 0; k < 9; ++k) {
            gases.push_back(10.0f + real(k));    // M
            gases.push_back(100.0f + real(k));   // e0
            for (int i = 0; i < NUM_FILAS; ++i) {
                gases.push_back(cv_puro(k, i));
                gases.push_back(cv_puro(k, i) + 8.3143f);
                gases.push_back(s_puro(k, i));
            }
        }
        escribe(dir / "GASES.DAT", gases);
        std::vector<float> gasolina;
        const float lambda[3] = {0.6f, 0.8f, 1.0f};
        for (int r = 0; r < 3; ++r) {
            gasolina.push_back(lambda[r]);
            gasolina.push_back(2.0f + real(r));          // m_c
            gasolina.push_back(28.0f + real(r * r));     // M
            gasolina.push_back(-500.0f - real(r));       // e0
            for (int i = 0; i < NUM_FILAS; ++i) {
                gasolina.push_back(cv_gasolina(r, i));
                gasolina.push_back(cv_gasolina(r, i) + 8.3143f);
                gasolina.push_back(s_gasolina(r, i));
            }
        }
        escribe(dir / "GASOLINA.DAT", gasolina);
        ASSERT_EQ(fs::file_size(dir / "GASES.DAT"), 9u * 404);
        ASSERT_EQ(fs::file_size(dir / "GASOLINA.DAT"), 3u * 412);
        ASSERT_EQ(abre_ficheros_datos(dir.string() + "/"), 1);
    }
    void TearDown() override
    {
        cierra_ficheros_datos();
        fs::remove_all(dir);
    }
    // Registro por cargar de un gas de combustión.
    static propiedades_gas combustion(int tipo, float aire)
    {
        propiedades_gas g;
        g.tipo = static_cast<std::int8_t>(tipo);
        g.aire = aire;
        return g;
    }
    static double exergia_referencia(const propiedades_gas& g)
    {
        float cv, cp, s;
        propiedades_a_T(293.15f, g, cv, cp, s);
        return cp * 293.15 - 293.15 * s + g.e0;
    }
    fs::path dir;
};

} // namespace

TEST_F(FicherosGases, GasPuroTalCualYDatosDeCombustibleIntactos)
{
    lineas_memoria registro;
    pon_lista_registro(&registro);
    propiedades_gas g;
    g.tipo = GAS_NITROGENO;
    g.aire = 1.3f;
    g.m_c = 7;
    g.c = 0.8f;
    g.Hu = 42000;
    g.humedad = 0.01f;
    ASSERT_EQ(carga_propiedades(g), 1);
    EXPECT_EQ(g.M, 13.0f);
    EXPECT_EQ(g.e0, 103.0f);
    EXPECT_EQ(g.tabla[10].cv0, cv_puro(3, 10));
    EXPECT_EQ(g.tabla[32].s0, s_puro(3, 32));
    EXPECT_EQ(g.aire, 0.0f);
    EXPECT_EQ(g.m_c, 7.0f);
    EXPECT_EQ(g.c, 0.8f);
    EXPECT_EQ(g.Hu, 42000.0f);
    EXPECT_EQ(g.humedad, 0.01f);
    ASSERT_EQ(registro.numero(), 1u);
    EXPECT_EQ(registro.linea(0), "carga_propiedades: Tipo=3");
    pon_lista_registro(nullptr);
}

TEST_F(FicherosGases, GasolinaRegistroExactoOParabola)
{
    propiedades_gas g = combustion(GAS_GASOLINA, 0.8f);
    ASSERT_EQ(carga_propiedades(g), 1);
    EXPECT_EQ(g.m_c, 3.0f);
    EXPECT_EQ(g.M, 29.0f);
    EXPECT_EQ(g.e0, -501.0f);  // del fichero, sin recalcular
    EXPECT_EQ(g.tabla[4].s0, s_gasolina(1, 4));

    propiedades_gas p = combustion(GAS_GASOLINA, 0.7f);
    ASSERT_EQ(carga_propiedades(p), 1);
    EXPECT_EQ(p.aire, 0.7f);
    // M = 28 + r² con r = (λ - 0.6)/0.2: a 0.7, 28.25.
    EXPECT_NEAR(p.M, 28.25, 1e-5);
    EXPECT_NEAR(p.m_c, 2.5, 1e-5);
    EXPECT_NEAR(p.tabla[7].cv0, (cv_gasolina(0, 7) + cv_gasolina(1, 7)) / 2, 1e-4);
    EXPECT_FLOAT_EQ(p.tabla[7].cp0, p.tabla[7].cv0 + 8.3143f);
    // e0 recalculado: exergía nula a 293,15 K y 1 bar.
    EXPECT_NEAR(exergia_referencia(p), 0.0, 0.02);
    // Por debajo de 0,6 se extrapola la misma parábola.
    p.aire = 0.5f;
    ASSERT_EQ(carga_propiedades(p), 1);
    EXPECT_NEAR(p.M, 28.25, 1e-5);
}

TEST_F(FicherosGases, MezclasDeCombustion)
{
    // Gasolina justo por encima de λ = 1: mezcla de CO2, H2O y N2 casi sin aire.
    propiedades_gas g = combustion(GAS_GASOLINA, 1.0001f);
    ASSERT_EQ(carga_propiedades(g), 1);
    const double n[4] = {0.071268, 0.071429, 0.40451, 0.50946 * (1.0001f - 1.0)};
    const double N = 0.547207 + n[3];
    const int tipos[4] = {GAS_CO2, GAS_VAPOR, GAS_NITROGENO, GAS_AIRE};
    double M = 0, cv = 0, s = 0;
    for (int j = 0; j < 4; ++j) {
        M += n[j] * (10 + tipos[j]);
        cv += n[j] * cv_puro(tipos[j], 5);
        s += n[j] * s_puro(tipos[j], 5);
    }
    EXPECT_NEAR(g.M, M / N, 1e-4);
    EXPECT_NEAR(g.tabla[5].cv0, cv / N, 1e-4);
    EXPECT_NEAR(g.tabla[5].s0, s / N, 1e-3);
    EXPECT_NEAR(g.m_c, 1 / N, 1e-5);
    EXPECT_NEAR(exergia_referencia(g), 0.0, 0.02);

    propiedades_gas d = combustion(GAS_GASOLEO, 1.5f);
    ASSERT_EQ(carga_propiedades(d), 1);
    EXPECT_NEAR(d.m_c, 1 / (0.514387 + 0.482703 * 0.5), 1e-5);
    EXPECT_NEAR(media_humos_b(1.5f, 1, 1, 1, 1), 1.0, 1e-6);
    EXPECT_NEAR(exergia_referencia(d), 0.0, 0.02);

    // Combustible del usuario con la composición de la gasolina: cerca, no igual.
    float k[5];
    float m_c = composicion_humos(0.856f, 0, 0.144f, 14.756f, 1.2f, k);
    EXPECT_NEAR(k[0], 0.071268, 1e-5);
    EXPECT_NEAR(k[1], 0.071429, 1e-5);
    EXPECT_NEAR(k[2], 0.40451, 2e-3);
    EXPECT_NE(k[2], 0.40451f);
    EXPECT_NEAR(k[3], 14.756 * 0.2 / 28.964, 1e-6);
    EXPECT_FLOAT_EQ(m_c, 1 / k[4]);
}

TEST_F(FicherosGases, CombustibleSinComposicionNoDaNaN)
{
    propiedades_gas g = combustion(GAS_OTRO, 1.0f);
    ASSERT_EQ(carga_propiedades(g), 1);
    EXPECT_EQ(g.m_c, 0.0f);
    for (const auto& fila : g.tabla) EXPECT_FALSE(std::isnan(fila.cv0) || std::isnan(fila.s0));
}

// Unos datos de combustible que desbordan la composición de los humos no
// dan un gas (darían M y la tabla NaN).
TEST_F(FicherosGases, HumosDesbordadosNoSeCargan)
{
    propiedades_gas g = combustion(GAS_OTRO, 3e38f);
    g.h = 1;
    g.aire_min = static_cast<float>(aire_minimo(0, 1));
    EXPECT_EQ(carga_propiedades(g), 0);
    EXPECT_EQ(g.M, 0.0f);
}

TEST_F(FicherosGases, FicheroCortoNoDejaRegistroAMedias)
{
    cierra_ficheros_datos();
    fs::resize_file(dir / "GASES.DAT", 404 * 8 + 100);
    ASSERT_EQ(abre_ficheros_datos(dir.string() + "/"), 1);
    propiedades_gas g;
    g.tipo = GAS_AMONIACO;
    g.M = 1234;
    EXPECT_EQ(carga_propiedades(g), 0);
    EXPECT_EQ(g.M, 1234.0f);
    EXPECT_EQ(g.tabla[0].cv0, 0.0f);
    // Un gas entero sí se lee; la mezcla necesita registros enteros y también se lee.
    g.tipo = GAS_CO2;
    EXPECT_EQ(carga_propiedades(g), 1);
    EXPECT_EQ(g.M, 16.0f);
}

TEST(FicherosDatos, FaltaUnFichero)
{
    sumidero_prueba s;
    fs::path dir = fs::temp_directory_path() / ("zefirant_falta_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    EXPECT_EQ(abre_ficheros_datos(dir.string() + "/"), 0);
    std::FILE* f = std::fopen((dir / "GASES.DAT").c_str(), "wb");
    std::fclose(f);
    EXPECT_EQ(abre_ficheros_datos(dir.string() + "/"), 0);
    ASSERT_EQ(s.errores.size(), 2u);
    EXPECT_EQ(s.errores[0], "ERROR: Falta el fichero GASES.DAT");
    EXPECT_EQ(s.errores[1], "ERROR: Falta el fichero GASOLINA.DAT");
    cierra_ficheros_datos();
    fs::remove_all(dir);
}

TEST_F(FicherosGases, ProblemaCreadoSinGas)
{
    ASSERT_NE(problema_actual, nullptr);
    EXPECT_EQ(problema_actual->gas->tipo, GAS_NINGUNO);
    EXPECT_EQ(problema_actual->datos[40].prop[E_POLI], NO_POLI);
    EXPECT_EQ(problema_actual->datos[0].referencia[5], -1);
}

namespace {

// Cada gas puro, con los ficheros de datos de verdad.
class GasReal : public ::testing::TestWithParam<int> {};

std::string nombre_de_gas_real(const ::testing::TestParamInfo<int>& i)
{
    const char* const nombres[9] = {"Aire", "Hidrogeno", "Oxigeno", "Nitrogeno", "Vapor",
                                     "CO",   "CO2",       "Metano",  "Amoniaco"};
    return nombres[i.param];
}

} // namespace

TEST_P(GasReal, TemperaturaDeUyHEnTodoElIntervalo)
{
    // Con las tablas de verdad, también junto a los puntos medios entre filas
    // (donde la interpolación cambia de filas y cv0 da un pequeño salto: allí
    // una misma u puede corresponder a dos temperaturas a centésimas de K).
    ASSERT_EQ(abre_ficheros_datos(std::string(DIR_DATOS) + "/"), 1);
    const int tipo = GetParam();
    propiedades_gas g;
    g.tipo = static_cast<std::int8_t>(tipo);
    ASSERT_EQ(carga_propiedades(g), 1);
    const float tmax = gas_hasta_1500(tipo) ? 1500.0f : 5000.0f;
    std::vector<float> temperaturas;
    for (float T = 273.0f; T <= tmax; T += (T < 3000 ? 12.5f : 125.0f)) temperaturas.push_back(T);
    for (float medio = 350.0f; medio < 3000.0f; medio += 100.0f)
        for (float d : {-0.3f, -0.05f, 0.0f, 0.05f, 0.3f}) temperaturas.push_back(medio + d);
    for (float T : temperaturas) {
        for (float t : {T, T + 0.01f}) {
            if (t > tmax) continue;
            float cv, cp, s;
            propiedades_a_T(t, g, cv, cp, s);
            estado e;
            reinicia_estado(e);
            e.prop[E_UINT] = cv * t;
            e.prop[E_ENTAL] = cp * t;
            EXPECT_NEAR(temperatura_de_u(e, g), t, 0.1) << "T " << t;
            EXPECT_NEAR(temperatura_de_h(e, g), t, 0.15) << "T " << t;
        }
    }
    cierra_ficheros_datos();
}

INSTANTIATE_TEST_SUITE_P(Gases, GasReal, ::testing::Range<int>(GAS_AIRE, GAS_AMONIACO + 1), nombre_de_gas_real);
