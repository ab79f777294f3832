#include "zefirant/ventanas/Unit12.h"
#include "zefirant/ventanas/Unit1.h"
#include "zefirant/ventanas/ventanas.h"

#include "comun/mensajes.h"

#include <QApplication>


TForm12* Form12 = nullptr;

TForm12::TForm12() : QuickReport1(std::make_unique<formulario_informe>())
{
    formulario_informe& q = *QuickReport1;
    q.cabeceras.push_back(banda_titulo(41, QStringLiteral("Resultados de ZEFIRANT"), 6, QString::fromUtf8("Página ")));
    for (int k = 0; k < 3; ++k) q.cabeceras.push_back(banda_informe{41, false, false, 2, {}});
    q.pie = pie_con_fecha(28, 8);
    q.detalle.alto = 12;
    reglas_.sangria = 6;
    reglas_.num_superpuestas = 36;
    principal_ = q.detalle.etiquetas.size();
    primera_superpuesta_ = prepara_banda_superpuestas(q.detalle, 25, reglas_);
    q.antes_de_imprimir = [this] { QuickReport1BeforePrint(); };
    q.necesita_datos = [this] { return QuickReport1NeedData(); };
    q.despues_de_imprimir = [this] { QuickReport1AfterPrint(); };
}

void TForm12::QuickReport1BeforePrint()
{
    fallo_apertura = 0;
    if (fichero_impresion) std::fclose(fichero_impresion);
    fichero_impresion = std::fopen(Form1->ruta_temporal.c_str(), "r");
    if (!fichero_impresion) {
        muestra_error("Error al abrir el fichero temporal");
        fallo_apertura = 1;
    }
    lineas_leidas = 0;
    lineas_en_blanco = 0;
    salto_pendiente_ = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

bool TForm12::QuickReport1NeedData()
{
    if (fallo_apertura || !fichero_impresion) return false;
    auto cierra = [this] {
        std::fclose(fichero_impresion);
        fichero_impresion = nullptr;
    };
    if (fin_de_fichero(fichero_impresion)) {
        cierra();
        return false;
    }
    if (lineas_en_blanco > 0) {
        compone_linea_resultados("");
        --lineas_en_blanco;
        return true;
    }
    std::string linea;
    if (!lee_linea(fichero_impresion, linea, 2000)) {
        cierra();
        return false;
    }
    ++lineas_leidas;
    if (salto_pendiente_) {
        QuickReport1->nueva_pagina();
        salto_pendiente_ = false;
    }
    if (linea == "<NP>") {
        // La línea en blanco se queda en la página que acaba; lo que sigue
        // va a la siguiente (o tras cuatro líneas en blanco, si la tabla de
        // estados es corta).
        compone_linea_resultados("");
        if (lineas_leidas <= 25) lineas_en_blanco = 3;
        else salto_pendiente_ = true;
    } else {
        compone_linea_resultados(linea);
    }
    return true;
}

void TForm12::QuickReport1AfterPrint()
{
    if (fichero_impresion) std::fclose(fichero_impresion);
    fichero_impresion = nullptr;
    QApplication::restoreOverrideCursor();
}

void TForm12::compone_linea_resultados(const std::string& linea)
{
    compone_superpuestas(QuickReport1->detalle, principal_, primera_superpuesta_, linea, reglas_);
}
