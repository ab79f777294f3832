#include "zefirant/motor/transformaciones.h"
#include "zefirant/motor/unidades.h"

#include "comun/factores_unidades.h"
#include "comun/formato.h"
#include "comun/texto1252.h"

#include <cmath>

int calcula_transformaciones(problema& p, std::string& texto)
{
    texto.clear();
    const int num = p.num_transformaciones < MAXTRANSFORMACIONES ? p.num_transformaciones : MAXTRANSFORMACIONES;
    const float R = unidad_masa_kg ? static_cast<float>(R_UNIVERSAL / p.gas->M) : static_cast<float>(R_UNIVERSAL);
    // W y Wt de las isobaras e isocoras necesitan la presión en bar.
    const double a_bar = unidad_presion_at ? AT_A_BAR : 1.0;
    for (int i = 0; i < num; ++i) {
        const int a = p.transformaciones[i].desde;
        const int b = p.transformaciones[i].hasta;
        if (a == 0 || a > p.num_estados || b == 0 || b > p.num_estados) {
            texto = formatea("ERROR: No hay estados definidos en transformación %d"_w, i + 1);
            return 0;
        }
        const float* e1 = p.estados[a - 1].prop;
        const float* e2 = p.estados[b - 1].prop;
        resultado_transformacion& r = p.resultados[i];
        double W, Wt;
        double n = 0;
        // Clasificación por igualdad exacta de los valores guardados.
        if (e1[E_PRES] == e2[E_PRES]) {
            r.clase = T_ISOBARA;
            W = BAR_M3_A_KJ * e1[E_PRES] * a_bar * (double(e2[E_VOL]) - e1[E_VOL]);
            Wt = 0;
        } else if (e1[E_VOL] == e2[E_VOL]) {
            r.clase = T_ISOCORA;
            W = 0;
            Wt = BAR_M3_A_KJ * e1[E_VOL] * (double(e1[E_PRES]) - e2[E_PRES]) * a_bar;
        } else if (e1[E_TEMP] == e2[E_TEMP]) {
            r.clase = T_ISOTERMA;
            W = R * double(e1[E_TEMP]) * std::log(double(e1[E_PRES]) / e2[E_PRES]);
            Wt = W;
        } else {
            n = std::log(double(e1[E_PRES]) / e2[E_PRES]) / std::log(double(e2[E_VOL]) / e1[E_VOL]);
            r.clase = e1[E_ENTROP] == e2[E_ENTROP] ? T_ISENTROPICA : T_POLITROPICA;
            if (n != 1) {
                W = R * (double(e1[E_TEMP]) - e2[E_TEMP]) / (n - 1);
            } else {
                // p·v igual en los dos estados con temperaturas que difieren
                // en el último bit: el límite de n -> 1 es el trabajo isotermo.
                W = R * double(e1[E_TEMP]) * std::log(double(e1[E_PRES]) / e2[E_PRES]);
            }
            Wt = n * W;
        }
        r.n = static_cast<float>(n);
        r.du = e2[E_UINT] - e1[E_UINT];
        r.dh = e2[E_ENTAL] - e1[E_ENTAL];
        r.de = e2[E_EXERG] - e1[E_EXERG];
        if (r.clase == T_ISENTROPICA) {
            W = -r.du;
            Wt = -r.dh;
        } else if (unidad_energia_kcal) {
            W *= KJ_A_KCAL;
            Wt *= KJ_A_KCAL;
        }
        r.W = static_cast<float>(W);
        r.Wt = static_cast<float>(Wt);
        // Con una tabla dañada o valores extremos un resultado puede salir
        // infinito o indefinido: no se da por calculado.
        if (!std::isfinite(r.W) || !std::isfinite(r.Wt) || !std::isfinite(r.du) || !std::isfinite(r.dh) ||
            !std::isfinite(r.de) || !std::isfinite(r.n)) {
            texto = formatea("ERROR: Datos fuera de margen en transformación %d"_w, i + 1);
            return 0;
        }
    }
    return 1;
}
