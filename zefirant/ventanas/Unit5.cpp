#include "Unit5.h"
#include "Unit1.h"
#include "Unit8.h"
#include "estilo_zefirant.h"
#include "ventanas.h"

#include "plataforma/portapapeles.h"

#include "comun/formato.h"
#include "zefirant/motor/listado.h"

#include <QContextMenuEvent>
#include <QMenu>

TForm5::TForm5()
{
    setWindowTitle(QStringLiteral("Listado de propiedades"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(639, 410);
    ListBox1 = new lista_marcado(estilo_zefirant(), this);
    ListBox1->setGeometry(0, 0, 639, 375);
    QFont negrita = font();
    negrita.setBold(true);
    auto etiqueta = [&](const QString& t, int x) {
        auto* l = new QLabel(t, this);
        l->setFont(negrita);
        l->move(x, 388);
        l->adjustSize();
        return l;
    };
    etiqueta(QStringLiteral("Pg"), 0);
    ComboBox1 = new lista_desplegable(this);
    ComboBox1->setGeometry(24, 384, 81, 21);
    etiqueta(QStringLiteral("de"), 112);
    Label1 = etiqueta(QString(), 132);
    Label1->setFixedWidth(40);
    auto boton = [&](const QString& t, int x, int ancho = 41) {
        auto* b = new QPushButton(t, this);
        b->setFont(negrita);
        b->setGeometry(x, 384, ancho, 25);
        return b;
    };
    Button4 = boton(QStringLiteral("|<"), 179);
    Button1 = boton(QStringLiteral("<"), 227);
    Button2 = boton(QStringLiteral(">"), 272);
    Button5 = boton(QStringLiteral(">|"), 321);
    Button7 = boton(QStringLiteral("Preview"), 387, 50);
    Button7->hide();
    Button6 = new QPushButton(QStringLiteral("Imprimir"), this);
    Button6->setGeometry(440, 384, 60, 25);
    Button3 = new QPushButton(QStringLiteral("Cerrar"), this);
    Button3->setGeometry(504, 384, 75, 25);
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    connect(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });
    connect(Button7, &QPushButton::clicked, this, [this] { Button7Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { hide(); });
    ComboBox1->al_cambiar = [this] { ComboBox1Change(); };

    PopupMenu1 = new QMenu(this);
    PopupMenu1->addAction(QStringLiteral("Enviar al Clipboard"), this, [this] { EnviaralClipboard1Click(); });
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
    atajos_->ata(QKeyCombination(Qt::NoModifier, Qt::Key_Escape), [this] { hide(); });
}

void TForm5::contextMenuEvent(QContextMenuEvent* e) { PopupMenu1->popup(e->globalPos()); }

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

void TForm5::habilita_botones_pagina()
{
    Button1->setEnabled(pagina_actual > 1);
    Button4->setEnabled(pagina_actual > 1);
    Button2->setEnabled(pagina_actual < num_paginas);
    Button5->setEnabled(pagina_actual < num_paginas);
}

void TForm5::muestra_pagina()
{
    TForm1* f = Form1;
    lista_propiedades(f->c_gas, static_cast<unsigned>(f->t_min_listado), static_cast<unsigned>(f->t_max_listado),
                      f->intervalo_listado, pagina_actual, 0, nullptr, ListBox1);
    habilita_botones_pagina();
    ComboBox1->setCurrentIndex(pagina_actual - 1);
}

void TForm5::Button4Click()
{
    pagina_actual = 1;
    muestra_pagina();
}

void TForm5::Button1Click()
{
    if (pagina_actual > 1) {
        --pagina_actual;
        muestra_pagina();
    }
}

void TForm5::Button2Click()
{
    if (pagina_actual < num_paginas) {
        ++pagina_actual;
        muestra_pagina();
    }
}

void TForm5::Button5Click()
{
    pagina_actual = num_paginas;
    muestra_pagina();
}

void TForm5::ComboBox1Change()
{
    int i = ComboBox1->currentIndex();
    if (i < 0) return;
    pagina_actual = i + 1;
    muestra_pagina();
}

void TForm5::EnviaralClipboard1Click()
{
    std::string texto;
    for (std::size_t i = 0; i < ListBox1->numero(); ++i) texto += ListBox1->linea(i) + "\n";
    copia_texto_al_portapapeles(texto);
}

void TForm5::Button6Click() { Form8->QuickReport1->imprime(this); }

void TForm5::Button7Click() { Form8->QuickReport1->vista_previa(this); }
