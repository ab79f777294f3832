#include "atajos.h"

#include <QApplication>
#include <QKeyEvent>

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
