#include "brumalix/motor/traza.h"
#include "comun/lineas.h"

#include <gtest/gtest.h>

TEST(RutinasDeTexto, Blancos)
{
    EXPECT_STREQ(salta_blancos("   bar   "), "bar   ");
    EXPECT_STREQ(salta_blancos("    "), "");
    EXPECT_STREQ(salta_blancos("\t x"), "\t x");
    std::string t = "  12,5  ";
    EXPECT_EQ(recorta_blancos(t), 4u);
    EXPECT_EQ(t, "12,5");
    t = "    ";
    EXPECT_EQ(recorta_blancos(t), 0u);
    EXPECT_EQ(t, "");
}

TEST(RutinasDeTexto, CopiaEnColumna)
{
    std::string linea(74, '.');
    std::string antes = linea;
    copia_en_columna(linea, 34, "  kJ/kg  ");
    for (std::size_t i = 0; i < linea.size(); ++i) {
        if (i >= 34 && i <= 42) EXPECT_EQ(linea[i], "  kJ/kg  "[i - 34]) << i;
        else EXPECT_EQ(linea[i], antes[i]) << i;
    }
    // Una línea corta se alarga en lugar de desbordarse.
    std::string corta = "ab";
    EXPECT_EQ(copia_en_columna(corta, 4, "xy"), "ab  xy");
}

TEST(RutinasDeTexto, TrazaCortadaA999Caracteres)
{
    lineas_memoria traza;
    pon_lista_traza(&traza);
    escribe_traza("Paso %d", 3);
    escribe_traza("%s", std::string(3000, 'z').c_str());
    pon_lista_traza(nullptr);
    ASSERT_EQ(traza.numero(), 2u);
    EXPECT_EQ(traza.linea(0), "Paso 3");
    EXPECT_EQ(traza.linea(1).size(), 999u);
}

// Con la lista que descarta, la traza está apagada y nada llega a ninguna
// lista; al volver a una lista de verdad se enciende otra vez.
TEST(RutinasDeTexto, TrazaApagadaYEncendida)
{
    lineas_memoria traza;
    pon_lista_traza(&traza);
    EXPECT_TRUE(traza_activa());
    pon_lista_traza(&traza_descartada());
    EXPECT_FALSE(traza_activa());
    escribe_traza("apagada %d", 1);
    EXPECT_EQ(lista_traza().numero(), 0u);
    pon_lista_traza(&traza);
    EXPECT_TRUE(traza_activa());
    escribe_traza("encendida %d", 2);
    pon_lista_traza(&traza_descartada());
    pon_lista_traza(nullptr);  // la lista propia del motor
    EXPECT_TRUE(traza_activa());
    lista_traza().borra();
    escribe_traza("propia %s", "x");
    EXPECT_EQ(lista_traza().linea(0), "propia x");
    lista_traza().borra();
    ASSERT_EQ(traza.numero(), 1u);
    EXPECT_EQ(traza.linea(0), "encendida 2");
}
