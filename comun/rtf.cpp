#include "comun/rtf.h"
#include "comun/symbol.h"

#include <cstdio>

namespace {

const char* const CABECERA_RTF =
    "{\\rtf1\\ansi \\deff0\n"
    "{\\fonttbl\n"
    "  {\\f0\\froman Times New Roman;}\n"
    "  {\\f1\\fmodern Courier New;}\n"
    "  {\\f2\\fmodern Symbol;}\n"
    "}\n"
    "{\\colortbl\\red0\\green0\\blue0;}\n";

// Lee una línea entera, de cualquier longitud, sin su "\n". Falso al final
// del fichero sin nada leído o si falla la lectura.
bool lee_linea(std::FILE* f, std::string& linea)
{
    linea.clear();
    int c;
    bool algo = false;
    while ((c = std::fgetc(f)) != EOF) {
        algo = true;
        if (c == '\n') return true;
        linea.push_back(static_cast<char>(c));
    }
    return algo && !std::ferror(f);
}

// Un carácter de la fuente Symbol: su carácter Unicode y, para los lectores
// que no conocen "\u", el byte de Symbol de reserva ("\u9474\'bd" para la
// barra de columna). El número de "\u" es un entero de 16 bits con signo.
void escribe_symbol(std::string& salida, unsigned char c)
{
    long u = static_cast<long>(unicode_de_symbol(c));
    if (u > 32767) u -= 65536;
    char trozo[24];
    std::snprintf(trozo, sizeof trozo, "\\u%ld\\'%02x", u, static_cast<unsigned>(c));
    salida += trozo;
}

} // namespace

std::string parrafo_rtf(std::string_view linea)
{
    if (linea == "<NP>") linea = {};
    std::string salida = "{\\plain\\f1\\fs12\\sl-180 ";
    int abiertos = 0;
    bool symbol = false;
    auto cierra = [&] {
        salida.append(static_cast<std::size_t>(abiertos), '}');
        abiertos = 0;
    };
    for (std::size_t i = 0; i < linea.size(); ++i) {
        const char c = linea[i];
        if (c == '`') {
            // Una comilla invertida al final de la línea no marca nada.
            if (i + 1 >= linea.size()) break;
            const char letra = linea[++i];
            salida += '{';
            if (letra == 'D') salida += "\\sub ";
            else if (letra == 'I') salida += "\\i ";
            else if (letra == 'S') {
                salida += "\\f2";  // sin blanco: detrás va "\u" o "{"
                symbol = true;
            }
            ++abiertos;
            continue;
        }
        if (symbol) {
            escribe_symbol(salida, static_cast<unsigned char>(c));
            symbol = false;
        } else {
            if (c == '\\' || c == '{' || c == '}') salida += '\\';
            salida += c;
        }
        cierra();
    }
    // Los grupos de una marca sin carácter detrás se cierran en su línea.
    cierra();
    salida += "\\par}";
    return salida;
}

std::string texto_utf8_resultados(const std::string& ruta_temporal)
{
    std::FILE* temporal = std::fopen(ruta_temporal.c_str(), "r");
    if (!temporal) return {};
    std::string linea, texto;
    while (lee_linea(temporal, linea)) {
        if (linea == "<NP>") linea.clear();
        texto += texto_utf8_de_marcado(linea);
        texto += '\n';
    }
    std::fclose(temporal);
    return texto;
}

int escribe_rtf(const std::string& ruta_temporal, const std::string& ruta_rtf)
{
    std::FILE* temporal = std::fopen(ruta_temporal.c_str(), "r");
    if (!temporal) return 0;
    std::FILE* rtf = std::fopen(ruta_rtf.c_str(), "w");
    if (!rtf) {
        std::fclose(temporal);
        return 0;
    }
    std::fputs(CABECERA_RTF, rtf);
    std::string linea;
    while (lee_linea(temporal, linea)) {
        std::string parrafo = parrafo_rtf(linea);
        std::fwrite(parrafo.data(), 1, parrafo.size(), rtf);
        std::fputc('\n', rtf);
    }
    std::fputs("}\n", rtf);
    const bool lectura_bien = !std::ferror(temporal);
    std::fclose(temporal);
    const bool escritura_bien = !std::ferror(rtf);
    const bool cerrado = std::fclose(rtf) == 0;
    return lectura_bien && escritura_bien && cerrado ? 1 : 0;
}
