#include "plataforma/atajos.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>

atajos_ventana::atajos_ventana(QWidget* ventana) : QObject(ventana), ventana_(ventana)
{
    qApp->installEventFilter(this);
}

atajos_ventana::~atajos_ventana()
{
    if (qApp) qApp->removeEventFilter(this);
}

void atajos_ventana::ata(QKeyCombination tecla, std::function<void()> orden)
{
    ordenes_[tecla.toCombined()] = std::move(orden);
}

void atajos_ventana::ata_en_menu(QMenu* menu, std::initializer_list<orden_con_tecla> ordenes)
{
    for (const orden_con_tecla& o : ordenes) {
        menu->addAction(o.texto, ventana_, o.orden);
        ata(o.tecla, o.orden);
    }
}

void atajos_ventana::ata_recorrido_en_menu(QMenu* menu, std::function<void()> primero, std::function<void()> anterior,
                                           std::function<void()> siguiente, std::function<void()> ultimo)
{
    ata_en_menu(menu, {{QStringLiteral("Primero\tHome"), Qt::Key_Home, std::move(primero)},
                       {QStringLiteral("Anterior\tPgUp"), Qt::Key_PageUp, std::move(anterior)},
                       {QStringLiteral("Siguiente\tPgDn"), Qt::Key_PageDown, std::move(siguiente)},
                       {QStringLiteral("Ultimo\tEnd"), Qt::Key_End, std::move(ultimo)}});
}

void atajos_ventana::ata_boton_con_foco(QKeyCombination tecla, std::function<void()> omision)
{
    ata(tecla, [this, omision = std::move(omision)] {
        if (auto* b = qobject_cast<QPushButton*>(ventana_->focusWidget())) b->click();
        else omision();
    });
}

void atajos_ventana::ata_dialogo(std::function<void()> aceptar, std::function<void()> cancelar)
{
    ata_boton_con_foco(QKeyCombination(Qt::NoModifier, Qt::Key_Return), aceptar);
    ata_boton_con_foco(QKeyCombination(Qt::NoModifier, Qt::Key_Enter), std::move(aceptar));
    ata(QKeyCombination(Qt::NoModifier, Qt::Key_Escape), std::move(cancelar));
}

bool atajos_ventana::pulsa(QKeyCombination tecla)
{
    auto it = ordenes_.find(tecla.toCombined());
    if (it == ordenes_.end()) return false;
    auto orden = it->second;  // la orden puede cambiar la tabla
    orden();
    return true;
}

bool atajos_ventana::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() != QEvent::KeyPress && evento->type() != QEvent::ShortcutOverride) return false;
    auto* w = qobject_cast<QWidget*>(objeto);
    if (!w || w->window() != ventana_) return false;
    auto* tecla = static_cast<QKeyEvent*>(evento);
    Qt::KeyboardModifiers mods = tecla->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    QKeyCombination combinacion(mods, static_cast<Qt::Key>(tecla->key()));
    if (ordenes_.find(combinacion.toCombined()) == ordenes_.end()) return false;
    if (evento->type() == QEvent::ShortcutOverride) {
        // La tecla es nuestra: que ningún atajo ni el control la tome.
        evento->accept();
        return true;
    }
    pulsa(combinacion);
    return true;
}
