#include "brumalix/motor/saturacion.h"
#include "brumalix/motor/tablas.h"
#include "brumalix/motor/traza.h"
#include "comun/lineas.h"
#include "tabla_sintetica.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class Saturacion : public ::testing::Test {
protected:
    void SetUp() override { carga(0); }
    void TearDown() override { fs::remove_all(dir); }
    void carga(int filas_cortadas)
    {
        dir = sintetica::directorio("brumalix_saturacion");
        sintetica::escribe(dir / "f1-bin.dat", sintetica::tabla_f1(filas_cortadas));
        ASSERT_EQ(carga_tabla_f1((dir / "f1-bin.dat").string()), 1);
    }
    // Valor esperado de la columna c con las filas centrales m-1, m, m+1.
    static float esperado(int columna_busqueda, int c, int m, float x)
    {
        return interpola_cuadratica(valor_f1(m - 1, columna_busqueda), valor_f1(m, columna_busqueda),
                                    valor_f1(m + 1, columna_busqueda), valor_f1(m - 1, c), valor_f1(m, c),
                                    valor_f1(m + 1, c), x);
    }
    // Fila central que usó una búsqueda por presión, deducida de h''.
    static int centro_usado(float p)
    {
        float t, hl, hv, sl, sv, vl, vv;
        EXPECT_EQ(lee_datos_f1(POR_PRESION, p, t, hl, hv, sl, sv, vl, vv), 0);
        // Fuera de los nodos cada plantilla da un valor distinto.
        int centro = -1;
        for (int m = 1; m < num_filas_f1 - 1; ++m)
            if (hv == esperado(F1_P, F1_HV, m, p) && t == esperado(F1_P, F1_T, m, p)) {
                EXPECT_EQ(centro, -1) << "plantilla ambigua en " << p;
                centro = m;
            }
        return centro;
    }
    fs::path dir;
};

} // namespace

TEST(Interpolacion, RectaYParabola)
{
    lineas_memoria traza;
    pon_lista_traza(&traza);
    EXPECT_EQ(Interpola2(0, 10, 5, 25, 2.5f), 10.0f);
    ASSERT_EQ(traza.numero(), 1u);
    EXPECT_EQ(traza.linea(0), "Interpola2( 0 10 5 25 2.5) -> 10");
    pon_lista_traza(nullptr);
    EXPECT_FLOAT_EQ(interpola_cuadratica(1, 2, 4, 7, 9, 3, 1), 7);
    EXPECT_FLOAT_EQ(interpola_cuadratica(1, 2, 4, 7, 9, 3, 2), 9);
    EXPECT_FLOAT_EQ(interpola_cuadratica(1, 2, 4, 7, 9, 3, 4), 3);
    // y = x²: exacta entre los nodos y fuera de ellos.
    EXPECT_FLOAT_EQ(interpola_cuadratica(1, 2, 4, 1, 4, 16, 3), 9);
    EXPECT_FLOAT_EQ(interpola_cuadratica(1, 2, 4, 1, 4, 16, 5), 25);
}

TEST_F(Saturacion, LimitesDeLaBusqueda)
{
    float t = -7, x = -7;
    EXPECT_EQ(lee_datos_f1(POR_PRESION, 221.2f, t, x, x, x, x, x, x), 0);
    EXPECT_EQ(lee_datos_f1(POR_TEMPERATURA, 373.68f, t, x, x, x, x, x, x), 0);
    t = x = -7;
    // Fuera de margen, y en el propio límite inferior: el f32 queda por debajo.
    for (float p : {221.21f, 0.0061f, 0.00611f}) EXPECT_EQ(lee_datos_f1(POR_PRESION, p, t, x, x, x, x, x, x), 99) << p;
    for (float T : {373.69f, 0.0099f, 0.01f}) EXPECT_EQ(lee_datos_f1(POR_TEMPERATURA, T, t, x, x, x, x, x, x), 99) << T;
    EXPECT_EQ(t, -7.0f);
    EXPECT_EQ(x, -7.0f);
}

TEST_F(Saturacion, EleccionDeLasTresFilas)
{
    const int m = 18;  // fila de 220 bar; la 19 es la de 221,2 bar
    ASSERT_EQ(valor_f1(m, F1_P), 220.0f);
    // Presión de una fila: los valores de esa fila.
    float t, hl, hv, sl, sv, vl, vv;
    ASSERT_EQ(lee_datos_f1(POR_PRESION, 10, t, hl, hv, sl, sv, vl, vv), 0);
    EXPECT_FLOAT_EQ(hv, valor_f1(10, F1_HV));
    EXPECT_FLOAT_EQ(vv, valor_f1(10, F1_VV));
    // Por debajo de la segunda fila: filas 0, 1, 2.
    EXPECT_EQ(centro_usado(0.0062f), 1);
    // A medio camino entre dos filas: la de arriba; algo por debajo: la de abajo.
    EXPECT_EQ(centro_usado(15), 11);
    EXPECT_EQ(centro_usado(14.9f), 10);
    // Junto al punto crítico la plantilla baja una fila.
    EXPECT_EQ(centro_usado(220.3f), m - 1);   // por encima de 220 y más cerca de 220
    EXPECT_EQ(centro_usado(220.8f), m);       // desde el punto medio hasta 221,2
    EXPECT_EQ(centro_usado(221.2f), m);
    EXPECT_EQ(centro_usado(218.0f), m - 1);   // más cerca de 220 que de 215
    EXPECT_EQ(centro_usado(216.0f), m - 2);   // más cerca de 215
}

TEST_F(Saturacion, BusquedaPorTemperaturaYFormasCortas)
{
    lineas_memoria traza;
    pon_lista_traza(&traza);
    float p = 0, t = 0;
    float T = sintetica::temperatura(7, num_filas_f1);
    ASSERT_EQ(calc_psat(T, p), 0);
    EXPECT_FLOAT_EQ(p, valor_f1(7, F1_P));
    ASSERT_EQ(calc_tsat(valor_f1(7, F1_P), t), 0);
    EXPECT_FLOAT_EQ(t, T);
    ASSERT_EQ(traza.numero(), 4u);
    EXPECT_EQ(traza.linea(0).rfind("calc_psat(tsat=", 0), 0u);
    EXPECT_EQ(traza.linea(1).rfind("lee_datos_f1 dato(TEMPERATURA)=", 0), 0u);
    EXPECT_EQ(traza.linea(3).rfind("lee_datos_f1 dato(PRESION)=", 0), 0u);
    pon_lista_traza(nullptr);
}

TEST_F(Saturacion, TablaQueNoLlegaAlValorNoDaResultado)
{
    fs::remove_all(dir);
    carga(3);  // la tabla acaba en 210 bar
    float t = -7, x = -7;
    EXPECT_EQ(lee_datos_f1(POR_PRESION, 215.0f, t, x, x, x, x, x, x), 99);
    EXPECT_EQ(t, -7.0f);
    EXPECT_EQ(lee_datos_f1(POR_PRESION, 209.0f, t, x, x, x, x, x, x), 0);
}
