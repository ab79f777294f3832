// Página "Equipos": nombre y estados entrantes y salientes de cada equipo,
// su navegación y la lista emergente de los equipos definidos.
#include "brumalix/ventanas/Unit1.h"
#include "brumalix/ventanas/disposicion.h"
#include "brumalix/ventanas/ventanas.h"

#include "plataforma/fuentes.h"
#include "plataforma/lista_marcado.h"

#include "comun/mensajes.h"
#include "comun/texto1252.h"

#include <QEvent>
#include <QTimer>

#include <algorithm>
#include <cstring>

using namespace disposicion;

namespace {

// Copia un texto en un campo de 'capacidad' bytes, siempre terminado.
void copia_campo(char* destino, std::size_t capacidad, const std::string& texto)
{
    const std::size_t n = std::min(texto.size(), capacidad - 1);
    std::memcpy(destino, texto.data(), n);
    destino[n] = '\0';
}

QString texto_campo(const char* campo, std::size_t capacidad) { return desde_1252(std::string(campo, strnlen(campo, capacidad))); }

// Las listas de estados no se eligen enteras al entrar en ellas: el cursor
// queda al final, para seguir escribiendo números.
class sin_seleccion : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        if (evento->type() == QEvent::FocusIn) {
            auto* e = static_cast<QLineEdit*>(objeto);
            QTimer::singleShot(0, e, [e] { e->deselect(); e->end(false); });
        }
        return false;
    }
};

} // namespace

void TForm1::crea_pagina_equipos()
{
    QWidget* p = TabSheet2;
    etiqueta(QStringLiteral("Equipo"), p, 8, 7);
    Label55 = etiqueta(QStringLiteral("1"), p, 50, 7, true);
    Label55->setFixedWidth(20);
    Label55->setAlignment(Qt::AlignRight);
    etiqueta(QStringLiteral("de"), p, 76, 7);
    Label25 = etiqueta(QStringLiteral("0"), p, 92, 7, true);
    Label25->setFixedWidth(20);
    etiqueta(QStringLiteral("(Ir a"), p, 116, 7);
    BitBtn18 = boton_lista(p, 142, 4, 20, 18, QStringLiteral("Lista de equipos"));
    etiqueta(QStringLiteral(")"), p, 165, 7);

    etiqueta(QStringLiteral("Nombre"), p, 8, 44);
    Edit13 = campo(p, 120, 41, 300, LARGO_NOMBRE_EQUIPO - 1);
    etiqueta(QStringLiteral("Estados entrantes"), p, 8, 80);
    Edit14 = campo(p, 120, 77, 276, LARGO_ECUACION - 1);
    BitBtn12 = boton_lista(p, 400, 78, 20, 18, QStringLiteral("Lista de estados"));
    etiqueta(QStringLiteral("Estados salientes"), p, 8, 112);
    Edit15 = campo(p, 120, 109, 276, LARGO_ECUACION - 1);
    BitBtn13 = boton_lista(p, 400, 110, 20, 18, QStringLiteral("Lista de estados"));
    auto* filtro = new sin_seleccion(this);
    Edit14->installEventFilter(filtro);
    Edit15->installEventFilter(filtro);
    auto* pista = new QLabel(QStringLiteral("Introduzca los estados entrantes y salientes separados por espacios"), p);
    pista->setFont(fuentes::fuente(QStringLiteral("Arial"), 12, true));
    pista->setGeometry(8, 150, 424, 18);

    crea_navegacion(p, {&BitBtn14, &BitBtn15, &BitBtn16, &BitBtn17},
                    {QStringLiteral("Primer elemento"), QStringLiteral("Elemento anterior"),
                     QStringLiteral("Siguiente/nuevo elemento"), QStringLiteral("Ultimo elemento")},
                    {&TForm1::BitBtn14Click, &TForm1::BitBtn15Click, &TForm1::BitBtn16Click, &TForm1::BitBtn17Click});

    connect(BitBtn18, &QToolButton::clicked, this, [this] { muestra_lista_equipos(); });
    connect(BitBtn12, &QToolButton::clicked, this, [this] {
        campo_destino = Edit14;
        modo_lista = 3;
        muestra_lista_estados();
    });
    connect(BitBtn13, &QToolButton::clicked, this, [this] {
        campo_destino = Edit15;
        modo_lista = 3;
        muestra_lista_estados();
    });
}

void TForm1::lee_equipo()
{
    elemento& q = equipos[equipo_actual];
    copia_campo(q.nombre, sizeof q.nombre, a_1252(Edit13->text()));
    copia_campo(q.texto_entrantes, sizeof q.texto_entrantes, a_1252(Edit14->text()));
    copia_campo(q.texto_salientes, sizeof q.texto_salientes, a_1252(Edit15->text()));
}

void TForm1::borra_campos_equipo()
{
    Edit13->clear();
    Edit14->clear();
    Edit15->clear();
}

void TForm1::muestra_equipo()
{
    borra_campos_equipo();
    const elemento& q = equipos[equipo_actual];
    Edit13->setText(texto_campo(q.nombre, sizeof q.nombre));
    Edit14->setText(texto_campo(q.texto_entrantes, sizeof q.texto_entrantes));
    Edit15->setText(texto_campo(q.texto_salientes, sizeof q.texto_salientes));
    Label55->setText(QString::number(equipo_actual + 1));
    Label25->setText(QString::number(ultimo_equipo != 0 ? ultimo_equipo + 1 : 0));
}

void TForm1::habilita_botones_equipos()
{
    BitBtn14->setEnabled(equipo_actual > 0);
    BitBtn15->setEnabled(equipo_actual > 0);
    BitBtn16->setEnabled(true);
    BitBtn17->setEnabled(equipo_actual < ultimo_equipo);
    if (equipo_actual == MAXNUMEQUIPOS - 1) {
        BitBtn16->setEnabled(false);
        BitBtn17->setEnabled(false);
    }
    Edit13->setFocus();
}

void TForm1::BitBtn14Click()
{
    lee_equipo();
    equipo_actual = 0;
    muestra_equipo();
    habilita_botones_equipos();
}

void TForm1::BitBtn15Click()
{
    if (equipo_actual <= 0) return;
    lee_equipo();
    --equipo_actual;
    muestra_equipo();
    habilita_botones_equipos();
}

void TForm1::BitBtn16Click()
{
    if (equipo_actual >= MAXNUMEQUIPOS - 1) {
        muestra_error("%s", "Ya ha definido el número máximo de equipos"_w);
        return;
    }
    if (Edit13->text().isEmpty()) {
        muestra_error("No ha introducido el nombre del equipo");
        Edit13->setFocus();
        return;
    }
    lee_equipo();
    ++equipo_actual;
    if (equipo_actual > ultimo_equipo) ultimo_equipo = equipo_actual;
    muestra_equipo();
    habilita_botones_equipos();
}

void TForm1::BitBtn17Click()
{
    lee_equipo();
    equipo_actual = ultimo_equipo;
    muestra_equipo();
    habilita_botones_equipos();
}

void TForm1::muestra_lista_equipos()
{
    if (ultimo_equipo < 1) {
        muestra_error("No hay equipos definidos");
        return;
    }
    ListBox2->clear();
    ListBox2->addItem(QStringLiteral("<CERRAR>"));
    for (int i = 0; i < ultimo_equipo; ++i) ListBox2->addItem(texto_campo(equipos[i].nombre, sizeof equipos[i].nombre));
    ListBox2->setCurrentRow(-1);
    abre_panel(Panel2, ListBox2);
}

void TForm1::ListBox2Click(int fila)
{
    cierra_panel(Panel2);
    if (fila <= 0 || fila >= ListBox2->count()) return;
    lee_equipo();
    equipo_actual = fila - 1;
    muestra_equipo();
    habilita_botones_equipos();
}
