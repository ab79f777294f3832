// Órdenes "Calcular estados" y "Calcular estados y transformaciones", y el
// fichero temporal de resultados.
#include "zefirant/ventanas/Unit1.h"
#include "zefirant/ventanas/Unit11.h"
#include "zefirant/ventanas/ventanas.h"

#include "comun/mensajes.h"
#include "comun/texto1252.h"
#include "zefirant/motor/problema.h"
#include "zefirant/motor/solucion.h"
#include "zefirant/motor/tablas.h"
#include "zefirant/motor/transformaciones.h"

#include <cstdio>

int TForm1::recoge_transformaciones()
{
    problema_actual->num_estados = static_cast<std::uint8_t>(estados_definidos);
    int n = ListBox1->count();
    if (n > MAXTRANSFORMACIONES) n = MAXTRANSFORMACIONES;
    problema_actual->num_transformaciones = static_cast<std::uint8_t>(n);
    for (int k = 0; k < n; ++k) {
        int desde = 0, hasta = 0;
        std::sscanf(ListBox1->item(k)->text().toLatin1().constData(), "%d %d", &desde, &hasta);
        problema_actual->transformaciones[k].desde = static_cast<std::uint8_t>(desde);
        problema_actual->transformaciones[k].hasta = static_cast<std::uint8_t>(hasta);
    }
    return n;
}

int TForm1::calcula_estados()
{
    // La tabla del gas debe ser la del gas elegido antes de calcular nada.
    if (!asegura_gas()) return 0;
    // Cada estado preparado se calcula con el resto del calor del estado al
    // que sigue tal como está ahora.
    rehace_preparados();
    recoge_transformaciones();
    int n = comprueba_datos_estados(*problema_actual);
    if (n != 0) {
        muestra_error("Estado %d incorrecto", n);
    } else {
        std::string texto;
        n = resuelve_estados(*problema_actual, texto);
        if (n != 0 && !texto.empty()) muestra_error("%s", texto.c_str());
    }
    if (n != 0) {
        PageControl1->pon_pagina(TabSheet2);
        estado_actual = n - 1;
        if (estado_actual > estados_definidos) estado_actual = estados_definidos;
        muestra_estado();
        return 0;
    }
    if (fichero_resultados) std::fclose(fichero_resultados);
    fichero_resultados = std::fopen(ruta_temporal.c_str(), "w");
    if (!fichero_resultados) {
        muestra_error("Error al abrir el fichero temporal %s", texto1252::desde_utf8(ruta_temporal).c_str());
        return 0;
    }
    Form11->ListBox1->borra();
    texto_estados(*problema_actual, Form11->ListBox1, fichero_resultados);
    std::fflush(fichero_resultados);
    return 1;
}

namespace {

void cierra(std::FILE*& f)
{
    if (f) std::fclose(f);
    f = nullptr;
}

} // namespace

void TForm1::Calcularestados2Click()
{
    int bien = calcula_estados();
    cierra(fichero_resultados);
    if (!bien) {
        // La ventana de resultados no puede rehacer tablas de un cálculo
        // fallido (sus estados quedan a medio convertir).
        Form11->hide();
        return;
    }
    Form11->muestra(false);
}

void TForm1::Calcularestadosytransformaciones1Click()
{
    if (ListBox1->count() == 0) {
        Calcularestados2Click();
        return;
    }
    if (!calcula_estados()) {
        cierra(fichero_resultados);
        Form11->hide();
        return;
    }
    std::string texto;
    if (!calcula_transformaciones(*problema_actual, texto)) {
        muestra_error("%s", texto.c_str());
        PageControl1->pon_pagina(TabSheet3);
        cierra(fichero_resultados);
        Form11->hide();
        return;
    }
    std::fputs("<NP>\n", fichero_resultados);
    texto_transformaciones(*problema_actual, nullptr, fichero_resultados);
    cierra(fichero_resultados);
    Form11->muestra(true);
}

int TForm1::borra_temporal()
{
    cierra(fichero_resultados);
    std::FILE* f = std::fopen(ruta_temporal.c_str(), "r");
    if (!f) return 0;
    std::fclose(f);
    return std::remove(ruta_temporal.c_str()) == 0;
}
