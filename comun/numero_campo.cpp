#include "comun/numero_campo.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <string>

namespace {

// El número del texto sin blancos ni signo: cifras y, en los reales, una
// marca decimal pasada a punto y, si la forma lo admite, el exponente ("e",
// su signo y sus cifras). Falso si el texto no tiene esa forma.
struct numero_limpio {
    std::string cifras;
    bool negativo = false;
    bool vacio = false;
};

bool limpia(std::string_view texto, const forma_numero& forma, bool con_decimales, numero_limpio& n)
{
    std::size_t i = 0, fin = texto.size();
    if (forma.blancos) {
        while (i < fin && texto[i] == ' ') ++i;
        while (fin > i && texto[fin - 1] == ' ') --fin;
    }
    if (i == fin) {
        n.vacio = true;
        return true;
    }
    if (forma.signo && (texto[i] == '+' || texto[i] == '-')) {
        n.negativo = texto[i] == '-';
        ++i;
    }
    bool marca = false;
    int cifras = 0;
    n.cifras.reserve(fin - i);
    for (; i < fin; ++i) {
        const char c = texto[i];
        if (c >= '0' && c <= '9') {
            ++cifras;
            n.cifras.push_back(c);
        } else if (con_decimales && (c == '.' || c == ',') && !marca) {
            marca = true;
            n.cifras.push_back('.');
        } else if (con_decimales && forma.exponente && (c == 'e' || c == 'E')) {
            break;
        } else {
            return false;
        }
    }
    if (cifras == 0) return false;
    if (i == fin) return true;
    // El exponente: cifras tras la "e" y su signo, hasta el final.
    n.cifras.push_back('e');
    ++i;
    if (i < fin && (texto[i] == '+' || texto[i] == '-')) n.cifras.push_back(texto[i++]);
    const std::size_t primera = i;
    for (; i < fin && texto[i] >= '0' && texto[i] <= '9'; ++i) n.cifras.push_back(texto[i]);
    return i > primera && i == fin;
}

// Orden de magnitud (la potencia de 10 de la primera cifra no nula) de un
// número limpio: dice si uno que no cabe en un doble es enorme o diminuto.
long orden_de_magnitud(const std::string& limpio)
{
    const std::size_t e = limpio.find('e');
    std::string cifras = limpio.substr(0, e);
    long exponente = 0;
    if (e != std::string::npos) {
        const bool negativo = limpio[e + 1] == '-';
        for (std::size_t k = e + 1; k < limpio.size(); ++k)
            if (limpio[k] >= '0' && limpio[k] <= '9' && exponente < 100000) exponente = exponente * 10 + (limpio[k] - '0');
        if (negativo) exponente = -exponente;
    }
    std::size_t punto = cifras.find('.');
    if (punto == std::string::npos)
        punto = cifras.size();
    else
        cifras.erase(punto, 1);
    const std::size_t primera = cifras.find_first_not_of('0');
    if (primera == std::string::npos) return 0;
    return exponente + static_cast<long>(punto) - static_cast<long>(primera) - 1;
}

} // namespace

lectura_campo lee_real_campo(std::string_view texto, const forma_numero& forma, double minimo, double maximo,
                             float& valor)
{
    numero_limpio n;
    if (!limpia(texto, forma, true, n)) return lectura_campo::incorrecto;
    if (n.vacio) return lectura_campo::vacio;
    double d = 0;
    const char* p = n.cifras.data();
    const auto r = std::from_chars(p, p + n.cifras.size(), d, std::chars_format::fixed);
    // Desbordamiento o número tan pequeño que no se distingue de 0.
    if (r.ec != std::errc() || r.ptr != p + n.cifras.size()) return lectura_campo::incorrecto;
    return comprueba_real_campo(n.negativo ? -d : d, minimo, maximo, valor);
}

lectura_campo lee_decimal_campo(std::string_view texto, const forma_numero& forma, double& valor)
{
    numero_limpio n;
    if (!limpia(texto, forma, true, n)) return lectura_campo::incorrecto;
    if (n.vacio) return lectura_campo::vacio;
    double d = 0;
    const char* p = n.cifras.data();
    const char* fin = p + n.cifras.size();
    const auto r = std::from_chars(p, fin, d, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range)
        d = orden_de_magnitud(n.cifras) > 0 ? HUGE_VAL : 0.0;
    else if (r.ec != std::errc() || r.ptr != fin)
        return lectura_campo::incorrecto;
    valor = n.negativo ? -d : d;
    return lectura_campo::valido;
}

lectura_campo comprueba_real_campo(double numero, double minimo, double maximo, float& valor)
{
    float f = static_cast<float>(numero);
    if (!std::isfinite(f)) return lectura_campo::incorrecto;
    if (numero != 0 && !(std::fabs(f) >= FLT_MIN)) return lectura_campo::incorrecto;
    if (f == 0) f = 0;
    if (!(f >= minimo && f <= maximo)) return lectura_campo::fuera_de_margen;
    valor = f;
    return lectura_campo::valido;
}

lectura_campo lee_entero_campo(std::string_view texto, const forma_numero& forma, std::int64_t minimo,
                               std::int64_t maximo, std::int32_t& valor)
{
    numero_limpio n;
    if (!limpia(texto, forma, false, n)) return lectura_campo::incorrecto;
    if (n.vacio) return lectura_campo::vacio;
    // Los ceros de la izquierda no cuentan para el tamaño.
    std::string_view cifras = n.cifras;
    const std::size_t primera = cifras.find_first_not_of('0');
    if (primera == std::string_view::npos) {
        cifras = "0";
    } else {
        cifras.remove_prefix(primera);
        // Más de 18 cifras no caben en ningún margen de 32 bits.
        if (cifras.size() > 18) return lectura_campo::fuera_de_margen;
    }
    std::int64_t v = 0;
    const auto r = std::from_chars(cifras.data(), cifras.data() + cifras.size(), v);
    if (r.ec != std::errc()) return lectura_campo::incorrecto;
    if (n.negativo) v = -v;
    if (v < minimo || v > maximo || v < INT32_MIN || v > INT32_MAX) return lectura_campo::fuera_de_margen;
    valor = static_cast<std::int32_t>(v);
    return lectura_campo::valido;
}
