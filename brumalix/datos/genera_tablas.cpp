// Genera f1-bin.dat y f2-bin.dat de BRUMALIX con IAPWS-IF97 en el
// directorio dado. Cualquier comprobación que falle detiene la compilación
// sin dejar ficheros a medias.
#include "brumalix/datos/tablas_if97.h"

#include "brumalix/motor/tablas.h"

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "uso: genera_tablas DIRECTORIO\n");
        return 2;
    }
    const std::string dir = argv[1];
    try {
        const auto mal = tablas_if97::desacuerdos_limite_vapor(t_limite_vapor);
        if (!mal.empty()) {
            for (const auto& m : mal) std::fprintf(stderr, "genera_tablas: %s\n", m.c_str());
            std::fprintf(stderr, "genera_tablas: t_limite_vapor no separa líquido y vapor como IF97\n");
            return 1;
        }
        // El refinado busca un error algo menor que el exigido para que
        // cualquier punto entre filas, no sólo los probados, quede dentro.
        std::vector<tablas_if97::fila_f1> filas;
        std::string error;
        if (!tablas_if97::tabla_f1(0.8 * tablas_if97::PRECISION_F1, filas, error)) {
            std::fprintf(stderr, "genera_tablas: %s\n", error.c_str());
            return 1;
        }
        const std::vector<float> rejilla = tablas_if97::rejilla_f2();
        if (!tablas_if97::escribe_f1(dir + "/f1-bin.dat", filas) ||
            !tablas_if97::escribe_f2(dir + "/f2-bin.dat", rejilla)) {
            std::fprintf(stderr, "genera_tablas: no se pudo escribir en %s\n", dir.c_str());
            return 1;
        }
        std::printf("genera_tablas: f1-bin.dat con %zu filas, f2-bin.dat con %zu valores\n", filas.size(),
                    rejilla.size());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "genera_tablas: %s\n", e.what());
        return 1;
    }
    return 0;
}
