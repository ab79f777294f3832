#include "brumalix/motor/pruebas/barridos.h"

#include "brumalix/motor/calcula.h"
#include "brumalix/motor/saturacion.h"
#include "brumalix/motor/tablas.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <utility>

namespace barridos {

namespace {

// El guion lee una consulta por línea y escribe una respuesta por línea:
// "p t h s v x" en unidades del motor (x, el título, -1 fuera de la
// campana), o "FALLO".
constexpr const char* GUION = R"(import sys
try:
    from iapws import IAPWS97
    from iapws.iapws97 import _PSat_T, _TSat_P
except Exception:
    sys.exit(3)
for linea in sys.stdin:
    c = linea.split()
    try:
        a, b = float(c[1]), float(c[2]) if len(c) > 2 else 0.0
        if c[0] == "psat":
            print("%.12g %.12g 0 0 0 -1" % (_PSat_T(a + 273.15) * 10, a))
            continue
        if c[0] == "tsat":
            print("%.12g %.12g 0 0 0 -1" % (a, _TSat_P(a / 10) - 273.15))
            continue
        if c[0] == "pt":
            w = IAPWS97(P=a / 10, T=b + 273.15)
        elif c[0] == "px":
            w = IAPWS97(P=a / 10, x=b)
        elif c[0] == "ps":
            w = IAPWS97(P=a / 10, s=b)
        else:
            w = IAPWS97(T=a + 273.15, x=b)
        x = w.x if w.region == 4 else -1
        print("%.12g %.12g %.12g %.12g %.12g %.12g" % (w.P * 10, w.T - 273.15, w.h, w.s, w.v * 1000, x))
    except Exception:
        print("FALLO")
)";

std::vector<std::string> pregunta(const std::string& python, const char* guion, const std::vector<std::string>& entradas,
                                  bool& falta)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("oraculo_if97_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    {
        std::ofstream(dir / "oraculo.py") << guion;
        std::ofstream entrada(dir / "entrada.txt");
        for (const auto& c : entradas) entrada << c << '\n';
    }
    const std::string orden =
        python + " '" + (dir / "oraculo.py").string() + "' < '" + (dir / "entrada.txt").string() + "' 2>/dev/null";
    std::vector<std::string> lineas;
    falta = true;
    if (std::FILE* f = ::popen(orden.c_str(), "r")) {
        char buf[256];
        while (std::fgets(buf, sizeof buf, f)) {
            std::string l(buf);
            while (!l.empty() && (l.back() == '\n' || l.back() == '\r')) l.pop_back();
            lineas.push_back(l);
        }
        falta = ::pclose(f) != 0;
    }
    fs::remove_all(dir);
    return lineas;
}

std::string texto(const char* formato, double a, double b = 0)
{
    char buf[96];
    std::snprintf(buf, sizeof buf, formato, a, b);
    return buf;
}

double rel(double a, double b, double suelo) { return std::fabs(a - b) / std::max(std::fabs(b), suelo); }

// Presión de IF97 en la que la rejilla de p deja de ser de IF97 (por
// encima de la crítica no hay saturación).
constexpr double P_CRITICA = 220.64;

// Un punto del barrido, con su consulta "pt" al oráculo.
void anade(std::vector<punto>& puntos, std::vector<std::string>& consultas, double p, double t, int codigo)
{
    punto q;
    q.p = p;
    q.t = t;
    q.codigo = codigo;
    puntos.push_back(q);
    consultas.push_back(texto("pt %.17g %.17g", p, t));
}

// Pasa las líneas por el guion con el python3 del sistema, que lleva
// python3-iapws; vacío si no hay python3 o el guion no acaba bien (sale
// con 3 si le falta el módulo iapws).
std::vector<std::string> ejecuta_guion(const char* guion, const std::vector<std::string>& entradas)
{
    // El python3 del sistema es el que lleva el paquete python3-iapws de
    // Debian; el primero del PATH puede ser otro.
    for (const char* python : {"/usr/bin/python3", "python3"}) {
        bool falta = true;
        auto lineas = pregunta(python, guion, entradas, falta);
        if (!falta) return lineas;
    }
    return {};
}

}  // namespace

std::vector<valor_if97> consulta(const std::vector<std::string>& consultas)
{
    const std::vector<std::string> lineas = ejecuta_guion(GUION, consultas);
    if (lineas.size() != consultas.size()) return {};
    std::vector<valor_if97> r(lineas.size());
    for (std::size_t i = 0; i < lineas.size(); ++i) {
        std::istringstream is(lineas[i]);
        valor_if97& v = r[i];
        v.bien = static_cast<bool>(is >> v.p >> v.t >> v.h >> v.s >> v.v >> v.x);
    }
    return r;
}

errores errores_de(const punto& q, double suelo_h, double suelo_s)
{
    errores e;
    e.h = rel(q.rh, q.ref.h, suelo_h);
    e.s = rel(q.rs, q.ref.s, suelo_s);
    e.v = rel(q.rv, q.ref.v, 0);
    e.t = std::fabs(q.rt - q.ref.t);
    e.p = rel(q.rp, q.ref.p, 0);
    return e;
}

bool exito_erroneo(const punto& q)
{
    if (q.resultado != 0) return false;
    const errores e = errores_de(q, 0, 0);
    return !(e.h <= 0.01 && e.s <= 0.01 && e.v <= 0.02 && e.p <= 0.01 && e.t <= 1);
}

bool humedo_erroneo(const punto& q)
{
    if (q.resultado != 0) return false;
    if (!q.ref.bien) return true;
    return exito_erroneo(q) || (q.fase == FASE_SALIDA_HUMEDO && std::fabs(q.rx - q.x) > 0.01);
}

bool a_15_k_de_la_saturacion(const punto& q)
{
    punto_saturacion sat;
    return q.p >= 205 && q.p <= 221.2 && consulta_saturacion(POR_PRESION, float(q.p), sat) &&
           std::fabs(q.t - sat.sat) < 15;
}

namespace {

// Los puntos con los valores de IF97 de sus consultas; vacío sin oráculo.
std::vector<punto> con_referencias(std::vector<punto>& puntos, const std::vector<std::string>& consultas)
{
    const auto ref = consulta(consultas);
    if (ref.size() != consultas.size()) return {};
    for (std::size_t i = 0; i < puntos.size(); ++i) puntos[i].ref = ref[i];
    return std::move(puntos);
}

}  // namespace

std::vector<punto> junto_a_saturacion()
{
    static const double fs[] = {-1e-3, -1e-4, -3e-5, -1e-5, -3e-6, 0, 3e-6, 1e-5, 3e-5, 1e-4, 1e-3};
    static const double ds[] = {-9, -7, -5, -3, -1, -0.5, 0.5, 1, 3, 5, 7, 9};
    std::vector<std::string> c;
    for (int tg = 10; tg <= 370; tg += 10) c.push_back(texto("psat %.17g", tg));
    const auto psat = consulta(c);
    if (psat.size() != c.size()) return {};

    std::vector<punto> puntos;
    c.clear();
    for (std::size_t k = 0; k < psat.size(); ++k)
        for (double f : fs) {
            const double p = psat[k].p * (1 + f);
            c.push_back(texto("tsat %.17g", p));
        }
    const auto tsat = consulta(c);
    if (tsat.size() != c.size()) return {};
    c.clear();
    std::size_t n = 0;
    for (std::size_t k = 0; k < psat.size(); ++k)
        for (double f : fs) {
            const double p = psat[k].p * (1 + f);
            const double ts = tsat[n++].t;
            for (double d : ds) {
                const double t = psat[k].t + d;
                if (std::fabs(t - ts) < 0.3) continue;
                anade(puntos, c, p, t, COD_TP);
            }
        }
    return con_referencias(puntos, c);
}

std::vector<punto> una_fase(int codigo, double p_min, double p_max, double t_min, double t_max, int n_presiones,
                            int n_temperaturas, int cada_rejilla)
{
    // Presiones: una malla logarítmica (que cae entre las de la rejilla) y
    // las de la rejilla misma dentro de los límites.
    std::vector<double> presiones;
    for (int i = 0; i < n_presiones; ++i)
        presiones.push_back(p_min * std::pow(p_max / p_min, (i + 0.37) / n_presiones));
    for (int j = 1; j < NUM_PRESIONES; j += std::max(cada_rejilla, 1))
        if (eje_presiones_listado[j] >= p_min && eje_presiones_listado[j] <= p_max)
            presiones.push_back(eje_presiones_listado[j]);
    std::vector<double> temperaturas;
    for (int i = 0; i <= n_temperaturas; ++i) temperaturas.push_back(t_min + (t_max - t_min) * i / n_temperaturas);

    std::vector<std::string> c;
    for (double p : presiones) c.push_back(texto("tsat %.17g", std::min(p, P_CRITICA)));
    const auto tsat = consulta(c);
    if (tsat.size() != c.size()) return {};

    std::vector<punto> puntos;
    c.clear();
    for (std::size_t k = 0; k < presiones.size(); ++k) {
        const double p = presiones[k];
        for (double t : temperaturas) {
            const bool supercritica = p >= P_CRITICA;
            if (!supercritica && std::fabs(t - tsat[k].t) < 2) continue;
            const bool vapor = supercritica ? t >= 373.946 : t > tsat[k].t;
            // (t, s), (t, v) y (p, v) sólo dan vapor (o fluido por encima
            // de la temperatura crítica en las isotermas).
            if ((codigo == COD_TS || codigo == COD_TV) && !(vapor || t >= 373.68)) continue;
            if (codigo == COD_PV && !vapor) continue;
            anade(puntos, c, p, t, codigo);
        }
    }
    return con_referencias(puntos, c);
}

std::vector<punto> junto_al_punto_critico(int codigo)
{
    // Los estados y sus valores de IF97, consultados una sola vez para todas
    // las parejas.
    static const std::vector<punto> estados = [] {
        std::vector<punto> puntos;
        std::vector<std::string> c;
        // En décimas, para no repetir los puntos comunes a las dos mallas.
        std::set<std::pair<int, int>> vistos;
        auto pon = [&](double p, double t) {
            if (vistos.insert({int(std::lround(10 * p)), int(std::lround(10 * t))}).second) anade(puntos, c, p, t, 0);
        };
        for (int p = 200; p <= 240; ++p)
            for (int t = 355; t <= 420; ++t) pon(p, t);
        for (int i = 0; i <= 6; ++i)
            for (int k = 0; k <= 18; ++k) pon(218 + 0.5 * i, 369.5 + 0.5 * k);
        return con_referencias(puntos, c);
    }();
    std::vector<punto> puntos = estados;
    for (punto& q : puntos) q.codigo = codigo;
    return puntos;
}

std::vector<punto> malla_sobre_la_saturacion(double p_desde, double p_hasta, double dt_desde, double dt_hasta,
                                             double paso, int codigo)
{
    std::vector<punto> puntos;
    std::vector<std::string> c;
    for (int k = 0;; ++k) {
        const double p = p_desde + k * paso;
        if (!(p < p_hasta)) break;
        punto_saturacion sat;
        if (!consulta_saturacion(POR_PRESION, float(p), sat)) continue;
        for (long i = std::lround(std::ceil((sat.sat + dt_desde) / paso)); double(i) * paso <= sat.sat + dt_hasta; ++i)
            anade(puntos, c, p, double(i) * paso, codigo);
    }
    return con_referencias(puntos, c);
}

namespace {

std::vector<punto> humedos(double paso_p, double paso_x, int al_azar)
{
    std::vector<punto> puntos;
    auto pon = [&](double p, double x) {
        punto q;
        q.p = p;
        q.x = x;
        puntos.push_back(q);
    };
    const int n_p = int(std::lround(21.2 / paso_p)), n_x = int(std::lround(1 / paso_x));
    for (int i = 0; i <= n_p; ++i)
        for (int k = 0; k <= n_x; ++k) pon(std::min(200 + i * paso_p, 221.2), std::min(k * paso_x, 1.0));
    std::uint64_t semilla = 20261209;
    auto al_azar_01 = [&semilla] {
        semilla = semilla * 6364136223846793005ull + 1442695040888963407ull;
        return double(semilla >> 11) / double(1ull << 53);
    };
    for (int k = 0; k < al_azar; ++k) {
        const double p = 200 + 21.2 * al_azar_01();
        pon(p, al_azar_01());
    }
    // El líquido y el vapor saturados de cada presión, y la mezcla por la
    // regla de la palanca. La mezcla que da el módulo iapws por encima de
    // 623,15 K sale de los volúmenes saturados de sus ecuaciones inversas,
    // que junto al punto crítico se apartan de IF97 (el título de 219 a
    // 220,5 bar, hasta 0,04); sus estados saturados sí los resuelve con la
    // ecuación de la región 3.
    // Una consulta por presión (la de la región 3 es lenta).
    std::map<double, std::size_t> presiones;
    std::vector<std::string> c;
    for (const punto& q : puntos)
        if (presiones.emplace(q.p, c.size()).second) {
            c.push_back(texto("px %.17g 0", q.p));
            c.push_back(texto("px %.17g 1", q.p));
        }
    const auto sat = consulta(c);
    if (sat.size() != c.size()) return {};
    for (punto& q : puntos) {
        const std::size_t i = presiones[q.p];
        const valor_if97& l = sat[i];
        const valor_if97& v = sat[i + 1];
        if (!l.bien || !v.bien) continue;
        auto palanca = [&q](double a, double b) { return (1 - q.x) * a + q.x * b; };
        q.ref = {true, q.p, l.t, palanca(l.h, v.h), palanca(l.s, v.s), palanca(l.v, v.v), q.x};
        q.t = l.t;
    }
    return puntos;
}

}  // namespace

std::vector<punto> humedos_junto_al_punto_critico(int codigo)
{
    // Los estados y sus valores de IF97, consultados una sola vez para todas
    // las parejas.
    static const std::vector<punto> estados = [] { return humedos(0.1, 0.05, 300); }();
    std::vector<punto> puntos = estados;
    for (punto& q : puntos) q.codigo = codigo;
    return puntos;
}

void calcula_puntos(std::vector<punto>& puntos)
{
    for (punto& q : puntos) {
        float a = 0, b = 0;
        const auto& r = q.ref;
        switch (q.codigo) {
        case COD_TP: a = float(q.t), b = float(q.p); break;
        case COD_TS: a = float(q.t), b = float(r.s); break;
        case COD_TV: a = float(q.t), b = float(r.v); break;
        case COD_PH:
        case COD_PH_HUMEDO: a = float(q.p), b = float(r.h); break;
        case COD_PS:
        case COD_PS_HUMEDO: a = float(q.p), b = float(r.s); break;
        case COD_PV:
        case COD_PV_HUMEDO: a = float(q.p), b = float(r.v); break;
        case COD_PX: a = float(q.p), b = float(q.x); break;
        case COD_TX: a = float(q.t), b = float(q.x); break;
        default: break;
        }
        std::int32_t fase = 0;
        q.resultado = calcula(1, a, b, q.codigo, q.rp, q.rt, q.rh, q.rs, q.rv, q.rx, fase);
        q.fase = fase;
    }
}

resumen resume(std::vector<std::pair<double, std::string>> valores)
{
    resumen r;
    r.n = valores.size();
    if (valores.empty()) return r;
    std::sort(valores.begin(), valores.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    r.peor = valores.back().first;
    r.donde = valores.back().second;
    r.p95 = valores[std::min(valores.size() - 1, std::size_t(std::ceil(0.95 * double(valores.size()))) - 1)].first;
    return r;
}

}  // namespace barridos
