// Órdenes "Calcular estados" y "Calcular todo": el fichero temporal de
// resultados con la tabla de estados, las tablas de los equipos y el resumen
// de los datos del problema.
#include "brumalix/ventanas/Unit1.h"
#include "brumalix/ventanas/Unit5.h"
#include "brumalix/ventanas/Unit15.h"
#include "brumalix/ventanas/ventanas.h"

#include "plataforma/lista_marcado.h"

#include "brumalix/motor/balances.h"
#include "brumalix/motor/equipos.h"
#include "brumalix/motor/estados.h"
#include "brumalix/motor/traza.h"
#include "comun/formato.h"
#include "comun/mensajes.h"
#include "comun/texto1252.h"

#include <cstring>

namespace {

void cierra(std::FILE*& f)
{
    if (f) std::fclose(f);
    f = nullptr;
}

std::string texto_campo(const char* campo, std::size_t capacidad) { return std::string(campo, strnlen(campo, capacidad)); }

} // namespace

int TForm1::monta_caudales_directos()
{
    borra_caudales_directos();
    int k = 0;
    for (int j = 0; j <= ultimo_estado && j < MAXNUMESTADOS; ++j) {
        if (!(estados_dato[j].caudal > -0.5f)) continue;
        // La tabla (y el fichero de problema) tiene sitio para 36 caudales:
        // uno más no se pierde en silencio, se rechaza.
        if (k == MAXNUMCAUDDIRECTOS) return j + 1;
        caudales_directos[k].estado = j + 1;
        caudales_directos[k].caudal = estados_dato[j].caudal;
        ++k;
    }
    return 0;
}

int TForm1::lanza_calculo_estados()
{
    auto muestra_estado_fallido = [this](int numero) {
        PageControl1->pon_pagina(TabSheet1);
        estado_actual = numero < 1 ? 0 : numero > MAXNUMESTADOS ? MAXNUMESTADOS - 1 : numero - 1;
        muestra_estado();
        habilita_botones_estados();
        Edit1->setFocus();
    };
    if (int sobra = monta_caudales_directos()) {
        muestra_error("Estado %d: No se pueden dar más de %d caudales"_w, sobra, MAXNUMCAUDDIRECTOS);
        muestra_estado_fallido(sobra);
        return 0;
    }
    if (int k = primer_estado_incorrecto()) {
        muestra_error("Estado %d: Número de datos incorrecto"_w, k);
        muestra_estado_fallido(k);
        return 0;
    }
    cierra(fichero_resultados);
    fichero_resultados = std::fopen(ruta_temporal.c_str(), "w");
    if (!fichero_resultados) {
        muestra_error("Error al crear fichero temporal");
        return 0;
    }
    Resultados->ListBox1->borra();
    const int r = calcula_estados(fichero_resultados);
    if (r == -1) return 1;
    cierra(fichero_resultados);
    muestra_estado_fallido(r);
    return 0;
}

void TForm1::ejecuta_calculo_estados()
{
    if (!guarda_pagina_activa()) return;
    lista_traza().borra();
    Resultados->oculta_navegacion();
    lanza_calculo_estados();
    cierra(fichero_resultados);
}

void TForm1::ejecuta_calculo_todo()
{
    if (!guarda_pagina_activa()) return;
    Resultados->oculta_navegacion();
    num_equipos = ultimo_equipo + 1;
    if (equipos[ultimo_equipo].nombre[0] == '\0') --num_equipos;

    escribe_traza("Ent/Sal:");
    for (int i = 0; i < num_equipos; ++i) {
        elemento& q = equipos[i];
        escribe_traza("Elemento %d", i + 1);
        // Cada lista guarda como mucho 10 estados y no tiene lado derecho:
        // lo que no cabe no se lee.
        if (!lee_ecuacion(q.texto_entrantes, q.num_entrantes, q.entrantes, nullptr, nullptr, MAXESTENEQUIPO))
            escribe_traza("  Entrantes incorrectos: %s", texto_campo(q.texto_entrantes, LARGO_ECUACION).c_str());
        if (!lee_ecuacion(q.texto_salientes, q.num_salientes, q.salientes, nullptr, nullptr, MAXESTENEQUIPO))
            escribe_traza("  Salientes incorrectos: %s", texto_campo(q.texto_salientes, LARGO_ECUACION).c_str());
        for (int k = 0; k < q.num_entrantes; ++k) escribe_traza("  Entrante: %d", q.entrantes[k]);
        for (int k = 0; k < q.num_salientes; ++k) escribe_traza("  Saliente: %d", q.salientes[k]);
    }

    Resultados->ComboBox1->clear();
    Resultados->ComboBox1->addItem(QStringLiteral("Estados"));
    for (int i = 0; i < num_equipos; ++i)
        Resultados->ComboBox1->addItem(desde_1252(texto_campo(equipos[i].nombre, LARGO_NOMBRE_EQUIPO)));
    Resultados->ComboBox1->setCurrentIndex(0);
    Resultados->habilita_botones_resultados();

    if (!lanza_calculo_estados()) return;
    if (equipos[0].nombre[0] == '\0') {
        cierra(fichero_resultados);
        return;
    }
    if (!sepera_estados()) {
        cierra(fichero_resultados);
        return;
    }
    std::fputs("<NP>\n", fichero_resultados);
    for (int i = 0; i < num_equipos; ++i) {
        lista_elemento(i, fichero_resultados);
        std::fputs(i % 2 == 0 ? "\n\n\n" : "<NP>\n", fichero_resultados);
    }
    escribe_datos_problema(fichero_resultados);
    cierra(fichero_resultados);
    Resultados->muestra_navegacion();
}

void TForm1::escribe_datos_problema(std::FILE* f)
{
    std::fputs("`NDATOS DEL PROBLEMA\n\n", f);
    std::fputs(formatea("  (Presion:%s  Caudal:%s  Energia:%s)\n", salta_blancos(nombres_unidades[0 + unidad_presion_at]),
                        salta_blancos(nombres_unidades[2 + unidad_caudal_th]),
                        salta_blancos(nombres_unidades[4 + unidad_energia_kcal]))
                   .c_str(),
               f);
    std::fputs("====================================================\n", f);
    std::fputs("ESTADOS\n\n", f);
    const int n = numero_estados();
    for (int i = 0; i < n; ++i)
        std::fprintf(f, "%s\n", (formatea("    %3d: ", i + 1) + datos_estado(estados_dato[i])).c_str());
    if (num_equipos == 0) return;
    std::fputs("\nEQUIPOS\n\n", f);
    for (int i = 0; i < num_equipos && i < MAXNUMEQUIPOS; ++i) {
        const elemento& q = equipos[i];
        std::fprintf(f, "    %s\n", texto_campo(q.nombre, LARGO_NOMBRE_EQUIPO).c_str());
        std::fprintf(f, "        Estados entrantes: %s\n", texto_campo(q.texto_entrantes, LARGO_ECUACION).c_str());
        std::fprintf(f, "        Estados salientes: %s\n", texto_campo(q.texto_salientes, LARGO_ECUACION).c_str());
    }
    auto ecuaciones = [f](const ecuacion_balance* lista, int cuantas, const char* titulo) {
        bool primera = true;
        for (int i = 0; i < cuantas; ++i) {
            if (lista[i].texto[0] == '\0') continue;
            if (primera) std::fputs(titulo, f);
            primera = false;
            std::fprintf(f, "    %s\n", texto_campo(lista[i].texto, LARGO_ECUACION).c_str());
        }
    };
    ecuaciones(ecuaciones_masa, MAXNUMESTADOS, "\nECUACIONES DE MASA\n\n");
    ecuaciones(ecuaciones_energia, MAXNUMECENERGIA, "\nECUACIONES DE ENERGIA\n\n");
    bool primero = true;
    for (const caudal_directo& c : caudales_directos) {
        if (c.estado <= 0) continue;
        if (primero) std::fputs("\nCAUDALES DIRECTOS\n\n", f);
        primero = false;
        std::fprintf(f, "    Estado:%d    Caudal:%g\n", c.estado, c.caudal);
    }
}

void TForm1::Calcularestados1Click()
{
    if (!guarda_pagina_activa()) return;
    Button2Click();
}

void TForm1::Calculartodo1Click()
{
    if (!guarda_pagina_activa()) return;
    Button3Click();
}

void TForm1::CalcEstados1Click() { ejecuta_calculo_estados(); }
void TForm1::CalcTodo1Click() { ejecuta_calculo_todo(); }
void TForm1::Button2Click() { ejecuta_calculo_estados(); }
void TForm1::Button3Click() { ejecuta_calculo_todo(); }
