// BRUMALIX: propiedades del agua y del vapor.
#include "brumalix/ventanas/ventanas.h"
#include "brumalix/ventanas/Unit1.h"

#include "plataforma/aplicacion.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    prepara_aplicacion(app);
    QCoreApplication::setApplicationName(QStringLiteral("BRUMALIX para Windows"));
    crea_ventanas();
    // Al mostrarse, la ventana principal carga las tablas de vapor; si no
    // puede, ya lo ha dicho y el programa acaba sin más.
    Form1->show();
    if (Form1->arrancado()) app.exec();
    destruye_ventanas();
    return 0;
}
