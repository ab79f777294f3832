#include "zefirant/motor/pruebas/ayuda_pruebas.h"

#include "zefirant/motor/rejilla.h"
#include "zefirant/motor/solucion.h"
#include "zefirant/motor/transformaciones.h"
#include "zefirant/motor/unidades.h"

#include "comun/lineas.h"
#include "comun/pruebas/sumidero_prueba.h"

#include <cmath>

namespace {

constexpr double R = 8.3143;

class Solucion : public ConDatos {
protected:
    const float* resuelto(int numero) const { return p->estados[numero - 1].prop; }
    estado& con(float T, float pres) { return nuevo_estado({{E_TEMP, T}, {E_PRES, pres}}); }
    sumidero_prueba mensajes;
    std::string texto;
};

TEST_F(Solucion, PresionEnKgCm2SeConvierteABar)
{
    unidad_presion_at = 1;
    pon_gas(GAS_AIRE);
    con(300, 2);
    nuevo_estado({{E_TEMP, 600}}, {{E_PRES, 1}});
    nueva_transformacion(1, 2);
    ASSERT_EQ(resuelve(&texto), 0) << texto;
    EXPECT_NEAR(resuelto(1)[E_PRES], 2, 1e-5);  // 1,96133 bar dentro, 2 at fuera
    EXPECT_NEAR(resuelto(1)[E_VOL], 0.083143 * 300 / (2 * 0.980665), 1e-5);
    EXPECT_NEAR(resuelto(1)[E_ENTROP], p->gas->tabla[1].s0 - R * std::log(2 * 0.980665), 1e-4);
    // El trabajo de la isobara, con la presión en bar, es R·(T2 - T1).
    ASSERT_EQ(calcula_transformaciones(*p, texto), 1) << texto;
    EXPECT_NEAR(p->resultados[0].W, R * 300, 0.01);
}

TEST_F(Solucion, EntalpiaPorKgEnKcal)
{
    unidad_masa_kg = unidad_energia_kcal = 1;
    pon_gas(GAS_AIRE);
    nuevo_estado({{E_ENTAL, 100}, {E_PRES, 1}});
    ASSERT_EQ(resuelve(&texto), 0) << texto;
    float cv0, cp, s0;
    propiedades_a_T(resuelto(1)[E_TEMP], *p->gas, cv0, cp, s0);
    EXPECT_NEAR(cp * resuelto(1)[E_TEMP], 100.0 * p->gas->M * 4.1868, 0.5);
    EXPECT_NEAR(resuelto(1)[E_ENTAL], 100, 1e-3);
}

TEST_F(Solucion, ReferenciasYParejasQueNoSirven)
{
    pon_gas(GAS_AIRE);
    EXPECT_EQ(comprueba_datos_estados(*p), 1);  // sin estados
    con(300, 1);
    nuevo_estado({{E_PRES, 2}}, {{E_TEMP, 3}});  // toma T de un estado posterior
    con(450, 5);
    ASSERT_EQ(comprueba_datos_estados(*p), 0);
    ASSERT_EQ(resuelve(&texto), 0) << texto;
    EXPECT_EQ(resuelto(2)[E_TEMP], 450);

    auto falla = [&](int estado, const char* esperado) {
        EXPECT_EQ(resuelve(&texto), estado);
        EXPECT_EQ(texto, esperado);
    };
    for (int r : {0, 4}) {
        p->datos[1].referencia[E_TEMP] = r;
        falla(2, "ERROR: No existe estado referido en 2");
    }
    p->datos[1].referencia[E_TEMP] = 3;
    p->datos[2].prop[E_TEMP] = -1, p->datos[2].referencia[E_TEMP] = 2;  // se esperan
    falla(2, "ERROR: No se puede calcular el estado 2");
    p->num_estados = 1;
    p->datos[0].prop[E_ENTAL] = 9000, p->datos[0].prop[E_PRES] = -1;  // T con h
    falla(1, "ERROR: Propiedades incompatibles en estado 1");
    p->datos[0].prop[E_ENTAL] = -1, p->datos[0].prop[E_PRES] = 0;  // 0 cuenta, pero no elige
    EXPECT_EQ(comprueba_datos_estados(*p), 0);
    falla(1, "ERROR: Propiedades incompatibles en estado 1");
}

TEST_F(Solucion, CalorLiberadoConAireEscaso)
{
    pon_gas(GAS_GASOLINA, 0.8f);  // sólo arde el 80 % del combustible
    con(600, 10);
    nuevo_estado({{E_XV, 0.6f}}, {{E_VOL, 1}});
    ASSERT_EQ(completa_fraccion_siguiente(*p, 1), 1);
    EXPECT_EQ(p->datos[2].marca, 1);
    EXPECT_FLOAT_EQ(p->datos[2].prop[E_XP], 0.4f);
    EXPECT_EQ(p->datos[2].referencia[E_PRES], 2);
    nuevo_estado();
    EXPECT_EQ(completa_fraccion_siguiente(*p, 2), 0);  // ya preparado
    ASSERT_EQ(resuelve(&texto), 0) << texto;
    const double q = double(p->gas->m_c) * p->gas->Hu * 0.8;
    EXPECT_NEAR(resuelto(2)[E_UINT], resuelto(1)[E_UINT] + 0.6 * q, 0.05);
    EXPECT_NEAR(resuelto(3)[E_ENTAL], resuelto(2)[E_ENTAL] + 0.4 * q, 0.05);
    // En el primer estado no hay calor que liberar.
    reinicia_estado(p->datos[0]);
    p->datos[0].prop[E_XV] = 0.6f, p->datos[0].prop[E_VOL] = 20;
    EXPECT_EQ(resuelve(&texto), 1);
    EXPECT_EQ(texto, "ERROR: Propiedades incompatibles en estado 1");
}

// Un estado preparado sigue al estado del que sale: se rehace con el resto
// de su calor, o queda libre cuando ese estado ya no reparte su calor.
TEST_F(Solucion, EstadosPreparadosSiguenAlEstadoDelQueSalen)
{
    pon_gas(GAS_GASOLINA, 1.0f);
    con(300, 1);
    estado& e2 = nuevo_estado({{E_XV, 0.4f}}, {{E_VOL, 1}});
    ASSERT_EQ(completa_fraccion_siguiente(*p, 1), 1);
    p->num_estados = 3;
    // De x_v a x_p: el siguiente pasa a x_v con el volumen del estado 2.
    e2.prop[E_XV] = -1, e2.prop[E_XP] = 0.3f;
    EXPECT_EQ(rehace_estados_preparados(*p, 3), 3);
    EXPECT_EQ(p->datos[2].marca, 1);
    EXPECT_FLOAT_EQ(p->datos[2].prop[E_XV], 0.7f);
    EXPECT_EQ(p->datos[2].prop[E_XP], -1.0f);
    EXPECT_EQ(p->datos[2].referencia[E_VOL], 2);
    EXPECT_EQ(p->datos[2].referencia[E_PRES], -1);
    // Todo el calor en el estado 2: el 3, el último, queda libre y sobra.
    e2.prop[E_XP] = 1;
    EXPECT_EQ(rehace_estados_preparados(*p, 3), 2);
    EXPECT_EQ(p->datos[2].marca, 0);
    EXPECT_EQ(cuenta_datos(p->datos[2], 0), 0);
    // Libre en medio del problema: sigue contando, vacío.
    e2.prop[E_XP] = 0.5f;
    completa_fraccion_siguiente(*p, 1);
    con(400, 1);
    e2.prop[E_XP] = -1;
    EXPECT_EQ(rehace_estados_preparados(*p, 4), 4);
    EXPECT_EQ(p->datos[2].marca, 0);
    EXPECT_EQ(cuenta_datos(p->datos[2], 0), 0);
    // Los estados que no son preparados (el 3, vacío, y el 4, tecleado) no
    // se rehacen aquí.
    e2.prop[E_XV] = 0.4f;
    EXPECT_EQ(rehace_estados_preparados(*p, 4), 4);
    EXPECT_EQ(cuenta_datos(p->datos[2], 0), 0);
    EXPECT_EQ(p->datos[3].prop[E_TEMP], 400.0f);
}

// Los estados seguidos que liberan calor nunca liberan más que el calor
// entero del combustible; una cadena acaba en el primer estado sin fracción.
TEST_F(Solucion, UnaCadenaDeCalorNoPasaDelCalorEntero)
{
    pon_gas(GAS_GASOLINA, 1.0f);
    con(300, 1);
    nuevo_estado({{E_XV, 0.4f}}, {{E_VOL, 1}});
    estado& e3 = nuevo_estado({{E_XP, 0.6f}}, {{E_PRES, 2}});
    ASSERT_EQ(resuelve(&texto), 0) << texto;
    e3.prop[E_XP] = 0.7f;
    EXPECT_EQ(resuelve(&texto), 3);
    EXPECT_EQ(texto, "ERROR: Datos fuera de margen en el estado 3");
    e3.prop[E_XP] = 0.6f;
    estado& e4 = nuevo_estado({{E_XV, 0.1f}}, {{E_VOL, 3}});
    EXPECT_EQ(resuelve(&texto), 4);
    EXPECT_EQ(texto, "ERROR: Datos fuera de margen en el estado 4");
    // Tras un estado sin fracción empieza otra cadena.
    e4.prop[E_XV] = -1, e4.prop[E_TEMP] = 400, e4.referencia[E_VOL] = -1, e4.prop[E_PRES] = 1;
    nuevo_estado({{E_XV, 0.9f}}, {{E_VOL, 4}});
    EXPECT_EQ(resuelve(&texto), 0) << texto;
}

TEST_F(Solucion, PolitropicaImposibleSiempreAvisa)
{
    pon_gas(GAS_AIRE);
    con(300, 1);
    estado& e = nuevo_estado();
    for (float n : {0.0f, 1.0f}) {  // dividirían por cero
        reinicia_estado(e);
        e.prop[E_POLI] = n, e.prop[E_TEMP] = 400;
        EXPECT_EQ(resuelve(&texto), 2) << n;
        EXPECT_EQ(texto, "ERROR: Datos fuera de margen en el estado 2") << n;
        estado directo = e;
        EXPECT_EQ(estado_politropico(directo, p->estados[0], *p->gas, 1), 0);
        EXPECT_EQ(mensajes.errores.back(), "ERROR: Datos fuera de margen en estado 2.");
        EXPECT_TRUE(std::isfinite(directo.prop[E_PRES]));
    }
    // Fuera de -100..100 tampoco vale, aunque la relación se pudiera calcular.
    for (float n : {100.5f, 150.0f}) {
        reinicia_estado(e);
        e.prop[E_POLI] = n, e.prop[E_TEMP] = 400;
        EXPECT_EQ(resuelve(&texto), 2) << n;
        EXPECT_EQ(texto, "ERROR: Datos fuera de margen en el estado 2") << n;
    }
    e.prop[E_POLI] = 100;
    EXPECT_EQ(resuelve(&texto), 0) << texto;
    e.prop[E_POLI] = 1.3f, e.prop[E_TEMP] = -1, e.prop[E_PRES] = 0;  // sin pareja
    EXPECT_EQ(resuelve(&texto), 2);
    EXPECT_EQ(mensajes.errores.back(), "ERROR: Propiedades incompatibles en estado 2");
    e.prop[E_PRES] = -1, e.prop[E_ENTROP] = 200;
    EXPECT_EQ(resuelve(&texto), 2);
    EXPECT_EQ(mensajes.errores.back(), w("ERROR: Combinación incompatible (s, n) en estado 2"));
}

TEST_F(Solucion, MetanoYAmoniacoHasta1500KPorTodosLosCaminos)
{
    pon_gas(GAS_METANO);
    estado& e = con(1000, 1);
    ASSERT_EQ(resuelve(&texto), 0) << texto;
    const float s_1000 = resuelto(1)[E_ENTROP];
    e.prop[E_TEMP] = 1600;
    EXPECT_EQ(resuelve(&texto), 1);
    EXPECT_EQ(texto, "ERROR: Datos fuera de margen en el estado 1");
    e.prop[E_TEMP] = -1, e.prop[E_VOL] = static_cast<float>(0.083143 * 1600);  // p·v
    EXPECT_EQ(resuelve(&texto), 1);
    EXPECT_EQ(texto, "ERROR: Datos fuera de margen en estado 1.");
    e.prop[E_VOL] = -1, e.prop[E_ENTROP] = s_1000 + 40;  // p y s
    EXPECT_EQ(resuelve(&texto), 1);
    EXPECT_EQ(texto, "ERROR: Datos fuera de margen en estado 1.");
    e.prop[E_ENTROP] = s_1000;
    ASSERT_EQ(resuelve(&texto), 0) << texto;
    EXPECT_NEAR(resuelto(1)[E_TEMP], 1000, 1);
    estado& f = nuevo_estado({{E_POLI, 1.3f}, {E_PRES, 100}});  // enlace politrópico
    EXPECT_EQ(resuelve(&texto), 2);
    EXPECT_EQ(mensajes.errores.back(), "ERROR: Datos fuera de margen en estado 2.");
    pon_gas(GAS_AMONIACO);
    f.prop[E_PRES] = 2;
    EXPECT_EQ(resuelve(&texto), 0) << texto;
}

TEST_F(Solucion, SinInfinitosNiCajasDeRastro)
{
    pon_gas(GAS_AIRE);
    lineas_memoria registro;
    pon_lista_registro(&registro);
    estado& e = nuevo_estado({{E_ENTROP, 200}, {E_VOL, 20}});  // búsqueda por s y v
    EXPECT_EQ(resuelve(&texto), 0) << texto;
    pon_lista_registro(nullptr);
    EXPECT_TRUE(mensajes.errores.empty());
    ASSERT_EQ(registro.numero(), 1u);
    EXPECT_EQ(registro.linea(0), "e->prop[E_VOL]=20");
    // Una masa molar nula por kg daría infinitos: fallo del estado.
    unidad_masa_kg = 1;
    p->gas->M = 0;
    e.prop[E_ENTROP] = e.prop[E_VOL] = -1, e.prop[E_TEMP] = 300, e.prop[E_PRES] = 1;
    EXPECT_EQ(resuelve(&texto), 1);
    EXPECT_EQ(texto, "ERROR: Datos fuera de margen en estado 1.");
}

// Transformaciones entre estados fijados a mano.
class Transformaciones : public Solucion {
protected:
    void SetUp() override
    {
        Solucion::SetUp();
        pon_gas(GAS_AIRE);
        p->num_estados = 4;
        for (int i = 0; i < 4; ++i) {
            float* v = p->estados[i].prop;
            const float f = static_cast<float>(i);
            v[E_TEMP] = 300 + 100.0f * f, v[E_PRES] = 1 + f, v[E_ENTROP] = 200 + f;
            v[E_VOL] = static_cast<float>(0.083143 * v[E_TEMP] / v[E_PRES]);
            v[E_UINT] = v[E_ENTAL] = v[E_EXERG] = 1000.0f * f;
        }
        p->estados[1].prop[E_TEMP] = 300, p->estados[0].prop[E_PRES] = 4;  // isoterma, p1 = 2·p2
        nueva_transformacion(1, 2);
        nueva_transformacion(3, 4);
    }
};

TEST_F(Transformaciones, IgualdadExactaUnidadesYNumeracion)
{
    p->estados[3].prop[E_PRES] = std::nextafter(p->estados[2].prop[E_PRES], 10.0f);  // no es isobara
    ASSERT_EQ(calcula_transformaciones(*p, texto), 1);
    EXPECT_EQ(p->resultados[0].clase, T_ISOTERMA);
    EXPECT_NEAR(p->resultados[0].W, R * 300 * std::log(2.0), 1e-3);
    EXPECT_EQ(p->resultados[0].Wt, p->resultados[0].W);
    EXPECT_EQ(p->resultados[1].clase, T_POLITROPICA);
    unidad_energia_kcal = 1;
    ASSERT_EQ(calcula_transformaciones(*p, texto), 1);
    EXPECT_NEAR(p->resultados[0].W, R * 300 * std::log(2.0) / 4.1868, 1e-3);
    // Un estado que no existe: se numera la transformación.
    p->transformaciones[1] = {3, 5};
    EXPECT_EQ(calcula_transformaciones(*p, texto), 0);
    EXPECT_EQ(texto, w("ERROR: No hay estados definidos en transformación 2"));
}

// Un daño a los valores de un estado, como los que deja una tabla de gas
// dañada, con su nombre.
struct dano_estado {
    const char* nombre;
    void (*aplica)(float*);
};

void PrintTo(const dano_estado& d, std::ostream* o) { *o << d.nombre; }

class TransformacionNoFinita : public Transformaciones, public ::testing::WithParamInterface<dano_estado> {};

// La segunda transformación, del estado 3 (con u y e enormes) al 4 dañado:
// se rechaza y la primera queda calculada; sin el daño, se calcula.
TEST_P(TransformacionNoFinita, SeRechaza)
{
    p->estados[2].prop[E_UINT] = 3e38f;
    p->estados[2].prop[E_EXERG] = -3.4e38f;
    const estado sano = p->estados[3];
    GetParam().aplica(p->estados[3].prop);
    p->resultados[0] = {};
    EXPECT_EQ(calcula_transformaciones(*p, texto), 0);
    EXPECT_EQ(texto, w("ERROR: Datos fuera de margen en transformación 2"));
    EXPECT_EQ(p->resultados[0].clase, T_ISOTERMA);  // la primera sí quedó calculada
    p->estados[3] = sano;
    EXPECT_EQ(calcula_transformaciones(*p, texto), 1) << texto;
}

// du infinita, de infinita, W y Wt indefinidos, h infinita.
INSTANTIATE_TEST_SUITE_P(Danos, TransformacionNoFinita,
                         ::testing::Values(dano_estado{"UEnorme", [](float* v) { v[E_UINT] = -3e38f; }},
                                           dano_estado{"EEnorme", [](float* v) { v[E_EXERG] = 3.4e38f; }},
                                           dano_estado{"TIndefinida", [](float* v) { v[E_TEMP] = std::nanf(""); }},
                                           dano_estado{"HInfinita", [](float* v) { v[E_ENTAL] = INFINITY; }}),
                         [](const ::testing::TestParamInfo<dano_estado>& i) { return std::string(i.param.nombre); });

TEST_F(Transformaciones, ExponenteUnoSinInfinitos)
{
    // p·v igual con temperaturas que difieren en el último bit.
    float* a = p->estados[2].prop;
    float* b = p->estados[3].prop;
    a[E_PRES] = 2, a[E_VOL] = 4, b[E_PRES] = 4, b[E_VOL] = 2;
    b[E_TEMP] = std::nextafter(a[E_TEMP], 1000.0f);
    ASSERT_EQ(calcula_transformaciones(*p, texto), 1);
    EXPECT_EQ(p->resultados[1].n, 1.0f);
    EXPECT_TRUE(std::isfinite(p->resultados[1].W) && std::isfinite(p->resultados[1].Wt));
}

} // namespace
