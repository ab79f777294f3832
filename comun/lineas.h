// Lista de líneas de texto a la que añaden los motores.
//
// Los motores escriben sus tablas, listados, registro y traza en una lista
// abstracta; las ventanas la implementan sobre sus cuadros de lista y las
// pruebas sobre memoria.
//
// Una línea puede llegar ya escrita (agrega) o diferida (agrega_diferida o
// reserva_diferida): una copia de lo que hace falta para escribirla y la
// función que la escribe. Una lista que guarda textos la escribe al
// recibirla; una que guarda las copias (lineas_diferidas) la escribe sólo
// cuando alguien la lee.
#pragma once

#include <cstddef>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Escribe en 'texto' la línea guardada en 'datos' (la copia que se hizo al
// añadirla).
using forma_linea = void (*)(const unsigned char* datos, std::string& texto);
// Copia en 'destino' los datos de una línea diferida, tomados de 'contexto'.
using copia_datos = void (*)(unsigned char* destino, const void* contexto);

class lista_lineas {
public:
    virtual ~lista_lineas() = default;
    virtual void agrega(std::string_view linea) = 0;
    // Una lista que guarda las líneas diferidas añade aquí la que 'forma'
    // escribirá con 'largo' bytes de datos y devuelve dónde van esos datos,
    // que quien la anota pone en seguida, antes de nada más (así se copian
    // una sola vez, directamente a su sitio). Por omisión, nullptr: la lista
    // no las guarda y la línea le llega por agrega_diferida.
    virtual unsigned char* reserva_diferida(forma_linea forma, std::size_t largo);
    // Añade la línea que 'forma' escribe con 'largo' bytes de datos, que
    // 'copia' pone, sacados de 'contexto': en el sitio de reserva_diferida
    // o, si la lista no lo da, escrita en el momento.
    virtual void agrega_diferida(forma_linea forma, std::size_t largo, copia_datos copia, const void* contexto);
    virtual void borra() = 0;
    virtual std::size_t numero() const = 0;
    virtual std::string linea(std::size_t i) const = 0;
};

class lineas_memoria : public lista_lineas {
public:
    void agrega(std::string_view linea) override { lineas_.emplace_back(linea); }
    void borra() override { lineas_.clear(); }
    std::size_t numero() const override { return lineas_.size(); }
    std::string linea(std::size_t i) const override { return i < lineas_.size() ? lineas_[i] : std::string(); }
    const std::vector<std::string>& todas() const { return lineas_; }

private:
    std::vector<std::string> lineas_;
};

// Lista que guarda cada línea como llega (la copia de sus datos y su
// función, o su texto) y la escribe cada vez que se lee. Añadir cuesta una
// copia de unos pocos bytes; leer, escribir la línea.
class lineas_diferidas : public lista_lineas {
public:
    lineas_diferidas() = default;
    // Guarda un puntero a uno de sus propios bloques: no se copia.
    lineas_diferidas(const lineas_diferidas&) = delete;
    lineas_diferidas& operator=(const lineas_diferidas&) = delete;
    void agrega(std::string_view linea) override;
    // Aquí mismo, para que quien la envuelve la tenga en línea: es lo que
    // cuesta cada línea de traza.
    unsigned char* reserva_diferida(forma_linea forma, std::size_t largo) override
    {
        unsigned char* p = reserva(sizeof forma + largo);
        std::memcpy(p, &forma, sizeof forma);
        return p + sizeof forma;
    }
    void borra() override;
    std::size_t numero() const override { return lineas_.size(); }
    std::string linea(std::size_t i) const override;
    // Quita las 'n' primeras líneas (todas si hay menos).
    void quita_primeras(std::size_t n);

private:
    // Las copias van seguidas en bloques; una línea no se parte entre dos.
    struct bloque {
        std::unique_ptr<unsigned char[]> datos;
        std::size_t capacidad = 0;
        std::size_t usado = 0;
        std::size_t lineas = 0;
    };
    // Sitio para una línea de 'largo' bytes: en el bloque en curso si cabe
    // (casi siempre) o en uno nuevo. Siempre en línea: es el camino de
    // cada línea de traza.
    [[gnu::always_inline]] unsigned char* reserva(std::size_t largo)
    {
        bloque* b = actual_;
        if (!b || b->capacidad - b->usado < largo) b = bloque_nuevo(largo);
        unsigned char* p = b->datos.get() + b->usado;
        b->usado += largo;
        ++b->lineas;
        lineas_.push_back(p);
        return p;
    }
    bloque* bloque_nuevo(std::size_t largo);
    void suelta(bloque&& b);

    std::deque<bloque> bloques_;
    // El último de bloques_, donde van las líneas nuevas (ninguno si no hay
    // bloques).
    bloque* actual_ = nullptr;
    // Bloques vacíos que se vuelven a usar: una traza que se vacía y se
    // llena otra vez (o que se recorta por el principio) no pide memoria
    // nueva cada vez.
    std::vector<bloque> libres_;
    // Dónde empieza cada línea: su función y, tras ella, sus datos.
    std::vector<const unsigned char*> lineas_;
};
