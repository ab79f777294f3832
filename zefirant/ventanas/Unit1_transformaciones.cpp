// Página "Transformaciones" de la ventana principal.
#include "zefirant/ventanas/Unit1.h"
#include "zefirant/ventanas/ventanas.h"

#include "plataforma/disposicion.h"
#include "plataforma/lista_marcado.h"

#include "comun/formato.h"
#include "comun/mensajes.h"
#include "comun/texto1252.h"
#include "zefirant/motor/problema.h"

#include <QLabel>

#include <cctype>
#include <cstdlib>

using disposicion::etiqueta;

namespace {

bool es_digito(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Número de estado escrito, con o sin ceros delante: de 0 a 255, lo que
// cabe en el byte en que se guarda. Si nombra un estado del problema lo
// decide el cálculo.
bool numero_de_estado(const std::string& digitos)
{
    const std::size_t primera = digitos.find_first_not_of('0');
    if (primera == std::string::npos) return true;
    if (digitos.size() - primera > 3) return false;
    return std::atoi(digitos.c_str() + primera) <= 255;
}

// Largo máximo del texto normalizado de una transformación.
constexpr std::size_t LARGO_TRANSFORMACION = 99;

} // namespace

void TForm1::crea_pagina_transformaciones()
{
    QWidget* p = TabSheet3;
    etiqueta(QString::fromUtf8("Indique cada transformación separando los estados con un espacio."), p, 12, 8);
    etiqueta(QString::fromUtf8("Las transformaciones que no sean isóbaras, isócoras, isotermas o"), p, 12, 26);
    etiqueta(QString::fromUtf8("isoentrópicas serán calculadas como politrópicas."), p, 12, 40);
    Edit25 = new campo_edicion(p);
    Edit25->setGeometry(12, 64, 100, 21);
    Button7 = new QPushButton(QString::fromUtf8("Añadir"), p);
    Button7->setGeometry(120, 62, 75, 25);
    Button7->setDefault(true);
    Button7->setAutoDefault(true);
    Button8 = new QPushButton(QStringLiteral("Eliminar"), p);
    Button8->setGeometry(120, 94, 75, 25);
    ListBox1 = new QListWidget(p);
    ListBox1->setGeometry(210, 64, 260, 150);
    ListBox1->setFlow(QListView::TopToBottom);
    ListBox1->setWrapping(true);
    ListBox1->setResizeMode(QListView::Adjust);
    ListBox1->setGridSize(QSize(62, 15));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    etiqueta(QStringLiteral("Transformaciones definidas: "), p, 12, 222);
    Label46 = etiqueta(QStringLiteral("0"), p, 160, 222);
    Label46->setFixedWidth(30);
    etiqueta(QStringLiteral("Actual:"), p, 210, 222);
    Label50 = etiqueta(QStringLiteral("0"), p, 250, 222);
    Label50->setFixedWidth(30);
    Button12 = new QPushButton(QStringLiteral("Ayuda"), p);
    Button12->setGeometry(395, 222, 75, 25);
    connect(Button7, &QPushButton::clicked, this, [this] { Button7Click(); });
    connect(Edit25, &QLineEdit::returnPressed, this, [this] { Button7Click(); });
    connect(Button8, &QPushButton::clicked, this, [this] { Button8Click(); });
    connect(ListBox1, &QListWidget::itemClicked, this, [this] { ListBox1Click(); });
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this] { ListBox1Click(); });
    connect(Button12, &QPushButton::clicked, this, [this] { Ayuda2Click(); });
}

int TForm1::lee_transformacion(const std::string& texto, std::string& destino)
{
    std::size_t i = 0;
    auto salta = [&] {
        while (i < texto.size() && texto[i] == ' ') ++i;
    };
    auto digitos = [&] {
        std::string d;
        while (i < texto.size() && es_digito(texto[i])) d.push_back(texto[i++]);
        return d;
    };
    salta();
    if (i >= texto.size() || !es_digito(texto[i])) return 0;
    std::string desde = digitos();
    salta();
    if (i >= texto.size() || !es_digito(texto[i])) return 0;
    std::string hasta = digitos();
    salta();
    if (i != texto.size()) return 0;
    // Un número que no cabe en un byte se rechaza aquí, en lugar de
    // guardarse recortado.
    if (!numero_de_estado(desde) || !numero_de_estado(hasta)) return 0;
    if (desde.size() + 1 + hasta.size() > LARGO_TRANSFORMACION) return 0;
    destino = desde + " " + hasta;
    return 1;
}

void TForm1::Button7Click()
{
    if (ListBox1->count() >= MAXTRANSFORMACIONES) {
        muestra_error("%s", formatea_n(200, "No se pueden definir más de %d transformaciones"_w, MAXTRANSFORMACIONES).c_str());
        return;
    }
    std::string normal;
    if (!lee_transformacion(a_1252(Edit25->text()), normal)) {
        muestra_error("%s", "Transformación incorrecta"_w);
        return;
    }
    for (int k = 0; k < ListBox1->count(); ++k) {
        if (a_1252(ListBox1->item(k)->text()) == normal) {
            muestra_error("%s", "Transformación repetida"_w);
            return;
        }
    }
    ListBox1->addItem(desde_1252(normal));
    ListBox1->setCurrentRow(ListBox1->count() - 1);
    Edit25->clear();
    Label46->setText(QString::number(Label46->text().toInt() + 1));
    Label50->setText(Label46->text());
    modificado = 1;
}

void TForm1::Button8Click()
{
    int i = ListBox1->currentRow();
    if (i >= 0 && ListBox1->currentItem() && ListBox1->currentItem()->isSelected()) {
        delete ListBox1->takeItem(i);
        int n = Label46->text().toInt() - 1;
        Label46->setText(QString::number(n < 0 ? 0 : n));
        modificado = 1;
        if (ListBox1->count() > 0) ListBox1->setCurrentRow(i < ListBox1->count() ? i : ListBox1->count() - 1);
        else ListBox1->setCurrentRow(-1);
    }
    Label50->setText(ListBox1->count() > 0 && ListBox1->currentRow() >= 0 ? QString::number(ListBox1->currentRow() + 1)
                                                                          : QStringLiteral("0"));
}

void TForm1::ListBox1Click()
{
    if (ListBox1->count() > 0 && ListBox1->currentRow() >= 0) Label50->setText(QString::number(ListBox1->currentRow() + 1));
}
