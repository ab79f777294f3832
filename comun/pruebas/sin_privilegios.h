// Pruebas que escriben donde un fallo del código probado sería peligroso
// (un dispositivo como /dev/full) o que pueden quedarse esperando (una
// tubería sin lector): se hacen en un proceso hijo que deja de ser root antes
// de nada y que tiene un límite de tiempo.
//
// El hijo, si el proceso es root, quita sus grupos y toma el gid y el uid
// 65534: así no puede sustituir un dispositivo ni tocar un fichero ajeno
// aunque el código probado falle. Si pasa del límite de tiempo, la alarma lo
// termina y la prueba falla en vez de colgarse. Lo que comprueba lo dice por
// su código de salida: 0 bien, otro número el de la comprobación que falló
// (y su texto en la salida de errores).
#pragma once

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

namespace sin_privilegios {

constexpr uid_t USUARIO = 65534;
constexpr gid_t GRUPO = 65534;

// Códigos de salida del hijo que no son de la prueba.
constexpr int SIGUE_ROOT = 250;
constexpr int EXCEPCION = 251;

// Dentro del hijo: dice la comprobación que falló y devuelve su número.
inline int falla(int numero, const std::string& que)
{
    std::fprintf(stderr, "en el hijo sin privilegios, comprobación %d: %s\n", numero, que.c_str());
    return numero;
}

// Deja que el usuario sin privilegios use 'ruta' como suya (si el proceso
// es root; si no, ya es suya).
inline void entrega(const std::string& ruta)
{
    if (::geteuid() == 0 && ::chown(ruta.c_str(), USUARIO, GRUPO) != 0) std::perror(ruta.c_str());
}

// Cómo acabó el hijo: su código de salida, o por qué no salió por sí mismo
// ('fallo' no vacío).
struct salida {
    int codigo = -1;
    std::string fallo;
};

// Ejecuta 'prueba' en un hijo sin privilegios con 'segundos' de límite.
inline salida ejecuta(const std::function<int()>& prueba, unsigned segundos = 10)
{
    std::fflush(nullptr);
    const pid_t hijo = ::fork();
    if (hijo < 0) return {-1, "no se pudo crear el proceso hijo"};
    if (hijo == 0) {
        std::signal(SIGALRM, SIG_DFL);
        ::alarm(segundos);
        if (::geteuid() == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(GRUPO) != 0 || ::setuid(USUARIO) != 0) ::_exit(SIGUE_ROOT);
        }
        if (::geteuid() == 0 || ::getuid() == 0) ::_exit(SIGUE_ROOT);
        int codigo = EXCEPCION;
        try {
            codigo = prueba();
        } catch (...) {
        }
        std::fflush(nullptr);
        ::_exit(codigo);
    }
    int estado = 0;
    while (::waitpid(hijo, &estado, 0) < 0) {
        if (errno != EINTR) return {-1, "no se pudo esperar al proceso hijo"};
    }
    if (WIFSIGNALED(estado)) {
        if (WTERMSIG(estado) == SIGALRM)
            return {-1, "el hijo pasó de " + std::to_string(segundos) + " s (se quedó esperando)"};
        return {-1, std::string("el hijo terminó por la señal ") + ::strsignal(WTERMSIG(estado))};
    }
    const int codigo = WEXITSTATUS(estado);
    if (codigo == SIGUE_ROOT) return {codigo, "el hijo no pudo dejar de ser root"};
    if (codigo == EXCEPCION) return {codigo, "el hijo acabó con una excepción"};
    return {codigo, ""};
}

// Lo mismo para una prueba que devuelve 0 si todo fue bien: "" entonces, o
// qué falló.
inline std::string en_hijo(const std::function<int()>& prueba, unsigned segundos = 10)
{
    const salida s = ejecuta(prueba, segundos);
    if (!s.fallo.empty()) return s.fallo;
    return s.codigo == 0 ? "" : "falló la comprobación " + std::to_string(s.codigo) + " del hijo";
}

}  // namespace sin_privilegios
