// El corpus de los ensayos de libFuzzer, repasado por sus mismas entradas;
// los ficheros de datos reales de la compilación se aceptan.
#include "zefirant/fuzz/entradas.h"

#include "comun/pruebas/repaso_corpus.h"

const repaso_corpus::corpus corpus_zefirant[] = {
    {"FicherosDeProblema", "problema", ensaya_problema_zefirant, nullptr},
    {"GasesDat", "gases", ensaya_gases_dat, "GASES.DAT"},
    {"GasolinaDat", "gasolina", ensaya_gasolina_dat, "GASOLINA.DAT"},
};

INSTANTIATE_TEST_SUITE_P(Zefirant, RepasoDeCorpus, ::testing::ValuesIn(corpus_zefirant), RepasoDeCorpus::nombre);
