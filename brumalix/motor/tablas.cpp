#include "tablas.h"
#include "problema_agua.h"

#include "comun/binario.h"
#include "comun/formato.h"
#include "comun/mensajes.h"

#include <cstdio>

std::vector<float> datos_f1;
int num_filas_f1 = 0;
std::vector<float> datos_f2;
float tolerancia_saturacion = 0.0002f;

// Presiones de la rejilla, bar. Se escriben literalmente (no sumando pasos)
// para que cada una sea el valor redondo exacto; la tabla de f32 y la de
// f64 salen de la misma lista.
#define PRESIONES_REJILLA \
    0.0, 0.02, 0.04, 0.06, 0.08, 0.1, 0.12, 0.14, 0.16, 0.18, \
    0.2, 0.22, 0.24, 0.26, 0.28, 0.3, 0.32, 0.34, 0.36, 0.38, \
    0.4, 0.42, 0.44, 0.46, 0.48, 0.5, 0.55, 0.6, 0.65, 0.7, \
    0.75, 0.8, 0.85, 0.9, 0.95, 1.0, 1.1, 1.2, 1.3, 1.4, \
    1.5, 1.6, 1.7, 1.8, 1.9, 2.0, 2.1, 2.2, 2.3, 2.4, \
    2.5, 2.6, 2.7, 2.8, 2.9, 3.0, 3.1, 3.2, 3.3, 3.4, \
    3.5, 3.6, 3.7, 3.8, 3.9, 4.0, 4.2, 4.4, 4.6, 4.8, \
    5.0, 5.2, 5.4, 5.6, 5.8, 6.0, 6.2, 6.4, 6.6, 6.8, \
    7.0, 7.2, 7.4, 7.6, 7.8, 8.0, 8.2, 8.4, 8.6, 8.8, \
    9.0, 9.2, 9.4, 9.6, 9.8, 10.0, 10.5, 11.0, 11.5, 12.0, \
    12.5, 13.0, 13.5, 14.0, 14.5, 15.0, 15.5, 16.0, 16.5, 17.0, \
    17.5, 18.0, 18.5, 19.0, 19.5, 20.0, 21.0, 22.0, 23.0, 24.0, \
    25.0, 26.0, 27.0, 28.0, 29.0, 30.0, 31.0, 32.0, 33.0, 34.0, \
    35.0, 36.0, 37.0, 38.0, 39.0, 40.0, 41.0, 42.0, 43.0, 44.0, \
    45.0, 46.0, 47.0, 48.0, 49.0, 50.0, 52.0, 54.0, 56.0, 58.0, \
    60.0, 62.0, 64.0, 66.0, 68.0, 70.0, 72.0, 74.0, 76.0, 78.0, \
    80.0, 82.0, 84.0, 86.0, 88.0, 90.0, 92.0, 94.0, 96.0, 98.0, \
    100.0, 105.0, 110.0, 115.0, 120.0, 125.0, 130.0, 135.0, 140.0, 145.0, \
    150.0, 155.0, 160.0, 165.0, 170.0, 175.0, 180.0, 185.0, 190.0, 195.0, \
    200.0, 210.0, 220.0, 230.0, 240.0

const double eje_presiones_listado[NUM_PRESIONES] = {PRESIONES_REJILLA};
const float eje_presiones[NUM_PRESIONES] = {PRESIONES_REJILLA};

#undef PRESIONES_REJILLA

const float eje_temperaturas[NUM_TEMPERATURAS] = {
    0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160, 170, 180, 190,
    200, 210, 220, 230, 240, 250, 260, 270, 280, 290, 300, 310, 320, 330, 340, 350, 360, 370, 380, 390,
    400, 410, 420, 430, 440, 450, 460, 470, 480, 490, 500, 510, 520, 530, 540, 550, 560, 570, 580, 590,
    600, 610, 620, 630, 640, 650, 660, 670, 680, 690, 700, 710, 720, 730, 740, 750, 760, 770, 780, 790,
    800,
};

// Menor temperatura de la rejilla a la que cada columna de presión es vapor:
// la de saturación redondeada a la decena superior (380 por encima de 220 bar).
const float t_limite_vapor[NUM_PRESIONES] = {
    0, 20, 30, 40, 50, 50, 50, 60, 60, 60, 70, 70, 70, 70, 70,
    70, 80, 80, 80, 80, 80, 80, 80, 80, 90, 90, 90, 90, 90, 90,
    100, 100, 100, 100, 100, 100, 110, 110, 110, 110, 120, 120, 120, 120, 120,
    130, 130, 130, 130, 130, 130, 130, 130, 140, 140, 140, 140, 140, 140, 140,
    140, 140, 150, 150, 150, 150, 150, 150, 150, 160, 160, 160, 160, 160, 160,
    160, 170, 170, 170, 170, 170, 170, 170, 170, 170, 180, 180, 180, 180, 180,
    180, 180, 180, 180, 180, 180, 190, 190, 190, 190, 190, 200, 200, 200, 200,
    200, 200, 210, 210, 210, 210, 210, 210, 210, 220, 220, 220, 220, 220, 230,
    230, 230, 230, 240, 240, 240, 240, 240, 240, 250, 250, 250, 250, 250, 250,
    260, 260, 260, 260, 260, 260, 260, 270, 270, 270, 270, 270, 270, 280, 280,
    280, 280, 280, 290, 290, 290, 290, 290, 300, 300, 300, 300, 300, 310, 310,
    310, 310, 310, 310, 310, 320, 320, 320, 330, 330, 330, 340, 340, 340, 340,
    350, 350, 350, 350, 360, 360, 360, 360, 370, 370, 370, 370, 380, 380, 380,
};

namespace {

// Lee el fichero y lo pasa a flotantes; comprueba que el tamaño sirve a la
// tabla (el que no sirve se rechaza aquí, antes de que una búsqueda lea
// fuera de los datos).
int carga_tabla(const std::string& ruta, bool (*tamano_valido)(std::size_t), std::vector<float>& destino)
{
    std::FILE* f = std::fopen(ruta.c_str(), "rb");
    if (!f) {
        muestra_error("ERROR al abrir el fichero %s", ruta.c_str());
        return 0;
    }
    std::vector<unsigned char> bytes;
    bool leido = true;
    unsigned char trozo[65536];
    std::size_t n;
    while ((n = std::fread(trozo, 1, sizeof trozo, f)) > 0) bytes.insert(bytes.end(), trozo, trozo + n);
    if (std::ferror(f)) leido = false;
    std::fclose(f);
    if (!leido || !tamano_valido(bytes.size())) {
        muestra_error("ERROR al leer el fichero %s", ruta.c_str());
        return 0;
    }
    std::vector<float> valores(bytes.size() / 4);
    for (std::size_t i = 0; i < valores.size(); ++i) valores[i] = binario::f32_de(bytes.data() + 4 * i);
    destino.swap(valores);
    return 1;
}

bool tamano_f1(std::size_t n) { return n % BYTES_FILA_F1 == 0 && n / BYTES_FILA_F1 >= 3; }
bool tamano_f2(std::size_t n) { return n == BYTES_F2; }

} // namespace

int carga_tabla_f1(const std::string& ruta)
{
    if (!carga_tabla(ruta, tamano_f1, datos_f1)) return 0;
    num_filas_f1 = static_cast<int>(datos_f1.size() / COLUMNAS_F1);
    return 1;
}

int carga_tabla_f2(const std::string& ruta) { return carga_tabla(ruta, tamano_f2, datos_f2); }

int inicializa_datos(const std::string& directorio_programa)
{
    tolerancia_saturacion = 0.0002f;
    num_incognitas = 0;
    num_equipos = 0;
    std::string ruta1 = formatea("%s/%s", directorio_programa.c_str(), "f1-bin.dat");
    std::string ruta2 = formatea("%s/%s", directorio_programa.c_str(), "f2-bin.dat");
    if (!carga_tabla_f1(ruta1)) return 0;
    if (!carga_tabla_f2(ruta2)) return 0;
    reinicia_problema_agua();
    return 1;
}
