// Nombres de las instancias de las pruebas con parámetros, que sólo admiten
// letras y cifras.
#pragma once

#include "comun/formato.h"

#include <gtest/gtest.h>

#include <string>

// Un número en el nombre de una instancia: 0.5 da "0Coma5", -3 "Menos3" y
// 1e6 "1e06".
inline std::string nombre_de_numero(double x)
{
    std::string n;
    for (char c : formatea("%g", x)) {
        if (c == '.') n += "Coma";
        else if (c == '-') n += "Menos";
        else if (c != '+') n += c;
    }
    return n;
}

// El nombre de la instancia de un parámetro que lleva el suyo en 'nombre'.
template <typename T>
std::string nombre_del_parametro(const ::testing::TestParamInfo<T>& i)
{
    return i.param.nombre;
}
