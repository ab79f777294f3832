// Entorno de las pruebas del motor de BRUMALIX: tablas reales cargadas una
// vez, mensajes y listas en memoria, y un problema vacío en cada prueba.
#pragma once

#include "barridos.h"
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

class entorno_agua : public ::testing::Test {
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

    // Estado k (desde 1) de los datos del problema.
    static estado_agua& dato(int k) { return estados_dato[k - 1]; }
    static const estado_agua& calculado(int k) { return estados_calculo[k - 1]; }
    static void ecuacion_masa(int k, const char* texto) { std::strcpy(ecuaciones_masa[k - 1].texto, texto); }
    static void ecuacion_energia(int k, const char* texto) { std::strcpy(ecuaciones_energia[k - 1].texto, texto); }
    static void caudal_dado(int k, int estado, float caudal) { caudales_directos[k - 1] = {estado, caudal}; }

    sumidero_prueba mensajes;
    lineas_memoria traza, resultados, listado;
};

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
    static const char* const guion =
        "import sys\n"
        "try:\n"
        "    from iapws import IAPWS97\n"
        "except Exception:\n"
        "    sys.exit(3)\n"
        "for a in sys.stdin:\n"
        "    k, u, w = a.split(':')\n"
        "    u = float(u); w = float(w)\n"
        "    if k == 'tp': e = IAPWS97(T=u + 273.15, P=w / 10)\n"
        "    elif k == 'px': e = IAPWS97(P=u / 10, x=w)\n"
        "    elif k == 'ps': e = IAPWS97(P=u / 10, s=w)\n"
        "    else: e = IAPWS97(T=u + 273.15, x=w)\n"
        "    x = e.x if e.region == 4 else -1\n"
        "    print('%.10g %.10g %.10g %.10g %.10g %.10g' % (e.P * 10, e.T - 273.15, e.h, e.s, e.v * 1000, x))\n";
    std::vector<valores_if97> salida;
    for (const std::string& l : barridos::ejecuta_guion(guion, consultas)) {
        valores_if97 v;
        if (std::sscanf(l.c_str(), "%lf %lf %lf %lf %lf %lf", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]) != 6) return {};
        salida.push_back(v);
    }
    if (salida.size() != consultas.size()) return {};
    return salida;
}
