#include "plataforma/fuentes.h"
#include "plataforma/fuente_symbol.h"

#include "comun/symbol.h"

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

// La copia Unicode de Standard Symbols PS, registrada la primera vez que se
// pide; vacío si no se pudo hacer.
const QString& familia_symbol_unicode()
{
    static const QString f = familia_instalada(QStringLiteral("Standard Symbols PS"))
                                 ? fuente_symbol::registra(QStringLiteral("Standard Symbols PS"))
                                 : QString();
    return f;
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
    static const QString f = symbol_nativa() ? familia_symbol_unicode() : times();
    return f;
}

bool symbol_nativa() { return !familia_symbol_unicode().isEmpty(); }

QString texto_symbol(unsigned char codigo)
{
    const char32_t u = unicode_de_symbol(codigo);
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
