// El corpus de los ensayos de libFuzzer, repasado por sus mismas entradas;
// los ficheros de datos reales de la compilación se aceptan.
#include "brumalix/fuzz/entradas.h"

#include "comun/pruebas/repaso_corpus.h"

const repaso_corpus::corpus corpus_brumalix[] = {
    {"FicherosDeProblema", "problema", ensaya_problema_brumalix, nullptr},
    {"TablaDeSaturacion", "f1", ensaya_f1, "f1-bin.dat"},
    {"RejillaDeLiquidoYVapor", "f2", ensaya_f2, "f2-bin.dat"},
};

INSTANTIATE_TEST_SUITE_P(Brumalix, RepasoDeCorpus, ::testing::ValuesIn(corpus_brumalix), RepasoDeCorpus::nombre);
