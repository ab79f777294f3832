// Menú "Ficheros": cargar, salvar y nuevo problema, con la pregunta de
// guardar antes de abandonar un problema cambiado.
#include "zefirant/ventanas/Unit1.h"
#include "zefirant/ventanas/Unit9.h"
#include "zefirant/ventanas/ventanas.h"

#include "plataforma/dialogos.h"
#include "plataforma/lista_marcado.h"

#include "comun/mensajes.h"
#include "comun/texto1252.h"
#include "zefirant/motor/combustible.h"
#include "zefirant/motor/fichero_problema.h"
#include "zefirant/motor/problema.h"
#include "zefirant/motor/unidades.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Las rutas vienen del sistema de ficheros (UTF-8); los mensajes van en
// Windows-1252.
std::string ruta_mensaje(const std::string& ruta) { return texto1252::desde_utf8(ruta); }

} // namespace

int TForm1::confirma_guardar()
{
    if (!modificado) return 1;
    respuesta r = sumidero().pregunta("¿GUARDAR?"_w, "¿Desea guardar antes el problema?"_w, true);
    if (r == respuesta::cancelar) return 0;
    if (r == respuesta::no) return 1;
    // "Sí" sigue adelante sólo si el problema quedó guardado.
    return salva_problema_bien() ? 1 : 0;
}

void TForm1::salva_problema() { salva_problema_bien(); }

bool TForm1::salva_problema_bien()
{
    recoge_transformaciones();
    if (c_gas.tipo == GAS_NINGUNO) {
        muestra_error("ERROR: No hay problema planteado");
        return false;
    }
    // El fichero guarda la tabla del gas: debe ser la del gas elegido.
    if (!asegura_gas()) return false;
    std::optional<std::string> ruta = dialogo_guardar(this);
    if (!ruta) return false;
    if (guarda_problema(*ruta, *problema_actual) == 0) {
        muestra_error("Error al salvar el problema");
        return false;
    }
    modificado = 0;
    nombre_problema = *ruta;
    pon_titulo(0);
    return true;
}

void TForm1::Salvarproblema1Click() { salva_problema(); }

void TForm1::Nuevoproblema1Click()
{
    if (confirma_guardar()) nuevo_problema();
}

void TForm1::Cargarproblema1Click()
{
    if (!confirma_guardar()) return;
    std::optional<std::string> eleccion = dialogo_abrir(this);
    if (!eleccion) return;
    const std::string ruta = *eleccion;
    std::FILE* prueba = std::fopen(ruta.c_str(), "rb");
    if (!prueba) {
        muestra_error("Error al abrir %s", ruta_mensaje(ruta).c_str());
        return;
    }
    std::fclose(prueba);
    // El fichero se lee y se comprueba entero antes de tocar nada: uno
    // rechazado deja el problema abierto, su nombre y sus páginas como
    // estaban.
    std::vector<unsigned char> bytes;
    if (lee_problema(ruta, bytes) <= 0) {
        muestra_error("Error al cargar %s", ruta_mensaje(ruta).c_str());
        return;
    }
    // Lo escrito en las páginas se descarta con el problema: ningún campo
    // avisa de lo que tiene mientras se rellenan.
    const descarte_campos descarte(*this);
    nuevo_problema();
    carga_problema_de_bytes(bytes.data(), bytes.size(), *problema_actual);
    nombre_problema = ruta;
    pon_titulo(0);
    reinicia_combustible = 0;
    if (c_gas.tipo >= GAS_AIRE && c_gas.tipo <= GAS_GASOLEO) {
        std::memset(c_gas.nombre, 0, sizeof c_gas.nombre);
        std::strncpy(c_gas.nombre, nombres_gases[c_gas.tipo], sizeof c_gas.nombre - 1);
    }
    Form9->pon_unidades(unidad_masa_kg, unidad_energia_kcal, unidad_presion_at);
    pon_etiquetas_unidades();
    PageControl1->pon_pagina(TabSheet1);
    if (!es_combustible(c_gas.tipo)) {
        RadioGroup2->pon_indice(0);
        RadioGroup2->hide();
        RadioGroup1->pon_indice(c_gas.tipo);
    } else {
        RadioGroup2->pon_indice(c_gas.tipo - GAS_GASOLINA);
        RadioGroup2->show();
        RadioGroup1->pon_indice(OPCION_COMBUSTION);
    }
    selecciona_gas(c_gas.tipo);
    reinicia_combustible = 1;
    gas_al_dia = false;

    PageControl1->pon_pagina(TabSheet2);
    estados_definidos = problema_actual->num_estados;
    estado_actual = 0;
    Label29->setText(QString::number(estados_definidos));
    ComboBox2->clear();
    for (int k = 1; k <= estados_definidos + 1; ++k) ComboBox2->addItem(QString::number(k));
    ComboBox2->setCurrentIndex(0);
    // Un estado preparado del fichero se rehace desde el estado al que sigue.
    rehace_preparados();
    muestra_estado();

    PageControl1->pon_pagina(TabSheet3);
    ListBox1->clear();
    for (int k = 0; k < problema_actual->num_transformaciones; ++k) {
        const transformacion& t = problema_actual->transformaciones[k];
        ListBox1->addItem(QStringLiteral("%1 %2").arg(t.desde).arg(t.hasta));
    }
    ListBox1->setCurrentRow(-1);
    Label46->setText(QString::number(problema_actual->num_transformaciones));
    Label50->setText(QString::number(problema_actual->num_transformaciones));
    PageControl1->pon_pagina(TabSheet1);
}
