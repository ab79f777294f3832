#include "brumalix/ventanas/Unit12.h"
#include "brumalix/ventanas/Unit1.h"
#include "brumalix/ventanas/ventanas.h"

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
    q.cabeceras.push_back(banda_informe{61, false, false, 2,
                                        {rotulo_arial(QStringLiteral("Resultados de BRUMALIX"), 19, true, 2, 32),
                                         numero_pagina_arial(QString::fromUtf8("Página "), 13, true, 36)}});
    q.cabeceras.push_back(banda_informe{41, false, false, 2, {}});
    q.pie = banda_informe{43, false, false, 2, {fecha_hora_arial(13, 14)}};
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
