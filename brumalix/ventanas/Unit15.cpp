#include "Unit15.h"
#include "ventanas.h"

#include "plataforma/fuentes.h"
#include "plataforma/lista_marcado.h"

#include "brumalix/motor/traza.h"

#include <QVBoxLayout>

void lista_traza_ventana::agrega(std::string_view linea)
{
    lista_->addItem(desde_1252(linea));
    // Un "Calcular todo" grande escribe decenas de miles de líneas y la
    // lista sólo la vacía "Calcular estados": se recorta por el principio.
    const std::size_t n = static_cast<std::size_t>(lista_->count());
    if (n > maximo_ + maximo_ / 10) lista_->model()->removeRows(0, static_cast<int>(n - maximo_));
}

void lista_traza_ventana::borra() { lista_->clear(); }

std::size_t lista_traza_ventana::numero() const { return static_cast<std::size_t>(lista_->count()); }

std::string lista_traza_ventana::linea(std::size_t i) const
{
    const QListWidgetItem* it = lista_->item(static_cast<int>(i));
    return it ? a_1252(it->text()) : std::string();
}

TForm15* Form15 = nullptr;

TForm15::TForm15() : ListBox1(new QListWidget(this)), lista_(ListBox1, MAXIMO_LINEAS)
{
    setWindowTitle(QStringLiteral("Form15"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    resize(440, 241);
    move(260, 142);
    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    ListBox1->setFont(fuentes::fuente(QStringLiteral("Courier New"), 11));
    ListBox1->setUniformItemSizes(true);
    ListBox1->setStyleSheet(QStringLiteral("QListWidget::item { height: 14px; }"));
    capa->addWidget(ListBox1);
    pon_lista_traza(&lista_);
}

TForm15::~TForm15() { pon_lista_traza(nullptr); }

void TForm15::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        // (1, 1) es la esquina del marco sólo si se da antes de que la
        // ventana exista en el sistema de ventanas: dada después, mientras el
        // gestor de ventanas aún no la ha enmarcado, sería la esquina de
        // dentro y la barra del título quedaría fuera de la pantalla. Por eso
        // la ventana oculta suelta la suya y se crea de nuevo al mostrarse.
        if (testAttribute(Qt::WA_WState_Created)) destroy();
        move(1, 1);
    }
    QWidget::setVisible(visible);
}
