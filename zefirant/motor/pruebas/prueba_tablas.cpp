#include "zefirant/motor/pruebas/ayuda_pruebas.h"

#include "zefirant/motor/solucion.h"
#include "zefirant/motor/tablas.h"
#include "zefirant/motor/transformaciones.h"
#include "zefirant/motor/unidades.h"

#include "comun/lineas.h"
#include "comun/pruebas/sumidero_prueba.h"

#include <cstdio>
#include <cstring>

namespace {

// Los valores esperados se han calculado aparte, en doble precisión, con las
// relaciones del gas perfecto sobre las filas de GASES.DAT y GASOLINA.DAT
// (interpolación de Lagrange por tres filas), lejos de los límites de
// redondeo de cada campo.

const char* const ESTADOS_AIRE[] = {
    "  1 `S½   1,00   300,00    6208,8    8703,1   199,002        0,9    24,9429",
    "  2 `S½   3,00   300,00    6208,8    8703,1   189,868     2678,6     8,3143",
    "  3 `S½  33,94   600,00   12605,0   17593,6   190,186    11475,8     1,4698",
    "  4 `S½  33,94  1300,00   29637,5   40446,1   215,226    26988,0     3,1845",
    "  5 `S½   7,83   300,00    6208,8    8703,1   181,889     5017,7     3,1845",
    "  6 `S½   1,00   520,85   10873,8   15204,4   215,226     1746,2    43,3053",
};
const char* const TRANSFORMACIONES_AIRE[] = {
    " 1-2  `S½ isoterma     `S½  -2740,3   -2740,3       0,0       0,0     2677,7",
    " 2-3  `S½ `In=1,4000     `S½  -6235,7   -8730,0    6396,2    8890,5     8797,2",
    " 3-4  `S½ isobara      `S½   5820,0       0,0   17032,6   22852,6    15512,2",
    " 4-5  `S½ isócora      `S½      0,0    8314,3  -23428,7  -31743,0   -21970,3",
    " 4-6  `S½ `Sg=1,3504     `S½  18763,7   25241,8  -18763,7  -25241,8   -25241,8",
};
const char* const ESTADOS_AIRE_KG_KCAL[] = {
    "  1 `S½   1,00   300,00      51,2      71,8     1,641        0,0     0,8611",
    "  2 `S½   3,00   300,00      51,2      71,8     1,566       22,1     0,2870",
    "  3 `S½  33,94   600,00     103,9     145,1     1,568       94,6     0,0507",
    "  4 `S½  33,94  1300,00     244,4     333,5     1,775      222,5     0,1099",
    "  5 `S½   7,83   300,00      51,2      71,8     1,500       41,4     0,1099",
    "  6 `S½   1,00   520,85      89,7     125,4     1,775       14,4     1,4951",
};
const char* const TRANSFORMACIONES_AIRE_KG_KCAL[] = {
    " 1-2  `S½ isoterma     `S½    -22,6     -22,6       0,0       0,0       22,1",
    " 2-3  `S½ `In=1,4000     `S½    -51,4     -72,0      52,7      73,3       72,5",
    " 3-4  `S½ isobara      `S½     48,0       0,0     140,5     188,4      127,9",
    " 4-5  `S½ isócora      `S½      0,0      68,6    -193,2    -261,8     -181,2",
    " 4-6  `S½ `Sg=1,3504     `S½    154,7     208,1    -154,7    -208,1     -208,1",
};
const char* const ESTADOS_GASOLINA[] = {
    "  1 `S½   1,00   300,00    6484,4    8978,6   194,325        1,1    24,9429",
    "  2 `S½  22,32   671,08   15349,5   20929,1   194,264    11969,6     2,5000",
    "  3 `S½  74,39  2236,95   63093,4   81692,1   230,018    62251,3     2,5000",
    "  4 `S½  74,39  2988,28   88676,1  113521,4   242,278    90486,6     3,3397",
    "  5 `S½   4,93  1478,38   38495,7   50787,4   235,745    29667,6    24,9429",
};
const char* const TRANSFORMACIONES_GASOLINA[] = {
    " 1-2  `S½ `In=1,3500     `S½  -8815,0  -11900,3    8865,2   11950,4    11968,5",
    " 2-3  `S½ isócora      `S½      0,0  -13019,1   47743,9   60763,1    50281,7",
    " 3-4  `S½ isobara      `S½   6246,8       0,0   25582,6   31829,3    28235,3",
    " 4-5  `S½ `In=1,3500     `S½  35867,9   48421,6  -50180,4  -62734,0   -60819,0",
};
const char* const ESTADOS_GASOLEO[] = {
    "  1 `S½   1,00   300,00    6388,2    8882,5   195,982        1,0    24,9429",
    "  2 `S½  40,77   784,53   17832,8   24355,7   195,570    15595,3     1,6000",
    "  3 `S½  40,77  2250,13   61047,6   79755,8   234,831    59486,0     4,5890",
    "  4 `S½   4,15  1244,16   30359,7   40704,1   230,923    21579,8    24,9429",
};
const char* const TRANSFORMACIONES_GASOLEO[] = {
    " 1-2  `S½ `In=1,3500     `S½ -11510,1  -15538,7   11444,7   15473,2    15594,2",
    " 2-3  `S½ isobara      `S½  12185,4       0,0   43214,8   55400,1    43890,7",
    " 3-4  `S½ `In=1,3500     `S½  23896,9   32260,8  -30687,9  -39051,7   -37906,2",
};

// Las líneas desde 'primera' son las esperadas; compara_filas, además, las
// últimas de la lista.
template <std::size_t N>
void compara_lineas(const lineas_memoria& l, std::size_t primera, const char* const (&esperadas)[N])
{
    for (std::size_t i = 0; i < N; ++i) EXPECT_EQ(l.linea(primera + i), w(esperadas[i])) << "fila " << i + 1;
}
template <std::size_t N>
void compara_filas(const lineas_memoria& l, std::size_t primera, const char* const (&esperadas)[N])
{
    ASSERT_EQ(l.numero(), primera + N);
    compara_lineas(l, primera, esperadas);
}

class Tablas : public ConDatos {
protected:
    // Resuelve estados y transformaciones sin mensajes y saca las dos tablas.
    void calcula()
    {
        std::string texto;
        ASSERT_EQ(resuelve(&texto), 0) << texto;
        ASSERT_EQ(calcula_transformaciones(*p, texto), 1) << texto;
        EXPECT_TRUE(mensajes.errores.empty());
        texto_estados(*p, &estados, nullptr);
        texto_transformaciones(*p, &transformaciones, nullptr);
    }
    // Calcula el problema de un combustible y compara las tres líneas que
    // describen el gas y las filas de las dos tablas.
    template <std::size_t E, std::size_t T>
    void compara_combustible(const char* const (&gas)[3], const char* const (&filas_estados)[E],
                             const char* const (&filas_transformaciones)[T])
    {
        calcula();
        compara_lineas(estados, 1, gas);
        compara_filas(estados, 11, filas_estados);
        compara_filas(transformaciones, 8, filas_transformaciones);
    }
    sumidero_prueba mensajes;
    lineas_memoria estados, transformaciones;
};

TEST_F(Tablas, AireConReferenciasYPolitropica)
{
    problema_aire();
    calcula();
    const char* const cabecera[] = {
        "PROPIEDADES DE ESTADOS INTRODUCIDOS",
        "GAS: Aire     (`IM = 28,965 kg/kmol)",
        "Exergías referidas a `It`D`Ia = 20 °C y `Ip`D`Ia = 1 bar",
    };
    compara_lineas(estados, 0, cabecera);
    EXPECT_EQ(estados.linea(3), raya(73));
    EXPECT_EQ(estados.linea(4), w("est.`S½ presión  temp.    energía   entalpía  entropía  exergía   volumen "));
    EXPECT_EQ(estados.linea(5), w(" n° `S½absoluta absoluta  interna  específica específ. entálpica específico "));
    EXPECT_EQ(estados.linea(6), w("    `S½    `Ip       `IT         `Iu         `Ih         `Is         `Ie         `Iv       "));
    EXPECT_EQ(estados.linea(7), w("    `S½   bar      K      kJ/kmol   kJ/kmol   kJ/kmolK  kJ/kmol    m³/kmol"));
    EXPECT_EQ(estados.linea(8), raya(73));
    compara_filas(estados, 9, ESTADOS_AIRE);

    EXPECT_EQ(transformaciones.linea(0), w("TRANSFORMACIONES TERMODINÁMICAS. GAS: Aire"));
    EXPECT_EQ(transformaciones.linea(1), raya(73));
    EXPECT_EQ(transformaciones.linea(2), w("trans-`S½    tipo      `S½ trabajo            variación  variación  variación"));
    EXPECT_EQ(transformaciones.linea(5),
              w("      `S½              `S½ `IW=`Sò`Ip·`Id`Iv    -`Sò`Iv·`Id`Ip      `M`SD`Iu        `M`SD`Ih         `M`SD`Ie  "));
    EXPECT_EQ(transformaciones.linea(6), w("      `S½              `S½ kJ/kmol    kJ/kmol   kJ/kmol   kJ/kmol    kJ/kmol"));
    EXPECT_EQ(transformaciones.linea(7), raya(73));
    compara_filas(transformaciones, 8, TRANSFORMACIONES_AIRE);
}

TEST_F(Tablas, AirePorKgEnKcal)
{
    unidad_masa_kg = unidad_energia_kcal = 1;
    problema_aire();
    calcula();
    EXPECT_EQ(estados.linea(7), w("    `S½   bar      K      kcal/kg   kcal/kg   kcal/kgK   kcal/kg   m³/kg "));
    compara_filas(estados, 9, ESTADOS_AIRE_KG_KCAL);
    EXPECT_EQ(transformaciones.linea(6), w("      `S½              `S½ kcal/kg    kcal/kg   kcal/kg   kcal/kg   kcal/kg  "));
    compara_filas(transformaciones, 8, TRANSFORMACIONES_AIRE_KG_KCAL);
}

TEST_F(Tablas, GasolinaConCalorEnDosPasos)
{
    problema_gasolina();
    compara_combustible({"GAS: Gasolina,  (`Ic= 85,6%; `Ih= 14,4%; `IH`D`Iu= 43543,0 kJ/kg combustible)",
                         "aire=1,0000; aire(mín) = 14,756 kg/kg combustible; `IM=28,793 kg/kmol",
                         "`Im`Dc = 1,8275 kg combustible/kmol humos; `Im`Dc·`IH`D`Iu = 79573,2  kJ/kmol humos"},
                        ESTADOS_GASOLINA, TRANSFORMACIONES_GASOLINA);
    EXPECT_EQ(estados.linea(5), raya(73));
    EXPECT_EQ(transformaciones.linea(0), w("TRANSFORMACIONES TERMODINÁMICAS. GAS: Gasolina"));
}

TEST_F(Tablas, GasoleoConCalorAPresionConstante)
{
    problema_gasoleo();
    compara_combustible({"GAS: Gasóleo,  (`Ic= 86,0%; `Ih= 12,0%; `IH`D`Iu= 41868,0 kJ/kg combustible)",
                         "aire=1,5000; aire(mín) = 13,981 kg/kg combustible; `IM=29,045 kg/kmol",
                         "`Im`Dc = 1,3232 kg combustible/kmol humos; `Im`Dc·`IH`D`Iu = 55400,1  kJ/kmol humos"},
                        ESTADOS_GASOLEO, TRANSFORMACIONES_GASOLEO);
}

TEST_F(Tablas, CabecerasSinFilasYCasosDeFormato)
{
    pon_gas(GAS_OTRO);
    std::strcpy(p->gas->nombre, "Fuel 2.5   ");
    lineas_memoria l;
    texto_estados(*p, &l, nullptr);
    EXPECT_EQ(l.numero(), 11u);  // combustible: tres líneas de gas
    EXPECT_EQ(l.linea(1).substr(0, 24), "GAS: Fuel 2.5,  (`Ic=  0");  // el nombre conserva su punto
    l.borra();
    texto_transformaciones(*p, &l, nullptr);
    EXPECT_EQ(l.numero(), 8u);
    EXPECT_EQ(l.linea(0), w("TRANSFORMACIONES TERMODINÁMICAS. GAS: Fuel 2.5   "));

    // La línea i de una tabla escrita de nuevo.
    auto linea = [&](int (*tabla)(const problema&, lista_lineas*, std::FILE*), std::size_t i) {
        l.borra();
        tabla(*p, &l, nullptr);
        return l.linea(i);
    };

    // Unidades por kmol en kcal y kg/cm² (con sus erratas).
    unidad_energia_kcal = unidad_presion_at = 1;
    EXPECT_EQ(linea(texto_estados, 9), w("    `S½ kg/cm²     K      kcal/kmol kcal/kmol kcal/molK kcal/kmol  m³/kmol"));
    EXPECT_EQ(linea(texto_transformaciones, 6),
              w("      `S½              `S½ kcal/kmol  kcal/kmol kcal/mol  kcal/kmol kcal/kmol"));

    // Un valor -1 sale como tal; el estado 12 alineado a la izquierda.
    p->num_estados = 1;
    reinicia_estado(p->estados[0]);
    p->num_transformaciones = 1;
    p->transformaciones[0] = {3, 12};
    p->resultados[0] = {};
    p->resultados[0].clase = T_POLITROPICA;
    p->resultados[0].n = 1.3f;
    EXPECT_EQ(linea(texto_estados, 11), w("  1 `S½  -1,00    -1,00      -1,0      -1,0    -1,000       -1,0    -1,0000"));
    EXPECT_EQ(linea(texto_transformaciones, 8),
              w(" 3-12 `S½ `In=1,3000     `S½      0,0       0,0       0,0       0,0        0,0"));
}

} // namespace
