// Dibujo de las listas marcadas de BRUMALIX: Courier New de 13 píxeles a paso
// de 8, líneas de 14 píxeles y cursivas 2 píxeles a la izquierda. La letra
// menor ("`D", "`U") se baja lo justo para quedar dentro de su línea de 14
// píxeles: más abajo la tapa el fondo de la línea siguiente y no se lee.
#pragma once

#include "plataforma/lista_marcado.h"

// Resultados: los códigos leídos antes de un blanco siguen para el siguiente
// carácter dibujado, y "`N" pone en negrita el resto de la línea.
inline estilo_marcado estilo_resultados()
{
    return {.paso = 8, .alto_item = 14, .pixeles_base = 13, .pixeles_menor = 9, .baja_menor = 5,
            .izquierda_cursiva = 2, .izquierda_M = 0, .codigos_cruzan_blancos = true, .codigo_N = true};
}

// Listados: un blanco gasta los códigos leídos antes de él, y "`N" no hace
// nada.
inline estilo_marcado estilo_listados()
{
    estilo_marcado e = estilo_resultados();
    e.codigos_cruzan_blancos = false;
    e.codigo_N = false;
    return e;
}
