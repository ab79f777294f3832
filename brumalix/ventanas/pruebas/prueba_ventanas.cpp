// Pruebas de las ventanas de BRUMALIX, manejadas como lo haría un usuario:
// se teclea en los campos, se pulsan botones y atajos, y se leen las listas,
// los rótulos, los mensajes, los informes y los ficheros.
#include "brumalix/ventanas/Unit1.h"
#include "brumalix/ventanas/Unit10.h"
#include "brumalix/ventanas/Unit11.h"
#include "brumalix/ventanas/Unit12.h"
#include "brumalix/ventanas/Unit13.h"
#include "brumalix/ventanas/Unit15.h"
#include "brumalix/ventanas/Unit17.h"
#include "brumalix/ventanas/Unit2.h"
#include "brumalix/ventanas/Unit5.h"
#include "brumalix/ventanas/fichero_problema.h"
#include "brumalix/ventanas/ventanas.h"

#include "brumalix/motor/estados.h"
#include "brumalix/motor/listados.h"
#include "brumalix/motor/problema_agua.h"
#include "brumalix/motor/traza.h"
#include "comun/formato.h"
#include "comun/pruebas/limite_tamano.h"
#include "comun/pruebas/sin_privilegios.h"
#include "comun/pruebas/sumidero_prueba.h"
#include "comun/texto1252.h"
#include "plataforma/ayuda.h"
#include "plataforma/dialogos.h"
#include "plataforma/lista_marcado.h"
#include "plataforma/pruebas/entradas_hostiles.h"
#include "plataforma/pruebas/principal_qt.h"
#include "plataforma/pruebas/ventanas_programa.h"

#include <QClipboard>
#include <QMimeData>
#include <QPrinter>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>

#include <chrono>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

class VentanasBrumalix : public VentanasPrograma {
protected:
    VentanasBrumalix() : VentanasPrograma("brumalix", DIR_DATOS, {"f1-bin.dat", "f2-bin.dat", "BRUMALIX.HLP"}) {}
    void SetUp() override
    {
        VentanasPrograma::SetUp();
        arranca();
        ASSERT_TRUE(Form1->arrancado()) << (mensajes.errores.empty() ? "" : mensajes.errores.back());
    }
    void TearDown() override
    {
        destruye_ventanas();
        VentanasPrograma::TearDown();
    }
    QWidget* principal() const override { return Form1; }
    static void arranca()
    {
        crea_ventanas();
        Form1->show();
        QApplication::setActiveWindow(Form1);
    }
    // Rellena el estado mostrado: valores p, t, x, v, h, s, referencias y
    // caudal ("" deja el campo vacío), y pulsa ">" con el ratón.
    static void estado(std::initializer_list<const char*> valores, std::initializer_list<const char*> refs = {},
                       const char* caudal = "")
    {
        int i = 0;
        for (const char* v : valores) teclea(Form1->edit_valor(i++), v);
        i = 0;
        for (const char* r : refs) teclea(Form1->edit_referencia(i++), r);
        teclea(Form1->Edit28, caudal);
        pulsa(Form1->BitBtn9);
    }
    static void equipo(const char* nombre, const char* entrantes, const char* salientes)
    {
        teclea(Form1->Edit13, nombre);
        teclea(Form1->Edit14, entrantes);
        teclea(Form1->Edit15, salientes);
    }
    static void ecuaciones(const std::array<campo_edicion*, 6>& edits, std::initializer_list<const char*> textos)
    {
        int i = 0;
        for (const char* t : textos) teclea(edits[static_cast<std::size_t>(i++)], t);
    }
    // Ciclo de Rankine: bomba 1-2, caldera 2-3, turbina 3-4, condensador 4-1,
    // 10 kg/s por el estado 1.
    void rankine()
    {
        estado({"0,1", "", "0"}, {}, "10");
        estado({"100"}, {"", "", "", "", "", "1"});
        estado({"100", "500"});
        estado({"0.1"}, {"", "", "", "", "", "3"});
        tecla(Qt::Key_2, Qt::ControlModifier);
        equipo("Caldera", "2", "3");
        tecla(Qt::Key_PageDown);
        equipo("Turbina", "3", "4");
        tecla(Qt::Key_PageDown);
        equipo("Condensador", "4", "1");
        tecla(Qt::Key_PageDown);
        equipo("Bomba", "1", "2");
        tecla(Qt::Key_Right, Qt::ControlModifier);
        ecuaciones(Form1->edits_masa, {"2=3", "3=4", "4=1"});
    }
    static std::string pagina() { return Form1->PageControl1->tabText(Form1->PageControl1->currentIndex()).toStdString(); }
    static std::string linea_resultados(std::size_t i) { return Resultados->ListBox1->linea(i); }
    // Fila de la tabla de estados (desde 1) en la lista de resultados.
    static std::string fila_estado(int n)
    {
        for (std::size_t i = 0; i < Resultados->ListBox1->numero(); ++i) {
            std::string l = linea_resultados(i);
            if (l.rfind(formatea("%3d `S", n), 0) == 0) return l;
        }
        return {};
    }
    static bool contiene(const pagina_informe& p, const std::string& trozo)
    {
        for (const auto& t : p.textos)
            if (t.cadena.toStdString().find(trozo) != std::string::npos) return true;
        return false;
    }
};


bool mismo_estado(const estado_agua& a, const estado_agua& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class CampoDeEstadoBrumalix : public VentanasBrumalix, public ::testing::WithParamInterface<int> {};
class CampoDeListadoBrumalix : public VentanasBrumalix, public ::testing::WithParamInterface<int> {};

// Nombre de cada instancia: el campo que prueba.
template <std::size_t N>
auto nombre_de_campo(const std::array<const char*, N>& nombres)
{
    return [nombres](const ::testing::TestParamInfo<int>& i) { return std::string(nombres[static_cast<std::size_t>(i.param)]); };
}
const std::array<const char*, 13> campos_de_estado = {
    "Presion", "Temperatura", "Titulo", "VolumenEspecifico", "Entalpia", "Entropia", "ReferenciaPresion",
    "ReferenciaTemperatura", "ReferenciaTitulo", "ReferenciaVolumen", "ReferenciaEntalpia", "ReferenciaEntropia",
    "Caudal"};
const std::array<const char*, 7> campos_de_listado = {"PresionInferiorCurvas", "PresionSuperiorCurvas",
                                                      "PresionInferiorTablas", "PresionSuperiorTablas",
                                                      "TemperaturaInferior",   "TemperaturaSuperior",
                                                      "LineasPorPagina"};

} // namespace

// Cada campo de la página de estados (seis valores, seis referencias y el
// caudal): ni al dejarlo, ni al pasar de estado con AvPág, ni al calcular,
// ni al salvar el problema entra en él un texto que no es un número.
TEST_P(CampoDeEstadoBrumalix, RechazaLoQueNoEsUnNumero)
{
    estado({"1", "150"}, {}, "2");
    tecla(Qt::Key_Home);
    ASSERT_EQ(Form1->estado_actual, 0);
    const int i = GetParam();
    campo_edicion* campo = i < 6 ? Form1->edit_valor(i) : i < 12 ? Form1->edit_referencia(i - 6) : Form1->Edit28;
    const estado_agua antes = estados_dato[0];
    const fs::path fichero = dir / "p.bmx";
    for (const std::string& entrada : entradas_hostiles()) {
        SCOPED_TRACE(entrada.substr(0, 10));
        escribe_entrada(campo, entrada);
        // Un campo de 14 caracteres (3 las referencias) no admite 5000
        // cifras: se queda con las primeras, que sí son un número.
        if (campo->text().size() < static_cast<int>(entrada.size()) && entrada.find_first_not_of('9') == std::string::npos)
            continue;
        mensajes.errores.clear();
        tecla(Qt::Key_PageDown);
        EXPECT_EQ(Form1->estado_actual, 0);
        tecla(Qt::Key_C, Qt::AltModifier);
        EXPECT_FALSE(fs::exists(dir / "BRUMALIX.TMP"));
        guardar.push_back(fichero.string());
        Form1->Salvarproblema1Click();
        guardar.clear();
        EXPECT_FALSE(fs::exists(fichero));
        // Al dejar el campo, el foco vuelve a él.
        (campo == Form1->Edit28 ? Form1->Edit1 : Form1->Edit28)->setFocus();
        EXPECT_EQ(QApplication::focusWidget(), campo);
        ASSERT_EQ(mensajes.errores.size(), 4u);
        for (const std::string& m : mensajes.errores) EXPECT_EQ(m, "Valor del campo incorrecto");
        EXPECT_TRUE(mismo_estado(estados_dato[0], antes));
        Form1->muestra_estado();
    }
    EXPECT_EQ(Form1->Label15->text(), QStringLiteral("1"));
}

INSTANTIATE_TEST_SUITE_P(Campos, CampoDeEstadoBrumalix, ::testing::Range(0, 13), nombre_de_campo(campos_de_estado));

// Límites y líneas por página del diálogo de listados. Un límite que no es
// un número lo dice ("Valor del campo incorrecto"); un número que no cabe
// en el rango, el mensaje del rango; ninguno llega a los límites del
// listado. "Líneas por página" no para el listado: al imprimir, lo que no
// es un número da 45 líneas, sin mensaje.
TEST_P(CampoDeListadoBrumalix, RechazaLoQueNoEsUnNumero)
{
    const int i = GetParam();
    if (i < 2) Form1->Curvaslmite1Click();
    else Form1->Lquidoyvaporsobrecalentado1Click();
    campo_edicion* const campos[7] = {Listados->Edit1, Listados->Edit2, Listados->Edit3, Listados->Edit4,
                                      Listados->Edit5, Listados->Edit6, Listados->Edit7};
    campo_edicion* campo = campos[i];
    const std::string fuera_de_rango = i < 4 ? texto1252::desde_utf8("Valores de presión fuera de rango")
                                             : "Valores de temperatura fuera de rango";
    const QString bueno = campo->text();
    const limites_curvas curvas = limites_listado_curvas;
    limites_tablas tablas = limites_listado_tablas;
    for (const std::string& entrada : entradas_hostiles()) {
        SCOPED_TRACE(entrada.substr(0, 10));
        mensajes.errores.clear();
        escribe_entrada(campo, entrada);
        pulsa(Listados->Button1);
        if (i == 6) {
            EXPECT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
            EXPECT_TRUE(Form11->isVisible());
            EXPECT_EQ(Listados->lineas_por_pagina_impresas(), 45);
            EXPECT_TRUE(mensajes.errores.empty());
            continue;
        }
        // Números que se salen de lo que cabe en 32 bits: infinito o 0.
        const bool numero = entrada == "1e39" || entrada == "1e-50" || entrada.find_first_not_of('9') == std::string::npos;
        if (i == 4 && entrada == "1e-50") {
            // 0 °C, el límite inferior que ya había.
            EXPECT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
            EXPECT_EQ(limites_listado_tablas.tmin, 0.0f);
            tablas = limites_listado_tablas;
            Form11->hide();
            continue;
        }
        ASSERT_EQ(mensajes.errores.size(), 1u);
        EXPECT_EQ(mensajes.errores[0], numero ? fuera_de_rango : "Valor del campo incorrecto");
        EXPECT_FALSE(Form11->isVisible());
        EXPECT_EQ(std::memcmp(&curvas, &limites_listado_curvas, sizeof curvas), 0);
        EXPECT_EQ(std::memcmp(&tablas, &limites_listado_tablas, sizeof tablas), 0);
    }
    campo->setText(bueno);
    mensajes.errores.clear();
    pulsa(Listados->Button1);
    EXPECT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    EXPECT_TRUE(Form11->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Campos, CampoDeListadoBrumalix, ::testing::Range(0, 7), nombre_de_campo(campos_de_listado));

// "Salvar problema" guarda la página de estados desde cualquier página: un
// campo que no vale la trae delante, sin fichero.
TEST_F(VentanasBrumalix, SalvarConUnCampoQueNoValeDesdeOtraPagina)
{
    // El texto, en un campo que no tiene el foco, y la página puesta por el
    // programa: ni la salida del campo ni el cambio de página lo leen.
    Form1->Edit3->setText(QStringLiteral("1,5,5"));
    Form1->PageControl1->pon_pagina(Form1->TabSheet2);
    ASSERT_TRUE(mensajes.errores.empty());
    guardar.push_back((dir / "p.bmx").string());
    Form1->Salvarproblema1Click();
    ASSERT_EQ(mensajes.errores.size(), 1u);
    EXPECT_EQ(pagina(), "Estados");
    EXPECT_FALSE(fs::exists(dir / "p.bmx"));
    EXPECT_EQ(estados_dato[0].x, -1.0f);
}

// Lo tecleado en "Equipos", "Ec. masa" y "Ec energía" y dejado con Ctrl+1
// a Ctrl+4 llega al cálculo; salvado con su página delante, al fichero; y
// salvar, "Nuevo problema", cargar y salvar da los mismos bytes.
TEST_F(VentanasBrumalix, LoQueSeVeLlegaAlCalculoYAlFichero)
{
    // Un mezclador: 1 kg/s de agua a 20 °C y vapor a 150 °C dan líquido
    // saturado, a 1 bar.
    estado({"1", "20"}, {}, "1");
    estado({"1", "150"});
    estado({"1", "", "0"});
    tecla(Qt::Key_2, Qt::ControlModifier);
    equipo("Mezclador", "1 2", "3");
    tecla(Qt::Key_3, Qt::ControlModifier);
    ecuaciones(Form1->edits_masa, {"1+2=3"});
    tecla(Qt::Key_4, Qt::ControlModifier);
    ecuaciones(Form1->edits_energia, {"1+2=3"});
    tecla(Qt::Key_1, Qt::ControlModifier);
    tecla(Qt::Key_T, Qt::AltModifier);
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    const std::string t = lee(dir / "BRUMALIX.TMP");
    EXPECT_NE(t.find("RESULTADOS DEL EQUIPO 1: Mezclador"), std::string::npos);
    EXPECT_NE(t.find("\nECUACIONES DE MASA\n\n    1+2=3\n\nECUACIONES DE ENERGIA\n\n    1+2=3\n"), std::string::npos);

    const std::string a = (dir / "a.bmx").string(), b = (dir / "b.bmx").string();
    const std::array<std::pair<Qt::Key, campo_edicion*>, 3> paginas = {
        {{Qt::Key_2, Form1->Edit13}, {Qt::Key_3, Form1->edits_masa[1]}, {Qt::Key_4, Form1->edits_energia[1]}}};
    const char* textos[3] = {"Caldera", "2=1", "3=2"};
    for (std::size_t k = 0; k < 3; ++k) {
        tecla(paginas[k].first, Qt::ControlModifier);
        teclea(paginas[k].second, textos[k]);
        guardar.push_back(a);
        Form1->Salvarproblema1Click();
        EXPECT_NE(lee(a).find(std::string(textos[k]) + '\0'), std::string::npos) << textos[k];
    }
    Form1->Nuevoproblema1Click();
    abrir.push_back(a);
    Form1->Cargarfichero1Click();
    guardar.push_back(b);
    Form1->Salvarproblema1Click();
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    EXPECT_TRUE(lee(b) == lee(a)) << "el fichero salvado de nuevo difiere";
}

// Un fichero que no se carga (cortado, marcado "B", que no existe, o el
// diálogo cancelado) deja el problema abierto como estaba: su título, su
// página a la vista y los bytes que salva.
TEST_F(VentanasBrumalix, UnFicheroRechazadoDejaElProblemaAbierto)
{
    estado({"10", "300"});
    tecla(Qt::Key_2, Qt::ControlModifier);
    equipo("Caldera", "1", "1");
    const std::string a = (dir / "a.bmx").string();
    guardar.push_back(a);
    Form1->Salvarproblema1Click();
    const std::string bytes = lee(a);
    Form1->Nuevoproblema1Click();
    abrir.push_back(a);
    Form1->Cargarfichero1Click();
    tecla(Qt::Key_2, Qt::ControlModifier);
    const QString titulo = Form1->windowTitle();

    const std::string roto = (dir / "roto.bmx").string(), marcado = (dir / "marcado.bmx").string();
    std::ofstream(roto, std::ios::binary) << bytes.substr(0, bytes.size() - 1);
    std::ofstream(marcado, std::ios::binary) << "B" << bytes.substr(1);
    for (const std::optional<std::string>& f : {std::optional(roto), std::optional(marcado),
                                                std::optional((dir / "no_existe").string()), std::optional<std::string>()}) {
        SCOPED_TRACE(f.value_or("cancelado"));
        abrir.push_back(f);
        Form1->Cargarfichero1Click();
        EXPECT_EQ(Form1->windowTitle(), titulo);
        EXPECT_EQ(pagina(), "Equipos");
        EXPECT_EQ(Form1->Edit13->text(), QStringLiteral("Caldera"));
    }
    EXPECT_EQ(mensajes.errores.size(), 2u);
    const std::string otra_vez = (dir / "otra_vez.bmx").string();
    guardar.push_back(otra_vez);
    Form1->Salvarproblema1Click();
    EXPECT_TRUE(lee(otra_vez) == bytes) << "el problema cambió";
}

// Los límites del diálogo de listados se leen como los lee el listado:
// "1e1" son 10 bar y un límite vacío es 0 (vale como temperatura inferior,
// no como presión). "Líneas por página" no para el listado: al imprimir, lo
// que no vale da 45 líneas, sin mensaje.
TEST_F(VentanasBrumalix, LimitesDelListadoComoLosLeeElListado)
{
    Form1->Curvaslmite1Click();
    teclea(Listados->Edit1, " 1e-2 ");
    teclea(Listados->Edit2, "1e1");
    teclea(Listados->Edit7, "cincuenta");
    pulsa(Listados->Button1);
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    EXPECT_TRUE(Form11->isVisible());
    EXPECT_FLOAT_EQ(limites_listado_curvas.pmin, 0.01f);
    EXPECT_FLOAT_EQ(limites_listado_curvas.pmax, 10.0f);
    EXPECT_EQ(Listados->lineas_por_pagina_impresas(), 45);
    EXPECT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();

    Form1->Lquidoyvaporsobrecalentado1Click();
    teclea(Listados->Edit5, "");
    teclea(Listados->Edit6, "300");
    pulsa(Listados->Button1);
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    EXPECT_EQ(limites_listado_tablas.tmin, 0.0f);
    EXPECT_EQ(limites_listado_tablas.tmax, 300.0f);
    teclea(Listados->Edit3, "");
    pulsa(Listados->Button1);
    ASSERT_EQ(mensajes.errores.size(), 1u);
    EXPECT_EQ(mensajes.errores[0], "Valores de presión fuera de rango"_w);
}

// Una acción, un mensaje. Con un caudal que no vale en el campo que tiene
// el foco: un clic en otra pestaña, Ctrl+2 o un clic en ">" lo dicen una
// vez y no dejan el estado; entrar en el menú con el teclado no lo dice (la
// orden que se elija leerá la página); "Nuevo problema" no habla del campo
// que tira.
TEST_F(VentanasBrumalix, UnMensajePorAccion)
{
    estado({"1", "100"});
    QTabBar* pestanas = Form1->PageControl1->tabBar();
    const std::vector<std::pair<const char*, std::function<void()>>> acciones = {
        {"pestaña", [&] { QTest::mouseClick(pestanas, Qt::LeftButton, {}, pestanas->tabRect(1).center()); }},
        {"Ctrl+2", [&] { tecla(Qt::Key_2, Qt::ControlModifier); }},
        {">", [&] { pulsa(Form1->BitBtn9); }},
    };
    for (const auto& [nombre, accion] : acciones) {
        SCOPED_TRACE(nombre);
        teclea(Form1->Edit28, "inf");
        mensajes.errores.clear();
        accion();
        EXPECT_EQ(mensajes.errores.size(), 1u);
        EXPECT_EQ(pagina(), "Estados");
        EXPECT_EQ(Form1->estado_actual, 1);
    }

    teclea(Form1->Edit28, "inf");
    mensajes.errores.clear();
    tecla(Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr);
    menu->close();

    teclea(Form1->Edit28, "inf");
    mensajes.errores.clear();
    Form1->Nuevoproblema1Click();
    EXPECT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    EXPECT_EQ(Form1->Label15->text(), QStringLiteral("0"));
}

// Un valor que "%g" escribe con exponente vale tal como se guardó mientras
// nadie lo toca; escrito a mano con exponente, no.
TEST_F(VentanasBrumalix, ValorMostradoConExponenteSinTocar)
{
    estado({"0,00001", "1000000"});
    tecla(Qt::Key_Home);
    EXPECT_EQ(Form1->Edit1->text(), QStringLiteral("1e-05"));
    EXPECT_EQ(Form1->Edit2->text(), QStringLiteral("1e+06"));
    Form1->Edit2->setFocus();
    Form1->Edit1->setFocus();
    tecla(Qt::Key_PageDown);
    EXPECT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    EXPECT_EQ(estados_dato[0].p, 0.00001f);
    EXPECT_EQ(estados_dato[0].t, 1000000.0f);
    tecla(Qt::Key_Home);
    teclea(Form1->Edit1, "1e-05");
    tecla(Qt::Key_PageDown);
    EXPECT_EQ(mensajes.errores.size(), 1u);
    EXPECT_EQ(Form1->estado_actual, 0);
}

TEST_F(VentanasBrumalix, ArranqueConProblemaNuevo)
{
    EXPECT_EQ(Form1->windowTitle(), QStringLiteral("BRUMALIX "));
    EXPECT_EQ(pagina(), "Estados");
    EXPECT_EQ(Form1->Label13->text(), QStringLiteral("1"));
    EXPECT_EQ(Form1->Label15->text(), QStringLiteral("0"));
    EXPECT_EQ(Form1->Label55->text(), QStringLiteral("1"));
    EXPECT_EQ(Form1->Label25->text(), QStringLiteral("0"));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Form1->numeros_masa[static_cast<std::size_t>(i)]->text(), QString::number(i + 1));
        EXPECT_EQ(Form1->numeros_energia[static_cast<std::size_t>(i)]->text(), QString::number(i + 1));
    }
    const QString opciones[6] = {QStringLiteral("bar   "), QString::fromUtf8("kg/cm² "), QStringLiteral("kg/s  "),
                                 QStringLiteral("t/h   "), QStringLiteral("kJ/kg  "), QStringLiteral("kcal/kg ")};
    grupo_radio* grupos[3] = {Configurar->RadioGroup1, Configurar->RadioGroup2, Configurar->RadioGroup3};
    for (int g = 0; g < 3; ++g) {
        EXPECT_EQ(grupos[g]->indice(), 0);
        for (int k = 0; k < 2; ++k) EXPECT_EQ(grupos[g]->opcion(k)->text(), opciones[2 * g + k]);
    }
    EXPECT_EQ(Form1->Label2->text(), QStringLiteral("0.02-221.2 bar   "));
    EXPECT_EQ(Form1->Label1->text(), QString::fromUtf8("0-800 °C"));
    EXPECT_EQ(Form1->Label10->text(), QString::fromUtf8("dm³/kg"));
    EXPECT_EQ(Form1->Label12->text(), QStringLiteral("kJ/kg K "));
    for (QPushButton* b : {Form1->BitBtn7, Form1->BitBtn8, Form1->BitBtn10, Form1->BitBtn14, Form1->BitBtn15,
                           Form1->BitBtn17, Form1->BitBtn19, Form1->BitBtn20, Form1->BitBtn22, Form1->BitBtn35,
                           Form1->BitBtn36, Form1->BitBtn38})
        EXPECT_FALSE(b->isEnabled());
    EXPECT_TRUE(Form1->BitBtn9->isEnabled());
    EXPECT_EQ(Form1->ruta_temporal, dir.string() + "//BRUMALIX.TMP");
    EXPECT_EQ(Form1->ruta_ayuda, dir.string() + "/BRUMALIX.HLP");
    EXPECT_TRUE(mensajes.errores.empty());
}

TEST_F(VentanasBrumalix, FaltaUnaTablaYElProgramaAcaba)
{
    destruye_ventanas();
    fs::remove(dir / "f2-bin.dat");
    arranca();
    EXPECT_FALSE(Form1->arrancado());
    ASSERT_EQ(mensajes.errores.size(), 1u);
    EXPECT_EQ(mensajes.errores[0], "ERROR al abrir el fichero " + dir.string() + "//f2-bin.dat");
    // Nada más se preparó: las opciones de unidades siguen sin sus nombres.
    EXPECT_EQ(Configurar->RadioGroup1->opcion(0)->text(), QStringLiteral("1"));
}

TEST_F(VentanasBrumalix, PaginaDeEstadosYSuListaEmergente)
{
    // Sin estados no hay lista.
    pulsa(Form1->BitBtn11);
    EXPECT_EQ(mensajes.errores.back(), "No hay estados definidos");
    EXPECT_FALSE(Form1->Panel1->isVisible());

    estado({"12,5", "200"});
    EXPECT_FLOAT_EQ(estados_dato[0].p, 12.5f);
    EXPECT_FLOAT_EQ(estados_dato[0].t, 200.0f);
    EXPECT_EQ(Form1->Label13->text(), QStringLiteral("2"));
    EXPECT_EQ(Form1->Label15->text(), QStringLiteral("1"));
    EXPECT_TRUE(Form1->BitBtn7->isEnabled());
    EXPECT_TRUE(Form1->BitBtn8->isEnabled());
    EXPECT_FALSE(Form1->BitBtn10->isEnabled());

    // ">" sobre un estado vacío no avanza.
    pulsa(Form1->BitBtn9);
    EXPECT_EQ(mensajes.errores.back(), "No ha introducido nada en este estado");
    EXPECT_EQ(Form1->estado_actual, 1);

    // Un carácter fuera del conjunto: mensaje, el foco vuelve y el valor
    // guardado no cambia. Un negativo pasa y cuenta como no dado.
    teclea(Form1->Edit2, "150");
    teclea(Form1->Edit1, "1a");
    Form1->Edit2->setFocus();
    EXPECT_EQ(mensajes.errores.back(), "Valor del campo incorrecto");
    EXPECT_EQ(estados_dato[1].p, -1.0f);
    EXPECT_FLOAT_EQ(estados_dato[1].t, 150.0f);
    teclea(Form1->Edit1, "  -5 ");
    Form1->Edit2->setFocus();
    EXPECT_EQ(Form1->Edit1->text(), QStringLiteral("-5"));
    EXPECT_FLOAT_EQ(estados_dato[1].p, -5.0f);
    teclea(Form1->Edit1, "121.23456");
    teclea(Form1->Edit7, "");

    // Referencia desde la lista: el número va al campo y al estado a la vez.
    pulsa(Form1->BitBtn3);
    ASSERT_TRUE(Form1->Panel1->isVisible());
    EXPECT_FALSE(Form1->PageControl1->isEnabled());
    ASSERT_EQ(Form1->ListBox1->count(), 3);
    EXPECT_EQ(Form1->ListBox1->item(0)->text(), QStringLiteral("<CERRAR>"));
    EXPECT_EQ(Form1->ListBox1->item(1)->text(), QStringLiteral("001: p=12.5 t=200 "));
    EXPECT_EQ(Form1->ListBox1->item(2)->text(), QStringLiteral("002: p=121.235 t=150 "));
    QListWidget* l = Form1->ListBox1;
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(1)).center());
    EXPECT_FALSE(Form1->Panel1->isVisible());
    EXPECT_TRUE(Form1->PageControl1->isEnabled());
    EXPECT_EQ(Form1->Edit9->text(), QStringLiteral("1"));
    EXPECT_EQ(estados_dato[1].ref_x, 1);

    // "<" guarda la página y enseña el estado 1 con coma.
    tecla(Qt::Key_PageUp);
    EXPECT_EQ(Form1->estado_actual, 0);
    EXPECT_EQ(Form1->Edit1->text(), QStringLiteral("12,5"));
    // Ir a un estado desde la lista.
    pulsa(Form1->BitBtn11);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(2)).center());
    EXPECT_EQ(Form1->estado_actual, 1);
    EXPECT_EQ(Form1->Edit1->text(), QStringLiteral("121,235"));
    EXPECT_EQ(Form1->Label15->text(), QStringLiteral("2"));
    // "<CERRAR>" cierra sin más; "Nuevo problema" cierra una lista abierta.
    pulsa(Form1->BitBtn11);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(0)).center());
    EXPECT_EQ(Form1->estado_actual, 1);
    pulsa(Form1->BitBtn11);
    Form1->Nuevoproblema1Click();
    EXPECT_FALSE(Form1->Panel1->isVisible());
    EXPECT_TRUE(Form1->PageControl1->isEnabled());
    EXPECT_EQ(Form1->Label15->text(), QStringLiteral("0"));
}

TEST_F(VentanasBrumalix, CicloDeRankineConCalcularTodo)
{
    rankine();
    const std::size_t trazas_antes = lista_traza().numero();
    tecla(Qt::Key_T, Qt::AltModifier);
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    ASSERT_TRUE(Resultados->isVisible());
    EXPECT_EQ(Resultados->pos(), QPoint(1, 1));
    EXPECT_GT(lista_traza().numero(), trazas_antes);
    EXPECT_EQ(num_equipos, 4);
    ASSERT_EQ(Resultados->ComboBox1->count(), 5);
    EXPECT_EQ(Resultados->ComboBox1->itemText(4), QStringLiteral("Bomba"));
    EXPECT_TRUE(Resultados->ComboBox1->isVisible());
    EXPECT_EQ(linea_resultados(0), "Agua (líquido y/o vapor): Propiedades de estados introducidos"_w);
    EXPECT_EQ(fila_estado(2).substr(0, 15), "  2 `S\xBD   L    ");
    EXPECT_EQ(fila_estado(3).substr(0, 15), "  3 `S\xBD   V    ");
    EXPECT_NE(fila_estado(1).find("0,00000   0,100"), std::string::npos) << fila_estado(1);

    // El fichero de resultados: estados, "<NP>", tablas de dos en dos y el
    // resumen del problema.
    const std::string t = lee(dir / "BRUMALIX.TMP");
    const std::size_t np = t.find("\n<NP>\n`N        RESULTADOS DEL EQUIPO 1: Caldera\n\n");
    ASSERT_NE(np, std::string::npos);
    const std::size_t e2 = t.find("`N        RESULTADOS DEL EQUIPO 2: Turbina");
    const std::size_t e3 = t.find("`N        RESULTADOS DEL EQUIPO 3: Condensador");
    const std::size_t e4 = t.find("`N        RESULTADOS DEL EQUIPO 4: Bomba");
    ASSERT_TRUE(e2 != std::string::npos && e3 != std::string::npos && e4 != std::string::npos);
    EXPECT_EQ(t.substr(e2 - 4, 4), "\n\n\n\n") << "tres saltos tras la tabla 1";
    EXPECT_EQ(t.substr(e3 - 6, 6), "\n<NP>\n") << "página nueva tras la tabla 2";
    EXPECT_EQ(t.substr(e4 - 4, 4), "\n\n\n\n");
    const std::size_t resumen = t.find("`NDATOS DEL PROBLEMA\n\n  (Presion:bar     Caudal:kg/s    Energia:kJ/kg  )\n"
                                       "====================================================\nESTADOS\n\n"
                                       "      1: p=0.1 x=0 \n      2: p=100 s=[1] \n      3: p=100 t=500 \n"
                                       "      4: p=0.1 s=[3] \n\nEQUIPOS\n\n    Caldera\n        Estados entrantes: 2\n");
    ASSERT_NE(resumen, std::string::npos) << t.substr(t.find("`NDATOS"));
    EXPECT_EQ(t.substr(resumen - 6, 6), "\n<NP>\n");
    EXPECT_NE(t.find("\nECUACIONES DE MASA\n\n    2=3\n    3=4\n    4=1\n\nCAUDALES DIRECTOS\n\n    Estado:1    Caudal:10\n"),
              std::string::npos);
    EXPECT_EQ(t.find("ECUACIONES DE ENERGIA"), std::string::npos);

    // Navegación de los resultados.
    EXPECT_FALSE(Resultados->BitBtn1->isEnabled());
    EXPECT_FALSE(Resultados->BitBtn2->isEnabled());
    QTest::keyClick(Resultados->ListBox1, Qt::Key_PageUp);
    EXPECT_EQ(Resultados->ComboBox1->currentIndex(), 0);
    QTest::keyClick(Resultados->ListBox1, Qt::Key_PageDown);
    QTest::keyClick(Resultados->ListBox1, Qt::Key_PageDown);
    EXPECT_EQ(Resultados->ComboBox1->currentIndex(), 2);
    EXPECT_EQ(linea_resultados(0), "");
    EXPECT_EQ(linea_resultados(1), "`N        RESULTADOS DEL EQUIPO 2: Turbina");
    // Turbina: 10 kg/s entran por 3 y salen por 4.
    EXPECT_EQ(linea_resultados(9).substr(0, 35), "                3 (e) `S\xBD    10,000");
    EXPECT_EQ(linea_resultados(10).substr(0, 35), "                4 (s) `S\xBD    10,000");
    pulsa(Resultados->BitBtn4);
    EXPECT_EQ(Resultados->ComboBox1->currentIndex(), 4);
    EXPECT_FALSE(Resultados->BitBtn3->isEnabled());
    EXPECT_FALSE(Resultados->BitBtn4->isEnabled());
    QTest::keyClick(Resultados->ListBox1, Qt::Key_PageDown);
    EXPECT_EQ(Resultados->ComboBox1->currentIndex(), 4);
    Resultados->move(200, 100);
    QTest::keyClick(Resultados->ListBox1, Qt::Key_Home);
    EXPECT_EQ(Resultados->ComboBox1->currentIndex(), 0);
    EXPECT_EQ(Resultados->pos(), QPoint(1, 1));

    // Informe: estados en la página 1, los equipos de dos en dos, el resumen.
    auto paginas = Impresion->QuickReport1->ejecuta();
    ASSERT_EQ(paginas.size(), 4u);
    EXPECT_TRUE(contiene(paginas[0], "Resultados de BRUMALIX"));
    EXPECT_TRUE(contiene(paginas[0], "Página 1"));
    EXPECT_TRUE(contiene(paginas[1], "RESULTADOS DEL EQUIPO 1: Caldera"));
    EXPECT_TRUE(contiene(paginas[1], "RESULTADOS DEL EQUIPO 2: Turbina"));
    EXPECT_FALSE(contiene(paginas[1], "RESULTADOS DEL EQUIPO 3"));
    EXPECT_TRUE(contiene(paginas[3], "ATOS DEL PROBLEMA"));
    // "`N": la línea entera en negrita, el carácter marcado también.
    for (const auto& tx : paginas[3].textos) {
        if (tx.cadena == QStringLiteral("D")) {
            EXPECT_TRUE(tx.fuente.bold());
            EXPECT_DOUBLE_EQ(tx.x, formulario_informe::MARGEN_10MM + 24 + 7 * 6);
        }
        if (tx.cadena.contains(QStringLiteral("ATOS DEL PROBLEMA"))) {
            EXPECT_TRUE(tx.fuente.bold());
        }
        if (tx.cadena.contains(QStringLiteral("ESTADOS"))) {
            EXPECT_FALSE(tx.fuente.bold());
        }
    }
    EXPECT_TRUE(Impresion->QuickReport1->a_pdf(QString::fromStdString((dir / "r.pdf").string())));
    EXPECT_GT(fs::file_size(dir / "r.pdf"), 1000u);

    // Portapapeles: el RTF de los resultados y su texto sin códigos.
    Resultados->Enviaralclipboard1Click();
    const QMimeData* d = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->data(QStringLiteral("text/rtf")).startsWith("{\\rtf1"));
    EXPECT_TRUE(d->text().contains(QStringLiteral("RESULTADOS DEL EQUIPO 4: Bomba")));
    EXPECT_FALSE(d->text().contains(QLatin1Char('`')));
    // Los caracteres de Symbol, en Unicode: barra de columna, sumatorio, llave.
    EXPECT_TRUE(d->text().contains(QString::fromUtf8("│")));
    EXPECT_TRUE(d->text().contains(QString::fromUtf8("∑m·h(entrantes)")));
    EXPECT_TRUE(d->text().contains(QString::fromUtf8("⎫")));
    EXPECT_FALSE(d->text().contains(QRegularExpression(QString::fromUtf8("[½åüþ]"))));

    // "Calcular estados" vacía la traza y deja la tabla de estados sola.
    tecla(Qt::Key_C, Qt::AltModifier);
    ASSERT_TRUE(mensajes.errores.empty());
    for (std::size_t i = 0; i < lista_traza().numero(); ++i) ASSERT_NE(lista_traza().linea(i), "Ent/Sal:");
    EXPECT_FALSE(Resultados->ComboBox1->isVisible());
    EXPECT_EQ(lee(dir / "BRUMALIX.TMP").find("<NP>"), std::string::npos);
}

TEST_F(VentanasBrumalix, CalculosQueFallan)
{
    estado({"1", "100"});
    estado({"1", "100", "0,5"});
    estado({"1", "", "0,5"});
    tecla(Qt::Key_C, Qt::AltModifier);
    ASSERT_EQ(mensajes.errores.size(), 1u);
    EXPECT_EQ(mensajes.errores[0], "Estado 2: Número de datos incorrecto"_w);
    EXPECT_EQ(pagina(), "Estados");
    EXPECT_EQ(Form1->estado_actual, 1);
    EXPECT_EQ(Form1->Edit3->text(), QStringLiteral("0,5"));
    EXPECT_FALSE(fs::exists(dir / "BRUMALIX.TMP"));

    // Fuera de margen: el motor lo dice y la página enseña ese estado.
    teclea(Form1->Edit1, "300");
    teclea(Form1->Edit3, "");
    tecla(Qt::Key_2, Qt::ControlModifier);
    tecla(Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(mensajes.errores.back(), "Estado 2: Datos fuera de margen");
    EXPECT_EQ(pagina(), "Estados");
    EXPECT_EQ(Form1->estado_actual, 1);
    EXPECT_FALSE(Resultados->ComboBox1->isVisible());

    // Sin equipos, "Calcular todo" deja sólo la tabla de estados.
    teclea(Form1->Edit1, "2");
    tecla(Qt::Key_T, Qt::AltModifier);
    ASSERT_EQ(mensajes.errores.size(), 2u) << mensajes.errores.back();
    EXPECT_TRUE(Resultados->isVisible());
    EXPECT_FALSE(Resultados->ComboBox1->isVisible());
    EXPECT_EQ(lee(dir / "BRUMALIX.TMP").find("<NP>"), std::string::npos);

    // Balances sin solución: el mensaje del motor y la navegación oculta,
    // también para las teclas de la ventana de resultados.
    tecla(Qt::Key_2, Qt::ControlModifier);
    // Una lista de más de 10 estados, o con "=", se corta a lo que cabe.
    equipo("Mezclador", "1 2 1 2 1 2 1 2 1 2 1 2", "3=4");
    tecla(Qt::Key_Right, Qt::ControlModifier);
    ecuaciones(Form1->edits_masa, {"1+2=3"});
    tecla(Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(mensajes.errores.back(), "ERROR: Tiene 1 ecuaciones y 3 incógnitas"_w);
    EXPECT_EQ(equipos[0].num_entrantes, 10);
    EXPECT_EQ(equipos[0].num_salientes, 1);
    EXPECT_EQ(equipos[0].salientes[0], 3);
    EXPECT_FALSE(Resultados->ComboBox1->isVisible());
    const std::string tabla = linea_resultados(0);
    QTest::keyClick(Resultados->ListBox1, Qt::Key_End);
    EXPECT_EQ(linea_resultados(0), tabla);
    EXPECT_EQ(Resultados->ComboBox1->currentIndex(), 0);

    // Más de 36 caudales dados no caben en la tabla: se rechaza el cálculo.
    Form1->Nuevoproblema1Click();
    for (int k = 0; k < 37; ++k) {
        estados_dato[k].p = 1;
        estados_dato[k].t = 100;
        estados_dato[k].caudal = 1;
    }
    Form1->ultimo_estado = 36;
    Form1->PageControl1->pon_pagina(Form1->TabSheet2);
    tecla(Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(mensajes.errores.back(), "Estado 37: No se pueden dar más de 36 caudales"_w);
    EXPECT_EQ(Form1->estado_actual, 36);
}

TEST_F(VentanasBrumalix, GuardarNuevoYCargar)
{
    // Un problema nuevo se guarda con un estado y un equipo.
    const std::string vacio = (dir / "vacio.bmx").string();
    guardar.push_back(vacio);
    Form1->Salvarproblema1Click();
    EXPECT_EQ(fs::file_size(vacio), 11287u);
    EXPECT_EQ(Form1->windowTitle(), QString::fromStdString("BRUMALIX " + vacio));

    // Unidades kg/cm² y t/h, dos estados con caudal, un equipo y ecuaciones.
    Form1->Configurarunidades1Click();
    pulsa(Configurar->RadioGroup1->opcion(1));
    pulsa(Configurar->RadioGroup2->opcion(1));
    pulsa(Configurar->Button1);
    EXPECT_EQ(Form1->Label2->text(), QString::fromUtf8("0.02-225.5 kg/cm² "));
    EXPECT_EQ(Form1->Label57->text(), QStringLiteral("t/h   "));
    estado({"10", "300"}, {}, "36");
    estado({"5"}, {"", "1"});
    estado({"2", "", "1"}, {}, "7,5");
    tecla(Qt::Key_2, Qt::ControlModifier);
    equipo("Valvula", "1", "2");
    tecla(Qt::Key_PageDown);
    equipo("Separador", "2 ", "3");
    // Ctrl+3, como Ctrl+Derecha, guarda la página que se deja.
    tecla(Qt::Key_3, Qt::ControlModifier);
    EXPECT_STREQ(equipos[1].nombre, "Separador");
    tecla(Qt::Key_2, Qt::ControlModifier);
    tecla(Qt::Key_Right, Qt::ControlModifier);
    ecuaciones(Form1->edits_masa, {"1=2"});
    tecla(Qt::Key_Right, Qt::ControlModifier);
    ecuaciones(Form1->edits_energia, {"2=3"});
    tecla(Qt::Key_Right, Qt::ControlModifier);
    ASSERT_EQ(pagina(), "Estados");
    const std::string fichero = (dir / "problema.bmx").string();
    guardar.push_back(fichero);
    Form1->Salvarproblema1Click();
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    // Cuatro estados (el último, vacío, es el que se estaba escribiendo) y dos equipos.
    EXPECT_EQ(fs::file_size(fichero), 11029u + 54 * 4 + 204 * 2);

    Form1->Nuevoproblema1Click();
    EXPECT_EQ(Form1->Label15->text(), QStringLiteral("0"));
    EXPECT_EQ(Form1->windowTitle(), QStringLiteral("BRUMALIX "));
    // El diálogo vuelve a "bar" mientras los rótulos siguen en kg/cm².
    EXPECT_EQ(Configurar->RadioGroup1->indice(), 0);
    EXPECT_EQ(Form1->Label2->text(), QString::fromUtf8("0.02-225.5 kg/cm² "));
    unidad_presion_at = unidad_caudal_th = 0;

    abrir.push_back(fichero);
    Form1->Cargarfichero1Click();
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    EXPECT_EQ(unidad_presion_at, 1);
    EXPECT_EQ(unidad_caudal_th, 1);
    EXPECT_EQ(Form1->Label2->text(), QString::fromUtf8("0.02-225.5 kg/cm² "));
    EXPECT_EQ(pagina(), "Estados");
    EXPECT_EQ(Form1->Label13->text(), QStringLiteral("1"));
    EXPECT_EQ(Form1->Label15->text(), QStringLiteral("3"));
    EXPECT_EQ(Form1->Edit1->text(), QStringLiteral("10"));
    EXPECT_EQ(Form1->Edit28->text(), QStringLiteral("36"));
    EXPECT_EQ(estados_dato[1].caudal, -1.0f);
    EXPECT_FLOAT_EQ(estados_dato[2].caudal, 7.5f);
    EXPECT_EQ(estados_dato[1].ref_t, 1);
    EXPECT_EQ(Form1->ultimo_estado, 3);
    EXPECT_EQ(Form1->Label55->text(), QStringLiteral("1"));
    EXPECT_EQ(Form1->Label25->text(), QStringLiteral("2"));
    EXPECT_EQ(Form1->Edit13->text(), QStringLiteral("Valvula"));
    EXPECT_EQ(num_equipos, 2);
    EXPECT_STREQ(equipos[1].texto_entrantes, "2 ");
    EXPECT_STREQ(ecuaciones_masa[0].texto, "1=2");
    EXPECT_STREQ(ecuaciones_energia[0].texto, "2=3");
    EXPECT_EQ(Form1->windowTitle(), QString::fromStdString("BRUMALIX " + fichero));
    // La traza cuenta lo cargado.
    bool cargado = false;
    for (std::size_t i = 0; i < lista_traza().numero(); ++i) cargado = cargado || lista_traza().linea(i) == "Cargado fichero";
    EXPECT_TRUE(cargado);
    // El último grupo de la página de masa es el 10 y el de energía el 4.
    Form1->PageControl1->pon_pagina(Form1->TabSheet3);
    tecla(Qt::Key_End);
    EXPECT_EQ(Form1->grupo_masa_actual, 10);
    EXPECT_EQ(Form1->numeros_masa[0]->text(), QStringLiteral("61"));
    pulsa(Form1->BitBtn21);
    EXPECT_EQ(mensajes.errores.back(), "Ya ha definido el número máximo de ecuaciones de masa"_w);
    Form1->PageControl1->pon_pagina(Form1->TabSheet4);
    tecla(Qt::Key_End);
    EXPECT_EQ(Form1->grupo_energia_actual, 4);
    EXPECT_FALSE(Form1->BitBtn37->isEnabled());
    mensajes.errores.clear();

    // Disposición antigua: sin marca y con tres unidades; la entropía sigue
    // a la energía.
    std::string bytes = lee(fichero);
    std::string antiguo = bytes.substr(1, 4) + "\x01\x00"s + bytes.substr(9);
    const std::string fichero_antiguo = (dir / "antiguo.bmx").string();
    std::ofstream(fichero_antiguo, std::ios::binary) << antiguo;
    abrir.push_back(fichero_antiguo);
    Form1->Cargarfichero1Click();
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    EXPECT_EQ(unidad_energia_kcal, 1);
    EXPECT_EQ(unidad_entropia_kcal, 1);
    EXPECT_EQ(Form1->Label12->text(), QStringLiteral("kcal/kg K"));
    EXPECT_EQ(Form1->Label15->text(), QStringLiteral("3"));

    // Marca "B": se rechaza sin mensaje y el problema abierto sigue.
    const std::string fichero_b = (dir / "b.bmx").string();
    std::ofstream(fichero_b, std::ios::binary) << "B" << bytes.substr(1);
    abrir.push_back(fichero_b);
    Form1->Cargarfichero1Click();
    EXPECT_TRUE(mensajes.errores.empty());
    EXPECT_EQ(Form1->Label15->text(), QStringLiteral("3"));
    EXPECT_EQ(numero_estados(), 3);
    EXPECT_EQ(Form1->windowTitle(), QString::fromStdString("BRUMALIX " + fichero_antiguo));

    // Un fichero cortado: se dice y el problema abierto queda entero.
    const std::string roto = (dir / "roto.bmx").string();
    std::ofstream(roto, std::ios::binary) << bytes.substr(0, bytes.size() - 100);
    abrir.push_back(roto);
    Form1->Cargarfichero1Click();
    EXPECT_EQ(mensajes.errores.back(), "Error al cargar " + roto);
    EXPECT_EQ(numero_estados(), 3);
    EXPECT_STREQ(equipos[0].nombre, "Valvula");
    EXPECT_STREQ(ecuaciones_masa[0].texto, "1=2");
    EXPECT_EQ(Form1->windowTitle(), QString::fromStdString("BRUMALIX " + fichero_antiguo));
    abrir.push_back((dir / "no_existe").string());
    Form1->Cargarfichero1Click();
    EXPECT_EQ(mensajes.errores.back(), "Error al abrir " + (dir / "no_existe").string());

    // Un fichero que no se puede crear (las que fallan de otro modo, al
    // salvar sin sitio).
    guardar.push_back((dir / "no" / "hay" / "tal").string());
    Form1->Salvarproblema1Click();
    EXPECT_EQ(mensajes.errores.back(), "Error al crear " + (dir / "no" / "hay" / "tal").string());
}

TEST_F(VentanasBrumalix, CargarYSalvarSinTocarDaElMismoFichero)
{
    // Valores y caudales de 8 cifras significativas en cada campo; la página
    // los muestra con 6 (1234567 incluso en forma exponencial).
    estado({"12,345678", "123,45678", "0,12345678", "1234,5678", "2345,6789", "6,7890123"}, {}, "1234567");
    estado({"0,98765432", "45,678901"}, {"", "", "", "", "", "1"}, "12,345678");
    estado({"", "", "0,87654321"}, {"2"});
    tecla(Qt::Key_2, Qt::ControlModifier);
    equipo("Caldera", "1 2", "3");
    tecla(Qt::Key_Right, Qt::ControlModifier);
    ecuaciones(Form1->edits_masa, {"1+2=3"});
    tecla(Qt::Key_Left, Qt::ControlModifier);
    tecla(Qt::Key_Left, Qt::ControlModifier);
    ASSERT_EQ(pagina(), "Estados");
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    const std::string a = (dir / "a.bmx").string(), b = (dir / "b.bmx").string();
    guardar.push_back(a);
    Form1->Salvarproblema1Click();
    ASSERT_EQ(fs::file_size(a), 11029u + 54 * 4 + 204);
    EXPECT_EQ(estados_dato[0].caudal, 1234567.0f);

    // Se carga, se recorren los estados y las páginas sin tocar nada y se
    // salva: los mismos bytes.
    Form1->Nuevoproblema1Click();
    abrir.push_back(a);
    Form1->Cargarfichero1Click();
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    EXPECT_EQ(Form1->Edit1->text(), QStringLiteral("12,3457"));
    EXPECT_EQ(Form1->Edit28->text(), QStringLiteral("1,23457e+06"));
    pulsa(Form1->BitBtn10);
    pulsa(Form1->BitBtn8);
    pulsa(Form1->BitBtn8);
    tecla(Qt::Key_PageDown);
    pulsa(Form1->BitBtn7);
    tecla(Qt::Key_2, Qt::ControlModifier);
    tecla(Qt::Key_Left, Qt::ControlModifier);
    ASSERT_EQ(pagina(), "Estados");
    guardar.push_back(b);
    Form1->Salvarproblema1Click();
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    EXPECT_TRUE(lee(b) == lee(a)) << "el fichero salvado de nuevo difiere";

    // Lo que se teclea de nuevo se lee del texto, aunque sea el mostrado.
    teclea(Form1->Edit1, "1");
    teclea(Form1->Edit1, "12,3457");
    pulsa(Form1->BitBtn9);
    EXPECT_EQ(estados_dato[0].p, 12.3457f);
}

TEST_F(VentanasBrumalix, SalvarSinSitioNoPierdeElProblemaAnterior)
{
    const std::string fichero = (dir / "problema.bmx").string();
    estado({"10", "300"});
    guardar.push_back(fichero);
    Form1->Salvarproblema1Click();
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    const std::string antes = lee(fichero);

    // Con un límite de tamaño de fichero menor que el problema: el mensaje,
    // el fichero anterior entero y el programa sigue.
    estado({"5", "200"});
    {
        limite_tamano limite(4096);
        ASSERT_TRUE(limite.puesto());
        guardar.push_back(fichero);
        Form1->Salvarproblema1Click();
    }
    ASSERT_EQ(mensajes.errores.size(), 1u);
    EXPECT_EQ(mensajes.errores[0], "Error al escribir " + fichero);
    EXPECT_EQ(lee(fichero), antes);
    EXPECT_EQ(restos("problema.bmx"), 0);
    guardar.push_back(fichero);
    Form1->Salvarproblema1Click();
    EXPECT_EQ(mensajes.errores.size(), 1u);
    EXPECT_EQ(fs::file_size(fichero), antes.size() + 54);
    EXPECT_EQ(restos("problema.bmx"), 0);
    const std::string guardado = lee(fichero);

    // En un hijo sin privilegios y con límite de tiempo: un dispositivo
    // lleno, una tubería sin lector y un fichero de sólo lectura dan su
    // mensaje en seguida y no cambian; un fichero que se puede escribir en un
    // directorio que no se guarda en su sitio.
    const fs::path tuberia = dir / "tuberia", fijo = dir / "fijo.bmx", cerrado = dir / "cerrado",
                   en_cerrado = cerrado / "problema.bmx";
    ASSERT_EQ(::mkfifo(tuberia.c_str(), 0666), 0);
    ::chmod(tuberia.c_str(), 0666);
    std::ofstream(fijo, std::ios::binary) << "fijo";
    ::chmod(fijo.c_str(), 0444);
    fs::create_directories(cerrado);
    std::ofstream(en_cerrado, std::ios::binary) << "anterior";
    for (const fs::path& p : {dir, fijo, en_cerrado, cerrado}) sin_privilegios::entrega(p.string());
    ::chmod(cerrado.c_str(), 0555);
    const std::string titulo = Form1->windowTitle().toStdString();
    const std::string fallo = sin_privilegios::en_hijo([&] {
        std::vector<std::pair<std::string, std::string>> casos = {{tuberia.string(), "Error al abrir "},
                                                                  {fijo.string(), "Error al abrir "}};
        if (fs::exists("/dev/full")) casos.push_back({"/dev/full", "Error al escribir "});
        for (const auto& [ruta, mensaje] : casos) {
            mensajes.errores.clear();
            guardar.push_back(ruta);
            const auto comienzo = std::chrono::steady_clock::now();
            Form1->Salvarproblema1Click();
            if (std::chrono::steady_clock::now() - comienzo > std::chrono::seconds(1))
                return sin_privilegios::falla(1, "tardó más de 1 s: " + ruta);
            if (mensajes.errores != std::vector<std::string>{mensaje + ruta})
                return sin_privilegios::falla(2, ruta + ": " + (mensajes.errores.empty() ? "" : mensajes.errores[0]));
            if (Form1->windowTitle().toStdString() != titulo) return sin_privilegios::falla(3, "otro título: " + ruta);
        }
        mensajes.errores.clear();
        guardar.push_back(en_cerrado.string());
        Form1->Salvarproblema1Click();
        return mensajes.errores.empty() ? 0 : sin_privilegios::falla(4, mensajes.errores[0]);
    });
    EXPECT_EQ(fallo, "");
    EXPECT_TRUE(fs::is_fifo(tuberia));
    EXPECT_TRUE(!fs::exists("/dev/full") || fs::is_character_file("/dev/full"));
    EXPECT_EQ(lee(fijo), "fijo");
    EXPECT_TRUE(lee(en_cerrado) == guardado);
    EXPECT_EQ(std::distance(fs::directory_iterator(cerrado), fs::directory_iterator()), 1);
    ::chmod(cerrado.c_str(), 0755);
}

TEST_F(VentanasBrumalix, DialogoDeListadosYListadoEnPantalla)
{
    Form1->Curvaslmite1Click();
    ASSERT_TRUE(Listados->isVisible());
    EXPECT_TRUE(Listados->Panel1->isVisible());
    EXPECT_FALSE(Listados->Panel2->isVisible());
    EXPECT_EQ(Listados->Edit1->text(), QStringLiteral("0.0061"));
    EXPECT_EQ(Listados->Edit2->text(), QStringLiteral("221.2"));
    EXPECT_EQ(Listados->Label12->text(), QStringLiteral("bar   "));

    // Rechazos: 0,2 % por debajo del mínimo, valores iguales. La coma
    // decimal vale como el punto.
    teclea(Listados->Edit1, "0.006087");
    pulsa(Listados->Button1);
    EXPECT_EQ(mensajes.errores.back(), "Valores de presión fuera de rango"_w);
    EXPECT_FALSE(Form11->isVisible());
    teclea(Listados->Edit1, "10");
    teclea(Listados->Edit2, "10");
    pulsa(Listados->Button1);
    EXPECT_EQ(mensajes.errores.size(), 2u);
    teclea(Listados->Edit1, "0,0061");
    teclea(Listados->Edit2, "221,2");
    pulsa(Listados->Button1);
    EXPECT_EQ(mensajes.errores.size(), 2u);
    EXPECT_FLOAT_EQ(limites_listado_curvas.pmax, 221.2f);

    // Líquido y vapor: la presión se mira antes que la temperatura.
    Form1->Lquidoyvaporsobrecalentado1Click();
    EXPECT_TRUE(Listados->Panel2->isVisible());
    EXPECT_FALSE(Listados->Panel1->isVisible());
    teclea(Listados->Edit4, "241");
    teclea(Listados->Edit6, "800.9");
    pulsa(Listados->Button1);
    EXPECT_EQ(mensajes.errores.back(), "Valores de presión fuera de rango"_w);
    teclea(Listados->Edit4, "240");
    pulsa(Listados->Button1);
    EXPECT_EQ(mensajes.errores.back(), "Valores de temperatura fuera de rango");
    mensajes.errores.clear();

    // Curvas límite aceptadas: 0,05 % por debajo del mínimo vale (el diálogo
    // sigue abierto con el 221,2 de antes).
    Form1->Curvaslmite1Click();
    teclea(Listados->Edit1, "0.006097");
    QTest::keyClick(Listados->Edit1, Qt::Key_Return);
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.back();
    ASSERT_TRUE(Form11->isVisible());
    EXPECT_EQ(Form11->pos(), QPoint(1, 1));
    EXPECT_EQ(Form11->tipo_listado, 1);
    EXPECT_GT(Form11->num_paginas, 3);
    EXPECT_EQ(Form11->Label1->text(), QString::number(Form11->num_paginas));
    EXPECT_EQ(Form11->ComboBox1->count(), Form11->num_paginas);
    EXPECT_EQ(imprelist1->paginas_impresion, 1);
    EXPECT_EQ(imprelist1->titulo().toStdString(), "BRUMALIX: Listado de curvas límite entre 0.006097 y 221.2 bar");
    // Página 1: seis líneas de cabecera y quince filas.
    ASSERT_EQ(Form11->ListBox1->numero(), 21u);
    EXPECT_EQ(Form11->ListBox1->linea(1).substr(0, 12), " presi\xF3n  `S");
    EXPECT_FALSE(Form11->Button1->isEnabled());
    EXPECT_FALSE(Form11->Button4->isEnabled());
    EXPECT_TRUE(Form11->Button5->isEnabled());
    QTest::keyClick(Form11->ListBox1, Qt::Key_End);
    EXPECT_EQ(Form11->pagina_actual, Form11->num_paginas);
    EXPECT_FALSE(Form11->Button2->isEnabled());
    QTest::keyClick(Form11->ListBox1, Qt::Key_PageUp);
    EXPECT_EQ(Form11->pagina_actual, Form11->num_paginas - 1);
    EXPECT_EQ(Form11->ComboBox1->currentIndex(), Form11->num_paginas - 2);
    Form11->ComboBox1->setCurrentIndex(2);
    Form11->ComboBox1Change();
    EXPECT_EQ(Form11->pagina_actual, 3);
    EXPECT_TRUE(Form11->Button1->isEnabled() && Form11->Button2->isEnabled());

    // En kg/cm² los textos propuestos son los límites en esa unidad y se
    // aceptan; el título de la impresión sigue hablando de bar.
    Listados->hide();
    Form1->Configurarunidades1Click();
    pulsa(Configurar->RadioGroup1->opcion(1));
    pulsa(Configurar->Button1);
    EXPECT_FLOAT_EQ(PMINF2, static_cast<float>(0.02 * 1.019716));
    Form1->Curvaslmite1Click();
    EXPECT_EQ(Listados->Edit1->text(), QStringLiteral("0.00622027"));
    EXPECT_EQ(Listados->Label12->text(), QString::fromUtf8("kg/cm² "));
    pulsa(Listados->Button1);
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.back();
    EXPECT_NEAR(limites_listado_curvas.pmin, 0.0061, 1e-6);
    EXPECT_TRUE(imprelist1->titulo().endsWith(QStringLiteral(" bar")));
    EXPECT_TRUE(imprelist1->titulo().contains(QStringLiteral("entre 0.0061 y 221.2")));
}

TEST_F(VentanasBrumalix, ImpresionDeListadosYElFicheroTemporal)
{
    // Unos resultados en el fichero temporal, antes del listado.
    estado({"1", "100"});
    tecla(Qt::Key_C, Qt::AltModifier);
    ASSERT_TRUE(fs::exists(dir / "BRUMALIX.TMP"));

    Form1->Curvaslmite1Click();
    pulsa(Listados->Button1);
    ASSERT_TRUE(Form11->isVisible());
    auto paginas = imprelist1->QuickReport1->ejecuta();
    ASSERT_GE(paginas.size(), 2u);
    // Bandas de cada página: la etiqueta principal de cada línea está en la
    // columna 8 del formulario.
    auto bandas = [](const pagina_informe& p) {
        int n = 0;
        for (const auto& t : p.textos) n += t.x == formulario_informe::MARGEN_10MM + 8 && t.paso == 7;
        return n;
    };
    EXPECT_EQ(bandas(paginas[0]), 55);
    EXPECT_EQ(bandas(paginas[1]), 55);
    for (const auto& p : paginas) EXPECT_TRUE(contiene(p, " presi")) << "cabecera en cada página";
    EXPECT_TRUE(contiene(paginas[1], "Página: 2"));
    EXPECT_TRUE(contiene(paginas[0], "BRUMALIX: Listado de curvas límite entre"));
    EXPECT_FALSE(contiene(paginas[0], "/20"));  // sin fecha
    // El listado borra el fichero temporal: los resultados ya no se imprimen.
    EXPECT_FALSE(fs::exists(dir / "BRUMALIX.TMP"));
    auto resultados = Impresion->QuickReport1->ejecuta();
    EXPECT_EQ(mensajes.errores.back(), "Error al abrir el fichero temporal");
    EXPECT_EQ(bandas(resultados[0]), 0);

    // Líneas por página 0: 45 por página.
    teclea(Listados->Edit7, "0");
    paginas = imprelist1->QuickReport1->ejecuta();
    EXPECT_EQ(bandas(paginas[0]), 45);

    // Líquido y vapor en dos bloques: cada uno empieza página con su título.
    Form1->Lquidoyvaporsobrecalentado1Click();
    teclea(Listados->Edit3, "1");
    teclea(Listados->Edit4, "1.2");
    teclea(Listados->Edit5, "100");
    teclea(Listados->Edit6, "200");
    teclea(Listados->Edit7, "55");
    pulsa(Listados->Button1);
    EXPECT_EQ(imprelist1->paginas_impresion, 2);
    EXPECT_EQ(imprelist1->titulo(), QString::fromUtf8("BRUMALIX: Listado entre entre 1 y 1.2 bar y entre 100 y 200 °C"));
    ASSERT_EQ(Form11->ListBox1->numero(), 7u + 11u);
    EXPECT_NE(Form11->ListBox1->linea(0).find("`Ip=  1.00 bar"), std::string::npos);
    paginas = imprelist1->QuickReport1->ejecuta();
    ASSERT_EQ(paginas.size(), 2u);
    EXPECT_TRUE(contiene(paginas[0], "=  1.00 bar"));
    EXPECT_TRUE(contiene(paginas[1], "=  1.20 bar"));
    EXPECT_EQ(bandas(paginas[0]), 7 + 11 + 1);  // título, cabecera, filas y la línea "<NP>"
    EXPECT_EQ(bandas(paginas[1]), 7 + 11);
}

TEST_F(VentanasBrumalix, ListadoCanceladoOSoloVistoDejaLosResultados)
{
    estado({"1", "100"});
    tecla(Qt::Key_C, Qt::AltModifier);
    const std::string resultados = lee(dir / "BRUMALIX.TMP");
    ASSERT_FALSE(resultados.empty());
    Form1->Curvaslmite1Click();
    pulsa(Listados->Button1);
    ASSERT_TRUE(Form11->isVisible());

    // "Imprimir" y "Cancelar" en el diálogo: el temporal queda como estaba.
    EXPECT_EQ(cancela_impresion(Form11->Button6), 1);
    EXPECT_EQ(lee(dir / "BRUMALIX.TMP"), resultados);

    // La vista previa muestra el listado entero sin tocar el temporal, y su
    // ventana no bloquea las demás.
    Form11->Button7Click();
    QWidget* vista = imprelist1->QuickReport1->ventana_vista_previa();
    ASSERT_NE(vista, nullptr);
    EXPECT_TRUE(vista->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    const auto& vistas = imprelist1->QuickReport1->ultimas_paginas();
    ASSERT_GE(vistas.size(), 2u);
    EXPECT_TRUE(contiene(vistas[1], " presi"));
    EXPECT_EQ(lee(dir / "BRUMALIX.TMP"), resultados);
    // "Imprimir" desde la vista previa imprime sus páginas: el listado no
    // vuelve a pasar por el temporal.
    ASSERT_NE(boton_imprimir(vista), nullptr);
    imprime_en_pdf(boton_imprimir(vista), dir / "vista.pdf");
    EXPECT_GT(fs::file_size(dir / "vista.pdf"), 1000u);
    EXPECT_EQ(lee(dir / "BRUMALIX.TMP"), resultados);
    vista->close();
    EXPECT_EQ(lee(dir / "BRUMALIX.TMP"), resultados);
    // Los resultados se siguen imprimiendo.
    auto paginas = Impresion->QuickReport1->ejecuta();
    EXPECT_TRUE(mensajes.errores.empty());
    EXPECT_TRUE(contiene(paginas[0], "Propiedades de estados introducidos"));

    // Impresión aceptada: el listado pasa por el temporal y lo borra al acabar.
    imprime_en_pdf(Form11->Button6, dir / "listado.pdf");
    EXPECT_GT(fs::file_size(dir / "listado.pdf"), 1000u);
    EXPECT_FALSE(fs::exists(dir / "BRUMALIX.TMP"));
}

TEST_F(VentanasBrumalix, UnidadesYRotulos)
{
    Form1->Configurarunidades1Click();
    ASSERT_TRUE(Configurar->isVisible());
    pulsa(Configurar->RadioGroup3->opcion(1));
    pulsa(Configurar->Button2);
    EXPECT_EQ(unidad_energia_kcal, 0);
    EXPECT_EQ(Form1->Label11->text(), QStringLiteral("kJ/kg  "));
    // El grupo recuerda lo elegido; "Aceptar" lo aplica a energía y entropía.
    Listados->ComboBox2->setCurrentIndex(5);
    Form1->Configurarunidades1Click();
    EXPECT_EQ(Configurar->RadioGroup3->indice(), 1);
    pulsa(Configurar->RadioGroup3->opcion(1));
    QTest::keyClick(Configurar->RadioGroup3->opcion(1), Qt::Key_Return);
    EXPECT_FALSE(Configurar->isVisible());
    EXPECT_EQ(unidad_energia_kcal, 1);
    EXPECT_EQ(unidad_entropia_kcal, 1);
    EXPECT_EQ(Form1->Label11->text(), QStringLiteral("kcal/kg "));
    EXPECT_EQ(Form1->Label12->text(), QStringLiteral("kcal/kg K"));
    EXPECT_EQ(Listados->ComboBox2->currentIndex(), 0);
    EXPECT_NE(cabecera_estados[3].find("kcal/kg K"), std::string::npos);

    // Un valor no se convierte: 100 kcal/kg sale 100,00 en la tabla.
    estado({"1", "", "", "", "100"});
    tecla(Qt::Key_C, Qt::AltModifier);
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    EXPECT_NE(fila_estado(1).find("   100,00  "), std::string::npos) << fila_estado(1);
}

TEST_F(VentanasBrumalix, EquiposYEcuaciones)
{
    tecla(Qt::Key_2, Qt::ControlModifier);
    ASSERT_EQ(pagina(), "Equipos");
    pulsa(Form1->BitBtn18);
    EXPECT_EQ(mensajes.errores.back(), "No hay equipos definidos");
    pulsa(Form1->BitBtn16);
    EXPECT_EQ(mensajes.errores.back(), "No ha introducido el nombre del equipo");
    equipo("Turbina", "1 2", "3");
    tecla(Qt::Key_PageDown);
    EXPECT_EQ(Form1->Label55->text(), QStringLiteral("2"));
    EXPECT_EQ(Form1->Label25->text(), QStringLiteral("2"));
    EXPECT_EQ(Form1->Edit13->text(), QString());
    // La lista de estados añade el número al final del texto, sin blanco.
    estados_dato[2].p = 1;
    estados_dato[2].t = 100;
    estados_dato[0] = estados_dato[1] = estados_dato[2];
    tecla(Qt::Key_PageUp);
    pulsa(Form1->BitBtn12);
    QListWidget* l = Form1->ListBox1;
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(3)).center());
    EXPECT_EQ(Form1->Edit14->text(), QStringLiteral("1 23"));
    // La lista de equipos nombra los anteriores al último alcanzado.
    pulsa(Form1->BitBtn18);
    ASSERT_EQ(Form1->ListBox2->count(), 2);
    EXPECT_EQ(Form1->ListBox2->item(1)->text(), QStringLiteral("Turbina"));
    Form1->ListBox2Click(1);
    EXPECT_STREQ(equipos[0].texto_entrantes, "1 23");
    // Un nombre no pasa de 39 caracteres.
    teclea(Form1->Edit13, std::string(45, 'n').c_str());
    tecla(Qt::Key_End);
    EXPECT_EQ(std::string(equipos[0].nombre), std::string(39, 'n'));
    // Hasta el equipo 25: allí ">" y ">|" no están, ni AvPág ni Fin.
    for (int k = 0; k < 30 && Form1->BitBtn16->isEnabled(); ++k) {
        teclea(Form1->Edit13, formatea("E%d", k).c_str());
        tecla(Qt::Key_PageDown);
    }
    EXPECT_EQ(Form1->equipo_actual, 24);
    EXPECT_EQ(Form1->Label25->text(), QStringLiteral("25"));
    EXPECT_FALSE(Form1->BitBtn17->isEnabled());
    tecla(Qt::Key_PageDown);
    EXPECT_EQ(Form1->equipo_actual, 24);

    // Ecuaciones de masa: ">" sólo con los seis campos escritos.
    tecla(Qt::Key_Right, Qt::ControlModifier);
    ASSERT_EQ(pagina(), "Ec. masa");
    ecuaciones(Form1->edits_masa, {"1=2", "2=3", "3=4", "4=5", " "});
    tecla(Qt::Key_PageDown);
    EXPECT_EQ(mensajes.errores.back(), "No ha introducido todas las ecuaciones");
    teclea(Form1->edits_masa[5], std::string(70, '7').c_str());
    tecla(Qt::Key_PageDown);
    EXPECT_EQ(Form1->grupo_masa_actual, 1);
    EXPECT_EQ(Form1->numeros_masa[0]->text(), QStringLiteral("7"));
    EXPECT_EQ(std::string(ecuaciones_masa[5].texto), std::string(59, '7'));
    EXPECT_STREQ(ecuaciones_masa[4].texto, " ");
    EXPECT_TRUE(Form1->BitBtn19->isEnabled());
    EXPECT_FALSE(Form1->BitBtn22->isEnabled());
    ecuaciones(Form1->edits_masa, {"8=9"});
    tecla(Qt::Key_Home);
    EXPECT_STREQ(ecuaciones_masa[6].texto, "8=9");
    tecla(Qt::Key_End);
    EXPECT_EQ(Form1->edits_masa[0]->text(), QStringLiteral("8=9"));
    // Ctrl+Derecha cuatro veces vuelve a la página y guarda cada una.
    teclea(Form1->edits_masa[1], "9=10");
    for (int k = 0; k < 4; ++k) tecla(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(pagina(), "Ec. masa");
    EXPECT_STREQ(ecuaciones_masa[7].texto, "9=10");
    // Energía: el grupo 4 es el último.
    tecla(Qt::Key_4, Qt::ControlModifier);
    for (int g = 0; g < 4; ++g) {
        ecuaciones(Form1->edits_energia, {"1", "2", "3", "4", "5", "6"});
        tecla(Qt::Key_PageDown);
    }
    EXPECT_EQ(Form1->grupo_energia_actual, 4);
    EXPECT_EQ(Form1->numeros_energia[5]->text(), QStringLiteral("30"));
    EXPECT_FALSE(Form1->BitBtn37->isEnabled());
    EXPECT_FALSE(Form1->BitBtn38->isEnabled());
}

TEST_F(VentanasBrumalix, TrazaAyudaYAcercaDe)
{
    tecla(Qt::Key_F12, Qt::ShiftModifier);
    ASSERT_TRUE(Form15->isVisible());
    EXPECT_EQ(Form15->pos(), QPoint(1, 1));
    EXPECT_GT(Form15->lista().numero(), 0u);  // los límites de los listados
    Form15->move(300, 200);
    QApplication::setActiveWindow(Form1);
    Form1->Edit1->setFocus();
    tecla(Qt::Key_F12, Qt::ShiftModifier);
    EXPECT_FALSE(Form15->isVisible());
    tecla(Qt::Key_F12, Qt::ShiftModifier);
    EXPECT_EQ(Form15->pos(), QPoint(1, 1));
    Form1->Ayuda2Click();
    ASSERT_EQ(ayudas.size(), 1u);
    EXPECT_EQ(ayudas[0], Form1->ruta_ayuda + "#IDH_menu");
    EXPECT_NE(lee(Form1->ruta_ayuda).find("name=\"IDH_menu\""), std::string::npos);
    Form1->AcercadeBrumalix1Click();
    EXPECT_TRUE(About->isVisible());
}

namespace {

// Líneas de prueba con su número; cuenta cuántas veces se escriben.
int lineas_escritas = 0;
void forma_numerada(const unsigned char* datos, std::string& texto)
{
    ++lineas_escritas;
    int n;
    std::memcpy(&n, datos, sizeof n);
    texto = formatea("linea %d", n);
}
void copia_numero(unsigned char* destino, const void* numero) { std::memcpy(destino, numero, sizeof(int)); }
void agrega_numerada(lista_lineas& l, int n) { l.agrega_diferida(forma_numerada, sizeof n, copia_numero, &n); }

} // namespace

// Tras una traza de decenas de miles de líneas la ventana se abre sin
// escribirlas: sólo escribe las que dibuja, y la que se copia.
TEST_F(VentanasBrumalix, LaVentanaDeTrazaSoloEscribeLoQueEnsena)
{
    lista_traza().borra();
    lineas_escritas = 0;
    for (int i = 0; i < 54000; ++i) agrega_numerada(lista_traza(), i);
    escribe_traza("%s %d", "Caldera n\xBA", 7);
    EXPECT_EQ(lista_traza().numero(), 54001u);
    QCoreApplication::processEvents();  // el cálculo acaba, el cuadro se entera
    EXPECT_EQ(lineas_escritas, 0);

    tecla(Qt::Key_F12, Qt::ShiftModifier);
    ASSERT_TRUE(Form15->isVisible());
    QListView* v = Form15->ListBox1;
    v->grab();  // la dibuja
    EXPECT_EQ(v->model()->rowCount(), 54001);
    EXPECT_GT(lineas_escritas, 0);
    EXPECT_LT(lineas_escritas, 100);
    EXPECT_EQ(v->indexAt(QPoint(2, 2)).data().toString(), QStringLiteral("linea 0"));

    // Al final, la última; copiada al portapapeles, con su "º".
    v->scrollToBottom();
    v->grab();
    const QModelIndex ultima = v->model()->index(54000, 0);
    EXPECT_TRUE(v->viewport()->rect().contains(v->visualRect(ultima).center()));
    EXPECT_LT(lineas_escritas, 200);
    v->setCurrentIndex(ultima);
    QTest::keyClick(v, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("Caldera nº 7"));
    EXPECT_EQ(lista_traza().linea(54000), "Caldera n\xBA 7");
}

// Una vista previa abierta mientras se recalcula: su "Imprimir" imprime las
// páginas que enseña, no los resultados nuevos.
TEST_F(VentanasBrumalix, VistaPreviaImprimeLosResultadosQueMuestra)
{
    estado({"1", "100"});
    tecla(Qt::Key_C, Qt::AltModifier);
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    Resultados->Preview1Click();
    QWidget* vista = Impresion->QuickReport1->ventana_vista_previa();
    ASSERT_TRUE(vista && vista->isVisible());

    estado({"5", "345"});
    tecla(Qt::Key_C, Qt::AltModifier);
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    const std::string resultados_nuevos = lee(dir / "BRUMALIX.TMP");
    ASSERT_NE(resultados_nuevos.find("345,00"), std::string::npos);

    ASSERT_NE(boton_imprimir(vista), nullptr);
    const auto texto = texto_impreso(boton_imprimir(vista), "vista.pdf");
    ASSERT_TRUE(texto) << "hace falta pdftotext (poppler-utils)";
    EXPECT_NE(texto->find("100,00"), std::string::npos) << *texto;
    EXPECT_EQ(texto->find("345,00"), std::string::npos) << *texto;
    EXPECT_EQ(lee(dir / "BRUMALIX.TMP"), resultados_nuevos);
}

// Resultados y listado impresos en PDF: el texto del PDF (buscar, copiar,
// pdftotext) lleva los caracteres de Symbol en Unicode, no sus bytes.
TEST_F(VentanasBrumalix, ImpresionEnPdfConLosCaracteresDeSymbolEnUnicode)
{
    rankine();
    tecla(Qt::Key_T, Qt::AltModifier);
    ASSERT_TRUE(mensajes.errores.empty()) << mensajes.errores.front();
    const auto resultados = texto_impreso(Resultados->Button2, "resultados.pdf");
    Form1->Curvaslmite1Click();
    pulsa(Listados->Button1);
    ASSERT_TRUE(Form11->isVisible());
    const auto listado = texto_impreso(Form11->Button6, "listado.pdf");
    ASSERT_TRUE(resultados && listado) << "hace falta pdftotext (poppler-utils)";

    for (const char* c : {"│", "∑", "⎫", "⎭", "RESULTADOS DEL EQUIPO 4: Bomba"})
        EXPECT_NE(resultados->find(c), std::string::npos) << c << "\n" << *resultados;
    for (const char* c : {"│", "presión"}) EXPECT_NE(listado->find(c), std::string::npos) << c << "\n" << *listado;
    // Ni uno de los bytes de Symbol que hacían de barra, sumatorio o llaves.
    for (const std::string* t : {&*resultados, &*listado})
        for (const char* c : {"½", "å", "ü", "þ"}) EXPECT_EQ(t->find(c), std::string::npos) << c;
}

// La lista guarda como mucho el máximo más un décimo; al pasarse se queda
// con las últimas 'maximo' líneas, y el cuadro, con las que conoce, sigue a
// la lista.
TEST(ListaTrazaVentana, RecortaLasMasAntiguas)
{
    lista_traza_ventana l(10);
    QListView v;
    v.setModel(&l);
    for (int i = 0; i < 11; ++i) agrega_numerada(l, i);
    QCoreApplication::processEvents();
    EXPECT_EQ(l.numero(), 11u);
    EXPECT_EQ(l.rowCount(), 11);
    agrega_numerada(l, 11);
    ASSERT_EQ(l.numero(), 10u);
    EXPECT_EQ(l.linea(0), "linea 2");
    EXPECT_EQ(l.linea(9), "linea 11");
    EXPECT_EQ(l.rowCount(), 9);  // la nueva llega con el bucle de mensajes
    EXPECT_EQ(l.index(0, 0).data().toString(), QStringLiteral("linea 2"));
    QCoreApplication::processEvents();
    EXPECT_EQ(l.rowCount(), 10);
    EXPECT_EQ(l.index(9, 0).data().toString(), QStringLiteral("linea 11"));

    // Muchas de golpe, sin que el cuadro se entere entre medias.
    for (int i = 12; i < 1000; ++i) agrega_numerada(l, i);
    EXPECT_LE(l.numero(), 11u);
    EXPECT_EQ(l.linea(l.numero() - 1), "linea 999");
    QCoreApplication::processEvents();
    ASSERT_EQ(l.rowCount(), static_cast<int>(l.numero()));
    for (int r = 0; r < l.rowCount(); ++r)
        EXPECT_EQ(a_1252(l.index(r, 0).data().toString()), l.linea(static_cast<std::size_t>(r)));
    EXPECT_FALSE(l.index(l.rowCount(), 0).data().isValid());

    l.borra();
    EXPECT_EQ(l.numero(), 0u);
    EXPECT_EQ(l.rowCount(), 0);
    l.agrega("texto ya escrito");
    QCoreApplication::processEvents();
    EXPECT_EQ(l.index(0, 0).data().toString(), QStringLiteral("texto ya escrito"));
}

MAIN_PRUEBAS_QT
