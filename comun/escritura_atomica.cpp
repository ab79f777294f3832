#include "comun/escritura_atomica.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Mientras se escribe, pasar del límite de tamaño de fichero (SIGXFSZ) o
// escribir en una tubería que su lector ya cerró (SIGPIPE) no mata el
// programa: la escritura falla y se informa como cualquier otra.
class sin_senales_de_escritura {
public:
    sin_senales_de_escritura()
    {
        struct sigaction ignorar {};
        ignorar.sa_handler = SIG_IGN;
        sigemptyset(&ignorar.sa_mask);
        for (std::size_t i = 0; i < NUM; ++i) guardada_[i] = ::sigaction(SENALES[i], &ignorar, &anterior_[i]) == 0;
    }
    ~sin_senales_de_escritura()
    {
        for (std::size_t i = 0; i < NUM; ++i)
            if (guardada_[i]) ::sigaction(SENALES[i], &anterior_[i], nullptr);
    }
    sin_senales_de_escritura(const sin_senales_de_escritura&) = delete;
    sin_senales_de_escritura& operator=(const sin_senales_de_escritura&) = delete;

private:
    static constexpr std::size_t NUM = 2;
    static constexpr int SENALES[NUM] = {SIGXFSZ, SIGPIPE};
    struct sigaction anterior_[NUM] {};
    bool guardada_[NUM] = {};
};

using funcion_escritura = std::function<bool(std::FILE*)>;

// Vacía el flujo y mira si alguna escritura falló; lo cierra siempre.
bool cierra_bien(std::FILE* f, bool bien, bool volcar)
{
    bien = std::fflush(f) == 0 && bien;
    bien = !std::ferror(f) && bien;
    if (volcar) bien = ::fsync(::fileno(f)) == 0 && bien;
    bien = std::fclose(f) == 0 && bien;
    return bien;
}

// Escribe 'n' bytes en 'fd' desde la posición 'desde', aunque cada write
// escriba sólo una parte.
bool escribe_todo(int fd, const char* datos, std::size_t n, off_t desde)
{
    while (n > 0) {
        const ssize_t escritos = ::pwrite(fd, datos, n, desde);
        if (escritos < 0 && errno == EINTR) continue;
        if (escritos <= 0) return false;
        datos += escritos;
        n -= static_cast<std::size_t>(escritos);
        desde += escritos;
    }
    return true;
}

// Lee entero el fichero normal abierto en 'fd', sin mover su posición.
bool lee_todo(int fd, std::string& datos)
{
    datos.clear();
    char trozo[16384];
    off_t desde = 0;
    for (;;) {
        const ssize_t leidos = ::pread(fd, trozo, sizeof trozo, desde);
        if (leidos < 0 && errno == EINTR) continue;
        if (leidos < 0) return false;
        if (leidos == 0) return true;
        try {
            datos.append(trozo, static_cast<std::size_t>(leidos));
        } catch (const std::bad_alloc&) {
            return false;
        }
        desde += leidos;
    }
}

// Un dispositivo u otro fichero especial no se sustituye: se escribe en él.
// Se abre sin esperar (una tubería sin lector da ENXIO en seguida) y sigue
// sin esperar: lo que no admite ahora es un fallo, no un programa parado.
resultado_escritura escribe_directo(const std::string& destino, const funcion_escritura& escribe)
{
    const int fd = ::open(destino.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return resultado_escritura::no_abierto;
    std::FILE* f = ::fdopen(fd, "wb");
    if (!f) {
        ::close(fd);
        return resultado_escritura::no_escrito;
    }
    bool bien = escribe(f);
    return cierra_bien(f, bien, false) ? resultado_escritura::bien : resultado_escritura::no_escrito;
}

// Escribe el fichero normal 'destino' en el sitio, con sus bytes anteriores
// en memoria: si algo falla, se vuelven a escribir y se deja su largo.
// Lo nuevo se escribe sobre lo viejo y sólo después se corta: los bloques
// que ya tenía el fichero le siguen sirviendo para la vuelta atrás.
resultado_escritura escribe_en_sitio(const std::string& destino, const funcion_escritura& escribe)
{
    const int fd = ::open(destino.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return resultado_escritura::no_abierto;
    struct stat datos {};
    std::string anterior;
    if (::fstat(fd, &datos) != 0 || !S_ISREG(datos.st_mode) || !lee_todo(fd, anterior)) {
        ::close(fd);
        return resultado_escritura::no_abierto;
    }
    // El flujo va sobre una copia del descriptor: cerrarlo no cierra el que
    // hace falta para volver atrás.
    const int copia = ::dup(fd);
    std::FILE* f = copia < 0 ? nullptr : ::fdopen(copia, "wb");
    if (!f) {
        if (copia >= 0) ::close(copia);
        ::close(fd);
        return resultado_escritura::no_escrito;
    }
    bool bien = escribe(f);
    bien = std::fflush(f) == 0 && bien;
    const off_t largo = ::ftello(f);
    bien = largo >= 0 && bien;
    bien = cierra_bien(f, bien, false);
    if (bien) bien = ::ftruncate(fd, largo) == 0 && ::fsync(fd) == 0;
    if (!bien) {
        // Vuelta atrás: los bytes anteriores en su sitio y su largo.
        if (escribe_todo(fd, anterior.data(), anterior.size(), 0) &&
            ::ftruncate(fd, static_cast<off_t>(anterior.size())) == 0)
            ::fsync(fd);
    }
    bien = ::close(fd) == 0 && bien;
    return bien ? resultado_escritura::bien : resultado_escritura::no_escrito;
}

// Vuelca al disco la entrada del directorio (el cambio de nombre). Un
// sistema de ficheros que no lo admite no hace fallar la escritura, que ya
// está completa.
void vuelca_directorio(const std::string& directorio)
{
    int fd = ::open(directorio.empty() ? "." : directorio.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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

// Enlaces que se siguen como mucho, los mismos que sigue el sistema al
// abrir un nombre.
constexpr int MAXIMO_ENLACES = 40;

// El directorio de una ruta, con su barra final ("" para el directorio
// actual).
std::string directorio_de(const std::string& ruta)
{
    const std::size_t barra = ruta.rfind('/');
    return barra == std::string::npos ? std::string() : ruta.substr(0, barra + 1);
}

// Lo que hay al final de una cadena de enlaces.
enum class fin_enlaces {
    existe,      // algo que no es un enlace: 'datos' dice qué
    no_existe,   // nada (un nombre nuevo o un enlace colgante)
    sin_fin,     // un bucle o una cadena demasiado larga
    inaccesible, // un directorio del camino que falta, no es directorio o no se puede recorrer
};

// Lee el contenido del enlace 'ruta'; falso si no se puede.
bool lee_enlace(const std::string& ruta, std::size_t largo_dicho, std::string& contenido)
{
    std::size_t capacidad = largo_dicho + 1 < 256 ? 256 : largo_dicho + 1;
    for (;;) {
        contenido.assign(capacidad, '\0');
        const ssize_t n = ::readlink(ruta.c_str(), contenido.data(), capacidad);
        if (n < 0) return false;
        if (static_cast<std::size_t>(n) < capacidad) {
            contenido.resize(static_cast<std::size_t>(n));
            return !contenido.empty();
        }
        // Cortado: el enlace cambió entretanto o su largo no se conocía.
        if (capacidad >= (std::size_t{1} << 20)) return false;
        capacidad *= 2;
    }
}

// Sigue los enlaces simbólicos del último nombre de 'ruta' hasta lo que no
// es un enlace, y deja en 'ruta' ese nombre. Un enlace relativo se toma desde
// el directorio del enlace, como hace el sistema.
fin_enlaces sigue_enlaces(std::string& ruta, struct stat& datos)
{
    for (int saltos = 0;; ++saltos) {
        if (::lstat(ruta.c_str(), &datos) != 0) {
            if (errno == ENOENT) return fin_enlaces::no_existe;
            return errno == ELOOP ? fin_enlaces::sin_fin : fin_enlaces::inaccesible;
        }
        if (!S_ISLNK(datos.st_mode)) return fin_enlaces::existe;
        if (saltos == MAXIMO_ENLACES) return fin_enlaces::sin_fin;
        std::string enlace;
        if (!lee_enlace(ruta, static_cast<std::size_t>(datos.st_size), enlace)) return fin_enlaces::inaccesible;
        ruta = enlace[0] == '/' ? enlace : directorio_de(ruta) + enlace;
    }
}

// Lo que 'escribe' puso en el fichero aparte, ya escrito, para escribirlo en
// el sitio: se lee y se da a quien escribe allí.
resultado_escritura en_sitio_desde(const std::string& aparte, const std::string& destino)
{
    const int fd = ::open(aparte.c_str(), O_RDONLY | O_CLOEXEC);
    std::string nuevo;
    const bool leido = fd >= 0 && lee_todo(fd, nuevo);
    if (fd >= 0) ::close(fd);
    ::unlink(aparte.c_str());
    if (!leido) return resultado_escritura::no_escrito;
    return escribe_en_sitio(destino, [&nuevo](std::FILE* f) {
        return std::fwrite(nuevo.data(), 1, nuevo.size(), f) == nuevo.size();
    });
}

} // namespace

resultado_escritura escribe_atomico(const std::string& ruta, const std::function<bool(std::FILE*)>& escribe)
{
    sin_senales_de_escritura senales;
    if (ruta.empty()) return resultado_escritura::no_creado;

    // Se escribe el fichero al que lleva la ruta, tras sus enlaces.
    std::string destino = ruta;
    struct stat datos {};
    const fin_enlaces fin = sigue_enlaces(destino, datos);
    if (fin == fin_enlaces::sin_fin) return resultado_escritura::no_abierto;
    if (fin == fin_enlaces::inaccesible) return resultado_escritura::no_creado;
    const bool existe = fin == fin_enlaces::existe;
    if (existe) {
        if (S_ISDIR(datos.st_mode)) return resultado_escritura::no_abierto;
        if (!S_ISREG(datos.st_mode)) return escribe_directo(destino, escribe);
        // Uno que no se podía escribir sigue sin poderse escribir.
        if (::faccessat(AT_FDCWD, destino.c_str(), W_OK, AT_EACCESS) != 0) return resultado_escritura::no_abierto;
        // Con más de un nombre, ocupar éste con un fichero nuevo separaría
        // los demás, que seguirían con los bytes anteriores.
        if (datos.st_nlink > 1) return escribe_en_sitio(destino, escribe);
    }

    const std::string directorio = directorio_de(destino);
    const std::string nombre = destino.substr(directorio.size());
    if (nombre.empty() || nombre == "." || nombre == "..") return resultado_escritura::no_creado;
    std::string aparte = directorio + "." + nombre.substr(0, LARGO_NOMBRE_APARTE) + ".XXXXXX";
    const int fd = ::mkstemp(aparte.data());
    if (fd < 0) return existe ? escribe_en_sitio(destino, escribe) : resultado_escritura::no_creado;

    if (existe) {
        // Dueño y grupo del anterior donde se pueda (root, o el grupo si
        // quien escribe es de él); si no, quedan los de quien escribe. Antes
        // que los permisos: cambiar el dueño quita los bits de setuid y setgid.
        if (::fchown(fd, datos.st_uid, datos.st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), datos.st_gid);
    }
    // Un sistema de ficheros sin permisos (FAT) no los cambia: no es un fallo.
    (void)::fchmod(fd, existe ? datos.st_mode & 07777 : permisos_nuevos());
    std::FILE* f = ::fdopen(fd, "wb");
    if (!f) {
        ::close(fd);
        ::unlink(aparte.c_str());
        return resultado_escritura::no_escrito;
    }
    bool bien = escribe(f);
    bien = cierra_bien(f, bien, true);
    if (!bien) {
        ::unlink(aparte.c_str());
        return resultado_escritura::no_escrito;
    }
    if (::rename(aparte.c_str(), destino.c_str()) != 0) {
        // El nombre es de otro en un directorio con el bit pegajoso: el
        // fichero, que se puede escribir, se escribe en el sitio.
        if (existe && (errno == EPERM || errno == EACCES)) return en_sitio_desde(aparte, destino);
        ::unlink(aparte.c_str());
        return resultado_escritura::no_escrito;
    }
    vuelca_directorio(directorio);
    return resultado_escritura::bien;
}
