// Ventana "Log": líneas de diagnóstico que nunca se muestran al usuario.
#pragma once

#include "plataforma/lista_marcado.h"

#include <QListWidget>
#include <QWidget>

#include <memory>
#include <string>

class TForm14 : public QWidget {
public:
    TForm14();
    ~TForm14() override;
    QListWidget* ListBox1 = nullptr;
    // Añade una línea y la deja elegida.
    void registra(const std::string& linea);

private:
    std::unique_ptr<lista_simple> lista_;
};
