#include "plataforma/fuente_symbol.h"

#include "comun/symbol.h"

#include <QFont>
#include <QFontDatabase>
#include <QRawFont>
#include <QStringList>

#include <algorithm>
#include <map>

namespace fuente_symbol {

namespace {

void pon16(std::string& s, unsigned v)
{
    s.push_back(static_cast<char>((v >> 8) & 0xFF));
    s.push_back(static_cast<char>(v & 0xFF));
}

void pon32(std::string& s, std::uint32_t v)
{
    pon16(s, v >> 16);
    pon16(s, v & 0xFFFF);
}

void escribe32(std::string& s, std::size_t donde, std::uint32_t v)
{
    for (int k = 0; k < 4; ++k) s[donde + static_cast<std::size_t>(k)] = static_cast<char>((v >> (24 - 8 * k)) & 0xFF);
}

// Suma de comprobación de una tabla: sus palabras de 32 bits, con la cola
// rellena de ceros.
std::uint32_t suma(const std::string& datos)
{
    std::uint32_t s = 0;
    for (std::size_t i = 0; i < datos.size(); i += 4) {
        std::uint32_t palabra = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const unsigned char b = i + k < datos.size() ? static_cast<unsigned char>(datos[i + k]) : 0;
            palabra = (palabra << 8) | b;
        }
        s += palabra;
    }
    return s;
}

// Para las búsquedas binarias de las cabeceras: la mayor potencia de 2 que
// no pasa de n, y su logaritmo.
void potencia(unsigned n, unsigned& pot, unsigned& log)
{
    pot = 1;
    log = 0;
    while (pot * 2 <= n) {
        pot *= 2;
        ++log;
    }
}

} // namespace

QString familia_unicode() { return QStringLiteral("Standard Symbols PS Unicode"); }

std::string tabla_cmap(const std::vector<std::pair<char16_t, std::uint16_t>>& caracteres)
{
    // Tramos de caracteres seguidos cuyos glifos también van seguidos (una
    // sola diferencia carácter-glifo por tramo); el último, 0xFFFF, lo pide
    // el formato.
    struct tramo {
        unsigned inicio, fin, delta;
    };
    std::vector<tramo> tramos;
    for (const auto& [c, g] : caracteres) {
        if (c == 0xFFFF) continue;
        const unsigned delta = (static_cast<unsigned>(g) - c) & 0xFFFF;
        if (!tramos.empty() && tramos.back().fin + 1 == c && tramos.back().delta == delta) tramos.back().fin = c;
        else tramos.push_back({c, c, delta});
    }
    tramos.push_back({0xFFFF, 0xFFFF, 1});
    const auto n = static_cast<unsigned>(tramos.size());
    unsigned pot, log;
    potencia(n, pot, log);
    std::string sub;
    pon16(sub, 4);                 // formato
    pon16(sub, 16 + 8 * n);        // longitud
    pon16(sub, 0);                 // idioma
    pon16(sub, 2 * n);
    pon16(sub, 2 * pot);
    pon16(sub, log);
    pon16(sub, 2 * n - 2 * pot);
    for (const tramo& t : tramos) pon16(sub, t.fin);
    pon16(sub, 0);
    for (const tramo& t : tramos) pon16(sub, t.inicio);
    for (const tramo& t : tramos) pon16(sub, t.delta);
    for (std::size_t k = 0; k < tramos.size(); ++k) pon16(sub, 0);  // sin tabla de glifos aparte
    std::string r;
    pon16(r, 0);    // versión
    pon16(r, 1);    // una subtabla
    pon16(r, 3);    // Windows
    pon16(r, 1);    // Unicode BMP
    pon32(r, 12);
    return r + sub;
}

std::string tabla_name(const std::u16string& familia, const std::u16string& nombre_postscript)
{
    const std::u16string estilo = u"Regular";
    // Identificador, familia, estilo, único, completo y PostScript, en orden.
    const std::vector<std::pair<unsigned, std::u16string>> nombres = {
        {1, familia}, {2, estilo}, {3, familia}, {4, familia}, {6, nombre_postscript}};
    std::string registros, cadenas;
    for (const auto& [id, texto] : nombres) {
        pon16(registros, 3);        // Windows
        pon16(registros, 1);        // Unicode BMP
        pon16(registros, 0x409);    // inglés de EE. UU.
        pon16(registros, id);
        pon16(registros, static_cast<unsigned>(2 * texto.size()));
        pon16(registros, static_cast<unsigned>(cadenas.size()));
        for (char16_t c : texto) pon16(cadenas, c);
    }
    std::string r;
    pon16(r, 0);
    pon16(r, static_cast<unsigned>(nombres.size()));
    pon16(r, static_cast<unsigned>(6 + registros.size()));
    return r + registros + cadenas;
}

std::string compone_sfnt(std::vector<std::pair<std::string, std::string>> tablas)
{
    std::sort(tablas.begin(), tablas.end());
    const bool cff = std::any_of(tablas.begin(), tablas.end(), [](const auto& t) { return t.first == "CFF "; });
    const auto n = static_cast<unsigned>(tablas.size());
    unsigned pot, log;
    potencia(n, pot, log);
    std::string r;
    pon32(r, cff ? 0x4F54544Fu : 0x00010000u);  // "OTTO" o TrueType
    pon16(r, n);
    pon16(r, 16 * pot);
    pon16(r, log);
    pon16(r, 16 * n - 16 * pot);
    std::size_t ajuste = std::string::npos;  // checkSumAdjustment de 'head'
    std::size_t desplazamiento = 12 + 16 * static_cast<std::size_t>(n);
    std::string cuerpo;
    for (auto& [etiqueta, datos] : tablas) {
        if (etiqueta == "head" && datos.size() >= 12) {
            escribe32(datos, 8, 0);
            ajuste = desplazamiento + 8;
        }
        r.append(etiqueta, 0, 4);
        pon32(r, suma(datos));
        pon32(r, static_cast<std::uint32_t>(desplazamiento));
        pon32(r, static_cast<std::uint32_t>(datos.size()));
        cuerpo += datos;
        cuerpo.append((4 - datos.size() % 4) % 4, '\0');
        desplazamiento = 12 + 16 * static_cast<std::size_t>(n) + cuerpo.size();
    }
    r += cuerpo;
    if (ajuste != std::string::npos) escribe32(r, ajuste, 0xB1B0AFBAu - suma(r));
    return r;
}

QString registra(const QString& familia_symbol)
{
    QFont f(familia_symbol);
    f.setPixelSize(64);
    const QRawFont original = QRawFont::fromFont(f);
    if (!original.isValid() || !original.familyName().startsWith(familia_symbol, Qt::CaseInsensitive)) return {};
    // Todas las tablas de la fuente menos 'cmap' y 'name', que se rehacen.
    std::vector<std::pair<std::string, std::string>> tablas;
    for (const char* etiqueta : {"BASE", "CFF ", "GDEF", "GPOS", "GSUB", "OS/2", "PCLT", "VORG", "cvt ", "fpgm",
                                 "gasp", "glyf", "hdmx", "head", "hhea", "hmtx", "kern", "loca", "maxp", "post",
                                 "prep", "vhea", "vmtx"}) {
        const QByteArray datos = original.fontTable(etiqueta);
        if (!datos.isEmpty()) tablas.emplace_back(etiqueta, datos.toStdString());
    }
    auto tiene = [&](const char* etiqueta) {
        return std::any_of(tablas.begin(), tablas.end(), [&](const auto& t) { return t.first == etiqueta; });
    };
    if (!tiene("head") || !tiene("hhea") || !tiene("hmtx") || !tiene("maxp") || !(tiene("CFF ") || tiene("glyf")))
        return {};
    // El glifo que hoy dibuja cada código de Symbol, en su carácter Unicode;
    // si dos códigos dan el mismo carácter, vale el primero.
    std::map<char16_t, std::uint16_t> caracteres;
    for (unsigned codigo = 0x20; codigo <= 0xFF; ++codigo) {
        const char32_t u = unicode_de_symbol(static_cast<unsigned char>(codigo));
        if (u > 0xFFFE || (u == 0x20 && codigo != 0x20)) continue;
        const QList<quint32> glifos = original.glyphIndexesForString(QString(QChar(static_cast<char16_t>(codigo))));
        if (glifos.size() != 1 || glifos[0] == 0 || glifos[0] > 0xFFFF) continue;
        caracteres.emplace(static_cast<char16_t>(u), static_cast<std::uint16_t>(glifos[0]));
    }
    if (caracteres.empty()) return {};
    tablas.emplace_back("cmap", tabla_cmap({caracteres.begin(), caracteres.end()}));
    tablas.emplace_back("name", tabla_name(familia_unicode().toStdU16String(), u"StandardSymbolsPS-Unicode"));
    const int id = QFontDatabase::addApplicationFontFromData(QByteArray::fromStdString(compone_sfnt(std::move(tablas))));
    if (id < 0) return {};
    return QFontDatabase::applicationFontFamilies(id).value(0);
}

} // namespace fuente_symbol
