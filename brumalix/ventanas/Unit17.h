// Caja "Acerca de BRUMALIX".
#pragma once

#include "plataforma/acerca_de.h"

class TAbout : public caja_acerca_de {
public:
    TAbout();
};
