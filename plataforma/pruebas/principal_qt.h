// main de las pruebas con ventanas: crea la aplicación (plataforma sin
// pantalla) antes de correr las pruebas.
#pragma once

#include "plataforma/aplicacion.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

#define MAIN_PRUEBAS_QT                                          \
    int main(int argc, char** argv)                              \
    {                                                            \
        setenv("QT_QPA_PLATFORM", "offscreen", 0);               \
        QApplication app(argc, argv);                            \
        prepara_aplicacion(app);                                 \
        ::testing::InitGoogleTest(&argc, argv);                  \
        return RUN_ALL_TESTS();                                  \
    }
