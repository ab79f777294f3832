#include "brumalix/ventanas/Unit10.h"
#include "brumalix/ventanas/Unit1.h"
#include "brumalix/ventanas/Unit11.h"
#include "brumalix/ventanas/Unit13.h"
#include "brumalix/ventanas/disposicion.h"
#include "brumalix/ventanas/ventanas.h"

#include "plataforma/ayuda.h"
#include "plataforma/lista_marcado.h"

#include "brumalix/motor/estados.h"
#include "brumalix/motor/listados.h"
#include "brumalix/motor/problema_agua.h"
#include "comun/factores_unidades.h"
#include "comun/formato.h"
#include "comun/mensajes.h"
#include "comun/texto1252.h"

#include <QShowEvent>

#include <cmath>

using namespace disposicion;

namespace {

QComboBox* lista_saltos(QWidget* padre, int x, int y)
{
    // Lista cerrada: el salto es siempre uno de 0 a 20.
    auto* c = new QComboBox(padre);
    for (int k = 0; k <= 20; ++k) c->addItem(QString::number(k));
    c->setGeometry(x, y, 44, 21);
    c->setCurrentIndex(0);
    return c;
}

const char* const presion_fuera_de_rango = "Valores de presión fuera de rango"_w;
const char* const temperatura_fuera_de_rango = "Valores de temperatura fuera de rango";

// Un límite del diálogo. El texto entero, sin los blancos de delante y de
// detrás, ha de ser un número decimal: signo, cifras con punto o coma
// decimal y exponente ("1e1" son 10). Vacío vale 0, y el rango dice si
// vale. El valor se guarda en 32 bits: uno que no cabe es infinito y queda
// fuera de cualquier rango; uno que no se distingue de 0 es 0. Falso si el
// texto no es un número (ni "nan", ni "inf", ni "0x10").
bool lee_limite(const QString& texto, float& valor)
{
    static constexpr forma_numero forma{.signo = true, .blancos = true, .exponente = true};
    double d = 0;
    const lectura_campo l = lee_decimal_campo(texto.toStdString(), forma, d);
    if (l == lectura_campo::incorrecto) return false;
    valor = d > FLT_MAX ? HUGE_VALF : d < -FLT_MAX ? -HUGE_VALF : static_cast<float>(d);
    return true;
}

QString texto_g(double v) { return QString::fromStdString(formatea("%g", v)); }

// Una fila de límites de un panel, en el orden del tabulador: "p. inferior"
// (o "t. inferior") y su campo, el superior y el suyo, la unidad y el salto.
struct fila_limites {
    campo_edicion* inferior;
    campo_edicion* superior;
    QLabel* unidad;
    QComboBox* salto;
};

fila_limites crea_fila_limites(QWidget* panel, int y, const QString& magnitud, const QString& unidad)
{
    fila_limites f{};
    etiqueta(magnitud + QStringLiteral(". inferior"), panel, 6, y + 3);
    f.inferior = campo(panel, 64, y, 72);
    etiqueta(magnitud + QStringLiteral(". superior"), panel, 142, y + 3);
    f.superior = campo(panel, 202, y, 72);
    f.unidad = etiqueta(unidad, panel, 278, y + 3);
    f.unidad->setFixedWidth(50);
    etiqueta(QStringLiteral("Salto"), panel, 330, y + 3);
    f.salto = lista_saltos(panel, 358, y);
    return f;
}

} // namespace

TListados* Listados = nullptr;

TListados::TListados()
{
    disposicion::ventana_fija(this, QStringLiteral("Listados"), QSize(420, 206));
    RadioGroup1 = new grupo_radio(QStringLiteral("Tipo de listado"),
                                  {QString::fromUtf8("Curvas límite"), QString::fromUtf8("Líquido y vapor sobrecalentado")}, 2,
                                  this);
    RadioGroup1->setGeometry(8, 4, 404, 44);

    // Los dos paneles ocupan el mismo sitio; se ve el de la clase elegida.
    auto panel = [this] {
        auto* p = new QFrame(this);
        p->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        p->setGeometry(8, 54, 404, 76);
        return p;
    };
    Panel1 = panel();
    const fila_limites curvas = crea_fila_limites(Panel1, 12, QStringLiteral("p"), QString());
    Edit1 = curvas.inferior, Edit2 = curvas.superior, Label12 = curvas.unidad, ComboBox1 = curvas.salto;
    Edit1->setText(QStringLiteral("0.00000000"));

    Panel2 = panel();
    const fila_limites presiones = crea_fila_limites(Panel2, 12, QStringLiteral("p"), QString());
    Edit3 = presiones.inferior, Edit4 = presiones.superior, Label10 = presiones.unidad, ComboBox2 = presiones.salto;
    const fila_limites temperaturas = crea_fila_limites(Panel2, 44, QStringLiteral("t"), QString::fromUtf8("°C"));
    Edit5 = temperaturas.inferior, Edit6 = temperaturas.superior, Label11 = temperaturas.unidad;
    ComboBox3 = temperaturas.salto;
    Panel2->hide();
    Panel1->show();

    etiqueta(QString::fromUtf8("Líneas por página: "), this, 12, 144);
    Edit7 = campo(this, 112, 141, 40);
    Edit7->setText(QStringLiteral("55"));
    Button1 = new QPushButton(QStringLiteral("Aceptar"), this);
    Button1->setGeometry(160, 172, 80, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Cerrar"), this);
    Button2->setGeometry(246, 172, 80, 25);
    Button3 = new QPushButton(QStringLiteral("Ayuda"), this);
    Button3->setGeometry(332, 172, 80, 25);

    RadioGroup1->al_pulsar = [this] { RadioGroup1Click(); };
    RadioGroup1->pon_indice(0);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [] { muestra_ayuda(Form1->ruta_ayuda, "IDH_menu"); });
    // Intro pulsa el botón que tiene el foco o, si no, "Aceptar"; Escape cierra.
    atajos_ = new atajos_ventana(this);
    atajos_->ata_dialogo([this] { Button1Click(); }, [this] { Button2Click(); });
}

void TListados::RadioGroup1Click()
{
    if (RadioGroup1->indice() == 1) {
        Panel1->hide();
        Panel2->show();
    } else {
        Panel2->hide();
        Panel1->show();
    }
}

void TListados::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous()) FormShow();
}

void TListados::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    if (Form1) Form1->setEnabled(true);
}

void TListados::FormShow()
{
    Edit1->setText(texto_g(PMINF1));
    Edit2->setText(texto_g(PMAXF1));
    ComboBox1->setCurrentIndex(0);
    Edit3->setText(texto_g(PMINF2));
    Edit4->setText(texto_g(PMAXF2));
    Edit5->setText(texto_g(0));
    Edit6->setText(texto_g(800));
}

void TListados::Button2Click() { hide(); }

void TListados::Button1Click()
{
    limites_curvas& c = limites_listado_curvas;
    limites_tablas& t = limites_listado_tablas;
    const bool curvas = RadioGroup1->indice() != 1;
    // Se leen los límites de la clase elegida; sólo se guardan si valen
    // todos, para que la ventana de listado siga con los que tenía. Un texto
    // que no es un número lo dice y devuelve el foco a su campo; un número
    // fuera del rango lo dice la comprobación del rango. "Líneas por página"
    // no se lee aquí: la lee la impresión.
    float pmin = 0, pmax = 0, tmin = 0, tmax = 0;
    campo_edicion* const campos_leidos[4] = {curvas ? Edit1 : Edit3, curvas ? Edit2 : Edit4, Edit5, Edit6};
    float* const valores[4] = {&pmin, &pmax, &tmin, &tmax};
    for (int k = 0; k < (curvas ? 2 : 4); ++k) {
        if (!lee_limite(campos_leidos[k]->text(), *valores[k])) {
            muestra_error("Valor del campo incorrecto");
            campos_leidos[k]->recupera_foco();
            return;
        }
    }
    if (curvas) {
        if (!(pmin >= 0.999 * PMINF1 && pmax <= 1.001 * PMAXF1 && pmin < pmax)) {
            muestra_error("%s", presion_fuera_de_rango);
            return;
        }
    } else {
        if (!(pmin >= 0.999 * PMINF2 && pmax <= 1.00001 * PMAXF2 && pmin < pmax)) {
            muestra_error("%s", presion_fuera_de_rango);
            return;
        }
        if (!(tmin >= 0 && tmax <= 800.8 && tmin < tmax)) {
            muestra_error("%s", temperatura_fuera_de_rango);
            return;
        }
    }
    c.salto = ComboBox1->currentIndex();
    t.salto_p = ComboBox2->currentIndex();
    t.salto_t = ComboBox3->currentIndex();
    if (curvas) {
        c.pmin = pmin;
        c.pmax = pmax;
    } else {
        t.pmin = pmin;
        t.pmax = pmax;
        t.tmin = tmin;
        t.tmax = tmax;
    }
    if (unidad_presion_at == 1) {
        float* p[2] = {curvas ? &c.pmin : &t.pmin, curvas ? &c.pmax : &t.pmax};
        for (float* v : p) *v = static_cast<float>(*v * AT_A_BAR);
    }

    Form11->pagina_actual = 1;
    if (curvas) {
        Form11->num_paginas = listado_curvas_limite(1, 1, destino_listado::ventana);
        imprelist1->paginas_impresion = listado_curvas_limite(1, 1, destino_listado::fichero);
        Form11->tipo_listado = 1;
    } else {
        Form11->num_paginas = listado_liquido_vapor(1, 1, destino_listado::ventana);
        imprelist1->paginas_impresion = listado_liquido_vapor(1, 1, destino_listado::fichero);
        Form11->tipo_listado = 2;
    }
    if (curvas)
        imprelist1->pon_titulo(formatea("BRUMALIX: Listado de curvas límite entre %g y %g bar"_w, c.pmin, c.pmax));
    else
        imprelist1->pon_titulo(formatea("BRUMALIX: Listado entre entre %g y %g bar y entre %g y %g %cC", t.pmin, t.pmax,
                                        t.tmin, t.tmax, 0xB0));
    Form11->presenta_listado();
}

int TListados::lineas_por_pagina_impresas()
{
    // Vacío, 0, negativo o un texto que no es un número: las líneas de
    // omisión, sin mensaje.
    std::int32_t lineas = 0;
    if (Edit7->valor_entero(campos::lineas, lineas) != lectura_campo::valido || lineas < 1) return 45;
    return lineas;
}
