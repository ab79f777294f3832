#include "traza.h"

#include "comun/formato.h"
#include "comun/lineas.h"

#include <cstdarg>

namespace {
lineas_memoria traza_propia;
lista_lineas* traza_actual = &traza_propia;
} // namespace

lista_lineas& lista_traza() { return *traza_actual; }
void pon_lista_traza(lista_lineas* lista) { traza_actual = lista ? lista : &traza_propia; }

void escribe_traza(const char* formato, ...)
{
    va_list args;
    va_start(args, formato);
    std::string linea = formatea_va(1000, formato, args);
    va_end(args);
    traza_actual->agrega(linea);
}

const char* salta_blancos(const char* texto)
{
    while (*texto == ' ') ++texto;
    return texto;
}

std::string& copia_en_columna(std::string& linea, std::size_t columna, std::string_view texto)
{
    if (linea.size() < columna + texto.size()) linea.resize(columna + texto.size(), ' ');
    linea.replace(columna, texto.size(), texto);
    return linea;
}

std::size_t recorta_blancos(std::string& texto)
{
    std::size_t inicio = texto.find_first_not_of(' ');
    if (inicio == std::string::npos) {
        texto.clear();
        return 0;
    }
    std::size_t fin = texto.find_last_not_of(' ');
    texto = texto.substr(inicio, fin - inicio + 1);
    return texto.size();
}
