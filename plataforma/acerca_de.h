// Caja "Acerca de": el icono del programa arriba a la izquierda, su nombre
// en negrita a su lado, las líneas de créditos debajo y "Cerrar", que la
// oculta. Sin modo, como las demás ventanas.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QPushButton>

#include <functional>

class QPainter;

// Icono de 32 por 32 píxeles, transparente, con lo que dibuje 'dibuja'
// (suavizado).
QPixmap icono_dibujado(const std::function<void(QPainter&)>& dibuja);

class caja_acerca_de : public QDialog {
public:
    // 'producto' en la letra de Windows 'fuente_producto', de 19 píxeles;
    // los créditos en un recuadro de 'alto_creditos'; "Cerrar" en 'boton'.
    caja_acerca_de(const QString& producto, const QString& fuente_producto, QSize tamano, const QPixmap& icono,
                   const QString& creditos, int alto_creditos, QPoint boton);
    QPushButton* Button1 = nullptr;  // Cerrar
};
