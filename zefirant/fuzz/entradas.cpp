#include "zefirant/fuzz/entradas.h"

#include "zefirant/motor/combustible.h"
#include "zefirant/motor/fichero_problema.h"
#include "zefirant/motor/gases.h"
#include "zefirant/motor/listado.h"
#include "zefirant/motor/problema.h"
#include "zefirant/motor/solucion.h"
#include "zefirant/motor/tablas.h"
#include "zefirant/motor/transformaciones.h"
#include "zefirant/motor/unidades.h"

#include "comun/lineas.h"
#include "comun/mensajes.h"
#include "comun/pruebas/ensayo.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>

#include <unistd.h>

namespace {

using ensayo::sumidero_mudo;

[[noreturn]] void falla(const char* que) { ensayo::falla("ZEFIRANT", que); }

// Lo común a todas las entradas: mensajes mudos, registro vacío en cada
// ensayo (no crece sin fin) y unidades de partida.
lineas_memoria& prepara()
{
    static sumidero_mudo mudo;
    static lineas_memoria registro;
    pon_sumidero_mensajes(&mudo);
    pon_lista_registro(&registro);
    registro.borra();
    unidad_masa_kg = unidad_energia_kcal = unidad_presion_at = 0;
    static lineas_memoria lista;
    lista.borra();
    return lista;
}

problema& problema_propio()
{
    static problema* p = nullptr;
    if (!p && !crea_problema(&p)) falla("sin memoria");
    return *p;
}

const std::string& directorio() { return ensayo::directorio("zefirant"); }

void escribe_fichero(const std::string& nombre, const std::uint8_t* datos, std::size_t n)
{
    ensayo::escribe_fichero("zefirant", nombre, datos, n);
}

// Resuelve el problema, calcula sus transformaciones y escribe las tablas y
// el listado de su gas.
void calcula(problema& p, lineas_memoria& lista)
{
    std::string texto;
    lista_propiedades(*p.gas, 273, gas_hasta_1500(p.gas->tipo) ? 1500 : 5000, 100, 1, 0, nullptr, &lista);
    lista_propiedades(*p.gas, 273, 400, 10, 1, 0, nullptr, &lista);
    if (comprueba_datos_estados(p) != 0) return;
    if (resuelve_estados(p, texto) != 0) return;
    texto_estados(p, &lista, nullptr);
    if (!calcula_transformaciones(p, texto)) return;
    texto_transformaciones(p, &lista, nullptr);
}

void pon_estado(problema& p, std::initializer_list<std::pair<int, float>> valores,
                std::initializer_list<std::pair<int, int>> referencias = {})
{
    estado& e = p.datos[p.num_estados++];
    reinicia_estado(e);
    for (auto [j, v] : valores) e.prop[j] = v;
    for (auto [j, r] : referencias) e.referencia[j] = r;
}

// Un problema fijo sobre el gas leído, que pasa por cada búsqueda de
// temperatura, el enlace politrópico y (combustión) el calor liberado; en
// las unidades de partida y en kg, kcal y kg/cm².
void ejercita_gas(const propiedades_gas& g, lineas_memoria& lista)
{
    problema& p = problema_propio();
    for (int unidades = 0; unidades < 2; ++unidades) {
        unidad_masa_kg = unidad_energia_kcal = unidad_presion_at = unidades;
        reinicia_problema(&p);
        *p.gas = g;
        pon_estado(p, {{E_TEMP, 300}, {E_PRES, 1}});
        pon_estado(p, {{E_PRES, 5}, {E_POLI, 1.4f}});
        pon_estado(p, {{E_TEMP, 1500}}, {{E_VOL, 2}});
        pon_estado(p, {{E_PRES, 1}}, {{E_ENTROP, 3}});
        pon_estado(p, {{E_ENTAL, 30000}, {E_PRES, 2}});
        pon_estado(p, {{E_UINT, 20000}, {E_VOL, 10}});
        pon_estado(p, {{E_ENTROP, 200}, {E_VOL, 20}});
        if (g.tipo >= GAS_GASOLINA) {
            pon_estado(p, {{E_XV, 0.5f}}, {{E_VOL, 7}});
            pon_estado(p, {{E_XP, 0.5f}}, {{E_PRES, 8}});
        }
        for (int k = 1; k < p.num_estados; ++k)
            p.transformaciones[p.num_transformaciones++] = {static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(k + 1)};
        calcula(p, lista);
    }
}

// Carga cada tipo de gas que usa el fichero ensayado y calcula con él.
// Devuelve si se cargaron todos.
bool ejercita_tipos(std::initializer_list<std::pair<int, float>> tipos, lineas_memoria& lista)
{
    if (!abre_ficheros_datos(directorio())) return false;
    bool todos = true;
    for (auto [tipo, aire] : tipos) {
        propiedades_gas g;
        g.tipo = static_cast<std::int8_t>(tipo);
        g.aire = aire;
        pon_datos_fijos(g);
        if (tipo == GAS_OTRO) g.c = 0.85f, g.h = 0.15f, g.Hu = 42000, g.humedad = 0.01f, g.aire_min = 14.89f;
        if (carga_propiedades(g))
            ejercita_gas(g, lista);
        else
            todos = false;
    }
    cierra_ficheros_datos();
    return todos;
}

} // namespace

bool ensaya_problema_zefirant(const std::uint8_t* datos, std::size_t n)
{
    lineas_memoria& lista = prepara();
    problema& p = problema_propio();
    reinicia_problema(&p);
    *p.gas = propiedades_gas{};
    const long leidos = carga_problema_de_bytes(datos, n, p);
    if (leidos == 0) return false;
    if (leidos != static_cast<long>(n) || p.num_estados > MAXESTADOS || p.num_transformaciones > MAXTRANSFORMACIONES)
        falla("problema aceptado con otra cuenta o fuera de los límites");
    // Lo aceptado se puede volver a escribir, con el largo de la disposición.
    // En un fichero temporal, nunca en un dispositivo como /dev/null: el
    // ensayo corre a menudo como root, y un fallo del escritor podría
    // sustituirlo.
    std::FILE* f = std::tmpfile();
    if (!f) falla("sin fichero temporal");
    const long escritos = escribe_problema(f, p);
    std::fclose(f);
    if (escritos != BYTES_CABECERA_PROBLEMA + BYTES_ESTADO_PROBLEMA * p.num_estados + 2 * p.num_transformaciones + 4)
        falla("problema aceptado que no se escribe entero");
    calcula(p, lista);
    return true;
}

bool ensaya_gases_dat(const std::uint8_t* datos, std::size_t n)
{
    lineas_memoria& lista = prepara();
    escribe_fichero("GASES.DAT", datos, n);
    escribe_fichero("GASOLINA.DAT", nullptr, 0);
    return ejercita_tipos({{GAS_AIRE, 0}, {GAS_HIDROGENO, 0}, {GAS_OXIGENO, 0}, {GAS_NITROGENO, 0},
                           {GAS_VAPOR, 0}, {GAS_CO, 0}, {GAS_CO2, 0}, {GAS_METANO, 0}, {GAS_AMONIACO, 0},
                           {GAS_GASOLINA, 1.3f}, {GAS_GASOLEO, 1.2f}, {GAS_OTRO, 1.1f}},
                          lista);
}

bool ensaya_gasolina_dat(const std::uint8_t* datos, std::size_t n)
{
    lineas_memoria& lista = prepara();
    escribe_fichero("GASES.DAT", nullptr, 0);
    escribe_fichero("GASOLINA.DAT", datos, n);
    return ejercita_tipos({{GAS_GASOLINA, 0.6f}, {GAS_GASOLINA, 0.8f}, {GAS_GASOLINA, 1.0f},
                           {GAS_GASOLINA, 0.7f}, {GAS_GASOLINA, 0.95f}},
                          lista);
}
