// Formulario de impresión de un listado: antes de cada impresión escribe el
// listado entero en un fichero, lee sus líneas de cabecera (">" y la última
// ">>") y luego imprime las líneas de datos en páginas de
// 'lineas_por_pagina' líneas, repitiendo las cabeceras arriba de cada una.
//
// Al imprimir, el listado pasa por el fichero temporal de resultados, que
// se borra al acabar. Una vista previa lo escribe en un fichero anónimo y
// deja el temporal como estaba.
#pragma once

#include "plataforma/informe.h"
#include "plataforma/superpuestas.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct reglas_listado_impreso {
    int max_cabeceras = 20;
    int capacidad_linea = 200;       // bytes de cada lectura de una línea de datos
    // Una línea "<NP>" empieza un bloque con sus propias cabeceras.
    bool cabeceras_por_bloque = false;
    const char* error_crear = "Error al crear el fichero temporal";
    const char* error_abrir = "Error al abrir el fichero temporal";
};

class formulario_listado {
public:
    formulario_listado(const reglas_listado_impreso& reglas, const reglas_superpuestas& superpuestas);
    virtual ~formulario_listado();
    formulario_listado(const formulario_listado&) = delete;
    formulario_listado& operator=(const formulario_listado&) = delete;

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

    virtual void QuickReport1BeforePrint() = 0;
    bool QuickReport1NeedData();
    void QuickReport1AfterPrint();
    void compone_linea_listado(const std::string& texto);

protected:
    // Tras poner las bandas: la etiqueta principal de la banda de detalle en
    // 'izquierda' y las superpuestas, y los sucesos del informe.
    void prepara_detalle(int izquierda);
    // El comienzo común de cada ejecución: cursor de espera; escribe el
    // listado con 'escribe' en el fichero temporal de 'ruta' (o en uno
    // anónimo en una vista previa), lo abre para leer y reúne las primeras
    // cabeceras.
    void prepara_listado(const std::string& ruta, const std::function<void(std::FILE*)>& escribe);

private:
    void recoge_cabeceras();
    void cierra_fichero();
    reglas_listado_impreso reglas_;
    reglas_superpuestas superpuestas_;
    std::size_t principal_ = 0;
    std::size_t primera_superpuesta_ = 0;
    std::string ruta_borrar_;        // el temporal que se borra al acabar de imprimir
    // La línea "<NP>" deja su banda vacía en la página que acaba.
    bool salto_tras_banda_ = false;
};
