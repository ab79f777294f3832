// Piezas de ventana comunes a los dos programas: la ventana de listado con
// su barra de páginas, la caja "Acerca de" y el conjunto de ventanas.
#include "plataforma/acerca_de.h"
#include "plataforma/conjunto_ventanas.h"
#include "plataforma/dialogos.h"
#include "plataforma/ventana_listado.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Listado de prueba: cada página es una línea "pagina N".
class listado_de_prueba : public ventana_listado {
public:
    listado_de_prueba() : ventana_listado(estilo_marcado{}, disposicion()) {}
    formulario_informe informe;
    int dibujadas = 0;
    QMenu* menu() const { return PopupMenu1; }

protected:
    void dibuja_pagina() override
    {
        ++dibujadas;
        ListBox1->borra();
        ListBox1->agrega("pagina " + std::to_string(pagina_actual));
    }
    formulario_informe& informe_listado() override { return informe; }

private:
    static disposicion_listado disposicion()
    {
        return {.titulo = QStringLiteral("Listado"), .tamano = {400, 300}, .lista = {0, 0, 400, 260},
                .rotulo_pagina = QStringLiteral("Pg"), .y_rotulos = 270, .x_de = 90, .x_total = 110, .ancho_total = 30,
                .paginas = {20, 266, 60, 22}, .y_botones = 266, .boton = {34, 24}, .x_botones = {150, 186, 222, 258},
                .preview = {300, 266, 30, 24}, .imprimir = {300, 266, 40, 24}, .cerrar = {344, 266, 50, 24}};
    }
};

// Pulsa una tecla en la lista del listado.
void tecla(listado_de_prueba& v, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    QTest::keyClick(v.ListBox1, k, m);
}

} // namespace

TEST(VentanaListado, BarraDePaginasConSusTeclasYSuMenu)
{
    listado_de_prueba v;
    v.num_paginas = 4;
    v.move(300, 200);
    v.presenta_listado();
    QApplication::setActiveWindow(&v);
    ASSERT_TRUE(v.isVisible());
    EXPECT_EQ(v.pos(), QPoint(1, 1));
    EXPECT_EQ(v.ComboBox1->count(), 4);
    EXPECT_EQ(v.ComboBox1->itemText(3), QStringLiteral("4"));
    EXPECT_EQ(v.Label1->text(), QStringLiteral("4"));
    EXPECT_EQ(v.ListBox1->linea(0), "pagina 1");
    EXPECT_FALSE(v.Button4->isEnabled() || v.Button1->isEnabled());
    EXPECT_TRUE(v.Button2->isEnabled() && v.Button5->isEnabled());

    tecla(v, Qt::Key_End);
    EXPECT_EQ(v.pagina_actual, 4);
    EXPECT_EQ(v.ComboBox1->currentIndex(), 3);
    EXPECT_FALSE(v.Button2->isEnabled() || v.Button5->isEnabled());
    const int antes = v.dibujadas;
    tecla(v, Qt::Key_PageDown);  // ya en la última: nada
    EXPECT_EQ(v.dibujadas, antes);
    tecla(v, Qt::Key_PageUp);
    EXPECT_EQ(v.ListBox1->linea(0), "pagina 3");
    tecla(v, Qt::Key_Home);
    EXPECT_EQ(v.pagina_actual, 1);
    tecla(v, Qt::Key_PageDown);
    EXPECT_EQ(v.pagina_actual, 2);
    EXPECT_TRUE(v.Button1->isEnabled() && v.Button2->isEnabled());
    v.ComboBox1->setCurrentIndex(2);
    v.ComboBox1Change();
    EXPECT_EQ(v.ListBox1->linea(0), "pagina 3");

    QStringList ordenes;
    for (QAction* a : v.menu()->actions()) ordenes << a->text();
    EXPECT_EQ(ordenes, (QStringList{QStringLiteral("Primero\tHome"), QStringLiteral("Anterior\tPgUp"),
                                    QStringLiteral("Siguiente\tPgDn"), QStringLiteral("Ultimo\tEnd"),
                                    QStringLiteral("Preview\tAlt+P")}));
    EXPECT_FALSE(v.Button7->isVisible());

    // "Imprimir" pasa por el diálogo de impresión; Alt+P abre la vista previa.
    int dialogos = 0;
    pon_dialogo_impresion([&](QPrinter&, QWidget*) {
        ++dialogos;
        return false;
    });
    QTest::mouseClick(v.Button6, Qt::LeftButton);
    EXPECT_EQ(dialogos, 1);
    pon_dialogo_impresion(nullptr);
    tecla(v, Qt::Key_P, Qt::AltModifier);
    ASSERT_NE(v.informe.ventana_vista_previa(), nullptr);
    EXPECT_TRUE(v.informe.ventana_vista_previa()->isVisible());
    v.informe.ventana_vista_previa()->hide();

    QApplication::setActiveWindow(&v);
    tecla(v, Qt::Key_Escape);
    EXPECT_FALSE(v.isVisible());
}

TEST(VentanaListado, SinPaginasNoSeSaleDeLaPrimera)
{
    listado_de_prueba v;
    v.num_paginas = 0;
    v.presenta_listado();
    EXPECT_FALSE(v.Button4->isEnabled() || v.Button1->isEnabled() || v.Button2->isEnabled() || v.Button5->isEnabled());
    v.Button5Click();
    EXPECT_EQ(v.pagina_actual, 1);
    EXPECT_EQ(v.ListBox1->linea(0), "pagina 1");
}

TEST(AcercaDe, CajaSinModoQueCerrarOculta)
{
    caja_acerca_de c(QStringLiteral("PRODUCTO"), QStringLiteral("Arial"), QSize(300, 200),
                     icono_dibujado([](QPainter& g) { g.fillRect(0, 0, 32, 32, Qt::red); }),
                     QString::fromUtf8("Créditos"), 100, QPoint(110, 160));
    EXPECT_EQ(c.windowTitle(), QStringLiteral("Acerca de PRODUCTO"));
    EXPECT_EQ(c.size(), QSize(300, 200));
    c.show();
    EXPECT_FALSE(c.isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(c.Button1->isDefault());
    c.Button1->click();
    EXPECT_FALSE(c.isVisible());
    const QImage icono = icono_dibujado([](QPainter& g) { g.fillRect(0, 0, 16, 32, Qt::red); }).toImage();
    EXPECT_EQ(icono.size(), QSize(32, 32));
    EXPECT_EQ(QColor(icono.pixel(4, 4)), QColor(Qt::red));
    EXPECT_EQ(qAlpha(icono.pixel(28, 4)), 0);
}

namespace {

std::vector<std::string> sucesos;

template <int N>
struct ventana_de_prueba {
    ventana_de_prueba() { sucesos.push_back("crea " + std::to_string(N)); }
    ~ventana_de_prueba() { sucesos.push_back("destruye " + std::to_string(N)); }
};

ventana_de_prueba<1>* Uno = nullptr;
ventana_de_prueba<2>* Dos = nullptr;
ventana_de_prueba<3>* Tres = nullptr;

} // namespace

TEST(ConjuntoVentanas, CreaEnSuOrdenYDestruyeAlReves)
{
    sucesos.clear();
    conjunto_ventanas v;
    v.crea(Dos, Uno);
    v.crea(Tres);
    ASSERT_TRUE(Uno && Dos && Tres);
    v.destruye();
    EXPECT_EQ(sucesos, (std::vector<std::string>{"crea 2", "crea 1", "crea 3", "destruye 3", "destruye 1", "destruye 2"}));
    EXPECT_EQ(Uno, nullptr);
    EXPECT_EQ(Dos, nullptr);
    EXPECT_EQ(Tres, nullptr);
    v.destruye();  // sin ventanas: nada
    EXPECT_EQ(sucesos.size(), 6u);
}
