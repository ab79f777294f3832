// Traza del motor de BRUMALIX y rutinas de texto de las tablas.
#pragma once

#include "comun/formato_diferido.h"
#include "comun/lineas.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

// Lista de traza (la ventana de traza); por omisión una lista en memoria.
lista_lineas& lista_traza();
void pon_lista_traza(lista_lineas* lista);
// Lista que no guarda nada: con ella la traza está apagada.
lista_lineas& traza_descartada();
// Falso cuando nadie guarda la traza: lo que sólo sirve para escribirla se
// puede saltar.
inline bool traza_activa();

// Añade a la lista de traza la línea printf(formato, valores...), cortada a
// 999 caracteres. La lista guarda una copia de los valores (y de las
// cadenas) y escribe la línea cuando alguien la lee; con la traza apagada
// no se hace nada.
template <class... A>
void escribe_traza(formato_printf<std::decay_t<A>...> formato, A... valores);

// Texto desde su primer carácter que no es un blanco.
const char* salta_blancos(const char* texto);
// Copia el texto sobre la línea a partir de la columna (desde 0), sin su
// terminador; la línea se alarga con blancos si no llega.
std::string& copia_en_columna(std::string& linea, std::size_t columna, std::string_view texto);
// Quita los blancos de delante y de detrás; devuelve la nueva longitud.
std::size_t recorta_blancos(std::string& texto);

// Lo que sigue lo mantiene pon_lista_traza; no se cambia desde fuera.
namespace traza_detalle {
extern lista_lineas* destino;
extern bool activa;
} // namespace traza_detalle

inline bool traza_activa() { return traza_detalle::activa; }

template <class... A>
void escribe_traza(formato_printf<std::decay_t<A>...> formato, A... valores)
{
    if (traza_detalle::activa) anota_printf<1000>(*traza_detalle::destino, formato.texto, valores...);
}
