// El corpus de los ensayos de libFuzzer, repasado por sus mismas entradas;
// los ficheros de datos reales de la compilación se aceptan.
#include "entradas.h"

#include "comun/pruebas/repaso_corpus.h"

using namespace repaso_corpus;

TEST(CorpusZefirant, FicherosDeProblema) { repasa_subdirectorio("problema", ensaya_problema_zefirant); }

TEST(CorpusZefirant, GasesDat)
{
    repasa_subdirectorio("gases", ensaya_gases_dat);
    EXPECT_TRUE(pasa_fichero_de_datos("GASES.DAT", ensaya_gases_dat));
}

TEST(CorpusZefirant, GasolinaDat)
{
    repasa_subdirectorio("gasolina", ensaya_gasolina_dat);
    EXPECT_TRUE(pasa_fichero_de_datos("GASOLINA.DAT", ensaya_gasolina_dat));
}
