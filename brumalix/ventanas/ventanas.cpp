#include "ventanas.h"
#include "Unit1.h"
#include "Unit10.h"
#include "Unit11.h"
#include "Unit12.h"
#include "Unit13.h"
#include "Unit14.h"
#include "Unit15.h"
#include "Unit17.h"
#include "Unit2.h"
#include "Unit5.h"

#include "plataforma/conjunto_ventanas.h"

namespace {
conjunto_ventanas ventanas;
} // namespace

void crea_ventanas()
{
    ventanas.crea(Form1, Configurar, Resultados, Listados, Form11, Impresion, imprelist1, Form14, Form15, About);
}

void destruye_ventanas() { ventanas.destruye(); }
