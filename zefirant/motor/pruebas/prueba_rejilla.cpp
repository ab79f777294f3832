#include "zefirant/motor/problema.h"
#include "zefirant/motor/rejilla.h"

#include "comun/lineas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Gas de prueba con cv0 = 20 + 0.002·T y s0 = 180 + 30·ln(T/273), crecientes.
propiedades_gas gas_prueba(int tipo = GAS_AIRE)
{
    propiedades_gas g;
    g.tipo = static_cast<std::int8_t>(tipo);
    for (int i = 0; i < NUM_FILAS; ++i) {
        double T = temperatura_fila(i);
        g.tabla[i].cv0 = static_cast<float>(20 + 0.002 * T);
        g.tabla[i].cp0 = static_cast<float>(g.tabla[i].cv0 + R_UNIVERSAL);
        g.tabla[i].s0 = static_cast<float>(180 + 30 * std::log(T / 273));
    }
    return g;
}

estado estado_vacio()
{
    estado e;
    reinicia_estado(e);
    return e;
}

struct caso_intervalo {
    float T;
    int tipo;
    int exacto;
    int f;
    int t0, t1, t2;
};

void PrintTo(const caso_intervalo& c, std::ostream* o) { *o << c.T << " K, tipo " << c.tipo; }

// "T273Aire", "T1450Metano", ...
std::string nombre_de_caso(const ::testing::TestParamInfo<caso_intervalo>& i)
{
    const char* gas = i.param.tipo == GAS_METANO ? "Metano" : i.param.tipo == GAS_AMONIACO ? "Amoniaco" : "Aire";
    return "T" + std::to_string(static_cast<int>(i.param.T)) + gas;
}

} // namespace

TEST(Rejilla, TemperaturasDeLasFilas)
{
    EXPECT_EQ(temperatura_fila(0), 273);
    EXPECT_EQ(temperatura_fila(1), 300);
    EXPECT_EQ(temperatura_fila(28), 3000);
    EXPECT_EQ(temperatura_fila(29), 3500);
    EXPECT_EQ(temperatura_fila(32), 5000);
    int filas[3] = {27, 28, 29}, t[3];
    ASSERT_EQ(temperaturas_intervalo(filas, t), 1);
    EXPECT_EQ(t[0], 2900);
    EXPECT_EQ(t[2], 3500);
    int fuera[3] = {33, 34, 35};
    EXPECT_EQ(temperaturas_intervalo(fuera, t), 0);
}

// Fila elegida para una temperatura: exacta, o la primera de las tres de la
// parábola y sus temperaturas.
class EleccionDeFilas : public ::testing::TestWithParam<caso_intervalo> {};

TEST_P(EleccionDeFilas, FilaYTemperaturas)
{
    const caso_intervalo& c = GetParam();
    int f = -1, t[3] = {};
    EXPECT_EQ(intervalo_tabla(c.T, c.tipo, f, t), c.exacto);
    EXPECT_EQ(f, c.f);
    if (!c.exacto) {
        EXPECT_EQ(t[0], c.t0);
        EXPECT_EQ(t[1], c.t1);
        EXPECT_EQ(t[2], c.t2);
    }
}

INSTANTIATE_TEST_SUITE_P(Temperaturas, EleccionDeFilas,
                         ::testing::Values(
                             caso_intervalo{273, GAS_AIRE, 1, 0, 273, 300, 400},
                             caso_intervalo{300, GAS_AIRE, 1, 1, 300, 400, 500},
                             caso_intervalo{3000, GAS_AIRE, 1, 28, 3000, 3500, 4000},
                             caso_intervalo{3500, GAS_AIRE, 1, 29, 3500, 4000, 4500},
                             caso_intervalo{4500, GAS_AIRE, 1, 31, 4000, 4500, 5000},
                             caso_intervalo{5000, GAS_AIRE, 1, 32, 4000, 4500, 5000},
                             caso_intervalo{350, GAS_AIRE, 0, 0, 273, 300, 400},
                             caso_intervalo{351, GAS_AIRE, 0, 1, 300, 400, 500},
                             caso_intervalo{280, GAS_AIRE, 0, 0, 273, 300, 400},
                             caso_intervalo{2960, GAS_AIRE, 0, 27, 2900, 3000, 3500},
                             caso_intervalo{3260, GAS_AIRE, 0, 28, 3000, 3500, 4000},
                             caso_intervalo{3100, GAS_AIRE, 0, 27, 2900, 3000, 3500},
                             caso_intervalo{4900, GAS_AIRE, 0, 30, 4000, 4500, 5000},
                             caso_intervalo{1450, GAS_METANO, 0, 11, 1300, 1400, 1500},
                             caso_intervalo{1450, GAS_AIRE, 0, 11, 1300, 1400, 1500},
                             caso_intervalo{1460, GAS_AIRE, 0, 12, 1400, 1500, 1600},
                             caso_intervalo{1450, GAS_AMONIACO, 0, 11, 1300, 1400, 1500}),
                         nombre_de_caso);

TEST(Rejilla, ParabolaPorTresPuntos)
{
    // Pasa por los nodos, extrapola, y es exacta para una parábola.
    auto y = [](double x) { return 3 + 0.5 * x - 0.01 * x * x; };
    for (float x : {10.0f, 25.0f, 40.0f, 0.0f, 60.0f, 33.3f})
        EXPECT_NEAR(interpola_cuadratica(10, 25, 40, y(10), y(25), y(40), x), y(x), 1e-5) << x;
    // Nodos repetidos: 0.
    EXPECT_EQ(interpola_cuadratica(10, 20, 10, 1, 2, 3, 15), 0.0f);
    EXPECT_EQ(interpola_cuadratica(10, 10, 40, 1, 2, 3, 15), 0.0f);
}

TEST(Rejilla, PropiedadesEnFilaExactaYEntreFilas)
{
    propiedades_gas g = gas_prueba();
    g.tabla[5].cp0 = 0;  // la columna cp0 no se lee: cp = cv0 + R
    float cv, cp, s;
    propiedades_a_T(700, g, cv, cp, s);
    EXPECT_EQ(cv, g.tabla[5].cv0);
    EXPECT_EQ(s, g.tabla[5].s0);
    EXPECT_FLOAT_EQ(cp, g.tabla[5].cv0 + 8.3143f);
    // cv0 es lineal en T: la parábola lo reproduce.
    propiedades_a_T(1234.5f, g, cv, cp, s);
    EXPECT_NEAR(cv, 20 + 0.002 * 1234.5, 1e-4);
    EXPECT_NEAR(s, 180 + 30 * std::log(1234.5 / 273), 0.01);
}

TEST(Rejilla, TemperaturaDeUyDeH)
{
    propiedades_gas g = gas_prueba();
    // También en los extremos, donde el primer tanteo (cv = 21) cae fuera.
    for (float T : {273.0f, 274.5f, 290.0f, 800.0f, 2500.0f, 4200.0f, 4999.0f}) {
        estado e = estado_vacio();
        e.prop[E_UINT] = static_cast<float>((20 + 0.002 * T) * T);
        e.prop[E_ENTAL] = static_cast<float>((20 + 0.002 * T + R_UNIVERSAL) * T);
        EXPECT_NEAR(temperatura_de_u(e, g), T, 0.01) << T;
        EXPECT_NEAR(temperatura_de_h(e, g), T, 0.05) << T;
    }
    // Fuera de 273..5000 K, y por encima de 1500 K para el metano.
    estado e = estado_vacio();
    e.prop[E_UINT] = 100;
    EXPECT_EQ(temperatura_de_u(e, g), -1.0f);
    e.prop[E_UINT] = static_cast<float>((20 + 0.002 * 2000) * 2000);
    EXPECT_EQ(temperatura_de_u(e, gas_prueba(GAS_METANO)), -1.0f);
    EXPECT_NEAR(temperatura_de_u(e, g), 2000, 0.01);
}

TEST(Rejilla, IteracionQueNoConvergeTerminaConFallo)
{
    propiedades_gas g = gas_prueba();
    for (auto& fila : g.tabla) fila.cv0 = std::numeric_limits<float>::quiet_NaN();
    estado e = estado_vacio();
    e.prop[E_UINT] = 20000;
    e.prop[E_ENTAL] = 30000;
    EXPECT_EQ(temperatura_de_u(e, g), -1.0f);
    EXPECT_EQ(temperatura_de_h(e, g), -1.0f);
    // Una tabla que oscila sin converger también acaba en -1.
    propiedades_gas o = gas_prueba();
    for (int i = 0; i < NUM_FILAS; ++i) o.tabla[i].cv0 = (i % 2) ? 10.0f : 60.0f;
    float t = temperatura_de_u(e, o);
    EXPECT_TRUE(t == -1.0f || (t >= 273 && t <= 5000));
}

TEST(Rejilla, TemperaturaDeSyV)
{
    lineas_memoria registro;
    pon_lista_registro(&registro);
    propiedades_gas g = gas_prueba();
    for (float T : {300.0f, 512.3f, 1875.0f}) {
        float v = 2.5f;
        float s0, cv, cp;
        propiedades_a_T(T, g, cv, cp, s0);
        estado e = estado_vacio();
        e.prop[E_VOL] = v;
        e.prop[E_ENTROP] = static_cast<float>(s0 - R_UNIVERSAL * std::log(0.083143 * T / v));
        EXPECT_NEAR(temperatura_de_s_v(e, g), T, 0.05) << T;
    }
    // La búsqueda deja su rastro en el registro, no en una caja de mensaje.
    ASSERT_FALSE(registro.todas().empty());
    EXPECT_EQ(registro.todas().front(), "e->prop[E_VOL]=2.5");
    // Entropía por debajo de la de 273 K con ese volumen: fallo.
    estado e = estado_vacio();
    e.prop[E_VOL] = 2.5f;
    e.prop[E_ENTROP] = static_cast<float>(g.tabla[0].s0 - R_UNIVERSAL * std::log(22.698039 / 2.5) - 1);
    EXPECT_EQ(temperatura_de_s_v(e, g), -1.0f);
    pon_lista_registro(nullptr);
}

// La búsqueda avanza a pasos de 100, 10, 1 y 0,1 K y se para en el cuarto
// exceso: el último tramo, en el que se interpola, mide 0,1 K. Con la fila
// del 500 K rebajada, la parábola por 300, 400 y 500 K queda por encima de
// la de 273, 300 y 400 K: la entropía salta al pasar de 350 K, y el salto se
// reparte en el tramo de 350 a 350,1 K.
TEST(Rejilla, TemperaturaDeSyVInterpolaEnElUltimoPasoDeUnaDecima)
{
    lineas_memoria registro;
    pon_lista_registro(&registro);
    propiedades_gas g = gas_prueba();
    g.tabla[3].s0 -= 4.0f;
    const float v = 2.5f;
    auto entropia = [&](float T) {
        float cv, cp, s0;
        propiedades_a_T(T, g, cv, cp, s0);
        return s0 - R_UNIVERSAL * std::log(0.083143 * T / v);
    };
    const float t_bajo = 350.0f, t_alto = 350.0f + 0.1f;
    const double s_bajo = entropia(t_bajo), s_alto = entropia(t_alto);
    ASSERT_GT(s_alto - s_bajo, 0.3);  // el salto, muy por encima de la pendiente (0,009)
    estado e = estado_vacio();
    e.prop[E_VOL] = v;
    e.prop[E_ENTROP] = static_cast<float>(s_bajo + 0.5 * (s_alto - s_bajo));
    const double esperada = t_bajo + (e.prop[E_ENTROP] - s_bajo) * (t_alto - t_bajo) / (s_alto - s_bajo);
    EXPECT_NEAR(temperatura_de_s_v(e, g), esperada, 1e-3);
    pon_lista_registro(nullptr);
}

TEST(Rejilla, TemperaturaDePyS)
{
    propiedades_gas g = gas_prueba();
    estado e = estado_vacio();
    e.prop[E_PRES] = 1;
    // Entre las filas 27 y 28: parábola por 2900, 3000 y 3500 K.
    float s = (g.tabla[27].s0 + g.tabla[28].s0) / 2;
    e.prop[E_ENTROP] = s;
    float esperada = interpola_cuadratica(g.tabla[27].s0, g.tabla[28].s0, g.tabla[29].s0, 2900, 3000, 3500, s);
    EXPECT_FLOAT_EQ(temperatura_de_s0(e, g), esperada);
    // A 10 bar la entropía baja en R·ln 10.
    e.prop[E_PRES] = 10;
    e.prop[E_ENTROP] = static_cast<float>(g.tabla[7].s0 - R_UNIVERSAL * std::log(10.0));
    EXPECT_NEAR(temperatura_de_s0(e, g), 900, 0.5);
    // Justo por encima de la última fila y por debajo de la primera: fallo.
    e.prop[E_PRES] = 1;
    e.prop[E_ENTROP] = g.tabla[32].s0 + 0.01f;
    EXPECT_EQ(temperatura_de_s0(e, g), -1.0f);
    e.prop[E_ENTROP] = g.tabla[0].s0 - 0.01f;
    EXPECT_EQ(temperatura_de_s0(e, g), -1.0f);
    e.prop[E_ENTROP] = g.tabla[32].s0;
    EXPECT_FLOAT_EQ(temperatura_de_s0(e, g), 5000);
}
