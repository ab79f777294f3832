// Copia al portapapeles de los resultados en RTF, con su texto simple.
#pragma once

#include <string>

// Pone en el portapapeles los bytes del fichero RTF como "text/rtf" y
// "application/rtf" y, a su lado, el texto simple dado (UTF-8).
// Falso si el fichero RTF no se puede leer.
bool copia_rtf_al_portapapeles(const std::string& ruta_rtf, const std::string& texto_utf8);
// Pone texto simple (Windows-1252) en el portapapeles.
void copia_texto_al_portapapeles(const std::string& texto);
