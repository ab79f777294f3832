// Dibujo de las listas marcadas de ZEFIRANT: Courier New de 13 píxeles
// (10 puntos) a paso de 8 píxeles, subíndices de 8 puntos 4 píxeles más
// abajo, cursivas y "`M" 2 píxeles a la izquierda.
#pragma once

#include "plataforma/lista_marcado.h"

inline estilo_marcado estilo_zefirant()
{
    return {.paso = 8, .alto_item = 16, .pixeles_base = 13, .pixeles_menor = 11, .baja_menor = 4,
            .izquierda_cursiva = 2, .izquierda_M = 2, .codigos_cruzan_blancos = true, .codigo_N = false};
}
