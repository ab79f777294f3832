#include "plataforma/ventana_listado.h"
#include "plataforma/disposicion.h"

#include <QContextMenuEvent>
#include <QMenu>

ventana_listado::ventana_listado(const estilo_marcado& estilo, const disposicion_listado& d)
{
    disposicion::ventana_fija(this, d.titulo, d.tamano);
    ListBox1 = new lista_marcado(estilo, this);
    ListBox1->setGeometry(d.lista);
    QFont negrita = font();
    negrita.setBold(true);
    auto rotulo = [&](const QString& t, int x) {
        auto* l = new QLabel(t, this);
        l->setFont(negrita);
        l->move(x, d.y_rotulos);
        l->adjustSize();
        return l;
    };
    rotulo(d.rotulo_pagina, d.x_pagina);
    ComboBox1 = new lista_desplegable(this);
    if (d.paginas_en_negrita) ComboBox1->setFont(negrita);
    ComboBox1->setGeometry(d.paginas);
    rotulo(QStringLiteral("de"), d.x_de);
    Label1 = rotulo(d.total_inicial, d.x_total);
    Label1->setFixedWidth(d.ancho_total);
    QPushButton** botones[4] = {&Button4, &Button1, &Button2, &Button5};
    const char* textos[4] = {"|<", "<", ">", ">|"};
    for (std::size_t k = 0; k < 4; ++k) {
        auto* b = new QPushButton(QString::fromLatin1(textos[k]), this);
        b->setFont(negrita);
        b->setGeometry(QRect(QPoint(d.x_botones[k], d.y_botones), d.boton));
        *botones[k] = b;
    }
    Button7 = new QPushButton(QStringLiteral("Preview"), this);
    Button7->setGeometry(d.preview);
    Button7->hide();
    Button6 = new QPushButton(QStringLiteral("Imprimir"), this);
    Button6->setGeometry(d.imprimir);
    Button3 = new QPushButton(QStringLiteral("Cerrar"), this);
    Button3->setGeometry(d.cerrar);
    Button3->setDefault(d.cerrar_por_omision);
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    connect(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });
    connect(Button7, &QPushButton::clicked, this, [this] { Button7Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    ComboBox1->al_cambiar = [this] { ComboBox1Change(); };

    PopupMenu1 = new QMenu(this);
    atajos_ = new atajos_ventana(this);
    atajos_->ata_recorrido_en_menu(PopupMenu1, [this] { Button4Click(); }, [this] { Button1Click(); },
                                   [this] { Button2Click(); }, [this] { Button5Click(); });
    atajos_->ata_en_menu(PopupMenu1,
                         {{QStringLiteral("Preview\tAlt+P"), Qt::AltModifier | Qt::Key_P, [this] { Button7Click(); }}});
    atajos_->ata(QKeyCombination(Qt::NoModifier, Qt::Key_Escape), [this] { Button3Click(); });
    if (d.cerrar_por_omision)
        atajos_->ata_boton_con_foco(QKeyCombination(Qt::NoModifier, Qt::Key_Return), [this] { Button3Click(); });
}

void ventana_listado::contextMenuEvent(QContextMenuEvent* e) { PopupMenu1->popup(e->globalPos()); }

void ventana_listado::presenta_listado()
{
    move(1, 1);
    show();
    raise();
    activateWindow();
    habilita_botones_pagina();
    ComboBox1->clear();
    for (int k = 1; k <= num_paginas; ++k) ComboBox1->addItem(QString::number(k));
    ComboBox1->setCurrentIndex(0);
    Label1->setText(QString::number(num_paginas));
    muestra_pagina();
}

void ventana_listado::muestra_pagina()
{
    dibuja_pagina();
    habilita_botones_pagina();
    ComboBox1->setCurrentIndex(pagina_actual - 1);
}

void ventana_listado::habilita_botones_pagina()
{
    Button1->setEnabled(pagina_actual > 1);
    Button2->setEnabled(pagina_actual < num_paginas);
    Button4->setEnabled(Button1->isEnabled());
    Button5->setEnabled(Button2->isEnabled());
}

void ventana_listado::Button4Click()
{
    pagina_actual = 1;
    muestra_pagina();
}

void ventana_listado::Button1Click()
{
    if (pagina_actual <= 1) return;
    --pagina_actual;
    muestra_pagina();
}

void ventana_listado::Button2Click()
{
    if (pagina_actual >= num_paginas) return;
    ++pagina_actual;
    muestra_pagina();
}

void ventana_listado::Button5Click()
{
    // Sin listado hecho no hay última página: se queda en la primera.
    pagina_actual = num_paginas > 0 ? num_paginas : 1;
    muestra_pagina();
}

void ventana_listado::ComboBox1Change()
{
    const int i = ComboBox1->currentIndex();
    if (i < 0) return;
    pagina_actual = i + 1;
    muestra_pagina();
}

void ventana_listado::Button6Click() { informe_listado().imprime(this); }

void ventana_listado::Button7Click() { informe_listado().vista_previa(this); }

void ventana_listado::Button3Click() { hide(); }
