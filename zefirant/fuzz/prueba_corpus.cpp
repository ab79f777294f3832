// El corpus de los ensayos de libFuzzer, repasado por sus mismas entradas;
// los ficheros de datos reales de la compilación se aceptan.
#include "entradas.h"

#include "comun/pruebas/repaso_corpus.h"

using repaso_corpus::corpus;

INSTANTIATE_TEST_SUITE_P(Zefirant, RepasoDeCorpus,
                         ::testing::Values(corpus{"FicherosDeProblema", "problema", ensaya_problema_zefirant, nullptr},
                                           corpus{"GasesDat", "gases", ensaya_gases_dat, "GASES.DAT"},
                                           corpus{"GasolinaDat", "gasolina", ensaya_gasolina_dat, "GASOLINA.DAT"}),
                         repaso_corpus::nombre_de_corpus);
