// Sumidero de mensajes para las pruebas: guarda los textos y responde con
// lo que la prueba haya preparado, sin bloquear nunca.
#pragma once

#include "comun/mensajes.h"

#include <deque>
#include <string>
#include <vector>

class sumidero_prueba : public sumidero_mensajes {
public:
    sumidero_prueba() { anterior_ = pon_sumidero_mensajes(this); }
    ~sumidero_prueba() override { pon_sumidero_mensajes(anterior_); }
    sumidero_prueba(const sumidero_prueba&) = delete;
    sumidero_prueba& operator=(const sumidero_prueba&) = delete;

    void error(const std::string& texto) override { errores.push_back(texto); }
    void aviso(const std::string& texto) override { avisos.push_back(texto); }
    respuesta pregunta(const std::string& titulo, const std::string& texto, bool con_cancelar) override
    {
        preguntas.push_back(titulo + "|" + texto);
        if (respuestas.empty()) return con_cancelar ? respuesta::cancelar : respuesta::no;
        respuesta r = respuestas.front();
        respuestas.pop_front();
        return r;
    }

    std::vector<std::string> errores;
    std::vector<std::string> avisos;
    std::vector<std::string> preguntas;
    std::deque<respuesta> respuestas;

private:
    sumidero_mensajes* anterior_ = nullptr;
};
