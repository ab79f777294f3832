#include "brumalix/ventanas/ventanas.h"
#include "brumalix/ventanas/Unit1.h"
#include "brumalix/ventanas/Unit10.h"
#include "brumalix/ventanas/Unit11.h"
#include "brumalix/ventanas/Unit12.h"
#include "brumalix/ventanas/Unit13.h"
#include "brumalix/ventanas/Unit14.h"
#include "brumalix/ventanas/Unit15.h"
#include "brumalix/ventanas/Unit17.h"
#include "brumalix/ventanas/Unit2.h"
#include "brumalix/ventanas/Unit5.h"

#include "plataforma/conjunto_ventanas.h"

namespace {
conjunto_ventanas ventanas;
} // namespace

void crea_ventanas()
{
    ventanas.crea(Form1, Configurar, Resultados, Listados, Form11, Impresion, imprelist1, Form14, Form15, About);
}

void destruye_ventanas() { ventanas.destruye(); }
