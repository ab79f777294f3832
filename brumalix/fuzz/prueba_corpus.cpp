// El corpus de los ensayos de libFuzzer, repasado por sus mismas entradas;
// los ficheros de datos reales de la compilación se aceptan.
#include "entradas.h"

#include "comun/pruebas/repaso_corpus.h"

using namespace repaso_corpus;

TEST(CorpusBrumalix, FicherosDeProblema) { repasa_subdirectorio("problema", ensaya_problema_brumalix); }

TEST(CorpusBrumalix, TablaDeSaturacion)
{
    repasa_subdirectorio("f1", ensaya_f1);
    EXPECT_TRUE(pasa_fichero_de_datos("f1-bin.dat", ensaya_f1));
}

TEST(CorpusBrumalix, RejillaDeLiquidoYVapor)
{
    repasa_subdirectorio("f2", ensaya_f2);
    EXPECT_TRUE(pasa_fichero_de_datos("f2-bin.dat", ensaya_f2));
}
