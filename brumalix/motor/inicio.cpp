#include "brumalix/motor/inicio.h"
#include "brumalix/motor/estados.h"
#include "brumalix/motor/problema_agua.h"
#include "brumalix/motor/tablas.h"

#include "comun/formato.h"

int inicializa_datos(const std::string& directorio_programa)
{
    tolerancia_saturacion = 0.0002f;
    num_incognitas = 0;
    num_equipos = 0;
    std::string ruta1 = formatea("%s/%s", directorio_programa.c_str(), "f1-bin.dat");
    std::string ruta2 = formatea("%s/%s", directorio_programa.c_str(), "f2-bin.dat");
    if (!carga_tabla_f1(ruta1)) return 0;
    if (!carga_tabla_f2(ruta2)) return 0;
    reinicia_problema_agua();
    return 1;
}
