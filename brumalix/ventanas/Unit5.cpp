#include "brumalix/ventanas/Unit5.h"
#include "brumalix/ventanas/Unit1.h"
#include "brumalix/ventanas/Unit12.h"
#include "brumalix/ventanas/estilo_brumalix.h"
#include "brumalix/ventanas/ventanas.h"

#include "plataforma/disposicion.h"
#include "plataforma/portapapeles.h"

#include "brumalix/motor/equipos.h"
#include "brumalix/motor/estados.h"
#include "brumalix/motor/problema_agua.h"
#include "comun/rtf.h"

#include <QContextMenuEvent>
#include <QMenu>

#include <algorithm>

namespace {

void muestra_resultados() { Resultados->muestra(); }

} // namespace

TResultados* Resultados = nullptr;

TResultados::TResultados()
{
    disposicion::ventana_fija(this, QStringLiteral("Resultados"), QSize(680, 440));
    ListBox1 = new lista_marcado(estilo_resultados(), this);
    ListBox1->setGeometry(0, 0, 680, 400);
    ComboBox1 = new lista_desplegable(this);
    ComboBox1->setGeometry(8, 409, 170, 22);
    auto boton = [this](const char* texto, const char* pista, int x) {
        auto* b = new QPushButton(QString::fromUtf8(texto), this);
        QFont f = b->font();
        f.setBold(true);
        b->setFont(f);
        b->setToolTip(QString::fromUtf8(pista));
        b->setGeometry(x, 408, 34, 24);
        return b;
    };
    BitBtn1 = boton("|<", "Primera página (Inicio)", 186);
    BitBtn2 = boton("<", "Página anterior (PgUp)", 222);
    BitBtn3 = boton(">", "Página siguiente (PgDn)", 258);
    BitBtn4 = boton(">|", "Ultima página (Fin)", 294);
    Button3 = new QPushButton(QStringLiteral("Preview"), this);
    Button3->setGeometry(420, 408, 75, 24);
    Button3->hide();
    Button2 = new QPushButton(QStringLiteral("Imprimir"), this);
    Button2->setGeometry(500, 408, 75, 24);
    Button1 = new QPushButton(QStringLiteral("Cerrar"), this);
    Button1->setGeometry(584, 408, 75, 24);
    Button1->setDefault(true);
    ComboBox1->al_cambiar = [this] { ComboBox1Change(); };
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    connect(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });

    PopupMenu1 = new QMenu(this);
    PopupMenu1->addAction(QStringLiteral("Enviar al clipboard"), this, [this] { Enviaralclipboard1Click(); });
    atajos_ = new atajos_ventana(this);
    atajos_->ata_recorrido_en_menu(PopupMenu1, [this] { Primero1Click(); }, [this] { Anterior1Click(); },
                                   [this] { Siguiente1Click(); }, [this] { Ultimo1Click(); });
    atajos_->ata_en_menu(PopupMenu1,
                         {{QStringLiteral("Preview\tAlt+P"), Qt::AltModifier | Qt::Key_P, [this] { Preview1Click(); }}});
    // "Cerrar" es el botón por omisión y el de cancelar.
    atajos_->ata(QKeyCombination(Qt::NoModifier, Qt::Key_Escape), [this] { Button1Click(); });
    atajos_->ata_boton_con_foco(QKeyCombination(Qt::NoModifier, Qt::Key_Return), [this] { Button1Click(); });

    oculta_navegacion();
    pon_lista_resultados(ListBox1);
    pon_muestra_resultados(muestra_resultados);
}

TResultados::~TResultados()
{
    pon_muestra_resultados(nullptr);
    pon_lista_resultados(nullptr);
}

void TResultados::contextMenuEvent(QContextMenuEvent* e) { PopupMenu1->popup(e->globalPos()); }

void TResultados::muestra()
{
    move(1, 1);
    show();
    raise();
}

void TResultados::oculta_navegacion()
{
    for (QWidget* w : {static_cast<QWidget*>(ComboBox1), static_cast<QWidget*>(BitBtn1), static_cast<QWidget*>(BitBtn2),
                       static_cast<QWidget*>(BitBtn3), static_cast<QWidget*>(BitBtn4)})
        w->hide();
}

void TResultados::muestra_navegacion()
{
    for (QWidget* w : {static_cast<QWidget*>(ComboBox1), static_cast<QWidget*>(BitBtn1), static_cast<QWidget*>(BitBtn2),
                       static_cast<QWidget*>(BitBtn3), static_cast<QWidget*>(BitBtn4)})
        w->show();
}

int TResultados::ultimo_elemento() const
{
    // El selector tiene una entrada por equipo del último "Calcular todo".
    return std::clamp(static_cast<int>(num_equipos), 0, std::max(ComboBox1->count() - 1, 0));
}

void TResultados::habilita_botones_resultados()
{
    const int i = ComboBox1->currentIndex();
    BitBtn1->setEnabled(i > 0);
    BitBtn2->setEnabled(i > 0);
    BitBtn3->setEnabled(i < ultimo_elemento());
    BitBtn4->setEnabled(i < ultimo_elemento());
}

void TResultados::escribe_tabla(int i)
{
    ListBox1->borra();
    if (i <= 0) lista_estados(nullptr);
    else lista_elemento(i - 1, nullptr);
}

void TResultados::ComboBox1Change()
{
    escribe_tabla(ComboBox1->currentIndex());
    habilita_botones_resultados();
}

void TResultados::BitBtn1Click()
{
    ComboBox1->setCurrentIndex(0);
    escribe_tabla(0);
    habilita_botones_resultados();
}

void TResultados::BitBtn2Click()
{
    const int i = ComboBox1->currentIndex();
    if (i <= 0) return;
    ComboBox1->setCurrentIndex(i - 1);
    escribe_tabla(i - 1);
    habilita_botones_resultados();
}

void TResultados::BitBtn3Click()
{
    const int i = ComboBox1->currentIndex();
    if (i >= ultimo_elemento()) return;
    ComboBox1->setCurrentIndex(i + 1);
    escribe_tabla(i + 1);
    habilita_botones_resultados();
}

void TResultados::BitBtn4Click()
{
    const int i = ultimo_elemento();
    ComboBox1->setCurrentIndex(i);
    escribe_tabla(i);
    habilita_botones_resultados();
}

// Desde el teclado, la navegación sólo actúa cuando está a la vista: sin
// ella (tras "Calcular estados" o un cálculo fallido) las tablas no se
// pueden rehacer con lo que hay en memoria.
void TResultados::Primero1Click()
{
    if (navegacion_visible()) BitBtn1Click();
}

void TResultados::Anterior1Click()
{
    if (navegacion_visible()) BitBtn2Click();
}

void TResultados::Siguiente1Click()
{
    if (navegacion_visible()) BitBtn3Click();
}

void TResultados::Ultimo1Click()
{
    if (navegacion_visible()) BitBtn4Click();
}

void TResultados::Button1Click() { hide(); }

void TResultados::Button2Click() { Impresion->QuickReport1->imprime(this); }

void TResultados::Button3Click() { Impresion->QuickReport1->vista_previa(this); }

void TResultados::Preview1Click() { Button3Click(); }

void TResultados::Enviaralclipboard1Click()
{
    if (!escribe_rtf(Form1->ruta_temporal, Form1->ruta_rtf)) return;
    // Al lado del RTF, el texto de los resultados sin los códigos, con los
    // caracteres de Symbol en Unicode.
    copia_rtf_al_portapapeles(Form1->ruta_rtf, texto_utf8_resultados(Form1->ruta_temporal));
}
