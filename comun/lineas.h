// Lista de líneas de texto a la que añaden los motores.
//
// Los motores escriben sus tablas, listados, registro y traza en una lista
// abstracta; las ventanas la implementan sobre sus cuadros de lista y las
// pruebas sobre memoria.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class lista_lineas {
public:
    virtual ~lista_lineas() = default;
    virtual void agrega(std::string_view linea) = 0;
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
