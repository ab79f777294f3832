// Formulario de impresión de los resultados: cada línea del fichero temporal
// de resultados es una banda de detalle; "<NP>" empieza página nueva.
#pragma once

#include "plataforma/informe.h"
#include "plataforma/superpuestas.h"

#include <cstdio>
#include <memory>
#include <string>

class TImpresion {
public:
    TImpresion();
    ~TImpresion();
    std::unique_ptr<formulario_informe> QuickReport1;
    std::FILE* fichero_impresion = nullptr;
    bool error_apertura = false;

    void QuickReport1BeforePrint();
    bool QuickReport1NeedData();
    void QuickReport1AfterPrint();
    void compone_linea_resultados(const std::string& linea);

private:
    std::size_t principal_ = 0;
    std::size_t primera_superpuesta_ = 0;
    reglas_superpuestas reglas_;
    // Tras una línea "<NP>", la siguiente banda va en página nueva.
    bool salto_pendiente_ = false;
};

