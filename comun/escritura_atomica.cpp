#include "escritura_atomica.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Mientras se escribe, pasar del límite de tamaño de fichero no mata el
// programa (SIGXFSZ): la escritura falla y se informa como cualquier otra.
class sin_senal_tamano {
public:
    sin_senal_tamano()
    {
        struct sigaction ignorar {};
        ignorar.sa_handler = SIG_IGN;
        sigemptyset(&ignorar.sa_mask);
        guardada_ = ::sigaction(SIGXFSZ, &ignorar, &anterior_) == 0;
    }
    ~sin_senal_tamano()
    {
        if (guardada_) ::sigaction(SIGXFSZ, &anterior_, nullptr);
    }
    sin_senal_tamano(const sin_senal_tamano&) = delete;
    sin_senal_tamano& operator=(const sin_senal_tamano&) = delete;

private:
    struct sigaction anterior_ {};
    bool guardada_ = false;
};

// Vacía el flujo y mira si alguna escritura falló; lo cierra siempre.
bool cierra_bien(std::FILE* f, bool bien, bool volcar)
{
    bien = std::fflush(f) == 0 && bien;
    bien = !std::ferror(f) && bien;
    if (volcar) bien = ::fsync(::fileno(f)) == 0 && bien;
    bien = std::fclose(f) == 0 && bien;
    return bien;
}

// Un dispositivo u otro fichero especial no se sustituye: se escribe en él.
resultado_escritura escribe_directo(const std::string& ruta, const std::function<bool(std::FILE*)>& escribe)
{
    std::FILE* f = std::fopen(ruta.c_str(), "wb");
    if (!f) return resultado_escritura::no_creado;
    bool bien = escribe(f);
    return cierra_bien(f, bien, false) ? resultado_escritura::bien : resultado_escritura::no_escrito;
}

// Vuelca al disco la entrada del directorio (el cambio de nombre). Un
// sistema de ficheros que no lo admite no hace fallar la escritura, que ya
// está completa.
void vuelca_directorio(const std::string& directorio)
{
    int fd = ::open(directorio.empty() ? "." : directorio.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

mode_t permisos_nuevos()
{
    mode_t mascara = ::umask(0);
    ::umask(mascara);
    return 0666 & ~mascara;
}

// Largo máximo del nombre de fichero que se copia en el nombre aparte, para
// que éste quepa en un directorio aunque el pedido sea muy largo.
constexpr std::size_t LARGO_NOMBRE_APARTE = 200;

} // namespace

resultado_escritura escribe_atomico(const std::string& ruta, const std::function<bool(std::FILE*)>& escribe)
{
    sin_senal_tamano senal;
    if (ruta.empty()) return resultado_escritura::no_creado;

    // Se sustituye el fichero al que lleva la ruta (tras los enlaces
    // simbólicos), con sus permisos; uno que no se podía escribir sigue sin
    // poderse escribir.
    std::string destino = ruta;
    mode_t permisos = permisos_nuevos();
    struct stat datos {};
    if (::stat(ruta.c_str(), &datos) == 0) {
        if (!S_ISREG(datos.st_mode)) return escribe_directo(ruta, escribe);
        if (::access(ruta.c_str(), W_OK) != 0) return resultado_escritura::no_creado;
        if (char* real = ::realpath(ruta.c_str(), nullptr)) {
            destino = real;
            std::free(real);
        }
        permisos = datos.st_mode & 07777;
    }

    const std::size_t barra = destino.rfind('/');
    const std::string directorio = barra == std::string::npos ? std::string() : destino.substr(0, barra + 1);
    const std::string nombre = barra == std::string::npos ? destino : destino.substr(barra + 1);
    std::string aparte = directorio + "." + nombre.substr(0, LARGO_NOMBRE_APARTE) + ".XXXXXX";
    int fd = ::mkstemp(aparte.data());
    if (fd < 0) return resultado_escritura::no_creado;

    // Un sistema de ficheros sin permisos (FAT) no los cambia: no es un fallo.
    (void)::fchmod(fd, permisos);
    std::FILE* f = ::fdopen(fd, "wb");
    if (!f) {
        ::close(fd);
        ::unlink(aparte.c_str());
        return resultado_escritura::no_escrito;
    }
    bool bien = escribe(f);
    bien = cierra_bien(f, bien, true);
    if (bien) bien = ::rename(aparte.c_str(), destino.c_str()) == 0;
    if (!bien) {
        ::unlink(aparte.c_str());
        return resultado_escritura::no_escrito;
    }
    vuelca_directorio(directorio);
    return resultado_escritura::bien;
}
