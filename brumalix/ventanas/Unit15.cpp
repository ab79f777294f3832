#include "brumalix/ventanas/Unit15.h"
#include "brumalix/ventanas/ventanas.h"

#include "plataforma/fuentes.h"
#include "plataforma/lista_marcado.h"

#include "brumalix/motor/traza.h"

#include <QVBoxLayout>

#include <algorithm>

lista_traza_ventana::lista_traza_ventana(std::size_t maximo, QObject* padre)
    : QAbstractListModel(padre), maximo_(maximo)
{
}

void lista_traza_ventana::agrega(std::string_view linea)
{
    lineas_.agrega(linea);
    tras_agregar();
}

unsigned char* lista_traza_ventana::reserva_diferida(forma_linea forma, std::size_t largo)
{
    unsigned char* sitio = lineas_.reserva_diferida(forma, largo);
    // Casi siempre no hay nada que recortar y el aviso al cuadro ya está
    // pedido. Un recorte quita las líneas más antiguas, nunca esta.
    if (!anuncio_pendiente_ || lineas_.numero() > maximo_ + maximo_ / 10) tras_agregar();
    return sitio;
}

void lista_traza_ventana::tras_agregar()
{
    // Un "Calcular todo" grande escribe decenas de miles de líneas y la
    // lista sólo la vacía "Calcular estados": se recorta por el principio.
    const std::size_t n = lineas_.numero();
    if (n > maximo_ + maximo_ / 10) {
        const std::size_t quitar = n - maximo_;
        const std::size_t conocidas = std::min(quitar, anunciadas_);
        if (conocidas) beginRemoveRows(QModelIndex(), 0, static_cast<int>(conocidas - 1));
        lineas_.quita_primeras(quitar);
        anunciadas_ -= conocidas;
        if (conocidas) endRemoveRows();
    }
    if (!anuncio_pendiente_) {
        anuncio_pendiente_ = true;
        QMetaObject::invokeMethod(this, [this] { anuncia(); }, Qt::QueuedConnection);
    }
}

void lista_traza_ventana::anuncia()
{
    anuncio_pendiente_ = false;
    const std::size_t n = lineas_.numero();
    if (n <= anunciadas_) return;
    beginInsertRows(QModelIndex(), static_cast<int>(anunciadas_), static_cast<int>(n - 1));
    anunciadas_ = n;
    endInsertRows();
}

void lista_traza_ventana::borra()
{
    beginResetModel();
    lineas_.borra();
    anunciadas_ = 0;
    endResetModel();
}

int lista_traza_ventana::rowCount(const QModelIndex& padre) const
{
    return padre.isValid() ? 0 : static_cast<int>(anunciadas_);
}

QVariant lista_traza_ventana::data(const QModelIndex& indice, int papel) const
{
    if (papel != Qt::DisplayRole || !indice.isValid() || static_cast<std::size_t>(indice.row()) >= anunciadas_)
        return QVariant();
    return desde_1252(lineas_.linea(static_cast<std::size_t>(indice.row())));
}

TForm15* Form15 = nullptr;

TForm15::TForm15() : ListBox1(new QListView(this)), lista_(new lista_traza_ventana(MAXIMO_LINEAS, this))
{
    setWindowTitle(QStringLiteral("Form15"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    resize(440, 241);
    move(260, 142);
    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    ListBox1->setFont(fuentes::fuente(QStringLiteral("Courier New"), 11));
    // Todas las filas miden lo mismo: el cuadro no pregunta por cada una.
    ListBox1->setUniformItemSizes(true);
    ListBox1->setStyleSheet(QStringLiteral("QListView::item { height: 14px; }"));
    ListBox1->setModel(lista_);
    capa->addWidget(ListBox1);
    pon_lista_traza(lista_);
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
