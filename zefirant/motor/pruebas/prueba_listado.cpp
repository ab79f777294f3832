#include "zefirant/motor/pruebas/ayuda_pruebas.h"

#include "zefirant/motor/listado.h"
#include "zefirant/motor/unidades.h"

#include "comun/lineas.h"

#include <climits>
#include <cstdlib>
#include <cstdio>
#include <functional>
#include <sstream>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class Listado : public ConDatos {
protected:
    // Líneas que lista_propiedades escribe en un fichero.
    std::vector<std::string> a_fichero(unsigned t1, unsigned t2, int paso)
    {
        std::FILE* f = std::tmpfile();
        EXPECT_EQ(lista_propiedades(*p->gas, t1, t2, paso, 1, 0, f, nullptr), 1);
        std::rewind(f);
        std::string todo;
        for (int c; (c = std::fgetc(f)) != EOF;) todo.push_back(static_cast<char>(c));
        std::fclose(f);
        std::vector<std::string> lineas;
        std::istringstream in(todo);
        for (std::string l; std::getline(in, l);) lineas.push_back(l);
        return lineas;
    }
    lineas_memoria lista;
};

// Corre 'f' en un proceso aparte: verdadero si acaba en menos de 5 s y da
// verdadero (una llamada que no acaba no cuelga la prueba).
bool acaba_bien(const std::function<bool()>& f)
{
    pid_t hijo = ::fork();
    if (hijo < 0) return false;
    if (hijo == 0) ::_exit(f() ? 0 : 1);
    int estado = 0;
    for (int centesimas = 0; centesimas < 500; ++centesimas) {
        if (::waitpid(hijo, &estado, WNOHANG) == hijo) return WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
        ::usleep(10000);
    }
    ::kill(hijo, SIGKILL);
    ::waitpid(hijo, &estado, 0);
    return false;
}

TEST_F(Listado, PaginasEnPantallaYEnFichero)
{
    pon_gas(GAS_AIRE);
    EXPECT_EQ(lista_propiedades(*p->gas, 273, 5000, 100, 1, 1, nullptr, nullptr), 4);
    lista.agrega("vieja");
    EXPECT_EQ(lista_propiedades(*p->gas, 273, 5000, 100, 4, 0, nullptr, &lista), 4);
    ASSERT_EQ(lista.numero(), 10u + 10);  // cabecera y las 10 filas de la última página
    EXPECT_EQ(lista.linea(10).substr(0, 7), "   4100");
    EXPECT_EQ(lista.linea(19).substr(0, 7), "   5000");

    pon_gas(GAS_GASOLINA, 0.8f);
    EXPECT_EQ(lista_propiedades(*p->gas, 273, 5000, 100, 1, 1, nullptr, nullptr), 5);
    EXPECT_EQ(lista_propiedades(*p->gas, 273, 5000, 100, 5, 0, nullptr, &lista), 5);
    EXPECT_EQ(lista.numero(), 12u + 5);
}

TEST_F(Listado, TemperaturasDeLasFilas)
{
    pon_gas(GAS_NITROGENO);
    lista_propiedades(*p->gas, 273, 300, 10, 1, 0, nullptr, &lista);
    ASSERT_EQ(lista.numero(), 10u + 4);
    for (auto [i, t] : {std::pair{std::size_t{10}, "273"}, {11, "280"}, {12, "290"}, {13, "300"}})
        EXPECT_EQ(lista.linea(i).substr(4, 3), t);
    lista_propiedades(*p->gas, 285, 400, 50, 1, 0, nullptr, &lista);
    ASSERT_EQ(lista.numero(), 10u + 3);
    EXPECT_EQ(lista.linea(11).substr(4, 3), "330");
    EXPECT_EQ(lista.linea(12).substr(4, 3), "380");
    // Ni un paso nulo ni un límite en el máximo de un unsigned dejan el
    // bucle sin fin.
    EXPECT_LT(lista_propiedades(*p->gas, 273, 300, 0, 1, 1, nullptr, nullptr), 0);
    EXPECT_EQ(lista_propiedades(*p->gas, UINT_MAX - 5, UINT_MAX, 100, 1, 1, nullptr, nullptr), 1);
}

// Un paso que la ventana de listados no ofrece (los suyos son 10, 20, 50 y
// 100 K).
class PasoQueLaVentanaNoOfrece : public Listado, public ::testing::WithParamInterface<int> {};

// Se rechaza sin tocar la lista, y la llamada siempre acaba.
TEST_P(PasoQueLaVentanaNoOfrece, SeRechazaYSiempreAcaba)
{
    pon_gas(GAS_AIRE);
    lista.agrega("vieja");
    const int paso = GetParam();
    EXPECT_TRUE(acaba_bien([&] {
        return lista_propiedades(*p->gas, 273, 400, paso, 1, 1, nullptr, nullptr) == -1 &&
               lista_propiedades(*p->gas, 273, 400, paso, 1, 0, nullptr, &lista) == -1 && lista.numero() == 1 &&
               lista.linea(0) == "vieja";
    }));
}

INSTANTIATE_TEST_SUITE_P(Pasos, PasoQueLaVentanaNoOfrece, ::testing::Values(1, 5, 9, 15, 30, 1000, -10),
                         [](const ::testing::TestParamInfo<int>& i) {
                             return (i.param < 0 ? "Menos" : "") + std::to_string(std::abs(i.param));
                         });

TEST_F(Listado, CabeceraYFilasDelAire)
{
    pon_gas(GAS_AIRE);
    lista_propiedades(*p->gas, 300, 300, 100, 1, 0, nullptr, &lista);
    ASSERT_EQ(lista.numero(), 11u);
    EXPECT_EQ(lista.linea(0), w("PROPIEDADES TERMODINÁMICAS DEL Aire EN ESTADO DE GAS PERFECTO"));
    EXPECT_EQ(lista.linea(1), "(`IM = 28,965 kg/kmol)");
    EXPECT_EQ(lista.linea(3), raya(77));
    EXPECT_EQ(lista.linea(6), w("            `S½     `I`DT           `I`DT                            a 1 bar   a 1 bar"));
    EXPECT_EQ(lista.linea(8), w("            `S½ kJ/kmolK    kJ/kmolK    kJ/kmol   kJ/kmol   kJ/kmolK   kJ/kmol"));
    EXPECT_EQ(lista.linea(10), w("    300     `S½ 20,6961     29,0104      6208,8    8703,1    199,002       0,9"));

    // Por kg, en kcal y con kg/cm²: s y e a 1 at (0,980665 bar), h sin cambio.
    unidad_masa_kg = unidad_energia_kcal = unidad_presion_at = 1;
    lista_propiedades(*p->gas, 600, 600, 100, 1, 0, nullptr, &lista);
    EXPECT_EQ(lista.linea(6), w("            `S½     `I`DT           `I`DT                            a 1 at    a 1 at "));
    EXPECT_EQ(lista.linea(8), w("            `S½ kcal/kgK    kcal/kgK    kcal/kg   kcal/kg   kcal/kgK   kcal/kg"));
    EXPECT_EQ(lista.linea(10), w("    600     `S½  0,1732      0,2418       103,9     145,1      1,811      23,4"));
}

TEST_F(Listado, EnFicheroConPrefijos)
{
    pon_gas(GAS_AIRE);
    auto l = a_fichero(273, 400, 100);
    ASSERT_EQ(l.size(), 10u + 3);
    for (std::size_t i = 0; i < 9; ++i) EXPECT_TRUE(l[i][0] == '>' && l[i][1] != '>') << i;
    EXPECT_EQ(l[9], ">>" + raya(77));
    EXPECT_EQ(l[10].substr(0, 7), "    273");

    pon_gas(GAS_GASOLEO, 1.5f);
    l = a_fichero(273, 5000, 100);
    ASSERT_EQ(l.size(), 12u + 49);
    EXPECT_EQ(l[0], w(">PROPIEDADES TERMODINÁMICAS DE GASES DE COMBUSTIÓN DE Gasóleo"));
    EXPECT_EQ(l[1], w(">EN ESTADO DE GAS PERFECTO (`Ic= 86,0%; `Ih= 12,0%;`IH`D`Iu= 41868,0 kJ/kg combustible)"));
    EXPECT_EQ(l[2], ">aire=1,5000; aire(min) = 13,981 kg/kg combustible; `IM=29,045 kg/kmol");
    EXPECT_EQ(l[11], ">>" + raya(77));
}

TEST(TextoTablas, Rutinas)
{
    EXPECT_EQ(nombre_sin_formula(w("Nitrógeno (N`D2)")), w("Nitrógeno "));
    std::string t = "   ";
    quita_blancos(t);
    EXPECT_EQ(t, " ");
}

} // namespace
