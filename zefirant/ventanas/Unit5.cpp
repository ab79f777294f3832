#include "zefirant/ventanas/Unit5.h"
#include "zefirant/ventanas/Unit1.h"
#include "zefirant/ventanas/Unit8.h"
#include "zefirant/ventanas/estilo_zefirant.h"
#include "zefirant/ventanas/ventanas.h"

#include "plataforma/portapapeles.h"

#include "comun/formato.h"
#include "zefirant/motor/listado.h"

#include <QAction>
#include <QMenu>

namespace {

const disposicion_listado disposicion{
    .titulo = QStringLiteral("Listado de propiedades"), .tamano = {639, 410}, .lista = {0, 0, 639, 375},
    .rotulo_pagina = QStringLiteral("Pg"), .y_rotulos = 388, .x_pagina = 0, .x_de = 112, .x_total = 132, .ancho_total = 40,
    .paginas = {24, 384, 81, 21}, .y_botones = 384, .boton = {41, 25}, .x_botones = {179, 227, 272, 321},
    .preview = {387, 384, 50, 25}, .imprimir = {440, 384, 60, 25}, .cerrar = {504, 384, 75, 25}};

} // namespace

TForm5* Form5 = nullptr;

TForm5::TForm5() : ventana_listado(estilo_zefirant(), disposicion)
{
    auto* copiar = new QAction(QStringLiteral("Enviar al Clipboard"), this);
    connect(copiar, &QAction::triggered, this, [this] { EnviaralClipboard1Click(); });
    PopupMenu1->insertAction(PopupMenu1->actions().value(0), copiar);
}

void TForm5::lanza()
{
    TForm1* f = Form1;
    pagina_actual = 1;
    num_paginas = lista_propiedades(f->c_gas, static_cast<unsigned>(f->t_min_listado), static_cast<unsigned>(f->t_max_listado),
                                    f->intervalo_listado, 1, 1, nullptr, nullptr);
    std::FILE* nulo = std::tmpfile();
    Form8->paginas_impresion = lista_propiedades(f->c_gas, static_cast<unsigned>(f->t_min_listado),
                                                 static_cast<unsigned>(f->t_max_listado), f->intervalo_listado, 1, 1,
                                                 nulo, nullptr);
    if (nulo) std::fclose(nulo);
    if (num_paginas < 0) return;
    presenta_listado();
}

void TForm5::dibuja_pagina()
{
    TForm1* f = Form1;
    lista_propiedades(f->c_gas, static_cast<unsigned>(f->t_min_listado), static_cast<unsigned>(f->t_max_listado),
                      f->intervalo_listado, pagina_actual, 0, nullptr, ListBox1);
}

formulario_informe& TForm5::informe_listado() { return *Form8->QuickReport1; }

void TForm5::EnviaralClipboard1Click()
{
    std::string texto;
    for (std::size_t i = 0; i < ListBox1->numero(); ++i) texto += ListBox1->linea(i) + "\n";
    copia_texto_al_portapapeles(texto);
}
