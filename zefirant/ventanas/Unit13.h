// Caja "Acerca de ZEFIRANT".
#pragma once

#include "plataforma/acerca_de.h"

class TForm13 : public caja_acerca_de {
public:
    TForm13();
};
