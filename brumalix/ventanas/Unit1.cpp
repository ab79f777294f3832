// Marco de la ventana principal: arranque, menús, atajos, páginas, problema
// nuevo y final del programa.
#include "brumalix/ventanas/Unit1.h"
#include "brumalix/ventanas/Unit10.h"
#include "brumalix/ventanas/Unit15.h"
#include "brumalix/ventanas/Unit17.h"
#include "brumalix/ventanas/Unit2.h"
#include "brumalix/ventanas/Unit5.h"
#include "brumalix/ventanas/disposicion.h"
#include "brumalix/ventanas/ventanas.h"

#include "plataforma/aplicacion.h"
#include "plataforma/ayuda.h"
#include "plataforma/fuentes.h"
#include "plataforma/lista_marcado.h"

#include "brumalix/motor/estados.h"
#include "brumalix/motor/inicio.h"
#include "brumalix/motor/tablas.h"
#include "brumalix/motor/traza.h"
#include "comun/formato.h"
#include "comun/texto1252.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

using namespace disposicion;

void cambia_caracter(std::string& texto, char de, char a)
{
    for (char& c : texto)
        if (c == de) c = a;
}

TForm1* Form1 = nullptr;

TForm1::TForm1()
{
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("BRUMALIX "));

    auto* centro = new QWidget(this);
    centro->setFixedSize(442, 274);
    PageControl1 = new control_paginas(centro);
    PageControl1->setGeometry(0, 8, 441, 266);
    TabSheet1 = new QWidget;
    TabSheet2 = new QWidget;
    TabSheet3 = new QWidget;
    TabSheet4 = new QWidget;
    PageControl1->addTab(TabSheet1, QStringLiteral("Estados"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Equipos"));
    PageControl1->addTab(TabSheet3, QStringLiteral("Ec. masa"));
    PageControl1->addTab(TabSheet4, QString::fromUtf8("Ec energía"));
    PageControl1->al_cambiar = [this](bool& permitir) { PageControl1Changing(permitir); };
    Button2 = new QPushButton(QStringLiteral("Calcular estados"), centro);
    Button3 = new QPushButton(QStringLiteral("Calcular todo"), centro);
    Button2->setGeometry(0, 0, 20, 20);
    Button3->setGeometry(0, 0, 20, 20);
    Button2->hide();
    Button3->hide();
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    setCentralWidget(centro);
    auto* barra = new QStatusBar(this);
    barra->setFixedHeight(19);
    barra->setSizeGripEnabled(false);
    // Texto fijo: los menús no lo borran al pasar por ellos.
    barra->addWidget(new QLabel(QString::fromUtf8("BRUMALIX · Propiedades del agua y del vapor")));
    barra->setEnabled(false);
    setStatusBar(barra);

    crea_pagina_estados();
    crea_pagina_equipos();
    crea_pagina_ecuaciones(TabSheet3, true);
    crea_pagina_ecuaciones(TabSheet4, false);
    crea_paneles(centro);
    crea_menus();
    adjustSize();
    setFixedSize(sizeHint());
    if (QScreen* pantalla = QGuiApplication::primaryScreen()) {
        QRect r = pantalla->geometry();
        const int arriba = (r.height() - height()) / 2;
        const int izquierda = (r.width() - width()) / 2;
        move(izquierda, arriba);
    }

    // Rutas del programa, todas en su directorio.
    directorio_programa = ::directorio_programa();
    ruta_ayuda = directorio_programa + "BRUMALIX.HLP";
    ruta_temporal = formatea("%s/%s", directorio_programa.c_str(), "BRUMALIX.TMP");
    ruta_rtf = formatea("%s/%s", directorio_programa.c_str(), "BRUMALIX.RTF");
    nombre_problema.clear();
    fichero_resultados = nullptr;
}

TForm1::~TForm1()
{
    if (fichero_resultados) std::fclose(fichero_resultados);
    fichero_resultados = nullptr;
}

void TForm1::crea_menus()
{
    QMenu* ficheros = menuBar()->addMenu(QStringLiteral("&Ficheros"));
    ficheros->addAction(QStringLiteral("Cargar problema"), this, [this] { Cargarfichero1Click(); });
    ficheros->addAction(QStringLiteral("Salvar problema"), this, [this] { Salvarproblema1Click(); });
    ficheros->addAction(QStringLiteral("Nuevo problema"), this, [this] { Nuevoproblema1Click(); });
    ficheros->addAction(QStringLiteral("Configurar unidades"), this, [this] { Configurarunidades1Click(); });
    ficheros->addAction(QStringLiteral("Salir"), this, [this] { Salir1Click(); });
    QMenu* listados = menuBar()->addMenu(QStringLiteral("&Listados"));
    listados->addAction(QString::fromUtf8("Curvas límite"), this, [this] { Curvaslmite1Click(); });
    listados->addAction(QString::fromUtf8("Líquido y vapor sobrecalentado"), this,
                        [this] { Lquidoyvaporsobrecalentado1Click(); });
    QMenu* calculos = menuBar()->addMenu(QString::fromUtf8("Cálculo&s"));
    Calcularestados1 = calculos->addAction(QStringLiteral("Calcular estados\tAlt+C"), this, [this] { Calcularestados1Click(); });
    Calculartodo1 = calculos->addAction(QStringLiteral("Calcular todo\tAlt+T"), this, [this] { Calculartodo1Click(); });
    QMenu* ayuda = menuBar()->addMenu(QStringLiteral("&Ayuda"));
    ayuda->addAction(QStringLiteral("Ayuda"), this, [this] { Ayuda2Click(); });
    ayuda->addAction(QStringLiteral("Acerca de BRUMALIX..."), this, [this] { AcercadeBrumalix1Click(); });

    // Menú emergente de la ventana: no se muestra; existe por sus atajos.
    PopupMenu1 = new QMenu(this);
    atajos = new atajos_ventana(this);
    atajos->ata_recorrido_en_menu(PopupMenu1, [this] { Primero1Click(); }, [this] { Anterior1Click(); },
                                  [this] { Siguiente1Click(); }, [this] { Ultimo1Click(); });
    atajos->ata_en_menu(PopupMenu1, {
        {QStringLiteral("GoEstados\tCtrl+1"), Qt::ControlModifier | Qt::Key_1, [this] { GoEstados1Click(); }},
        {QStringLiteral("GoElementos\tCtrl+2"), Qt::ControlModifier | Qt::Key_2, [this] { GoElementos1Click(); }},
        {QStringLiteral("GoEcMasa\tCtrl+3"), Qt::ControlModifier | Qt::Key_3, [this] { GoEcMasa1Click(); }},
        {QStringLiteral("GoEcEnergia\tCtrl+4"), Qt::ControlModifier | Qt::Key_4, [this] { GoEcEnergia1Click(); }},
        {QStringLiteral("GoAnterior\tCtrl+Left"), Qt::ControlModifier | Qt::Key_Left, [this] { GoAnterior1Click(); }},
        {QStringLiteral("GoSiguiente\tCtrl+Right"), Qt::ControlModifier | Qt::Key_Right, [this] { GoSiguiente1Click(); }},
        {QStringLiteral("CalcEstados\tAlt+C"), Qt::AltModifier | Qt::Key_C, [this] { CalcEstados1Click(); }},
        {QStringLiteral("CalcTodo\tAlt+T"), Qt::AltModifier | Qt::Key_T, [this] { CalcTodo1Click(); }},
        {QStringLiteral("Trace\tShift+F12"), Qt::ShiftModifier | Qt::Key_F12, [this] { Trace1Click(); }},
    });
}

void TForm1::crea_paneles(QWidget* centro)
{
    auto crea = [&](const char* titulo, QListWidget*& lista, int alto_item) {
        auto* panel = new QFrame(centro);
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setLineWidth(2);
        panel->setAutoFillBackground(true);
        panel->setGeometry(4, 30, 434, 240);
        auto* capa = new QVBoxLayout(panel);
        capa->setContentsMargins(6, 4, 6, 6);
        capa->setSpacing(3);
        auto* rotulo = new QLabel(QString::fromUtf8(titulo), panel);
        QFont negrita = rotulo->font();
        negrita.setBold(true);
        rotulo->setFont(negrita);
        capa->addWidget(rotulo);
        lista = new QListWidget(panel);
        lista->setFont(fuentes::fuente(QStringLiteral("Courier New"), 12));
        lista->setUniformItemSizes(true);
        lista->setStyleSheet(QStringLiteral("QListWidget::item { height: %1px; }").arg(alto_item));
        capa->addWidget(lista);
        panel->hide();
        return panel;
    };
    Panel1 = crea("Estados definidos", ListBox1, 14);
    Panel2 = crea("Equipos definidos", ListBox2, 13);
    // La elección con el ratón, o con Intro sobre la línea marcada.
    connect(ListBox1, &QListWidget::itemClicked, this, [this](QListWidgetItem* i) { ListBox1Click(ListBox1->row(i)); });
    connect(ListBox1, &QListWidget::itemActivated, this, [this](QListWidgetItem* i) {
        if (Panel1->isVisible()) ListBox1Click(ListBox1->row(i));
    });
    connect(ListBox2, &QListWidget::itemClicked, this, [this](QListWidgetItem* i) { ListBox2Click(ListBox2->row(i)); });
    connect(ListBox2, &QListWidget::itemActivated, this, [this](QListWidgetItem* i) {
        if (Panel2->isVisible()) ListBox2Click(ListBox2->row(i));
    });
}

void TForm1::abre_panel(QFrame* panel, QListWidget* lista)
{
    PageControl1->setEnabled(false);
    panel->show();
    panel->raise();
    lista->setFocus();
}

void TForm1::cierra_panel(QFrame* panel)
{
    panel->hide();
    PageControl1->setEnabled(true);
}

void TForm1::contextMenuEvent(QContextMenuEvent* e)
{
    // El menú emergente del formulario nunca se muestra.
    e->accept();
}

void TForm1::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (!mostrado_ && !e->spontaneous()) {
        mostrado_ = true;
        FormShow();
    }
}

void TForm1::FormShow() { inicia_programa(); }

int TForm1::inicia_programa()
{
    if (!inicializa_datos(directorio_programa)) {
        // El motor ya ha dicho qué falta; el programa acaba sin preparar nada más.
        arrancado_ = false;
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return 0;
    }
    arrancado_ = true;
    grupo_radio* grupos[3] = {Configurar->RadioGroup1, Configurar->RadioGroup2, Configurar->RadioGroup3};
    for (int g = 0; g < 3; ++g)
        for (int k = 0; k < 2; ++k) grupos[g]->opcion(k)->setText(desde_1252(salta_blancos(nombres_unidades[2 * g + k])));
    Label1->setText(desde_1252(formatea("0-800 %cC", 176)));
    Label1->adjustSize();
    nuevo_problema();
    return 1;
}

void TForm1::pon_titulo(int nuevo)
{
    // El nombre del fichero viene del sistema de ficheros (UTF-8).
    std::string titulo = formatea_n(240, "BRUMALIX %s", nuevo ? "" : nombre_problema.c_str());
    setWindowTitle(QString::fromUtf8(titulo.c_str()));
}

void TForm1::nuevo_problema()
{
    pon_titulo(1);
    PageControl1->pon_pagina(TabSheet1);
    const QString suma = fuentes::texto_symbol(229);
    for (QLabel* l : {Label37, Label39, Label50, Label52}) l->setText(suma);
    // Una lista que se estuviera eligiendo se cierra: sus líneas ya no valen.
    cierra_panel(Panel1);
    cierra_panel(Panel2);
    ListBox1->clear();
    ListBox2->clear();
    ListBox2->addItem(QStringLiteral("<CERRAR>"));
    borra_campos_estado();
    borra_campos_equipo();
    borra_campos_masa();
    borra_campos_energia();
    // El foco va a la presión con los campos ya vacíos: el campo que deja no
    // se comprueba con un texto que se está tirando.
    Edit1->setFocus();
    pon_etiquetas_unidades();
    for (grupo_radio* g : {Configurar->RadioGroup1, Configurar->RadioGroup2, Configurar->RadioGroup3})
        g->pon_indice_sin_evento(0);
    for (QPushButton* b : {BitBtn7, BitBtn8, BitBtn10, BitBtn14, BitBtn15, BitBtn17, BitBtn19, BitBtn20, BitBtn22,
                           BitBtn35, BitBtn36, BitBtn38})
        b->setEnabled(false);
    estado_actual = 0;
    ultimo_estado = 0;
    Label13->setText(QStringLiteral("1"));
    Label15->setText(QStringLiteral("0"));
    equipo_actual = 0;
    ultimo_equipo = 0;
    Label55->setText(QStringLiteral("1"));
    Label25->setText(QStringLiteral("0"));
    grupo_masa_actual = 0;
    ultimo_grupo_masa = 0;
    numera_ecuaciones_masa();
    grupo_energia_actual = 0;
    ultimo_grupo_energia = 0;
    numera_ecuaciones_energia();
    borra_estados();
    borra_elementos();
    borra_caudales_directos();
    borra_ecuaciones();
    cierra_resultados();
}

// Las tablas de la ventana de resultados sólo se pueden rehacer con el
// problema que se calculó: al cambiar el problema se retira su navegación.
void TForm1::cierra_resultados()
{
    if (Resultados) Resultados->oculta_navegacion();
}

bool TForm1::guarda_pagina_activa()
{
    QWidget* p = PageControl1->currentWidget();
    if (p == TabSheet1) return lee_estado();
    if (p == TabSheet2) lee_equipo();
    else if (p == TabSheet3) lee_ecuaciones_masa();
    else if (p == TabSheet4) lee_ecuaciones_energia();
    return true;
}

void TForm1::PageControl1Changing(bool& permitir)
{
    // Con un valor que no se puede guardar, la página no se deja.
    permitir = guarda_pagina_activa();
}

void TForm1::Nuevoproblema1Click()
{
    // La página a la vista no se guarda: el problema se vacía entero.
    nuevo_problema();
}

void TForm1::Configurarunidades1Click()
{
    Configurar->show();
    Configurar->raise();
    Configurar->activateWindow();
}

void TForm1::Salir1Click()
{
    // Nada se guarda al salir (el problema no pasa a ningún fichero).
    saliendo_ = true;
    close();
    QApplication::quit();
}

void TForm1::closeEvent(QCloseEvent* e)
{
    e->accept();
    QApplication::quit();
}

void TForm1::Curvaslmite1Click()
{
    Listados->RadioGroup1->pon_indice(0);
    Listados->show();
    Listados->raise();
    Listados->activateWindow();
}

void TForm1::Lquidoyvaporsobrecalentado1Click()
{
    Listados->RadioGroup1->pon_indice(1);
    Listados->show();
    Listados->raise();
    Listados->activateWindow();
}

void TForm1::Ayuda2Click() { muestra_ayuda(ruta_ayuda, "IDH_menu"); }

void TForm1::AcercadeBrumalix1Click()
{
    About->show();
    About->raise();
}

void TForm1::pulsa_si_habilitado(QPushButton* boton)
{
    // Un botón deshabilitado (o en una página deshabilitada) no hace nada.
    if (boton->isEnabled()) boton->click();
}

QPushButton* TForm1::boton_de_pagina(QPushButton* de_estados, QPushButton* de_equipos, QPushButton* de_masa,
                                     QPushButton* de_energia) const
{
    QWidget* p = PageControl1->currentWidget();
    return p == TabSheet1 ? de_estados : p == TabSheet2 ? de_equipos : p == TabSheet3 ? de_masa : de_energia;
}

void TForm1::crea_navegacion(QWidget* pagina, const std::array<QPushButton**, 4>& botones,
                             const std::array<QString, 4>& pistas, const std::array<void (TForm1::*)(), 4>& ordenes)
{
    const QString textos[4] = {QStringLiteral("|<"), QStringLiteral("<"), QStringLiteral(">"), QStringLiteral(">|")};
    for (std::size_t k = 0; k < 4; ++k) {
        QPushButton* b = boton(textos[k], pistas[k], pagina, 130 + 44 * static_cast<int>(k), 214, 40);
        *botones[k] = b;
        connect(b, &QPushButton::clicked, this, [this, orden = ordenes[k]] { (this->*orden)(); });
    }
}

void TForm1::Primero1Click() { pulsa_si_habilitado(boton_de_pagina(BitBtn7, BitBtn14, BitBtn19, BitBtn35)); }
void TForm1::Anterior1Click() { pulsa_si_habilitado(boton_de_pagina(BitBtn8, BitBtn15, BitBtn20, BitBtn36)); }
void TForm1::Siguiente1Click() { pulsa_si_habilitado(boton_de_pagina(BitBtn9, BitBtn16, BitBtn21, BitBtn37)); }
void TForm1::Ultimo1Click() { pulsa_si_habilitado(boton_de_pagina(BitBtn10, BitBtn17, BitBtn22, BitBtn38)); }

void TForm1::GoEstados1Click() { cambia_pagina(TabSheet1); }
void TForm1::GoElementos1Click() { cambia_pagina(TabSheet2); }
void TForm1::GoEcMasa1Click() { cambia_pagina(TabSheet3); }
void TForm1::GoEcEnergia1Click() { cambia_pagina(TabSheet4); }

void TForm1::cambia_pagina(QWidget* pagina)
{
    // Lo que se ve en la página que se deja pasa al problema antes de que
    // se oculte: si no, un cálculo o un fichero salvado no lo tendrían.
    if (pagina == PageControl1->currentWidget()) return;
    if (!guarda_pagina_activa()) return;
    PageControl1->pon_pagina(pagina);
}

void TForm1::cambia_pagina_ciclica(int paso)
{
    cambia_pagina(PageControl1->widget((PageControl1->currentIndex() + paso + 4) % 4));
}

void TForm1::GoAnterior1Click() { cambia_pagina_ciclica(-1); }
void TForm1::GoSiguiente1Click() { cambia_pagina_ciclica(+1); }

void TForm1::Trace1Click()
{
    if (Form15->isVisible()) {
        Form15->hide();
    } else {
        Form15->show();
        Form15->raise();
    }
}
