// Ensayo de libFuzzer: f2-bin.dat con bytes arbitrarios.
#include "brumalix/fuzz/entradas.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n)
{
    ensaya_f2(datos, n);
    return 0;
}
