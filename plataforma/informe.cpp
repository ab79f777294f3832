#include "plataforma/informe.h"
#include "plataforma/dialogos.h"
#include "plataforma/fuentes.h"

#include <QApplication>
#include <QDateTime>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QKeyEvent>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString texto_de(const etiqueta_informe& e, int numero_pagina)
{
    switch (e.tipo) {
    case etiqueta_informe::numero_pagina: return e.titulo + QString::number(numero_pagina);
    case etiqueta_informe::fecha_hora: return QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy H:mm:ss"));
    default: return e.titulo;
    }
}

} // namespace

QSizeF hoja_de(const QPrinter& impresora)
{
    const QRectF puntos = impresora.pageLayout().fullRectPoints();
    return QSizeF(puntos.width() * 96.0 / 72.0, puntos.height() * 96.0 / 72.0);
}

QSizeF hoja_por_omision()
{
    // El papel por omisión de la impresora por omisión (A4 o carta según el
    // sistema, si no hay ninguna).
    QPrinter impresora(QPrinter::HighResolution);
    return hoja_de(impresora);
}

etiqueta_informe rotulo_arial(const QString& titulo, int pixeles, bool negrita_cursiva, int izquierda, int arriba)
{
    etiqueta_informe e;
    e.titulo = titulo;
    e.fuente = QStringLiteral("Arial");
    e.pixeles = pixeles;
    e.negrita = e.cursiva = negrita_cursiva;
    e.izquierda = izquierda;
    e.arriba = arriba;
    return e;
}

etiqueta_informe numero_pagina_arial(const QString& texto, int pixeles, bool negrita_cursiva, int arriba)
{
    etiqueta_informe e = rotulo_arial(texto, pixeles, negrita_cursiva, 0, arriba);
    e.tipo = etiqueta_informe::numero_pagina;
    e.alinea = etiqueta_informe::derecha;
    return e;
}

etiqueta_informe fecha_hora_arial(int pixeles, int arriba)
{
    etiqueta_informe e = rotulo_arial(QString(), pixeles, false, 0, arriba);
    e.tipo = etiqueta_informe::fecha_hora;
    e.alinea = etiqueta_informe::centro;
    return e;
}

banda_informe banda_titulo(int alto, const QString& titulo, int izquierda, const QString& texto_pagina)
{
    return banda_informe{alto, false, true, 2,
                         {rotulo_arial(titulo, 16, true, izquierda, 16), numero_pagina_arial(texto_pagina, 11, false, 16)}};
}

banda_informe pie_con_fecha(int alto, int arriba) { return banda_informe{alto, true, false, 2, {fecha_hora_arial(11, arriba)}}; }

bool lee_linea(std::FILE* f, std::string& linea, int capacidad)
{
    std::string buffer(static_cast<std::size_t>(capacidad), '\0');
    if (!std::fgets(buffer.data(), capacidad, f)) return false;
    linea.assign(buffer.c_str());
    if (!linea.empty() && linea.back() == '\n') linea.pop_back();
    return true;
}

bool fin_de_fichero(std::FILE* f)
{
    const int c = std::fgetc(f);
    if (c == EOF) return true;
    std::ungetc(c, f);
    return false;
}

void formulario_informe::compone_banda(pagina_informe& pagina, const banda_informe& banda, double y,
                                       int numero_pagina) const
{
    const double izquierda = margen_izquierdo;
    const double ancho = hoja_.width() - izquierda - MARGEN;
    if (banda.raya_arriba) pagina.rayas.push_back({izquierda, y, izquierda + ancho, y, banda.grosor_raya});
    if (banda.raya_abajo)
        pagina.rayas.push_back({izquierda, y + banda.alto, izquierda + ancho, y + banda.alto, banda.grosor_raya});
    for (const etiqueta_informe& e : banda.etiquetas) {
        if (!e.visible) continue;
        QString cadena = texto_de(e, numero_pagina);
        if (cadena.isEmpty()) continue;
        QFont f = fuentes::fuente(e.fuente, e.pixeles, e.negrita, e.cursiva);
        double x = izquierda + e.izquierda;
        if (e.alinea != etiqueta_informe::izquierda_) {
            const double w = e.paso > 0 ? static_cast<double>(e.paso * cadena.size())
                                        : QFontMetricsF(f).horizontalAdvance(cadena);
            x = e.alinea == etiqueta_informe::derecha ? izquierda + ancho - w : izquierda + (ancho - w) / 2;
        }
        if (e.fuente == QLatin1String("Symbol")) {
            QString convertida;
            for (QChar c : cadena) convertida += fuentes::texto_symbol(static_cast<unsigned char>(c.unicode()));
            cadena = convertida;
        }
        pagina.textos.push_back({f, x, y + e.arriba, cadena, e.paso});
    }
}

std::vector<pagina_informe> formulario_informe::ejecuta(destino para, QSizeF hoja)
{
    salto_pedido_ = false;
    destino_ = para;
    hoja_ = hoja;
    std::vector<pagina_informe> paginas;
    if (antes_de_imprimir) antes_de_imprimir();
    int alto_cabeceras = 0;
    for (const auto& b : cabeceras) alto_cabeceras += b.alto;
    const double fondo = hoja_.height() - MARGEN - pie.alto;
    double y = 0;
    auto abre_pagina = [&] {
        paginas.emplace_back();
        paginas.back().ancho = hoja_.width();
        paginas.back().alto = hoja_.height();
        double yc = MARGEN;
        for (const auto& b : cabeceras) {
            compone_banda(paginas.back(), b, yc, static_cast<int>(paginas.size()));
            yc += b.alto;
        }
        compone_banda(paginas.back(), pie, fondo, static_cast<int>(paginas.size()));
        y = MARGEN + alto_cabeceras;
    };
    abre_pagina();
    // Tope de seguridad: un bucle de datos que no termine no cuelga el programa.
    for (long lineas = 0; necesita_datos && lineas < 1000000; ++lineas) {
        salto_pedido_ = false;
        bool mas = necesita_datos();
        if (!mas) break;
        if (salto_pedido_ || y + detalle.alto > fondo) abre_pagina();
        compone_banda(paginas.back(), detalle, y, static_cast<int>(paginas.size()));
        y += detalle.alto;
    }
    if (despues_de_imprimir) despues_de_imprimir();
    ultimas_ = paginas;
    return paginas;
}

void formulario_informe::dibuja(QPainter& p, const pagina_informe& pagina)
{
    p.setPen(Qt::black);
    for (const auto& r : pagina.rayas) {
        QPen pluma(Qt::black);
        pluma.setWidthF(r.grosor);
        p.setPen(pluma);
        p.drawLine(QPointF(r.x1, r.y1), QPointF(r.x2, r.y2));
    }
    p.setPen(Qt::black);
    for (const auto& t : pagina.textos) {
        p.setFont(t.fuente);
        const double base = t.y + QFontMetricsF(t.fuente).ascent();
        if (t.paso > 0) {
            for (qsizetype i = 0; i < t.cadena.size(); ++i) {
                const double x = t.x + static_cast<double>(t.paso * i);
                if (t.cadena[i] != QLatin1Char(' ')) p.drawText(QPointF(x, base), QString(t.cadena[i]));
            }
        } else {
            p.drawText(QPointF(t.x, base), t.cadena);
        }
    }
}

namespace {

void pinta_en_impresora(QPrinter& impresora, const std::vector<pagina_informe>& paginas)
{
    QPainter p(&impresora);
    const QRectF hoja = impresora.pageLayout().fullRectPixels(impresora.resolution());
    const QRectF util = impresora.pageLayout().paintRectPixels(impresora.resolution());
    for (std::size_t i = 0; i < paginas.size(); ++i) {
        if (i > 0) impresora.newPage();
        // Compuesta para esta hoja, la página la llena a lo ancho; compuesta
        // para otra más alta (la de una vista previa), cabe entera en ella.
        double escala = hoja.width() / paginas[i].ancho;
        if (paginas[i].alto * escala > hoja.height() + 1) escala = hoja.height() / paginas[i].alto;
        p.save();
        p.translate(-util.left(), -util.top());
        p.scale(escala, escala);
        formulario_informe::dibuja(p, paginas[i]);
        p.restore();
    }
}

// Vista previa: una página cada vez, con los botones de página, "Imprimir"
// y "Cerrar". No tiene modo: las demás ventanas siguen a mano mientras está
// abierta, y un cálculo o un listado nuevo pueden cambiar lo que el informe
// leería; por eso guarda las páginas que muestra, y "Imprimir" (tras el
// diálogo) imprime esas mismas.
class ventana_previa : public QWidget {
public:
    ventana_previa(formulario_informe& informe, QWidget* padre) : QWidget(padre, Qt::Window), informe_(informe)
    {
        setWindowTitle(QStringLiteral("Vista previa"));
        auto* capa = new QVBoxLayout(this);
        auto* barra = new QHBoxLayout;
        primera_ = new QPushButton(QStringLiteral("|<"));
        anterior_ = new QPushButton(QStringLiteral("<"));
        siguiente_ = new QPushButton(QStringLiteral(">"));
        ultima_ = new QPushButton(QStringLiteral(">|"));
        rotulo_ = new QLabel;
        auto* imprimir = new QPushButton(QStringLiteral("Imprimir"));
        auto* cerrar = new QPushButton(QStringLiteral("Cerrar"));
        for (QWidget* w : std::initializer_list<QWidget*>{primera_, anterior_, siguiente_, ultima_, rotulo_}) barra->addWidget(w);
        barra->addStretch();
        barra->addWidget(imprimir);
        barra->addWidget(cerrar);
        capa->addLayout(barra);
        auto* desplazamiento = new QScrollArea;
        imagen_ = new QLabel;
        imagen_->setAlignment(Qt::AlignCenter);
        desplazamiento->setWidget(imagen_);
        desplazamiento->setWidgetResizable(true);
        desplazamiento->setBackgroundRole(QPalette::Dark);
        capa->addWidget(desplazamiento);
        connect(primera_, &QPushButton::clicked, this, [this] { ve_a(0); });
        connect(anterior_, &QPushButton::clicked, this, [this] { ve_a(actual_ - 1); });
        connect(siguiente_, &QPushButton::clicked, this, [this] { ve_a(actual_ + 1); });
        connect(ultima_, &QPushButton::clicked, this, [this] { ve_a(total() - 1); });
        connect(cerrar, &QPushButton::clicked, this, &QWidget::hide);
        connect(imprimir, &QPushButton::clicked, this, [this] { informe_.imprime_paginas(this, paginas_); });
    }
    void pon_paginas(std::vector<pagina_informe> paginas)
    {
        paginas_ = std::move(paginas);
        const double ancho = paginas_.empty() ? 794 : paginas_.front().ancho;
        resize(static_cast<int>(ancho) + 60, 760);
        ve_a(0);
    }

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if (e->key() == Qt::Key_Escape) hide();
        else QWidget::keyPressEvent(e);
    }

private:
    int total() const { return static_cast<int>(paginas_.size()); }
    void ve_a(int pagina)
    {
        actual_ = std::max(0, std::min(pagina, total() - 1));
        const bool hay = total() > 0;
        const pagina_informe vacia;
        const pagina_informe& p = hay ? paginas_[static_cast<std::size_t>(actual_)] : vacia;
        QPixmap hoja(static_cast<int>(p.ancho), static_cast<int>(p.alto));
        hoja.fill(Qt::white);
        if (hay) {
            QPainter pintor(&hoja);
            pintor.setRenderHint(QPainter::Antialiasing);
            pintor.setRenderHint(QPainter::TextAntialiasing);
            formulario_informe::dibuja(pintor, p);
        }
        imagen_->setPixmap(hoja);
        rotulo_->setText(QString::fromUtf8("Página %1 de %2").arg(hay ? actual_ + 1 : 0).arg(total()));
        primera_->setEnabled(actual_ > 0);
        anterior_->setEnabled(actual_ > 0);
        siguiente_->setEnabled(actual_ < total() - 1);
        ultima_->setEnabled(actual_ < total() - 1);
    }

    formulario_informe& informe_;
    std::vector<pagina_informe> paginas_;
    int actual_ = 0;
    QPushButton *primera_, *anterior_, *siguiente_, *ultima_;
    QLabel *rotulo_, *imagen_;
};

} // namespace

formulario_informe::~formulario_informe() { delete vista_.data(); }

void formulario_informe::imprime(QWidget* padre)
{
    // El informe corre sólo cuando la impresión empieza de verdad: cancelar
    // el diálogo no toca ningún fichero.
    QPrinter impresora(QPrinter::HighResolution);
    if (!dialogo_imprimir(impresora, padre)) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::vector<pagina_informe> paginas = ejecuta(destino::impresora, hoja_de(impresora));
    pinta_en_impresora(impresora, paginas);
    QApplication::restoreOverrideCursor();
}

void formulario_informe::imprime_paginas(QWidget* padre, const std::vector<pagina_informe>& paginas)
{
    QPrinter impresora(QPrinter::HighResolution);
    if (!dialogo_imprimir(impresora, padre)) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    pinta_en_impresora(impresora, paginas);
    QApplication::restoreOverrideCursor();
}

bool formulario_informe::a_pdf(const QString& ruta)
{
    QPrinter por_omision(QPrinter::HighResolution);
    std::vector<pagina_informe> paginas = ejecuta(destino::impresora, hoja_de(por_omision));
    QPdfWriter pdf(ruta);
    pdf.setPageSize(por_omision.pageLayout().pageSize());
    pdf.setResolution(300);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter p;
    if (!p.begin(&pdf)) return false;
    const double escala = 300.0 / 96.0;
    for (std::size_t i = 0; i < paginas.size(); ++i) {
        if (i > 0) pdf.newPage();
        p.save();
        p.scale(escala, escala);
        dibuja(p, paginas[i]);
        p.restore();
    }
    p.end();
    return true;
}

void formulario_informe::vista_previa(QWidget* padre)
{
    std::vector<pagina_informe> paginas = ejecuta(destino::vista_previa);
    auto* ventana = static_cast<ventana_previa*>(vista_.data());
    if (!ventana) {
        ventana = new ventana_previa(*this, padre);
        vista_ = ventana;
    }
    ventana->pon_paginas(std::move(paginas));
    ventana->show();
    ventana->raise();
    ventana->activateWindow();
}

QWidget* formulario_informe::ventana_vista_previa() const { return vista_.data(); }
