// Punteros a las ventanas de ZEFIRANT: cada una se crea una vez al arrancar
// y vive hasta el final; las ventanas se alcanzan unas a otras por aquí.
#pragma once

class TForm1;
class TForm5;
class TForm8;
class TForm9;
class TForm11;
class TForm12;
class TForm13;
class TForm14;

extern TForm1* Form1;
extern TForm5* Form5;
extern TForm8* Form8;
extern TForm9* Form9;
extern TForm11* Form11;
extern TForm12* Form12;
extern TForm13* Form13;
extern TForm14* Form14;

// Crea las ventanas en su orden, con la principal primero. Falso si la
// principal no pudo arrancar (falta un fichero de datos); entonces no se
// crea ninguna más.
bool crea_ventanas();
// Destruye las ventanas (al final del programa y de cada prueba).
void destruye_ventanas();
