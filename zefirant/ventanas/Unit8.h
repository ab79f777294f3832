// Formulario de impresión del listado de propiedades: escribe el listado en
// el fichero temporal, lo lee y lo imprime con sus cabeceras en cada página.
#pragma once

#include "plataforma/informe.h"
#include "plataforma/superpuestas.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class TForm8 {
public:
    TForm8();
    std::unique_ptr<formulario_informe> QuickReport1;
    int paginas_impresion = 1;
    int fallo_apertura = 0;
    int contenido_impreso = 0;
    std::FILE* fichero_impresion = nullptr;
    int num_cabeceras = 0;
    int repitiendo_cabecera = 0;
    int indice_cabecera = 0;
    int lineas_por_pagina = 50;
    int lineas_en_pagina = 0;
    std::vector<std::string> cabeceras;
    std::string linea;
    int salto_pendiente = 0;

    void QuickReport1BeforePrint();
    bool QuickReport1NeedData();
    void QuickReport1AfterPrint();
    void compone_linea_listado(const std::string& texto);

private:
    std::size_t titulo_ = 0;
    std::size_t principal_ = 0;
    std::size_t primera_superpuesta_ = 0;
    reglas_superpuestas reglas_;
};
