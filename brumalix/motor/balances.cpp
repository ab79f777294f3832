#include "brumalix/motor/balances.h"
#include "brumalix/motor/estados.h"
#include "brumalix/motor/problema_agua.h"
#include "brumalix/motor/traza.h"

#include "comun/factores_unidades.h"
#include "comun/mensajes.h"
#include "comun/texto1252.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace {

// Entero de las cifras del principio del texto ("7a" da 7, "a" da 0), sin
// desbordar.
std::int32_t entero_de(const std::string& texto)
{
    errno = 0;
    long v = std::strtol(texto.c_str(), nullptr, 10);
    if (v > INT_MAX) v = INT_MAX;
    if (v < INT_MIN) v = INT_MIN;
    return static_cast<std::int32_t>(v);
}

// Texto de una ecuación del problema (como mucho 59 caracteres).
std::string texto_ecuacion(const ecuacion_balance& e) { return std::string(e.texto, strnlen(e.texto, LARGO_ECUACION - 1)); }

constexpr int CAPACIDAD_LADO = LARGO_ECUACION;  // más números de los que caben en 59 caracteres

struct ecuacion_leida {
    std::int32_t num_izq = 0, num_der = 0;
    std::int32_t izq[CAPACIDAD_LADO] = {}, der[CAPACIDAD_LADO] = {};
};

} // namespace

int lee_ecuacion(const char* texto, std::int32_t& num_izq, std::int32_t* izq, std::int32_t* num_der,
                 std::int32_t* der, int capacidad)
{
    std::string copia(texto, strnlen(texto, LARGO_ECUACION - 1));
    for (char& c : copia)
        if (c == '+' || c == ',') c = ' ';

    int valido = 1;
    int iguales = 0;
    int izquierdos = 0, derechos = 0;
    std::string numero;
    for (std::size_t i = 0; i <= copia.size(); ++i) {
        const char c = i < copia.size() ? copia[i] : '\0';
        if (c != ' ' && c != '\0' && c != '=') {
            numero.push_back(c);
            continue;
        }
        if (!numero.empty()) {
            const std::int32_t n = entero_de(numero);
            numero.clear();
            if (iguales == 0) {
                if (izquierdos < capacidad)
                    izq[izquierdos++] = n;
                else
                    valido = 0;
            } else if (der) {
                if (derechos < capacidad)
                    der[derechos++] = n;
                else
                    valido = 0;
            }
        }
        if (c == '=') {
            ++iguales;
            num_izq = izquierdos;
        }
    }
    if (iguales == 0)
        num_izq = izquierdos;
    else if (num_der)
        *num_der = derechos;
    // Más de un "=", o un "=" donde sólo hay un lado, no es una ecuación.
    if (iguales > 1 || (iguales == 1 && !der)) valido = 0;
    return valido;
}

int entero_en_array(std::int32_t valor, const std::int32_t* lista, int n)
{
    for (int i = 0; i < n; ++i)
        if (lista[i] == valor) return 1;
    return 0;
}

int compara_enteros(const void* a, const void* b)
{
    const std::int32_t x = *static_cast<const std::int32_t*>(a);
    const std::int32_t y = *static_cast<const std::int32_t*>(b);
    return x > y ? 1 : x < y ? -1 : 0;
}

int resuelve_gauss(std::vector<std::vector<float>>& a, std::vector<float>& x, int n)
{
    if (n <= 0) return 0;
    const std::size_t m = static_cast<std::size_t>(n);
    for (std::size_t i = 0; i < m - 1; ++i) {
        std::size_t pivote = i;
        for (std::size_t j = i + 1; j < m; ++j)
            if (std::fabs(double(a[j][i])) > std::fabs(double(a[pivote][i]))) pivote = j;
        if (pivote != i) std::swap(a[pivote], a[i]);
        for (std::size_t j = i + 1; j < m; ++j) {
            if (std::fabs(double(a[i][i])) >= 1e-8) {
                const float f = a[j][i] / a[i][i];
                a[j][i] = 0;
                for (std::size_t k = i + 1; k <= m; ++k) a[j][k] = a[j][k] - f * a[i][k];
            }
        }
    }
    if (std::fabs(double(a[m - 1][m - 1])) < 1e-8) return 0;
    x[m - 1] = a[m - 1][m] / a[m - 1][m - 1];
    // Sustitución hacia atrás, de la fila n - 2 a la 0.
    for (std::size_t i = m - 1; i-- > 0;) {
        float suma = 0;
        for (std::size_t k = i + 1; k < m; ++k) suma += a[i][k] * x[k];
        if (std::fabs(double(a[i][i])) < 1e-8) return 0;
        x[i] = (a[i][m] - suma) / a[i][i];
    }
    return 1;
}

namespace {

// El sistema de balances: las incógnitas (los estados que nombran las
// ecuaciones y los caudales dados, en est_en_elemento en el orden en que
// aparecen), las ecuaciones de balance y los caudales dados que lo
// plantean, y la columna de cada estado.
struct sistema {
    int definidos = 0;
    int n = 0;
    int balances = 0, directos = 0;
    std::size_t columna[MAXNUMESTADOS + 1];
    // El número de incógnitas, que es también el de filas.
    std::size_t incognitas() const { return static_cast<std::size_t>(n); }
};

// Añade los estados de una lista como incógnitas; un estado que no existe
// se rechaza aquí, antes de que pueda llenar est_en_elemento.
bool anota(sistema& S, const std::int32_t* lista, int cuantos)
{
    for (int k = 0; k < cuantos; ++k) {
        const std::int32_t e = lista[k];
        if (e < 1 || e > S.definidos) {
            muestra_error("ERROR: El estado %d no está definido"_w, e);
            return false;
        }
        if (!entero_en_array(e, est_en_elemento, S.n)) est_en_elemento[S.n++] = e;
    }
    return true;
}

bool lee(const ecuacion_balance& q, ecuacion_leida& l)
{
    const std::string texto = texto_ecuacion(q);
    if (lee_ecuacion(texto.c_str(), l.num_izq, l.izq, &l.num_der, l.der, CAPACIDAD_LADO)) return true;
    muestra_error("ERROR: Ecuación incorrecta: %s"_w, texto.c_str());
    return false;
}

// Las ecuaciones de una tabla ('nombre' la dice en la traza): cada una con
// texto se lee y anota sus estados.
bool anota_ecuaciones(sistema& S, const ecuacion_balance* tabla, int tamano, const char* nombre)
{
    for (int i = 0; i < tamano; ++i) {
        if (tabla[i].texto[0] == '\0') continue;
        ecuacion_leida l;
        if (!lee(tabla[i], l) || !anota(S, l.izq, l.num_izq) || !anota(S, l.der, l.num_der)) return false;
        ++S.balances;
        escribe_traza("%s: sepera_estados: Paso %d", nombre, i + 1);
    }
    return true;
}

// Las incógnitas, comprobadas: tantas como ecuaciones, y alguna.
bool recoge_incognitas(sistema& S)
{
    if (!anota_ecuaciones(S, ecuaciones_masa, MAXNUMESTADOS, "MAXNUMESTADOS") ||
        !anota_ecuaciones(S, ecuaciones_energia, MAXNUMECENERGIA, "MAXNUMECENERGIA"))
        return false;
    for (const caudal_directo& c : caudales_directos) {
        if (c.estado < 0) continue;
        if (!anota(S, &c.estado, 1)) return false;
        ++S.directos;
        escribe_traza("MAXNUMCAUDDIRECTOS: sepera_estados: %d", c.estado);
    }
    escribe_traza("est_en_elemento:");
    for (int k = 0; k < S.n; ++k) escribe_traza("  %d", est_en_elemento[k]);
    if (S.balances + S.directos != S.n) {
        muestra_error("ERROR: Tiene %d ecuaciones y %d incógnitas"_w, S.balances, S.n - S.directos);
        return false;
    }
    if (S.n == 0) {
        muestra_error("ERROR: El sistema no se puede resolver");
        return false;
    }
    return true;
}

// Las incógnitas en orden de estado: la columna de cada estado, y en
// est_en_elemento su índice (desde 0).
void ordena_incognitas(sistema& S)
{
    escribe_traza("Vamos a qsort");
    std::qsort(est_en_elemento, S.incognitas(), sizeof(std::int32_t), compara_enteros);
    for (std::size_t k = 0; k < S.incognitas(); ++k) {
        S.columna[est_en_elemento[k]] = k;
        est_en_elemento[k] -= 1;
    }
}

// Una fila por ecuación de la tabla, desde 'fila': cada estado suma su
// coeficiente a la izquierda y lo resta a la derecha. Un estado que aparece
// dos veces suma sus coeficientes: "2=2" da una fila nula y el sistema no
// se resuelve.
template <class Coeficiente>
void plantea_ecuaciones(const sistema& S, const ecuacion_balance* tabla, int tamano, Coeficiente coeficiente,
                        std::vector<std::vector<float>>& filas, std::size_t& fila)
{
    for (int i = 0; i < tamano; ++i) {
        const ecuacion_balance& q = tabla[i];
        if (q.texto[0] == '\0') continue;
        ecuacion_leida l;
        const std::string texto = texto_ecuacion(q);
        lee_ecuacion(texto.c_str(), l.num_izq, l.izq, &l.num_der, l.der, CAPACIDAD_LADO);
        for (int k = 0; k < l.num_izq; ++k) filas[fila][S.columna[l.izq[k]]] += coeficiente(l.izq[k]);
        for (int k = 0; k < l.num_der; ++k) filas[fila][S.columna[l.der[k]]] -= coeficiente(l.der[k]);
        ++fila;
    }
}

// Las filas del sistema: los balances de masa (coeficiente 1), los de
// energía (la h de cada estado) y los caudales dados (en kg/s).
void plantea(const sistema& S, std::vector<std::vector<float>>& filas)
{
    const std::size_t n = S.incognitas();
    std::size_t fila = 0;
    plantea_ecuaciones(S, ecuaciones_masa, MAXNUMESTADOS, [](int) { return 1.0f; }, filas, fila);
    plantea_ecuaciones(S, ecuaciones_energia, MAXNUMECENERGIA, [](int e) { return estados_calculo[e - 1].h; }, filas,
                       fila);
    for (const caudal_directo& c : caudales_directos) {
        if (c.estado < 0) continue;
        filas[fila][S.columna[c.estado]] += 1.0f;
        filas[fila][n] = static_cast<float>(c.caudal * (unidad_caudal_th == 1 ? TH_A_KGS : 1.0));
        ++fila;
    }
}

// Resuelve el sistema (con su traza) y guarda caudal, m·h y m·e de cada
// incógnita. Un caudal infinito o indefinido (o un flujo de energía que lo
// es) no es una solución, aunque la eliminación haya acabado.
bool resuelve(const sistema& S, std::vector<std::vector<float>>& filas, std::vector<float>& x)
{
    const std::size_t n = S.incognitas();
    escribe_traza("SISTEMA:");
    for (const auto& f : filas) {
        escribe_traza("===");
        for (float a : f) escribe_traza(" %g ", a);
    }
    const int resuelto = resuelve_gauss(filas, x, S.n);
    escribe_traza("SOLUCION:");
    for (float v : x) escribe_traza("  %g", v);
    bool finito = true;
    for (std::size_t k = 0; k < n && resuelto; ++k) {
        const estado_agua& e = estados_calculo[est_en_elemento[k]];
        finito = finito && std::isfinite(x[k]) && std::isfinite(x[k] * e.h) && std::isfinite(x[k] * e.e);
    }
    if (!resuelto || !finito) {
        num_incognitas = 0;
        muestra_error("ERROR: El sistema no se puede resolver");
        return false;
    }
    num_incognitas = S.n;
    for (std::size_t k = 0; k < n; ++k) {
        estado_agua& e = estados_calculo[est_en_elemento[k]];
        e.caudal = x[k];
        e.mh = x[k] * e.h;
        e.me = x[k] * e.e;
    }
    return true;
}

} // namespace

int sepera_estados()
{
    sistema S;
    S.definidos = numero_estados();
    for (int i = 0; i < MAXNUMESTADOS; ++i) est_en_elemento[i] = 0;
    num_incognitas = 0;
    if (!recoge_incognitas(S)) return 0;
    ordena_incognitas(S);

    std::vector<std::vector<float>> filas;
    std::vector<float> x;
    try {
        filas.assign(S.incognitas(), std::vector<float>(S.incognitas() + 1, 0.0f));
        x.assign(S.incognitas(), 0.0f);
    } catch (const std::bad_alloc&) {
        muestra_error("ERROR: No tengo memoria suficiente");
        return 0;
    }
    plantea(S, filas);
    return resuelve(S, filas, x) ? 1 : 0;
}
