// Fuente Symbol con sus caracteres en Unicode.
//
// La fuente Symbol del sistema (Standard Symbols PS) tiene sus glifos en los
// códigos de byte de Symbol (0x20 a 0xFE): un PDF que la lleva dice "½"
// donde se ve la barra de columna, "D" donde se ve Δ. Aquí se hace en
// memoria una copia de esa fuente, con otro nombre de familia, que pone los
// mismos glifos en sus caracteres Unicode (unicode_de_symbol) y en ningún
// otro código: se dibuja igual, y el texto de un PDF (buscar, copiar,
// pdftotext) lee │, ∫, Δ, ∑ y las llaves.
#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace fuente_symbol {

// Familia de la copia.
QString familia_unicode();

// Registra en Qt la copia de la fuente de familia 'familia_symbol';
// devuelve la familia registrada, o vacío si esa fuente no está o no es
// OpenType (entonces no se puede copiar).
QString registra(const QString& familia_symbol);

// Piezas de la copia, en bytes big-endian como las quiere el formato.
// Tabla 'cmap' con una subtabla Unicode BMP (plataforma 3, codificación 1,
// formato 4): cada carácter con su glifo, ordenados por carácter y sin
// repetir.
std::string tabla_cmap(const std::vector<std::pair<char16_t, std::uint16_t>>& caracteres);
// Tabla 'name' con familia, estilo "Regular", nombre completo y nombre
// PostScript (plataforma 3, inglés de EE. UU.).
std::string tabla_name(const std::u16string& familia, const std::u16string& nombre_postscript);
// Fuente entera con estas tablas (etiqueta de cuatro letras, datos), con
// sus sumas de comprobación; 'head' debe estar entre ellas.
std::string compone_sfnt(std::vector<std::pair<std::string, std::string>> tablas);

} // namespace fuente_symbol
