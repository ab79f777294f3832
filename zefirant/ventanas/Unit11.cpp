#include "zefirant/ventanas/Unit11.h"
#include "zefirant/ventanas/Unit1.h"
#include "zefirant/ventanas/Unit12.h"
#include "zefirant/ventanas/estilo_zefirant.h"
#include "zefirant/ventanas/ventanas.h"

#include "plataforma/disposicion.h"
#include "plataforma/portapapeles.h"

#include "comun/rtf.h"
#include "zefirant/motor/problema.h"
#include "zefirant/motor/tablas.h"

#include <QContextMenuEvent>
#include <QMenu>


TForm11* Form11 = nullptr;

TForm11::TForm11()
{
    disposicion::ventana_fija(this, QStringLiteral("Resultados de ZEFIRANT"), QSize(639, 423));
    ListBox1 = new lista_marcado(estilo_zefirant(), this);
    ListBox1->setGeometry(0, 0, 638, 384);
    QFont negrita = font();
    negrita.setBold(true);
    Button1 = new QPushButton(QStringLiteral("Cerrar"), this);
    Button1->setGeometry(528, 392, 75, 25);
    Button2 = new QPushButton(QStringLiteral("Estados"), this);
    Button2->setGeometry(24, 392, 75, 25);
    Button2->setFont(negrita);
    Button3 = new QPushButton(QStringLiteral("Transformaciones"), this);
    Button3->setGeometry(108, 392, 117, 25);
    Button3->setFont(negrita);
    Button4 = new QPushButton(QStringLiteral("Preview"), this);
    Button4->hide();
    Button5 = new QPushButton(QStringLiteral("Imprimir"), this);
    Button5->setGeometry(400, 392, 75, 25);
    connect(Button1, &QPushButton::clicked, this, [this] { hide(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Preview1Click(); });
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });

    PopupMenu1 = new QMenu(this);
    PopupMenu1->addAction(QStringLiteral("Enviar al clipboard"), this, [this] { Enviaralclipboard1Click(); });
    PopupMenu1->addAction(QStringLiteral("Siguiente\tPgDn"), this, [this] { Button3Click(); });
    PopupMenu1->addAction(QStringLiteral("Anterior\tPgUp"), this, [this] { Button2Click(); });
    PopupMenu1->addAction(QStringLiteral("Preview\tAlt+P"), this, [this] { Preview1Click(); });
    atajos_ = new atajos_ventana(this);
    atajos_->ata(QKeyCombination(Qt::NoModifier, Qt::Key_PageDown), [this] { Button3Click(); });
    atajos_->ata(QKeyCombination(Qt::NoModifier, Qt::Key_PageUp), [this] { Button2Click(); });
    atajos_->ata(QKeyCombination(Qt::AltModifier, Qt::Key_P), [this] { Preview1Click(); });
    atajos_->ata(QKeyCombination(Qt::NoModifier, Qt::Key_Escape), [this] { hide(); });
}

void TForm11::contextMenuEvent(QContextMenuEvent* e) { PopupMenu1->popup(e->globalPos()); }

void TForm11::muestra(bool con_transformaciones)
{
    move(0, 0);
    Button2->setVisible(con_transformaciones);
    Button3->setVisible(con_transformaciones);
    show();
    raise();
    activateWindow();
}

void TForm11::Button2Click()
{
    ListBox1->borra();
    texto_estados(*problema_actual, ListBox1, nullptr);
}

void TForm11::Button3Click()
{
    ListBox1->borra();
    texto_transformaciones(*problema_actual, ListBox1, nullptr);
}

void TForm11::Button5Click() { Form12->QuickReport1->imprime(this); }

void TForm11::Preview1Click() { Form12->QuickReport1->vista_previa(this); }

void TForm11::Enviaralclipboard1Click()
{
    if (!escribe_rtf(Form1->ruta_temporal, Form1->ruta_rtf)) return;
    // Al lado del RTF, el texto de los resultados sin los códigos, con los
    // caracteres de Symbol en Unicode.
    copia_rtf_al_portapapeles(Form1->ruta_rtf, texto_utf8_resultados(Form1->ruta_temporal));
}
