#include "brumalix/datos/tablas_if97.h"
#include "brumalix/datos/if97.h"

#include "brumalix/motor/saturacion.h"
#include "brumalix/motor/tablas.h"
#include "brumalix/motor/traza.h"
#include "comun/binario.h"
#include "comun/factores_unidades.h"
#include "comun/formato.h"
#include "comun/lineas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>

namespace tablas_if97 {

namespace {

// Las búsquedas de prueba escriben su traza; aquí no interesa guardarla.
// Mientras vive, la traza va a ninguna parte; al acabar vuelve a la lista
// que hubiera.
class traza_descartada : public lista_lineas {
public:
    traza_descartada() : anterior_(&lista_traza()) { pon_lista_traza(this); }
    ~traza_descartada() override { pon_lista_traza(anterior_); }
    traza_descartada(const traza_descartada&) = delete;
    traza_descartada& operator=(const traza_descartada&) = delete;
    void agrega(std::string_view) override {}
    void borra() override {}
    std::size_t numero() const override { return 0; }
    std::string linea(std::size_t) const override { return {}; }

private:
    lista_lineas* anterior_;
};

fila_f1 fila_de(double p_bar, double t_c, const if97::propiedades& l, const if97::propiedades& v)
{
    fila_f1 f{};
    f[F1_P] = static_cast<float>(p_bar);
    f[F1_T] = static_cast<float>(t_c);
    f[2] = 0.0f;
    f[F1_HL] = static_cast<float>(l.h);
    f[4] = static_cast<float>(v.h - l.h);
    f[F1_HV] = static_cast<float>(v.h);
    f[F1_SL] = static_cast<float>(l.s);
    f[7] = 0.0f;
    f[F1_SV] = static_cast<float>(v.s);
    f[F1_VL] = static_cast<float>(l.v * DM3_POR_M3);
    f[F1_VV] = static_cast<float>(v.v * DM3_POR_M3);
    return f;
}

double relativo(double calculado, double exacto, double suelo = 0.0)
{
    return std::fabs(calculado - exacto) / std::max(std::fabs(exacto), suelo);
}

// Temperatura de la fila de 200 bar: el refinado por temperatura llega hasta
// ella.
double t_limite_precision()
{
    return if97::temperatura_saturacion(P_LIMITE_PRECISION / BAR_POR_MPA) - CERO_CELSIUS_EN_K;
}

// Presión redonda dentro de la mitad central de (a, b): la de menos cifras
// (pasos 5, 2 y 1 por potencia de diez, de mayor a menor) y, entre las de un
// mismo paso, la más cercana al centro. 0 si no hay ninguna.
double presion_redonda(double a, double b)
{
    const double bajo = a + 0.25 * (b - a), alto = b - 0.25 * (b - a), centro = 0.5 * (a + b);
    for (int k = 3; k >= -7; --k) {
        for (int m : {5, 2, 1}) {
            // paso = m·10^k; los candidatos n·paso se forman dividiendo
            // enteros exactos por una potencia de diez exacta.
            const double escala = std::pow(10.0, -k);
            const double paso = k >= 0 ? m * std::pow(10.0, k) : m / escala;
            const double n = std::round(centro / paso);
            for (double d : {0.0, -1.0, 1.0}) {
                const double entero = (n + d) * m;
                const double x = k >= 0 ? entero * std::pow(10.0, k) : entero / escala;
                if (x >= bajo && x <= alto && x > a && x < b) return x;
            }
        }
    }
    return 0.0;
}

} // namespace

fila_f1 fila_saturacion(double p_bar)
{
    const if97::saturacion s = if97::saturacion_a_p(p_bar / BAR_POR_MPA);
    return fila_de(p_bar, s.liquido.t - CERO_CELSIUS_EN_K, s.liquido, s.vapor);
}

fila_f1 fila_triple()
{
    const if97::saturacion s = if97::saturacion_a_t(if97::T_TRIPLE);
    return fila_de(s.liquido.p * BAR_POR_MPA, if97::T_TRIPLE - CERO_CELSIUS_EN_K, s.liquido, s.vapor);
}

fila_f1 fila_critica()
{
    const if97::propiedades c = if97::punto_critico();
    return fila_de(P_FILA_CRITICA, T_FILA_CRITICA, c, c);
}

std::array<double, 3> valor_rejilla(double p_bar, double t_c, bool liquido)
{
    const double t = t_c + CERO_CELSIUS_EN_K;
    if (p_bar <= 0.0) return {if97::entalpia_gas_ideal(t), 0.0, 0.0};
    const if97::propiedades e = if97::estado(p_bar / BAR_POR_MPA, t, liquido);
    return {e.h, e.s, e.v * DM3_POR_M3};
}

std::vector<std::string> desacuerdos_limite_vapor(const float* limites)
{
    std::vector<std::string> mal;
    for (int j = 1; j < NUM_PRESIONES; ++j) {
        const double p = eje_presiones_listado[j];
        if (p > 220.0) break;
        const double ts = if97::temperatura_saturacion(p / BAR_POR_MPA) - CERO_CELSIUS_EN_K;
        for (int i = 0; i < NUM_TEMPERATURAS; ++i) {
            const double t = eje_temperaturas[i];
            const bool liquido_tabla = eje_temperaturas[i] < limites[j];
            // Un punto justo en la saturación serviría de líquido o de vapor;
            // en la rejilla no lo hay, y se trata como desacuerdo.
            const bool bien = liquido_tabla ? t < ts : t > ts;
            if (!bien)
                mal.push_back(formatea("p = %g bar, t = %g °C: t_limite_vapor %g y saturación de IF97 %.3f °C", p,
                                       t, double(t_limite_vapor[j]), ts));
        }
    }
    return mal;
}

std::vector<float> rejilla_f2()
{
    std::vector<float> valores(VALORES_F2);
    for (int i = 0; i < NUM_TEMPERATURAS; ++i)
        for (int j = 0; j < NUM_PRESIONES; ++j) {
            const bool liquido = eje_temperaturas[i] < t_limite_vapor[j];
            const auto v = valor_rejilla(eje_presiones_listado[j], eje_temperaturas[i], liquido);
            for (int k = 0; k < 3; ++k) valores[indice_f2(i, j, k)] = float(v[std::size_t(k)]);
        }
    return valores;
}

double error_busqueda(int tipo, float valor)
{
    float primero, hl, hv, sl, sv, vl, vv;
    if (lee_datos_f1(tipo, valor, primero, hl, hv, sl, sv, vl, vv) != 0)
        return std::numeric_limits<double>::infinity();
    if97::saturacion s;
    double e;
    if (tipo == POR_PRESION) {
        s = if97::saturacion_a_p(double(valor) / BAR_POR_MPA);
        e = relativo(primero + CERO_CELSIUS_EN_K, s.liquido.t);
    } else {
        s = if97::saturacion_a_t(double(valor) + CERO_CELSIUS_EN_K);
        e = relativo(primero, s.liquido.p * BAR_POR_MPA);
    }
    e = std::max(e, relativo(hl, s.liquido.h, SUELO_HL));
    e = std::max(e, relativo(hv, s.vapor.h));
    e = std::max(e, relativo(sl, s.liquido.s, SUELO_SL));
    e = std::max(e, relativo(sv, s.vapor.s));
    e = std::max(e, relativo(vl, s.liquido.v * DM3_POR_M3));
    e = std::max(e, relativo(vv, s.vapor.v * DM3_POR_M3));
    return e;
}

bool tabla_f1(double objetivo, std::vector<fila_f1>& filas, std::string& error)
{
    traza_descartada descarte;

    std::map<double, fila_f1> por_presion;
    for (int j = 1; j < NUM_PRESIONES && eje_presiones_listado[j] <= 220.0; ++j)
        por_presion[eje_presiones_listado[j]] = fila_saturacion(eje_presiones_listado[j]);
    const double p_salto = BAR_POR_MPA * if97::presion_saturacion(if97::T_FRONTERA_13);
    if (std::fabs(0.5 * (P_FILAS_SALTO[0] + P_FILAS_SALTO[1]) - p_salto) > 0.01) {
        error = formatea("las filas del salto no rodean %g bar", p_salto);
        filas.clear();
        return false;
    }
    for (double p : P_FILAS_SALTO) por_presion[p] = fila_saturacion(p);
    for (double p = P_LIMITE_PRECISION; p <= 220.0; p += P_PASO_CERCA_CRITICO) por_presion[p] = fila_saturacion(p);

    const fila_f1 triple = fila_triple();
    const fila_f1 critica = fila_critica();
    const double t_precision = t_limite_precision();
    static constexpr double fracciones[] = {0.02, 0.1, 0.2, 0.3, 0.4, 0.49, 0.5, 0.51, 0.6, 0.7, 0.8, 0.9, 0.98};

    bool hecho = false;
    while (!hecho) {
        filas.clear();
        filas.push_back(triple);
        for (const auto& [p, f] : por_presion) filas.push_back(f);
        filas.push_back(critica);
        if (int(filas.size()) > MAX_FILAS_F1) {
            error = formatea("la tabla de saturación necesitaría más de %d filas", MAX_FILAS_F1);
            filas.clear();
            return false;
        }
        datos_f1.clear();
        for (const auto& f : filas) datos_f1.insert(datos_f1.end(), f.begin(), f.end());
        num_filas_f1 = int(filas.size());

        // Intervalos (entre la fila r y la r + 1) donde falla alguna prueba.
        std::vector<std::size_t> malos;
        for (std::size_t r = 0; r + 1 < filas.size(); ++r) {
            bool malo = false;
            for (int tipo : {POR_PRESION, POR_TEMPERATURA}) {
                const std::size_t col = tipo == POR_PRESION ? F1_P : F1_T;
                const double a = filas[r][col], b = filas[r + 1][col];
                const double limite = tipo == POR_PRESION ? P_LIMITE_PRECISION : t_precision;
                if (b > limite) continue;
                for (double f : fracciones) {
                    const float x = static_cast<float>(a + f * (b - a));
                    if (error_busqueda(tipo, x) > objetivo) malo = true;
                }
                // Por debajo de la primera fila, hasta el límite de búsqueda.
                if (r == 0 && tipo == POR_PRESION)
                    for (float x : {0.006111f, 0.006113f, 0.006115f})
                        if (x < a && error_busqueda(tipo, x) > objetivo) malo = true;
            }
            if (malo) malos.push_back(r);
        }
        hecho = malos.empty();
        for (std::size_t r : malos) {
            const double a = double(filas[r][F1_P]);
            const double b = double(filas[r + 1][F1_P]);
            const double nueva = presion_redonda(a, b);
            if (nueva <= 0.0 || por_presion.count(nueva) != 0) {
                error = formatea("no cabe una presión redonda entre %g y %g bar", a, b);
                filas.clear();
                return false;
            }
            por_presion[nueva] = fila_saturacion(nueva);
        }
    }
    return true;
}

namespace {

bool escribe_entero(const std::string& ruta, const std::vector<float>& valores)
{
    const std::string provisional = ruta + ".nuevo";
    std::FILE* f = std::fopen(provisional.c_str(), "wb");
    if (!f) return false;
    binario::escritor e(f);
    for (float v : valores) e.f32(v);
    const bool escrito = e.bien();
    const bool cerrado = std::fclose(f) == 0;
    if (!escrito || !cerrado || std::rename(provisional.c_str(), ruta.c_str()) != 0) {
        std::remove(provisional.c_str());
        return false;
    }
    return true;
}

} // namespace

bool escribe_f1(const std::string& ruta, const std::vector<fila_f1>& filas)
{
    std::vector<float> valores;
    for (const auto& f : filas) valores.insert(valores.end(), f.begin(), f.end());
    return escribe_entero(ruta, valores);
}

bool escribe_f2(const std::string& ruta, const std::vector<float>& valores) { return escribe_entero(ruta, valores); }

} // namespace tablas_if97
