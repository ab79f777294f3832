// Escritura de un fichero entero sin perder nunca el que ya había.
//
// Lo nuevo se escribe en un fichero aparte del mismo directorio, se vuelca
// al disco y sólo entonces ocupa el nombre del fichero pedido. Si algo falla
// (disco lleno, límite de tamaño, error de E/S), el fichero aparte se borra y
// el que había queda como estaba, byte a byte. El nuevo toma los permisos del
// anterior y, donde quien escribe puede ponerlos, su dueño y su grupo (si no
// puede, no es un fallo: queda con los suyos).
//
// Un enlace simbólico se sigue, de enlace en enlace, hasta el fichero al que
// lleva, aunque éste aún no exista (se crea; el enlace sigue siendo enlace).
// Un bucle de enlaces o una cadena de más de 40 no se escribe.
//
// Escritura en el sitio: cuando el fichero aparte no se puede crear en el
// directorio (un directorio sin permiso de escritura, por ejemplo) o no puede
// ocupar el nombre (un directorio con el bit pegajoso donde el fichero es de
// otro), pero el fichero pedido existe y se puede leer y escribir, se
// escribe en él mismo: sus bytes anteriores se guardan en memoria y, si la
// escritura falla, se vuelven a escribir. Así el fichero conserva su dueño,
// sus permisos y sus enlaces duros; si también falla esa vuelta atrás (el
// disco desaparece, por ejemplo), el fichero puede quedar dañado.
//
// Un fichero con más de un nombre (enlaces duros) se escribe siempre así, en
// el sitio: el fichero aparte, al ocupar un nombre, lo separaría de los
// otros, que se quedarían con los bytes anteriores. En el sitio, todos sus
// nombres leen lo nuevo y, si la escritura falla, la vuelta atrás deja los
// bytes anteriores en todos. Quien lo lea mientras se escribe puede ver una
// parte nueva y otra vieja.
//
// Un nombre que no es un fichero normal (un dispositivo como /dev/null, una
// tubería con nombre, un socket) no se puede sustituir: se abre sin esperar
// y se escribe en él directamente. Una tubería sin nadie que lea o que no
// admite ahora todo lo escrito es un fallo inmediato, nunca una espera, y
// una cuyo lector se va es un fallo, no el fin del programa (SIGPIPE).
//
// Usa las llamadas POSIX (mkstemp, fsync, rename): la biblioteca estándar no
// sabe volcar un fichero al disco.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

enum class resultado_escritura {
    bien,
    no_creado,   // no existía y no se pudo crear (directorio inexistente o sin permiso)
    no_abierto,  // existe, pero no se puede abrir para escribir (sin permiso, tubería
                 // sin lector, directorio, bucle de enlaces): nada cambió
    no_escrito,  // se abrió, pero escribirlo o volcarlo falló: nada cambió
};

// Escribe 'ruta' con lo que 'escribe' pone en el flujo que recibe ("wb").
// 'escribe' devuelve falso si algo suyo falló.
resultado_escritura escribe_atomico(const std::string& ruta, const std::function<bool(std::FILE*)>& escribe);
