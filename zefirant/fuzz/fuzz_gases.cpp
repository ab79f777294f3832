// Ensayo de libFuzzer: GASES.DAT con bytes arbitrarios.
#include "zefirant/fuzz/entradas.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n)
{
    ensaya_gases_dat(datos, n);
    return 0;
}
