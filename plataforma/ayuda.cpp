#include "plataforma/ayuda.h"

#include <QDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QDialog* ventana_ayuda = nullptr;
QTextBrowser* visor = nullptr;

void ayuda_ventanas(const std::string& ruta, const std::string& contexto)
{
    QFileInfo info(QString::fromStdString(ruta));
    if (!info.exists()) {
        QMessageBox::information(nullptr, QStringLiteral("Ayuda"),
                                 QString::fromUtf8("No se encuentra el fichero de ayuda %1").arg(info.absoluteFilePath()));
        return;
    }
    if (!ventana_ayuda) {
        ventana_ayuda = new QDialog(nullptr, Qt::Window);
        ventana_ayuda->setAttribute(Qt::WA_DeleteOnClose, false);
        ventana_ayuda->resize(560, 480);
        auto* capa = new QVBoxLayout(ventana_ayuda);
        capa->setContentsMargins(0, 0, 0, 0);
        visor = new QTextBrowser(ventana_ayuda);
        visor->setOpenLinks(true);
        capa->addWidget(visor);
    }
    QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    url.setFragment(QString::fromStdString(contexto));
    // El fichero se lee como HTML aunque su extensión sea otra.
    visor->setSource(url, QTextDocument::HtmlResource);
    ventana_ayuda->setWindowTitle(QStringLiteral("Ayuda - %1").arg(info.completeBaseName()));
    ventana_ayuda->show();
    ventana_ayuda->raise();
}

std::function<void(const std::string&, const std::string&)> servicio = ayuda_ventanas;

} // namespace

void muestra_ayuda(const std::string& ruta, const std::string& contexto) { servicio(ruta, contexto); }

void pon_servicio_ayuda(std::function<void(const std::string&, const std::string&)> s)
{
    servicio = s ? std::move(s) : ayuda_ventanas;
}
