// Comprobaciones de la rejilla que sólo se notan en casos concretos: una
// fila inverosímil, la búsqueda en la isoterma junto a la saturación del
// lado del vapor y el extremo de 240 bar del eje.
#include "brumalix/motor/pruebas/entorno_agua.h"

#include "brumalix/motor/calcula.h"
#include "brumalix/motor/rejilla_agua.h"
#include "brumalix/motor/saturacion.h"

#include <cmath>

namespace {

class ComprobacionesDeLaRejilla : public EntornoAgua {};

// Un estado de vapor a 72 °C dado por su presión (bar), junto a la de
// saturación.
class IsotermaDelLadoDelVapor : public ComprobacionesDeLaRejilla, public ::testing::WithParamInterface<double> {};

// La temperatura de la isoterma y la pareja, (t, s) o (t, v).
struct isoterma_240 {
    float t;
    int codigo;
};

void PrintTo(const isoterma_240& c, std::ostream* o) { *o << "t=" << c.t << " cod=" << c.codigo; }

class IsotermaHasta240Bar : public ComprobacionesDeLaRejilla, public ::testing::WithParamInterface<isoterma_240> {};

} // namespace

TEST_F(ComprobacionesDeLaRejilla, UnaFilaQueLaParabolaLanzaLejosDeSusPuntosNoDaResultado)
{
    // Líquido a 0,5 °C y 0,0065 bar: la isobara extrapola las columnas de
    // 0,02, 0,04 y 0,06 bar. Con la rejilla intacta sale h ≈ 2 kJ/kg.
    salida_calcula r = calcula_pareja(COD_TP, 0.5f, 0.0065f);
    ASSERT_EQ(r.r, 0);
    EXPECT_NEAR(r.h, 2.1, 0.5);
    // Con h a 0 °C y 0,04 bar estropeada (50 en lugar de -0,04), la
    // parábola de esa fila llega a unos -90 kJ/kg, lejos de sus tres
    // valores: no es un estado, y calcula lo rechaza en lugar de darlo.
    datos_f2[indice_f2(0, 2, 0)] = 50;
    mensajes.errores.clear();
    r = calcula_pareja(COD_TP, 0.5f, 0.0065f);
    EXPECT_EQ(r.r, CALCULA_FUERA_MARGEN);
    EXPECT_EQ(r.h, -7);
    ASSERT_EQ(mensajes.errores.size(), 1u);
    EXPECT_EQ(mensajes.errores[0], "Estado 1: Datos fuera de margen");
}

// A 72 °C la presión de saturación (0,34000 bar) cae un pelo por encima de
// la columna de 0,34 bar: la búsqueda de (t,s) del lado del vapor pone allí
// el punto de saturación en lugar de usar los dos, casi en la misma abscisa
// (con los dos, p sale hasta un 0,3 % baja).
TEST_P(IsotermaDelLadoDelVapor, JuntoALaSaturacion)
{
    auto ref = consulta_if97({formatea("tp:72:%g", GetParam())});
    if (ref.empty()) GTEST_SKIP() << "sin la biblioteca iapws de Python";
    const auto& o = ref[0];
    const salida_calcula r = calcula_pareja(COD_TS, 72, float(o[3]));
    ASSERT_EQ(r.r, 0);
    EXPECT_EQ(r.fase, FASE_SALIDA_VAPOR);
    EXPECT_NEAR(r.p, o[0], 0.0005 * o[0]);
    EXPECT_NEAR(r.h, o[2], 0.1);
}

INSTANTIATE_TEST_SUITE_P(Presiones, IsotermaDelLadoDelVapor, ::testing::Values(0.3313, 0.3378),
                         [](const ::testing::TestParamInfo<double>& i) { return "P" + nombre_de_numero(i.param); });

// s o v un pelo por encima de su valor a 240 bar, el último punto de la
// isoterma: la presión hallada vuelve de los logaritmos a un redondeo de 240,
// a veces por encima, y se queda en 240, dentro de la rejilla; el estado es
// el del punto de la rejilla.
TEST_P(IsotermaHasta240Bar, AcabaEn240BarSinPasarse)
{
    const auto [t, codigo] = GetParam();
    float h[NUM_PRESIONES], s[NUM_PRESIONES], v[NUM_PRESIONES];
    calc_T(t, h, s, v);
    const float* x = codigo == COD_TS ? s : v;
    const salida_calcula r = calcula_pareja(codigo, t, std::nextafter(x[NUM_PRESIONES - 1], INFINITY));
    ASSERT_EQ(r.r, 0);
    EXPECT_LE(r.p, 240.0f);
    EXPECT_NEAR(r.p, 240.0f, 1e-4);
    EXPECT_NEAR(r.h, valor_f2(int(t / 10), NUM_PRESIONES - 1, 0), 0.05);
    EXPECT_TRUE(mensajes.errores.empty());
}

INSTANTIATE_TEST_SUITE_P(Isotermas, IsotermaHasta240Bar,
                         ::testing::Values(isoterma_240{390.0f, COD_TS}, isoterma_240{390.0f, COD_TV},
                                           isoterma_240{600.0f, COD_TV}),
                         [](const ::testing::TestParamInfo<isoterma_240>& i) {
                             return "T" + nombre_de_numero(i.param.t) + nombre_de_pareja(i.param.codigo);
                         });
