// Polinomios NASA Glenn de nueve coeficientes (NASA/TP-2002-211556): lectura
// de los registros de nasa_glenn.inp y evaluación de cp, H y S de un gas ideal.
#pragma once

#include <string>
#include <vector>

// Constante de los gases con la que están ajustados los polinomios, J/(mol K).
constexpr double R_NASA = 8.314510;

// Un intervalo de temperaturas con sus coeficientes a1..a7 y b1, b2.
struct intervalo_nasa {
    double t_min = 0;
    double t_max = 0;
    double a[7] = {};
    double b[2] = {};
};

// Registro de un gas. Energías en J/mol (= kJ/kmol), entropías en J/(mol K).
struct especie_nasa {
    std::string nombre;
    double M = 0;             // masa molar, g/mol
    double h_formacion = 0;   // entalpía de formación a 298,15 K
    double h298_h0 = 0;       // H(298,15) - H(0)
    std::vector<intervalo_nasa> intervalos;

    // Intervalo que contiene T (el inferior en la frontera común); nullptr si
    // ninguno la contiene.
    const intervalo_nasa* intervalo(double T) const;
    // Evaluaciones en un intervalo que contenga T (fuera de él, NaN).
    double cp(double T) const;            // capacidad calorífica instantánea
    double h(double T) const;             // entalpía asignada (incluye la de formación)
    double s(double T) const;             // entropía absoluta a 1 bar
    double h_sensible(double T) const;    // H(T) - H(0)
    double g(double T) const { return h(T) - T * s(T); }
};

// Lee todos los registros del fichero (las líneas que empiezan por "!" son
// comentarios). Devuelve falso con el motivo en 'error' si el fichero no se
// puede leer o un registro está mal formado.
bool lee_nasa_glenn(const std::string& ruta, std::vector<especie_nasa>& especies, std::string& error);

// Registro de nombre exacto 'nombre'; nullptr si no está.
const especie_nasa* busca_especie(const std::vector<especie_nasa>& especies, const std::string& nombre);
