// Ventana "Listado de propiedades": una página del listado cada vez.
#pragma once

#include "plataforma/ventana_listado.h"

class TForm5 : public ventana_listado {
public:
    TForm5();

    // Cuenta las páginas y muestra la primera (tras las comprobaciones de
    // la ventana principal).
    void lanza();
    void EnviaralClipboard1Click();

protected:
    void dibuja_pagina() override;
    formulario_informe& informe_listado() override;
};
