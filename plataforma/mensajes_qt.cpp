#include "plataforma/mensajes_qt.h"
#include "plataforma/lista_marcado.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

void caja(QMessageBox::Icon icono, const std::string& texto)
{
    QMessageBox m(icono, QStringLiteral("ERROR"), desde_1252(texto), QMessageBox::NoButton, QApplication::activeWindow());
    m.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
    m.setWindowModality(Qt::ApplicationModal);
    m.exec();
}

} // namespace

void sumidero_ventanas::error(const std::string& texto) { caja(QMessageBox::Critical, texto); }

void sumidero_ventanas::aviso(const std::string& texto) { caja(QMessageBox::Information, texto); }

respuesta sumidero_ventanas::pregunta(const std::string& titulo, const std::string& texto, bool con_cancelar)
{
    QMessageBox m(QMessageBox::Question, desde_1252(titulo), desde_1252(texto), QMessageBox::NoButton,
                  QApplication::activeWindow());
    // Alt+S y Alt+N responden "Sí" y "No"; Esc, "Cancelar".
    QPushButton* si = m.addButton(QString::fromUtf8("&Sí"), QMessageBox::YesRole);
    QPushButton* no = m.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    QPushButton* cancelar = con_cancelar ? m.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole) : nullptr;
    m.setDefaultButton(si);
    if (cancelar) m.setEscapeButton(cancelar);
    m.exec();
    if (m.clickedButton() == si) return respuesta::si;
    if (m.clickedButton() == no) return respuesta::no;
    return con_cancelar ? respuesta::cancelar : respuesta::no;
}
