// Formulario de informe con bandas: cabeceras y pie de página, banda de
// detalle que el programa rellena línea a línea ("necesita datos"), campos
// de número de página y de fecha, salto de página pedido desde el bucle,
// vista previa, impresión y PDF.
//
// Las posiciones van en píxeles de pantalla (96 por pulgada) sobre la hoja
// vertical del papel de la impresora, con el margen izquierdo de cada
// formulario; al imprimir se escalan a la resolución de la impresora.
#pragma once

#include <QFont>
#include <QPointer>
#include <QSizeF>
#include <QString>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

class QPainter;
class QPrinter;
class QWidget;

struct etiqueta_informe {
    enum clase { texto, numero_pagina, fecha_hora };
    clase tipo = texto;
    QString titulo;           // texto (o el prefijo del número de página)
    int izquierda = 0;
    int arriba = 0;
    QString fuente = QStringLiteral("Courier New");
    int pixeles = 11;
    bool negrita = false;
    bool cursiva = false;
    bool visible = true;
    int paso = 0;             // >0: cada carácter a este paso fijo
    enum alineacion { izquierda_, derecha, centro };
    alineacion alinea = izquierda_;
};

struct banda_informe {
    int alto = 0;
    bool raya_arriba = false;
    bool raya_abajo = false;
    int grosor_raya = 2;
    std::vector<etiqueta_informe> etiquetas;
};

// Una página ya compuesta: textos y rayas en coordenadas de la hoja.
struct pagina_informe {
    double ancho = 794, alto = 1123;   // la hoja, en píxeles de 96 por pulgada
    struct texto {
        QFont fuente;
        double x, y;   // esquina superior izquierda
        QString cadena;
        int paso;
    };
    struct raya {
        double x1, y1, x2, y2;
        int grosor;
    };
    std::vector<texto> textos;
    std::vector<raya> rayas;
};

// Etiquetas en Arial de 'pixeles', en negrita y cursiva si se pide: un
// texto en (izquierda, arriba); el número de página a la derecha, con
// 'texto' delante; la fecha y la hora, centradas.
etiqueta_informe rotulo_arial(const QString& titulo, int pixeles, bool negrita_cursiva, int izquierda, int arriba);
etiqueta_informe numero_pagina_arial(const QString& texto, int pixeles, bool negrita_cursiva, int arriba);
etiqueta_informe fecha_hora_arial(int pixeles, int arriba);
// Cabecera de página con el título (Arial de 16 píxeles, negrita y cursiva)
// en 'izquierda', arriba 16, y el número de página con su texto delante a la
// derecha (Arial de 11 píxeles); raya de 2 abajo.
banda_informe banda_titulo(int alto, const QString& titulo, int izquierda, const QString& texto_pagina);
// Pie de página con la fecha y la hora (Arial de 11 píxeles) centradas en
// 'arriba'; raya de 2 arriba.
banda_informe pie_con_fecha(int alto, int arriba);
// Lee de un fichero de texto una línea, o un trozo de como mucho
// capacidad - 1 caracteres de una más larga, sin su salto de línea (un trozo
// no pierde su último carácter). Falso al final o en un error.
bool lee_linea(std::FILE* f, std::string& linea, int capacidad);
// ¿No queda nada por leer? (El indicador de fin de fichero sólo se pone
// tras una lectura fallida; esto mira el siguiente carácter.)
bool fin_de_fichero(std::FILE* f);

// Tamaño de la hoja en píxeles de 96 por pulgada: la del papel de una
// impresora, o la del papel por omisión de la impresora por omisión.
QSizeF hoja_de(const QPrinter& impresora);
QSizeF hoja_por_omision();

class formulario_informe {
public:
    static constexpr int MARGEN_20MM = 76;
    static constexpr int MARGEN_10MM = 38;
    static constexpr int MARGEN = MARGEN_10MM;   // arriba, abajo y a la derecha

    formulario_informe() = default;
    ~formulario_informe();
    formulario_informe(const formulario_informe&) = delete;
    formulario_informe& operator=(const formulario_informe&) = delete;

    int margen_izquierdo = MARGEN_20MM;

    std::vector<banda_informe> cabeceras;   // de página, en orden
    banda_informe pie;                      // de página
    banda_informe detalle;

    std::function<void()> antes_de_imprimir;
    // Pregunta si sigue otra línea de detalle; si sigue, la deja compuesta
    // en la banda de detalle.
    std::function<bool()> necesita_datos;
    std::function<void()> despues_de_imprimir;

    // Desde necesita_datos: la línea que viene empieza página nueva.
    void nueva_pagina() { salto_pedido_ = true; }

    // Para qué corre el informe: una impresión (o un PDF) o una vista previa,
    // que no debe dejar rastro en los ficheros del programa.
    enum class destino { impresora, vista_previa };
    // Una ejecución entera del informe, sobre la hoja dada.
    std::vector<pagina_informe> ejecuta(destino para = destino::impresora, QSizeF hoja = hoja_por_omision());
    // ¿Es la ejecución en curso (o la última) una vista previa?
    bool en_vista_previa() const { return destino_ == destino::vista_previa; }
    // Dibuja una página en un pintor cuya escala ya lleva a píxeles de la hoja.
    static void dibuja(QPainter& p, const pagina_informe& pagina);

    // Diálogo de impresión y, si el usuario acepta, el informe sobre el papel
    // elegido y su impresión.
    void imprime(QWidget* padre);
    // Diálogo de impresión y, si el usuario acepta, la impresión de unas
    // páginas ya compuestas, sin correr el informe otra vez.
    void imprime_paginas(QWidget* padre, const std::vector<pagina_informe>& paginas);
    // Ventana de vista previa, sin modo: se rehace con cada llamada, y su
    // botón de imprimir imprime las páginas que muestra.
    void vista_previa(QWidget* padre);
    QWidget* ventana_vista_previa() const;
    // Escribe el informe en un PDF del papel por omisión; falso si no se pudo.
    bool a_pdf(const QString& ruta);
    // Páginas de la última ejecución (para las pruebas).
    const std::vector<pagina_informe>& ultimas_paginas() const { return ultimas_; }

private:
    void compone_banda(pagina_informe& pagina, const banda_informe& banda, double y, int numero_pagina) const;
    bool salto_pedido_ = false;
    destino destino_ = destino::impresora;
    QSizeF hoja_;
    std::vector<pagina_informe> ultimas_;
    QPointer<QWidget> vista_;
};
