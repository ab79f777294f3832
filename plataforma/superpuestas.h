// Composición de una línea marcada en una banda de informe: los caracteres
// sin marca van en la etiqueta principal y cada carácter marcado en una
// etiqueta propia, puesta encima del blanco que se le deja.
#pragma once

#include "plataforma/informe.h"

#include <string>

struct reglas_superpuestas {
    int sangria = 0;          // blancos al principio de la etiqueta principal
    int paso = 7;             // píxeles por columna impresa
    int num_superpuestas = 36;
    int pixeles_normal = 11;  // 8 puntos
    int pixeles_menor = 8;    // 6 puntos ("`D", "`U")
    int baja_menor = 4;
};

// La banda tiene en 'principal' la etiqueta principal y, desde 'primera',
// las etiquetas superpuestas. Devuelve cuántos caracteres marcados no
// cupieron (se imprimen sin marca en la principal).
int compone_superpuestas(banda_informe& banda, std::size_t principal, std::size_t primera, const std::string& linea,
                         const reglas_superpuestas& reglas);

// Prepara la banda: la etiqueta principal (Courier New, 11 píxeles, en
// 'izquierda') y las superpuestas vacías. Devuelve el índice de la primera
// superpuesta.
std::size_t prepara_banda_superpuestas(banda_informe& banda, int izquierda, const reglas_superpuestas& reglas);
