// Ensayo de libFuzzer: f1-bin.dat con bytes arbitrarios.
#include "brumalix/fuzz/entradas.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n)
{
    ensaya_f1(datos, n);
    return 0;
}
