#include "zefirant/ventanas/Unit8.h"
#include "zefirant/ventanas/Unit1.h"
#include "zefirant/ventanas/ventanas.h"

#include "plataforma/lista_marcado.h"

#include "comun/formato.h"
#include "zefirant/motor/listado.h"

namespace {

// Líneas de datos de hasta 199 caracteres; 40 caracteres marcados por línea.
const reglas_listado_impreso reglas_listado{.max_cabeceras = 20, .capacidad_linea = 200};
const reglas_superpuestas reglas_lineas{.sangria = 0, .num_superpuestas = 40};

} // namespace

TForm8* Form8 = nullptr;

TForm8::TForm8() : formulario_listado(reglas_listado, reglas_lineas)
{
    formulario_informe& q = *QuickReport1;
    q.cabeceras.push_back(banda_titulo(41, QString(), 8, QString::fromUtf8("Página ")));
    titulo_ = 0;
    q.cabeceras.push_back(banda_informe{33, false, false, 2, {}});
    q.cabeceras.push_back(banda_informe{41, false, false, 2, {}});
    q.cabeceras.push_back(banda_informe{25, false, false, 2, {}});
    q.pie = pie_con_fecha(22, 4);
    q.detalle.alto = 13;
    prepara_detalle(16);
}

void TForm8::QuickReport1BeforePrint()
{
    TForm1* f = Form1;
    lineas_por_pagina = f->lineas_por_pagina_impresas();
    std::string nombre = f->c_gas.tipo >= GAS_AIRE && f->c_gas.tipo < GAS_OTRO
                             ? nombres_gases[f->c_gas.tipo]
                             : std::string(f->c_gas.nombre, strnlen(f->c_gas.nombre, sizeof f->c_gas.nombre));
    nombre = nombre_sin_formula(nombre);
    QuickReport1->cabeceras[0].etiquetas[titulo_].titulo =
        desde_1252(formatea("ZEFIRANT: Listado de propiedades de %s entre %d y %d K", nombre.c_str(), f->t_min_listado,
                            f->t_max_listado));
    prepara_listado(f->ruta_temporal, [this, f](std::FILE* salida) {
        for (int k = 0; k < paginas_impresion; ++k)
            lista_propiedades(f->c_gas, static_cast<unsigned>(f->t_min_listado), static_cast<unsigned>(f->t_max_listado),
                              f->intervalo_listado, 1, 0, salida, nullptr);
    });
}
