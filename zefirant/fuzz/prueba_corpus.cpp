// El corpus de los ensayos de libFuzzer, repasado por sus mismas entradas;
// los ficheros de datos reales de la compilación se aceptan.
#include "entradas.h"

#include "comun/pruebas/repaso_corpus.h"

namespace fs = std::filesystem;
using repaso_corpus::pasa;

namespace {

void repasa(const char* subdirectorio, repaso_corpus::entrada e)
{
    repaso_corpus::repasa(fs::path(DIR_CORPUS) / subdirectorio, e);
}

} // namespace

TEST(CorpusZefirant, FicherosDeProblema) { repasa("problema", ensaya_problema_zefirant); }

TEST(CorpusZefirant, GasesDat)
{
    repasa("gases", ensaya_gases_dat);
    EXPECT_TRUE(pasa(fs::path(DIR_DATOS) / "GASES.DAT", ensaya_gases_dat));
}

TEST(CorpusZefirant, GasolinaDat)
{
    repasa("gasolina", ensaya_gasolina_dat);
    EXPECT_TRUE(pasa(fs::path(DIR_DATOS) / "GASOLINA.DAT", ensaya_gasolina_dat));
}
