#include "brumalix/motor/equipos.h"
#include "brumalix/motor/balances.h"
#include "brumalix/motor/estados.h"
#include "brumalix/motor/problema_agua.h"
#include "brumalix/motor/traza.h"

#include "comun/factores_unidades.h"
#include "comun/formato.h"
#include "comun/lineas.h"
#include "comun/texto1252.h"

#include <algorithm>
#include <cstring>

std::string cabecera_equipo[6] = {
    "              ---------------------------------------------------",
    "               estado `S½   caudal       potencia       potencia   "_w,
    "                      `S½   másico       entálpica     exergética  "_w,
    "                 n°   `S½     `Im             `Im·`Ih            `Im·`Ie     "_w,
    "                      `S½    kg/s           kW             kW      "_w,
    "              ---------------------------------------------------",
};

namespace {

void coma_decimal(std::string& linea) { std::replace(linea.begin(), linea.end(), '.', ','); }

int limita(int n) { return n < 0 ? 0 : n > MAXESTENEQUIPO ? MAXESTENEQUIPO : n; }

} // namespace

int lista_elemento(int indice, std::FILE* fichero)
{
    escribe_traza("Entrada en lista_elemento(%d)", indice);
    if (indice < 0 || indice >= MAXNUMEQUIPOS) return 0;
    const elemento& eq = equipos[indice];
    lista_lineas& lista = lista_resultados();
    auto escribe = [&](const std::string& linea) {
        if (fichero)
            std::fprintf(fichero, "%s\n", linea.c_str());
        else
            lista.agrega(linea);
    };

    float h_entra = 0, h_sale = 0, e_entra = 0, e_sale = 0;
    const std::string nombre(eq.nombre, strnlen(eq.nombre, LARGO_NOMBRE_EQUIPO - 1));
    const std::string titulo = formatea("`N        RESULTADOS DEL EQUIPO %d: %s", indice + 1, nombre.c_str());
    if (fichero) {
        std::fprintf(fichero, "%s\n\n", titulo.c_str());
    } else {
        lista.agrega("");
        lista.agrega(titulo);
        lista.agrega("");
    }
    std::replace(cabecera_equipo[0].begin(), cabecera_equipo[0].end(), '-', '\x97');
    std::replace(cabecera_equipo[5].begin(), cabecera_equipo[5].end(), '-', '\x97');
    for (const std::string& linea : cabecera_equipo) escribe(linea);

    const double f = unidad_energia_kcal == 1 ? KCAL_A_KJ : 1.0;
    const int entrantes = limita(eq.num_entrantes);
    const int salientes = limita(eq.num_salientes);
    const int resueltos = std::clamp(static_cast<int>(num_incognitas), 0, static_cast<int>(MAXINCOGNITAS));
    for (int i = 0; i < resueltos; ++i) {
        const int indice_estado = est_en_elemento[i];
        // Sólo índices de estados que existen (tras un fallo del sistema
        // la lista puede no serlo).
        if (indice_estado < 0 || indice_estado >= MAXNUMESTADOS) continue;
        const estado_agua& e = estados_calculo[indice_estado];
        const int n = indice_estado + 1;
        escribe_traza("i=%d", i);
        escribe_traza("entero_en_array(%d, %d, %d)", n, eq.entrantes[0], eq.num_entrantes);
        char letra;
        if (entero_en_array(n, eq.entrantes, entrantes)) {
            escribe_traza("SI");
            letra = 'e';
            h_entra += e.mh;
            e_entra += e.me;
        } else if (entero_en_array(n, eq.salientes, salientes)) {
            letra = 's';
            h_sale += e.mh;
            e_sale += e.me;
        } else {
            continue;
        }
        std::string fila = formatea("              %3d (%c) `S½  %8.3f    %11.3f    %11.3f"_w, n, letra, e.caudal,
                                    e.mh * f, e.me * f);
        coma_decimal(fila);
        escribe(fila);
    }
    h_entra = static_cast<float>(h_entra * f);
    h_sale = static_cast<float>(h_sale * f);
    e_entra = static_cast<float>(e_entra * f);
    e_sale = static_cast<float>(e_sale * f);

    escribe("");
    std::string lineas[4] = {
        formatea("        `Så`Im·`Ih(entrantes) = %11.4f kW `Sü `Så`Im·`Ih(ent)-`Så`Im·`Ih(sal)=%.4f kW"_w, h_entra,
                 h_entra - h_sale),
        formatea("        `Så`Im·`Ih(salientes) = %11.4f kW `Sþ"_w, h_sale),
        formatea("        `Så`Im·`Ie(entrantes) = %11.4f kW `Sü `Så`Im·`Ie(ent)-`Så`Im·`Ie(sal)=%.4f kW"_w, e_entra,
                 e_entra - e_sale),
        formatea("        `Så`Im·`Ie(salientes) = %11.4f kW `Sþ"_w, e_sale),
    };
    for (std::string& linea : lineas) {
        coma_decimal(linea);
        escribe(linea);
    }
    return 0;
}
