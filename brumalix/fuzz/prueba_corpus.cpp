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

TEST(CorpusBrumalix, FicherosDeProblema) { repasa("problema", ensaya_problema_brumalix); }

TEST(CorpusBrumalix, TablaDeSaturacion)
{
    repasa("f1", ensaya_f1);
    EXPECT_TRUE(pasa(fs::path(DIR_DATOS) / "f1-bin.dat", ensaya_f1));
}

TEST(CorpusBrumalix, RejillaDeLiquidoYVapor)
{
    repasa("f2", ensaya_f2);
    EXPECT_TRUE(pasa(fs::path(DIR_DATOS) / "f2-bin.dat", ensaya_f2));
}
