// Servicio de ayuda: abre el fichero de ayuda del programa (HTML en español)
// en una ventana propia, en el contexto pedido.
#pragma once

#include <functional>
#include <string>

// Abre la ayuda de 'ruta' en el ancla 'contexto'. Si el fichero falta, lo
// dice el propio servicio en una caja de aviso.
void muestra_ayuda(const std::string& ruta, const std::string& contexto);
// Sustituye el servicio (las pruebas anotan las peticiones); nulo vuelve al
// de las ventanas.
void pon_servicio_ayuda(std::function<void(const std::string&, const std::string&)> servicio);
