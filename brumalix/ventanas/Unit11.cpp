#include "Unit11.h"
#include "Unit13.h"
#include "estilo_brumalix.h"
#include "ventanas.h"

#include "brumalix/motor/listados.h"

#include <QContextMenuEvent>
#include <QMenu>

TForm11::TForm11()
{
    setWindowTitle(QStringLiteral("Salida listados"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(680, 336);
    ListBox1 = new lista_marcado(estilo_listados(), this);
    ListBox1->setGeometry(0, 0, 680, 298);
    QFont negrita = font();
    negrita.setBold(true);
    auto etiqueta = [&](const QString& t, int x) {
        auto* l = new QLabel(t, this);
        l->setFont(negrita);
        l->move(x, 309);
        l->adjustSize();
        return l;
    };
    etiqueta(QStringLiteral("Pg."), 8);
    ComboBox1 = new lista_desplegable(this);
    ComboBox1->setFont(negrita);
    ComboBox1->setGeometry(32, 305, 60, 22);
    etiqueta(QStringLiteral("de"), 98);
    Label1 = etiqueta(QStringLiteral("00"), 116);
    Label1->setFixedWidth(32);
    auto boton = [&](const QString& t, int x) {
        auto* b = new QPushButton(t, this);
        b->setFont(negrita);
        b->setGeometry(x, 304, 34, 24);
        return b;
    };
    Button4 = boton(QStringLiteral("|<"), 156);
    Button1 = boton(QStringLiteral("<"), 192);
    Button2 = boton(QStringLiteral(">"), 228);
    Button5 = boton(QStringLiteral(">|"), 264);
    Button7 = new QPushButton(QStringLiteral("Preview"), this);
    Button7->setGeometry(420, 304, 75, 24);
    Button7->hide();
    Button6 = new QPushButton(QStringLiteral("Imprimir"), this);
    Button6->setGeometry(500, 304, 75, 24);
    Button3 = new QPushButton(QStringLiteral("Cerrar"), this);
    Button3->setGeometry(584, 304, 75, 24);
    Button3->setDefault(true);
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    connect(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });
    connect(Button7, &QPushButton::clicked, this, [this] { Button7Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    ComboBox1->al_cambiar = [this] { ComboBox1Change(); };

    PopupMenu1 = new QMenu(this);
    PopupMenu1->addAction(QStringLiteral("Primero\tHome"), this, [this] { Button4Click(); });
    PopupMenu1->addAction(QStringLiteral("Anterior\tPgUp"), this, [this] { Button1Click(); });
    PopupMenu1->addAction(QStringLiteral("Siguiente\tPgDn"), this, [this] { Button2Click(); });
    PopupMenu1->addAction(QStringLiteral("Ultimo\tEnd"), this, [this] { Button5Click(); });
    PopupMenu1->addAction(QStringLiteral("Preview\tAlt+P"), this, [this] { Button7Click(); });
    atajos_ = new atajos_ventana(this);
    atajos_->ata(QKeyCombination(Qt::NoModifier, Qt::Key_Home), [this] { Button4Click(); });
    atajos_->ata(QKeyCombination(Qt::NoModifier, Qt::Key_PageUp), [this] { Button1Click(); });
    atajos_->ata(QKeyCombination(Qt::NoModifier, Qt::Key_PageDown), [this] { Button2Click(); });
    atajos_->ata(QKeyCombination(Qt::NoModifier, Qt::Key_End), [this] { Button5Click(); });
    atajos_->ata(QKeyCombination(Qt::AltModifier, Qt::Key_P), [this] { Button7Click(); });
    atajos_->ata(QKeyCombination(Qt::NoModifier, Qt::Key_Escape), [this] { Button3Click(); });
    atajos_->ata(QKeyCombination(Qt::NoModifier, Qt::Key_Return), [this] {
        if (auto* b = qobject_cast<QPushButton*>(focusWidget())) b->click();
        else Button3Click();
    });
    pon_lista_listado(ListBox1);
}

TForm11::~TForm11() { pon_lista_listado(nullptr); }

void TForm11::contextMenuEvent(QContextMenuEvent* e) { PopupMenu1->popup(e->globalPos()); }

void TForm11::muestra_pagina()
{
    if (tipo_listado == 1) listado_curvas_limite(pagina_actual, 0, destino_listado::ventana);
    else listado_liquido_vapor(pagina_actual, 0, destino_listado::ventana);
    habilita_botones_pagina();
    ComboBox1->setCurrentIndex(pagina_actual - 1);
}

void TForm11::habilita_botones_pagina()
{
    Button1->setEnabled(pagina_actual > 1);
    Button2->setEnabled(pagina_actual < num_paginas);
    Button4->setEnabled(Button1->isEnabled());
    Button5->setEnabled(Button2->isEnabled());
}

void TForm11::Button2Click()
{
    if (pagina_actual >= num_paginas) return;
    ++pagina_actual;
    muestra_pagina();
}

void TForm11::Button1Click()
{
    if (pagina_actual <= 1) return;
    --pagina_actual;
    muestra_pagina();
}

void TForm11::Button4Click()
{
    pagina_actual = 1;
    muestra_pagina();
}

void TForm11::Button5Click()
{
    // Sin listado hecho no hay última página: se queda en la primera.
    pagina_actual = num_paginas > 0 ? num_paginas : 1;
    muestra_pagina();
}

void TForm11::ComboBox1Change()
{
    const int i = ComboBox1->currentIndex();
    if (i < 0) return;
    pagina_actual = i + 1;
    muestra_pagina();
}

void TForm11::Button6Click() { imprelist1->QuickReport1->imprime(this); }

void TForm11::Button7Click() { imprelist1->QuickReport1->vista_previa(this); }

void TForm11::Button3Click() { hide(); }
