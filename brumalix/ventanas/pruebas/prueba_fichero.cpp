// Pruebas del fichero de problema, sobre sus bytes: lo que se escribe se lee
// igual, y un fichero roto o fuera de los límites se rechaza entero.
#include "brumalix/ventanas/fichero_problema.h"

#include "brumalix/motor/problema_agua.h"
#include "comun/binario.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// Desplazamientos de la disposición actual con S = 3 y E = 2.
constexpr std::size_t CAUDALES = 11 + 54 * 3;
constexpr std::size_t EQUIPOS = CAUDALES + 216 + 2;
constexpr std::size_t MASA = EQUIPOS + 204 * 2;

void pon_i16(std::vector<unsigned char>& b, std::size_t pos, int v)
{
    b[pos] = static_cast<unsigned char>(v & 0xFF);
    b[pos + 1] = static_cast<unsigned char>((v >> 8) & 0xFF);
}

class FicheroProblema : public ::testing::Test {
protected:
    void SetUp() override
    {
        borra_unidades();
        borra_estados();
        borra_caudales_directos();
        borra_elementos();
        borra_ecuaciones();
        unidad_presion_at = 1;
        unidad_energia_kcal = unidad_entropia_kcal = 1;
        estados_dato[0].p = 10;
        estados_dato[0].t = 300;
        estados_dato[0].caudal = 99;  // no vuelve: el caudal sale de los caudales directos
        estados_dato[1].p = 1.5f;
        estados_dato[1].ref_t = 1;
        estados_dato[2].x = 0.25f;
        estados_dato[2].ref_p = 2;
        caudales_directos[0] = {1, 36.0f};
        caudales_directos[1] = {3, 2.5f};
        std::strcpy(equipos[0].nombre, "Caldera de vapor");
        std::strcpy(equipos[0].texto_entrantes, "1 2");
        std::strcpy(equipos[0].texto_salientes, "3");
        equipos[0].num_entrantes = 2;
        equipos[0].entrantes[0] = 1;
        equipos[0].entrantes[1] = 2;
        equipos[0].num_salientes = 1;
        equipos[0].salientes[0] = 3;
        std::strcpy(equipos[1].nombre, "Bomba");
        std::strcpy(ecuaciones_masa[0].texto, "1+2=3");
        std::strcpy(ecuaciones_masa[149].texto, "3=1");
        std::strcpy(ecuaciones_energia[29].texto, "2=3");
        bytes = escribe(3, 2);
    }
    static std::vector<unsigned char> escribe(int S, int E)
    {
        std::FILE* f = std::tmpfile();
        EXPECT_TRUE(escribe_problema(f, S, E));
        std::vector<unsigned char> v(static_cast<std::size_t>(std::ftell(f)));
        std::rewind(f);
        EXPECT_EQ(std::fread(v.data(), 1, v.size(), f), v.size());
        std::fclose(f);
        return v;
    }
    lectura_problema lee(const std::vector<unsigned char>& b)
    {
        leido = problema_leido{};
        return lee_problema(b, leido);
    }
    std::vector<unsigned char> bytes;
    problema_leido leido;
};

// Un cambio de los bytes de un fichero bueno que lo saca de los límites del
// problema, con su nombre.
struct fuera_de_limites {
    const char* nombre;
    void (*cambia)(std::vector<unsigned char>&);
};

void PrintTo(const fuera_de_limites& f, std::ostream* o) { *o << f.nombre; }

class FicheroFueraDeLimites : public FicheroProblema, public ::testing::WithParamInterface<fuera_de_limites> {};

} // namespace

TEST_F(FicheroProblema, LoQueSeEscribeSeLeeIgual)
{
    ASSERT_EQ(bytes.size(), BYTES_FIJOS_PROBLEMA + 54 * 3 + 204 * 2);
    EXPECT_EQ(bytes[0], 'A');
    ASSERT_EQ(lee(bytes), lectura_problema::bien);
    EXPECT_EQ(leido.unidad_presion_at, 1);
    EXPECT_EQ(leido.unidad_caudal_th, 0);
    EXPECT_EQ(leido.unidad_entropia_kcal, 1);
    ASSERT_EQ(leido.estados.size(), 3u);
    ASSERT_EQ(leido.equipos.size(), 2u);

    borra_estados();
    borra_elementos();
    borra_ecuaciones();
    borra_caudales_directos();
    unidad_presion_at = 0;
    pasa_al_problema(leido);
    EXPECT_EQ(unidad_presion_at, 1);
    EXPECT_FLOAT_EQ(estados_dato[0].t, 300);
    EXPECT_FLOAT_EQ(estados_dato[0].caudal, 36);
    EXPECT_EQ(estados_dato[1].caudal, -1.0f);
    EXPECT_FLOAT_EQ(estados_dato[2].caudal, 2.5f);
    EXPECT_EQ(estados_dato[1].ref_t, 1);
    EXPECT_EQ(estados_dato[2].ref_p, 2);
    EXPECT_EQ(estados_dato[3].p, -1.0f);
    EXPECT_EQ(caudales_directos[1].estado, 3);
    EXPECT_EQ(caudales_directos[2].estado, -1);
    EXPECT_STREQ(equipos[0].nombre, "Caldera de vapor");
    EXPECT_STREQ(equipos[0].texto_entrantes, "1 2");
    EXPECT_EQ(equipos[0].num_entrantes, 2);
    EXPECT_EQ(equipos[0].entrantes[1], 2);
    EXPECT_STREQ(equipos[1].nombre, "Bomba");
    EXPECT_STREQ(ecuaciones_masa[149].texto, "3=1");
    EXPECT_STREQ(ecuaciones_energia[29].texto, "2=3");
    EXPECT_EQ(num_equipos, 2);
}

TEST_F(FicheroProblema, UnFicheroCortadoNuncaSeLee)
{
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        std::vector<unsigned char> corto(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
        ASSERT_EQ(lee(corto), lectura_problema::incorrecto) << n << " bytes";
    }
    bytes[0] = 'B';
    EXPECT_EQ(lee(bytes), lectura_problema::marca_b);
}

TEST_P(FicheroFueraDeLimites, SeRechaza)
{
    GetParam().cambia(bytes);
    EXPECT_EQ(lee(bytes), lectura_problema::incorrecto);
}

INSTANTIATE_TEST_SUITE_P(
    Cambios, FicheroFueraDeLimites,
    ::testing::Values(
        fuera_de_limites{"CientoCincuentaYUnEstados", [](auto& b) { pon_i16(b, 9, 151); }},
        fuera_de_limites{"EstadosNegativos", [](auto& b) { pon_i16(b, 9, -1); }},
        fuera_de_limites{"CaudalDeUnEstadoQueNoCabe", [](auto& b) { pon_i16(b, CAUDALES, 151); }},
        fuera_de_limites{"VeintiseisEquipos", [](auto& b) { pon_i16(b, EQUIPOS - 2, 26); }},
        fuera_de_limites{"OnceEstadosEntrantes", [](auto& b) { pon_i16(b, EQUIPOS + 200, 11); }},
        fuera_de_limites{"SalientesNegativos", [](auto& b) { pon_i16(b, EQUIPOS + 202, -1); }},
        fuera_de_limites{"NombreSinTerminar", [](auto& b) { std::memset(&b[EQUIPOS + 40], 'x', 40); }},
        fuera_de_limites{"ListaSinTerminar", [](auto& b) { std::memset(&b[EQUIPOS + 140], '7', 60); }},
        fuera_de_limites{"EcuacionSinTerminar", [](auto& b) { std::memset(&b[MASA + 60 * 149], '1', 60); }},
        fuera_de_limites{"UltimaEcuacionDeEnergiaSinTerminar",
                         [](auto& b) { std::memset(&b[b.size() - 60], '1', 60); }},
        fuera_de_limites{"UnidadQueNoEs0Ni1", [](auto& b) { pon_i16(b, 1, 2); }},
        // Los datos de un estado y los caudales directos han de ser finitos.
        fuera_de_limites{"PresionNaN", [](auto& b) { binario::pon_f32(&b[11 + 2], NAN); }},
        fuera_de_limites{"TemperaturaInfinita", [](auto& b) { binario::pon_f32(&b[11 + 54 + 6], INFINITY); }},
        fuera_de_limites{"EntropiaInfinita", [](auto& b) { binario::pon_f32(&b[11 + 108 + 22], -INFINITY); }},
        fuera_de_limites{"CaudalDirectoNaN", [](auto& b) { binario::pon_f32(&b[CAUDALES + 6 + 2], NAN); }}),
    [](const ::testing::TestParamInfo<fuera_de_limites>& i) { return std::string(i.param.nombre); });

// Lo que el fichero guarda y no se usa (el caudal del registro del estado,
// que vuelve por los caudales directos, y los de un hueco libre) no impide
// leerlo.
TEST_F(FicheroProblema, LoQueNoSeUsaNoImpideLeerlo)
{
    binario::pon_f32(&bytes[11 + 42], NAN);
    binario::pon_f32(&bytes[CAUDALES + 6 * 35 + 2], INFINITY);
    EXPECT_EQ(lee(bytes), lectura_problema::bien);
}

// Un nombre de 39 caracteres y su terminador sí vale.
TEST_F(FicheroProblema, NombreDeEquipoDe39Caracteres)
{
    std::memset(&bytes[EQUIPOS + 40], 'x', 39);
    EXPECT_EQ(lee(bytes), lectura_problema::bien);
    EXPECT_EQ(std::strlen(leido.equipos[0].nombre), 39u);
}

TEST_F(FicheroProblema, DisposicionAntigua)
{
    // Sin marca: presión, caudal y energía, y después lo mismo que la actual.
    std::vector<unsigned char> antiguo;
    for (std::size_t i = 1; i < bytes.size(); ++i)
        if (i < 7 || i >= 9) antiguo.push_back(bytes[i]);
    ASSERT_EQ(antiguo.size(), 11026u + 54 * 3 + 204 * 2);
    ASSERT_EQ(lee(antiguo), lectura_problema::bien);
    EXPECT_EQ(leido.unidad_presion_at, 1);
    EXPECT_EQ(leido.unidad_energia_kcal, 1);
    EXPECT_EQ(leido.unidad_entropia_kcal, 1);
    EXPECT_EQ(leido.estados.size(), 3u);
    EXPECT_STREQ(leido.equipos[1].nombre, "Bomba");
}
