// Lo que comparten las entradas de los ensayos con datos arbitrarios de los
// dos programas: mensajes mudos, el fallo que para el ensayo y un directorio
// de trabajo propio del proceso para los ficheros ensayados.
#pragma once

#include "comun/mensajes.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace ensayo {

// Los mensajes no se muestran; las preguntas se cancelan.
class sumidero_mudo : public sumidero_mensajes {
public:
    void error(const std::string&) override {}
    void aviso(const std::string&) override {}
    respuesta pregunta(const std::string&, const std::string&, bool) override { return respuesta::cancelar; }
};

// Un fallo del programa que el ensayo debe señalar: se para ahí.
[[noreturn]] inline void falla(const char* programa, const char* que)
{
    std::fprintf(stderr, "ensayo de %s: %s\n", programa, que);
    std::abort();
}

// Directorio de trabajo del proceso (terminado en "/"), que se borra al
// salir. En el montón y sin liberar: el borrado al salir lo usa después de
// que se destruyan los objetos estáticos.
inline const std::string& directorio(const char* programa)
{
    static const std::string* dir = [programa] {
        const std::filesystem::path d =
            std::filesystem::temp_directory_path() / ("ensayo_" + std::string(programa) + "_" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        std::atexit([] {
            std::error_code e;
            std::filesystem::remove_all(*dir, e);
        });
        return new std::string(d.string() + "/");
    }();
    return *dir;
}

// Escribe los datos en el fichero 'nombre' del directorio de trabajo y da su
// ruta.
inline std::string escribe_fichero(const char* programa, const std::string& nombre, const std::uint8_t* datos,
                                   std::size_t n)
{
    const std::string ruta = directorio(programa) + nombre;
    std::FILE* f = std::fopen(ruta.c_str(), "wb");
    if (!f) falla(programa, "no se puede escribir el directorio de trabajo");
    if (n) std::fwrite(datos, 1, n, f);
    std::fclose(f);
    return ruta;
}

}  // namespace ensayo
