// Banco de tiempos de BRUMALIX: microsegundos por llamada a calcula para
// cada pareja de datos, con la traza en la lista de la ventana de traza y
// con la traza apagada, y el tiempo de un "Calcular todo" de 150 estados y
// 25 equipos con la ventana de traza como destino de la traza.
//
// Se ejecuta a mano, desde el directorio de compilación (mejor en Release):
//     ./bin/brumalix/banco_brumalix [repeticiones]
// Cada cifra es la mediana de las repeticiones (31 por omisión), tras una
// vuelta sin medir: lo que se mide es el régimen de trabajo, con la
// memoria de la traza ya pedida, no la primera vez.
#include "brumalix/ventanas/Unit1.h"
#include "brumalix/ventanas/Unit15.h"
#include "brumalix/ventanas/ventanas.h"

#include "brumalix/motor/calcula.h"
#include "brumalix/motor/problema_agua.h"
#include "brumalix/motor/traza.h"
#include "comun/lineas.h"
#include "comun/mensajes.h"
#include "plataforma/aplicacion.h"

#include <QApplication>
#include <QtGlobal>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using reloj = std::chrono::steady_clock;

// La plataforma offscreen avisa en cada ventana que se levanta de que no
// sabe hacerlo; el banco calla ese aviso y deja pasar los demás.
QtMessageHandler manejador_qt = nullptr;

void filtra_mensajes_qt(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto)
{
    if (texto.contains(QStringLiteral("does not support raise()"))) return;
    if (manejador_qt) manejador_qt(tipo, contexto, texto);
}

double segundos_desde(reloj::time_point inicio)
{
    return std::chrono::duration<double>(reloj::now() - inicio).count();
}

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : 0.5 * (v[n / 2 - 1] + v[n / 2]);
}

// Los mensajes se cuentan en lugar de mostrarse: el banco no espera a nadie.
class mensajes_contados : public sumidero_mensajes {
public:
    void error(const std::string& texto) override { ultimo = texto, ++cuantos; }
    void aviso(const std::string& texto) override { ultimo = texto, ++cuantos; }
    respuesta pregunta(const std::string&, const std::string&, bool) override { return respuesta::no; }
    int cuantos = 0;
    std::string ultimo;
};

void enciende_traza() { pon_lista_traza(&Form15->lista()); }
// La traza apagada: el motor sabe que nadie la guarda.
void apaga_traza() { pon_lista_traza(&traza_descartada()); }

struct punto {
    const char* nombre;
    std::int32_t codigo;
    float dato1, dato2;
};

// Un punto de cada pareja, dentro de la rejilla y lejos de sus bordes.
const punto puntos[] = {
    {"(t,p) vapor sobrecalentado", COD_TP, 450.0f, 30.0f},
    {"(t,p) liquido subenfriado", COD_TP, 150.0f, 50.0f},
    {"(p,x) vapor humedo", COD_PX, 10.0f, 0.8f},
    {"(p,s) vapor sobrecalentado", COD_PS, 20.0f, 7.0f},
    {"(p,h) vapor sobrecalentado", COD_PH, 20.0f, 3200.0f},
    {"(t,s) vapor sobrecalentado", COD_TS, 300.0f, 7.0f},
};

bool llama(const punto& q)
{
    float p, t, h, s, v, x;
    std::int32_t fase;
    return calcula(1, q.dato1, q.dato2, q.codigo, p, t, h, s, v, x, fase) == CALCULA_BIEN;
}

// Microsegundos por llamada: mediana de las repeticiones de unas cuantas
// llamadas seguidas (las que caben en unos 10 ms, sin pasar de 'maximo').
// La lista de traza se vacía entre repeticiones, fuera del tiempo medido;
// la primera repetición no cuenta.
double microsegundos_por_llamada(const punto& q, int repeticiones, int maximo)
{
    const reloj::time_point prueba = reloj::now();
    for (int k = 0; k < 10; ++k) llama(q);
    const double una = segundos_desde(prueba) / 10;
    const int llamadas = std::clamp(int(1e-2 / std::max(una, 1e-9)), 1, maximo);
    std::vector<double> tiempos;
    for (int r = -1; r < repeticiones; ++r) {
        lista_traza().borra();
        QCoreApplication::processEvents();
        const reloj::time_point inicio = reloj::now();
        for (int k = 0; k < llamadas; ++k) llama(q);
        if (r >= 0) tiempos.push_back(segundos_desde(inicio) * 1e6 / llamadas);
    }
    lista_traza().borra();
    QCoreApplication::processEvents();
    return mediana(tiempos);
}

void pon_texto(char* destino, std::size_t capacidad, const std::string& texto)
{
    std::memset(destino, 0, capacidad);
    std::memcpy(destino, texto.data(), std::min(texto.size(), capacidad - 1));
}

// 25 ciclos de Rankine con recalentamiento, de 6 estados cada uno, enlazados
// por referencias: a condensado (p, x = 0), b bomba (p de c, s de a), c
// caldera (p, t), d turbina de alta (p, s de c), e recalentador (p de d, t)
// y f turbina de baja (p de a, s de e). Cada ciclo es un equipo (entran c y
// e, salen d y f); cinco balances de masa por ciclo y el caudal del
// condensado dan 150 ecuaciones para 150 caudales.
void prepara_problema()
{
    Form1->nuevo_problema();
    for (int k = 0; k < 25; ++k) {
        const int a = 6 * k;  // índice del estado a; su número es a + 1
        estado_agua* e = &estados_dato[a];
        const float p_baja = 0.05f + 0.01f * float(k);
        const float p_alta = 40.0f + 5.0f * float(k);
        const float p_media = 10.0f + 0.5f * float(k);
        const float t_alta = 400.0f + 10.0f * float(k);
        e[0].p = p_baja;
        e[0].x = 0.0f;
        e[0].caudal = 10.0f + float(k);
        e[1].ref_p = a + 3;
        e[1].ref_s = a + 1;
        e[2].p = p_alta;
        e[2].t = t_alta;
        e[3].p = p_media;
        e[3].ref_s = a + 3;
        e[4].ref_p = a + 4;
        e[4].t = t_alta;
        e[5].ref_p = a + 1;
        e[5].ref_s = a + 5;
        for (int j = 0; j < 5; ++j)
            pon_texto(ecuaciones_masa[5 * k + j].texto, LARGO_ECUACION,
                      std::to_string(a + j + 1) + "=" + std::to_string(a + j + 2));
        elemento& q = equipos[k];
        pon_texto(q.nombre, LARGO_NOMBRE_EQUIPO, "Ciclo " + std::to_string(k + 1));
        pon_texto(q.texto_entrantes, LARGO_ECUACION, std::to_string(a + 3) + " " + std::to_string(a + 5));
        pon_texto(q.texto_salientes, LARGO_ECUACION, std::to_string(a + 4) + " " + std::to_string(a + 6));
    }
    // La página de estados enseña el estado 1 y "Calcular todo" la guarda
    // tal cual.
    Form1->ultimo_estado = MAXNUMESTADOS - 1;
    Form1->estado_actual = 0;
    Form1->muestra_estado();
    Form1->ultimo_equipo = 24;
    Form1->equipo_actual = 0;
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    manejador_qt = qInstallMessageHandler(filtra_mensajes_qt);
    QApplication app(argc, argv);
    prepara_aplicacion(app);
    mensajes_contados mensajes;
    pon_sumidero_mensajes(&mensajes);
    const int repeticiones = argc > 1 ? std::max(1, std::atoi(argv[1])) : 31;

    crea_ventanas();
    Form1->show();
    if (!Form1->arrancado()) {
        std::fprintf(stderr, "No se pudieron cargar las tablas de vapor: %s\n", mensajes.ultimo.c_str());
        return 1;
    }

    std::printf("BRUMALIX: mediana de %d repeticiones\n", repeticiones);
    for (const punto& q : puntos) {
        enciende_traza();
        lista_traza().borra();
        if (!llama(q)) {
            std::fprintf(stderr, "%s: calcula falla (%s)\n", q.nombre, mensajes.ultimo.c_str());
            return 1;
        }
        const std::size_t lineas = lista_traza().numero();
        // Como mucho unas 30.000 líneas por repetición: lejos del tope de
        // la ventana y dentro de la memoria que la lista guarda para volver
        // a usarla tras vaciarse (como la de un "Calcular todo"), así que
        // ninguna repetición pide memoria nueva.
        const double con = microsegundos_por_llamada(q, repeticiones, int(30000 / std::max<std::size_t>(lineas, 1)));
        apaga_traza();
        const double sin = microsegundos_por_llamada(q, repeticiones, 100000);
        std::printf("calcula %-28s con traza %9.2f us   sin traza %7.3f us   (%zu lineas por llamada)\n", q.nombre,
                    con, sin, lineas);
    }

    enciende_traza();
    prepara_problema();
    std::vector<double> tiempos;
    std::size_t lineas = 0;
    for (int r = -1; r < repeticiones; ++r) {
        lista_traza().borra();
        QCoreApplication::processEvents();
        const int errores_antes = mensajes.cuantos;
        const reloj::time_point inicio = reloj::now();
        Form1->ejecuta_calculo_todo();
        QCoreApplication::processEvents();
        if (r >= 0) tiempos.push_back(segundos_desde(inicio) * 1e3);
        if (mensajes.cuantos != errores_antes || num_incognitas != MAXNUMESTADOS || num_equipos != 25) {
            std::fprintf(stderr, "Calcular todo falla: %s\n", mensajes.ultimo.c_str());
            return 1;
        }
        lineas = lista_traza().numero();
    }
    std::printf("Calcular todo, 150 estados y 25 equipos, traza en su ventana: %.2f ms   (%zu lineas de traza)\n",
                mediana(tiempos), lineas);

    destruye_ventanas();
    return 0;
}
