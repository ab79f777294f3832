#include "plataforma/dialogos.h"

#include <QFileDialog>
#include <QPrintDialog>

namespace {

std::optional<std::string> abrir_qt(QWidget* padre)
{
    QString r = QFileDialog::getOpenFileName(padre);
    if (r.isEmpty()) return std::nullopt;
    return r.toStdString();
}

std::optional<std::string> guardar_qt(QWidget* padre)
{
    QString r = QFileDialog::getSaveFileName(padre);
    if (r.isEmpty()) return std::nullopt;
    return r.toStdString();
}

bool imprimir_qt(QPrinter& impresora, QWidget* padre)
{
    QPrintDialog dialogo(&impresora, padre);
    return dialogo.exec() == QDialog::Accepted;
}

dialogo_fichero abrir_actual = abrir_qt;
dialogo_fichero guardar_actual = guardar_qt;
dialogo_impresion imprimir_actual = imprimir_qt;

} // namespace

std::optional<std::string> dialogo_abrir(QWidget* padre) { return abrir_actual(padre); }
std::optional<std::string> dialogo_guardar(QWidget* padre) { return guardar_actual(padre); }

void pon_dialogos(dialogo_fichero abrir, dialogo_fichero guardar)
{
    abrir_actual = abrir ? std::move(abrir) : dialogo_fichero(abrir_qt);
    guardar_actual = guardar ? std::move(guardar) : dialogo_fichero(guardar_qt);
}

bool dialogo_imprimir(QPrinter& impresora, QWidget* padre) { return imprimir_actual(impresora, padre); }

void pon_dialogo_impresion(dialogo_impresion dialogo)
{
    imprimir_actual = dialogo ? std::move(dialogo) : dialogo_impresion(imprimir_qt);
}
