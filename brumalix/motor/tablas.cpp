#include "brumalix/motor/tablas.h"

#include "comun/binario.h"
#include "comun/formato.h"
#include "comun/mensajes.h"

#include <cstdio>

std::vector<float> datos_f1;
int num_filas_f1 = 0;
std::vector<float> datos_f2;
float tolerancia_saturacion = 0.0002f;

// Presiones de la rejilla, bar. Se escriben literalmente (no sumando pasos)
// para que cada una sea el valor redondo exacto; la tabla de f64 y la de
// f32 salen de la misma lista, cada una con sus literales (el literal f32
// de cada presión es el mismo número que el f64 pasado a f32).
#define PRESIONES_REJILLA(P) \
    P(0.0), P(0.02), P(0.04), P(0.06), P(0.08), P(0.1), P(0.12), P(0.14), P(0.16), P(0.18), \
    P(0.2), P(0.22), P(0.24), P(0.26), P(0.28), P(0.3), P(0.32), P(0.34), P(0.36), P(0.38), \
    P(0.4), P(0.42), P(0.44), P(0.46), P(0.48), P(0.5), P(0.55), P(0.6), P(0.65), P(0.7), \
    P(0.75), P(0.8), P(0.85), P(0.9), P(0.95), P(1.0), P(1.1), P(1.2), P(1.3), P(1.4), \
    P(1.5), P(1.6), P(1.7), P(1.8), P(1.9), P(2.0), P(2.1), P(2.2), P(2.3), P(2.4), \
    P(2.5), P(2.6), P(2.7), P(2.8), P(2.9), P(3.0), P(3.1), P(3.2), P(3.3), P(3.4), \
    P(3.5), P(3.6), P(3.7), P(3.8), P(3.9), P(4.0), P(4.2), P(4.4), P(4.6), P(4.8), \
    P(5.0), P(5.2), P(5.4), P(5.6), P(5.8), P(6.0), P(6.2), P(6.4), P(6.6), P(6.8), \
    P(7.0), P(7.2), P(7.4), P(7.6), P(7.8), P(8.0), P(8.2), P(8.4), P(8.6), P(8.8), \
    P(9.0), P(9.2), P(9.4), P(9.6), P(9.8), P(10.0), P(10.5), P(11.0), P(11.5), P(12.0), \
    P(12.5), P(13.0), P(13.5), P(14.0), P(14.5), P(15.0), P(15.5), P(16.0), P(16.5), P(17.0), \
    P(17.5), P(18.0), P(18.5), P(19.0), P(19.5), P(20.0), P(21.0), P(22.0), P(23.0), P(24.0), \
    P(25.0), P(26.0), P(27.0), P(28.0), P(29.0), P(30.0), P(31.0), P(32.0), P(33.0), P(34.0), \
    P(35.0), P(36.0), P(37.0), P(38.0), P(39.0), P(40.0), P(41.0), P(42.0), P(43.0), P(44.0), \
    P(45.0), P(46.0), P(47.0), P(48.0), P(49.0), P(50.0), P(52.0), P(54.0), P(56.0), P(58.0), \
    P(60.0), P(62.0), P(64.0), P(66.0), P(68.0), P(70.0), P(72.0), P(74.0), P(76.0), P(78.0), \
    P(80.0), P(82.0), P(84.0), P(86.0), P(88.0), P(90.0), P(92.0), P(94.0), P(96.0), P(98.0), \
    P(100.0), P(105.0), P(110.0), P(115.0), P(120.0), P(125.0), P(130.0), P(135.0), P(140.0), P(145.0), \
    P(150.0), P(155.0), P(160.0), P(165.0), P(170.0), P(175.0), P(180.0), P(185.0), P(190.0), P(195.0), \
    P(200.0), P(210.0), P(220.0), P(230.0), P(240.0)
#define EN_F64(x) x
#define EN_F32(x) x##f

const double eje_presiones_listado[NUM_PRESIONES] = {PRESIONES_REJILLA(EN_F64)};
const float eje_presiones[NUM_PRESIONES] = {PRESIONES_REJILLA(EN_F32)};

#undef EN_F32
#undef EN_F64
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
