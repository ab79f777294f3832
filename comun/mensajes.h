// Mensajes al usuario: la caja "ERROR" y las preguntas del programa.
//
// Los motores y las ventanas informan a través de un único sumidero
// sustituible. Las ventanas instalan el que muestra cajas modales; las
// pruebas instalan uno que guarda los textos y responde sin bloquear.
// Todos los textos van en Windows-1252.
#pragma once

#include <string>

enum class respuesta { si, no, cancelar, aceptar };

class sumidero_mensajes {
public:
    virtual ~sumidero_mensajes() = default;
    // Caja con título "ERROR" e icono de parada.
    virtual void error(const std::string& texto) = 0;
    // Caja con título "ERROR" e icono de información.
    virtual void aviso(const std::string& texto) = 0;
    // Pregunta con botones Sí, No y Cancelar (o sólo Sí y No si no hay
    // cancelación).
    virtual respuesta pregunta(const std::string& titulo, const std::string& texto,
                               bool con_cancelar) = 0;
};

// Instala el sumidero (nullptr vuelve al de omisión, que escribe en stderr
// y responde "Cancelar"). Devuelve el anterior.
sumidero_mensajes* pon_sumidero_mensajes(sumidero_mensajes* s);
sumidero_mensajes& sumidero();

// Formatea al estilo printf en un espacio de 200 bytes (el texto más largo
// se corta) y lo muestra en la caja "ERROR".
void muestra_error(const char* formato, ...) __attribute__((format(printf, 1, 2)));
// Lo mismo con el icono de información.
void muestra_aviso(const char* formato, ...) __attribute__((format(printf, 1, 2)));
