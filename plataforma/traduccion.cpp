#include "plataforma/traduccion.h"

#include <QCoreApplication>
#include <QTranslator>

bool carga_traduccion_qt(const QString& directorio)
{
    auto* traduccion = new QTranslator(QCoreApplication::instance());
    // qt_es.qm reúne las traducciones de los módulos; qtbase_es.qm basta
    // para los diálogos si sólo está ésa.
    if (traduccion->load(QStringLiteral("qt_es"), directorio) || traduccion->load(QStringLiteral("qtbase_es"), directorio)) {
        QCoreApplication::installTranslator(traduccion);
        return true;
    }
    delete traduccion;
    return false;
}
