#include "Unit12.h"
#include "Unit1.h"
#include "ventanas.h"

#include "comun/mensajes.h"

#include <QApplication>

namespace {

// ¿Lleva la línea el código "`N" (toda la línea en negrita)?
bool linea_en_negrita(const std::string& linea)
{
    for (std::size_t k = 0; k + 1 < linea.size(); ++k) {
        if (linea[k] != '`') continue;
        if (linea[k + 1] == 'N') return true;
        ++k;
    }
    return false;
}

} // namespace

TImpresion* Impresion = nullptr;

TImpresion::TImpresion() : QuickReport1(std::make_unique<formulario_informe>())
{
    formulario_informe& q = *QuickReport1;
    q.margen_izquierdo = formulario_informe::MARGEN_10MM;
    banda_informe cabecera;
    cabecera.alto = 61;
    etiqueta_informe titulo;
    titulo.titulo = QStringLiteral("Resultados de BRUMALIX");
    titulo.fuente = QStringLiteral("Arial");
    titulo.pixeles = 19;
    titulo.negrita = titulo.cursiva = true;
    titulo.izquierda = 2;
    titulo.arriba = 32;
    cabecera.etiquetas.push_back(titulo);
    etiqueta_informe pagina;
    pagina.tipo = etiqueta_informe::numero_pagina;
    pagina.titulo = QString::fromUtf8("Página ");
    pagina.fuente = QStringLiteral("Arial");
    pagina.pixeles = 13;
    pagina.negrita = pagina.cursiva = true;
    pagina.alinea = etiqueta_informe::derecha;
    pagina.arriba = 36;
    cabecera.etiquetas.push_back(pagina);
    q.cabeceras.push_back(cabecera);
    q.cabeceras.push_back(banda_informe{41, false, false, 2, {}});
    q.pie.alto = 43;
    etiqueta_informe fecha;
    fecha.tipo = etiqueta_informe::fecha_hora;
    fecha.fuente = QStringLiteral("Arial");
    fecha.pixeles = 13;
    fecha.alinea = etiqueta_informe::centro;
    fecha.arriba = 14;
    q.pie.etiquetas.push_back(fecha);
    q.detalle.alto = 12;
    reglas_.sangria = 6;
    reglas_.paso = 7;
    reglas_.num_superpuestas = 36;
    principal_ = q.detalle.etiquetas.size();
    primera_superpuesta_ = prepara_banda_superpuestas(q.detalle, 24, reglas_);
    q.antes_de_imprimir = [this] { QuickReport1BeforePrint(); };
    q.necesita_datos = [this] { return QuickReport1NeedData(); };
    q.despues_de_imprimir = [this] { QuickReport1AfterPrint(); };
}

TImpresion::~TImpresion()
{
    if (fichero_impresion) std::fclose(fichero_impresion);
}

void TImpresion::QuickReport1BeforePrint()
{
    error_apertura = false;
    salto_pendiente_ = false;
    if (fichero_impresion) std::fclose(fichero_impresion);
    fichero_impresion = std::fopen(Form1->ruta_temporal.c_str(), "r");
    if (!fichero_impresion) {
        muestra_error("Error al abrir el fichero temporal");
        error_apertura = true;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

bool TImpresion::QuickReport1NeedData()
{
    if (error_apertura || !fichero_impresion) return false;
    auto cierra = [this] {
        std::fclose(fichero_impresion);
        fichero_impresion = nullptr;
    };
    std::string linea;
    if (fin_de_fichero(fichero_impresion) || !lee_linea(fichero_impresion, linea, 2000)) {
        cierra();
        return false;
    }
    if (salto_pendiente_) {
        QuickReport1->nueva_pagina();
        salto_pendiente_ = false;
    }
    if (linea == "<NP>") {
        // La línea "<NP>" queda vacía al pie de su página.
        compone_linea_resultados("");
        salto_pendiente_ = true;
    } else {
        compone_linea_resultados(linea);
    }
    return true;
}

void TImpresion::QuickReport1AfterPrint()
{
    if (fichero_impresion) std::fclose(fichero_impresion);
    fichero_impresion = nullptr;
    QApplication::restoreOverrideCursor();
}

void TImpresion::compone_linea_resultados(const std::string& linea)
{
    banda_informe& banda = QuickReport1->detalle;
    compone_superpuestas(banda, principal_, primera_superpuesta_, linea, reglas_);
    // "`N": toda la línea en negrita, también los caracteres de antes del código.
    const bool negrita = linea_en_negrita(linea);
    banda.etiquetas[principal_].negrita = negrita;
    if (negrita)
        for (std::size_t k = 0; k < static_cast<std::size_t>(reglas_.num_superpuestas); ++k)
            banda.etiquetas[primera_superpuesta_ + k].negrita = true;
}
