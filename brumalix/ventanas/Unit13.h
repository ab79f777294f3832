// Formulario de impresión de los listados: escribe el listado entero en el
// fichero temporal, lo lee y lo imprime repitiendo sus cabeceras en cada
// página; al acabar borra el fichero.
#pragma once

#include "plataforma/listado_impreso.h"

#include <string>

class Timprelist1 : public formulario_listado {
public:
    Timprelist1();

    // Título de la cabecera de página (lo pone el diálogo de listados).
    void pon_titulo(const std::string& titulo);
    QString titulo() const;
    void QuickReport1BeforePrint() override;
};
