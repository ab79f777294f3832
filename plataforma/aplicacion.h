// Arranque común de los dos programas sobre Qt.
#pragma once

#include <QString>
#include <string>

class QApplication;

// Tras crear el objeto aplicación: números con punto decimal pase lo que
// pase con la configuración regional, cajas de mensaje de ventanas, la
// traducción de Qt al español (si está instalada), estilo y tipo de letra
// de las ventanas.
void prepara_aplicacion(QApplication& app);

// Directorio del ejecutable, terminado en "/"; las pruebas lo cambian para
// trabajar con ficheros propios.
std::string directorio_programa();
void pon_directorio_programa(const std::string& directorio);

// Tipo de letra de las ventanas ("MS Sans Serif" de 8 puntos).
int pixeles_ventana();
