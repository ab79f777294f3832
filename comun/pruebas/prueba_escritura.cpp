// Escritura atómica: lo nuevo entra entero o el fichero anterior queda como
// estaba, también con el disco lleno o el límite de tamaño superado.
#include "comun/escritura_atomica.h"
#include "limite_tamano.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class EscrituraAtomica : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("escritura_atomica_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    static std::string lee(const fs::path& f)
    {
        std::ifstream in(f, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void pon(const fs::path& f, const std::string& texto) { std::ofstream(f, std::ios::binary) << texto; }
    // Lo que escribe una orden de guardar: 'texto' entero.
    static std::function<bool(std::FILE*)> escribe(const std::string& texto)
    {
        return [texto](std::FILE* f) { return std::fwrite(texto.data(), 1, texto.size(), f) == texto.size(); };
    }
    std::vector<std::string> nombres() const
    {
        std::vector<std::string> r;
        for (const auto& e : fs::directory_iterator(dir)) r.push_back(e.path().filename().string());
        std::sort(r.begin(), r.end());
        return r;
    }
    static mode_t permisos(const fs::path& f)
    {
        struct stat s {};
        ::stat(f.c_str(), &s);
        return s.st_mode & 07777;
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
    EXPECT_EQ(lee(f), std::string(10000, 'x'));
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
}

TEST_F(EscrituraAtomica, UnFalloAMediasDejaElAnteriorByteAByte)
{
    const fs::path f = dir / "problema.dat";
    const std::string anterior(300, 'a');
    struct caso {
        const char* que;
        std::function<bool(std::FILE*)> escribe;
        rlim_t limite;  // 0: sin límite
    };
    const std::vector<caso> casos = {
        {"la orden de guardar falla", [](std::FILE* f) { std::fputs("medio", f); return false; }, 0},
        {"límite de tamaño", escribe(std::string(4000, 'n')), 100},
        // Disco lleno: el fichero aparte pasa a escribir en /dev/full.
        {"disco lleno",
         [](std::FILE* f) {
             int lleno = ::open("/dev/full", O_WRONLY);
             if (lleno < 0) return false;
             ::dup2(lleno, ::fileno(f));
             ::close(lleno);
             return std::fwrite("nuevo", 1, 5, f) == 5;
         },
         0},
    };
    for (const caso& c : casos) {
        pon(f, anterior);
        resultado_escritura r;
        if (c.limite) {
            limite_tamano limite(c.limite);
            ASSERT_TRUE(limite.puesto());
            r = escribe_atomico(f.string(), c.escribe);
        } else {
            r = escribe_atomico(f.string(), c.escribe);
        }
        EXPECT_EQ(r, resultado_escritura::no_escrito) << c.que;
        EXPECT_EQ(lee(f), anterior) << c.que;
        EXPECT_EQ(nombres(), std::vector<std::string>{"problema.dat"}) << c.que;
    }
    // Sin fichero anterior, un fallo no deja ninguno.
    fs::remove(f);
    EXPECT_EQ(escribe_atomico(f.string(), casos[0].escribe), resultado_escritura::no_escrito);
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

TEST_F(EscrituraAtomica, DispositivosYRutasImposibles)
{
    // Un dispositivo no se sustituye: se escribe en él, y su fallo se dice.
    if (fs::exists("/dev/full")) {
        EXPECT_EQ(escribe_atomico("/dev/full", escribe("x")), resultado_escritura::no_escrito);
        EXPECT_TRUE(fs::is_character_file("/dev/full"));
    }
    if (fs::exists("/dev/null")) {
        EXPECT_EQ(escribe_atomico("/dev/null", escribe("x")), resultado_escritura::bien);
        EXPECT_TRUE(fs::is_character_file("/dev/null"));
    }
    EXPECT_EQ(escribe_atomico((dir / "no" / "hay").string(), escribe("x")), resultado_escritura::no_creado);
    EXPECT_EQ(escribe_atomico(dir.string(), escribe("x")), resultado_escritura::no_creado);
    EXPECT_EQ(escribe_atomico("", escribe("x")), resultado_escritura::no_creado);
    EXPECT_TRUE(nombres().empty());
    // Un fichero de sólo lectura sigue sin poderse escribir (root puede).
    if (::geteuid() != 0) {
        const fs::path f = dir / "solo_lectura.dat";
        pon(f, "fijo");
        ::chmod(f.c_str(), 0444);
        EXPECT_EQ(escribe_atomico(f.string(), escribe("x")), resultado_escritura::no_creado);
        EXPECT_EQ(lee(f), "fijo");
    }
}

} // namespace
