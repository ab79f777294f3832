// Entradas de prueba para los campos numéricos de las ventanas: textos que
// no son un número de ningún campo, y cómo se escriben en un campo.
#pragma once

#include <QLineEdit>
#include <QTest>

#include <string>
#include <vector>

// Ninguna se guarda, se muestra como número ni deja seguir.
inline const std::vector<std::string>& entradas_hostiles()
{
    static const std::vector<std::string> e = {"nan", "inf", "1e39", "0x10", "1e-50", "1 000",
                                               "1,5,5", "1.2.3", "--5", std::string(5000, '9')};
    return e;
}

// Escribe una entrada en un campo sin dejarlo; una muy larga se pega de una
// vez (y el campo se queda con lo que le quepa).
inline void escribe_entrada(QLineEdit* e, const std::string& entrada)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    if (entrada.size() > 20) e->insert(QString::fromStdString(entrada));
    else QTest::keyClicks(e, QString::fromStdString(entrada));
}
