#include "brumalix/ventanas/Unit14.h"
#include "brumalix/ventanas/ventanas.h"

#include <QLabel>

TForm14* Form14 = nullptr;

TForm14::TForm14()
{
    setWindowTitle(QStringLiteral("Generando listado..."));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint);
    setFixedSize(220, 60);
    auto* l = new QLabel(QStringLiteral("Generando el listado..."), this);
    l->setGeometry(16, 20, 190, 18);
}
