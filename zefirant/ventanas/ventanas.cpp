#include "zefirant/ventanas/ventanas.h"
#include "zefirant/ventanas/Unit1.h"
#include "zefirant/ventanas/Unit11.h"
#include "zefirant/ventanas/Unit12.h"
#include "zefirant/ventanas/Unit13.h"
#include "zefirant/ventanas/Unit14.h"
#include "zefirant/ventanas/Unit5.h"
#include "zefirant/ventanas/Unit8.h"
#include "zefirant/ventanas/Unit9.h"

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
