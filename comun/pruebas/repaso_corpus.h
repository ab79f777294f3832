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

// Con el directorio del corpus (DIR_CORPUS) y el de los datos de la
// compilación (DIR_DATOS) de la prueba: un subdirectorio del corpus y un
// fichero de datos real.
#ifdef DIR_CORPUS
inline void repasa_subdirectorio(const char* subdirectorio, entrada e)
{
    repasa(std::filesystem::path(DIR_CORPUS) / subdirectorio, e);
}
#endif
#ifdef DIR_DATOS
inline bool pasa_fichero_de_datos(const char* nombre, entrada e)
{
    return pasa(std::filesystem::path(DIR_DATOS) / nombre, e);
}
#endif

}  // namespace repaso_corpus
