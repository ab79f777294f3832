#include "zefirant/motor/combustible.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

propiedades_gas gas_de_tipo(int tipo)
{
    propiedades_gas g;
    g.tipo = static_cast<std::int8_t>(tipo);
    return g;
}

} // namespace

TEST(Combustible, DatosFijosDeGasolinaYGasoleo)
{
    propiedades_gas g = gas_de_tipo(GAS_GASOLINA);
    g.aire = 0.8f, g.m_c = 2, g.humedad = 0.05f;
    pon_datos_fijos(g);
    EXPECT_EQ(g.c, 0.856f);
    EXPECT_EQ(g.h, 0.144f);
    EXPECT_EQ(g.Hu, 43543.0f);
    EXPECT_EQ(g.aire_min, 14.756f);
    // Sólo los cuatro datos fijos: la proporción de aire, m_c y la humedad
    // son del problema.
    EXPECT_EQ(g.aire, 0.8f);
    EXPECT_EQ(g.m_c, 2.0f);
    EXPECT_EQ(g.humedad, 0.05f);

    g = gas_de_tipo(GAS_GASOLEO);
    pon_datos_fijos(g);
    EXPECT_EQ(g.c, 0.86f);
    EXPECT_EQ(g.h, 0.12f);
    EXPECT_EQ(g.Hu, 41868.0f);
    EXPECT_EQ(g.aire_min, 13.981f);

    // Ni los gases puros ni el combustible del usuario tienen datos fijos.
    for (int tipo : {GAS_AIRE, GAS_OTRO, GAS_NINGUNO}) {
        g = gas_de_tipo(tipo);
        pon_datos_combustible(g, -1);
        pon_datos_fijos(g);
        EXPECT_EQ(g.c, -1.0f) << tipo;
        EXPECT_EQ(g.aire_min, -1.0f) << tipo;
    }
}

TEST(Combustible, AireMinimoDeLaComposicion)
{
    // La fórmula da el aire mínimo fijo de cada combustible conocido.
    EXPECT_NEAR(aire_minimo(GASOLINA_C, GASOLINA_H), GASOLINA_AIRE_MIN, 1e-3);
    const datos_combustible* gasoleo = datos_fijos(GAS_GASOLEO);
    ASSERT_NE(gasoleo, nullptr);
    EXPECT_NEAR(aire_minimo(gasoleo->c, gasoleo->h), gasoleo->aire_min, 1e-3);
}

TEST(Combustible, AjusteDeLoLeidoEnLaPagina)
{
    propiedades_gas g = gas_de_tipo(GAS_OTRO);
    g.c = 1.5f, g.h = 0.1f, g.humedad = -1, g.aire_min = 99;
    ajusta_combustible(g);
    EXPECT_EQ(g.c, 1.0f);
    EXPECT_EQ(g.h, 0.1f);
    EXPECT_EQ(g.humedad, 0.0f);
    // El aire mínimo sale de las fracciones ya acotadas.
    EXPECT_EQ(g.aire_min, static_cast<float>(aire_minimo(1.0f, 0.1f)));

    // La gasolina conserva su aire mínimo fijo; lo no dado sigue sin darse
    // (y lo rechazan las reglas).
    g = gas_de_tipo(GAS_GASOLINA);
    pon_datos_fijos(g);
    g.h = 7, g.c = -1;
    ajusta_combustible(g);
    EXPECT_EQ(g.h, 1.0f);
    EXPECT_EQ(g.c, -1.0f);
    EXPECT_EQ(g.aire_min, 14.756f);
    EXPECT_FALSE(fracciones_validas(g.c, g.h));
}

TEST(Combustible, MargenesDeCarbonoEHidrogeno)
{
    EXPECT_TRUE(fracciones_validas(0.856f, 0.144f));
    EXPECT_TRUE(fracciones_validas(1, 0));
    EXPECT_TRUE(fracciones_validas(0, 1));
    EXPECT_FALSE(fracciones_validas(0, 0));
    EXPECT_FALSE(fracciones_validas(0.9f, 0.2f));
    EXPECT_FALSE(fracciones_validas(-1, 0.5f));
    EXPECT_FALSE(fracciones_validas(0.5f, -1));
    EXPECT_FALSE(fracciones_validas(1.5f, 0));
    EXPECT_FALSE(fracciones_validas(NaN, 0.1f));
    // La suma se toma en simple precisión: la que sólo pasa de 1 por menos
    // de medio ulp vale 1 y se admite; la que pasa un ulp, no.
    const float mitad_y_poco = std::nextafter(0.5f, 1.0f);
    EXPECT_TRUE(fracciones_validas(0.5f, mitad_y_poco));
    EXPECT_FALSE(fracciones_validas(mitad_y_poco, mitad_y_poco));
}

TEST(Combustible, ProporcionDeAireSegunElCombustible)
{
    EXPECT_TRUE(proporcion_aire_valida(GAS_GASOLINA, 0.6f));
    EXPECT_FALSE(proporcion_aire_valida(GAS_GASOLINA, std::nextafter(0.6f, 0.0f)));
    for (int tipo : {GAS_GASOLEO, GAS_OTRO}) {
        EXPECT_TRUE(proporcion_aire_valida(tipo, 1.0f)) << tipo;
        EXPECT_FALSE(proporcion_aire_valida(tipo, 0.8f)) << tipo;
    }
    // Un gas puro no tiene proporción de aire que comprobar.
    EXPECT_TRUE(proporcion_aire_valida(GAS_AIRE, -1.0f));
    EXPECT_TRUE(proporcion_aire_valida(GAS_NINGUNO, 0.0f));
}
