// Pruebas de las ventanas de ZEFIRANT, manejadas como lo haría un usuario:
// se teclea en los campos, se pulsan botones y atajos, y se leen las listas,
// los rótulos, los mensajes y los ficheros.
#include "zefirant/ventanas/Unit1.h"
#include "zefirant/ventanas/Unit11.h"
#include "zefirant/ventanas/Unit12.h"
#include "zefirant/ventanas/Unit13.h"
#include "zefirant/ventanas/Unit14.h"
#include "zefirant/ventanas/Unit5.h"
#include "zefirant/ventanas/Unit8.h"
#include "zefirant/ventanas/Unit9.h"
#include "zefirant/ventanas/ventanas.h"

#include "comun/formato.h"
#include "comun/pruebas/limite_tamano.h"
#include "comun/pruebas/sin_privilegios.h"
#include "comun/pruebas/sumidero_prueba.h"
#include "comun/texto1252.h"
#include "plataforma/ayuda.h"
#include "plataforma/dialogos.h"
#include "plataforma/pruebas/entradas_hostiles.h"
#include "plataforma/pruebas/principal_qt.h"
#include "plataforma/pruebas/ventanas_programa.h"
#include "zefirant/motor/problema.h"
#include "zefirant/motor/unidades.h"

#include <QClipboard>
#include <QMimeData>
#include <QPrinter>
#include <QTabBar>
#include <QTest>

#include <chrono>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>

namespace fs = std::filesystem;

namespace {

class VentanasZefirant : public VentanasPrograma {
protected:
    VentanasZefirant() : VentanasPrograma("zefirant", DIR_DATOS, {"GASES.DAT", "GASOLINA.DAT", "ZEFIRANT.HLP"}) {}
    void SetUp() override
    {
        VentanasPrograma::SetUp();
        unidad_masa_kg = unidad_energia_kcal = unidad_presion_at = 0;
        ASSERT_TRUE(crea_ventanas());
        Form1->show();
        QApplication::setActiveWindow(Form1);
    }
    void TearDown() override
    {
        destruye_ventanas();
        VentanasPrograma::TearDown();
    }
    QWidget* principal() const override { return Form1; }
    // Acepta el estado actual con los valores dados (p, T, v, u, h, s, n,
    // x_v, x_p) y las referencias (p, T, v, u, h, s); "" deja el campo vacío.
    void estado(std::initializer_list<const char*> valores, std::initializer_list<const char*> refs = {}) const
    {
        int i = 0;
        for (const char* v : valores) teclea(Form1->edit_valor(i++), v);
        i = 0;
        for (const char* r : refs) teclea(Form1->edit_referencia(i++), r);
        tecla(Qt::Key_PageDown);
    }
    static void transformacion(const char* texto)
    {
        teclea(Form1->Edit25, texto);
        pulsa(Form1->Button7);
    }
    static std::string pagina() { return Form1->PageControl1->tabText(Form1->PageControl1->currentIndex()).toStdString(); }
    std::string linea_resultados(std::size_t i) const { return Form11->ListBox1->linea(i); }
    // Fila de la tabla de estados (desde 1) en la lista de resultados.
    std::string fila_estado(int n) const
    {
        for (std::size_t i = 0; i < Form11->ListBox1->numero(); ++i) {
            std::string l = Form11->ListBox1->linea(i);
            if (l.rfind(formatea(" %2d `S", n), 0) == 0) return l;
        }
        return {};
    }
    // Gasolina con proporción de aire 1 y la página de estados a la vista.
    static void gasolina_con_estado_1()
    {
        Form1->RadioGroup1->opcion(9)->click();
        teclea(Form1->Edit9, "1");
        QTest::keyClick(Form1->Edit9, Qt::Key_Right, Qt::ControlModifier);
    }
};


bool mismo_estado(const estado& a, const estado& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class CampoDeEstadoZefirant : public VentanasZefirant, public ::testing::WithParamInterface<int> {};
class CampoDeGasZefirant : public VentanasZefirant, public ::testing::WithParamInterface<int> {};
class CampoDeListadoZefirant : public VentanasZefirant, public ::testing::WithParamInterface<int> {};

// Nombre de cada instancia: el del campo.
std::string nombre_campo_estado(const ::testing::TestParamInfo<int>& i)
{
    static const char* const nombres[15] = {"Presion", "Temperatura", "VolumenEspecifico", "EnergiaInterna", "Entalpia",
                                            "Entropia", "ExponentePolitropico", "CombustionAVolumenConstante",
                                            "CombustionAPresionConstante", "ReferenciaDePresion", "ReferenciaDeTemperatura",
                                            "ReferenciaDeVolumen", "ReferenciaDeEnergiaInterna", "ReferenciaDeEntalpia",
                                            "ReferenciaDeEntropia"};
    return nombres[i.param];
}
std::string nombre_campo_gas(const ::testing::TestParamInfo<int>& i)
{
    static const char* const nombres[6] = {"Carbono", "Hidrogeno", "PoderCalorificoEnKcal", "Humedad", "PoderCalorificoEnKJ",
                                           "ProporcionDeAire"};
    return nombres[i.param];
}
std::string nombre_campo_listado(const ::testing::TestParamInfo<int>& i)
{
    static const char* const nombres[3] = {"TInferior", "TSuperior", "LineasPorPagina"};
    return nombres[i.param];
}

} // namespace

// Cada campo de la página de estados (nueve valores y seis referencias).
TEST_P(CampoDeEstadoZefirant, RechazaLoQueNoEsUnNumero)
{
    gasolina_con_estado_1();
    ASSERT_EQ(pagina(), "Estados") << mensajes.errores.back();
    estado({"1", "300"});
    tecla(Qt::Key_Home);
    ASSERT_EQ(Form1->estado_actual, 0);
    const int i = GetParam();
    campo_edicion* campo = i < 9 ? Form1->edit_valor(i) : Form1->edit_referencia(i - 9);
    const ::estado antes = problema_actual->datos[0], siguiente = problema_actual->datos[1];
    // Un número que no cabe en el campo, con el mensaje de su margen.
    const char* const margen = i < 7   ? "Valor del campo incorrecto"
                               : i < 9 ? "Valor de campo incorrecto"
                                       : "Referencia fuera de margen";
    for (const std::string& entrada : entradas_hostiles()) {
        SCOPED_TRACE(entrada.substr(0, 10));
        mensajes.errores.clear();
        escribe_entrada(campo, entrada);
        tecla(Qt::Key_PageDown);
        ASSERT_EQ(mensajes.errores.size(), 1u);
        const bool numero = entrada.find_first_not_of('9') == std::string::npos;
        EXPECT_EQ(mensajes.errores[0], numero ? margen : "Valor del campo incorrecto");
        EXPECT_EQ(Form1->estado_actual, 0);
        EXPECT_EQ(Form1->estados_definidos, 1);
        EXPECT_TRUE(mismo_estado(problema_actual->datos[0], antes));
        EXPECT_TRUE(mismo_estado(problema_actual->datos[1], siguiente));
        EXPECT_EQ(QApplication::focusWidget(), campo);
        Form1->muestra_estado();
    }
    // Lo que sí es un número del campo se guarda.
    mensajes.errores.clear();
    teclea(campo, i < 9 ? "0,5" : "2");
    tecla(Qt::Key_PageDown);
    EXPECT_TRUE(mensajes.errores.empty());
    EXPECT_EQ(Form1->estado_actual, 1);
}

INSTANTIATE_TEST_SUITE_P(Campos, CampoDeEstadoZefirant, ::testing::Range(0, 15), nombre_campo_estado);

// Cada campo numérico de un combustible del usuario: ni el aire mínimo ni
// el poder calorífico reflejado muestran un número que no se escribió, y la
// página no se deja.
TEST_P(CampoDeGasZefirant, RechazaLoQueNoEsUnNumero)
{
    Form1->RadioGroup1->opcion(9)->click();
    Form1->RadioGroup2->opcion(2)->click();
    campo_edicion* const campos[6] = {Form1->Edit4, Form1->Edit5, Form1->Edit6, Form1->Edit7, Form1->Edit8, Form1->Edit9};
    const char* const buenos[6] = {"0,85", "0,15", "", "0", "41868", "1,1"};
    auto pon_buenos = [&] {
        for (int k : {0, 1, 3, 5, 4}) teclea(campos[k], buenos[k]);
    };
    pon_buenos();
    campo_edicion* campo = campos[GetParam()];
    // Lo que guarda cada campo (el poder calorífico en kcal/kg no se guarda).
    float* const destinos[6] = {&Form1->c_gas.c, &Form1->c_gas.h, nullptr, &Form1->c_gas.humedad, &Form1->c_gas.Hu,
                                &Form1->c_gas.aire};
    float* destino = destinos[GetParam()];
    const float antes = destino ? *destino : 0;
    for (const std::string& entrada : entradas_hostiles()) {
        SCOPED_TRACE(entrada.substr(0, 10));
        mensajes.errores.clear();
        escribe_entrada(campo, entrada);
        const QString aire_minimo = Form1->Label10->text();
        EXPECT_FALSE(aire_minimo.contains(QStringLiteral("nan")) || aire_minimo.contains(QStringLiteral("inf")));
        if (campo == Form1->Edit4 || campo == Form1->Edit5) {
            EXPECT_EQ(aire_minimo, QString::fromUtf8("Aire mínimo combustión:"));
        }
        if (campo == Form1->Edit6) {
            EXPECT_EQ(Form1->Edit8->text(), QString());
        }
        if (campo == Form1->Edit8) {
            EXPECT_EQ(Form1->Edit6->text(), QString());
        }
        tecla(Qt::Key_Right, Qt::ControlModifier);
        ASSERT_EQ(mensajes.errores.size(), 1u);
        EXPECT_EQ(mensajes.errores[0], "Valor del campo incorrecto");
        EXPECT_EQ(pagina(), "Seleccionar gas");
        EXPECT_EQ(QApplication::focusWidget(), campo);
        if (destino) {
            EXPECT_EQ(*destino, antes);
        }
        pon_buenos();
    }
    mensajes.errores.clear();
    tecla(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    EXPECT_EQ(pagina(), "Estados");
}

INSTANTIATE_TEST_SUITE_P(Campos, CampoDeGasZefirant, ::testing::Range(0, 6), nombre_campo_gas);

// Temperaturas y líneas por página de la página de listados: un texto que
// no es un número da "Valor del campo incorrecto" y uno que no cabe, el
// mensaje de su límite. "Aceptar" no lee las líneas por página: al imprimir,
// un texto que no vale da las de omisión, sin aviso.
TEST_P(CampoDeListadoZefirant, RechazaLoQueNoEsUnNumero)
{
    Form1->PageControl1->pon_pagina(Form1->TabSheet4);
    Form1->TabSheet4Enter();
    campo_edicion* const campos[3] = {Form1->Edit1, Form1->Edit2, Form1->Edit26};
    const char* const margen[2] = {"Temperatura mínima incorrecta", "Temperatura máxima incorrecta"};
    campo_edicion* campo = campos[GetParam()];
    const QString bueno = campo->text();
    for (const std::string& entrada : entradas_hostiles()) {
        SCOPED_TRACE(entrada.substr(0, 10));
        mensajes.errores.clear();
        escribe_entrada(campo, entrada);
        pulsa(Form1->Button1);
        if (campo == Form1->Edit26) {
            // El listado se abre; al imprimir, 45 líneas y ningún aviso.
            EXPECT_TRUE(mensajes.errores.empty());
            EXPECT_TRUE(Form5->isVisible());
            EXPECT_EQ(Form1->lineas_por_pagina_impresas(), 45);
            EXPECT_TRUE(mensajes.errores.empty());
            Form5->hide();
            continue;
        }
        const bool numero = entrada.find_first_not_of('9') == std::string::npos;
        ASSERT_EQ(mensajes.errores.size(), 1u);
        EXPECT_EQ(mensajes.errores[0], numero ? texto1252::desde_utf8(margen[GetParam()]) : "Valor del campo incorrecto");
        EXPECT_FALSE(Form5->isVisible());
        EXPECT_EQ(Form1->t_min_listado, 273);
        EXPECT_EQ(Form1->t_max_listado, 5000);
    }
    teclea(campo, bueno.toUtf8().constData());
    mensajes.errores.clear();
    pulsa(Form1->Button1);
    EXPECT_TRUE(mensajes.errores.empty());
    EXPECT_TRUE(Form5->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Campos, CampoDeListadoZefirant, ::testing::Range(0, 3), nombre_campo_listado);

// Un límite del listado vacío vale 0 y se juzga como tal; los blancos
// delante y detrás de un número se admiten en los campos de todas las
// páginas, y un campo de estado con sólo blancos está vacío.
TEST_F(VentanasZefirant, LimitesVaciosYNumerosConBlancos)
{
    Form1->PageControl1->pon_pagina(Form1->TabSheet4);
    teclea(Form1->Edit2, "");
    pulsa(Form1->Button1);
    EXPECT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    EXPECT_TRUE(Form5->isVisible());
    EXPECT_EQ(Form1->t_max_listado, 0);
    Form5->hide();
    teclea(Form1->Edit1, "");
    teclea(Form1->Edit2, "5000");
    pulsa(Form1->Button1);
    EXPECT_EQ(mensajes.errores, std::vector<std::string>{"Temperatura mínima incorrecta"_w});
    EXPECT_FALSE(Form5->isVisible());

    mensajes.errores.clear();
    teclea(Form1->Edit1, " 300");
    teclea(Form1->Edit2, "600 ");
    teclea(Form1->Edit26, " 30 ");
    pulsa(Form1->Button1);
    EXPECT_EQ(Form1->t_min_listado, 300);
    EXPECT_EQ(Form1->t_max_listado, 600);
    EXPECT_EQ(Form1->lineas_por_pagina_impresas(), 30);
    Form1->PageControl1->pon_pagina(Form1->TabSheet1);
    Form1->RadioGroup1->opcion(9)->click();
    teclea(Form1->Edit9, " 1 ");
    tecla(Qt::Key_Right, Qt::ControlModifier);
    ASSERT_EQ(pagina(), "Estados");
    EXPECT_EQ(Form1->c_gas.aire, 1.0f);
    teclea(Form1->Edit10, "  ");
    tecla(Qt::Key_PageDown);
    EXPECT_EQ(Form1->estado_actual, 0);
    estado({" 1", "300 "}, {"", "", "", "", "", " 1"});
    EXPECT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    EXPECT_EQ(Form1->estado_actual, 1);
    EXPECT_EQ(problema_actual->datos[0].prop[E_TEMP], 300.0f);
    EXPECT_EQ(problema_actual->datos[0].referencia[E_ENTROP], 1);
}

TEST_F(VentanasZefirant, ArranqueConProblemaNuevo)
{
    EXPECT_EQ(Form1->windowTitle(), QStringLiteral("ZEFIRANT "));
    EXPECT_EQ(pagina(), "Seleccionar gas");
    EXPECT_EQ(Form1->RadioGroup1->indice(), 0);
    EXPECT_FALSE(Form1->RadioGroup2->isVisible());
    EXPECT_FALSE(Form1->Panel2->isVisible());
    EXPECT_EQ(Form1->Label29->text(), QStringLiteral("0"));
    EXPECT_EQ(Form1->ComboBox2->count(), 1);
    EXPECT_EQ(Form1->Label37->text(), QString::fromUtf8("m³/kmol"));
    EXPECT_EQ(Form1->Label40->text(), QStringLiteral("kJ/kmol K"));
    EXPECT_TRUE(mensajes.errores.empty());
}

TEST_F(VentanasZefirant, FaltaUnFicheroDeDatos)
{
    destruye_ventanas();
    fs::remove(dir / "GASES.DAT");
    EXPECT_FALSE(crea_ventanas());
    ASSERT_FALSE(mensajes.errores.empty());
    EXPECT_EQ(mensajes.errores.back(), "ERROR: Falta el fichero GASES.DAT");
    EXPECT_EQ(Form1, nullptr);
    fs::copy_file(fs::path(DIR_DATOS) / "GASES.DAT", dir / "GASES.DAT");
    ASSERT_TRUE(crea_ventanas());
}

TEST_F(VentanasZefirant, AireConReferenciaIsotermaYPolitropica)
{
    tecla(Qt::Key_Right, Qt::ControlModifier);
    ASSERT_EQ(pagina(), "Estados");
    estado({"1", "300"});
    EXPECT_EQ(Form1->Label29->text(), QStringLiteral("1"));
    EXPECT_EQ(Form1->ComboBox2->count(), 2);
    EXPECT_TRUE(Form1->Button4->isEnabled());
    EXPECT_FALSE(Form1->Button6->isEnabled());
    estado({"5"}, {"", "1"});              // T del estado 1: isoterma
    estado({"10", "", "", "", "", "", "1,3"});  // politrópica desde el 2
    EXPECT_EQ(Form1->Label29->text(), QStringLiteral("3"));
    EXPECT_FALSE(Form1->Configurarunidades1->isEnabled());
    EXPECT_FALSE(Form1->RadioGroup1->isEnabled());

    tecla(Qt::Key_Right, Qt::ControlModifier);
    ASSERT_EQ(pagina(), "Transformaciones");
    transformacion(" 1   2 ");
    transformacion("2 3");
    EXPECT_EQ(Form1->ListBox1->item(0)->text(), QStringLiteral("1 2"));
    EXPECT_EQ(Form1->Label46->text(), QStringLiteral("2"));

    tecla(Qt::Key_T, Qt::AltModifier);
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    ASSERT_TRUE(Form11->isVisible());
    EXPECT_TRUE(Form11->Button2->isVisible());
    EXPECT_EQ(Form11->pos(), QPoint(0, 0));
    EXPECT_EQ(linea_resultados(0), "PROPIEDADES DE ESTADOS INTRODUCIDOS");
    EXPECT_NE(fila_estado(2).find("300,00"), std::string::npos) << fila_estado(2);
    EXPECT_NE(fila_estado(2).find("5,00"), std::string::npos);
    // T3 = 300·2^(0,3/1,3) = 352,04 K.
    EXPECT_NE(fila_estado(3).find("352,0"), std::string::npos) << fila_estado(3);

    // El fichero temporal tiene la tabla de estados, "<NP>" y la de
    // transformaciones; la lista, sólo la de estados.
    std::string temporal = lee(dir / "ZEFIRANT.TMP");
    EXPECT_NE(temporal.find("\n<NP>\nTRANSFORMACIONES"), std::string::npos);
    EXPECT_EQ(temporal.find("<NP>"), temporal.rfind("<NP>"));
    EXPECT_NE(temporal.find(" 1-2  `S\xBD isoterma"), std::string::npos);
    EXPECT_NE(temporal.find(" 2-3  `S\xBD `In=1,3000"), std::string::npos);

    // "Transformaciones" dos veces deja una sola tabla; "Estados" la vuelve a poner.
    pulsa(Form11->Button3);
    pulsa(Form11->Button3);
    std::size_t filas = Form11->ListBox1->numero();
    int tablas = 0;
    for (std::size_t i = 0; i < filas; ++i) tablas += linea_resultados(i).rfind("TRANSFORMACIONES", 0) == 0;
    EXPECT_EQ(tablas, 1);
    EXPECT_EQ(linea_resultados(filas - 1).substr(0, 6), " 2-3  ");
    QTest::keyClick(Form11->ListBox1, Qt::Key_PageUp);
    EXPECT_EQ(linea_resultados(0), "PROPIEDADES DE ESTADOS INTRODUCIDOS");

    // Portapapeles: el RTF de los resultados y su texto sin códigos, con los
    // caracteres de Symbol en Unicode (la barra de columna, ∫ y Δ).
    Form11->Enviaralclipboard1Click();
    const QMimeData* d = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->data(QStringLiteral("text/rtf")).startsWith("{\\rtf1\\ansi"));
    EXPECT_TRUE(d->data(QStringLiteral("text/rtf")).contains("{\\f2\\u9474\\'bd}"));
    EXPECT_TRUE(d->text().contains(QStringLiteral("isoterma")));
    EXPECT_FALSE(d->text().contains(QLatin1Char('`')));
    EXPECT_TRUE(d->text().contains(QString::fromUtf8(" 1-2  │ isoterma")));
    EXPECT_TRUE(d->text().contains(QString::fromUtf8("W=∫p·dv")));
    EXPECT_TRUE(d->text().contains(QString::fromUtf8("Δu")));
    EXPECT_FALSE(d->text().contains(QString::fromUtf8("½")));

    // Informe de los resultados: la tabla de transformaciones sigue en la
    // misma página (la de estados tiene menos de 26 líneas).
    auto paginas = Form12->QuickReport1->ejecuta();
    EXPECT_EQ(paginas.size(), 1u);
    EXPECT_TRUE(Form12->QuickReport1->a_pdf(QString::fromStdString((dir / "r.pdf").string())));
    EXPECT_GT(fs::file_size(dir / "r.pdf"), 1000u);

    // Un nuevo cálculo con un estado sin sus dos datos falla: la ventana se
    // cierra y la página de estados muestra ese estado.
    tecla(Qt::Key_Left, Qt::ControlModifier);
    tecla(Qt::Key_End);
    estado({"", "", "", "", "", "", ""}, {"", "", ""});
    Form1->ComboBox2->setCurrentIndex(3);
    Form1->ComboBox2Change();
    estado({"7"});
    tecla(Qt::Key_C, Qt::AltModifier);
    ASSERT_EQ(mensajes.errores.size(), 1u);
    EXPECT_EQ(mensajes.errores[0], "Estado 4 incorrecto");
    EXPECT_FALSE(Form11->isVisible());
    EXPECT_EQ(pagina(), "Estados");
    EXPECT_EQ(Form1->estado_actual, 3);
}

// Una tabla de estados de 26 líneas o más: la línea en blanco que la acaba
// se queda en su página y la tabla de transformaciones empieza arriba de la
// página siguiente. Con menos, las dos tablas comparten página.
TEST_F(VentanasZefirant, InformeDeResultadosSaltoTrasLaTablaDeEstados)
{
    auto informe = [&](int lineas_estados) {
        std::ofstream f(Form1->ruta_temporal, std::ios::binary);
        for (int i = 1; i <= lineas_estados; ++i) f << "estado " << i << "\n";
        f << "<NP>\nTRANSFORMACIONES\nfin\n";
        f.close();
        return Form12->QuickReport1->ejecuta();
    };
    // Textos de la banda de detalle de una página (los que empiezan por la
    // sangría de seis blancos), con su altura.
    auto detalle = [](const pagina_informe& p) {
        std::vector<std::pair<double, std::string>> r;
        for (const auto& t : p.textos)
            if (t.cadena.startsWith(QStringLiteral("      "))) r.emplace_back(t.y, t.cadena.trimmed().toStdString());
        return r;
    };
    auto paginas = informe(30);
    ASSERT_EQ(paginas.size(), 2u);
    auto primera = detalle(paginas[0]), segunda = detalle(paginas[1]);
    ASSERT_EQ(primera.size(), 31u);
    EXPECT_EQ(primera[29].second, "estado 30");
    EXPECT_EQ(primera[30].second, "");
    EXPECT_EQ(primera[30].first, primera[29].first + 12);
    ASSERT_EQ(segunda.size(), 2u);
    EXPECT_EQ(segunda[0].second, "TRANSFORMACIONES");
    EXPECT_EQ(segunda[0].first, primera[0].first);

    paginas = informe(24);
    ASSERT_EQ(paginas.size(), 1u);
    primera = detalle(paginas[0]);
    ASSERT_EQ(primera.size(), 24u + 4 + 2);
    EXPECT_EQ(primera[28].second, "TRANSFORMACIONES");
}

TEST_F(VentanasZefirant, ReferenciasYTransformacionesSinEstado)
{
    // Las páginas guardan referencias y transformaciones que no nombran un
    // estado del problema; el cálculo las rechaza con su mensaje.
    tecla(Qt::Key_Right, Qt::ControlModifier);
    estado({"1"}, {"", "40000"});  // no cabe en el fichero
    ASSERT_EQ(mensajes.errores.size(), 1u);
    EXPECT_EQ(mensajes.errores[0], "Referencia fuera de margen");
    EXPECT_EQ(Form1->Label29->text(), QStringLiteral("0"));
    estado({"1"}, {"", "41"});
    estado({"2"}, {"", "0"});
    EXPECT_EQ(mensajes.errores.size(), 1u);
    EXPECT_EQ(problema_actual->datos[0].referencia[E_TEMP], 41);
    EXPECT_EQ(problema_actual->datos[1].referencia[E_TEMP], 0);
    tecla(Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(mensajes.errores.back(), "ERROR: No existe estado referido en 1");
    EXPECT_EQ(pagina(), "Estados");
    EXPECT_EQ(Form1->estado_actual, 0);
    EXPECT_EQ(Form1->Edit20->text(), QStringLiteral("41"));
    estado({"1", "300"}, {"", ""});
    tecla(Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(mensajes.errores.back(), "ERROR: No existe estado referido en 2");
    EXPECT_EQ(Form1->Edit20->text(), QStringLiteral("0"));
    estado({"2", "300"}, {"", ""});

    tecla(Qt::Key_Right, Qt::ControlModifier);
    // Números de 0 a 255 (lo que cabe en el byte del fichero), con o sin
    // ceros delante; el texto normalizado no pasa de 99 caracteres.
    const std::string ceros(120, '0');
    for (const std::string& t : std::vector<std::string>{"1 256", "1000 1", "3,4", "3-4", "3", "1 2 3", ceros + "3 4"}) {
        transformacion(t.c_str());
        EXPECT_EQ(mensajes.errores.back(), "Transformación incorrecta"_w) << t;
    }
    EXPECT_EQ(Form1->ListBox1->count(), 0);
    std::size_t antes = mensajes.errores.size();
    for (const char* t : {"1 255", "0 1", "000 4", "0041 1"}) transformacion(t);
    EXPECT_EQ(mensajes.errores.size(), antes);
    ASSERT_EQ(Form1->ListBox1->count(), 4);
    EXPECT_EQ(Form1->ListBox1->item(3)->text(), QStringLiteral("0041 1"));
    tecla(Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(mensajes.errores.back(), "ERROR: No hay estados definidos en transformación 1"_w);
    EXPECT_EQ(pagina(), "Transformaciones");
    EXPECT_FALSE(Form11->isVisible());
    while (Form1->ListBox1->count() > 0) {
        Form1->ListBox1->setCurrentRow(0);
        pulsa(Form1->Button8);
    }
    tecla(Qt::Key_Left, Qt::ControlModifier);
    estado({"1", "", "", "", "", "", "", "1,5"});
    EXPECT_EQ(mensajes.errores.back(), "Valor de campo incorrecto");
    EXPECT_EQ(Form1->Label29->text(), QStringLiteral("2"));
    tecla(Qt::Key_Right, Qt::ControlModifier);

    transformacion("3 4");
    transformacion("3  4");
    EXPECT_EQ(mensajes.errores.back(), "Transformación repetida"_w);
    transformacion("4 3");
    transformacion("0003 4");  // otro texto que "3 4", como lo escribió el usuario
    EXPECT_EQ(Form1->ListBox1->count(), 3);
    EXPECT_EQ(Form1->ListBox1->item(2)->text(), QStringLiteral("0003 4"));
    for (int k = 1; k <= 37; ++k) transformacion(formatea("%d 40", k).c_str());
    EXPECT_EQ(Form1->ListBox1->count(), 40);
    transformacion("40 40");
    EXPECT_EQ(mensajes.errores.back(), "No se pueden definir más de 40 transformaciones"_w);
    // Eliminar la última elige la nueva última.
    pulsa(Form1->Button8);
    EXPECT_EQ(Form1->ListBox1->count(), 39);
    EXPECT_EQ(Form1->Label46->text(), QStringLiteral("39"));
    EXPECT_EQ(Form1->Label50->text(), QStringLiteral("39"));
}

TEST_F(VentanasZefirant, GasolinaYGasoleoConSusRechazos)
{
    Form1->RadioGroup1->opcion(9)->click();
    EXPECT_TRUE(Form1->RadioGroup2->isVisible());
    EXPECT_TRUE(Form1->Panel2->isVisible());
    EXPECT_EQ(Form1->Edit4->text(), QStringLiteral("0.856"));
    EXPECT_EQ(Form1->Edit8->text(), QStringLiteral("43543"));
    EXPECT_EQ(Form1->Edit6->text().left(5), QStringLiteral("10400"));
    EXPECT_EQ(Form1->Edit9->text(), QStringLiteral("0"));
    tecla(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(pagina(), "Seleccionar gas");
    EXPECT_EQ(mensajes.errores.back(), "Proporción de aire menor de 0.6"_w);
    teclea(Form1->Edit9, "0,8");
    tecla(Qt::Key_Right, Qt::ControlModifier);
    ASSERT_EQ(pagina(), "Estados") << mensajes.errores.back();
    EXPECT_TRUE(Form1->Panel3->isVisible());
    EXPECT_NEAR(Form1->c_gas.aire, 0.8, 1e-6);
    EXPECT_GT(Form1->c_gas.m_c, 0);

    // Fracción de calor: el estado siguiente se prepara con el resto.
    estado({"1", "300", "", "", "", "", "", "0,4"});
    EXPECT_EQ(Form1->estado_actual, 1);
    EXPECT_EQ(Form1->Label29->text(), QStringLiteral("2"));
    EXPECT_TRUE(Form1->Label20->isVisible());
    EXPECT_EQ(Form1->Edit18->text(), QStringLiteral("0,6"));
    EXPECT_EQ(Form1->Edit19->text(), QStringLiteral("1"));
    EXPECT_FALSE(Form1->Edit10->isEnabled());
    // Volver a aceptar el estado 1 con otra fracción prepara otra vez el 2,
    // que sólo era un estado preparado: las fracciones suman 1.
    tecla(Qt::Key_Home);
    estado({"1", "300", "", "", "", "", "", "0,3"});
    EXPECT_EQ(Form1->estado_actual, 1);
    EXPECT_EQ(Form1->Label29->text(), QStringLiteral("2"));
    EXPECT_EQ(Form1->Edit18->text(), QStringLiteral("0,7"));
    EXPECT_NEAR(problema_actual->datos[1].prop[E_XP], 0.7, 1e-6);
    EXPECT_EQ(problema_actual->datos[1].marca, 1);
    // Un estado siguiente que tecleó el usuario no se toca: los estados 3
    // (tecleado) y 4, y el 3 vuelve a aceptarse con una fracción.
    tecla(Qt::Key_PageDown);
    estado({"2", "400"});
    estado({"3", "500"});
    ASSERT_EQ(Form1->Label29->text(), QStringLiteral("4"));
    Form1->ComboBox2->setCurrentIndex(2);
    Form1->ComboBox2Change();
    estado({"2", "", "", "", "", "", "", "0,5"});
    EXPECT_EQ(Form1->estado_actual, 3);
    EXPECT_EQ(problema_actual->datos[3].marca, 0);
    EXPECT_EQ(problema_actual->datos[3].prop[E_XP], -1.0f);
    EXPECT_EQ(problema_actual->datos[3].prop[E_PRES], 3.0f);
    EXPECT_EQ(Form1->Label29->text(), QStringLiteral("4"));

    // Gasóleo: proporción de aire desde 1,0.
    mensajes.respuestas.push_back(respuesta::no);
    Form1->Nuevoproblema1Click();
    ASSERT_EQ(pagina(), "Seleccionar gas");
    Form1->RadioGroup1->opcion(9)->click();
    Form1->RadioGroup2->opcion(1)->click();
    EXPECT_EQ(Form1->Label19->text(), QStringLiteral("(Desde 1.0)"));
    teclea(Form1->Edit9, "0,9");
    tecla(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(mensajes.errores.back(), "Proporción de aire menor de 1.0"_w);
    teclea(Form1->Edit9, "1,2");
    tecla(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(pagina(), "Estados");
}

// El estado preparado por una fracción de calor sigue al estado del que
// sale: con todo el calor en el estado 2, el 3 queda libre y el cálculo
// libera el calor entero una sola vez.
TEST_F(VentanasZefirant, EstadoPreparadoSigueAlEstadoDelQueSale)
{
    gasolina_con_estado_1();
    ASSERT_EQ(pagina(), "Estados");
    estado({"1", "300"});
    estado({"", "", "", "", "", "", "", "0,4"}, {"", "", "1"});
    ASSERT_EQ(Form1->estado_actual, 2);
    ASSERT_EQ(problema_actual->datos[2].marca, 1);
    // Sus valores se leen como los campos deshabilitados de la página del gas.
    EXPECT_FALSE(Form1->Edit18->isEnabled());
    EXPECT_EQ(Form1->Edit18->text(), QStringLiteral("0,6"));
    for (campo_edicion* e : {Form1->Edit18, Form1->Edit19}) {
        const QPalette& p = e->palette();
        EXPECT_EQ(p.color(QPalette::Disabled, QPalette::Text), p.color(QPalette::Active, QPalette::Text));
        EXPECT_EQ(p.color(QPalette::Disabled, QPalette::Base), Form1->Edit8->palette().color(QPalette::Disabled, QPalette::Base));
    }

    auto acepta_estado_2 = [&](const char* xv) {
        Form1->ComboBox2->setCurrentIndex(1);
        Form1->ComboBox2Change();
        estado({"", "", "", "", "", "", "", xv}, {"", "", "1"});
    };
    acepta_estado_2("1");
    EXPECT_EQ(Form1->estado_actual, 2);
    EXPECT_EQ(Form1->estados_definidos, 2);
    EXPECT_EQ(Form1->Label29->text(), QStringLiteral("2"));
    EXPECT_EQ(Form1->ComboBox2->count(), 3);
    EXPECT_EQ(problema_actual->datos[2].marca, 0);
    EXPECT_TRUE(Form1->Edit10->isEnabled());
    EXPECT_EQ(Form1->Edit18->text(), QString());
    EXPECT_FALSE(Form1->Label20->isVisible());
    tecla(Qt::Key_C, Qt::AltModifier);
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    EXPECT_TRUE(fila_estado(3).empty()) << fila_estado(3);
    const double q = double(Form1->c_gas.m_c) * Form1->c_gas.Hu;
    EXPECT_NEAR(problema_actual->estados[1].prop[E_UINT] - problema_actual->estados[0].prop[E_UINT], q, 0.5);

    // Preparado otra vez, con un estado 4 tecleado detrás: al pasar todo el
    // calor al estado 2, el 3 queda libre y vacío en su sitio y el cálculo
    // lo señala.
    acepta_estado_2("0,4");
    ASSERT_EQ(Form1->estados_definidos, 3);
    ASSERT_EQ(problema_actual->datos[2].marca, 1);
    tecla(Qt::Key_PageDown);
    estado({"1", "", "", "", "", "", "1,4"});
    ASSERT_EQ(Form1->estados_definidos, 4);
    // Una fracción que haría pasar la cadena del calor entero no se calcula
    // (el 4 reparte su calor con un 5 preparado).
    Form1->ComboBox2->setCurrentIndex(3);
    Form1->ComboBox2Change();
    estado({"", "", "", "", "", "", "", "0,3"}, {"", "", "3"});
    ASSERT_EQ(Form1->estados_definidos, 5);
    tecla(Qt::Key_C, Qt::AltModifier);
    ASSERT_EQ(mensajes.errores.size(), 1u);
    EXPECT_EQ(mensajes.errores[0], "ERROR: Datos fuera de margen en el estado 4");
    mensajes.errores.clear();
    acepta_estado_2("1");
    EXPECT_EQ(Form1->estados_definidos, 5);
    EXPECT_EQ(problema_actual->datos[2].marca, 0);
    tecla(Qt::Key_C, Qt::AltModifier);
    ASSERT_EQ(mensajes.errores.size(), 1u);
    EXPECT_EQ(mensajes.errores[0], "Estado 3 incorrecto");
    EXPECT_EQ(Form1->estado_actual, 2);
    // El estado libre y vacío se prepara otra vez si el 2 reparte su calor.
    acepta_estado_2("0,5");
    EXPECT_EQ(problema_actual->datos[2].marca, 1);
    EXPECT_FLOAT_EQ(problema_actual->datos[2].prop[E_XP], 0.5f);
}

// "Nuevo problema" con un estado preparado a la vista deja la página de
// estados como la de un problema nuevo: el estado 1 se teclea y se guarda.
TEST_F(VentanasZefirant, NuevoProblemaTrasUnEstadoPreparado)
{
    gasolina_con_estado_1();
    estado({"1", "300"});
    estado({"", "", "", "", "", "", "", "0,4"}, {"", "", "1"});
    ASSERT_FALSE(Form1->Edit10->isEnabled());
    mensajes.respuestas.push_back(respuesta::no);
    Form1->Nuevoproblema1Click();
    tecla(Qt::Key_Right, Qt::ControlModifier);
    ASSERT_EQ(pagina(), "Estados");
    EXPECT_FALSE(Form1->Label20->isVisible());
    EXPECT_FALSE(Form1->Label53->isVisible());
    estado({"2", "400"});
    EXPECT_EQ(Form1->estado_actual, 1);
    EXPECT_EQ(problema_actual->datos[0].prop[E_PRES], 2.0f);
    EXPECT_TRUE(Form1->Button4->isEnabled());
}

// Un solo aviso por acción: un carbono que no vale y un clic en la pestaña
// de estados; "Nuevo problema" no avisa del campo que descarta.
TEST_F(VentanasZefirant, UnAvisoPorAccion)
{
    Form1->RadioGroup1->opcion(9)->click();
    Form1->RadioGroup2->opcion(2)->click();
    teclea(Form1->Edit4, "nan");
    QTabBar* pestanas = Form1->PageControl1->tabBar();
    QTest::mouseClick(pestanas, Qt::LeftButton, {}, pestanas->tabRect(1).center());
    EXPECT_EQ(mensajes.errores, std::vector<std::string>{"Valor del campo incorrecto"});
    EXPECT_EQ(pagina(), "Seleccionar gas");
    EXPECT_EQ(QApplication::focusWidget(), Form1->Edit4);
    mensajes.errores.clear();
    Form1->Nuevoproblema1Click();
    EXPECT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    EXPECT_EQ(Form1->RadioGroup1->indice(), 0);
}

TEST_F(VentanasZefirant, CombustibleDelUsuario)
{
    Form1->RadioGroup1->opcion(9)->click();
    Form1->RadioGroup2->opcion(2)->click();
    EXPECT_TRUE(Form1->Edit3->isEnabled());
    EXPECT_EQ(Form1->Edit3->text(), QString());
    EXPECT_EQ(Form1->Edit4->text(), QStringLiteral("0"));
    tecla(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(mensajes.errores.back(), "ERROR: Datos fuera de margen (c,h)");
    teclea(Form1->Edit4, "0,9");
    teclea(Form1->Edit5, "0,2");
    EXPECT_TRUE(Form1->Label10->text().contains(QStringLiteral("17.177")));
    tecla(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(mensajes.errores.back(), "ERROR: Datos fuera de margen (c,h)");
    // Campos vacíos: carbono y poder calorífico se rechazan; la humedad vale 0.
    teclea(Form1->Edit4, "");
    teclea(Form1->Edit5, "0,15");
    tecla(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(mensajes.errores.back(), "ERROR: Datos fuera de margen (c,h)");
    teclea(Form1->Edit4, "0,85");
    teclea(Form1->Edit7, "");
    teclea(Form1->Edit8, "");
    teclea(Form1->Edit9, "1,1");
    tecla(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(mensajes.errores.back(), "ERROR: Dato fuera de margen (Hu)");
    // El poder calorífico en kJ/kg se refleja en kcal/kg, y no al revés.
    teclea(Form1->Edit8, "41868");
    EXPECT_EQ(Form1->Edit6->text(), QStringLiteral("10000.2"));
    EXPECT_EQ(Form1->Edit8->text(), QStringLiteral("41868"));
    teclea(Form1->Edit3, "Queroseno");
    teclea(Form1->Edit9, "1a");
    tecla(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(mensajes.errores.back(), "Valor del campo incorrecto");
    teclea(Form1->Edit9, "1,1");
    std::size_t antes = mensajes.errores.size();
    tecla(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(mensajes.errores.size(), antes);
    EXPECT_EQ(pagina(), "Estados");
    EXPECT_EQ(Form1->c_gas.humedad, 0.0f);
    EXPECT_STREQ(Form1->c_gas.nombre, "Queroseno");
    EXPECT_TRUE(Form1->windowTitle().contains(QStringLiteral("[Queroseno]")));
}

TEST_F(VentanasZefirant, LaTablaDelGasSiempreEsLaDelGasElegido)
{
    // Se elige hidrógeno y se calcula sin dejar la página por su pestaña.
    Form1->RadioGroup1->opcion(1)->click();
    Form1->PageControl1->pon_pagina(Form1->TabSheet2);
    estado({"1", "300"});
    Form1->PageControl1->pon_pagina(Form1->TabSheet1);
    tecla(Qt::Key_C, Qt::AltModifier);
    ASSERT_TRUE(Form11->isVisible());
    EXPECT_NE(linea_resultados(1).find("Hidr\xF3geno"), std::string::npos) << linea_resultados(1);
    EXPECT_NE(linea_resultados(1).find("2,016"), std::string::npos);
}

TEST_F(VentanasZefirant, NombresLargosDeGasesEnteros)
{
    // Los nombres de más de 19 caracteres llegan enteros al registro (y a
    // las cabeceras); el límite de 19 es sólo para lo que teclea el usuario.
    for (int tipo : {GAS_VAPOR, GAS_CO, GAS_CO2}) {
        Form1->RadioGroup1->opcion(tipo)->click();
        tecla(Qt::Key_Right, Qt::ControlModifier);
        ASSERT_EQ(pagina(), "Estados");
        EXPECT_STREQ(Form1->c_gas.nombre, nombres_gases[tipo]);
        tecla(Qt::Key_Left, Qt::ControlModifier);
    }
    Form1->RadioGroup1->opcion(9)->click();
    Form1->RadioGroup2->opcion(2)->click();
    teclea(Form1->Edit3, "Combustible de veinticinco");
    EXPECT_EQ(Form1->Edit3->text(), QStringLiteral("Combustible de vein"));
}

TEST_F(VentanasZefirant, GuardarCargarYPreguntaDeGuardar)
{
    // Rutas con letras acentuadas: UTF-8 en el sistema de ficheros,
    // Windows-1252 en los mensajes, bien escritas en el título.
    const std::string fichero = (dir / "problema_señal.zef").string();
    tecla(Qt::Key_Right, Qt::ControlModifier);
    estado({"1", "300"});
    estado({"2", "400"});
    tecla(Qt::Key_Right, Qt::ControlModifier);
    transformacion("1 2");
    Form9->pon_unidades(0, 0, 0);

    // Nuevo problema con cambios: "Cancelar" lo deja todo.
    mensajes.respuestas.push_back(respuesta::cancelar);
    Form1->Nuevoproblema1Click();
    ASSERT_EQ(mensajes.preguntas.size(), 1u);
    EXPECT_EQ(mensajes.preguntas[0], "¿GUARDAR?|¿Desea guardar antes el problema?"_w);
    EXPECT_EQ(Form1->estados_definidos, 2);
    // "Sí" con el diálogo cancelado no sigue.
    mensajes.respuestas.push_back(respuesta::si);
    guardar.push_back(std::nullopt);
    Form1->Nuevoproblema1Click();
    EXPECT_EQ(Form1->estados_definidos, 2);
    EXPECT_EQ(Form1->modificado, 1);
    // "Sí" con el diálogo aceptado guarda y sigue.
    mensajes.respuestas.push_back(respuesta::si);
    guardar.push_back(fichero);
    Form1->Nuevoproblema1Click();
    EXPECT_EQ(Form1->estados_definidos, 0);
    EXPECT_EQ(fs::file_size(fichero), 462u + 2 * 54 + 2);
    EXPECT_EQ(Form1->modificado, 0);

    // Carga: los estados, las transformaciones y las unidades vuelven.
    abrir.push_back(fichero);
    Form1->Cargarproblema1Click();
    EXPECT_TRUE(mensajes.errores.empty());
    EXPECT_EQ(pagina(), "Seleccionar gas");
    EXPECT_EQ(Form1->Label29->text(), QStringLiteral("2"));
    EXPECT_EQ(Form1->ComboBox2->count(), 3);
    EXPECT_EQ(Form1->Edit10->text(), QStringLiteral("1"));
    EXPECT_EQ(Form1->ListBox1->count(), 1);
    EXPECT_EQ(Form1->Label46->text(), QStringLiteral("1"));
    EXPECT_EQ(Form1->windowTitle(), QStringLiteral("ZEFIRANT[Aire] ") + QString::fromStdString(fichero));
    EXPECT_TRUE(Form1->Configurarunidades1->isEnabled());

    // Añadir una transformación cambia el problema: Salir pregunta.
    Form1->PageControl1->pon_pagina(Form1->TabSheet3);
    transformacion("2 1");
    EXPECT_EQ(Form1->modificado, 1);
    mensajes.respuestas.push_back(respuesta::cancelar);
    Form1->close();
    EXPECT_TRUE(Form1->isVisible());

    // Un fichero dañado: "Error al cargar", tras la pregunta de guardar; el
    // problema abierto, su nombre y sus páginas quedan como estaban, y
    // salvado otra vez da los mismos bytes.
    const std::string roto = (dir / "roto_ñ.zef").string(), antes = (dir / "antes.zef").string(),
                      despues = (dir / "después.zef").string();
    std::ofstream(roto) << "esto no es un problema";
    mensajes.respuestas.push_back(respuesta::si);
    guardar.push_back(antes);
    abrir.push_back(roto);
    Form1->Cargarproblema1Click();
    EXPECT_EQ(mensajes.preguntas.back(), "¿GUARDAR?|¿Desea guardar antes el problema?"_w);
    EXPECT_EQ(mensajes.errores.back(), "Error al cargar " + texto1252::desde_utf8(roto));
    EXPECT_EQ(Form1->windowTitle(), QStringLiteral("ZEFIRANT[Aire] ") + QString::fromStdString(antes));
    EXPECT_EQ(pagina(), "Transformaciones");
    EXPECT_EQ(Form1->Label29->text(), QStringLiteral("2"));
    EXPECT_EQ(Form1->ListBox1->count(), 2);
    guardar.push_back(despues);
    Form1->Salvarproblema1Click();
    EXPECT_EQ(lee(despues), lee(antes));
    // Un fichero que no existe no toca el problema.
    abrir.push_back((dir / "no_está").string());
    Form1->Cargarproblema1Click();
    EXPECT_EQ(mensajes.errores.back(), "Error al abrir " + texto1252::desde_utf8((dir / "no_está").string()));
}

TEST_F(VentanasZefirant, CargarYSalvarSinTocarDaElMismoFichero)
{
    // Un combustible del usuario y estados con 8 cifras significativas en
    // cada campo; las páginas los muestran con 6.
    Form1->RadioGroup1->opcion(9)->click();
    Form1->RadioGroup2->opcion(2)->click();
    teclea(Form1->Edit3, "Queroseno");
    teclea(Form1->Edit4, "0,81234567");
    teclea(Form1->Edit5, "0,12345678");
    teclea(Form1->Edit7, "0,012345678");
    teclea(Form1->Edit8, "43210,987");
    teclea(Form1->Edit9, "1,2345678");
    tecla(Qt::Key_Right, Qt::ControlModifier);
    ASSERT_EQ(pagina(), "Estados") << mensajes.errores.back();
    estado({"1,2345678", "301,23456", "2,3456789", "3456,7891", "4567,8912", "5,6789123", "1,3456789"});
    estado({"", "", "2,3456789", "", "", "", "", "0,12345678"});  // prepara el 3 con x_p
    tecla(Qt::Key_PageDown);
    estado({"1,2345678", "", "", "", "", "", "", "", "0,23456789"});  // prepara el 5 con x_v
    tecla(Qt::Key_PageDown);
    ASSERT_EQ(Form1->estados_definidos, 5);
    tecla(Qt::Key_Right, Qt::ControlModifier);
    transformacion("1 2");
    transformacion("4 5");
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    const std::string a = (dir / "a.zef").string(), b = (dir / "b.zef").string();
    guardar.push_back(a);
    Form1->Salvarproblema1Click();
    ASSERT_EQ(fs::file_size(a), 462u + 5 * 54 + 2 * 2);
    EXPECT_EQ(problema_actual->datos[0].prop[E_PRES], 1.2345678f);

    // Se carga, se deja la página del gas, se aceptan otra vez todos los
    // estados sin tocarlos y se salva: los mismos bytes.
    Form1->Nuevoproblema1Click();
    abrir.push_back(a);
    Form1->Cargarproblema1Click();
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    EXPECT_EQ(Form1->Edit4->text(), QStringLiteral("0.812346"));
    tecla(Qt::Key_Right, Qt::ControlModifier);
    ASSERT_EQ(pagina(), "Estados");
    EXPECT_EQ(Form1->Edit10->text(), QStringLiteral("1,23457"));
    for (int k = 0; k < 5; ++k) pulsa(Form1->Button5);
    EXPECT_EQ(Form1->estado_actual, 5);
    guardar.push_back(b);
    Form1->Salvarproblema1Click();
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    EXPECT_TRUE(lee(b) == lee(a)) << "el fichero salvado de nuevo difiere";

    // Un valor tecleado de nuevo sí se lee del texto, aunque luego se vuelva
    // a escribir el mismo texto mostrado.
    Form1->ComboBox2->setCurrentIndex(0);
    Form1->ComboBox2Change();
    teclea(Form1->Edit10, "2");
    teclea(Form1->Edit10, "1,23457");
    pulsa(Form1->Button5);
    EXPECT_EQ(problema_actual->datos[0].prop[E_PRES], 1.23457f);
}

TEST_F(VentanasZefirant, SalvarSinSitioNoPierdeElProblemaAnterior)
{
    const std::string fichero = (dir / "problema.zef").string();
    tecla(Qt::Key_Right, Qt::ControlModifier);
    estado({"1", "300"});
    estado({"2", "400"});
    guardar.push_back(fichero);
    Form1->Salvarproblema1Click();
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    const std::string antes = lee(fichero);
    ASSERT_EQ(antes.size(), 462u + 2 * 54);

    // Con un límite de tamaño de fichero menor que el problema, y con el
    // disco lleno: el mensaje, el fichero anterior entero y el programa sigue.
    estado({"3", "500"});
    {
        limite_tamano limite(100);
        ASSERT_TRUE(limite.puesto());
        guardar.push_back(fichero);
        Form1->Salvarproblema1Click();
    }
    ASSERT_EQ(mensajes.errores.size(), 1u);
    EXPECT_EQ(mensajes.errores[0], "Error al salvar el problema");
    EXPECT_EQ(lee(fichero), antes);
    EXPECT_EQ(restos("problema.zef"), 0);
    EXPECT_EQ(Form1->modificado, 1);

    // En un hijo sin privilegios y con límite de tiempo: un dispositivo
    // lleno y una tubería sin lector dan el mensaje en seguida y no se
    // sustituyen; un fichero que se puede escribir en un directorio que no se
    // guarda en su sitio.
    const fs::path tuberia = dir / "tuberia", cerrado = dir / "cerrado", en_cerrado = cerrado / "problema.zef";
    ASSERT_EQ(::mkfifo(tuberia.c_str(), 0666), 0);
    ::chmod(tuberia.c_str(), 0666);
    fs::create_directories(cerrado);
    fs::copy_file(fichero, en_cerrado);
    for (const fs::path& p : {dir, en_cerrado, cerrado}) sin_privilegios::entrega(p.string());
    ::chmod(cerrado.c_str(), 0555);
    const std::string fallo = sin_privilegios::en_hijo([&] {
        std::vector<std::string> rutas = {tuberia.string()};
        if (fs::exists("/dev/full")) rutas.push_back("/dev/full");
        for (const std::string& ruta : rutas) {
            mensajes.errores.clear();
            guardar.push_back(ruta);
            const auto inicio = std::chrono::steady_clock::now();
            Form1->Salvarproblema1Click();
            if (std::chrono::steady_clock::now() - inicio > std::chrono::seconds(1))
                return sin_privilegios::falla(1, "tardó más de 1 s: " + ruta);
            if (mensajes.errores != std::vector<std::string>{"Error al salvar el problema"})
                return sin_privilegios::falla(2, "sin su mensaje: " + ruta);
            if (Form1->modificado != 1) return sin_privilegios::falla(3, "dado por guardado: " + ruta);
        }
        mensajes.errores.clear();
        guardar.push_back(en_cerrado.string());
        Form1->Salvarproblema1Click();
        if (!mensajes.errores.empty()) return sin_privilegios::falla(4, mensajes.errores[0]);
        return Form1->modificado == 0 ? 0 : sin_privilegios::falla(5, "sigue modificado");
    });
    EXPECT_EQ(fallo, "");
    EXPECT_TRUE(fs::is_fifo(tuberia));
    EXPECT_TRUE(!fs::exists("/dev/full") || fs::is_character_file("/dev/full"));
    EXPECT_EQ(fs::file_size(en_cerrado), 462u + 3 * 54);
    EXPECT_EQ(std::distance(fs::directory_iterator(cerrado), fs::directory_iterator()), 1);
    ::chmod(cerrado.c_str(), 0755);

    // Un directorio no se sustituye por el problema: su mensaje.
    mensajes.errores.clear();
    guardar.push_back(cerrado.string());
    Form1->Salvarproblema1Click();
    EXPECT_EQ(mensajes.errores, std::vector<std::string>{"Error al salvar el problema"});
    EXPECT_TRUE(fs::is_directory(cerrado));

    guardar.push_back(fichero);
    Form1->Salvarproblema1Click();
    EXPECT_EQ(fs::file_size(fichero), 462u + 3 * 54);
    EXPECT_EQ(Form1->modificado, 0);
    EXPECT_EQ(restos("problema.zef"), 0);
}

TEST_F(VentanasZefirant, UnidadesBloqueadasAlAceptarElPrimerEstado)
{
    Form1->Configurarunidades1Click();
    ASSERT_TRUE(Form9->isVisible());
    Form9->RadioGroup1->opcion(1)->click();
    Form9->RadioGroup2->opcion(1)->click();
    Form9->RadioGroup3->opcion(1)->click();
    pulsa(Form9->Button1);
    EXPECT_EQ(Form1->Label35->text(), QString::fromUtf8("kg/cm²"));
    EXPECT_EQ(Form1->Label37->text(), QString::fromUtf8("m³/kg"));
    EXPECT_EQ(Form1->Label40->text(), QStringLiteral("kcal/kg K"));
    // El diálogo abierto antes de aceptar un estado no cambia las unidades
    // después.
    Form1->Configurarunidades1Click();
    Form9->RadioGroup1->opcion(0)->click();
    Form1->PageControl1->pon_pagina(Form1->TabSheet2);
    Form1->Button5Click();
    EXPECT_FALSE(Form1->Configurarunidades1->isEnabled());
    pulsa(Form9->Button1);
    EXPECT_EQ(unidad_masa_kg, 1);
    EXPECT_EQ(Form9->RadioGroup1->indice(), 1);
    // "Cancelar" deja las unidades.
    Form1->Configurarunidades1Click();
    Form9->RadioGroup2->opcion(0)->click();
    pulsa(Form9->Button2);
    EXPECT_EQ(unidad_energia_kcal, 1);
}

TEST_F(VentanasZefirant, ListadoPaginadoAyudaYRegistro)
{
    Form1->RadioGroup1->opcion(7)->click();  // metano
    tecla(Qt::Key_Left, Qt::ControlModifier);
    ASSERT_EQ(pagina(), "Listados");
    EXPECT_EQ(Form1->Edit2->text(), QStringLiteral("1500"));
    EXPECT_EQ(Form1->Label49->text(), QStringLiteral("T=273 y T=1500 K"));
    // Un límite superior negativo tampoco vale: no se lista hasta 2^32 K.
    for (const char* t : {"1501", "-1"}) {
        teclea(Form1->Edit2, t);
        pulsa(Form1->Button1);
        EXPECT_EQ(mensajes.errores.back(), "Temperatura máxima incorrecta"_w) << t;
        EXPECT_FALSE(Form5->isVisible()) << t;
    }
    teclea(Form1->Edit1, "272");
    teclea(Form1->Edit2, "1500");
    pulsa(Form1->Button1);
    EXPECT_EQ(mensajes.errores.back(), "Temperatura mínima incorrecta"_w);
    teclea(Form1->Edit1, "273");
    pulsa(Form1->Button1);
    ASSERT_TRUE(Form5->isVisible());
    EXPECT_GT(Form5->num_paginas, 1);
    EXPECT_EQ(Form5->Label1->text(), QString::number(Form5->num_paginas));
    EXPECT_FALSE(Form5->Button1->isEnabled());
    QTest::keyClick(Form5->ListBox1, Qt::Key_End);
    EXPECT_EQ(Form5->pagina_actual, Form5->num_paginas);
    EXPECT_FALSE(Form5->Button2->isEnabled());
    Form5->EnviaralClipboard1Click();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(QString::fromUtf8("`S½")));
    // El informe del listado escribe el fichero temporal y lo borra al acabar.
    auto paginas = Form8->QuickReport1->ejecuta();
    EXPECT_GE(paginas.size(), 1u);
    EXPECT_FALSE(fs::exists(dir / "ZEFIRANT.TMP"));
    // 10 líneas de cabecera y 40 filas (273, 280, ..., 660 K) llenan justo una
    // página de 50 líneas: no sale otra página con sólo las cabeceras.
    Form1->t_max_listado = 660;
    paginas = Form8->QuickReport1->ejecuta();
    EXPECT_EQ(paginas.size(), 1u);
    Form1->Edit26->setText(QStringLiteral("30"));
    paginas = Form8->QuickReport1->ejecuta();
    EXPECT_EQ(paginas.size(), 2u);

    // F1: nada en esta página; en la de estados, su contexto.
    tecla(Qt::Key_F1);
    EXPECT_TRUE(ayudas.empty());
    Form1->PageControl1->pon_pagina(Form1->TabSheet2);
    tecla(Qt::Key_F1);
    ASSERT_EQ(ayudas.size(), 1u);
    EXPECT_EQ(ayudas[0], Form1->ruta_ayuda + "#IDH_estados");
    // El registro guarda cada salida de la página del gas.
    ASSERT_GE(Form14->ListBox1->count(), 3);
    EXPECT_EQ(Form14->ListBox1->item(0)->text(), QStringLiteral("changing: tipo=7"));
    EXPECT_EQ(Form14->ListBox1->currentRow(), Form14->ListBox1->count() - 1);
    Form1->AcercadeZEFIRANT1Click();
    EXPECT_TRUE(Form13->isVisible());
}

TEST_F(VentanasZefirant, ListadoCanceladoOSoloVistoDejaLosResultados)
{
    tecla(Qt::Key_Right, Qt::ControlModifier);
    estado({"1", "300"});
    estado({"2", "400"});
    tecla(Qt::Key_C, Qt::AltModifier);
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.back();
    const std::string resultados = lee(dir / "ZEFIRANT.TMP");
    ASSERT_FALSE(resultados.empty());
    Form1->PageControl1->pon_pagina(Form1->TabSheet4);
    pulsa(Form1->Button1);
    ASSERT_TRUE(Form5->isVisible());

    EXPECT_EQ(cancela_impresion(Form5->Button6), 1);
    EXPECT_EQ(lee(dir / "ZEFIRANT.TMP"), resultados);

    QTest::keyClick(Form5->ListBox1, Qt::Key_P, Qt::AltModifier);
    QWidget* vista = Form8->QuickReport1->ventana_vista_previa();
    ASSERT_NE(vista, nullptr);
    EXPECT_TRUE(vista->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    ASSERT_FALSE(Form8->QuickReport1->ultimas_paginas().empty());
    // La etiqueta principal de cada línea, a 20 mm del borde más sus 16 píxeles.
    int lineas = 0;
    for (const auto& t : Form8->QuickReport1->ultimas_paginas()[0].textos)
        lineas += t.x == formulario_informe::MARGEN_20MM + 16 && t.paso == 7;
    EXPECT_EQ(lineas, 50);
    EXPECT_EQ(lee(dir / "ZEFIRANT.TMP"), resultados);
    // "Imprimir" desde la vista previa imprime sus páginas: el listado no
    // vuelve a pasar por el temporal.
    ASSERT_NE(boton_imprimir(vista), nullptr);
    imprime_en_pdf(boton_imprimir(vista), dir / "vista.pdf");
    EXPECT_GT(fs::file_size(dir / "vista.pdf"), 1000u);
    EXPECT_EQ(lee(dir / "ZEFIRANT.TMP"), resultados);
    vista->close();
    EXPECT_EQ(lee(dir / "ZEFIRANT.TMP"), resultados);

    imprime_en_pdf(Form5->Button6, dir / "listado.pdf");
    EXPECT_GT(fs::file_size(dir / "listado.pdf"), 1000u);
    EXPECT_FALSE(fs::exists(dir / "ZEFIRANT.TMP"));
}

// Una vista previa abierta mientras se recalcula: su "Imprimir" imprime las
// páginas que enseña, no los resultados nuevos.
TEST_F(VentanasZefirant, VistaPreviaImprimeLosResultadosQueMuestra)
{
    tecla(Qt::Key_Right, Qt::ControlModifier);
    estado({"1", "400"});
    estado({"2", "500"});
    tecla(Qt::Key_C, Qt::AltModifier);
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    Form11->Preview1Click();
    QWidget* vista = Form12->QuickReport1->ventana_vista_previa();
    ASSERT_TRUE(vista && vista->isVisible());

    estado({"3", "900"});
    tecla(Qt::Key_C, Qt::AltModifier);
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    ASSERT_NE(lee(dir / "ZEFIRANT.TMP").find("900,00"), std::string::npos);
    const std::string resultados_nuevos = lee(dir / "ZEFIRANT.TMP");

    ASSERT_NE(boton_imprimir(vista), nullptr);
    const auto texto = texto_impreso(boton_imprimir(vista), "vista.pdf");
    ASSERT_TRUE(texto) << "hace falta pdftotext (poppler-utils)";
    EXPECT_NE(texto->find("400,00"), std::string::npos) << *texto;
    EXPECT_NE(texto->find("500,00"), std::string::npos);
    EXPECT_EQ(texto->find("900,00"), std::string::npos);
    EXPECT_EQ(lee(dir / "ZEFIRANT.TMP"), resultados_nuevos);
}

// Resultados y listado impresos en PDF: el texto del PDF (buscar, copiar,
// pdftotext) lleva los caracteres de Symbol en Unicode, no sus bytes.
TEST_F(VentanasZefirant, ImpresionEnPdfConLosCaracteresDeSymbolEnUnicode)
{
    tecla(Qt::Key_Right, Qt::ControlModifier);
    estado({"1", "300"});
    estado({"5"}, {"", "", "", "", "", "1"});   // isentrópica desde el 1
    estado({"10", "", "", "", "", "", "1,3"});
    tecla(Qt::Key_Right, Qt::ControlModifier);
    transformacion("1 2");
    transformacion("2 3");
    tecla(Qt::Key_T, Qt::AltModifier);
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    const auto resultados = texto_impreso(Form11->Button5, "resultados.pdf");
    Form1->PageControl1->pon_pagina(Form1->TabSheet4);
    pulsa(Form1->Button1);
    ASSERT_TRUE(Form5->isVisible());
    const auto listado = texto_impreso(Form5->Button6, "listado.pdf");
    ASSERT_TRUE(resultados && listado) << "hace falta pdftotext (poppler-utils)";

    for (const char* c : {"│", "∫", "Δu", "Δh", "Δe", "γ", "473,45"})
        EXPECT_NE(resultados->find(c), std::string::npos) << c << "\n" << *resultados;
    for (const char* c : {"│", "cv", "1000"}) EXPECT_NE(listado->find(c), std::string::npos) << c << "\n" << *listado;
    // Ni uno de los bytes de Symbol que hacían de barra, ∫, Δ, ∑ o llaves.
    for (const std::string* t : {&*resultados, &*listado})
        for (const char* c : {"½", "ò", "å", "ü", "þ", "Du", "Dh", "De"}) EXPECT_EQ(t->find(c), std::string::npos) << c;
}

MAIN_PRUEBAS_QT
