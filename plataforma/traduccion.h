// Traducción al español de lo que Qt pone de suyo en los diálogos estándar
// (abrir, guardar, imprimir, configurar página) y en sus botones.
#pragma once

#include <QString>

// Carga la traducción de Qt al español que haya en 'directorio' (qt_es.qm,
// o qtbase_es.qm) y la instala en la aplicación. Falso si no hay ninguna:
// el programa sigue con los diálogos en inglés.
bool carga_traduccion_qt(const QString& directorio);
