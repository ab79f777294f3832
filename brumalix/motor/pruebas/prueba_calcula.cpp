// El estado de una pareja de datos: fases, códigos de resultado, mensajes y
// comparación con IAPWS-IF97.
#include "brumalix/motor/pruebas/entorno_agua.h"

#include "brumalix/motor/calcula.h"
#include "brumalix/motor/rejilla_agua.h"
#include "brumalix/motor/saturacion.h"
#include "comun/texto1252.h"

#include <cmath>

namespace {

// Valores de la tabla de saturación a una presión o una temperatura.
struct fila_saturacion {
    float t = 0, hl = 0, hv = 0, sl = 0, sv = 0, vl = 0, vv = 0;
};

// La fila de saturación a la presión (POR_PRESION) o la temperatura dada.
fila_saturacion saturacion(int tipo, float valor)
{
    fila_saturacion f;
    EXPECT_EQ(lee_datos_f1(tipo, valor, f.t, f.hl, f.hv, f.sl, f.sv, f.vl, f.vv), 0);
    return f;
}

class Calcula : public EntornoAgua {
protected:
    Calcula() { estado_calculado = 3; }
    // Un rechazo: su código, su mensaje de error y nada escrito en las salidas.
    void espera_rechazo(int codigo, float a, float b, int resultado, const char* texto)
    {
        mensajes.errores.clear();
        salida_calcula o = calcula_pareja(codigo, a, b);
        EXPECT_EQ(o.r, resultado) << "código " << codigo << " (" << a << ", " << b << ")";
        ASSERT_EQ(mensajes.errores.size(), 1u) << "código " << codigo;
        EXPECT_EQ(mensajes.errores[0], std::string("Estado 3: ") + texto);
        EXPECT_EQ(o.p, -7);
        EXPECT_EQ(o.h, -7);
        EXPECT_EQ(o.x, -7);
    }
};

// Un estado de referencia dado por t (°C) y p (bar), con su nombre.
struct estado_tp {
    const char* nombre;
    float t, p;
};

void PrintTo(const estado_tp& e, std::ostream* o) { *o << "t=" << e.t << " p=" << e.p; }


// Una consulta de vapor húmedo al oráculo ("px:p:x" o "tx:t:x"), con su
// nombre.
struct consulta_humedo {
    const char* nombre;
    const char* consulta;
};

void PrintTo(const consulta_humedo& c, std::ostream* o) { *o << c.consulta; }


// Un dato que calcula rechaza: la pareja, su código de resultado y su mensaje.
struct rechazo {
    const char* nombre;
    int codigo;
    float a, b;
    int resultado;
    const char* texto;
};

void PrintTo(const rechazo& r, std::ostream* o)
{
    *o << "pareja " << r.codigo << " (" << r.a << ", " << r.b << ")";
}


// Una pareja de datos con su nombre; el segundo dato, b, o el que da de_fila
// con la fila de saturación a la presión dada (con (t, x), de ninguna fila).
struct pareja_dada {
    const char* nombre;
    int codigo;
    float a, b = 0;
    float (*de_fila)(const fila_saturacion&) = nullptr;
    const char* ultima_traza = nullptr;  // la última línea de la traza, si se comprueba
    float x = -1;                        // el título que debe salir, si se comprueba (0..1)
};

void PrintTo(const pareja_dada& p, std::ostream* o) { *o << p.nombre; }


// El segundo dato de la pareja.
float segundo_dato(const pareja_dada& p)
{
    return p.de_fila ? p.de_fila(saturacion(POR_PRESION, p.a)) : p.b;
}

// Cada estado de referencia de una fase se rehace desde cada pareja.
class EstadoLejosDelPuntoCritico : public Calcula, public ::testing::WithParamInterface<estado_tp> {};
// Cada estado de vapor húmedo, desde cada pareja que lo admite.
class EstadoHumedo : public Calcula, public ::testing::WithParamInterface<consulta_humedo> {};
// (t, s) o (t, v) por encima de la presión crítica.
class IsotermaSupercritica : public Calcula, public ::testing::WithParamInterface<int> {};
class RechazoDeCalcula : public Calcula, public ::testing::WithParamInterface<rechazo> {};
// Un título dado o calculado fuera de 0..1.
class TituloFueraDe0A1 : public Calcula, public ::testing::WithParamInterface<pareja_dada> {};
// Los extremos de la campana.
class ExtremoDeLaCampana : public Calcula, public ::testing::WithParamInterface<pareja_dada> {};
// Un estado de una fase tras uno húmedo.
class EstadoDeUnaFase : public Calcula, public ::testing::WithParamInterface<pareja_dada> {};
// (p, h), (p, s) o (p, v) en el punto crítico de la tabla.
class PuntoCriticoDeLaTabla : public Calcula, public ::testing::WithParamInterface<int> {};

} // namespace

TEST(RejillaAgua, EligeLasTresLineasMasProximas)
{
    EXPECT_EQ(columnas_presion(0.0f), 1);    // la columna de 0 bar nunca entra
    EXPECT_EQ(columnas_presion(0.045f), 1);  // 0,02 0,04 0,06
    EXPECT_EQ(columnas_presion(0.05f), 2);   // empate: la superior en medio
    EXPECT_EQ(columnas_presion(200.0f), 189);
    EXPECT_EQ(columnas_presion(235.0f), 192);
    EXPECT_EQ(filas_temperatura(5.0f), 0);
    EXPECT_EQ(filas_temperatura(15.0f), 1);
    EXPECT_EQ(filas_temperatura(795.0f), 78);
}

// Estados de referencia dados por t y p en líquido, vapor y por encima de la
// temperatura crítica; se rehacen desde cada pareja de datos.
TEST_P(EstadoLejosDelPuntoCritico, CadaParejaCoincideConIf97)
{
    const estado_tp& e = GetParam();
    auto ref = consulta_if97({formatea("tp:%g:%g", e.t, e.p)});
    if (ref.empty()) GTEST_SKIP() << "sin la biblioteca iapws de Python";

    const auto& o = ref[0];
    const bool liquido = o[2] < 2000;
    auto comprueba = [&](const salida_calcula& r, const char* pareja) {
        SCOPED_TRACE(pareja);
        ASSERT_EQ(r.r, 0);
        EXPECT_EQ(r.fase, liquido ? FASE_SALIDA_LIQUIDO : FASE_SALIDA_VAPOR);
        EXPECT_NEAR(r.p, o[0], 0.002 * o[0]);
        EXPECT_NEAR(r.t, o[1], 0.05);
        EXPECT_NEAR(r.h, o[2], 0.5);
        EXPECT_NEAR(r.s, o[3], 0.001);
        EXPECT_NEAR(r.v, o[4], 0.002 * o[4]);
    };
    comprueba(calcula_pareja(COD_TP, o[1], o[0]), "t,p");
    comprueba(calcula_pareja(COD_PH, o[0], o[2]), "p,h");
    comprueba(calcula_pareja(COD_PS, o[0], o[3]), "p,s");
    if (!liquido) {
        comprueba(calcula_pareja(COD_TS, o[1], o[3]), "t,s");
        comprueba(calcula_pareja(COD_TV, o[1], o[4]), "t,v");
        comprueba(calcula_pareja(COD_PV, o[0], o[4]), "p,v");
    }
    EXPECT_TRUE(mensajes.errores.empty());
}

INSTANTIATE_TEST_SUITE_P(ConIf97, EstadoLejosDelPuntoCritico,
                         ::testing::Values(estado_tp{"T15P1", 15, 1}, estado_tp{"T45P5", 45, 5},
                                           estado_tp{"T150P10", 150, 10}, estado_tp{"T250P100", 250, 100},
                                           estado_tp{"T300P150", 300, 150}, estado_tp{"T95P0Coma5", 95, 0.5},
                                           estado_tp{"T150P1", 150, 1}, estado_tp{"T213P10", 213, 10},
                                           estado_tp{"T300P50", 300, 50}, estado_tp{"T450P100", 450, 100},
                                           estado_tp{"T500P100", 500, 100}, estado_tp{"T620P200", 620, 200},
                                           estado_tp{"T790P37", 790, 37}, estado_tp{"T400P150", 400, 150}),
                         nombre_del_parametro<estado_tp>);

TEST_P(EstadoHumedo, CadaParejaCoincideConIf97)
{
    auto ref = consulta_if97({GetParam().consulta});
    if (ref.empty()) GTEST_SKIP() << "sin la biblioteca iapws de Python";
    const auto& o = ref[0];
    const std::pair<const char*, salida_calcula> pares[] = {
        {"p,x", calcula_pareja(COD_PX, o[0], o[5])}, {"t,x", calcula_pareja(COD_TX, o[1], o[5])},
        {"p,h", calcula_pareja(COD_PH, o[0], o[2])}, {"p,s", calcula_pareja(COD_PS, o[0], o[3])},
        {"p,v", calcula_pareja(COD_PV, o[0], o[4])}};
    for (const auto& [pareja, r] : pares) {
        SCOPED_TRACE(pareja);
        ASSERT_EQ(r.r, 0);
        EXPECT_EQ(r.fase, FASE_SALIDA_HUMEDO);
        EXPECT_NEAR(r.p, o[0], 0.001 * o[0]);
        EXPECT_NEAR(r.t, o[1], 0.02);
        EXPECT_NEAR(r.x, o[5], 0.001);
        EXPECT_NEAR(r.h, o[2], 0.5);
        EXPECT_NEAR(r.s, o[3], 0.001);
        EXPECT_NEAR(r.v, o[4], 0.002 * o[4]);
    }
}

INSTANTIATE_TEST_SUITE_P(ConIf97, EstadoHumedo,
                         ::testing::Values(consulta_humedo{"P0Coma1X0Coma9", "px:0.1:0.9"},
                                           consulta_humedo{"P10X0Coma5", "px:10:0.5"},
                                           consulta_humedo{"P100X0Coma2", "px:100:0.2"},
                                           consulta_humedo{"T100X0Coma7", "tx:100:0.7"},
                                           consulta_humedo{"T300X0Coma05", "tx:300:0.05"}),
                         nombre_del_parametro<consulta_humedo>);

// 235 bar y 500 °C: la isoterma encuentra una presión de las columnas por
// encima de la tabla de saturación, y la isobara se usa entera.
TEST_P(IsotermaSupercritica, DaElEstado)
{
    auto ref = consulta_if97({"tp:500:235"});
    if (ref.empty()) GTEST_SKIP() << "sin la biblioteca iapws de Python";
    const auto& o = ref[0];
    const int codigo = GetParam();
    salida_calcula r = calcula_pareja(codigo, 500, codigo == COD_TS ? o[3] : o[4]);
    ASSERT_EQ(r.r, 0);
    EXPECT_EQ(r.fase, FASE_SALIDA_VAPOR);
    EXPECT_NEAR(r.p, 235, 0.5);
    EXPECT_NEAR(r.h, o[2], 1.0);
}

INSTANTIATE_TEST_SUITE_P(Parejas, IsotermaSupercritica, ::testing::Values(COD_TS, COD_TV), nombre_de_codigo);

TEST_F(Calcula, LaBandaDeSaturacionEsRelativaYDa20)
{
    float tsat = 0;
    float psat;
    ASSERT_EQ(calc_psat(100, psat), 0);
    ASSERT_EQ(calc_tsat(psat, tsat), 0);
    salida_calcula r = calcula_pareja(COD_TP, tsat * 1.00015f, psat);
    EXPECT_EQ(r.r, CALCULA_EN_SATURACION);
    ASSERT_EQ(mensajes.avisos.size(), 1u);
    EXPECT_TRUE(mensajes.errores.empty());
    EXPECT_EQ(mensajes.avisos[0], std::string("Estado 3: ") +
                                      "Está en las curvas límite.\nSustituya uno de los parámetros por el título\n"
                                      "(0<x<1) u otra propiedad"_w);
    EXPECT_EQ(r.p, -7);
    // Fuera de la banda (0,03 K por encima a 100 °C) ya es vapor.
    r = calcula_pareja(COD_TP, tsat * 1.0003f, psat);
    EXPECT_EQ(r.r, 0);
    EXPECT_EQ(r.fase, FASE_SALIDA_VAPOR);
}

TEST_F(Calcula, LosLimitesDeLaCampanaSonVaporHumedo)
{
    float t, hl, hv, sl, sv, vl, vv;
    ASSERT_EQ(lee_datos_f1(POR_PRESION, 10, t, hl, hv, sl, sv, vl, vv), 0);
    EXPECT_FLOAT_EQ(calcula_pareja(COD_PH, 10, hv).x, 1.0f);
    EXPECT_FLOAT_EQ(calcula_pareja(COD_PH, 10, hl).x, 0.0f);
    EXPECT_EQ(calcula_pareja(COD_PV, 10, vv).fase, FASE_SALIDA_HUMEDO);
    EXPECT_EQ(calcula_pareja(COD_PH, 10, hl - 1).fase, FASE_SALIDA_LIQUIDO);
    ASSERT_EQ(lee_datos_f1(POR_TEMPERATURA, 150, t, hl, hv, sl, sv, vl, vv), 0);
    espera_rechazo(COD_TS, 150, sv, CALCULA_EN_HUMEDO, "Las combinaciones (t,s) y (t,v) no se permiten en vapor húmedo"_w);
}

TEST_P(RechazoDeCalcula, ConSuMensajeYSuCodigo)
{
    const rechazo& r = GetParam();
    espera_rechazo(r.codigo, r.a, r.b, r.resultado, r.texto);
    EXPECT_TRUE(mensajes.avisos.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rechazos, RechazoDeCalcula,
    ::testing::Values(
        rechazo{"TPPorEncimaDeLaRejilla", COD_TP, 200, 240.5f, 99, "Datos fuera de margen"},
        rechazo{"PXPorEncimaDeLaPresionCritica", COD_PX, 221.3f, 0.5f, 99, "Datos fuera de margen"},
        rechazo{"PHPorDebajoDeLaTabla", COD_PH, 0.005f, 100, 99, "Datos fuera de margen"},
        rechazo{"TSACeroGrados", COD_TS, 0.0f, 9, 99, "Datos fuera de margen"},
        // 800 °C es el último punto de la isobara: no hay valor que dar.
        rechazo{"TPUltimoPuntoDeLaIsobara", COD_TP, 800, 10, 99, "Datos fuera de margen"},
        rechazo{"TSEnLiquido", COD_TS, 50, 0.5f, 2, "Combinación de datos no permitida en líquido"_w},
        rechazo{"PVEnLiquido", COD_PV, 10, 0.5f, 2, "Combinación de datos no permitida en líquido"_w},
        rechazo{"TVEnVaporHumedo", COD_TV, 100, 1000, 4,
                "Las combinaciones (t,s) y (t,v) no se permiten en vapor húmedo"_w},
        rechazo{"TSSinEstado", COD_TS, 500, 4.0f, 98, "Valores de temperatura o entropia fuera de limite"},
        rechazo{"TVSinEstado", COD_TV, 500, 5.0f, 98,
                "Valores de temperatura o de volumen específico fuera de rango"_w},
        // Por debajo de la menor presión de la rejilla (0,02 bar): s = 9,0117
        // a 50 °C daría 0,0142 bar, y v = 100 m³/kg unos 0,015.
        rechazo{"TSPorDebajoDeLaRejilla", COD_TS, 50, 9.0117f, 98, "Valores de temperatura o entropia fuera de limite"},
        rechazo{"TVPorDebajoDeLaRejilla", COD_TV, 50, 100000, 98,
                "Valores de temperatura o de volumen específico fuera de rango"_w},
        rechazo{"PHSinEstado", COD_PH, 10, 4500, 98, "Datos de presión o entalpía fuera de límite"_w},
        rechazo{"PSSinEstado", COD_PS, 10, 9.5f, 98, "Datos de presión o entropía fuera de límite"_w},
        rechazo{"PVSinEstado", COD_PV, 10, 1e6f, 98, "Datos de presión o de volumen específico fuera de límite"_w},
        rechazo{"TXPorEncimaDeLaTemperaturaCritica", COD_TX, 373.69f, 0.5f, 99,
                "Con esta temperatura (373.69) no es posible vapor húmedo"_w}),
    nombre_del_parametro<rechazo>);

// Un título dado o calculado fuera de 0..1 extrapolaría la regla de la
// palanca fuera de la campana (p 10 bar y s -0,01 daba x -0,48 y v -92): se
// rechaza como dato fuera de margen.
TEST_P(TituloFueraDe0A1, SeRechazaComoDatoFueraDeMargen)
{
    const pareja_dada& q = GetParam();
    const float b = segundo_dato(q);
    traza.borra();
    espera_rechazo(q.codigo, q.a, b, 99, "Datos fuera de margen");
    if (q.ultima_traza) {
        ASSERT_FALSE(traza.todas().empty());
        EXPECT_EQ(traza.todas().back(), q.ultima_traza);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Parejas, TituloFueraDe0A1,
    ::testing::Values(pareja_dada{"PSHumedoNegativa", COD_PS_HUMEDO, 10, -0.01f},
                      pareja_dada{"PHHumedoPorEncimaDelVapor", COD_PH_HUMEDO, 10, 0,
                                  [](const fila_saturacion& f) { return f.hv + 50; }},
                      pareja_dada{"PVHumedoPorDebajoDelLiquido", COD_PV_HUMEDO, 10, 0,
                                  [](const fila_saturacion& f) { return f.vl * 0.5f; }},
                      pareja_dada{"TX370", COD_TX, 220, 370}, pareja_dada{"TXMenos0Coma5", COD_TX, 220, -0.5f},
                      pareja_dada{"PX1Coma5", COD_PX, 10, 1.5f, nullptr, "calcula: TITULO FUERA DE 0..1 x=1.5"}),
    nombre_del_parametro<pareja_dada>);

// Los extremos de la campana sí son vapor húmedo.
TEST_P(ExtremoDeLaCampana, EsVaporHumedo)
{
    const pareja_dada& q = GetParam();
    const salida_calcula r = calcula_pareja(q.codigo, q.a, segundo_dato(q));
    EXPECT_EQ(r.r, 0);
    EXPECT_EQ(r.fase, FASE_SALIDA_HUMEDO);
    if (q.x >= 0) {
        EXPECT_FLOAT_EQ(r.x, q.x);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Parejas, ExtremoDeLaCampana,
    ::testing::Values(pareja_dada{"PX0", COD_PX, 10, 0}, pareja_dada{"TX1", COD_TX, 220, 1},
                      pareja_dada{"PSHumedoDelVapor", COD_PS_HUMEDO, 10, 0,
                                  [](const fila_saturacion& f) { return f.sv; }, nullptr, 1.0f},
                      pareja_dada{"PVHumedoDelLiquido", COD_PV_HUMEDO, 10, 0,
                                  [](const fila_saturacion& f) { return f.vl; }}),
    nombre_del_parametro<pareja_dada>);

// En una fase el título sale -1, nunca el de una llamada anterior: ni el de
// un estado húmedo ni uno indefinido.
TEST_P(EstadoDeUnaFase, ElTituloSaleMenos1)
{
    const pareja_dada& q = GetParam();
    ASSERT_EQ(calcula_pareja(COD_PX, 10, 0.3f).x, 0.3f);
    const salida_calcula r = calcula_pareja(q.codigo, q.a, q.b);
    ASSERT_EQ(r.r, 0);
    EXPECT_EQ(r.x, -1.0f);
    EXPECT_EQ(estado_resultado.x, -1.0f);
}

INSTANTIATE_TEST_SUITE_P(Parejas, EstadoDeUnaFase,
                         ::testing::Values(pareja_dada{"TP", COD_TP, 150, 1}, pareja_dada{"PH", COD_PH, 10, 3000},
                                           pareja_dada{"TS", COD_TS, 400, 7.0f},
                                           pareja_dada{"PV", COD_PV, 10, 300}),
                         nombre_del_parametro<pareja_dada>);

TEST_F(Calcula, EnUnaFaseElTituloNoEsElIndefinidoDeAntes)
{
    estado_resultado.x = std::nanf("");
    EXPECT_EQ(calcula_pareja(COD_TP, 50, 10).x, -1.0f);
}

// En el punto crítico de la tabla el líquido y el vapor saturados son el
// mismo: (p, h), (p, s) o (p, v) no dan un título, y se rechazan en lugar de
// dar uno indefinido.
TEST_P(PuntoCriticoDeLaTabla, SinTituloDefinidoSeRechaza)
{
    const fila_saturacion f = saturacion(POR_PRESION, 221.2f);
    ASSERT_EQ(f.hl, f.hv) << "la tabla ya no acaba en el punto crítico";
    const int codigo = GetParam();
    espera_rechazo(codigo, 221.2f, codigo == COD_PH ? f.hl : codigo == COD_PS ? f.sl : f.vl, 99,
                   "Datos fuera de margen");
}

INSTANTIATE_TEST_SUITE_P(Parejas, PuntoCriticoDeLaTabla, ::testing::Values(COD_PH, COD_PS, COD_PV),
                         nombre_de_codigo);

// El punto crítico de la tabla (221,2 bar) queda por encima del real
// (220,64 bar): ni con el título dado hay allí vapor húmedo. 373,68 °C aún
// lo admite.
TEST_F(Calcula, EnElPuntoCriticoDeLaTablaNoHayVaporHumedo)
{
    const fila_saturacion f = saturacion(POR_PRESION, 221.2f);
    ASSERT_EQ(f.hl, f.hv) << "la tabla ya no acaba en el punto crítico";
    espera_rechazo(COD_PX, 221.2f, 0.5f, 99, "Datos fuera de margen");
    EXPECT_EQ(calcula_pareja(COD_TX, 373.68f, 0.5f).r, 0);
}
