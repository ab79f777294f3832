#include "zefirant/motor/listado.h"
#include "zefirant/motor/rejilla.h"
#include "zefirant/motor/unidades.h"

#include "comun/factores_unidades.h"
#include "comun/formato.h"
#include "comun/lineas.h"
#include "comun/texto1252.h"

#include <cmath>
#include <cstdint>
#include <cstring>

void punto_a_coma(std::string& texto)
{
    for (char& c : texto)
        if (c == '.') c = ',';
}

std::string con_coma(std::string texto)
{
    punto_a_coma(texto);
    return texto;
}

const char* segun_unidades(const char* kj_kmol, const char* kj_kg, const char* kcal_kmol, const char* kcal_kg)
{
    if (!unidad_energia_kcal) return !unidad_masa_kg ? kj_kmol : kj_kg;
    return !unidad_masa_kg ? kcal_kmol : kcal_kg;
}

std::string texto_masa_molar(const propiedades_gas& g) { return con_coma(formatea("(`IM = %6.3f kg/kmol)", g.M)); }

std::string linea_calor_humos(const propiedades_gas& g)
{
    return con_coma(formatea("`Im`Dc = %6.4f kg combustible/kmol humos; `Im`Dc·`IH`D`Iu = %-8.1f kJ/kmol humos"_w,
                             g.m_c, double(g.m_c) * double(g.Hu)));
}

void quita_blancos(std::string& texto)
{
    std::size_t n = texto.size();
    while (n > 1 && texto[n - 1] == ' ') --n;
    texto.resize(n);
}

std::string linea_raya(int n) { return std::string(n > 0 ? static_cast<std::size_t>(n) : 0, '\x97'); }

std::string nombre_registro(const propiedades_gas& g)
{
    const void* fin = std::memchr(g.nombre, 0, sizeof g.nombre);
    const std::size_t n = fin ? static_cast<std::size_t>(static_cast<const char*>(fin) - g.nombre) : sizeof g.nombre;
    return std::string(g.nombre, n);
}

std::string nombre_sin_formula(std::string_view nombre)
{
    std::size_t fin = nombre.find('(');
    return std::string(nombre.substr(0, fin));
}

void escribe_linea(lista_lineas* lista, std::FILE* fichero, std::string_view linea)
{
    if (lista) lista->agrega(linea);
    if (fichero) {
        std::fwrite(linea.data(), 1, linea.size(), fichero);
        std::fputc('\n', fichero);
    }
}

namespace {

// Salida del listado: la lista de la ventana o el fichero con prefijo.
struct salida_listado {
    lista_lineas* lista;
    std::FILE* fichero;
    void cabecera(const std::string& linea, bool ultima) const
    {
        if (fichero) {
            std::fputs(ultima ? ">>" : ">", fichero);
            escribe_linea(nullptr, fichero, linea);
        } else if (lista) {
            lista->agrega(linea);
        }
    }
    void fila(const std::string& linea) const
    {
        if (fichero) escribe_linea(nullptr, fichero, linea);
        else if (lista) lista->agrega(linea);
    }
};

constexpr int RAYA_LISTADO = 77;

void escribe_cabecera(const propiedades_gas& g, const salida_listado& s)
{
    if (g.tipo < GAS_GASOLINA) {
        s.cabecera(formatea("PROPIEDADES TERMODINÁMICAS DEL %s EN ESTADO DE GAS PERFECTO"_w, nombre_registro(g).c_str()), false);
        s.cabecera(texto_masa_molar(g), false);
    } else {
        s.cabecera(formatea("PROPIEDADES TERMODINÁMICAS DE GASES DE COMBUSTIÓN DE %s"_w, nombre_registro(g).c_str()), false);
        s.cabecera(con_coma(formatea("EN ESTADO DE GAS PERFECTO (`Ic=%5.1f%%; `Ih=%5.1f%%;`IH`D`Iu=%8.1f kJ/kg combustible)",
                                     100.0 * g.c, 100.0 * g.h, g.Hu)),
                   false);
        s.cabecera(con_coma(formatea("aire=%6.4f; aire(min) = %6.3f kg/kg combustible; `IM=%6.3f kg/kmol", g.aire,
                                     g.aire_min, g.M)),
                   false);
        s.cabecera(linea_calor_humos(g), false);
    }
    s.cabecera("Exergías referidas a `It`D`Ia = 20 °C y `Ip`D`Ia = 1 bar"_w, false);
    s.cabecera(linea_raya(RAYA_LISTADO), false);
    s.cabecera("temperatura `S½capacidad   capacidad    energía   entalpía  entropía   exergía"_w, false);
    s.cabecera(" absoluta   `S½calorífica  calorífica   interna  específica absoluta  entálpica"_w, false);
    if (!unidad_presion_at) {
        s.cabecera("            `S½     `I`DT           `I`DT                            a 1 bar   a 1 bar"_w, false);
        s.cabecera("    `IT       `S½  `Ic`I`Dv`S½`D0        `Ic`I`Dp`S½`D0       `Iu=`Ic`I`Dv·`IT    "
                   "`Ih=`Ic`I`Dp·`IT     `Is`I`Dp`D=`D1`Db`Da`Dr   `Ie`I`Dp`D=`D1`Db`Da`Dr"_w,
                   false);
    } else {
        s.cabecera("            `S½     `I`DT           `I`DT                            a 1 at    a 1 at "_w, false);
        s.cabecera("    T       `S½  `Ic`I`Dv`S½`D0        `Ic`I`Dp`S½`D0       `Iu=`Ic`I`Dv·`IT    "
                   "`Ih=`Ic`I`Dp·`IT     `Is`I`Dp`D=`D1`Da`Dt    `Ie`I`Dp`D=`D1`Da`Dt"_w,
                   false);
    }
    s.cabecera(segun_unidades("            `S½ kJ/kmolK    kJ/kmolK    kJ/kmol   kJ/kmol   kJ/kmolK   kJ/kmol"_w,
                              "            `S½  kJ/kgK      kJ/kgK      kJ/kg     kJ/kg     kJ/kgK     kJ/kg "_w,
                              "            `S½kcal/kmolK  kcal/kmolK  kcal/kmol kcal/kmol kcal/kmolK kcal/kmol"_w,
                              "            `S½ kcal/kgK    kcal/kgK    kcal/kg   kcal/kg   kcal/kgK   kcal/kg"_w),
               false);
    s.cabecera(linea_raya(RAYA_LISTADO), true);
}

// Fila del listado a la temperatura T.
std::string fila_listado(const propiedades_gas& g, unsigned T)
{
    float cv0, cp, s0;
    propiedades_a_T(static_cast<float>(T), g, cv0, cp, s0);
    double t = T;
    double c_v = cv0, c_p = cp, u = t * cv0, h = t * cp;
    double s = s0;
    // Con kg/cm² la entropía y la exergía se dan a 1 at (0,980665 bar).
    if (unidad_presion_at) s = s0 - R_UNIVERSAL * std::log(AT_A_BAR);
    double e = h - 293.15 * s + g.e0;
    double factor = 1.0;
    if (unidad_masa_kg) factor /= g.M;
    if (unidad_energia_kcal) factor *= KJ_A_KCAL_REDONDEADO;
    if (factor != 1.0) {
        c_v *= factor;
        c_p *= factor;
        u *= factor;
        h *= factor;
        s *= factor;
        e *= factor;
    }
    return con_coma(formatea("   %4u     `S½ %7.4f     %7.4f    %8.1f  %8.1f    %7.3f  %8.1f"_w, T, c_v, c_p, u, h, s, e));
}

} // namespace

int lista_propiedades(const propiedades_gas& gas, unsigned t_inferior, unsigned t_superior, int paso, int pagina,
                      int solo_contar, std::FILE* fichero, lista_lineas* lista)
{
    // Sólo los pasos que ofrece la ventana: con otros (de 1 a 9 K) la regla
    // de la temperatura siguiente volvería a la misma fila sin acabar nunca.
    if (paso != 10 && paso != 20 && paso != 50 && paso != 100) return -1;
    const salida_listado salida{lista, fichero};
    const int filas_pagina = fichero ? FILAS_PAGINA_FICHERO
                             : gas.tipo < GAS_GASOLINA ? FILAS_PAGINA_GAS
                                                       : FILAS_PAGINA_COMBUSTION;
    if (!solo_contar) {
        if (!fichero && lista) lista->borra();
        escribe_cabecera(gas, salida);
    }
    int pagina_actual = 1;
    long filas = 0;
    // Aritmética de 64 bits: un límite superior cercano al máximo de un
    // unsigned no puede dar la vuelta y hacer el bucle infinito.
    std::uint64_t T = t_inferior;
    const std::uint64_t paso64 = static_cast<std::uint64_t>(paso);
    while (T <= t_superior) {
        if (filas != 0 && filas % filas_pagina == 0) {
            filas = 0;
            ++pagina_actual;
        }
        if (!solo_contar && pagina_actual == pagina) salida.fila(fila_listado(gas, static_cast<unsigned>(T)));
        ++filas;
        // Tras la primera fila, las temperaturas van en múltiplos de 10.
        if (T % 10 == 0) {
            T += paso64;
        } else {
            std::uint64_t redondeada = T / 10 * 10;
            if (redondeada >= 280) T = redondeada + paso64;
            else T = paso64 == 10 ? 280 : 300;
        }
    }
    return pagina_actual;
}
