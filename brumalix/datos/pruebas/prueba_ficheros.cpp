// Los ficheros f1-bin.dat y f2-bin.dat tal como la compilación los deja en el
// directorio de BRUMALIX, leídos de nuevo y comparados con IF97.
#include "brumalix/datos/if97.h"
#include "brumalix/datos/tablas_if97.h"

#include "brumalix/motor/saturacion.h"
#include "brumalix/motor/tablas.h"
#include "brumalix/motor/traza.h"
#include "comun/binario.h"
#include "comun/formato.h"
#include "comun/lineas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr double KELVIN = 273.15;
const std::string DIR = DIR_DATOS;

std::vector<unsigned char> lee(const std::string& nombre)
{
    std::vector<unsigned char> datos;
    EXPECT_TRUE(binario::lee_fichero(DIR + "/" + nombre, datos)) << nombre;
    return datos;
}

std::vector<float> flotantes(const std::vector<unsigned char>& bytes)
{
    std::vector<float> v(bytes.size() / 4);
    for (std::size_t i = 0; i < v.size(); ++i) v[i] = binario::f32_de(bytes.data() + 4 * i);
    return v;
}

// El f32 guardado es el valor exacto redondeado: a lo sumo una unidad de la
// última cifra del f32 (el redondeo da media, más el cálculo en doble).
::testing::AssertionResult redondeo_de(float guardado, double exacto)
{
    const double ulp = std::ldexp(std::fabs(exacto), -23);
    if (std::fabs(guardado - exacto) <= std::max(ulp, 1e-30)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << guardado << " frente a " << exacto;
}

// La búsqueda del motor por presión (POR_PRESION) o por temperatura.
class BusquedaDelMotor : public ::testing::TestWithParam<int> {};

} // namespace

TEST(FicherosVapor, TamanosYCarga)
{
    EXPECT_EQ(lee("f2-bin.dat").size(), 189540u);
    const auto f1 = lee("f1-bin.dat");
    EXPECT_EQ(f1.size() % 44, 0u);
    EXPECT_GE(f1.size() / 44, 3u);
    EXPECT_LE(f1.size() / 44, std::size_t(tablas_if97::MAX_FILAS_F1));
    EXPECT_EQ(carga_tabla_f1(DIR + "/f1-bin.dat"), 1);
    EXPECT_EQ(carga_tabla_f2(DIR + "/f2-bin.dat"), 1);
    EXPECT_EQ(std::size_t(num_filas_f1), f1.size() / 44);
}

// Cada punto de la rejilla es el valor de IF97 en una sola fase; la fase se
// decide aquí con la saturación de IF97, no con t_limite_vapor.
TEST(FicherosVapor, RejillaIgualAIf97EnCadaPunto)
{
    const auto f2 = flotantes(lee("f2-bin.dat"));
    ASSERT_EQ(f2.size(), VALORES_F2);
    int malos = 0;
    for (int i = 0; i < NUM_TEMPERATURAS; ++i) {
        const double t = eje_temperaturas[i] + KELVIN;
        // Presión 0: entalpía del gas ideal, s y v a 0.
        EXPECT_TRUE(redondeo_de(f2[indice_f2(i, 0, 0)], if97::entalpia_gas_ideal(t))) << i;
        EXPECT_EQ(f2[indice_f2(i, 0, 1)], 0.0f);
        EXPECT_EQ(f2[indice_f2(i, 0, 2)], 0.0f);
        for (int j = 1; j < NUM_PRESIONES; ++j) {
            const double p = eje_presiones_listado[j] / 10.0;
            const bool liquido = p >= if97::P_CRITICA || t < if97::temperatura_saturacion(p);
            const auto e = if97::estado(p, t, liquido);
            const double exacto[3] = {e.h, e.s, e.v * 1000.0};
            for (std::size_t k = 0; k < 3; ++k) {
                const auto r = redondeo_de(f2[indice_f2(i, j, int(k))], exacto[k]);
                if (!r && ++malos <= 10)
                    ADD_FAILURE() << "t " << eje_temperaturas[i] << " p " << p << " k " << k << ": " << r.message();
            }
        }
    }
    EXPECT_EQ(malos, 0);
    // Un par de puntos a mano: agua a 20 °C y 1 bar, vapor a 200 °C y 10 bar.
    EXPECT_NEAR(f2[indice_f2(2, 35, 0)], 84.0, 0.1);
    EXPECT_NEAR(f2[indice_f2(2, 35, 2)], 1.0018, 0.0001);
    EXPECT_NEAR(f2[indice_f2(20, 95, 0)], 2828.3, 0.2);
}

TEST(FicherosVapor, FilasDeSaturacion)
{
    const auto f1 = flotantes(lee("f1-bin.dat"));
    const int filas = int(f1.size() / 11);
    ASSERT_GE(filas, 3);
    auto col = [&](int r, int c) { return f1[std::size_t(r) * 11 + std::size_t(c)]; };

    // Orden creciente en p y t.
    for (int r = 1; r < filas; ++r) {
        EXPECT_GT(col(r, F1_P), col(r - 1, F1_P)) << r;
        EXPECT_GT(col(r, F1_T), col(r - 1, F1_T)) << r;
    }
    // Todas las presiones de la rejilla de 0,02 a 220 bar son filas.
    for (int j = 1; j < NUM_PRESIONES && eje_presiones[j] <= 220.0f; ++j) {
        bool esta = false;
        for (int r = 0; r < filas && !esta; ++r) esta = col(r, F1_P) == eje_presiones[j];
        EXPECT_TRUE(esta) << eje_presiones[j];
    }
    // Punto triple, y las dos últimas filas: 220 bar y el punto crítico.
    const auto triple = if97::saturacion_a_t(if97::T_TRIPLE);
    EXPECT_TRUE(redondeo_de(col(0, F1_P), triple.liquido.p * 10.0));
    EXPECT_EQ(col(0, F1_T), 0.01f);
    EXPECT_LT(std::fabs(col(0, F1_HL)), 0.001f);
    EXPECT_EQ(col(filas - 2, F1_P), 220.0f);
    EXPECT_EQ(col(filas - 1, F1_P), 221.2f);
    EXPECT_EQ(col(filas - 1, F1_T), 373.946f);
    const auto c = if97::punto_critico();
    EXPECT_EQ(col(filas - 1, F1_HL), col(filas - 1, F1_HV));
    EXPECT_EQ(col(filas - 1, F1_SL), col(filas - 1, F1_SV));
    EXPECT_EQ(col(filas - 1, F1_VL), col(filas - 1, F1_VV));
    EXPECT_TRUE(redondeo_de(col(filas - 1, F1_HL), c.h));
    EXPECT_TRUE(redondeo_de(col(filas - 1, F1_SL), c.s));
    EXPECT_NEAR(col(filas - 1, F1_HL), 2087.5, 0.1);
    EXPECT_NEAR(col(filas - 1, F1_SL), 4.412, 0.001);
    EXPECT_TRUE(redondeo_de(col(filas - 1, F1_VL), 1000.0 / 322.0));

    // Cada fila es la saturación de IF97 a su presión, una presión redonda
    // (como mucho cuatro cifras significativas); la columna 4 es el calor
    // latente y la 2 y la 7 quedan a 0.
    for (int r = 0; r < filas - 1; ++r) {
        const std::string texto = formatea("%.7g", double(col(r, F1_P)));
        SCOPED_TRACE(texto);
        if (r > 0) {
            std::string cifras;
            for (char ch : texto)
                if (ch >= '0' && ch <= '9' && !(cifras.empty() && ch == '0')) cifras += ch;
            EXPECT_LE(cifras.size(), 4u);
        }
        const auto s = r == 0 ? triple : if97::saturacion_a_p(std::stod(texto) / 10.0);
        if (r > 0) {
            EXPECT_TRUE(redondeo_de(col(r, F1_T), s.liquido.t - KELVIN));
        }
        EXPECT_TRUE(redondeo_de(col(r, F1_HL), s.liquido.h));
        EXPECT_TRUE(redondeo_de(col(r, F1_HV), s.vapor.h));
        EXPECT_TRUE(redondeo_de(col(r, F1_SL), s.liquido.s));
        EXPECT_TRUE(redondeo_de(col(r, F1_SV), s.vapor.s));
        EXPECT_TRUE(redondeo_de(col(r, F1_VL), s.liquido.v * 1000.0));
        EXPECT_TRUE(redondeo_de(col(r, F1_VV), s.vapor.v * 1000.0));
        EXPECT_TRUE(redondeo_de(col(r, 4), s.vapor.h - s.liquido.h));
        EXPECT_EQ(col(r, 2), 0.0f);
        EXPECT_EQ(col(r, 7), 0.0f);
    }
}

// La búsqueda del motor sobre la tabla entregada reproduce IF97 dentro de
// 1e-4 por debajo de 200 bar, por presión y por temperatura, en puntos
// distintos de los que probó el generador.
TEST_P(BusquedaDelMotor, DentroDePrecision)
{
    ASSERT_EQ(carga_tabla_f1(DIR + "/f1-bin.dat"), 1);
    pon_lista_traza(&traza_descartada());
    const double t_limite = if97::temperatura_saturacion(tablas_if97::P_LIMITE_PRECISION / 10.0) - KELVIN;
    const int tipo = GetParam();
    double peor = 0;
    float donde = 0;
    int puntos = 0;
    const int columna = tipo == POR_PRESION ? F1_P : F1_T;
    const double limite = tipo == POR_PRESION ? tablas_if97::P_LIMITE_PRECISION : t_limite;
    std::vector<float> valores;
    if (tipo == POR_PRESION) valores = {0.0061101f, 0.006113f, 199.999f};
    for (int r = 0; r + 1 < num_filas_f1; ++r) {
        const double a = valor_f1(r, columna), b = valor_f1(r + 1, columna);
        if (b > limite) break;
        for (int k = 1; k < 41; ++k) valores.push_back(static_cast<float>(a + (b - a) * (k - 0.37) / 40.0));
    }
    for (float x : valores) {
        float primero, hl, hv, sl, sv, vl, vv;
        ASSERT_EQ(lee_datos_f1(tipo, x, primero, hl, hv, sl, sv, vl, vv), 0) << x;
        const auto s = tipo == POR_PRESION ? if97::saturacion_a_p(double(x) / 10.0)
                                           : if97::saturacion_a_t(double(x) + KELVIN);
        auto rel = [](double c, double e, double suelo = 0.0) {
            return std::fabs(c - e) / std::max(std::fabs(e), suelo);
        };
        const double errores[] = {
            tipo == POR_PRESION ? rel(primero + KELVIN, s.liquido.t) : rel(primero, s.liquido.p * 10.0),
            rel(hl, s.liquido.h, tablas_if97::SUELO_HL), rel(hv, s.vapor.h),
            rel(sl, s.liquido.s, tablas_if97::SUELO_SL), rel(sv, s.vapor.s),
            rel(vl, s.liquido.v * 1000.0), rel(vv, s.vapor.v * 1000.0)};
        for (double e : errores)
            if (e > peor) {
                peor = e;
                donde = x;
            }
        ++puntos;
    }
    pon_lista_traza(nullptr);
    if (tipo == POR_PRESION) {
        RecordProperty("peor_por_presion", std::to_string(peor));
        std::printf("%d búsquedas por presión; peor error relativo %.3g (p = %g bar)\n", puntos, peor, double(donde));
    } else {
        RecordProperty("peor_por_temperatura", std::to_string(peor));
        std::printf("%d búsquedas por temperatura; peor error relativo %.3g (t = %g °C)\n", puntos, peor,
                    double(donde));
    }
    EXPECT_LE(peor, tablas_if97::PRECISION_F1) << donde;
}

INSTANTIATE_TEST_SUITE_P(Busquedas, BusquedaDelMotor, ::testing::Values(POR_PRESION, POR_TEMPERATURA),
                         [](const ::testing::TestParamInfo<int>& i) {
                             return std::string(i.param == POR_PRESION ? "PorPresion" : "PorTemperatura");
                         });

// El generador se niega a escribir lo que no puede garantizar.
TEST(GeneradorVapor, LimiteDeVaporQueNoSigueLaSaturacion)
{
    EXPECT_TRUE(tablas_if97::desacuerdos_limite_vapor(t_limite_vapor).empty());
    std::vector<float> limites(t_limite_vapor, t_limite_vapor + NUM_PRESIONES);
    limites[35] = 110.0f;  // 1 bar: 100 °C ya es vapor
    EXPECT_EQ(tablas_if97::desacuerdos_limite_vapor(limites.data()).size(), 1u);
    limites[35] = 100.0f;
    limites[1] = 10.0f;  // 0,02 bar hierve a 17,5 °C: 10 °C aún es líquido
    EXPECT_EQ(tablas_if97::desacuerdos_limite_vapor(limites.data()).size(), 1u);
}

TEST(GeneradorVapor, PrecisionImposibleNoPasaDelMaximoDeFilas)
{
    std::vector<tablas_if97::fila_f1> filas;
    std::string error;
    EXPECT_FALSE(tablas_if97::tabla_f1(1e-9, filas, error));
    EXPECT_NE(error.find("407"), std::string::npos) << error;
    EXPECT_TRUE(filas.empty());
}
