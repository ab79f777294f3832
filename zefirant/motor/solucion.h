// Cálculo de los estados de un problema de gas perfecto.
#pragma once

#include "zefirant/motor/problema.h"

#include <string>

// Resultado del cálculo de un estado.
enum resultado_estado { ESTADO_RESUELTO, ESTADO_EN_ESPERA, ESTADO_FALLIDO };

// Número de datos del estado: p, T, v, u, h, s, x_v y x_p que valen 0 o más,
// n por encima de -100 y, si solo_valores es 0, cada referencia de 0 o más.
int cuenta_datos(const estado& e, int solo_valores);
// 0 si cada estado introducido tiene exactamente dos datos; si no, el número
// (desde 1) del primero que no los tiene. 1 si el problema no tiene estados.
int comprueba_datos_estados(const problema& p);
// 1 si los datos del estado están dentro de los márgenes del gas.
int comprueba_margen(const estado& e, int tipo);

// Resuelve los estados introducidos (p.datos) en p.estados, en las unidades
// elegidas. Devuelve 0 si se resolvieron todos; si no, el número (desde 1)
// del estado que falló, con el mensaje en 'texto' ("" si ya se mostró).
int resuelve_estados(problema& p, std::string& texto);
// Un estado de trabajo (índice desde 0) en unidades internas.
resultado_estado resuelve_estado(problema& p, int i, std::string& texto);
// Estado unido al anterior (ya resuelto) por el exponente politrópico.
// 1 resuelto; 0 fallido, con el mensaje ya mostrado.
int estado_politropico(estado& e, const estado& anterior, const propiedades_gas& gas, int i);

// 1 si el estado introducido i (desde 0) reparte el calor del combustible
// con el siguiente: gas de combustión, estado no preparado y una fracción
// x_v o x_p de 0 o más y menor que 1.
int reparte_calor(const problema& p, int i);
// Tras aceptar el estado introducido i (desde 0) que reparte su calor,
// prepara el estado i+1 (marca 1) con el resto del calor a la presión (o al
// volumen) del estado i. 1 si lo preparó.
int completa_fraccion_siguiente(problema& p, int i);
// Cada estado preparado de los n primeros estados introducidos se rehace
// desde el estado al que sigue, o queda libre (marca 0 y sin datos) si ese
// estado ya no reparte su calor. Devuelve cuántos estados quedan: n, o
// n - 1 cuando el último era un estado preparado y quedó libre (no tiene
// nada que el usuario escribiera).
int rehace_estados_preparados(problema& p, int n);
