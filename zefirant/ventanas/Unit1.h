// Ventana principal de ZEFIRANT: páginas del gas, de los estados, de las
// transformaciones y de los listados, con sus menús y atajos.
#pragma once

#include "plataforma/atajos.h"
#include "plataforma/controles.h"

#include "zefirant/motor/gases.h"

#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>

#include <cstdio>
#include <string>

class QAction;
class QFrame;

// Campos numéricos de ZEFIRANT: cifras y una marca decimal (punto o coma),
// sin signo, con blancos delante y detrás si se quiere.
namespace campos {
inline constexpr forma_numero forma{.blancos = true};
// Valores de un estado y datos del combustible: reales de 0 en adelante.
inline const regla_campo valor{.forma = forma};
// Fracciones del calor del combustible: de 0 a 1.
inline const regla_campo fraccion{.forma = forma, .maximo = 1, .mensaje_margen = "Valor de campo incorrecto"};
// Números de estado: lo que cabe en los 16 bits del fichero de problema.
inline const regla_campo referencia{.forma = forma, .maximo = 32767, .mensaje_margen = "Referencia fuera de margen"};
// Líneas por página impresa (menos de 1 deja las de omisión).
inline const regla_campo lineas{.forma = forma, .maximo = 2147483647};
} // namespace campos

// Opción de RadioGroup1 que abre la elección del combustible; las de antes
// son los gases puros, cada una con el número de su tipo.
inline constexpr int OPCION_COMBUSTION = GAS_GASOLINA;

class TForm1 : public QMainWindow {
public:
    TForm1();
    ~TForm1() override;
    // Falso si el arranque falló y el programa debe terminar.
    bool arrancado() const { return arrancado_; }

    // Campos de la ventana.
    propiedades_gas c_gas;
    int gas_seleccionado = 0;
    int t_min_listado = 273, t_max_listado = 5000, intervalo_listado = 10;
    std::string ruta_temporal;
    std::string ruta_rtf;
    int estado_actual = 0;
    int estados_definidos = 0;
    int modificado = 0;
    std::FILE* fichero_resultados = nullptr;
    std::string ruta_ayuda;
    std::string directorio_programa;
    std::string nombre_problema;
    int reinicia_combustible = 1;
    // La tabla de c_gas corresponde al gas elegido en la página del gas (se
    // cargó al dejar la página y nada ha cambiado desde entonces).
    bool gas_al_dia = false;

    // Menús y controles.
    QAction* Configurarunidades1 = nullptr;
    QAction* Calcularestados2 = nullptr;
    QAction* Calcularestadosytransformaciones1 = nullptr;
    control_paginas* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QWidget* TabSheet4 = nullptr;
    QPushButton* Button9 = nullptr;
    QPushButton* Button10 = nullptr;

    // Página del gas.
    grupo_radio* RadioGroup1 = nullptr;
    grupo_radio* RadioGroup2 = nullptr;
    QFrame* Panel2 = nullptr;
    campo_edicion *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr, *Edit6 = nullptr, *Edit7 = nullptr,
                  *Edit8 = nullptr, *Edit9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label19 = nullptr;

    // Página de los estados.
    lista_desplegable* ComboBox2 = nullptr;
    QLabel* Label29 = nullptr;
    campo_edicion* Edit10 = nullptr;  // p
    campo_edicion* Edit11 = nullptr;  // T
    campo_edicion* Edit12 = nullptr;  // v
    campo_edicion* Edit13 = nullptr;  // u
    campo_edicion* Edit14 = nullptr;  // h
    campo_edicion* Edit15 = nullptr;  // s
    campo_edicion* Edit16 = nullptr;  // n
    campo_edicion* Edit17 = nullptr;  // x_v
    campo_edicion* Edit18 = nullptr;  // x_p
    campo_edicion *Edit19 = nullptr, *Edit20 = nullptr, *Edit21 = nullptr, *Edit22 = nullptr, *Edit23 = nullptr,
                  *Edit24 = nullptr;  // referencias de p, T, v, u, h, s
    QLabel *Label35 = nullptr, *Label36 = nullptr, *Label37 = nullptr, *Label38 = nullptr, *Label39 = nullptr,
           *Label40 = nullptr, *Label41 = nullptr, *Label48 = nullptr;
    QLabel* Label20 = nullptr;
    QLabel* Label53 = nullptr;
    QFrame* Panel3 = nullptr;
    QPushButton *Button3 = nullptr, *Button4 = nullptr, *Button5 = nullptr, *Button6 = nullptr,
                *Button11 = nullptr;

    // Página de las transformaciones.
    campo_edicion* Edit25 = nullptr;
    QPushButton* Button7 = nullptr;
    QPushButton* Button8 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QLabel* Label46 = nullptr;
    QLabel* Label50 = nullptr;
    QPushButton* Button12 = nullptr;

    // Página de los listados.
    QLabel* Label2 = nullptr;
    QLabel* Label49 = nullptr;
    QLabel* Label11 = nullptr;
    campo_edicion* Edit1 = nullptr;
    campo_edicion* Edit2 = nullptr;
    lista_desplegable* ComboBox1 = nullptr;
    campo_edicion* Edit26 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

    atajos_ventana* atajos = nullptr;

    // Rutinas de la ventana.
    void nuevo_problema();
    void pon_titulo(int sin_gas);
    // Lee un campo con la regla dada: real (float) o entero (int32) en
    // 'destino', que puede faltar; vacío deja -1. 0 si lo rechazó (con su
    // mensaje y el foco de vuelta en el campo, sin tocar el destino): el de
    // margen para un número fuera de él, también uno que no cabe en un real.
    int lee_campo_numerico(campo_edicion* edit, int real, void* destino, const regla_campo& regla);
    int lee_campo_numerico(campo_edicion* edit, int real, void* destino)
    {
        return lee_campo_numerico(edit, real, destino, real ? campos::valor : campos::referencia);
    }
    void pon_etiquetas_unidades();
    bool unidades_bloqueadas() const;

    // Página del gas.
    void selecciona_gas(int tipo);
    void habilita_campo(campo_edicion* edit);
    void RadioGroup1Click();
    void RadioGroup2Click();
    void Edit4Exit();
    void Edit5Exit();
    void Edit7Exit();
    void Edit9Exit();
    void Edit4Change();
    void Edit6Change();
    void Edit8Change();
    void PageControl1Changing(bool& permitir);
    void PageControl1Change();
    // Comprueba la página del gas y carga su tabla en c_gas, como al dejar
    // la página; falso si los datos se rechazan.
    bool comprueba_pagina_gas();
    // Lee los datos del combustible de sus campos al registro, en el orden
    // de la página; falso en el primer campo rechazado.
    bool lee_combustible();
    // Al dejar un campo del combustible, lo lee en 'destino' (con su aviso
    // si no vale), salvo que el foco se vaya a otra página, cuyo cambio lee
    // todos los campos, o que el programa esté descartando lo escrito.
    void sale_de_campo_gas(campo_edicion* edit, float& destino);
    // Antes de usar c_gas: la carga si no está al día con la página.
    bool asegura_gas();

    // Página de los estados.
    void Button5Click();
    void Button3Click();
    void Button4Click();
    void Button6Click();
    void ComboBox2Change();
    void muestra_estado();
    // Lee todos los campos del estado y, si todos valen, lo guarda; si no,
    // no guarda nada (falso).
    bool lee_estado();
    void habilita_navegacion();
    void borra_campos_estado();
    // Rehace los estados preparados desde los estados a los que siguen (o
    // los libera), y ajusta la cuenta si el último quedó libre.
    void rehace_preparados();
    campo_edicion* edit_valor(int i) const;        // 0..8: p, T, v, u, h, s, n, x_v, x_p
    campo_edicion* edit_referencia(int i) const;   // 0..5

    // Página de las transformaciones.
    int lee_transformacion(const std::string& texto, std::string& destino);
    void Button7Click();
    void Button8Click();
    void ListBox1Click();

    // Cálculos.
    int recoge_transformaciones();
    int calcula_estados();
    int borra_temporal();
    void Calcularestados2Click();
    void Calcularestadosytransformaciones1Click();

    // Ficheros de problema.
    int confirma_guardar();
    void salva_problema();
    // Salva el problema; verdadero sólo si quedó guardado.
    bool salva_problema_bien();
    void Cargarproblema1Click();
    void Salvarproblema1Click();
    void Nuevoproblema1Click();

    // Listados y ayuda.
    void TabSheet4Enter();
    void lanza_listado();
    // Líneas por página del listado impreso, del campo de la página de
    // listados; 45 si no se dieron o no valen.
    int lineas_por_pagina_impresas();
    void Configurarunidades1Click();
    void Ayuda2Click();
    void AyudadeZEFIRANT1Click();
    void AcercadeZEFIRANT1Click();

    // Navegación y final.
    void TabAnterior1Click();
    void TabSiguiente1Click();
    void ElemAnteior1Click();
    void ElemSiguiente1Click();
    void ElemUltimo1Click();
    void ElemPrimero1Click();
    void Salir1Click();

protected:
    void closeEvent(QCloseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    // Mientras existe, dejar un campo de la página del gas no lo comprueba:
    // el programa está descartando lo escrito (problema nuevo o cargado).
    class descarte_campos {
    public:
        explicit descarte_campos(TForm1& f) : f_(f), antes_(f.descartando_) { f.descartando_ = true; }
        ~descarte_campos() { f_.descartando_ = antes_; }
        descarte_campos(const descarte_campos&) = delete;
        descarte_campos& operator=(const descarte_campos&) = delete;

    private:
        TForm1& f_;
        bool antes_;
    };

    void crea_menus();
    void crea_pagina_gas();
    void crea_pagina_estados();
    void crea_pagina_transformaciones();
    void crea_pagina_listados();
    void cambia_pagina_ciclica(int paso);
    void avanza();
    bool arrancado_ = false;
    bool saliendo_ = false;
    bool descartando_ = false;
    QMenu* PopupMenu1 = nullptr;
};

// Reemplaza cada aparición de un carácter por otro.
void cambia_caracter(std::string& texto, char de, char a);
