// Tablas de vapor sintéticas para probar la lógica de búsqueda sin depender
// de los ficheros generados.
#pragma once

#include "comun/binario.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace sintetica {

// Presiones de las filas: densas abajo, 220 y 221,2 bar al final.
inline std::vector<float> presiones()
{
    std::vector<float> p = {0.006f, 0.01f, 0.02f, 0.05f, 0.1f, 0.2f, 0.5f, 1, 2, 5, 10, 20, 50, 100, 150, 200, 210, 215, 220, 221.2f};
    return p;
}

// Columna y de la fila r: cúbica en r, para que la elección de filas se note.
inline float valor(int columna, int r) { return static_cast<float>(columna * 10 + r * r * r * 0.5 + r); }

// Temperatura de la fila: creciente, desde 0 °C hasta pasar de 373,68.
inline float temperatura(int r, int filas) { return r == filas - 1 ? 374.0f : 0.0f + float(r) * 370.0f / float(filas - 2); }

inline void escribe(const std::filesystem::path& ruta, const std::vector<float>& v)
{
    std::FILE* f = std::fopen(ruta.c_str(), "wb");
    binario::escritor w(f);
    for (float x : v) w.f32(x);
    std::fclose(f);
}

inline std::vector<float> tabla_f1(int filas_cortadas = 0)
{
    auto p = presiones();
    int filas = static_cast<int>(p.size()) - filas_cortadas;
    std::vector<float> v;
    for (int r = 0; r < filas; ++r) {
        for (int c = 0; c < 11; ++c) {
            if (c == 0) v.push_back(p[static_cast<std::size_t>(r)]);
            else if (c == 1) v.push_back(temperatura(r, static_cast<int>(p.size())));
            else v.push_back(valor(c, r));
        }
    }
    return v;
}

inline std::filesystem::path directorio(const std::string& nombre)
{
    auto d = std::filesystem::temp_directory_path() / (nombre + "_" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
}

} // namespace sintetica
