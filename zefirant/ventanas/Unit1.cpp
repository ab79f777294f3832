#include "zefirant/ventanas/Unit1.h"
#include "zefirant/ventanas/Unit11.h"
#include "zefirant/ventanas/Unit14.h"
#include "zefirant/ventanas/Unit9.h"
#include "zefirant/ventanas/ventanas.h"

#include "plataforma/aplicacion.h"
#include "plataforma/lista_marcado.h"

#include "comun/formato.h"
#include "comun/mensajes.h"
#include "comun/texto1252.h"
#include "zefirant/motor/problema.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

#include <cfloat>


void cambia_caracter(std::string& texto, char de, char a)
{
    for (char& c : texto)
        if (c == de) c = a;
}

namespace {

// Un número bien escrito (de la forma del campo) mayor que el mayor real de
// 32 bits: el campo no lo rechaza por su forma, sino por su tamaño.
bool numero_demasiado_grande(const QString& texto, const forma_numero& forma)
{
    double d = 0;
    return lee_decimal_campo(texto.toStdString(), forma, d) == lectura_campo::valido && d > FLT_MAX;
}

} // namespace

TForm1* Form1 = nullptr;

TForm1::TForm1()
{
    Form1 = this;
    setWindowTitle(QStringLiteral("ZEFIRANT"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    auto* centro = new QWidget(this);
    centro->setFixedSize(488, 297);
    PageControl1 = new control_paginas(centro);
    PageControl1->setGeometry(0, 8, 488, 289);
    TabSheet1 = new QWidget;
    TabSheet2 = new QWidget;
    TabSheet3 = new QWidget;
    TabSheet4 = new QWidget;
    PageControl1->addTab(TabSheet1, QStringLiteral("Seleccionar gas"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Estados"));
    PageControl1->addTab(TabSheet3, QStringLiteral("Transformaciones"));
    PageControl1->addTab(TabSheet4, QStringLiteral("Listados"));
    PageControl1->al_cambiar = [this](bool& permitir) { PageControl1Changing(permitir); };
    PageControl1->tras_cambio = [this] { PageControl1Change(); };
    Button9 = new QPushButton(QStringLiteral("Calcular estados"), centro);
    Button10 = new QPushButton(QStringLiteral("Calcular estados y transformaciones"), centro);
    Button9->hide();
    Button10->hide();
    connect(Button9, &QPushButton::clicked, this, [this] { Calcularestados2Click(); });
    connect(Button10, &QPushButton::clicked, this, [this] { Calcularestadosytransformaciones1Click(); });
    setCentralWidget(centro);
    auto* barra = new QStatusBar(this);
    barra->setFixedHeight(19);
    barra->setSizeGripEnabled(false);
    // Texto fijo de la barra (un mensaje temporal lo borrarían los menús).
    barra->addWidget(new QLabel(QString::fromUtf8("ZEFIRANT · Propiedades de gases perfectos y de combustión")));
    barra->setEnabled(false);
    setStatusBar(barra);

    crea_pagina_gas();
    crea_pagina_estados();
    crea_pagina_transformaciones();
    crea_pagina_listados();
    crea_menus();
    adjustSize();
    setFixedSize(sizeHint());

    // Rutas del programa.
    directorio_programa = ::directorio_programa();
    ruta_ayuda = directorio_programa + "ZEFIRANT.HLP";
    if (QScreen* pantalla = QGuiApplication::primaryScreen()) {
        QRect r = pantalla->geometry();
        move((r.width() - width()) / 2, (r.height() - height()) / 2);
    }
    if (!abre_ficheros_datos(directorio_programa)) return;
    problema_actual->gas = &c_gas;
    arrancado_ = true;
    nuevo_problema();
    pon_etiquetas_unidades();
    ruta_temporal = formatea("%s/%s", directorio_programa.c_str(), "ZEFIRANT.TMP");
    ruta_rtf = formatea("%s/%s", directorio_programa.c_str(), "ZEFIRANT.RTF");
    nombre_problema.clear();
}

TForm1::~TForm1()
{
    if (fichero_resultados) std::fclose(fichero_resultados);
    fichero_resultados = nullptr;
    if (problema_actual && problema_actual->gas == &c_gas) problema_actual->gas = &problema_actual->gas_propio;
    if (Form1 == this) Form1 = nullptr;
}

void TForm1::crea_menus()
{
    QMenu* ficheros = menuBar()->addMenu(QStringLiteral("&Ficheros"));
    ficheros->addAction(QStringLiteral("Cargar problema"), this, [this] { Cargarproblema1Click(); });
    ficheros->addAction(QStringLiteral("Salvar problema"), this, [this] { Salvarproblema1Click(); });
    ficheros->addAction(QStringLiteral("Nuevo problema"), this, [this] { Nuevoproblema1Click(); });
    Configurarunidades1 = ficheros->addAction(QStringLiteral("Configurar unidades"), this, [this] { Configurarunidades1Click(); });
    ficheros->addAction(QStringLiteral("Salir"), this, [this] { Salir1Click(); });
    QMenu* calculos = menuBar()->addMenu(QString::fromUtf8("Cálculo&s"));
    Calcularestados2 = calculos->addAction(QStringLiteral("Calcular estados\tAlt+C"), this, [this] { Calcularestados2Click(); });
    Calcularestadosytransformaciones1 = calculos->addAction(QStringLiteral("Calcular estados y transformaciones\tAlt+T"), this,
                                                            [this] { Calcularestadosytransformaciones1Click(); });
    QMenu* ayuda = menuBar()->addMenu(QStringLiteral("&Ayuda"));
    ayuda->addAction(QStringLiteral("Ayuda"), this, [this] { AyudadeZEFIRANT1Click(); });
    ayuda->addAction(QStringLiteral("Acerca de ZEFIRANT"), this, [this] { AcercadeZEFIRANT1Click(); });

    // Menú emergente de la ventana: sobre todo, sus atajos.
    PopupMenu1 = new QMenu(this);
    PopupMenu1->addAction(QStringLiteral("TabAnterior\tCtrl+Left"), this, [this] { TabAnterior1Click(); });
    PopupMenu1->addAction(QStringLiteral("TabSiguiente\tCtrl+Right"), this, [this] { TabSiguiente1Click(); });
    PopupMenu1->addAction(QStringLiteral("ElemAnteior\tPgUp"), this, [this] { ElemAnteior1Click(); });
    PopupMenu1->addAction(QStringLiteral("ElemSiguiente\tPgDn"), this, [this] { ElemSiguiente1Click(); });
    PopupMenu1->addAction(QStringLiteral("ElemUltimo\tEnd"), this, [this] { ElemUltimo1Click(); });
    PopupMenu1->addAction(QStringLiteral("ElemPrimero\tHome"), this, [this] { ElemPrimero1Click(); });
    PopupMenu1->addAction(QStringLiteral("Calcular estados\tAlt+C"), this, [this] { Calcularestados2Click(); });
    PopupMenu1->addAction(QStringLiteral("Calcular transformaciones\tAlt+T"), this, [this] { Calcularestadosytransformaciones1Click(); });
    PopupMenu1->addAction(QStringLiteral("Ayuda\tF1"), this, [this] { Ayuda2Click(); });

    atajos = new atajos_ventana(this);
    atajos->ata(QKeyCombination(Qt::ControlModifier, Qt::Key_Left), [this] { TabAnterior1Click(); });
    atajos->ata(QKeyCombination(Qt::ControlModifier, Qt::Key_Right), [this] { TabSiguiente1Click(); });
    atajos->ata(QKeyCombination(Qt::NoModifier, Qt::Key_PageUp), [this] { ElemAnteior1Click(); });
    atajos->ata(QKeyCombination(Qt::NoModifier, Qt::Key_PageDown), [this] { ElemSiguiente1Click(); });
    atajos->ata(QKeyCombination(Qt::NoModifier, Qt::Key_End), [this] { ElemUltimo1Click(); });
    atajos->ata(QKeyCombination(Qt::NoModifier, Qt::Key_Home), [this] { ElemPrimero1Click(); });
    atajos->ata(QKeyCombination(Qt::AltModifier, Qt::Key_C), [this] { Calcularestados2Click(); });
    atajos->ata(QKeyCombination(Qt::AltModifier, Qt::Key_T), [this] { Calcularestadosytransformaciones1Click(); });
    atajos->ata(QKeyCombination(Qt::NoModifier, Qt::Key_F1), [this] { Ayuda2Click(); });
}

void TForm1::contextMenuEvent(QContextMenuEvent* e)
{
    PopupMenu1->popup(e->globalPos());
}

void TForm1::pon_titulo(int sin_gas)
{
    std::string nombre = c_gas.tipo > GAS_GASOLEO || c_gas.tipo < GAS_AIRE
                             ? std::string(c_gas.nombre, strnlen(c_gas.nombre, sizeof c_gas.nombre))
                             : std::string(nombres_gases[c_gas.tipo]);
    std::size_t parentesis = nombre.find('(');
    if (parentesis != std::string::npos) nombre.resize(parentesis);
    std::string titulo = sin_gas ? formatea("ZEFIRANT%s%s%s ", "", "", "")
                                 : formatea("ZEFIRANT%s%s%s ", "[", nombre.c_str(), "]");
    // El nombre del gas va en Windows-1252; la ruta del problema, en el UTF-8
    // del sistema de ficheros.
    setWindowTitle(desde_1252(titulo) + QString::fromStdString(nombre_problema));
}

int TForm1::lee_campo_numerico(campo_edicion* edit, int real, void* destino, const regla_campo& regla)
{
    if (real) {
        float v = 0;
        if (regla.mensaje_margen && edit->valor_real(regla, v) == lectura_campo::incorrecto &&
            numero_demasiado_grande(edit->text(), regla.forma)) {
            muestra_error("%s", regla.mensaje_margen);
            edit->recupera_foco();
            return 0;
        }
        if (!edit->lee_real(regla, v)) return 0;
        if (destino) *static_cast<float*>(destino) = v;
    } else {
        std::int32_t v = 0;
        if (!edit->lee_entero(regla, v)) return 0;
        if (destino) *static_cast<std::int32_t*>(destino) = v;
    }
    return 1;
}

bool TForm1::unidades_bloqueadas() const { return !Configurarunidades1->isEnabled(); }

void TForm1::nuevo_problema()
{
    const descarte_campos descarte(*this);
    nombre_problema.clear();
    pon_titulo(1);
    Configurarunidades1->setEnabled(true);
    RadioGroup1->setEnabled(true);
    RadioGroup2->setEnabled(true);
    Panel2->setEnabled(true);
    modificado = 0;
    PageControl1->pon_pagina(TabSheet1);
    ComboBox1->setCurrentIndex(0);
    Edit1->setText(QStringLiteral("273"));
    Edit2->setText(QStringLiteral("5000"));
    reinicia_problema(problema_actual);
    reinicia_combustible = 1;
    c_gas.tipo = 0;
    // Los grupos vuelven a su primera opción sin sus manejadores: el problema
    // nuevo presenta el aire.
    RadioGroup1->pon_indice_sin_evento(0);
    RadioGroup2->pon_indice_sin_evento(0);
    RadioGroup2->hide();
    selecciona_gas(c_gas.tipo);
    gas_al_dia = false;
    estado_actual = 0;
    estados_definidos = 0;
    Label29->setText(QStringLiteral("0"));
    ComboBox2->clear();
    ComboBox2->addItem(QStringLiteral("1"));
    // La página de estados muestra el estado 1 vacío, con sus campos
    // habilitados y sin la nota de estado preparado, aunque antes mostrara
    // uno preparado.
    muestra_estado();
    Edit25->clear();
    ListBox1->clear();
    ListBox1->setCurrentRow(-1);
    Label46->setText(QStringLiteral("0"));
    Label50->setText(QStringLiteral("0"));
}

void TForm1::PageControl1Change()
{
    QWidget* p = PageControl1->currentWidget();
    if (p == TabSheet4) {
        TabSheet4Enter();
        Edit1->setFocus();
    } else if (p == TabSheet2) {
        Label48->setText(desde_1252(c_gas.nombre));
        Edit10->setFocus();
    } else if (p == TabSheet3) {
        Edit25->setFocus();
    }
}

void TForm1::cambia_pagina_ciclica(int paso)
{
    int destino = (PageControl1->currentIndex() + paso + 4) % 4;
    bool permitir = true;
    PageControl1Changing(permitir);
    if (permitir) PageControl1->pon_pagina(destino);
    PageControl1Change();
}

void TForm1::TabAnterior1Click() { cambia_pagina_ciclica(-1); }
void TForm1::TabSiguiente1Click() { cambia_pagina_ciclica(+1); }

void TForm1::ElemAnteior1Click()
{
    if (PageControl1->currentWidget() == TabSheet2) Button4Click();
}

void TForm1::ElemSiguiente1Click()
{
    if (PageControl1->currentWidget() == TabSheet2 && Button5->isEnabled()) Button5Click();
}

void TForm1::ElemUltimo1Click()
{
    if (PageControl1->currentWidget() == TabSheet2) Button6Click();
}

void TForm1::ElemPrimero1Click()
{
    if (PageControl1->currentWidget() == TabSheet2) Button3Click();
}

void TForm1::Configurarunidades1Click()
{
    Form9->show();
    Form9->raise();
}

void TForm1::Salir1Click()
{
    if (!confirma_guardar()) return;
    borra_temporal();
    saliendo_ = true;
    close();
    QApplication::quit();
}

void TForm1::closeEvent(QCloseEvent* e)
{
    if (!saliendo_) {
        if (!confirma_guardar()) {
            e->ignore();
            return;
        }
        borra_temporal();
    }
    e->accept();
    QApplication::quit();
}
