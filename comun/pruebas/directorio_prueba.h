// Directorio temporal propio de la prueba en curso, vacío: lleva el número
// del proceso y el nombre de la prueba, para que las pruebas que corren a la
// vez (ctest -j) no se pisen.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

// "<prefijo>_<proceso>_<prueba>" en el directorio temporal, creado de nuevo
// (lo que quedara de una ejecución anterior se borra). El nombre de una
// prueba con parámetros lleva "/": se cambia por "_", para que el directorio
// sea uno solo y se borre entero.
inline std::filesystem::path directorio_prueba(const std::string& prefijo)
{
    std::string prueba = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    for (char& c : prueba)
        if (c == '/') c = '_';
    const std::filesystem::path d =
        std::filesystem::temp_directory_path() / (prefijo + "_" + std::to_string(::getpid()) + "_" + prueba);
    std::filesystem::remove_all(d);
    std::filesystem::create_directories(d);
    return d;
}
