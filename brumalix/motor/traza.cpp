#include "brumalix/motor/traza.h"

namespace {

lineas_memoria traza_propia;

class lineas_descartadas final : public lista_lineas {
public:
    void agrega(std::string_view) override {}
    void agrega_diferida(forma_linea, std::size_t, copia_datos, const void*) override {}
    void borra() override {}
    std::size_t numero() const override { return 0; }
    std::string linea(std::size_t) const override { return {}; }
};
lineas_descartadas descarte;

} // namespace

namespace traza_detalle {
lista_lineas* destino = &traza_propia;
bool activa = true;
} // namespace traza_detalle

lista_lineas& lista_traza() { return *traza_detalle::destino; }
lista_lineas& traza_descartada() { return descarte; }

void pon_lista_traza(lista_lineas* lista)
{
    traza_detalle::destino = lista ? lista : &traza_propia;
    traza_detalle::activa = traza_detalle::destino != &descarte;
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
