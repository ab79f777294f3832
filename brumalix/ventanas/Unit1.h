// Ventana principal de BRUMALIX: páginas de estados, equipos y ecuaciones de
// balance de masa y de energía, con sus menús, atajos y listas emergentes.
#pragma once

#include "plataforma/atajos.h"
#include "plataforma/controles.h"

#include "brumalix/motor/problema_agua.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QToolButton>

#include <array>
#include <cstdio>
#include <string>

class QAction;

// Campos numéricos de BRUMALIX: blancos delante y detrás; los reales, con
// signo y punto o coma decimal (un valor negativo se guarda y cuenta como no
// dado).
namespace campos {
inline const regla_campo valor{.forma = {.signo = true, .blancos = true}, .minimo = -FLT_MAX};
// Números de estado: lo que cabe en los 16 bits del fichero de problema.
inline const regla_campo referencia{.forma = {.blancos = true}, .maximo = 32767};
// Líneas por página impresa (menos de 1 deja las de omisión).
inline const regla_campo lineas{.forma = {.blancos = true}, .maximo = 2147483647};
} // namespace campos

class TForm1 : public QMainWindow {
public:
    TForm1();
    ~TForm1() override;
    // Falso hasta que las tablas de vapor estén cargadas; si no se pudieron
    // cargar el programa termina.
    bool arrancado() const { return arrancado_; }

    // Campos de la ventana.
    campo_edicion* campo_destino = nullptr;
    int estado_actual = 0;
    int ultimo_estado = 0;
    int equipo_actual = 0;
    int ultimo_equipo = 0;
    int grupo_masa_actual = 0;
    int ultimo_grupo_masa = 0;
    int grupo_energia_actual = 0;
    int ultimo_grupo_energia = 0;
    int modo_lista = 0;
    std::FILE* fichero_resultados = nullptr;
    std::string ruta_temporal;
    std::string ruta_rtf;
    std::string nombre_problema;
    std::string ruta_ayuda;
    std::string directorio_programa;

    // Marco.
    control_paginas* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QWidget* TabSheet4 = nullptr;
    QPushButton* Button2 = nullptr;  // Calcular estados (oculto)
    QPushButton* Button3 = nullptr;  // Calcular todo (oculto)
    QFrame* Panel1 = nullptr;        // Estados definidos
    QListWidget* ListBox1 = nullptr;
    QFrame* Panel2 = nullptr;        // Equipos definidos
    QListWidget* ListBox2 = nullptr;
    QAction* Calcularestados1 = nullptr;
    QAction* Calculartodo1 = nullptr;
    atajos_ventana* atajos = nullptr;

    // Página "Estados".
    campo_edicion *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr,
                  *Edit6 = nullptr;  // p, t, x, v, h, s
    campo_edicion *Edit7 = nullptr, *Edit8 = nullptr, *Edit9 = nullptr, *Edit10 = nullptr, *Edit11 = nullptr,
                  *Edit12 = nullptr;  // referencias de p, t, x, v, h, s
    campo_edicion* Edit28 = nullptr;  // caudal
    QToolButton *BitBtn1 = nullptr, *BitBtn2 = nullptr, *BitBtn3 = nullptr, *BitBtn4 = nullptr, *BitBtn5 = nullptr,
                *BitBtn6 = nullptr;
    QToolButton* BitBtn11 = nullptr;
    QPushButton *BitBtn7 = nullptr, *BitBtn8 = nullptr, *BitBtn9 = nullptr, *BitBtn10 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label10 = nullptr, *Label11 = nullptr, *Label12 = nullptr,
           *Label57 = nullptr;
    QLabel* Label13 = nullptr;  // estado mostrado
    QLabel* Label15 = nullptr;  // estados definidos

    // Página "Equipos".
    campo_edicion *Edit13 = nullptr, *Edit14 = nullptr, *Edit15 = nullptr;
    QToolButton *BitBtn12 = nullptr, *BitBtn13 = nullptr, *BitBtn18 = nullptr;
    QPushButton *BitBtn14 = nullptr, *BitBtn15 = nullptr, *BitBtn16 = nullptr, *BitBtn17 = nullptr;
    QLabel* Label55 = nullptr;  // equipo mostrado
    QLabel* Label25 = nullptr;  // equipos

    // Páginas "Ec. masa" y "Ec energía".
    std::array<campo_edicion*, 6> edits_masa{};     // Edit16 .. Edit21
    std::array<campo_edicion*, 6> edits_energia{};  // Edit22 .. Edit27
    std::array<QLabel*, 6> numeros_masa{};          // Label28 .. Label33
    std::array<QLabel*, 6> numeros_energia{};       // Label43 .. Label48
    std::array<QToolButton*, 6> listas_masa{};      // BitBtn23 .. BitBtn28
    std::array<QToolButton*, 6> listas_energia{};   // BitBtn29 .. BitBtn34
    QPushButton *BitBtn19 = nullptr, *BitBtn20 = nullptr, *BitBtn21 = nullptr, *BitBtn22 = nullptr;
    QPushButton *BitBtn35 = nullptr, *BitBtn36 = nullptr, *BitBtn37 = nullptr, *BitBtn38 = nullptr;
    QLabel *Label37 = nullptr, *Label39 = nullptr, *Label50 = nullptr, *Label52 = nullptr;

    // Marco y arranque.
    void FormShow();
    int inicia_programa();
    void nuevo_problema();
    // Guarda la página a la vista en el problema; falso si un campo de la
    // página de estados no vale (y entonces no se guarda).
    bool guarda_pagina_activa();
    void pon_titulo(int nuevo);
    void pon_etiquetas_unidades();
    void PageControl1Changing(bool& permitir);
    void Nuevoproblema1Click();
    void Configurarunidades1Click();
    void Salir1Click();
    void Curvaslmite1Click();
    void Lquidoyvaporsobrecalentado1Click();
    void Ayuda2Click();
    void AcercadeBrumalix1Click();
    void Primero1Click();
    void Anterior1Click();
    void Siguiente1Click();
    void Ultimo1Click();
    void GoEstados1Click();
    void GoElementos1Click();
    void GoEcMasa1Click();
    void GoEcEnergia1Click();
    void GoAnterior1Click();
    void GoSiguiente1Click();
    void Trace1Click();

    // Página "Estados".
    campo_edicion* edit_valor(int i) const;       // 0..5: p, t, x, v, h, s
    campo_edicion* edit_referencia(int i) const;  // 0..5
    // Guarda los campos en el estado actual si todos valen; si uno no vale
    // muestra su mensaje, le devuelve el foco, no guarda nada y da falso.
    bool lee_estado();
    void muestra_estado();
    void borra_campos_estado();
    void habilita_botones_estados();
    void muestra_lista_estados();
    void ListBox1Click(int fila);
    void limpia_campo(campo_edicion* edit);
    // Lee un campo real (float) o entero (int32) en 'destino'; vacío deja -1.
    // 0 si lo rechazó, con su mensaje y el foco de vuelta en el campo.
    int lee_campo_numerico(campo_edicion* edit, int real, void* destino);
    // Salida de un campo de la página de estados: lo limpia y lo guarda en
    // 'destino'. Si lo que recibe el foco va a leer la página entera (un
    // cambio de página, el menú, un botón de navegación), un texto que no
    // vale no se dice aquí: lo dice quien lee la página, una sola vez.
    void sale_de_campo(campo_edicion* edit, int real, void* destino);
    void BitBtn7Click();
    void BitBtn8Click();
    void BitBtn9Click();
    void BitBtn10Click();
    void BitBtn11Click();

    // Página "Equipos".
    void lee_equipo();
    void muestra_equipo();
    void borra_campos_equipo();
    void habilita_botones_equipos();
    void muestra_lista_equipos();
    void ListBox2Click(int fila);
    void BitBtn14Click();
    void BitBtn15Click();
    void BitBtn16Click();
    void BitBtn17Click();

    // Páginas de ecuaciones.
    void borra_campos_masa();
    void borra_campos_energia();
    void numera_ecuaciones_masa();
    void numera_ecuaciones_energia();
    void muestra_ecuaciones_masa();
    void muestra_ecuaciones_energia();
    void lee_ecuaciones_masa();
    void lee_ecuaciones_energia();
    void habilita_botones_masa();
    void habilita_botones_energia();
    void BitBtn19Click();
    void BitBtn20Click();
    void BitBtn21Click();
    void BitBtn22Click();
    void BitBtn35Click();
    void BitBtn36Click();
    void BitBtn37Click();
    void BitBtn38Click();

    // Cálculos.
    int monta_caudales_directos();
    int lanza_calculo_estados();
    void ejecuta_calculo_estados();
    void ejecuta_calculo_todo();
    void escribe_datos_problema(std::FILE* fichero);
    void Calcularestados1Click();
    void Calculartodo1Click();
    void CalcEstados1Click();
    void CalcTodo1Click();
    void Button2Click();
    void Button3Click();

    // Ficheros de problema.
    int guarda_problema(int S, int E);
    int carga_problema(int& S, int& E);
    void Salvarproblema1Click();
    void Cargarfichero1Click();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void crea_menus();
    void crea_paneles(QWidget* centro);
    void crea_pagina_estados();
    void crea_pagina_equipos();
    void crea_pagina_ecuaciones(QWidget* pagina, bool masa);
    void abre_panel(QFrame* panel, QListWidget* lista);
    void cierra_panel(QFrame* panel);
    void pulsa_si_habilitado(QPushButton* boton);
    // De cuatro botones, uno por página, el de la página a la vista.
    QPushButton* boton_de_pagina(QPushButton* de_estados, QPushButton* de_equipos, QPushButton* de_masa,
                                 QPushButton* de_energia) const;
    // Los cuatro botones de navegación de una página (|<, <, >, >|) al pie,
    // con sus pistas y sus órdenes.
    void crea_navegacion(QWidget* pagina, const std::array<QPushButton**, 4>& botones,
                         const std::array<QString, 4>& pistas, const std::array<void (TForm1::*)(), 4>& ordenes);
    // Pone delante una página y la llena desde el problema cargado: borra sus
    // campos, va a su primera ficha y fija la última.
    void llena_pagina_cargada(QWidget* pagina, void (TForm1::*borra)(), int& actual, int& ultimo, int valor_ultimo,
                              void (TForm1::*muestra)(), void (TForm1::*habilita)());
    // Pone delante otra página como un clic en su pestaña: guarda antes la
    // que se deja y, si un campo suyo no vale, se queda en ella.
    void cambia_pagina(QWidget* pagina);
    void cambia_pagina_ciclica(int paso);
    void cierra_resultados();
    // Grupo de ecuaciones: navegación común a las dos páginas.
    void grupo_siguiente(bool masa);
    void grupo_anterior(bool masa);
    void grupo_primero(bool masa);
    void grupo_ultimo(bool masa);
    bool arrancado_ = false;
    bool mostrado_ = false;
    bool saliendo_ = false;
    QMenu* PopupMenu1 = nullptr;
};

// Reemplaza en el texto cada aparición de un carácter por otro.
void cambia_caracter(std::string& texto, char de, char a);

// Los datos dados de un estado como se listan: "p=%g " por cada valor y
// "p=[%d] " por cada referencia, en el orden de la página.
std::string datos_estado(const estado_agua& e);
