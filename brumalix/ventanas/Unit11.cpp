#include "brumalix/ventanas/Unit11.h"
#include "brumalix/ventanas/Unit13.h"
#include "brumalix/ventanas/estilo_brumalix.h"
#include "brumalix/ventanas/ventanas.h"

#include "brumalix/motor/listados.h"

namespace {

// "Cerrar" es el botón por omisión; la lista de páginas, en negrita.
const disposicion_listado disposicion{
    .titulo = QStringLiteral("Salida listados"), .tamano = {680, 336}, .lista = {0, 0, 680, 298}, .rotulo_pagina = QStringLiteral("Pg."),
    .total_inicial = QStringLiteral("00"), .y_rotulos = 309, .x_pagina = 8, .x_de = 98, .x_total = 116, .ancho_total = 32,
    .paginas = {32, 305, 60, 22}, .paginas_en_negrita = true, .y_botones = 304, .boton = {34, 24}, .x_botones = {156, 192, 228, 264},
    .preview = {420, 304, 75, 24}, .imprimir = {500, 304, 75, 24}, .cerrar = {584, 304, 75, 24}, .cerrar_por_omision = true};

} // namespace

TForm11* Form11 = nullptr;

TForm11::TForm11() : ventana_listado(estilo_listados(), disposicion) { pon_lista_listado(ListBox1); }

TForm11::~TForm11() { pon_lista_listado(nullptr); }

void TForm11::dibuja_pagina()
{
    if (tipo_listado == 1) listado_curvas_limite(pagina_actual, 0, destino_listado::ventana);
    else listado_liquido_vapor(pagina_actual, 0, destino_listado::ventana);
}

formulario_informe& TForm11::informe_listado() { return *imprelist1->QuickReport1; }
