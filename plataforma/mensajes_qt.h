// Cajas de mensaje de las ventanas: "ERROR" con icono de parada o de
// información y la pregunta con "Sí", "No" y "Cancelar".
#pragma once

#include "comun/mensajes.h"

class sumidero_ventanas : public sumidero_mensajes {
public:
    void error(const std::string& texto) override;
    void aviso(const std::string& texto) override;
    respuesta pregunta(const std::string& titulo, const std::string& texto, bool con_cancelar) override;
};
