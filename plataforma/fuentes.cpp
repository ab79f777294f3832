#include "fuentes.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace fuentes {

namespace {

bool familia_instalada(const QString& familia)
{
    // Las familias pueden venir con su fundición: "Standard Symbols PS [URW ]".
    for (QString f : QFontDatabase::families()) {
        qsizetype corchete = f.indexOf(QLatin1String(" ["));
        if (corchete >= 0) f.truncate(corchete);
        if (f.compare(familia, Qt::CaseInsensitive) == 0) return true;
    }
    return false;
}

QString primera_instalada(std::initializer_list<const char*> familias)
{
    for (const char* f : familias)
        if (familia_instalada(QString::fromLatin1(f))) return QString::fromLatin1(f);
    return QString::fromLatin1(*familias.begin());
}

} // namespace

QString courier()
{
    static const QString f = primera_instalada({"Liberation Mono", "Courier New", "DejaVu Sans Mono"});
    return f;
}

QString times()
{
    static const QString f = primera_instalada({"Liberation Serif", "Times New Roman", "DejaVu Serif"});
    return f;
}

QString arial()
{
    static const QString f = primera_instalada({"Liberation Sans", "Arial", "DejaVu Sans"});
    return f;
}

QString symbol()
{
    static const QString f = symbol_nativa() ? QStringLiteral("Standard Symbols PS") : times();
    return f;
}

bool symbol_nativa()
{
    static const bool hay = familia_instalada(QStringLiteral("Standard Symbols PS"));
    return hay;
}

char32_t unicode_de_symbol(unsigned char c)
{
    // Codificación de la fuente Symbol.
    static const char32_t mayusculas[26] = {0x391, 0x392, 0x3A7, 0x394, 0x395, 0x3A6, 0x393, 0x397, 0x399,
                                            0x3D1, 0x39A, 0x39B, 0x39C, 0x39D, 0x39F, 0x3A0, 0x398, 0x3A1,
                                            0x3A3, 0x3A4, 0x3A5, 0x3C2, 0x3A9, 0x39E, 0x3A8, 0x396};
    static const char32_t minusculas[26] = {0x3B1, 0x3B2, 0x3C7, 0x3B4, 0x3B5, 0x3C6, 0x3B3, 0x3B7, 0x3B9,
                                            0x3D5, 0x3BA, 0x3BB, 0x3BC, 0x3BD, 0x3BF, 0x3C0, 0x3B8, 0x3C1,
                                            0x3C3, 0x3C4, 0x3C5, 0x3D6, 0x3C9, 0x3BE, 0x3C8, 0x3B6};
    static const char32_t altos[96] = {
        0x20AC, 0x3D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194, 0x2190,
        0x2191, 0x2192, 0x2193, 0xB0, 0xB1, 0x2033, 0x2265, 0xD7, 0x221D, 0x2202, 0x2022, 0xF7, 0x2260,
        0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5, 0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295,
        0x2205, 0x2229, 0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209, 0x2220, 0x2207,
        0xAE, 0xA9, 0x2122, 0x220F, 0x221A, 0x22C5, 0xAC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2,
        0x21D3, 0x25CA, 0x2329, 0xAE, 0xA9, 0x2122, 0x2211, 0x239B, 0x239C, 0x239D, 0x23A1, 0x23A2, 0x23A3,
        0x23A7, 0x23A8, 0x23A9, 0x23AA, 0x20, 0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F,
        0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD, 0x20};
    if (c >= 'A' && c <= 'Z') return mayusculas[c - 'A'];
    if (c >= 'a' && c <= 'z') return minusculas[c - 'a'];
    if (c >= 0xA0) return altos[c - 0xA0];
    switch (c) {
    case 0x22: return 0x2200;
    case 0x24: return 0x2203;
    case 0x27: return 0x220B;
    case 0x2A: return 0x2217;
    case 0x2D: return 0x2212;
    case 0x40: return 0x2245;
    case 0x5C: return 0x2234;
    case 0x5E: return 0x22A5;
    case 0x60: return 0x203E;
    case 0x7E: return 0x223C;
    default: return c;
    }
}

QString texto_symbol(unsigned char codigo)
{
    if (symbol_nativa()) return QString(QChar(codigo));
    char32_t u = unicode_de_symbol(codigo);
    return QString::fromUcs4(&u, 1);
}

QFont fuente(const QString& nombre_windows, int pixeles, bool negrita, bool cursiva)
{
    QString familia = nombre_windows;
    if (nombre_windows == QLatin1String("Courier New")) familia = courier();
    else if (nombre_windows == QLatin1String("Times New Roman")) familia = times();
    else if (nombre_windows == QLatin1String("Arial") || nombre_windows == QLatin1String("MS Sans Serif"))
        familia = arial();
    else if (nombre_windows == QLatin1String("Symbol")) familia = symbol();
    QFont f(familia);
    f.setPixelSize(pixeles);
    f.setBold(negrita);
    f.setItalic(cursiva);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

} // namespace fuentes
