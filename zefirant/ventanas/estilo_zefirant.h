// Dibujo de las listas marcadas de ZEFIRANT: Courier New de 13 píxeles
// (10 puntos) a paso de 8 píxeles, subíndices de 8 puntos 4 píxeles más
// abajo, cursivas y "`M" 2 píxeles a la izquierda.
#pragma once

#include "plataforma/lista_marcado.h"

inline estilo_marcado estilo_zefirant()
{
    estilo_marcado e;
    e.paso = 8;
    e.alto_item = 16;
    e.pixeles_base = 13;
    e.pixeles_menor = 11;
    e.baja_menor = 4;
    e.izquierda_cursiva = 2;
    e.izquierda_M = 2;
    e.codigos_cruzan_blancos = true;
    return e;
}
