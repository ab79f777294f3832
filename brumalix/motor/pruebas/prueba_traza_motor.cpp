// El motor de vapor da lo mismo, bit a bit, con la traza y sin ella, y su
// traza en los casos raros de la rejilla (baja presión, puntos descartados
// junto a la saturación, zona crítica, presiones supercríticas, resultados
// inverosímiles) es línea a línea la guardada en traza_motor_esperada.txt.
//
// Para volver a escribir el fichero esperado con el motor tal como está
// (tras un cambio que altera a propósito la traza o los valores), desde el
// directorio de compilación:
//     BRUMALIX_REGENERA_TRAZA_MOTOR=1 ./brumalix/motor/pruebas_brumalix_calculo --gtest_filter='TrazaMotor.*'
// La prueba escribe entonces el fichero en el directorio de las fuentes en
// lugar de compararlo; hay que revisar la diferencia y guardarla con git.
#include "brumalix/motor/pruebas/entorno_agua.h"

#include "brumalix/motor/calcula.h"
#include "brumalix/motor/rejilla_agua.h"
#include "brumalix/motor/saturacion.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

const std::filesystem::path fichero_esperado = std::filesystem::path(DIR_PRUEBAS) / "traza_motor_esperada.txt";

struct pareja {
    int codigo;
    float a, b;
};

// Lo que deja una llamada a calcula: su resultado, sus siete salidas y los
// registros del motor.
struct huella {
    std::int32_t r = 0, fase = 0;
    float salidas[6] = {};
    registro_resultado registro;
    registro_saturacion saturacion;
    std::int32_t fase_motor = 0;

    bool operator==(const huella& o) const
    {
        // Bit a bit: también los NaN y el signo de los ceros.
        return r == o.r && fase == o.fase && std::memcmp(salidas, o.salidas, sizeof salidas) == 0 &&
               std::memcmp(&registro, &o.registro, sizeof registro) == 0 &&
               std::memcmp(&saturacion, &o.saturacion, sizeof saturacion) == 0 && fase_motor == o.fase_motor;
    }
};

huella llama(const pareja& q)
{
    huella h;
    float* o = h.salidas;
    for (int k = 0; k < 6; ++k) o[k] = -7;
    h.fase = -7;
    h.r = calcula(1, q.a, q.b, q.codigo, o[0], o[1], o[2], o[3], o[4], o[5], h.fase);
    h.registro = estado_resultado;
    h.saturacion = datos_saturacion;
    h.fase_motor = fase_actual;
    return h;
}

std::string describe(const pareja& q, const huella& h)
{
    const float* o = h.salidas;
    return formatea("# cod %d %.9g %.9g -> %d %.9g %.9g %.9g %.9g %.9g %.9g %d", q.codigo, q.a, q.b, h.r, o[0], o[1],
                    o[2], o[3], o[4], o[5], h.fase);
}

// Registros del motor como al arrancar, para que cada recorrido parta de lo
// mismo (los registros que una pareja no escribe guardan los de la llamada
// anterior).
void registros_a_cero()
{
    estado_resultado = {};
    datos_saturacion = {};
    fase_actual = FASE_VAPOR;
}

class TrazaMotor : public EntornoAgua {};

bool empieza(const std::string& l, const char* prefijo) { return l.rfind(prefijo, 0) == 0; }

// La traza v de una isobara o una isoterma: tras ">INTERP:" viene la primera
// fila; 'filas' grupos que empiezan en ">POSI:", cada uno con su línea de
// puntos (que empieza por 'linea_puntos', con las abscisas tras
// 'abscisas') si se interpoló con tres, y como mucho una línea ">Debe ser"
// con el signo de su caso.
void comprueba_filas_de_la_linea(const std::vector<std::string>& v, const char* linea_puntos, const char* abscisas,
                                 std::size_t filas)
{
    std::size_t i = 0;
    while (i < v.size() && !empieza(v[i], ">INTERP:")) ++i;
    ASSERT_LT(i + 1, v.size());
    EXPECT_TRUE(empieza(v[i + 1], ">POSI:")) << v[i + 1];
    std::vector<std::vector<std::string>> grupos;
    for (++i; i < v.size(); ++i) {
        if (empieza(v[i], ">POSI:")) grupos.emplace_back();
        if (!grupos.empty()) grupos.back().push_back(v[i]);
    }
    ASSERT_EQ(grupos.size(), filas);
    for (const auto& g : grupos) {
        SCOPED_TRACE(g[0]);
        int marca[3];
        ASSERT_EQ(std::sscanf(g[0].c_str() + g[0].find('<'), "<%d,%d,%d>", &marca[0], &marca[1], &marca[2]), 3);
        int puntos = 0, debe = 0;
        bool otra = false;
        std::string sat, linea;
        for (const std::string& l : g) {
            if (empieza(l, linea_puntos)) ++puntos, linea = l;
            if (empieza(l, ">  INTERPOLACION CON SOLO DOS VALORES") || empieza(l, ">  SOLO EL PUNTO")) otra = true;
            if (empieza(l, "lee_datos_f1")) sat = l.substr(l.find("pt=") + 3, l.size() - l.find("pt=") - 4);
            if (empieza(l, ">Debe ser")) {
                ++debe;
                EXPECT_NE(l.find(marca[1] == -1 ? " > " : " < "), std::string::npos) << l;
            }
        }
        EXPECT_EQ(puntos, otra ? 0 : 1);
        EXPECT_LE(debe, 1);
        if (debe == 1 && puntos == 1) {
            // Entre las abscisas de la línea de puntos, la de saturación.
            const std::size_t a = linea.find(abscisas) + std::strlen(abscisas), b = linea.find("(dat:");
            EXPECT_NE((" " + linea.substr(a, b - a)).find(" " + sat + " "), std::string::npos) << linea;
        }
    }
}

// La isobara de una presión (bar) o la isoterma de una temperatura (°C).
struct linea_de_la_rejilla {
    bool isoterma;
    float valor;
};

void PrintTo(const linea_de_la_rejilla& l, std::ostream* o) { *o << (l.isoterma ? "t=" : "p=") << l.valor; }

// Las isobaras y luego las isotermas cuya traza se comprueba.
std::vector<linea_de_la_rejilla> lineas_de_la_rejilla()
{
    std::vector<linea_de_la_rejilla> v;
    for (float p : {0.0074f, 0.03f, 0.2f, 1.0f, 10.0f, 97.0f, 150.0f, 200.0f, 215.0f, 220.0f, 235.0f})
        v.push_back({false, p});
    for (float t : {1.0f, 30.0f, 72.0f, 150.0f, 250.0f, 350.0f, 372.0f, 373.69f, 400.0f}) v.push_back({true, t});
    return v;
}

class TrazaDeUnaLinea : public TrazaMotor, public ::testing::WithParamInterface<linea_de_la_rejilla> {};

// Lo que da lee_datos_f1 con la fila hallada recorriendo la tabla.
bool por_recorrido(int tipo, float valor, float salida[7])
{
    const int columna = tipo == POR_PRESION ? F1_P : F1_T, otra = tipo == POR_PRESION ? F1_T : F1_P;
    const int filas = num_filas_f1;
    int i = 0;
    while (i < filas && valor_f1(i, columna) < valor) ++i;
    if (i >= filas) return false;
    const float anterior = i > 0 ? valor_f1(i - 1, columna) : 0.0f, actual = valor_f1(i, columna);
    int c = i;
    if (i >= 2 && actual - valor > valor - anterior) c = i - 1;
    if (tipo == POR_PRESION) {
        if (std::fabs(actual - 221.2) < 0.0001) --c;
        if (std::fabs(actual - 220.0) < 0.0001) --c;
    }
    c = std::clamp(c, 1, filas - 2);
    const int cols[7] = {otra, F1_HL, F1_HV, F1_SL, F1_SV, F1_VL, F1_VV};
    for (int k = 0; k < 7; ++k)
        salida[k] = interpola_cuadratica(valor_f1(c - 1, columna), valor_f1(c, columna), valor_f1(c + 1, columna),
                                         valor_f1(c - 1, cols[k]), valor_f1(c, cols[k]), valor_f1(c + 1, cols[k]),
                                         valor);
    return true;
}

// La búsqueda por presión (POR_PRESION) o por temperatura.
class BiseccionDeLaTablaDeSaturacion : public TrazaMotor, public ::testing::WithParamInterface<int> {};

} // namespace

// Cada caso con su traza entera y sus resultados, frente a lo guardado; y
// sin traza, los mismos resultados.
TEST_F(TrazaMotor, CasosRarosDeLaRejillaComoLosEsperados)
{
    const pareja casos[] = {
        {COD_TP, 1.5f, 0.0074f},    // líquido con dos puntos y el tercero de la fila siguiente
        {COD_TP, 9, 0.0074f},       // vapor: filas con sólo el punto de saturación y con recta
        {COD_TP, 40, 0.0474f},      // columnas vapor, vapor, líquido
        {COD_TP, 60, 0.2f},         // columna descartada junto a la saturación
        {COD_TP, 356.5f, 205},      // junto al punto crítico: rechazado
        {COD_TP, 800, 10},          // último punto de la isobara: sin valor
        {COD_TP, 100, 1.01418f},    // sobre la curva de saturación
        {COD_PH, 0.02f, 100},       // líquido a la presión más baja de la rejilla
        {COD_PS, 220, 5.5f},        // junto a la presión crítica
        {COD_PV, 150, 15},          // vapor a alta presión
        {COD_TS, 373.69f, 4.4f},    // isoterma supercrítica: inverosímil
        {COD_TS, 30, 8.6f},         // isoterma fría
        {COD_TS, 376, 5.0f},        // columnas de 230 y 240 bar con la saturación de 221,2 bar
        {COD_TS, 400, 5.35f},       // isobara por encima de la tabla de saturación
        {COD_TV, 450, 10.0f},
        {COD_TV, 23, 59078.38f},    // búsqueda con recta en la isoterma
        {COD_TS, 600, 6.0f},        // sin estado en la isoterma
        {COD_PX, 221.2f, 0.5f},     // fila del punto crítico de la tabla
        {COD_TP, 20, 250},          // presión fuera de la rejilla
    };
    std::string texto;
    std::vector<huella> con_traza;
    registros_a_cero();
    for (const pareja& q : casos) {
        traza.borra();
        con_traza.push_back(llama(q));
        texto += describe(q, con_traza.back()) + "\n";
        for (const std::string& l : traza.todas()) texto += l + "\n";
    }
    // Sin traza, desde los mismos registros: lo mismo, bit a bit.
    pon_lista_traza(&traza_descartada());
    registros_a_cero();
    for (std::size_t k = 0; k < std::size(casos); ++k)
        EXPECT_TRUE(llama(casos[k]) == con_traza[k]) << describe(casos[k], con_traza[k]);
    pon_lista_traza(&traza);

    if (std::getenv("BRUMALIX_REGENERA_TRAZA_MOTOR")) {
        std::ofstream(fichero_esperado, std::ios::binary) << texto;
        GTEST_SKIP() << "escrito " << fichero_esperado;
    }
    std::ifstream f(fichero_esperado, std::ios::binary);
    ASSERT_TRUE(f) << "falta " << fichero_esperado;
    std::vector<std::string> esperadas, lineas;
    for (std::string l; std::getline(f, l);) esperadas.push_back(l);
    for (std::size_t a = 0, b; a < texto.size(); a = b + 1) {
        b = texto.find('\n', a);
        lineas.push_back(texto.substr(a, b - a));
    }
    for (std::size_t i = 0; i < std::min(lineas.size(), esperadas.size()); ++i)
        ASSERT_EQ(lineas[i], esperadas[i]) << "línea " << i + 1;
    EXPECT_EQ(lineas.size(), esperadas.size());
}

// La traza de una isobara (calc_P) o una isoterma (calc_T): tras ">INTERP:"
// viene la primera fila, sin leer la saturación de la línea; cada fila
// interpolada con tres puntos tiene su línea ">hp:" (">vp:") con los puntos
// usados, el de saturación incluido si lo hubo, y las de dos puntos o sólo
// el de saturación no la tienen; ">Debe ser" lleva el signo del caso: ">"
// con la marca de en medio -1, "<" con la de en medio 1.
TEST_P(TrazaDeUnaLinea, CadaFilaConSusPuntosYElSignoDeSuCaso)
{
    const linea_de_la_rejilla l = GetParam();
    float h[NUM_PRESIONES], s[NUM_PRESIONES], v[NUM_PRESIONES];
    if (l.isoterma) {
        calc_T(l.valor, h, s, v);
        comprueba_filas_de_la_linea(traza.todas(), ">vp:", "temp:", NUM_PRESIONES);
    } else {
        calc_P(l.valor, h, s, v);
        comprueba_filas_de_la_linea(traza.todas(), ">hp:", "pres:", NUM_TEMPERATURAS);
    }
}

INSTANTIATE_TEST_SUITE_P(Lineas, TrazaDeUnaLinea, ::testing::ValuesIn(lineas_de_la_rejilla()),
                         [](const ::testing::TestParamInfo<linea_de_la_rejilla>& i) {
                             return (i.param.isoterma ? "IsotermaT" : "IsobaraP") + nombre_de_numero(i.param.valor);
                         });

// Sin traza el motor calcula sólo lo que usan sus búsquedas; con ella, las
// líneas enteras. Para cada pareja, en una malla que pasa por la
// saturación, las presiones bajas, la zona crítica y lo supercrítico, los
// resultados y los registros son los mismos bit a bit.
TEST_F(TrazaMotor, SinTrazaLosMismosResultadosBitABit)
{
    std::vector<pareja> malla;
    const float presiones[] = {0.0065f, 0.0074f, 0.015f, 0.0474f, 0.2f, 1, 5.5f, 30, 97, 180, 205, 215, 221.2f, 235};
    for (float p : presiones) {
        for (float t = 0.5f; t < 805; t += 23.5f) malla.push_back({COD_TP, t, p});
        float tsat;
        if (calc_tsat(p, tsat) == 0)
            for (float d : {-12.0f, -3.0f, -0.3f, 0.3f, 3.0f, 12.0f}) malla.push_back({COD_TP, tsat + d, p});
        for (float h = 50; h < 4200; h += 190) malla.push_back({COD_PH, p, h});
        for (float s = 0.2f; s < 10.5f; s += 0.45f) malla.push_back({COD_PS, p, s});
        for (float v = 1; v < 3e5f; v *= 2.7f) malla.push_back({COD_PV, p, v});
        malla.push_back({COD_PX, p, 0.4f});
    }
    for (float t : {1.0f, 15.0f, 99.0f, 250.0f, 370.0f, 373.69f, 450.0f, 790.0f}) {
        for (float s = 3; s < 11; s += 0.35f) malla.push_back({COD_TS, t, s});
        for (float v = 1.5f; v < 3e5f; v *= 3.1f) malla.push_back({COD_TV, t, v});
    }
    pon_lista_traza(&traza_descartada());
    for (const pareja& q : malla) {
        registros_a_cero();
        const huella sin = llama(q);
        registros_a_cero();
        pon_lista_traza(&traza);
        traza.borra();
        const huella con = llama(q);
        pon_lista_traza(&traza_descartada());
        EXPECT_TRUE(sin == con) << describe(q, con) << "\nsin traza:\n" << describe(q, sin);
    }
    pon_lista_traza(&traza);
}

// La tabla de saturación se busca por bisección: la fila es la primera que
// no queda por debajo del valor, la misma que da recorrerla desde el
// principio, en toda la tabla real (filas exactas, puntos medios y valores
// repartidos), por presión y por temperatura.
TEST_P(BiseccionDeLaTablaDeSaturacion, DaLaFilaDelRecorrido)
{
    const int tipo = GetParam();
    const int columna = tipo == POR_PRESION ? F1_P : F1_T;
    std::vector<float> valores;
    for (int r = 0; r < num_filas_f1; ++r) {
        valores.push_back(valor_f1(r, columna));
        if (r + 1 < num_filas_f1) {
            valores.push_back(0.5f * (valor_f1(r, columna) + valor_f1(r + 1, columna)));
            valores.push_back(std::nextafter(valor_f1(r + 1, columna), 0.0f));
        }
    }
    for (int k = 0; k <= 3000; ++k)
        valores.push_back(tipo == POR_PRESION ? 0.006f * std::pow(221.3f / 0.006f, float(k) / 3000.0f) : 374.0f * float(k) / 3000);
    for (float valor : valores) {
        float esperado[7], leido[7];
        const bool dentro = valor >= (tipo == POR_PRESION ? 0.00611 : 0.01) &&
                            valor <= (tipo == POR_PRESION ? 221.2 : 373.68) && por_recorrido(tipo, valor, esperado);
        const int r = lee_datos_f1(tipo, valor, leido[0], leido[1], leido[2], leido[3], leido[4], leido[5], leido[6]);
        ASSERT_EQ(r, dentro ? 0 : 99) << valor;
        if (dentro) {
            ASSERT_EQ(std::memcmp(leido, esperado, sizeof leido), 0) << valor;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Busquedas, BiseccionDeLaTablaDeSaturacion, ::testing::Values(POR_PRESION, POR_TEMPERATURA),
                         [](const ::testing::TestParamInfo<int>& i) {
                             return std::string(i.param == POR_PRESION ? "PorPresion" : "PorTemperatura");
                         });
