// Tipos de letra del sistema y caracteres de la fuente Symbol.
//
// Los programas nombran tipos de Windows (Courier New, Times New Roman,
// Arial, MS Sans Serif, Symbol); aquí se sustituyen por sus equivalentes
// métricos de Debian (Liberation) y por Standard Symbols PS, que dibuja los
// códigos de byte de Symbol tal cual. Si esta última falta, los códigos se
// pasan a sus caracteres Unicode.
#pragma once

#include <QChar>
#include <QFont>
#include <QString>

namespace fuentes {

QString courier();   // "Courier New"
QString times();     // "Times New Roman"
QString arial();     // "Arial" y "MS Sans Serif"
QString symbol();    // "Symbol"

// ¿Se encontró una fuente que dibuja los códigos de Symbol tal cual?
bool symbol_nativa();

// Lo que hay que dibujar para un byte en la fuente Symbol: el propio código
// si la fuente Symbol lo dibuja tal cual, o su carácter Unicode
// (unicode_de_symbol, la tabla que comparten el RTF y el portapapeles).
QString texto_symbol(unsigned char codigo);

// Fuente por su nombre de Windows, con tamaño en píxeles.
QFont fuente(const QString& nombre_windows, int pixeles, bool negrita = false, bool cursiva = false);

} // namespace fuentes
