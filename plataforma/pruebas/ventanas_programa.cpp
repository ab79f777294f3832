#include "plataforma/pruebas/ventanas_programa.h"

#include "comun/pruebas/directorio_prueba.h"
#include "plataforma/aplicacion.h"
#include "plataforma/ayuda.h"
#include "plataforma/dialogos.h"
#include "plataforma/pruebas/texto_pdf.h"

#include <QApplication>
#include <QPrinter>
#include <QTest>

#include <fstream>
#include <iterator>
#include <utility>

namespace fs = std::filesystem;

VentanasPrograma::VentanasPrograma(std::string programa, fs::path origen, std::vector<std::string> ficheros)
    : programa_(std::move(programa)), origen_(std::move(origen)), ficheros_(std::move(ficheros))
{
}

void VentanasPrograma::SetUp()
{
    dir = directorio_prueba(programa_ + "_ventanas");
    for (const std::string& f : ficheros_) fs::copy_file(origen_ / f, dir / f);
    pon_directorio_programa(dir.string() + "/");
    pon_dialogos([this](QWidget*) { return siguiente(abrir); }, [this](QWidget*) { return siguiente(guardar); });
    pon_servicio_ayuda([this](const std::string& r, const std::string& c) { ayudas.push_back(r + "#" + c); });
}

void VentanasPrograma::TearDown()
{
    pon_dialogo_impresion(nullptr);
    pon_dialogos(nullptr, nullptr);
    pon_servicio_ayuda(nullptr);
    pon_directorio_programa("");
    fs::remove_all(dir);
}

std::optional<std::string> VentanasPrograma::siguiente(std::deque<std::optional<std::string>>& cola)
{
    if (cola.empty()) return std::nullopt;
    auto r = cola.front();
    cola.pop_front();
    return r;
}

void VentanasPrograma::teclea(QLineEdit* e, const char* texto)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, QString::fromUtf8(texto));
}

void VentanasPrograma::tecla(Qt::Key k, Qt::KeyboardModifiers m) const
{
    QWidget* foco = QApplication::focusWidget();
    QTest::keyClick(foco ? foco : principal(), k, m);
}

void VentanasPrograma::pulsa(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

void VentanasPrograma::imprime_en_pdf(QAbstractButton* imprimir, const fs::path& pdf)
{
    pon_dialogo_impresion([&](QPrinter& p, QWidget*) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QString::fromStdString(pdf.string()));
        return true;
    });
    pulsa(imprimir);
    pon_dialogo_impresion(nullptr);
}

std::optional<std::string> VentanasPrograma::texto_impreso(QAbstractButton* imprimir, const std::string& nombre) const
{
    imprime_en_pdf(imprimir, dir / nombre);
    return texto_pdf(dir / nombre);
}

int VentanasPrograma::cancela_impresion(QAbstractButton* imprimir)
{
    static int dialogos;
    dialogos = 0;
    pon_dialogo_impresion([](QPrinter&, QWidget*) {
        ++dialogos;
        return false;
    });
    pulsa(imprimir);
    return dialogos;
}

QPushButton* VentanasPrograma::boton_imprimir(QWidget* ventana)
{
    for (auto* b : ventana->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Imprimir")) return b;
    return nullptr;
}

std::string VentanasPrograma::lee(const fs::path& f)
{
    std::ifstream in(f, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

int VentanasPrograma::restos(const std::string& nombre) const
{
    int n = 0;
    for (const auto& e : fs::directory_iterator(dir)) n += e.path().filename().string().rfind("." + nombre, 0) == 0;
    return n;
}
