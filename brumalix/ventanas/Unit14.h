// Caja "Generando listado...": se crea con las demás y no se muestra.
#pragma once

#include <QWidget>

class TForm14 : public QWidget {
public:
    TForm14();
};
