// Repaso de un corpus de los ensayos de libFuzzer por sus mismas entradas,
// con cualquier compilador: lo que un ensayo encontró queda como prueba.
// Los ficheros "valido_*" deben aceptarse y los "invalido_*" rechazarse; los
// demás sólo deben pasar sin fallo.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace repaso_corpus {

using entrada = bool (*)(const std::uint8_t*, std::size_t);

// Pasa el fichero entero por la entrada; true si lo acepta.
inline bool pasa(const std::filesystem::path& f, entrada e)
{
    std::ifstream in(f, std::ios::binary);
    const std::vector<std::uint8_t> datos{std::istreambuf_iterator<char>(in), {}};
    return e(datos.data(), datos.size());
}

// Pasa cada fichero del directorio, en orden de nombre.
inline void repasa(const std::filesystem::path& dir, entrada e)
{
    std::vector<std::filesystem::path> ficheros;
    for (const auto& f : std::filesystem::directory_iterator(dir)) ficheros.push_back(f.path());
    std::sort(ficheros.begin(), ficheros.end());
    ASSERT_GE(ficheros.size(), 2u) << dir;
    for (const auto& f : ficheros) {
        const std::string nombre = f.filename().string();
        const bool aceptado = pasa(f, e);
        if (nombre.rfind("valido_", 0) == 0) {
            EXPECT_TRUE(aceptado) << nombre;
        } else if (nombre.rfind("invalido_", 0) == 0) {
            EXPECT_FALSE(aceptado) << nombre;
        }
    }
}

// Un corpus de un ensayo: el nombre de su instancia, su subdirectorio del
// corpus, la entrada que lo repasa y, si lo hay, el fichero de datos real de
// la compilación que la entrada debe aceptar.
struct corpus {
    const char* nombre;
    const char* subdirectorio;
    entrada e;
    const char* fichero_de_datos;  // nullptr: ninguno
};

inline void PrintTo(const corpus& c, std::ostream* o) { *o << c.subdirectorio; }

}  // namespace repaso_corpus

// Con el directorio del corpus (DIR_CORPUS) y el de los datos de la
// compilación (DIR_DATOS) de la prueba: cada corpus del programa, que su
// prueba instancia, y su fichero de datos real.
#if defined(DIR_CORPUS) && defined(DIR_DATOS)
class RepasoDeCorpus : public ::testing::TestWithParam<repaso_corpus::corpus> {
public:
    // El nombre de la instancia de cada corpus.
    static std::string nombre(const ::testing::TestParamInfo<repaso_corpus::corpus>& i) { return i.param.nombre; }
};

TEST_P(RepasoDeCorpus, CadaFicheroComoSeEspera)
{
    const repaso_corpus::corpus& c = GetParam();
    repaso_corpus::repasa(std::filesystem::path(DIR_CORPUS) / c.subdirectorio, c.e);
    if (c.fichero_de_datos) {
        EXPECT_TRUE(repaso_corpus::pasa(std::filesystem::path(DIR_DATOS) / c.fichero_de_datos, c.e));
    }
}
#endif
