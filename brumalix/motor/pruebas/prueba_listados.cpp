// Listados de curvas límite y de líquido y vapor, sobre tablas sintéticas
// de valores conocidos.
#include "brumalix/motor/pruebas/entorno_agua.h"

#include "comun/texto1252.h"

#include <limits>

namespace {

class Listados : public EntornoAgua {
protected:
    // Tabla de saturación de n filas: p = 1 + i bar, t = 100 + i °C, ...
    static void tabla_saturacion(int n)
    {
        datos_f1.assign(std::size_t(n) * COLUMNAS_F1, 0.0f);
        for (int i = 0; i < n; ++i) {
            float* f = &datos_f1[std::size_t(i) * COLUMNAS_F1];
            f[F1_P] = 1.0f + float(i);
            f[F1_T] = 100.0f + float(i);
            f[F1_HL] = 400.0f + float(i);
            f[F1_HV] = 2700.0f + float(i);
            f[F1_SL] = 1.3f + 0.001f * float(i);
            f[F1_SV] = 7.3f - 0.001f * float(i);
            f[F1_VL] = 1.04f + 0.0001f * float(i);
            f[F1_VV] = 1600.0f - float(i);
        }
        num_filas_f1 = n;
    }
    // Rejilla: h = 1000 + 10·T + k, s = 1 + 0,01·T + 0,0001·k, v = 100 + k.
    static void rejilla()
    {
        for (int T = 0; T < NUM_TEMPERATURAS; ++T)
            for (int k = 0; k < NUM_PRESIONES; ++k) {
                float* p = &datos_f2[indice_f2(T, k, 0)];
                p[0] = 1000.0f + 10.0f * float(T) + float(k);
                p[1] = 1.0f + 0.01f * float(T) + 0.0001f * float(k);
                p[2] = 100.0f + float(k);
            }
    }
    // Filas de datos del listado de curvas límite escrito en un fichero.
    static std::vector<std::string> filas_curvas(limites_curvas lim)
    {
        limites_listado_curvas = lim;
        std::FILE* f = std::tmpfile();
        listado_curvas_limite(1, 0, destino_listado::fichero, f);
        auto v = lineas_de(f);
        return v.size() < 6 ? v : std::vector<std::string>(v.begin() + 6, v.end());
    }
    void SetUp() override
    {
        EntornoAgua::SetUp();
        tabla_saturacion(40);
        rejilla();
        limites_listado_curvas = {};
        limites_listado_tablas = {};
    }
};

const std::string raya78(78, '\x97');
const std::string raya76(76, '\x97');

// Límites de un listado que no son de la rejilla, o no son números.
template <typename T>
struct limites_extremos {
    const char* nombre;
    T limites;
};

template <typename T>
void PrintTo(const limites_extremos<T>& l, std::ostream* o)
{
    *o << l.nombre;
}

class TablasConLimitesExtremos : public Listados,
                                 public ::testing::WithParamInterface<limites_extremos<limites_tablas>> {};
class CurvasConLimitesExtremos : public Listados,
                                 public ::testing::WithParamInterface<limites_extremos<limites_curvas>> {};

const float nan = std::numeric_limits<float>::quiet_NaN();
const float inf = std::numeric_limits<float>::infinity();

} // namespace

TEST_F(Listados, CurvasLimiteEnPantallaYEnFichero)
{
    limites_listado_curvas = {0.0061f, 16.0f, 0};  // filas de 1 a 16 bar
    EXPECT_EQ(listado_curvas_limite(1, 1, destino_listado::ventana), 2);
    EXPECT_EQ(listado.numero(), 0u);  // contar no escribe
    EXPECT_EQ(listado_curvas_limite(1, 1, destino_listado::fichero), 1);

    ASSERT_EQ(listado_curvas_limite(1, 0, destino_listado::ventana), 2);
    const std::vector<std::string> cabecera = {
        raya78,
        " presión  `S½  tempe- `S½    entalpía    `S½    entropía       `S½     volumen        "_w,
        " absoluta `S½  ratura `S½   específica   `S½   específica      `S½    específico      "_w,
        "    `Ip     `S½   `It`Ds    `S½   `Ih`I'      `Ih`I\"   `S½    `Is`I'      `Is`I\"     `S½   `Iv`I'        `Iv`I\"     "_w,
        "   bar    `S½   °C    `S½ kJ/kg   kJ/kg  `S½  kJ/kg K kJ/kg K  `S½ dm³/kg    dm³/kg   "_w,
        raya78,
    };
    ASSERT_EQ(listado.numero(), 21u);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(listado.linea(i), cabecera[i]);
    EXPECT_EQ(listado.linea(6), "   1,000  `S½ 100,00  `S½  400,0  2700,0 `S½  1,3000   7,3000  `S½ 1,0400   1600,0000"_w);
    // La segunda página: la cabecera y la fila 16.
    listado_curvas_limite(2, 0, destino_listado::ventana);
    ASSERT_EQ(listado.numero(), 7u);
    EXPECT_EQ(listado.linea(6).substr(0, 8), "  16,000");

    std::FILE* f = std::tmpfile();
    EXPECT_EQ(listado_curvas_limite(1, 0, destino_listado::fichero, f), 1);
    auto v = lineas_de(f);
    ASSERT_EQ(v.size(), 6u + 16u);
    EXPECT_EQ(v[0], ">" + cabecera[0]);
    EXPECT_EQ(v[4], ">" + cabecera[4]);
    EXPECT_EQ(v[5], ">>" + cabecera[5]);
    EXPECT_EQ(v[21].substr(0, 8), "  16,000");

    // En kcal y kg/cm² cambian p, h y s; no t ni v.
    unidad_energia_kcal = unidad_presion_at = 1;
    listado_curvas_limite(1, 0, destino_listado::ventana);
    EXPECT_EQ(listado.linea(6), "   1,020  `S½ 100,00  `S½   95,5   644,9 `S½  0,3105   1,7436  `S½ 1,0400   1600,0000"_w);
}

TEST_F(Listados, CurvasLimiteRangoSaltosYFinalDeTabla)
{
    // Sin fila entre pmin y pmax: sólo la primera por encima de pmin.
    auto v = filas_curvas({3.5f, 3.7f, 0});
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].substr(0, 8), "   4,000");
    // Salto 1: una fila sí y otra no. Un salto -1 (lista sin elemento
    // elegido) se toma como 0 y el listado termina.
    v = filas_curvas({0.0061f, 10.0f, 1});
    EXPECT_EQ(v.size(), 5u);
    EXPECT_EQ(v[1].substr(0, 8), "   3,000");
    EXPECT_EQ(filas_curvas({0.0061f, 10.0f, -1}).size(), 10u);
    // Nunca más allá de las filas de la tabla, ni de la 407.
    EXPECT_EQ(filas_curvas({0.0061f, 1e6f, 0}).size(), 40u);
    EXPECT_EQ(filas_curvas({100.0f, 1e6f, 0}).size(), 0u);
    tabla_saturacion(500);
    EXPECT_EQ(filas_curvas({0.0061f, 1e6f, 0}).size(), 407u);
}

TEST_F(Listados, LiquidoYVaporEnBloquesDeDosPresiones)
{
    // 1, 1,1 y 1,2 bar: un bloque de dos columnas y otro de una. Los
    // límites en f32 (1,2 es 1,2000000477) no añaden la columna de 1,3 bar;
    // de 25 a 60 °C, las filas de 20 (25 / 10 truncado) a 60.
    limites_listado_tablas = {1.0f, 1.2f, 25.0f, 60.0f, 0, 0};
    EXPECT_EQ(listado_liquido_vapor(1, 1, destino_listado::ventana), 2);
    listado_liquido_vapor(1, 0, destino_listado::ventana);
    const std::vector<std::string> cabecera = {
        raya76,
        "tempe- `S½  entalpía   entropía   volumen   `S½  entalpía   entropía   volumen  "_w,
        "ratura `S½ específica específica específico `S½ específica específica específico"_w,
        "  `It    `S½     `Ih          `Is          `Iv      `S½     `Ih          `Is          `Iv     "_w,
        " °C    `S½   kJ/kg     kJ/kg K     dm³/kg   `S½   kJ/kg      kJ/kg K    dm³/kg  "_w,
        raya76,
    };
    ASSERT_EQ(listado.numero(), 1u + 6u + 5u);  // filas de 20 a 60 °C
    EXPECT_EQ(listado.linea(0), "       `S½             `Ip=  1.00 bar         `S½              `Ip=  1.10 bar"_w);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(listado.linea(1 + i), cabecera[i]);
    EXPECT_EQ(listado.linea(7), "   20  `S½   1055,0     1,0235     135,0000 `S½  1056,0      1,0236     136,0000 "_w);
    EXPECT_EQ(listado.linea(8).substr(0, 6), "   30 ");
    EXPECT_EQ(listado.linea(11).substr(0, 6), "   60 ");
    listado_liquido_vapor(2, 0, destino_listado::ventana);
    EXPECT_EQ(listado.linea(0), "       `S½             `Ip=  1.20 bar         `S½                         "_w);
    EXPECT_EQ(listado.linea(7), "   20  `S½   1057,0     1,0237     137,0000 "_w);

    // Para imprimir: cada bloque tras "<NP>", con su título y la cabecera
    // marcados.
    std::FILE* f = std::tmpfile();
    EXPECT_EQ(listado_liquido_vapor(2, 0, destino_listado::fichero, f), 2);
    auto v = lineas_de(f);
    ASSERT_EQ(v.size(), 2u + 6u + 5u);
    EXPECT_EQ(v[0], "<NP>");
    EXPECT_EQ(v[1], ">       `S½             `Ip=  1.20 bar         `S½                         "_w);
    EXPECT_EQ(v[2], ">" + cabecera[0]);
    EXPECT_EQ(v[7], ">>" + cabecera[5]);

    // kcal: h y s por 0,23885, v igual; kg/cm²: el título.
    unidad_energia_kcal = unidad_presion_at = 1;
    listado_liquido_vapor(1, 0, destino_listado::ventana);
    EXPECT_EQ(listado.linea(0), "       `S½             `Ip=  1.02 kg/cm²      `S½              `Ip=  1.12 kg/cm²"_w);
    EXPECT_EQ(listado.linea(7), "   20  `S½    252,0     0,2445     135,0000 `S½   252,2      0,2445     136,0000 "_w);
}

TEST_F(Listados, LiquidoYVaporPaginasYSaltos)
{
    // Bloques de 20 filas: 14 y 6 en pantalla; el segundo empieza en la 3.
    limites_listado_tablas = {1.0f, 1.2f, 0.0f, 190.0f, 0, 0};
    EXPECT_EQ(listado_liquido_vapor(1, 1, destino_listado::ventana), 4);
    listado_liquido_vapor(2, 0, destino_listado::ventana);
    EXPECT_EQ(listado.numero(), 1u + 6u + 6u);
    listado_liquido_vapor(3, 0, destino_listado::ventana);
    EXPECT_EQ(listado.linea(0), "       `S½             `Ip=  1.20 bar         `S½                         "_w);
    // 800,8 termina en 800 °C.
    limites_listado_tablas = {1.0f, 1.0f, 700.0f, 800.8f, 0, 0};
    EXPECT_EQ(listado_liquido_vapor(1, 1, destino_listado::fichero), 1);
    listado_liquido_vapor(1, 0, destino_listado::ventana);
    EXPECT_EQ(listado.numero(), 1u + 6u + 11u);
    EXPECT_EQ(listado.linea(17).substr(0, 6), "  800 ");
    // Saltos -1 se toman como 0: el listado termina.
    limites_listado_tablas = {1.0f, 1.2f, 0.0f, 100.0f, -1, -1};
    EXPECT_EQ(listado_liquido_vapor(1, 1, destino_listado::ventana), 2);
}

TEST_F(Listados, LiquidoYVaporEmpiezaYAcabaEnLosLimitesPedidos)
{
    // Primera columna: la primera presión del eje que llega a pmin, aunque
    // pmin en f32 quede un pelo por encima (1,1f = 1,1000000238).
    auto primera = [&](float pmin, float pmax) {
        limites_listado_tablas = {pmin, pmax, 0.0f, 10.0f, 0, 0};
        listado_liquido_vapor(1, 0, destino_listado::ventana);
        return listado.linea(0);
    };
    EXPECT_NE(primera(1.1f, 3.0f).find("`Ip=  1.10 bar"), std::string::npos);
    EXPECT_NE(primera(0.3f, 3.0f).find("`Ip=  0.30 bar"), std::string::npos);
    EXPECT_NE(primera(2.2f, 3.0f).find("`Ip=  2.20 bar"), std::string::npos);
    // Última: la primera que llega a pmax; 2,35 acaba en 2,4 (15 columnas
    // de 1 a 2,4 bar: 8 bloques, 8 páginas), y 2,3 y 2,2 en sí mismas: un
    // límite en f32 un pelo por encima no añade la columna siguiente.
    auto titulo_ultima = [&](float pmin, float pmax) {
        limites_listado_tablas = {pmin, pmax, 0.0f, 10.0f, 0, 0};
        const int paginas = listado_liquido_vapor(1, 1, destino_listado::ventana);
        listado_liquido_vapor(paginas, 0, destino_listado::ventana);
        return std::to_string(paginas) + listado.linea(0);
    };
    EXPECT_EQ(titulo_ultima(1.0f, 2.35f), "8       `S½             `Ip=  2.40 bar         `S½                         "_w);
    EXPECT_EQ(titulo_ultima(1.0f, 2.3f), "7       `S½             `Ip=  2.20 bar         `S½              `Ip=  2.30 bar"_w);
    EXPECT_EQ(titulo_ultima(2.1f, 2.2f), "1       `S½             `Ip=  2.10 bar         `S½              `Ip=  2.20 bar"_w);
    // Límites en kg/cm² pasados a bar (1,1 kg/cm² son 1,0787 bar): de 1,1 bar.
    EXPECT_NE(primera(1.1f * 0.980665f, 3.0f).find("`Ip=  1.10 bar"), std::string::npos);
    // Sin ninguna presión del eje dentro del rango, la primera que llega a
    // los dos límites.
    EXPECT_EQ(titulo_ultima(1.15f, 1.18f), "1       `S½             `Ip=  1.20 bar         `S½                         "_w);
}

TEST_F(Listados, LiquidoYVaporFilasDeTminTruncadoATmax)
{
    // Las filas listadas, por su temperatura.
    auto filas = [&](float tmin, float tmax) {
        limites_listado_tablas = {1.0f, 1.0f, tmin, tmax, 0, 0};
        std::string t;
        if (listado_liquido_vapor(1, 1, destino_listado::ventana) == 0) return t;
        listado_liquido_vapor(1, 0, destino_listado::ventana);
        for (std::size_t i = 7; i < listado.numero(); ++i) t += listado.linea(i).substr(0, 6);
        return t;
    };
    // Desde tmin / 10 truncado: 25 empieza en 20; hasta la última que no
    // pasa de tmax (800,8 acaba en 800).
    EXPECT_EQ(filas(25, 60), "   20    30    40    50    60 ");
    EXPECT_EQ(filas(780, 800.8f), "  780   790   800 ");
    // Sin ninguna temperatura de la rejilla dentro: sólo la de tmin
    // truncado, nunca una por encima de tmax.
    EXPECT_EQ(filas(21, 29), "   20 ");
    EXPECT_EQ(filas(25, 25), "   20 ");
    // A un redondeo de f32 de una temperatura de la rejilla cuenta como ella.
    EXPECT_EQ(filas(29.999999f, 60.000001f), "   30    40    50    60 ");
    // tmin por encima de tmax: nada.
    EXPECT_EQ(filas(60, 40), "");
}

TEST_F(Listados, LimitesExtremosNiDesbordanNiLeenFuera)
{
    // Saltos enormes: una columna y una fila, y se acaba.
    limites_listado_tablas = {0.02f, 240.0f, 0.0f, 800.0f, 2147483646, 2147483646};
    EXPECT_EQ(listado_liquido_vapor(1, 1, destino_listado::ventana), 1);
    listado_liquido_vapor(1, 0, destino_listado::ventana);
    EXPECT_EQ(listado.numero(), 1u + 6u + 1u);
    limites_listado_curvas = {0.0061f, 221.2f, 2147483647};
    EXPECT_EQ(filas_curvas(limites_listado_curvas).size(), 1u);
    // Nada por encima de 800 °C ni por debajo de 0,02 bar: la columna de
    // 0 bar nunca se lista.
    limites_listado_tablas = {-5, 0.03f, -100, 1e30f, 0, 0};
    listado_liquido_vapor(1, 0, destino_listado::ventana);
    EXPECT_NE(listado.linea(0).find("`Ip=  0.02 bar"), std::string::npos);
}

// Temperaturas y presiones fuera de la rejilla, o que no son números: un
// número de páginas posible, y cada una se escribe.
TEST_P(TablasConLimitesExtremos, NiDesbordanNiLeenFuera)
{
    limites_listado_tablas = GetParam().limites;
    const int paginas = listado_liquido_vapor(1, 1, destino_listado::ventana);
    EXPECT_GE(paginas, 0);
    EXPECT_LE(paginas, 97 * 6);
    for (int pagina = 1; pagina <= std::min(paginas, 3); ++pagina)
        listado_liquido_vapor(pagina, 0, destino_listado::ventana);
}

INSTANTIATE_TEST_SUITE_P(
    Limites, TablasConLimitesExtremos,
    ::testing::Values(limites_extremos<limites_tablas>{"TemperaturasEnormes", {1, 2, 1e30f, 2e30f, 0, 0}},
                      limites_extremos<limites_tablas>{"TemperaturasDeMenos1e30A1e30", {1, 2, -1e30f, 1e30f, 0, 0}},
                      limites_extremos<limites_tablas>{"TodoNaN", {nan, nan, nan, nan, 0, 0}},
                      limites_extremos<limites_tablas>{"TodoInfinito", {-inf, inf, -inf, inf, 0, 0}},
                      limites_extremos<limites_tablas>{"PresionesEnormes", {1e30f, 2e30f, 0, 800, 0, 0}},
                      limites_extremos<limites_tablas>{"PresionesNegativas", {-5, -1, 0, 800, 0, 0}}),
    nombre_del_parametro<limites_extremos<limites_tablas>>);

// Presiones fuera de la tabla, o que no son números, o un salto negativo:
// nunca más filas que las de la tabla.
TEST_P(CurvasConLimitesExtremos, NiDesbordanNiLeenFuera)
{
    EXPECT_LE(filas_curvas(GetParam().limites).size(), 40u);
}

INSTANTIATE_TEST_SUITE_P(
    Limites, CurvasConLimitesExtremos,
    ::testing::Values(limites_extremos<limites_curvas>{"NaN", {nan, nan, 0}},
                      limites_extremos<limites_curvas>{"PresionesEnormes", {1e30f, 2e30f, 0}},
                      limites_extremos<limites_curvas>{"DeMenos1e30A1e30ConSaltoNegativo", {-1e30f, 1e30f, -5}}),
    nombre_del_parametro<limites_extremos<limites_curvas>>);
