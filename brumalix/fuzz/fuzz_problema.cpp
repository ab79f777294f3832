// Ensayo de libFuzzer: un fichero de problema con bytes arbitrarios.
#include "brumalix/fuzz/entradas.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n)
{
    ensaya_problema_brumalix(datos, n);
    return 0;
}
