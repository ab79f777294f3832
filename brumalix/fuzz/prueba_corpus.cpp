// Repasa el corpus de los ensayos de libFuzzer por sus mismas entradas, con
// cualquier compilador: lo que un ensayo encontró queda aquí como prueba.
// Los ficheros "valido_*" deben aceptarse y los "invalido_*" rechazarse; los
// demás sólo deben pasar sin fallo. Los ficheros de datos reales de la
// compilación se aceptan.
#include "entradas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {

using entrada = bool (*)(const std::uint8_t*, std::size_t);

bool pasa(const fs::path& f, entrada e)
{
    std::ifstream in(f, std::ios::binary);
    const std::vector<std::uint8_t> datos{std::istreambuf_iterator<char>(in), {}};
    return e(datos.data(), datos.size());
}

void repasa(const char* subdirectorio, entrada e)
{
    const fs::path dir = fs::path(DIR_CORPUS) / subdirectorio;
    std::vector<fs::path> ficheros;
    for (const auto& f : fs::directory_iterator(dir)) ficheros.push_back(f.path());
    std::sort(ficheros.begin(), ficheros.end());
    ASSERT_GE(ficheros.size(), 2u) << dir;
    for (const fs::path& f : ficheros) {
        const std::string nombre = f.filename().string();
        const bool aceptado = pasa(f, e);
        if (nombre.rfind("valido_", 0) == 0) {
            EXPECT_TRUE(aceptado) << nombre;
        } else if (nombre.rfind("invalido_", 0) == 0) {
            EXPECT_FALSE(aceptado) << nombre;
        }
    }
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
