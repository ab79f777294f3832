#include "brumalix/motor/estados.h"
#include "brumalix/motor/calcula.h"
#include "brumalix/motor/listados.h"
#include "brumalix/motor/traza.h"

#include "comun/factores_unidades.h"
#include "comun/formato.h"
#include "comun/lineas.h"
#include "comun/mensajes.h"
#include "comun/texto1252.h"

#include <algorithm>

const char nombres_unidades[8][LARGO_NOMBRE_UNIDAD] = {
    "   bar   ", "  kg/cm\xB2 ", "   kg/s  ", "   t/h   ", "  kJ/kg  ", " kcal/kg ", " kJ/kg K ", "kcal/kg K",
};

std::string cabecera_estados[4] = {
    "est.`S½ título  presión   tempe-   entalpía   entropía   volumen    exergía  "_w,
    "    `S½         absoluta  ratura  específica específica específico entálpica "_w,
    " n° `S½   `Ix        `Ip        `It         `Ih          `Is          `Iv          `Ie     "_w,
    "    `S½           bar      °C       kJ/kg     kJ/kg K    dm³/kg      kJ/kg   "_w,
};

float PMINF1 = 0.0061f, PMAXF1 = float(P_MAX_SATURACION), PMINF2 = 0.02f, PMAXF2 = 240.0f;

namespace {

lineas_memoria resultados_propios;
lista_lineas* resultados_actual = &resultados_propios;
void (*muestra_resultados)() = nullptr;

const char* nombre_unidad(int base, int bandera) { return nombres_unidades[base + (bandera ? 1 : 0)]; }

// Las seis propiedades de un estado en el orden en que se comprueban y se
// resuelven las referencias: p, t, h, s, v, x.
constexpr propiedad_estado propiedades[6] = {propiedades_estado[0], propiedades_estado[1], propiedades_estado[4],
                                             propiedades_estado[5], propiedades_estado[3], propiedades_estado[2]};

// Toma el valor referido si el estado al que apunta ya lo tiene. Las
// referencias se han comprobado antes (1..n), así que el índice es válido.
bool resuelve_referencia(estado_agua& e, const propiedad_estado& q)
{
    const std::int32_t ref = e.*q.referencia;
    if (ref == -1) return false;
    const float valor = estados_calculo[ref - 1].*q.valor;
    if (!(valor >= 0)) return false;
    e.*q.valor = valor;
    e.*q.referencia = -1;
    return true;
}

// Comprueba las referencias de los n estados definidos: cada una apunta a un
// estado definido y ninguna propiedad se da a la vez por valor y por
// referencia. Devuelve el número del primer estado incorrecto, o 0.
int comprueba_referencias(int n)
{
    for (int i = 0; i < n; ++i) {
        const estado_agua& e = estados_dato[i];
        for (const propiedad_estado& q : propiedades) {
            const std::int32_t ref = e.*q.referencia;
            if (ref == -1) continue;
            if (ref < 1 || ref > n) {
                muestra_error("Estado %d: La referencia al estado %d no es válida"_w, i + 1, ref);
                return i + 1;
            }
            if (e.*q.valor >= 0) {
                muestra_error("Estado %d: Un dato está dado a la vez por valor y por referencia"_w, i + 1);
                return i + 1;
            }
        }
    }
    return 0;
}

// Pareja de datos con que se calcula un estado: los dos datos, en el orden
// en que van a calcula, y su código.
struct pareja_dada {
    float estado_agua::*primero;
    float estado_agua::*segundo;
    std::int32_t codigo;
};
constexpr std::int32_t NO_ADMITIDA = 0;

// Las parejas, en el orden en que se eligen (un estado con más de dos
// datos usa la primera que tiene); (t, h) no se admite.
constexpr pareja_dada parejas[] = {
    {&estado_agua::t, &estado_agua::p, COD_TP}, {&estado_agua::p, &estado_agua::x, COD_PX},
    {&estado_agua::p, &estado_agua::v, COD_PV}, {&estado_agua::p, &estado_agua::h, COD_PH},
    {&estado_agua::p, &estado_agua::s, COD_PS}, {&estado_agua::t, &estado_agua::x, COD_TX},
    {&estado_agua::t, &estado_agua::v, COD_TV}, {&estado_agua::t, &estado_agua::h, NO_ADMITIDA},
    {&estado_agua::t, &estado_agua::s, COD_TS},
};

// La pareja de los datos del estado 'numero'; nullptr, tras su mensaje, si
// no tiene una que se admita.
const pareja_dada* elige_pareja(const estado_agua& e, int numero)
{
    for (const pareja_dada& q : parejas) {
        if (!(e.*q.primero >= 0 && e.*q.segundo >= 0)) continue;
        if (q.codigo != NO_ADMITIDA) return &q;
        muestra_error("Estado %d: La combinación (t,h) no está permitida"_w, numero);
        return nullptr;
    }
    if (!(e.p >= 0) && !(e.t >= 0) && e.x >= 0)
        muestra_error("Estado %d: Las opciones x con h,s o v no están permitidas"_w, numero);
    else
        muestra_error("Estado %d: Combinación de datos no permitida"_w, numero);
    return nullptr;
}

void escribe_linea(const std::string& linea, std::FILE* fichero, bool vacia_flujo)
{
    resultados_actual->agrega(linea);
    if (fichero) {
        std::fprintf(fichero, "%s\n", linea.c_str());
        if (vacia_flujo) std::fflush(fichero);
    }
}

} // namespace

lista_lineas& lista_resultados() { return *resultados_actual; }
void pon_lista_resultados(lista_lineas* lista) { resultados_actual = lista ? lista : &resultados_propios; }
void pon_muestra_resultados(void (*funcion)()) { muestra_resultados = funcion; }

void pon_unidades_cabeceras()
{
    const char* presion = nombre_unidad(0, unidad_presion_at);
    const char* energia = nombre_unidad(4, unidad_energia_kcal);
    const char* entropia = nombre_unidad(6, unidad_entropia_kcal);
    std::string& curvas = cabecera_curvas[4];
    std::string& tablas = cabecera_liquido_vapor[4];
    std::string& estados = cabecera_estados[3];

    copia_en_columna(curvas, 0, presion);
    copia_en_columna(estados, 15, presion);
    copia_en_columna(curvas, 24, energia);
    copia_en_columna(curvas, 24, "\xBD");
    copia_en_columna(curvas, 32, energia);
    copia_en_columna(curvas, 45, entropia);
    copia_en_columna(curvas, 53, entropia);
    copia_en_columna(tablas, 11, energia);
    copia_en_columna(tablas, 48, energia);
    copia_en_columna(tablas, 22, entropia);
    copia_en_columna(tablas, 60, entropia);
    copia_en_columna(estados, 34, energia);
    copia_en_columna(estados, 45, entropia);
    copia_en_columna(estados, 67, energia);
}

void pon_limites_presion()
{
    const double f = unidad_presion_at == 1 ? BAR_A_AT : 1.0;
    PMINF1 = static_cast<float>(0.0061 * f);
    PMAXF1 = static_cast<float>(P_MAX_SATURACION * f);
    PMINF2 = static_cast<float>(0.02 * f);
    PMAXF2 = static_cast<float>(240 * f);
    escribe_traza("PMINF1=%g  PMAXF1=%g  PMINF2=%g  PMAXF2=%g", PMINF1, PMAXF1, PMINF2, PMAXF2);
}

void reinicia_problema_agua()
{
    borra_unidades();
    borra_estados();
    borra_caudales_directos();
    borra_elementos();
    pon_unidades_cabeceras();
    pon_limites_presion();
}

int cuenta_datos(const estado_agua& e, int solo_valores)
{
    int n = 0;
    for (const propiedad_estado& q : propiedades) {
        if (e.*q.valor >= 0) ++n;
        if (!solo_valores && e.*q.referencia >= 0) ++n;
    }
    return n;
}

int numero_estados()
{
    int n = 0;
    while (n < MAXNUMESTADOS && cuenta_datos(estados_dato[n], 0) > 0) ++n;
    return n;
}

int primer_estado_incorrecto()
{
    const int n = numero_estados();
    for (int i = 0; i < n; ++i)
        if (cuenta_datos(estados_dato[i], 0) != 2) return i + 1;
    return 0;
}

int comprueba_margen(const estado_agua& e)
{
    if (e.p >= 0 && !(e.p >= 0.02 && e.p <= P_MAX_SATURACION)) return 0;
    if (e.t >= 0 && !(e.t >= 0.0 && e.t <= 800.0)) return 0;
    if (e.x >= 0 && !(e.x <= 1.0)) return 0;
    return 1;
}

int calcula_estado(estado_agua& e, int posicion)
{
    const int numero = posicion + 1;
    const pareja_dada* q = elige_pareja(e, numero);
    if (!q) return 0;
    // Salidas de calcula: las propiedades del estado que no son datos; las
    // de los datos quedan en borrador. Si falla, calcula no escribe ninguna.
    float borrador;
    auto salida = [&e, q, &borrador](float estado_agua::*m) -> float& {
        return m == q->primero || m == q->segundo ? borrador : e.*m;
    };
    std::int32_t fase = 0;
    if (calcula(numero, e.*q->primero, e.*q->segundo, q->codigo, salida(&estado_agua::p), salida(&estado_agua::t),
                salida(&estado_agua::h), salida(&estado_agua::s), salida(&estado_agua::v), salida(&estado_agua::x),
                fase) != 0)
        return 0;
    // En líquido o vapor el título lleva la fase.
    if (fase < 0) e.x = static_cast<float>(fase);
    e.e = static_cast<float>(static_cast<long double>(e.h) - static_cast<long double>(293.15) * e.s +
                             static_cast<long double>(2.86));
    return 1;
}

int calcula_estados(std::FILE* fichero)
{
    const int n = numero_estados();
    // Sin estados no hay nada que calcular: es un fallo, no un éxito vacío.
    if (n == 0) {
        muestra_error("No hay estados definidos");
        return 1;
    }
    if (int malo = comprueba_referencias(n)) return malo;

    for (int i = 0; i < n; ++i) {
        estado_agua& e = estados_calculo[i];
        e = estados_dato[i];
        e.calculado = 0;
        if (unidad_presion_at == 1) e.p = static_cast<float>(e.p * AT_A_BAR);
        if (unidad_energia_kcal == 1) {
            e.h = static_cast<float>(e.h * KCAL_A_KJ);
            e.s = static_cast<float>(e.s * KCAL_A_KJ);
            e.e = static_cast<float>(e.e * KCAL_A_KJ);
        }
    }

    // Referencias a valores dados: propiedad por propiedad hasta que nada cambie.
    for (const propiedad_estado& q : propiedades) {
        bool cambio = true;
        while (cambio) {
            cambio = false;
            for (int i = 0; i < n; ++i)
                if (resuelve_referencia(estados_calculo[i], q)) cambio = true;
        }
    }

    // Pasadas: se calcula lo que tiene dos valores y se resuelven las
    // referencias que ya se pueden; cada cambio gasta una referencia o
    // calcula un estado, así que las pasadas terminan.
    bool cambio = true;
    while (cambio) {
        cambio = false;
        for (int i = 0; i < n; ++i) {
            estado_agua& e = estados_calculo[i];
            if (e.calculado != 0) continue;
            if (cuenta_datos(e, 1) == 2) {
                if (!comprueba_margen(e)) {
                    muestra_error("Estado %d: Datos fuera de margen", i + 1);
                    return i + 1;
                }
                if (!calcula_estado(e, i)) return i + 1;
                e.calculado = 1;
                cambio = true;
            } else {
                for (const propiedad_estado& q : propiedades)
                    if (resuelve_referencia(e, q)) cambio = true;
            }
        }
    }

    // Un estado que no llegó a calcularse (referencias en círculo o a un
    // valor que nunca aparece) no se lista como si lo estuviera.
    for (int i = 0; i < n; ++i) {
        if (estados_calculo[i].calculado == 0) {
            muestra_error("Estado %d: No se puede calcular (referencias sin resolver)", i + 1);
            return i + 1;
        }
    }

    for (int i = 0; i < n; ++i) {
        estado_agua& e = estados_calculo[i];
        if (unidad_presion_at == 1) e.p = static_cast<float>(e.p * BAR_A_AT);
        if (unidad_energia_kcal == 1) {
            e.h = static_cast<float>(e.h * KJ_A_KCAL_REDONDEADO);
            e.s = static_cast<float>(e.s * KJ_A_KCAL_REDONDEADO);
            e.e = static_cast<float>(e.e * KJ_A_KCAL_REDONDEADO);
        }
    }
    for (auto& e : estados_calculo) e.calculado = 0;
    lista_estados(fichero);
    return -1;
}

int lista_estados(std::FILE* fichero)
{
    const int n = numero_estados();
    if (n == 0) {
        muestra_error("No hay estados definidos");
        return 0;
    }
    if (muestra_resultados) muestra_resultados();

    const std::string raya(74, '\x97');
    escribe_linea("Agua (líquido y/o vapor): Propiedades de estados introducidos"_w, fichero, false);
    escribe_linea(raya, fichero, true);
    for (const std::string& linea : cabecera_estados) escribe_linea(linea, fichero, true);
    escribe_linea(raya, fichero, true);
    for (int i = 0; i < n; ++i) {
        const estado_agua& e = estados_calculo[i];
        std::string titulo;
        if (e.x < -3)
            titulo = "   L    ";
        else if (e.x < -1)
            titulo = "   V    ";
        else
            titulo = formatea("%8.5f", e.x);
        std::string fila = formatea("%3d `S½%8s %7.3f   %6.2f   %7.2f    %8.5f %11.4f  %7.2f"_w, i + 1, titulo.c_str(),
                                    e.p, e.t, e.h, e.s, e.v, e.e);
        std::replace(fila.begin(), fila.end(), '.', ',');
        escribe_linea(fila, fichero, true);
    }
    return 1;
}
