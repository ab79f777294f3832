#include "comun/binario.h"

namespace binario {

bool lee_fichero(const std::string& ruta, std::vector<unsigned char>& datos)
{
    std::FILE* f = std::fopen(ruta.c_str(), "rb");
    if (!f) return false;
    std::vector<unsigned char> leidos;
    unsigned char trozo[65536];
    std::size_t n;
    while ((n = std::fread(trozo, 1, sizeof trozo, f)) > 0) leidos.insert(leidos.end(), trozo, trozo + n);
    bool bien = !std::ferror(f);
    std::fclose(f);
    if (bien) datos.swap(leidos);
    return bien;
}

} // namespace binario
