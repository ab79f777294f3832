#include "zefirant/datos/nasa_glenn.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>

namespace {

// Número de las columnas [desde, desde + ancho) de la línea; admite el
// exponente Fortran "D". Falso si el campo está vacío o no es un número.
bool campo(const std::string& linea, std::size_t desde, std::size_t ancho, double& valor)
{
    if (linea.size() < desde + ancho) return false;
    std::string texto = linea.substr(desde, ancho);
    for (char& c : texto)
        if (c == 'D' || c == 'd') c = 'E';
    const char* inicio = texto.c_str();
    char* fin = nullptr;
    valor = std::strtod(inicio, &fin);
    if (fin == inicio) return false;
    while (*fin == ' ') ++fin;
    return *fin == '\0' && std::isfinite(valor);
}

bool es_comentario(const std::string& linea)
{
    return linea.empty() || linea[0] == '!' || linea.find_first_not_of(' ') == std::string::npos;
}

} // namespace

const intervalo_nasa* especie_nasa::intervalo(double T) const
{
    for (const intervalo_nasa& i : intervalos)
        if (T >= i.t_min && T <= i.t_max) return &i;
    return nullptr;
}

double especie_nasa::cp(double T) const
{
    const intervalo_nasa* i = intervalo(T);
    if (!i) return std::numeric_limits<double>::quiet_NaN();
    const double* a = i->a;
    return R_NASA * (a[0] / (T * T) + a[1] / T + a[2] + T * (a[3] + T * (a[4] + T * (a[5] + T * a[6]))));
}

double especie_nasa::h(double T) const
{
    const intervalo_nasa* i = intervalo(T);
    if (!i) return std::numeric_limits<double>::quiet_NaN();
    const double* a = i->a;
    double h_rt = -a[0] / (T * T) + a[1] * std::log(T) / T + a[2] +
                  T * (a[3] / 2 + T * (a[4] / 3 + T * (a[5] / 4 + T * a[6] / 5))) + i->b[0] / T;
    return R_NASA * T * h_rt;
}

double especie_nasa::s(double T) const
{
    const intervalo_nasa* i = intervalo(T);
    if (!i) return std::numeric_limits<double>::quiet_NaN();
    const double* a = i->a;
    double s_r = -a[0] / (2 * T * T) - a[1] / T + a[2] * std::log(T) +
                 T * (a[3] + T * (a[4] / 2 + T * (a[5] / 3 + T * a[6] / 4))) + i->b[1];
    return R_NASA * s_r;
}

double especie_nasa::h_sensible(double T) const { return h(T) - h_formacion + h298_h0; }

bool lee_nasa_glenn(const std::string& ruta, std::vector<especie_nasa>& especies, std::string& error)
{
    std::ifstream f(ruta, std::ios::binary);
    if (!f) {
        error = "no se puede abrir " + ruta;
        return false;
    }
    std::vector<std::string> lineas;
    for (std::string l; std::getline(f, l);) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        if (!es_comentario(l)) lineas.push_back(l);
    }
    especies.clear();
    std::size_t k = 0;
    while (k < lineas.size()) {
        especie_nasa e;
        std::size_t primera = lineas[k].find_first_not_of(' ');
        e.nombre = lineas[k].substr(primera, lineas[k].find(' ', primera) - primera);
        auto mal = [&](const char* que) {
            error = "registro " + e.nombre + ": " + que;
            return false;
        };
        if (k + 1 >= lineas.size()) return mal("incompleto");
        const std::string& l2 = lineas[k + 1];
        double n;
        if (!campo(l2, 0, 2, n) || n < 1 || n > 9 || n != std::floor(n)) return mal("número de intervalos");
        if (!campo(l2, 52, 13, e.M) || e.M <= 0) return mal("masa molar");
        if (!campo(l2, 65, 15, e.h_formacion)) return mal("entalpía de formación");
        const std::size_t intervalos = static_cast<std::size_t>(n);
        if (k + 2 + 3 * intervalos > lineas.size()) return mal("faltan intervalos");
        for (std::size_t j = 0; j < intervalos; ++j) {
            const std::string& t = lineas[k + 2 + 3 * j];
            const std::string& c1 = lineas[k + 3 + 3 * j];
            const std::string& c2 = lineas[k + 4 + 3 * j];
            intervalo_nasa i;
            double coeficientes, dh;
            if (!campo(t, 0, 11, i.t_min) || !campo(t, 11, 11, i.t_max) || i.t_max <= i.t_min)
                return mal("temperaturas del intervalo");
            if (!campo(t, 22, 1, coeficientes) || coeficientes != 7) return mal("número de coeficientes");
            if (!campo(t, 65, 15, dh)) return mal("H(298,15) - H(0)");
            if (j == 0)
                e.h298_h0 = dh;
            else if (dh != e.h298_h0)
                return mal("H(298,15) - H(0) distinto entre intervalos");
            for (std::size_t m = 0; m < 5; ++m)
                if (!campo(c1, 16 * m, 16, i.a[m])) return mal("coeficientes a1..a5");
            if (!campo(c2, 0, 16, i.a[5]) || !campo(c2, 16, 16, i.a[6])) return mal("coeficientes a6, a7");
            if (!campo(c2, 48, 16, i.b[0]) || !campo(c2, 64, 16, i.b[1])) return mal("coeficientes b1, b2");
            if (!e.intervalos.empty() && i.t_min != e.intervalos.back().t_max) return mal("intervalos no contiguos");
            e.intervalos.push_back(i);
        }
        especies.push_back(std::move(e));
        k += 2 + 3 * intervalos;
    }
    if (especies.empty()) {
        error = ruta + " no tiene registros";
        return false;
    }
    return true;
}

const especie_nasa* busca_especie(const std::vector<especie_nasa>& especies, const std::string& nombre)
{
    for (const especie_nasa& e : especies)
        if (e.nombre == nombre) return &e;
    return nullptr;
}
