#include "comun/mensajes.h"
#include "comun/formato.h"

#include <cstdarg>
#include <cstdio>

namespace {

class sumidero_consola : public sumidero_mensajes {
public:
    void error(const std::string& texto) override { std::fprintf(stderr, "ERROR: %s\n", texto.c_str()); }
    void aviso(const std::string& texto) override { std::fprintf(stderr, "AVISO: %s\n", texto.c_str()); }
    respuesta pregunta(const std::string& titulo, const std::string& texto, bool con_cancelar) override
    {
        std::fprintf(stderr, "%s: %s\n", titulo.c_str(), texto.c_str());
        return con_cancelar ? respuesta::cancelar : respuesta::no;
    }
};

sumidero_consola consola;
sumidero_mensajes* actual = &consola;

constexpr std::size_t largo_mensaje = 200;

void muestra(void (sumidero_mensajes::*caja)(const std::string&), const char* formato, va_list args)
{
    (actual->*caja)(formatea_va(largo_mensaje, formato, args));
}

} // namespace

sumidero_mensajes* pon_sumidero_mensajes(sumidero_mensajes* s)
{
    sumidero_mensajes* anterior = actual;
    actual = s ? s : &consola;
    return anterior;
}

sumidero_mensajes& sumidero() { return *actual; }

void muestra_error(const char* formato, ...)
{
    va_list args;
    va_start(args, formato);
    muestra(&sumidero_mensajes::error, formato, args);
    va_end(args);
}

void muestra_aviso(const char* formato, ...)
{
    va_list args;
    va_start(args, formato);
    muestra(&sumidero_mensajes::aviso, formato, args);
    va_end(args);
}
