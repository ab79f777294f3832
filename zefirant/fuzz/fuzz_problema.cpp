// Ensayo de libFuzzer: un fichero de problema con bytes arbitrarios.
#include "zefirant/fuzz/entradas.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n)
{
    ensaya_problema_zefirant(datos, n);
    return 0;
}
