#include "brumalix/motor/listados.h"
#include "brumalix/motor/problema_agua.h"
#include "brumalix/motor/tablas.h"

#include "comun/factores_unidades.h"
#include "comun/formato.h"
#include "comun/lineas.h"
#include "comun/texto1252.h"

#include <algorithm>
#include <cmath>

limites_curvas limites_listado_curvas;
limites_tablas limites_listado_tablas;

std::string cabecera_curvas[6] = {
    std::string(78, '-'),
    " presión  `S½  tempe- `S½    entalpía    `S½    entropía       `S½     volumen        "_w,
    " absoluta `S½  ratura `S½   específica   `S½   específica      `S½    específico      "_w,
    std::string("    `Ip     ") + "`S½"_w + "   `It`Ds    " + "`S½"_w + "   `Ih`I'      `Ih`I" + "\"" + "   " +
        "`S½"_w + "    `Is`I'      `Is`I" + "\"" + "     " + "`S½"_w + "   `Iv`I'        `Iv`I" + "\"" + "     ",
    "   bar    `S½   °C    `S½ kJ/kg   kJ/kg  `S½ kJ/kg K  kJ/kg K  `S½ dm³/kg    dm³/kg   "_w,
    std::string(78, '-'),
};

std::string cabecera_liquido_vapor[6] = {
    std::string(76, '-'),
    "tempe- `S½  entalpía   entropía   volumen   `S½  entalpía   entropía   volumen  "_w,
    "ratura `S½ específica específica específico `S½ específica específica específico"_w,
    "  `It    `S½     `Ih          `Is          `Iv      `S½     `Ih          `Is          `Iv     "_w,
    " °C    `S½   kJ/kg     kJ/kg K     dm³/kg   `S½   kJ/kg     kJ/kg K     dm³/kg  "_w,
    std::string(76, '-'),
};

namespace {

lineas_memoria listado_propio;
lista_lineas* listado_actual = &listado_propio;

void coma_decimal(std::string& linea) { std::replace(linea.begin(), linea.end(), '.', ','); }

// Una línea al destino: la lista, o el fichero con su prefijo.
void escribe(destino_listado destino, std::FILE* fichero, const std::string& linea, const char* prefijo = "")
{
    if (destino == destino_listado::ventana)
        listado_actual->agrega(linea);
    else if (fichero)
        std::fprintf(fichero, "%s%s\n", prefijo, linea.c_str());
}

// Las seis líneas de cabecera; las rayas pasan a ser del carácter 0x97. En
// el fichero llevan ">" delante, y ">>" la última.
void escribe_cabecera(std::string (&cabecera)[6], destino_listado destino, std::FILE* fichero)
{
    std::replace(cabecera[0].begin(), cabecera[0].end(), '-', '\x97');
    std::replace(cabecera[5].begin(), cabecera[5].end(), '-', '\x97');
    for (int i = 0; i < 6; ++i) {
        if (destino == destino_listado::ventana)
            listado_actual->agrega(cabecera[i]);
        else if (fichero)
            std::fprintf(fichero, "%s>%s\n", i == 5 ? ">" : "", cabecera[i].c_str());
    }
}

// Un salto de la lista desplegable sin elemento elegido llega como -1: se
// toma como el primero (0), para que el listado avance siempre. Un salto
// mayor que la tabla se queda en el tamaño de la tabla: basta para acabar y
// ninguna suma con él se desborda.
int salto_valido(int salto, int tamano) { return salto < 0 ? 0 : salto > tamano ? tamano : salto; }

// Holgura de un límite de f32 frente a un valor exacto en f64: 1,1 en f32 es
// 1,1000000238, y la presión de 1,1 bar del eje está dentro del límite.
double holgura(float limite) { return 1e-6 * std::fabs(double(limite)) + 1e-9; }

// Lo que entra en el listado de líquido y vapor: las columnas de presión
// primera..ultima y las filas de temperatura fila0..fila1.
struct rango_rejilla {
    int primera, ultima, fila0, fila1;
};

rango_rejilla rango_de(const limites_tablas& lim)
{
    rango_rejilla r;
    // Columnas: de la primera presión del eje que llega a pmin a la primera
    // que llega a pmax; las dos búsquedas acaban en la última del eje (240
    // bar) y empiezan en la de 0,02: la columna de 0 bar nunca se lista. Un
    // límite que queda a un redondeo de f32 de una presión del eje cuenta
    // como esa presión (1,1 en f32 es 1,1000000238: pmin 1,1 empieza en 1,1
    // y pmax 2,2 acaba en 2,2).
    const double pmin = double(lim.pmin) - holgura(lim.pmin);
    const double pmax = double(lim.pmax) - holgura(lim.pmax);
    r.primera = 1;
    while (r.primera < NUM_PRESIONES - 1 && !(eje_presiones_listado[r.primera] >= pmin)) ++r.primera;
    r.ultima = 1;
    while (r.ultima < NUM_PRESIONES - 1 && !(eje_presiones_listado[r.ultima] >= pmax)) ++r.ultima;
    // Filas: desde la de tmin / 10 truncado (tmin 25 empieza en 20 °C) hasta
    // la última que no pasa de tmax ni de 800 °C, con la misma holgura. El
    // cociente se acota antes de pasarlo a entero: ni desborda ni lee fuera
    // de la rejilla (un tmin negativo empieza en 0 °C; uno que no es un
    // número, también).
    const double fila_tmin = std::trunc((double(lim.tmin) + holgura(lim.tmin)) / 10.0);
    r.fila0 = fila_tmin >= 0 ? int(std::min(fila_tmin, double(NUM_TEMPERATURAS))) : 0;
    const double tmax = double(lim.tmax) + holgura(lim.tmax);
    r.fila1 = r.fila0 - 1;
    while (r.fila1 + 1 < NUM_TEMPERATURAS && 10.0 * (r.fila1 + 1) <= tmax) ++r.fila1;
    return r;
}

// Título de un bloque del listado de líquido y vapor: la presión de la
// columna k y, si k2 no es -1, la de k2, en la unidad elegida ('factor'
// desde bar; 'at' en kg/cm²).
std::string titulo_bloque(int k, int k2, double factor, bool at)
{
    const double p1 = eje_presiones_listado[k] * factor;
    if (k2 < 0)
        return at ? formatea("       `S½             `Ip=%6.2f kg/cm²      `S½                         "_w, p1)
                  : formatea("       `S½             `Ip=%6.2f bar         `S½                         "_w, p1);
    const double p2 = eje_presiones_listado[k2] * factor;
    return at ? formatea("       `S½             `Ip=%6.2f kg/cm²      `S½              `Ip=%6.2f kg/cm²"_w, p1, p2)
              : formatea("       `S½             `Ip=%6.2f bar         `S½              `Ip=%6.2f bar"_w, p1, p2);
}

} // namespace

lista_lineas& lista_listado() { return *listado_actual; }
void pon_lista_listado(lista_lineas* lista) { listado_actual = lista ? lista : &listado_propio; }

void convierte_fila_saturacion(float fila[11])
{
    if (unidad_presion_at == 1) fila[F1_P] = static_cast<float>(fila[F1_P] * BAR_A_AT);
    if (unidad_energia_kcal == 1) {
        for (int c : {F1_HL, F1_HV, F1_SL, F1_SV}) fila[c] = static_cast<float>(fila[c] * KJ_A_KCAL_REDONDEADO);
    }
}

void convierte_fila_vapor(float punto1[3], float punto2[3])
{
    if (unidad_energia_kcal == 1) {
        for (int k = 0; k < 2; ++k) {
            punto1[k] = static_cast<float>(punto1[k] * KJ_A_KCAL_REDONDEADO);
            punto2[k] = static_cast<float>(punto2[k] * KJ_A_KCAL_REDONDEADO);
        }
    }
}

int listado_curvas_limite(int pagina, int solo_contar, destino_listado destino, std::FILE* fichero)
{
    const int filas_pagina = destino == destino_listado::ventana ? FILAS_PAGINA_CURVAS : FILAS_PAGINA_FICHERO;
    const limites_curvas& lim = limites_listado_curvas;
    const int salto = salto_valido(lim.salto, num_filas_f1);
    // No se lista ninguna fila más allá de la 407 de la tabla, ni más allá
    // de las que la tabla tiene.
    const int ultima_fila = std::min(num_filas_f1, 407);

    // Primera fila: la primera con p >= pmin, sin salir de la tabla.
    int fila = 0;
    if (lim.pmin > 0.0061) {
        while (fila < num_filas_f1 && valor_f1(fila, F1_P) < lim.pmin) ++fila;
    }

    if (!solo_contar) {
        if (destino == destino_listado::ventana) listado_actual->borra();
        escribe_cabecera(cabecera_curvas, destino, fichero);
    }

    int p = 1;
    // Un rango por encima de la última fila de la tabla no lista nada.
    for (int i = 0; fila < num_filas_f1; ++i) {
        if (i > 0 && i % filas_pagina == 0) ++p;
        if (!solo_contar && p == pagina) {
            float f[COLUMNAS_F1];
            for (int c = 0; c < COLUMNAS_F1; ++c) f[c] = valor_f1(fila, c);
            convierte_fila_saturacion(f);
            // s' vale 0 en el punto triple; el resto de 1e-8 que deja el
            // redondeo no debe salir como "-0,0000" y correr la columna.
            if (std::fabs(f[F1_SL]) < 5e-5f) f[F1_SL] = 0.0f;
            std::string linea = formatea(" %7.3f  `S½ %6.2f  `S½ %6.1f  %6.1f `S½  %6.4f   %6.4f  `S½ %6.4f %11.4f"_w,
                                         f[F1_P], f[F1_T], f[F1_HL], f[F1_HV], f[F1_SL], f[F1_SV], f[F1_VL], f[F1_VV]);
            coma_decimal(linea);
            escribe(destino, fichero, linea);
        }
        fila += salto + 1;
        if (fila >= ultima_fila || valor_f1(fila, F1_P) > lim.pmax) break;
    }
    return p;
}

int listado_liquido_vapor(int pagina, int solo_contar, destino_listado destino, std::FILE* fichero)
{
    const int filas_pagina = destino == destino_listado::ventana ? FILAS_PAGINA_TABLAS : FILAS_PAGINA_FICHERO;
    const limites_tablas& lim = limites_listado_tablas;
    const int salto_p = salto_valido(lim.salto_p, NUM_PRESIONES);
    const int salto_t = salto_valido(lim.salto_t, NUM_TEMPERATURAS);
    const double factor = unidad_presion_at == 1 ? BAR_A_AT : 1.0;
    const bool at = unidad_presion_at == 1;

    const rango_rejilla rango = rango_de(lim);
    const int primera = rango.primera, ultima = rango.ultima, fila0 = rango.fila0, fila1 = rango.fila1;

    int p = 0;
    int c = 0;
    for (int k = primera; k <= ultima; k += 2 * (salto_p + 1)) {
        const int k2 = k + salto_p + 1;
        const bool dos = k2 <= ultima;
        const std::string titulo = solo_contar ? std::string() : titulo_bloque(k, dos ? k2 : -1, factor, at);
        for (int T = fila0; T <= fila1; T += salto_t + 1) {
            if (c % filas_pagina == 0) {
                ++p;
                if (!solo_contar && p == pagina) {
                    if (destino == destino_listado::ventana) {
                        listado_actual->borra();
                        listado_actual->agrega(titulo);
                    } else if (fichero) {
                        std::fprintf(fichero, "<NP>\n");
                        std::fprintf(fichero, ">%s\n", titulo.c_str());
                    }
                    escribe_cabecera(cabecera_liquido_vapor, destino, fichero);
                }
            }
            float a[3], b[3] = {0, 0, 0};
            for (int q = 0; q < 3; ++q) {
                a[q] = valor_f2(T, k, q);
                if (dos) b[q] = valor_f2(T, k2, q);
            }
            if (!solo_contar) {
                convierte_fila_vapor(a, b);
                if (p == pagina) {
                    std::string linea =
                        dos ? formatea(" %4d  `S½   %6.1f    %7.4f  %11.4f `S½  %6.1f     %7.4f  %11.4f "_w, T * 10, a[0],
                                       a[1], a[2], b[0], b[1], b[2])
                            : formatea(" %4d  `S½   %6.1f    %7.4f  %11.4f "_w, T * 10, a[0], a[1], a[2]);
                    coma_decimal(linea);
                    escribe(destino, fichero, linea);
                }
            }
            ++c;
        }
        // Cada bloque empieza en página nueva.
        c = (c / filas_pagina + 1) * filas_pagina;
    }
    return p;
}
