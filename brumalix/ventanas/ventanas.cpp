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

TForm1* Form1 = nullptr;
TConfigurar* Configurar = nullptr;
TResultados* Resultados = nullptr;
TListados* Listados = nullptr;
TForm11* Form11 = nullptr;
TImpresion* Impresion = nullptr;
Timprelist1* imprelist1 = nullptr;
TForm14* Form14 = nullptr;
TForm15* Form15 = nullptr;
TAbout* About = nullptr;

void crea_ventanas()
{
    Form1 = new TForm1;
    Configurar = new TConfigurar;
    Resultados = new TResultados;
    Listados = new TListados;
    Form11 = new TForm11;
    Impresion = new TImpresion;
    imprelist1 = new Timprelist1;
    Form14 = new TForm14;
    Form15 = new TForm15;
    About = new TAbout;
}

void destruye_ventanas()
{
    delete About;
    delete Form15;
    delete Form14;
    delete imprelist1;
    delete Impresion;
    delete Form11;
    delete Listados;
    delete Resultados;
    delete Configurar;
    delete Form1;
    Form1 = nullptr;
    Configurar = nullptr;
    Resultados = nullptr;
    Listados = nullptr;
    Form11 = nullptr;
    Impresion = nullptr;
    imprelist1 = nullptr;
    Form14 = nullptr;
    Form15 = nullptr;
    About = nullptr;
}
