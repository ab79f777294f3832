// barrido_agua: los errores del motor de vapor frente a IAPWS-IF97 (módulo
// iapws de Python), por bandas de presión: peor error y percentil 95 de h, s
// y v en los estados de una fase dados por (t, p), los estados junto a la
// saturación y las búsquedas inversas. Se ejecuta sin argumentos desde el
// directorio de compilación (lee las tablas del directorio del programa).
#include "barridos.h"

#include "brumalix/motor/calcula.h"
#include "brumalix/motor/tablas.h"
#include "brumalix/motor/traza.h"
#include "comun/lineas.h"
#include "comun/mensajes.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

class sin_mensajes : public sumidero_mensajes {
public:
    void error(const std::string&) override {}
    void aviso(const std::string&) override {}
    respuesta pregunta(const std::string&, const std::string&, bool) override { return respuesta::no; }
};


using barridos::punto;

std::string nombre(const punto& q)
{
    char buf[80];
    std::snprintf(buf, sizeof buf, "p=%.6g t=%.4g", q.p, q.t);
    return buf;
}

int banda(double p)
{
    for (std::size_t b = 0; b + 1 < barridos::LIMITES_BANDAS.size(); ++b)
        if (p <= barridos::LIMITES_BANDAS[b + 1]) return int(b);
    return -1;
}

// Errores de h, s y v (%), y de t (K) o de p (%) según la pareja, por bandas.
void informa(const char* titulo, const std::vector<punto>& puntos, bool con_t, bool con_p)
{
    std::printf("\n%s: %zu estados\n", titulo, puntos.size());
    std::printf("  %-13s %6s %6s | %9s %9s | %9s %9s | %9s %9s", "banda (bar)", "n", "fallos", "h peor %",
                "h p95 %", "s peor %", "s p95 %", "v peor %", "v p95 %");
    if (con_t) std::printf(" | %9s %9s", "t peor K", "t p95 K");
    if (con_p) std::printf(" | %9s %9s", "p peor %", "p p95 %");
    std::printf("\n");
    for (std::size_t b = 0; b + 1 < barridos::LIMITES_BANDAS.size(); ++b) {
        std::vector<std::pair<double, std::string>> eh, es, ev, et, ep;
        int fallos = 0;
        for (const punto& q : puntos) {
            if (banda(q.p) != int(b)) continue;
            if (q.resultado != 0) {
                ++fallos;
                continue;
            }
            const auto e = barridos::errores_de(q, 10, 0.1);
            eh.push_back({100 * e.h, nombre(q)});
            es.push_back({100 * e.s, nombre(q)});
            ev.push_back({100 * e.v, nombre(q)});
            et.push_back({e.t, nombre(q)});
            ep.push_back({100 * std::fabs(q.rp - q.p) / q.p, nombre(q)});
        }
        const auto h = barridos::resume(eh), s = barridos::resume(es), v = barridos::resume(ev);
        char rango[32];
        std::snprintf(rango, sizeof rango, "%g-%g", barridos::LIMITES_BANDAS[b], barridos::LIMITES_BANDAS[b + 1]);
        std::printf("  %-13s %6zu %6d | %9.3g %9.3g | %9.3g %9.3g | %9.3g %9.3g", rango, h.n, fallos, h.peor, h.p95,
                    s.peor, s.p95, v.peor, v.p95);
        if (con_t) {
            const auto t = barridos::resume(et);
            std::printf(" | %9.3g %9.3g", t.peor, t.p95);
        }
        if (con_p) {
            const auto p = barridos::resume(ep);
            std::printf(" | %9.3g %9.3g", p.peor, p.p95);
        }
        std::printf("\n");
        if (h.n) {
            std::printf("      peor h en %s, s en %s, v en %s", h.donde.c_str(), s.donde.c_str(), v.donde.c_str());
            if (con_t) std::printf(", t en %s", barridos::resume(et).donde.c_str());
            std::printf("\n");
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    sin_mensajes mensajes;
    pon_sumidero_mensajes(&mensajes);
    pon_lista_traza(&traza_descartada());
    // "-v" lista además cada estado junto a la saturación fuera de lo pedido.
    bool detalle = false;
    std::string dir = DIR_DATOS;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "-v")
            detalle = true;
        else
            dir = argv[i];
    }
    if (inicializa_datos(dir + "/") != 1) {
        std::fprintf(stderr, "no se pueden leer las tablas de %s\n", dir.c_str());
        return 1;
    }

    auto junto = barridos::junto_a_saturacion();
    if (junto.empty()) {
        std::fprintf(stderr, "hace falta python3 con el módulo iapws (paquete python3-iapws)\n");
        return 1;
    }
    barridos::calcula_puntos(junto);
    int malos = 0;
    for (const punto& q : junto) {
        if (q.resultado != 0) {
            if (detalle) std::printf("  %s: rechazado con %d\n", nombre(q).c_str(), q.resultado);
            continue;
        }
        const auto e = barridos::errores_de(q, 0, 0);
        if (e.h > 0.01 || e.s > 0.01 || e.v > 0.02) {
            ++malos;
            if (detalle)
                std::printf("  %s: h %.6g (IF97 %.6g) s %.6g (%.6g) v %.6g (%.6g)\n", nombre(q).c_str(), q.rh, q.ref.h,
                            q.rs, q.ref.s, q.rv, q.ref.v);
        }
    }
    std::printf("Junto a la saturación (t = T rejilla ± 0,5..9 K, p = psat(T)·(1 + f)): %zu estados, %d dados por "
                "buenos con h o s a más del 1 %% o v a más del 2 %% de IF97\n",
                junto.size(), malos);
    informa("Junto a la saturación, (t, p)", junto, false, false);

    struct pareja {
        const char* titulo;
        int codigo;
        bool con_t, con_p;
    };
    const pareja parejas[] = {
        {"Una fase, (t, p), 1-790 °C", COD_TP, false, false},
        {"Una fase, (p, h): t hallada", COD_PH, true, false},
        {"Una fase, (p, s): t hallada", COD_PS, true, false},
        {"Vapor, (p, v): t hallada", COD_PV, true, false},
        {"Vapor, (t, s): p hallada", COD_TS, false, true},
        {"Vapor, (t, v): p hallada", COD_TV, false, true},
    };
    for (const pareja& k : parejas) {
        auto puntos = barridos::una_fase(k.codigo, 0.02, 221.2, 1, 790, 60, 80);
        barridos::calcula_puntos(puntos);
        informa(k.titulo, puntos, k.con_t, k.con_p);
    }
    return 0;
}
