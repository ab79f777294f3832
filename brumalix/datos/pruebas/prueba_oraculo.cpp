// Los ficheros entregados frente a otra implementación de IF97, el módulo
// iapws de Python, cuando está instalado: una muestra de la rejilla (más
// densa cerca del punto crítico) y todas las filas de la tabla de saturación.
#include "brumalix/motor/pruebas/barridos.h"
#include "brumalix/motor/tablas.h"
#include "comun/binario.h"
#include "comun/formato.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::string DIR = DIR_DATOS;

std::vector<float> flotantes(const std::string& nombre)
{
    std::vector<unsigned char> b;
    if (!binario::lee_fichero(DIR + "/" + nombre, b)) return {};
    std::vector<float> v(b.size() / 4);
    for (std::size_t i = 0; i < v.size(); ++i) v[i] = binario::f32_de(b.data() + 4 * i);
    return v;
}

struct respuesta {
    bool bien = false;
    double t = 0, h = 0, s = 0, v = 0;
};

// La respuesta del oráculo en K y m³/kg, como la dan las ecuaciones.
respuesta interpreta(const barridos::valor_if97& v)
{
    return {v.bien, v.t + 273.15, v.h, v.s, v.v / 1000.0};
}

// Error relativo; las magnitudes que pasan por cero se miden contra el suelo.
double rel(double a, double b, double suelo) { return std::fabs(a - b) / std::max(std::fabs(b), suelo); }

} // namespace

TEST(OraculoIapws, RejillaYSaturacion)
{
    const auto f2 = flotantes("f2-bin.dat");
    const auto f1 = flotantes("f1-bin.dat");
    ASSERT_EQ(f2.size(), VALORES_F2);
    ASSERT_GE(f1.size(), 33u);

    struct punto {
        int fichero;  // 2 rejilla, 1 tabla de saturación (líquido), 3 (vapor)
        std::size_t indice;
    };
    std::vector<punto> puntos;
    std::vector<std::string> peticiones;
    char buf[128];
    for (int i = 0; i < NUM_TEMPERATURAS; ++i)
        for (int j = 1; j < NUM_PRESIONES; ++j) {
            const bool critico = eje_temperaturas[i] >= 340 && eje_temperaturas[i] <= 400 && eje_presiones[j] >= 150;
            if (!critico && (i % 3 != 0 || j % 4 != 1)) continue;
            std::snprintf(buf, sizeof buf, "pt %.10g %.10g", eje_presiones_listado[j], double(eje_temperaturas[i]));
            peticiones.push_back(buf);
            puntos.push_back({2, indice_f2(i, j, 0)});
        }
    const std::size_t filas = f1.size() / 11;
    for (std::size_t r = 0; r + 1 < filas; ++r)
        for (int x = 0; x < 2; ++x) {
            if (r == 0)
                std::snprintf(buf, sizeof buf, "tx 0.01 %d", x);
            else
                // La presión redonda de la fila, no su f32.
                std::snprintf(buf, sizeof buf, "px %.10g %d",
                              std::strtod(formatea("%.7g", double(f1[r * 11])).c_str(), nullptr), x);
            peticiones.push_back(buf);
            puntos.push_back({x == 0 ? 1 : 3, r * 11});
        }

    const std::vector<barridos::valor_if97> lineas = barridos::consulta(peticiones);
    if (lineas.empty()) GTEST_SKIP() << "no hay python3 con el módulo iapws";
    ASSERT_EQ(lineas.size(), peticiones.size());

    double peor_rejilla = 0, peor_saturacion = 0;
    std::string donde_rejilla, donde_saturacion;
    int fallos = 0;
    for (std::size_t n = 0; n < puntos.size(); ++n) {
        const respuesta r = interpreta(lineas[n]);
        if (!r.bien) {
            ADD_FAILURE() << peticiones[n] << ": sin respuesta";
            continue;
        }
        const auto& pt = puntos[n];
        double e;
        if (pt.fichero == 2) {
            e = std::max({rel(f2[pt.indice], r.h, 1.0), rel(f2[pt.indice + 1], r.s, 0.01),
                          rel(f2[pt.indice + 2], r.v * 1000.0, 0.0)});
            if (e > peor_rejilla) peor_rejilla = e, donde_rejilla = peticiones[n];
            // Sólo redondeo a f32 y diferencias de cálculo en doble.
            if (e > 1e-6 && ++fallos <= 10) ADD_FAILURE() << peticiones[n] << " -> " << formatea("%.12g %.12g %.12g %.12g", r.t, r.h, r.s, r.v) << ": " << e;
        } else {
            const bool liquido = pt.fichero == 1;
            const float* fila = &f1[pt.indice];
            e = std::max({rel(fila[1] + 273.15, r.t, 0.0), rel(fila[liquido ? 3 : 5], r.h, 1.0),
                          rel(fila[liquido ? 6 : 8], r.s, 0.0036), rel(fila[liquido ? 9 : 10], r.v * 1000.0, 0.0)});
            if (e > peor_saturacion) peor_saturacion = e, donde_saturacion = peticiones[n];
            if (e > 1e-6 && ++fallos <= 10) ADD_FAILURE() << peticiones[n] << " -> " << formatea("%.12g %.12g %.12g %.12g", r.t, r.h, r.s, r.v) << ": " << e;
        }
    }
    std::printf("%zu puntos; peor diferencia relativa: rejilla %.3g (%s), saturación %.3g (%s)\n", puntos.size(),
                peor_rejilla, donde_rejilla.c_str(), peor_saturacion, donde_saturacion.c_str());
    EXPECT_EQ(fallos, 0);
}
