#include "plataforma/portapapeles.h"
#include "plataforma/lista_marcado.h"

#include "comun/binario.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

bool copia_rtf_al_portapapeles(const std::string& ruta_rtf, const std::string& texto_utf8)
{
    std::vector<unsigned char> bytes;
    if (!binario::lee_fichero(ruta_rtf, bytes)) return false;
    auto* datos = new QMimeData;
    QByteArray rtf(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    datos->setData(QStringLiteral("text/rtf"), rtf);
    datos->setData(QStringLiteral("application/rtf"), rtf);
    datos->setText(QString::fromUtf8(texto_utf8.data(), static_cast<qsizetype>(texto_utf8.size())));
    QGuiApplication::clipboard()->setMimeData(datos);
    return true;
}

void copia_texto_al_portapapeles(const std::string& texto)
{
    QGuiApplication::clipboard()->setText(desde_1252(texto));
}
