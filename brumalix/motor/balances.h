// Caudales másicos de los estados a partir de las ecuaciones de balance de
// masa y energía y de los caudales dados directamente.
#pragma once

#include <cstdint>
#include <vector>

// Separa el texto de una ecuación ("2+4=1+10+7"; separadores blanco, "+" y
// ",") en los números de estado de cada lado. Cada lista admite como mucho
// 'capacidad' números; con der nulo sólo se lee el lado izquierdo (listas
// de estados de un equipo). Devuelve 1 si el texto es válido: como mucho un
// "=" (ninguno sin lado derecho) y ningún número de más; 0 si no, con las
// listas llenas hasta su capacidad.
int lee_ecuacion(const char* texto, std::int32_t& num_izq, std::int32_t* izq, std::int32_t* num_der,
                 std::int32_t* der, int capacidad);

// 1 si el valor está entre los n primeros de la lista.
int entero_en_array(std::int32_t valor, const std::int32_t* lista, int n);
// Comparación de enteros para qsort, en orden creciente.
int compara_enteros(const void* a, const void* b);

// Resuelve por eliminación de Gauss con pivote parcial las n filas de n + 1
// valores (el último, el término independiente). 1 bien, 0 si es singular.
int resuelve_gauss(std::vector<std::vector<float>>& filas, std::vector<float>& x, int n);

// Plantea y resuelve el sistema de balances; guarda caudal, m·h y m·e de
// cada estado en estados_calculo y sus índices en est_en_elemento. 1 bien,
// 0 tras un mensaje.
int sepera_estados();
