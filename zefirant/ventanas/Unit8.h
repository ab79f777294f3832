// Formulario de impresión del listado de propiedades: escribe el listado en
// el fichero temporal, lo lee y lo imprime con sus cabeceras en cada página.
#pragma once

#include "plataforma/listado_impreso.h"

class TForm8 : public formulario_listado {
public:
    TForm8();
    void QuickReport1BeforePrint() override;

private:
    std::size_t titulo_ = 0;
};
