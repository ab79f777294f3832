#include "comun/texto1252.h"

namespace texto1252 {

std::string desde_utf8(std::string_view utf8)
{
    std::string salida;
    salida.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        unsigned char b = static_cast<unsigned char>(utf8[i]);
        std::size_t extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : 0;
        char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        bool bien = (b < 0x80) || extra > 0;
        if (i + extra >= utf8.size() && extra > 0) bien = false;
        for (std::size_t k = 1; bien && k <= extra; ++k) {
            unsigned char s = static_cast<unsigned char>(utf8[i + k]);
            if ((s & 0xC0) != 0x80) bien = false;
            else c = (c << 6) | (s & 0x3F);
        }
        if (!bien) {
            salida.push_back('?');
            ++i;
            continue;
        }
        int codigo = codigo_de_unicode(c);
        salida.push_back(codigo < 0 ? '?' : static_cast<char>(codigo));
        i += extra + 1;
    }
    return salida;
}

std::string a_utf8(std::string_view cp1252)
{
    std::string salida;
    salida.reserve(cp1252.size() * 2);
    for (char ch : cp1252) agrega_utf8(salida, unicode_de_codigo(static_cast<unsigned char>(ch)));
    return salida;
}

void agrega_utf8(std::string& utf8, char32_t c)
{
    if (c < 0x80) {
        utf8.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        utf8.push_back(static_cast<char>(0xC0 | (c >> 6)));
        utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        utf8.push_back(static_cast<char>(0xE0 | (c >> 12)));
        utf8.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        utf8.push_back(static_cast<char>(0xF0 | (c >> 18)));
        utf8.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        utf8.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

} // namespace texto1252
