// Líneas al estilo printf que se escriben cuando alguien las lee.
//
// anota_printf guarda en una lista_lineas el formato (un literal, que vive
// todo el programa) y una copia de sus argumentos: los números tal como
// printf los recibe (float pasa a double) y el texto de cada cadena. La
// línea se escribe después con el mismo formato y los mismos valores, en un
// espacio de 'capacidad' bytes, y sale igual que si se hubiera escrito al
// anotarla.
//
// El formato se comprueba al compilar contra los tipos de los argumentos
// (conversiones d i u x X o c, e f g E F G, s, %%, con banderas, ancho,
// precisión y los largos l, ll y z): un formato que no casa no compila.
#pragma once

#include "comun/lineas.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <type_traits>

namespace formato_diferido {

enum class clase_argumento { entero, entero_largo, real, cadena, otra };

template <class T>
consteval clase_argumento clase_de()
{
    using U = std::remove_cv_t<T>;
    if constexpr (std::is_same_v<U, const char*> || std::is_same_v<U, char*>)
        return clase_argumento::cadena;
    else if constexpr (std::is_integral_v<U> && sizeof(U) <= sizeof(int))
        return clase_argumento::entero;
    else if constexpr (std::is_integral_v<U> && sizeof(U) == sizeof(long))
        return clase_argumento::entero_largo;
    else if constexpr (std::is_same_v<U, float> || std::is_same_v<U, double>)
        return clase_argumento::real;
    else
        return clase_argumento::otra;
}

constexpr bool es_digito(char c) { return c >= '0' && c <= '9'; }

consteval bool formato_valido(const char* f, const clase_argumento* clases, std::size_t n)
{
    std::size_t k = 0;
    for (; *f; ++f) {
        if (*f != '%') continue;
        ++f;
        if (*f == '%') continue;
        while (*f == '-' || *f == '+' || *f == ' ' || *f == '#' || *f == '0') ++f;
        while (es_digito(*f)) ++f;
        if (*f == '.') {
            ++f;
            while (es_digito(*f)) ++f;
        }
        bool largo = false;
        if (*f == 'l') {
            largo = true;
            if (*++f == 'l') ++f;
        } else if (*f == 'z') {
            largo = true;
            ++f;
        }
        clase_argumento esperada;
        switch (*f) {
        case 'd': case 'i': case 'u': case 'x': case 'X': case 'o':
            esperada = largo ? clase_argumento::entero_largo : clase_argumento::entero;
            break;
        case 'c':
            if (largo) return false;
            esperada = clase_argumento::entero;
            break;
        case 'e': case 'E': case 'f': case 'F': case 'g': case 'G':
            if (largo) return false;
            esperada = clase_argumento::real;
            break;
        case 's':
            if (largo) return false;
            esperada = clase_argumento::cadena;
            break;
        default:
            return false;
        }
        if (k >= n || clases[k] != esperada) return false;
        ++k;
    }
    return k == n;
}

// Sin definición: llamarla al compilar es el error de un formato que no
// casa con sus argumentos.
void el_formato_no_casa_con_los_argumentos();

// Cadena que se guarda copiada.
struct cadena_copiada {};

// Cómo se guarda cada argumento: los enteros con la promoción de printf,
// los reales como llegan (un float ocupa la mitad y pasa a double, sin
// cambiar su valor, al escribir la línea), las cadenas copiadas.
template <class T>
struct guardado {
    using tipo = std::conditional_t<std::is_floating_point_v<T>, T, decltype(+T{})>;
};
template <>
struct guardado<const char*> {
    using tipo = cadena_copiada;
};
template <>
struct guardado<char*> {
    using tipo = cadena_copiada;
};
template <class T>
using guardado_t = typename guardado<std::remove_cv_t<T>>::tipo;

// Lo que recibe printf al escribir la línea.
template <class G>
using leido_t = std::conditional_t<std::is_same_v<G, cadena_copiada>, const char*,
                                   std::conditional_t<std::is_same_v<G, float>, double, G>>;

template <class T>
std::size_t medida(const T& valor)
{
    using G = guardado_t<std::decay_t<T>>;
    if constexpr (std::is_same_v<G, cadena_copiada>) {
        const char* c = valor;
        if (!c) c = "(null)";
        return sizeof(std::size_t) + std::strlen(c) + 1;
    } else {
        return sizeof(G);
    }
}

template <class T>
unsigned char* guarda(unsigned char* p, const T& valor)
{
    using G = guardado_t<std::decay_t<T>>;
    if constexpr (std::is_same_v<G, cadena_copiada>) {
        const char* c = valor;
        if (!c) c = "(null)";
        const std::size_t n = std::strlen(c) + 1;
        std::memcpy(p, &n, sizeof n);
        std::memcpy(p + sizeof n, c, n);
        return p + sizeof n + n;
    } else {
        const G g = static_cast<G>(valor);
        std::memcpy(p, &g, sizeof g);
        return p + sizeof g;
    }
}

template <class G>
leido_t<G> lee(const unsigned char* datos, std::size_t& pos)
{
    if constexpr (std::is_same_v<G, cadena_copiada>) {
        std::size_t n;
        std::memcpy(&n, datos + pos, sizeof n);
        const char* c = reinterpret_cast<const char*>(datos + pos + sizeof n);
        pos += sizeof n + n;
        return c;
    } else {
        G g;
        std::memcpy(&g, datos + pos, sizeof g);
        pos += sizeof g;
        return g;
    }
}

// vsnprintf, como cuando la línea se escribía al anotarla.
int escribe_c(char* destino, std::size_t capacidad, const char* formato, ...);

template <std::size_t capacidad, class... G>
void forma_printf(const unsigned char* datos, std::string& texto)
{
    const char* formato;
    std::memcpy(&formato, datos, sizeof formato);
    [[maybe_unused]] std::size_t pos = sizeof formato;
    // La lista entre llaves lee los argumentos en orden.
    const std::tuple<leido_t<G>...> valores{lee<G>(datos, pos)...};
    char linea[capacidad];
    const int n = std::apply([&](auto... v) { return escribe_c(linea, capacidad, formato, v...); }, valores);
    texto.assign(linea, n < 0 ? 0 : std::min(static_cast<std::size_t>(n), capacidad - 1));
}

} // namespace formato_diferido

// Formato printf comprobado al compilar contra los tipos A.
template <class... A>
struct formato_printf {
    const char* texto;
    consteval formato_printf(const char* formato) : texto(formato)
    {
        constexpr std::array<formato_diferido::clase_argumento, sizeof...(A)> clases{
            formato_diferido::clase_de<A>()...};
        if (!formato_diferido::formato_valido(formato, clases.data(), clases.size()))
            formato_diferido::el_formato_no_casa_con_los_argumentos();
    }
};

namespace formato_diferido {

// Los datos de una línea: el formato y una copia de cada valor.
template <class... A>
void guarda_linea(unsigned char* p, const char* formato, const A&... valores)
{
    std::memcpy(p, &formato, sizeof formato);
    p += sizeof formato;
    ((p = guarda(p, valores)), ...);
}

template <class... A>
void copia_printf(unsigned char* p, const void* contexto)
{
    const auto& t = *static_cast<const std::tuple<const char*, const A&...>*>(contexto);
    std::apply([p](const char* formato, const A&... valores) { guarda_linea(p, formato, valores...); }, t);
}

} // namespace formato_diferido

// Añade a la lista la línea printf(formato, valores...), cortada a
// 'capacidad' - 1 caracteres, sin escribirla todavía.
template <std::size_t capacidad, class... A>
void anota_printf(lista_lineas& lista, const char* formato, A... valores)
{
    using namespace formato_diferido;
    const forma_linea forma = &forma_printf<capacidad, guardado_t<std::decay_t<A>>...>;
    const std::size_t largo = sizeof formato + (std::size_t{0} + ... + medida(valores));
    // Lo de casi siempre: la lista guarda la línea y los datos van derechos
    // a su sitio.
    if (unsigned char* sitio = lista.reserva_diferida(forma, largo)) {
        guarda_linea(sitio, formato, valores...);
        return;
    }
    const std::tuple<const char*, const A&...> contexto(formato, valores...);
    lista.agrega_diferida(forma, largo, &copia_printf<A...>, &contexto);
}
