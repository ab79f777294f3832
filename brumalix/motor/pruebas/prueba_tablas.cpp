#include "brumalix/motor/inicio.h"
#include "brumalix/motor/problema_agua.h"
#include "brumalix/motor/tablas.h"
#include "comun/pruebas/sumidero_prueba.h"
#include "brumalix/motor/pruebas/tabla_sintetica.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(Ejes, PresionesTemperaturasYLimitesDeVapor)
{
    EXPECT_EQ(eje_presiones[0], 0.0f);
    EXPECT_EQ(eje_presiones[1], 0.02f);
    EXPECT_EQ(eje_presiones[35], 1.0f);
    EXPECT_EQ(eje_presiones[193], 230.0f);
    EXPECT_EQ(eje_presiones[194], 240.0f);
    for (int j = 0; j < NUM_PRESIONES; ++j) {
        EXPECT_EQ(eje_presiones[j], static_cast<float>(eje_presiones_listado[j])) << j;
        if (j > 0) {
            EXPECT_GT(eje_presiones_listado[j], eje_presiones_listado[j - 1]) << j;
            EXPECT_GE(t_limite_vapor[j], t_limite_vapor[j - 1]) << j;
        }
    }
    // Las presiones son los valores redondos, no sumas de pasos.
    EXPECT_EQ(eje_presiones_listado[30], 0.75);
    EXPECT_EQ(eje_presiones_listado[64], 3.9);
    EXPECT_EQ(t_limite_vapor[35], 100.0f);
    EXPECT_EQ(t_limite_vapor[192], 380.0f);
    EXPECT_EQ(eje_presiones[192], 220.0f);
    EXPECT_EQ(eje_temperaturas[80], 800.0f);
}

class CargaTablas : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = sintetica::directorio("brumalix_tablas");
        sintetica::escribe(dir / "f1-bin.dat", sintetica::tabla_f1());
        sintetica::escribe(dir / "f2-bin.dat", std::vector<float>(VALORES_F2, 1.0f));
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string directorio() const { return dir.string() + "/"; }
    fs::path dir;
    sumidero_prueba mensajes;
};

TEST_F(CargaTablas, ArranqueDejaElProblemaVacio)
{
    estados_dato[3].p = 5;
    num_equipos = 4;
    ASSERT_EQ(inicializa_datos(directorio()), 1);
    EXPECT_TRUE(mensajes.errores.empty());
    EXPECT_EQ(num_filas_f1, static_cast<int>(sintetica::presiones().size()));
    EXPECT_EQ(datos_f2.size(), VALORES_F2);
    EXPECT_EQ(num_equipos, 0);
    EXPECT_EQ(num_incognitas, 0);
    EXPECT_EQ(tolerancia_saturacion, 0.0002f);
    EXPECT_EQ(estados_dato[3].p, -1.0f);
    EXPECT_EQ(estados_calculo[3].calculado, -1);
    EXPECT_EQ(caudales_directos[0].estado, -1);
}

TEST_F(CargaTablas, FicheroQueFaltaONoTieneSuTamano)
{
    fs::remove(dir / "f2-bin.dat");
    EXPECT_EQ(inicializa_datos(directorio()), 0);
    ASSERT_EQ(mensajes.errores.size(), 1u);
    EXPECT_EQ(mensajes.errores[0].rfind("ERROR al abrir el fichero ", 0), 0u);
    EXPECT_NE(mensajes.errores[0].find("f2-bin.dat"), std::string::npos);

    // f2 de un valor de menos.
    sintetica::escribe(dir / "f2-bin.dat", std::vector<float>(VALORES_F2 - 1, 1.0f));
    EXPECT_EQ(inicializa_datos(directorio()), 0);
    EXPECT_EQ(mensajes.errores.back().rfind("ERROR al leer el fichero ", 0), 0u);
    EXPECT_NE(mensajes.errores.back().find("f2-bin.dat"), std::string::npos);

    // f1 que no es un número entero de filas, o de menos de tres filas; el
    // fallo nombra f1 aunque f2 también esté mal.
    auto f1 = sintetica::tabla_f1();
    f1.pop_back();
    sintetica::escribe(dir / "f1-bin.dat", f1);
    EXPECT_EQ(inicializa_datos(directorio()), 0);
    EXPECT_NE(mensajes.errores.back().find("f1-bin.dat"), std::string::npos);
    sintetica::escribe(dir / "f1-bin.dat", std::vector<float>(22, 1.0f));
    EXPECT_EQ(inicializa_datos(directorio()), 0);
    EXPECT_NE(mensajes.errores.back().find("ERROR al leer el fichero"), std::string::npos);
}
