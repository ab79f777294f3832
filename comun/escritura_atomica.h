// Escritura de un fichero entero sin perder nunca el que ya había.
//
// Lo nuevo se escribe en un fichero aparte del mismo directorio, se vuelca
// al disco y sólo entonces ocupa el nombre del fichero pedido. Si algo falla
// (disco lleno, límite de tamaño, error de E/S), el fichero aparte se borra y
// el que había queda como estaba, byte a byte.
//
// Usa las llamadas POSIX (mkstemp, fsync, rename): la biblioteca estándar no
// sabe volcar un fichero al disco.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

enum class resultado_escritura {
    bien,
    no_creado,   // no se pudo crear el fichero (directorio inexistente o sin permiso)
    no_escrito,  // se creó, pero escribirlo o volcarlo falló: nada cambió
};

// Escribe 'ruta' con lo que 'escribe' pone en el flujo que recibe ("wb").
// 'escribe' devuelve falso si algo suyo falló. Un nombre que no es un fichero
// normal (un dispositivo como /dev/null) no se puede sustituir: se escribe
// directamente en él.
resultado_escritura escribe_atomico(const std::string& ruta, const std::function<bool(std::FILE*)>& escribe);
