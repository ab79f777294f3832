#include "comun/rtf.h"
#include "comun/symbol.h"
#include "comun/texto1252.h"
#include "comun/pruebas/sin_privilegios.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string CABECERA = "{\\rtf1\\ansi \\deff0\n"
                             "{\\fonttbl\n"
                             "  {\\f0\\froman Times New Roman;}\n"
                             "  {\\f1\\fmodern Courier New;}\n"
                             "  {\\f2\\fmodern Symbol;}\n"
                             "}\n"
                             "{\\colortbl\\red0\\green0\\blue0;}\n";
const std::string PARRAFO = "{\\plain\\f1\\fs12\\sl-180 ";

class Rtf : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("rtf_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        temporal = (dir / "ZEFIRANT.TMP").string();
        rtf = (dir / "ZEFIRANT.RTF").string();
    }
    void TearDown() override { fs::remove_all(dir); }
    void escribe_temporal(const std::string& texto) { std::ofstream(temporal, std::ios::binary) << texto; }
    std::string lee_rtf()
    {
        std::stringstream s;
        s << std::ifstream(rtf, std::ios::binary).rdbuf();
        return s.str();
    }
    fs::path dir;
    std::string temporal, rtf;
};

TEST_F(Rtf, MarcasEscapesYGruposCerradosEnSuLinea)
{
    escribe_temporal(texto1252::desde_utf8("a`S½b `M`SD\n<NP>\n\\{x}\nfin`\n`I x`I\ny\n"));
    ASSERT_EQ(escribe_rtf(temporal, rtf), 1);
    const std::string esperado = CABECERA +
        PARRAFO + "a{\\f2\\u9474\\'bd}b {{\\f2\\u916\\'44}}\\par}\n" +
        PARRAFO + "\\par}\n" +
        PARRAFO + "\\\\\\{x\\}\\par}\n" +
        PARRAFO + "fin\\par}\n" +
        PARRAFO + "{\\i  }x{\\i }\\par}\n" +
        PARRAFO + "y\\par}\n" +
        "}\n";
    EXPECT_EQ(lee_rtf(), esperado);
    // Dos exportaciones seguidas dan el mismo fichero.
    ASSERT_EQ(escribe_rtf(temporal, rtf), 1);
    EXPECT_EQ(lee_rtf(), esperado);
}

TEST_F(Rtf, SoloSaltoDePaginaYLineaLarga)
{
    escribe_temporal("<NP>\n");
    ASSERT_EQ(escribe_rtf(temporal, rtf), 1);
    EXPECT_EQ(lee_rtf(), CABECERA + PARRAFO + "\\par}\n}\n");

    // Una línea de 2500 caracteres es un solo párrafo, sin perder ninguno.
    const std::string larga(2500, 'x');
    escribe_temporal(larga + "\nfinal sin salto");
    ASSERT_EQ(escribe_rtf(temporal, rtf), 1);
    EXPECT_EQ(lee_rtf(), CABECERA + PARRAFO + larga + "\\par}\n" + PARRAFO + "final sin salto\\par}\n}\n");
}

TEST_F(Rtf, FicherosQueNoSeAbren)
{
    EXPECT_EQ(escribe_rtf(temporal, rtf), 0);  // aún no hay temporal
    EXPECT_FALSE(fs::exists(rtf));
    escribe_temporal("a\n");
    EXPECT_EQ(escribe_rtf(temporal, (dir / "no" / "X.RTF").string()), 0);
    // Un dispositivo lleno, en un hijo sin privilegios: nada de la prueba
    // puede sustituirlo.
    if (fs::exists("/dev/full")) {
        EXPECT_EQ(sin_privilegios::en_hijo([&] { return escribe_rtf(temporal, "/dev/full") == 0 ? 0 : 1; }), "");
        EXPECT_TRUE(fs::is_character_file("/dev/full"));
    }
}

// Cada carácter de Symbol va como su carácter Unicode con el byte de reserva;
// el número de "\u" es de 16 bits con signo.
TEST_F(Rtf, CaracteresDeSymbolEnUnicodeConSuByte)
{
    EXPECT_EQ(parrafo_rtf("`S\xE5`Im `S\xF2 `Sg`S\xFC`S\\`S(`S"),
              PARRAFO + "{\\f2\\u8721\\'e5}{\\i m} {\\f2\\u8747\\'f2} {\\f2\\u947\\'67}{\\f2\\u9131\\'fc}"
                        "{\\f2\\u8756\\'5c}{\\f2\\u40\\'28}{\\f2}\\par}");
    // Un código que sigue a "`S" abre su grupo; el carácter sigue en Symbol.
    EXPECT_EQ(parrafo_rtf("`S`IW"), PARRAFO + "{\\f2{\\i \\u937\\'57}}\\par}");
}

TEST(Symbol, TablaYTextoSimple)
{
    EXPECT_EQ(unicode_de_symbol('D'), U'\u0394');
    EXPECT_EQ(unicode_de_symbol(0xBD), U'\u2502');
    EXPECT_EQ(unicode_de_symbol(0xE5), U'\u2211');
    EXPECT_EQ(unicode_de_symbol(0xF2), U'\u222B');
    EXPECT_EQ(unicode_de_symbol('1'), U'1');
    // Sin códigos; Symbol y Windows-1252 pasan a Unicode; el código actúa
    // sobre el carácter siguiente, también un blanco, y un acento final no
    // escribe nada.
    EXPECT_EQ(texto_utf8_de_marcado(texto1252::desde_utf8("est.`S½ pH`D2 `M`SD`Iu `SD `S s—`")),
              "est.│ pH2 Δu Δ  s—");
}

TEST_F(Rtf, TextoSimpleDeLosResultados)
{
    escribe_temporal(texto1252::desde_utf8("a `S½ año\n<NP>\n`Så`Im\n"));
    EXPECT_EQ(texto_utf8_resultados(temporal), "a │ año\n\n∑m\n");
    EXPECT_EQ(texto_utf8_resultados((dir / "no_existe").string()), "");
}

// Con LibreOffice, el RTF se abre y da el texto de las líneas, con los
// caracteres de Symbol en Unicode (no "½", "å" ni "ü" de sus bytes).
TEST_F(Rtf, LoLeeLibreOffice)
{
    if (std::system("command -v soffice >/dev/null 2>&1") != 0) GTEST_SKIP() << "soffice no está instalado";
    escribe_temporal(texto1252::desde_utf8("TRANSFORMACIONES `S½ isócora`I\n<NP>\n  1 `S½   1,00 `M`SD`Iu\n"
                                           "`Så`Im·`Ih = 1 `Sü\n"));
    ASSERT_EQ(escribe_rtf(temporal, rtf), 1);
    // Con un perfil propio, para no depender de (ni esperar a) un LibreOffice
    // que el usuario tenga abierto. Lo que escribe además en el directorio
    // del usuario (dconf, ~/.config) va a uno dentro del de la prueba.
    const std::string casa = (dir / "casa").string();
    fs::create_directories(casa + "/run");
    fs::permissions(casa + "/run", fs::perms::owner_all, fs::perm_options::replace);
    const std::string entorno = "HOME='" + casa + "' XDG_CONFIG_HOME='" + casa + "/.config' XDG_CACHE_HOME='" + casa +
                                "/.cache' XDG_DATA_HOME='" + casa + "/.local/share' XDG_STATE_HOME='" + casa +
                                "/.local/state' XDG_RUNTIME_DIR='" + casa + "/run' ";
    const std::string orden = "cd '" + dir.string() + "' && " + entorno + "soffice -env:UserInstallation=file://" + dir.string() +
                              "/perfil --headless --convert-to 'txt:Text (encoded):UTF8' "
                              "--outdir '" + dir.string() + "' ZEFIRANT.RTF >/dev/null 2>&1";
    ASSERT_EQ(std::system(orden.c_str()), 0);
    std::stringstream s;
    s << std::ifstream(dir / "ZEFIRANT.txt").rdbuf();
    EXPECT_NE(s.str().find("TRANSFORMACIONES"), std::string::npos);
    EXPECT_NE(s.str().find("is\xC3\xB3" "cora"), std::string::npos);
    EXPECT_NE(s.str().find("1,00"), std::string::npos);
    EXPECT_NE(s.str().find("TRANSFORMACIONES \u2502 is"), std::string::npos) << s.str();
    EXPECT_NE(s.str().find("\u0394u"), std::string::npos) << s.str();
    EXPECT_NE(s.str().find("\u2211m\u00B7h = 1 \u23AB"), std::string::npos) << s.str();
    for (const char* byte : {"\u00BD", "\u00E5", "\u00FC"}) EXPECT_EQ(s.str().find(byte), std::string::npos) << byte;
}

} // namespace
