#include "plataforma/atajos.h"
#include "plataforma/controles.h"
#include "plataforma/fuentes.h"
#include "plataforma/lista_marcado.h"
#include "plataforma/mensajes_qt.h"
#include "plataforma/portapapeles.h"
#include "plataforma/traduccion.h"
#include "plataforma/pruebas/principal_qt.h"

#include "comun/texto1252.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMenu>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QRawFont>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <map>

namespace {

// Columnas (de 8 píxeles) en las que se dibujó algo.
std::vector<int> columnas_dibujadas(const std::string& linea)
{
    estilo_marcado e;
    QImage img(8 * 40, 16, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.setPen(Qt::black);
        dibuja_marcado(p, QRect(0, 0, img.width(), 16), linea, e);
    }
    std::vector<int> cols;
    for (int c = 0; c < 40; ++c) {
        bool algo = false;
        for (int x = c * 8 + 2; x < c * 8 + 6 && !algo; ++x)
            for (int y = 0; y < 16 && !algo; ++y) algo = img.pixelColor(x, y) != QColor(Qt::white);
        if (algo) cols.push_back(c);
    }
    return cols;
}

} // namespace

TEST(ListaMarcado, CadaCaracterEnSuColumnaYLosCodigosNoOcupan)
{
    EXPECT_EQ(columnas_dibujadas("A B"), (std::vector<int>{0, 2}));
    EXPECT_EQ(columnas_dibujadas("`BA`IB C"), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(columnas_dibujadas(std::string("x `S") + "\xBD" + " y"), (std::vector<int>{0, 2, 4}));
    // Un acento final no dibuja nada.
    EXPECT_EQ(columnas_dibujadas("AB`"), (std::vector<int>{0, 1}));
    EXPECT_EQ(columnas_dibujadas("`D2"), (std::vector<int>{0}));
}

TEST(ListaMarcado, GuardaLosBytesYMuestraElTexto)
{
    estilo_marcado e;
    lista_marcado l(e);
    std::string linea = "Hidrógeno (H`D2) `S½"_w;
    l.agrega(linea);
    ASSERT_EQ(l.numero(), 1u);
    EXPECT_EQ(l.linea(0), linea);
    EXPECT_EQ(l.item(0)->text(), QString::fromUtf8("Hidrógeno (H2) ½"));
    l.borra();
    EXPECT_EQ(l.numero(), 0u);
    EXPECT_EQ(quita_codigos("a`Bb`"), "ab");
}

TEST(Fuentes, SymbolEnUnicodeConLosGlifosDeSymbol)
{
    // Cada carácter de Symbol se dibuja como su carácter Unicode...
    EXPECT_EQ(fuentes::texto_symbol('D'), QString::fromUtf8("Δ"));
    EXPECT_EQ(fuentes::texto_symbol(0xBD), QString::fromUtf8("│"));
    EXPECT_EQ(fuentes::texto_symbol(0xE5), QString::fromUtf8("∑"));
    if (!fuentes::symbol_nativa()) GTEST_SKIP() << "sin Standard Symbols PS";
    // ... con el mismo glifo y el mismo avance que el código de byte en
    // Standard Symbols PS (se ve igual), y ningún otro carácter da ese glifo:
    // el texto de un PDF, que sale del glifo, no puede leer "½" ni "D".
    QFont del_sistema(QStringLiteral("Standard Symbols PS"));
    del_sistema.setPixelSize(40);
    const QRawFont original = QRawFont::fromFont(del_sistema);
    const QRawFont copia = QRawFont::fromFont(fuentes::fuente(QStringLiteral("Symbol"), 40));
    ASSERT_TRUE(original.isValid() && copia.isValid());
    EXPECT_NE(copia.familyName(), original.familyName());
    int comparados = 0;
    for (unsigned codigo = 0x21; codigo <= 0xFE; ++codigo) {
        const QString byte(QChar(static_cast<char16_t>(codigo)));
        const QList<quint32> g = original.glyphIndexesForString(byte);
        const QString u = fuentes::texto_symbol(static_cast<unsigned char>(codigo));
        // ® © ™ están dos veces en Symbol (con y sin remate): vale la primera.
        if (g.value(0) == 0 || u == QStringLiteral(" ") || (codigo >= 0xE2 && codigo <= 0xE4)) continue;
        const QList<quint32> h = copia.glyphIndexesForString(u);
        ASSERT_EQ(h.size(), 1) << std::hex << codigo;
        EXPECT_EQ(h[0], g[0]) << std::hex << codigo;
        EXPECT_EQ(copia.advancesForGlyphIndexes(h), original.advancesForGlyphIndexes(g)) << std::hex << codigo;
        EXPECT_EQ(copia.pathForGlyph(h[0]), original.pathForGlyph(g[0])) << std::hex << codigo;
        ++comparados;
    }
    EXPECT_GT(comparados, 180);
    std::map<quint32, int> caracteres_por_glifo;
    for (char16_t c = 0x21; c < 0xD800; ++c) {
        if (c == 0xA0) continue;  // el blanco duro se dibuja como el blanco
        const quint32 g = copia.glyphIndexesForString(QString(QChar(c))).value(0);
        if (g != 0) ++caracteres_por_glifo[g];
    }
    for (const auto& [g, n] : caracteres_por_glifo) EXPECT_EQ(n, 1) << "glifo " << g;
}

TEST(ControlPaginas, CambioRechazadoPermitidoYSinEventos)
{
    control_paginas c;
    for (int i = 0; i < 3; ++i) c.addTab(new QWidget, QString::number(i));
    bool permitir = false;
    int antes = 0, despues = 0;
    c.al_cambiar = [&](bool& p) { ++antes; p = permitir; };
    c.tras_cambio = [&] { ++despues; };
    c.setCurrentIndex(2);
    EXPECT_EQ(c.currentIndex(), 0);
    EXPECT_EQ(antes, 1);
    EXPECT_EQ(despues, 0);
    permitir = true;
    c.setCurrentIndex(1);
    EXPECT_EQ(c.currentIndex(), 1);
    EXPECT_EQ(despues, 1);
    c.pon_pagina(2);
    EXPECT_EQ(c.currentIndex(), 2);
    EXPECT_EQ(antes, 2);
    EXPECT_EQ(despues, 1);
    // Tras ponerla el programa, un cambio del usuario parte de la nueva página.
    permitir = false;
    c.setCurrentIndex(0);
    EXPECT_EQ(c.currentIndex(), 2);
}

TEST(Atajos, GananAlCampoConFoco)
{
    QWidget ventana;
    auto* campo = new QLineEdit(&ventana);
    campo->setText("abc");
    int izquierda = 0, inicio = 0;
    atajos_ventana atajos(&ventana);
    atajos.ata(QKeyCombination(Qt::ControlModifier, Qt::Key_Left), [&] { ++izquierda; });
    atajos.ata(QKeyCombination(Qt::NoModifier, Qt::Key_Home), [&] { ++inicio; });
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    campo->setFocus();
    campo->setCursorPosition(3);
    QTest::keyClick(campo, Qt::Key_Left, Qt::ControlModifier);
    QTest::keyClick(campo, Qt::Key_Home);
    EXPECT_EQ(izquierda, 1);
    EXPECT_EQ(inicio, 1);
    EXPECT_EQ(campo->cursorPosition(), 3);
    // Una tecla sin atar llega al campo.
    QTest::keyClick(campo, Qt::Key_Left);
    EXPECT_EQ(campo->cursorPosition(), 2);
}

TEST(Atajos, MenuConTeclasYRecorrido)
{
    QWidget ventana;
    QMenu menu(&ventana);
    std::string hecho;
    atajos_ventana atajos(&ventana);
    atajos.ata_recorrido_en_menu(&menu, [&] { hecho += "1"; }, [&] { hecho += "2"; }, [&] { hecho += "3"; },
                                 [&] { hecho += "4"; });
    atajos.ata_en_menu(&menu, {{QStringLiteral("Vista\tAlt+P"), Qt::AltModifier | Qt::Key_P, [&] { hecho += "P"; }}});
    QStringList textos;
    for (QAction* a : menu.actions()) textos << a->text();
    EXPECT_EQ(textos, (QStringList{QStringLiteral("Primero\tHome"), QStringLiteral("Anterior\tPgUp"),
                                   QStringLiteral("Siguiente\tPgDn"), QStringLiteral("Ultimo\tEnd"),
                                   QStringLiteral("Vista\tAlt+P")}));
    // Cada entrada y su tecla hacen la misma orden.
    for (QAction* a : menu.actions()) a->trigger();
    for (Qt::Key k : {Qt::Key_Home, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End})
        EXPECT_TRUE(atajos.pulsa(QKeyCombination(Qt::NoModifier, k)));
    EXPECT_TRUE(atajos.pulsa(QKeyCombination(Qt::AltModifier, Qt::Key_P)));
    EXPECT_FALSE(atajos.pulsa(QKeyCombination(Qt::NoModifier, Qt::Key_P)));
    EXPECT_EQ(hecho, "1234P1234P");
}

TEST(Atajos, IntroPulsaElBotonConFocoYEscapeCancela)
{
    QWidget ventana;
    auto* campo = new QLineEdit(&ventana);
    auto* otro = new QPushButton(QStringLiteral("Otro"), &ventana);
    otro->move(0, 40);
    int aceptar = 0, cancelar = 0, otros = 0;
    QObject::connect(otro, &QPushButton::clicked, [&] { ++otros; });
    atajos_ventana atajos(&ventana);
    atajos.ata_dialogo([&] { ++aceptar; }, [&] { ++cancelar; });
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    // Desde un campo, las dos teclas Intro aceptan.
    campo->setFocus();
    QTest::keyClick(campo, Qt::Key_Return);
    QTest::keyClick(campo, Qt::Key_Enter);
    EXPECT_EQ(aceptar, 2);
    // Con el foco en un botón, Intro lo pulsa a él y no acepta.
    otro->setFocus();
    QTest::keyClick(otro, Qt::Key_Return);
    EXPECT_EQ(otros, 1);
    EXPECT_EQ(aceptar, 2);
    QTest::keyClick(campo, Qt::Key_Escape);
    EXPECT_EQ(cancelar, 1);
}

TEST(Campos, SalidaCambioYRadio)
{
    QWidget ventana;
    auto* a = new campo_edicion(&ventana);
    auto* b = new campo_edicion(&ventana);
    b->move(0, 40);
    int salidas = 0, cambios = 0;
    a->al_salir = [&] { ++salidas; };
    a->al_cambiar = [&] { ++cambios; };
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    a->setFocus();
    QTest::keyClicks(a, "12");
    b->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(salidas, 1);
    EXPECT_EQ(cambios, 2);
    a->setText("x");  // también cuando lo cambia el programa
    EXPECT_EQ(cambios, 3);

    grupo_radio g(QStringLiteral("G"), {QStringLiteral("a"), QStringLiteral("b")});
    int pulsaciones = 0;
    g.al_pulsar = [&] { ++pulsaciones; };
    g.pon_indice(1);
    g.pon_indice(1);
    EXPECT_EQ(g.indice(), 1);
    EXPECT_EQ(pulsaciones, 1);
    EXPECT_TRUE(g.opcion(1)->isChecked());
}

TEST(Portapapeles, RtfConTextoAlLado)
{
    auto ruta = std::filesystem::temp_directory_path() / "plataforma_prueba.rtf";
    std::FILE* f = std::fopen(ruta.c_str(), "wb");
    std::fputs("{\\rtf1\\ansi x}", f);
    std::fclose(f);
    ASSERT_TRUE(copia_rtf_al_portapapeles(ruta.string(), "a\xC3\xB1o \xE2\x94\x82"));
    const QMimeData* d = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->data(QStringLiteral("text/rtf")), QByteArray("{\\rtf1\\ansi x}"));
    EXPECT_EQ(d->data(QStringLiteral("application/rtf")), QByteArray("{\\rtf1\\ansi x}"));
    EXPECT_EQ(d->text(), QString::fromUtf8("año │"));
    std::filesystem::remove(ruta);
    EXPECT_FALSE(copia_rtf_al_portapapeles(ruta.string(), ""));
}

// La pregunta de guardar responde al teclado: Alt+S "Sí", Alt+N "No", Esc
// "Cancelar".
TEST(Mensajes, PreguntaConLetrasDeTeclado)
{
    sumidero_ventanas cajas;
    QStringList botones;
    auto pregunta_y_pulsa = [&](Qt::Key tecla, Qt::KeyboardModifiers modificadores) {
        QTimer::singleShot(0, [&, tecla, modificadores] {
            auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!caja) return;
            QApplication::setActiveWindow(caja);
            botones.clear();
            for (QAbstractButton* b : caja->buttons()) botones << b->text();
            QTest::keyClick(caja, tecla, modificadores);
            // Si la tecla no respondió, la caja se cierra para no colgar la prueba.
            QTimer::singleShot(500, caja, [caja] { caja->done(-1); });
        });
        return cajas.pregunta("\xBFGUARDAR?", "\xBF" "Desea guardar antes el problema?", true);
    };
    EXPECT_EQ(pregunta_y_pulsa(Qt::Key_N, Qt::AltModifier), respuesta::no);
    botones.sort();
    EXPECT_EQ(botones, (QStringList{QStringLiteral("&No"), QString::fromUtf8("&Sí"), QStringLiteral("Cancelar")}));
    EXPECT_EQ(pregunta_y_pulsa(Qt::Key_S, Qt::AltModifier), respuesta::si);
    EXPECT_EQ(pregunta_y_pulsa(Qt::Key_Escape, Qt::NoModifier), respuesta::cancelar);
}

// El arranque carga la traducción de Qt: los botones estándar de los
// diálogos salen en español. Sin los ficheros de traducción no hay nada que
// comprobar, salvo que su falta no impide seguir.
TEST(Traduccion, DialogosEstandarEnEspanol)
{
    EXPECT_FALSE(carga_traduccion_qt(QStringLiteral("/no/existe")));
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(dir + QStringLiteral("/qtbase_es.qm"))) GTEST_SKIP() << "sin la traducción de Qt al español";
    QFileDialog dialogo;
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    auto* botones = dialogo.findChild<QDialogButtonBox*>();
    ASSERT_NE(botones, nullptr);
    ASSERT_NE(botones->button(QDialogButtonBox::Cancel), nullptr);
    EXPECT_EQ(botones->button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Cancelar"));
}

// Lo que Qt y lo que carga escriben por su cuenta en el directorio del
// usuario (el estado del diálogo de ficheros en QtProject.conf, cachés, el
// directorio de ejecución) va al directorio temporal de las pruebas.
TEST(Aislamiento, LoQueQtGuardaQuedaEnElDirectorioTemporal)
{
    const QString temporal = QString::fromStdString((std::filesystem::temp_directory_path() / "").string());
    const QString ajustes = QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName();
    EXPECT_TRUE(ajustes.startsWith(temporal)) << ajustes.toStdString();
    for (const auto lugar : {QStandardPaths::HomeLocation, QStandardPaths::GenericConfigLocation,
                             QStandardPaths::GenericCacheLocation, QStandardPaths::GenericDataLocation,
                             QStandardPaths::RuntimeLocation}) {
        const QString ruta = QStandardPaths::writableLocation(lugar);
        EXPECT_TRUE(ruta.startsWith(temporal)) << ruta.toStdString();
    }
}

MAIN_PRUEBAS_QT
