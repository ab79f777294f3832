// Diálogos de abrir y guardar fichero y de imprimir, sustituibles: las
// pruebas contestan sin que aparezca ninguna ventana modal.
#pragma once

#include <functional>
#include <optional>
#include <string>

class QPrinter;
class QWidget;

// Ruta elegida (en UTF-8 del sistema de ficheros), o nada si se canceló.
using dialogo_fichero = std::function<std::optional<std::string>(QWidget* padre)>;

// Diálogo de abrir con campo de nombre editable, sin filtro.
std::optional<std::string> dialogo_abrir(QWidget* padre);
// Diálogo de guardar con aviso de sobrescritura, sin filtro ni extensión.
std::optional<std::string> dialogo_guardar(QWidget* padre);
// Cambia los diálogos (nulo vuelve a los de Qt).
void pon_dialogos(dialogo_fichero abrir, dialogo_fichero guardar);

// Diálogo de impresión: elige impresora y papel sobre 'impresora'; falso si
// el usuario canceló.
using dialogo_impresion = std::function<bool(QPrinter& impresora, QWidget* padre)>;
bool dialogo_imprimir(QPrinter& impresora, QWidget* padre);
// Cambia el diálogo de impresión (nulo vuelve al de Qt).
void pon_dialogo_impresion(dialogo_impresion dialogo);
