#include "brumalix/motor/ejes_rejilla.h"
#include "brumalix/motor/tablas.h"

#include <algorithm>

namespace {

// Primera de tres líneas consecutivas de un eje creciente, con la más
// próxima en medio (en empate, la superior); en los extremos, las tres
// primeras o las tres últimas.
int primera_de_tres(const float* eje, int n, float valor)
{
    if (valor < eje[1]) return 0;
    if (valor > eje[n - 2]) return n - 3;
    // Primera línea que no queda por debajo del valor (el eje crece), por
    // bisección; la última si no hay ninguna.
    const int k = int(std::lower_bound(eje, eje + n - 1, valor) - eje);
    int c = k - 1;
    if (k >= 1 && double(valor) - eje[k - 1] < double(eje[k]) - valor) c = k - 2;
    if (c < 0) c = 0;
    return c;
}

} // namespace

int columnas_presion(float p)
{
    // La columna de presión 0 nunca entra en las tres.
    const int c = primera_de_tres(eje_presiones, NUM_PRESIONES, p);
    return c == 0 ? 1 : c;
}

int filas_temperatura(float t) { return primera_de_tres(eje_temperaturas, NUM_TEMPERATURAS, t); }
