// barrido_agua: los errores del motor de vapor frente a IAPWS-IF97 (módulo
// iapws de Python), por bandas de presión: peor error y percentil 95 de h, s
// y v en los estados de una fase dados por (t, p), los estados junto a la
// saturación y las búsquedas inversas. Se ejecuta sin argumentos desde el
// directorio de compilación (lee las tablas del directorio del programa).
#include "brumalix/motor/pruebas/barridos.h"

#include "brumalix/motor/calcula.h"
#include "brumalix/motor/inicio.h"
#include "brumalix/motor/tablas.h"
#include "brumalix/motor/traza.h"
#include "comun/lineas.h"
#include "comun/mensajes.h"

#include <algorithm>
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

// Junto al punto crítico, por pareja: éxitos, éxitos erróneos (fuera de
// lo admitido frente a IF97), rechazos y peores errores de los éxitos; los
// estados a 15 K de la saturación que se aceptan; y los puntos de la
// rejilla de 200 a 240 bar dados por (t, p).
void informa_punto_critico(bool detalle)
{
    struct pareja {
        const char* nombre;
        int codigo;
    };
    const pareja parejas[] = {{"(t, p)", COD_TP}, {"(p, h)", COD_PH}, {"(p, s)", COD_PS},
                              {"(t, s)", COD_TS}, {"(t, v)", COD_TV}, {"(p, v)", COD_PV}};
    bool titulo = false;
    int zona = 0, zona_aceptados = 0;
    // De 200 a 205 bar (sin 205), donde la isobara usa las columnas de 190,
    // 200 y 210 bar: aceptados por pareja, de cuántos, y erróneos.
    std::string banda_baja;
    int banda_baja_n = 0, banda_baja_erroneos = 0;
    for (const pareja& k : parejas) {
        auto puntos = barridos::junto_al_punto_critico(k.codigo);
        if (puntos.empty()) return;
        barridos::calcula_puntos(puntos);
        if (!titulo) {
            titulo = true;
            std::printf("\nJunto al punto crítico (200-240 bar x 355-420 °C de 1 en 1, y 218-221 bar x 369,5-378,5 °C "
                        "de 0,5 en 0,5): %zu estados por pareja\n",
                        puntos.size());
            std::printf("  %-7s %6s %10s %8s | %8s %8s %8s %8s %8s | %s\n", "pareja", "éxitos", "erróneos", "rechazos",
                        "h peor %", "s peor %", "v peor %", "p peor %", "t peor K",
                        "a 15 K de la saturación (205-221,2 bar)");
        }
        int exitos = 0, erroneos = 0, z = 0, za = 0, baja = 0;
        barridos::errores peor;
        for (const punto& q : puntos) {
            const bool en_zona = barridos::a_15_k_de_la_saturacion(q);
            const bool en_banda_baja = q.p < 205;
            z += en_zona;
            banda_baja_n += en_banda_baja && k.codigo == COD_TP;
            if (q.resultado != 0) continue;
            ++exitos;
            za += en_zona;
            baja += en_banda_baja;
            banda_baja_erroneos += en_banda_baja && barridos::exito_erroneo(q);
            const auto e = barridos::errores_de(q, 0, 0);
            peor.h = std::max(peor.h, e.h);
            peor.s = std::max(peor.s, e.s);
            peor.v = std::max(peor.v, e.v);
            peor.p = std::max(peor.p, e.p);
            peor.t = std::max(peor.t, e.t);
            if (barridos::exito_erroneo(q)) {
                ++erroneos;
                if (detalle)
                    std::printf("    %s %s: p %.6g t %.6g h %.6g (IF97 %.6g) s %.6g (%.6g) v %.6g (%.6g)\n", k.nombre,
                                nombre(q).c_str(), q.rp, q.rt, q.rh, q.ref.h, q.rs, q.ref.s, q.rv, q.ref.v);
            }
        }
        std::printf("  %-7s %6d %9d %8zu | %8.3g %8.3g %8.3g %8.3g %8.3g | %d de %d (%.1f %%)\n", k.nombre, exitos,
                    erroneos, puntos.size() - std::size_t(exitos), 100 * peor.h, 100 * peor.s, 100 * peor.v,
                    100 * peor.p, peor.t, za, z, z ? 100.0 * za / z : 0.0);
        banda_baja += std::string(banda_baja.empty() ? "" : ", ") + k.nombre + " " + std::to_string(baja);
        // Las cinco parejas de la zona; (p, v) sólo da vapor.
        if (k.codigo != COD_PV) {
            zona += z;
            zona_aceptados += za;
        }
    }
    std::printf("  A 15 K de la saturación, las cinco primeras parejas: %d de %d aceptados (%.1f %%)\n", zona_aceptados,
                zona, zona ? 100.0 * zona_aceptados / zona : 0.0);
    std::printf("  De 200 a 205 bar (sin 205), aceptados de %d: %s; erróneos %d\n", banda_baja_n, banda_baja.c_str(),
                banda_baja_erroneos);

    int nodos = 0, exactos = 0;
    for (int j = 0; j < NUM_PRESIONES; ++j) {
        if (eje_presiones[j] < 200) continue;
        for (int i = 0; i < NUM_TEMPERATURAS; ++i) {
            float p, t, h, s, v, x;
            std::int32_t fase;
            ++nodos;
            if (calcula(1, eje_temperaturas[i], eje_presiones[j], COD_TP, p, t, h, s, v, x, fase) == 0 &&
                h == valor_f2(i, j, 0) && s == valor_f2(i, j, 1) && v == valor_f2(i, j, 2))
                ++exactos;
            else if (detalle)
                std::printf("    punto de la rejilla %g bar, %g °C: no da los valores de la tabla\n", eje_presiones[j],
                            eje_temperaturas[i]);
        }
    }
    std::printf("Puntos de la rejilla de 200 a 240 bar, (t, p): %d de %d con los valores de la tabla\n", exactos, nodos);
}

// Vapor húmedo de 200 a 221,2 bar por pareja: éxitos, erróneos (fuera de lo
// admitido o con el título a más de 0,01 de IF97), vapor húmedo donde IF97 no
// lo tiene (por encima de 220,64 bar) y rechazos.
void informa_humedo(bool detalle)
{
    struct pareja {
        const char* nombre;
        int codigo;
    };
    const pareja parejas[] = {{"(p, x)", COD_PX},         {"(p, h) húmedo", COD_PH_HUMEDO},
                              {"(p, s) húmedo", COD_PS_HUMEDO}, {"(p, v) húmedo", COD_PV_HUMEDO},
                              {"(t, x)", COD_TX},         {"(p, h)", COD_PH},
                              {"(p, s)", COD_PS},         {"(p, v)", COD_PV}};
    bool titulo = false;
    for (const pareja& k : parejas) {
        auto puntos = barridos::humedos_junto_al_punto_critico(k.codigo);
        if (puntos.empty()) return;
        if (k.codigo != COD_PX)
            puntos.erase(std::remove_if(puntos.begin(), puntos.end(), [](const punto& q) { return !q.ref.bien; }),
                         puntos.end());
        barridos::calcula_puntos(puntos);
        if (!titulo) {
            titulo = true;
            std::printf("\nVapor húmedo de 200 a 221,2 bar (malla de 0,1 bar x 0,05 de título y 300 al azar)\n");
            std::printf("  %-14s %6s %8s %9s %9s\n", "pareja", "éxitos", "erróneos", "sin IF97", "rechazos");
        }
        int exitos = 0, erroneos = 0, sin_if97 = 0;
        for (const punto& q : puntos) {
            if (q.resultado != 0) continue;
            ++exitos;
            if (!barridos::humedo_erroneo(q)) continue;
            ++erroneos;
            sin_if97 += !q.ref.bien;
            if (detalle)
                std::printf("    %s p=%.6g x=%.4g: t %.6g h %.6g s %.6g v %.6g x %.6g\n", k.nombre, q.p, q.x, q.rt,
                            q.rh, q.rs, q.rv, q.rx);
        }
        std::printf("  %-14s %6d %8d %9d %9zu\n", k.nombre, exitos, erroneos, sin_if97,
                    puntos.size() - std::size_t(exitos));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    sin_mensajes mensajes;
    pon_sumidero_mensajes(&mensajes);
    pon_lista_traza(&traza_descartada());
    // "-v" lista además cada estado junto a la saturación fuera de lo pedido,
    // y junto al punto crítico cada éxito erróneo y cada punto de la
    // rejilla que no da los valores de la tabla.
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
    informa_punto_critico(detalle);
    informa_humedo(detalle);
    return 0;
}
