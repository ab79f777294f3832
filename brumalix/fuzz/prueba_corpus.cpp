// El corpus de los ensayos de libFuzzer, repasado por sus mismas entradas;
// los ficheros de datos reales de la compilación se aceptan.
#include "entradas.h"

#include "comun/pruebas/repaso_corpus.h"

using repaso_corpus::corpus;

INSTANTIATE_TEST_SUITE_P(Brumalix, RepasoDeCorpus,
                         ::testing::Values(corpus{"FicherosDeProblema", "problema", ensaya_problema_brumalix, nullptr},
                                           corpus{"TablaDeSaturacion", "f1", ensaya_f1, "f1-bin.dat"},
                                           corpus{"RejillaDeLiquidoYVapor", "f2", ensaya_f2, "f2-bin.dat"}),
                         repaso_corpus::nombre_de_corpus);
