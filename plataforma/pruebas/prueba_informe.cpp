// Formulario de informe: la impresión corre sólo tras aceptar el diálogo y
// sobre el papel elegido; la vista previa es una ventana sin modo. Y los
// caracteres Symbol anchos, en pantalla y en papel, sin pisar al siguiente.
#include "plataforma/dialogos.h"
#include "plataforma/fuentes.h"
#include "plataforma/informe.h"
#include "plataforma/lista_marcado.h"
#include "plataforma/superpuestas.h"
#include "plataforma/pruebas/texto_pdf.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace {

// Un informe de 'lineas' líneas de detalle, cada una con 'texto' y su
// número, que cuenta sus ejecuciones.
struct informe_de_prueba {
    explicit informe_de_prueba(int lineas) : lineas_(lineas)
    {
        q.detalle.alto = 12;
        etiqueta_informe e;
        q.detalle.etiquetas.push_back(e);
        q.antes_de_imprimir = [this] {
            ++ejecuciones;
            restantes_ = lineas_;
        };
        q.necesita_datos = [this] {
            q.detalle.etiquetas[0].titulo = texto + QString::number(lineas_ - restantes_ + 1);
            return restantes_-- > 0;
        };
    }
    formulario_informe q;
    QString texto = QStringLiteral("linea");
    int ejecuciones = 0;

private:
    int lineas_;
    int restantes_ = 0;
};

// Corre 'orden' y dice si dejó abierta una ventana con modo (que se cierra
// para que la orden vuelva).
bool deja_ventana_con_modo(const std::function<void()>& orden)
{
    bool con_modo = false;
    QTimer vigia;
    vigia.setSingleShot(true);
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        if (QWidget* m = QApplication::activeModalWidget()) {
            con_modo = true;
            m->close();
        }
    });
    vigia.start(0);
    orden();
    QTest::qWait(20);
    return con_modo;
}

QPushButton* boton(QWidget* ventana, const QString& texto)
{
    for (auto* b : ventana->findChildren<QPushButton*>())
        if (b->text() == texto) return b;
    return nullptr;
}

} // namespace

TEST(Informe, ImprimeSoloTrasAceptarYEnElPapelElegido)
{
    informe_de_prueba r(100);
    int dialogos = 0;
    pon_dialogo_impresion([&](QPrinter&, QWidget*) {
        ++dialogos;
        return false;
    });
    r.q.imprime(nullptr);
    EXPECT_EQ(dialogos, 1);
    EXPECT_EQ(r.ejecuciones, 0) << "cancelado, el informe no debe correr";

    const auto pdf = std::filesystem::temp_directory_path() / ("informe_" + std::to_string(::getpid()) + ".pdf");
    pon_dialogo_impresion([&](QPrinter& p, QWidget*) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QString::fromStdString(pdf.string()));
        p.setPageSize(QPageSize(QPageSize::Letter));
        return true;
    });
    r.q.imprime(nullptr);
    EXPECT_EQ(r.ejecuciones, 1);
    ASSERT_FALSE(r.q.ultimas_paginas().empty());
    // Carta: 8,5 por 11 pulgadas a 96 píxeles por pulgada.
    EXPECT_NEAR(r.q.ultimas_paginas()[0].ancho, 816, 0.5);
    EXPECT_NEAR(r.q.ultimas_paginas()[0].alto, 1056, 0.5);
    // Las líneas llegan hasta el margen de abajo de esa hoja.
    double mas_baja = 0;
    for (const auto& t : r.q.ultimas_paginas()[0].textos) mas_baja = std::max(mas_baja, t.y);
    EXPECT_GT(mas_baja + 12, 1056 - formulario_informe::MARGEN - 12);
    EXPECT_LE(mas_baja + 12, 1056 - formulario_informe::MARGEN);
    EXPECT_GT(std::filesystem::file_size(pdf), 0u);
    std::filesystem::remove(pdf);
    pon_dialogo_impresion(nullptr);
}

TEST(Informe, VistaPreviaSinModoQueSeRehace)
{
    informe_de_prueba r(3);
    QWidget ventana;
    ventana.show();
    EXPECT_FALSE(deja_ventana_con_modo([&] { r.q.vista_previa(&ventana); }));
    QWidget* vista = r.q.ventana_vista_previa();
    ASSERT_NE(vista, nullptr);
    EXPECT_TRUE(vista->isVisible());
    EXPECT_FALSE(vista->isModal());
    EXPECT_TRUE(r.q.en_vista_previa());
    EXPECT_EQ(r.ejecuciones, 1);

    // Otra vista previa rehace la misma ventana con una ejecución nueva.
    r.q.vista_previa(&ventana);
    EXPECT_EQ(r.q.ventana_vista_previa(), vista);
    EXPECT_EQ(r.ejecuciones, 2);

    // "Imprimir" desde la vista previa pasa por el diálogo; cancelado, nada.
    int dialogos = 0;
    pon_dialogo_impresion([&](QPrinter&, QWidget*) {
        ++dialogos;
        return false;
    });
    QPushButton* imprimir = boton(vista, QStringLiteral("Imprimir"));
    ASSERT_NE(imprimir, nullptr);
    imprimir->click();
    EXPECT_EQ(dialogos, 1);
    EXPECT_EQ(r.ejecuciones, 2);
    pon_dialogo_impresion(nullptr);
    QTest::keyClick(vista, Qt::Key_Escape);
    EXPECT_FALSE(vista->isVisible());
}

// La vista previa imprime las páginas que muestra aunque los datos del
// informe hayan cambiado después, y enteras en un papel más bajo que el
// suyo (apaisado).
TEST(Informe, VistaPreviaImprimeLoQueMuestra)
{
    informe_de_prueba r(150);
    r.texto = QStringLiteral("antes ");
    QWidget ventana;
    r.q.vista_previa(&ventana);
    QWidget* vista = r.q.ventana_vista_previa();
    ASSERT_NE(vista, nullptr);
    const std::size_t paginas = r.q.ultimas_paginas().size();
    ASSERT_GE(paginas, 2u);
    r.texto = QStringLiteral("despues ");

    const auto pdf = std::filesystem::temp_directory_path() / ("vista_" + std::to_string(::getpid()) + ".pdf");
    pon_dialogo_impresion([&](QPrinter& p, QWidget*) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QString::fromStdString(pdf.string()));
        p.setPageOrientation(QPageLayout::Landscape);
        return true;
    });
    QPushButton* imprimir = boton(vista, QStringLiteral("Imprimir"));
    ASSERT_NE(imprimir, nullptr);
    imprimir->click();
    pon_dialogo_impresion(nullptr);
    EXPECT_EQ(r.ejecuciones, 1) << "la impresión no vuelve a correr el informe";
    const auto texto = texto_pdf(pdf);
    std::filesystem::remove(pdf);
    ASSERT_TRUE(texto) << "hace falta pdftotext (poppler-utils)";
    EXPECT_EQ(static_cast<std::size_t>(std::count(texto->begin(), texto->end(), '\f')), paginas);
    EXPECT_EQ(texto->find("despues"), std::string::npos);
    // La última línea de cada página de la vista sale en el papel.
    int linea = 0;
    for (const auto& p : r.q.ultimas_paginas()) {
        linea += static_cast<int>(p.textos.size());
        EXPECT_NE(texto->find("antes " + std::to_string(linea) + "\n"), std::string::npos) << linea;
    }
    EXPECT_EQ(linea, 150);
}

namespace {

double ancho(const QFont& fuente, const QString& texto) { return QFontMetricsF(fuente).horizontalAdvance(texto); }

} // namespace

TEST(ListaMarcado, SimboloAnchoNoPisaElCaracterSiguiente)
{
    estilo_marcado e;
    e.paso = 8;
    e.pixeles_base = 13;
    e.izquierda_cursiva = 2;
    const QRect fila(0, 0, 400, 14);
    // Σ (å en la fuente Symbol) seguida de una m cursiva: el sumatorio
    // acaba antes de que empiece la m, sin irse a más de media columna.
    auto g = coloca_marcado(fila, "`S\xE5`Im", e);
    ASSERT_EQ(g.size(), 2u);
    EXPECT_LE(g[0].origen.x() + ancho(g[0].fuente, g[0].texto), g[1].origen.x() + 0.5);
    EXPECT_GE(g[0].origen.x(), -e.paso / 2);
    // Una cursiva tras un blanco, o tras un carácter Symbol que cabe en su
    // columna (la barra), conserva su corrimiento a la izquierda.
    g = coloca_marcado(fila, "`S\xE5 `Im", e);
    ASSERT_EQ(g.size(), 2u);
    EXPECT_EQ(g[1].origen.x(), 2 * e.paso - 2);
    g = coloca_marcado(fila, "`S\xBD`Im", e);
    ASSERT_EQ(g.size(), 2u);
    EXPECT_EQ(g[0].origen.x(), 0);
    EXPECT_EQ(g[1].origen.x(), e.paso - 2);
}

TEST(Superpuestas, SimboloAnchoNoPisaElCaracterSiguiente)
{
    reglas_superpuestas r;
    r.sangria = 6;
    r.paso = 7;
    banda_informe banda;
    const std::size_t primera = prepara_banda_superpuestas(banda, 24, r);
    compone_superpuestas(banda, primera - 1, primera, "`S\xE5`Im\xB7`Ih", r);
    const etiqueta_informe& sigma = banda.etiquetas[primera];
    const etiqueta_informe& m = banda.etiquetas[primera + 1];
    ASSERT_TRUE(sigma.visible && m.visible);
    const double ancho_sigma = ancho(fuentes::fuente(sigma.fuente, sigma.pixeles), fuentes::texto_symbol(0xE5));
    EXPECT_LE(sigma.izquierda + ancho_sigma, m.izquierda + 0.5);
    EXPECT_GE(sigma.izquierda, 24 + 7 * 6 - r.paso / 2);
    // La m y la h, cada una en su columna.
    EXPECT_EQ(m.izquierda, 24 + 7 * 7);
    EXPECT_EQ(banda.etiquetas[primera + 2].izquierda, 24 + 7 * 9);
}
