// Formulario de impresión de los resultados: lee el fichero temporal de
// resultados y lo imprime línea a línea.
#pragma once

#include "plataforma/informe.h"
#include "plataforma/superpuestas.h"

#include <cstdio>
#include <memory>
#include <string>

class TForm12 {
public:
    TForm12();
    std::unique_ptr<formulario_informe> QuickReport1;
    int fallo_apertura = 0;
    std::FILE* fichero_impresion = nullptr;
    int lineas_leidas = 0;
    int lineas_en_blanco = 0;

    void QuickReport1BeforePrint();
    bool QuickReport1NeedData();
    void QuickReport1AfterPrint();
    void compone_linea_resultados(const std::string& linea);

private:
    // La línea en blanco que acaba la página de la tabla de estados ya
    // salió; la línea siguiente empieza página nueva.
    bool salto_pendiente_ = false;
    std::size_t principal_ = 0;
    std::size_t primera_superpuesta_ = 0;
    reglas_superpuestas reglas_;
};
