#include "ventanas.h"
#include "Unit1.h"
#include "Unit11.h"
#include "Unit12.h"
#include "Unit13.h"
#include "Unit14.h"
#include "Unit5.h"
#include "Unit8.h"
#include "Unit9.h"

#include "zefirant/motor/gases.h"

TForm1* Form1 = nullptr;
TForm5* Form5 = nullptr;
TForm8* Form8 = nullptr;
TForm9* Form9 = nullptr;
TForm11* Form11 = nullptr;
TForm12* Form12 = nullptr;
TForm13* Form13 = nullptr;
TForm14* Form14 = nullptr;

bool crea_ventanas()
{
    // La ventana de registro se crea antes que la principal aunque se
    // nombre después: la principal escribe en ella al arrancar.
    Form14 = new TForm14;
    Form1 = new TForm1;
    if (!Form1->arrancado()) {
        destruye_ventanas();
        return false;
    }
    Form5 = new TForm5;
    Form8 = new TForm8;
    Form11 = new TForm11;
    Form12 = new TForm12;
    Form13 = new TForm13;
    Form9 = new TForm9;
    return true;
}

void destruye_ventanas()
{
    delete Form9;
    delete Form13;
    delete Form12;
    delete Form11;
    delete Form8;
    delete Form5;
    delete Form1;
    delete Form14;
    Form1 = nullptr;
    Form5 = nullptr;
    Form8 = nullptr;
    Form9 = nullptr;
    Form11 = nullptr;
    Form12 = nullptr;
    Form13 = nullptr;
    Form14 = nullptr;
    cierra_ficheros_datos();
}
