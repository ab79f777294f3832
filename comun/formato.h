// Formato al estilo printf sobre std::string, sin desbordes posibles.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>

// Formatea sin límite de longitud.
std::string formatea(const char* formato, ...) __attribute__((format(printf, 1, 2)));
// Formatea como en un espacio de 'capacidad' bytes: el resultado tiene como
// mucho capacidad - 1 caracteres.
std::string formatea_n(std::size_t capacidad, const char* formato, ...)
    __attribute__((format(printf, 2, 3)));
std::string formatea_va(std::size_t capacidad, const char* formato, va_list args);
