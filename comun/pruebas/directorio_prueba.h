// Directorio temporal propio de la prueba en curso, vacío: lleva el número
// del proceso y el nombre de la prueba, para que las pruebas que corren a la
// vez (ctest -j) no se pisen.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

// "<prefijo>_<proceso>_<prueba>" en el directorio temporal, creado de nuevo
// (lo que quedara de una ejecución anterior se borra).
inline std::filesystem::path directorio_prueba(const std::string& prefijo)
{
    const std::filesystem::path d =
        std::filesystem::temp_directory_path() / (prefijo + "_" + std::to_string(::getpid()) + "_" +
                                                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(d);
    std::filesystem::create_directories(d);
    return d;
}
