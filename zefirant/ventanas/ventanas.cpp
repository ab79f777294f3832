#include "ventanas.h"
#include "Unit1.h"
#include "Unit11.h"
#include "Unit12.h"
#include "Unit13.h"
#include "Unit14.h"
#include "Unit5.h"
#include "Unit8.h"
#include "Unit9.h"

#include "plataforma/conjunto_ventanas.h"

#include "zefirant/motor/gases.h"

namespace {
conjunto_ventanas ventanas;
} // namespace

bool crea_ventanas()
{
    // La ventana de registro se crea antes que la principal aunque se
    // nombre después: la principal escribe en ella al arrancar.
    ventanas.crea(Form14, Form1);
    if (!Form1->arrancado()) {
        destruye_ventanas();
        return false;
    }
    ventanas.crea(Form5, Form8, Form11, Form12, Form13, Form9);
    return true;
}

void destruye_ventanas()
{
    ventanas.destruye();
    cierra_ficheros_datos();
}
