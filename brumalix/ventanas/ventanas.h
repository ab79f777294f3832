// Punteros a las ventanas de BRUMALIX: cada una se crea una vez al arrancar
// y vive hasta el final; las ventanas se alcanzan unas a otras por aquí.
#pragma once

class TForm1;
class TConfigurar;
class TResultados;
class TListados;
class TForm11;
class TImpresion;
class Timprelist1;
class TForm14;
class TForm15;
class TAbout;

extern TForm1* Form1;
extern TConfigurar* Configurar;
extern TResultados* Resultados;
extern TListados* Listados;
extern TForm11* Form11;
extern TImpresion* Impresion;
extern Timprelist1* imprelist1;
extern TForm14* Form14;
extern TForm15* Form15;
extern TAbout* About;

// Crea las ventanas en su orden, con la principal primero. Las tablas de
// vapor se cargan después, cuando la principal se muestra por primera vez.
void crea_ventanas();
// Destruye las ventanas (al final del programa y de cada prueba).
void destruye_ventanas();
