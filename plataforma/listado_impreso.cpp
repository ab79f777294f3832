#include "plataforma/listado_impreso.h"

#include "comun/mensajes.h"

#include <QApplication>

formulario_listado::formulario_listado(const reglas_listado_impreso& reglas, const reglas_superpuestas& superpuestas)
    : QuickReport1(std::make_unique<formulario_informe>()), reglas_(reglas), superpuestas_(superpuestas)
{
}

formulario_listado::~formulario_listado()
{
    if (fichero_impresion) std::fclose(fichero_impresion);
}

void formulario_listado::prepara_detalle(int izquierda)
{
    formulario_informe& q = *QuickReport1;
    principal_ = q.detalle.etiquetas.size();
    primera_superpuesta_ = prepara_banda_superpuestas(q.detalle, izquierda, superpuestas_);
    q.antes_de_imprimir = [this] { QuickReport1BeforePrint(); };
    q.necesita_datos = [this] { return QuickReport1NeedData(); };
    q.despues_de_imprimir = [this] { QuickReport1AfterPrint(); };
}

void formulario_listado::cierra_fichero()
{
    if (fichero_impresion) std::fclose(fichero_impresion);
    fichero_impresion = nullptr;
}

void formulario_listado::prepara_listado(const std::string& ruta, const std::function<void(std::FILE*)>& escribe)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    fallo_apertura = 0;
    num_cabeceras = 0;
    cabeceras.clear();
    cierra_fichero();
    const bool vista = QuickReport1->en_vista_previa();
    // Sólo una impresión de verdad pisa el temporal, y lo borra al acabar.
    ruta_borrar_ = vista ? std::string() : ruta;
    std::FILE* salida = vista ? std::tmpfile() : std::fopen(ruta.c_str(), "w");
    if (!salida) {
        muestra_error("%s", reglas_.error_crear);
        fallo_apertura = 1;
        return;
    }
    escribe(salida);
    if (vista) {
        std::rewind(salida);
        fichero_impresion = salida;
    } else {
        std::fclose(salida);
        fichero_impresion = std::fopen(ruta.c_str(), "r");
        if (!fichero_impresion) {
            muestra_error("%s", reglas_.error_abrir);
            fallo_apertura = 1;
            return;
        }
    }
    recoge_cabeceras();
    repitiendo_cabecera = 1;
    indice_cabecera = 0;
    lineas_en_pagina = 0;
    salto_pendiente = 0;
    contenido_impreso = 0;
    salto_tras_banda_ = false;
}

void formulario_listado::recoge_cabeceras()
{
    std::string l;
    while (num_cabeceras < reglas_.max_cabeceras && lee_linea(fichero_impresion, l, 200)) {
        if (num_cabeceras == 0 && l.rfind("<NP>", 0) == 0) continue;
        if (l.empty() || l[0] != '>') break;
        const bool ultima = l.size() > 1 && l[1] == '>';
        cabeceras.push_back(l.substr(ultima ? 2 : 1));
        ++num_cabeceras;
        if (ultima) break;
    }
}

bool formulario_listado::QuickReport1NeedData()
{
    if (fallo_apertura || !fichero_impresion) return false;
    // Mirar el siguiente carácter evita una página de sólo cabeceras cuando
    // las filas llenan justo la última.
    if (fin_de_fichero(fichero_impresion)) {
        cierra_fichero();
        return false;
    }
    if (salto_pendiente || salto_tras_banda_) {
        QuickReport1->nueva_pagina();
        salto_pendiente = 0;
        salto_tras_banda_ = false;
    }
    if (repitiendo_cabecera && indice_cabecera < num_cabeceras) {
        compone_linea_listado(cabeceras[static_cast<std::size_t>(indice_cabecera)]);
        ++indice_cabecera;
        ++lineas_en_pagina;
        return true;
    }
    repitiendo_cabecera = 0;
    indice_cabecera = 0;
    if (!lee_linea(fichero_impresion, linea, reglas_.capacidad_linea)) {
        cierra_fichero();
        return false;
    }
    if (linea == "<NP>") {
        compone_linea_listado("");
        if (contenido_impreso) salto_tras_banda_ = true;
        if (reglas_.cabeceras_por_bloque) {
            cabeceras.clear();
            num_cabeceras = 0;
            recoge_cabeceras();
            repitiendo_cabecera = 1;
            indice_cabecera = 0;
            lineas_en_pagina = 0;
            salto_pendiente = 0;
        }
        return true;
    }
    compone_linea_listado(linea);
    contenido_impreso = 1;
    ++lineas_en_pagina;
    if (lineas_en_pagina == lineas_por_pagina) {
        salto_pendiente = 1;
        lineas_en_pagina = 0;
        repitiendo_cabecera = 1;
    }
    return true;
}

void formulario_listado::QuickReport1AfterPrint()
{
    cierra_fichero();
    if (!ruta_borrar_.empty()) std::remove(ruta_borrar_.c_str());
    ruta_borrar_.clear();
    cabeceras.clear();
    num_cabeceras = 0;
    QApplication::restoreOverrideCursor();
}

void formulario_listado::compone_linea_listado(const std::string& texto)
{
    compone_superpuestas(QuickReport1->detalle, principal_, primera_superpuesta_, texto, superpuestas_);
}
