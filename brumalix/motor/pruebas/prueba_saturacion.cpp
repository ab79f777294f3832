#include "brumalix/motor/saturacion.h"
#include "brumalix/motor/tablas.h"
#include "brumalix/motor/traza.h"
#include "comun/lineas.h"
#include "brumalix/motor/pruebas/nombres_prueba.h"
#include "brumalix/motor/pruebas/tabla_sintetica.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

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

// Un valor de la búsqueda en la tabla de saturación: por presión
// (POR_PRESION) o por temperatura.
struct valor_buscado {
    int tipo;
    float valor;
};

void PrintTo(const valor_buscado& v, std::ostream* o)
{
    *o << (v.tipo == POR_PRESION ? "p=" : "t=") << v.valor;
}

class ValorFueraDeLaTabla : public Saturacion, public ::testing::WithParamInterface<valor_buscado> {};

// Las abscisas de una parábola (x0, x1, x2) y el punto en que se evalúa.
std::string nombre_de_abscisas(const ::testing::TestParamInfo<int>& i)
{
    const char* const nombres[] = {"De0Coma02A0Coma06", "De290A310", "De195A210Desiguales", "De1A4FueraDeLosNodos",
                                   "De10A30EnElPrimerNodo"};
    return nombres[i.param];
}

class InterpolacionEnLote : public ::testing::TestWithParam<int> {
protected:
    static constexpr float abscisas[][4] = {{0.02f, 0.04f, 0.06f, 0.045f},
                                            {290, 300, 310, 300.7f},
                                            {195, 200, 210, 207.35f},
                                            {1, 2, 4, 9},
                                            {10, 20, 30, 10}};
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

// Muchas parábolas por las mismas abscisas de una vez: cada resultado, bit
// a bit, el de evalua_cuadratica (y el de interpola_cuadratica), también
// con valores extremos, ceros con signo, subnormales, infinitos y NaN (un
// NaN sólo ha de seguir siéndolo). Los valores siguen una sola serie
// pseudoaleatoria por todas las abscisas, en su orden: cada instancia saca
// (sin probarlos) los de las abscisas anteriores.
TEST_P(InterpolacionEnLote, ComoUnaAUna)
{
    std::uint32_t estado_aleatorio = 12345;
    auto aleatorio = [&] {
        estado_aleatorio = estado_aleatorio * 1664525u + 1013904223u;
        return estado_aleatorio;
    };
    const float raros[] = {0.0f, -0.0f, 1e-40f, -1e-42f, 3.4e38f, -3.4e38f, INFINITY, -INFINITY, NAN, 1.0f, -1.0f};
    auto valor = [&] {
        const std::uint32_t r = aleatorio();
        if (r % 7 == 0) return raros[(r >> 8) % std::size(raros)];
        if (r % 7 == 1) return std::bit_cast<float>(aleatorio());  // cualquier patrón de bits
        return float((int(r >> 8) % 200000) / 37.0);
    };
    auto igual = [](float a, float b) {
        return std::isnan(a) ? std::isnan(b) : std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
    };
    for (int conjunto = 0; conjunto <= GetParam(); ++conjunto) {
        const auto& x = abscisas[conjunto];
        const abscisas_cuadratica a = prepara_cuadratica(x[0], x[1], x[2], x[3]);
        for (int n : {1, 2, 7, 64, 195}) {
            std::vector<float> ys(3 * static_cast<std::size_t>(n)), lote(static_cast<std::size_t>(n));
            for (float& y : ys) y = valor();
            if (conjunto < GetParam()) continue;
            const auto* ternas = reinterpret_cast<const float(*)[3]>(ys.data());
            evalua_cuadraticas(a, n, ternas, lote.data());
            for (std::size_t k = 0; k < lote.size(); ++k) {
                const float* y = ternas[k];
                const float una = evalua_cuadratica(a, y[0], y[1], y[2]);
                EXPECT_TRUE(igual(una, interpola_cuadratica(x[0], x[1], x[2], y[0], y[1], y[2], x[3])));
                EXPECT_TRUE(igual(lote[k], una)) << y[0] << " " << y[1] << " " << y[2] << ": " << lote[k] << " " << una;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Abscisas, InterpolacionEnLote, ::testing::Range(0, 5), nombre_de_abscisas);

TEST_F(Saturacion, LimitesDeLaBusqueda)
{
    float t = -7, x = -7;
    EXPECT_EQ(lee_datos_f1(POR_PRESION, 221.2f, t, x, x, x, x, x, x), 0);
    EXPECT_EQ(lee_datos_f1(POR_TEMPERATURA, 373.68f, t, x, x, x, x, x, x), 0);
}

// Fuera de margen, y en el propio límite inferior (el f32 queda por debajo):
// sin resultado y sin tocar las salidas.
TEST_P(ValorFueraDeLaTabla, NoDaResultado)
{
    float t = -7, x = -7;
    EXPECT_EQ(lee_datos_f1(GetParam().tipo, GetParam().valor, t, x, x, x, x, x, x), 99);
    EXPECT_EQ(t, -7.0f);
    EXPECT_EQ(x, -7.0f);
}

INSTANTIATE_TEST_SUITE_P(Limites, ValorFueraDeLaTabla,
                         ::testing::Values(valor_buscado{POR_PRESION, 221.21f}, valor_buscado{POR_PRESION, 0.0061f},
                                           valor_buscado{POR_PRESION, 0.00611f},
                                           valor_buscado{POR_TEMPERATURA, 373.69f},
                                           valor_buscado{POR_TEMPERATURA, 0.0099f},
                                           valor_buscado{POR_TEMPERATURA, 0.01f}),
                         [](const ::testing::TestParamInfo<valor_buscado>& i) {
                             return (i.param.tipo == POR_PRESION ? "Presion" : "Temperatura") +
                                    nombre_de_numero(i.param.valor);
                         });

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
