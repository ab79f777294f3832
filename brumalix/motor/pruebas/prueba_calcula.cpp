// El estado de una pareja de datos: fases, códigos de resultado, mensajes y
// comparación con IAPWS-IF97.
#include "brumalix/motor/pruebas/entorno_agua.h"

#include "brumalix/motor/calcula.h"
#include "brumalix/motor/rejilla_agua.h"
#include "brumalix/motor/saturacion.h"
#include "comun/texto1252.h"

#include <cmath>

namespace {

class prueba_calcula : public entorno_agua {
protected:
    prueba_calcula() { estado_calculado = 3; }
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

} // namespace

TEST(rejilla_agua, elige_las_tres_lineas_mas_proximas)
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

TEST_F(prueba_calcula, cada_pareja_coincide_con_if97_lejos_del_punto_critico)
{
    // Estados de referencia dados por t y p en líquido, vapor y por encima
    // de la temperatura crítica; se rehacen desde cada pareja de datos.
    const std::vector<std::pair<float, float>> tp = {
        {15, 1},   {45, 5},    {150, 10},  {250, 100}, {300, 150}, {95, 0.5},  {150, 1},
        {213, 10}, {300, 50},  {450, 100}, {500, 100}, {620, 200}, {790, 37},  {400, 150},
    };
    std::vector<std::string> consultas;
    for (auto [t, p] : tp) consultas.push_back(formatea("tp:%g:%g", t, p));
    auto ref = consulta_if97(consultas);
    if (ref.empty()) GTEST_SKIP() << "sin la biblioteca iapws de Python";

    for (std::size_t i = 0; i < tp.size(); ++i) {
        const auto& o = ref[i];
        const bool liquido = o[2] < 2000;
        SCOPED_TRACE(formatea("t=%g p=%g", tp[i].first, tp[i].second));
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
        traza.borra();
    }
    EXPECT_TRUE(mensajes.errores.empty());
}

TEST_F(prueba_calcula, vapor_humedo_por_cada_pareja_coincide_con_if97)
{
    auto ref = consulta_if97({"px:0.1:0.9", "px:10:0.5", "px:100:0.2", "tx:100:0.7", "tx:300:0.05"});
    if (ref.empty()) GTEST_SKIP() << "sin la biblioteca iapws de Python";
    for (const auto& o : ref) {
        SCOPED_TRACE(formatea("p=%g x=%g", o[0], o[5]));
        const salida_calcula pares[] = {calcula_pareja(COD_PX, o[0], o[5]), calcula_pareja(COD_TX, o[1], o[5]),
                                calcula_pareja(COD_PH, o[0], o[2]), calcula_pareja(COD_PS, o[0], o[3]),
                                calcula_pareja(COD_PV, o[0], o[4])};
        for (const salida_calcula& r : pares) {
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
}

TEST_F(prueba_calcula, por_encima_de_la_presion_critica_la_isoterma_da_el_estado)
{
    // 235 bar y 500 °C: la isoterma encuentra una presión de las columnas
    // por encima de la tabla de saturación, y la isobara se usa entera.
    auto ref = consulta_if97({"tp:500:235"});
    if (ref.empty()) GTEST_SKIP() << "sin la biblioteca iapws de Python";
    const auto& o = ref[0];
    for (int codigo : {COD_TS, COD_TV}) {
        salida_calcula r = calcula_pareja(codigo, 500, codigo == COD_TS ? o[3] : o[4]);
        ASSERT_EQ(r.r, 0);
        EXPECT_EQ(r.fase, FASE_SALIDA_VAPOR);
        EXPECT_NEAR(r.p, 235, 0.5);
        EXPECT_NEAR(r.h, o[2], 1.0);
    }
}

TEST_F(prueba_calcula, la_banda_de_saturacion_es_relativa_y_da_20)
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

TEST_F(prueba_calcula, los_limites_de_la_campana_son_vapor_humedo)
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

TEST_F(prueba_calcula, cada_rechazo_con_su_mensaje_y_su_codigo)
{
    const char* margen = "Datos fuera de margen";
    espera_rechazo(COD_TP, 200, 240.5f, 99, margen);
    espera_rechazo(COD_PX, 221.3f, 0.5f, 99, margen);
    espera_rechazo(COD_PH, 0.005f, 100, 99, margen);
    espera_rechazo(COD_TS, 0.0f, 9, 99, margen);
    // 800 °C es el último punto de la isobara: no hay valor que dar.
    espera_rechazo(COD_TP, 800, 10, 99, margen);
    espera_rechazo(COD_TS, 50, 0.5f, 2, "Combinación de datos no permitida en líquido"_w);
    espera_rechazo(COD_PV, 10, 0.5f, 2, "Combinación de datos no permitida en líquido"_w);
    espera_rechazo(COD_TV, 100, 1000, 4, "Las combinaciones (t,s) y (t,v) no se permiten en vapor húmedo"_w);
    espera_rechazo(COD_TS, 500, 4.0f, 98, "Valores de temperatura o entropia fuera de limite");
    espera_rechazo(COD_TV, 500, 5.0f, 98, "Valores de temperatura o de volumen específico fuera de rango"_w);
    // Por debajo de la menor presión de la rejilla (0,02 bar): s = 9,0117 a
    // 50 °C daría 0,0142 bar, y v = 100 m³/kg unos 0,015.
    espera_rechazo(COD_TS, 50, 9.0117f, 98, "Valores de temperatura o entropia fuera de limite");
    espera_rechazo(COD_TV, 50, 100000, 98, "Valores de temperatura o de volumen específico fuera de rango"_w);
    espera_rechazo(COD_PH, 10, 4500, 98, "Datos de presión o entalpía fuera de límite"_w);
    espera_rechazo(COD_PS, 10, 9.5f, 98, "Datos de presión o entropía fuera de límite"_w);
    espera_rechazo(COD_PV, 10, 1e6f, 98, "Datos de presión o de volumen específico fuera de límite"_w);
    espera_rechazo(COD_TX, 373.69f, 0.5f, 99, "Con esta temperatura (373.69) no es posible vapor húmedo"_w);
    EXPECT_TRUE(mensajes.avisos.empty());
}

TEST_F(prueba_calcula, vapor_humedo_solo_con_titulo_de_0_a_1)
{
    // Un título dado o calculado fuera de 0..1 extrapolaría la regla de la
    // palanca fuera de la campana (p 10 bar y s -0,01 daba x -0,48 y v
    // -92): se rechaza como dato fuera de margen.
    const char* margen = "Datos fuera de margen";
    float t, hl, hv, sl, sv, vl, vv;
    ASSERT_EQ(lee_datos_f1(POR_PRESION, 10, t, hl, hv, sl, sv, vl, vv), 0);
    espera_rechazo(COD_PS_HUMEDO, 10, -0.01f, 99, margen);
    espera_rechazo(COD_PH_HUMEDO, 10, hv + 50, 99, margen);
    espera_rechazo(COD_PV_HUMEDO, 10, vl * 0.5f, 99, margen);
    espera_rechazo(COD_TX, 220, 370, 99, margen);
    espera_rechazo(COD_TX, 220, -0.5f, 99, margen);
    traza.borra();
    espera_rechazo(COD_PX, 10, 1.5f, 99, margen);
    ASSERT_FALSE(traza.todas().empty());
    EXPECT_EQ(traza.todas().back(), "calcula: TITULO FUERA DE 0..1 x=1.5");
    // Los extremos de la campana sí son vapor húmedo.
    for (const salida_calcula& r : {calcula_pareja(COD_PX, 10, 0), calcula_pareja(COD_TX, 220, 1),
                            calcula_pareja(COD_PS_HUMEDO, 10, sv), calcula_pareja(COD_PV_HUMEDO, 10, vl)}) {
        EXPECT_EQ(r.r, 0);
        EXPECT_EQ(r.fase, FASE_SALIDA_HUMEDO);
    }
    EXPECT_FLOAT_EQ(calcula_pareja(COD_PS_HUMEDO, 10, sv).x, 1.0f);
}

TEST_F(prueba_calcula, en_una_fase_el_titulo_sale_menos_1)
{
    // Nunca el de una llamada anterior: ni el título de un estado húmedo ni
    // uno indefinido.
    ASSERT_EQ(calcula_pareja(COD_PX, 10, 0.3f).x, 0.3f);
    for (const salida_calcula& r : {calcula_pareja(COD_TP, 150, 1), calcula_pareja(COD_PH, 10, 3000),
                            calcula_pareja(COD_TS, 400, 7.0f), calcula_pareja(COD_PV, 10, 300)}) {
        ASSERT_EQ(r.r, 0);
        EXPECT_EQ(r.x, -1.0f);
        EXPECT_EQ(estado_resultado.x, -1.0f);
    }
    estado_resultado.x = std::nanf("");
    EXPECT_EQ(calcula_pareja(COD_TP, 50, 10).x, -1.0f);
}

TEST_F(prueba_calcula, en_el_punto_critico_de_la_tabla_no_sale_un_titulo_indefinido)
{
    float t, hl, hv, sl, sv, vl, vv;
    ASSERT_EQ(lee_datos_f1(POR_PRESION, 221.2f, t, hl, hv, sl, sv, vl, vv), 0);
    ASSERT_EQ(hl, hv) << "la tabla ya no acaba en el punto crítico";
    espera_rechazo(COD_PH, 221.2f, hl, 99, "Datos fuera de margen");
    espera_rechazo(COD_PS, 221.2f, sl, 99, "Datos fuera de margen");
    espera_rechazo(COD_PV, 221.2f, vl, 99, "Datos fuera de margen");
    // Con el título dado sí hay estado, y es finito.
    salida_calcula r = calcula_pareja(COD_PX, 221.2f, 0.5f);
    EXPECT_EQ(r.r, 0);
    EXPECT_FLOAT_EQ(r.h, hl);
    // 373,68 °C aún admite vapor húmedo.
    EXPECT_EQ(calcula_pareja(COD_TX, 373.68f, 0.5f).r, 0);
}
