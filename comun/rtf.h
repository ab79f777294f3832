// Conversión del fichero temporal de resultados (líneas en marcado) a un
// documento RTF para el portapapeles.
#pragma once

#include <string>
#include <string_view>

// Lee 'ruta_temporal' y escribe 'ruta_rtf': tabla de tres fuentes (Times New
// Roman, Courier New, Symbol), un párrafo en Courier New de 6 puntos por
// línea y un grupo por carácter marcado. Devuelve 1 si el RTF quedó escrito;
// 0 si no se pudo abrir alguno de los dos ficheros o falló la escritura.
int escribe_rtf(const std::string& ruta_temporal, const std::string& ruta_rtf);

// El párrafo RTF de una línea en marcado, sin su "\n" final. Cada carácter
// de la fuente Symbol va como su carácter Unicode con el byte de reserva
// ("{\f2\u9474\'bd}" para la barra de columna).
std::string parrafo_rtf(std::string_view linea);

// El texto simple que acompaña al RTF en el portapapeles: las líneas del
// fichero temporal en UTF-8, sin los códigos y con los caracteres de Symbol
// en su equivalente Unicode; "<NP>" queda como línea vacía. Vacío si el
// fichero no se puede abrir.
std::string texto_utf8_resultados(const std::string& ruta_temporal);
