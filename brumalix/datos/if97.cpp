#include "brumalix/datos/if97.h"

#include "comun/factores_unidades.h"

#include <cmath>
#include <cstddef>
#include <stdexcept>

namespace if97 {

namespace {

struct termino {
    int i;
    int j;
    double n;
};

// Región 1: energía de Gibbs adimensional γ(π, τ) = Σ n (7,1 − π)^I (τ − 1,222)^J,
// con π = p / 16,53 MPa y τ = 1386 K / T.
constexpr termino R1[] = {
    {0, -2, 0.14632971213167},     {0, -1, -0.84548187169114},     {0, 0, -0.37563603672040e1},
    {0, 1, 0.33855169168385e1},    {0, 2, -0.95791963387872},      {0, 3, 0.15772038513228},
    {0, 4, -0.16616417199501e-1},  {0, 5, 0.81214629983568e-3},    {1, -9, 0.28319080123804e-3},
    {1, -7, -0.60706301565874e-3}, {1, -1, -0.18990068218419e-1},  {1, 0, -0.32529748770505e-1},
    {1, 1, -0.21841717175414e-1},  {1, 3, -0.52838357969930e-4},   {2, -3, -0.47184321073267e-3},
    {2, 0, -0.30001780793026e-3},  {2, 1, 0.47661393906987e-4},    {2, 3, -0.44141845330846e-5},
    {2, 17, -0.72694996297594e-15}, {3, -4, -0.31679644845054e-4}, {3, 0, -0.28270797985312e-5},
    {3, 6, -0.85205128120103e-9},  {4, -5, -0.22425281908000e-5},  {4, -2, -0.65171222895601e-6},
    {4, 10, -0.14341729937924e-12}, {5, -8, -0.40516996860117e-6}, {8, -11, -0.12734301741641e-8},
    {8, -6, -0.17424871230634e-9}, {21, -29, -0.68762131295531e-18}, {23, -31, 0.14478307828521e-19},
    {29, -38, 0.26335781662795e-22}, {30, -39, -0.11947622640071e-22}, {31, -40, 0.18228094581404e-23},
    {32, -41, -0.93537087292458e-25},
};

// Región 2, parte de gas ideal: γ° = ln π + Σ n° τ^J°, con π = p / 1 MPa y
// τ = 540 K / T.
struct termino_ideal {
    int j;
    double n;
};
constexpr termino_ideal R2_IDEAL[] = {
    {0, -0.96927686500217e1}, {1, 0.10086655968018e2},   {-5, -0.56087911283020e-2},
    {-4, 0.71452738081455e-1}, {-3, -0.40710498223928},  {-2, 0.14240819171444e1},
    {-1, -0.43839511319450e1}, {2, -0.28408632460772},   {3, 0.21268463753307e-1},
};

// Región 2, parte residual: γr = Σ n π^I (τ − 0,5)^J.
constexpr termino R2_RESIDUAL[] = {
    {1, 0, -0.17731742473213e-2},  {1, 1, -0.17834862292358e-1},  {1, 2, -0.45996013696365e-1},
    {1, 3, -0.57581259083432e-1},  {1, 6, -0.50325278727930e-1},  {2, 1, -0.33032641670203e-4},
    {2, 2, -0.18948987516315e-3},  {2, 4, -0.39392777243355e-2},  {2, 7, -0.43797295650573e-1},
    {2, 36, -0.26674547914087e-4}, {3, 0, 0.20481737692309e-7},   {3, 1, 0.43870667284435e-6},
    {3, 3, -0.32277677238570e-4},  {3, 6, -0.15033924542148e-2},  {3, 35, -0.40668253562649e-1},
    {4, 1, -0.78847309559367e-9},  {4, 2, 0.12790717852285e-7},   {4, 3, 0.48225372718507e-6},
    {5, 7, 0.22922076337661e-5},   {6, 3, -0.16714766451061e-10}, {6, 16, -0.21171472321355e-2},
    {6, 35, -0.23895741934104e2},  {7, 0, -0.59059564324270e-17}, {7, 11, -0.12621808899101e-5},
    {7, 25, -0.38946842435739e-1}, {8, 8, 0.11256211360459e-10},  {8, 36, -0.82311340897998e1},
    {9, 13, 0.19809712802088e-7},  {10, 4, 0.10406965210174e-18}, {10, 10, -0.10234747095929e-12},
    {10, 14, -0.10018179379511e-8}, {16, 29, -0.80882908646985e-10}, {16, 50, 0.10693031879409},
    {18, 57, -0.33662250574171},   {20, 20, 0.89185845355421e-24}, {20, 35, 0.30629316876232e-12},
    {20, 48, -0.42002467698208e-5}, {21, 21, -0.59056029685639e-25}, {22, 53, 0.37826947613457e-5},
    {23, 39, -0.12768608934681e-14}, {24, 26, 0.73087610595061e-28}, {24, 40, 0.55414715350778e-16},
    {24, 58, -0.94369707241210e-6},
};

// Región 3: energía de Helmholtz adimensional φ = n1 ln δ + Σ n δ^I τ^J, con
// δ = ρ / 322 kg/m³ y τ = 647,096 K / T.
constexpr double R3_N1 = 0.10658070028513e1;
constexpr termino R3[] = {
    {0, 0, -0.15732845290239e2},  {0, 1, 0.20944396974307e2},   {0, 2, -0.76867707878716e1},
    {0, 7, 0.26185947787954e1},   {0, 10, -0.28080781148620e1}, {0, 12, 0.12053369696517e1},
    {0, 23, -0.84566812812502e-2}, {1, 2, -0.12654315477714e1}, {1, 6, -0.11524407806681e1},
    {1, 15, 0.88521043984318},    {1, 17, -0.64207765181607},   {2, 0, 0.38493460186671},
    {2, 2, -0.85214708824206},    {2, 6, 0.48972281541877e1},   {2, 7, -0.30502617256965e1},
    {2, 22, 0.39420536879154e-1}, {2, 26, 0.12558408424308},    {3, 0, -0.27999329698710},
    {3, 2, 0.13899799569460e1},   {3, 4, -0.20189915023570e1},  {3, 16, -0.82147637173963e-2},
    {3, 26, -0.47596035734923},   {4, 0, 0.43984074473500e-1},  {4, 2, -0.44476435428739},
    {4, 4, 0.90572070719733},     {4, 26, 0.70522450087967},    {5, 1, 0.10770512626332},
    {5, 3, -0.32913623258954},    {5, 26, -0.50871062041158},   {6, 0, -0.22175400873096e-1},
    {6, 2, 0.94260751665092e-1},  {6, 26, 0.16436278447961},    {7, 2, -0.13503372241348e-1},
    {8, 26, -0.14834345352472e-1}, {9, 2, 0.57922953628084e-3}, {9, 26, 0.32308904703711e-2},
    {10, 0, 0.80964802996215e-4}, {10, 1, -0.16557679795037e-3}, {11, 26, -0.44923899061815e-4},
};

// Región 4: ecuación de saturación.
constexpr double N4[11] = {0,
                           0.11670521452767e4,
                           -0.72421316703206e6,
                           -0.17073846940092e2,
                           0.12020824702470e5,
                           -0.32325550322333e7,
                           0.14915108613530e2,
                           -0.48232657361591e4,
                           0.40511340542057e6,
                           -0.23855557567849,
                           0.65017534844798e3};

// Frontera B23.
constexpr double N23[6] = {0,
                           0.34805185628969e3,
                           -0.11671859879975e1,
                           0.10192970039326e-2,
                           0.57254459862746e3,
                           0.13918839778870e2};

// Potencia entera (también negativa) sin pasar por pow.
double potencia(double x, int n)
{
    if (n == 0) return 1.0;
    bool negativa = n < 0;
    unsigned m = static_cast<unsigned>(negativa ? -n : n);
    double r = 1.0, b = x;
    while (m) {
        if (m & 1u) r *= b;
        b *= b;
        m >>= 1;
    }
    return negativa ? 1.0 / r : r;
}

// Presión de la región 3 en MPa.
double presion_region3(double rho, double t)
{
    const double delta = rho / RHO_CRITICA, tau = T_CRITICA / t;
    double phi_d = R3_N1 / delta;
    for (const auto& k : R3)
        if (k.i != 0) phi_d += k.n * k.i * potencia(delta, k.i - 1) * potencia(tau, k.j);
    return rho * R * t * delta * phi_d / KPA_POR_MPA;
}

// Raíz de p(ρ) = p entre a y b (f(a) y f(b) de signos opuestos), por
// bisección hasta la resolución del doble.
double biseca(double p, double t, double a, double b)
{
    double fa = presion_region3(a, t) - p;
    for (int k = 0; k < 200; ++k) {
        double m = 0.5 * (a + b);
        if (m <= std::fmin(a, b) || m >= std::fmax(a, b)) break;
        double fm = presion_region3(m, t) - p;
        if (fm == 0) return m;
        if ((fm < 0) == (fa < 0)) {
            a = m;
            fa = fm;
        } else {
            b = m;
        }
    }
    return 0.5 * (a + b);
}

} // namespace

double presion_saturacion(double t)
{
    const double th = t + N4[9] / (t - N4[10]);
    const double a = th * th + N4[1] * th + N4[2];
    const double b = N4[3] * th * th + N4[4] * th + N4[5];
    const double c = N4[6] * th * th + N4[7] * th + N4[8];
    return potencia(2.0 * c / (-b + std::sqrt(b * b - 4.0 * a * c)), 4);
}

double temperatura_saturacion(double p)
{
    const double beta = std::pow(p, 0.25);
    const double e = beta * beta + N4[3] * beta + N4[6];
    const double f = N4[1] * beta * beta + N4[4] * beta + N4[7];
    const double g = N4[2] * beta * beta + N4[5] * beta + N4[8];
    const double d = 2.0 * g / (-f - std::sqrt(f * f - 4.0 * e * g));
    return (N4[10] + d - std::sqrt((N4[10] + d) * (N4[10] + d) - 4.0 * (N4[9] + N4[10] * d))) / 2.0;
}

double presion_b23(double t) { return N23[1] + N23[2] * t + N23[3] * t * t; }

double temperatura_b23(double p) { return N23[4] + std::sqrt((p - N23[5]) / N23[3]); }

propiedades region1(double p, double t)
{
    const double pi = p / 16.53, tau = 1386.0 / t;
    const double a = 7.1 - pi, b = tau - 1.222;
    double g = 0, g_pi = 0, g_tau = 0;
    for (const auto& k : R1) {
        const double ai = potencia(a, k.i), bj = potencia(b, k.j);
        g += k.n * ai * bj;
        g_pi -= k.n * k.i * potencia(a, k.i - 1) * bj;
        g_tau += k.n * ai * k.j * potencia(b, k.j - 1);
    }
    propiedades r;
    r.p = p;
    r.t = t;
    r.v = R * t * pi * g_pi / (p * KPA_POR_MPA);
    r.h = R * t * tau * g_tau;
    r.s = R * (tau * g_tau - g);
    return r;
}

double entalpia_gas_ideal(double t)
{
    const double tau = 540.0 / t;
    double g0_tau = 0;
    for (const auto& k : R2_IDEAL) g0_tau += k.n * k.j * potencia(tau, k.j - 1);
    return R * t * tau * g0_tau;
}

propiedades region2(double p, double t)
{
    const double pi = p, tau = 540.0 / t;
    double g0 = std::log(pi), g0_tau = 0;
    for (const auto& k : R2_IDEAL) {
        g0 += k.n * potencia(tau, k.j);
        g0_tau += k.n * k.j * potencia(tau, k.j - 1);
    }
    const double g0_pi = 1.0 / pi;
    const double b = tau - 0.5;
    double gr = 0, gr_pi = 0, gr_tau = 0;
    for (const auto& k : R2_RESIDUAL) {
        const double pii = potencia(pi, k.i), bj = potencia(b, k.j);
        gr += k.n * pii * bj;
        gr_pi += k.n * k.i * potencia(pi, k.i - 1) * bj;
        gr_tau += k.n * pii * k.j * potencia(b, k.j - 1);
    }
    propiedades r;
    r.p = p;
    r.t = t;
    r.v = R * t * pi * (g0_pi + gr_pi) / (p * KPA_POR_MPA);
    r.h = R * t * tau * (g0_tau + gr_tau);
    r.s = R * (tau * (g0_tau + gr_tau) - (g0 + gr));
    return r;
}

propiedades region3(double rho, double t)
{
    const double delta = rho / RHO_CRITICA, tau = T_CRITICA / t;
    double phi = R3_N1 * std::log(delta), phi_d = R3_N1 / delta, phi_t = 0;
    for (const auto& k : R3) {
        const double di = potencia(delta, k.i), tj = potencia(tau, k.j);
        phi += k.n * di * tj;
        if (k.i != 0) phi_d += k.n * k.i * potencia(delta, k.i - 1) * tj;
        phi_t += k.n * di * k.j * potencia(tau, k.j - 1);
    }
    propiedades r;
    r.p = rho * R * t * delta * phi_d / KPA_POR_MPA;
    r.t = t;
    r.v = 1.0 / rho;
    r.h = R * t * (tau * phi_t + delta * phi_d);
    r.s = R * (tau * phi_t - phi);
    return r;
}

double densidad_region3(double p, double t, bool liquido)
{
    // La isoterma p(ρ) de la región 3 crece con ρ en la rama de vapor desde
    // densidades bajas y en la de líquido hacia densidades altas; bajo la
    // temperatura crítica las separa el lazo inestable. Se recorre la
    // isoterma en pasos pequeños desde el extremo de la rama pedida hasta el
    // primer cruce con p, que queda así en la rama buena, y se afina por
    // bisección.
    constexpr double paso = 0.25;
    if (liquido && t < T_CRITICA) {
        double alta = 800.0;
        if (presion_region3(alta, t) <= p) return -1.0;
        for (double rho = alta - paso; rho > 1.0; rho -= paso) {
            if (presion_region3(rho, t) <= p) return biseca(p, t, rho, rho + paso);
        }
        return -1.0;
    }
    double anterior = 1.0;
    if (presion_region3(anterior, t) >= p) return -1.0;
    for (double rho = anterior + paso; rho < 800.0; rho += paso) {
        if (presion_region3(rho, t) >= p) return biseca(p, t, rho - paso, rho);
    }
    return -1.0;
}

propiedades estado(double p, double t, bool liquido)
{
    if (t <= T_FRONTERA_13) {
        // Bajo 623,15 K la curva de saturación separa las regiones 1 y 2.
        if (p > P_CRITICA) return region1(p, t);
        const double ps = presion_saturacion(t);
        if (p > ps || (p == ps && liquido)) return region1(p, t);
        return region2(p, t);
    }
    if (p <= presion_b23(t)) return region2(p, t);
    const double rho = densidad_region3(p, t, liquido);
    if (rho <= 0) throw std::runtime_error("sin densidad de la región 3");
    propiedades r = region3(rho, t);
    r.p = p;
    return r;
}

saturacion saturacion_a_t(double t)
{
    const double p = presion_saturacion(t);
    saturacion s;
    s.liquido = estado(p, t, true);
    s.vapor = estado(p, t, false);
    return s;
}

saturacion saturacion_a_p(double p)
{
    const double t = temperatura_saturacion(p);
    saturacion s;
    if (t <= T_FRONTERA_13) {
        s.liquido = region1(p, t);
        s.vapor = region2(p, t);
        return s;
    }
    const double rl = densidad_region3(p, t, true);
    const double rv = densidad_region3(p, t, false);
    if (rl <= 0 || rv <= 0) throw std::runtime_error("sin densidad de saturación de la región 3");
    s.liquido = region3(rl, t);
    s.vapor = region3(rv, t);
    s.liquido.p = s.vapor.p = p;
    return s;
}

propiedades punto_critico() { return region3(RHO_CRITICA, T_CRITICA); }

} // namespace if97
