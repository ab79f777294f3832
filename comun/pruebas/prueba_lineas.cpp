// Líneas diferidas: se guardan los valores al anotarlas y se escriben al
// leerlas, con el mismo texto que si se hubieran escrito en el momento.
#include "comun/formato_diferido.h"
#include "comun/lineas.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <initializer_list>
#include <cstdio>
#include <string>

namespace {

using formato_diferido::clase_argumento;
using formato_diferido::formato_valido;

constexpr clase_argumento E = clase_argumento::entero, L = clase_argumento::entero_largo,
                          R = clase_argumento::real, C = clase_argumento::cadena;

// El formato se comprueba al compilar: lo que casa y lo que no.
consteval bool casa(const char* formato, std::initializer_list<clase_argumento> clases)
{
    return formato_valido(formato, clases.begin(), clases.size());
}
static_assert(casa("sin nada", {}));
static_assert(casa("100%% y %d", {E}));
static_assert(casa("%-8.3f|%+g|% e|%#G|%010.4f", {R, R, R, R, R}));
static_assert(casa("%3d %c %u %x %X %o", {E, E, E, E, E, E}));
static_assert(casa("%ld %zu %lld", {L, L, L}));
static_assert(casa("a=%d b=%g (%s) %7.2f", {E, R, C, R}));
static_assert(!casa("%d", {R}));  // un real por un entero
static_assert(!casa("%g", {E}));  // un entero por un real
static_assert(!casa("%s", {E}));
static_assert(!casa("%d", {L}));  // falta la l
static_assert(!casa("%d %d", {E}));  // falta un argumento
static_assert(!casa("%d", {E, R}));  // sobra uno
static_assert(!casa("%n", {E}));  // conversiones que no se aceptan
static_assert(!casa("%*d", {E, E}));
static_assert(!casa("%ls", {C}));
static_assert(!casa("al final %", {}));
// Los tipos de C++ en su clase.
static_assert(formato_diferido::clase_de<int>() == E && formato_diferido::clase_de<std::int32_t>() == E);
static_assert(formato_diferido::clase_de<char>() == E && formato_diferido::clase_de<unsigned>() == E);
static_assert(formato_diferido::clase_de<long>() == L && formato_diferido::clase_de<std::size_t>() == L);
static_assert(formato_diferido::clase_de<float>() == R && formato_diferido::clase_de<double>() == R);
static_assert(formato_diferido::clase_de<const char*>() == C && formato_diferido::clase_de<char*>() == C);
static_assert(formato_diferido::clase_de<long double>() == clase_argumento::otra);

template <class... A>
std::string con_printf(const char* formato, A... valores)
{
    char linea[1000];
    const int n = std::snprintf(linea, sizeof linea, formato, valores...);
    return std::string(linea, n < 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(n), 999));
}

// Una línea de cada clase, anotada en las dos listas.
template <class... A>
void anota_en(lista_lineas& a, lista_lineas& b, formato_printf<std::decay_t<A>...> formato, const A&... valores)
{
    anota_printf<1000>(a, formato.texto, valores...);
    anota_printf<1000>(b, formato.texto, valores...);
}

} // namespace

TEST(LineasDiferidas, IgualQueEscritasAlMomento)
{
    lineas_diferidas diferidas;
    lineas_memoria escritas;
    const float f = 0.1f;
    const double d = 1.0 / 3.0;
    anota_en(diferidas, escritas, "calc_P: cols=%d (%g %g %g)", 34, 0.95f, 1.0f, 1.1f);
    anota_en(diferidas, escritas, ">hp: %g %g  %7.3f %-5d| %e", f, d, f, -12, 3e-30f);
    anota_en(diferidas, escritas, "lee_datos_f1 dato(%s)=%g pt=%g ", "PRESION", 221.2f, 373.946f);
    anota_en(diferidas, escritas, "100%% %c%c %u %x %ld %zu", 'o', 'k', 4000000000u, 255, LONG_MIN, std::size_t{7});
    anota_en(diferidas, escritas, "SISTEMA:");
    anota_en(diferidas, escritas, "%s", "");
    anota_en(diferidas, escritas, "%g %g", 1.0f / 0.0f, -0.0f);
    diferidas.agrega("ya escrita \xB0");

    ASSERT_EQ(diferidas.numero(), 8u);
    for (std::size_t i = 0; i < escritas.numero(); ++i) EXPECT_EQ(diferidas.linea(i), escritas.linea(i)) << i;
    // Y las dos como printf con los mismos valores (un float llega como
    // double, sin cambiar).
    EXPECT_EQ(diferidas.linea(0), con_printf("calc_P: cols=%d (%g %g %g)", 34, 0.95f, 1.0f, 1.1f));
    EXPECT_EQ(diferidas.linea(1), con_printf(">hp: %g %g  %7.3f %-5d| %e", f, d, f, -12, 3e-30f));
    EXPECT_EQ(diferidas.linea(3), "100% ok 4000000000 ff " + std::to_string(LONG_MIN) + " 7");
    EXPECT_EQ(diferidas.linea(4), "SISTEMA:");
    EXPECT_EQ(diferidas.linea(5), "");
    EXPECT_EQ(diferidas.linea(6), "inf -0");
    EXPECT_EQ(diferidas.linea(7), "ya escrita \xB0");
    EXPECT_EQ(diferidas.linea(8), "");  // fuera de la lista
}

TEST(LineasDiferidas, LasCadenasSeCopianAlAnotar)
{
    lineas_diferidas l;
    char nombre[] = "Caldera";
    std::string largo(3000, 'z');
    anota_printf<1000>(l, "%s:%s", nombre, static_cast<const char*>(nullptr));
    anota_printf<1000>(l, "%s", largo.c_str());
    anota_printf<1000>(l, "ab%s", std::string(997, 'y').c_str());
    anota_printf<1000>(l, "ab%s", std::string(998, 'y').c_str());
    nombre[0] = 'X';
    largo.assign(3000, 'q');
    EXPECT_EQ(l.linea(0), "Caldera:(null)");
    // Cortadas como en un espacio de 1000 bytes: 999 caracteres.
    EXPECT_EQ(l.linea(1), std::string(999, 'z'));
    EXPECT_EQ(l.linea(2), "ab" + std::string(997, 'y'));
    EXPECT_EQ(l.linea(3), "ab" + std::string(997, 'y'));
    // Leer no gasta la línea.
    EXPECT_EQ(l.linea(0), "Caldera:(null)");
}

TEST(LineasDiferidas, QuitarPorElPrincipioYVaciar)
{
    lineas_diferidas l;
    // Bastantes líneas para llenar varios bloques, y una mayor que un bloque.
    const int n = 30000;
    for (int i = 0; i < n; ++i) {
        if (i == 1000) l.agrega(std::string(100000, 'g'));
        anota_printf<1000>(l, "linea %d de %s", i, "la traza");
    }
    ASSERT_EQ(l.numero(), std::size_t(n) + 1);
    EXPECT_EQ(l.linea(1000).size(), 100000u);
    l.quita_primeras(999);
    EXPECT_EQ(l.linea(0), "linea 999 de la traza");
    EXPECT_EQ(l.linea(1), std::string(100000, 'g'));
    l.quita_primeras(2);
    EXPECT_EQ(l.linea(0), "linea 1000 de la traza");
    l.quita_primeras(20000);
    ASSERT_EQ(l.numero(), std::size_t(n) + 1 - 21001);
    EXPECT_EQ(l.linea(0), "linea 21000 de la traza");
    EXPECT_EQ(l.linea(l.numero() - 1), "linea 29999 de la traza");
    // Lo que se añade después sigue al final.
    anota_printf<1000>(l, "otra %d", 1);
    EXPECT_EQ(l.linea(l.numero() - 1), "otra 1");
    l.quita_primeras(1000000);
    EXPECT_EQ(l.numero(), 0u);
    anota_printf<1000>(l, "tras vaciar %d", 2);
    ASSERT_EQ(l.numero(), 1u);
    EXPECT_EQ(l.linea(0), "tras vaciar 2");

    // Vaciada y llenada otra vez (con los bloques de antes).
    for (int i = 0; i < n; ++i) anota_printf<1000>(l, "primera vuelta %d", i);
    l.borra();
    EXPECT_EQ(l.numero(), 0u);
    for (int i = 0; i < n; ++i) anota_printf<1000>(l, "segunda vuelta %d", i);
    ASSERT_EQ(l.numero(), std::size_t(n));
    EXPECT_EQ(l.linea(0), "segunda vuelta 0");
    EXPECT_EQ(l.linea(12345), "segunda vuelta 12345");
    EXPECT_EQ(l.linea(n - 1), "segunda vuelta 29999");
}
