#include "zefirant/motor/pruebas/ayuda_pruebas.h"

#include "zefirant/motor/combustible.h"
#include "zefirant/motor/solucion.h"
#include "zefirant/motor/unidades.h"

#include "comun/texto1252.h"

#include <cstring>

void ConDatos::SetUp()
{
    ASSERT_EQ(abre_ficheros_datos(DIR_DATOS), 1) << DIR_DATOS;
    p = problema_actual;
    reinicia_problema(p);
    *p->gas = propiedades_gas{};
    unidad_masa_kg = unidad_energia_kcal = unidad_presion_at = 0;
}

void ConDatos::TearDown() { unidad_masa_kg = unidad_energia_kcal = unidad_presion_at = 0; }

void ConDatos::pon_gas(int tipo, float aire)
{
    propiedades_gas& g = *p->gas;
    g.tipo = static_cast<std::int8_t>(tipo);
    g.aire = aire;
    pon_datos_fijos(g);
    if (tipo <= GAS_GASOLEO) std::strcpy(g.nombre, nombres_gases[tipo]);
    ASSERT_EQ(carga_propiedades(g), 1);
}

estado& ConDatos::nuevo_estado(std::initializer_list<std::pair<int, float>> valores,
                               std::initializer_list<std::pair<int, int>> referencias)
{
    estado& e = p->datos[p->num_estados++];
    if (e.marca != 1) reinicia_estado(e);  // un estado preparado se conserva
    for (auto [j, v] : valores) e.prop[j] = v;
    for (auto [j, r] : referencias) e.referencia[j] = r;
    return e;
}

void ConDatos::nueva_transformacion(int desde, int hasta)
{
    p->transformaciones[p->num_transformaciones++] = {static_cast<std::uint8_t>(desde),
                                                      static_cast<std::uint8_t>(hasta)};
}

int ConDatos::resuelve(std::string* texto)
{
    std::string t;
    int r = resuelve_estados(*p, t);
    if (texto) *texto = t;
    return r;
}

void ConDatos::problema_aire()
{
    pon_gas(GAS_AIRE);
    nuevo_estado({{E_TEMP, 300}, {E_PRES, 1}});
    nuevo_estado({{E_PRES, 3}}, {{E_TEMP, 1}});
    nuevo_estado({{E_POLI, 1.4f}, {E_TEMP, 600}});
    nuevo_estado({{E_TEMP, 1300}}, {{E_PRES, 3}});
    nuevo_estado({{E_TEMP, 300}}, {{E_VOL, 4}});
    nuevo_estado({{E_PRES, 1}}, {{E_ENTROP, 4}});
    for (auto [a, b] : {std::pair{1, 2}, {2, 3}, {3, 4}, {4, 5}, {4, 6}}) nueva_transformacion(a, b);
}

void ConDatos::problema_gasolina()
{
    pon_gas(GAS_GASOLINA, 1.0f);
    nuevo_estado({{E_TEMP, 300}, {E_PRES, 1}});
    nuevo_estado({{E_POLI, 1.35f}, {E_VOL, 2.5f}});
    nuevo_estado({{E_XV, 0.6f}}, {{E_VOL, 2}});
    EXPECT_EQ(completa_fraccion_siguiente(*p, 2), 1);
    nuevo_estado();  // el 4, preparado
    nuevo_estado({{E_POLI, 1.35f}}, {{E_VOL, 1}});
    for (auto [a, b] : {std::pair{1, 2}, {2, 3}, {3, 4}, {4, 5}}) nueva_transformacion(a, b);
}

void ConDatos::problema_gasoleo()
{
    pon_gas(GAS_GASOLEO, 1.5f);
    nuevo_estado({{E_TEMP, 300}, {E_PRES, 1}});
    nuevo_estado({{E_POLI, 1.35f}, {E_VOL, 1.6f}});
    nuevo_estado({{E_XP, 1}}, {{E_PRES, 2}});
    nuevo_estado({{E_POLI, 1.35f}}, {{E_VOL, 1}});
    for (auto [a, b] : {std::pair{1, 2}, {2, 3}, {3, 4}}) nueva_transformacion(a, b);
}

std::string w(const std::string& utf8) { return texto1252::desde_utf8(utf8); }

std::string raya(int n) { return std::string(static_cast<std::size_t>(n), '\x97'); }
