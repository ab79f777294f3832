// ZEFIRANT: propiedades de gases perfectos y de combustión.
#include "zefirant/ventanas/ventanas.h"
#include "zefirant/ventanas/Unit1.h"

#include "plataforma/aplicacion.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    prepara_aplicacion(app);
    if (!crea_ventanas()) return 0;
    Form1->show();
    int r = app.exec();
    destruye_ventanas();
    (void)r;
    return 0;
}
