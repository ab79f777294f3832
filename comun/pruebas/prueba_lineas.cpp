// Líneas diferidas: se guardan los valores al anotarlas y se escriben al
// leerlas, con el mismo texto que si se hubieran escrito en el momento.
#include "comun/formato_diferido.h"
#include "comun/lineas.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <new>
#include <string>

namespace {

// Bloques que piden las listas (new[] de 64 KB o más): una lista que vuelve
// a usar los que suelta no pide ninguno nuevo.
std::size_t bloques_pedidos = 0;

} // namespace

// Sin inline: quien sustituye operator new[] y delete[] (valgrind) los
// sustituye juntos, y no queda un delete[] propio para un new[] suyo.
[[gnu::noinline]] void* operator new[](std::size_t n)
{
    if (n >= 64 * 1024) ++bloques_pedidos;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete[](void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

using formato_diferido::clase_argumento;
constexpr clase_argumento E = clase_argumento::entero, L = clase_argumento::entero_largo,
                          R = clase_argumento::real, C = clase_argumento::cadena;

// El formato se comprueba al compilar: lo que casa y lo que no.
consteval bool casa(const char* formato, std::initializer_list<clase_argumento> clases)
{
    return formato_diferido::formato_valido(formato, clases.begin(), clases.size());
}
static_assert(casa("100%% %-8.3f|%+g|%#G|%010.4f %3d %c %u %x %s", {R, R, R, R, E, E, E, E, C}));
static_assert(casa("%ld %zu %lld", {L, L, L}) && casa("sin nada", {}));
static_assert(!casa("%d", {R}) && !casa("%g", {E}) && !casa("%s", {E}) && !casa("%d", {L}));
static_assert(!casa("%d %d", {E}) && !casa("%d", {E, R}));  // faltan o sobran
static_assert(!casa("%n", {E}) && !casa("%*d", {E, E}) && !casa("%ls", {C}) && !casa("al final %", {}));
static_assert(formato_diferido::clase_de<std::int32_t>() == E && formato_diferido::clase_de<char>() == E);
static_assert(formato_diferido::clase_de<std::size_t>() == L && formato_diferido::clase_de<float>() == R);
static_assert(formato_diferido::clase_de<char*>() == C && formato_diferido::clase_de<long double>() == clase_argumento::otra);

// La misma línea en una lista diferida y en una que la escribe al momento.
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
    anota_en(diferidas, escritas, "calc_P: cols=%d (%g %g %g)", 34, 0.95f, 1.0f, 1.1f);
    anota_en(diferidas, escritas, ">hp: %g %.17g %7.3f %-5d| %.9g", 0.1f, 1.0 / 3.0, 0.1f, -12, 0.1f);
    anota_en(diferidas, escritas, "lee_datos_f1 dato(%s)=%g pt=%g ", "PRESION", 221.2f, 373.946f);
    anota_en(diferidas, escritas, "100%% %c%c %u %x %ld %zu", 'o', 'k', 4000000000u, 255, LONG_MIN, std::size_t{7});
    anota_en(diferidas, escritas, "SISTEMA:");
    anota_en(diferidas, escritas, "%g %g|%s|", 1.0f / 0.0f, -0.0f, "");
    diferidas.agrega("ya escrita \xB0");

    ASSERT_EQ(diferidas.numero(), 7u);
    for (std::size_t i = 0; i < escritas.numero(); ++i) EXPECT_EQ(diferidas.linea(i), escritas.linea(i)) << i;
    EXPECT_EQ(diferidas.linea(0), "calc_P: cols=34 (0.95 1 1.1)");
    EXPECT_EQ(diferidas.linea(1), ">hp: 0.1 0.33333333333333331   0.100 -12  | 0.100000001");
    EXPECT_EQ(diferidas.linea(3), "100% ok 4000000000 ff " + std::to_string(LONG_MIN) + " 7");
    EXPECT_EQ(diferidas.linea(5), "inf -0||");
    EXPECT_EQ(diferidas.linea(6), "ya escrita \xB0");
    EXPECT_EQ(diferidas.linea(7), "");  // fuera de la lista
}

TEST(LineasDiferidas, LasCadenasSeCopianAlAnotarYSeCortaA999)
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
    EXPECT_EQ(l.linea(1), std::string(999, 'z'));
    EXPECT_EQ(l.linea(2), "ab" + std::string(997, 'y'));
    EXPECT_EQ(l.linea(3), "ab" + std::string(997, 'y'));
    EXPECT_EQ(l.linea(0), "Caldera:(null)");  // leer no gasta la línea
}

TEST(LineasDiferidas, QuitarPorElPrincipioYVaciar)
{
    lineas_diferidas l;
    // Varios bloques llenos, y una línea mayor que un bloque entre ellas.
    for (int i = 0; i < 30000; ++i) {
        if (i == 1000) l.agrega(std::string(100000, 'g'));
        anota_printf<1000>(l, "linea %d de %s", i, "la traza");
    }
    ASSERT_EQ(l.numero(), 30001u);
    l.quita_primeras(999);
    EXPECT_EQ(l.linea(0), "linea 999 de la traza");
    EXPECT_EQ(l.linea(1), std::string(100000, 'g'));
    l.quita_primeras(20002);
    ASSERT_EQ(l.numero(), 9000u);
    EXPECT_EQ(l.linea(0), "linea 21000 de la traza");
    anota_printf<1000>(l, "otra %d", 1);
    EXPECT_EQ(l.linea(9000), "otra 1");
    l.quita_primeras(1000000);
    EXPECT_EQ(l.numero(), 0u);
    anota_printf<1000>(l, "tras vaciar %d", 2);
    EXPECT_EQ(l.linea(0), "tras vaciar 2");

    // Vaciada y llenada otra vez, con los bloques de antes.
    l.borra();
    EXPECT_EQ(l.numero(), 0u);
    for (int i = 0; i < 30000; ++i) anota_printf<1000>(l, "segunda vuelta %d", i);
    ASSERT_EQ(l.numero(), 30000u);
    EXPECT_EQ(l.linea(0), "segunda vuelta 0");
    EXPECT_EQ(l.linea(29999), "segunda vuelta 29999");
}

TEST(LineasDiferidas, MasDe512BytesEnUnaListaQueLasEscribeAlMomento)
{
    // Una lista que no guarda las líneas diferidas las escribe al recibirlas
    // desde una copia de sus datos: los de más de 512 bytes van al montón.
    lineas_memoria l;
    const std::string larga(997, 'y');
    anota_printf<1000>(l, "ab%s", larga.c_str());
    EXPECT_EQ(l.linea(0), "ab" + larga);

    const std::string enorme(1 << 20, 'e');
    const auto forma = [](const unsigned char* datos, std::string& texto) {
        texto.assign(reinterpret_cast<const char*>(datos), 1 << 20);
    };
    const auto copia = [](unsigned char* destino, const void* contexto) {
        const auto& origen = *static_cast<const std::string*>(contexto);
        std::memcpy(destino, origen.data(), origen.size());
    };
    l.agrega_diferida(forma, enorme.size(), copia, &enorme);
    ASSERT_EQ(l.numero(), 2u);
    EXPECT_TRUE(l.linea(1) == enorme);
}

TEST(LineasDiferidas, LosBloquesSoltadosSeVuelvenAUsar)
{
    // Líneas de 1000 caracteres con su número delante.
    const auto linea = [](std::size_t i) {
        std::string s = std::to_string(i);
        s.resize(1000, '.');
        return s;
    };
    lineas_diferidas l;
    std::size_t primera = 0, siguiente = 0;  // números de la primera línea que queda y de la próxima
    const auto agrega = [&](std::size_t n) {
        for (std::size_t k = 0; k < n; ++k) l.agrega(linea(siguiente++));
    };
    const auto todas_bien = [&] {
        for (std::size_t i = 0; i < l.numero(); ++i)
            if (l.linea(i) != linea(primera + i)) return false;
        return l.numero() == siguiente - primera;
    };
    // Los bloques se cuentan en el operator new[] de arriba; quien lo
    // sustituye por el suyo (valgrind) deja la cuenta quieta, y entonces no
    // hay nada que comprobar.
    const std::size_t al_probar = bloques_pedidos;
    ::operator delete[](::operator new[](64 * 1024));
    if (bloques_pedidos == al_probar) GTEST_SKIP() << "operator new[] sustituido: no se pueden contar los bloques";

    // Cuántas caben en un bloque: las que hay cuando se pide el segundo. En
    // un bloque de 64 KB caben menos de 66 líneas de 1000 bytes; con 10000
    // sin pedir el segundo, algo va mal.
    const std::size_t al_empezar = bloques_pedidos;
    agrega(1);
    while (bloques_pedidos < al_empezar + 2 && siguiente < 10000) agrega(1);
    ASSERT_EQ(bloques_pedidos, al_empezar + 2) << "con " << siguiente << " líneas";
    const std::size_t por_bloque = siguiente - 1;
    ASSERT_GE(por_bloque, 4u);

    // Tres bloques y medio; se quitan dos y medio: los dos primeros se
    // sueltan, y dos bloques de líneas nuevas caben en lo que queda del
    // último y en ellos.
    agrega(3 * por_bloque + por_bloque / 2 - siguiente);
    l.quita_primeras(2 * por_bloque + por_bloque / 2);
    primera = 2 * por_bloque + por_bloque / 2;
    std::size_t pedidos = bloques_pedidos;
    agrega(2 * por_bloque);
    EXPECT_EQ(bloques_pedidos, pedidos);
    EXPECT_TRUE(todas_bien());

    // Vaciada, sus cuatro bloques quedan para volver a usarse. Llenos otra
    // vez, cada uno cuenta sólo sus líneas nuevas: quitar dos bloques de
    // líneas suelta dos, y en ellos caben dos bloques más.
    l.borra();
    primera = siguiente;
    pedidos = bloques_pedidos;
    agrega(4 * por_bloque);
    EXPECT_EQ(bloques_pedidos, pedidos);
    l.quita_primeras(2 * por_bloque);
    primera += 2 * por_bloque;
    agrega(2 * por_bloque);
    EXPECT_EQ(bloques_pedidos, pedidos);
    EXPECT_TRUE(todas_bien());
}
