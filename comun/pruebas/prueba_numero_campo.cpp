#include "comun/numero_campo.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

namespace {

constexpr forma_numero SIN_SIGNO{};
constexpr forma_numero CON_SIGNO{.signo = true, .blancos = true};

lectura_campo real(const std::string& t, float& v, const forma_numero& f = SIN_SIGNO, double minimo = -FLT_MAX,
                   double maximo = FLT_MAX)
{
    return lee_real_campo(t, f, minimo, maximo, v);
}

} // namespace

TEST(NumeroCampo, RealesConPuntoOComa)
{
    float v = 0;
    EXPECT_EQ(real("2,5", v), lectura_campo::valido);
    EXPECT_EQ(v, 2.5f);
    EXPECT_EQ(real("12.5", v), lectura_campo::valido);
    EXPECT_EQ(v, 12.5f);
    EXPECT_EQ(real(",5", v), lectura_campo::valido);
    EXPECT_EQ(v, 0.5f);
    EXPECT_EQ(real("7.", v), lectura_campo::valido);
    EXPECT_EQ(v, 7.0f);
    // Muchas cifras que dan un número corriente siguen siendo ese número.
    EXPECT_EQ(real("1." + std::string(5000, '0'), v), lectura_campo::valido);
    EXPECT_EQ(v, 1.0f);
    EXPECT_EQ(real("340282346638528859811704183484516925440", v), lectura_campo::valido);
    EXPECT_EQ(v, FLT_MAX);
    EXPECT_EQ(real(" -3,25 ", v, CON_SIGNO), lectura_campo::valido);
    EXPECT_EQ(v, -3.25f);
    EXPECT_EQ(real("+4", v, CON_SIGNO), lectura_campo::valido);
    EXPECT_EQ(v, 4.0f);
    // "-0" no es un número negativo (que contaría como no dado).
    EXPECT_EQ(real("-0", v, CON_SIGNO), lectura_campo::valido);
    EXPECT_FALSE(std::signbit(v));
}

// Signos y blancos en un campo que no los admite: se rechaza y el valor
// no cambia.
class TextoSinSigno : public ::testing::TestWithParam<const char*> {};

TEST_P(TextoSinSigno, SeRechazaSinTocarElValor)
{
    float v = 123;
    EXPECT_EQ(real(GetParam(), v), lectura_campo::incorrecto);
    EXPECT_EQ(v, 123.0f);
}

INSTANTIATE_TEST_SUITE_P(SignosYBlancos, TextoSinSigno, ::testing::Values("-5", "+5", " 5", "5 ", "1-2", "5 7", "."));

// Signos y blancos donde no caben en un campo que admite un signo delante y
// blancos alrededor.
class TextoConSigno : public ::testing::TestWithParam<const char*> {};

TEST_P(TextoConSigno, SeRechaza)
{
    float v = 123;
    EXPECT_EQ(real(GetParam(), v, CON_SIGNO), lectura_campo::incorrecto);
}

INSTANTIATE_TEST_SUITE_P(SignosYBlancos, TextoConSigno, ::testing::Values("--5", "+-5", "- 5", "1 000", "5 7", "1-2"));

TEST(NumeroCampo, LoQueNoCabeEnUnRealDe32BitsSeRechaza)
{
    float v = 123;
    // Desborda el real de 32 bits (o el doble), o se quedaría en 0 o por
    // debajo del menor normal.
    EXPECT_EQ(real(std::string(5000, '9'), v), lectura_campo::incorrecto);
    EXPECT_EQ(real("340282356779733661637539395458142568448", v), lectura_campo::incorrecto);
    EXPECT_EQ(real("0," + std::string(49, '0') + "1", v), lectura_campo::incorrecto);
    EXPECT_EQ(real("0," + std::string(39, '0') + "1", v), lectura_campo::incorrecto);
    EXPECT_EQ(real("0." + std::string(5000, '0') + "1", v), lectura_campo::incorrecto);
    EXPECT_EQ(v, 123.0f);
    // El 0 escrito con ceros de más sí es 0.
    EXPECT_EQ(real("0,000", v), lectura_campo::valido);
    EXPECT_EQ(v, 0.0f);
}

TEST(NumeroCampo, VacioYMargen)
{
    float v = 123;
    EXPECT_EQ(real("", v), lectura_campo::vacio);
    EXPECT_EQ(real("   ", v, CON_SIGNO), lectura_campo::vacio);
    EXPECT_EQ(real("   ", v), lectura_campo::incorrecto);
    EXPECT_EQ(v, 123.0f);
    EXPECT_EQ(real("1", v, SIN_SIGNO, 0, 1), lectura_campo::valido);
    EXPECT_EQ(real("1,0001", v, SIN_SIGNO, 0, 1), lectura_campo::fuera_de_margen);
    EXPECT_EQ(real("-1", v, CON_SIGNO, 0, 1), lectura_campo::fuera_de_margen);
    EXPECT_EQ(v, 1.0f);
}

TEST(NumeroCampo, Enteros)
{
    std::int32_t v = 7;
    EXPECT_EQ(lee_entero_campo("0012", SIN_SIGNO, 0, 32767, v), lectura_campo::valido);
    EXPECT_EQ(v, 12);
    EXPECT_EQ(lee_entero_campo(" 12 ", forma_numero{.blancos = true}, 0, 32767, v), lectura_campo::valido);
    EXPECT_EQ(lee_entero_campo("", SIN_SIGNO, 0, 32767, v), lectura_campo::vacio);
    EXPECT_EQ(lee_entero_campo("32768", SIN_SIGNO, 0, 32767, v), lectura_campo::fuera_de_margen);
    EXPECT_EQ(lee_entero_campo("272", SIN_SIGNO, 273, INT32_MAX, v), lectura_campo::fuera_de_margen);
    EXPECT_EQ(lee_entero_campo(std::string(5000, '9'), SIN_SIGNO, 0, INT32_MAX, v), lectura_campo::fuera_de_margen);
    EXPECT_EQ(lee_entero_campo("2147483648", SIN_SIGNO, 0, INT32_MAX, v), lectura_campo::fuera_de_margen);
    EXPECT_EQ(v, 12);
    EXPECT_EQ(lee_entero_campo(std::string(5000, '0') + "5", SIN_SIGNO, 0, 10, v), lectura_campo::valido);
    EXPECT_EQ(v, 5);
}

// Lo que no es un entero sin signo ni blancos: se rechaza y el valor no
// cambia.
class TextoQueNoEsEntero : public ::testing::TestWithParam<const char*> {};

TEST_P(TextoQueNoEsEntero, SeRechazaSinTocarElValor)
{
    std::int32_t v = 12;
    EXPECT_EQ(lee_entero_campo(GetParam(), SIN_SIGNO, 0, 32767, v), lectura_campo::incorrecto);
    EXPECT_EQ(v, 12);
}

INSTANTIATE_TEST_SUITE_P(Enteros, TextoQueNoEsEntero,
                         ::testing::Values("1.5", "1,5", "-3", "1 2", "0x10", "inf", "12a", " 12"));
