#include "zefirant/ventanas/Unit14.h"
#include "zefirant/ventanas/ventanas.h"

#include "zefirant/motor/gases.h"

#include <QVBoxLayout>

TForm14* Form14 = nullptr;

TForm14::TForm14()
{
    setWindowTitle(QStringLiteral("Log"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(376, 173);
    ListBox1 = new QListWidget(this);
    ListBox1->setGeometry(0, 0, 376, 173);
    move(0, 0);
    lista_ = std::make_unique<lista_simple>(ListBox1, true);
    pon_lista_registro(lista_.get());
}

TForm14::~TForm14() { pon_lista_registro(nullptr); }

void TForm14::registra(const std::string& linea) { lista_->agrega(linea); }
