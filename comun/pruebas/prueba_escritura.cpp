// Escritura atómica: lo nuevo entra entero o el fichero anterior queda como
// estaba, también con el disco lleno o el límite de tamaño superado. Lo que
// escribe en dispositivos, en tuberías o como otro usuario se hace en un hijo
// sin privilegios y con límite de tiempo.
#include "comun/escritura_atomica.h"
#include "comun/pruebas/directorio_prueba.h"
#include "comun/pruebas/limite_tamano.h"
#include "comun/pruebas/sin_privilegios.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using funcion_escritura = std::function<bool(std::FILE*)>;

const char* nombre_resultado(resultado_escritura r)
{
    switch (r) {
    case resultado_escritura::bien: return "bien";
    case resultado_escritura::no_creado: return "no_creado";
    case resultado_escritura::no_abierto: return "no_abierto";
    case resultado_escritura::no_escrito: return "no_escrito";
    }
    return "?";
}

// Lo que escribe una orden de guardar: 'texto' entero.
funcion_escritura escribe(const std::string& texto)
{
    return [texto](std::FILE* f) { return std::fwrite(texto.data(), 1, texto.size(), f) == texto.size(); };
}
// Escribe 'texto' y luego da el disco por lleno: el descriptor del flujo
// pasa a escribir en /dev/full.
funcion_escritura escribe_sin_sitio(const std::string& texto)
{
    return [texto](std::FILE* f) {
        std::fwrite(texto.data(), 1, texto.size(), f);
        int lleno = ::open("/dev/full", O_WRONLY);
        if (lleno < 0) return false;
        ::dup2(lleno, ::fileno(f));
        ::close(lleno);
        return std::fwrite(texto.data(), 1, texto.size(), f) == texto.size();
    };
}
// Una orden de guardar que escribe algo y falla.
bool falla_a_medias(std::FILE* destino)
{
    std::fputs("medio", destino);
    return false;
}

class EscrituraAtomica : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = directorio_prueba("escritura_atomica");
        sin_privilegios::entrega(dir.string());
    }
    void TearDown() override
    {
        // Los directorios cerrados por una prueba se abren para poder borrarlos.
        std::error_code e;
        for (auto i = fs::recursive_directory_iterator(dir, e); !e && i != fs::recursive_directory_iterator(); i.increment(e))
            if (i->is_directory(e) && !i->is_symlink(e)) fs::permissions(i->path(), fs::perms::owner_all, fs::perm_options::add, e);
        fs::remove_all(dir, e);
    }

    static std::string lee(const fs::path& f)
    {
        std::ifstream in(f, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void pon(const fs::path& f, const std::string& texto) { std::ofstream(f, std::ios::binary) << texto; }
    std::vector<std::string> nombres(const fs::path& d) const
    {
        std::vector<std::string> r;
        for (const auto& e : fs::directory_iterator(d)) r.push_back(e.path().filename().string());
        std::sort(r.begin(), r.end());
        return r;
    }
    std::vector<std::string> nombres() const { return nombres(dir); }
    static struct stat datos(const fs::path& f)
    {
        struct stat s {};
        ::lstat(f.c_str(), &s);
        return s;
    }
    static mode_t permisos(const fs::path& f) { return datos(f).st_mode & 07777; }

    // escribe_atomico hecho por un hijo sin privilegios, con límite de
    // tiempo: el nombre de su resultado, "tardó" si se pide 'en_un_segundo' y
    // pasó de él, o por qué el hijo no acabó bien.
    static std::string escribe_en_hijo(const fs::path& ruta, const funcion_escritura& escribe,
                                       bool en_un_segundo = false)
    {
        const auto s = sin_privilegios::ejecuta(
            [&] {
                const auto antes = std::chrono::steady_clock::now();
                const resultado_escritura r = escribe_atomico(ruta.string(), escribe);
                if (en_un_segundo && std::chrono::steady_clock::now() - antes > std::chrono::seconds(1)) return 100;
                return 10 + static_cast<int>(r);
            },
            5);
        if (!s.fallo.empty()) return s.fallo;
        if (s.codigo == 100) return "tardó";
        if (s.codigo >= 10 && s.codigo <= 13) return nombre_resultado(static_cast<resultado_escritura>(s.codigo - 10));
        return "código " + std::to_string(s.codigo);
    }

    fs::path dir;
};

TEST_F(EscrituraAtomica, SustituyeEnteroConLosPermisosYPorElEnlace)
{
    const fs::path f = dir / "problema.dat";
    ASSERT_EQ(escribe_atomico(f.string(), escribe("primero")), resultado_escritura::bien);
    EXPECT_EQ(lee(f), "primero");
    const mode_t mascara = ::umask(0);
    ::umask(mascara);
    EXPECT_EQ(permisos(f), 0666 & ~mascara);

    // Uno que ya existía se sustituye con sus permisos y sin dejar restos.
    ::chmod(f.c_str(), 0640);
    ASSERT_EQ(escribe_atomico(f.string(), escribe(std::string(10000, 'x'))), resultado_escritura::bien);
    EXPECT_TRUE(lee(f) == std::string(10000, 'x')) << lee(f).size();
    EXPECT_EQ(permisos(f), 0640u);
    EXPECT_EQ(nombres(), std::vector<std::string>{"problema.dat"});

    // Por un enlace simbólico se escribe el fichero enlazado; el enlace sigue.
    fs::create_directories(dir / "otro");
    const fs::path real = dir / "otro" / "real.dat";
    pon(real, "viejo");
    fs::create_symlink(real, dir / "enlace.dat");
    ASSERT_EQ(escribe_atomico((dir / "enlace.dat").string(), escribe("nuevo")), resultado_escritura::bien);
    EXPECT_TRUE(fs::is_symlink(dir / "enlace.dat"));
    EXPECT_EQ(lee(real), "nuevo");

    // Un nombre de 255 bytes (el máximo de un nombre de fichero): el aparte
    // lleva sólo parte de él.
    const std::string largo(255, 'n');
    ASSERT_EQ(escribe_atomico((dir / largo).string(), escribe("largo")), resultado_escritura::bien);
    ASSERT_EQ(escribe_atomico((dir / largo).string(), escribe("largo 2")), resultado_escritura::bien);
    EXPECT_EQ(lee(dir / largo), "largo 2");
    EXPECT_EQ(nombres(), (std::vector<std::string>{"enlace.dat", largo, "otro", "problema.dat"}));
}

TEST_F(EscrituraAtomica, EnlacesColgantesEncadenadosYEnBucle)
{
    // En un hijo con límite de tiempo: un bucle seguido sin fin no cuelga
    // las pruebas.
    const fs::path otro = dir / "otro", sub = dir / "sub";
    fs::create_directories(otro);
    fs::create_directories(sub);
    sin_privilegios::entrega(otro.string());

    // Colgante: se crea el fichero al que lleva y el enlace sigue.
    fs::create_symlink(otro / "nuevo.dat", dir / "colgante");
    EXPECT_EQ(escribe_en_hijo(dir / "colgante", escribe("nuevo")), "bien");
    EXPECT_TRUE(fs::is_symlink(dir / "colgante"));
    EXPECT_EQ(lee(otro / "nuevo.dat"), "nuevo");

    // Cadena de enlaces relativos, cada uno desde su directorio.
    fs::create_symlink("sub/b", dir / "a");
    fs::create_symlink("../otro/real.dat", sub / "b");
    EXPECT_EQ(escribe_en_hijo(dir / "a", escribe("cadena")), "bien");
    EXPECT_TRUE(fs::is_symlink(dir / "a"));
    EXPECT_TRUE(fs::is_symlink(sub / "b"));
    EXPECT_EQ(lee(otro / "real.dat"), "cadena");
    EXPECT_EQ(nombres(otro), (std::vector<std::string>{"nuevo.dat", "real.dat"}));

    // Un bucle, uno que lleva a sí mismo y una cadena de 51: no se escribe y
    // no cambia nada.
    fs::create_symlink("bucle2", dir / "bucle1");
    fs::create_symlink("bucle1", dir / "bucle2");
    fs::create_symlink("yo", dir / "yo");
    for (int i = 0; i < 50; ++i) fs::create_symlink("l" + std::to_string(i + 1), dir / ("l" + std::to_string(i)));
    fs::create_symlink("fin.dat", dir / "l50");
    const auto antes = nombres();
    for (const char* n : {"bucle1", "yo", "l0"}) {
        EXPECT_EQ(escribe_en_hijo(dir / n, escribe("x")), "no_abierto") << n;
        EXPECT_TRUE(fs::is_symlink(dir / n)) << n;
    }
    EXPECT_EQ(nombres(), antes);
    // Una cadena corta de las mismas sí se sigue.
    EXPECT_EQ(escribe_en_hijo(dir / "l45", escribe("fin")), "bien");
    EXPECT_EQ(lee(dir / "fin.dat"), "fin");
}

// Una escritura que falla a medias, con su nombre y el límite de tamaño de
// fichero con el que se hace (0: sin límite).
struct fallo_a_medias {
    const char* nombre;
    funcion_escritura escribe;
    rlim_t limite;
};

void PrintTo(const fallo_a_medias& f, std::ostream* o) { *o << f.nombre; }

class FalloAMedias : public EscrituraAtomica, public ::testing::WithParamInterface<fallo_a_medias> {};

TEST_P(FalloAMedias, DejaElAnteriorByteAByte)
{
    const fs::path f = dir / "problema.dat";
    const std::string anterior(300, 'a');
    const fallo_a_medias& c = GetParam();
    pon(f, anterior);
    resultado_escritura r;
    if (c.limite) {
        limite_tamano limite(c.limite);
        ASSERT_TRUE(limite.puesto());
        r = escribe_atomico(f.string(), c.escribe);
    } else {
        r = escribe_atomico(f.string(), c.escribe);
    }
    EXPECT_EQ(r, resultado_escritura::no_escrito);
    EXPECT_EQ(lee(f), anterior);
    EXPECT_EQ(nombres(), std::vector<std::string>{"problema.dat"});
}

INSTANTIATE_TEST_SUITE_P(Fallos, FalloAMedias,
                         ::testing::Values(fallo_a_medias{"LaOrdenDeGuardarFalla", falla_a_medias, 0},
                                           fallo_a_medias{"LimiteDeTamano", escribe(std::string(4000, 'n')), 100},
                                           fallo_a_medias{"DiscoLleno", escribe_sin_sitio("nuevo"), 0}),
                         [](const ::testing::TestParamInfo<fallo_a_medias>& i) { return std::string(i.param.nombre); });

// Un fichero con dos nombres (enlace duro) se escribe en el sitio: los dos
// leen lo nuevo, siguen siendo el mismo fichero y, si algo falla, los dos
// vuelven a los bytes anteriores.
TEST_F(EscrituraAtomica, ConDosNombresLosDosVenLoNuevoOLoAnterior)
{
    const fs::path f = dir / "problema.dat", otro = dir / "otro_nombre.dat";
    pon(f, std::string(300, 'a'));
    fs::create_hard_link(f, otro);
    ASSERT_EQ(escribe_atomico(f.string(), escribe("nuevo")), resultado_escritura::bien);
    EXPECT_EQ(lee(f), "nuevo");
    EXPECT_EQ(lee(otro), "nuevo");
    EXPECT_EQ(datos(f).st_ino, datos(otro).st_ino);

    for (const auto& [que, funcion] : {std::pair{"a medias", funcion_escritura(falla_a_medias)},
                                       std::pair{"disco lleno", escribe_sin_sitio(std::string(5000, 'z'))}}) {
        EXPECT_EQ(escribe_atomico(otro.string(), funcion), resultado_escritura::no_escrito) << que;
        EXPECT_EQ(lee(f), "nuevo") << que;
        EXPECT_EQ(lee(otro), "nuevo") << que;
    }
    EXPECT_EQ(nombres(), (std::vector<std::string>{"otro_nombre.dat", "problema.dat"}));
}

// El nombre pasa a ser un directorio mientras se escribe: el cambio de
// nombre falla y no queda el fichero aparte.
TEST_F(EscrituraAtomica, ElNombreHechoDirectorioMientrasSeEscribe)
{
    const fs::path f = dir / "problema.dat";
    pon(f, std::string(300, 'a'));
    const auto pasa_a_directorio = [&](std::FILE* s) {
        fs::remove(f);
        fs::create_directory(f);
        pon(f / "dentro", "x");
        return std::fputs("nuevo", s) >= 0;
    };
    EXPECT_EQ(escribe_atomico(f.string(), pasa_a_directorio), resultado_escritura::no_escrito);
    EXPECT_TRUE(fs::is_directory(f));
    EXPECT_EQ(lee(f / "dentro"), "x");
    EXPECT_EQ(nombres(), std::vector<std::string>{"problema.dat"});
}

// Sin fichero anterior, un fallo no deja ninguno.
TEST_F(EscrituraAtomica, SinFicheroAnteriorUnFalloNoDejaNinguno)
{
    EXPECT_EQ(escribe_atomico((dir / "problema.dat").string(), falla_a_medias), resultado_escritura::no_escrito);
    EXPECT_TRUE(nombres().empty());
}

TEST_F(EscrituraAtomica, PasarDelLimiteNoMataElPrograma)
{
    // En un proceso aparte, con SIGXFSZ en su acción por omisión (terminar).
    const fs::path f = dir / "problema.dat";
    pon(f, "anterior");
    pid_t hijo = ::fork();
    ASSERT_GE(hijo, 0);
    if (hijo == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        struct rlimit l {};
        ::getrlimit(RLIMIT_FSIZE, &l);
        l.rlim_cur = 10;
        ::setrlimit(RLIMIT_FSIZE, &l);
        const auto r = escribe_atomico(f.string(), escribe(std::string(5000, 'n')));
        // La señal vuelve a su acción anterior.
        struct sigaction ahora {};
        ::sigaction(SIGXFSZ, nullptr, &ahora);
        ::_exit(r == resultado_escritura::no_escrito && ahora.sa_handler == SIG_DFL ? 0 : 1);
    }
    int estado = 0;
    ASSERT_EQ(::waitpid(hijo, &estado, 0), hijo);
    ASSERT_TRUE(WIFEXITED(estado)) << "terminado por la señal " << (WIFSIGNALED(estado) ? WTERMSIG(estado) : 0);
    EXPECT_EQ(WEXITSTATUS(estado), 0);
    EXPECT_EQ(lee(f), "anterior");
}

TEST_F(EscrituraAtomica, DispositivosTuberiasYSocketsSinEsperar)
{
    // Un dispositivo no se sustituye: se escribe en él, y su fallo se dice.
    if (fs::exists("/dev/full")) {
        EXPECT_EQ(escribe_en_hijo("/dev/full", escribe("x")), "no_escrito");
        EXPECT_TRUE(fs::is_character_file("/dev/full"));
    }
    if (fs::exists("/dev/null")) {
        EXPECT_EQ(escribe_en_hijo("/dev/null", escribe("x")), "bien");
        EXPECT_TRUE(fs::is_character_file("/dev/null"));
    }

    // Una tubería sin lector: el mensaje en seguida, y sigue siendo tubería.
    const fs::path tuberia = dir / "tuberia";
    ASSERT_EQ(::mkfifo(tuberia.c_str(), 0600), 0);
    sin_privilegios::entrega(tuberia.string());
    EXPECT_EQ(escribe_en_hijo(tuberia, escribe("x"), true), "no_abierto");
    EXPECT_TRUE(fs::is_fifo(tuberia));

    // Con un lector que no lee: lo que cabe llega; lo que no cabe ahora es
    // un fallo, no una espera.
    const int lector = ::open(tuberia.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(lector, 0);
    EXPECT_EQ(escribe_en_hijo(tuberia, escribe("hola"), true), "bien");
    char leido[16] = {};
    EXPECT_EQ(::read(lector, leido, sizeof leido), 4);
    EXPECT_EQ(std::string(leido), "hola");
    EXPECT_EQ(escribe_en_hijo(tuberia, escribe(std::string(1 << 20, 'p')), true), "no_escrito");
    ::close(lector);
    EXPECT_TRUE(fs::is_fifo(tuberia));

    // Un lector que cierra antes de que le llegue nada: un fallo, no el fin
    // del programa por SIGPIPE.
    const auto cierra_y_escribe = [&] {
        const int propio = ::open(tuberia.c_str(), O_RDONLY | O_NONBLOCK);
        if (propio < 0) return sin_privilegios::falla(1, "sin lector");
        const auto r = escribe_atomico(tuberia.string(), [propio](std::FILE* f) {
            ::close(propio);
            return std::fputs("x", f) >= 0;
        });
        return r == resultado_escritura::no_escrito ? 0 : sin_privilegios::falla(2, nombre_resultado(r));
    };
    EXPECT_EQ(sin_privilegios::en_hijo(cierra_y_escribe, 5), "");

    // Un socket no se abre como fichero.
    const fs::path socket = dir / "socket";
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(s, 0);
    sockaddr_un direccion {};
    direccion.sun_family = AF_UNIX;
    ASSERT_LT(socket.string().size(), sizeof direccion.sun_path);
    std::strcpy(direccion.sun_path, socket.c_str());
    ASSERT_EQ(::bind(s, reinterpret_cast<const sockaddr*>(&direccion), sizeof direccion), 0);
    sin_privilegios::entrega(socket.string());
    EXPECT_EQ(escribe_en_hijo(socket, escribe("x")), "no_abierto");
    EXPECT_TRUE(fs::is_socket(socket));
    ::close(s);
}

TEST_F(EscrituraAtomica, RutasQueNoSePuedenEscribir)
{
    EXPECT_EQ(escribe_atomico((dir / "no" / "hay").string(), escribe("x")), resultado_escritura::no_creado);
    EXPECT_EQ(escribe_atomico(dir.string(), escribe("x")), resultado_escritura::no_abierto);
    EXPECT_EQ(escribe_atomico("", escribe("x")), resultado_escritura::no_creado);
    EXPECT_TRUE(nombres().empty());
    // Un fichero de sólo lectura sigue sin poderse escribir (lo intenta un
    // usuario sin privilegios: root puede escribirlo).
    const fs::path f = dir / "solo_lectura.dat";
    pon(f, "fijo");
    ::chmod(f.c_str(), 0444);
    sin_privilegios::entrega(f.string());
    EXPECT_EQ(escribe_en_hijo(f, escribe("x")), "no_abierto");
    EXPECT_EQ(lee(f), "fijo");
    EXPECT_EQ(nombres(), std::vector<std::string>{"solo_lectura.dat"});
}

TEST_F(EscrituraAtomica, EnUnDirectorioSinEscrituraSeEscribeEnElSitio)
{
    // Un directorio que su dueño (sin privilegios) no puede escribir: no
    // cabe el fichero aparte, pero los ficheros que se pueden escribir se
    // escriben en su sitio, con la vuelta atrás si algo falla.
    const fs::path cerrado = dir / "cerrado";
    fs::create_directories(cerrado);
    const fs::path f = cerrado / "problema.dat";
    pon(f, std::string(300, 'a'));
    fs::create_hard_link(f, cerrado / "otro_nombre.dat");
    const fs::path fijo = cerrado / "fijo.dat";
    pon(fijo, "fijo");
    ::chmod(fijo.c_str(), 0444);
    for (const fs::path& p : {f, fijo, cerrado}) sin_privilegios::entrega(p.string());
    ::chmod(cerrado.c_str(), 0555);
    const ino_t nodo = datos(f).st_ino;
    const auto antes = nombres(cerrado);

    // Más corto que el anterior: el fichero queda con su largo nuevo, el mismo
    // nodo y sus dos nombres.
    EXPECT_EQ(escribe_en_hijo(f, escribe("nuevo")), "bien");
    EXPECT_EQ(lee(f), "nuevo");
    EXPECT_EQ(lee(cerrado / "otro_nombre.dat"), "nuevo");
    EXPECT_EQ(datos(f).st_ino, nodo);

    // Fallos a medias, también más allá del largo anterior: vuelven los bytes
    // anteriores y su largo.
    const funcion_escritura a_medias = [](std::FILE* s) {
        std::fputs(std::string(1000, 'm').c_str(), s);
        std::fflush(s);
        return false;
    };
    const funcion_escritura con_limite = [](std::FILE* s) {
        struct rlimit l {};
        ::getrlimit(RLIMIT_FSIZE, &l);
        l.rlim_cur = 100;
        ::setrlimit(RLIMIT_FSIZE, &l);
        const std::string mucho(4000, 'n');
        return std::fwrite(mucho.data(), 1, mucho.size(), s) == mucho.size();
    };
    for (const auto& [que, funcion] : {std::pair{"a medias", a_medias}, std::pair{"límite", con_limite},
                                       std::pair{"disco lleno", escribe_sin_sitio(std::string(5000, 'z'))}}) {
        EXPECT_EQ(escribe_en_hijo(f, funcion), "no_escrito") << que;
        EXPECT_EQ(lee(f), "nuevo") << que;
    }

    // Más largo que el anterior.
    EXPECT_EQ(escribe_en_hijo(f, escribe(std::string(10000, 'x'))), "bien");
    EXPECT_TRUE(lee(f) == std::string(10000, 'x')) << lee(f).size();

    // Uno nuevo no se puede crear; uno de sólo lectura sigue sin escribirse.
    EXPECT_EQ(escribe_en_hijo(cerrado / "nuevo.dat", escribe("x")), "no_creado");
    EXPECT_EQ(escribe_en_hijo(fijo, escribe("x")), "no_abierto");
    EXPECT_EQ(lee(fijo), "fijo");
    EXPECT_EQ(nombres(cerrado), antes);
}

TEST_F(EscrituraAtomica, DuenoGrupoYPermisosDelAnterior)
{
    if (::geteuid() != 0) GTEST_SKIP() << "hace falta root para preparar ficheros de otro usuario";
    using sin_privilegios::GRUPO;
    using sin_privilegios::USUARIO;

    // Root guarda el fichero 0600 de otro usuario: sigue siendo suyo y lo
    // puede leer.
    const fs::path ajeno = dir / "ajeno.dat";
    pon(ajeno, "viejo");
    ASSERT_EQ(::chown(ajeno.c_str(), USUARIO, GRUPO), 0);
    ASSERT_EQ(::chmod(ajeno.c_str(), 0600), 0);
    ASSERT_EQ(escribe_atomico(ajeno.string(), escribe("de root")), resultado_escritura::bien);
    EXPECT_EQ(datos(ajeno).st_uid, USUARIO);
    EXPECT_EQ(datos(ajeno).st_gid, GRUPO);
    EXPECT_EQ(permisos(ajeno), 0600u);
    EXPECT_EQ(sin_privilegios::en_hijo([&] { return lee(ajeno) == "de root" ? 0 : 1; }), "");

    // Un usuario que no puede poner el dueño anterior guarda igual: el
    // fichero queda suyo, con los permisos de antes.
    const fs::path de_root = dir / "de_root.dat";
    pon(de_root, "viejo");
    ASSERT_EQ(::chmod(de_root.c_str(), 0666), 0);
    EXPECT_EQ(escribe_en_hijo(de_root, escribe("del usuario")), "bien");
    EXPECT_EQ(lee(de_root), "del usuario");
    EXPECT_EQ(datos(de_root).st_uid, USUARIO);
    EXPECT_EQ(permisos(de_root), 0666u);

    // En un directorio con el bit pegajoso no puede ocupar el nombre de un
    // fichero de root, pero puede escribirlo: se escribe en su sitio y sigue
    // siendo de root.
    const fs::path pegajoso = dir / "pegajoso";
    fs::create_directories(pegajoso);
    ASSERT_EQ(::chmod(pegajoso.c_str(), 01777), 0);
    const fs::path comun = pegajoso / "comun.dat";
    pon(comun, "viejo");
    ASSERT_EQ(::chmod(comun.c_str(), 0666), 0);
    EXPECT_EQ(escribe_en_hijo(comun, escribe("en su sitio")), "bien");
    EXPECT_EQ(lee(comun), "en su sitio");
    EXPECT_EQ(datos(comun).st_uid, 0u);
    EXPECT_EQ(nombres(pegajoso), std::vector<std::string>{"comun.dat"});
}

} // namespace
