// Estados del problema: referencias entre ellos, rechazos, unidades y la
// tabla de estados.
#include "brumalix/motor/pruebas/entorno_agua.h"

#include "comun/texto1252.h"

#include <cmath>

namespace {

class Estados : public EntornoAgua {
protected:
    // Estado con dos valores (los demás, sin dar).
    static void pon(int k, float p, float t, float x = -1, float v = -1, float h = -1, float s = -1)
    {
        estado_agua& e = dato(k);
        e.p = p;
        e.t = t;
        e.x = x;
        e.v = v;
        e.h = h;
        e.s = s;
    }
    int calcula_y_mensaje(std::string& mensaje)
    {
        mensajes.errores.clear();
        int r = calcula_estados(nullptr);
        mensaje = mensajes.errores.empty() ? "" : mensajes.errores.back();
        return r;
    }
    // Estado 1 (10 bar, 300 °C) y un estado 2 a 10 bar cuya temperatura es
    // una referencia; el estado 3 sólo define el problema hasta él.
    static void prepara_referencia_t(int ref_t)
    {
        reinicia_problema_agua();
        pon(1, 10, 300);
        pon(2, 10, -1);
        dato(2).ref_t = ref_t;
        pon(3, 1, 200);
    }
};

// La temperatura del estado 2 por referencia a un estado que no puede ser.
class ReferenciaNoValida : public Estados, public ::testing::WithParamInterface<int> {};

std::string nombre_de_referencia(const ::testing::TestParamInfo<int>& i)
{
    return "AlEstado" + nombre_de_numero(i.param);
}

// Los datos del estado 1 y el mensaje con que se rechazan.
struct datos_rechazados {
    const char* nombre;
    float p, t, x, v, h, s;
    const char* mensaje;
};

void PrintTo(const datos_rechazados& d, std::ostream* o) { *o << d.nombre; }

class DatosRechazados : public Estados, public ::testing::WithParamInterface<datos_rechazados> {};

} // namespace

TEST_F(Estados, LasReferenciasSeResuelvenEnPasadasSucesivas)
{
    // El estado 2 toma la presión del 5, que se calcula de (t, s); el 3 toma
    // el título del 4, húmedo.
    pon(1, 10, 300);
    pon(2, -1, 400);
    dato(2).ref_p = 5;
    pon(3, 1, -1);
    dato(3).ref_x = 4;
    pon(4, 5, -1, 0.25f);
    pon(5, -1, 350, -1, -1, -1, 7.0f);
    EXPECT_EQ(primer_estado_incorrecto(), 0);
    EXPECT_EQ(calcula_estados(nullptr), -1);
    EXPECT_TRUE(mensajes.errores.empty());
    EXPECT_EQ(calculado(2).p, calculado(5).p);
    EXPECT_GT(calculado(5).p, 5.0f);
    EXPECT_EQ(calculado(2).x, -2.0f);
    EXPECT_EQ(calculado(3).x, 0.25f);
    EXPECT_NEAR(calculado(3).t, 99.6, 0.1);
    // Exergía: h - 293,15 s + 2,86.
    EXPECT_NEAR(calculado(1).e, calculado(1).h - 293.15 * calculado(1).s + 2.86, 0.01);
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(calculado(k).calculado, 0);
    // La tabla se escribe: título, raya, cuatro cabeceras, raya y 5 filas.
    EXPECT_EQ(resultados.numero(), 12u);
}

TEST_P(ReferenciaNoValida, FallaNombrandoElEstado)
{
    const int ref = GetParam();
    std::string m;
    prepara_referencia_t(ref);
    EXPECT_EQ(calcula_y_mensaje(m), 2);
    EXPECT_EQ(m, formatea("Estado 2: La referencia al estado %d no es válida"_w, ref));
}

// Un estado que no existe (0, negativo, más allá de los 150) o que no está
// definido.
INSTANTIATE_TEST_SUITE_P(Referencias, ReferenciaNoValida, ::testing::Values(0, -3, 151, 4), nombre_de_referencia);

TEST_F(Estados, ReferenciasImposiblesOSinResolverFallanNombrandoElEstado)
{
    std::string m;
    prepara_referencia_t(1);
    dato(2).ref_p = 1;  // presión dada y por referencia a la vez
    EXPECT_EQ(calcula_y_mensaje(m), 2);
    EXPECT_EQ(m, "Estado 2: Un dato está dado a la vez por valor y por referencia"_w);
    const char* sin_resolver = "Estado %d: No se puede calcular (referencias sin resolver)";
    prepara_referencia_t(2);  // a sí mismo
    EXPECT_EQ(calcula_y_mensaje(m), 2);
    EXPECT_EQ(m, formatea(sin_resolver, 2));
    prepara_referencia_t(1);
    dato(2).t = 0.5f;
    dato(2).ref_t = -1;
    dato(2).p = -1;
    dato(2).ref_x = 1;  // el título de un estado de una fase nunca existe
    EXPECT_EQ(calcula_y_mensaje(m), 2);
    EXPECT_EQ(m, formatea(sin_resolver, 2));
    // Sin estados no hay éxito.
    reinicia_problema_agua();
    EXPECT_EQ(calcula_y_mensaje(m), 1);
    EXPECT_EQ(m, "No hay estados definidos");
    EXPECT_EQ(lista_estados(nullptr), 0);
}

TEST_P(DatosRechazados, FallanConSuMensaje)
{
    const datos_rechazados& c = GetParam();
    std::string m;
    pon(1, c.p, c.t, c.x, c.v, c.h, c.s);
    EXPECT_EQ(calcula_y_mensaje(m), 1);
    EXPECT_EQ(m, c.mensaje);
}

INSTANTIATE_TEST_SUITE_P(
    MargenYCombinaciones, DatosRechazados,
    ::testing::Values(
        // En f32, 0,02 bar queda por debajo del límite.
        datos_rechazados{"PresionMinima", 0.02f, 100, -1, -1, -1, -1, "Estado 1: Datos fuera de margen"},
        datos_rechazados{"PorEncimaDeLaPresionCritica", 221.3f, 380, -1, -1, -1, -1, "Estado 1: Datos fuera de margen"},
        datos_rechazados{"TituloMayorQue1", -1, 100, 1.5f, -1, -1, -1, "Estado 1: Datos fuera de margen"},
        datos_rechazados{"TYH", -1, 100, -1, -1, 400, -1, "Estado 1: La combinación (t,h) no está permitida"_w},
        datos_rechazados{"TituloYH", -1, -1, 0.5f, -1, 400, -1,
                         "Estado 1: Las opciones x con h,s o v no están permitidas"_w},
        datos_rechazados{"VYH", -1, -1, -1, 10, 400, -1, "Estado 1: Combinación de datos no permitida"_w}),
    nombre_del_parametro<datos_rechazados>);

TEST_F(Estados, MargenYNumeroDeDatos)
{
    std::string m;
    pon(1, 10, 300);
    dato(1).ref_h = 2;
    EXPECT_EQ(primer_estado_incorrecto(), 1);  // tres datos
    reinicia_problema_agua();
    pon(1, 221.2f, 400);
    EXPECT_EQ(calcula_y_mensaje(m), -1);
}

TEST_F(Estados, UnidadesKcalYKgCm2DeIdaYVuelta)
{
    unidad_energia_kcal = unidad_entropia_kcal = 1;
    unidad_presion_at = 1;
    pon(1, 10, -1, -1, -1, 100);
    ASSERT_EQ(calcula_estados(nullptr), -1);
    EXPECT_FLOAT_EQ(calculado(1).h, 100.0017f);
    EXPECT_FLOAT_EQ(calculado(1).p, 10 * 0.9999998f);
    // La fila lleva 100,00 en la columna de la entalpía.
    EXPECT_NE(resultados.linea(7).find("  100,00 "), std::string::npos) << resultados.linea(7);
}

TEST_F(Estados, TablaDeEstadosLineaALinea)
{
    // Valores puestos a mano en el resultado: sólo se prueba el formato.
    pon(1, 1, 20);
    pon(2, 1, 200);
    pon(3, 1, -1, 0.5f);
    estados_calculo[0] = {0, 1.0f, 20.0f, -4.0f, 1.0018f, 84.0f, 0.2965f, -1, -1, -1, -1, -1, -1, 0.0f};
    estados_calculo[1] = {0, 1.0f, 200.0f, -2.0f, 2172.0f, 2875.3f, 7.8343f, -1, -1, -1, -1, -1, -1, 582.6f};
    estados_calculo[2] = {0, 1.0f, 99.61f, 0.5f, 847.1f, 1546.6f, 4.3619f, -1, -1, -1, -1, -1, -1, 270.8f};
    bool mostrada = false;
    static bool* aviso = &mostrada;
    pon_muestra_resultados([] { *aviso = true; });
    std::FILE* f = std::tmpfile();
    ASSERT_EQ(lista_estados(f), 1);
    pon_muestra_resultados(nullptr);
    EXPECT_TRUE(mostrada);

    const std::string raya(74, '\x97');
    // Las líneas van en una matriz y no en la lista de inicio del vector:
    // clang 14 se cae al escribir un literal _w de esa lista en sus notas.
    const std::string lineas[] = {
        "Agua (líquido y/o vapor): Propiedades de estados introducidos"_w,
        raya,
        "est.`S½ título  presión   tempe-   entalpía   entropía   volumen    exergía  "_w,
        "    `S½         absoluta  ratura  específica específica específico entálpica "_w,
        " n° `S½   `Ix        `Ip        `It         `Ih          `Is          `Iv          `Ie     "_w,
        "    `S½           bar      °C       kJ/kg     kJ/kg K    dm³/kg      kJ/kg   "_w,
        raya,
        "  1 `S½   L       1,000    20,00     84,00     0,29650      1,0018     0,00"_w,
        "  2 `S½   V       1,000   200,00   2875,30     7,83430   2172,0000   582,60"_w,
        "  3 `S½ 0,50000   1,000    99,61   1546,60     4,36190    847,1000   270,80"_w,
    };
    const std::vector<std::string> esperado(std::begin(lineas), std::end(lineas));
    EXPECT_EQ(resultados.todas(), esperado);
    std::string contenido;
    for (const std::string& l : esperado) contenido += l + "\n";
    std::rewind(f);
    std::string leido(contenido.size() + 10, '\0');
    leido.resize(std::fread(leido.data(), 1, leido.size(), f));
    std::fclose(f);
    EXPECT_EQ(leido, contenido);
}

TEST_F(Estados, CabecerasYLimitesSiguenALasUnidades)
{
    unidad_presion_at = 1;
    unidad_energia_kcal = unidad_entropia_kcal = 1;
    traza.borra();
    pon_unidades_cabeceras();
    pon_limites_presion();
    EXPECT_EQ(cabecera_estados[3], "    `S½          kg/cm²    °C      kcal/kg   kcal/kg K   dm³/kg     kcal/kg  "_w);
    EXPECT_FLOAT_EQ(PMINF2, 0.02f * 1.019716f);
    EXPECT_FLOAT_EQ(PMAXF1, 221.2f * 1.019716f);
    ASSERT_EQ(traza.numero(), 1u);
    EXPECT_EQ(traza.linea(0), "PMINF1=0.00622027  PMAXF1=225.561  PMINF2=0.0203943  PMAXF2=244.732");
    reinicia_problema_agua();
    EXPECT_EQ(cabecera_estados[3], "    `S½           bar      °C       kJ/kg     kJ/kg K    dm³/kg      kJ/kg   "_w);
    EXPECT_EQ(PMAXF2, 240.0f);
}
