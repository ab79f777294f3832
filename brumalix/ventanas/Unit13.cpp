#include "brumalix/ventanas/Unit13.h"
#include "brumalix/ventanas/Unit1.h"
#include "brumalix/ventanas/Unit10.h"
#include "brumalix/ventanas/Unit11.h"
#include "brumalix/ventanas/ventanas.h"

#include "plataforma/lista_marcado.h"

#include "brumalix/motor/listados.h"


namespace {

// Cada "<NP>" empieza un bloque del listado con sus propias cabeceras; 36
// caracteres marcados por línea, tras una sangría de 6 blancos.
const reglas_listado_impreso reglas_listado{.capacidad_linea = 2000, .cabeceras_por_bloque = true,
                                            .error_crear = "Error al crear fichero temporal",
                                            .error_abrir = "Error al crear fichero temporal"};
const reglas_superpuestas reglas_lineas{.sangria = 6, .paso = 7, .num_superpuestas = 36};

} // namespace

Timprelist1* imprelist1 = nullptr;

Timprelist1::Timprelist1() : formulario_listado(reglas_listado, reglas_lineas)
{
    lineas_por_pagina = 55;
    formulario_informe& q = *QuickReport1;
    q.margen_izquierdo = formulario_informe::MARGEN_10MM;
    // El título lo pone el diálogo de listados (pon_titulo).
    q.cabeceras.push_back(banda_informe{
        41, false, false, 2,
        {rotulo_arial(QString(), 13, true, 16, 16), numero_pagina_arial(QString::fromUtf8("Página: "), 13, true, 16)}});
    q.cabeceras.push_back(banda_informe{8, false, false, 2, {}});
    q.cabeceras.push_back(banda_informe{8, false, false, 2, {}});
    q.pie.alto = 0;
    q.detalle.alto = 12;
    prepara_detalle(8);
}

void Timprelist1::pon_titulo(const std::string& titulo) { QuickReport1->cabeceras[0].etiquetas[0].titulo = desde_1252(titulo); }

QString Timprelist1::titulo() const { return QuickReport1->cabeceras[0].etiquetas[0].titulo; }

void Timprelist1::QuickReport1BeforePrint()
{
    lineas_por_pagina = Listados->lineas_por_pagina_impresas();
    prepara_listado(Form1->ruta_temporal, [this](std::FILE* salida) {
        for (int p = 1; p <= paginas_impresion; ++p) {
            if (Form11->tipo_listado == 1) listado_curvas_limite(p, 0, destino_listado::fichero, salida);
            else listado_liquido_vapor(p, 0, destino_listado::fichero, salida);
        }
    });
}
