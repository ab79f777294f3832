#include "Unit8.h"
#include "Unit1.h"
#include "ventanas.h"

#include "plataforma/lista_marcado.h"

#include "comun/formato.h"
#include "comun/mensajes.h"
#include "zefirant/motor/listado.h"

#include <QApplication>

#include <cstdlib>

namespace {

constexpr int MAX_CABECERAS = 20;

} // namespace

TForm8::TForm8() : QuickReport1(std::make_unique<formulario_informe>())
{
    formulario_informe& q = *QuickReport1;
    q.cabeceras.push_back(banda_titulo(41, QString(), 8, QString::fromUtf8("Página ")));
    titulo_ = 0;
    q.cabeceras.push_back(banda_informe{33, false, false, 2, {}});
    q.cabeceras.push_back(banda_informe{41, false, false, 2, {}});
    q.cabeceras.push_back(banda_informe{25, false, false, 2, {}});
    q.pie = pie_con_fecha(22, 4);
    q.detalle.alto = 13;
    reglas_.sangria = 0;
    reglas_.num_superpuestas = 40;
    principal_ = q.detalle.etiquetas.size();
    primera_superpuesta_ = prepara_banda_superpuestas(q.detalle, 16, reglas_);
    q.antes_de_imprimir = [this] { QuickReport1BeforePrint(); };
    q.necesita_datos = [this] { return QuickReport1NeedData(); };
    q.despues_de_imprimir = [this] { QuickReport1AfterPrint(); };
}

void TForm8::QuickReport1BeforePrint()
{
    TForm1* f = Form1;
    lineas_por_pagina = entero_de_texto(f->Edit26->text());
    if (lineas_por_pagina < 1) lineas_por_pagina = 45;
    std::string nombre = f->c_gas.tipo >= 0 && f->c_gas.tipo < 11 ? nombres_gases[f->c_gas.tipo]
                                                                   : std::string(f->c_gas.nombre, strnlen(f->c_gas.nombre, sizeof f->c_gas.nombre));
    nombre = nombre_sin_formula(nombre);
    QuickReport1->cabeceras[0].etiquetas[titulo_].titulo =
        desde_1252(formatea("ZEFIRANT: Listado de propiedades de %s entre %d y %d K", nombre.c_str(), f->t_min_listado,
                            f->t_max_listado));
    fallo_apertura = 0;
    num_cabeceras = 0;
    cabeceras.clear();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::FILE* salida = std::fopen(f->ruta_temporal.c_str(), "w");
    if (!salida) {
        muestra_error("Error al crear el fichero temporal");
        fallo_apertura = 1;
        return;
    }
    for (int k = 0; k < paginas_impresion; ++k)
        lista_propiedades(f->c_gas, static_cast<unsigned>(f->t_min_listado), static_cast<unsigned>(f->t_max_listado),
                          f->intervalo_listado, 1, 0, salida, nullptr);
    std::fclose(salida);
    if (fichero_impresion) std::fclose(fichero_impresion);
    fichero_impresion = std::fopen(f->ruta_temporal.c_str(), "r");
    if (!fichero_impresion) {
        muestra_error("Error al abrir el fichero temporal");
        fallo_apertura = 1;
        return;
    }
    std::string l;
    while (num_cabeceras < MAX_CABECERAS && lee_linea(fichero_impresion, l, 200)) {
        if (l.empty() || l[0] != '>') break;
        bool ultima = l.size() > 1 && l[1] == '>';
        l.erase(0, ultima ? 2 : 1);
        cabeceras.push_back(l);
        ++num_cabeceras;
        if (ultima) break;
    }
    repitiendo_cabecera = 1;
    indice_cabecera = 0;
    lineas_en_pagina = 0;
    salto_pendiente = 0;
    contenido_impreso = 0;
}

bool TForm8::QuickReport1NeedData()
{
    if (fallo_apertura || !fichero_impresion) return false;
    auto cierra = [this] {
        std::fclose(fichero_impresion);
        fichero_impresion = nullptr;
    };
    // Mirar el siguiente carácter evita una página de sólo cabeceras cuando
    // las filas llenan justo la última.
    if (fin_de_fichero(fichero_impresion)) {
        cierra();
        return false;
    }
    if (salto_pendiente) {
        QuickReport1->nueva_pagina();
        salto_pendiente = 0;
    }
    if (repitiendo_cabecera && indice_cabecera != num_cabeceras) {
        compone_linea_listado(cabeceras[static_cast<std::size_t>(indice_cabecera)]);
        ++indice_cabecera;
        ++lineas_en_pagina;
        return true;
    }
    repitiendo_cabecera = 0;
    indice_cabecera = 0;
    if (!lee_linea(fichero_impresion, linea, 200)) {
        cierra();
        return false;
    }
    if (linea != "<NP>") {
        compone_linea_listado(linea);
        contenido_impreso = 1;
        ++lineas_en_pagina;
        if (lineas_en_pagina == lineas_por_pagina) {
            salto_pendiente = 1;
            lineas_en_pagina = 0;
            repitiendo_cabecera = 1;
        }
    } else {
        compone_linea_listado("");
        if (contenido_impreso) QuickReport1->nueva_pagina();
    }
    return true;
}

void TForm8::QuickReport1AfterPrint()
{
    if (fichero_impresion) std::fclose(fichero_impresion);
    fichero_impresion = nullptr;
    std::remove(Form1->ruta_temporal.c_str());
    cabeceras.clear();
    QApplication::restoreOverrideCursor();
}

void TForm8::compone_linea_listado(const std::string& texto)
{
    compone_superpuestas(QuickReport1->detalle, principal_, primera_superpuesta_, texto, reglas_);
}
