#include "brumalix/fuzz/entradas.h"

#include "brumalix/motor/balances.h"
#include "brumalix/motor/calcula.h"
#include "brumalix/motor/equipos.h"
#include "brumalix/motor/estados.h"
#include "brumalix/motor/inicio.h"
#include "brumalix/motor/listados.h"
#include "brumalix/motor/problema_agua.h"
#include "brumalix/motor/saturacion.h"
#include "brumalix/motor/tablas.h"
#include "brumalix/motor/traza.h"
#include "brumalix/ventanas/fichero_problema.h"

#include "comun/lineas.h"
#include "comun/mensajes.h"
#include "comun/pruebas/ensayo.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using ensayo::sumidero_mudo;

[[noreturn]] void falla(const char* que) { ensayo::falla("BRUMALIX", que); }

// Las tablas reales, leídas una vez del directorio de datos.
struct tablas_reales {
    std::vector<float> f1, f2;
    int filas = 0;
};

const tablas_reales& reales()
{
    static const tablas_reales t = [] {
        tablas_reales r;
        if (inicializa_datos(DIR_DATOS) != 1) falla("faltan f1-bin.dat o f2-bin.dat en " DIR_DATOS);
        r.f1 = datos_f1;
        r.f2 = datos_f2;
        r.filas = num_filas_f1;
        return r;
    }();
    return t;
}

// Lo común a cada ensayo: mensajes mudos, listas vacías (no crecen sin fin),
// tablas reales y un problema vacío.
void prepara()
{
    static sumidero_mudo mudo;
    static lineas_memoria traza, resultados, listado;
    pon_sumidero_mensajes(&mudo);
    pon_lista_traza(&traza);
    pon_lista_resultados(&resultados);
    pon_lista_listado(&listado);
    traza.borra();
    resultados.borra();
    listado.borra();
    const tablas_reales& t = reales();
    datos_f1 = t.f1;
    datos_f2 = t.f2;
    num_filas_f1 = t.filas;
    tolerancia_saturacion = 0.0002f;
    reinicia_problema_agua();
    borra_ecuaciones();
    num_equipos = 0;
    num_incognitas = 0;
}

std::string escribe_fichero(const char* nombre, const std::uint8_t* datos, std::size_t n)
{
    return ensayo::escribe_fichero("brumalix", nombre, datos, n);
}

// Cada pareja de datos de calcula, a ambos lados de la campana y en sus
// bordes, y la primera página de los dos listados.
void ejercita_tablas()
{
    struct pareja {
        int codigo;
        float a, b;
    };
    static const pareja parejas[] = {
        {COD_TP, 200, 10},   {COD_TP, 50, 10},    {COD_TP, 500, 100},  {COD_TP, 0.5f, 0.02f}, {COD_TP, 799, 239},
        {COD_TS, 300, 7},    {COD_TS, 50, 9.01f}, {COD_TS, 400, 6},    {COD_TS, 150, 2},      {COD_TV, 300, 250},
        {COD_TV, 50, 1e5f},  {COD_TV, 100, 1000}, {COD_PH, 10, 3000},  {COD_PH, 10, 500},     {COD_PH, 10, 2000},
        {COD_PS, 10, 7},     {COD_PS, 1, 1},      {COD_PS, 150, 5},    {COD_PV, 10, 200},     {COD_PV, 1, 1000},
        {COD_PX, 5, 0.5f},   {COD_PX, 221, 0.9f}, {COD_TX, 150, 0.3f}, {COD_TX, 373.5f, 1},
    };
    for (const pareja& q : parejas) {
        float p, t, h, s, v, x;
        std::int32_t fase;
        calcula(1, q.a, q.b, q.codigo, p, t, h, s, v, x, fase);
    }
    float r;
    calc_psat(100, r);
    calc_tsat(1, r);
    listado_curvas_limite(1, 0, destino_listado::ventana);
    listado_liquido_vapor(1, 0, destino_listado::ventana);
}

// La tabla de caudales directos como la monta la ventana antes de calcular.
void monta_caudales_directos(int S)
{
    borra_caudales_directos();
    int k = 0;
    for (int j = 0; j < S && j < MAXNUMESTADOS; ++j) {
        if (!(estados_dato[j].caudal > -0.5f)) continue;
        if (k == MAXNUMCAUDDIRECTOS) return;
        caudales_directos[k].estado = j + 1;
        caudales_directos[k].caudal = estados_dato[j].caudal;
        ++k;
    }
}

// "Calcular todo" con el problema leído.
void calcula_todo(int S)
{
    for (int i = 0; i < num_equipos; ++i) {
        elemento& q = equipos[i];
        lee_ecuacion(q.texto_entrantes, q.num_entrantes, q.entrantes, nullptr, nullptr, MAXESTENEQUIPO);
        lee_ecuacion(q.texto_salientes, q.num_salientes, q.salientes, nullptr, nullptr, MAXESTENEQUIPO);
    }
    monta_caudales_directos(S);
    if (primer_estado_incorrecto() != 0) return;
    if (calcula_estados(nullptr) != -1) return;
    if (num_equipos == 0 || equipos[0].nombre[0] == '\0') return;
    if (!sepera_estados()) return;
    for (int i = 0; i < num_equipos; ++i) lista_elemento(i, nullptr);
}

} // namespace

bool ensaya_problema_brumalix(const std::uint8_t* datos, std::size_t n)
{
    prepara();
    const std::vector<unsigned char> bytes(datos, datos + n);
    problema_leido leido;
    if (lee_problema(bytes, leido) != lectura_problema::bien) return false;
    pasa_al_problema(leido);
    const int S = static_cast<int>(leido.estados.size());
    const int E = static_cast<int>(leido.equipos.size());
    pon_unidades_cabeceras();
    pon_limites_presion();

    // Lo aceptado, escrito de nuevo, se vuelve a leer con las mismas cuentas.
    std::FILE* f = std::tmpfile();
    if (!f) falla("sin fichero temporal");
    if (!escribe_problema(f, S, E)) falla("problema aceptado que no se escribe");
    std::vector<unsigned char> escrito(static_cast<std::size_t>(std::ftell(f)));
    std::rewind(f);
    if (std::fread(escrito.data(), 1, escrito.size(), f) != escrito.size()) falla("no se relee lo escrito");
    std::fclose(f);
    problema_leido otra_vez;
    if (lee_problema(escrito, otra_vez) != lectura_problema::bien || otra_vez.estados.size() != leido.estados.size() ||
        otra_vez.equipos.size() != leido.equipos.size())
        falla("problema aceptado que, escrito de nuevo, no se lee igual");

    calcula_todo(S);
    listado_curvas_limite(1, 0, destino_listado::ventana);
    listado_liquido_vapor(1, 0, destino_listado::ventana);
    return true;
}

bool ensaya_f1(const std::uint8_t* datos, std::size_t n)
{
    prepara();
    if (!carga_tabla_f1(escribe_fichero("f1-bin.dat", datos, n))) return false;
    ejercita_tablas();
    return true;
}

bool ensaya_f2(const std::uint8_t* datos, std::size_t n)
{
    prepara();
    if (!carga_tabla_f2(escribe_fichero("f2-bin.dat", datos, n))) return false;
    ejercita_tablas();
    return true;
}
