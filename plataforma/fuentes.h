// Tipos de letra del sistema y caracteres de la fuente Symbol.
//
// Los programas nombran tipos de Windows (Courier New, Times New Roman,
// Arial, MS Sans Serif, Symbol); aquí se sustituyen por sus equivalentes
// métricos de Debian (Liberation) y, para Symbol, por una copia de Standard
// Symbols PS con sus glifos en los caracteres Unicode (fuente_symbol.h).
// Un carácter de Symbol se dibuja siempre como su carácter Unicode, de modo
// que el texto de un PDF lo lee bien; si Standard Symbols PS falta, en la
// fuente de Times New Roman.
#pragma once

#include <QChar>
#include <QFont>
#include <QString>

namespace fuentes {

QString courier();   // "Courier New"
QString times();     // "Times New Roman"
QString arial();     // "Arial" y "MS Sans Serif"
QString symbol();    // "Symbol"

// ¿Se dibujan los caracteres de Symbol con los glifos de Standard Symbols PS?
bool symbol_nativa();

// Lo que hay que dibujar para un byte en la fuente Symbol: su carácter
// Unicode (unicode_de_symbol, la tabla que comparten el RTF y el
// portapapeles).
QString texto_symbol(unsigned char codigo);

// Fuente por su nombre de Windows, con tamaño en píxeles.
QFont fuente(const QString& nombre_windows, int pixeles, bool negrita = false, bool cursiva = false);

} // namespace fuentes
