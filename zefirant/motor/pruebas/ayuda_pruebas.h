// Ayudas de las pruebas del cálculo: datos reales de los gases y problemas
// construidos estado a estado.
#pragma once

#include "zefirant/motor/gases.h"
#include "zefirant/motor/problema.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

// Abre GASES.DAT y GASOLINA.DAT del directorio de ejecución; deja las
// unidades en bar, kJ y kmol y un problema vacío.
class ConDatos : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Carga el gas del problema (tipo, y lambda para los combustibles), con
    // los datos de combustible que propone la página del gas.
    void pon_gas(int tipo, float aire = 0);
    // Añade un estado introducido (sin datos salvo los dados: pares
    // propiedad-valor y propiedad-estado referido) y lo devuelve.
    estado& nuevo_estado(std::initializer_list<std::pair<int, float>> valores = {},
                         std::initializer_list<std::pair<int, int>> referencias = {});
    void nueva_transformacion(int desde, int hasta);
    // Resuelve; devuelve el número del estado fallido (0 si ninguno).
    int resuelve(std::string* texto = nullptr);

    // Problemas de ejemplo (estados numerados desde 1):
    // aire: 1 (300 K, 1 bar); 2 (3 bar, T del 1); 3 (n 1,4, 600 K);
    //   4 (p del 3, 1300 K); 5 (v del 4, 300 K); 6 (s del 4, 1 bar);
    //   transformaciones 1-2, 2-3, 3-4, 4-5, 4-6.
    void problema_aire();
    // gasolina, lambda 1: 1 (300 K, 1 bar); 2 (n 1,35, v 2,5); 3 (x_v 0,6,
    //   v del 2) y 4 preparado con x_p 0,4 y p del 3; 5 (n 1,35, v del 1);
    //   transformaciones 1-2, 2-3, 3-4, 4-5.
    void problema_gasolina();
    // gasóleo, lambda 1,5: 1 (300 K, 1 bar); 2 (n 1,35, v 1,6); 3 (x_p 1,
    //   p del 2); 4 (n 1,35, v del 1); transformaciones 1-2, 2-3, 3-4.
    void problema_gasoleo();

    problema* p = nullptr;
};

// Texto UTF-8 pasado a Windows-1252 (para comparar con las líneas).
std::string w(const std::string& utf8);
// Raya de n caracteres 0x97.
std::string raya(int n);
