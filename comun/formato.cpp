#include "comun/formato.h"
#include "comun/formato_diferido.h"

#include <cstdio>
#include <limits>

std::string formatea_va(std::size_t capacidad, const char* formato, va_list args)
{
    va_list copia;
    va_copy(copia, args);
    int n = std::vsnprintf(nullptr, 0, formato, copia);
    va_end(copia);
    if (n < 0) return std::string();
    std::string texto(static_cast<std::size_t>(n) + 1, '\0');
    std::vsnprintf(texto.data(), texto.size(), formato, args);
    texto.resize(static_cast<std::size_t>(n));
    if (capacidad > 0 && texto.size() > capacidad - 1) texto.resize(capacidad - 1);
    return texto;
}

std::string formatea(const char* formato, ...)
{
    va_list args;
    va_start(args, formato);
    std::string texto = formatea_va(std::numeric_limits<std::size_t>::max(), formato, args);
    va_end(args);
    return texto;
}

std::string formatea_n(std::size_t capacidad, const char* formato, ...)
{
    va_list args;
    va_start(args, formato);
    std::string texto = formatea_va(capacidad, formato, args);
    va_end(args);
    return texto;
}

int formato_diferido::escribe_c(char* destino, std::size_t capacidad, const char* formato, ...)
{
    va_list args;
    va_start(args, formato);
    const int n = std::vsnprintf(destino, capacidad, formato, args);
    va_end(args);
    return n;
}
