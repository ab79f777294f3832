// IAPWS-IF97 frente a los valores de verificación publicados con la
// formulación, y las decisiones propias: rama de la región 3, región de cada
// punto y saturación.
#include "brumalix/datos/if97.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Igual al valor impreso en todas sus cifras: dentro de media unidad de la
// última cifra.
void como_impreso(double valor, const char* impreso)
{
    const char* punto = std::strchr(impreso, '.');
    const int decimales = punto ? int(std::strlen(punto + 1)) : 0;
    EXPECT_NEAR(valor, std::strtod(impreso, nullptr), 0.5 * std::pow(10.0, -decimales)) << impreso;
}

void como_impreso(const if97::propiedades& r, const char* v, const char* h, const char* s)
{
    como_impreso(r.v, v);
    como_impreso(r.h, h);
    como_impreso(r.s, s);
}

// Temperaturas (K) y presiones (MPa) en números enteros, para el nombre de
// una instancia.
std::string nombre_entero(const char* prefijo, double x) { return prefijo + std::to_string(static_cast<int>(x)); }

// Una temperatura (K) bajo la crítica, con la región 3 a los dos lados de la
// saturación.
class DensidadRegion3JuntoALaSaturacion : public ::testing::TestWithParam<double> {};

// Una presión (MPa) de saturación en la región 3.
class SaturacionRegion3 : public ::testing::TestWithParam<double> {};

} // namespace

TEST(If97Verificacion, Region1)
{
    como_impreso(if97::region1(3, 300), "0.00100215168", "115.331273", "0.392294792");
    como_impreso(if97::region1(80, 300), "0.000971180894", "184.142828", "0.368563852");
    como_impreso(if97::region1(3, 500), "0.00120241800", "975.542239", "2.58041912");
}

TEST(If97Verificacion, Region2)
{
    como_impreso(if97::region2(0.0035, 300), "39.4913866", "2549.91145", "8.52238967");
    como_impreso(if97::region2(0.0035, 700), "92.3015898", "3335.68375", "10.1749996");
    como_impreso(if97::region2(30, 700), "0.00542946619", "2631.49474", "5.17540298");
}

TEST(If97Verificacion, Region3)
{
    const auto a = if97::region3(500, 650);
    como_impreso(a.p, "25.5837018");
    como_impreso(a.h, "1863.43019");
    como_impreso(a.s, "4.05427273");
    const auto b = if97::region3(200, 650);
    como_impreso(b.p, "22.2930643");
    como_impreso(b.h, "2375.12401");
    como_impreso(b.s, "4.85438792");
    const auto c = if97::region3(500, 750);
    como_impreso(c.p, "78.3095639");
    como_impreso(c.h, "2258.68845");
    como_impreso(c.s, "4.46971906");
}

TEST(If97Verificacion, Region4YFronteraB23)
{
    como_impreso(if97::presion_saturacion(300), "0.00353658941");
    como_impreso(if97::presion_saturacion(500), "2.63889776");
    como_impreso(if97::presion_saturacion(600), "12.3443146");
    como_impreso(if97::temperatura_saturacion(0.1), "372.755919");
    como_impreso(if97::temperatura_saturacion(1), "453.035632");
    como_impreso(if97::temperatura_saturacion(10), "584.149488");
    como_impreso(if97::presion_b23(623.15), "16.5291643");
    EXPECT_NEAR(if97::temperatura_b23(if97::presion_b23(700)), 700, 1e-9);
}

TEST(If97, SaturacionIdaYVuelta)
{
    for (double t = 273.16; t < if97::T_CRITICA; t += 7.3)
        EXPECT_NEAR(if97::temperatura_saturacion(if97::presion_saturacion(t)), t, 1e-9) << t;
    EXPECT_NEAR(if97::presion_saturacion(if97::T_CRITICA), if97::P_CRITICA, 1e-6);
}

// La densidad de la región 3 sale de p y T en la rama pedida: los valores
// de verificación (por encima de la temperatura crítica, raíz única).
TEST(If97, DensidadRegion3EnSuRama)
{
    EXPECT_NEAR(if97::densidad_region3(25.5837018, 650, true), 500, 1e-5);
    EXPECT_NEAR(if97::densidad_region3(25.5837018, 650, false), 500, 1e-5);
    EXPECT_NEAR(if97::densidad_region3(22.2930643, 650, false), 200, 1e-5);
    EXPECT_NEAR(if97::densidad_region3(78.3095639, 750, true), 500, 1e-5);
}

// Bajo la temperatura crítica, líquido y vapor a ambos lados de la
// saturación, cada uno en su rama.
TEST_P(DensidadRegion3JuntoALaSaturacion, EnSuRama)
{
    const double t = GetParam();
    const double ps = if97::presion_saturacion(t);
    const double liq = if97::densidad_region3(ps * 1.001, t, true);
    const double vap = if97::densidad_region3(ps * 0.999, t, false);
    EXPECT_GT(liq, if97::RHO_CRITICA);
    EXPECT_LT(vap, if97::RHO_CRITICA);
    EXPECT_NEAR(if97::region3(liq, t).p, ps * 1.001, 1e-9);
    EXPECT_NEAR(if97::region3(vap, t).p, ps * 0.999, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Temperaturas, DensidadRegion3JuntoALaSaturacion, ::testing::Values(630.0, 640.0, 646.0),
                         [](const ::testing::TestParamInfo<double>& i) { return nombre_entero("T", i.param); });

// Las dos raíces de la saturación en la región 3 son dos fases distintas en
// equilibrio: misma energía de Gibbs g = h − T s.
TEST_P(SaturacionRegion3, EnEquilibrio)
{
    const double p = GetParam();
    const auto s = if97::saturacion_a_p(p);
    EXPECT_GT(s.vapor.v, s.liquido.v * 1.2);
    const double gl = s.liquido.h - s.liquido.t * s.liquido.s;
    const double gv = s.vapor.h - s.vapor.t * s.vapor.s;
    EXPECT_NEAR(gl, gv, 0.05);
    EXPECT_NEAR(s.liquido.p, p, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Presiones, SaturacionRegion3, ::testing::Values(17.0, 20.0, 22.0),
                         [](const ::testing::TestParamInfo<double>& i) { return nombre_entero("P", i.param); });

// Cada punto de una sola fase va a su región: 1 o 2 según la saturación bajo
// 623,15 K; 2 o 3 según la frontera B23 por encima.
TEST(If97, RegionDeCadaPunto)
{
    auto igual = [](const if97::propiedades& a, const if97::propiedades& b) {
        EXPECT_DOUBLE_EQ(a.h, b.h);
        EXPECT_DOUBLE_EQ(a.v, b.v);
    };
    igual(if97::estado(1.0, 373.15, true), if97::region1(1.0, 373.15));
    igual(if97::estado(0.1, 383.15, false), if97::region2(0.1, 383.15));
    igual(if97::estado(24.0, 623.15, true), if97::region1(24.0, 623.15));
    igual(if97::estado(20.0, 653.15, false), if97::region2(20.0, 653.15));
    // 200 bar y 370 °C: vapor por encima de B23, en la región 3.
    const auto v = if97::estado(20.0, 643.15, false);
    EXPECT_GT(20.0, if97::presion_b23(643.15));
    EXPECT_NEAR(if97::region3(1.0 / v.v, 643.15).p, 20.0, 1e-9);
    EXPECT_LT(1.0 / v.v, if97::RHO_CRITICA);
    // 230 bar y 370 °C: líquido supercrítico en la región 3.
    const auto l = if97::estado(23.0, 643.15, true);
    EXPECT_GT(1.0 / l.v, if97::RHO_CRITICA);
}
