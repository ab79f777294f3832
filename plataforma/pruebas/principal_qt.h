// main de las pruebas con ventanas: crea la aplicación (plataforma sin
// pantalla) antes de correr las pruebas.
//
// Qt y lo que carga escriben por su cuenta en el directorio del usuario (el
// diálogo de ficheros guarda su estado en ~/.config/QtProject.conf; hay
// cachés y un directorio de ejecución). Las pruebas no deben tocarlo: HOME y
// las variables XDG apuntan a un directorio temporal propio del proceso, que
// se borra al acabar.
#pragma once

#include "plataforma/aplicacion.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

class hogar_pruebas {
public:
    hogar_pruebas()
    {
        std::error_code e;
        std::string plantilla = (std::filesystem::temp_directory_path(e) / "pruebas_qt_XXXXXX").string();
        if (e || !::mkdtemp(plantilla.data())) {
            std::perror("directorio temporal de las pruebas");
            return;
        }
        dir_ = plantilla;
        const std::string ejecucion = dir_.string() + "/run";
        listo_ = ::mkdir(ejecucion.c_str(), 0700) == 0 && pon("HOME", dir_.string()) &&
                 pon("XDG_CONFIG_HOME", dir_.string() + "/.config") && pon("XDG_CACHE_HOME", dir_.string() + "/.cache") &&
                 pon("XDG_DATA_HOME", dir_.string() + "/.local/share") &&
                 pon("XDG_STATE_HOME", dir_.string() + "/.local/state") && pon("XDG_RUNTIME_DIR", ejecucion);
    }
    ~hogar_pruebas()
    {
        std::error_code e;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, e);
    }
    hogar_pruebas(const hogar_pruebas&) = delete;
    hogar_pruebas& operator=(const hogar_pruebas&) = delete;
    bool listo() const { return listo_; }

private:
    static bool pon(const char* variable, const std::string& valor) { return ::setenv(variable, valor.c_str(), 1) == 0; }

    std::filesystem::path dir_;
    bool listo_ = false;
};

// El directorio se borra después de la aplicación: es lo primero que se crea.
#define MAIN_PRUEBAS_QT                                          \
    int main(int argc, char** argv)                              \
    {                                                            \
        hogar_pruebas hogar;                                     \
        if (!hogar.listo()) return 1;                            \
        setenv("QT_QPA_PLATFORM", "offscreen", 0);               \
        QApplication app(argc, argv);                            \
        prepara_aplicacion(app);                                 \
        ::testing::InitGoogleTest(&argc, argv);                  \
        return RUN_ALL_TESTS();                                  \
    }
