// Texto de un solo byte (Windows-1252) escrito en UTF-8 en el código fuente.
//
// Todo el texto del sistema (tablas, ficheros temporales, RTF, ficheros de
// problema) va en Windows-1252: cada carácter es un byte y ocupa una columna.
// Los literales se escriben legibles en UTF-8 y el sufijo _w los convierte al
// compilar: "Hidrógeno"_w es un const char* a "Hidr\xF3geno".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace texto1252 {

// Código Windows-1252 de un punto de código Unicode, o -1 si no lo tiene.
constexpr int codigo_de_unicode(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    switch (c) {
    case 0x20AC: return 0x80; case 0x201A: return 0x82; case 0x0192: return 0x83;
    case 0x201E: return 0x84; case 0x2026: return 0x85; case 0x2020: return 0x86;
    case 0x2021: return 0x87; case 0x02C6: return 0x88; case 0x2030: return 0x89;
    case 0x0160: return 0x8A; case 0x2039: return 0x8B; case 0x0152: return 0x8C;
    case 0x017D: return 0x8E; case 0x2018: return 0x91; case 0x2019: return 0x92;
    case 0x201C: return 0x93; case 0x201D: return 0x94; case 0x2022: return 0x95;
    case 0x2013: return 0x96; case 0x2014: return 0x97; case 0x02DC: return 0x98;
    case 0x2122: return 0x99; case 0x0161: return 0x9A; case 0x203A: return 0x9B;
    case 0x0153: return 0x9C; case 0x017E: return 0x9E; case 0x0178: return 0x9F;
    default: return -1;
    }
}

// Punto de código Unicode de un byte Windows-1252 (los cinco huecos de la
// tabla, 0x81, 0x8D, 0x8F, 0x90 y 0x9D, se dejan como están).
constexpr char32_t unicode_de_codigo(unsigned char b)
{
    constexpr char32_t tabla80[32] = {
        0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
        0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    return (b >= 0x80 && b < 0xA0) ? tabla80[b - 0x80] : char32_t(b);
}

// Convierte UTF-8 a Windows-1252 en 'salida' (capacidad n, incluido el NUL).
// Devuelve la longitud escrita, o -1 si el texto trae un carácter que
// Windows-1252 no tiene o una secuencia UTF-8 mal formada.
constexpr long convierte(const char* entrada, std::size_t largo, char* salida, std::size_t n)
{
    std::size_t j = 0;
    for (std::size_t i = 0; i < largo;) {
        unsigned char b = static_cast<unsigned char>(entrada[i]);
        char32_t c;
        std::size_t extra;
        if (b < 0x80) { c = b; extra = 0; }
        else if ((b & 0xE0) == 0xC0) { c = b & 0x1F; extra = 1; }
        else if ((b & 0xF0) == 0xE0) { c = b & 0x0F; extra = 2; }
        else return -1;
        if (i + extra >= largo) return -1;
        for (std::size_t k = 1; k <= extra; ++k) {
            unsigned char s = static_cast<unsigned char>(entrada[i + k]);
            if ((s & 0xC0) != 0x80) return -1;
            c = (c << 6) | (s & 0x3F);
        }
        int codigo = codigo_de_unicode(c);
        if (codigo < 0 || j + 1 >= n) return -1;
        salida[j++] = static_cast<char>(codigo);
        i += extra + 1;
    }
    if (j >= n) return -1;
    salida[j] = '\0';
    return static_cast<long>(j);
}

// Versión en tiempo de ejecución; los caracteres sin código pasan a '?'.
std::string desde_utf8(std::string_view utf8);
// Windows-1252 a UTF-8 (para lo que se muestra fuera del sistema).
std::string a_utf8(std::string_view cp1252);
// Añade a 'utf8' el punto de código 'c' codificado en UTF-8.
void agrega_utf8(std::string& utf8, char32_t c);

template <std::size_t N>
struct literal_utf8 {
    char datos[N]{};
    constexpr literal_utf8(const char (&s)[N])
    {
        for (std::size_t i = 0; i < N; ++i) datos[i] = s[i];
    }
};

template <literal_utf8 L>
struct literal_1252 {
    static constexpr auto convertir()
    {
        struct { char datos[sizeof(L.datos)]{}; long largo = 0; } r;
        r.largo = convierte(L.datos, sizeof(L.datos) - 1, r.datos, sizeof(L.datos));
        return r;
    }
    static constexpr auto valor = convertir();
    static_assert(valor.largo >= 0, "literal sin representación en Windows-1252");
};

} // namespace texto1252

// clang 14 se cae (fallo de segmento) si tiene que escribir en una nota de
// evaluación constante una expresión con un literal _w: pasa, por ejemplo,
// con "..."_w en la lista de inicio de un std::vector. Ahí se pone el
// literal en una matriz o en una variable y el vector se llena desde ella.
template <texto1252::literal_utf8 L>
constexpr const char* operator""_w()
{
    return texto1252::literal_1252<L>::valor.datos;
}
