#include "comun/binario.h"
#include "comun/formato.h"
#include "comun/texto1252.h"
#include "comun/pruebas/sumidero_prueba.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(Texto1252, LiteralesUnByteCadaCaracter)
{
    EXPECT_STREQ("Hidr\xF3geno (H`D2)", "Hidrógeno (H`D2)"_w);
    EXPECT_STREQ("N\xFAmero", "Número"_w);
    // Raya, barra de Symbol, grado y cúbico: una columna cada uno.
    EXPECT_STREQ("\x97\xBD\xB0\xB3", "—½°³"_w);
    EXPECT_EQ(std::strlen("dm³/kg"_w), 6u);
    EXPECT_STREQ("\x80", "€"_w);
}

TEST(Texto1252, IdaYVueltaConUtf8)
{
    std::string todos;
    for (int b = 0x20; b < 0x100; ++b)
        if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D) todos.push_back(static_cast<char>(b));
    EXPECT_EQ(texto1252::desde_utf8(texto1252::a_utf8(todos)), todos);
    EXPECT_EQ(texto1252::a_utf8("\x97"), "\xE2\x80\x94");
    // Lo que Windows-1252 no tiene y el UTF-8 roto pasan a '?'.
    EXPECT_EQ(texto1252::desde_utf8("a\xE2\x88\x9E" "b"), "a?b");
    EXPECT_EQ(texto1252::desde_utf8("\xC3"), "?");
}

TEST(Texto1252, Utf8MalFormado)
{
    using texto1252::desde_utf8;
    // Un byte inicial seguido de otro inicial: sólo el primero es malo.
    EXPECT_EQ(desde_utf8("a\xC3\xC3\xA9" "b"), "a?\xE9" "b");
    EXPECT_EQ(desde_utf8("\xE2\xC3\xA9"), "?\xE9");
    // Bytes de continuación sueltos.
    EXPECT_EQ(desde_utf8("a\x80" "b\xBF"), "a?b?");
    // Cortado a mitad de un carácter, al final y antes de más texto.
    EXPECT_EQ(desde_utf8("ab\xC3"), "ab?");
    EXPECT_EQ(desde_utf8("ab\xE2\x82"), "ab??");
    EXPECT_EQ(desde_utf8("\xE2\x82" "c"), "??c");
    // Nada más allá del final de la entrada, aunque en memoria siga el resto
    // del carácter.
    const char euro_y_e[] = "x\xE2\x82\xAC\xC3\xA9";
    EXPECT_EQ(desde_utf8(std::string_view(euro_y_e, 3)), "x??");
    EXPECT_EQ(desde_utf8(std::string_view(euro_y_e, 5)), "x\x80?");
    char salida[8];
    EXPECT_EQ(texto1252::convierte(euro_y_e, 5, salida, sizeof salida), -1);
    EXPECT_EQ(texto1252::convierte(euro_y_e, 6, salida, sizeof salida), 3);
}

TEST(Mensajes, ErrorFormateadoYCortadoA199Caracteres)
{
    sumidero_prueba s;
    muestra_error("Estado %d incorrecto", 7);
    muestra_error("%s", std::string(500, 'x').c_str());
    muestra_aviso("aviso %s", "uno");
    ASSERT_EQ(s.errores.size(), 2u);
    EXPECT_EQ(s.errores[0], "Estado 7 incorrecto");
    EXPECT_EQ(s.errores[1].size(), 199u);
    ASSERT_EQ(s.avisos.size(), 1u);
    EXPECT_EQ(s.avisos[0], "aviso uno");
}

TEST(Formato, SinLimiteYConLimite)
{
    EXPECT_EQ(formatea("%s", std::string(5000, 'a').c_str()).size(), 5000u);
    EXPECT_EQ(formatea_n(10, "%d", 1234567890), "123456789");
    EXPECT_EQ(formatea_n(0, "%d", 12), "12");
}

TEST(Binario, LectorNoPasaDelFinal)
{
    unsigned char datos[6];
    binario::pon_f32(datos, 1.5f);
    datos[4] = 0x34;
    datos[5] = 0x92;
    binario::lector l(datos, sizeof datos);
    EXPECT_EQ(l.f32(), 1.5f);
    EXPECT_EQ(l.i16(), static_cast<std::int16_t>(0x9234));
    EXPECT_TRUE(l.bien());
    EXPECT_EQ(l.f32(), 0.0f);
    EXPECT_FALSE(l.bien());
    EXPECT_EQ(l.posicion(), sizeof datos);
}
