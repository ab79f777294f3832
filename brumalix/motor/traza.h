// Traza del motor de BRUMALIX y rutinas de texto de las tablas.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class lista_lineas;

// Añade una línea (como mucho 999 caracteres) a la lista de traza.
void escribe_traza(const char* formato, ...) __attribute__((format(printf, 1, 2)));
// Lista de traza (la ventana de traza); por omisión una lista en memoria.
lista_lineas& lista_traza();
void pon_lista_traza(lista_lineas* lista);

// Texto desde su primer carácter que no es un blanco.
const char* salta_blancos(const char* texto);
// Copia el texto sobre la línea a partir de la columna (desde 0), sin su
// terminador; la línea se alarga con blancos si no llega.
std::string& copia_en_columna(std::string& linea, std::size_t columna, std::string_view texto);
// Quita los blancos de delante y de detrás; devuelve la nueva longitud.
std::size_t recorta_blancos(std::string& texto);
