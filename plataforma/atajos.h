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
#include <initializer_list>
#include <map>

class QMenu;

// Una orden de menú con su tecla: el texto (con el nombre de la tecla tras
// un tabulador), la tecla y lo que hace.
struct orden_con_tecla {
    QString texto;
    QKeyCombination tecla;
    std::function<void()> orden;
};

class atajos_ventana : public QObject {
public:
    explicit atajos_ventana(QWidget* ventana);
    ~atajos_ventana() override;
    void ata(QKeyCombination tecla, std::function<void()> orden);
    // Añade las órdenes al menú, en su orden, y ata la tecla de cada una.
    void ata_en_menu(QMenu* menu, std::initializer_list<orden_con_tecla> ordenes);
    // Lo mismo con las órdenes de recorrer páginas o fichas: "Primero",
    // "Anterior", "Siguiente" y "Ultimo", con Inicio, RePág, AvPág y Fin.
    void ata_recorrido_en_menu(QMenu* menu, std::function<void()> primero, std::function<void()> anterior,
                               std::function<void()> siguiente, std::function<void()> ultimo);
    // La tecla pulsa el botón que tiene el foco en la ventana o, si el foco
    // no está en un botón, hace 'omision'.
    void ata_boton_con_foco(QKeyCombination tecla, std::function<void()> omision);
    // Las teclas de un diálogo: Intro (las dos) como ata_boton_con_foco con
    // 'aceptar', y Escape hace 'cancelar'.
    void ata_dialogo(std::function<void()> aceptar, std::function<void()> cancelar);
    // Ejecuta la orden de una tecla (como si se hubiera pulsado); falso si
    // no hay orden para ella.
    bool pulsa(QKeyCombination tecla);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    QWidget* ventana_;
    std::map<int, std::function<void()>> ordenes_;
};
