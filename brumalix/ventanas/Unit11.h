// Ventana "Salida listados": una página del listado cada vez.
#pragma once

#include "plataforma/ventana_listado.h"

class TForm11 : public ventana_listado {
public:
    TForm11();
    ~TForm11() override;
    int tipo_listado = 1;  // 1 curvas límite, 2 líquido y vapor

protected:
    void dibuja_pagina() override;
    formulario_informe& informe_listado() override;
};
