#include "plataforma/lista_marcado.h"
#include "plataforma/fuentes.h"

#include "comun/texto1252.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

namespace {
constexpr int DATOS_LINEA = Qt::UserRole + 1;
} // namespace

QString desde_1252(std::string_view texto)
{
    QString r;
    r.reserve(static_cast<qsizetype>(texto.size()));
    for (char c : texto) r.append(QChar(static_cast<char16_t>(texto1252::unicode_de_codigo(static_cast<unsigned char>(c)))));
    return r;
}

std::string a_1252(const QString& texto) { return texto1252::desde_utf8(texto.toStdString()); }

std::string quita_codigos(const std::string& linea)
{
    std::string r;
    for (std::size_t i = 0; i < linea.size(); ++i) {
        if (linea[i] == '`') {
            ++i;
            continue;
        }
        r.push_back(linea[i]);
    }
    return r;
}

int retroceso_symbol(const QFont& fuente, const QString& texto, int paso)
{
    const double ancho = QFontMetricsF(fuente).horizontalAdvance(texto);
    if (ancho <= paso) return 0;
    return static_cast<int>(std::ceil(ancho - paso + 0.5));
}

std::vector<glifo_marcado> coloca_marcado(const QRect& rect, const std::string& linea, const estilo_marcado& e)
{
    std::vector<glifo_marcado> glifos;
    const QFont base = fuentes::fuente(QStringLiteral("Courier New"), e.pixeles_base);
    const int ascenso_base = QFontMetrics(base).ascent();
    bool negrita = false, cursiva = false, menor = false, symbol = false, izquierda = false;
    bool negrita_linea = false;
    int izquierda_px = 0;
    int columna = 0;
    int columna_symbol_ancho = -1;  // columna de un carácter Symbol más ancho que ella
    for (std::size_t i = 0; i < linea.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(linea[i]);
        if (c == '`') {
            if (i + 1 >= linea.size()) break;  // un acento final no dibuja nada
            char codigo = linea[++i];
            switch (codigo) {
            case 'B': negrita = true; break;
            case 'D': case 'U': menor = true; break;
            case 'I': cursiva = true; izquierda = true; izquierda_px = e.izquierda_cursiva; break;
            case 'M': izquierda = true; izquierda_px = e.izquierda_M; break;
            case 'S': symbol = true; break;
            case 'N': if (e.codigo_N) negrita_linea = true; break;
            default: break;
            }
            continue;
        }
        if (c == ' ') {
            ++columna;
            if (!e.codigos_cruzan_blancos) negrita = cursiva = menor = symbol = izquierda = false;
            continue;
        }
        QFont f = fuentes::fuente(symbol ? QStringLiteral("Symbol") : QStringLiteral("Courier New"),
                                  menor ? e.pixeles_menor : e.pixeles_base, negrita || negrita_linea, cursiva);
        QString texto = symbol ? fuentes::texto_symbol(c) : QString(QChar(static_cast<char16_t>(texto1252::unicode_de_codigo(c))));
        int x = rect.left() + e.paso * columna;
        // Un carácter movido a la izquierda no se echa encima de un carácter
        // Symbol ancho que tenga justo delante.
        if (izquierda && columna_symbol_ancho != columna - 1) x -= izquierda_px;
        columna_symbol_ancho = -1;
        if (symbol) {
            // Un carácter Symbol más ancho que la columna (Σ) se corre a la
            // izquierda para dejar libre la columna siguiente.
            const int retroceso = retroceso_symbol(f, texto, e.paso);
            x -= retroceso;
            if (retroceso > 0) columna_symbol_ancho = columna;
        }
        int y = rect.top() + (menor ? e.baja_menor : 0) + (menor ? QFontMetrics(f).ascent() : ascenso_base);
        glifos.push_back({f, QPoint(x, y), texto});
        ++columna;
        negrita = cursiva = menor = symbol = izquierda = false;
    }
    return glifos;
}

void dibuja_marcado(QPainter& p, const QRect& rect, const std::string& linea, const estilo_marcado& e)
{
    for (const glifo_marcado& g : coloca_marcado(rect, linea, e)) {
        p.setFont(g.fuente);
        p.drawText(g.origen, g.texto);
    }
}

void delegado_marcado::paint(QPainter* p, const QStyleOptionViewItem& opcion, const QModelIndex& indice) const
{
    const bool elegido = opcion.state & QStyle::State_Selected;
    p->save();
    p->fillRect(opcion.rect, elegido ? opcion.palette.highlight().color() : estilo_.fondo);
    p->setPen(elegido ? opcion.palette.highlightedText().color() : estilo_.texto);
    QByteArray bytes = indice.data(DATOS_LINEA).toByteArray();
    dibuja_marcado(*p, opcion.rect, std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())), estilo_);
    p->restore();
}

QSize delegado_marcado::sizeHint(const QStyleOptionViewItem&, const QModelIndex& indice) const
{
    QByteArray bytes = indice.data(DATOS_LINEA).toByteArray();
    int columnas = static_cast<int>(quita_codigos(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()))).size());
    return QSize(estilo_.paso * (columnas + 1), estilo_.alto_item);
}

lista_marcado::lista_marcado(const estilo_marcado& estilo, QWidget* padre)
    : QListWidget(padre), delegado_(new delegado_marcado(estilo, this))
{
    setItemDelegate(delegado_);
    setUniformItemSizes(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, estilo.fondo);
    setPalette(pal);
    setFont(fuentes::fuente(QStringLiteral("Courier New"), estilo.pixeles_base));
}

void lista_marcado::agrega(std::string_view linea)
{
    auto* item = new QListWidgetItem(desde_1252(quita_codigos(std::string(linea))));
    item->setData(DATOS_LINEA, QByteArray(linea.data(), static_cast<qsizetype>(linea.size())));
    addItem(item);
}

void lista_marcado::borra() { clear(); }

std::size_t lista_marcado::numero() const { return static_cast<std::size_t>(count()); }

std::string lista_marcado::linea(std::size_t i) const
{
    const QListWidgetItem* it = item(static_cast<int>(i));
    if (!it) return {};
    QByteArray bytes = it->data(DATOS_LINEA).toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void lista_simple::agrega(std::string_view linea)
{
    lista_->addItem(desde_1252(linea));
    if (selecciona_) lista_->setCurrentRow(lista_->count() - 1);
}

void lista_simple::borra() { lista_->clear(); }

std::size_t lista_simple::numero() const { return static_cast<std::size_t>(lista_->count()); }

std::string lista_simple::linea(std::size_t i) const
{
    const QListWidgetItem* it = lista_->item(static_cast<int>(i));
    return it ? a_1252(it->text()) : std::string();
}
