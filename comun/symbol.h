// Caracteres de la fuente Symbol y su equivalente Unicode.
//
// Una sola tabla sirve al RTF del portapapeles (el carácter Unicode con el
// byte de Symbol de reserva), al texto simple que lo acompaña y al dibujo en
// pantalla cuando no hay una fuente que dibuje los códigos de Symbol tal cual.
#pragma once

#include <string>
#include <string_view>

// Punto de código Unicode del carácter de código 'codigo' de la fuente
// Symbol: letras griegas, operadores, flechas y piezas de llaves; 0xBD, la
// barra que separa las columnas de las tablas, es la raya vertical U+2502.
char32_t unicode_de_symbol(unsigned char codigo);

// Una línea en marcado como texto simple UTF-8: sin los códigos, con el
// carácter que sigue a "`S" pasado a su equivalente Unicode y los demás de
// Windows-1252 a Unicode.
std::string texto_utf8_de_marcado(std::string_view linea);
