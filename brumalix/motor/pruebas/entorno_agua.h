// Entorno de las pruebas del motor de BRUMALIX: tablas reales cargadas una
// vez, mensajes y listas en memoria, y un problema vacío en cada prueba.
#pragma once

#include "brumalix/motor/pruebas/barridos.h"
#include "brumalix/motor/pruebas/nombres_prueba.h"
#include "brumalix/motor/calcula.h"
#include "brumalix/motor/inicio.h"
#include "brumalix/motor/estados.h"
#include "brumalix/motor/listados.h"
#include "brumalix/motor/problema_agua.h"
#include "brumalix/motor/tablas.h"
#include "brumalix/motor/traza.h"
#include "comun/formato.h"
#include "comun/lineas.h"
#include "comun/pruebas/sumidero_prueba.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

// Las tablas reales de f1-bin.dat y f2-bin.dat, leídas una sola vez.
inline bool carga_tablas_reales()
{
    static std::vector<float> f1, f2;
    static int filas = 0;
    static bool hecho = false, bien = false;
    if (!hecho) {
        hecho = true;
        sumidero_prueba mensajes;
        bien = inicializa_datos(DIR_DATOS) == 1;
        f1 = datos_f1;
        f2 = datos_f2;
        filas = num_filas_f1;
    } else if (bien) {
        datos_f1 = f1;
        datos_f2 = f2;
        num_filas_f1 = filas;
    }
    return bien;
}

class EntornoAgua : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(carga_tablas_reales()) << "faltan f1-bin.dat o f2-bin.dat en " << DIR_DATOS;
        pon_lista_traza(&traza);
        pon_lista_resultados(&resultados);
        pon_lista_listado(&listado);
        reinicia_problema_agua();
        borra_ecuaciones();
        num_equipos = 0;
        num_incognitas = 0;
        traza.borra();
    }
    void TearDown() override
    {
        pon_lista_traza(nullptr);
        pon_lista_resultados(nullptr);
        pon_lista_listado(nullptr);
    }

    // Las salidas de calcula con una pareja de datos, como el estado
    // 'estado_calculado' (-7 en lo que no escribe).
    struct salida_calcula {
        std::int32_t r = -100;
        float p = -7, t = -7, h = -7, s = -7, v = -7, x = -7;
        std::int32_t fase = -7;
    };
    salida_calcula calcula_pareja(int codigo, double a, double b) const
    {
        salida_calcula o;
        o.r = calcula(estado_calculado, static_cast<float>(a), static_cast<float>(b), codigo, o.p, o.t, o.h, o.s, o.v,
                      o.x, o.fase);
        return o;
    }
    int estado_calculado = 1;

    // Estado k (desde 1) de los datos del problema.
    static estado_agua& dato(int k) { return estados_dato[k - 1]; }
    static const estado_agua& calculado(int k) { return estados_calculo[k - 1]; }
    static void ecuacion_masa(int k, const char* texto) { std::strcpy(ecuaciones_masa[k - 1].texto, texto); }
    static void ecuacion_energia(int k, const char* texto) { std::strcpy(ecuaciones_energia[k - 1].texto, texto); }
    static void caudal_dado(int k, int estado, float caudal) { caudales_directos[k - 1] = {estado, caudal}; }

    sumidero_prueba mensajes;
    lineas_memoria traza, resultados, listado;
};

// Nombre de una pareja de datos en el de una instancia de prueba: "TP",
// "PH", "PSHumedo"...
inline std::string nombre_de_pareja(int codigo)
{
    static const char* const nombres[] = {"",   "TP", "TS",       "TV",       "PH",       "PS",
                                          "PV", "PX", "PHHumedo", "PSHumedo", "PVHumedo", "TX"};
    return codigo >= 1 && codigo <= COD_TX ? nombres[codigo] : "Codigo" + std::to_string(codigo);
}

// Instancias de una prueba con la pareja de datos como parámetro.
inline std::string nombre_de_codigo(const ::testing::TestParamInfo<int>& i) { return nombre_de_pareja(i.param); }

// Líneas de un fichero de texto (que se cierra).
inline std::vector<std::string> lineas_de(std::FILE* f)
{
    std::rewind(f);
    std::vector<std::string> v;
    char linea[400];
    while (std::fgets(linea, sizeof linea, f)) {
        std::string s(linea);
        if (!s.empty() && s.back() == '\n') s.pop_back();
        v.push_back(s);
    }
    std::fclose(f);
    return v;
}

// Valores de IAPWS-IF97 de la biblioteca de Python, como oráculo
// independiente: cada consulta "tp:t:p", "px:p:x", "ps:p:s" o "tx:t:x" (°C, bar) da
// p, t, h, s, v (dm³/kg) y x (-1 fuera de la campana). Vacío si la
// biblioteca no está.
using valores_if97 = std::array<double, 6>;

inline std::vector<valores_if97> consulta_if97(const std::vector<std::string>& consultas)
{
    // "tp:t:p" es la consulta "pt p t" del oráculo; las demás van en orden.
    std::vector<std::string> del_oraculo;
    for (const std::string& c : consultas) {
        char clase[3] = {};
        double u = 0, w = 0;
        if (std::sscanf(c.c_str(), "%2[a-z]:%lf:%lf", clase, &u, &w) != 3) return {};
        del_oraculo.push_back(std::string(clase) == "tp" ? formatea("pt %.17g %.17g", w, u)
                                                         : formatea("%s %.17g %.17g", clase, u, w));
    }
    std::vector<valores_if97> salida;
    for (const barridos::valor_if97& v : barridos::consulta(del_oraculo)) {
        if (!v.bien) return {};
        salida.push_back({v.p, v.t, v.h, v.s, v.v, v.x});
    }
    if (salida.size() != consultas.size()) return {};
    return salida;
}
