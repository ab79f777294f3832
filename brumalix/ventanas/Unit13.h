// Formulario de impresión de los listados: escribe el listado entero en el
// fichero temporal, lo lee y lo imprime repitiendo sus cabeceras en cada
// página; al acabar borra el fichero.
#pragma once

#include "plataforma/informe.h"
#include "plataforma/superpuestas.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class Timprelist1 {
public:
    Timprelist1();
    ~Timprelist1();
    std::unique_ptr<formulario_informe> QuickReport1;
    int paginas_impresion = 1;
    int lineas_por_pagina = 55;
    std::FILE* fichero_impresion = nullptr;
    bool error_apertura = false;
    std::vector<std::string> cabeceras;
    bool repitiendo_cabecera = false;
    int indice_cabecera = 0;
    int lineas_en_pagina = 0;
    bool salto_pendiente = false;
    bool contenido_impreso = false;

    // Título de la cabecera de página (lo pone el diálogo de listados).
    void pon_titulo(const std::string& titulo);
    QString titulo() const;
    void QuickReport1BeforePrint();
    bool QuickReport1NeedData();
    void QuickReport1AfterPrint();
    void compone_linea_listado(const std::string& linea);

private:
    // Reúne las líneas de cabecera (">" y la última ">>") que siguen.
    void recoge_cabeceras();
    std::size_t principal_ = 0;
    std::size_t primera_superpuesta_ = 0;
    reglas_superpuestas reglas_;
    // La línea "<NP>" deja su banda vacía en la página que acaba.
    bool salto_tras_banda_ = false;
};
