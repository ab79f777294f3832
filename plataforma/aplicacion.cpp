#include "plataforma/aplicacion.h"
#include "plataforma/fuentes.h"
#include "plataforma/mensajes_qt.h"
#include "plataforma/traduccion.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QPalette>
#include <QStyleFactory>

#include <clocale>

namespace {
std::string directorio_forzado;
sumidero_ventanas sumidero_de_ventanas;
} // namespace

int pixeles_ventana() { return 11; }

void prepara_aplicacion(QApplication& app)
{
    // QApplication toma la configuración regional del entorno; "%g" y la
    // conversión de los números tecleados deben usar siempre el punto.
    std::setlocale(LC_NUMERIC, "C");
    pon_sumidero_mensajes(&sumidero_de_ventanas);
    // Los diálogos estándar, en español; sin la traducción, en inglés.
    carga_traduccion_qt(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setFont(fuentes::fuente(QStringLiteral("MS Sans Serif"), pixeles_ventana()));
    QPalette p = app.palette();
    p.setColor(QPalette::Window, QColor(0xD4, 0xD0, 0xC8));
    p.setColor(QPalette::Button, QColor(0xD4, 0xD0, 0xC8));
    app.setPalette(p);
}

std::string directorio_programa()
{
    if (!directorio_forzado.empty()) return directorio_forzado;
    return QCoreApplication::applicationDirPath().toStdString() + "/";
}

void pon_directorio_programa(const std::string& directorio) { directorio_forzado = directorio; }
