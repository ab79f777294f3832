// Formulario de informe con bandas: cabeceras y pie de página, banda de
// detalle que el programa rellena línea a línea ("necesita datos"), campos
// de número de página y de fecha, salto de página pedido desde el bucle,
// vista previa, impresión y PDF.
//
// Las posiciones van en píxeles de pantalla (96 por pulgada) sobre una hoja
// A4 vertical con 20 mm de margen izquierdo; al imprimir se escalan a la
// resolución de la impresora.
#pragma once

#include <QFont>
#include <QString>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

class QPainter;
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

// Cabecera de página con el título (Arial de 16 píxeles, negrita y cursiva)
// en 'izquierda', arriba 16, y el número de página con su texto delante a la
// derecha; raya de 2 abajo.
banda_informe banda_titulo(int alto, const QString& titulo, int izquierda, const QString& texto_pagina);
// Pie de página con la fecha y la hora centradas en 'arriba'; raya de 2 arriba.
banda_informe pie_con_fecha(int alto, int arriba);
// Lee de un fichero de texto una línea, o un trozo de como mucho
// capacidad - 1 caracteres de una más larga, sin su salto de línea (un trozo
// no pierde su último carácter). Falso al final o en un error.
bool lee_linea(std::FILE* f, std::string& linea, int capacidad);
// ¿No queda nada por leer? (El indicador de fin de fichero sólo se pone
// tras una lectura fallida; esto mira el siguiente carácter.)
bool fin_de_fichero(std::FILE* f);

class formulario_informe {
public:
    static constexpr int ANCHO_HOJA = 794;    // A4 a 96 píxeles por pulgada
    static constexpr int ALTO_HOJA = 1123;
    static constexpr int MARGEN_IZQUIERDO = 76;  // 20 mm
    static constexpr int MARGEN = 38;            // 10 mm arriba, abajo y a la derecha

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

    // Una ejecución entera del informe.
    std::vector<pagina_informe> ejecuta();
    // Dibuja una página en un pintor cuya escala ya lleva a píxeles de la hoja.
    static void dibuja(QPainter& p, const pagina_informe& pagina);

    // Diálogo de impresión e impresión.
    void imprime(QWidget* padre);
    // Ventana de vista previa (con su botón de imprimir).
    void vista_previa(QWidget* padre);
    // Escribe el informe en un PDF; falso si no se pudo.
    bool a_pdf(const QString& ruta);
    // Páginas de la última ejecución (para las pruebas).
    const std::vector<pagina_informe>& ultimas_paginas() const { return ultimas_; }

private:
    void compone_banda(pagina_informe& pagina, const banda_informe& banda, double y, int numero_pagina) const;
    bool salto_pedido_ = false;
    std::vector<pagina_informe> ultimas_;
};
