#include "informe.h"
#include "fuentes.h"

#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

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

banda_informe banda_titulo(int alto, const QString& titulo, int izquierda, const QString& texto_pagina)
{
    banda_informe b;
    b.alto = alto;
    b.raya_abajo = true;
    etiqueta_informe rotulo;
    rotulo.titulo = titulo;
    rotulo.fuente = QStringLiteral("Arial");
    rotulo.pixeles = 16;
    rotulo.negrita = rotulo.cursiva = true;
    rotulo.izquierda = izquierda;
    rotulo.arriba = 16;
    b.etiquetas.push_back(rotulo);
    etiqueta_informe pagina;
    pagina.tipo = etiqueta_informe::numero_pagina;
    pagina.titulo = texto_pagina;
    pagina.fuente = QStringLiteral("Arial");
    pagina.alinea = etiqueta_informe::derecha;
    pagina.arriba = 16;
    b.etiquetas.push_back(pagina);
    return b;
}

banda_informe pie_con_fecha(int alto, int arriba)
{
    banda_informe b;
    b.alto = alto;
    b.raya_arriba = true;
    etiqueta_informe fecha;
    fecha.tipo = etiqueta_informe::fecha_hora;
    fecha.fuente = QStringLiteral("Arial");
    fecha.alinea = etiqueta_informe::centro;
    fecha.arriba = arriba;
    b.etiquetas.push_back(fecha);
    return b;
}

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
    const double ancho = ANCHO_HOJA - MARGEN_IZQUIERDO - MARGEN;
    if (banda.raya_arriba) pagina.rayas.push_back({double(MARGEN_IZQUIERDO), y, MARGEN_IZQUIERDO + ancho, y, banda.grosor_raya});
    if (banda.raya_abajo)
        pagina.rayas.push_back({double(MARGEN_IZQUIERDO), y + banda.alto, MARGEN_IZQUIERDO + ancho, y + banda.alto, banda.grosor_raya});
    for (const etiqueta_informe& e : banda.etiquetas) {
        if (!e.visible) continue;
        QString cadena = texto_de(e, numero_pagina);
        if (cadena.isEmpty()) continue;
        QFont f = fuentes::fuente(e.fuente, e.pixeles, e.negrita, e.cursiva);
        double x = MARGEN_IZQUIERDO + e.izquierda;
        if (e.alinea != etiqueta_informe::izquierda_) {
            double w = e.paso > 0 ? e.paso * cadena.size() : QFontMetricsF(f).horizontalAdvance(cadena);
            x = e.alinea == etiqueta_informe::derecha ? MARGEN_IZQUIERDO + ancho - w : MARGEN_IZQUIERDO + (ancho - w) / 2;
        }
        if (e.fuente == QLatin1String("Symbol")) {
            QString convertida;
            for (QChar c : cadena) convertida += fuentes::texto_symbol(static_cast<unsigned char>(c.unicode()));
            cadena = convertida;
        }
        pagina.textos.push_back({f, x, y + e.arriba, cadena, e.paso});
    }
}

std::vector<pagina_informe> formulario_informe::ejecuta()
{
    salto_pedido_ = false;
    std::vector<pagina_informe> paginas;
    if (antes_de_imprimir) antes_de_imprimir();
    int alto_cabeceras = 0;
    for (const auto& b : cabeceras) alto_cabeceras += b.alto;
    const double fondo = ALTO_HOJA - MARGEN - pie.alto;
    double y = 0;
    auto abre_pagina = [&] {
        paginas.emplace_back();
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
            for (qsizetype i = 0; i < t.cadena.size(); ++i)
                if (t.cadena[i] != QLatin1Char(' ')) p.drawText(QPointF(t.x + t.paso * i, base), QString(t.cadena[i]));
        } else {
            p.drawText(QPointF(t.x, base), t.cadena);
        }
    }
}

namespace {

void imprime_paginas(QPrinter& impresora, const std::vector<pagina_informe>& paginas)
{
    QPainter p(&impresora);
    const QRectF hoja = impresora.pageLayout().fullRectPixels(impresora.resolution());
    const double escala = hoja.width() / formulario_informe::ANCHO_HOJA;
    const QRectF util = impresora.pageLayout().paintRectPixels(impresora.resolution());
    for (std::size_t i = 0; i < paginas.size(); ++i) {
        if (i > 0) impresora.newPage();
        p.save();
        p.translate(-util.left(), -util.top());
        p.scale(escala, escala);
        formulario_informe::dibuja(p, paginas[i]);
        p.restore();
    }
}

} // namespace

void formulario_informe::imprime(QWidget* padre)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::vector<pagina_informe> paginas = ejecuta();
    QApplication::restoreOverrideCursor();
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog dialogo(&impresora, padre);
    if (dialogo.exec() != QDialog::Accepted) return;
    imprime_paginas(impresora, paginas);
}

bool formulario_informe::a_pdf(const QString& ruta)
{
    std::vector<pagina_informe> paginas = ejecuta();
    QPdfWriter pdf(ruta);
    pdf.setPageSize(QPageSize(QPageSize::A4));
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
    std::vector<pagina_informe> paginas = ejecuta();
    QDialog ventana(padre);
    ventana.setWindowTitle(QStringLiteral("Vista previa"));
    ventana.resize(ANCHO_HOJA + 60, 760);
    auto* capa = new QVBoxLayout(&ventana);
    auto* barra = new QHBoxLayout;
    auto* primera = new QPushButton(QStringLiteral("|<"));
    auto* anterior = new QPushButton(QStringLiteral("<"));
    auto* siguiente = new QPushButton(QStringLiteral(">"));
    auto* ultima = new QPushButton(QStringLiteral(">|"));
    auto* rotulo = new QLabel;
    auto* imprimir = new QPushButton(QStringLiteral("Imprimir"));
    auto* cerrar = new QPushButton(QStringLiteral("Cerrar"));
    for (QWidget* w : std::initializer_list<QWidget*>{primera, anterior, siguiente, ultima, rotulo}) barra->addWidget(w);
    barra->addStretch();
    barra->addWidget(imprimir);
    barra->addWidget(cerrar);
    capa->addLayout(barra);
    auto* desplazamiento = new QScrollArea;
    auto* imagen = new QLabel;
    imagen->setAlignment(Qt::AlignCenter);
    desplazamiento->setWidget(imagen);
    desplazamiento->setWidgetResizable(true);
    desplazamiento->setBackgroundRole(QPalette::Dark);
    capa->addWidget(desplazamiento);
    int actual = 0;
    const int total = static_cast<int>(paginas.size());
    auto muestra = [&] {
        QPixmap hoja(ANCHO_HOJA, ALTO_HOJA);
        hoja.fill(Qt::white);
        if (total > 0) {
            QPainter p(&hoja);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::TextAntialiasing);
            dibuja(p, paginas[static_cast<std::size_t>(actual)]);
        }
        imagen->setPixmap(hoja);
        rotulo->setText(QString::fromUtf8("Página %1 de %2").arg(total > 0 ? actual + 1 : 0).arg(total));
        primera->setEnabled(actual > 0);
        anterior->setEnabled(actual > 0);
        siguiente->setEnabled(actual < total - 1);
        ultima->setEnabled(actual < total - 1);
    };
    QObject::connect(primera, &QPushButton::clicked, &ventana, [&] { actual = 0; muestra(); });
    QObject::connect(anterior, &QPushButton::clicked, &ventana, [&] { if (actual > 0) --actual; muestra(); });
    QObject::connect(siguiente, &QPushButton::clicked, &ventana, [&] { if (actual < total - 1) ++actual; muestra(); });
    QObject::connect(ultima, &QPushButton::clicked, &ventana, [&] { actual = total > 0 ? total - 1 : 0; muestra(); });
    QObject::connect(cerrar, &QPushButton::clicked, &ventana, &QDialog::accept);
    QObject::connect(imprimir, &QPushButton::clicked, &ventana, [&] {
        QPrinter impresora(QPrinter::HighResolution);
        impresora.setPageSize(QPageSize(QPageSize::A4));
        QPrintDialog dialogo(&impresora, &ventana);
        if (dialogo.exec() == QDialog::Accepted) imprime_paginas(impresora, paginas);
    });
    muestra();
    ventana.exec();
}
