#include "comun/lineas.h"

#include <algorithm>
#include <cstring>

unsigned char* lista_lineas::reserva_diferida(forma_linea, std::size_t) { return nullptr; }

void lista_lineas::agrega_diferida(forma_linea forma, std::size_t largo, copia_datos copia, const void* contexto)
{
    if (unsigned char* sitio = reserva_diferida(forma, largo)) {
        copia(sitio, contexto);
        return;
    }
    unsigned char pila[512];
    std::unique_ptr<unsigned char[]> monton;
    unsigned char* datos = pila;
    if (largo > sizeof pila) {
        monton = std::make_unique_for_overwrite<unsigned char[]>(largo);
        datos = monton.get();
    }
    copia(datos, contexto);
    std::string texto;
    forma(datos, texto);
    agrega(texto);
}

namespace {

constexpr std::size_t BYTES_BLOQUE = 64 * 1024;
// Como mucho 4 MB de bloques libres guardados.
constexpr std::size_t MAXIMO_LIBRES = 64;

// Una línea que llegó escrita: su largo y sus caracteres.
void forma_texto(const unsigned char* datos, std::string& texto)
{
    std::size_t largo;
    std::memcpy(&largo, datos, sizeof largo);
    texto.assign(reinterpret_cast<const char*>(datos + sizeof largo), largo);
}

} // namespace

lineas_diferidas::bloque* lineas_diferidas::bloque_nuevo(std::size_t largo)
{
    if (largo <= BYTES_BLOQUE && !libres_.empty()) {
        bloques_.push_back(std::move(libres_.back()));
        libres_.pop_back();
    } else {
        bloque b;
        b.capacidad = std::max(largo, BYTES_BLOQUE);
        b.datos = std::make_unique_for_overwrite<unsigned char[]>(b.capacidad);
        bloques_.push_back(std::move(b));
    }
    // Añadir al final de un deque no mueve los bloques que ya tiene.
    actual_ = &bloques_.back();
    return actual_;
}

void lineas_diferidas::agrega(std::string_view linea)
{
    const forma_linea forma = forma_texto;
    const std::size_t largo = linea.size();
    unsigned char* p = reserva(sizeof forma + sizeof largo + largo);
    std::memcpy(p, &forma, sizeof forma);
    std::memcpy(p + sizeof forma, &largo, sizeof largo);
    if (largo) std::memcpy(p + sizeof forma + sizeof largo, linea.data(), largo);
}

void lineas_diferidas::suelta(bloque&& b)
{
    if (b.capacidad != BYTES_BLOQUE || libres_.size() >= MAXIMO_LIBRES) return;
    b.usado = 0;
    b.lineas = 0;
    libres_.push_back(std::move(b));
}

void lineas_diferidas::borra()
{
    lineas_.clear();
    for (bloque& b : bloques_) suelta(std::move(b));
    bloques_.clear();
    actual_ = nullptr;
}

std::string lineas_diferidas::linea(std::size_t i) const
{
    std::string texto;
    if (i >= lineas_.size()) return texto;
    forma_linea forma;
    std::memcpy(&forma, lineas_[i], sizeof forma);
    forma(lineas_[i] + sizeof forma, texto);
    return texto;
}

void lineas_diferidas::quita_primeras(std::size_t n)
{
    n = std::min(n, lineas_.size());
    lineas_.erase(lineas_.begin(), lineas_.begin() + static_cast<std::ptrdiff_t>(n));
    // Las líneas quitadas son las primeras de los primeros bloques: se
    // descuentan por orden y se suelta cada bloque que queda sin ninguna.
    while (n > 0 && !bloques_.empty()) {
        bloque& b = bloques_.front();
        const std::size_t k = std::min(n, b.lineas);
        b.lineas -= k;
        n -= k;
        if (b.lineas == 0) {
            suelta(std::move(b));
            bloques_.pop_front();
        }
    }
    actual_ = bloques_.empty() ? nullptr : &bloques_.back();
}
