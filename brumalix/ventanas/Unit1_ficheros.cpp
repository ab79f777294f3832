// Menú "Ficheros": salvar y cargar el problema, y preparar las páginas con
// el problema cargado.
#include "brumalix/ventanas/Unit1.h"
#include "brumalix/ventanas/fichero_problema.h"
#include "brumalix/ventanas/ventanas.h"

#include "plataforma/dialogos.h"

#include "brumalix/motor/traza.h"
#include "comun/binario.h"
#include "comun/escritura_atomica.h"
#include "comun/mensajes.h"
#include "comun/texto1252.h"

#include <algorithm>
#include <cstring>

namespace {

// Las rutas vienen del sistema de ficheros (UTF-8); los mensajes van en
// Windows-1252.
std::string ruta_mensaje(const std::string& ruta) { return texto1252::desde_utf8(ruta); }

std::string texto_campo(const char* campo, std::size_t capacidad) { return std::string(campo, strnlen(campo, capacidad)); }

} // namespace

int TForm1::guarda_problema(int S, int E)
{
    std::optional<std::string> ruta = dialogo_guardar(this);
    if (!ruta) return 0;
    // La tabla de caudales directos se monta antes de abrir el fichero: un
    // problema que no cabe en él no estropea el fichero que ya hubiera.
    if (int sobra = monta_caudales_directos()) {
        muestra_error("Estado %d: No se pueden dar más de %d caudales"_w, sobra, MAXNUMCAUDDIRECTOS);
        return 0;
    }
    // Se escribe aparte y sólo sustituye al fichero que hubiera cuando está
    // entero en el disco: un fallo a medias no pierde el problema anterior.
    switch (escribe_atomico(*ruta, [S, E](std::FILE* f) { return escribe_problema(f, S, E); })) {
    case resultado_escritura::no_creado:
        muestra_error("Error al crear %s", ruta_mensaje(*ruta).c_str());
        return 0;
    case resultado_escritura::no_abierto:
        // Existe, pero no se puede abrir para escribir: no es que no se cree.
        muestra_error("Error al abrir %s", ruta_mensaje(*ruta).c_str());
        return 0;
    case resultado_escritura::no_escrito:
        muestra_error("Error al escribir %s", ruta_mensaje(*ruta).c_str());
        return 0;
    case resultado_escritura::bien:
        break;
    }
    nombre_problema = *ruta;
    pon_titulo(0);
    return 1;
}

int TForm1::carga_problema(int& S, int& E)
{
    std::optional<std::string> ruta = dialogo_abrir(this);
    if (!ruta) return 0;
    std::vector<unsigned char> bytes;
    if (!binario::lee_fichero(*ruta, bytes)) {
        muestra_error("Error al abrir %s", ruta_mensaje(*ruta).c_str());
        return 0;
    }
    // El fichero se lee entero y se comprueba antes de tocar el problema: uno
    // que no se carga deja el problema abierto, su nombre y sus páginas como
    // estaban.
    problema_leido leido;
    switch (lee_problema(bytes, leido)) {
    case lectura_problema::marca_b:
        return 0;
    case lectura_problema::incorrecto:
        muestra_error("Error al cargar %s", ruta_mensaje(*ruta).c_str());
        return 0;
    case lectura_problema::bien:
        break;
    }
    nuevo_problema();
    pasa_al_problema(leido);
    S = static_cast<int>(leido.estados.size());
    E = static_cast<int>(leido.equipos.size());
    nombre_problema = *ruta;
    pon_titulo(0);
    return 1;
}

void TForm1::Salvarproblema1Click()
{
    // Lo que enseña la página a la vista va al fichero. Un valor que no vale
    // no se guarda en el fichero: se rechaza antes, con la página de estados
    // delante para que el foco llegue a su campo.
    if (!guarda_pagina_activa()) return;
    if (PageControl1->currentWidget() != TabSheet1 && !lee_estado()) {
        PageControl1->pon_pagina(TabSheet1);
        return;
    }
    guarda_problema(ultimo_estado + 1, ultimo_equipo + 1);
}

void TForm1::llena_pagina_cargada(QWidget* pagina, void (TForm1::*borra)(), int& actual, int& ultimo, int valor_ultimo,
                                  void (TForm1::*muestra)(), void (TForm1::*habilita)())
{
    PageControl1->pon_pagina(pagina);
    (this->*borra)();
    actual = 0;
    ultimo = valor_ultimo;
    (this->*muestra)();
    (this->*habilita)();
}

void TForm1::Cargarfichero1Click()
{
    int S = 0, E = 0;
    if (!carga_problema(S, E)) return;

    escribe_traza("Cargado fichero");
    escribe_traza("Estados: %d", S);
    for (int i = 0; i < S; ++i) {
        escribe_traza("P=%g", estados_dato[i].p);
        escribe_traza("T=%g", estados_dato[i].t);
    }
    escribe_traza("Equipos: %d", E);
    for (int i = 0; i < E; ++i) {
        const elemento& q = equipos[i];
        escribe_traza("%s:%s:%s", texto_campo(q.nombre, LARGO_NOMBRE_EQUIPO).c_str(),
                      texto_campo(q.texto_entrantes, LARGO_ECUACION).c_str(),
                      texto_campo(q.texto_salientes, LARGO_ECUACION).c_str());
        for (int k = 0; k < q.num_entrantes; ++k) escribe_traza("  %d", q.entrantes[k]);
        for (int k = 0; k < q.num_salientes; ++k) escribe_traza("    %d", q.salientes[k]);
    }
    pon_etiquetas_unidades();

    // Cada página se pone delante antes de llenarla: su habilitación le da el foco.
    // Un fichero sin estados o sin equipos deja la página en su primera ficha.
    llena_pagina_cargada(TabSheet1, &TForm1::borra_campos_estado, estado_actual, ultimo_estado, std::max(S - 1, 0),
                         &TForm1::muestra_estado, &TForm1::habilita_botones_estados);
    llena_pagina_cargada(TabSheet2, &TForm1::borra_campos_equipo, equipo_actual, ultimo_equipo, std::max(E - 1, 0),
                         &TForm1::muestra_equipo, &TForm1::habilita_botones_equipos);
    llena_pagina_cargada(TabSheet3, &TForm1::borra_campos_masa, grupo_masa_actual, ultimo_grupo_masa, 10,
                         &TForm1::muestra_ecuaciones_masa, &TForm1::habilita_botones_masa);
    llena_pagina_cargada(TabSheet4, &TForm1::borra_campos_energia, grupo_energia_actual, ultimo_grupo_energia, 4,
                         &TForm1::muestra_ecuaciones_energia, &TForm1::habilita_botones_energia);
    PageControl1->pon_pagina(TabSheet1);
    Edit1->setFocus();
}
