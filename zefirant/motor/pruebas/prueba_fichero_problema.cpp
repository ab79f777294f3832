#include "zefirant/motor/fichero_problema.h"
#include "zefirant/motor/unidades.h"

#include "comun/binario.h"
#include "comun/pruebas/sin_privilegios.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class FicheroProblema : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("zefirant_problema_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        ASSERT_EQ(crea_problema(&origen), 1);
        ASSERT_EQ(crea_problema(&destino), 1);
        // 2 estados y 1 transformación con valores reconocibles.
        propiedades_gas& g = *origen->gas;
        std::strcpy(g.nombre, "Gasolina");
        g.tipo = GAS_GASOLINA;
        g.M = 28.79f, g.Hu = 43543, g.humedad = 0.05f;
        g.c = 0.856f, g.h = 0.144f, g.aire = 0.8f;
        for (int i = 0; i < NUM_FILAS; ++i) g.tabla[i] = {21.0f + static_cast<float>(i), 29.3f + static_cast<float>(i), 190.0f + static_cast<float>(3 * i)};
        g.tabla[5].cv0 = std::bit_cast<float>(0x80401234u);  // se copia bit a bit
        origen->num_estados = 2;
        origen->datos[0].prop[E_TEMP] = 300, origen->datos[0].prop[E_PRES] = 1;
        origen->datos[1].prop[E_XV] = 0.6f, origen->datos[1].referencia[E_VOL] = 1, origen->datos[1].marca = 1;
        origen->num_transformaciones = 1;
        origen->transformaciones[0] = {1, 2};
    }
    void TearDown() override
    {
        libera_problema(&origen);
        libera_problema(&destino);
        fs::remove_all(dir);
        unidad_masa_kg = unidad_energia_kcal = unidad_presion_at = 0;
    }
    std::string ruta(const char* nombre) const { return (dir / nombre).string(); }
    std::vector<unsigned char> bytes(const std::string& r) const
    {
        std::vector<unsigned char> b;
        EXPECT_TRUE(binario::lee_fichero(r, b));
        return b;
    }
    void escribe(const std::string& r, const std::vector<unsigned char>& b) const
    {
        std::FILE* f = std::fopen(r.c_str(), "wb");
        std::fwrite(b.data(), 1, b.size(), f);
        std::fclose(f);
    }
    // El problema en memoria y las unidades, tal como se guardarían.
    std::vector<unsigned char> foto(const problema& p)
    {
        EXPECT_GT(guarda_problema(ruta("foto"), p), 0);
        return bytes(ruta("foto"));
    }
    fs::path dir;
    problema* origen = nullptr;
    problema* destino = nullptr;
};

TEST_F(FicheroProblema, IdaYVuelta)
{
    unidad_masa_kg = 1, unidad_presion_at = 1;
    const std::string r = ruta("a.prb");
    ASSERT_EQ(guarda_problema(r, *origen), 572);
    auto b = bytes(r);
    ASSERT_EQ(b.size(), 572u);
    EXPECT_EQ(binario::i16_de(&b[0]) * 100 + binario::i16_de(&b[2]) * 10 + binario::i16_de(&b[4]), 101);
    EXPECT_EQ(b[26], GAS_GASOLINA);
    EXPECT_EQ(binario::f32_de(&b[36 + 4 * 4]), 43543.0f);  // Hu
    EXPECT_EQ(binario::u32_de(&b[60 + 12 * 5]), 0x80401234u);
    EXPECT_EQ(b[456] * 10 + b[457], 21);
    EXPECT_EQ(binario::i16_de(&b[458 + 54 + 40 + 2 * E_VOL]), 1);
    EXPECT_EQ(b[458 + 54 + 52], 1);
    EXPECT_EQ(b[566] * 10 + b[567], 12);
    EXPECT_EQ(binario::f32_de(&b[568]), 0.05f);

    unidad_masa_kg = unidad_presion_at = 0;
    ASSERT_EQ(carga_problema(r, *destino), 572);
    EXPECT_EQ(unidad_masa_kg + unidad_presion_at, 2);
    EXPECT_STREQ(destino->gas->nombre, "Gasolina");
    EXPECT_EQ(std::memcmp(destino->gas->tabla, origen->gas->tabla, sizeof origen->gas->tabla), 0);
    EXPECT_EQ(destino->datos[1].referencia[E_VOL], 1);
    EXPECT_EQ(destino->datos[1].marca, 1);
    EXPECT_EQ(foto(*destino), b);
}

TEST_F(FicheroProblema, SinHumedadYNombreLargo)
{
    std::strcpy(origen->gas->nombre, "Combustible de veinticinc");  // 25 caracteres
    const std::string r = ruta("a.prb");
    ASSERT_EQ(guarda_problema(r, *origen), 572);
    auto b = bytes(r);
    b.resize(568);
    escribe(r, b);
    destino->gas->humedad = 7;
    ASSERT_EQ(carga_problema(r, *destino), 568);
    EXPECT_EQ(destino->gas->humedad, 7.0f);
    EXPECT_STREQ(destino->gas->nombre, "Combustible de vein");
    EXPECT_EQ(origen->gas->nombre[19], 't');  // el registro conserva su byte
}

// Un daño hecho a los bytes de un fichero bueno, con su nombre.
struct dano {
    const char* nombre;
    std::function<void(std::vector<unsigned char>&)> aplica;
};

void PrintTo(const dano& d, std::ostream* o) { *o << d.nombre; }

// Un fichero bueno y, cargado antes, otro problema con otras unidades: lo
// que debe quedar tras un fichero rechazado.
class FicheroRechazado : public FicheroProblema, public ::testing::WithParamInterface<dano> {
protected:
    void SetUp() override
    {
        FicheroProblema::SetUp();
        unidad_masa_kg = 1;
        ASSERT_EQ(guarda_problema(ruta("a.prb"), *origen), 572);
        bueno = bytes(ruta("a.prb"));
        // El destino tiene ya otro problema, y otras unidades.
        std::strcpy(origen->gas->nombre, "Aire");
        origen->gas->tipo = GAS_AIRE;
        origen->num_transformaciones = 0;
        ASSERT_EQ(guarda_problema(ruta("c.prb"), *origen), 570);
        ASSERT_EQ(carga_problema(ruta("c.prb"), *destino), 570);
        unidad_energia_kcal = 1;
        antes = foto(*destino);
    }
    std::vector<unsigned char> bueno, antes;
};

TEST_P(FicheroRechazado, NoTocaElProblema)
{
    auto b = bueno;
    GetParam().aplica(b);
    escribe(ruta("a.prb"), b);
    EXPECT_EQ(carga_problema(ruta("a.prb"), *destino), 0);
    EXPECT_EQ(foto(*destino), antes);
    EXPECT_EQ(unidad_masa_kg + unidad_energia_kcal, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Danos, FicheroRechazado,
    ::testing::Values(
        dano{"UnByteDeMas", [](auto& b) { b.push_back(0); }},
        dano{"Cortado", [](auto& b) { b.resize(500); }},
        dano{"Tipo12", [](auto& b) { b[26] = 12; }},
        dano{"Tipo99", [](auto& b) { b[26] = 99; }},
        dano{"Unidad2", [](auto& b) { b[2] = 2; }},
        dano{"CuarentaYUnEstados", [](auto& b) { b[456] = 41; }},
        dano{"CuarentaYUnaTransformaciones", [](auto& b) { b[457] = 41; }},
        dano{"NombreSinTerminar", [](auto& b) { std::memset(&b[6], 'x', 20); }},
        // Números no finitos donde se espera un número, y datos de
        // combustible que la página del gas no acepta.
        dano{"HuNaN", [](auto& b) { binario::pon_f32(&b[52], NAN); }},
        dano{"HuInfinito", [](auto& b) { binario::pon_f32(&b[52], INFINITY); }},
        dano{"HuCero", [](auto& b) { binario::pon_f32(&b[52], 0); }},
        dano{"AireNaN", [](auto& b) { binario::pon_f32(&b[36], NAN); }},
        dano{"Aire05ConGasolina", [](auto& b) { binario::pon_f32(&b[36], 0.5f); }},
        dano{"Aire09ConGasoleo", [](auto& b) { b[26] = GAS_GASOLEO, binario::pon_f32(&b[36], 0.9f); }},
        dano{"CarbonoNegativo", [](auto& b) { binario::pon_f32(&b[44], -2.5f); }},
        dano{"CarbonoEHidrogenoPorEncimaDe1", [](auto& b) { binario::pon_f32(&b[48], 0.2f); }},
        dano{"CarbonoEHidrogenoCero", [](auto& b) { binario::pon_f32(&b[44], 0), binario::pon_f32(&b[48], 0); }},
        dano{"MInfinito", [](auto& b) { binario::pon_f32(&b[28], -INFINITY); }},
        dano{"TablaNaN", [](auto& b) { binario::pon_f32(&b[60 + 12 * 7 + 8], NAN); }},
        dano{"PresionDeUnEstadoInfinita", [](auto& b) { binario::pon_f32(&b[458], INFINITY); }},
        dano{"XvDeUnEstadoNaN", [](auto& b) { binario::pon_f32(&b[458 + 54 + 4 * E_XV], NAN); }},
        dano{"HumedadNaN", [](auto& b) { binario::pon_f32(&b[b.size() - 4], NAN); }},
        dano{"HumedadNaNSinCombustible", [](auto& b) { b[26] = GAS_AIRE, binario::pon_f32(&b[b.size() - 4], NAN); }},
        dano{"HumedadNegativa", [](auto& b) { binario::pon_f32(&b[b.size() - 4], -0.5f); }},
        // El último número de un grupo (los datos del combustible).
        dano{"AireMinimoNaN", [](auto& b) { binario::pon_f32(&b[56], NAN); }},
        // Números que el campo no acepta al teclearlos, aunque las reglas del
        // combustible los admitan, y datos cuyos humos no se pueden calcular.
        dano{"CarbonoEHidrogenoSubnormales",
             [](auto& b) {
                 b[26] = GAS_OTRO, binario::pon_f32(&b[36], 1.1f);
                 binario::pon_f32(&b[44], 1.4e-45f), binario::pon_f32(&b[48], 1.4e-45f);
             }},
        dano{"HumosDesbordados",
             [](auto& b) {
                 b[26] = GAS_OTRO, binario::pon_f32(&b[36], 3e38f);
                 binario::pon_f32(&b[44], 0), binario::pon_f32(&b[48], 1);
             }}),
    [](const ::testing::TestParamInfo<dano>& i) { return std::string(i.param.nombre); });

TEST_F(FicheroProblema, UnFicheroQueNoExisteNoSeCarga)
{
    EXPECT_EQ(carga_problema(ruta("no_existe"), *destino), 0);
}

// En los límites que acepta la página del gas, el fichero se carga.
TEST_F(FicheroProblema, EnLosLimitesDeLaPaginaDelGasSeCarga)
{
    unidad_masa_kg = 1;
    const std::string r = ruta("a.prb");
    ASSERT_EQ(guarda_problema(r, *origen), 572);
    const auto bueno = bytes(r);
    for (float aire : {0.6f, 3.0f}) {
        auto b = bueno;
        binario::pon_f32(&b[36], aire);
        binario::pon_f32(&b[44], 1), binario::pon_f32(&b[48], 0);
        escribe(r, b);
        EXPECT_EQ(carga_problema(r, *destino), 572) << aire;
    }
    // La página toma un carbono por encima de 1 como 1, y la humedad que no
    // pasa de -1 (que no muestra) como no dada, 0.
    auto b = bueno;
    b[26] = GAS_OTRO;
    binario::pon_f32(&b[36], 1), binario::pon_f32(&b[44], 1.5f), binario::pon_f32(&b[48], 0);
    binario::pon_f32(&b[b.size() - 4], -1);
    escribe(r, b);
    EXPECT_EQ(carga_problema(r, *destino), 572);
}

// Referencias y transformaciones que no nombran un estado del problema se
// cargan tal cual: es el cálculo el que las rechaza con su mensaje.
TEST_F(FicheroProblema, ReferenciasYParesSinEstadoSeCargan)
{
    const std::string r = ruta("a.prb");
    ASSERT_EQ(guarda_problema(r, *origen), 572);
    auto b = bytes(r);
    auto referencia = [&](int estado, int propiedad, std::uint16_t valor) {
        const std::size_t i = static_cast<std::size_t>(458 + 54 * estado + 40 + 2 * propiedad);
        b[i] = static_cast<unsigned char>(valor & 0xFF), b[i + 1] = static_cast<unsigned char>(valor >> 8);
    };
    referencia(0, E_PRES, 0xFFFE);  // -2
    referencia(1, E_TEMP, 0);
    referencia(1, E_VOL, 41);
    referencia(1, E_ENTROP, 32767);
    b[566] = 0, b[567] = 255;
    escribe(r, b);
    ASSERT_EQ(carga_problema(r, *destino), 572);
    EXPECT_EQ(destino->datos[0].referencia[E_PRES], -2);
    EXPECT_EQ(destino->datos[1].referencia[E_TEMP], 0);
    EXPECT_EQ(destino->datos[1].referencia[E_VOL], 41);
    EXPECT_EQ(destino->datos[1].referencia[E_ENTROP], 32767);
    EXPECT_EQ(destino->transformaciones[0].desde, 0);
    EXPECT_EQ(destino->transformaciones[0].hasta, 255);
    EXPECT_EQ(foto(*destino), b);
}

// Ficheros de N estados y K transformaciones con todos sus bytes, sobre la
// cabecera del problema guardado en c.prb: sólo la cuenta puede hacerlos
// inválidos.
class FicheroConCuerpoEntero : public FicheroProblema {
protected:
    void SetUp() override
    {
        FicheroProblema::SetUp();
        ASSERT_EQ(guarda_problema(ruta("c.prb"), *origen), 572);
        ASSERT_EQ(carga_problema(ruta("c.prb"), *destino), 572);
        antes = foto(*destino);
    }
    std::vector<unsigned char> fichero(int N, int K) const
    {
        std::vector<unsigned char> b = bytes(ruta("c.prb"));
        b.resize(458);
        b[456] = static_cast<unsigned char>(N);
        b[457] = static_cast<unsigned char>(K);
        for (int i = 0; i < N; ++i) {
            unsigned char e[54];
            for (int k = 0; k < 10; ++k) binario::pon_f32(e + 4 * k, 300.0f + static_cast<float>(i));
            std::memset(e + 40, 0xFF, 12);  // referencias -1
            e[52] = e[53] = 0;
            b.insert(b.end(), e, e + 54);
        }
        for (int k = 0; k < K; ++k) {
            b.push_back(1);
            b.push_back(2);
        }
        for (int k = 0; k < 4; ++k) b.push_back(0);
        return b;
    }
    std::vector<unsigned char> antes;
};

// Con 40 estados y 40 transformaciones se acepta: el cuerpo está bien hecho.
TEST_F(FicheroConCuerpoEntero, CuarentaEstadosYCuarentaTransformacionesSeCargan)
{
    const auto b = fichero(40, 40);
    escribe(ruta("limite.prb"), b);
    EXPECT_EQ(carga_problema(ruta("limite.prb"), *destino), static_cast<long>(b.size()));
}

// Cuántos estados y transformaciones lleva el fichero.
class FicheroConMasQueLosLimites : public FicheroConCuerpoEntero,
                                   public ::testing::WithParamInterface<std::pair<int, int>> {};

// 41 estados, 41 transformaciones o las dos cosas: se rechaza sin tocar el
// problema.
TEST_P(FicheroConMasQueLosLimites, SeRechazaSinTocarElProblema)
{
    const auto [N, K] = GetParam();
    const auto b = fichero(N, K);
    escribe(ruta("mas.prb"), b);
    EXPECT_EQ(carga_problema(ruta("mas.prb"), *destino), 0);
    EXPECT_EQ(carga_problema_de_bytes(b.data(), b.size(), *destino), 0);
    EXPECT_EQ(foto(*destino), antes);
}

INSTANTIATE_TEST_SUITE_P(Limites, FicheroConMasQueLosLimites,
                         ::testing::Values(std::pair{41, 0}, std::pair{0, 41}, std::pair{41, 41}),
                         [](const ::testing::TestParamInfo<std::pair<int, int>>& i) {
                             return "Estados" + std::to_string(i.param.first) + "Transformaciones" +
                                    std::to_string(i.param.second);
                         });

TEST_F(FicheroProblema, UnaEscrituraFallidaNoEsUnExito)
{
    EXPECT_EQ(guarda_problema(ruta("no/existe.prb"), *origen), 0);
    // Un dispositivo lleno, en un hijo sin privilegios: si el fichero se
    // sustituyera en vez de escribirse, no podría ser el dispositivo.
    if (fs::exists("/dev/full")) {
        EXPECT_EQ(sin_privilegios::en_hijo([&] { return guarda_problema("/dev/full", *origen) == 0 ? 0 : 1; }), "");
        EXPECT_TRUE(fs::is_character_file("/dev/full"));
    }
}

} // namespace
