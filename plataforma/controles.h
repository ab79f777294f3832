// Controles con el comportamiento que esperan las ventanas del sistema.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

#include "comun/numero_campo.h"

#include <cfloat>
#include <cstdint>
#include <functional>
#include <vector>

// Control de páginas cuyo cambio puede rechazar un manejador previo
// ("Changing"), con un aviso tras el cambio ("Change"), y que el programa
// puede poner en una página sin que corra ninguno de los dos.
class control_paginas : public QTabWidget {
public:
    explicit control_paginas(QWidget* padre = nullptr);
    // Antes del cambio; poner 'permitir' a falso lo rechaza.
    std::function<void(bool& permitir)> al_cambiar;
    // Después de un cambio hecho.
    std::function<void()> tras_cambio;
    // Pone la página activa sin correr ningún manejador.
    void pon_pagina(int indice);
    void pon_pagina(QWidget* pagina) { pon_pagina(indexOf(pagina)); }

private:
    void cambio(int indice);
    int actual_ = 0;
};

// Cómo se lee un campo numérico y qué mensaje da cuando no vale.
struct regla_campo {
    forma_numero forma{};
    double minimo = 0;
    double maximo = FLT_MAX;
    // Texto que no es un número del campo.
    const char* mensaje = "Valor del campo incorrecto";
    // Número fuera del margen del campo (nullptr: el mismo 'mensaje').
    const char* mensaje_margen = nullptr;
};

// Campo de edición con manejador de salida (al perder el foco dentro de la
// ventana) y de cambio (también cuando el programa cambia el texto). El
// manejador de salida no se vuelve a llamar mientras corre, ni cuando el foco
// se va porque aparece otra ventana (una caja de mensaje).
class campo_edicion : public QLineEdit {
public:
    explicit campo_edicion(QWidget* padre = nullptr);
    std::function<void()> al_salir;
    std::function<void()> al_cambiar;
    // Pide el foco de vuelta cuando la ventana lo pueda dar.
    void recupera_foco();
    // Habilitado con fondo blanco, o deshabilitado con fondo gris y el texto
    // en su color normal (legible, como un campo de sólo lectura).
    void habilita(bool si);
    // Muestra un valor guardado con el texto dado y recuerda el valor exacto:
    // el texto (con menos cifras) no debe cambiar lo guardado si nadie lo toca.
    void muestra_valor(float valor, const QString& texto);
    // Verdadero, con el valor, mientras el texto sea el que puso
    // muestra_valor; en cuanto el texto cambia, el valor se olvida y hay que
    // leer el texto.
    bool valor_sin_tocar(float& valor) const;

    // Lectura del campo como número (comun/numero_campo.h) sin avisar de
    // nada. Un valor mostrado y no tocado vale tal como se guardó (dentro
    // del margen), aunque su texto no se pudiera leer así.
    lectura_campo valor_real(const regla_campo& r, float& valor) const;
    lectura_campo valor_entero(const regla_campo& r, std::int32_t& valor) const;
    // Lo mismo para guardar: vacío deja -1; un texto rechazado muestra el
    // mensaje de la regla, devuelve el foco al campo y deja el destino como
    // estaba. Falso si lo rechazó.
    bool lee_real(const regla_campo& r, float& destino);
    bool lee_entero(const regla_campo& r, std::int32_t& destino);

protected:
    void focusOutEvent(QFocusEvent* e) override;

private:
    bool saliendo_ = false;
    bool con_valor_ = false;
    float valor_ = 0;
    QString texto_valor_;
};

// Grupo de opciones con índice elegido; el manejador de pulsación corre
// cuando el usuario elige y cuando el programa cambia el índice.
class grupo_radio : public QGroupBox {
public:
    grupo_radio(const QString& titulo, const QStringList& opciones, int columnas = 1, QWidget* padre = nullptr);
    int indice() const { return indice_; }
    void pon_indice(int i);
    // Cambia el índice sin correr el manejador.
    void pon_indice_sin_evento(int i);
    std::function<void()> al_pulsar;
    QRadioButton* opcion(int i) const { return botones_.at(static_cast<std::size_t>(i)); }

private:
    // Marca la opción i; falso (y nada marcado) si no la hay.
    bool marca(int i);
    std::vector<QRadioButton*> botones_;
    int indice_ = -1;
};

// Lista desplegable cuyo manejador de cambio corre sólo cuando elige el
// usuario.
class lista_desplegable : public QComboBox {
public:
    explicit lista_desplegable(QWidget* padre = nullptr);
    std::function<void()> al_cambiar;
};
