// Atajos de teclado de una ventana que ganan al control que tiene el foco.
//
// Las ventanas del sistema atan teclas como Ctrl+Izquierda, RePág, Inicio o
// Alt+C a órdenes de la ventana, también cuando el foco está en un campo de
// edición o en una lista que usarían esas teclas. Cada tecla se ata una vez.
#pragma once

#include <QKeySequence>
#include <QObject>
#include <QWidget>

#include <functional>
#include <map>

class atajos_ventana : public QObject {
public:
    explicit atajos_ventana(QWidget* ventana);
    ~atajos_ventana() override;
    void ata(QKeyCombination tecla, std::function<void()> orden);
    // Ejecuta la orden de una tecla (como si se hubiera pulsado); falso si
    // no hay orden para ella.
    bool pulsa(QKeyCombination tecla);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    QWidget* ventana_;
    std::map<int, std::function<void()>> ordenes_;
};
