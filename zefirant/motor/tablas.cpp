#include "zefirant/motor/tablas.h"
#include "zefirant/motor/listado.h"
#include "zefirant/motor/problema.h"
#include "zefirant/motor/unidades.h"

#include "comun/formato.h"
#include "comun/lineas.h"
#include "comun/texto1252.h"

#include <string>

namespace {

// Nombre visible: el de la tabla para los tipos 0 a 10 y el del propio
// registro para "Otro" (o un tipo que no es de la tabla).
std::string nombre_visible(const propiedades_gas& g)
{
    std::string nombre = (g.tipo >= GAS_AIRE && g.tipo <= GAS_GASOLEO) ? std::string(nombres_gases[g.tipo])
                                                                       : nombre_registro(g);
    quita_blancos(nombre);
    return nombre;
}

// Columna de la clase de transformación, con su exponente en las
// isentrópicas y las politrópicas.
std::string texto_clase(const resultado_transformacion& r)
{
    switch (r.clase) {
    case T_ISOBARA: return " isobara      ";
    case T_ISOCORA: return " isócora      "_w;
    case T_ISOTERMA: return " isoterma     ";
    case T_ISENTROPICA: return formatea(" `Sg=%-11.4f", r.n);
    default: return formatea(" `In=%-11.4f", r.n);
    }
}

} // namespace

void cabecera_estados(const problema& p, lista_lineas* lista, std::FILE* fichero)
{
    const propiedades_gas& g = *p.gas;
    auto escribe = [&](const std::string& linea) { escribe_linea(lista, fichero, linea); };

    escribe("PROPIEDADES DE ESTADOS INTRODUCIDOS");
    const std::string nombre = nombre_visible(g);
    // El nombre conserva sus puntos: la coma decimal sólo va en los números.
    if (g.tipo < GAS_GASOLINA) {
        escribe(formatea("GAS: %s     ", nombre.c_str()) + texto_masa_molar(g));
    } else {
        escribe(formatea("GAS: %s,  ", nombre.c_str()) +
                con_coma(formatea("(`Ic=%5.1f%%; `Ih=%5.1f%%; `IH`D`Iu=%8.1f kJ/kg combustible)", 100.0 * g.c,
                                  100.0 * g.h, g.Hu)));
        escribe(con_coma(
            formatea("aire=%6.4f; aire(mín) = %6.3f kg/kg combustible; `IM=%6.3f kg/kmol"_w, g.aire, g.aire_min, g.M)));
        escribe(linea_calor_humos(g));
    }
    escribe("Exergías referidas a `It`D`Ia = 20 °C y `Ip`D`Ia = 1 bar"_w);
    escribe(linea_raya(RAYA_TABLAS));
    escribe("est.`S½ presión  temp.    energía   entalpía  entropía  exergía   volumen "_w);
    escribe(" n° `S½absoluta absoluta  interna  específica específ. entálpica específico "_w);
    escribe("    `S½    `Ip       `IT         `Iu         `Ih         `Is         `Ie         `Iv       "_w);
    std::string unidades = "    `S½"_w;
    unidades += unidad_presion_at ? " kg/cm² "_w : "   bar  ";
    unidades += "    K      ";
    unidades += segun_unidades("kJ/kmol   kJ/kmol   kJ/kmolK  kJ/kmol    m³/kmol"_w,
                               "kJ/kg     kJ/kg     kJ/kgK     kJ/kg     m³/kg"_w,
                               "kcal/kmol kcal/kmol kcal/molK kcal/kmol  m³/kmol"_w,
                               "kcal/kg   kcal/kg   kcal/kgK   kcal/kg   m³/kg "_w);
    escribe(unidades);
    escribe(linea_raya(RAYA_TABLAS));
}

int texto_estados(const problema& p, lista_lineas* lista, std::FILE* fichero)
{
    cabecera_estados(p, lista, fichero);
    const int n = p.num_estados < MAXESTADOS ? p.num_estados : MAXESTADOS;
    for (int i = 0; i < n; ++i) {
        const float* v = p.estados[i].prop;
        escribe_linea(lista, fichero,
                      con_coma(formatea(" %2d `S½ %6.2f  %7.2f  %8.1f  %8.1f   %7.3f   %8.1f   %8.4f"_w, i + 1, v[E_PRES],
                                        v[E_TEMP], v[E_UINT], v[E_ENTAL], v[E_ENTROP], v[E_EXERG], v[E_VOL])));
    }
    return 1;
}

void cabecera_transformaciones(const problema& p, lista_lineas* lista, std::FILE* fichero)
{
    auto escribe = [&](const std::string& linea) { escribe_linea(lista, fichero, linea); };
    escribe(formatea("TRANSFORMACIONES TERMODINÁMICAS. GAS: %s"_w, nombre_registro(*p.gas).c_str()));
    escribe(linea_raya(RAYA_TABLAS));
    escribe("trans-`S½    tipo      `S½ trabajo            variación  variación  variación"_w);
    escribe("forma-`S½transformación`S½expansión            energía   entalpía    exergía"_w);
    escribe("ción  `S½              `S½                     interna              entálpica"_w);
    escribe("      `S½              `S½ `IW=`Sò`Ip·`Id`Iv    -`Sò`Iv·`Id`Ip      `M`SD`Iu        `M`SD`Ih         "
            "`M`SD`Ie  "_w);
    escribe(segun_unidades("      `S½              `S½ kJ/kmol    kJ/kmol   kJ/kmol   kJ/kmol    kJ/kmol"_w,
                           "      `S½              `S½ kJ/kg      kJ/kg     kJ/kg     kJ/kg      kJ/kg  "_w,
                           "      `S½              `S½ kcal/kmol  kcal/kmol kcal/mol  kcal/kmol kcal/kmol"_w,
                           "      `S½              `S½ kcal/kg    kcal/kg   kcal/kg   kcal/kg   kcal/kg  "_w));
    escribe(linea_raya(RAYA_TABLAS));
}

int texto_transformaciones(const problema& p, lista_lineas* lista, std::FILE* fichero)
{
    cabecera_transformaciones(p, lista, fichero);
    const int n = p.num_transformaciones < MAXTRANSFORMACIONES ? p.num_transformaciones : MAXTRANSFORMACIONES;
    for (int k = 0; k < n; ++k) {
        const transformacion& t = p.transformaciones[k];
        const resultado_transformacion& r = p.resultados[k];
        std::string linea = formatea("%2d-%-2d `S½"_w, t.desde, t.hasta) + texto_clase(r) + "`S½"_w;
        linea += formatea("%9.1f %9.1f %9.1f %9.1f  %9.1f", r.W, r.Wt, r.du, r.dh, r.de);
        escribe_linea(lista, fichero, con_coma(linea));
    }
    return 1;
}
