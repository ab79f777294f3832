// Base de las pruebas de las ventanas de los dos programas, manejadas como
// lo haría un usuario: cada prueba tiene su directorio del programa con los
// ficheros de datos y la ayuda, los diálogos de abrir y guardar responden lo
// que la prueba pone en sus colas, la ayuda se anota en vez de abrirse y los
// mensajes van al sumidero de la prueba. Cada programa deriva de ella su
// fixture, que crea y destruye sus ventanas.
#pragma once

#include "comun/pruebas/sumidero_prueba.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class VentanasPrograma : public ::testing::Test {
protected:
    // 'programa' da nombre al directorio de la prueba; 'ficheros' se copian a
    // él desde 'origen', el directorio de ejecución de la compilación.
    VentanasPrograma(std::string programa, std::filesystem::path origen, std::vector<std::string> ficheros);

    // Prepara el directorio y los ganchos; el fixture del programa crea
    // después sus ventanas.
    void SetUp() override;
    // Quita los ganchos (también el del diálogo de impresión) y el
    // directorio; el fixture del programa destruye antes sus ventanas.
    void TearDown() override;

    // La ventana principal del programa: recibe las teclas cuando ningún
    // control tiene el foco.
    virtual QWidget* principal() const = 0;

    // Lo siguiente de una cola de respuestas de un diálogo de ficheros; nada
    // (el diálogo cancelado) si está vacía.
    static std::optional<std::string> siguiente(std::deque<std::optional<std::string>>& cola);
    // Escribe en un campo como el usuario: foco, texto y nada más (la salida
    // del campo llega con el foco siguiente).
    static void teclea(QLineEdit* e, const char* texto);
    // Pulsa una tecla en el control con el foco o, si no hay, en la ventana
    // principal.
    void tecla(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) const;
    static void pulsa(QAbstractButton* b);
    // Pulsa 'imprimir' y acepta el diálogo de impresión hacia el PDF 'pdf'.
    static void imprime_en_pdf(QAbstractButton* imprimir, const std::filesystem::path& pdf);
    // Pulsa 'imprimir', acepta el diálogo de impresión hacia el PDF 'nombre'
    // del directorio de la prueba y da su texto (nada sin pdftotext).
    std::optional<std::string> texto_impreso(QAbstractButton* imprimir, const std::string& nombre) const;
    // Pulsa 'imprimir' y cancela el diálogo de impresión; da las veces que
    // se abrió. Hasta el final de la prueba, otro diálogo de impresión
    // también se cancela.
    static int cancela_impresion(QAbstractButton* imprimir);
    // El botón "Imprimir" de una ventana (el de la vista previa).
    static QPushButton* boton_imprimir(QWidget* ventana);
    // Los bytes de un fichero.
    static std::string lee(const std::filesystem::path& f);
    // Ficheros aparte que dejó en el directorio de la prueba una escritura
    // de 'nombre' (los que empiezan por "." y ese nombre).
    int restos(const std::string& nombre) const;

    std::filesystem::path dir;
    sumidero_prueba mensajes;
    std::deque<std::optional<std::string>> abrir, guardar;
    std::vector<std::string> ayudas;

private:
    std::string programa_;
    std::filesystem::path origen_;
    std::vector<std::string> ficheros_;
};
