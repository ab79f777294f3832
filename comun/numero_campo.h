// Lectura del texto de un campo numérico.
//
// El texto entero ha de ser un número decimal (con punto o coma decimal,
// cifras a uno o a los dos lados) que cabe en el campo: un real de 32 bits
// finito y normal (un número distinto de 0 que se quedaría en 0 o por debajo
// del menor normal no vale) o un entero de 32 bits, dentro del margen del
// campo. Nada de exponentes, prefijos, separadores de millares, segundas
// comas o signos repetidos: un texto que sólo empieza por un número no es
// un número. Un texto vacío no da valor (el campo no se dio).
#pragma once

#include <cstdint>
#include <string_view>

enum class lectura_campo {
    vacio,            // texto vacío (o sólo blancos, si se admiten): no se dio
    valido,           // el valor está en el destino
    incorrecto,       // no es un número que quepa en el campo
    fuera_de_margen,  // es un número, fuera del margen del campo
};

// Qué admite el texto además de las cifras y la marca decimal.
struct forma_numero {
    bool signo = false;      // un "+" o un "-" delante
    bool blancos = false;    // blancos delante y detrás
    bool exponente = false;  // en los reales, un exponente detrás: "e" o
                             // "E", un signo si se quiere y cifras ("1e1"
                             // son 10)
};

// Real de 32 bits en [minimo, maximo]. El destino sólo cambia si el
// resultado es 'valido'; un "-0" da 0.
lectura_campo lee_real_campo(std::string_view texto, const forma_numero& forma, double minimo, double maximo,
                             float& valor);

// Lo que lee_real_campo hace con el número ya convertido: pasado a real de
// 32 bits, ha de ser finito, 0 o normal y estar en [minimo, maximo]. Sirve
// para juzgar como un campo un valor que no viene de un texto (el de un
// fichero). El destino sólo cambia si el resultado es 'valido'; -0 da 0.
lectura_campo comprueba_real_campo(double numero, double minimo, double maximo, float& valor);

// El número del texto, sin juzgarlo como real de 32 bits: 'valido' con el
// valor en 'valor' (±HUGE_VAL si no cabe en un doble por grande, 0 si no se
// distingue de 0), 'vacio' o 'incorrecto' si el texto no es un número.
lectura_campo lee_decimal_campo(std::string_view texto, const forma_numero& forma, double& valor);

// Entero en [minimo, maximo] (que han de caber en 32 bits); sin marca
// decimal. El destino sólo cambia si el resultado es 'valido'.
lectura_campo lee_entero_campo(std::string_view texto, const forma_numero& forma, std::int64_t minimo,
                               std::int64_t maximo, std::int32_t& valor);
