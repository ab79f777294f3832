#include "plataforma/controles.h"

#include "comun/mensajes.h"

#include <cmath>

#include <QFocusEvent>
#include <QGridLayout>
#include <QSignalBlocker>
#include <QTimer>

control_paginas::control_paginas(QWidget* padre) : QTabWidget(padre)
{
    connect(this, &QTabWidget::currentChanged, this, [this](int i) { cambio(i); });
}

void control_paginas::pon_pagina(int indice)
{
    QSignalBlocker bloqueo(this);
    setCurrentIndex(indice);
    actual_ = currentIndex();
}

void control_paginas::cambio(int indice)
{
    // QTabWidget no avisa antes del cambio: se deshace, se pregunta al
    // manejador y, si lo permite, se rehace.
    int destino = indice;
    {
        QSignalBlocker bloqueo(this);
        setCurrentIndex(actual_);
    }
    bool permitir = true;
    if (al_cambiar) al_cambiar(permitir);
    if (!permitir) return;
    {
        QSignalBlocker bloqueo(this);
        setCurrentIndex(destino);
    }
    actual_ = currentIndex();
    if (tras_cambio) tras_cambio();
}

campo_edicion::campo_edicion(QWidget* padre) : QLineEdit(padre)
{
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (con_valor_ && text() != texto_valor_) con_valor_ = false;
        if (al_cambiar) al_cambiar();
    });
}

void campo_edicion::muestra_valor(float valor, const QString& texto)
{
    setText(texto);
    valor_ = valor;
    texto_valor_ = texto;
    con_valor_ = true;
}

bool campo_edicion::valor_sin_tocar(float& valor) const
{
    if (!con_valor_ || text() != texto_valor_) return false;
    valor = valor_;
    return true;
}

lectura_campo campo_edicion::valor_real(const regla_campo& r, float& valor) const
{
    float guardado;
    if (valor_sin_tocar(guardado)) {
        if (!std::isfinite(guardado)) return lectura_campo::incorrecto;
        if (!(guardado >= r.minimo && guardado <= r.maximo)) return lectura_campo::fuera_de_margen;
        valor = guardado;
        return lectura_campo::valido;
    }
    return lee_real_campo(text().toStdString(), r.forma, r.minimo, r.maximo, valor);
}

lectura_campo campo_edicion::valor_entero(const regla_campo& r, std::int32_t& valor) const
{
    // El margen de la regla, en doble, se lleva a los límites de 32 bits.
    auto entero = [](double v) {
        return v <= INT32_MIN ? std::int64_t(INT32_MIN) : v >= INT32_MAX ? std::int64_t(INT32_MAX) : std::int64_t(v);
    };
    return lee_entero_campo(text().toStdString(), r.forma, entero(std::ceil(r.minimo)), entero(std::floor(r.maximo)),
                            valor);
}

namespace {

// Vacío: -1 (no se dio). Rechazo: su mensaje y el foco al campo.
template <typename T>
bool guarda_lectura(campo_edicion* campo, lectura_campo l, const regla_campo& r, T leido, T& destino)
{
    switch (l) {
    case lectura_campo::vacio:
        destino = T(-1);
        return true;
    case lectura_campo::valido:
        destino = leido;
        return true;
    case lectura_campo::incorrecto:
    case lectura_campo::fuera_de_margen:
        break;
    }
    const char* texto = l == lectura_campo::fuera_de_margen && r.mensaje_margen ? r.mensaje_margen : r.mensaje;
    muestra_error("%s", texto);
    campo->recupera_foco();
    return false;
}

} // namespace

bool campo_edicion::lee_real(const regla_campo& r, float& destino)
{
    float v = 0;
    const lectura_campo l = valor_real(r, v);
    return guarda_lectura(this, l, r, v, destino);
}

bool campo_edicion::lee_entero(const regla_campo& r, std::int32_t& destino)
{
    std::int32_t v = 0;
    const lectura_campo l = valor_entero(r, v);
    return guarda_lectura(this, l, r, v, destino);
}

void campo_edicion::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (saliendo_ || !al_salir) return;
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return;
    saliendo_ = true;
    al_salir();
    saliendo_ = false;
}

void campo_edicion::recupera_foco()
{
    setFocus(Qt::OtherFocusReason);
    // Si el foco estaba a medio camino hacia otro control, se vuelve a pedir
    // cuando ese cambio haya acabado.
    QTimer::singleShot(0, this, [this] {
        if (isVisible() && isEnabled()) setFocus(Qt::OtherFocusReason);
    });
}

void campo_edicion::habilita(bool si)
{
    setEnabled(si);
    QPalette p = palette();
    p.setColor(QPalette::Base, si ? QColor(Qt::white) : QColor(0xD4, 0xD0, 0xC8));
    // Deshabilitado se lee como un campo de sólo lectura: fondo gris y el
    // texto en su color normal, no en gris claro sobre gris.
    p.setColor(QPalette::Disabled, QPalette::Text, p.color(QPalette::Active, QPalette::Text));
    setPalette(p);
}

grupo_radio::grupo_radio(const QString& titulo, const QStringList& opciones, int columnas, QWidget* padre)
    : QGroupBox(titulo, padre)
{
    auto* rejilla = new QGridLayout(this);
    rejilla->setContentsMargins(6, 2, 6, 2);
    rejilla->setVerticalSpacing(0);
    int filas = (static_cast<int>(opciones.size()) + columnas - 1) / columnas;
    for (int i = 0; i < opciones.size(); ++i) {
        auto* b = new QRadioButton(opciones[i], this);
        rejilla->addWidget(b, i % filas, i / filas);
        botones_.push_back(b);
        connect(b, &QRadioButton::clicked, this, [this, i] {
            if (i == indice_) return;
            indice_ = i;
            if (al_pulsar) al_pulsar();
        });
    }
}

bool grupo_radio::marca(int i)
{
    if (i < 0 || i >= static_cast<int>(botones_.size())) return false;
    botones_[static_cast<std::size_t>(i)]->setChecked(true);
    return true;
}

void grupo_radio::pon_indice(int i)
{
    if (!marca(i) || i == indice_) return;
    indice_ = i;
    if (al_pulsar) al_pulsar();
}

void grupo_radio::pon_indice_sin_evento(int i)
{
    if (marca(i)) indice_ = i;
}

lista_desplegable::lista_desplegable(QWidget* padre) : QComboBox(padre)
{
    connect(this, &QComboBox::activated, this, [this] {
        if (al_cambiar) al_cambiar();
    });
}
