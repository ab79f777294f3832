// Comprobación de los resultados de la rejilla por encima de P_COMPROBADA,
// junto al punto crítico: la estimación del error de cada lectura en la
// isobara, el valor dado de una búsqueda y los puntos de la rejilla, que se
// dan tal cual. Sólo para los ficheros de la rejilla.
#pragma once

#include "brumalix/motor/linea_rejilla.h"

namespace rejilla {

// Los puntos con que busca interpoló su resultado: n (2 o 3), sus
// abscisas X y ordenadas Y (en las magnitudes de la línea, sin logaritmos)
// y el índice de cada uno en la línea, o SATURACION si es el punto de
// saturación puesto en ella, o MAS_ALLA si es el punto de más allá de la
// saturación (líquido a menos de 20 °C).
struct plantilla {
    enum { SATURACION = -1, MAS_ALLA = -2 };
    int n;
    double x[3], y[3];
    int indice[3];
};

// Si h, s y v ('valores'), leídos en t en la isobara 'linea' con los
// puntos 'usadas', se dan por buenos; si no, una línea de traza dice cuál
// no y con qué error estimado.
bool admite_lecturas(float t, const float valores[3], const plantilla usadas[3], const isobara_perezosa& linea);

// En una búsqueda ('quien' la nombra en la traza), si la propiedad q (h, s
// o v) que calc_tp acaba de dar en el estado hallado, 'hallada', es la
// dada, 'dada', dentro de la tolerancia; si no, una línea de traza lo dice.
bool admite_residuo(const char* quien, int q, float dada, float hallada);

// Si la presión p (por encima de P_COMPROBADA) que una búsqueda en la
// isoterma halló con los puntos 'pl' para el valor 'dado' de la propiedad q
// (1 s, 2 v) puede ser, con el error estimado de la búsqueda, la de un
// estado de hasta P_COMPROBADA.
bool puede_ser_de_por_debajo(const plantilla& pl, int q, float dado, float p);

// Si (t, p) es un punto de la rejilla del lado de la saturación pedido
// (líquido o vapor), sus h, s y v en 'valores', con una línea de traza.
bool lee_punto_de_rejilla(float t, float p, bool liquido, float valores[3]);

} // namespace rejilla
