#include "Unit13.h"
#include "Unit1.h"
#include "Unit10.h"
#include "Unit11.h"
#include "Unit12.h"
#include "ventanas.h"

#include "plataforma/lista_marcado.h"

#include "brumalix/motor/listados.h"
#include "comun/mensajes.h"

#include <QApplication>

#include <cstdlib>

Timprelist1::Timprelist1() : QuickReport1(std::make_unique<formulario_informe>())
{
    formulario_informe& q = *QuickReport1;
    banda_informe cabecera;
    cabecera.alto = 41;
    etiqueta_informe titulo;
    titulo.fuente = QStringLiteral("Arial");
    titulo.pixeles = 13;
    titulo.negrita = titulo.cursiva = true;
    titulo.izquierda = 16;
    titulo.arriba = 16;
    cabecera.etiquetas.push_back(titulo);
    etiqueta_informe pagina;
    pagina.tipo = etiqueta_informe::numero_pagina;
    pagina.titulo = QString::fromUtf8("Página: ");
    pagina.fuente = QStringLiteral("Arial");
    pagina.pixeles = 13;
    pagina.negrita = pagina.cursiva = true;
    pagina.alinea = etiqueta_informe::derecha;
    pagina.arriba = 16;
    cabecera.etiquetas.push_back(pagina);
    q.cabeceras.push_back(cabecera);
    q.cabeceras.push_back(banda_informe{8, false, false, 2, {}});
    q.cabeceras.push_back(banda_informe{8, false, false, 2, {}});
    q.pie.alto = 0;
    q.detalle.alto = 12;
    reglas_.sangria = 6;
    reglas_.paso = 7;
    reglas_.num_superpuestas = 36;
    principal_ = q.detalle.etiquetas.size();
    primera_superpuesta_ = prepara_banda_superpuestas(q.detalle, 8, reglas_);
    q.antes_de_imprimir = [this] { QuickReport1BeforePrint(); };
    q.necesita_datos = [this] { return QuickReport1NeedData(); };
    q.despues_de_imprimir = [this] { QuickReport1AfterPrint(); };
}

Timprelist1::~Timprelist1()
{
    if (fichero_impresion) std::fclose(fichero_impresion);
}

void Timprelist1::pon_titulo(const std::string& titulo) { QuickReport1->cabeceras[0].etiquetas[0].titulo = desde_1252(titulo); }

QString Timprelist1::titulo() const { return QuickReport1->cabeceras[0].etiquetas[0].titulo; }

void Timprelist1::recoge_cabeceras()
{
    std::string linea;
    while (lee_linea(fichero_impresion, linea, 200)) {
        if (cabeceras.empty() && linea.rfind("<NP>", 0) == 0) continue;
        if (linea.empty() || linea[0] != '>') break;
        const bool ultima = linea.size() > 1 && linea[1] == '>';
        cabeceras.push_back(linea.substr(ultima ? 2 : 1));
        if (ultima) break;
    }
}

void Timprelist1::QuickReport1BeforePrint()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    lineas_por_pagina = std::atoi(a_1252(Listados->Edit7->text()).c_str());
    if (lineas_por_pagina < 1) lineas_por_pagina = 45;
    error_apertura = false;
    cabeceras.clear();
    if (fichero_impresion) std::fclose(fichero_impresion);
    fichero_impresion = nullptr;
    std::FILE* salida = std::fopen(Form1->ruta_temporal.c_str(), "w");
    if (!salida) {
        muestra_error("Error al crear fichero temporal");
        error_apertura = true;
        return;
    }
    for (int p = 1; p <= paginas_impresion; ++p) {
        if (Form11->tipo_listado == 1) listado_curvas_limite(p, 0, destino_listado::fichero, salida);
        else listado_liquido_vapor(p, 0, destino_listado::fichero, salida);
    }
    std::fclose(salida);
    fichero_impresion = std::fopen(Form1->ruta_temporal.c_str(), "r");
    if (!fichero_impresion) {
        muestra_error("Error al crear fichero temporal");
        error_apertura = true;
        return;
    }
    recoge_cabeceras();
    repitiendo_cabecera = true;
    indice_cabecera = 0;
    lineas_en_pagina = 0;
    salto_pendiente = false;
    contenido_impreso = false;
    salto_tras_banda_ = false;
}

bool Timprelist1::QuickReport1NeedData()
{
    if (error_apertura || !fichero_impresion) return false;
    auto cierra = [this] {
        std::fclose(fichero_impresion);
        fichero_impresion = nullptr;
    };
    if (fin_de_fichero(fichero_impresion)) {
        cierra();
        return false;
    }
    if (salto_pendiente || salto_tras_banda_) {
        QuickReport1->nueva_pagina();
        salto_pendiente = false;
        salto_tras_banda_ = false;
    }
    if (repitiendo_cabecera && indice_cabecera < static_cast<int>(cabeceras.size())) {
        compone_linea_listado(cabeceras[static_cast<std::size_t>(indice_cabecera)]);
        ++indice_cabecera;
        ++lineas_en_pagina;
        return true;
    }
    repitiendo_cabecera = false;
    indice_cabecera = 0;
    std::string linea;
    if (!lee_linea(fichero_impresion, linea, 2000)) {
        cierra();
        return false;
    }
    if (linea == "<NP>") {
        compone_linea_listado("");
        if (contenido_impreso) salto_tras_banda_ = true;
        cabeceras.clear();
        recoge_cabeceras();
        repitiendo_cabecera = true;
        indice_cabecera = 0;
        lineas_en_pagina = 0;
        salto_pendiente = false;
        return true;
    }
    compone_linea_listado(linea);
    contenido_impreso = true;
    ++lineas_en_pagina;
    if (lineas_en_pagina == lineas_por_pagina) {
        salto_pendiente = true;
        lineas_en_pagina = 0;
        repitiendo_cabecera = true;
    }
    return true;
}

void Timprelist1::QuickReport1AfterPrint()
{
    if (fichero_impresion) std::fclose(fichero_impresion);
    fichero_impresion = nullptr;
    std::remove(Form1->ruta_temporal.c_str());
    cabeceras.clear();
    QApplication::restoreOverrideCursor();
}

void Timprelist1::compone_linea_listado(const std::string& linea)
{
    compone_superpuestas(QuickReport1->detalle, principal_, primera_superpuesta_, linea, reglas_);
}
